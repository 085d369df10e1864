// A glyph as dots, the way a station prints it: up to 24 dots wide and 32
// rows high, row 0 on top.
#ifndef VEXOCNVT_VEXOFONT_READERS_DOT_PICTURE_H_
#define VEXOCNVT_VEXOFONT_READERS_DOT_PICTURE_H_

#include <cstdint>

namespace vexo {

constexpr int kMaxPictureWidth = 24;
constexpr int kMaxPictureHeight = 32;

struct DotPicture {
  int width = 0;   // 0 when the glyph's size is not known
  int height = 0;
  uint32_t rows[kMaxPictureHeight] = {};  // bit 31 is the leftmost dot

  bool Dot(int x, int y) const {
    return x >= 0 && x < width && y >= 0 && y < height &&
           (rows[y] & (0x80000000u >> x)) != 0;
  }
  void Set(int x, int y) {
    if (x >= 0 && x < width && y >= 0 && y < height) {
      rows[y] |= 0x80000000u >> x;
    }
  }
  bool operator==(const DotPicture&) const = default;
};

// Clears *picture and sizes it width x height; a size beyond the limits
// above gives the empty picture (width and height 0).
void ResetPicture(int width, int height, DotPicture* picture);

// Fills *picture (width x height) from a row bitmap: rows top row first,
// `bytesPerRow` bytes each, bit 0x80 of a row's first byte the leftmost
// dot. Only the first `count` bytes exist; dots in bytes beyond them are
// clear, and so are bits beyond the width.
void PictureFromRowBitmap(const uint8_t* bitmap, int count, int bytesPerRow,
                          int width, int height, DotPicture* picture);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_READERS_DOT_PICTURE_H_
