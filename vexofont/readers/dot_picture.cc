#include "vexofont/readers/dot_picture.h"

namespace vexo {

void ResetPicture(int width, int height, DotPicture* picture) {
  *picture = DotPicture{};
  if (width <= 0 || width > kMaxPictureWidth || height <= 0 ||
      height > kMaxPictureHeight) {
    return;
  }
  picture->width = width;
  picture->height = height;
}

void PictureFromRowBitmap(const uint8_t* bitmap, int count, int bytesPerRow,
                          int width, int height, DotPicture* picture) {
  ResetPicture(width, height, picture);
  if (picture->width == 0 || bytesPerRow <= 0) return;
  for (int y = 0; y < picture->height; ++y) {
    for (int x = 0; x < picture->width && x < 8 * bytesPerRow; ++x) {
      const int at = y * bytesPerRow + x / 8;
      if (at < count && (bitmap[at] & (0x80 >> (x % 8)))) picture->Set(x, y);
    }
  }
}

}  // namespace vexo
