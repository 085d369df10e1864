#include "fontinput/glyph_size.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RuleCase {
  const char* name;
  uint8_t kind;
  int station;
};
const RuleCase kRules[] = {
    {"SBCS thermal", kKindSbcs, kStationThermal},
    {"SBCS impact", kKindSbcs, kStationImpact},
    {"DBCS thermal", kKindDbcs, kStationThermal},
    {"DBCS impact", kKindDbcs, kStationImpact},
};

TEST(GlyphSizeTest, FaultsAreFoundWidthFirstThenHeight) {
  struct Case {
    uint8_t kind;
    int station;
    uint32_t width, height;
    SizeFault fault;
  };
  const Case kCases[] = {
      {kKindSbcs, kStationThermal, 8, 16, SizeFault::kNone},
      {kKindSbcs, kStationThermal, 15, 32, SizeFault::kNone},
      {kKindSbcs, kStationThermal, 16, 24, SizeFault::kNone},
      {kKindSbcs, kStationThermal, 16, 25, SizeFault::kHeightAtMaxWidth},
      {kKindSbcs, kStationThermal, 16, 32, SizeFault::kHeightAtMaxWidth},
      {kKindSbcs, kStationThermal, 16, 33, SizeFault::kHeight},
      {kKindSbcs, kStationThermal, 7, 33, SizeFault::kWidth},
      {kKindSbcs, kStationThermal, 17, 16, SizeFault::kWidth},
      {kKindSbcs, kStationThermal, 12, 15, SizeFault::kHeight},
      {kKindSbcs, kStationThermal, 0xFFFFFFFF, 16, SizeFault::kWidth},
      {kKindSbcs, kStationImpact, 4, 4, SizeFault::kNone},
      {kKindSbcs, kStationImpact, 16, 16, SizeFault::kNone},
      {kKindSbcs, kStationImpact, 3, 4, SizeFault::kWidth},
      {kKindSbcs, kStationImpact, 16, 17, SizeFault::kHeight},
      {kKindSbcs, kStationImpact, 8, 0xFFFFFFFF, SizeFault::kHeight},
      {kKindDbcs, kStationThermal, 24, 24, SizeFault::kNone},
      {kKindDbcs, kStationThermal, 24, 23, SizeFault::kHeight},
      {kKindDbcs, kStationThermal, 16, 24, SizeFault::kWidth},
      {kKindDbcs, kStationImpact, 16, 16, SizeFault::kNone},
      {kKindDbcs, kStationImpact, 16, 9, SizeFault::kNone},
      {kKindDbcs, kStationImpact, 16, 10, SizeFault::kHeight},
      {kKindDbcs, kStationImpact, 16, 0, SizeFault::kHeight},
      {kKindDbcs, kStationImpact, 24, 9, SizeFault::kWidth},
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
        if (r.station == kStationThermal) {
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
  EXPECT_EQ(RowBytesTaken(kKindSbcs, kStationThermal, 8), 2);
  EXPECT_EQ(RowBytesTaken(kKindSbcs, kStationThermal, 15), 2);
  EXPECT_EQ(RowBytesTaken(kKindSbcs, kStationThermal, 16), 3);
  EXPECT_EQ(RowBytesTaken(kKindSbcs, kStationImpact, 7), 0);
  EXPECT_EQ(RowBytesTaken(kKindSbcs, kStationImpact, 16), 2);
  EXPECT_EQ(RowBytesTaken(kKindDbcs, kStationThermal, 24), 3);
  EXPECT_EQ(RowBytesTaken(kKindDbcs, kStationImpact, 16), 2);
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
