// Input font files as text: a header block of named fields, then one block
// per glyph with its rows drawn in `.` (clear) and `#` (set). `vexofont
// dump` writes it, `vexofont make` reads it back (a whole font, or an
// overlay of some glyphs over a font made from a typeface).
//
//   vexofont glyphs 1
//   kind sbcs
//   version 1
//   code-page 437
//   first 20
//   last 7e
//   width 8
//   height 16
//
//   glyph 41  # U+0041 A
//   ........
//   ...##...
//   ...
//
// Rows are top row first, `width` characters each; the dots a file keeps
// beyond the width (each row holds 32) follow a `|` where any is set. A
// file whose body holds fewer whole glyphs than its header implies says
// so with `glyphs N`; bytes after the last whole glyph are kept as `tail`
// lines of hexadecimal bytes. So every input font file of an accepted size
// goes to text and back unchanged.
#ifndef VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_H_
#define VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fontinput/font_header.h"
#include "fontinput/font_writer.h"

namespace vexo {

// The first line of every glyph text.
inline constexpr char kGlyphTextMagic[] = "vexofont glyphs 1";

// True when `text` begins with the magic line.
bool LooksLikeGlyphText(const uint8_t* data, size_t size);

// A mistake in a text: where, and what. Lines and columns count from 1.
struct TextError {
  int line = 0;
  int column = 0;
  std::string message;
};

// "FILE:LINE:COLUMN: message".
std::string FormatTextError(const std::string& file, const TextError& error);
TextError MakeTextError(int line, int column, std::string message);

struct TextGlyph {
  int line = 0;       // of its `glyph` line
  uint16_t code = 0;  // SBCS: the code; DBCS: lead x 256 + trail
  std::vector<uint32_t> rows;  // top row first, bit 31 the leftmost dot
};

// The header fields a text can give.
enum TextField {
  kFieldKind,
  kFieldVersion,
  kFieldCodePage,
  kFieldFirst,
  kFieldLast,
  kFieldWidth,
  kFieldHeight,
  kFieldCodePageVector1,
  kFieldCodePageVector2,
  kFieldFontVector1,
  kFieldFontVector2,
  kFieldGlyphs,
  kFieldCount
};

struct GlyphText {
  FontKind kind = FontKind::kNone;  // FontKind::kSbcs or FontKind::kDbcs once `kind` is read
  DbcsFontHeader header = {};  // the vectors only for DBCS
  bool given[kFieldCount] = {};
  int fieldLine[kFieldCount] = {};
  size_t glyphCount = 0;  // `glyphs N`, where given
  uint32_t rowWidth = 0;  // the dots before `|` in every row
  std::vector<TextGlyph> glyphs;
  Bytes tail;
};

// A file row holds 32 dots, whatever the width.
constexpr int kRowDots = 32;

// The field's name in the text: "kind", "code-page-vector-1", ...
const char* FieldName(int field);

// "1 row", "24 rows".
std::string Rows(size_t n);
// Hexadecimal digits of a code of the kind: 2 for SBCS, 4 for DBCS.
int CodeDigits(FontKind kind);
// "SBCS" or "DBCS".
const char* KindName(FontKind kind);
size_t HeaderSize(FontKind kind);
// Whether some station of the kind takes glyphs of this size.
bool SizeFitsAStation(FontKind kind, uint32_t width, uint32_t height);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_H_
