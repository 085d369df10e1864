// Characters to codes: the code a code page gives a Unicode character,
// and only a code that stands for that very character.
#ifndef VEXOCNVT_VEXOFONT_CODEPAGE_CHARACTER_CODES_H_
#define VEXOCNVT_VEXOFONT_CODEPAGE_CHARACTER_CODES_H_

#include <cstdint>
#include <vector>

#include "vexofont/codepage/charset_conversion.h"
#include "vexofont/codepage/code_page.h"

namespace vexo {

// Finds the codes of many characters in one code page, its conversions
// opened once.
class CharacterCodes {
 public:
  explicit CharacterCodes(const CodePage& page);

  // The code of `character` (one byte for SBCS, lead x 256 + trail for
  // DBCS); false when the code page has none for it (Shift-JIS gives its
  // yen sign's byte for the backslash: not the backslash's code).
  bool Find(uint32_t character, int* code) const;

 private:
  FontKind kind_;
  CharsetConversion to_;
  CharsetConversion back_;
};

// The code of `character` in `page`, as CharacterCodes finds it.
bool CodeOfCharacter(const CodePage& page, uint32_t character, int* code);

// The code of `character` in the code page numbered `number` as a printer
// set to it reads a text: in its single-byte half first, then among its
// double-byte codes. Sets *kind and *code; false when neither has one.
bool CodeInCodePage(uint16_t number, uint32_t character, FontKind* kind,
                    int* code);

// Every code of `page` that stands for a character whose code it is (as
// CharacterCodes finds it), in the order of the codes: a code page's
// repertoire. Empty when the platform cannot convert the code page.
struct CodedCharacter {
  int code;
  uint32_t character;
};
std::vector<CodedCharacter> CodesAndCharacters(const CodePage& page);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CODEPAGE_CHARACTER_CODES_H_
