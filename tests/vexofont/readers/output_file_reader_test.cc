#include "vexofont/readers/output_file_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "show_test_support.h"

namespace vexo {

namespace {

// The file the fixture converts: SBCS 41, 42, 43 (41 and 42 at both
// stations, 43 thermal only), then DBCS 8140 and 8141 at both stations.
constexpr size_t kFirstGlyph = 81;
constexpr size_t kGlyphRecord = 4 + 112;
constexpr size_t Glyph(int i) { return kFirstGlyph + i * kGlyphRecord; }
constexpr size_t Payload(int i) { return Glyph(i) + 4; }
constexpr size_t kEnd = Glyph(5);
constexpr size_t kFileSize = kEnd + 4;

class OutputFileReaderTest : public ShowFileTest {
 protected:
  void SetUp() override {
    DbcsVectors vectors;
    vectors.fontVector1 = {{0x81, 0x81}, {0, 0}, {0, 0}, {0, 0}};
    vectors.fontVector2 = {{0x40, 0x41}, {0, 0}, {0, 0}, {0, 0}};
    auto dbcs = [&vectors](int width, int height) {
      Bytes font;
      AppendDbcsHeader(&font,
                       {.magic = "",
                        .lastChar = 0x8141,
                        .width = static_cast<uint32_t>(width),
                        .height = static_cast<uint32_t>(height)},
                       vectors);
      for (int code : {0x8140, 0x8141}) {
        AppendGlyph(&font, PatternGlyph(code, width, height));
      }
      return font;
    };
    auto sbcs = [](int count, int width, int height) {
      std::vector<GlyphRows> glyphs;
      for (int i = 0; i < count; ++i) {
        glyphs.push_back(PatternGlyph(0x41 + i, width, height));
      }
      return SbcsFont(0x41, width, height, glyphs);
    };
    valid_ = ConvertFonts(dir_, {{"SbcsThermalFile", sbcs(3, 8, 16)},
                                 {"SbcsImpactFile", sbcs(2, 8, 9)},
                                 {"DbcsThermalFile", dbcs(24, 24)},
                                 {"DbcsImpactFile", dbcs(16, 16)}});
    ASSERT_EQ(valid_.size(), kFileSize);
  }

