#include "vexofont/show/code_selection.h"

#include <gtest/gtest.h>

namespace vexo {

namespace {

struct CodeCase {
  const char* text;
  bool ok;
  uint16_t low;
  uint16_t high;
};

const CodeCase kCodeCases[] = {
    {"41", true, 0x41, 0x41},
    {"0x41", true, 0x41, 0x41},
    {"0X8140", true, 0x8140, 0x8140},
    {"ffff", true, 0xFFFF, 0xFFFF},
    {"20-7e", true, 0x20, 0x7E},
    {"0x8140-0x81FC", true, 0x8140, 0x81FC},
    {"41-41", true, 0x41, 0x41},
    {"", false, 0, 0},
    {"0x", false, 0, 0},
    {"10000", false, 0, 0},  // five digits
    {"7e-20", false, 0, 0},  // low above high
    {"41-", false, 0, 0},
    {"-41", false, 0, 0},
    {"4g", false, 0, 0},
    {"41 ", false, 0, 0},
    {"20-30-40", false, 0, 0},
};

TEST(CodeSelectionTest, ParsesHexCodesAndRanges) {
  for (const CodeCase& c : kCodeCases) {
    SCOPED_TRACE(c.text);
    CodeRange range{0x1234, 0x5678};
    EXPECT_EQ(ParseCodeRange(c.text, &range), c.ok);
    if (c.ok) {
      EXPECT_EQ(range.low, c.low);
      EXPECT_EQ(range.high, c.high);
    } else {
      EXPECT_EQ(range.low, 0x1234);  // left alone
    }
  }
}

}  // namespace

}  // namespace vexo
