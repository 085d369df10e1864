#include "fontinput/impact_columns.h"

// Each dot column runs from its bottom row up, from bit 0x80 of byte p
// towards bit 0x01, a new byte after every eight dots; the next column
// starts height/8 bytes further on, one more when a row is a single byte or
// the glyph has 9 rows. Eight dot columns (one byte of every row) are
// gathered at once in 64-bit words, one byte lane per column.

namespace {

// Lane i (byte i, from the lowest) of kSpread[b] is 1 when bit 0x80 >> i of
// b is set: the eight dots of a row byte spread over the eight dot columns
// that byte covers.
struct SpreadTable {
  uint64_t lanes[256];
  constexpr SpreadTable() : lanes() {
    for (int b = 0; b < 256; ++b) {
      for (int i = 0; i < 8; ++i) {
        if (b & (0x80 >> i)) lanes[b] |= uint64_t{1} << (8 * i);
      }
    }
  }
};
constexpr SpreadTable kSpread;

}  // namespace

int ConvertToImpactColumns(const uint8_t* bitmap, uint8_t* columns, int width,
                           int height) {
  if (width < 0 || width > kMaxConvertWidth || height < 0 ||
      height > kMaxConvertHeight) {
    return 0;
  }
  const int bytes_per_row = width / 8;
  const int full_bytes = height / 8;           // bytes p moves over per column
  const int column_bytes = (height + 7) / 8;   // bytes a column touches
  const int step = full_bytes + (bytes_per_row == 1 || height == 9 ? 1 : 0);
  int p = 0;
  for (int k = 0; k < bytes_per_row; ++k) {
    // out[j], lane i: byte j of dot column 8k + i, dots from the bottom row
    // up, the first of each eight at bit 0x80.
    uint64_t out[kMaxConvertHeight / 8] = {};
    for (int d = 0; d < height; ++d) {
      const uint8_t row_byte = bitmap[(height - 1 - d) * bytes_per_row + k];
      out[d / 8] |= kSpread.lanes[row_byte] << (7 - d % 8);
    }
    for (int i = 0; i < 8; ++i) {
      for (int j = 0; j < column_bytes; ++j) {
        columns[p + j] |= static_cast<uint8_t>(out[j] >> (8 * i));
      }
      p += step;
    }
  }
  return p;
}
