#include "fontinput/impact_columns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "fontinput/glyph_size.h"

namespace vexo {

namespace {

using Dots = std::vector<std::pair<int, int>>;  // (row, dot column)
using Columns = std::array<uint8_t, kColumnBufferSize>;

// The column layout, one row per family of sizes: how far apart the columns
// start in the output, and the byte count.
struct Layout {
  int minWidth, maxWidth, minHeight, maxHeight;
  int stride;  // bytes from one column's first byte to the next one's
  int count;
};
constexpr Layout kLayouts[] = {
    {16, 16, 16, 16, 2, 32},  // rows 15..8, then 7..0
    {16, 16, 9, 9, 2, 32},    // rows 8..1, then row 0 in bit 0x80
    {16, 16, 8, 8, 1, 16},    // one byte
    {16, 16, 10, 15, 1, 16},  // the next column starts in the second byte
    {16, 16, 4, 7, 0, 0},     // every column ORed into byte 0
    {8, 15, 4, 7, 1, 8},      // one byte
    {8, 15, 8, 8, 2, 16},     // second byte 0
    {8, 15, 9, 15, 2, 16},    // rows h-9..0 in the second byte
    {8, 15, 16, 16, 3, 24},   // third byte 0
    {4, 7, 4, 16, 0, 0},      // no column is converted
};

const Layout& LayoutOf(int width, int height) {
  for (const Layout& layout : kLayouts) {
    if (width >= layout.minWidth && width <= layout.maxWidth &&
        height >= layout.minHeight && height <= layout.maxHeight) {
      return layout;
    }
  }
  ADD_FAILURE() << "no layout for " << width << "x" << height;
  return kLayouts[0];
}

// Where dot (row, column) lands: its column starts at column x stride, the
// bottom row in bit 0x80, each dot one bit lower, eight dots to a byte.
std::pair<int, uint8_t> Place(int width, int height, int row, int column) {
  const int dot = height - 1 - row;
  return {column * LayoutOf(width, height).stride + dot / 8,
          static_cast<uint8_t>(0x80 >> dot % 8)};
}

// The packed rows: width/8 bytes a row, top row first.
std::vector<uint8_t> Bitmap(int width, int height, const Dots& dots) {
  const int perRow = width / 8;
  std::vector<uint8_t> bitmap(perRow * height + 1, 0);
  for (auto [row, column] : dots) {
    bitmap[row * perRow + column / 8] |= static_cast<uint8_t>(0x80 >> column % 8);
  }
  return bitmap;
}

int Convert(int width, int height, const Dots& dots, Columns* columns) {
  const std::vector<uint8_t> bitmap = Bitmap(width, height, dots);
  return ConvertToImpactColumns(bitmap.data(), columns->data(), width, height);
}

Columns Expected(const std::map<int, uint8_t>& bytes) {
  Columns columns{};
  for (auto [index, value] : bytes) columns[index] = value;
  return columns;
}

Dots TopRow(int width) {
  Dots dots;
  for (int x = 0; x < width; ++x) dots.push_back({0, x});
  return dots;
}

Dots LeftColumn(int height) {
  Dots dots;
  for (int r = 0; r < height; ++r) dots.push_back({r, 0});
  return dots;
}

std::map<int, uint8_t> EveryOddByte(int count, uint8_t value) {
  std::map<int, uint8_t> bytes;
  for (int i = 1; i < count; i += 2) bytes[i] = value;
  return bytes;
}

TEST(ImpactColumnsTest, WorkedExamples) {
  struct Case {
    const char* name;
    int width, height;
    Dots dots;
    std::map<int, uint8_t> bytes;  // every other byte 0
    int count;
  };
  const Case kCases[] = {
      {"16x16 top-left", 16, 16, {{0, 0}}, {{1, 0x01}}, 32},
      {"16x16 bottom-left", 16, 16, {{15, 0}}, {{0, 0x80}}, 32},
      {"16x16 top-right", 16, 16, {{0, 15}}, {{31, 0x01}}, 32},
      {"16x16 bottom-right", 16, 16, {{15, 15}}, {{30, 0x80}}, 32},
      {"16x16 top row", 16, 16, TopRow(16), EveryOddByte(32, 0x01), 32},
      {"16x16 left column", 16, 16, LeftColumn(16), {{0, 0xFF}, {1, 0xFF}}, 32},
      {"16x9 top-left", 16, 9, {{0, 0}}, {{1, 0x80}}, 32},
      {"16x9 row 1", 16, 9, {{1, 0}}, {{0, 0x01}}, 32},
      {"16x9 bottom-left", 16, 9, {{8, 0}}, {{0, 0x80}}, 32},
      {"16x9 left column", 16, 9, LeftColumn(9), {{0, 0xFF}, {1, 0x80}}, 32},
      {"16x9 top row", 16, 9, TopRow(16), EveryOddByte(32, 0x80), 32},
      {"8x8 top-left", 8, 8, {{0, 0}}, {{0, 0x01}}, 16},
      {"8x12 top-left", 8, 12, {{0, 0}}, {{1, 0x10}}, 16},
      {"8x16 top-left", 8, 16, {{0, 0}}, {{1, 0x01}}, 24},
      {"16x12 top-left", 16, 12, {{0, 0}}, {{1, 0x10}}, 16},
      // The last column's top rows land beyond the count.
      {"16x12 top-right", 16, 12, {{0, 15}}, {{16, 0x10}}, 16},
      {"16x5 corners", 16, 5, {{0, 0}, {4, 15}}, {{0, 0x88}}, 0},
      {"12x9 dot right of 8", 12, 9, {{0, 7}}, {{15, 0x80}}, 16},
      {"7x16 all dots", 7, 16, LeftColumn(16), {}, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Columns columns{};
    EXPECT_EQ(Convert(c.width, c.height, c.dots, &columns), c.count);
    EXPECT_EQ(columns, Expected(c.bytes));
  }
}

// Every size the loaders pass, every single dot of the bitmap: the count is
// the layout's, and the dot shows as one bit where the layout puts it.
TEST(ImpactColumnsTest, EverySizeAndDotFollowsTheLayout) {
  for (int width = 4; width <= 16; ++width) {
    for (int height = 4; height <= 16; ++height) {
      SCOPED_TRACE(testing::Message() << width << "x" << height);
      const int count = LayoutOf(width, height).count;
      EXPECT_EQ(count, LayoutOf(width, height).stride * (width / 8) * 8);
      Columns columns{};
      EXPECT_EQ(Convert(width, height, {}, &columns), count);
      EXPECT_EQ(columns, Columns{});
      const std::vector<uint8_t> full(2 * height, 0xFF);
      EXPECT_EQ(ConvertToImpactColumns(full.data(), columns.data(), width,
                                       height), count);
      for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width / 8 * 8; ++column) {
          columns = {};
          ASSERT_EQ(Convert(width, height, {{row, column}}, &columns), count);
          const auto [index, bit] = Place(width, height, row, column);
          ASSERT_EQ(columns, Expected({{index, bit}}))
              << "row " << row << " column " << column;
        }
      }
    }
  }
}

// Many dots at once, into a buffer that already holds bits: the result is
// the old bits ORed with every dot's own bit, and the count is unchanged.
TEST(ImpactColumnsTest, DotsAreOredIntoBitsAlreadySet) {
  for (int width = 4; width <= 16; ++width) {
    for (int height = 4; height <= 16; ++height) {
      SCOPED_TRACE(testing::Message() << width << "x" << height);
      Dots dots;
      for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width / 8 * 8; ++column) {
          if ((row * 7 + column * 3) % 5 < 2) dots.push_back({row, column});
        }
      }
      Columns before;
      for (int i = 0; i < kColumnBufferSize; ++i) {
        before[i] = static_cast<uint8_t>(i * 37 % 256 & 0x5A);
      }
      Columns expected = before;
      for (auto [row, column] : dots) {
        const auto [index, bit] = Place(width, height, row, column);
        expected[index] |= bit;
      }
      Columns columns = before;
      EXPECT_EQ(Convert(width, height, dots, &columns),
                LayoutOf(width, height).count);
      EXPECT_EQ(columns, expected);
    }
  }
}

}  // namespace

