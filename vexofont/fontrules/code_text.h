// How the tools write character codes, and read them back from options
// and text files: hexadecimal, "0x" optional, written in lower case.
#ifndef VEXOCNVT_VEXOFONT_FONTRULES_CODE_TEXT_H_
#define VEXOCNVT_VEXOFONT_FONTRULES_CODE_TEXT_H_

#include <string>
#include <vector>

namespace vexo {

// Reads all of `text` as a hexadecimal number: an optional "0x" or "0X",
// then 1 to `maxDigits` digits, the value at most `max`. Returns false,
// *value untouched, for anything else.
bool ParseHexCode(const std::string& text, unsigned long max,
                  unsigned long* value, int maxDigits = 8);

// `code` in hexadecimal, at least `digits` digits: "41", "8140".
std::string HexCode(unsigned long code, int digits);

// Rising codes as ranges of "0x" and `digits` digits: "0x7f, 0x80 to
// 0xa0"; after `most` ranges, ", ... (N more)".
std::string HexCodeRanges(const std::vector<int>& codes, int digits, int most);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_FONTRULES_CODE_TEXT_H_
