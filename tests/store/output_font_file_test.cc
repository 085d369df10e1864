#include "store/output_font_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "store/converter_settings.h"
#include "store/glyph_table.h"
#include "store/scratch_block.h"
#include "testkit/test_fonts.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

class OutputFontFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetConverterSettings();
    InitGlyphTable();
    UseOutput(dir_.File("out.fnt"));
  }

  void UseOutput(const std::string& path) {
    std::snprintf(Settings.outputFontFile, kFileNameSlotSize, "%s",
                  path.c_str());
  }

  CapturedRun Write() {
    return CaptureOutput([] { return WriteOutputFontFile(); });
  }

  // The thirteen parameter records as bytes, built here from their values.
  static Bytes FixedPart(uint16_t codePage, uint16_t sw, uint16_t sh,
                         uint16_t iw, uint16_t ih, uint16_t sbcsSpacing,
                         uint16_t dbcsSpacing, uint16_t nine,
                         const uint8_t vector[3][2]) {
    Bytes b = {0xEB, 0, 2, 0, 1, 0, 0xEA, 0, 5, 0, 'T', 'o', 'd', 'a', 'y'};
    auto number = [&b](uint8_t tag, uint16_t v) {
      b.insert(b.end(), {tag, 0, 2, 0, uint8_t(v), uint8_t(v >> 8)});
    };
    number(0xEC, codePage);
    number(0xEF, sw);
    number(0xF0, sh);
    number(0xF1, iw);
    number(0xF2, ih);
    number(0xF4, sbcsSpacing);
    number(0xF3, dbcsSpacing);
    number(0xF7, nine);
    for (int i = 0; i < 3; ++i) {
      b.insert(b.end(), {0xED, 0, 2, 0, vector[i][0], vector[i][1]});
    }
    return b;
  }

  ScratchDir dir_;
};

TEST_F(OutputFontFileTest, EmptyRunWritesTheParameterRecordsAndEnd) {
  const CapturedRun run = Write();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Opening '" + dir_.File("out.fnt") + "' for writing\n");
  EXPECT_EQ(run.err, "");
  const uint8_t zero[3][2] = {};
  Bytes expected = FixedPart(0, 0, 0, 0, 0, 3, 6, 0, zero);
  expected.insert(expected.end(), {0xFE, 0, 0, 0});
  EXPECT_EQ(expected.size(), 85u);
  EXPECT_EQ(ReadBytes(dir_.File("out.fnt")), expected);
}

TEST_F(OutputFontFileTest, ParametersAndGlyphsInTableOrderSbcsFirst) {
  Settings.codePage = 932;
  Settings.sbcsThermalWidth = 12;
  Settings.sbcsThermalHeight = 24;
  Settings.sbcsImpactWidth = 8;
  Settings.sbcsImpactHeight = 9;
  Settings.sbcsSpacing = 8;
  Settings.dbcsSpacing = 20;
  Settings.dbcsImpactNineRows = 1;
  const uint8_t vector[4][2] = {{0x81, 0x9F}, {0xE0, 0xFC}, {1, 2}, {3, 4}};
  std::memcpy(Settings.dbcsCodePageVector, vector, sizeof(vector));

  const uint8_t thermal[3] = {0x80, 0x10, 0xFF};
  const uint8_t impact[2] = {0x01, 0x80};
  StoreGlyph(FontKind::kDbcs, 0x88, 0x9F, Station::kImpact, impact, 2);  // record 0
  StoreGlyph(FontKind::kSbcs, 0, 0x41, Station::kThermal, thermal, 3);   // record 1
  StoreGlyph(FontKind::kSbcs, 0, 0x20, Station::kImpact, impact, 2);     // record 2

  ASSERT_EQ(Write().status, 0);
  Bytes expected = FixedPart(932, 12, 24, 8, 9, 8, 20, 1, vector);
  auto glyph = [&expected](uint8_t tag, std::initializer_list<uint8_t> head,
                           const uint8_t* t, int tn, const uint8_t* i,
                           int in) {
    expected.insert(expected.end(), {tag, 0, 112, 0});
    expected.insert(expected.end(), head);
    Bytes body(104, 0);
    std::memcpy(body.data(), t, tn);
    std::memcpy(body.data() + 72, i, in);
    expected.insert(expected.end(), body.begin(), body.end());
  };
  glyph(0xF6, {2, 0xCC, 0, 0x41, 1, 3, 0, 0}, thermal, 3, impact, 0);
  glyph(0xF6, {2, 0xCC, 0, 0x20, 0, 0, 1, 2}, thermal, 0, impact, 2);
  glyph(0xF5, {1, 0xCC, 0x88, 0x9F, 0, 0, 1, 2}, thermal, 0, impact, 2);
  expected.insert(expected.end(), {0xFE, 0, 0, 0});
  EXPECT_EQ(expected.size(), 85u + 3 * 116u);
  EXPECT_EQ(ReadBytes(dir_.File("out.fnt")), expected);
}