namespace {

// The conversion one dot at a time, as the printer's column order reads.
int ConvertDotByDot(const uint8_t* bitmap, uint8_t* columns, int width,
                    int height) {
  const int bytesPerRow = width / 8;
  int p = 0;
  for (int x = 0; x < 8 * bytesPerRow; ++x) {
    uint8_t mask = 0x80;
    int dots = 0;
    for (int r = height - 1; r >= 0; --r) {
      if (bitmap[r * bytesPerRow + x / 8] & (0x80 >> (x % 8))) {
        columns[p] |= mask;
      }
      mask >>= 1;
      if (++dots % 8 == 0) {
        ++p;
        mask = 0x80;
      }
    }
    if (bytesPerRow == 1 || height == 9) ++p;
  }
  return p;
}

// Random glyphs at every size up to 24 x 32, into buffers that already hold
// random bits: the word-at-a-time conversion gives the same bytes and count
// as converting one dot at a time.
// What a caller must zero: every byte the conversion sets lies inside the
// span, and so does the count it returns.
TEST(ImpactColumnsTest, ConversionStaysWithinItsSpan) {
  for (int width = 0; width <= kMaxConvertWidth; ++width) {
    for (int height = 0; height <= kMaxConvertHeight; ++height) {
      uint8_t bitmap[96];
      std::memset(bitmap, 0xFF, sizeof(bitmap));
      uint8_t columns[kColumnBufferSize] = {};
      const int count = ConvertToImpactColumns(bitmap, columns, width, height);
      const int span = ImpactColumnsSpan(width, height);
      ASSERT_LE(span, kColumnBufferSize);
      EXPECT_LE(count, span) << width << "x" << height;
      int lastSet = -1;
      for (int i = 0; i < kColumnBufferSize; ++i) {
        if (columns[i] != 0) lastSet = i;
      }
      EXPECT_LT(lastSet, span) << width << "x" << height;
      // And no larger: the count or the last byte set reaches it.
      if (width >= 8 && height > 0) {
        EXPECT_EQ(std::max(count, lastSet + 1), span) << width << "x" << height;
      }
    }
  }
}

TEST(ImpactColumnsTest, MatchesDotByDotConversionAtEverySize) {
  std::mt19937 random(7);
  for (int width = 0; width <= kMaxConvertWidth; ++width) {
    for (int height = 0; height <= kMaxConvertHeight; ++height) {
      for (int trial = 0; trial < 8; ++trial) {
        uint8_t bitmap[96];
        uint8_t expected[kColumnBufferSize];
        for (uint8_t& byte : bitmap) byte = uint8_t(random());
        for (uint8_t& byte : expected) byte = trial % 2 ? uint8_t(random()) : 0;
        uint8_t actual[kColumnBufferSize];
        std::memcpy(actual, expected, sizeof(actual));
        uint8_t fromFile[kColumnBufferSize];
        std::memcpy(fromFile, expected, sizeof(fromFile));
        const int n = ConvertDotByDot(bitmap, expected, width, height);
        ASSERT_EQ(ConvertToImpactColumns(bitmap, actual, width, height), n)
            << width << "x" << height;
        ASSERT_EQ(std::memcmp(actual, expected, sizeof(actual)), 0)
            << width << "x" << height;
        // The same glyph as the file holds it: 4-byte rows, bottom first,
        // random bytes beyond the row's width / 8.
        if (height > 0 && width / 8 > 0) {
          const int bytesPerRow = width / 8;
          uint8_t fileRows[4 * kMaxConvertHeight];
          for (uint8_t& byte : fileRows) byte = uint8_t(random());
          for (int r = 0; r < height; ++r) {
            std::memcpy(fileRows + 4 * (height - 1 - r),
                        bitmap + r * bytesPerRow, bytesPerRow);
          }
          ASSERT_EQ(
              ConvertFileRowsToImpactColumns(fileRows, fromFile, width, height),
              n)
              << width << "x" << height;
          ASSERT_EQ(std::memcmp(fromFile, expected, sizeof(fromFile)), 0)
              << width << "x" << height << " from file rows";
        }
      }
    }
  }
}

// The SIMD conversion (where the platform has it) and the portable one give
// the same bytes and the same count at every size, for random glyphs and
// the all-set one, into empty buffers and into buffers with bits set.
TEST(ImpactColumnsTest, SimdAndPortableConversionsAgreeAtEverySize) {
  uint32_t state = 2024;
  for (int width = 0; width <= kMaxConvertWidth; ++width) {
    for (int height = 0; height <= kMaxConvertHeight; ++height) {
      for (int n = 0; n < 6; ++n) {
        uint8_t rows[kMaxConvertHeight * kFileRowSize];
        for (uint8_t& b : rows) {
          state = state * 1664525u + 1013904223u;
          b = n == 5 ? 0xFF : static_cast<uint8_t>(state >> 24);
        }
        // Half the time into buffers that already hold bits, which both
        // must keep.
        uint8_t fast[kColumnBufferSize] = {};
        for (int i = 0; n % 2 == 1 && i < kColumnBufferSize; ++i) {
          fast[i] = static_cast<uint8_t>(i * 37 % 256 & 0x5A);
        }
        uint8_t portable[kColumnBufferSize];
        std::memcpy(portable, fast, sizeof(fast));
        const int a = ConvertFileRowsToImpactColumns(rows, fast, width, height);
        const int b =
            ConvertFileRowsToImpactColumnsPortable(rows, portable, width, height);
        ASSERT_EQ(a, b) << width << "x" << height;
        ASSERT_EQ(std::memcmp(fast, portable, sizeof(fast)), 0)
            << width << "x" << height;
      }
    }
  }
}

}  // namespace

}  // namespace vexo
