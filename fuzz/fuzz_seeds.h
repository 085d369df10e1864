// The seed corpora of the fuzz targets, as make_fuzz_seeds writes them.
#ifndef VEXOCNVT_FUZZ_FUZZ_SEEDS_H_
#define VEXOCNVT_FUZZ_FUZZ_SEEDS_H_

#include <string>
#include <vector>

#include "testkit/test_fonts.h"

namespace vexo {

struct FuzzSeed {
  std::string name;
  Bytes bytes;
};

// The companion tool's seeds (fuzz/tool_fuzz_seeds.cc), built with vexofont:
// small output and input font files for show_readers, and source fonts
// after their selector byte for source_font.
std::vector<FuzzSeed> ShowReaderSeeds();
std::vector<FuzzSeed> SourceFontSeeds();
// Glyph texts: dumps of small fonts of each kind, odd ones, overlays.
std::vector<FuzzSeed> GlyphTextSeeds();
// Previews: selector bytes, a text, an output font file or a configuration
// and its fonts.
std::vector<FuzzSeed> PreviewSeeds();
// Glyphs of 16 rows to reduce, after the rows to reduce them to.
std::vector<FuzzSeed> ReductionSeeds();

}  // namespace vexo

#endif  // VEXOCNVT_FUZZ_FUZZ_SEEDS_H_
