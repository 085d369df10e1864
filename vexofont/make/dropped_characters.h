// The characters --text and --chars select that a made font does not draw,
// each named: those its code page cannot hold (with the width form it does
// hold, where there is one), those outside the codes written, those no font
// has.
#ifndef VEXOCNVT_VEXOFONT_MAKE_DROPPED_CHARACTERS_H_
#define VEXOCNVT_VEXOFONT_MAKE_DROPPED_CHARACTERS_H_

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "vexofont/make/glyph_sources.h"
#include "vexofont/make/input_font_builder.h"

// One line (no prefix, no line feed) per dropped character, in the order of
// the characters. `mapped`: the code page comes from --map, so only the
// codes the map gives are known.
std::vector<std::string> DroppedCharacterLines(
    const FontRequest& request, bool mapped,
    const std::set<uint32_t>& selection, const GlyphSources& sources);

// The codes as rising ranges, "0x7f, 0x80 to 0xa0"; after `most` ranges,
// ", ... (N more)".
std::string CodeRanges(FontKind kind, const std::vector<int>& codes, int most);

#endif  // VEXOCNVT_VEXOFONT_MAKE_DROPPED_CHARACTERS_H_
