// Reads and checks an input font file: an SBCS or DBCS header and the
// glyph bitmaps after it.
#ifndef VEXOCNVT_VEXOFONT_READERS_INPUT_FILE_READER_H_
#define VEXOCNVT_VEXOFONT_READERS_INPUT_FILE_READER_H_

#include <cstddef>
#include <cstdint>

#include "vexofont/readers/problem_list.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

// True when `data` begins with the SBCS or the DBCS magic.
bool LooksLikeInputFontFile(const uint8_t* data, size_t size);

// Reads the `size` bytes at `data`, which begin with a magic, into *font:
// the header, which stations the converter loads the file for, and every
// whole glyph of the body with the dots each accepting station prints (the
// impact dots through the converter's own column conversion and back).
// Appends every problem to *problems: a header cut short, a glyph size no
// station accepts, and a body shorter or longer than the glyph count the
// header implies. Reads no byte outside `data`.
void ReadInputFontFile(const uint8_t* data, size_t size, ShownFont* font,
                       ProblemList* problems);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_READERS_INPUT_FILE_READER_H_
