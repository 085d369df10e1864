#include "vexofont/text/glyph_overlay.h"
#include "vexofont/text/glyph_text.h"
#include "vexofont/text/glyph_text_build.h"
#include "vexofont/text/glyph_text_reader.h"
#include "vexofont/text/glyph_text_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "fontinput/font_header.h"
#include "store/little_endian.h"
#include "testkit/test_fonts.h"

namespace vexo {

namespace {

std::string Dump(const Bytes& file) {
  std::string text, problem;
  EXPECT_TRUE(DumpInputFont(file.data(), file.size(), nullptr, nullptr, &text,
                            &problem))
      << problem;
  return text;
}

// Builds the file a whole text describes; an empty result on a mistake.
Bytes Build(const std::string& text, TextError* error) {
  GlyphText glyphs;
  Bytes file;
  if (!ParseGlyphText(text, false, &glyphs, error) ||
      !BuildFromGlyphText(glyphs, &file, error)) {
    return {};
  }
  return file;
}

void ExpectRoundTrip(const Bytes& file) {
  const std::string text = Dump(file);
  TextError error;
  const Bytes rebuilt = Build(text, &error);
  EXPECT_EQ(rebuilt, file) << FormatTextError("text", error) << "\n" << text;
  EXPECT_EQ(Dump(rebuilt), text);
}

Bytes RandomBytes(size_t n, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(n);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
  return bytes;
}

Bytes SbcsHeader(uint16_t first, uint16_t last, uint32_t width,
                 uint32_t height) {
  Bytes file;
  AppendSbcsHeader(&file, {.magic = "",
                           .version = 3,
                           .codePage = 850,
                           .firstChar = first,
                           .lastChar = last,
                           .width = width,
                           .height = height});
  return file;
}

TEST(GlyphTextTest, BundledExampleFontsGoToTextAndBackByteForByte) {
  int fonts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::string(VEXO_SOURCE_DIR) + "/examples")) {
    if (entry.path().extension() != ".fnt") continue;
    SCOPED_TRACE(entry.path().string());
    ++fonts;
    ExpectRoundTrip(ReadBytes(entry.path().string()));
  }
  EXPECT_EQ(fonts, 4);
}

TEST(GlyphTextTest, PatternAndOddFilesGoToTextAndBackByteForByte) {
  struct Case {
    const char* name;
    Bytes file;
  };
  std::vector<Case> cases;
  for (auto [w, h] : {std::pair{4, 4}, {8, 9}, {12, 24}, {15, 32}, {16, 16},
                      {16, 24}}) {
    cases.push_back({"pattern SBCS", PatternSbcsFont(0x20, 0x7E, w, h)});
  }
  int codes = 0;
  cases.push_back({"pattern DBCS 24x24",
                   PatternDbcsFont({{0x81, 0x82}}, 0x82FC, 24, 24, &codes)});
  cases.push_back({"pattern DBCS 16x9",
                   PatternDbcsFont({{0x81, 0x81}, {0xE0, 0xE0}}, 0xE07E, 16,
                                   9, &codes)});
  // Every bit of every row set or not at random: padding dots beyond the
  // width, and three surplus bytes after the body.
  Bytes odd = SbcsHeader(0x41, 0x50, 8, 16);
  Bytes body = RandomBytes(16 * 64 + 3, 7);
  odd.insert(odd.end(), body.begin(), body.end());
  cases.push_back({"padding dots and surplus bytes", odd});
  // A body cut short in the middle of a glyph.
  Bytes cut = SbcsHeader(0x41, 0x50, 12, 24);
  body = RandomBytes(5 * 96 + 17, 8);
  cut.insert(cut.end(), body.begin(), body.end());
  cases.push_back({"body cut short", cut});
  // First above last: no glyph, the whole body is tail.
  Bytes empty = SbcsHeader(0x42, 0x41, 8, 16);
  empty.push_back(0xAB);
  cases.push_back({"no codes", empty});
  cases.push_back({"header only", SbcsHeader(0x41, 0x40, 8, 16)});
  // Codes beyond 0xff in an SBCS header.
  Bytes wide = SbcsHeader(0xFE, 0x101, 4, 4);
  body = RandomBytes(4 * 16, 9);
  wide.insert(wide.end(), body.begin(), body.end());
  cases.push_back({"SBCS codes past ff", wide});
  // A DBCS file of two passes (four full lead ranges), and odd vectors.
  DbcsVectors vectors;
  vectors.codePageVector1 = {{0x12, 0x34}, {0, 0}, {0xFF, 0}, {1, 2}};
  vectors.fontVector1 = {{0x81, 0x81}, {0x82, 0x82}, {0x83, 0x83}, {0x84, 0x84}};
  vectors.fontVector2 = {{0x40, 0x41}, {0, 0x7F}, {0x40, 0x40}, {0, 0}};
  Bytes twice;
  AppendDbcsHeader(&twice,
                   {.magic = "", .codePage = 932, .firstChar = 0x8140,
                    .lastChar = 0xFFFF, .width = 16, .height = 16},
                   vectors);
  body = RandomBytes(2 * 12 * 64 + 1, 10);
  twice.insert(twice.end(), body.begin(), body.end());
  cases.push_back({"DBCS, two passes and a code twice per lead", twice});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectRoundTrip(c.file);
  }
}

