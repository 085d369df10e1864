// Figures that read in a small cell, as the hand-drawn strikes draw them:
// a zero plain and narrower than the capital O, a comma with a head.
#ifndef VEXOCNVT_VEXOFONT_MAKE_FIGURE_FORMS_H_
#define VEXOCNVT_VEXOFONT_MAKE_FIGURE_FORMS_H_

#include "fontinput/font_writer.h"

namespace vexo {

constexpr int kZeroMarkDots = 2;

// A zero drawn as a ring with a mark of at most kZeroMarkDots inside its
// counter (a dotted zero in a small cell): the mark reads as the middle of
// an 8 or a 6, and the ring alone is the capital O dot for dot. The mark is
// taken out and one of the ring's middle columns with it, so that the zero
// stays one column narrower than the O, as a hand-drawn strike draws it.
// `rows` are a glyph's rows of `width` dots (bit 31 the leftmost). Nothing
// changes, and false is returned, where the drawing is not a ring around
// a mark apart from it, or the ring has no middle column to give.
bool NarrowPlainZero(int width, GlyphRows* rows);

// A comma drawn one dot wide (in the cells of the impact station) is a
// short stroke that reads as part of the figure beside it or not at all:
// its top dot becomes a head of two by two dots, widened to the right
// (to the left at the cell's edge) and up. Nothing changes, and false is
// returned, where a row of the drawing has more than one dot.
bool CommaWithHead(int width, GlyphRows* rows);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_FIGURE_FORMS_H_
