#include "vexofont/make/source_bitmap.h"

#include <algorithm>
#include <cstdlib>

namespace vexo {

unsigned char* TopRow(const FT_Bitmap& bitmap) {
  unsigned char* top = bitmap.buffer;
  if (bitmap.pitch < 0 && bitmap.rows > 0) {
    top -= static_cast<long>(bitmap.rows - 1) * bitmap.pitch;
  }
  return top;
}

bool DotSet(const FT_Bitmap& bitmap, const unsigned char* top, int x, int y,
            int threshold) {
  const unsigned char* row = top + static_cast<long>(y) * bitmap.pitch;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    return (row[x >> 3] & (0x80 >> (x & 7))) != 0;
  }
  if (threshold <= 0 || bitmap.num_grays < 2) {
    return 2 * static_cast<int>(row[x]) >= bitmap.num_grays;
  }
  return static_cast<int>(row[x]) * 255 >= threshold * (bitmap.num_grays - 1);
}

bool Broken(const FT_Bitmap& bitmap) {
  if (bitmap.width == 0 || bitmap.rows == 0) return false;
  return bitmap.buffer == nullptr ||
         static_cast<int>(bitmap.width) > kMaxSourceBitmapSide ||
         static_cast<int>(bitmap.rows) > kMaxSourceBitmapSide;
}

void InkColumns(const FT_Bitmap& bitmap, const unsigned char* top,
                int threshold, int* left, int* right) {
  const int width = static_cast<int>(bitmap.width);
  *left = width;
  *right = -1;
  for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
    for (int x = 0; x < width; ++x) {
      if (!DotSet(bitmap, top, x, y, threshold)) continue;
      if (x < *left) *left = x;
      if (x > *right) *right = x;
    }
  }
}

void InkRows(const FT_Bitmap& bitmap, const unsigned char* top, int threshold,
             int left, int right, int* first, int* last) {
  *first = -1;
  *last = -1;
  for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
    for (int x = left; x <= right; ++x) {
      if (!DotSet(bitmap, top, x, y, threshold)) continue;
      if (*first < 0) *first = y;
      *last = y;
      break;
    }
  }
}

void PartMark(const FT_Bitmap& bitmap, unsigned char* top, int threshold,
              int bitmapTop, const MarkApart& mark) {
  const int width = static_cast<int>(bitmap.width);
  int first = -1;
  int last = -1;
  InkRows(bitmap, top, threshold, 0, width - 1, &first, &last);
  const FT_Pos middle = (mark.upperFoot + mark.lowerTop) / 2;
  int row = -1;
  FT_Pos nearest = 0;
  for (int y = first + 1; y < last; ++y) {
    const FT_Pos centre = static_cast<FT_Pos>(bitmapTop - y) * 64 - 32;
    if (centre <= mark.lowerTop || centre >= mark.upperFoot) continue;
    bool ink = false;
    for (int x = 0; x < width && !ink; ++x) {
      ink = DotSet(bitmap, top, x, y, threshold);
    }
    if (!ink) return;  // still apart
    if (row < 0 || std::abs(centre - middle) < nearest) {
      row = y;
      nearest = std::abs(centre - middle);
    }
  }
  if (row < 0) return;
  unsigned char* dots = top + static_cast<long>(row) * bitmap.pitch;
  std::fill(dots, dots + std::abs(bitmap.pitch), 0);
}

void BringDownRoundTop(const FT_Bitmap& bitmap, unsigned char* top,
                       int threshold, int bitmapTop, int rows) {
  const int width = static_cast<int>(bitmap.width);
  int first = -1;
  int last = -1;
  InkRows(bitmap, top, threshold, 0, width - 1, &first, &last);
  if (first < 0 || first == last || bitmapTop - first != rows + 1) return;
  int dots = 0;
  for (int x = 0; x < width; ++x) {
    dots += DotSet(bitmap, top, x, first, threshold) ? 1 : 0;
  }
  if (dots > kRoundTopDots) return;
  unsigned char* over = top + static_cast<long>(first) * bitmap.pitch;
  unsigned char* under = over + bitmap.pitch;
  for (int i = 0; i < std::abs(bitmap.pitch); ++i) {
    under[i] = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                   ? static_cast<unsigned char>(under[i] | over[i])
                   : std::max(under[i], over[i]);
    over[i] = 0;
  }
}

void JoinStemFoot(const FT_Bitmap& bitmap, unsigned char* top, int threshold) {
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return;
  const int width = static_cast<int>(bitmap.width);
  int first = -1;
  int last = -1;
  InkRows(bitmap, top, threshold, 0, width - 1, &first, &last);
  if (first < 0 || last - first < 3) return;
  const auto ink = [&](int x, int y) {
    return x >= 0 && x < width && DotSet(bitmap, top, x, y, threshold);
  };
  // The bowl's bottom is the last row's first run of ink (not a bar
  // between legs, as in Д or №), two dots or more; the notch ends it.
  int start = 0;
  while (start < width && !ink(start, last)) ++start;
  int x = start;
  while (x < width && ink(x, last)) ++x;
  if (x - start < 2 || !ink(x + 1, last) || ink(x + 2, last)) return;
  // The stem over the notch, the counter over the bowl's bottom, and the
  // tail standing alone.
  if (!ink(x, last - 1) || !ink(x, last - 2) || !ink(x, last - 3) ||
      ink(x - 2, last - 1) || ink(x - 1, last - 1) || ink(x + 1, last - 1)) {
    return;
  }
  unsigned char* bottom = top + static_cast<long>(last) * bitmap.pitch;
  bottom[x >> 3] =
      static_cast<unsigned char>(bottom[x >> 3] | (0x80 >> (x & 7)));
}

void MendBitmap(const FT_Bitmap& bitmap, int threshold, int bitmapTop,
                const MarkApart& mark, int roundTopRows, bool letters) {
  if (bitmap.rows == 0 || bitmap.buffer == nullptr) return;
  unsigned char* top = TopRow(bitmap);
  if (mark.found && bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
    PartMark(bitmap, top, threshold, bitmapTop, mark);
  }
  if (roundTopRows >= 0) {
    BringDownRoundTop(bitmap, top, threshold, bitmapTop, roundTopRows);
  }
  if (letters) JoinStemFoot(bitmap, top, threshold);
}

InkGrid InkGridOf(const FT_Bitmap& bitmap, const unsigned char* top,
                  int threshold, int left, int right, int first, int last) {
  InkGrid ink;
  ink.width = right - left + 1;
  ink.height = last - first + 1;
  ink.dots.assign(static_cast<size_t>(ink.width) * ink.height, 0);
  for (int y = 0; y < ink.height; ++y) {
    for (int x = 0; x < ink.width; ++x) {
      ink.dots[static_cast<size_t>(y) * ink.width + x] =
          DotSet(bitmap, top, left + x, first + y, threshold) ? 1 : 0;
    }
  }
  return ink;
}

}  // namespace vexo
