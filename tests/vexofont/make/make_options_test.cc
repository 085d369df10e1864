// The options that choose characters, map codes, combine fonts and steer
// the rendering, each pinned by its effect on known dots.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testkit/bdf_font.h"
#include "fontinput/font_header.h"
#include "make_test_support.h"
#include "vexofont/make/make_command.h"

namespace vexo {

namespace {

constexpr char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

class MakeOptionsTest : public ::testing::Test {
 protected:
  // A Unicode BDF font of 8 x 16 cell glyphs, each its code's pattern.
  std::string Font(const std::string& name, const std::vector<uint32_t>& chars,
                   int salt = 0) {
    BdfFont font;
    for (uint32_t c : chars) {
      font.glyphs.push_back(CellGlyphOf(c, PatternGlyph(c + salt, 8, 16), 8, 4));
    }
    return dir_.WriteText(name, BdfText(font));
  }

  CapturedRun Make(std::vector<std::string> options, const std::string& font) {
    const std::vector<std::string> base = {"--kind", "sbcs", "--station",
                                           "thermal", "--size", "8x16",
                                           "--code-page", "437"};
    options.insert(options.begin(), base.begin(), base.end());
    options.insert(options.end(), {font, dir_.File("out.fnt")});
    return RunMake(options);
  }

  // The glyph of `code` in the 8 x 16 SBCS file made from --first 0x20.
  Picture Glyph(int code, int first = 0x20) const {
    const Bytes file = ReadBytes(dir_.File("out.fnt"));
    GlyphRows rows(16);
    const size_t at = 32 + size_t(code - first) * 64;
    for (int r = 0; r < 16; ++r) rows[15 - r] = uint32_t(file.at(at + 4 * r)) << 24;
    return PictureOf(rows, 8);
  }

  static Picture Pattern(uint32_t c, int salt = 0) {
    return PictureOf(PatternGlyph(c + salt, 8, 16), 8);
  }

