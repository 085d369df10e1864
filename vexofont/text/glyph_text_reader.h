// Reading a glyph text into its header fields and glyphs.
#ifndef VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_READER_H_
#define VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_READER_H_

#include <string>
#include <string_view>

#include "vexofont/text/glyph_text.h"

namespace vexo {

// Reads a whole text. With `overlay` false it must describe a whole font:
// kind, code page, first, last, width and height (and for DBCS the font
// vectors) given, a size some station of the kind accepts, every glyph of
// `height` rows and a code the header's codes hold, in the file's order.
// With `overlay` true the header fields are optional and glyphs only need
// rows of one length and one count; ApplyGlyphOverlay checks the rest.
// CR LF line ends are read as LF. Returns false with *error set at the
// first mistake. A text of more glyphs than any input font file holds, or a
// glyph of more than 32 rows, is a mistake.
bool ParseGlyphText(std::string_view text, bool overlay, GlyphText* glyphs,
                    TextError* error);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_READER_H_
