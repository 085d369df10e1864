#include "fontinput/glyph_bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace vexo {

namespace {

// A glyph unpacks into a record's field with the next field right after
// it: nothing past the rows may be written, at any row width. And a glyph
// is blank by its taken bytes only.
TEST(GlyphBitmapTest, UnpackWritesTheRowsAndNothingPastThem) {
  for (int bytes_per_row = 1; bytes_per_row <= 4; ++bytes_per_row) {
    for (int height : {1, 9, 16, 24, 32}) {
      SCOPED_TRACE(bytes_per_row * 100 + height);
      std::vector<uint8_t> file(static_cast<size_t>(kFileRowSize * height));
      for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i + 1);
      if (height * bytes_per_row > kBitmapBufferSize) continue;
      std::vector<uint8_t> bitmap(kBitmapBufferSize + 8, 0xAA);
      const int length =
          UnpackGlyphRows(file.data(), height, bytes_per_row, bitmap.data());
      ASSERT_EQ(length, height * bytes_per_row);
      for (int r = 0; r < height; ++r) {
        for (int k = 0; k < bytes_per_row; ++k) {
          // Top row first; the file holds the bottom row first.
          EXPECT_EQ(bitmap[static_cast<size_t>(r * bytes_per_row + k)],
                    file[static_cast<size_t>(kFileRowSize * (height - 1 - r) + k)]);
        }
      }
      for (size_t i = static_cast<size_t>(length); i < bitmap.size(); ++i) {
        EXPECT_EQ(bitmap[i], 0xAA) << "byte " << i << " past the rows";
      }
    }
  }
}

TEST(GlyphBitmapTest, BlankCountsOnlyTheTakenBytesOfEveryRow) {
  for (int bytes_per_row = 0; bytes_per_row <= 4; ++bytes_per_row) {
    for (int row = 0; row < 24; ++row) {
      for (int byte = 0; byte < kFileRowSize; ++byte) {
        std::vector<uint8_t> file(kFileRowSize * 24, 0);
        EXPECT_TRUE(FileRowsBlank(file.data(), 24, bytes_per_row));
        file[static_cast<size_t>(kFileRowSize * row + byte)] = 0x01;
        EXPECT_EQ(FileRowsBlank(file.data(), 24, bytes_per_row), byte >= bytes_per_row)
            << bytes_per_row << " " << row << " " << byte;
      }
    }
  }
}

}  // namespace

}  // namespace vexo
