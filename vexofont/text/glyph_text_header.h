// The header block of a glyph text: its words, its fields and the checks of
// a whole font's header. The glyph text reader hands it the header lines.
#ifndef VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_HEADER_H_
#define VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_HEADER_H_

#include <string>
#include <vector>

#include "vexofont/text/glyph_text.h"

namespace vexo {

// A word of a line, with its column (from 1).
struct TextWord {
  std::string text;
  int column;
};

// The words of a line, keyword included; a `#` after white space starts a
// comment.
std::vector<TextWord> SplitWords(const std::string& line);

// A hexadecimal number of 1 to 4 digits (after an optional 0x).
bool ParseHex16(const std::string& text, unsigned* value);

// Reads the header field `field` (a TextField) from the words of its line
// `line` into *text. `afterGlyphs`: a glyph or the tail came before, where
// no field may stand. Returns false with *error set at the mistake.
bool ReadHeaderField(int field, const std::vector<TextWord>& words, int line,
                     bool afterGlyphs, GlyphText* text, TextError* error);

// Checks a whole font's header before its first glyph (`line`: where that
// glyph, or the text's end, is): the fields a font needs are given, the
// vectors only for DBCS, and the size is one a station of the kind takes.
// Sets a missing version to 1.
bool CheckWholeFontHeader(int line, GlyphText* text, TextError* error);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_HEADER_H_
