// The glyph slots of an input font file (the codes its glyphs stand for, in
// the file's order) and how a glyph text's glyphs are matched to them.
#ifndef VEXOCNVT_VEXOFONT_TEXT_GLYPH_SLOTS_H_
#define VEXOCNVT_VEXOFONT_TEXT_GLYPH_SLOTS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "vexofont/text/glyph_text.h"

namespace vexo {

// The codes of an input font file's glyphs, in the order the file holds
// them: SBCS first to last, DBCS one pass of the font vectors. Stops
// counting past `limit` codes and says so in *more.
std::vector<uint16_t> SlotCodes(FontKind kind, const DbcsFontHeader& header,
                                size_t limit, bool* more);

// The most glyphs a file of this kind and height may hold within the
// largest input font file.
size_t SlotLimit(FontKind kind, uint32_t height);

// Matches the text's glyphs to `slots`, filling slotOf[i] for glyph i.
// `ordered`: each glyph takes the first slot of its code after the previous
// glyph's (a whole font, in the file's order); otherwise the first slot of
// its code, each code once (an overlay). `implied`: the slots the header's
// codes make, of which `slots` may be the first part. Returns false with
// *error set at the first glyph that has no slot.
bool MatchSlots(const GlyphText& text, const std::vector<uint16_t>& slots,
                size_t implied, bool ordered, std::vector<size_t>* slotOf,
                TextError* error);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_TEXT_GLYPH_SLOTS_H_
