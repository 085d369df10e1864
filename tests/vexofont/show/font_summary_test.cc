#include "vexofont/show/font_summary.h"

#include <gtest/gtest.h>

#include "show_test_support.h"
#include "vexofont/readers/input_file_reader.h"
#include "vexofont/show/show_report.h"

namespace vexo {

namespace {

struct RangeCase {
  std::vector<uint16_t> codes;
  int digits;
  const char* text;
};

const RangeCase kRangeCases[] = {
    {{}, 2, "none"},
    {{0x41}, 2, "41"},
    {{0x20, 0x21, 0x22}, 2, "20-22"},
    {{0x43, 0x41, 0x42, 0x41}, 2, "41-43"},  // any order, repeats
    {{0x20, 0x22, 0x23, 0x7E}, 2, "20 22-23 7e"},
    {{0x8140, 0x817E, 0x817F, 0x8180}, 4, "8140 817e-8180"},
    {{0x05}, 4, "0005"},
    {{0xFFFE, 0xFFFF}, 4, "fffe-ffff"},
};

TEST(FontSummaryTest, CodeRangesAreRunsOfConsecutiveCodes) {
  for (const RangeCase& c : kRangeCases) {
    EXPECT_EQ(FormatCodeRanges(c.codes, c.digits), c.text);
  }
}

// Bytes in, lines out: the file read by the readers, the report kept.
TEST(FontSummaryTest, SbcsInputFileSummary) {
  const std::vector<uint8_t> bytes =
      SbcsFont(0x41, 8, 16,
               {PatternGlyph(0x41, 8, 16), PatternGlyph(0x42, 8, 16),
                PatternGlyph(0x43, 8, 16)});
  ShownFont font;
  ProblemList problems;
  ReadInputFontFile(bytes.data(), bytes.size(), &font, &problems);
  ShowOptions options;
  options.file = "in.fnt";
  CommandReport report;
  EXPECT_EQ(AddShowReport(options, font, problems, &report), kShowSound);
  EXPECT_EQ(report.Text(/*error=*/true), "");
  EXPECT_EQ(report.Text(/*error=*/false),
            "File 'in.fnt': SBCS input font file, 224 bytes\n"
            "  Version:              1\n"
            "  Code page:            0\n"
            "  First char:           41\n"
            "  Last char:            43\n"
            "  Size:                 8 x 16\n"
            "  Thermal station:      loads it\n"
            "  Impact station:       loads it\n"
            "  Glyphs in the body:   3 of 64 bytes each, 3 "
            "present\n"
            "  Glyphs stored:        3: thermal 3, impact 3\n"
            "  Thermal codes:        41-43\n"
            "  Impact codes:         41-43\n"
            "  Problems:             none\n"
            "\n");
}

}  // namespace

}  // namespace vexo
