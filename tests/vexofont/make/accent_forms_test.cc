#include "vexofont/make/accent_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "make_test_support.h"

namespace vexo {
namespace {

struct AccentCase {
  const char* what;
  char32_t character;
  std::vector<std::string> drawn;
  std::vector<std::string> printed;  // empty: as drawn
};

TEST(AccentFormsTest, UprightAccentSlantsItsWay) {
  const AccentCase cases[] = {
      {"acute: the top dot right",
       U'é', {"....#...", "....#...", "........", "...##...", "..####.."},
       {".....#..", "....#...", "........", "...##...", "..####.."}},
      {"grave: the top dot left",
       U'ù', {"...#....", "...#....", "........", "..#..#..", "...###.."},
       {"..#.....", "...#....", "........", "..#..#..", "...###.."}},
      {"capital, from the first row with ink",
       U'Ó', {"........", "...#....", "...#....", "........", "..###..."},
       {"........", "....#...", "...#....", "........", "..###..."}},
      {"acute at the cell's right edge: the bottom dot left",
       U'á', {".......#", ".......#", "........", "....###."},
       {".......#", "......#.", "........", "....###."}},
      {"two dots wide", U'é', {"...##...", "...##...", "........", "..###..."}, {}},
      {"dots are no accent", U'ü', {"..#..#..", "..#..#..", "........", "..#..#.."}, {}},
      {"already slanted", U'é', {".....#..", "....#...", "........", "..###..."}, {}},
      {"one dot", U'é', {"....#...", "........", "..###..."}, {}},
      {"set on its letter, no row between: its rows of one dot", U'é',
       {"....#...", "....#...", "...##...", "..####.."},
       {".....#..", "....#...", "...##...", "..####.."}},
      {"a glyph of one column", U'í', {"....#...", "....#...", "....#..."}, {}},
      {"a circumflex is no acute", U'ê', {"....#...", "....#...", "........", "..###..."}, {}},
      {"a letter without an accent", U'l', {"...#....", "...#....", "........", "...#...."}, {}},
  };
  for (const AccentCase& c : cases) {
    SCOPED_TRACE(c.what);
    GlyphRows rows = Rows(c.drawn);
    EXPECT_EQ(SlantAccent(8, AccentOf(c.character), &rows), !c.printed.empty());
    EXPECT_EQ(rows, Rows(c.printed.empty() ? c.drawn : c.printed));
  }
}

TEST(AccentFormsTest, DotsFarOverTheirLetterComeDownToARowOverIt) {
  const AccentCase cases[] = {
      {"two rows over", U'ü', {"..#.#...", "........", "........", "..#..#.."},
       {"........", "..#.#...", "........", "..#..#.."}},
      {"the dot of i, three rows over", U'i',
       {"...#....", "........", "........", "........", "...#...."},
       {"........", "........", "...#....", "........", "...#...."}},
      {"a row over", U'ö', {"..#.#...", "........", "...##..."}, {}},
      {"two rows high", U'ä', {"..#.#...", "..#.#...", "........", "........", "..###..."}, {}},
      {"a colon is no letter", U':', {"...#....", "........", "........", "...#...."}, {}},
  };
  for (const AccentCase& c : cases) {
    SCOPED_TRACE(c.what);
    GlyphRows rows = Rows(c.drawn);
    EXPECT_EQ(LowerDots(AccentOf(c.character), &rows), !c.printed.empty());
    EXPECT_EQ(rows, Rows(c.printed.empty() ? c.drawn : c.printed));
  }
}

}  // namespace
}  // namespace vexo
