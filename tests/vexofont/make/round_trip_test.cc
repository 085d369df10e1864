// make, then convert with the converter itself, then read the glyph records
// of the output font file: every size the converter keeps whole gives back
// the dots of the source font.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "testkit/bdf_font.h"
#include "make_test_support.h"
#include "store/glyph_table.h"
#include "store/little_endian.h"
#include "store/output_font_file.h"
#include "vexofont/make/make_command.h"

namespace vexo {

namespace {

using Payload = std::array<uint8_t, kGlyphRecordSize>;

// The glyph payloads of the records tagged `tag`, by code. Fails the test
// on a record that runs past the end of the file.
std::map<int, Payload> GlyphRecords(const Bytes& file, uint16_t tag) {
  std::map<int, Payload> records;
  size_t pos = 0;
  while (pos + kRecordFrameSize <= file.size()) {
    const uint16_t recordTag = DecodeFixed16(&file[pos]);
    const uint16_t length = DecodeFixed16(&file[pos + 2]);
    pos += kRecordFrameSize;
    EXPECT_LE(pos + length, file.size());
    if (pos + length > file.size()) break;
    if (recordTag == tag && length == kGlyphRecordSize) {
      Payload payload;
      std::copy(file.begin() + pos, file.begin() + pos + length,
                payload.begin());
      records[payload[kCodeHighOffset] << 8 | payload[kCodeLowOffset]] =
          payload;
    }
    if (recordTag == TagEnd) break;
    pos += length;
  }
  return records;
}

// The rows of a thermal bitmap of `bytesPerRow` bytes a row.
GlyphRows ThermalRows(const Payload& record, int height, int bytesPerRow) {
  GlyphRows rows(height, 0);
  for (int r = 0; r < height; ++r) {
    for (int b = 0; b < bytesPerRow; ++b) {
      rows[r] |= uint32_t(record[kThermalBitmapOffset + r * bytesPerRow + b])
                 << (24 - 8 * b);
    }
  }
  return rows;
}

// The dots of impact column data: each column from its bottom row up, from
// bit 0x80 of a byte down, a new byte after every 8 dots; a column of a
// font one byte wide, or of 9 rows, ends its last byte.
GlyphRows ImpactRows(const Payload& record, int width, int height) {
  GlyphRows rows(height, 0);
  const int count = record[kImpactCountOffset];
  int p = 0;
  for (int x = 0; x < (width / 8) * 8; ++x) {
    int mask = 0x80;
    for (int r = height - 1, dots = 1; r >= 0; --r, ++dots) {
      if (p < count && (record[kImpactDataOffset + p] & mask) != 0) {
        rows[r] |= 0x80000000u >> x;
      }
      mask >>= 1;
      if (dots % 8 == 0) {
        ++p;
        mask = 0x80;
      }
    }
    if (width / 8 == 1 || height == 9) ++p;
  }
  return rows;
}

class RoundTripTest : public ::testing::Test {
 protected:
  // Writes a BDF font of `width` x `height` cells holding PatternGlyph of
  // each of `encodings`, makes an input font of it with `makeArgs`, and
  // converts it as a `configKey` file. Returns the output font file.
  Bytes MakeAndConvert(const BdfFont& font, const std::string& configKey,
                       std::vector<std::string> makeArgs) {
    const std::string source = dir_.WriteText("font.bdf", BdfText(font));
    const std::string input = dir_.File("input.fnt");
    makeArgs.insert(makeArgs.end(), {source, input});
    const CapturedRun made = RunMake(makeArgs);
    EXPECT_EQ(made.status, kMakeOk) << made.err;
    EXPECT_NE(made.out.find(" 0 clipped"), std::string::npos) << made.out;
    const std::string output = dir_.File("font.out");
    const std::string config = dir_.WriteText(
        "convert.cfg",
        configKey + " " + input + "\nOutputFontFile " + output + "\n");
    const CapturedRun converted = RunConverterOn(config);
    EXPECT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(converted.err, "");
    return ReadBytes(output);
  }

  static BdfFont CellFont(int width, int height,
                          const std::vector<uint32_t>& encodings) {
    BdfFont font;
    font.descent = height / 4;
    font.ascent = height - font.descent;
    font.boxWidth = width;
    for (uint32_t encoding : encodings) {
      font.glyphs.push_back(CellGlyphOf(
          encoding, PatternGlyph(encoding, width, height), width,
          font.descent));
    }
    return font;
  }

