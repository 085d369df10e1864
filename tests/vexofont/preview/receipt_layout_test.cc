#include "vexofont/preview/receipt_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vexofont/preview/preview_picture.h"

namespace vexo {

namespace {

// A font of SBCS 12x24 thermal and 8x9 impact glyphs, spacing 3 and 6:
// 'A' at both stations with every dot set, 'B' at the thermal station
// only; DBCS 0x8140 at both, its top-left dot only.
ShownFont Font() {
  ShownFont font;
  OutputParameters& p = font.parameters;
  p.codePage = 932;
  p.sbcsThermalWidth = 12;
  p.sbcsThermalHeight = 24;
  p.sbcsImpactWidth = 8;
  p.sbcsImpactHeight = 9;
  p.sbcsSpacing = 3;
  p.dbcsSpacing = 6;
  ShownGlyph a;
  a.kind = FontKind::kSbcs;
  a.code = 'A';
  a.thermal = a.impact = true;
  ResetPicture(12, 24, &a.thermalDots);
  ResetPicture(8, 9, &a.impactDots);
  for (int y = 0; y < 24; ++y) a.thermalDots.rows[y] = 0xFFF00000u;
  for (int y = 0; y < 9; ++y) a.impactDots.rows[y] = 0xFF000000u;
  ShownGlyph b = a;
  b.code = 'B';
  b.impact = false;
  ShownGlyph kanji;
  kanji.kind = FontKind::kDbcs;
  kanji.code = 0x8140;
  kanji.thermal = kanji.impact = true;
  ResetPicture(24, 24, &kanji.thermalDots);
  ResetPicture(16, 16, &kanji.impactDots);
  kanji.thermalDots.Set(0, 0);
  kanji.impactDots.Set(0, 0);
  font.glyphs = {a, b, kanji};
  return font;
}

std::vector<TextCharacter> Text(const std::string& codes) {
  // 'A', 'B', 'K' (0x8140), 'x' (not in the code page), '\n', '\t'.
  std::vector<TextCharacter> text;
  for (char c : codes) {
    TextCharacter t;
    t.character = static_cast<unsigned char>(c);
    if (c == '\n') {
      t.newline = true;
    } else if (c == '\t') {
      t.tab = true;
    } else if (c == 'K') {
      t.kind = FontKind::kDbcs;
      t.code = 0x8140;
    } else if (c != 'x') {
      t.kind = FontKind::kSbcs;
      t.code = c;
    }
    text.push_back(t);
  }
  return text;
}

struct Expected {
  int x, y, w, h;
  bool drawn;
};

TEST(ReceiptLayoutTest, CharactersAreSetWithTheSpacingAndLinesBreak) {
  struct Case {
    const char* text;
    Station station;
    int width;
    int height;
    std::vector<Expected> placed;
  };
  const Case kCases[] = {
      // 12 + 3 after A, 24 + 6 after the kanji; lines 24 high, 4 apart.
      {"AKA", Station::kThermal, 576, 24,
       {{0, 0, 12, 24, true}, {15, 0, 24, 24, true}, {45, 0, 12, 24, true}}},
      // 50 dots: the second A does not fit after A and the kanji.
      {"AKA", Station::kThermal, 50, 52,
       {{0, 0, 12, 24, true}, {15, 0, 24, 24, true}, {0, 28, 12, 24, true}}},
      {"A\nA", Station::kThermal, 576, 52,
       {{0, 0, 12, 24, true}, {0, 28, 12, 24, true}}},
      // The impact station: an 8x9 A stands on the foot of a 16-row line.
      {"AK", Station::kImpact, 400, 16,
       {{0, 7, 8, 9, true}, {11, 0, 16, 16, true}}},
      // B has no impact glyph, x no code: both the mark.
      {"Bx", Station::kImpact, 400, 16,
       {{0, 7, 8, 9, false}, {11, 7, 8, 9, false}}},
      {"Bx", Station::kThermal, 576, 24,
       {{0, 0, 12, 24, true}, {15, 0, 12, 24, false}}},
      // Tab stops every 8 SBCS characters (12 + 3 dots): at 120; past the
      // width, the next line.
      {"A\tA", Station::kThermal, 576, 24,
       {{0, 0, 12, 24, true}, {120, 0, 12, 24, true}}},
      {"\t\tA", Station::kThermal, 576, 24, {{240, 0, 12, 24, true}}},
      {"A\tA", Station::kThermal, 100, 52,
       {{0, 0, 12, 24, true}, {0, 28, 12, 24, true}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    StationSetting setting;
    setting.width = c.width;
    setting.sbcsSpacing = 3;
    setting.dbcsSpacing = 6;
    StationPicture picture;
    std::string error;
    ASSERT_TRUE(LayOutStation(Text(c.text), Font(), c.station, setting, 10,
                              &picture, &error));
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
    ASSERT_EQ(picture.placed.size(), c.placed.size());
    for (size_t i = 0; i < c.placed.size(); ++i) {
      const PlacedCharacter& p = picture.placed[i];
      const Expected& e = c.placed[i];
      EXPECT_EQ(p.x, e.x) << i;
      EXPECT_EQ(p.y, e.y) << i;
      EXPECT_EQ(p.w, e.w) << i;
      EXPECT_EQ(p.h, e.h) << i;
      EXPECT_EQ(p.drawn, e.drawn) << i;
      // A drawn cell's top-left dot is set in every glyph here; a mark is
      // its cell's outline, hollow inside.
      EXPECT_EQ(picture.At(e.x, e.y), e.drawn ? Ink::kDot : Ink::kMark) << i;
      if (!e.drawn) {
        EXPECT_EQ(picture.At(e.x + e.w - 1, e.y + e.h - 1), Ink::kMark);
        EXPECT_EQ(picture.At(e.x + 1, e.y + 1), Ink::kPaper);
      }
    }
  }
}

// Lines are as high as the glyphs the station has: 9 rows at an impact
// station with no DBCS glyphs, a DBCS mark held to them.
TEST(ReceiptLayoutTest, LinesAreAsHighAsTheStationsGlyphs) {
  ShownFont font = Font();
  font.glyphs[2].impact = false;
  StationSetting setting;
  setting.width = 400;
  setting.lineGap = 2;
  StationPicture picture;
  std::string error;
  ASSERT_TRUE(LayOutStation(Text("A\nAK"), font, Station::kImpact, setting, 10,
                            &picture, &error));
  EXPECT_EQ(picture.height, 9 + 2 + 9);
  ASSERT_EQ(picture.placed.size(), 3u);
  EXPECT_EQ(picture.placed[1].y, 11);
  EXPECT_EQ(picture.placed[2].h, 9);
  EXPECT_FALSE(picture.placed[2].drawn);
}

TEST(ReceiptLayoutTest, TooManyLinesAreRefused) {
  StationSetting setting;
  setting.width = 576;
  StationPicture picture;
  std::string error;
  EXPECT_FALSE(LayOutStation(Text("A\nA\nA"), Font(), Station::kThermal,
                             setting, 2, &picture, &error));
  EXPECT_EQ(error, "the text makes 3 lines at the thermal station, more than 2");
}

TEST(ReceiptLayoutTest, PictureStacksTheStationsOnTheBackground) {
  StationSetting thermal;  // 0.125 mm square dots: 2 by 2 pixels
  thermal.width = 30;
  StationSetting impact;   // 0.176 across, 0.353 down: 2.816 by 5.648 pixels
  impact.width = 20;
  impact.pitch = {176, 353};
  std::vector<StationPicture> pictures(2);
  std::string error;
  ASSERT_TRUE(LayOutStation(Text("A"), Font(), Station::kThermal, thermal, 10,
                            &pictures[0], &error));
  ASSERT_TRUE(LayOutStation(Text("A"), Font(), Station::kImpact, impact, 10,
                            &pictures[1], &error));
  GrayImage image;
  DrawPreview(pictures, false, &image);
  const int m = kPreviewMargin;
  // 20 columns are 56.32 pixels, 16 rows 90.37.
  EXPECT_EQ(image.width, 2 * m + 60);
  EXPECT_EQ(image.height, 2 * m + 48 + kPreviewStationGap + 90);
  EXPECT_EQ(image.At(0, 0), kPreviewBackground);
  EXPECT_EQ(image.At(m, m), kPreviewDot);                  // A's first dot
  EXPECT_EQ(image.At(m + 24, m), kPreviewPaper);           // after A
  const int impactTop = m + 48 + kPreviewStationGap;
  EXPECT_EQ(image.At(m + 56, impactTop), kPreviewBackground);  // past 20
  EXPECT_EQ(image.At(m + 55, impactTop), kPreviewPaper);
  // The impact A, 8 columns by rows 7 to 15 of 16, all dots: pixels 0 to
  // 22 across (8 x 2.816 = 22.5) and 40 to 89 down (7 x 5.648 = 39.5).
  const struct { int x, y; uint8_t shade; } kImpactA[] = {
      {0, 40, kPreviewDot}, {22, 89, kPreviewDot},
      {0, 39, kPreviewPaper}, {23, 40, kPreviewPaper}};
  for (const auto& at : kImpactA) {
    EXPECT_EQ(image.At(m + at.x, impactTop + at.y), at.shade)
        << at.x << "," << at.y;
  }
  DrawPreview(pictures, true, &image);
  EXPECT_EQ(image.width, 2 * m + 60 + kPreviewStationGap + 56);
  EXPECT_EQ(image.height, 2 * m + 90);
  const std::string text = PreviewText(pictures);
  EXPECT_EQ(text.rfind("thermal station, 30 dots wide:\n############\n", 0), 0u)
      << text;
}

}  // namespace

}  // namespace vexo
