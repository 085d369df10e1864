#include "vexofont/readers/column_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "fontinput/glyph_size.h"
#include "fontinput/impact_columns.h"
#include "store/font_kind.h"

namespace vexo {

namespace {

// A glyph as a grid of dots, x across, y down from the top row.
struct Glyph {
  int width;
  int height;
  std::vector<bool> dots;
  bool Dot(int x, int y) const { return dots[y * width + x]; }
};

// The bitmap a loader hands to the conversion: width / 8 bytes a row; dots
// beyond the first 8 x (width / 8) columns have no place in it.
std::vector<uint8_t> RowBitmap(const Glyph& g) {
  const int bytesPerRow = g.width / 8;
  std::vector<uint8_t> bitmap(100, 0);
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < 8 * bytesPerRow; ++x) {
      if (g.Dot(x, y)) bitmap[y * bytesPerRow + x / 8] |= 0x80 >> (x % 8);
    }
  }
  return bitmap;
}

// What a glyph record stores: the conversion's bytes cut or padded with
// zeros to 2 x width, as both loaders store them.
std::vector<uint8_t> Stored(const Glyph& g) {
  uint8_t columns[kColumnBufferSize] = {};
  ConvertToImpactColumns(RowBitmap(g).data(), columns, g.width, g.height);
  return std::vector<uint8_t>(columns, columns + 2 * g.width);
}

DotPicture Decode(const std::vector<uint8_t>& stored, int width, int height) {
  DotPicture picture;
  DecodeImpactColumns(stored.data(), static_cast<int>(stored.size()), width,
                      height, &picture);
  return picture;
}

Glyph SingleDot(int width, int height, int x, int y) {
  Glyph g{width, height, std::vector<bool>(width * height, false)};
  g.dots[y * width + x] = true;
  return g;
}

// Deterministic glyphs with about half their dots set, all dots set, and
// no dot set.
std::vector<Glyph> SampleGlyphs(int width, int height) {
  std::vector<Glyph> glyphs;
  uint32_t state = static_cast<uint32_t>(width * 131 + height);
  for (int n = 0; n < 24; ++n) {
    Glyph g{width, height, std::vector<bool>(width * height)};
    for (size_t i = 0; i < g.dots.size(); ++i) {
      state = state * 1664525u + 1013904223u;
      g.dots[i] = (state >> 16) & 1;
    }
    glyphs.push_back(g);
  }
  glyphs.push_back({width, height, std::vector<bool>(width * height, true)});
  glyphs.push_back({width, height, std::vector<bool>(width * height, false)});
  return glyphs;
}

// Where the conversion puts a dot, found by converting it alone; -1 when
// it lands nowhere in the stored bytes.
struct Place {
  int byte = -1;
  uint8_t mask = 0;
};

Place PlaceOf(int width, int height, int x, int y) {
  const std::vector<uint8_t> stored = Stored(SingleDot(width, height, x, y));
  Place place;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] != 0) {
      EXPECT_EQ(place.byte, -1) << "one dot set bits in two bytes";
      place.byte = static_cast<int>(i);
      place.mask = stored[i];
    }
  }
  return place;
}

// Every size the converter stores impact glyphs of. keptColumns whole dot
// columns and extraDots more reach the stored bytes; an exact size keeps
// every kept dot apart from every other.
struct SizeFamily {
  int widthLow, widthHigh, heightLow, heightHigh;
  int keptColumns;
  int extraDots;
  bool exact;
};

constexpr SizeFamily kSizes[] = {
    // Widths 4 to 7: the conversion takes no dot column.
    {4, 7, 4, 16, 0, 0, true},
    // Widths 8 to 15 up to 15 rows: the first 8 dot columns, nothing more.
    {8, 15, 4, 15, 8, 0, true},
    // 16 rows at one byte a row take 3 bytes a column, of which only
    // 2 x width are stored: 16 bytes are five columns and the bottom half
    // of the sixth; 18 bytes six columns; 20 seven; 22 seven and a half.
    {8, 8, 16, 16, 5, 8, true},
    {9, 9, 16, 16, 6, 0, true},
    {10, 10, 16, 16, 7, 0, true},
    {11, 11, 16, 16, 7, 8, true},
    {12, 15, 16, 16, 8, 0, true},
    // Width 16: 8, 9 and 16 rows keep every dot.
    {16, 16, 8, 8, 16, 0, true},
    {16, 16, 9, 9, 16, 0, true},
    {16, 16, 16, 16, 16, 0, true},
    // Width 16 under 8 rows: every column lands on byte 0.
    {16, 16, 4, 7, 16, 0, false},
    // Width 16 with 10 to 15 rows: a column's top rows share a byte with
    // the next column's bottom rows.
    {16, 16, 10, 15, 16, 0, false},
    // DBCS impact 16 x 9 and 16 x 16 are among the rows above.
};

