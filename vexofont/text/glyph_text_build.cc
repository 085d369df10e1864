#include "vexofont/text/glyph_text_build.h"

#include <cstring>
#include <string>
#include <vector>

#include "fontinput/glyph_size.h"
#include "vexofont/text/glyph_slots.h"

namespace vexo {

bool BuildFromGlyphText(const GlyphText& text, Bytes* file,
                        TextError* error) {
  const FontKind kind = text.kind;
  const DbcsFontHeader& h = text.header;
  const size_t limit = SlotLimit(kind, h.height);
  bool more = false;
  std::vector<uint16_t> slots = SlotCodes(kind, h, limit, &more);
  if (more) {
    *error = MakeTextError(text.fieldLine[kFieldLast], 1,
                           "the header's codes make more than " +
                               std::to_string(limit) +
                               " glyphs, larger than any input font file");
    return false;
  }
  const size_t implied = slots.size();
  if (text.given[kFieldGlyphs]) {
    if (text.glyphCount > implied) {
      *error = MakeTextError(text.fieldLine[kFieldGlyphs], 1,
                             "glyphs " + std::to_string(text.glyphCount) +
                                 " is more than the " +
                                 std::to_string(implied) +
                                 " codes of the header");
      return false;
    }
    slots.resize(text.glyphCount);
  }
  std::vector<size_t> slotOf;
  if (!MatchSlots(text, slots, implied, true, &slotOf, error)) return false;

  file->clear();
  const size_t glyphSize = FileGlyphSize(h.height);
  file->resize(HeaderSize(kind) + slots.size() * glyphSize, 0);
  DbcsFontHeader header = h;
  std::memcpy(header.fileType,
              kind == FontKind::kDbcs ? kDbcsMagic : kSbcsMagic,
              kFileTypeSize);
  EncodeFontHeader(header, file->data());
  if (kind == FontKind::kDbcs) EncodeDbcsVectors(header, file->data());
  for (size_t i = 0; i < text.glyphs.size(); ++i) {
    PutGlyph(text.glyphs[i].rows,
             file->data() + HeaderSize(kind) + slotOf[i] * glyphSize);
  }
  file->insert(file->end(), text.tail.begin(), text.tail.end());
  return true;
}

}  // namespace vexo
