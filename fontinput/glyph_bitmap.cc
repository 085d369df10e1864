#include "fontinput/glyph_bitmap.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vexo {

namespace {

// Widest picture line: 3 bytes of a DBCS thermal row, or 16 dot columns.
constexpr int kMaxPictureLine = 32;

void AppendBits(uint8_t byte, char* line, int* length) {
  for (int mask = 0x80; mask != 0; mask >>= 1) {
    line[(*length)++] = (byte & mask) ? 'X' : '.';
  }
}

// Copies with a constant size compile to plain moves; a call per row would
// cost more than the copy itself. Three-byte rows are moved as four bytes,
// one move instead of two, the fourth byte overwritten by the next row; the
// last row is moved as its three, so that nothing past the rows is written.
// With kHeight 0 the height is the argument; otherwise it is kHeight, known
// when compiling, and the loop unrolls (the 24-row DBCS thermal and SBCS
// thermal glyphs that most files hold).
template <int kBytesPerRow, int kHeight = 0>
int UnpackRows(const uint8_t* fileRows, int runtimeHeight, uint8_t* bitmap) {
  const int height = kHeight > 0 ? kHeight : runtimeHeight;
  constexpr int kMove = kBytesPerRow == 3 ? 4 : kBytesPerRow;
  static_assert(32 * 3 + 1 <= kBitmapBufferSize);
  int length = 0;
#if defined(__GNUC__)
#pragma GCC unroll 32
#endif
  for (int r = height - 1; r >= 1; --r) {
    std::memcpy(bitmap + length, fileRows + kFileRowSize * r, kMove);
    length += kBytesPerRow;
  }
  if (height > 0) {
    std::memcpy(bitmap + length, fileRows, kBytesPerRow);
    length += kBytesPerRow;
  }
  return length;
}

}  // namespace

int UnpackGlyphRows(const uint8_t* fileRows, int height, int bytesPerRow,
                    uint8_t* bitmap) {
  if (height == 24 && bytesPerRow == 3) return UnpackRows<3, 24>(fileRows, 24, bitmap);
  if (height == 24 && bytesPerRow == 2) return UnpackRows<2, 24>(fileRows, 24, bitmap);
  switch (bytesPerRow) {
    case 0:
      return 0;
    case 1:
      return UnpackRows<1>(fileRows, height, bitmap);
    case 2:
      return UnpackRows<2>(fileRows, height, bitmap);
    case 3:
      return UnpackRows<3>(fileRows, height, bitmap);
    default:
      return UnpackRows<4>(fileRows, height, bitmap);
  }
}

bool FileRowsBlank(const uint8_t* fileRows, int height, int bytesPerRow) {
  // The taken bytes of a row are its first ones: the low bytes of the row
  // read as a little-endian number.
  const uint32_t taken =
      bytesPerRow >= 4 ? 0xFFFFFFFFu
                       : (uint32_t{1} << (8 * std::max(bytesPerRow, 0))) - 1;
  for (int r = 0; r < height; ++r) {
    const uint8_t* row = fileRows + kFileRowSize * r;
    const uint32_t word = uint32_t{row[0]} | uint32_t{row[1]} << 8 |
                          uint32_t{row[2]} << 16 | uint32_t{row[3]} << 24;
    if ((word & taken) != 0) return false;
  }
  return true;
}

void PrintRowPicture(const uint8_t* bitmap, int height, int bytesPerRow,
                     int shown) {
  char line[kMaxPictureLine + 2];
  for (int r = 0; r < height; ++r) {
    int length = 0;
    for (int k = 0; k < shown; ++k) {
      AppendBits(bitmap[r * bytesPerRow + k], line, &length);
    }
    line[length++] = '\n';
    std::fwrite(line, 1, length, stdout);
  }
}

void PrintColumnPicture(const uint8_t* columns, int width, int height) {
  const int topBand = height / 8 > 1 ? 1 : height / 8;
  char line[kMaxPictureLine + 2];
  for (int band = topBand; band >= 0; --band) {
    for (int bit = 0x01; bit <= 0x80; bit <<= 1) {
      int length = 0;
      for (int x = 0; x < width; ++x) {
        line[length++] = (columns[(topBand + 1) * x + band] & bit) ? 'X' : '.';
      }
      line[length++] = '\n';
      std::fwrite(line, 1, length, stdout);
    }
  }
}

void PrintHexBytes(const uint8_t* bytes, int count) {
  static const char kDigits[] = "0123456789abcdef";
  char text[2 * kBitmapBufferSize];
  int length = 0;
  for (int i = 0; i < count; ++i) {
    text[length++] = kDigits[bytes[i] >> 4];
    text[length++] = kDigits[bytes[i] & 0x0F];
    if (length == sizeof(text)) {
      std::fwrite(text, 1, length, stdout);
      length = 0;
    }
  }
  std::fwrite(text, 1, length, stdout);
}

}  // namespace vexo
