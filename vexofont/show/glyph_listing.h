// Dot pictures of chosen glyphs for the terminal, the thermal and the
// impact station side by side.
#ifndef VEXOCNVT_VEXOFONT_SHOW_GLYPH_LISTING_H_
#define VEXOCNVT_VEXOFONT_SHOW_GLYPH_LISTING_H_

#include <cstdint>

#include "vexofont/options/command_report.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

// Adds, for standard output, every glyph of `font` whose code lies in
// low..high inclusive, in
// file order: a heading line with the code, kind and offset, then one line
// per dot row, "X" a printed dot and "." a clear one, the thermal picture
// on the left; one line saying so when no glyph lies in the range.
void AddGlyphPictures(CommandReport* report, const ShownFont& font,
                      uint16_t low, uint16_t high);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_GLYPH_LISTING_H_
