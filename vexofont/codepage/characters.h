// Characters as the tools read and name them: UTF-8 text decoded into code
// points, and a character written for a message.
#ifndef VEXOCNVT_VEXOFONT_CODEPAGE_CHARACTERS_H_
#define VEXOCNVT_VEXOFONT_CODEPAGE_CHARACTERS_H_

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vexo {

// Decodes UTF-8 text into its code points, in order. Returns false, with
// the byte offset of the first byte that is not UTF-8 in *badAt (overlong
// forms, surrogates and points past U+10FFFF included), for text that is
// not UTF-8.
bool DecodeUtf8(std::string_view text, std::vector<uint32_t>* points,
                size_t* badAt);

// Reads UTF-8 text into the set of its characters (control characters
// left out). Returns false as DecodeUtf8 does.
bool CharactersOfText(std::string_view text, std::set<uint32_t>* characters,
                      size_t* badAt);

// A file of UTF-8 text read for its characters (make's and fonts'
// --chars), no longer than this: every character of Unicode in UTF-8 is
// about 4.4 MB.
constexpr size_t kMaxCharsFileSize = size_t{16} << 20;

enum class CharactersFile { kRead, kCannotRead, kTooLong, kNotUtf8 };

// Reads the file `path` as raw bytes, at most kMaxCharsFileSize of them,
// into the set of its characters as CharactersOfText does; *badAt is the
// offset of the first byte that is not UTF-8 for kNotUtf8. Prints nothing.
CharactersFile CharactersOfFile(const char* path,
                                std::set<uint32_t>* characters, size_t* badAt);

// Whether a code point is a control character, which has no picture.
constexpr bool IsControlCharacter(uint32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// Whether a code point is a small letter of the alphabets the single-byte
// code pages hold: Latin (ASCII, Latin-1, Latin Extended-A), Greek and
// Cyrillic (Russian and its neighbours' letters).
bool IsSmallLetter(uint32_t c);

// "U+00A5 '¥'".
std::string CharacterName(uint32_t character);

// The UTF-8 bytes of a code point.
std::string Utf8(uint32_t character);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CODEPAGE_CHARACTERS_H_
