#include "vexofont/make/input_font_builder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fontinput/font_header.h"
#include "store/little_endian.h"
#include "testkit/test_fonts.h"

namespace vexo {

namespace {

// A glyph source that draws PatternGlyph(code) for the codes in `present`,
// with `clipped[code]` dots cut off, and reports every other code missing.
struct FakeSource {
  std::map<int, int> clipped;
  std::vector<int> present;
  std::vector<int> asked;
  CellSize cell;

  GlyphSource Source() {
    return [this](int code, CellGlyph* glyph) {
      asked.push_back(code);
      glyph->rows = PatternGlyph(code, cell.width, cell.height);
      glyph->clippedDots = clipped.count(code) ? clipped[code] : 0;
      for (int p : present) {
        if (p == code) return true;
      }
      return false;  // the rows drawn above must not reach the file
    };
  }
};

// The glyph at `index` of the body, as rows top row first.
GlyphRows GlyphAt(const Bytes& file, int header, int index, int height) {
  GlyphRows rows(height);
  const size_t start = header + static_cast<size_t>(index) * 4 * height;
  for (int r = 0; r < height; ++r) {
    // The file holds the bottom row first.
    rows[height - 1 - r] = uint32_t(file[start + 4 * r]) << 24 |
                           uint32_t(file[start + 4 * r + 1]) << 16 |
                           uint32_t(file[start + 4 * r + 2]) << 8 |
                           uint32_t(file[start + 4 * r + 3]);
  }
  return rows;
}

TEST(InputFontBuilderTest, SbcsFileHoldsHeaderAndOneGlyphPerCode) {
  const CodePage* page = FindCodePage(FontKind::kSbcs, "850");
  FontRequest request{FontKind::kSbcs, Station::kThermal, {12, 24}, page,
                      0x41, 0x45};
  FakeSource fake;
  fake.cell = request.cell;
  fake.present = {0x41, 0x42, 0x44, 0x45};
  fake.clipped = {{0x42, 3}, {0x45, 2}};
  Bytes file;
  FontCounts counts;
  ASSERT_TRUE(BuildInputFont(request, fake.Source(), &file, &counts));

  ASSERT_EQ(file.size(), 32u + 5 * 4 * 24);
  EXPECT_EQ(file.size(), InputFontFileSize(FontKind::kSbcs, {12, 24}, 5));
  EXPECT_EQ(std::string(file.begin(), file.begin() + 16), "ZYNPosSingleFont");
  EXPECT_EQ(DecodeFixed16(&file[kVersionOffset]), 1);
  EXPECT_EQ(DecodeFixed16(&file[kHeaderCodePageOffset]), 850);
  EXPECT_EQ(DecodeFixed16(&file[kFirstCharOffset]), 0x41);
  EXPECT_EQ(DecodeFixed16(&file[kLastCharOffset]), 0x45);
  EXPECT_EQ(DecodeFixed32(&file[kWidthOffset]), 12u);
  EXPECT_EQ(DecodeFixed32(&file[kHeightOffset]), 24u);
  EXPECT_EQ(fake.asked, (std::vector<int>{0x41, 0x42, 0x43, 0x44, 0x45}));
  for (int code = 0x41; code <= 0x45; ++code) {
    const GlyphRows expected = code == 0x43 ? GlyphRows(24, 0)
                                            : PatternGlyph(code, 12, 24);
    EXPECT_EQ(GlyphAt(file, 32, code - 0x41, 24), expected) << code;
  }
  EXPECT_EQ(counts.written, 5);
  EXPECT_EQ(counts.missing, 1);
  EXPECT_EQ(counts.belowFirst, 0);
  EXPECT_EQ(counts.clippedGlyphs, 2);
  EXPECT_EQ(counts.clippedDots, 5);
}

TEST(InputFontBuilderTest, BottomRowComesFirstInTheFile) {
  const CodePage* page = FindCodePage(FontKind::kSbcs, "437");
  FontRequest request{FontKind::kSbcs, Station::kImpact, {8, 4}, page, 0x30,
                      0x30};
  const GlyphSource source = [](int, CellGlyph* glyph) {
    glyph->rows = {0x80000000u, 0x40000000u, 0x20000000u, 0x01000000u};
    return true;
  };
  Bytes file;
  FontCounts counts;
  ASSERT_TRUE(BuildInputFont(request, source, &file, &counts));
  const Bytes body(file.begin() + 32, file.end());
  EXPECT_EQ(body, (Bytes{0x01, 0, 0, 0, 0x20, 0, 0, 0, 0x40, 0, 0, 0, 0x80, 0,
                         0, 0}));
}

struct VectorCase {
  const char* codePage;
  int first;
  int last;
  Vector fontVector1;
};

TEST(InputFontBuilderTest, FontVectorsCutTheLeadRangesToTheCodeRange) {
  const VectorCase cases[] = {
      {"932", 0x8140, 0xFCFC, {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}, {0, 0}}},
      {"932", 0x8140, 0x83FC, {{0x81, 0x83}, {0, 0}, {0, 0}, {0, 0}}},
      {"932", 0x9F40, 0xE0FC, {{0x9F, 0x9F}, {0xE0, 0xE0}, {0, 0}, {0, 0}}},
      {"932", 0xA000, 0xDFFF, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}},
      {"936", 0xB0A1, 0xB1FE, {{0xB0, 0xB1}, {0, 0}, {0, 0}, {0, 0}}},
      {"950", 0x0000, 0xFFFF, {{0x81, 0xFE}, {0, 0}, {0, 0}, {0, 0}}},
  };
  for (const VectorCase& c : cases) {
    const CodePage* page = FindCodePage(FontKind::kDbcs, c.codePage);
    ASSERT_NE(page, nullptr);
    const DbcsVectors vectors = DbcsVectorsFor(*page, c.first, c.last);
    EXPECT_EQ(vectors.fontVector1, c.fontVector1) << c.codePage << " "
                                                  << std::hex << c.first;
    for (int i = 0; i < kRangeSlots; ++i) {
      const std::pair<uint8_t, uint8_t> lead{page->lead[i].first,
                                             page->lead[i].last};
      const std::pair<uint8_t, uint8_t> trail{page->trail[i].first,
                                              page->trail[i].last};
      EXPECT_EQ(vectors.codePageVector1[i], lead);
      EXPECT_EQ(vectors.codePageVector2[i], trail);
      EXPECT_EQ(vectors.fontVector2[i], trail);
    }
  }
}

