// Accents that keep their direction in a small cell.
#ifndef VEXOCNVT_VEXOFONT_MAKE_ACCENT_FORMS_H_
#define VEXOCNVT_VEXOFONT_MAKE_ACCENT_FORMS_H_

#include <cstdint>

#include "fontinput/font_writer.h"

namespace vexo {

enum class Accent { kNone, kAcute, kGrave, kDots };

// The accent that `character` carries over its letter: acute (é, Ó, ś,
// Greek tonos), grave (è, À), or dots (the diaeresis of ü and ё, the dot
// of i, j, ż); kNone for any other.
Accent AccentOf(uint32_t character);

// An acute or grave accent drawn as an upright stroke, one dot a row (the
// hinting snaps a short slant to a column in a few rows), reads as no
// accent or the other one: its top dot moves a column the accent's way,
// right for the acute, left for the grave (at the cell's edge its bottom
// dot moves the other way). The accent is the ink above a blank row
// across the glyph with the letter below it; where no blank row parts
// them (Liberation Mono's é at 9 rows), the top rows of one and the same
// dot, down to the letter. Nothing changes, and false is returned, where
// the drawing has no such stroke.
bool SlantAccent(int width, Accent accent, GlyphRows* rows);

// Dots one row high that stand two blank rows or more over their letter
// (the hinting sets them at the ascenders' height) read as no mark at
// all: they come down to a row over it. False, and nothing changed, for
// any other drawing.
bool LowerDots(Accent accent, GlyphRows* rows);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_ACCENT_FORMS_H_
