// The characters --text and --chars select that a made font does not draw,
// each named: those its code page cannot hold (drawn as the equivalent it
// holds, where there is one), those outside the codes written, those no
// font has.
#ifndef VEXOCNVT_VEXOFONT_MAKE_DROPPED_CHARACTERS_H_
#define VEXOCNVT_VEXOFONT_MAKE_DROPPED_CHARACTERS_H_

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "vexofont/codepage/equivalents.h"
#include "vexofont/make/glyph_sources.h"
#include "vexofont/make/input_font_builder.h"

namespace vexo {

// The selected characters the code page lacks (and its other half too)
// but holds an equivalent of among the codes written, each with the
// equivalent it is drawn as (〜 as ～ in code page 932).
std::map<uint32_t, Equivalent> SelectedEquivalents(const FontRequest& request,
                                                   const std::set<uint32_t>& selection);

// One line (no prefix, no line feed) per character drawn as its
// equivalent: "U+301C '〜' is not in code page 932: drawn as its variant
// U+FF5E '～', code 0x8160".
std::vector<std::string> EquivalentLines(const FontRequest& request,
                                         const std::map<uint32_t, Equivalent>& equivalents);

// One line (no prefix, no line feed) per dropped character, in the order of
// the characters; those drawn as `equivalents` are not dropped. `mapped`:
// the code page comes from --map, so only the codes the map gives are
// known.
std::vector<std::string> DroppedCharacterLines(
    const FontRequest& request, bool mapped, const std::set<uint32_t>& selection,
    const std::map<uint32_t, Equivalent>& equivalents, const GlyphSources& sources);

// The codes as rising ranges, "0x7f, 0x80 to 0xa0"; after `most` ranges,
// ", ... (N more)".
std::string CodeRanges(FontKind kind, const std::vector<int>& codes, int most);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_DROPPED_CHARACTERS_H_
