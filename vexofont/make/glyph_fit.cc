#include "vexofont/make/glyph_fit.h"

#include <algorithm>

namespace vexo {

namespace {

// Neighbouring columns (or rows) merged pairwise: no dot lost, the shape
// kept roughly.
InkGrid Halved(const InkGrid& ink, bool columns) {
  InkGrid out;
  out.width = columns ? (ink.width + 1) / 2 : ink.width;
  out.height = columns ? ink.height : (ink.height + 1) / 2;
  out.dots.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (int y = 0; y < ink.height; ++y) {
    for (int x = 0; x < ink.width; ++x) {
      if (!ink.At(x, y)) continue;
      const int tx = columns ? x / 2 : x;
      const int ty = columns ? y : y / 2;
      out.dots[static_cast<size_t>(ty) * out.width + tx] = 1;
    }
  }
  return out;
}

// The lines of the grid: its columns (`columns`) or its rows.
std::vector<DotLine> LinesOf(const InkGrid& ink, bool columns) {
  std::vector<DotLine> lines(columns ? ink.width : ink.height);
  for (int y = 0; y < ink.height; ++y) {
    for (int x = 0; x < ink.width; ++x) {
      if (ink.At(x, y)) lines[columns ? x : y].set(columns ? y : x);
    }
  }
  return lines;
}

InkGrid GridOf(const std::vector<DotLine>& lines, bool columns, int across) {
  InkGrid out;
  out.width = columns ? static_cast<int>(lines.size()) : across;
  out.height = columns ? across : static_cast<int>(lines.size());
  out.dots.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      if (lines[columns ? x : y].test(columns ? y : x)) {
        out.dots[static_cast<size_t>(y) * out.width + x] = 1;
      }
    }
  }
  return out;
}

// Where ink `extent` dots long, placed at `at`, lies on a side `side` dots
// long: as placed when inside, else moved in by the least.
long long Within(long long at, int extent, int side) {
  return std::clamp<long long>(at, 0, side - extent);
}

// Whether row `y` of the grid is blank.
bool BlankRow(const InkGrid& ink, int y) {
  for (int x = 0; x < ink.width; ++x) {
    if (ink.At(x, y)) return false;
  }
  return true;
}

// The grid without row `y`.
InkGrid WithoutRow(const InkGrid& ink, int y) {
  InkGrid out = ink;
  const auto from = out.dots.begin() + static_cast<long>(y) * ink.width;
  out.dots.erase(from, from + ink.width);
  --out.height;
  return out;
}

// The row to take out of the longest run of equal rows with ink (a stem's),
// from its middle, of the runs that start at row `from` or below; -1 when
// there is none. Of runs equally long, the top one, or with `lowest` the
// bottom one: the run nearest the edge the ink passes (an ascender's, a
// descender's).
int RowOfLongestRun(const InkGrid& ink, bool lowest, int from) {
  const auto row = [&ink](int y) {
    return ink.dots.begin() + static_cast<long>(y) * ink.width;
  };
  int best = -1;
  int bestLength = 1;
  for (int start = 0; start < ink.height;) {
    int end = start + 1;
    while (end < ink.height &&
           std::equal(row(start), row(start) + ink.width, row(end))) {
      ++end;
    }
    const bool longer = end - start > bestLength ||
                        (lowest && best >= 0 && end - start == bestLength);
    if (longer && start >= from && !BlankRow(ink, start)) {
      bestLength = end - start;
      best = start + bestLength / 2;
    }
    start = end;
  }
  return best;
}

// Whether row `y` of the grid is a stem's top or a point: one dot, or two
// side by side with the row below inside them. A mark set on it would
// join it: the dot of i or the accent of ì into a stem read as l or 1,
// the accent of Á into a spike. The top of a bowl two dots wide (e, o)
// opens out below, and takes its accent.
bool OnAStem(const InkGrid& ink, int y) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < ink.width; ++x) {
    if (!ink.At(x, y)) continue;
    if (first < 0) first = x;
    last = x;
  }
  if (first < 0 || last - first > 1) return false;
  if (first == last) return true;
  for (int x = 0; y + 1 < ink.height && x < ink.width; ++x) {
    if (ink.At(x, y + 1) && (x < first || x > last)) return false;
  }
  return true;
}

// Ink that passes the canvas's top (or bottom) by a few rows, with a blank
// row between a mark and its letter on that side (the accent of é, the
// cedilla of ç): the blank rows nearest that edge are taken out, the mark
// set on its letter, so that the letter keeps its place on the line rather
// than moving off it (bench/legibility). Only gaps in the half of the ink
// on that side, never more rows than pass the edge, and never above a
// stem (OnAStem); *top follows.
InkGrid ClosedGaps(InkGrid ink, long long* top, int ch) {
  long long over = -*top;
  for (int r = 1; over > 0 && r < ink.height / 2;) {
    if (BlankRow(ink, r) && !OnAStem(ink, r + 1)) {
      ink = WithoutRow(ink, r);
      ++*top;
      --over;
    } else {
      ++r;
    }
  }
  long long under = *top + ink.height - ch;
  for (int r = ink.height - 2; under > 0 && r >= (ink.height + 1) / 2; --r) {
    if (BlankRow(ink, r)) {
      ink = WithoutRow(ink, r);
      --under;
    }
  }
  return ink;
}

