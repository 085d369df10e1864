#include "vexofont/text/glyph_overlay.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fontinput/glyph_size.h"
#include "vexofont/fontrules/code_text.h"
#include "vexofont/text/glyph_slots.h"

namespace vexo {

namespace {

// The font's value of a header field, as the overlay's message names it.
std::string FontValue(int field, FontKind kind, const DbcsFontHeader& h) {
  switch (field) {
    case kFieldKind: return kind == FontKind::kDbcs ? "dbcs" : "sbcs";
    case kFieldFirst: return HexCode(h.firstChar, CodeDigits(kind));
    case kFieldLast: return HexCode(h.lastChar, CodeDigits(kind));
    case kFieldVersion: return std::to_string(h.version);
    case kFieldCodePage: return std::to_string(h.codePage);
    case kFieldWidth: return std::to_string(h.width);
    case kFieldHeight: return std::to_string(h.height);
    default: return "other ranges";
  }
}

// Each header field the overlay gives must be the font's.
bool CheckFields(const GlyphText& overlay, FontKind kind,
                 const DbcsFontHeader& h, TextError* error) {
  const DbcsFontHeader& o = overlay.header;
  const bool same[] = {
      overlay.kind == kind,
      o.version == h.version,
      o.codePage == h.codePage,
      o.firstChar == h.firstChar,
      o.lastChar == h.lastChar,
      o.width == h.width,
      o.height == h.height,
      std::memcmp(o.codePageVector1, h.codePageVector1, kVectorSize) == 0,
      std::memcmp(o.codePageVector2, h.codePageVector2, kVectorSize) == 0,
      std::memcmp(o.fontVector1, h.fontVector1, kVectorSize) == 0,
      std::memcmp(o.fontVector2, h.fontVector2, kVectorSize) == 0,
  };
  static_assert(sizeof(same) / sizeof(same[0]) == kFieldGlyphs);
  for (int field = 0; field < kFieldGlyphs; ++field) {
    if (!overlay.given[field] || same[field]) continue;
    *error = MakeTextError(overlay.fieldLine[field], 1,
                           std::string("the overlay's ") + FieldName(field) +
                               " differs from the font's (" +
                               FontValue(field, kind, h) + ")");
    return false;
  }
  return true;
}

// The overlay's glyphs have the font's rows, and codes of its range (not
// the blank ones a DBCS file holds below its first code).
bool CheckGlyphs(const GlyphText& overlay, FontKind kind,
                 const DbcsFontHeader& h, TextError* error) {
  const TextGlyph& first = overlay.glyphs.front();
  const int digits = CodeDigits(kind);
  if (first.rows.size() != h.height) {
    *error = MakeTextError(first.line, 1,
                           "glyph " + HexCode(first.code, digits) + " has " +
                               Rows(first.rows.size()) +
                               ", the font's height is " +
                               std::to_string(h.height));
    return false;
  }
  if (overlay.rowWidth != h.width) {
    *error = MakeTextError(first.line + 1, 1,
                           "rows of " + std::to_string(overlay.rowWidth) +
                               " dots, the font's width is " +
                               std::to_string(h.width));
    return false;
  }
  for (const TextGlyph& glyph : overlay.glyphs) {
    if (glyph.code >= h.firstChar && glyph.code <= h.lastChar) continue;
    *error = MakeTextError(glyph.line, 7,
                           std::string(KindName(kind)) + " code " +
                               HexCode(glyph.code, digits) +
                               " is outside the font's first " +
                               HexCode(h.firstChar, digits) + " to last " +
                               HexCode(h.lastChar, digits));
    return false;
  }
  return true;
}

}  // namespace

bool ApplyGlyphOverlay(const GlyphText& overlay, Bytes* file,
                       TextError* error) {
  GlyphText target;
  target.kind = InputFontKind(file->data(), file->size());
  const FontKind kind = target.kind;
  DecodeFontHeader(file->data(), &target.header);
  if (kind == FontKind::kDbcs) DecodeDbcsVectors(file->data(), &target.header);
  const DbcsFontHeader& h = target.header;
  if (!CheckFields(overlay, kind, h, error)) return false;
  if (overlay.glyphs.empty()) return true;
  if (!CheckGlyphs(overlay, kind, h, error)) return false;
  bool more = false;
  const std::vector<uint16_t> all =
      SlotCodes(kind, h, SlotLimit(kind, h.height), &more);
  const size_t glyphSize = FileGlyphSize(h.height);
  const size_t whole = (file->size() - HeaderSize(kind)) / glyphSize;
  const std::vector<uint16_t> slots(all.begin(),
                                    all.begin() + std::min(all.size(), whole));
  target.glyphs = overlay.glyphs;
  std::vector<size_t> slotOf;
  if (!MatchSlots(target, slots, all.size(), false, &slotOf, error)) {
    return false;
  }
  for (size_t i = 0; i < overlay.glyphs.size(); ++i) {
    PutGlyph(overlay.glyphs[i].rows,
             file->data() + HeaderSize(kind) + slotOf[i] * glyphSize);
  }
  return true;
}

}  // namespace vexo
