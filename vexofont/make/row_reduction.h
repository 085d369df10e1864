// Fewer rows for a drawn glyph without losing its strokes: the nine-row
// DBCS impact glyphs are drawn on a 16-row cell and reduced.
#ifndef VEXOCNVT_VEXOFONT_MAKE_ROW_REDUCTION_H_
#define VEXOCNVT_VEXOFONT_MAKE_ROW_REDUCTION_H_

#include <bitset>
#include <vector>

#include "fontinput/font_writer.h"

namespace vexo {

// A line of dots of a drawing wider or higher than a glyph cell (a large
// bitmap strike, a glyph passing its cell): up to 128 dots.
constexpr int kMaxLineDots = 128;
using DotLine = std::bitset<kMaxLineDots>;

// Reduces `rows` (top row first, bit 31 the leftmost dot) to `toRows`
// rows: each new row is the union of one to four neighbouring rows, the
// rows grouped so that as many strokes as possible stay apart. A row with
// three neighbouring dots holds a horizontal stroke; the grouping keeps
// first the number of separate horizontal strokes and of the runs of
// other ink between and beside them (a vertical stroke's end above a bar),
// then as much of each row's dots as it can (rows merged with an equal
// row, or with a blank one, lose nothing). Returns the rows unchanged when
// there are not more than `toRows`, or more than four times as many.
GlyphRows ReduceRows(const GlyphRows& rows, int toRows);

// The same for lines of up to kMaxLineDots dots: rows, or the columns of a
// drawing (a column's dots as a line), which reduces its width.
std::vector<DotLine> ReduceLines(const std::vector<DotLine>& lines, int toLines);

// `lines` to `toLines` at any ratio: neighbouring pairs of lines are first
// merged (each dot kept) while there are more than four times as many,
// then ReduceLines. Unchanged when there are not more than `toLines`.
std::vector<DotLine> ShrinkLines(std::vector<DotLine> lines, int toLines);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_ROW_REDUCTION_H_
