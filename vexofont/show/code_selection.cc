#include "vexofont/show/code_selection.h"

#include <string>

#include "vexofont/fontrules/code_text.h"

namespace vexo {

namespace {

constexpr int kMaxCodeDigits = 4;

bool ParseCode(const std::string& text, uint16_t* code) {
  unsigned long value = 0;
  if (!ParseHexCode(text, 0xFFFF, &value, kMaxCodeDigits)) return false;
  *code = static_cast<uint16_t>(value);
  return true;
}

}  // namespace

bool ParseCodeRange(const char* text, CodeRange* range) {
  const std::string whole = text;
  const size_t dash = whole.find('-');
  CodeRange parsed;
  if (!ParseCode(whole.substr(0, dash), &parsed.low)) return false;
  parsed.high = parsed.low;
  if (dash != std::string::npos &&
      !ParseCode(whole.substr(dash + 1), &parsed.high)) {
    return false;
  }
  if (parsed.low > parsed.high) return false;
  *range = parsed;
  return true;
}

}  // namespace vexo
