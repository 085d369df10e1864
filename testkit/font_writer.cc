#include "testkit/font_writer.h"

#include <cstdio>

#include "fontinput/font_header.h"
#include "store/little_endian.h"

namespace {

void AppendCommon(Bytes* out, const HeaderFields& fields) {
  uint8_t raw[kSbcsHeaderSize] = {};
  for (int i = 0; i < kFileTypeSize && i < int(fields.magic.size()); ++i) {
    raw[i] = static_cast<uint8_t>(fields.magic[i]);
  }
  EncodeFixed16(raw + kVersionOffset, fields.version);
  EncodeFixed16(raw + kHeaderCodePageOffset, fields.codePage);
  EncodeFixed16(raw + kFirstCharOffset, fields.firstChar);
  EncodeFixed16(raw + kLastCharOffset, fields.lastChar);
  EncodeFixed32(raw + kWidthOffset, fields.width);
  EncodeFixed32(raw + kHeightOffset, fields.height);
  out->insert(out->end(), raw, raw + sizeof(raw));
}

void AppendVector(Bytes* out, const Vector& vector) {
  for (int pair = 0; pair < 4; ++pair) {
    const bool present = pair < int(vector.size());
    out->push_back(present ? vector[pair].first : 0);
    out->push_back(present ? vector[pair].second : 0);
  }
}

}  // namespace

void AppendSbcsHeader(Bytes* out, HeaderFields fields) {
  if (fields.magic.empty()) fields.magic = kSbcsMagic;
  AppendCommon(out, fields);
}

void AppendDbcsHeader(Bytes* out, HeaderFields fields,
                      const DbcsVectors& vectors) {
  if (fields.magic.empty()) fields.magic = kDbcsMagic;
  AppendCommon(out, fields);
  AppendVector(out, vectors.codePageVector1);
  AppendVector(out, vectors.codePageVector2);
  AppendVector(out, vectors.fontVector1);
  AppendVector(out, vectors.fontVector2);
}

void AppendGlyph(Bytes* out, const GlyphRows& rows) {
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    // Dots left to right are bits 31 down to 0: the first file byte holds
    // the leftmost eight.
    out->push_back(static_cast<uint8_t>(*row >> 24));
    out->push_back(static_cast<uint8_t>(*row >> 16));
    out->push_back(static_cast<uint8_t>(*row >> 8));
    out->push_back(static_cast<uint8_t>(*row));
  }
}

std::vector<uint16_t> EnumerateDbcsCodes(const Vector& fontVector1,
                                         const Vector& fontVector2,
                                         uint16_t lastChar) {
  std::vector<uint16_t> codes;
  for (const auto& [lead_first, lead_last] : fontVector1) {
    if (lead_first == 0) break;
    for (int lead = lead_first; lead <= lead_last; ++lead) {
      for (const auto& [trail_first, trail_last] : fontVector2) {
        if (trail_first == 0) continue;
        for (int trail = trail_first; trail <= trail_last; ++trail) {
          const int code = lead << 8 | trail;
          if (code > lastChar) break;
          codes.push_back(static_cast<uint16_t>(code));
        }
      }
    }
  }
  return codes;
}

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
