// Characters that print as one another: the full-width and half-width
// forms of one character (A and Ａ, ¥ and ￥, ₩ and ￦, ｱ and ア) and the
// two forms the JIS and the Windows mappings give one code (〜 and ～, −
// and －, ‖ and ∥). A character typed in one form and held by a code page
// in the other is printed in that one, and named.
#ifndef VEXOCNVT_VEXOFONT_CODEPAGE_EQUIVALENTS_H_
#define VEXOCNVT_VEXOFONT_CODEPAGE_EQUIVALENTS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/codepage/code_page.h"

namespace vexo {

struct Equivalent {
  uint32_t character = 0;
  // What it is to the character asked for, for a message: "full-width
  // form", "half-width form" or "variant".
  const char* relation = "";
};

// The characters that print as `c`, best first; empty for none.
std::vector<Equivalent> EquivalentsOf(uint32_t c);

// The first of `c`'s equivalents that `page` holds, with its code; false
// when it holds none.
bool EquivalentInCodePage(const CodePage& page, uint32_t c, Equivalent* equivalent,
                          int* code);

// The first of `c`'s equivalents that a printer set to the code page
// numbered `number` reads (its single-byte half, then its double-byte
// codes), with its kind and code; false for none.
bool EquivalentInPrinterCodePage(uint16_t number, uint32_t c, Equivalent* equivalent,
                                 FontKind* kind, int* code);

// Every character that has an equivalent, rising.
std::vector<uint32_t> CharactersWithEquivalents();

// "its full-width form U+FFE5 '￥'".
std::string EquivalentName(const Equivalent& equivalent);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CODEPAGE_EQUIVALENTS_H_