TEST_F(OutputFontFileTest, LongerExistingFileIsCutToTheNewLength) {
  ASSERT_TRUE(WriteBytes(dir_.File("out.fnt"), Bytes(5000, 0x5A)));
  ASSERT_EQ(Write().status, 0);
  EXPECT_EQ(ReadBytes(dir_.File("out.fnt")).size(), 85u);
}

// Permission bits mean nothing on Windows; there a new file gets the
// folder's defaults.
#ifndef _WIN32
TEST_F(OutputFontFileTest, NewFileGetsMode0655) {
  const mode_t oldMask = umask(0);
  const int status = Write().status;
  umask(oldMask);
  ASSERT_EQ(status, 0);
  struct stat info;
  ASSERT_EQ(stat(dir_.File("out.fnt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0655u);
}

#endif

TEST_F(OutputFontFileTest, UnopenableOutputIsReportedAndNothingMade) {
  const std::string path = dir_.File("missing/out.fnt");
  UseOutput(path);
  const CapturedRun run = Write();
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(run.out, "Opening '" + path + "' for writing\n");
  EXPECT_EQ(run.err, "Could not open file '" + path + "' for writing\n");
}

TEST_F(OutputFontFileTest, FailedWriteIsReportedAndDeviceLeftInPlace) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no device that refuses writes like /dev/full";
#else
  struct stat info;
  if (stat("/dev/full", &info) != 0) GTEST_SKIP() << "no /dev/full here";
  UseOutput("/dev/full");
  const CapturedRun run = Write();
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(run.err, "Could not write file '/dev/full'\n");
  EXPECT_EQ(stat("/dev/full", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
#endif
}

}  // namespace

namespace {

// The record table every reader and writer of the format takes the layout
// from, pinned: tags, names, payload lengths and order.
TEST(OutputTagsTest, TableHoldsEveryTagInWritingOrder) {
  struct Expected {
    uint16_t tag;
    const char* name;
    uint16_t length;
  };
  const Expected kExpected[] = {
      {235, "TagStart", 2},
      {234, "TagDate", 5},
      {236, "TagCodePage", 2},
      {239, "TagSbcsThermalWidth", 2},
      {240, "TagSbcsThermalHeight", 2},
      {241, "TagSbcsImpactWidth", 2},
      {242, "TagSbcsImpactHeight", 2},
      {244, "TagSbcsSpacing", 2},
      {243, "TagDbcsSpacing", 2},
      {247, "TagDbcsImpactNineRows", 2},
      {237, "TagCodePageVector", 2},
      {246, "TagSbcsGlyph", 112},
      {245, "TagDbcsGlyph", 112},
      {254, "TagEnd", 0},
  };
  ASSERT_EQ(kOutputTagCount, int(std::size(kExpected)));
  for (int i = 0; i < kOutputTagCount; ++i) {
    SCOPED_TRACE(kExpected[i].name);
    EXPECT_EQ(kOutputTags[i].tag, kExpected[i].tag);
    EXPECT_STREQ(kOutputTags[i].name, kExpected[i].name);
    EXPECT_EQ(kOutputTags[i].length, kExpected[i].length);
    EXPECT_EQ(OutputTagIndex(kExpected[i].tag), i);
  }
  EXPECT_EQ(OutputTagIndex(238), -1);  // a tag the file never holds
  EXPECT_EQ(OutputTagIndex(0), -1);
}

// The SBCS walk ends after the last SBCS record wherever it lies, and a
// code whose record changed kind is written once, as its last kind.
TEST_F(OutputFontFileTest, EachKindsRecordsAreFoundWhereverTheyLie) {
  const uint8_t bytes[1] = {0x5A};
  for (int i = 0; i < 300; ++i) {
    StoreGlyph(FontKind::kDbcs, 0x81 + i / 100, i % 100, Station::kThermal, bytes, 1);
  }
  StoreGlyph(FontKind::kSbcs, 0, 0x41, Station::kThermal, bytes, 1);  // record 300
  StoreGlyph(FontKind::kSbcs, 0x82, 5, Station::kImpact, bytes, 1);   // record 105, now SBCS
  ASSERT_EQ(Write().status, 0);
  const Bytes file = ReadBytes(dir_.File("out.fnt"));
  std::vector<std::pair<uint16_t, int>> glyphs;  // tag, code
  for (size_t at = kFixedPartSize - kRecordFrameSize; at + kGlyphRecordFileSize < file.size();
       at += kGlyphRecordFileSize) {
    glyphs.push_back({uint16_t(file[at] | file[at + 1] << 8),
                      file[at + 4 + 2] << 8 | file[at + 4 + 3]});
  }
  ASSERT_EQ(glyphs.size(), 301u);
  EXPECT_EQ(glyphs[0], (std::pair<uint16_t, int>{TagSbcsGlyph, 0x8205}));
  EXPECT_EQ(glyphs[1], (std::pair<uint16_t, int>{TagSbcsGlyph, 0x0041}));
  for (size_t i = 2; i < glyphs.size(); ++i) {
    EXPECT_EQ(glyphs[i].first, TagDbcsGlyph) << i;
    EXPECT_NE(glyphs[i].second, 0x8205) << i;
  }
  EXPECT_EQ(file.size(), kFixedPartSize + 301 * size_t{kGlyphRecordFileSize});
}

// The writer follows the table: the records of an empty run are the single
// parameters in table order, the code page vectors, then the end.
TEST_F(OutputFontFileTest, WrittenRecordsFollowTheTable) {
  ASSERT_EQ(Write().status, 0);
  const Bytes file = ReadBytes(dir_.File("out.fnt"));
  std::vector<uint16_t> expectedTags;
  for (int i = 0; i < kSingleParameterCount; ++i) {
    expectedTags.push_back(kOutputTags[i].tag);
  }
  for (int i = 0; i < kCodePageVectorRecords; ++i) {
    expectedTags.push_back(TagCodePageVector);
  }
  expectedTags.push_back(TagEnd);
  std::vector<uint16_t> tags;
  size_t at = 0;
  while (at + kRecordFrameSize <= file.size()) {
    const uint16_t tag = uint16_t(file[at] | file[at + 1] << 8);
    const uint16_t length = uint16_t(file[at + 2] | file[at + 3] << 8);
    ASSERT_GE(OutputTagIndex(tag), 0) << at;
    EXPECT_EQ(length, kOutputTags[OutputTagIndex(tag)].length) << at;
    tags.push_back(tag);
    at += kRecordFrameSize + length;
  }
  EXPECT_EQ(at, file.size());
  EXPECT_EQ(tags, expectedTags);
  EXPECT_EQ(file.size(), size_t{kFixedPartSize});
}

#if defined(__GLIBC__)
// A stream that keeps every write it is handed, as the file would get them.
struct WriteLog {
  std::vector<size_t> sizes;
  Bytes bytes;
};

ssize_t LogWrite(void* cookie, const char* data, size_t size) {
  auto* log = static_cast<WriteLog*>(cookie);
  log->sizes.push_back(size);
  log->bytes.insert(log->bytes.end(), data, data + size);
  return static_cast<ssize_t>(size);
}

// A full table of SBCS and DBCS records, every one with its own bytes,
// reaches the file in whole blocks, the last one aside, and the records
// that cross a block's end come through whole and in order.
TEST_F(OutputFontFileTest, RecordsCrossingBlockEndsReachTheFileWholeInWholeBlocks) {
  uint8_t thermal[kThermalBitmapSize];
  uint8_t impact[kImpactDataSize];
  auto fill = [&](int n) {
    for (int i = 0; i < kThermalBitmapSize; ++i) thermal[i] = uint8_t(n * 7 + i);
    for (int i = 0; i < kImpactDataSize; ++i) impact[i] = uint8_t(n * 13 + i);
  };
  for (int n = 0; n < kGlyphTableSize; ++n) {
    fill(n);
    const bool sbcs = n < 256;
    const int high = sbcs ? 0 : 0x81 + (n - 256) / 188;
    const int low = sbcs ? n : 0x40 + (n - 256) % 188;
    const FontKind kind = sbcs ? FontKind::kSbcs : FontKind::kDbcs;
    ASSERT_EQ(StoreGlyph(kind, high, low, Station::kThermal, thermal,
                         kThermalBitmapSize), n);
    ASSERT_EQ(StoreGlyph(kind, high, low, Station::kImpact, impact,
                         n % kImpactDataSize + 1), n);
  }

  WriteLog log;
  cookie_io_functions_t calls = {nullptr, LogWrite, nullptr, nullptr};
  std::FILE* stream = fopencookie(&log, "w", calls);
  ASSERT_NE(stream, nullptr);
  std::setvbuf(stream, nullptr, _IONBF, 0);
  const long written = WriteOutputFontRecords(stream);
  std::fclose(stream);

  const size_t size = kFixedPartSize + size_t{kGlyphRecordFileSize} * kGlyphTableSize;
  ASSERT_EQ(written, long(size));
  ASSERT_EQ(log.bytes.size(), size);
  ASSERT_EQ(log.sizes.size(), (size + kScratchBlockSize - 1) / kScratchBlockSize);
  for (size_t i = 0; i + 1 < log.sizes.size(); ++i) {
    EXPECT_EQ(log.sizes[i], kScratchBlockSize) << "write " << i;
  }

  // Each glyph record as the table encodes it, in table order after the
  // parameters and before the end.
  size_t at = kFixedPartSize - kRecordFrameSize;  // the end record comes last
  for (int n = 0; n < kGlyphTableSize; ++n) {
    uint8_t expected[kGlyphRecordSize];
    EncodeGlyphRecord(GlyphTable[n], expected);
    const uint8_t tag = n < 256 ? 0xF6 : 0xF5;
    ASSERT_EQ(Bytes(log.bytes.begin() + long(at), log.bytes.begin() + long(at) + 4),
              (Bytes{tag, 0, kGlyphRecordSize, 0})) << "record " << n;
    ASSERT_EQ(std::memcmp(log.bytes.data() + at + 4, expected, kGlyphRecordSize), 0)
        << "record " << n;
    at += kGlyphRecordFileSize;
  }
  EXPECT_EQ(Bytes(log.bytes.begin() + long(at), log.bytes.end()),
            (Bytes{0xFE, 0, 0, 0}));
}
#endif

}  // namespace

}  // namespace vexo
