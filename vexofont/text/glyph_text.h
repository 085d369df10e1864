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

// Reads a whole text. With `overlay` false it must describe a whole font:
// kind, code page, first, last, width and height (and for DBCS the font
// vectors) given, a size some station of the kind accepts, every glyph of
// `height` rows and a code the header's codes hold, in the file's order.
// With `overlay` true the header fields are optional and glyphs only need
// rows of one length and one count; ApplyGlyphOverlay checks the rest.
// CR LF line ends are read as LF. Returns false with *error set at the
// first mistake.
bool ParseGlyphText(const std::string& text, bool overlay, GlyphText* glyphs,
                    TextError* error);

// The input font file a whole text describes: every code of the header in
// the file's order, the glyphs the text lists and blank glyphs for the
// codes it leaves out, then the tail. Returns false with *error set when
// the text's glyphs do not fit the header's codes, or the file would be
// larger than any input font file can be.
bool BuildFromGlyphText(const GlyphText& text, Bytes* file, TextError* error);

// Replaces, in the input font file *file, the glyphs of the codes the
// overlay lists. The overlay's header fields, where given, and its rows
// must match the file; each code must be one of the file's codes.
bool ApplyGlyphOverlay(const GlyphText& overlay, Bytes* file,
                       TextError* error);

// The text of an input font file. `describe(code)`, where given, returns
// the comment for a glyph's line (the character it stands for), or an
// empty string. Returns false with *problem set for a file that is not an
// input font file, whose header is cut short or whose size no station of
// its kind accepts.
bool DumpInputFont(const uint8_t* data, size_t size,
                   std::string (*describe)(const void* context, int code),
                   const void* context, std::string* text,
                   std::string* problem);

#endif  // VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_H_
