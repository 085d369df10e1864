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
  for (int bytesPerRow = 1; bytesPerRow <= 4; ++bytesPerRow) {
    for (int height : {1, 9, 16, 24, 32}) {
      SCOPED_TRACE(bytesPerRow * 100 + height);
      std::vector<uint8_t> file(static_cast<size_t>(kFileRowSize * height));
      for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i + 1);
      if (height * bytesPerRow > kBitmapBufferSize) continue;
      std::vector<uint8_t> bitmap(kBitmapBufferSize + 8, 0xAA);
      const int length =
          UnpackGlyphRows(file.data(), height, bytesPerRow, bitmap.data());
      ASSERT_EQ(length, height * bytesPerRow);
      for (int r = 0; r < height; ++r) {
        for (int k = 0; k < bytesPerRow; ++k) {
          // Top row first; the file holds the bottom row first.
          EXPECT_EQ(
              bitmap[static_cast<size_t>(r * bytesPerRow + k)],
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
  for (int bytesPerRow = 0; bytesPerRow <= 4; ++bytesPerRow) {
    for (int row = 0; row < 24; ++row) {
      for (int byte = 0; byte < kFileRowSize; ++byte) {
        std::vector<uint8_t> file(kFileRowSize * 24, 0);
        EXPECT_TRUE(FileRowsBlank(file.data(), 24, bytesPerRow));
        file[static_cast<size_t>(kFileRowSize * row + byte)] = 0x01;
        EXPECT_EQ(FileRowsBlank(file.data(), 24, bytesPerRow),
                  byte >= bytesPerRow)
            << bytesPerRow << " " << row << " " << byte;
      }
    }
  }
}

}  // namespace

}  // namespace vexo
