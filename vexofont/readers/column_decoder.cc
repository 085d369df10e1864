#include "vexofont/readers/column_decoder.h"

#include "fontinput/impact_columns.h"

namespace vexo {

void DecodeImpactColumns(const uint8_t* columns, int count, int width,
                         int height, DotPicture* picture) {
  ResetPicture(width, height, picture);
  if (picture->width == 0) return;
  const int bytesPerRow = width / 8;
  const int step = ImpactColumnStep(width, height);
  for (int x = 0; x < 8 * bytesPerRow; ++x) {
    int p = x * step;
    uint8_t mask = 0x80;
    int dots = 0;
    for (int r = height - 1; r >= 0; --r) {
      if (p < count && (columns[p] & mask)) picture->Set(x, r);
      mask >>= 1;
      if (++dots % 8 == 0) {
        ++p;
        mask = 0x80;
      }
    }
  }
}

}  // namespace vexo