  ScratchDir dir_;
};

// Codes as the options take them: hexadecimal.
std::string Hex(int code) {
  char text[8];
  std::snprintf(text, sizeof(text), "%x", code);
  return text;
}

constexpr int kFirst = 0x41;
constexpr int kLast = 0x46;

std::vector<uint32_t> SbcsEncodings() {
  std::vector<uint32_t> encodings;
  for (int code = kFirst; code <= kLast; ++code) encodings.push_back(code);
  return encodings;
}

TEST_F(RoundTripTest, SbcsThermalFontsKeepEveryDotAtEverySize) {
  for (int width = 8; width <= 16; ++width) {
    for (int height = 16; height <= (width == 16 ? 24 : 32); ++height) {
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
      const Bytes output = MakeAndConvert(
          CellFont(width, height, SbcsEncodings()), "SbcsThermalFile",
          {"--kind", "sbcs", "--station", "thermal", "--size",
           std::to_string(width) + "x" + std::to_string(height),
           "--code-page", "8859-1", "--first", Hex(kFirst),
           "--last", Hex(kLast)});
      const std::map<int, Payload> records = GlyphRecords(output, TagSbcsGlyph);
      ASSERT_EQ(records.size(), size_t(kLast - kFirst + 1));
      const int bytesPerRow = width / 8 + 1;
      for (const auto& [code, record] : records) {
        ASSERT_GE(code, kFirst);
        ASSERT_LE(code, kLast);
        EXPECT_EQ(record[kThermalDefinedOffset], 1);
        EXPECT_EQ(record[kThermalCountOffset], height * bytesPerRow);
        EXPECT_EQ(ThermalRows(record, height, bytesPerRow),
                  PatternGlyph(code, width, height))
            << "code " << code;
      }
    }
  }
}

TEST_F(RoundTripTest, SbcsImpactFontsKeepEveryDotWhereTheColumnsHoldThem) {
  struct Size {
    int width;
    int height;
  };
  std::vector<Size> sizes;
  for (int height = 4; height <= 15; ++height) sizes.push_back({8, height});
  sizes.insert(sizes.end(), {{16, 8}, {16, 9}, {16, 16}});
  for (const Size& size : sizes) {
    const std::string name =
        std::to_string(size.width) + "x" + std::to_string(size.height);
    SCOPED_TRACE(name);
    const Bytes output = MakeAndConvert(
        CellFont(size.width, size.height, SbcsEncodings()), "SbcsImpactFile",
        {"--kind", "sbcs", "--station", "impact", "--size", name,
         "--code-page", "437", "--first", Hex(kFirst), "--last",
         Hex(kLast)});
    const std::map<int, Payload> records = GlyphRecords(output, TagSbcsGlyph);
    ASSERT_EQ(records.size(), size_t(kLast - kFirst + 1));
    for (const auto& [code, record] : records) {
      EXPECT_EQ(record[kImpactDefinedOffset], 1);
      EXPECT_EQ(record[kImpactCountOffset], 2 * size.width);
      EXPECT_EQ(ImpactRows(record, size.width, size.height),
                PatternGlyph(code, size.width, size.height))
          << "code " << code;
    }
  }
}

struct DbcsSize {
  const char* station;
  const char* configKey;
  int width;
  int height;
};

const DbcsSize kDbcsSizes[] = {
    {"thermal", "DbcsThermalFile", 24, 24},
    {"impact", "DbcsImpactFile", 16, 16},
    {"impact", "DbcsImpactFile", 16, 9},
};

// Shift-JIS 0x829F to 0x82F1 are the hiragana U+3041 to U+3093, in JIS X
// 0208 row 4, 0x2421 to 0x2473.
constexpr int kHiraganaFirst = 0x829F;
constexpr int kHiraganaLast = 0x82F1;

void ExpectHiragana(const std::map<int, Payload>& records,
                    const DbcsSize& size, uint32_t firstSourceCode) {
  ASSERT_EQ(records.size(), size_t(kHiraganaLast - kHiraganaFirst + 1));
  for (const auto& [code, record] : records) {
    ASSERT_GE(code, kHiraganaFirst);
    ASSERT_LE(code, kHiraganaLast);
    EXPECT_EQ(record[kKindOffset], KindByte(FontKind::kDbcs));
    const GlyphRows expected = PatternGlyph(
        firstSourceCode + (code - kHiraganaFirst), size.width, size.height);
    if (size.width == 24) {
      EXPECT_EQ(record[kThermalCountOffset], 72);
      EXPECT_EQ(ThermalRows(record, 24, 3), expected) << std::hex << code;
    } else {
      EXPECT_EQ(record[kImpactCountOffset], 32);
      EXPECT_EQ(ImpactRows(record, 16, size.height), expected)
          << std::hex << code;
    }
  }
}

TEST_F(RoundTripTest, DbcsFontsKeepEveryDotInTheEnumerationOrder) {
  std::vector<uint32_t> hiragana;
  for (uint32_t c = 0x3041; c <= 0x3093; ++c) hiragana.push_back(c);
  for (const DbcsSize& size : kDbcsSizes) {
    const std::string name =
        std::to_string(size.width) + "x" + std::to_string(size.height);
    SCOPED_TRACE(name);
    // The lead row 0x82 from 0x8240: the codes below 0x829F are blank and
    // the converter stores no record for them.
    const Bytes output = MakeAndConvert(
        CellFont(size.width, size.height, hiragana), size.configKey,
        {"--kind", "dbcs", "--station", size.station, "--size", name,
         "--code-page", "932", "--first", "0x829f", "--last", "0x82f1"});
    ExpectHiragana(GlyphRecords(output, TagDbcsGlyph), size, 0x3041);
  }
}

TEST_F(RoundTripTest, DbcsFontInItsOwnCharsetKeepsEveryDot) {
  std::vector<uint32_t> row4;
  for (uint32_t c = 0x2421; c <= 0x2473; ++c) row4.push_back(c);
  for (const DbcsSize& size : kDbcsSizes) {
    const std::string name =
        std::to_string(size.width) + "x" + std::to_string(size.height);
    SCOPED_TRACE(name);
    BdfFont font = CellFont(size.width, size.height, row4);
    font.registry = "JISX0208.1983";
    font.encoding = "0";
    const Bytes output = MakeAndConvert(
        font, size.configKey,
        {"--kind", "dbcs", "--station", size.station, "--size", name,
         "--code-page", "932", "--first", "0x8240", "--last", "0x82fc"});
    ExpectHiragana(GlyphRecords(output, TagDbcsGlyph), size, 0x2421);
  }
}

}  // namespace

}  // namespace vexo
