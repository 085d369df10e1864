// What the SBCS and DBCS loaders share: unpacking a glyph from its file
// rows, and the pictures and hex lines of the verbose listings.
#ifndef VEXOCNVT_FONTINPUT_GLYPH_BITMAP_H_
#define VEXOCNVT_FONTINPUT_GLYPH_BITMAP_H_

#include <cstdint>

#include "fontinput/glyph_size.h"

namespace vexo {

// Working storage of a loader call, reused for every glyph.
constexpr int kBitmapBufferSize = 100;

// Fills the first height x bytesPerRow bytes of `bitmap` (a buffer of
// kBitmapBufferSize bytes) with the glyph's rows top row first, taking the
// first `bytesPerRow` (0 to 4) bytes of each 4-byte file row; the file
// holds the rows bottom row first. Returns that length, which the caller
// keeps within the buffer; nothing past it is written, so that `bitmap` may
// be a glyph record's field.
int UnpackGlyphRows(const uint8_t* fileRows, int height, int bytesPerRow,
                    uint8_t* bitmap);

// Whether the first `bytesPerRow` (0 to 4) bytes of each of the `height`
// 4-byte file rows are all zero: whether the glyph UnpackGlyphRows makes of
// them is blank, asked of the file's bytes, which are not being written.
bool FileRowsBlank(const uint8_t* fileRows, int height, int bytesPerRow);

// Prints one line per bitmap row: `shown` bytes of the row, starting at the
// row's first byte, one character a dot ("X" set, "." clear).
void PrintRowPicture(const uint8_t* bitmap, int height, int bytesPerRow,
                     int shown);

// Prints the impact listing's picture of column data: 8 lines per band,
// one character per dot column, bands from the top one down.
void PrintColumnPicture(const uint8_t* columns, int width, int height);

// Prints `count` bytes as two hex digits each, without separators.
void PrintHexBytes(const uint8_t* bytes, int count);

}  // namespace vexo

#endif  // VEXOCNVT_FONTINPUT_GLYPH_BITMAP_H_
