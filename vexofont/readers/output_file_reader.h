// Reads and checks an output font file: the stream of tagged records that
// the converter writes.
#ifndef VEXOCNVT_VEXOFONT_READERS_OUTPUT_FILE_READER_H_
#define VEXOCNVT_VEXOFONT_READERS_OUTPUT_FILE_READER_H_

#include <cstddef>
#include <cstdint>

#include "vexofont/readers/problem_list.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

// True when `data` begins with the frame of a TagStart record, which every
// output font file does.
bool LooksLikeOutputFontFile(const uint8_t* data, size_t size);

// Walks the records of the `size` bytes at `data`, filling *font with the
// parameters and the glyphs (impact column data decoded to dots), and
// appends every problem found to *problems: an unknown tag, a length that
// does not fit the tag, a record cut short, a missing, repeated or
// misplaced record, a missing or non-final TagEnd, bytes after it, and in
// a glyph record a kind, marker, code, defined flag or count the converter
// never writes. Reads no byte outside `data`.
void ReadOutputFontFile(const uint8_t* data, size_t size, ShownFont* font,
                        ProblemList* problems);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_READERS_OUTPUT_FILE_READER_H_
