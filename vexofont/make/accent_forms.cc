#include "vexofont/make/accent_forms.h"

#include <cstddef>

namespace vexo {

Accent AccentOf(uint32_t character) {
  // The code pages' letters (Latin-1, Latin Extended-A, Cyrillic, Greek)
  // whose canonical decomposition ends in U+0301, U+0300, U+0308 or
  // U+0307, and the dotted i and j.
  static const char32_t kAcute[] = {
      U'Á', U'É', U'Í', U'Ó', U'Ú', U'Ý', U'á', U'é', U'í', U'ó', U'ú', U'ý',
      U'Ć', U'ć', U'Ĺ', U'ĺ', U'Ń', U'ń', U'Ŕ', U'ŕ', U'Ś', U'ś', U'Ź', U'ź',
      U'Ά', U'Έ', U'Ή', U'Ί', U'Ό', U'Ύ', U'Ώ', U'ά', U'έ', U'ή', U'ί', U'ό',
      U'ύ', U'ώ'};
  static const char32_t kGrave[] = {U'À', U'È', U'Ì', U'Ò', U'Ù',
                                    U'à', U'è', U'ì', U'ò', U'ù'};
  static const char32_t kDots[] = {
      U'i', U'j', U'Ä', U'Ë', U'Ï', U'Ö', U'Ü', U'Ÿ', U'ä', U'ë', U'ï', U'ö',
      U'ü', U'ÿ', U'Ė', U'ė', U'Ż', U'ż', U'Ё', U'ё', U'Ї', U'ї', U'Ϊ', U'Ϋ',
      U'ϊ', U'ϋ'};
  for (char32_t c : kDots) {
    if (c == character) return Accent::kDots;
  }
  for (char32_t c : kAcute) {
    if (c == character) return Accent::kAcute;
  }
  for (char32_t c : kGrave) {
    if (c == character) return Accent::kGrave;
  }
  return Accent::kNone;
}

bool SlantAccent(int width, Accent accent, GlyphRows* rows) {
  if ((accent != Accent::kAcute && accent != Accent::kGrave) || width < 2 ||
      width > 32) {
    return false;
  }
  const size_t height = rows->size();
  size_t top = 0;
  while (top < height && (*rows)[top] == 0) ++top;
  size_t end = top;  // the row after the accent: blank, the letter below
  while (end < height && (*rows)[end] != 0) ++end;
  size_t below = end;
  while (below < height && (*rows)[below] == 0) ++below;
  if (end - top < 2 || below >= height) return false;
  const uint32_t dot = (*rows)[top];
  if ((dot & (dot - 1)) != 0) return false;  // two dots or more a row
  for (size_t y = top; y < end; ++y) {
    if ((*rows)[y] != dot) return false;  // not one dot a row in a column
  }
  const uint32_t left = 0x80000000u;
  const uint32_t right = 0x80000000u >> (width - 1);
  const bool acute = accent == Accent::kAcute;
  if (dot != (acute ? right : left)) {
    (*rows)[top] = acute ? dot >> 1 : dot << 1;
  } else {
    (*rows)[end - 1] = acute ? dot << 1 : dot >> 1;
  }
  return true;
}

bool LowerDots(Accent accent, GlyphRows* rows) {
  if (accent != Accent::kDots) return false;
  const size_t height = rows->size();
  size_t top = 0;
  while (top < height && (*rows)[top] == 0) ++top;
  size_t below = top + 1;
  while (below < height && (*rows)[below] == 0) ++below;
  if (top >= height || below >= height || below - top < 3) return false;
  (*rows)[below - 2] = (*rows)[top];
  (*rows)[top] = 0;
  return true;
}

}  // namespace vexo
