#include "store/glyph_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace vexo {

namespace {

class GlyphTableTest : public ::testing::Test {
 protected:
  void SetUp() override { InitGlyphTable(); }

  static std::vector<uint8_t> Filled(int count, uint8_t value) {
    return std::vector<uint8_t>(count, value);
  }
};

// Free records are all zero; a record gets its marker when it is handed
// out, so every record in use, and so every record written out, has it.
TEST_F(GlyphTableTest, FreshTableIsAllFreeAndRecordsInUseCarryTheMarker) {
  for (int i = 0; i < kGlyphTableSize; ++i) {
    uint8_t bytes[kGlyphRecordSize];
    EncodeGlyphRecord(GlyphTable[i], bytes);
    for (int b = 0; b < kGlyphRecordSize; ++b) {
      ASSERT_EQ(bytes[b], 0) << i << ":" << b;
    }
  }
  EXPECT_EQ(GlyphRecordsInUse(), 0);
  EXPECT_EQ(AllocateGlyph(), 0);
  EXPECT_EQ(FindGlyph(0, 0), -1);  // a free record is never matched
  EXPECT_EQ(FindGlyph(0x81, 0x40), -1);
  const uint8_t dot[1] = {0x80};
  StoreGlyph(FontKind::kSbcs, 0, 0, Station::kThermal, dot, 1);
  EXPECT_EQ(GlyphTable[0].marker, kGlyphMarker);
  EXPECT_EQ(GlyphTable[1].marker, 0);
  EXPECT_EQ(GlyphRecordsInUse(), 1);
}

// A second run in the same process starts from the same free table: the
// records and codes of the first run are gone.
TEST_F(GlyphTableTest, InitFreesWhatAnEarlierRunUsed) {
  const auto data = Filled(72, 0x5A);
  for (int i = 0; i < 300; ++i) {
    StoreGlyph(FontKind::kDbcs, 0x81 + i / 100, i % 100, Station::kThermal, data.data(), 72);
  }
  InitGlyphTable();
  EXPECT_EQ(GlyphRecordsInUse(), 0);
  for (int i = 0; i < 300; ++i) {
    ASSERT_EQ(FindGlyph(0x81 + i / 100, i % 100), -1) << i;
    uint8_t bytes[kGlyphRecordSize];
    EncodeGlyphRecord(GlyphTable[i], bytes);
    for (int b = 0; b < kGlyphRecordSize; ++b) ASSERT_EQ(bytes[b], 0) << i;
  }
  EXPECT_EQ(StoreGlyph(FontKind::kSbcs, 0, 0x41, Station::kImpact, data.data(), 2), 0);
}

TEST_F(GlyphTableTest, CodesTakeRecordsInFirstStoreOrder) {
  const auto data = Filled(4, 0xAA);
  EXPECT_EQ(StoreGlyph(FontKind::kSbcs, 0, 'C', Station::kThermal, data.data(), 4), 0);
  EXPECT_EQ(StoreGlyph(FontKind::kSbcs, 0, 'A', Station::kThermal, data.data(), 4), 1);
  EXPECT_EQ(StoreGlyph(FontKind::kDbcs, 0x81, 0x40, Station::kImpact, data.data(), 4),
            2);
  EXPECT_EQ(StoreGlyph(FontKind::kSbcs, 0, 'C', Station::kImpact, data.data(), 4), 0);
  EXPECT_EQ(AllocateGlyph(), 3);
  EXPECT_EQ(FindGlyph(0, 'A'), 1);
  EXPECT_EQ(FindGlyph(0x81, 0x40), 2);
}

TEST_F(GlyphTableTest, OnlyLowEightBitsOfTheCodeCount) {
  const auto data = Filled(2, 1);
  StoreGlyph(FontKind::kDbcs, 0x41, 0x41, Station::kThermal, data.data(), 2);
  EXPECT_EQ(FindGlyph(0x141, 0x241), 0);
  EXPECT_EQ(StoreGlyph(FontKind::kSbcs, 0x100, 0x141, Station::kThermal, data.data(),
                       2),
            1);
  EXPECT_EQ(GlyphTable[1].codeHigh, 0);
  EXPECT_EQ(GlyphTable[1].codeLow, 0x41);
}

TEST_F(GlyphTableTest, BothStationsShareOneRecord) {
  const auto thermal = Filled(48, 0x11);
  const auto impact = Filled(24, 0x22);
  StoreGlyph(FontKind::kSbcs, 0, 0x41, Station::kThermal, thermal.data(), 48);
  StoreGlyph(FontKind::kSbcs, 0, 0x41, Station::kImpact, impact.data(), 24);
  const GlyphRecord& record = GlyphTable[0];
  EXPECT_EQ(record.kind, KindByte(FontKind::kSbcs));
  EXPECT_EQ(record.codeHigh, 0);
  EXPECT_EQ(record.codeLow, 0x41);
  EXPECT_EQ(record.thermalDefined, 1);
  EXPECT_EQ(record.thermalCount, 48);
  EXPECT_EQ(record.impactDefined, 1);
  EXPECT_EQ(record.impactCount, 24);
  EXPECT_EQ(record.thermalBitmap[47], 0x11);
  EXPECT_EQ(record.thermalBitmap[48], 0);
  EXPECT_EQ(record.impactData[23], 0x22);
  EXPECT_EQ(record.impactData[24], 0);
  EXPECT_EQ(AllocateGlyph(), 1);
}

TEST_F(GlyphTableTest, ShorterSecondStoreLeavesOldBytesBeyondItsCount) {
  const auto first = Filled(72, 0x55);
  const auto second = Filled(48, 0x66);
  StoreGlyph(FontKind::kSbcs, 0, 7, Station::kThermal, first.data(), 72);
  StoreGlyph(FontKind::kSbcs, 0, 7, Station::kThermal, second.data(), 48);
  const GlyphRecord& record = GlyphTable[0];
  EXPECT_EQ(record.thermalCount, 48);
  EXPECT_EQ(record.thermalDefined, 1);
  EXPECT_EQ(record.thermalBitmap[0], 0x66);
  EXPECT_EQ(record.thermalBitmap[47], 0x66);
  EXPECT_EQ(record.thermalBitmap[48], 0x55);
  EXPECT_EQ(record.thermalBitmap[71], 0x55);
  EXPECT_EQ(record.impactDefined, 0);
}

TEST_F(GlyphTableTest, StoreRefusesMoreBytesThanTheFieldHolds) {
  const auto data = Filled(73, 9);
  EXPECT_EQ(StoreGlyph(FontKind::kSbcs, 0, 1, Station::kThermal, data.data(), 73), -1);
  EXPECT_EQ(StoreGlyph(FontKind::kSbcs, 0, 1, Station::kImpact, data.data(), 33), -1);
  EXPECT_EQ(AllocateGlyph(), 0);
}

TEST_F(GlyphTableTest, FullTableDropsNewCodesButUpdatesKnownOnes) {
  const auto data = Filled(2, 3);
  for (int i = 0; i < kGlyphTableSize; ++i) {
    ASSERT_EQ(StoreGlyph(FontKind::kDbcs, 0x80 + i / 256, i % 256, Station::kThermal,
                         data.data(), 2),
              i);
  }
  EXPECT_EQ(AllocateGlyph(), -1);
  EXPECT_EQ(StoreGlyph(FontKind::kSbcs, 0, 0x41, Station::kThermal, data.data(), 2),
            -1);
  EXPECT_EQ(FindGlyph(0, 0x41), -1);
  const auto update = Filled(32, 0x77);
  const int last = kGlyphTableSize - 1;
  EXPECT_EQ(StoreGlyph(FontKind::kDbcs, 0x80 + last / 256, last % 256,
                       Station::kImpact, update.data(), 32),
            last);
  EXPECT_EQ(GlyphTable[last].impactDefined, 1);
  EXPECT_EQ(GlyphTable[last].impactData[31], 0x77);
}

// The table as a plain scan from index 0 would keep it, to check that the
// indexed lookups give the same answers.
struct ScanTable {
  struct Entry {
    uint8_t kind = 0, high = 0, low = 0;
  };
  std::vector<Entry> entries = std::vector<Entry>(kGlyphTableSize);

