#include "vexofont/make/cell_size.h"

#include <gtest/gtest.h>

namespace vexo {

namespace {

struct SizeText {
  const char* text;
  bool valid;
  int width;
  int height;
};

TEST(CellSizeTest, SizesAreReadAsWidthByHeight) {
  const SizeText cases[] = {
      {"12x24", true, 12, 24},  {"16X9", true, 16, 9},
      {"8x016", true, 8, 16},   {"x24", false, 0, 0},
      {"12x", false, 0, 0},     {"12x24x", false, 0, 0},
      // Any number reads, so that the range can be named; huge ones stop
      // growing at a million.
      {"0x16", true, 0, 16},    {"16x0", true, 16, 0},
      {"1234x5", true, 1234, 5},
      {"99999999x2", true, 1000000, 2},
      {"-8x16", false, 0, 0},
      {" 8x16", false, 0, 0},   {"8 x16", false, 0, 0},
      {"", false, 0, 0},        {"8*16", false, 0, 0},
  };
  for (const SizeText& c : cases) {
    CellSize size{-1, -1};
    EXPECT_EQ(ParseCellSize(c.text, &size), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(size.width, c.width) << c.text;
      EXPECT_EQ(size.height, c.height) << c.text;
    } else {
      EXPECT_EQ(size.width, -1) << c.text;
    }
  }
}

struct Acceptance {
  FontKind kind;
  Station station;
  int width;
  int height;
  bool accepted;
};

TEST(CellSizeTest, OnlySizesTheConverterLoadsWholeAreAccepted) {
  constexpr FontKind s = FontKind::kSbcs;
  constexpr FontKind d = FontKind::kDbcs;
  constexpr Station t = Station::kThermal;
  constexpr Station i = Station::kImpact;
  const Acceptance cases[] = {
      {s, t, 8, 16, true},   {s, t, 7, 16, false},  {s, t, 17, 16, false},
      {s, t, 8, 15, false},  {s, t, 8, 32, true},   {s, t, 8, 33, false},
      {s, t, 15, 32, true},  {s, t, 16, 24, true},  {s, t, 16, 25, false},
      {s, t, 16, 16, true},  {s, t, 12, 24, true},  {s, i, 4, 4, true},
      {s, i, 3, 4, false},   {s, i, 4, 3, false},   {s, i, 16, 16, true},
      {s, i, 17, 16, false}, {s, i, 16, 17, false}, {s, i, 8, 9, true},
      {d, t, 24, 24, true},  {d, t, 24, 16, false}, {d, t, 16, 24, false},
      {d, t, 16, 16, false}, {d, i, 16, 16, true},  {d, i, 16, 9, true},
      {d, i, 16, 12, false}, {d, i, 24, 24, false}, {d, i, 24, 16, false},
      {d, i, 8, 9, false},
  };
  for (const Acceptance& c : cases) {
    EXPECT_EQ(CellSizeAccepted(c.kind, c.station, {c.width, c.height}),
              c.accepted)
        << KindStationName(c.kind, c.station) << " " << c.width << "x"
        << c.height;
  }
}

}  // namespace

}  // namespace vexo
