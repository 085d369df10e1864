#include "vexofont/codepage/characters.h"

#include <cstdio>

#include "platform/output_file.h"

namespace vexo {

bool DecodeUtf8(std::string_view text, std::vector<uint32_t>* points,
                size_t* badAt) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  for (size_t i = 0; i < size;) {
    const unsigned char b = bytes[i];
    int length;
    uint32_t c;
    if (b < 0x80) {
      length = 1;
      c = b;
    } else if (b >= 0xC2 && b <= 0xDF) {
      length = 2;
      c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3;
      c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4;
      c = b & 0x07;
    } else {
      *badAt = i;
      return false;
    }
    if (size - i < size_t(length)) {
      *badAt = i;
      return false;
    }
    for (int k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) {
        *badAt = i;
        return false;
      }
      c = c << 6 | (bytes[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (overlong || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
      *badAt = i;
      return false;
    }
    points->push_back(c);
    i += size_t(length);
  }
  return true;
}

bool CharactersOfText(std::string_view text, std::set<uint32_t>* characters,
                      size_t* badAt) {
  std::vector<uint32_t> points;
  if (!DecodeUtf8(text, &points, badAt)) return false;
  for (uint32_t c : points) {
    if (!IsControlCharacter(c)) characters->insert(c);
  }
  return true;
}

CharactersFile CharactersOfFile(const char* path,
                                std::set<uint32_t>* characters, size_t* badAt) {
  std::vector<uint8_t> bytes;
  bool cut = false;
  if (ReadLimitedFile(path, kMaxCharsFileSize, &bytes, &cut) !=
      ReadResult::kRead) {
    return CharactersFile::kCannotRead;
  }
  if (cut) return CharactersFile::kTooLong;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                              bytes.size());
  return CharactersOfText(text, characters, badAt) ? CharactersFile::kRead
                                                   : CharactersFile::kNotUtf8;
}

std::string Utf8(uint32_t c) {
  std::string utf8;
  if (c < 0x80) {
    utf8 += static_cast<char>(c);
  } else if (c < 0x800) {
    utf8 += static_cast<char>(0xC0 | c >> 6);
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    utf8 += static_cast<char>(0xE0 | c >> 12);
    utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | c >> 18);
    utf8 += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  }
  return utf8;
}

bool IsSmallLetter(uint32_t c) {
  if (c >= U'a' && c <= U'z') return true;
  if (c >= 0xDF && c <= 0xFF) return c != 0xF7;  // not the division sign
  if (c >= 0x100 && c <= 0x17F) {
    // Capital and small letter in pairs; ĸ, ŉ and ſ stand alone, and from
    // Ĺ to ň and from Ź on the pairs start on an odd code point.
    if (c == 0x138 || c == 0x149 || c == 0x17F) return true;
    const bool odd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    return (c % 2 == 0) == odd;
  }
  if (c == 0x390 || (c >= 0x3AC && c <= 0x3CE)) return true;
  return (c >= 0x430 && c <= 0x45F) || c == 0x491;
}

std::string CharacterName(uint32_t c) {
  char number[16];
  std::snprintf(number, sizeof(number), "U+%04X", static_cast<unsigned>(c));
  return std::string(number) + " '" + Utf8(c) + "'";
}

}  // namespace vexo
