// Turns a glyph held as rows of dots into the column data the impact
// station prints.
#ifndef VEXOCNVT_FONTINPUT_IMPACT_COLUMNS_H_
#define VEXOCNVT_FONTINPUT_IMPACT_COLUMNS_H_

#include <cstdint>

namespace vexo {

// Largest sizes converted. Within them the result never passes 24 columns
// of 5 bytes, so a caller's 200-byte column buffer always holds it.
constexpr int kMaxConvertWidth = 24;
constexpr int kMaxConvertHeight = 32;
constexpr int kColumnBufferSize = 200;

// Converts `bitmap` (height rows, top row first, width/8 bytes a row) into
// column data in `columns`, which the caller has zeroed: dot columns left to
// right, each from its bottom row up, starting at bit 0x80 of a byte and
// moving on to the next byte after every 8 dots. Only sets bits. Returns the
// count of column bytes, which depends on width and height alone (it is not
// always 2 x width). A width under 8, or a size beyond the limits above,
// converts nothing and returns 0.
int ConvertToImpactColumns(const uint8_t* bitmap, uint8_t* columns, int width,
                           int height);

// The bytes from one dot column's first byte to the next one's: the column's
// whole bytes of 8 dots, and one byte more at widths 8 to 15 and at height 9.
// A column of more dots than that holds shares its last byte with the next
// column's first.
constexpr int ImpactColumnStep(int width, int height) {
  return height / 8 + (width / 8 == 1 || height == 9 ? 1 : 0);
}

// The column bytes a glyph record keeps of an impact glyph `width` dots
// wide: two a dot column, whatever the conversion made.
constexpr int ImpactBytesStored(int width) { return 2 * width; }

// How many leading bytes of `columns` the conversion at this size may set
// or count: what a caller must have zeroed. At most kColumnBufferSize.
int ImpactColumnsSpan(int width, int height);

// The same conversion of a glyph as the input font file holds it: `height`
// rows of 4 bytes, bottom row first (fontinput/glyph_bitmap.h). Gives what
// ConvertToImpactColumns gives for the glyph's unpacked bitmap, without
// unpacking it.
int ConvertFileRowsToImpactColumns(const uint8_t* fileRows, uint8_t* columns,
                                   int width, int height);

// The same without SIMD instructions, which the conversions above use where
// the platform has them (SSE2); for the test that both give the same bytes.
int ConvertFileRowsToImpactColumnsPortable(const uint8_t* fileRows,
                                           uint8_t* columns, int width,
                                           int height);

}  // namespace vexo

#endif  // VEXOCNVT_FONTINPUT_IMPACT_COLUMNS_H_
