#include "fontinput/sbcs_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "store/converter_settings.h"
#include "store/glyph_table.h"
#include "testkit/test_fonts.h"
#include "testkit/glyph_records.h"
#include "testkit/loader_run.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

// The 112 bytes a record of this kind should hold.
Bytes Record(int low, const Bytes& thermal, const Bytes& impact) {
  return ExpectedRecord(FontKind::kSbcs, low, thermal, impact);
}

// The first `perRow` bytes of every row, top row first.
Bytes RowBytes(const GlyphRows& rows, int perRow) {
  Bytes bytes;
  for (uint32_t row : rows) {
    for (int k = 0; k < perRow; ++k) bytes.push_back(row >> (24 - 8 * k) & 0xFF);
  }
  return bytes;
}

// Rows whose four bytes all differ from glyph to glyph and row to row.
GlyphRows Busy(int seed, int height) {
  GlyphRows rows(height);
  for (int r = 0; r < height; ++r) {
    rows[r] = 0xA1B2C3D4u + 0x01030507u * static_cast<uint32_t>(r + 16 * seed);
  }
  return rows;
}

class SbcsLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitGlyphTable();
    ResetConverterSettings();
  }

  void Font(int first, int last, int width, int height) {
    fields_ = {.magic = {},
               .firstChar = static_cast<uint16_t>(first),
               .lastChar = static_cast<uint16_t>(last),
               .width = static_cast<uint32_t>(width),
               .height = static_cast<uint32_t>(height)};
    body_.clear();
  }
  void Glyph(const GlyphRows& rows) { AppendGlyph(&body_, rows); }
  size_t GlyphSize() const { return 4 * fields_.height; }

  // Loads header and body for `station` from a file positioned after the
  // header; read_ is how far the loader read into the body.
  CapturedRun Load(Station station) {
    Bytes file;
    AppendSbcsHeader(&file, fields_);
    file.insert(file.end(), body_.begin(), body_.end());
    const LoaderRun load = LoadSbcsBytes(file, station);
    read_ = load.read;
    EXPECT_EQ(load.run.status, 0);
    EXPECT_EQ(load.run.err, "");
    return load.run;
  }

  HeaderFields fields_;
  Bytes body_;
  long read_ = -1;
};

TEST_F(SbcsLoaderTest, ThermalRowsTakeWidthOver8PlusOneBytes) {
  struct Case {
    int width, height, perRow;
  };
  const Case kCases[] = {{8, 16, 2}, {12, 24, 2}, {15, 32, 2},
                         {16, 16, 3}, {16, 24, 3}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    InitGlyphTable();
    Font(0x41, 0x43, c.width, c.height);
    for (int g = 0; g < 3; ++g) Glyph(Busy(g, c.height));
    EXPECT_EQ(Load(Station::kThermal).out, "");
    for (int g = 0; g < 3; ++g) {
      EXPECT_EQ(RecordAt(g),
                Record(0x41 + g, RowBytes(Busy(g, c.height), c.perRow), {}));
    }
    EXPECT_EQ(AllocateGlyph(), 3);
  }
}

TEST_F(SbcsLoaderTest, ThermalListingShowsTwoBytesPerRow) {
  Settings.verbose = true;
  Font(0x7E, 0x7E, 16, 16);  // three bytes a row, two of them in the picture
  GlyphRows rows(16, 0);
  rows[0] = 0x8010FF00;   // dots in columns 0 and 11 and the third byte
  rows[15] = 0x000F0001;  // the fourth byte is not taken
  Glyph(rows);
  std::string expected = "X..........X....\n";
  for (int r = 1; r < 15; ++r) expected += "................\n";
  expected += "............XXXX\n7e:  8010ff" + std::string(84, '0') +
              "000f00\n\n";
  EXPECT_EQ(Load(Station::kThermal).out, expected);
  Bytes bitmap(48, 0);
  bitmap[0] = 0x80;
  bitmap[1] = 0x10;
  bitmap[2] = 0xFF;
  bitmap[46] = 0x0F;
  EXPECT_EQ(RecordAt(0), Record(0x7E, bitmap, {}));
}