TEST(InputFontBuilderTest, DbcsFileFollowsTheEnumerationWithBlanksBelowFirst) {
  const CodePage* page = FindCodePage(FontKind::kDbcs, "932");
  // Lead row 0x81 from 0x8150 to 0x8182: 0x8140 to 0x814F are blank,
  // then 0x8150 to 0x817E, then 0x8180 to 0x8182 (0x817F is no trail).
  FontRequest request{FontKind::kDbcs, Station::kImpact, {16, 9}, page,
                      0x8150, 0x8182};
  FakeSource fake;
  fake.cell = request.cell;
  for (int code = 0x8150; code <= 0x8182; ++code) {
    if (code != 0x8160) fake.present.push_back(code);
  }
  Bytes file;
  FontCounts counts;
  ASSERT_TRUE(BuildInputFont(request, fake.Source(), &file, &counts));
  const int glyphs = 16 + (0x7E - 0x50 + 1) + 3;
  ASSERT_EQ(file.size(), 64u + glyphs * 4 * 9);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 16), "ZYNPosDBCSFont  ");
  EXPECT_EQ(DecodeFixed16(&file[kFirstCharOffset]), 0x8150);
  EXPECT_EQ(DecodeFixed16(&file[kLastCharOffset]), 0x8182);
  EXPECT_EQ(DecodeFixed32(&file[kWidthOffset]), 16u);
  EXPECT_EQ(DecodeFixed32(&file[kHeightOffset]), 9u);
  const Bytes vectors(file.begin() + kCodePageVector1Offset,
                      file.begin() + kDbcsHeaderSize);
  EXPECT_EQ(vectors, (Bytes{0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0, 0,  //
                            0x40, 0x7E, 0x80, 0xFC, 0, 0, 0, 0,  //
                            0x81, 0x81, 0, 0, 0, 0, 0, 0,        //
                            0x40, 0x7E, 0x80, 0xFC, 0, 0, 0, 0}));
  int index = 0;
  std::vector<int> expectedAsked;
  for (int code = 0x8140; code <= 0x8182; ++code, ++index) {
    if (code == 0x817F) {
      --index;
      continue;
    }
    const bool drawn = code >= 0x8150 && code != 0x8160;
    if (code >= 0x8150) expectedAsked.push_back(code);
    EXPECT_EQ(GlyphAt(file, 64, index, 9),
              drawn ? PatternGlyph(code, 16, 9) : GlyphRows(9, 0))
        << std::hex << code;
  }
  EXPECT_EQ(fake.asked, expectedAsked);
  EXPECT_EQ(counts.written, glyphs);
  EXPECT_EQ(counts.belowFirst, 16);
  EXPECT_EQ(counts.missing, 1);
}

TEST(InputFontBuilderTest, DbcsRangeWithoutCodesWritesNothing) {
  const CodePage* page = FindCodePage(FontKind::kDbcs, "932");
  const struct {
    int first;
    int last;
  } ranges[] = {{0xA000, 0xDFFF}, {0x0020, 0x007F}, {0x817F, 0x817F},
                {0x81FD, 0x81FF}};
  for (const auto& range : ranges) {
    FontRequest request{FontKind::kDbcs, Station::kThermal, {24, 24}, page,
                        range.first, range.last};
    FakeSource fake;
    fake.cell = request.cell;
    Bytes file;
    FontCounts counts;
    EXPECT_FALSE(BuildInputFont(request, fake.Source(), &file, &counts))
        << std::hex << range.first;
    EXPECT_TRUE(file.empty());
    EXPECT_TRUE(fake.asked.empty());
  }
}

}  // namespace

}  // namespace vexo
