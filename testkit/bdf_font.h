// BDF fonts written as text by the tests, so that no test needs a font
// package: a glyph is a picture of '#' (dot) and '.' rows, top row first.
#ifndef VEXOCNVT_TESTKIT_BDF_FONT_H_
#define VEXOCNVT_TESTKIT_BDF_FONT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "testkit/test_fonts.h"

namespace vexo {

using Picture = std::vector<std::string>;

struct BdfGlyph {
  uint32_t encoding = 0;
  Picture picture;   // BBX width and height from its size
  int xOffset = 0;   // BBX offset of the picture's bottom-left corner
  int yOffset = 0;   // from the origin on the baseline
  int advance = -1;  // DWIDTH; -1: the font's bounding box width
};

struct BdfFont {
  int ascent = 12;
  int descent = 4;
  int boxWidth = 8;  // FONTBOUNDINGBOX width and height come from these
  std::string spacing = "C";  // C, M or P
  std::string registry = "ISO10646";
  std::string encoding = "1";
  // false: the charset only in the FONT name, as some X fonts have it.
  bool charsetProperties = true;
  std::vector<BdfGlyph> glyphs;
};

// The whole BDF text of `font`.
std::string BdfText(const BdfFont& font);

// A cell-sized glyph of `rows` (bit 31 the leftmost dot) as a picture.
Picture PictureOf(const GlyphRows& rows, int width);
// The rows of a picture, bit 31 the leftmost dot.
GlyphRows RowsOf(const Picture& picture);

// A glyph that fills the font's whole line: picture `rows`, width `width`,
// standing on the descent.
BdfGlyph CellGlyphOf(uint32_t encoding, const GlyphRows& rows, int width,
                     int descent);

// Writes `text` gzip-compressed to `path`; returns false on failure.
bool WriteGzip(const std::string& path, const std::string& text);

}  // namespace vexo

#endif  // VEXOCNVT_TESTKIT_BDF_FONT_H_