TEST_F(SbcsLoaderTest, ImpactColumnsAndCountMessages) {
  struct Case {
    int width, height, row, column;
    int count;   // the conversion's, printed when it is not 2 x width
    int index;   // where the dot is stored, -1 when it is not
    uint8_t bit;
  };
  const Case kCases[] = {
      {8, 9, 0, 0, 16, 1, 0x80},
      {8, 9, 8, 7, 16, 14, 0x80},
      {8, 15, 14, 0, 16, 0, 0x80},
      {12, 9, 0, 0, 16, 1, 0x80},
      {12, 9, 0, 11, 16, -1, 0},   // only the first 8 columns are taken
      {6, 8, 0, 0, 0, -1, 0},      // nothing of the rows is taken
      {4, 4, 3, 3, 0, -1, 0},
      {8, 5, 0, 3, 8, 3, 0x08},
      {8, 16, 0, 0, 24, 1, 0x01},
      {8, 16, 15, 5, 24, 15, 0x80},
      {8, 16, 15, 7, 24, -1, 0},   // byte 21 is beyond the 16 stored
      {12, 16, 0, 0, 24, 1, 0x01},  // 24 bytes, as many as 2 x 12
      {12, 16, 15, 7, 24, 21, 0x80},
      {15, 15, 14, 0, 16, 0, 0x80},
      {16, 16, 0, 15, 32, 31, 0x01},
      {16, 9, 0, 0, 32, 1, 0x80},
      {16, 12, 0, 0, 16, 1, 0x10},
      {16, 12, 0, 15, 16, 16, 0x10},  // the last column's spill is kept
      {16, 8, 3, 9, 16, 9, 0x08},
      {16, 5, 0, 15, 0, 0, 0x08},     // every column in byte 0
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " dot "
                                    << c.row << "," << c.column);
    InitGlyphTable();
    Font(0x41, 0x42, c.width, c.height);
    Glyph(OneDot(c.height, c.row, c.column));
    Glyph(OneDot(c.height, c.row, c.column));
    std::string messages;
    if (c.count != 2 * c.width) {
      for (const char* code : {"41", "42"}) {
        messages += std::string(code) + ": count=" + std::to_string(c.count) +
                    ", maxCount=" + std::to_string(2 * c.width) + "\n";
      }
    }
    EXPECT_EQ(Load(Station::kImpact).out, messages);
    Bytes columns(2 * c.width, 0);
    if (c.index >= 0) columns[c.index] = c.bit;
    EXPECT_EQ(RecordAt(0), Record(0x41, {}, columns));
    EXPECT_EQ(RecordAt(1), Record(0x42, {}, columns));
  }
}

TEST_F(SbcsLoaderTest, ImpactListingCarriesCountMessageAndWideCode) {
  Settings.verbose = true;
  Font(0x141, 0x141, 12, 9);
  GlyphRows rows(9, 0);
  rows[0] = 0x80000000;  // top-left
  rows[8] = 0x01000000;  // bottom row, column 7
  Glyph(rows);
  std::string expected = "X.......\n";
  for (int r = 1; r < 8; ++r) expected += "........\n";
  expected += ".......X\n  -----------\n\n141: count=16, maxCount=24\n";
  for (int line = 0; line < 7; ++line) expected += "............\n";
  expected += "X...........\n";
  for (int line = 0; line < 7; ++line) expected += "............\n";
  expected += ".......X....\n141:  800000000000000001\n     0080" +
              std::string(24, '0') + "80" + std::string(18, '0') + "\n\n";
  EXPECT_EQ(Load(Station::kImpact).out, expected);
  Bytes columns(24, 0);
  columns[1] = 0x80;
  columns[14] = 0x80;
  EXPECT_EQ(RecordAt(0), Record(0x41, {}, columns));
}

TEST_F(SbcsLoaderTest, ImpactListingBelowWidth8HasEmptyRows) {
  Settings.verbose = true;
  Font(0x41, 0x41, 6, 5);
  Glyph(GlyphRows(5, 0xFC000000));  // dots that no taken byte holds
  std::string expected = "\n\n\n\n\n  -----------\n\n41: count=0, maxCount=12\n";
  for (int line = 0; line < 8; ++line) expected += "......\n";
  expected += "41:  \n     " + std::string(24, '0') + "\n\n";
  EXPECT_EQ(Load(Station::kImpact).out, expected);
  EXPECT_EQ(RecordAt(0), Record(0x41, {}, Bytes(12, 0)));
}

