#include "vexofont/make/figure_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "make_test_support.h"

namespace vexo {
namespace {

struct FormCase {
  const char* what;
  std::vector<std::string> drawn;
  std::vector<std::string> printed;  // empty: as drawn
};

TEST(FigureFormsTest, DottedZeroPrintsPlainAndNarrowerThanO) {
  const std::vector<std::string> narrow = {
      "...##...", "..#..#..", "..#..#..", "..#..#..",
      "..#..#..", "..#..#..", "...##..."};
  const FormCase cases[] = {
      {"right of the middle: the right side closes up",
       {"...###..", "..#...#.", "..#...#.", "..#.#.#.", "..#...#.",
        "..#...#.", "...###.."},
       narrow},
      {"left of the middle: the left side closes up",
       {"..###...", ".#...#..", ".#...#..", ".#.#.#..", ".#...#..",
        ".#...#..", "..###..."},
       narrow},
      {"a column that repeats its neighbour goes, the curves kept",
       {"..####..", ".##..##.", ".#....#.", ".#..#.#.", ".#....#.",
        ".#....#.", ".##..##.", "..####.."},
       {"..###...", ".##.##..", ".#...#..", ".#...#..", ".#...#..",
        ".#...#..", ".##.##..", "..###..."}},
      {"a mark of three dots reads as a dot: kept",
       {"..#####.", ".#.....#", ".#..#..#", ".#..#..#", ".#..#..#",
        ".#.....#", "..#####."},
       {}},
      {"a plain zero is the font's", {"...##...", "..#..#..", "..#..#..",
                                      "..#..#..", "...##..."}, {}},
      {"a slash joined to the ring is the font's",
       {"..###...", ".#..##..", ".#.#.#..", ".##..#..", "..###..."}, {}},
      {"ink beside the ring is not a mark inside it",
       {"..###..#", ".#...#..", ".#.#.#..", ".#...#..", "..###..."}, {}},
  };
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.what);
    GlyphRows rows = Rows(c.drawn);
    const bool changed = NarrowPlainZero(8, &rows);
    EXPECT_EQ(changed, !c.printed.empty());
    EXPECT_EQ(rows, Rows(c.printed.empty() ? c.drawn : c.printed));
  }
}

TEST(FigureFormsTest, OneDotCommaGetsAHeadOfTwoByTwo) {
  const FormCase cases[] = {
      {"widened right and up",
       {"........", "........", "...#....", "...#....", "...#...."},
       {"........", "...##...", "...##...", "...#....", "...#...."}},
      {"a curved tail kept",
       {"........", "....#...", "....#...", "...#...."},
       {"....##..", "....##..", "....#...", "...#...."}},
      {"at the cell's edge, widened left",
       {"........", ".......#", ".......#"},
       {"......##", "......##", ".......#"}},
      {"in the top row, widened only",
       {"...#....", "...#...."}, {"...##...", "...#...."}},
      {"a head of one dot over two, slanting: made two wide",
       {"....#...", "...##...", "...#....", "..#....."},
       {"...##...", "...##...", "...#....", "..#....."}},
      {"one dot over two it does not touch is not a comma's head",
       {"..#.....", "...##...", "...#...."}, {}},
      {"a head already two dots wide is the font's",
       {"...##...", "...##...", "....#...", "...##..."}, {}},
      {"nothing drawn", {"........", "........"}, {}},
  };
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.what);
    GlyphRows rows = Rows(c.drawn);
    EXPECT_EQ(CommaWithHead(8, &rows), !c.printed.empty());
    EXPECT_EQ(rows, Rows(c.printed.empty() ? c.drawn : c.printed));
  }
}

}  // namespace
}  // namespace vexo
