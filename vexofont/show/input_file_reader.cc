#include "vexofont/show/input_file_reader.h"

#include <cstring>

#include "fontinput/font_header.h"
#include "fontinput/glyph_bitmap.h"
#include "fontinput/impact_columns.h"
#include "store/glyph_table.h"
#include "store/little_endian.h"
#include "vexofont/show/column_decoder.h"

namespace {

constexpr int kVectorCount = 4;
constexpr int kPairsPerVector = 4;
constexpr int kDbcsWideGlyphSize = 96;  // 24 rows of 4 bytes
constexpr int kDbcsThermalSize = 24;
constexpr int kDbcsImpactWidth = 16;

bool SbcsThermalAccepts(uint32_t width, uint32_t height) {
  // At width 16 a row takes 3 bytes, and 24 rows fill the record's bitmap.
  return width >= 8 && width <= 16 && height >= 16 && height <= 32 &&
         !(width == 16 && height > 24);
}

bool SbcsImpactAccepts(uint32_t width, uint32_t height) {
  return width >= 4 && width <= 16 && height >= 4 && height <= 16;
}

bool DbcsThermalAccepts(uint32_t width, uint32_t height) {
  return width == kDbcsThermalSize && height == kDbcsThermalSize;
}

bool DbcsImpactAccepts(uint32_t width, uint32_t height) {
  return width == kDbcsImpactWidth && (height == 9 || height == 16);
}

void CheckSbcsSize(const InputHeader& h, ProblemList* problems) {
  if (h.thermalAccepted || h.impactAccepted) return;
  if (h.width < 4 || h.width > 16) {
    AddProblem(problems, kWidthOffset,
               "width %u fits no station (thermal 8 to 16, impact 4 to 16)",
               h.width);
  } else if (h.width < 8) {
    AddProblem(problems, kHeightOffset,
               "height %u fits no station at width %u (impact 4 to 16; "
               "thermal needs width 8 to 16)",
               h.height, h.width);
  } else {
    AddProblem(problems, kHeightOffset,
               "height %u fits no station at width %u (thermal 16 to %d, "
               "impact 4 to 16)",
               h.height, h.width, h.width == 16 ? 24 : 32);
  }
}

void CheckDbcsSize(const InputHeader& h, ProblemList* problems) {
  if (h.thermalAccepted || h.impactAccepted) return;
  if (h.width == kDbcsThermalSize) {
    AddProblem(problems, kHeightOffset,
               "height %u fits no station at width 24 (thermal 24)", h.height);
  } else if (h.width == kDbcsImpactWidth) {
    AddProblem(problems, kHeightOffset,
               "height %u fits no station at width 16 (impact 9 or 16)",
               h.height);
  } else {
    AddProblem(problems, kWidthOffset,
               "width %u fits no station (thermal 24, impact 16)", h.width);
  }
}

// Calls `visit` with each code of one pass of the DBCS loader's
// enumeration: lead ranges until one starts at 0, trail ranges that start
// at 0 skipped, codes above lastChar left out.
template <typename Visit>
void ForEachDbcsCode(const InputHeader& h, Visit visit) {
  const uint8_t* leads = h.vectors[2];
  const uint8_t* trails = h.vectors[3];
  for (int lp = 0; lp < kPairsPerVector; ++lp) {
    if (leads[2 * lp] == 0) return;
    for (int lead = leads[2 * lp]; lead <= leads[2 * lp + 1]; ++lead) {
      for (int tp = 0; tp < kPairsPerVector; ++tp) {
        if (trails[2 * tp] == 0) continue;
        for (int trail = trails[2 * tp]; trail <= trails[2 * tp + 1];
             ++trail) {
          const int code = lead << 8 | trail;
          if (code > h.lastChar) break;
          visit(static_cast<uint16_t>(code));
        }
      }
    }
  }
}

bool IsBlank(const uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

// Makes the glyph whose file rows start at `at`, as the stations that
// accept the header take it. The DBCS loader drops blank glyphs.
ShownGlyph MakeGlyph(const uint8_t* data, size_t at, uint8_t kind,
                     uint16_t code, const InputHeader& h) {
  ShownGlyph glyph;
  glyph.kind = kind;
  glyph.code = code;
  glyph.offset = at;
  const int width = static_cast<int>(h.width);
  const int height = static_cast<int>(h.height);
  uint8_t bitmap[kBitmapBufferSize];
  if (h.thermalAccepted) {
    // SBCS thermal rows keep one byte more than width / 8.
    const int bytes_per_row = kind == kKindSbcs ? width / 8 + 1 : width / 8;
    const int m = UnpackGlyphRows(data + at, height, bytes_per_row, bitmap);
    glyph.thermal = kind == kKindSbcs || !IsBlank(bitmap, m);
    if (glyph.thermal) {
      PictureFromRowBitmap(bitmap, m, bytes_per_row, width, height,
                           &glyph.thermalDots);
    }
  }
  if (h.impactAccepted) {
    UnpackGlyphRows(data + at, height, width / 8, bitmap);
    uint8_t columns[kColumnBufferSize] = {};
    ConvertToImpactColumns(bitmap, columns, width, height);
    // Both loaders store 2 x width bytes, whatever the conversion made.
    const int stored = 2 * width;
    glyph.impact = kind == kKindSbcs || !IsBlank(columns, stored);
    if (glyph.impact) {
      DecodeImpactColumns(columns, stored, width, height, &glyph.impactDots);
    }
  }
  return glyph;
}

void CheckBody(size_t size, size_t headerSize, const InputHeader& h,
               ProblemList* problems) {
  const size_t need = headerSize + h.glyphCount * h.glyphSize;
  if (size < need) {
    AddProblem(problems, size,
               "body holds %zu bytes, %zu glyphs of %zu bytes need %zu: %zu "
               "bytes missing",
               size - headerSize, h.glyphCount, h.glyphSize, need - headerSize,
               need - size);
  } else if (size > need) {
    AddProblem(problems, need, "%zu surplus bytes after the last glyph",
               size - need);
  }
}

}  // namespace

bool LooksLikeInputFontFile(const uint8_t* data, size_t size) {
  return size >= kFileTypeSize &&
         (std::memcmp(data, kSbcsMagic, kFileTypeSize) == 0 ||
          std::memcmp(data, kDbcsMagic, kFileTypeSize) == 0);
}

void ReadInputFontFile(const uint8_t* data, size_t size, ShownFont* font,
                       ProblemList* problems) {
  font->fileSize = size;
  font->glyphs.clear();
  font->header = InputHeader{};
  const bool dbcs =
      size >= kFileTypeSize && std::memcmp(data, kDbcsMagic, kFileTypeSize) == 0;
  font->fileKind = dbcs ? FontFileKind::kDbcsInput : FontFileKind::kSbcsInput;
  const size_t header_size = dbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
  if (size < header_size) {
    AddProblem(problems, size, "header cut short: %zu of %zu bytes", size,
               header_size);
    return;
  }
  InputHeader& h = font->header;
  h.version = DecodeFixed16(data + kVersionOffset);
  h.codePage = DecodeFixed16(data + kHeaderCodePageOffset);
  h.firstChar = DecodeFixed16(data + kFirstCharOffset);
  h.lastChar = DecodeFixed16(data + kLastCharOffset);
  h.width = DecodeFixed32(data + kWidthOffset);
  h.height = DecodeFixed32(data + kHeightOffset);

  if (!dbcs) {
    h.thermalAccepted = SbcsThermalAccepts(h.width, h.height);
    h.impactAccepted = SbcsImpactAccepts(h.width, h.height);
    CheckSbcsSize(h, problems);
    if (!h.thermalAccepted && !h.impactAccepted) return;
    h.glyphSize = static_cast<size_t>(kFileRowSize) * h.height;
    h.glyphCount =
        h.lastChar >= h.firstChar ? h.lastChar - h.firstChar + 1u : 0u;
    CheckBody(size, header_size, h, problems);
    for (size_t i = 0; i < h.glyphCount; ++i) {
      const size_t at = header_size + i * h.glyphSize;
      if (size - at < h.glyphSize) break;
      font->glyphs.push_back(MakeGlyph(
          data, at, kKindSbcs, static_cast<uint16_t>(h.firstChar + i), h));
    }
    return;
  }

  for (int v = 0; v < kVectorCount; ++v) {
    std::memcpy(h.vectors[v], data + kCodePageVector1Offset + v * kVectorSize,
                kVectorSize);
  }
  h.thermalAccepted = DbcsThermalAccepts(h.width, h.height);
  h.impactAccepted = DbcsImpactAccepts(h.width, h.height);
  CheckDbcsSize(h, problems);
  if (!h.thermalAccepted && !h.impactAccepted) return;
  h.glyphSize = h.width == kDbcsThermalSize
                    ? kDbcsWideGlyphSize
                    : static_cast<size_t>(kFileRowSize) * h.height;
  ForEachDbcsCode(h, [&h](uint16_t) { ++h.glyphCount; });
  CheckBody(size, header_size, h, problems);
  size_t at = header_size;
  ForEachDbcsCode(h, [&](uint16_t code) {
    if (at <= size && size - at >= h.glyphSize) {
      font->glyphs.push_back(MakeGlyph(data, at, kKindDbcs, code, h));
    }
    at += h.glyphSize;
  });
}
