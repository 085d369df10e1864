#include "vexofont/show/code_selection.h"

namespace {

constexpr int kMaxCodeDigits = 4;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses one code at *text, advancing it past the digits.
bool ParseCode(const char** text, uint16_t* code) {
  const char* p = *text;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) p += 2;
  unsigned value = 0;
  int digits = 0;
  for (; HexValue(*p) >= 0; ++p) {
    if (++digits > kMaxCodeDigits) return false;
    value = value * 16 + static_cast<unsigned>(HexValue(*p));
  }
  if (digits == 0) return false;
  *code = static_cast<uint16_t>(value);
  *text = p;
  return true;
}

}  // namespace

bool ParseCodeRange(const char* text, CodeRange* range) {
  CodeRange parsed;
  if (!ParseCode(&text, &parsed.low)) return false;
  parsed.high = parsed.low;
  if (*text == '-') {
    ++text;
    if (!ParseCode(&text, &parsed.high)) return false;
  }
  if (*text != '\0' || parsed.low > parsed.high) return false;
  *range = parsed;
  return true;
}
