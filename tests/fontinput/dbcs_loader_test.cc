#include "fontinput/dbcs_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "store/converter_settings.h"
#include "store/glyph_table.h"
#include "testkit/test_fonts.h"
#include "testkit/glyph_records.h"
#include "testkit/loader_run.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

// The 112 bytes a record of this kind should hold.
Bytes Record(int code, const Bytes& thermal, const Bytes& impact) {
  return ExpectedRecord(FontKind::kDbcs, code, thermal, impact);
}

// A 24 x 24 glyph as stored: 3 bytes a row, top row first.
Bytes ThermalBytes(const GlyphRows& rows) {
  Bytes bytes;
  for (uint32_t row : rows) {
    for (int k = 0; k < 3; ++k) bytes.push_back(row >> (24 - 8 * k) & 0xFF);
  }
  return bytes;
}

// A 16-dot-wide glyph as column data: two bytes a column, the bottom row in
// bit 0x80 of the first, eight rows to a byte.
Bytes ImpactBytes(const GlyphRows& rows) {
  const int height = static_cast<int>(rows.size());
  Bytes bytes(32, 0);
  for (int r = 0; r < height; ++r) {
    for (int x = 0; x < 16; ++x) {
      if (rows[r] & 0x80000000u >> x) {
        const int dot = height - 1 - r;
        bytes[2 * x + dot / 8] |= static_cast<uint8_t>(0x80 >> dot % 8);
      }
    }
  }
  return bytes;
}

class DbcsLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitGlyphTable();
    ResetConverterSettings();
  }

  void Font(int width, int height, int lastChar, const Vector& leads,
            const Vector& trails) {
    fields_ = {.magic = {},
               .firstChar = 0x8140,
               .lastChar = static_cast<uint16_t>(lastChar),
               .width = static_cast<uint32_t>(width),
               .height = static_cast<uint32_t>(height)};
    vectors_.fontVector1 = leads;
    vectors_.fontVector2 = trails;
    body_.clear();
  }
  int Height() const { return static_cast<int>(fields_.height); }
  size_t GlyphSize() const { return fields_.width == 24 ? 96 : 4 * Height(); }
  GlyphRows Pattern(int code) const {
    return PatternGlyph(code, static_cast<int>(fields_.width), Height());
  }
  void Glyph(const GlyphRows& rows) { AppendGlyph(&body_, rows); }
  void Glyphs(const std::vector<int>& codes) {
    for (int code : codes) Glyph(Pattern(code));
  }
  // The record of a code that only `station` defines.
  static Bytes RecordOf(Station station, int code, const GlyphRows& rows) {
    return station == Station::kThermal ? Record(code, ThermalBytes(rows), {})
                                      : Record(code, {}, ImpactBytes(rows));
  }

  // Loads header and body for `station` from a file positioned after the
  // header; read_ is how far the loader read into the body.
  CapturedRun Load(Station station) {
    Bytes file;
    AppendDbcsHeader(&file, fields_, vectors_);
    file.insert(file.end(), body_.begin(), body_.end());
    const LoaderRun load = LoadDbcsBytes(file, station);
    read_ = load.read;
    EXPECT_EQ(load.run.status, 0);
    EXPECT_EQ(load.run.err, "");
    return load.run;
  }

  // The table holds exactly `codes`, in this order, with their patterns.
  void ExpectStored(Station station, const std::vector<int>& codes) {
    for (size_t i = 0; i < codes.size(); ++i) {
      EXPECT_EQ(RecordAt(i), RecordOf(station, codes[i], Pattern(codes[i])))
          << "record " << i;
    }
    EXPECT_EQ(AllocateGlyph(), static_cast<int>(codes.size()));
  }

  HeaderFields fields_;
  DbcsVectors vectors_;
  Bytes body_;
  long read_ = -1;
};

