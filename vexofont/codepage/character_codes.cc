#include "vexofont/codepage/character_codes.h"

#include <string>

namespace vexo {

CharacterCodes::CharacterCodes(const CodePage& page) : kind_(page.kind) {
  to_.Open(page.iconvName, "UTF-32LE");
  back_.Open("UTF-32LE", page.iconvName);
}

bool CharacterCodes::Find(uint32_t character, int* code) const {
  char in[4];
  for (int i = 0; i < 4; ++i) in[i] = static_cast<char>(character >> (8 * i));
  std::string out;
  const size_t wanted = kind_ == FontKind::kSbcs ? 1 : 2;
  if (!to_.Convert(in, sizeof(in), &out) || out.size() != wanted) return false;
  uint32_t point = 0;
  if (!ToUnicode(back_, out.data(), out.size(), &point) || point != character) {
    return false;
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(out.data());
  *code = wanted == 1 ? bytes[0] : bytes[0] << 8 | bytes[1];
  return true;
}

bool CodeOfCharacter(const CodePage& page, uint32_t character, int* code) {
  return CharacterCodes(page).Find(character, code);
}

bool CodeInCodePage(uint16_t number, uint32_t character, FontKind* kind,
                    int* code) {
  for (FontKind half : {FontKind::kSbcs, FontKind::kDbcs}) {
    const CodePage* page = FindCodePage(half, std::to_string(number));
    if (page != nullptr && CodeOfCharacter(*page, character, code)) {
      *kind = half;
      return true;
    }
  }
  return false;
}

std::vector<CodedCharacter> CodesAndCharacters(const CodePage& page) {
  std::vector<CodedCharacter> coded;
  CodeMapper toUnicode;
  if (!toUnicode.Open(page, FontCharset())) return coded;
  const CharacterCodes codes(page);
  const int first = page.kind == FontKind::kSbcs ? 0 : 0x8100;
  const int last = page.kind == FontKind::kSbcs ? 0xFF : 0xFFFF;
  for (int code = first; code <= last; ++code) {
    uint32_t character = 0;
    int found = 0;
    if (toUnicode.Map(code, &character) && codes.Find(character, &found) &&
        found == code) {
      coded.push_back({code, character});
    }
  }
  return coded;
}

}  // namespace vexo
