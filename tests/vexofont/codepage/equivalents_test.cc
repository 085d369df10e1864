#include "vexofont/codepage/equivalents.h"

#include <gtest/gtest.h>

namespace vexo {

namespace {

// A character typed in one form, and the form and code a printer set to
// the code page prints it with.
struct Typed {
  uint16_t page;
  uint32_t typed;
  uint32_t printed;  // 0: nothing prints it
  FontKind kind;
  int code;
  const char* relation;
};

TEST(EquivalentsTest, CharactersPrintAsTheFormTheCodePageHolds) {
  const Typed cases[] = {
      // The JIS forms of codes 932 reads the Windows way.
      {932, 0x301C, 0xFF5E, FontKind::kDbcs, 0x8160, "variant"},
      {932, 0x2016, 0x2225, FontKind::kDbcs, 0x8161, "variant"},
      {932, 0x2212, 0xFF0D, FontKind::kDbcs, 0x817C, "variant"},
      {932, 0x00A2, 0xFFE0, FontKind::kDbcs, 0x8191, "full-width form"},
      {932, 0x00A3, 0xFFE1, FontKind::kDbcs, 0x8192, "full-width form"},
      {932, 0x00AC, 0xFFE2, FontKind::kDbcs, 0x81CA, "full-width form"},
      // Korean won, and katakana where only the full width is held.
      {949, 0x20A9, 0xFFE6, FontKind::kDbcs, 0xA3DC, "full-width form"},
      {936, 0xFF71, 0x30A2, FontKind::kDbcs, 0xA5A2, "full-width form"},
      // Full-width Latin where the single bytes hold it; a variant's
      // other width.
      {437, 0xFF21, 0x0041, FontKind::kSbcs, 0x41, "half-width form"},
      {437, 0x3000, 0x0020, FontKind::kSbcs, 0x20, "half-width form"},
      {437, 0x2212, 0x002D, FontKind::kSbcs, 0x2D, "variant"},
      // Nothing to print it with.
      {437, 0x4E00, 0, FontKind::kNone, 0, ""},
      {437, 0x3042, 0, FontKind::kNone, 0, ""},
  };
  for (const Typed& c : cases) {
    SCOPED_TRACE(std::to_string(c.page) + " " + std::to_string(c.typed));
    Equivalent equivalent;
    FontKind kind = FontKind::kNone;
    int code = 0;
    const bool found = EquivalentInPrinterCodePage(c.page, c.typed, &equivalent, &kind, &code);
    ASSERT_EQ(found, c.printed != 0);
    if (!found) continue;
    EXPECT_EQ(equivalent.character, c.printed);
    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(code, c.code);
    EXPECT_STREQ(equivalent.relation, c.relation);
  }
}

// Each form's nearest equivalent leads back to it.
TEST(EquivalentsTest, EachPairLeadsBothWays) {
  for (uint32_t c : {0x301Cu, 0xFF5Eu, 0x20A9u, 0xFF71u, 0x30A2u, 0xFF9Fu, 0x41u, 0xFF21u,
                     0x2015u, 0x3000u}) {
    const std::vector<Equivalent> there = EquivalentsOf(c);
    ASSERT_FALSE(there.empty()) << std::hex << c;
    bool back = false;
    for (const Equivalent& e : EquivalentsOf(there[0].character)) {
      back = back || e.character == c;
    }
    EXPECT_TRUE(back) << std::hex << c;
  }
}

}  // namespace

}  // namespace vexo