  Bytes valid_;
};

TEST_F(OutputFileReaderTest, ConvertedFileIsSound) {
  const CapturedRun run = Show(valid_);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  ShownFont font;
  ProblemList problems;
  ReadOutputFontFile(valid_.data(), valid_.size(), &font, &problems);
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(font.glyphs.size(), 5u);
  EXPECT_EQ(font.glyphs[2].code, 0x43);
  EXPECT_TRUE(font.glyphs[2].thermal);
  EXPECT_FALSE(font.glyphs[2].impact);
  EXPECT_EQ(font.glyphs[4].code, 0x8141);
  EXPECT_EQ(font.glyphs[4].offset, Glyph(4));
}

enum class Edit { kSetByte, kTruncate, kAppend };

struct Corruption {
  const char* name;
  Edit edit;
  size_t at;      // the byte to set, or the length to keep
  uint8_t value;  // the byte's new value
  Bytes appended;
  size_t reportedAt;
  const char* text;
  bool alone;  // the corruption leads to no further problem
};

const Corruption kCorruptions[] = {
    {"UnknownTag", Edit::kSetByte, Glyph(0), 0xF8, {}, Glyph(0),
     "unknown tag 248", true},
    {"GlyphLengthNotFittingTag", Edit::kSetByte, Glyph(0) + 2, 111, {},
     Glyph(0) + 2, "TagSbcsGlyph record has length 111, expected 112", false},
    {"StartLengthNotFittingTag", Edit::kSetByte, 2, 3, {}, 2,
     "TagStart record has length 3, expected 2", false},
    {"MissingEnd", Edit::kTruncate, kEnd, 0, {}, kEnd, "no TagEnd record",
     true},
    {"EndNotLast", Edit::kAppend, 0, 0, {0xF3, 0, 2, 0, 6, 0}, kEnd,
     "TagEnd is not the last record", true},
    {"BytesAfterEnd", Edit::kAppend, 0, 0, {0, 0, 0}, kFileSize,
     "3 bytes after TagEnd", true},
    {"Marker", Edit::kSetByte, Payload(1) + 1, 0x00, {}, Payload(1) + 1,
     "glyph marker 0x00, expected 0xcc", true},
    {"KindNeitherSbcsNorDbcs", Edit::kSetByte, Payload(0), 3, {}, Payload(0),
     "glyph kind 3, expected 2 in a TagSbcsGlyph record", true},
    {"KindOfTheOtherTag", Edit::kSetByte, Payload(3), 2, {}, Payload(3),
     "glyph kind 2, expected 1 in a TagDbcsGlyph record", true},
    {"ThermalCountBeyondField", Edit::kSetByte, Payload(0) + 5, 73, {},
     Payload(0) + 5, "thermal count 73 exceeds the 72-byte thermal bitmap",
     true},
    {"ImpactCountBeyondField", Edit::kSetByte, Payload(4) + 7, 33, {},
     Payload(4) + 7, "impact count 33 exceeds the 32 bytes of impact data",
     true},
    {"CodeStoredTwice", Edit::kSetByte, Payload(1) + 3, 0x41, {},
     Payload(1) + 2,
     "code 0x0041 stored twice (first record payload at offset 85)", true},
    {"SbcsHighByteNotZero", Edit::kSetByte, Payload(2) + 2, 0x05, {},
     Payload(2) + 2, "SBCS glyph code high byte 0x05, expected 0", true},
    {"DbcsHighByteZero", Edit::kSetByte, Payload(3) + 2, 0x00, {},
     Payload(3) + 2, "DBCS glyph code high byte 0, expected a lead byte",
     true},
    {"DefinedFlagNotZeroOrOne", Edit::kSetByte, Payload(0) + 4, 2, {},
     Payload(0) + 4, "thermal defined flag 2, expected 0 or 1", true},
    {"DefinedForNeitherStation", Edit::kSetByte, Payload(2) + 4, 0, {},
     Payload(2) + 4, "glyph defined for neither station", true},
    {"StartValue", Edit::kSetByte, 4, 2, {}, 4, "TagStart value 2, expected 1",
     true},
    {"NineRowsFlag", Edit::kSetByte, 61, 2, {}, 61,
     "DBCS impact nine rows flag 2, expected 0 or 1", true},
    {"ThermalWidthNoStationTakes", Edit::kSetByte, 25, 20, {}, 25,
     "SBCS thermal width 20 is neither 0 nor within 8 to 16", true},
    {"RepeatedParameter", Edit::kSetByte, 51, 0xF4, {}, 51,
     "TagSbcsSpacing record repeated (first at offset 45)", false},
    {"SbcsGlyphAfterDbcs", Edit::kSetByte, Glyph(4), 0xF6, {}, Glyph(4),
     "TagSbcsGlyph record after the DBCS glyph records", false},
    {"CutInsideRecord", Edit::kTruncate, Glyph(1) + 50, 0, {}, Glyph(1),
     "file ends inside a record of tag 246: 112 payload bytes announced, 46 "
     "present",
     true},
    {"CutInsideFrame", Edit::kTruncate, kEnd + 2, 0, {}, kEnd,
     "file ends inside a record frame: 2 of 4 bytes", true},
};

TEST_F(OutputFileReaderTest, EachCorruptionIsReportedAtItsOffset) {
  for (const Corruption& c : kCorruptions) {
    SCOPED_TRACE(c.name);
    Bytes bytes = valid_;
    switch (c.edit) {
      case Edit::kSetByte:
        ASSERT_NE(bytes[c.at], c.value);
        bytes[c.at] = c.value;
        break;
      case Edit::kTruncate:
        bytes.resize(c.at);
        break;
      case Edit::kAppend:
        bytes.insert(bytes.end(), c.appended.begin(), c.appended.end());
        break;
    }
    const CapturedRun run = Show(bytes);
    EXPECT_EQ(run.status, 3);
    const std::string expected = Line(c.reportedAt, c.text);
    if (c.alone) {
      EXPECT_EQ(run.err, expected);
    } else {
      EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), expected);
    }
  }
}

TEST_F(OutputFileReaderTest, RepeatedParameterAlsoLeavesItsOwnRecordMissing) {
  Bytes bytes = valid_;
  bytes[51] = 0xF4;  // TagDbcsSpacing becomes a second TagSbcsSpacing
  EXPECT_EQ(Show(bytes).err,
            Line(51, "TagSbcsSpacing record repeated (first at offset 45)") +
                Line(kFirstGlyph, "no TagDbcsSpacing record"));
}

TEST_F(OutputFileReaderTest, EveryProperPrefixIsUnsound) {
  for (size_t n = 2; n < valid_.size(); ++n) {
    ShownFont font;
    ProblemList problems;
    ReadOutputFontFile(valid_.data(), n, &font, &problems);
    EXPECT_FALSE(problems.empty()) << n;
  }
}

TEST_F(OutputFileReaderTest, EverySingleByteChangeReadsWithinBounds) {
  // Run under the sanitizers, this proves no corruption of one byte makes
  // the reader step outside the file; every glyph read lies inside it.
  for (size_t i = 0; i < valid_.size(); ++i) {
    for (uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}, uint8_t{0x80}}) {
      // A copy the exact size of the file, so that any overrun is caught.
      std::vector<uint8_t> bytes(valid_);
      bytes[i] = value;
      ShownFont font;
      ProblemList problems;
      ReadOutputFontFile(bytes.data(), bytes.size(), &font, &problems);
      for (const ShownGlyph& glyph : font.glyphs) {
        EXPECT_LE(glyph.offset + kGlyphRecord, bytes.size());
      }
      for (const Problem& problem : problems) {
        EXPECT_LE(problem.offset, bytes.size());
      }
    }
  }
}

}  // namespace

}  // namespace vexo
