#include "vexofont/text/glyph_slots.h"

#include <algorithm>
#include <string>

#include "fontinput/dbcs_codes.h"
#include "fontinput/glyph_size.h"
#include "vexofont/fontrules/code_text.h"

namespace vexo {

namespace {

// Where a code without a slot falls, for its message.
std::string OutsideSlots(const GlyphText& text, size_t slots, size_t implied) {
  const int digits = CodeDigits(text.kind);
  if (implied > slots) {
    return "beyond the " + std::to_string(slots) + " glyphs the file holds";
  }
  if (text.kind == FontKind::kSbcs) {
    return "outside first " + HexCode(text.header.firstChar, digits) +
           " to last " + HexCode(text.header.lastChar, digits);
  }
  return "not among the codes the font vectors give up to last " +
         HexCode(text.header.lastChar, digits);
}

TextError CodeTwice(const TextGlyph& glyph, const std::string& code,
                    int firstLine) {
  return MakeTextError(glyph.line, 7,
                       "code " + code + " twice (first on line " +
                           std::to_string(firstLine) + ")");
}

}  // namespace

std::vector<uint16_t> SlotCodes(FontKind kind, const DbcsFontHeader& header,
                                size_t limit, bool* more) {
  std::vector<uint16_t> codes;
  *more = false;
  if (kind == FontKind::kSbcs) {
    for (unsigned c = header.firstChar; c <= header.lastChar; ++c) {
      if (codes.size() == limit) {
        *more = true;
        break;
      }
      codes.push_back(static_cast<uint16_t>(c));
    }
    return codes;
  }
  ForEachDbcsCode(header.fontVector1, header.fontVector2, header.lastChar,
                  [&](int lead, int trail) {
                    if (codes.size() == limit) {
                      *more = true;
                      return false;
                    }
                    codes.push_back(static_cast<uint16_t>(lead << 8 | trail));
                    return true;
                  });
  return codes;
}

size_t SlotLimit(FontKind kind, uint32_t height) {
  return (kLargestInputFontFile - HeaderSize(kind)) / FileGlyphSize(height);
}

bool MatchSlots(const GlyphText& text, const std::vector<uint16_t>& slots,
                size_t implied, bool ordered, std::vector<size_t>* slotOf,
                TextError* error) {
  std::vector<std::vector<size_t>> ofCode(65536);
  for (size_t i = 0; i < slots.size(); ++i) ofCode[slots[i]].push_back(i);
  std::vector<int> lineOfCode(65536, 0);
  const int digits = CodeDigits(text.kind);
  size_t previous = 0;
  for (const TextGlyph& glyph : text.glyphs) {
    const std::vector<size_t>& candidates = ofCode[glyph.code];
    const std::string code = HexCode(glyph.code, digits);
    const int firstLine = lineOfCode[glyph.code];
    if (candidates.empty()) {
      *error = MakeTextError(glyph.line, 7,
                             std::string(KindName(text.kind)) + " code " +
                                 code + " is " +
                                 OutsideSlots(text, slots.size(), implied));
      return false;
    }
    auto next = candidates.begin();
    if (ordered && !slotOf->empty()) {
      next = std::upper_bound(candidates.begin(), candidates.end(), previous);
    }
    if (firstLine != 0 && (!ordered || next == candidates.end())) {
      *error = CodeTwice(glyph, code, firstLine);
      return false;
    }
    if (next == candidates.end()) {
      *error = MakeTextError(
          glyph.line, 7,
          "code " + code + " after " + HexCode(slots[previous], digits) +
              ": glyphs go in the file's order (" +
              (text.kind == FontKind::kDbcs ? "the font vectors' order"
                                            : "rising codes") +
              ")");
      return false;
    }
    if (firstLine == 0) lineOfCode[glyph.code] = glyph.line;
    slotOf->push_back(*next);
    previous = *next;
  }
  return true;
}

}  // namespace vexo
