// Fitting a drawn glyph to its cell rather than cutting it: ink that
// passes the cell's edge is moved into the cell, and along a side where it
// is larger than the cell it is drawn smaller with the stroke-keeping
// reduction. A drawing on a larger canvas (a bitmap strike larger than the
// cell) is reduced to the cell the same way, in both directions.
#ifndef VEXOCNVT_VEXOFONT_MAKE_GLYPH_FIT_H_
#define VEXOCNVT_VEXOFONT_MAKE_GLYPH_FIT_H_

#include <cstdint>
#include <vector>

#include "fontinput/font_writer.h"
#include "vexofont/make/row_reduction.h"

namespace vexo {

// The dots of a glyph's ink box, row by row: dots[y * width + x] non-zero
// for a set dot.
struct InkGrid {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> dots;
  bool At(int x, int y) const { return dots[static_cast<size_t>(y) * width + x] != 0; }
};

// A canvas: `height` lines of `width` dots (each at most kMaxLineDots),
// bit x of a line the dot x from the left.
struct DotCanvas {
  int width = 0;
  int height = 0;
  std::vector<DotLine> rows;
};

enum class Fitting { kAsDrawn, kMoved, kShrunk };

// Sets `ink` on `canvas`, its top-left dot at (x, y), fitted: kAsDrawn when
// it lies inside as placed, kMoved when it was moved into the canvas,
// kShrunk when it was also drawn smaller along a side longer than the
// canvas's (then filling that side). A letter `onLine` (of a script set on
// a baseline) keeps its place on the line where it can: the blank rows
// between a mark and its letter closed (kMoved), a row of a stem taken out
// for each row an ascender passes the top or a descender the bottom
// (kShrunk).
Fitting FitInk(const InkGrid& ink, long long x, long long y, DotCanvas* canvas,
               bool onLine = false);

// The canvas reduced to `width` x `height` dots (no larger than it), as
// glyph rows (bit 31 the leftmost dot): columns first, then rows.
GlyphRows ReduceCanvas(const DotCanvas& canvas, int width, int height);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_GLYPH_FIT_H_
