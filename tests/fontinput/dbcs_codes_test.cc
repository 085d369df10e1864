#include "fontinput/dbcs_codes.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexo {

namespace {

struct Walk {
  std::vector<int> codes;
  DbcsPassEnd end;
};

// Walks one pass, refusing the visit of `refused` (a code, or -1).
Walk WalkPass(const std::vector<uint8_t>& leads,
              const std::vector<uint8_t>& trails, uint16_t lastChar,
              int refused = -1) {
  uint8_t v1[8] = {};
  uint8_t v2[8] = {};
  for (size_t i = 0; i < 8 && i < leads.size(); ++i) v1[i] = leads[i];
  for (size_t i = 0; i < 8 && i < trails.size(); ++i) v2[i] = trails[i];
  Walk walk;
  walk.end = ForEachDbcsCode(v1, v2, lastChar, [&](int lead, int trail) {
    const int code = lead << 8 | trail;
    if (code == refused) return false;
    walk.codes.push_back(code);
    return true;
  });
  return walk;
}

TEST(DbcsCodesTest, OnePassInVectorOrder) {
  struct Case {
    const char* name;
    std::vector<uint8_t> leads, trails;
    uint16_t lastChar;
    int refused;
    std::vector<int> codes;
    bool stopped, visitedAny;
  };
  const Case kCases[] = {
      {"lead range starting at 0 ends the pass",
       {0x81, 0x82, 0, 0, 0x90, 0x90}, {0x40, 0x41}, 0xFFFF, -1,
       {0x8140, 0x8141, 0x8240, 0x8241}, true, true},
      {"a trail range starting at 0 is skipped, the next one still counts",
       {0x81, 0x81}, {0, 0x7F, 0x40, 0x41, 0, 0, 0x50, 0x50}, 0xFFFF, -1,
       {0x8140, 0x8141, 0x8150}, true, true},
      {"trail ranges in vector order, not code order",
       {0x81, 0x81}, {0x80, 0x81, 0x40, 0x40}, 0xFFFF, -1,
       {0x8180, 0x8181, 0x8140}, true, true},
      {"a code above lastChar ends its trail range only",
       {0x81, 0x81}, {0x40, 0x42, 0x30, 0x31}, 0x8141, -1,
       {0x8140, 0x8141, 0x8130, 0x8131}, true, true},
      {"above lastChar: the next lead byte still starts from its trail ranges",
       {0x81, 0x82}, {0x40, 0x42}, 0x8240, -1,
       {0x8140, 0x8141, 0x8142, 0x8240}, true, true},
      {"a refused visit ends its trail range like lastChar",
       {0x81, 0x81}, {0x40, 0x42, 0x50, 0x50}, 0xFFFF, 0x8141,
       {0x8140, 0x8150}, true, true},
      {"four lead ranges within lastChar run through without stopping",
       {0x81, 0x81, 0x82, 0x82, 0x83, 0x83, 0x84, 0x84}, {0x40, 0x40}, 0xFFFF,
       -1, {0x8140, 0x8240, 0x8340, 0x8440}, false, true},
      {"no lead range at all", {}, {0x40, 0x40}, 0xFFFF, -1, {}, true, false},
      {"no trail range: nothing visited, nothing stops", {0x81, 0x82, 0x83, 0x83, 0x84, 0x84, 0x85, 0x85},
       {}, 0xFFFF, -1, {}, false, false},
      {"a lead range running backwards holds no code", {0x82, 0x81},
       {0x40, 0x40}, 0xFFFF, -1, {}, true, false},
      {"lastChar below every code", {0x81, 0x81}, {0x40, 0x41}, 0x813F, -1,
       {}, true, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const Walk walk = WalkPass(c.leads, c.trails, c.lastChar, c.refused);
    EXPECT_EQ(walk.codes, c.codes);
    EXPECT_EQ(walk.end.stopped, c.stopped);
    EXPECT_EQ(walk.end.visitedAny, c.visitedAny);
  }
}

TEST(DbcsCodesTest, FullByteRangesEndAtFF) {
  // Trail bytes up to 0xFF and lead 0xFF: the loop ends without wrapping.
  const Walk walk = WalkPass({0xFF, 0xFF}, {0xFE, 0xFF}, 0xFFFF);
  EXPECT_EQ(walk.codes, (std::vector<int>{0xFFFE, 0xFFFF}));
}

}  // namespace

}  // namespace vexo