  int Find(int high, int low) const {
    for (int i = 0; i < kGlyphTableSize; ++i) {
      if (entries[i].kind != 0 && entries[i].high == (high & 0xFF) &&
          entries[i].low == (low & 0xFF)) {
        return i;
      }
    }
    return -1;
  }
  int Allocate() const {
    for (int i = 0; i < kGlyphTableSize; ++i) {
      if (entries[i].kind == 0) return i;
    }
    return -1;
  }
  int Store(FontKind kind, int high, int low) {
    int index = Find(high, low);
    if (index == -1) index = Allocate();
    if (index == -1) return -1;
    entries[index] = {KindByte(kind), uint8_t(high), uint8_t(low)};
    return index;
  }
};

TEST_F(GlyphTableTest, IndexedLookupsMatchAPlainScan) {
  std::mt19937 random(20261207);
  ScanTable scan;
  const uint8_t data[2] = {1, 2};
  // 80000 stores over 23296 codes: the table fills part way through, and
  // the rest are a mix of updates and dropped new codes.
  for (int step = 0; step < 80000; ++step) {
    const bool sbcs = random() % 8 == 0;
    const int high = sbcs ? 0 : 0x81 + int(random() % 90);
    const int low = int(random() % 256);
    const FontKind kind = sbcs ? FontKind::kSbcs : FontKind::kDbcs;
    const Station station =
        random() % 2 == 0 ? Station::kThermal : Station::kImpact;
    const int expected = scan.Store(kind, high, low);
    ASSERT_EQ(StoreGlyph(kind, high, low, station, data, 2), expected) << step;
    if (step % 97 == 0) {
      const int probeHigh = int(random() % 512), probeLow = int(random() % 512);
      ASSERT_EQ(FindGlyph(probeHigh, probeLow), scan.Find(probeHigh, probeLow));
      ASSERT_EQ(AllocateGlyph(), scan.Allocate());
    }
  }
  EXPECT_EQ(AllocateGlyph(), -1);
  EXPECT_EQ(scan.Allocate(), -1);
  for (int i = 0; i < kGlyphTableSize; ++i) {
    ASSERT_EQ(GlyphTable[i].kind, scan.entries[i].kind);
    ASSERT_EQ(GlyphTable[i].codeHigh, scan.entries[i].high);
    ASSERT_EQ(GlyphTable[i].codeLow, scan.entries[i].low);
  }
}

// Walks for one kind end at GlyphRecordsOfKindEnd: every record of the kind
// lies below it, whatever order the kinds come in and even when a code's
// record changes kind, and it never passes the records in use.
TEST_F(GlyphTableTest, RecordsOfAKindLieBelowItsEnd) {
  std::mt19937 random(20261208);
  const uint8_t data[1] = {1};
  for (int run = 0; run < 2; ++run) {
    for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
      EXPECT_EQ(GlyphRecordsOfKindEnd(kind), 0) << "run " << run;
    }
    for (int step = 0; step < 3000; ++step) {
      // Few codes, either kind for any of them: records change kind.
      const FontKind kind = random() % 3 == 0 ? FontKind::kSbcs : FontKind::kDbcs;
      const int high = int(random() % 4), low = int(random() % 200);
      ASSERT_GE(StoreGlyph(kind, high, low, Station::kThermal, data, 1), 0);
      if (step % 50 != 49) continue;
      for (FontKind k : {FontKind::kSbcs, FontKind::kDbcs}) {
        const int end = GlyphRecordsOfKindEnd(k);
        ASSERT_LE(end, GlyphRecordsInUse());
        for (int i = end; i < GlyphRecordsInUse(); ++i) {
          ASSERT_NE(GlyphTable[i].kind, KindByte(k)) << step << ": record " << i;
        }
      }
    }
    InitGlyphTable();
  }
}

TEST_F(GlyphTableTest, EncodedRecordFollowsTheFileLayout) {
  GlyphRecord record = {};
  record.kind = 1;
  record.marker = 0xCC;
  record.codeHigh = 0x88;
  record.codeLow = 0x9F;
  record.thermalDefined = 1;
  record.thermalCount = 72;
  record.impactDefined = 1;
  record.impactCount = 32;
  for (int i = 0; i < 72; ++i) record.thermalBitmap[i] = uint8_t(i + 1);
  for (int i = 0; i < 32; ++i) record.impactData[i] = uint8_t(0x80 + i);
  uint8_t bytes[kGlyphRecordSize];
  EncodeGlyphRecord(record, bytes);
  const uint8_t head[8] = {1, 0xCC, 0x88, 0x9F, 1, 72, 1, 32};
  EXPECT_EQ(std::memcmp(bytes, head, 8), 0);
  EXPECT_EQ(bytes[8], 1);
  EXPECT_EQ(bytes[79], 72);
  EXPECT_EQ(bytes[80], 0x80);
  EXPECT_EQ(bytes[111], 0x9F);
}

}  // namespace

}  // namespace vexo
