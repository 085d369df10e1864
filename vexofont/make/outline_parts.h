// The parts a glyph's outline draws one above another: a mark apart from
// its letter; and where the outline's top lies before hinting.
#ifndef VEXOCNVT_VEXOFONT_MAKE_OUTLINE_PARTS_H_
#define VEXOCNVT_VEXOFONT_MAKE_OUTLINE_PARTS_H_

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vexo {

// A mark drawn apart from its letter: the dot of i and j, the dots of ä,
// an accent above; the dot of ! and ? below. In the outline as hinted,
// the contours make two parts one above the other, one less than half as
// high as the other.
struct MarkApart {
  bool found = false;
  // The gap between them: the upper part's foot and the lower part's
  // top, 26.6 pixels above the baseline.
  FT_Pos upperFoot = 0;
  FT_Pos lowerTop = 0;
};

MarkApart MarkApartOf(const FT_Outline& outline);

// The top of glyph `index`'s outline at the size set, unhinted: 26.6
// pixels above the baseline. False for a glyph without outline or ink.
// Loads the glyph into the face's slot.
bool UnhintedTop(FT_Face face, FT_UInt index, FT_Pos* top);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_OUTLINE_PARTS_H_
