// code_page_table: every code of every code page vexofont makes fonts for,
// with the character this platform's conversions give it and the code that
// character gives back, one line a code: "932 8160 U+FF5E 8160"; then
// every code of every code page in the charsets of fonts that are not
// Unicode (X fonts' registries), one line a code: "JISX0208.1983-0 932 8160
// 2141". Built for Linux and for Windows, the two tables are compared by
// tests/windows/compare_code_pages.sh: the same font must not differ
// between the platforms.
#include <cstdio>
#include <string>

#include "vexofont/codepage/character_codes.h"
#include "vexofont/codepage/code_page.h"

namespace vexo {
namespace {

void PrintPage(const CodePage& page) {
  CodeMapper toUnicode;
  if (!toUnicode.Open(page, FontCharset())) {
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
    if (!toUnicode.Map(code, &character)) {
      std::printf("%u %0*x -\n", unsigned{page.number}, sbcs ? 2 : 4, code);
      continue;
    }
    int back = -1;
    codes.Find(character, &back);
    std::printf("%u %0*x U+%04X %0*x\n", unsigned{page.number}, sbcs ? 2 : 4,
                code, static_cast<unsigned>(character), sbcs ? 2 : 4, back);
  }
}

// The registries and encodings of X fonts whose codes are not Unicode, as
// their fonts name them; the single-byte ones only for single-byte code
// pages.
struct Registry {
  const char* registry;
  const char* encoding;
  bool twoBytes;
};
const Registry kRegistries[] = {
    {"JISX0208.1983", "0", true},  {"GB2312.1980", "0", true},
    {"KSC5601.1987", "0", true},   {"BIG5", "0", true},
    {"CNS11643.1992", "1", true},  {"JISX0201.1976", "0", false},
    {"KOI8", "R", false},          {"KOI8", "U", false},
    {"MICROSOFT", "CP1251", false}, {"IBM", "CP437", false},
    {"ISO8859", "2", false},       {"ISO8859", "5", false},
    {"ISO8859", "7", false},       {"ISO8859", "8", false},
    {"ISO8859", "9", false},       {"ISO8859", "10", false},
    {"ISO8859", "11", false},      {"ISO8859", "13", false},
    {"ISO8859", "14", false},      {"ISO8859", "15", false},
    {"ISO8859", "16", false},
};

void PrintPageInCharset(const CodePage& page, const Registry& registry) {
  FontCharset charset;
  CodeMapper mapper;
  const std::string label =
      std::string(registry.registry) + "-" + registry.encoding;
  if (!FontCharsetFromRegistry(registry.registry, registry.encoding,
                               &charset) ||
      !mapper.Open(page, charset)) {
    std::printf("%s %u not known\n", label.c_str(), unsigned{page.number});
    return;
  }
  const bool sbcs = page.kind == FontKind::kSbcs;
  for (int code = sbcs ? 0 : 0x8100; code <= (sbcs ? 0xFF : 0xFFFF); ++code) {
    if (!sbcs && !InRanges(page.lead, code >> 8)) continue;
    if (!sbcs && !InRanges(page.trail, code & 0xFF)) continue;
    uint32_t fontCode = 0;
    if (mapper.Map(code, &fontCode)) {
      std::printf("%s %u %0*x %04x\n", label.c_str(), unsigned{page.number},
                  sbcs ? 2 : 4, code, static_cast<unsigned>(fontCode));
    }
  }
}

// Both tables, every code page.
void PrintTables() {
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    for (uint16_t number : CodePageNumbers(kind)) {
      PrintPage(*FindCodePage(kind, std::to_string(number)));
    }
  }
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    for (uint16_t number : CodePageNumbers(kind)) {
      for (const Registry& registry : kRegistries) {
        if (kind == FontKind::kDbcs && !registry.twoBytes) continue;
        PrintPageInCharset(*FindCodePage(kind, std::to_string(number)),
                           registry);
      }
    }
  }
}

}  // namespace
}  // namespace vexo

int main() {
  vexo::PrintTables();
  return 0;
}
