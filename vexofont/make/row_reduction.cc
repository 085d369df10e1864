#include "vexofont/make/row_reduction.h"

#include <algorithm>
#include <cstdint>

namespace vexo {

namespace {

constexpr int kMaxGroup = 4;

enum RowClass { kBlank, kInk, kBar };

// A bar: three neighbouring dots.
RowClass ClassOf(const DotLine& row) {
  if (row.none()) return kBlank;
  return (row & (row << 1) & (row << 2)).any() ? kBar : kInk;
}

int Dots(const DotLine& row) { return static_cast<int>(row.count()); }

// What the rows so far leave behind: whether the last new row is a bar,
// and whether the run of other rows since the last bar has ink.
struct Tail {
  bool bar = false;
  bool ink = false;
  int Index() const { return (bar ? 2 : 0) + (ink ? 1 : 0); }
};

// The score of one more new row of class `c` after `tail`: 1 when it
// starts a bar, or is the first ink of a run between bars.
int Added(RowClass c, Tail* tail) {
  if (c == kBar) {
    const int added = tail->bar ? 0 : 1;
    *tail = {true, false};
    return added;
  }
  if (tail->bar) *tail = {false, false};
  if (c != kInk || tail->ink) return 0;
  tail->ink = true;
  return 1;
}

struct Reducer {
  const std::vector<DotLine>& rows;
  int toRows;
  // best[i][g][tail]: the best value of grouping rows i on into toRows - g
  // new rows; choice: the size of the first group.
  std::vector<long> best;
  std::vector<int> choice;
  std::vector<bool> known;

  int n() const { return static_cast<int>(rows.size()); }
  size_t At(int i, int g, int tail) const {
    return (static_cast<size_t>(i) * (toRows + 1) + g) * 4 + tail;
  }

  // Structure counts a thousand times a dot.
  long Value(int i, int g, Tail tail) {
    if (g == toRows) return i == n() ? 0 : -1000000;
    const size_t at = At(i, g, tail.Index());
    if (known[at]) return best[at];
    long top = -1000000;
    int topSize = 1;
    DotLine merged;
    RowClass group = kBlank;  // the most of its rows: a bar merged from
                              // dots of other rows is no bar
    for (int size = 1; size <= kMaxGroup && i + size <= n(); ++size) {
      merged |= rows[i + size - 1];
      group = std::max(group, ClassOf(rows[i + size - 1]));
      long lost = 0;
      // What each row of ink gains from the others; a blank row loses
      // nothing.
      for (int k = i; k < i + size; ++k) {
        if (rows[k].any()) lost += Dots(merged ^ rows[k]);
      }
      Tail next = tail;
      const long value =
          1000L * Added(group, &next) - lost + Value(i + size, g + 1, next);
      if (value > top) {
        top = value;
        topSize = size;
      }
    }
    known[at] = true;
    best[at] = top;
    choice[at] = topSize;
    return top;
  }
};

}  // namespace

std::vector<DotLine> ReduceLines(const std::vector<DotLine>& rows, int toRows) {
  const int n = static_cast<int>(rows.size());
  if (toRows <= 0 || n <= toRows || n > kMaxGroup * toRows) return rows;
  Reducer reducer{rows, toRows, {}, {}, {}};
  const size_t states = static_cast<size_t>(n + 1) * (toRows + 1) * 4;
  reducer.best.assign(states, 0);
  reducer.choice.assign(states, 1);
  reducer.known.assign(states, false);
  Tail tail;
  reducer.Value(0, 0, tail);
  std::vector<DotLine> reduced;
  for (int i = 0, g = 0; g < toRows; ++g) {
    const int size = reducer.choice[reducer.At(i, g, tail.Index())];
    DotLine merged;
    RowClass group = kBlank;
    for (int k = i; k < i + size; ++k) {
      merged |= rows[k];
      group = std::max(group, ClassOf(rows[k]));
    }
    Added(group, &tail);
    reduced.push_back(merged);
    i += size;
  }
  return reduced;
}

std::vector<DotLine> ShrinkLines(std::vector<DotLine> lines, int toLines) {
  if (toLines <= 0) return lines;
  while (lines.size() > static_cast<size_t>(kMaxGroup) * toLines) {
    std::vector<DotLine> halved((lines.size() + 1) / 2);
    for (size_t i = 0; i < lines.size(); ++i) halved[i / 2] |= lines[i];
    lines = std::move(halved);
  }
  return ReduceLines(lines, toLines);
}

GlyphRows ReduceRows(const GlyphRows& rows, int toRows) {
  std::vector<DotLine> lines(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) lines[i] = DotLine(rows[i]);
  const std::vector<DotLine> reduced = ReduceLines(lines, toRows);
  GlyphRows out(reduced.size());
  for (size_t i = 0; i < reduced.size(); ++i) {
    out[i] = static_cast<uint32_t>(reduced[i].to_ullong());
  }
  return out;
}

}  // namespace vexo