TEST(ColumnDecoderTest, InvertsTheConversionAtEverySizeTheConverterStores) {
  for (const SizeFamily& family : kSizes) {
    for (int w = family.widthLow; w <= family.widthHigh; ++w) {
      for (int h = family.heightLow; h <= family.heightHigh; ++h) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        std::vector<Place> places(w * h);
        int kept = 0;
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w; ++x) {
            places[y * w + x] = PlaceOf(w, h, x, y);
            kept += places[y * w + x].byte >= 0;
          }
        }
        EXPECT_EQ(kept, family.keptColumns * h + family.extraDots);

        for (const Glyph& g : SampleGlyphs(w, h)) {
          const std::vector<uint8_t> stored = Stored(g);
          const DotPicture picture = Decode(stored, w, h);
          ASSERT_EQ(picture.width, w);
          ASSERT_EQ(picture.height, h);
          for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
              const Place& p = places[y * w + x];
              const bool inData = p.byte >= 0 && (stored[p.byte] & p.mask) != 0;
              // A dot shows exactly when its bit is set in what the
              // printer gets.
              EXPECT_EQ(picture.Dot(x, y), inData) << x << "," << y;
              if (family.exact) {
                EXPECT_EQ(picture.Dot(x, y), p.byte >= 0 && g.Dot(x, y))
                    << x << "," << y;
              } else if (p.byte >= 0 && g.Dot(x, y)) {
                EXPECT_TRUE(picture.Dot(x, y)) << x << "," << y;
              }
            }
          }
          // Converting the picture again gives the very bytes it came from.
          Glyph again{w, h, std::vector<bool>(w * h)};
          for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) again.dots[y * w + x] = picture.Dot(x, y);
          }
          EXPECT_EQ(Stored(again), stored);
        }
      }
    }
  }
}

// Column bytes written by hand after the documented layout, and the only
// dots they stand for.
struct HandCase {
  int width, height;
  int byte;
  uint8_t value;
  std::vector<std::pair<int, int>> dots;  // (x, y)
};

const HandCase kHandCases[] = {
    {16, 16, 1, 0x01, {{0, 0}}},     // top-left
    {16, 16, 0, 0x80, {{0, 15}}},    // bottom-left
    {16, 16, 31, 0x01, {{15, 0}}},   // top-right
    {16, 16, 30, 0x80, {{15, 15}}},  // bottom-right
    {16, 9, 1, 0x80, {{0, 0}}},      // top-left of a nine-row glyph
    {16, 9, 0, 0x01, {{0, 1}}},
    {16, 9, 0, 0x80, {{0, 8}}},
    {8, 8, 0, 0x01, {{0, 0}}},
    {8, 12, 1, 0x10, {{0, 0}}},
    {8, 16, 1, 0x01, {{0, 0}}},
    {12, 9, 15, 0x80, {{7, 0}}},  // the eighth column is the last one taken
    // 16 x 12: the top-left dot's bit is also the fourth dot from the
    // bottom of column 1, and the printer gets both.
    {16, 12, 1, 0x10, {{0, 0}, {1, 8}}},
    // 16 x 6: every column starts at bit 0x80 of byte 0.
    {16, 6, 0, 0x80, {{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5},
                      {6, 5}, {7, 5}, {8, 5}, {9, 5}, {10, 5}, {11, 5},
                      {12, 5}, {13, 5}, {14, 5}, {15, 5}}},
};

TEST(ColumnDecoderTest, HandWrittenColumnBytesGiveTheirDots) {
  for (const HandCase& c : kHandCases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height
                                    << " byte " << c.byte);
    std::vector<uint8_t> stored(2 * c.width, 0);
    stored[c.byte] = c.value;
    DotPicture expected;
    ResetPicture(c.width, c.height, &expected);
    for (const auto& [x, y] : c.dots) expected.Set(x, y);
    EXPECT_EQ(Decode(stored, c.width, c.height), expected);
  }
}

TEST(ColumnDecoderTest, BytesBeyondTheCountAreNotRead) {
  uint8_t columns[32] = {};
  columns[31] = 0x01;  // the top-right dot of a 16 x 16 glyph
  DotPicture picture;
  DecodeImpactColumns(columns, 31, 16, 16, &picture);
  EXPECT_EQ(picture.width, 16);
  EXPECT_FALSE(picture.Dot(15, 0));
  DecodeImpactColumns(columns, 32, 16, 16, &picture);
  EXPECT_TRUE(picture.Dot(15, 0));
}

