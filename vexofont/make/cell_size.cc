#include "vexofont/make/cell_size.h"

#include <cstddef>

#include "fontinput/glyph_size.h"

namespace vexo {

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
  if (size.width < 0 || size.height < 0) return false;
  return CheckGlyphSize(GlyphSizesFor(kind, station),
                        static_cast<uint32_t>(size.width),
                        static_cast<uint32_t>(size.height)) == SizeFault::kNone;
}

std::string AcceptedCellSizes(FontKind kind, Station station) {
  return AcceptedSizes(GlyphSizesFor(kind, station));
}

}  // namespace vexo
