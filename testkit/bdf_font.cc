#include "testkit/bdf_font.h"

#include <zlib.h>

#include <cstdio>

namespace vexo {

namespace {

std::string HexRow(const std::string& row) {
  std::string hex;
  const int bytes = (static_cast<int>(row.size()) + 7) / 8;
  for (int b = 0; b < bytes; ++b) {
    int value = 0;
    for (int bit = 0; bit < 8; ++bit) {
      const size_t x = static_cast<size_t>(b) * 8 + bit;
      if (x < row.size() && row[x] == '#') value |= 0x80 >> bit;
    }
    char text[16];
    std::snprintf(text, sizeof(text), "%02X", value);
    hex += text;
  }
  return hex;
}

}  // namespace

std::string BdfText(const BdfFont& font) {
  const int height = font.ascent + font.descent;
  std::string text = "STARTFONT 2.1\n";
  text += "FONT -test-cell-medium-r-normal--" + std::to_string(height) +
          "-" + std::to_string(height * 10) + "-75-75-" + font.spacing + "-" +
          std::to_string(font.boxWidth * 10) + "-" + font.registry + "-" +
          font.encoding + "\n";
  text += "SIZE " + std::to_string(height) + " 75 75\n";
  text += "FONTBOUNDINGBOX " + std::to_string(font.boxWidth) + " " +
          std::to_string(height) + " 0 " + std::to_string(-font.descent) +
          "\n";
  text += "STARTPROPERTIES " +
          std::string(font.charsetProperties ? "6" : "4") + "\n";
  text += "AVERAGE_WIDTH " + std::to_string(font.boxWidth * 10) + "\n";
  text += "FONT_ASCENT " + std::to_string(font.ascent) + "\n";
  text += "FONT_DESCENT " + std::to_string(font.descent) + "\n";
  text += "SPACING \"" + font.spacing + "\"\n";
  if (font.charsetProperties) {
    text += "CHARSET_REGISTRY \"" + font.registry + "\"\n";
    text += "CHARSET_ENCODING \"" + font.encoding + "\"\n";
  }
  text += "ENDPROPERTIES\n";
  text += "CHARS " + std::to_string(font.glyphs.size()) + "\n";
  for (const BdfGlyph& glyph : font.glyphs) {
    const int width = glyph.picture.empty()
                          ? 0
                          : static_cast<int>(glyph.picture[0].size());
    const int advance = glyph.advance >= 0 ? glyph.advance : font.boxWidth;
    text += "STARTCHAR u" + std::to_string(glyph.encoding) + "\n";
    text += "ENCODING " + std::to_string(glyph.encoding) + "\n";
    text += "SWIDTH " + std::to_string(advance * 1000 / (height > 0 ? height : 1)) + " 0\n";
    text += "DWIDTH " + std::to_string(advance) + " 0\n";
    text += "BBX " + std::to_string(width) + " " +
            std::to_string(glyph.picture.size()) + " " +
            std::to_string(glyph.xOffset) + " " +
            std::to_string(glyph.yOffset) + "\n";
    text += "BITMAP\n";
    for (const std::string& row : glyph.picture) text += HexRow(row) + "\n";
    text += "ENDCHAR\n";
  }
  text += "ENDFONT\n";
  return text;
}

Picture PictureOf(const GlyphRows& rows, int width) {
  Picture picture;
  for (uint32_t row : rows) {
    std::string line;
    for (int x = 0; x < width; ++x) {
      line += (row & (0x80000000u >> x)) != 0 ? '#' : '.';
    }
    picture.push_back(line);
  }
  return picture;
}

GlyphRows RowsOf(const Picture& picture) {
  GlyphRows rows;
  for (const std::string& line : picture) {
    uint32_t row = 0;
    for (size_t x = 0; x < line.size() && x < 32; ++x) {
      if (line[x] == '#') row |= 0x80000000u >> x;
    }
    rows.push_back(row);
  }
  return rows;
}

BdfGlyph CellGlyphOf(uint32_t encoding, const GlyphRows& rows, int width,
                     int descent) {
  BdfGlyph glyph;
  glyph.encoding = encoding;
  glyph.picture = PictureOf(rows, width);
  glyph.yOffset = -descent;
  return glyph;
}

bool WriteGzip(const std::string& path, const std::string& text) {
  gzFile file = gzopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const int wrote = gzwrite(file, text.data(), static_cast<unsigned>(text.size()));
  return gzclose(file) == Z_OK && wrote == static_cast<int>(text.size());
}

}  // namespace vexo
