#include "vexofont/make/glyph_fit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexo {

namespace {

InkGrid Ink(const std::vector<std::string>& picture) {
  InkGrid ink;
  ink.height = static_cast<int>(picture.size());
  ink.width = static_cast<int>(picture[0].size());
  for (const std::string& line : picture) {
    for (char c : line) ink.dots.push_back(c == '#');
  }
  return ink;
}

std::vector<std::string> Picture(const DotCanvas& canvas) {
  std::vector<std::string> picture;
  for (const DotLine& row : canvas.rows) {
    std::string line;
    for (int x = 0; x < canvas.width; ++x) line += row.test(x) ? '#' : '.';
    picture.push_back(line);
  }
  return picture;
}

struct FitCase {
  const char* name;
  std::vector<std::string> ink;
  long long y;  // where the ink's top is placed; x is 0
  bool onLine;
  Fitting fitting;
  std::vector<std::string> canvas;  // 3 x 5
};

TEST(GlyphFitTest, LettersOnALineKeepTheirPlace) {
  const FitCase cases[] = {
      {"inside, as drawn", {"#.#", "###"}, 1, true, Fitting::kAsDrawn,
       {"...", "#.#", "###", "...", "..."}},
      // é one row above the cell: the accent set on the letter, the letter
      // on its rows.
      {"accent above the top", {".#.", "...", "###", "#..", "###"}, -1,
       true, Fitting::kMoved, {".#.", "###", "#..", "###", "..."}},
      {"the same not on a line moves down", {".#.", "...", "###", "#..", "###"},
       -1, false, Fitting::kMoved, {".#.", "...", "###", "#..", "###"}},
      // ç one row below the cell.
      {"cedilla below the bottom", {"###", "#..", "###", "...", ".#."}, 1, true,
       Fitting::kMoved, {"...", "###", "#..", "###", ".#."}},
      // A gap in the half away from the edge passed is no mark's.
      {"gap far from the edge", {"###", "#.#", "...", "#.#"}, -1, true,
       Fitting::kMoved, {"###", "#.#", "...", "#.#", "..."}},
      // l's ascender above the capitals: a row of its stem taken out.
      {"ascender above the top", {"##.", ".#.", ".#.", ".#.", "###"}, -1, true,
       Fitting::kShrunk, {"##.", ".#.", ".#.", "###", "..."}},
      // ì: an accent over a stem keeps its gap (closed, it would read l).
      {"mark over a stem", {".#.", "...", ".#.", ".#.", "###"}, -1, true,
       Fitting::kShrunk, {".#.", "...", ".#.", "###", "..."}},
      // è: the top of a bowl two dots wide opens out below and takes the
      // accent; the point of Á would make a spike and keeps its gap.
      {"accent over a bowl", {"#..", "...", "##.", "#.#", "###"}, -1, true,
       Fitting::kMoved, {"#..", "##.", "#.#", "###", "..."}},
      {"accent over a point", {"..#", "...", ".#.", "#.#", "#.#"}, -1, true,
       Fitting::kShrunk, {"..#", "...", ".#.", "#.#", "..."}},
      // p's descender below the cell: a row of its stem taken out, the
      // bowl kept on the line; g, whose tail has no stem, moves up whole.
      {"descender below the bottom", {"##.", "#.#", "##.", "#..", "#.."}, 1,
       true, Fitting::kShrunk, {"...", "##.", "#.#", "##.", "#.."}},
      {"no stem below the bowl", {"###", "#.#", "#.#", "..#", "##."}, 1, true,
       Fitting::kMoved, {"###", "#.#", "#.#", "..#", "##."}},
      // A mark no taller than half the cell (a comma) keeps its head on the
      // line, one row shorter.
      {"comma below the bottom", {"##.", "##."}, 4, true, Fitting::kShrunk,
       {"...", "...", "...", "...", "##."}},
      {"taller than the cell", {"#..", "#..", "#..", "#..", "#..", "###"}, 0,
       true, Fitting::kShrunk, {"#..", "#..", "#..", "#..", "###"}},
  };
  for (const FitCase& c : cases) {
    DotCanvas canvas;
    canvas.width = 3;
    canvas.height = 5;
    EXPECT_EQ(FitInk(Ink(c.ink), 0, c.y, &canvas, c.onLine), c.fitting)
        << c.name;
    EXPECT_EQ(Picture(canvas), c.canvas) << c.name;
  }
}

}  // namespace

}  // namespace vexo