TEST_F(SbcsLoaderTest, CodesAboveFFAreStoredUnderTheirLowByte) {
  Font(0x41, 0x41, 8, 16);
  Glyph(Busy(1, 16));
  Load(Station::kThermal);
  Font(0xFF, 0x141, 8, 16);  // 0xFF, then 0x100 to 0x141 as 0x00 to 0x41
  for (int code = 0xFF; code <= 0x141; ++code) Glyph(Busy(code, 16));
  EXPECT_EQ(Load(Station::kThermal).out, "");
  EXPECT_EQ(RecordAt(0), Record(0x41, RowBytes(Busy(0x141, 16), 2), {}));
  EXPECT_EQ(RecordAt(1), Record(0xFF, RowBytes(Busy(0xFF, 16), 2), {}));
  EXPECT_EQ(RecordAt(2), Record(0x00, RowBytes(Busy(0x100, 16), 2), {}));
  EXPECT_EQ(AllocateGlyph(), 1 + 1 + 0x41);  // 0x41, 0xFF, 0x00 to 0x40
}

TEST_F(SbcsLoaderTest, CodeRangeDecidesWhatIsRead) {
  struct Case {
    int first, last, glyphsInFile, loaded;
  };
  const Case kCases[] = {
      {0x42, 0x41, 3, 0},         // last below first: nothing is read
      {0x41, 0x41, 3, 1},         // surplus after the last code is not read
      {0x20, 0x7E, 95, 95},
      {0xFFFE, 0xFFFF, 3, 2},     // the loop ends after 0xFFFF
      {0x00, 0x00, 1, 1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.first << ".." << c.last);
    InitGlyphTable();
    Font(c.first, c.last, 8, 16);
    for (int g = 0; g < c.glyphsInFile; ++g) Glyph(Busy(g, 16));
    EXPECT_EQ(Load(Station::kThermal).out, "");
    EXPECT_EQ(read_, static_cast<long>(c.loaded * GlyphSize()));
    EXPECT_EQ(AllocateGlyph(), c.loaded);
    for (int g = 0; g < c.loaded; ++g) {
      EXPECT_EQ(RecordAt(g),
                Record((c.first + g) & 0xFF, RowBytes(Busy(g, 16), 2), {}));
    }
  }
}

TEST_F(SbcsLoaderTest, EveryPrefixOfABodyStoresTheWholeGlyphsOnly) {
  for (Station station : {Station::kThermal, Station::kImpact}) {
    Font(0x30, 0x32, 8, 16);
    for (int g = 0; g < 3; ++g) Glyph(Busy(g, 16));
    const Bytes whole = body_;
    for (size_t size = 0; size <= whole.size(); ++size) {
      SCOPED_TRACE(testing::Message() << "station " << station << " size "
                                      << size);
      InitGlyphTable();
      body_.assign(whole.begin(), whole.begin() + size);
      const CapturedRun run = Load(station);
      const int complete = static_cast<int>(size / GlyphSize());
      // 8 x 16 impact glyphs convert to 24 bytes: one message per glyph.
      std::string messages;
      for (int g = 0; g < complete && station == Station::kImpact; ++g) {
        messages += '3';
        messages += std::to_string(g) + ": count=24, maxCount=16\n";
      }
      EXPECT_EQ(run.out, messages);
      EXPECT_EQ(AllocateGlyph(), complete);
    }
  }
}

TEST_F(SbcsLoaderTest, BlankGlyphsAreStoredAsDefined) {
  Font(0x41, 0x41, 16, 16);
  Glyph(GlyphRows(16, 0));
  Load(Station::kThermal);
  Load(Station::kImpact);
  EXPECT_EQ(RecordAt(0), Record(0x41, Bytes(48, 0), Bytes(32, 0)));
}

