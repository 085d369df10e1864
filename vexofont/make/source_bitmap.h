// A glyph's bitmap as FreeType renders it, read dot by dot, and mended
// before it is placed on the cell.
#ifndef VEXOCNVT_VEXOFONT_MAKE_SOURCE_BITMAP_H_
#define VEXOCNVT_VEXOFONT_MAKE_SOURCE_BITMAP_H_

#include <ft2build.h>
#include FT_FREETYPE_H

#include "vexofont/make/glyph_fit.h"
#include "vexofont/make/outline_parts.h"

namespace vexo {

// Glyph bitmaps beyond this in either direction come only from broken
// fonts; they are treated as missing rather than walked dot by dot.
constexpr int kMaxSourceBitmapSide = 4096;

// The first byte of `bitmap`'s top row, whatever its flow (a negative
// pitch stores the bottom row first).
unsigned char* TopRow(const FT_Bitmap& bitmap);

// Whether dot (x, y) of `bitmap` is set. `top` is the first byte of the
// top row whatever the bitmap's flow. An 8-bit grey dot is set from
// `threshold` of 255 up; 0 sets it from half the grey levels up.
bool DotSet(const FT_Bitmap& bitmap, const unsigned char* top, int x, int y,
            int threshold);

// A bitmap that claims a size but has no buffer, or one too large to be a
// glyph, comes from a broken font.
bool Broken(const FT_Bitmap& bitmap);

// The columns of `bitmap` that hold set dots: *left to *right, *right -1
// when none does.
void InkColumns(const FT_Bitmap& bitmap, const unsigned char* top,
                int threshold, int* left, int* right);

// The rows of `bitmap` that hold set dots within columns `left` to
// `right`: *first to *last, *first -1 when none does.
void InkRows(const FT_Bitmap& bitmap, const unsigned char* top, int threshold,
             int left, int right, int* first, int* last);

// A mark the rendering has joined to its letter is parted again: where
// the outlines leave a whole row's centre between the mark and its letter
// and no row there is blank, the one nearest the middle of the gap is
// cleared. FreeMono's i, j and ä at 12 rows, drawn grey from 40, lose
// that gap, and its ! at 11, 12 and 14 rows (read as | or l); where the
// outlines themselves leave less than a row (an accent over a letter at 9
// rows), the dots stay as drawn.
void PartMark(const FT_Bitmap& bitmap, unsigned char* top, int threshold,
              int bitmapTop, const MarkApart& mark);

// A round top drawn a row over the lower case's (`rows` above the
// baseline), that row of no more than kRoundTopDots dots, comes down onto
// it: its top row's dots join the row under it. A wider row is the
// letter's own top drawn taller than the lower case (IPAGothic's Greek),
// not a stray dot.
constexpr int kRoundTopDots = 2;
void BringDownRoundTop(const FT_Bitmap& bitmap, unsigned char* top,
                       int threshold, int bitmapTop, int rows);

// A stem whose foot the hinting leaves a row over the bowl's bottom, in a
// monochrome bitmap, stands on it again: on the ink's last row, a blank dot
// under a stem of three rows or more, with the bowl's bottom (the row's
// first ink, two dots or more, its counter over it) on its left and one
// dot of a tail on its right with nothing over it, is set. Liberation
// Mono's a at 10 pixels (8 to 14 rows) and its α were read as з or as no
// letter; a notch between two bowls (ω, æ), between legs (Д, ж), or under
// a stem with ink beside it, stays.
void JoinStemFoot(const FT_Bitmap& bitmap, unsigned char* top, int threshold);

// The mends of a glyph's bitmap as rendered (`bitmapTop` rows of it above
// the baseline): a mark parted again from its letter (PartMark; a grey
// bitmap whose outline has `mark`), a round top brought down onto the
// lower case's row, `roundTopRows` above the baseline (BringDownRoundTop;
// -1 for none), and with `letters` (an SBCS font's outlines) a stem's
// foot joined to its bowl (JoinStemFoot).
void MendBitmap(const FT_Bitmap& bitmap, int threshold, int bitmapTop,
                const MarkApart& mark, int roundTopRows, bool letters);

// The ink box of `bitmap`: columns `left` to `right`, rows `first` to
// `last`.
InkGrid InkGridOf(const FT_Bitmap& bitmap, const unsigned char* top,
                  int threshold, int left, int right, int first, int last);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_SOURCE_BITMAP_H_
