// Characters to codes: the code a code page gives a Unicode character,
// through iconv, and only a code that stands for that very character.
#ifndef VEXOCNVT_VEXOFONT_CODEPAGE_CHARACTER_CODES_H_
#define VEXOCNVT_VEXOFONT_CODEPAGE_CHARACTER_CODES_H_

#include <iconv.h>

#include <cstdint>

#include "vexofont/codepage/code_page.h"

// Finds the codes of many characters in one code page, its converters
// opened once.
class CharacterCodes {
 public:
  explicit CharacterCodes(const CodePage& page);
  ~CharacterCodes();
  CharacterCodes(const CharacterCodes&) = delete;
  CharacterCodes& operator=(const CharacterCodes&) = delete;

  // The code of `character` (one byte for SBCS, lead x 256 + trail for
  // DBCS); false when the code page has none for it (Shift-JIS gives its
  // yen sign's byte for the backslash: not the backslash's code).
  bool Find(uint32_t character, int* code) const;

 private:
  FontKind kind_;
  iconv_t to_;
  iconv_t back_;
};

// The code of `character` in `page`, as CharacterCodes finds it.
bool CodeOfCharacter(const CodePage& page, uint32_t character, int* code);

#endif  // VEXOCNVT_VEXOFONT_CODEPAGE_CHARACTER_CODES_H_
