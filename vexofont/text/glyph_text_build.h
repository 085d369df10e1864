// The input font file a whole glyph text describes.
#ifndef VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_BUILD_H_
#define VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_BUILD_H_

#include "vexofont/text/glyph_text.h"

namespace vexo {

// Builds the file: every code of the header in the file's order, the glyphs
// the text lists and blank glyphs for the codes it leaves out, then the
// tail. Returns false with *error set when the text's glyphs do not fit the
// header's codes, or the file would be larger than any input font file can
// be.
bool BuildFromGlyphText(const GlyphText& text, Bytes* file, TextError* error);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_BUILD_H_