enum class RowFit { kAsPlaced, kClosed, kShrunk };

// The ink's rows fitted to a canvas `ch` rows high, its top at *top: ink
// taller than the canvas drawn smaller to fill it (an accented capital
// reads better so than kept on the line and squeezed, bench/legibility).
// A letter on a line that passes the top or the bottom has its gaps
// closed (ClosedGaps), then, if it still passes the top (the ascender of
// l or b above the capitals), a row of a stem taken out for each row
// over: it keeps its foot on the line, one row shorter. Passing the
// bottom, a row of a stem in its lower half (the descender of p, q, y)
// goes likewise: the bowl stays on the line rather than standing a row
// above the other letters; ink no taller than half the canvas (a comma)
// gives a row wherever it has a run, its head kept on the line. The
// caller moves the rest in: g, whose tail has no stem, moves up whole
// (with a row of its bowl taken, a serifed p or q reads as a capital).
InkGrid FitRows(InkGrid ink, long long* top, int ch, bool onLine,
                RowFit* how) {
  if (ink.height > ch) {
    *top = 0;
    *how = RowFit::kShrunk;
    return GridOf(ReduceLines(LinesOf(ink, false), ch), false, ink.width);
  }
  if (!onLine) return ink;
  const int before = ink.height;
  ink = ClosedGaps(ink, top, ch);
  if (ink.height != before) *how = RowFit::kClosed;
  for (int r; *top < 0 && (r = RowOfLongestRun(ink, false, 0)) >= 0; ++*top) {
    ink = WithoutRow(ink, r);
    *how = RowFit::kShrunk;
  }
  while (*top + ink.height > ch) {
    int r = RowOfLongestRun(ink, true, (ink.height + 1) / 2);
    if (r < 0 && 2 * ink.height <= ch) r = RowOfLongestRun(ink, true, 0);
    if (r < 0) break;
    ink = WithoutRow(ink, r);
    *how = RowFit::kShrunk;
  }
  return ink;
}

}  // namespace

Fitting FitInk(const InkGrid& source, long long x, long long y, DotCanvas* canvas,
               bool onLine) {
  canvas->rows.assign(canvas->height, DotLine());
  const int cw = canvas->width;
  const int ch = canvas->height;
  InkGrid ink = source;
  bool narrowed = false;
  // Lines longer than kMaxLineDots, or more than four times the canvas,
  // are first halved.
  while (ink.width > cw && ink.width > std::min(4 * cw, kMaxLineDots)) {
    ink = Halved(ink, true);
  }
  while (ink.height > ch && ink.height > std::min(4 * ch, kMaxLineDots)) {
    ink = Halved(ink, false);
  }
  if (ink.width > cw) {
    ink = GridOf(ReduceLines(LinesOf(ink, true), cw), true, ink.height);
    narrowed = true;
  }
  long long top = y;
  RowFit rows = RowFit::kAsPlaced;
  ink = FitRows(ink, &top, ch, onLine, &rows);
  // Shrinking an axis keeps its centre: the ink then fills that side.
  const long long nx = narrowed ? 0 : Within(x, ink.width, cw);
  const long long ny = Within(top, ink.height, ch);
  for (int iy = 0; iy < ink.height; ++iy) {
    for (int ix = 0; ix < ink.width; ++ix) {
      if (ink.At(ix, iy)) canvas->rows[ny + iy].set(nx + ix);
    }
  }
  if (narrowed || rows == RowFit::kShrunk) return Fitting::kShrunk;
  return nx == x && ny == y && rows == RowFit::kAsPlaced ? Fitting::kAsDrawn
                                                         : Fitting::kMoved;
}

GlyphRows ReduceCanvas(const DotCanvas& canvas, int width, int height) {
  std::vector<DotLine> columns(canvas.width);
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      if (canvas.rows[y].test(x)) columns[x].set(y);
    }
  }
  columns = ShrinkLines(std::move(columns), width);
  std::vector<DotLine> rows(canvas.height);
  for (size_t x = 0; x < columns.size(); ++x) {
    for (int y = 0; y < canvas.height; ++y) {
      if (columns[x].test(y)) rows[y].set(x);
    }
  }
  rows = ShrinkLines(std::move(rows), height);
  GlyphRows out(height, 0);
  for (int y = 0; y < height && y < static_cast<int>(rows.size()); ++y) {
    for (int x = 0; x < width && x < 32; ++x) {
      if (rows[y].test(x)) out[y] |= 0x80000000u >> x;
    }
  }
  return out;
}

}  // namespace vexo
