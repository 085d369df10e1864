#include "vexofont/readers/input_file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "show_test_support.h"

namespace vexo {

namespace {

class InputFileReaderTest : public ShowFileTest {
 protected:
  static Bytes SbcsHeader(uint32_t width, uint32_t height) {
    Bytes font;
    AppendSbcsHeader(&font, {.magic = "",
                             .firstChar = 0x41,
                             .lastChar = 0x40,  // no glyph, no body
                             .width = width,
                             .height = height});
    return font;
  }

  static Bytes DbcsHeader(uint32_t width, uint32_t height) {
    Bytes font;
    AppendDbcsHeader(&font, {.magic = "", .width = width, .height = height},
                     DbcsVectors{});  // no lead range, no glyph
    return font;
  }

};

// Headers that no station takes, and where and how that is reported.
struct BadHeader {
  const char* comment;
  bool dbcs;
  uint32_t width;
  uint32_t height;
  size_t reportedAt;
  const char* text;
};

const BadHeader kBadHeaders[] = {
    {"too wide for both SBCS stations", false, 17, 16, 24,
     "width 17 fits no station (thermal 8 to 16, impact 4 to 16)"},
    {"too narrow for both SBCS stations", false, 3, 8, 24,
     "width 3 fits no station (thermal 8 to 16, impact 4 to 16)"},
    {"a width with the top bit set is a huge width", false, 0x80000008u, 16,
     24, "width 2147483656 fits no station (thermal 8 to 16, impact 4 to 16)"},
    {"impact-only width, too tall for impact", false, 6, 20, 28,
     "height 20 fits no station at width 6 (impact 4 to 16; thermal needs "
     "width 8 to 16)"},
    {"one row over the impact limit, too narrow for thermal", false, 7, 17,
     28,
     "height 17 fits no station at width 7 (impact 4 to 16; thermal needs "
     "width 8 to 16)"},
    {"SBCS 16 wide takes at most 24 thermal rows", false, 16, 25, 28,
     "height 25 fits no station at width 16 (thermal 16 to 24, impact 4 to "
     "16)"},
    {"SBCS taller than 32", false, 12, 33, 28,
     "height 33 fits no station at width 12 (thermal 16 to 32, impact 4 to "
     "16)"},
    {"SBCS under 4 rows", false, 12, 3, 28,
     "height 3 fits no station at width 12 (thermal 16 to 32, impact 4 to "
     "16)"},
    {"DBCS thermal must be 24 rows", true, 24, 16, 28,
     "height 16 fits no station at width 24 (thermal 24)"},
    {"DBCS impact is 9 or 16 rows", true, 16, 12, 28,
     "height 12 fits no station at width 16 (impact 9 or 16)"},
    {"DBCS width neither 16 nor 24", true, 20, 20, 24,
     "width 20 fits no station (thermal 24, impact 16)"},
};

TEST_F(InputFileReaderTest, HeaderNoStationTakesIsReported) {
  for (const BadHeader& c : kBadHeaders) {
    SCOPED_TRACE(c.comment);
    const CapturedRun run =
        Show(c.dbcs ? DbcsHeader(c.width, c.height)
                    : SbcsHeader(c.width, c.height));
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, Line(c.reportedAt, c.text));
  }
}

// The edges of what each station takes, with which stations take them.
struct GoodHeader {
  bool dbcs;
  uint32_t width;
  uint32_t height;
  bool thermal;
  bool impact;
};

const GoodHeader kGoodHeaders[] = {
    {false, 8, 16, true, true},    {false, 16, 24, true, false},
    {false, 8, 32, true, false},   {false, 4, 4, false, true},
    {false, 16, 16, true, true},   {false, 7, 16, false, true},
    {true, 24, 24, true, false},   {true, 16, 9, false, true},
    {true, 16, 16, false, true},
};

TEST_F(InputFileReaderTest, HeaderSomeStationTakesIsSound) {
  for (const GoodHeader& c : kGoodHeaders) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const Bytes bytes =
        c.dbcs ? DbcsHeader(c.width, c.height) : SbcsHeader(c.width, c.height);
    ShownFont font;
    ProblemList problems;
    ReadInputFontFile(bytes.data(), bytes.size(), &font, &problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(font.header.thermalAccepted, c.thermal);
    EXPECT_EQ(font.header.impactAccepted, c.impact);
  }
}

TEST_F(InputFileReaderTest, ShortHeaderIsReportedWithItsLength) {
  Bytes bytes = SbcsHeader(8, 16);
  bytes.resize(20);
  EXPECT_EQ(Show(bytes).err, Line(20, "header cut short: 20 of 32 bytes"));
  bytes = DbcsHeader(24, 24);
  bytes.resize(63);
  EXPECT_EQ(Show(bytes).err, Line(63, "header cut short: 63 of 64 bytes"));
}

Bytes ThreeSbcsGlyphs() {
  return SbcsFont(0x41, 8, 16,
                  {PatternGlyph(0x41, 8, 16), PatternGlyph(0x42, 8, 16),
                   PatternGlyph(0x43, 8, 16)});
}

TEST_F(InputFileReaderTest, SbcsBodyShortOfTheHeaderRangeIsReported) {
  Bytes bytes = ThreeSbcsGlyphs();  // 32 + 3 x 64 bytes
  bytes.resize(32 + 2 * 64 + 10);
  const CapturedRun run = Show(bytes);
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, Line(170,
                          "body holds 138 bytes, 3 glyphs of 64 bytes need "
                          "192: 54 bytes missing"));
}

