#include "vexofont/make/cell_size.h"

#include <cstddef>

namespace {

// Beyond this a dimension is only ever "too large"; it stops growing here.
constexpr int kDimensionCeiling = 1000000;

// Reads one or more decimal digits starting at text[*pos]; advances *pos.
// Any number is read, so that a size out of range is reported as such.
bool ReadDimension(const std::string& text, size_t* pos, int* value) {
  int digits = 0;
  int result = 0;
  while (*pos < text.size() && text[*pos] >= '0' && text[*pos] <= '9') {
    ++digits;
    result = result * 10 + (text[*pos] - '0');
    if (result > kDimensionCeiling) result = kDimensionCeiling;
    ++*pos;
  }
  if (digits == 0) return false;
  *value = result;
  return true;
}

}  // namespace

bool ParseCellSize(const std::string& text, CellSize* size) {
  size_t pos = 0;
  CellSize parsed;
  if (!ReadDimension(text, &pos, &parsed.width)) return false;
  if (pos >= text.size() || (text[pos] != 'x' && text[pos] != 'X')) {
    return false;
  }
  ++pos;
  if (!ReadDimension(text, &pos, &parsed.height) || pos != text.size()) {
    return false;
  }
  *size = parsed;
  return true;
}

bool CellSizeAccepted(FontKind kind, Station station, CellSize size) {
  const int w = size.width;
  const int h = size.height;
  if (kind == FontKind::kSbcs && station == Station::kThermal) {
    return w >= 8 && w <= 16 && h >= 16 && h <= 32 && (w < 16 || h <= 24);
  }
  if (kind == FontKind::kSbcs) return w >= 4 && w <= 16 && h >= 4 && h <= 16;
  if (station == Station::kThermal) return w == 24 && h == 24;
  return w == 16 && (h == 16 || h == 9);
}

const char* AcceptedCellSizes(FontKind kind, Station station) {
  if (kind == FontKind::kSbcs && station == Station::kThermal) {
    return "width 8 to 16, height 16 to 32, at width 16 at most 24";
  }
  if (kind == FontKind::kSbcs) return "width 4 to 16, height 4 to 16";
  if (station == Station::kThermal) return "24x24 only";
  return "16x16 or 16x9";
}

const char* KindStationName(FontKind kind, Station station) {
  if (kind == FontKind::kSbcs) {
    return station == Station::kThermal ? "SBCS thermal" : "SBCS impact";
  }
  return station == Station::kThermal ? "DBCS thermal" : "DBCS impact";
}