// The format itself, pinned on a small font.
TEST(GlyphTextTest, DumpWritesTheDocumentedFormat) {
  Bytes file = SbcsHeader(0x41, 0x42, 4, 4);
  AppendGlyph(&file, {0x90000000u, 0x60000000u, 0x60000000u, 0x90000001u});
  AppendGlyph(&file, {0, 0, 0, 0xF0000000u});
  file.push_back(0x0A);
  EXPECT_EQ(Dump(file),
            "vexofont glyphs 1\n"
            "kind sbcs\n"
            "version 3\n"
            "code-page 850\n"
            "first 41\n"
            "last 42\n"
            "width 4\n"
            "height 4\n"
            "\n"
            "glyph 41\n"
            "#..#\n"
            ".##.\n"
            ".##.\n"
            "#..#|...........................#\n"
            "\n"
            "glyph 42\n"
            "....\n"
            "....\n"
            "....\n"
            "####\n"
            "\n"
            "tail 0a\n");
}

TEST(GlyphTextTest, DbcsHeaderShowsTheVectorsAsRanges) {
  int codes = 0;
  const Bytes file =
      PatternDbcsFont({{0x81, 0x81}}, 0x8141, 16, 16, &codes);
  const std::string text = Dump(file);
  EXPECT_NE(text.find("kind dbcs\nversion 1\ncode-page 932\nfirst 8140\n"
                      "last 8141\nwidth 16\nheight 16\n"
                      "code-page-vector-1 81-9f e0-fc 00-00 00-00\n"
                      "code-page-vector-2 40-7e 80-fc 00-00 00-00\n"
                      "font-vector-1 81-81 00-00 00-00 00-00\n"
                      "font-vector-2 40-7e 80-fc 00-00 00-00\n\n"
                      "glyph 8140\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\nglyph 8141\n"), std::string::npos);
}

TEST(GlyphTextTest, HandWrittenTextLeavesUnlistedCodesBlank) {
  const std::string text =
      "vexofont glyphs 1\r\n"
      "# a comment line\n"
      "kind sbcs\n"
      "code-page 437\n"
      "first 41\n"
      "last 43\n"
      "width 4\n"
      "height 4   \n"
      "\n"
      "glyph 42  # the only glyph\n"
      "#..#\r\n"
      ".##.\n"
      ".##.\n"
      "#..#\t\n";
  TextError error;
  const Bytes file = Build(text, &error);
  ASSERT_FALSE(file.empty()) << error.message;
  Bytes expected = SbcsHeader(0x41, 0x43, 4, 4);
  EncodeFixed16(expected.data() + kVersionOffset, 1);  // the default
  EncodeFixed16(expected.data() + kHeaderCodePageOffset, 437);
  AppendGlyph(&expected, {0, 0, 0, 0});
  AppendGlyph(&expected, {0x90000000u, 0x60000000u, 0x60000000u, 0x90000000u});
  AppendGlyph(&expected, {0, 0, 0, 0});
  EXPECT_EQ(file, expected);
}