std::vector<int> Range(int first, int last) {
  std::vector<int> codes;
  for (int code = first; code <= last; ++code) codes.push_back(code);
  return codes;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> codes;
  for (const auto& part : parts) codes.insert(codes.end(), part.begin(), part.end());
  return codes;
}

// Each case writes the glyphs of `inFile`, then loads; `stored` is what the
// table must hold, in record order.
struct EnumerationCase {
  const char* name;
  int lastChar;
  Vector leads, trails;
  std::vector<int> inFile, stored;
};

TEST_F(DbcsLoaderTest, CodesFollowTheFontVectors) {
  const EnumerationCase kCases[] = {
      {"trail pair starting at 0 is skipped, later ones used", 0xFFFF,
       {{0x81, 0x82}},
       {{0x40, 0x42}, {0x00, 0xFF}, {0x80, 0x81}},
       Join({Range(0x8140, 0x8142), Range(0x8180, 0x8181),
             Range(0x8240, 0x8242), Range(0x8280, 0x8281)}),
       Join({Range(0x8140, 0x8142), Range(0x8180, 0x8181),
             Range(0x8240, 0x8242), Range(0x8280, 0x8281)})},
      {"lastChar ends the pass", 0x8150,
       {{0x81, 0x82}},
       {{0x40, 0x7E}, {0x80, 0xFC}},
       Range(0x8140, 0x8160), Range(0x8140, 0x8150)},
      {"high trail range first", 0x8150,
       {{0x81, 0x81}},
       {{0x80, 0xFC}, {0x40, 0x7E}},
       Range(0x8140, 0x8160), Range(0x8140, 0x8150)},
      {"lower codes in a later lead range are read", 0x8241,
       {{0x83, 0x83}, {0x82, 0x82}},
       {{0x40, 0x41}},
       Range(0x8240, 0x8245), Range(0x8240, 0x8241)},
      {"lead pair at 0 ends the lead ranges", 0xFFFF,
       {{0x81, 0x81}, {0x00, 0x00}, {0x82, 0x82}},
       {{0x40, 0x41}},
       Range(0x8140, 0x8145), Range(0x8140, 0x8141)},
      {"first lead pair at 0", 0xFFFF,
       {{0x00, 0x81}, {0x81, 0x81}},
       {{0x40, 0x41}},
       Range(0x8140, 0x8145), {}},
      {"lastChar below the first code", 0x813F,
       {{0x81, 0x81}},
       {{0x40, 0x41}},
       Range(0x8140, 0x8145), {}},
      {"empty lead range", 0xFFFF,
       {{0x82, 0x81}, {0x83, 0x83}},
       {{0x40, 0x40}},
       Range(0x8340, 0x8345), {0x8340}},
  };
  for (Station station : {Station::kThermal, Station::kImpact}) {
    for (const EnumerationCase& c : kCases) {
      SCOPED_TRACE(testing::Message() << c.name << ", station " << station);
      InitGlyphTable();
      const int size = station == Station::kThermal ? 24 : 16;
      Font(size, size, c.lastChar, c.leads, c.trails);
      Glyphs(c.inFile);
      EXPECT_EQ(Load(station).out, "");
      ExpectStored(station, c.stored);
      EXPECT_EQ(read_, static_cast<long>(c.stored.size() * GlyphSize()));
    }
  }
}

