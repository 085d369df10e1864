#include "testkit/test_fonts.h"

#include <cstdio>

namespace vexo {

GlyphRows PatternGlyph(int code, int width, int height) {
  GlyphRows rows(height);
  uint32_t state = 0x9E3779B9u ^ static_cast<uint32_t>(code) * 2654435761u;
  // Widths beyond a 4-byte row (or absurd header widths) use the whole row.
  const uint32_t mask = width <= 0 || width >= 32 ? 0xFFFFFFFFu
                                                  : ~(0xFFFFFFFFu >> width);
  for (int r = 0; r < height; ++r) {
    state = state * 1664525u + 1013904223u;
    // Always at least the leftmost dot, so that no row is blank.
    rows[r] = ((state & mask) | 0x80000000u) & (mask | 0x80000000u);
  }
  return rows;
}

Bytes PatternSbcsFont(int first, int last, int width, int height) {
  Bytes font;
  AppendSbcsHeader(&font, {.magic = "",
                           .codePage = 437,
                           .firstChar = static_cast<uint16_t>(first),
                           .lastChar = static_cast<uint16_t>(last),
                           .width = static_cast<uint32_t>(width),
                           .height = static_cast<uint32_t>(height)});
  for (int code = first; code <= last; ++code) {
    AppendGlyph(&font, PatternGlyph(code, width, height));
  }
  return font;
}

Bytes PatternDbcsFont(const Vector& leads, uint16_t lastChar, int width,
                      int height, int* codes) {
  DbcsVectors vectors;
  vectors.codePageVector1 = {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}, {0, 0}};
  vectors.codePageVector2 = {{0x40, 0x7E}, {0x80, 0xFC}, {0, 0}, {0, 0}};
  vectors.fontVector1 = leads;
  vectors.fontVector2 = {{0x40, 0x7E}, {0x80, 0xFC}, {0, 0}, {0, 0}};
  Bytes font;
  AppendDbcsHeader(&font,
                   {.magic = "",
                    .codePage = 932,
                    .firstChar = 0x8140,
                    .lastChar = lastChar,
                    .width = static_cast<uint32_t>(width),
                    .height = static_cast<uint32_t>(height)},
                   vectors);
  const std::vector<uint16_t> enumerated =
      EnumerateDbcsCodes(vectors.fontVector1, vectors.fontVector2, lastChar);
  for (uint16_t code : enumerated) {
    AppendGlyph(&font, PatternGlyph(code, width, height));
  }
  *codes = static_cast<int>(enumerated.size());
  return font;
}

GlyphRows OneDot(int height, int row, int column) {
  GlyphRows rows(height, 0);
  rows[row] = 0x80000000u >> column;
  return rows;
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(),
                                               file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

Bytes ReadBytes(const std::string& path) {
  Bytes bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  uint8_t chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  std::fclose(file);
  return bytes;
}

}  // namespace vexo
