// What a SourceFont holds of FreeType: for the files that make up
// SourceFont only.
#ifndef VEXOCNVT_VEXOFONT_MAKE_SOURCE_FONT_HANDLES_H_
#define VEXOCNVT_VEXOFONT_MAKE_SOURCE_FONT_HANDLES_H_

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

struct SourceFontHandles {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  // The uncompressed bytes of a gzip-compressed font, a BDF font's bytes,
  // or on Windows any font's; the face reads them for as long as it lives.
  std::vector<unsigned char> uncompressed;
};

#endif  // VEXOCNVT_VEXOFONT_MAKE_SOURCE_FONT_HANDLES_H_
