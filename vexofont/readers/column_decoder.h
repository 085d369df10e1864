// Turns the impact station's column data back into dots: the inverse of the
// converter's ConvertToImpactColumns.
#ifndef VEXOCNVT_VEXOFONT_READERS_COLUMN_DECODER_H_
#define VEXOCNVT_VEXOFONT_READERS_COLUMN_DECODER_H_

#include <cstdint>

#include "vexofont/readers/dot_picture.h"

namespace vexo {

// Fills *picture (width x height) from `count` bytes of column data by
// walking the dot columns exactly as the conversion lays them out (each
// column from its bottom row up, from bit 0x80 of its first byte, a new
// byte after every 8 dots, the same byte steps between columns) and reading
// each dot's bit back. So a dot shows when the printer gets it:
// - dot columns the conversion does not take (8 and up at widths 9 to 15,
//   every one at widths 4 to 7) are clear;
// - dots whose byte lies at or beyond `count` (cut off when the record
//   stores fewer bytes than the conversion made) are clear;
// - where the layout puts two dots in the same bit (width 16 with heights
//   4 to 7 and 10 to 15), the bit shows at both places.
// A size beyond 24 x 32 gives the empty picture.
void DecodeImpactColumns(const uint8_t* columns, int count, int width,
                         int height, DotPicture* picture);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_READERS_COLUMN_DECODER_H_
