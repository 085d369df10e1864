#include "vexofont/fontrules/code_text.h"

#include <cstdio>

namespace vexo {

bool ParseHexCode(const std::string& text, unsigned long max,
                  unsigned long* value, int maxDigits) {
  size_t pos = text.size() > 2 && text[0] == '0' &&
                       (text[1] == 'x' || text[1] == 'X')
                   ? 2
                   : 0;
  if (pos >= text.size() || text.size() - pos > size_t(maxDigits)) return false;
  unsigned long result = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = unsigned(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = unsigned(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = unsigned(c - 'A' + 10);
    } else {
      return false;
    }
    result = result * 16 + digit;
    if (result > max) return false;
  }
  *value = result;
  return true;
}

std::string HexCode(unsigned long code, int digits) {
  char text[24];
  std::snprintf(text, sizeof(text), "%0*lx", digits, code);
  return text;
}

std::string HexCodeRanges(const std::vector<int>& codes, int digits, int most) {
  std::string text;
  int ranges = 0;
  for (size_t i = 0; i < codes.size();) {
    size_t end = i;
    while (end + 1 < codes.size() && codes[end + 1] == codes[end] + 1) ++end;
    if (ranges < most) {
      text += (text.empty() ? "0x" : ", 0x") +
              HexCode(static_cast<unsigned long>(codes[i]), digits);
      if (end > i) {
        text += " to 0x" + HexCode(static_cast<unsigned long>(codes[end]), digits);
      }
    }
    ++ranges;
    i = end + 1;
  }
  if (ranges > most) {
    text += ", ... (" + std::to_string(ranges - most) + " more)";
  }
  return text;
}

}  // namespace vexo
