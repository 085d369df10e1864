#include "vexofont/make/accent_forms.h"

#include <cstddef>

namespace vexo {
namespace {

// A glyph's first run of inked rows, [top, end), and the next inked row,
// `below` (the rows' size where there is none): a mark over its letter.
struct MarkRows {
  size_t top = 0;
  size_t end = 0;
  size_t below = 0;
};

MarkRows MarkRowsOf(const GlyphRows& rows) {
  MarkRows mark;
  while (mark.top < rows.size() && rows[mark.top] == 0) ++mark.top;
  mark.end = mark.top;
  while (mark.end < rows.size() && rows[mark.end] != 0) ++mark.end;
  mark.below = mark.end;
  while (mark.below < rows.size() && rows[mark.below] == 0) ++mark.below;
  return mark;
}

}  // namespace

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
  MarkRows mark = MarkRowsOf(*rows);
  if (mark.top < rows->size() && mark.below >= rows->size()) {
    // No blank row under the accent: the rows of its one dot, down to the
    // letter it touches.
    mark.end = mark.top;
    while (mark.end < rows->size() &&
           (*rows)[mark.end] == (*rows)[mark.top]) {
      ++mark.end;
    }
    mark.below = mark.end;
  }
  if (mark.end - mark.top < 2 || mark.below >= rows->size()) return false;
  const uint32_t dot = (*rows)[mark.top];
  if ((dot & (dot - 1)) != 0) return false;  // two dots or more a row
  for (size_t y = mark.top; y < mark.end; ++y) {
    if ((*rows)[y] != dot) return false;  // not one dot a row in a column
  }
  const uint32_t left = 0x80000000u;
  const uint32_t right = 0x80000000u >> (width - 1);
  const bool acute = accent == Accent::kAcute;
  if (dot != (acute ? right : left)) {
    (*rows)[mark.top] = acute ? dot >> 1 : dot << 1;
  } else {
    (*rows)[mark.end - 1] = acute ? dot << 1 : dot >> 1;
  }
  return true;
}

bool LowerDots(Accent accent, GlyphRows* rows) {
  if (accent != Accent::kDots) return false;
  const MarkRows mark = MarkRowsOf(*rows);
  if (mark.below >= rows->size() || mark.end - mark.top != 1 ||
      mark.below - mark.end < 2) {
    return false;
  }
  (*rows)[mark.below - 2] = (*rows)[mark.top];
  (*rows)[mark.top] = 0;
  return true;
}

}  // namespace vexo
