#include "vexofont/make/cell_fill.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testkit/bdf_font.h"

namespace vexo {

namespace {

const CellSize kSizes[] = {{4, 4}, {5, 7}, {8, 9}, {8, 16}, {12, 24},
                           {16, 9}, {16, 16}, {24, 24}};

GlyphRows Draw(uint32_t c, CellSize cell) {
  GlyphRows rows;
  EXPECT_TRUE(DrawCellFilling(c, cell, &rows)) << std::hex << c;
  EXPECT_EQ(rows.size(), size_t(cell.height));
  return rows;
}

// The rows whose dot in column x is set.
std::vector<int> ColumnDots(const GlyphRows& rows, int x) {
  std::vector<int> dots;
  for (size_t y = 0; y < rows.size(); ++y) {
    if (rows[y] & (0x80000000u >> x)) dots.push_back(int(y));
  }
  return dots;
}

std::vector<int> RowDots(const GlyphRows& rows, int y) {
  std::vector<int> dots;
  for (int x = 0; x < 32; ++x) {
    if (rows[y] & (0x80000000u >> x)) dots.push_back(x);
  }
  return dots;
}

// Side by side, the right column of one glyph meets the left column of the
// next on the same rows; one above the other, the bottom row meets the top
// row of the one below; at every size (double lines from 5 dots, as they
// need 3 dots and one to spare).
TEST(CellFillTest, LinesJoinAcrossNeighbouringCells) {
  struct Pair {
    uint32_t first, second;
  };
  const Pair kAcross[] = {
      {0x2500, 0x2500}, {0x250C, 0x2500}, {0x2500, 0x2510}, {0x251C, 0x2524},
      {0x252C, 0x2534}, {0x253C, 0x253C}, {0x2501, 0x2513}, {0x2554, 0x2550},
      {0x2550, 0x2557}, {0x2560, 0x2563}, {0x2566, 0x256C}, {0x2552, 0x2555},
      {0x2553, 0x2500}, {0x2576, 0x2574}, {0x2588, 0x2588}, {0x2580, 0x2580},
  };
  const Pair kDown[] = {
      {0x2502, 0x2502}, {0x250C, 0x2502}, {0x2502, 0x2514}, {0x252C, 0x2534},
      {0x2551, 0x2551}, {0x2554, 0x255A}, {0x2557, 0x255D}, {0x2566, 0x2569},
      {0x2503, 0x2517}, {0x2577, 0x2575}, {0x2588, 0x2588}, {0x258C, 0x258C},
  };
  for (const CellSize& cell : kSizes) {
    SCOPED_TRACE(testing::Message() << cell.width << "x" << cell.height);
    const auto isDouble = [](uint32_t c) { return c >= 0x2550 && c <= 0x256C; };
    const bool doublesFit = cell.width >= 5 && cell.height >= 5;
    for (const Pair& p : kAcross) {
      if (!doublesFit && (isDouble(p.first) || isDouble(p.second))) continue;
      const GlyphRows a = Draw(p.first, cell);
      const GlyphRows b = Draw(p.second, cell);
      EXPECT_FALSE(ColumnDots(a, cell.width - 1).empty()) << std::hex << p.first;
      EXPECT_EQ(ColumnDots(a, cell.width - 1), ColumnDots(b, 0))
          << std::hex << p.first << " " << p.second;
    }
    for (const Pair& p : kDown) {
      if (!doublesFit && (isDouble(p.first) || isDouble(p.second))) continue;
      const GlyphRows a = Draw(p.first, cell);
      const GlyphRows b = Draw(p.second, cell);
      EXPECT_FALSE(RowDots(a, cell.height - 1).empty()) << std::hex << p.first;
      EXPECT_EQ(RowDots(a, cell.height - 1), RowDots(b, 0))
          << std::hex << p.first << " " << p.second;
    }
  }
}

TEST(CellFillTest, LinesRunEdgeToEdgeAndBlocksFillTheirShare) {
  for (const CellSize& cell : kSizes) {
    SCOPED_TRACE(testing::Message() << cell.width << "x" << cell.height);
    const uint32_t all = cell.width >= 32 ? 0xFFFFFFFFu
                                          : ~(0xFFFFFFFFu >> cell.width);
    int across = 0;
    for (uint32_t row : Draw(0x2500, cell)) across += row == all;
    EXPECT_EQ(across, LightLine(cell));
    for (uint32_t row : Draw(0x2502, cell)) EXPECT_NE(row, 0u);
    for (uint32_t row : Draw(0x2588, cell)) EXPECT_EQ(row, all);
    int dots = 0;
    for (uint32_t row : Draw(0x2592, cell)) dots += __builtin_popcount(row);
    EXPECT_NEAR(dots, cell.width * cell.height / 2, 1);
    const GlyphRows upper = Draw(0x2580, cell);
    const GlyphRows lower = Draw(0x2584, cell);
    for (int y = 0; y < cell.height; ++y) {
      EXPECT_EQ(upper[y] | lower[y], all) << y;  // the halves make a block
      EXPECT_EQ(upper[y] & lower[y], 0u) << y;
    }
  }
  GlyphRows rows;
  EXPECT_FALSE(DrawCellFilling(0x24FF, {8, 9}, &rows));
  EXPECT_FALSE(DrawCellFilling(0x25A0, {8, 9}, &rows));
  EXPECT_TRUE(rows.empty());
}

// Pinned pictures at the smallest impact size, light, double and heavy.
TEST(CellFillTest, PicturesAt8x9) {
  struct Case {
    uint32_t c;
    Picture picture;
  };
  const Case kCases[] = {
      {0x253C, {"....#...", "....#...", "....#...", "....#...", "########",
                "....#...", "....#...", "....#...", "....#..."}},
      {0x2554, {"........", "........", "........", "...#####", "...#....",
                "...#.###", "...#.#..", "...#.#..", "...#.#.."}},
      {0x256C, {"...#.#..", "...#.#..", "...#.#..", "####.###", "........",
                "####.###", "...#.#..", "...#.#..", "...#.#.."}},
      {0x2562, {"...#.#..", "...#.#..", "...#.#..", "...#.#..", "####.#..",
                "...#.#..", "...#.#..", "...#.#..", "...#.#.."}},
      {0x2513, {"........", "........", "........", "#####...", "#####...",
                "...##...", "...##...", "...##...", "...##..."}},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(PictureOf(Draw(c.c, {8, 9}), 8), c.picture) << std::hex << c.c;
  }
}

}  // namespace

}  // namespace vexo
