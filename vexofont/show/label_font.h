// A tiny built-in bitmap font for the labels of the contact sheet: digits,
// the letters of hexadecimal codes and of the panel titles.
#ifndef VEXOCNVT_VEXOFONT_SHOW_LABEL_FONT_H_
#define VEXOCNVT_VEXOFONT_SHOW_LABEL_FONT_H_

#include <cstdint>

#include "vexofont/readers/gray_image.h"

namespace vexo {

constexpr int kLabelGlyphWidth = 5;
constexpr int kLabelGlyphHeight = 7;
constexpr int kLabelAdvance = kLabelGlyphWidth + 1;

// Returns the 7 rows of `c` (bit 0x10 the leftmost dot), the blank glyph
// for a blank, or nullptr when the label font lacks `c`. Lower-case hex
// letters map to upper case.
const uint8_t* LabelGlyph(char c);

// Width in pixels of `text` at `scale` pixels a dot.
int LabelWidth(const char* text, int scale);

// Draws `text` with its top-left corner at (x, y), each dot a `scale` x
// `scale` square of `shade`; characters the font lacks are left blank.
void DrawLabel(GrayImage* image, int x, int y, const char* text, int scale,
               uint8_t shade);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_LABEL_FONT_H_
