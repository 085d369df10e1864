// The files `vexofont make` reads besides its fonts (glyph texts, overlays)
// and the file it writes.
#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_FILES_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_FILES_H_

#include <cstddef>
#include <string>
#include <vector>

#include "fontinput/font_writer.h"
#include "vexofont/make/make_options.h"
#include "vexofont/text/glyph_text.h"

namespace vexo {

// The largest glyph text read: the text of the largest input font file, all
// 65536 codes at 32 rows with a comment on every glyph, is about 75 MB.
constexpr size_t kMaxGlyphTextSize = size_t{96} << 20;

// Whether the file `path` begins with the glyph text's first line.
bool IsGlyphTextFile(const std::string& path);

// Reads and parses the glyph text `path`; returns false with the line in
// *report on failure.
bool ReadGlyphText(const std::string& path, bool overlay, GlyphText* text,
                   CommandReport* report);

// Applies the overlays in order, counting in *replaced the glyphs they
// replaced; returns kMakeOk, or kMakeSourceFailed with the line of the
// first mistake in *report.
int ApplyOverlays(const std::vector<std::string>& overlays, Bytes* file,
                  long* replaced, CommandReport* report);

// Writes the font whole or not at all; returns kMakeOk, or kMakeOutputFailed
// with the line in *report.
int WriteFont(const std::string& outputPath, const Bytes& file,
              CommandReport* report);

// Whether the output is the source (named in messages as `sourceName`) or
// one of the other files the options name (fallback fonts, overlays, the
// --chars and --map files), links and hard links included; if so the line
// that names both is in *report.
bool OutputIsAnInput(const std::string& output, const std::string& source,
                     const char* sourceName, const MakeOptions& options,
                     CommandReport* report);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_FILES_H_