  ScratchDir dir_;
  const Picture blank_ = Picture(16, "........");
};

TEST_F(MakeOptionsTest, TextAndCharsSelectTheCodesDrawn) {
  const std::string font = Font("f.bdf", {'A', 'B', 'C', 'D'});
  CapturedRun run = Make({"--first", "0x41", "--last", "0x45", "--text", "CAEX"}, font);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_NE(run.out.find(": 5 glyphs, 3 selected (1 of them missing), 2 blank "
                         "as not selected, 0 clipped\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(Glyph('A', 0x41), Pattern('A'));
  EXPECT_EQ(Glyph('B', 0x41), blank_);
  EXPECT_EQ(Glyph('C', 0x41), Pattern('C'));
  EXPECT_EQ(Glyph('D', 0x41), blank_);
  // A UTF-8 file; its line ends and the characters the code page lacks
  // select nothing.
  const std::string chars = dir_.WriteText("menu.txt", "D\xC3\xA9\n\xE2\x82\xAC B\r\n");
  run = Make({"--first", "0x41", "--last", "0x45", "--chars", chars}, font);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_EQ(Glyph('B', 0x41), Pattern('B'));
  EXPECT_EQ(Glyph('D', 0x41), Pattern('D'));
  EXPECT_EQ(Glyph('A', 0x41), blank_);
  EXPECT_NE(run.out.find("2 selected (0 of them missing), 3 blank as not selected"),
            std::string::npos) << run.out;
  run = Make({"--text", "\xC3("}, font);
  EXPECT_EQ(run.status, kMakeUsage);
  EXPECT_EQ(run.err, "vexofont make: --text is not UTF-8 (byte 0)\n");
}

TEST_F(MakeOptionsTest, FallbackFontsFillWhatTheMainFontLacksInOrder) {
  const std::string main = Font("main.bdf", {'A'});
  const std::string first = Font("first.bdf", {'A', 'B'}, 1000);
  const std::string second = Font("second.bdf", {'B', 'C'}, 2000);
  const CapturedRun run = Make({"--first", "0x41", "--last", "0x44",
                                "--fallback", first, "--fallback", second},
                               main);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_EQ(Glyph('A', 0x41), Pattern('A'));
  EXPECT_EQ(Glyph('B', 0x41), Pattern('B', 1000));
  EXPECT_EQ(Glyph('C', 0x41), Pattern('C', 2000));
  EXPECT_EQ(Glyph('D', 0x41), blank_);
  EXPECT_NE(run.out.find(", 1 blank because missing (0x44), 0 clipped, glyphs from '" +
                         main + "' 1, '" + first + "' 1, '" + second + "' 1\n"),
            std::string::npos)
      << run.out;
  const CapturedRun bad = Make({"--fallback", dir_.File("none.bdf")}, main);
  EXPECT_EQ(bad.status, kMakeSourceFailed);
  EXPECT_EQ(bad.err, "vexofont make: font '" + dir_.File("none.bdf") +
                         "' cannot be opened\n");
}

TEST_F(MakeOptionsTest, MapGivesTheCharactersOfAUserCodePage) {
  const std::string font = Font("f.bdf", {'A', 'B', 0x20AC});
  const std::string map = dir_.WriteText(
      "shop.map", "# the printer's own page 900\n80 U+20AC\n0x81 U+0042  # B\n\n41 u+41\n");
  std::vector<std::string> args = {"--kind", "sbcs", "--station", "thermal",
                                   "--size", "8x16", "--code-page", "900",
                                   "--map", map, "--first", "0x41",
                                   "--last", "0x82", font, dir_.File("out.fnt")};
  const CapturedRun run = RunMake(args);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  const Bytes file = ReadBytes(dir_.File("out.fnt"));
  EXPECT_EQ(file[kHeaderCodePageOffset] | file[kHeaderCodePageOffset + 1] << 8, 900);
  EXPECT_EQ(Glyph(0x41, 0x41), Pattern('A'));
  EXPECT_EQ(Glyph(0x80, 0x41), Pattern(0x20AC));
  EXPECT_EQ(Glyph(0x81, 0x41), Pattern('B'));
  EXPECT_EQ(Glyph(0x82, 0x41), blank_);
  EXPECT_EQ(Glyph(0x42, 0x41), blank_);  // not in the map

  struct Case {
    std::string text;
    std::string error;
  };
  const std::string path = dir_.File("bad.map");
  const Case kCases[] = {
      {"41 U+41\nhello\n", path + ":2: expected CODE U+XXXX (a hexadecimal "
                                  "code and a character), not 'hello'"},
      {"41 0041\n", path + ":1: expected CODE U+XXXX (a hexadecimal code and a "
                           "character), not '41 0041'"},
      {"4g U+41\n", path + ":1: code '4g' is not hexadecimal from 0 to ffff"},
      {"100 U+41\n", path + ":1: code 100 is beyond ff, the last SBCS code"},
      {"41 U+D800\n", path + ":1: 'U+D800' is not a character (U+0000 to "
                             "U+10FFFF, no surrogates)"},
      {"41 U+41\n42 U+42\n41 U+43\n", path + ":3: code 41 twice (first on line 1)"},
      {"# nothing\n", path + ": no CODE U+XXXX line"},
  };
  for (const Case& c : kCases) {
    dir_.WriteText("bad.map", c.text);
    args[9] = path;
    const CapturedRun bad = RunMake(args);
    EXPECT_EQ(bad.status, kMakeSourceFailed) << c.text;
    EXPECT_EQ(bad.err, c.error + "\n");
  }
}

TEST_F(MakeOptionsTest, DbcsMapMakesTheVectorsOfItsCodes) {
  BdfFont bdf;
  bdf.boxWidth = 16;
  for (uint32_t c : {0x4E00u, 0x4E01u, 0x4E03u}) {
    bdf.glyphs.push_back(CellGlyphOf(c, PatternGlyph(c, 16, 16), 16, 4));
  }
  const std::string font = dir_.WriteText("cjk.bdf", BdfText(bdf));
  const std::string map =
      dir_.WriteText("cjk.map", "a140 U+4E00\na141 U+4E01\nb150 U+4E03\n");
  const CapturedRun run = RunMake({"--kind", "dbcs", "--station", "impact",
                                   "--size", "16x16", "--code-page", "60000",
                                   "--map", map, font, dir_.File("out.fnt")});
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  const Bytes file = ReadBytes(dir_.File("out.fnt"));
  ASSERT_GE(file.size(), size_t{kDbcsHeaderSize});
  const Bytes leads(file.begin() + kCodePageVector1Offset,
                    file.begin() + kCodePageVector1Offset + 8);
  const Bytes trails(file.begin() + kCodePageVector2Offset,
                     file.begin() + kCodePageVector2Offset + 8);
  EXPECT_EQ(leads, (Bytes{0xA1, 0xA1, 0xB1, 0xB1, 0, 0, 0, 0}));
  EXPECT_EQ(trails, (Bytes{0x40, 0x41, 0x50, 0x50, 0, 0, 0, 0}));
  // Codes a140 a141 a150 b140 b141 b150: three drawn, three blank.
  EXPECT_EQ(file.size(), size_t{kDbcsHeaderSize} + 6 * 64);
  EXPECT_NE(run.out.find("6 glyphs, 3 blank because missing"), std::string::npos)
      << run.out;
}

TEST_F(MakeOptionsTest, OffsetAndBaselineMoveEveryGlyph) {
  BdfGlyph dot;  // one dot, standing on the baseline at the left edge
  dot.encoding = 'A';
  dot.picture = {"#......."};
  dot.advance = 8;
  BdfFont bdf;
  bdf.glyphs = {dot};
  const std::string font = dir_.WriteText("dot.bdf", BdfText(bdf));
  // Ascent 12, descent 4: the line fills the 16 rows, the baseline lies
  // after row 11, so the dot is on row 11.
  struct Case {
    std::vector<std::string> options;
    int row, column;
  };
  const Case kCases[] = {
      {{}, 11, 0},
      {{"--offset", "3,2"}, 13, 3},
      {{"--offset=-0,-5"}, 6, 0},
      {{"--baseline", "4"}, 3, 0},
      {{"--baseline", "4", "--offset", "1,1"}, 4, 1},
  };
  for (const Case& c : kCases) {
    std::vector<std::string> options = {"--first", "0x41", "--last", "0x41"};
    options.insert(options.end(), c.options.begin(), c.options.end());
    const CapturedRun run = Make(options, font);
    ASSERT_EQ(run.status, kMakeOk) << run.err;
    Picture expected = blank_;
    expected[c.row][c.column] = '#';
    EXPECT_EQ(Glyph('A', 0x41), expected) << testing::PrintToString(c.options);
  }
}

TEST_F(MakeOptionsTest, BadRenderingOptionsGiveOneLine) {
  const std::string font = Font("f.bdf", {'A'});
  struct Case {
    std::vector<std::string> options;
    const char* error;
  };
  const Case kCases[] = {
      {{"--render", "grey"}, "--render 'grey' is neither mono nor gray:N (N from 1 to 255)"},
      {{"--render", "gray:0"}, "--render 'gray:0' is neither mono nor gray:N (N from 1 to 255)"},
      {{"--hinting", "strong"}, "--hinting 'strong' is not none, light or full"},
      {{"--pixel-size", "0"}, "--pixel-size '0' is not a number of pixels from 1 to 64 (four times the cell's larger side)"},
      {{"--pixel-size", "65"}, "--pixel-size '65' is not a number of pixels from 1 to 64 (four times the cell's larger side)"},
      {{"--pixel-size", "1000"}, "--pixel-size '1000' is not a number of pixels from 1 to 64 (four times the cell's larger side)"},
      {{"--offset", "3"}, "--offset '3' is not X,Y (dots right and down, -1000 to 1000)"},
      {{"--baseline", "17"}, "--baseline '17' is not a row from 0 to 16 (the rows above the baseline)"},
      {{"--cell-fill", "yes"}, "--cell-fill 'yes' is neither drawn nor font"},
  };
  for (const Case& c : kCases) {
    const CapturedRun run = Make(c.options, font);
    EXPECT_EQ(run.status, kMakeUsage);
    EXPECT_EQ(run.err, std::string("vexofont make: ") + c.error + "\n");
  }
  // A bitmap font takes --pixel-size as the height of one of its strikes.
  const CapturedRun strike = Make({"--pixel-size", "12"}, font);
  EXPECT_EQ(strike.status, kMakeSourceFailed);
  EXPECT_EQ(strike.err, "vexofont make: font '" + font +
                            "' has no outlines and no bitmap strike 12 pixels "
                            "high (strikes: 16)\n");
}

TEST_F(MakeOptionsTest, BoxDrawingIsDrawnEdgeToEdgeUnlessAskedForTheFont) {
  const std::string font = Font("f.bdf", {0x2500, 0x2502});
  CapturedRun run = Make({"--first", "0xb3", "--last", "0xc4"}, font);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_NE(run.out.find(", 18 box drawing and block glyphs drawn edge to edge"),
            std::string::npos)
      << run.out;
  Picture line = blank_;
  line[8] = "########";
  EXPECT_EQ(Glyph(0xC4, 0xB3), line);  // 437's c4 is U+2500
  for (const std::string& row : Glyph(0xB3, 0xB3)) EXPECT_EQ(row, "....#...");
  run = Make({"--first", "0xb3", "--last", "0xc4", "--cell-fill", "font"}, font);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_EQ(Glyph(0xC4, 0xB3), Pattern(0x2500));
  EXPECT_EQ(Glyph(0xB4, 0xB3), blank_);  // U+2524: the font lacks it
}

// Impact sizes the station prints only in part are warned of; sizes it
// does not print as drawn are refused, naming sizes near them, unless
// --force-size asks for them.
TEST_F(MakeOptionsTest, ImpactSizesThePrinterCutsAreWarnedOfOrRefused) {
  const std::string font = Font("f.bdf", {'A'});
  struct Case {
    const char* size;
    bool force;
    int status;
    const char* err;
  };
  const char kSixWide[] =
      "the impact station prints none of the dots of SBCS glyphs 6 dots wide "
      "(it takes whole bytes of 8 dot columns): make them 8 or 16 wide";
  const Case kCases[] = {
      {"6x9", false, kMakeUsage, ""},
      {"6x9", true, kMakeOk, ""},
      // Drawn on the 8 columns printed: nothing lost, nothing to say.
      {"12x16", false, kMakeOk, ""},
      {"8x16", false, kMakeUsage,
       "vexofont make: the impact station gets 8x16 glyphs with dot columns "
       "5 to 7 cut off (their column data takes 24 bytes, a glyph record "
       "keeps 16); sizes near it that print as drawn: 8x15 or 16x16 "
       "(--force-size makes it all the same)\n"},
      {"16x10", false, kMakeUsage,
       "vexofont make: the impact station gets 16x10 glyphs scrambled: each "
       "dot column takes 2 bytes but the next starts 1 on, so neighbouring "
       "columns' dots land in the same bits; sizes near it that print as "
       "drawn: 16x9 or 8x10 (--force-size makes it all the same)\n"},
      {"16x10", true, kMakeOk,
       "vexofont make: warning: the impact station gets 16x10 glyphs "
       "scrambled: each dot column takes 2 bytes but the next starts 1 on, "
       "so neighbouring columns' dots land in the same bits\n"},
      {"8x9", false, kMakeOk, ""},
      {"16x8", false, kMakeOk, ""},
      {"16x16", false, kMakeOk, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.size);
    const std::string out = dir_.File(std::string("out") + c.size + ".fnt");
    std::vector<std::string> args = {"--kind", "sbcs", "--station", "impact",
                                     "--size", c.size, "--code-page", "437",
                                     font, out};
    if (c.force) args.insert(args.begin(), "--force-size");
    const CapturedRun run = RunMake(args);
    EXPECT_EQ(run.status, c.status);
    if (std::string(c.size) == "6x9") {
      // Refused or made, the line names what the printer gets.
      EXPECT_NE(run.err.find(kSixWide), std::string::npos) << run.err;
      EXPECT_EQ(run.err.find("sizes near it") != std::string::npos, !c.force);
    } else {
      EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(std::filesystem::exists(out), c.status == kMakeOk);
  }
}

// DBCS fonts from outlines: the em square fills the cell and the light
// auto-hinter's grey rendering draws them; SBCS fonts keep the line fit
// and the monochrome rasteriser; every option still wins.
TEST_F(MakeOptionsTest, DbcsOutlineDefaultsFillTheCell) {
  if (!std::filesystem::exists(kDejaVu)) GTEST_SKIP() << kDejaVu << " missing";
  struct Case {
    std::vector<std::string> args;
    const char* rendering;
  };
  const std::vector<std::string> dbcs = {"--kind", "dbcs", "--station",
                                         "thermal", "--size", "24x24",
                                         "--code-page", "936", "--text", "A"};
  const std::vector<std::string> sbcs = {"--kind", "sbcs", "--station",
                                         "thermal", "--size", "12x24",
                                         "--code-page", "437", "--text", "A"};
  auto with = [](std::vector<std::string> a, std::vector<std::string> more) {
    a.insert(a.end(), more.begin(), more.end());
    return a;
  };
  const Case kCases[] = {
      {dbcs, "(DBCS thermal 24x24, code page 936, 0x8140 to 0xfefe, outline "
             "at 24 pixels, em fills the cell)"},
      {with(dbcs, {"--fit", "line"}), "outline at 20 pixels)"},
      {with(dbcs, {"--pixel-size", "22"}), "outline at 22 pixels)"},
      {sbcs, "outline at 20 pixels)"},
      {with(sbcs, {"--fit", "em"}), "outline at 24 pixels, em fills the cell)"},
  };
  for (const Case& c : kCases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {kDejaVu, dir_.File("o.fnt")});
    const CapturedRun run = RunMake(args);
    ASSERT_EQ(run.status, kMakeOk) << run.err;
    EXPECT_NE(run.out.find(c.rendering), std::string::npos) << run.out;
  }
  const CapturedRun bad = RunMake(with(dbcs, {"--fit", "cell", kDejaVu, dir_.File("o.fnt")}));
  EXPECT_EQ(bad.status, kMakeUsage);
  EXPECT_EQ(bad.err, "vexofont make: --fit 'cell' is not line, em or cap\n");
}

// Nine-row DBCS impact glyphs are drawn on 16 rows and reduced, from a
// bitmap font's 16-row strike as from outlines, and the summary says so.
TEST_F(MakeOptionsTest, NineRowGlyphsAreReducedNotCut) {
  BdfFont font;
  font.boxWidth = 16;
  // 三: three bars, at rows 2, 8 and 14 of 16; cutting to 9 rows keeps two.
  GlyphRows three(16, 0);
  for (int r : {2, 8, 14}) three[r] = 0x7FFE0000u;
  font.glyphs.push_back(CellGlyphOf(0x4E09, three, 16, 4));
  const std::string path = dir_.WriteText("three.bdf", BdfText(font));
  const CapturedRun run = RunMake({"--kind", "dbcs", "--station", "impact",
                                   "--size", "16x9", "--code-page", "936",
                                   "--text", "\xE4\xB8\x89", path,
                                   dir_.File("o.fnt")});
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_NE(run.out.find("strike 16x16, drawn on 16 rows and reduced to 9): "),
            std::string::npos)
      << run.out;
  // The glyph of 0xc8fd in the file: three bars still.
  const Bytes file = ReadBytes(dir_.File("o.fnt"));
  int bars = 0;
  bool found = false;
  for (size_t at = 64; at + 36 <= file.size(); at += 36) {
    int here = 0;
    for (int r = 0; r < 9; ++r) {
      const uint32_t row = uint32_t(file[at + 4 * r]) << 24 |
                           uint32_t(file[at + 4 * r + 1]) << 16;
      here += row == 0x7FFE0000u;
    }
    if (here > 0) {
      bars = here;
      found = true;
    }
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(bars, 3);
}

// A glyph text names no station: a size only the impact station takes is
// held to the same rule; one the thermal station takes too is not.
TEST_F(MakeOptionsTest, GlyphTextOfAnImpactOnlySizeFollowsTheRule) {
  auto text = [this](int width, int height) {
    std::string t = "vexofont glyphs 1\nkind sbcs\nversion 1\ncode-page 437\n"
                    "first 41\nlast 41\nwidth " + std::to_string(width) +
                    "\nheight " + std::to_string(height) + "\n\nglyph 41\n";
    for (int r = 0; r < height; ++r) t += std::string(width, '#') + "\n";
    return dir_.WriteText("g.txt", t);
  };
  const std::string out = dir_.File("g.fnt");
  CapturedRun run = RunMake({text(16, 12), out});
  EXPECT_EQ(run.status, kMakeUsage);
  EXPECT_NE(run.err.find("the impact station gets 16x12 glyphs scrambled"),
            std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(out));
  run = RunMake({"--force-size", text(16, 12), out});
  EXPECT_EQ(run.status, kMakeOk) << run.err;
  run = RunMake({text(8, 16), dir_.File("h.fnt")});  // also a thermal size
  EXPECT_EQ(run.status, kMakeOk) << run.err;
}

// A font of every GBK hanzi fills more than the converter's table; the
// characters of a menu do not.
TEST_F(MakeOptionsTest, TableLimitIsWarnedOfAndSelectionStaysUnderIt) {
  BdfFont bdf;
  bdf.boxWidth = 16;
  GlyphRows square(16, 0xFFFF0000u);
  for (uint32_t c = 0x4E00; c <= 0x9FA5; ++c) {
    bdf.glyphs.push_back(CellGlyphOf(c, square, 16, 4));
  }
  const std::string font = dir_.WriteText("hanzi.bdf", BdfText(bdf));
  // The font's own box drawing, which it lacks: only the hanzi count.
  std::vector<std::string> args = {"--kind", "dbcs", "--station", "impact",
                                   "--size", "16x16", "--code-page", "936",
                                   "--cell-fill", "font", font,
                                   dir_.File("out.fnt")};
  // By default the rarest ideographs outside GB 2312 are left blank to
  // leave room; --all-codes draws them all and is warned of.
  CapturedRun run = RunMake(args);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find(" 1158 blank to leave the converter's table room (0x"),
            std::string::npos) << run.out;
  args.insert(args.begin(), "--all-codes");
  run = RunMake(args);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_EQ(run.err.rfind("vexofont make: warning: 20902 glyphs are not blank, "
                          "more than the 20000 records the converter's glyph "
                          "table holds for all files together: 902 codes from "
                          "0x",
                          0),
            0u)
      << run.err;
  // 一 (U+4E00), 丁 (U+4E01) and 面 (U+9762).
  args.insert(args.begin(), {"--text", "\xE4\xB8\x80\xE4\xB8\x81\xE9\x9D\xA2"});
  run = RunMake(args);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find(" 3 selected (0 of them missing), "), std::string::npos)
      << run.out;
}

// The outline font every machine here has; skipped where it is missing.
TEST_F(MakeOptionsTest, OutlineRenderingOptionsChangeTheDots) {
  if (!std::filesystem::exists(kDejaVu)) GTEST_SKIP() << kDejaVu << " missing";
  auto make = [&](std::vector<std::string> options) {
    std::vector<std::string> args = {"--kind", "sbcs", "--station", "impact",
                                     "--size", "8x9", "--code-page", "437",
                                     "--first", "0x41", "--last", "0x41"};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {kDejaVu, dir_.File("out.fnt")});
    const CapturedRun run = RunMake(args);
    EXPECT_EQ(run.status, kMakeOk) << run.err;
    const Bytes file = ReadBytes(dir_.File("out.fnt"));
    return Bytes(file.begin() + 32, file.end());
  };
  auto dots = [](const Bytes& glyph) {
    int n = 0;
    for (uint8_t b : glyph) n += __builtin_popcount(b);
    return n;
  };
  const Bytes automatic = make({});
  const Bytes larger = make({"--pixel-size", "11"});
  EXPECT_GT(dots(larger), dots(automatic));
  const Bytes mono = make({"--pixel-size", "11", "--render", "mono"});
  EXPECT_EQ(mono, larger);  // mono is the default
  const Bytes lightGray = make({"--pixel-size", "11", "--render", "gray:200"});
  const Bytes darkGray = make({"--pixel-size", "11", "--render", "gray:30"});
  EXPECT_GT(dots(darkGray), dots(lightGray));
  EXPECT_NE(make({"--pixel-size", "11", "--hinting", "none"}), larger);
  // --fit cap: the capital takes the top 7 rows, 2 are left for descenders
  // (rows are stored bottom row first, 4 bytes each).
  const Bytes cap = make({"--fit", "cap"});
  ASSERT_EQ(cap.size(), 36u);
  auto row = [&cap](int top) { return cap[(8 - top) * 4]; };
  EXPECT_NE(row(0), 0);
  EXPECT_NE(row(6), 0);
  EXPECT_EQ(row(7), 0);
  EXPECT_EQ(row(8), 0);
  EXPECT_EQ(cap, automatic);  // the default for impact cells up to 12 rows
  EXPECT_NE(make({"--fit", "line"}), automatic);
}

}  // namespace

}  // namespace vexo
