#include "vexofont/codepage/equivalents.h"

#include <algorithm>
#include <iterator>

#include "vexofont/codepage/character_codes.h"
#include "vexofont/codepage/characters.h"

namespace vexo {

namespace {

struct Pair {
  uint32_t narrow;
  uint32_t wide;
};

// Full-width and half-width forms beside the ASCII run (U+0021 to U+007E
// and U+FF01 to U+FF5E, a fixed distance apart) and the katakana below.
constexpr Pair kWidthPairs[] = {
    {0x0020, 0x3000}, {0x00A2, 0xFFE0}, {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2},
    {0x00AF, 0xFFE3}, {0x00A6, 0xFFE4}, {0x00A5, 0xFFE5}, {0x20A9, 0xFFE6}};

// The full-width forms of the half-width katakana U+FF61 to U+FF9F.
constexpr uint16_t kHalfWidthKatakana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5,
    0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4,
    0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5,
    0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8,
    0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8,
    0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8,
    0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

// The codes the JIS mapping and the Windows one read as different
// characters (Shift-JIS 0x8160 is 〜 to one and ～ to the other); typed in
// one form, the other prints. ¢ £ ¬ pair with ￠ ￡ ￢ as widths, above.
constexpr Pair kVariants[] = {
    {0x301C, 0xFF5E},  // 〜 wave dash, ～ full-width tilde
    {0x2016, 0x2225},  // ‖ double vertical line, ∥ parallel to
    {0x2212, 0xFF0D},  // − minus sign, － full-width hyphen-minus
    {0x2014, 0x2015},  // — em dash, ― horizontal bar
    {0x203E, 0xFFE3},  // ‾ overline, ￣ full-width macron
};

void AddWidthForm(uint32_t c, const char* wider, const char* narrower,
                  std::vector<Equivalent>* found) {
  uint32_t other = 0;
  bool toWide = false;
  if (c >= 0x21 && c <= 0x7E) {
    other = c + 0xFEE0;
    toWide = true;
  }
  if (c >= 0xFF01 && c <= 0xFF5E) other = c - 0xFEE0;
  if (c >= 0xFF61 && c <= 0xFF9F) {
    other = kHalfWidthKatakana[c - 0xFF61];
    toWide = true;
  }
  for (size_t i = 0; other == 0 && i < std::size(kHalfWidthKatakana); ++i) {
    if (kHalfWidthKatakana[i] == c) other = static_cast<uint32_t>(0xFF61 + i);
  }
  for (const Pair& pair : kWidthPairs) {
    if (other != 0) break;
    if (c == pair.narrow) {
      other = pair.wide;
      toWide = true;
    }
    if (c == pair.wide) other = pair.narrow;
  }
  if (other != 0) found->push_back({other, toWide ? wider : narrower});
}

}  // namespace

std::vector<Equivalent> EquivalentsOf(uint32_t c) {
  std::vector<Equivalent> found;
  AddWidthForm(c, "full-width form", "half-width form", &found);
  for (const Pair& pair : kVariants) {
    const uint32_t other = c == pair.narrow ? pair.wide : c == pair.wide ? pair.narrow : 0;
    if (other == 0) continue;
    found.push_back({other, "variant"});
    // And the variant's other width: − (U+2212) prints as - where only the
    // single bytes hold it.
    AddWidthForm(other, "variant", "variant", &found);
  }
  return found;
}

bool EquivalentInCodePage(const CodePage& page, uint32_t c, Equivalent* equivalent,
                          int* code) {
  for (const Equivalent& e : EquivalentsOf(c)) {
    if (CodeOfCharacter(page, e.character, code)) {
      *equivalent = e;
      return true;
    }
  }
  return false;
}

bool EquivalentInPrinterCodePage(uint16_t number, uint32_t c, Equivalent* equivalent,
                                 FontKind* kind, int* code) {
  for (const Equivalent& e : EquivalentsOf(c)) {
    if (CodeInCodePage(number, e.character, kind, code)) {
      *equivalent = e;
      return true;
    }
  }
  return false;
}

std::vector<uint32_t> CharactersWithEquivalents() {
  std::vector<uint32_t> all;
  for (uint32_t c = 0x21; c <= 0x7E; ++c) all.push_back(c);
  for (uint32_t c = 0xFF01; c <= 0xFF5E; ++c) all.push_back(c);
  for (uint32_t c = 0xFF61; c <= 0xFF9F; ++c) all.push_back(c);
  for (uint16_t c : kHalfWidthKatakana) all.push_back(c);
  for (const Pair& pair : kWidthPairs) all.insert(all.end(), {pair.narrow, pair.wide});
  for (const Pair& pair : kVariants) all.insert(all.end(), {pair.narrow, pair.wide});
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  return all;
}

std::string EquivalentName(const Equivalent& equivalent) {
  return std::string("its ") + equivalent.relation + " " +
         CharacterName(equivalent.character);
}

}  // namespace vexo
