// code_page_table: every code of every code page vexofont makes fonts for,
// with the character this platform's conversions give it and the code that
// character gives back, one line a code: "932 8160 U+FF5E 8160". Built for
// Linux and for Windows, the two tables are compared by
// tests/windows/compare_code_pages.sh: the same font must not differ
// between the platforms.
#include <cstdio>

#include "vexofont/codepage/character_codes.h"
#include "vexofont/codepage/code_page.h"

namespace {

void PrintPage(const CodePage& page) {
  CodeMapper to_unicode;
  if (!to_unicode.Open(page, FontCharset())) {
    std::printf("%u %s not known\n", unsigned{page.number},
                page.kind == FontKind::kSbcs ? "sbcs" : "dbcs");
    return;
  }
  const CharacterCodes codes(page);
  const bool sbcs = page.kind == FontKind::kSbcs;
  for (int code = sbcs ? 0 : 0x8100; code <= (sbcs ? 0xFF : 0xFFFF); ++code) {
    if (!sbcs && !InRanges(page.lead, code >> 8)) continue;
    if (!sbcs && !InRanges(page.trail, code & 0xFF)) continue;
    uint32_t character = 0;
    if (!to_unicode.Map(code, &character)) {
      std::printf("%u %0*x -\n", unsigned{page.number}, sbcs ? 2 : 4, code);
      continue;
    }
    int back = -1;
    codes.Find(character, &back);
    std::printf("%u %0*x U+%04X %0*x\n", unsigned{page.number}, sbcs ? 2 : 4,
                code, static_cast<unsigned>(character), sbcs ? 2 : 4, back);
  }
}

}  // namespace

int main() {
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    for (uint16_t number : CodePageNumbers(kind)) {
      PrintPage(*FindCodePage(kind, std::to_string(number)));
    }
  }
  return 0;
}
