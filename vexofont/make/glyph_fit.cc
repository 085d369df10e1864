#include "vexofont/make/glyph_fit.h"

#include <algorithm>

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

}  // namespace

Fitting FitInk(const InkGrid& source, long long x, long long y, DotCanvas* canvas) {
  canvas->rows.assign(canvas->height, DotLine());
  const int cw = canvas->width;
  const int ch = canvas->height;
  InkGrid ink = source;
  bool narrowed = false;
  bool lowered = false;
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
  if (ink.height > ch) {
    ink = GridOf(ReduceLines(LinesOf(ink, false), ch), false, ink.width);
    lowered = true;
  }
  // Shrinking an axis keeps its centre: the ink then fills that side.
  const long long nx = narrowed ? 0 : Within(x, ink.width, cw);
  const long long ny = lowered ? 0 : Within(y, ink.height, ch);
  for (int iy = 0; iy < ink.height; ++iy) {
    for (int ix = 0; ix < ink.width; ++ix) {
      if (ink.At(ix, iy)) canvas->rows[ny + iy].set(nx + ix);
    }
  }
  if (narrowed || lowered) return Fitting::kShrunk;
  return nx == x && ny == y ? Fitting::kAsDrawn : Fitting::kMoved;
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
