// What a SourceFont holds of FreeType: for the files that make up
// SourceFont only.
#ifndef VEXOCNVT_VEXOFONT_MAKE_SOURCE_FONT_HANDLES_H_
#define VEXOCNVT_VEXOFONT_MAKE_SOURCE_FONT_HANDLES_H_

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>

#include "vexofont/make/source_bytes.h"

namespace vexo {

// Pixels from 26.6 fixed point, away from the baseline.
inline int CeilPixels(FT_Pos value) {
  return value <= 0 ? 0 : static_cast<int>((value + 63) >> 6);
}

struct SourceFontHandles {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  // The file's bytes, which the face reads for as long as it lives, and
  // the stream FreeType reads them through when they are not in memory.
  std::shared_ptr<SourceBytes> bytes;
  std::string bytesPath;
  FT_StreamRec stream{};
  // FreeType's glyph boxes of a BDF face, counted against the bound.
  HeldBytes bdfBoxes;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_SOURCE_FONT_HANDLES_H_
