// Box drawing and block elements (U+2500 to U+259F) drawn from a
// description of each character, edge to edge of the cell, so that the
// lines of neighbouring glyphs join at every cell size: a frame printed
// with them is closed on the receipt.
#ifndef VEXOCNVT_VEXOFONT_MAKE_CELL_FILL_H_
#define VEXOCNVT_VEXOFONT_MAKE_CELL_FILL_H_

#include <cstdint>

#include "fontinput/font_writer.h"
#include "vexofont/make/cell_size.h"

namespace vexo {

constexpr uint32_t kFirstCellFilling = 0x2500;
constexpr uint32_t kLastCellFilling = 0x259F;

// The thickness in dots of a light line in `cell`; heavy lines are twice
// as thick, double lines two light lines with a light line's gap.
int LightLine(CellSize cell);

// Draws `character` onto a blank cell of `cell`'s size (rows top row
// first, bit 31 the leftmost dot). Returns false, the rows untouched, for
// a character outside U+2500 to U+259F.
bool DrawCellFilling(uint32_t character, CellSize cell, GlyphRows* rows);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_CELL_FILL_H_
