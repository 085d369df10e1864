#include "fontinput/glyph_size.h"

#include "testkit/test_fonts.h"

#include <gtest/gtest.h>

#include <string>

namespace vexo {

namespace {

struct RuleCase {
  const char* name;
  FontKind kind;
  Station station;
};
const RuleCase kRules[] = {
    {"SBCS thermal", FontKind::kSbcs, Station::kThermal},
    {"SBCS impact", FontKind::kSbcs, Station::kImpact},
    {"DBCS thermal", FontKind::kDbcs, Station::kThermal},
    {"DBCS impact", FontKind::kDbcs, Station::kImpact},
};

TEST(GlyphSizeTest, FaultsAreFoundWidthFirstThenHeight) {
  struct Case {
    FontKind kind;
    Station station;
    uint32_t width, height;
    SizeFault fault;
  };
  const Case kCases[] = {
      {FontKind::kSbcs, Station::kThermal, 8, 16, SizeFault::kNone},
      {FontKind::kSbcs, Station::kThermal, 15, 32, SizeFault::kNone},
      {FontKind::kSbcs, Station::kThermal, 16, 24, SizeFault::kNone},
      {FontKind::kSbcs, Station::kThermal, 16, 25, SizeFault::kHeightAtMaxWidth},
      {FontKind::kSbcs, Station::kThermal, 16, 32, SizeFault::kHeightAtMaxWidth},
      {FontKind::kSbcs, Station::kThermal, 16, 33, SizeFault::kHeight},
      {FontKind::kSbcs, Station::kThermal, 7, 33, SizeFault::kWidth},
      {FontKind::kSbcs, Station::kThermal, 17, 16, SizeFault::kWidth},
      {FontKind::kSbcs, Station::kThermal, 12, 15, SizeFault::kHeight},
      {FontKind::kSbcs, Station::kThermal, 0xFFFFFFFF, 16, SizeFault::kWidth},
      {FontKind::kSbcs, Station::kImpact, 4, 4, SizeFault::kNone},
      {FontKind::kSbcs, Station::kImpact, 16, 16, SizeFault::kNone},
      {FontKind::kSbcs, Station::kImpact, 3, 4, SizeFault::kWidth},
      {FontKind::kSbcs, Station::kImpact, 16, 17, SizeFault::kHeight},
      {FontKind::kSbcs, Station::kImpact, 8, 0xFFFFFFFF, SizeFault::kHeight},
      {FontKind::kDbcs, Station::kThermal, 24, 24, SizeFault::kNone},
      {FontKind::kDbcs, Station::kThermal, 24, 23, SizeFault::kHeight},
      {FontKind::kDbcs, Station::kThermal, 16, 24, SizeFault::kWidth},
      {FontKind::kDbcs, Station::kImpact, 16, 16, SizeFault::kNone},
      {FontKind::kDbcs, Station::kImpact, 16, 9, SizeFault::kNone},
      {FontKind::kDbcs, Station::kImpact, 16, 10, SizeFault::kHeight},
      {FontKind::kDbcs, Station::kImpact, 16, 0, SizeFault::kHeight},
      {FontKind::kDbcs, Station::kImpact, 24, 9, SizeFault::kWidth},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << int(c.kind) << "/" << c.station << " "
                                    << c.width << "x" << c.height);
    const GlyphSizeRule& rule = GlyphSizesFor(c.kind, c.station);
    EXPECT_EQ(CheckGlyphSize(rule, c.width, c.height), c.fault);
    EXPECT_EQ(GlyphSizeAccepted(c.kind, c.station, c.width, c.height),
              c.fault == SizeFault::kNone);
  }
}

// Every accepted size keeps a loaded glyph within the record: the thermal
// rows within the 72-byte bitmap, the impact columns within 32 bytes.
TEST(GlyphSizeTest, EveryAcceptedSizeFitsTheRecord) {
  for (const RuleCase& r : kRules) {
    SCOPED_TRACE(r.name);
    int accepted = 0;
    for (uint32_t w = 0; w <= 40; ++w) {
      for (uint32_t h = 0; h <= 40; ++h) {
        if (!GlyphSizeAccepted(r.kind, r.station, w, h)) continue;
        ++accepted;
        if (r.station == Station::kThermal) {
          EXPECT_LE(int(h) * RowBytesTaken(r.kind, r.station, w),
                    kThermalBitmapSize)
              << w << "x" << h;
        } else {
          EXPECT_LE(2 * int(w), kImpactDataSize) << w << "x" << h;
        }
        EXPECT_LE(FileGlyphSize(h), 128u);
      }
    }
    EXPECT_GT(accepted, 0);
  }
}

TEST(GlyphSizeTest, RowBytesAndGlyphBytes) {
  EXPECT_EQ(RowBytesTaken(FontKind::kSbcs, Station::kThermal, 8), 2);
  EXPECT_EQ(RowBytesTaken(FontKind::kSbcs, Station::kThermal, 15), 2);
  EXPECT_EQ(RowBytesTaken(FontKind::kSbcs, Station::kThermal, 16), 3);
  EXPECT_EQ(RowBytesTaken(FontKind::kSbcs, Station::kImpact, 7), 0);
  EXPECT_EQ(RowBytesTaken(FontKind::kSbcs, Station::kImpact, 16), 2);
  EXPECT_EQ(RowBytesTaken(FontKind::kDbcs, Station::kThermal, 24), 3);
  EXPECT_EQ(RowBytesTaken(FontKind::kDbcs, Station::kImpact, 16), 2);
  EXPECT_EQ(FileGlyphSize(24), 96u);
  EXPECT_EQ(FileGlyphSize(9), 36u);
}

// The phrases that messages, help texts and the README use.
TEST(GlyphSizeTest, PhrasesSayWhatTheRulesAccept) {
  struct Case {
    const GlyphSizeRule* rule;
    const char* sizes;
    const char* widths;
    uint32_t width;
    const char* heights;
  };
  const Case kCases[] = {
      {&kSbcsThermalSizes,
       "width 8 to 16, height 16 to 32, at width 16 at most 24", "8 to 16",
       12, "16 to 32"},
      {&kSbcsThermalSizes,
       "width 8 to 16, height 16 to 32, at width 16 at most 24", "8 to 16",
       16, "16 to 24"},
      {&kSbcsImpactSizes, "width 4 to 16, height 4 to 16", "4 to 16", 16,
       "4 to 16"},
      {&kDbcsThermalSizes, "24x24 only", "24", 24, "24"},
      {&kDbcsImpactSizes, "16x16 or 16x9", "16", 16, "9 or 16"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.sizes);
    EXPECT_EQ(AcceptedSizes(*c.rule), c.sizes);
    EXPECT_EQ(AcceptedWidths(*c.rule), c.widths);
    EXPECT_EQ(AcceptedHeights(*c.rule, c.width), c.heights);
  }
}

}  // namespace

}  // namespace vexo
