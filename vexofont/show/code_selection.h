// The codes chosen with --code: single codes and ranges, in hexadecimal.
#ifndef VEXOCNVT_VEXOFONT_SHOW_CODE_SELECTION_H_
#define VEXOCNVT_VEXOFONT_SHOW_CODE_SELECTION_H_

#include <cstdint>

namespace vexo {

struct CodeRange {
  uint16_t low;
  uint16_t high;
};

// Parses "C" or "A-B", each code 1 to 4 hexadecimal digits with an
// optional "0x", A not above B. Returns true and fills *range on success;
// returns false for anything else.
bool ParseCodeRange(const char* text, CodeRange* range);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_CODE_SELECTION_H_