TEST(ColumnDecoderTest, SizeBeyondThePictureGivesTheEmptyPicture) {
  const uint8_t columns[32] = {0xFF};
  DotPicture picture;
  DecodeImpactColumns(columns, 32, 32, 16, &picture);
  EXPECT_EQ(picture, DotPicture{});
  DecodeImpactColumns(columns, 32, 16, 33, &picture);
  EXPECT_EQ(picture, DotPicture{});
}

// True when every sample glyph and every single dot, stored and decoded as
// the printer reads it, shows exactly its dots of the columns a row's whole
// bytes hold; false when no column is held.
bool DecodesAsDrawn(int w, int h) {
  if (w / 8 == 0) return false;
  std::vector<Glyph> glyphs = SampleGlyphs(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) glyphs.push_back(SingleDot(w, h, x, y));
  }
  for (const Glyph& g : glyphs) {
    const DotPicture picture = Decode(Stored(g), w, h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool held = x < 8 * (w / 8);
        if (picture.Dot(x, y) != (held && g.Dot(x, y))) return false;
      }
    }
  }
  return true;
}

// The rule make, check and show apply is what the conversion and the
// decoding give at every impact size either kind accepts.
TEST(ColumnDecoderTest, PrintsAsDrawnRuleMatchesTheConversionAtEverySize) {
  int asDrawn = 0;
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    const GlyphSizeRule& rule = GlyphSizesFor(kind, Station::kImpact);
    for (int w = 1; w <= 16; ++w) {
      for (int h = 1; h <= 16; ++h) {
        if (!GlyphSizeAccepted(kind, Station::kImpact, w, h)) continue;
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        const bool decoded = DecodesAsDrawn(w, h);
        EXPECT_EQ(ImpactPrintsAsDrawn(w, h), decoded);
        asDrawn += decoded;
        const ImpactPrint print = ImpactPrintOf(w, h);
        EXPECT_EQ(print == ImpactPrint::kNothing, w < 8);
        EXPECT_EQ(print == ImpactPrint::kFirstColumns, decoded && w % 8 != 0);
        EXPECT_EQ(ImpactPrintProblem(w, h).empty(),
                  print == ImpactPrint::kAsDrawn);
        if (!decoded) {
          // Every size make refuses names a size near it that it makes.
          const std::string nearest = NearestAsDrawnSizes(kind, w, h);
          ASSERT_FALSE(nearest.empty());
          const size_t x = nearest.find('x');
          const int nw = std::stoi(nearest.substr(0, x));
          const int nh = std::stoi(nearest.substr(x + 1));
          EXPECT_TRUE(CheckGlyphSize(rule, nw, nh) == SizeFault::kNone &&
                      ImpactPrintsAsDrawn(nw, nh))
              << nearest;
        }
      }
    }
  }
  // SBCS: widths 8 to 15 at heights 4 to 15 (96), 12 to 15 at 16 (4), 16x8,
  // 16x9 and 16x16; DBCS: 16x9 and 16x16.
  EXPECT_EQ(asDrawn, 96 + 4 + 3 + 2);
}

struct ProblemCase {
  int width, height;
  const char* problem;
};

const ProblemCase kProblemCases[] = {
    {8, 16,
     "the impact station gets 8x16 glyphs with dot columns 5 to 7 cut off "
     "(their column data takes 24 bytes, a glyph record keeps 16)"},
    {11, 16,
     "the impact station gets 11x16 glyphs with dot column 7 cut off "
     "(their column data takes 24 bytes, a glyph record keeps 22)"},
    {16, 12,
     "the impact station gets 16x12 glyphs scrambled: each dot column takes "
     "2 bytes but the next starts 1 on, so neighbouring columns' dots land "
     "in the same bits"},
    {16, 5,
     "the impact station gets 16x5 glyphs scrambled: each dot column takes "
     "1 byte but the next starts in the same byte, so neighbouring columns' "
     "dots land in the same bits"},
};

TEST(ColumnDecoderTest, PrintProblemNamesWhatThePrinterGets) {
  for (const ProblemCase& c : kProblemCases) {
    EXPECT_EQ(ImpactPrintProblem(c.width, c.height), c.problem);
  }
  EXPECT_EQ(NearestAsDrawnSizes(FontKind::kSbcs, 8, 16), "8x15 or 16x16");
  EXPECT_EQ(NearestAsDrawnSizes(FontKind::kSbcs, 16, 12), "16x9 or 8x12");
  EXPECT_EQ(NearestAsDrawnSizes(FontKind::kSbcs, 5, 7), "8x7");
}

}  // namespace

}  // namespace vexo
