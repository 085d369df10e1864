// Reduces fuzzer-made glyphs to fewer rows as `vexofont make` reduces the
// glyphs it draws on 16 rows to nine, to prove that the reduction keeps
// every dot in its order (each new row the union of one to four
// neighbouring rows, every row in one of them) and that no other grouping
// keeps more strokes apart or loses fewer dots: the rows chosen are those
// of a best grouping, found here again by trying every grouping.
//
// Input: one byte, the rows to reduce to (4 to 15), then the glyph's rows,
// four bytes each (bit 31 of the first byte's row the leftmost dot), at
// most 16.
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "vexofont/make/row_reduction.h"

namespace vexo {

namespace {

constexpr int kMaxGroup = 4;

// The reduction's measure of one grouping, written out plainly: a thousand
// for each new row that starts a horizontal stroke (three neighbouring
// dots in one of the group's rows) or is the first ink after one, less
// every dot a row of ink gains from the others of its group.
long Measure(const GlyphRows& rows, const std::vector<int>& sizes,
             GlyphRows* merged) {
  long value = 0;
  bool afterBar = false;
  bool inkSince = false;
  size_t i = 0;
  merged->clear();
  for (int size : sizes) {
    uint32_t all = 0;
    int kind = 0;  // 0 blank, 1 ink, 2 bar
    for (int k = 0; k < size; ++k) {
      const uint32_t row = rows[i + k];
      all |= row;
      const int rowKind = row == 0                          ? 0
                          : (row & (row << 1) & (row << 2)) ? 2
                                                            : 1;
      if (rowKind > kind) kind = rowKind;
    }
    for (int k = 0; k < size; ++k) {
      if (rows[i + k] != 0) value -= __builtin_popcount(all ^ rows[i + k]);
    }
    if (kind == 2) {
      if (!afterBar) value += 1000;
      afterBar = true;
      inkSince = false;
    } else {
      afterBar = false;
      if (kind == 1 && !inkSince) {
        value += 1000;
        inkSince = true;
      }
    }
    merged->push_back(all);
    i += static_cast<size_t>(size);
  }
  return value;
}

// Every grouping of the rows into `groups` groups of one to four rows:
// the best measure, and whether `reduced` is the rows of one grouping of
// that measure.
void Search(const GlyphRows& rows, const GlyphRows& reduced, int groups,
            std::vector<int>* sizes, size_t used, long* best, bool* chosenFound,
            long* chosenValue) {
  if (static_cast<int>(sizes->size()) == groups) {
    if (used != rows.size()) return;
    GlyphRows merged;
    const long value = Measure(rows, *sizes, &merged);
    if (value > *best) *best = value;
    if (merged == reduced && (!*chosenFound || value > *chosenValue)) {
      *chosenFound = true;
      *chosenValue = value;
    }
    return;
  }
  for (int size = 1; size <= kMaxGroup && used + size <= rows.size(); ++size) {
    sizes->push_back(size);
    Search(rows, reduced, groups, sizes, used + static_cast<size_t>(size), best,
           chosenFound, chosenValue);
    sizes->pop_back();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int toRows = 4 + data[0] % 12;
  GlyphRows rows;
  for (size_t at = 1; at + 4 <= size && rows.size() < 16; at += 4) {
    rows.push_back(uint32_t(data[at]) << 24 | uint32_t(data[at + 1]) << 16 |
                   uint32_t(data[at + 2]) << 8 | data[at + 3]);
  }
  const GlyphRows reduced = ReduceRows(rows, toRows);
  const int n = static_cast<int>(rows.size());
  if (n <= toRows || n > kMaxGroup * toRows) {
    FUZZ_CHECK(reduced == rows);
    return 0;
  }
  FUZZ_CHECK(static_cast<int>(reduced.size()) == toRows);
  std::vector<int> sizes;
  long best = -1000000000;
  bool found = false;
  long value = 0;
  Search(rows, reduced, toRows, &sizes, 0, &best, &found, &value);
  // The rows are one grouping's (every dot kept, in order) ...
  FUZZ_CHECK(found);
  // ... and no grouping measures better.
  FUZZ_CHECK(value == best);
  return 0;
}

}  // namespace vexo