TEST(GlyphTextTest, MistakesNameTheLineAndColumn) {
  const std::string header =
      "vexofont glyphs 1\nkind sbcs\ncode-page 437\nfirst 41\nlast 43\n"
      "width 8\nheight 4\n\n";  // the first glyph line is line 9
  const std::string rows = "........\n........\n........\n........\n";
  struct Case {
    std::string text;
    const char* error;
  };
  const Case kCases[] = {
      {"hello\n", "1:1: not a glyph text (the first line must be "
                  "'vexofont glyphs 1')"},
      {"", "1:1: empty text (the first line must be 'vexofont glyphs 1')"},
      {header + "glyph 41\n........\n.......\n........\n........\n",
       "11:8: row of 7 dots, the width is 8"},
      {header + "glyph 41\n.........\n", "10:9: row of 9 dots, the width is 8"},
      {header + "glyph 41\n...x....\n" + rows,
       "10:4: 'x' in a row (rows hold . and #, and one | before the dots "
       "beyond the width)"},
      {header + "glyph 41\n....|...|\n" + rows,
       "10:9: a second '|' in a row (rows hold . and #, and one | before the "
       "dots beyond the width)"},
      {header + "glyph 41\n........|...\n" + rows,
       "10:9: after '|' a row holds the 24 dots beyond the width, not 3"},
      {header + "glyph 41\n" + rows + "glyph 41\n" + rows,
       "14:7: code 41 twice (first on line 9)"},
      {header + "glyph 42\n" + rows + "glyph 41\n" + rows,
       "14:7: code 41 after 42: glyphs go in the file's order (rising codes)"},
      {header + "glyph 44\n" + rows,
       "9:7: SBCS code 44 is outside first 41 to last 43"},
      {header + "glyph 41\n........\n", "9:1: glyph 41 has 1 row, the height is 4"},
      {header + "glyph 41\n" + rows + "........\n",
       "14:1: row 5 of glyph 41: the height is 4"},
      {header + "........\n",
       "9:1: a row outside a glyph (rows follow a glyph line)"},
      {header + "glyph zz\n", "9:7: glyph needs a hexadecimal code from 0 to ffff"},
      {header + "glyph 12345\n",
       "9:7: glyph needs a hexadecimal code from 0 to ffff"},
      {header + "glyph 41 42\n",
       "9:10: glyph takes one code (a comment starts with '#')"},
      {header + "tail 1\n", "9:6: tail byte '1' is not two hexadecimal digits"},
      {header + "tail 01\nglyph 41\n" + rows, "10:1: glyph after the tail"},
      {header + "width 9\n", "9:1: header field 'width' given twice (first on line 6)"},
      {header + "glyph 41\n" + rows + "last 44\n",
       "14:1: header field 'last' after the first glyph"},
      {header + "frist 41\n",
       "9:1: unknown line 'frist' (a header field, glyph, tail, a row of . "
       "and #, or a comment after '# ')"},
      {"vexofont glyphs 1\nkind sbcs\nfirst 41\n",
       "4:1: header field 'code-page' missing"},
      {"vexofont glyphs 1\nkind xbcs\n", "2:6: kind 'xbcs' is not sbcs or dbcs"},
      {"vexofont glyphs 1\nkind sbcs\ncode-page 70000\n",
       "3:11: code-page '70000' is not a number from 0 to 65535"},
      {"vexofont glyphs 1\nkind sbcs\nfirst 1g\n",
       "3:7: first '1g' is not a hexadecimal code from 0 to ffff"},
      {"vexofont glyphs 1\nkind sbcs\nwidth 33\n",
       "3:7: width '33' is not a number of dots from 1 to 32"},
      {"vexofont glyphs 1\nkind sbcs\nwidth\n",
       "3:7: header field 'width' takes one value"},
      {"vexofont glyphs 1\nkind sbcs\ncode-page 437\nfirst 41\nlast 43\n"
       "width 7\nheight 17\n",
       "6:1: size 7x17 is not one the converter takes for SBCS fonts "
       "(thermal width 8 to 16, height 16 to 32, at width 16 at most 24; "
       "impact width 4 to 16, height 4 to 16)"},
      {"vexofont glyphs 1\nkind dbcs\ncode-page 932\nfirst 8140\nlast 8141\n"
       "width 16\nheight 12\nfont-vector-1 81-81\nfont-vector-2 40-7e\n",
       "6:1: size 16x12 is not one the converter takes for DBCS fonts "
       "(thermal 24x24 only; impact 16x16 or 16x9)"},
      {"vexofont glyphs 1\nkind dbcs\ncode-page 932\nfirst 8140\nlast 8141\n"
       "width 16\nheight 9\nfont-vector-1 81-81\n",
       "9:1: header field 'font-vector-2' missing"},
      {"vexofont glyphs 1\nkind dbcs\nfont-vector-1 81-8g\n",
       "3:15: range '81-8g' is not two hexadecimal bytes (e.g. 81-9f)"},
      {"vexofont glyphs 1\nkind dbcs\nfont-vector-1 81-81 82-82 83-83 84-84 "
       "85-85\n",
       "3:39: font-vector-1 holds at most 4 ranges"},
      {"vexofont glyphs 1\nkind sbcs\ncode-page 437\nfirst 41\nlast 43\n"
       "width 8\nheight 4\nfont-vector-1 81-81\n\nglyph 41\n",
       "8:1: header field 'font-vector-1' is for DBCS fonts only"},
      {header.substr(0, header.size() - 1) + "glyphs 4\n",
       "8:1: glyphs 4 is more than the 3 codes of the header"},
      {"vexofont glyphs 1\nkind dbcs\ncode-page 932\nfirst 8140\nlast 8141\n"
       "width 16\nheight 9\nfont-vector-1 81-81\nfont-vector-2 40-41\n\n"
       "glyph 8141\n" + std::string(9 * 17, '.') + "\nglyph 8140\n",
       "12:17: row of 153 dots, the width is 16"},
      {"vexofont glyphs 1\nkind sbcs\ncode-page 437\nfirst 0\nlast ffff\n"
       "width 8\nheight 4\n\nglyph 1\n" + rows + std::string("\0\n", 2),
       "14:1: NUL byte in the text"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    TextError error;
    EXPECT_TRUE(Build(c.text, &error).empty());
    EXPECT_EQ(FormatTextError("t.txt", error), std::string("t.txt:") + c.error);
  }
}

TEST(GlyphTextTest, DbcsCodesMustFollowTheFontVectorsOrder) {
  const std::string rows = std::string(16, '.') + "\n";
  std::string rows9;
  for (int i = 0; i < 9; ++i) rows9 += rows;
  const std::string header =
      "vexofont glyphs 1\nkind dbcs\ncode-page 932\nfirst 8140\nlast 82ff\n"
      "width 16\nheight 9\nfont-vector-1 81-82\nfont-vector-2 80-81 40-41\n\n";
  TextError error;
  // The file's order: 8180 8181 8140 8141 8280 8281 8240 8241.
  EXPECT_FALSE(Build(header + "glyph 8180\n" + rows9 + "glyph 8141\n" + rows9 +
                         "glyph 8280\n" + rows9,
                     &error)
                   .empty())
      << error.message;
  EXPECT_TRUE(Build(header + "glyph 8140\n" + rows9 + "glyph 8181\n" + rows9,
                    &error)
                  .empty());
  EXPECT_EQ(error.message,
            "code 8181 after 8140: glyphs go in the file's order (the font "
            "vectors' order)");
  EXPECT_TRUE(Build(header + "glyph 8340\n" + rows9, &error).empty());
  EXPECT_EQ(error.message,
            "DBCS code 8340 is not among the codes the font vectors give up "
            "to last 82ff");
}

TEST(GlyphTextTest, OverlayReplacesTheGlyphsItLists) {
  Bytes file = PatternSbcsFont(0x20, 0x7E, 8, 16);
  const Bytes before = file;
  std::string rows;
  for (int r = 0; r < 16; ++r) rows += r == 0 ? "#......#\n" : "........\n";
  GlyphText text;
  TextError error;
  ASSERT_TRUE(ParseGlyphText("vexofont glyphs 1\nwidth 8\n\nglyph 41\n" + rows +
                                 "glyph 7e\n" + rows,
                             true, &text, &error))
      << error.message;
  ASSERT_TRUE(ApplyGlyphOverlay(text, &file, &error)) << error.message;
  GlyphRows expected(16, 0);
  expected[0] = 0x81000000u;
  Bytes glyph;
  AppendGlyph(&glyph, expected);
  const size_t at41 = kSbcsHeaderSize + (0x41 - 0x20) * 64;
  const size_t at7e = kSbcsHeaderSize + (0x7E - 0x20) * 64;
  EXPECT_EQ(Bytes(file.begin() + at41, file.begin() + at41 + 64), glyph);
  EXPECT_EQ(Bytes(file.begin() + at7e, file.begin() + at7e + 64), glyph);
  // Everything else is as it was.
  for (size_t i = 0; i < file.size(); ++i) {
    if ((i >= at41 && i < at41 + 64) || (i >= at7e && i < at7e + 64)) continue;
    ASSERT_EQ(file[i], before[i]) << i;
  }
}

TEST(GlyphTextTest, OverlayMistakesNameTheLine) {
  std::string rows16;
  for (int r = 0; r < 16; ++r) rows16 += "........\n";
  std::string rows16w12;
  for (int r = 0; r < 16; ++r) rows16w12 += "............\n";
  std::string rows9;
  for (int r = 0; r < 9; ++r) rows9 += "........\n";
  struct Case {
    std::string overlay;
    const char* error;
  };
  const Case kCases[] = {
      {"vexofont glyphs 1\n\nglyph 41\n" + rows9,
       "3:1: glyph 41 has 9 rows, the font's height is 16"},
      {"vexofont glyphs 1\n\nglyph 41\n" + rows16w12,
       "4:1: rows of 12 dots, the font's width is 8"},
      {"vexofont glyphs 1\n\nglyph 7f\n" + rows16,
       "3:7: SBCS code 7f is outside the font's first 20 to last 7e"},
      {"vexofont glyphs 1\n\nglyph 41\n" + rows16 + "glyph 41\n" + rows16,
       "20:7: code 41 twice (first on line 3)"},
      {"vexofont glyphs 1\nheight 9\n\nglyph 41\n" + rows9,
       "2:1: the overlay's height differs from the font's (16)"},
      {"vexofont glyphs 1\nkind dbcs\n", "2:1: the overlay's kind differs from the font's (sbcs)"},
      {"vexofont glyphs 1\ncode-page 850\n",
       "2:1: the overlay's code-page differs from the font's (437)"},
      {"vexofont glyphs 1\n\nglyph 41\n" + rows16 + "glyph 42\n" + rows9,
       "20:1: glyph 42 has 9 rows, the height is 16"},
      // A first glyph without rows: the font's height, not none.
      {"vexofont glyphs 1\n\nglyph 41\n\nglyph 42\n" + rows16,
       "3:1: glyph 41 has 0 rows, the font's height is 16"},
      {"vexofont glyphs 1\n\nglyph 41\n", 
       "3:1: glyph 41 has 0 rows, the font's height is 16"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.overlay);
    Bytes file = PatternSbcsFont(0x20, 0x7E, 8, 16);
    GlyphText text;
    TextError error;
    const bool ok = ParseGlyphText(c.overlay, true, &text, &error) &&
                    ApplyGlyphOverlay(text, &file, &error);
    EXPECT_FALSE(ok);
    EXPECT_EQ(FormatTextError("o.txt", error), std::string("o.txt:") + c.error);
  }
}

TEST(GlyphTextTest, OverlayOfADbcsFontTakesOnlyCodesFromFirstOn) {
  // A DBCS file holds whole lead-byte rows: 8140 to 8142 are blank slots
  // below first 8143 and not the overlay's to fill.
  DbcsVectors vectors;
  vectors.fontVector1 = {{0x81, 0x81}};
  vectors.fontVector2 = {{0x40, 0x45}};
  Bytes file;
  AppendDbcsHeader(&file,
                   {.magic = "", .codePage = 932, .firstChar = 0x8143,
                    .lastChar = 0x8145, .width = 16, .height = 9},
                   vectors);
  for (int i = 0; i < 6; ++i) AppendGlyph(&file, GlyphRows(9, 0));
  std::string rows;
  for (int r = 0; r < 9; ++r) rows += "###############.\n";
  GlyphText text;
  TextError error;
  ASSERT_TRUE(ParseGlyphText("vexofont glyphs 1\n\nglyph 8144\n" + rows, true,
                             &text, &error));
  ASSERT_TRUE(ApplyGlyphOverlay(text, &file, &error)) << error.message;
  EXPECT_EQ(file[kDbcsHeaderSize + 4 * 36], 0xFF);
  EXPECT_EQ(file[kDbcsHeaderSize + 4 * 36 + 1], 0xFE);
  ASSERT_TRUE(ParseGlyphText("vexofont glyphs 1\n\nglyph 8142\n" + rows, true,
                             &text, &error));
  EXPECT_FALSE(ApplyGlyphOverlay(text, &file, &error));
  EXPECT_EQ(error.message,
            "DBCS code 8142 is outside the font's first 8143 to last 8145");
}

TEST(GlyphTextTest, DumpRefusesWhatIsNoInputFontFile) {
  struct Case {
    Bytes file;
    const char* problem;
  };
  const Bytes notFont = {'h', 'e', 'l', 'l', 'o'};
  Bytes shortHeader = SbcsHeader(0x41, 0x41, 8, 16);
  shortHeader.resize(31);
  const Case kCases[] = {
      {notFont, "is not an input font file (no SBCS or DBCS magic)"},
      {shortHeader, "header cut short: 31 of 32 bytes"},
      {SbcsHeader(0x41, 0x41, 3, 16),
       "size 3x16 fits no station (thermal width 8 to 16, height 16 to 32, "
       "at width 16 at most 24; impact width 4 to 16, height 4 to 16)"},
      {SbcsHeader(0x41, 0x41, 8, 0xFFFFFFFF),
       "size 8x4294967295 fits no station (thermal width 8 to 16, height 16 "
       "to 32, at width 16 at most 24; impact width 4 to 16, height 4 to 16)"},
  };
  for (const Case& c : kCases) {
    std::string text, problem;
    EXPECT_FALSE(DumpInputFont(c.file.data(), c.file.size(), nullptr, nullptr,
                               &text, &problem));
    EXPECT_EQ(problem, c.problem);
  }
}

}  // namespace

}  // namespace vexo
