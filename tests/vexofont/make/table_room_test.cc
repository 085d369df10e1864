#include "vexofont/make/table_room.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace vexo {

namespace {

// A full 936 font past the room: GB 2312 and the symbol rows are never
// left blank, the ideographs no other code page holds go first (丂 at
// 0x8140 before 麵 at 0xfe50, which Big5 holds), and nothing is left blank
// when that would not make room.
TEST(TableRoomTest, Gbk936LeavesBlankTheRarestExtensionIdeographsFirst) {
  const FontRequest request{FontKind::kDbcs, Station::kThermal, {24, 24},
                            FindCodePage(FontKind::kDbcs, "936"), 0x8140, 0xfefe};
  const auto character = [](int code, uint32_t* c) {
    switch (code) {
      case 0x8140: *c = 0x4E02; return true;  // 丂
      case 0xfe50: *c = 0x9EB5; return true;  // 麵
      case 0xb0a1: *c = 0x554A; return true;  // 啊, GB 2312
      case 0xa8a4: *c = 0x4E00; return true;  // a symbol row
      default: return false;                  // no ideograph
    }
  };
  const struct {
    int over;
    std::vector<int> blank;
  } cases[] = {
      {0, {}}, {1, {0x8140}}, {2, {0x8140, 0xfe50}}, {3, {}},
  };
  for (const auto& c : cases) {
    std::vector<int> stored = {0xfe50, 0xb0a1, 0xa8a4, 0x8140};
    for (int filler = 0x10000; stored.size() < size_t(kDbcsTableRoom + c.over);) {
      stored.push_back(filler++);
    }
    EXPECT_EQ(CodesToLeaveBlank(request, stored, character), c.blank) << c.over;
  }
  FontRequest other = request;
  other.codePage = FindCodePage(FontKind::kDbcs, "950");
  std::vector<int> stored(kDbcsTableRoom + 1, 0);
  stored.front() = 0x8140;
  EXPECT_TRUE(CodesToLeaveBlank(other, stored, character).empty());
}

}  // namespace

}  // namespace vexo
