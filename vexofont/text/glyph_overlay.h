// Glyphs of a glyph text laid over an input font file: a logo, a mended
// letter.
#ifndef VEXOCNVT_VEXOFONT_TEXT_GLYPH_OVERLAY_H_
#define VEXOCNVT_VEXOFONT_TEXT_GLYPH_OVERLAY_H_

#include "vexofont/text/glyph_text.h"

namespace vexo {

// Replaces, in the input font file *file, the glyphs of the codes the
// overlay lists. The overlay's header fields, where given, and its rows
// must match the file; each code must be one of the file's codes. Returns
// false with *error set at the first mistake; *file is then unchanged.
bool ApplyGlyphOverlay(const GlyphText& overlay, Bytes* file,
                       TextError* error);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_TEXT_GLYPH_OVERLAY_H_