TEST_F(InputFileReaderTest, SbcsSurplusAfterTheLastGlyphIsReported) {
  Bytes bytes = ThreeSbcsGlyphs();
  bytes.insert(bytes.end(), 5, 0);
  EXPECT_EQ(Show(bytes).err, Line(224, "5 surplus bytes after the last glyph"));
}

// Lead 81; trail ranges 40-42, a skipped one, 80-80; codes up to 8180:
// 8140, 8141, 8142 and 8180.
Bytes FourDbcsGlyphs() {
  DbcsVectors vectors;
  vectors.fontVector1 = {{0x81, 0x81}, {0, 0}, {0, 0}, {0, 0}};
  vectors.fontVector2 = {{0x40, 0x42}, {0x00, 0xFF}, {0x80, 0x80}, {0, 0}};
  EXPECT_EQ(EnumerateDbcsCodes(vectors.fontVector1, vectors.fontVector2,
                               0x8180)
                .size(),
            4u);
  Bytes font;
  AppendDbcsHeader(&font,
                   {.magic = "", .lastChar = 0x8180, .width = 16, .height = 16},
                   vectors);
  for (int code : {0x8140, 0x8141, 0x8142, 0x8180}) {
    AppendGlyph(&font, PatternGlyph(code, 16, 16));
  }
  return font;
}

TEST_F(InputFileReaderTest, DbcsBodyFollowsTheCodeEnumeration) {
  const Bytes whole = FourDbcsGlyphs();  // 64 + 4 x 64 bytes
  EXPECT_EQ(Show(whole).err, "");
  Bytes cut = whole;
  cut.resize(64 + 3 * 64);
  EXPECT_EQ(Show(cut).err, Line(256,
                                "body holds 192 bytes, 4 glyphs of 64 bytes "
                                "need 256: 64 bytes missing"));
  ShownFont font;
  ProblemList problems;
  ReadInputFontFile(whole.data(), whole.size(), &font, &problems);
  ASSERT_EQ(font.glyphs.size(), 4u);
  EXPECT_EQ(font.glyphs[3].code, 0x8180);
  EXPECT_EQ(font.glyphs[3].offset, 64u + 3 * 64);
}

TEST_F(InputFileReaderTest, ImpactPictureKeepsTheFirstEightColumnsOnly) {
  // 12 x 9: the impact station takes it; dots in columns 0, 7, 8 and 11.
  const GlyphRows rows(9, 0x81000000u | 0x00900000u);
  const Bytes bytes = SbcsFont(0x41, 12, 9, {rows});
  ShownFont font;
  ProblemList problems;
  ReadInputFontFile(bytes.data(), bytes.size(), &font, &problems);
  ASSERT_TRUE(problems.empty());
  ASSERT_EQ(font.glyphs.size(), 1u);
  const ShownGlyph& glyph = font.glyphs[0];
  EXPECT_FALSE(glyph.thermal);
  ASSERT_TRUE(glyph.impact);
  DotPicture expected;
  ResetPicture(12, 9, &expected);
  for (int y = 0; y < 9; ++y) {
    expected.Set(0, y);
    expected.Set(7, y);
  }
  EXPECT_EQ(glyph.impactDots, expected);
}

TEST_F(InputFileReaderTest, BlankDbcsGlyphIsTakenByNoStation) {
  Bytes bytes = FourDbcsGlyphs();
  std::fill(bytes.begin() + 64, bytes.begin() + 128, 0);  // glyph of 8140
  ShownFont font;
  ProblemList problems;
  ReadInputFontFile(bytes.data(), bytes.size(), &font, &problems);
  ASSERT_EQ(font.glyphs.size(), 4u);
  EXPECT_FALSE(font.glyphs[0].impact);
  EXPECT_TRUE(font.glyphs[1].impact);
}

TEST_F(InputFileReaderTest, EveryProperPrefixIsUnsound) {
  for (const Bytes& whole : {ThreeSbcsGlyphs(), FourDbcsGlyphs()}) {
    for (size_t n = 16; n < whole.size(); ++n) {
      const std::vector<uint8_t> prefix(whole.begin(), whole.begin() + n);
      ShownFont font;
      ProblemList problems;
      ReadInputFontFile(prefix.data(), prefix.size(), &font, &problems);
      EXPECT_FALSE(problems.empty()) << n;
      for (const ShownGlyph& glyph : font.glyphs) {
        EXPECT_LE(glyph.offset + font.header.glyphSize, n);
      }
    }
  }
}

}  // namespace

}  // namespace vexo