TEST_F(DbcsLoaderTest, PassesRepeatWhileEveryLeadRangeIsInUse) {
  const Vector kLeads = {{0x81, 0x81}, {0x82, 0x82}, {0x83, 0x83},
                         {0x84, 0x84}};
  const Vector kTrails = {{0x40, 0x41}, {0x00, 0x00}, {0x00, 0x7F}};
  const std::vector<int> kCodes = {0x8140, 0x8141, 0x8240, 0x8241,
                                   0x8340, 0x8341, 0x8440, 0x8441};
  // The file holds exactly one pass: the second pass ends at end of file.
  Font(16, 16, 0xFFFF, kLeads, kTrails);
  Glyphs(kCodes);
  EXPECT_EQ(Load(Station::kImpact).out, "");
  ExpectStored(Station::kImpact, kCodes);
  EXPECT_EQ(read_, static_cast<long>(body_.size()));

  // Surplus glyphs are read as the first codes again, a blank one excepted,
  // and a cut glyph ends the load.
  InitGlyphTable();
  const GlyphRows again = OneDot(16, 0, 0);
  Glyph(again);
  Glyph(GlyphRows(16, 0));
  Glyph(again);
  Glyph(again);
  body_.pop_back();
  Load(Station::kImpact);
  EXPECT_EQ(RecordAt(0), RecordOf(Station::kImpact, 0x8140, again));
  EXPECT_EQ(RecordAt(1), RecordOf(Station::kImpact, 0x8141, Pattern(0x8141)));
  EXPECT_EQ(RecordAt(2), RecordOf(Station::kImpact, 0x8240, again));
  EXPECT_EQ(RecordAt(3), RecordOf(Station::kImpact, 0x8241, Pattern(0x8241)));
  EXPECT_EQ(AllocateGlyph(), 8);
}

TEST_F(DbcsLoaderTest, PassThatReadsNothingEndsTheLoad) {
  const Vector kAllEmpty = {{0x82, 0x81}, {0x90, 0x8F}, {0xFF, 0xFE},
                            {0x02, 0x01}};
  const Vector kFourLeads = {{0x81, 0x81}, {0x82, 0x82}, {0x83, 0x83},
                             {0x84, 0x84}};
  for (const auto& [leads, trails] :
       {std::pair<Vector, Vector>{kAllEmpty, {{0x40, 0x41}}},
        std::pair<Vector, Vector>{kFourLeads, {{0x00, 0x41}, {0x42, 0x41}}}}) {
    Font(24, 24, 0xFFFF, leads, trails);
    Glyphs({0x8140, 0x8141});
    EXPECT_EQ(Load(Station::kThermal).out, "");
    EXPECT_EQ(read_, 0);
    EXPECT_EQ(AllocateGlyph(), 0);
  }
}

TEST_F(DbcsLoaderTest, EveryPrefixOfABodyStoresTheWholeGlyphsOnly) {
  for (Station station : {Station::kThermal, Station::kImpact}) {
    const int width = station == Station::kThermal ? 24 : 16;
    const int height = station == Station::kThermal ? 24 : 9;
    Font(width, height, 0x8143, {{0x81, 0x81}}, {{0x40, 0x43}});
    Glyphs(Range(0x8140, 0x8143));
    const Bytes whole = body_;
    for (size_t size = 0; size <= whole.size(); ++size) {
      SCOPED_TRACE(testing::Message() << "station " << station << " size "
                                      << size);
      InitGlyphTable();
      body_.assign(whole.begin(), whole.begin() + size);
      EXPECT_EQ(Load(station).out, "");
      ExpectStored(station, Range(0x8140, 0x8140 + size / GlyphSize() - 1));
    }
  }
}

TEST_F(DbcsLoaderTest, BlankGlyphsNeitherStoreNorErase) {
  for (Station station : {Station::kThermal, Station::kImpact}) {
    SCOPED_TRACE(station);
    InitGlyphTable();
    const int width = station == Station::kThermal ? 24 : 16;
    Font(width, width, 0x8141, {{0x81, 0x81}}, {{0x40, 0x41}});
    Glyph(GlyphRows(width, 0));
    Glyph(Pattern(0x8141));
    Load(station);  // the blank 0x8140 gets no record
    ExpectStored(station, {0x8141});
    body_.clear();
    Glyph(Pattern(0x8140));
    Glyph(GlyphRows(width, 0));
    Load(station);  // the blank 0x8141 keeps what the first file stored
    EXPECT_EQ(RecordAt(0), RecordOf(station, 0x8141, Pattern(0x8141)));
    EXPECT_EQ(RecordAt(1), RecordOf(station, 0x8140, Pattern(0x8140)));
    EXPECT_EQ(AllocateGlyph(), 2);
  }
}

