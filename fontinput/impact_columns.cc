#include "fontinput/impact_columns.h"

int ConvertToImpactColumns(const uint8_t* bitmap, uint8_t* columns, int width,
                           int height) {
  if (width < 0 || width > kMaxConvertWidth || height < 0 ||
      height > kMaxConvertHeight) {
    return 0;
  }
  const int bytes_per_row = width / 8;
  int p = 0;
  for (int x = 0; x < 8 * bytes_per_row; ++x) {
    const int k = x / 8;
    const uint8_t source_mask = static_cast<uint8_t>(0x80 >> (x % 8));
    // Every column starts at bit 0x80 of byte p, even when the column before
    // it left bits in that byte.
    uint8_t output_mask = 0x80;
    int dots = 0;
    for (int r = height - 1; r >= 0; --r) {
      if (bitmap[r * bytes_per_row + k] & source_mask) columns[p] |= output_mask;
      output_mask >>= 1;
      if (++dots % 8 == 0) {
        ++p;
        output_mask = 0x80;
      }
    }
    if (bytes_per_row == 1 || height == 9) ++p;
  }
  return p;
}