TEST_F(SbcsLoaderTest, StationsShareOneRecordPerCode) {
  Font(0x41, 0x42, 8, 16);
  Glyph(Busy(1, 16));
  Glyph(Busy(2, 16));
  Load(Station::kThermal);
  Font(0x42, 0x43, 16, 16);
  Glyph(OneDot(16, 0, 0));
  Glyph(OneDot(16, 15, 15));
  Load(Station::kImpact);
  Bytes topLeft(32, 0), bottomRight(32, 0);
  topLeft[1] = 0x01;
  bottomRight[30] = 0x80;
  EXPECT_EQ(RecordAt(0), Record(0x41, RowBytes(Busy(1, 16), 2), {}));
  EXPECT_EQ(RecordAt(1), Record(0x42, RowBytes(Busy(2, 16), 2), topLeft));
  EXPECT_EQ(RecordAt(2), Record(0x43, {}, bottomRight));
  EXPECT_EQ(AllocateGlyph(), 3);
}

TEST_F(SbcsLoaderTest, SizesTheDriverRefusesReadNothing) {
  struct Case {
    Station station;
    int width, height;
  };
  const Case kCases[] = {
      {Station::kThermal, 16, 25},  // 75 bytes: more than a record holds
      {Station::kThermal, 7, 16},  {Station::kThermal, 17, 16},
      {Station::kThermal, 8, 15},  {Station::kThermal, 8, 33},
      {Station::kImpact, 3, 8},    {Station::kImpact, 17, 8},
      {Station::kImpact, 8, 3},    {Station::kImpact, 8, 17},
  };
  Settings.verbose = true;
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.station << ": " << c.width << "x"
                                    << c.height);
    Font(0x41, 0x42, c.width, c.height);
    Glyph(Busy(0, c.height));
    Glyph(Busy(1, c.height));
    EXPECT_EQ(Load(c.station).out, "");
    EXPECT_EQ(read_, 0);
    EXPECT_EQ(AllocateGlyph(), 0);
  }
}

TEST_F(SbcsLoaderTest, OtherStationValuesReadButStoreNothing) {
  Settings.verbose = true;
  for (Station station : {static_cast<Station>(0), static_cast<Station>(3)}) {
    for (uint32_t width : {8u, 0x80000000u}) {  // width plays no part here
      Font(0x41, 0x42, 8, 16);
      fields_.width = width;
      for (int g = 0; g < 3; ++g) Glyph(Busy(g, 16));
      EXPECT_EQ(Load(station).out, "");
      EXPECT_EQ(read_, static_cast<long>(2 * GlyphSize()));
      EXPECT_EQ(AllocateGlyph(), 0);
    }
  }
}

TEST_F(SbcsLoaderTest, FullTableDropsNewCodesButUpdatesKnownOnes) {
  const uint8_t old[1] = {0xEE};
  StoreGlyph(FontKind::kSbcs, 0, 0x41, Station::kThermal, old, 1);
  for (int i = 1; i < kGlyphTableSize; ++i) {
    StoreGlyph(FontKind::kDbcs, 0x01 + i / 256, i % 256, Station::kThermal, old, 1);
  }
  ASSERT_EQ(AllocateGlyph(), -1);

  Font(0x41, 0x42, 12, 9);
  Glyph(OneDot(9, 0, 0));
  Glyph(OneDot(9, 0, 0));
  // The dropped glyph still raises its count message.
  EXPECT_EQ(Load(Station::kImpact).out,
            "41: count=16, maxCount=24\n42: count=16, maxCount=24\n");
  Bytes columns(24, 0);
  columns[1] = 0x80;
  EXPECT_EQ(RecordAt(0), Record(0x41, {0xEE}, columns));
  EXPECT_EQ(FindGlyph(0, 0x42), -1);

  // With verbose on the dropped glyph is still listed, as on an empty table.
  Settings.verbose = true;
  const std::string full = Load(Station::kImpact).out;
  InitGlyphTable();
  EXPECT_EQ(full, Load(Station::kImpact).out);
  EXPECT_NE(full.find("42:  8000"), std::string::npos);
}

}  // namespace

}  // namespace vexo