TEST_F(DbcsLoaderTest, ThermalListingIncludesBlankGlyphs) {
  Settings.verbose = true;
  Font(24, 24, 0x8141, {{0x81, 0x81}}, {{0x40, 0x41}});
  GlyphRows corners(24, 0);
  corners[0] = 0x80000000;   // top-left
  corners[23] = 0x00000100;  // bottom-right
  Glyph(corners);
  Glyph(GlyphRows(24, 0));
  const std::string blankLine(24, '.');
  std::string expected = std::string("X").append(23, '.') + "\n";
  for (int r = 1; r < 23; ++r) expected += blankLine + "\n";
  expected += std::string(23, '.') + "X\n";
  expected += "8140:  800000" + std::string(132, '0') + "000001\n\n";
  for (int r = 0; r < 24; ++r) expected += blankLine + "\n";
  expected += "8141:  " + std::string(144, '0') + "\n\n";
  EXPECT_EQ(Load(Station::kThermal).out, expected);
  EXPECT_EQ(RecordAt(0), Record(0x8140, ThermalBytes(corners), {}));
  EXPECT_EQ(AllocateGlyph(), 1);
}

TEST_F(DbcsLoaderTest, ImpactListingOfNineRowGlyph) {
  Settings.verbose = true;
  Font(16, 9, 0x8140, {{0x81, 0x81}}, {{0x40, 0x40}});
  Glyph(OneDot(9, 0, 0));
  const std::string blankLine(16, '.');
  std::string expected = std::string("X").append(15, '.') + "\n";
  for (int r = 1; r < 9; ++r) expected += blankLine + "\n";
  expected += "  -----------\n\n";
  for (int line = 0; line < 7; ++line) expected += blankLine + "\n";
  expected += std::string("X").append(15, '.') + "\n";
  for (int line = 0; line < 8; ++line) expected += blankLine + "\n";
  expected += "8140:  8000" + std::string(32, '0') + "\n       0080" +
              std::string(60, '0') + "\n\n";
  EXPECT_EQ(Load(Station::kImpact).out, expected);
  Bytes columns(32, 0);
  columns[1] = 0x80;
  EXPECT_EQ(RecordAt(0), Record(0x8140, {}, columns));
}

TEST_F(DbcsLoaderTest, StationsShareOneRecordPerCode) {
  Font(24, 24, 0x8140, {{0x81, 0x81}}, {{0x40, 0x40}});
  Glyph(Pattern(0x8140));
  Load(Station::kThermal);
  Font(16, 16, 0x8141, {{0x81, 0x81}}, {{0x40, 0x41}});
  Glyph(OneDot(16, 0, 0));
  Glyph(OneDot(16, 0, 0));
  Load(Station::kImpact);
  Bytes topLeft(32, 0);
  topLeft[1] = 0x01;
  const GlyphRows thermal = PatternGlyph(0x8140, 24, 24);
  EXPECT_EQ(RecordAt(0), Record(0x8140, ThermalBytes(thermal), topLeft));
  EXPECT_EQ(RecordAt(1), Record(0x8141, {}, topLeft));
}

TEST_F(DbcsLoaderTest, SizesTheDriverRefusesReadNothing) {
  struct Case {
    Station station;
    int width, height;
  };
  const Case kCases[] = {
      {Station::kThermal, 16, 16}, {Station::kThermal, 24, 23},
      {Station::kThermal, 24, 25}, {Station::kImpact, 16, 8},
      {Station::kImpact, 16, 24},  {Station::kImpact, 24, 24},
      {Station::kImpact, 8, 16},
  };
  Settings.verbose = true;
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.station) << ": " << c.width << "x"
                                    << c.height);
    Font(c.width, c.height, 0xFFFF, {{0x81, 0x81}}, {{0x40, 0x41}});
    for (int g = 0; g < 2; ++g) Glyph(OneDot(c.height, 0, 0));
    EXPECT_EQ(Load(c.station).out, "");
    EXPECT_EQ(read_, 0);
    EXPECT_EQ(AllocateGlyph(), 0);
  }
}

