// `vexofont make TEXT OUTPUT`: an input font file built back from its glyph
// text.
#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_FROM_TEXT_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_FROM_TEXT_H_

#include <string>

#include "vexofont/make/make_options.h"

namespace vexo {

// Builds the file of the glyph text `textPath`, lays the overlays over it
// and writes it to `outputPath`; refuses the options that describe a font
// made from source fonts. Returns a make exit status, with the summary
// line or the line of the failure in *report.
int MakeFromGlyphText(const MakeOptions& options, const std::string& textPath,
                      const std::string& outputPath, CommandReport* report);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_FROM_TEXT_H_
