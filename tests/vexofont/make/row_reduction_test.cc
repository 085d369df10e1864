#include "vexofont/make/row_reduction.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "make_test_support.h"

namespace vexo {

namespace {

// Rows with three neighbouring dots, counted as runs of such rows.
int Bars(const GlyphRows& rows) {
  int bars = 0;
  bool inBar = false;
  for (uint32_t row : rows) {
    const bool bar = (row & (row << 1) & (row << 2)) != 0;
    bars += bar && !inBar;
    inBar = bar;
  }
  return bars;
}

// Every dot of the 16-row drawing is in the reduction, in order: each
// source row lands whole in one new row, and the new rows take the
// source rows in turn.
void ExpectEveryDotKept(const GlyphRows& from, const GlyphRows& to) {
  size_t at = 0;
  for (uint32_t row : from) {
    while (at < to.size() && (to[at] & row) != row) ++at;
    ASSERT_LT(at, to.size()) << "a source row lost dots";
  }
}

const std::vector<std::string> kStem = {
    // 牛-like: the stem rises above the top bar.
    ".......#........", ".......#........", ".......#........",
    ".......#........", "..###########...", ".......#........",
    ".......#........", ".......#........", ".......#........",
    ".......#........", "##############..", ".......#........",
    ".......#........", ".......#........", ".......#........",
    "................"};

TEST(RowReductionTest, BarsAndTheInkBetweenThemStayApart) {
  struct Case {
    const char* name;
    std::vector<std::string> picture;
    int bars;
  };
  const Case kCases[] = {
      {"three bars, one and two rows thick",
       {"................", "..##########....", "................",
        "................", "................", "................",
        "...########.....", "...########.....", "................",
        "................", "................", "................",
        ".##############.", ".##############.", "................",
        "................"},
       3},
      {"four bars a row apart",
       {"................", "................", "##############..",
        "................", "##############..", "................",
        "##############..", "................", "##############..",
        "................", "................", "................",
        "................", "................", "................",
        "................"},
       4},
      {"a stem above two bars", kStem, 2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const GlyphRows from = Rows(c.picture);
    const GlyphRows to = ReduceRows(from, 9);
    ASSERT_EQ(to.size(), 9u);
    EXPECT_EQ(Bars(to), c.bars);
    ExpectEveryDotKept(from, to);
  }
}

// 牛 and 午 differ only in the stem above the top bar: so do their
// reductions.
TEST(RowReductionTest, AStemAboveTheBarSurvives) {
  std::vector<std::string> noStem = kStem;
  for (int r = 0; r < 4; ++r) noStem[r] = "................";
  const GlyphRows with = ReduceRows(Rows(kStem), 9);
  const GlyphRows without = ReduceRows(Rows(noStem), 9);
  EXPECT_NE(with, without);
  // Above the first bar row, ink only where the stem is.
  EXPECT_NE(with[0], 0u);
  EXPECT_EQ(Bars(GlyphRows(with.begin(), with.begin() + 1)), 0);
}

// Blank rows go with the ink: nine different rows of ink among seven
// blank ones (two above, two in the middle, three below) come out as
// themselves.
TEST(RowReductionTest, BlankRowsAreMergedFirst) {
  GlyphRows from(16, 0);
  GlyphRows ink;
  const int kInkRows[] = {2, 3, 4, 5, 6, 9, 10, 11, 12};
  for (int r = 0; r < 9; ++r) {
    const uint32_t row = 0x80000000u >> (r + 2) | 0x00010000u << (r % 3);
    from[kInkRows[r]] = row;
    ink.push_back(row);
  }
  EXPECT_EQ(ReduceRows(from, 9), ink);
}

TEST(RowReductionTest, RandomDrawingsKeepEveryDot) {
  uint32_t state = 12345;
  for (int n = 0; n < 200; ++n) {
    GlyphRows from(16);
    for (uint32_t& row : from) {
      state = state * 1664525u + 1013904223u;
      row = state & 0xFFFF0000u;
    }
    const GlyphRows to = ReduceRows(from, 9);
    ASSERT_EQ(to.size(), 9u);
    ExpectEveryDotKept(from, to);
  }
}

TEST(RowReductionTest, RowsItCannotReduceComeBackAsTheyAre) {
  const GlyphRows nine(9, 0xF0000000u);
  EXPECT_EQ(ReduceRows(nine, 9), nine);
  const GlyphRows many(40, 0xF0000000u);
  EXPECT_EQ(ReduceRows(many, 9), many);
  EXPECT_EQ(ReduceRows(nine, 0), nine);
}

}  // namespace

}  // namespace vexo
