// Writing an input font file as a glyph text.
#ifndef VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_WRITER_H_
#define VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexo {

// The text of an input font file. `describe(code)`, where given, returns
// the comment for a glyph's line (the character it stands for), or an
// empty string. Returns false with *problem set for a file that is not an
// input font file, whose header is cut short or whose size no station of
// its kind accepts.
bool DumpInputFont(const uint8_t* data, size_t size,
                   std::string (*describe)(const void* context, int code),
                   const void* context, std::string* text,
                   std::string* problem);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_TEXT_GLYPH_TEXT_WRITER_H_
