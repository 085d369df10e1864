#include "vexofont/make/figure_forms.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace vexo {
namespace {

bool At(const GlyphRows& rows, int x, int y) {
  return (rows[static_cast<size_t>(y)] & (0x80000000u >> x)) != 0;
}

bool SameColumns(const GlyphRows& rows, int a, int b) {
  for (size_t y = 0; y < rows.size(); ++y) {
    if (At(rows, a, static_cast<int>(y)) != At(rows, b, static_cast<int>(y))) {
      return false;
    }
  }
  return true;
}

// The glyph's ink in parts, dots joined at sides or corners: each dot's
// part (-1 for a clear dot) and the dots of each part.
struct Parts {
  std::vector<int> of;
  std::vector<int> sizes;
};

Parts PartsOf(const GlyphRows& rows, int width) {
  const int height = static_cast<int>(rows.size());
  Parts parts;
  parts.of.assign(static_cast<size_t>(width) * height, -1);
  std::vector<int> stack;
  for (int start = 0; start < width * height; ++start) {
    if (!At(rows, start % width, start / width) || parts.of[static_cast<size_t>(start)] >= 0) {
      continue;
    }
    const int id = static_cast<int>(parts.sizes.size());
    parts.sizes.push_back(0);
    parts.of[static_cast<size_t>(start)] = id;
    stack.assign(1, start);
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      ++parts.sizes.back();
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int x = at % width + dx;
          const int y = at / width + dy;
          if (x < 0 || y < 0 || x >= width || y >= height) continue;
          const int n = y * width + x;
          if (parts.of[static_cast<size_t>(n)] >= 0 || !At(rows, x, y)) continue;
          parts.of[static_cast<size_t>(n)] = id;
          stack.push_back(n);
        }
      }
    }
  }
  return parts;
}

// The largest part alone, in *ring, with its box; false unless every other
// part lies inside the box, off its edges, and they have at most
// kZeroMarkDots between them.
bool RingAround(const GlyphRows& rows, int width, const Parts& parts,
                GlyphRows* ring, int* left, int* right) {
  const int height = static_cast<int>(rows.size());
  const int largest = static_cast<int>(
      std::max_element(parts.sizes.begin(), parts.sizes.end()) - parts.sizes.begin());
  int top = height;
  int bottom = -1;
  *left = width;
  *right = -1;
  ring->assign(rows.size(), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (parts.of[static_cast<size_t>(y) * width + x] != largest) continue;
      (*ring)[static_cast<size_t>(y)] |= 0x80000000u >> x;
      *left = std::min(*left, x);
      *right = std::max(*right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  int markDots = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int part = parts.of[static_cast<size_t>(y) * width + x];
      if (part < 0 || part == largest) continue;
      if (x <= *left || x >= *right || y <= top || y >= bottom ||
          ++markDots > kZeroMarkDots) {
        return false;
      }
    }
  }
  return true;
}

// A middle column of the ring that repeats its neighbour, the nearest to
// the middle; -1 when there is none. (A ring around a mark apart from it
// is at least five columns wide.)
int ColumnToGive(const GlyphRows& ring, int left, int right) {
  int give = -1;
  for (int x = left + 1; x < right; ++x) {
    if (!SameColumns(ring, x, x - 1) && !SameColumns(ring, x, x + 1)) continue;
    if (give < 0 || std::abs(2 * x - left - right) < std::abs(2 * give - left - right)) {
      give = x;
    }
  }
  return give;
}

}  // namespace

bool NarrowPlainZero(int width, GlyphRows* rows) {
  if (width <= 0 || width > 32 || rows->empty()) return false;
  const Parts parts = PartsOf(*rows, width);
  if (parts.sizes.size() < 2) return false;
  GlyphRows ring;
  int left = 0;
  int right = 0;
  if (!RingAround(*rows, width, parts, &ring, &left, &right)) return false;
  const int give = ColumnToGive(ring, left, right);
  if (give < 0) return false;
  // The side farther from the cell's middle closes up the column given.
  const bool leftSideIn = left + right < width - 1;
  for (size_t y = 0; y < rows->size(); ++y) {
    uint32_t row = 0;
    for (int x = 0; x < width; ++x) {
      if (x == give || !At(ring, x, static_cast<int>(y))) continue;
      const int to = leftSideIn && x < give ? x + 1 : !leftSideIn && x > give ? x - 1 : x;
      row |= 0x80000000u >> to;
    }
    (*rows)[y] = row;
  }
  return true;
}

bool CommaWithHead(int width, GlyphRows* rows) {
  if (width < 2 || width > 32) return false;
  int top = -1;
  for (size_t y = 0; y < rows->size(); ++y) {
    const uint32_t row = (*rows)[y];
    if (row != 0 && top < 0) top = static_cast<int>(y);
    if ((row & (row - 1)) == 0) continue;
    // A head of one dot over a row of two side by side that holds it, the
    // stroke slanting from there: the head is made the two dots' width.
    const uint32_t low = row & (~row + 1);
    const bool pair = row == (low | (low << 1));
    const uint32_t dot = (*rows)[static_cast<size_t>(top)];
    if (static_cast<int>(y) != top + 1 || !pair || (row & dot) == 0) {
      return false;
    }
    for (size_t below = y + 1; below < rows->size(); ++below) {
      const uint32_t tail = (*rows)[below];
      if ((tail & (tail - 1)) != 0) return false;
    }
    (*rows)[static_cast<size_t>(top)] = row;
    return true;
  }
  if (top < 0) return false;
  const uint32_t dot = (*rows)[static_cast<size_t>(top)];
  const uint32_t edge = 0x80000000u >> (width - 1);
  const uint32_t head = dot | (dot == edge ? dot << 1 : dot >> 1);
  (*rows)[static_cast<size_t>(top)] = head;
  if (top > 0) (*rows)[static_cast<size_t>(top) - 1] = head;
  return true;
}

}  // namespace vexo
