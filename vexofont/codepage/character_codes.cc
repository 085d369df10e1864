#include "vexofont/codepage/character_codes.h"

namespace {

const iconv_t kNone = reinterpret_cast<iconv_t>(-1);

}  // namespace

CharacterCodes::CharacterCodes(const CodePage& page)
    : kind_(page.kind),
      to_(iconv_open(page.iconvName, "UTF-32LE")),
      back_(iconv_open("UTF-32LE", page.iconvName)) {}

CharacterCodes::~CharacterCodes() {
  if (to_ != kNone) iconv_close(to_);
  if (back_ != kNone) iconv_close(back_);
}

bool CharacterCodes::Find(uint32_t character, int* code) const {
  if (to_ == kNone || back_ == kNone) return false;
  char in[4];
  for (int i = 0; i < 4; ++i) in[i] = static_cast<char>(character >> (8 * i));
  char out[8];
  char* in_ptr = in;
  char* out_ptr = out;
  size_t in_left = sizeof(in);
  size_t out_left = sizeof(out);
  iconv(to_, nullptr, nullptr, nullptr, nullptr);
  const bool converted =
      iconv(to_, &in_ptr, &in_left, &out_ptr, &out_left) != size_t(-1) &&
      in_left == 0 && iconv(to_, nullptr, nullptr, &out_ptr, &out_left) != size_t(-1);
  const size_t length = sizeof(out) - out_left;
  const size_t wanted = kind_ == FontKind::kSbcs ? 1 : 2;
  if (!converted || length != wanted) return false;
  uint32_t point = 0;
  if (!ToUnicode(back_, out, length, &point) || point != character) return false;
  const auto* bytes = reinterpret_cast<const uint8_t*>(out);
  *code = wanted == 1 ? bytes[0] : bytes[0] << 8 | bytes[1];
  return true;
}

bool CodeOfCharacter(const CodePage& page, uint32_t character, int* code) {
  return CharacterCodes(page).Find(character, code);
}
