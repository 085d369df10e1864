#include "vexofont/fontrules/stored_codes.h"

#include <algorithm>
#include <iterator>

#include "fontinput/dbcs_codes.h"
#include "fontinput/font_header.h"
#include "fontinput/glyph_bitmap.h"
#include "fontinput/glyph_size.h"

namespace vexo {

namespace {

// Whether the bytes of `glyph` that the station takes are all clear.
bool Blank(const uint8_t* glyph, int height, int bytesPerRow) {
  uint8_t bitmap[kBitmapBufferSize];
  const int m = UnpackGlyphRows(glyph, height, bytesPerRow, bitmap);
  for (int i = 0; i < m; ++i) {
    if (bitmap[i] != 0) return false;
  }
  return true;
}

}  // namespace

StoredCodes ForEachStoredCode(const uint8_t* data, size_t size, FontKind kind,
                              Station station,
                              void (*store)(void* context, int high, int low),
                              void* context) {
  StoredCodes counts;
  DbcsFontHeader header = {};
  DecodeFontHeader(data, &header);
  if (kind == FontKind::kDbcs) DecodeDbcsVectors(data, &header);
  const size_t glyphSize = FileGlyphSize(header.height);
  const int height = static_cast<int>(header.height);
  const int bytesPerRow = RowBytesTaken(kind, station, header.width);
  size_t at = kind == FontKind::kDbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
  auto next = [&]() -> const uint8_t* {
    if (size < at || size - at < glyphSize) return nullptr;
    const uint8_t* glyph = data + at;
    at += glyphSize;
    ++counts.glyphsRead;
    return glyph;
  };
  if (kind == FontKind::kSbcs) {
    if (header.lastChar >= header.firstChar) {
      counts.glyphsImplied = size_t(header.lastChar - header.firstChar) + 1;
    }
    for (unsigned c = header.firstChar; c <= header.lastChar; ++c) {
      if (next() == nullptr) break;
      store(context, 0, static_cast<int>(c & 0xFF));
    }
    return counts;
  }
  ForEachDbcsCode(header.fontVector1, header.fontVector2, header.lastChar,
                  [&counts](int, int) {
                    ++counts.glyphsImplied;
                    return true;
                  });
  ForEachDbcsCodeOfFile(
      header.fontVector1, header.fontVector2, header.lastChar,
      [&](int lead, int trail) {
        const uint8_t* glyph = next();
        if (glyph == nullptr) return false;
        // The loaders store no DBCS glyph whose taken bytes are all clear.
        if (!Blank(glyph, height, bytesPerRow)) store(context, lead, trail);
        return true;
      });
  return counts;
}

std::vector<int> DistinctStoredCodes(const uint8_t* data, size_t size, FontKind kind,
                                     Station station) {
  struct Seen {
    std::vector<bool> seen = std::vector<bool>(65536, false);
    std::vector<int> codes;
  } seen;
  ForEachStoredCode(
      data, size, kind, station,
      [](void* context, int high, int low) {
        Seen& s = *static_cast<Seen*>(context);
        const int code = high << 8 | low;
        if (s.seen[code]) return;
        s.seen[code] = true;
        s.codes.push_back(code);
      },
      &seen);
  return seen.codes;
}

std::vector<int> CodesDrawnPastPrint(const uint8_t* data, size_t size,
                                     Station station) {
  DbcsFontHeader header = {};
  DecodeFontHeader(data, &header);
  const int width = static_cast<int>(header.width);
  const int height = static_cast<int>(header.height);
  const int rowBytes = (width + 7) / 8;
  const int printed = RowBytesTaken(FontKind::kSbcs, station, header.width);
  std::vector<int> codes;
  if (printed >= rowBytes || height * rowBytes > kBitmapBufferSize)
    return codes;
  // The columns of the last byte that the width holds.
  const uint8_t lastMask =
      static_cast<uint8_t>(0xFF00 >> (width - 8 * (rowBytes - 1)));
  const size_t glyphSize = FileGlyphSize(header.height);
  size_t at = kSbcsHeaderSize;
  for (unsigned c = header.firstChar; c <= header.lastChar;
       ++c, at += glyphSize) {
    if (size < at || size - at < glyphSize) break;
    uint8_t bitmap[kBitmapBufferSize];
    UnpackGlyphRows(data + at, height, rowBytes, bitmap);
    bool past = false;
    for (int y = 0; y < height && !past; ++y) {
      for (int b = printed; b < rowBytes && !past; ++b) {
        const uint8_t mask = b == rowBytes - 1 ? lastMask : 0xFF;
        past = (bitmap[y * rowBytes + b] & mask) != 0;
      }
    }
    if (past) codes.push_back(static_cast<int>(c & 0xFF));
  }
  std::sort(codes.begin(), codes.end());
  return codes;
}

std::string SbcsImpactPrintProblem(const uint8_t* data, size_t size) {
  DbcsFontHeader header = {};
  DecodeFontHeader(data, &header);
  const int width = static_cast<int>(header.width);
  const int height = static_cast<int>(header.height);
  const ImpactPrint print = ImpactPrintOf(width, height);
  if ((print == ImpactPrint::kFirstColumns || print == ImpactPrint::kNothing) &&
      CodesDrawnPastPrint(data, size, Station::kImpact).empty()) {
    return "";
  }
  return ImpactPrintProblem(width, height);
}

SbcsBlanking::SbcsBlanking(Station station) : station_(station) {
  std::fill(std::begin(drawn_), std::end(drawn_), -1);
  std::fill(std::begin(blanked_), std::end(blanked_), -1);
}

void SbcsBlanking::Add(const uint8_t* data, size_t size) {
  const long f = static_cast<long>(fonts_++);
  if (data == nullptr) return;
  DbcsFontHeader header = {};
  DecodeFontHeader(data, &header);
  const size_t glyphSize = FileGlyphSize(header.height);
  const int bytesPerRow =
      RowBytesTaken(FontKind::kSbcs, station_, header.width);
  size_t at = kSbcsHeaderSize;
  for (unsigned c = header.firstChar; c <= header.lastChar; ++c) {
    if (size < at || size - at < glyphSize) break;
    const int code = static_cast<int>(c & 0xFF);
    if (!Blank(data + at, static_cast<int>(header.height), bytesPerRow)) {
      drawn_[code] = f;
      blanked_[code] = -1;
    } else if (drawn_[code] >= 0 && blanked_[code] < 0) {
      blanked_[code] = f;
    }
    at += glyphSize;
  }
}

std::vector<BlankedCodes> SbcsBlanking::Found() const {
  std::vector<BlankedCodes> found;
  for (int code = 0; code < 256; ++code) {
    if (blanked_[code] < 0) continue;
    const size_t by = static_cast<size_t>(drawn_[code]);
    const size_t over = static_cast<size_t>(blanked_[code]);
    auto group = std::find_if(found.begin(), found.end(), [&](const BlankedCodes& b) {
      return b.drawnBy == by && b.blankedBy == over;
    });
    if (group == found.end()) group = found.insert(found.end(), {by, over, {}});
    group->codes.push_back(code);
  }
  return found;
}

}  // namespace vexo