TEST_F(DbcsLoaderTest, OtherStationValuesReadButStoreNothing) {
  Settings.verbose = true;
  Font(16, 16, 0x8141, {{0x81, 0x81}}, {{0x40, 0x41}});
  Glyphs({0x8140, 0x8141, 0x8142});
  EXPECT_EQ(Load(static_cast<Station>(0)).out, "");
  EXPECT_EQ(read_, static_cast<long>(2 * GlyphSize()));
  EXPECT_EQ(AllocateGlyph(), 0);
}

TEST_F(DbcsLoaderTest, FullTableDropsNewCodesButUpdatesKnownOnes) {
  const uint8_t old[1] = {0xEE};
  StoreGlyph(FontKind::kDbcs, 0x81, 0x41, Station::kImpact, old, 1);
  for (int i = 1; i < kGlyphTableSize; ++i) {
    StoreGlyph(FontKind::kDbcs, 0x01 + i / 256, i % 256, Station::kImpact, old, 1);
  }
  ASSERT_EQ(AllocateGlyph(), -1);
  Font(24, 24, 0x8141, {{0x81, 0x81}}, {{0x40, 0x41}});
  Glyphs({0x8140, 0x8141});
  EXPECT_EQ(Load(Station::kThermal).out, "");
  EXPECT_EQ(FindGlyph(0x81, 0x40), -1);
  EXPECT_EQ(RecordAt(0), Record(0x8141, ThermalBytes(Pattern(0x8141)), {0xEE}));
}

}  // namespace

namespace {

// The quiet load takes a glyph from the file's rows straight into its
// record, the listing's load by way of a bitmap: both must leave every
// record the same. The glyphs have dots beyond the width the record takes
// (a blank glyph with only those is still blank), dots at the edges, and
// follow a blank one.
TEST_F(DbcsLoaderTest, QuietAndListingLoadsStoreTheSameRecords) {
  struct Size {
    Station station;
    int width, height;
  };
  for (const Size size : {Size{Station::kThermal, 24, 24},
                          Size{Station::kImpact, 16, 16},
                          Size{Station::kImpact, 16, 9}}) {
    SCOPED_TRACE(size.width * 100 + size.height);
    const uint32_t beyond = size.width == 24 ? 0xFFu : 0xFFFFu;
    const int h = size.height;
    std::vector<GlyphRows> glyphs = {
        PatternGlyph(0x8140, size.width, h),
        GlyphRows(static_cast<size_t>(h), beyond),  // blank where it counts
        OneDot(h, 0, 0),
        OneDot(h, h - 1, size.width - 1),
        GlyphRows(static_cast<size_t>(h), 0xFFFFFFFFu),
        GlyphRows(static_cast<size_t>(h), 0),
    };
    for (GlyphRows& rows : glyphs) rows.resize(static_cast<size_t>(h), 0);
    for (uint32_t& row : glyphs[0]) row |= beyond;
    std::vector<Bytes> records[2];
    for (int verbose = 0; verbose < 2; ++verbose) {
      InitGlyphTable();
      ResetConverterSettings();
      Settings.verbose = verbose == 1;
      Font(size.width, h, 0x8145, {{0x81, 0x81}}, {{0x40, 0x45}});
      for (const GlyphRows& rows : glyphs) Glyph(rows);
      Load(size.station);
      for (int i = 0; i < GlyphRecordsInUse(); ++i) records[verbose].push_back(RecordAt(i));
    }
    EXPECT_EQ(records[0].size(), 4u);  // the two blank glyphs store nothing
    EXPECT_EQ(records[0], records[1]);
  }
}

}  // namespace

}  // namespace vexo
