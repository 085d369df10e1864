#include "vexofont/show/show_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

#include "fontinput/glyph_size.h"
#include "show_test_support.h"
#include "vexofont/show/contact_sheet.h"

namespace vexo {

namespace {

class ShowCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One 8 x 16 glyph, every dot set; the impact station stores 16 of the
    // 24 bytes the conversion makes of it.
    ASSERT_TRUE(WriteBytes(font_, SbcsFont(0x41, 8, 16,
                                           {GlyphRows(16, 0xFF000000u)})));
    Bytes unsound = SbcsFont(0x41, 8, 16, {GlyphRows(16, 0xFF000000u)});
    unsound.push_back(0);
    ASSERT_TRUE(WriteBytes(unsound_, unsound));
    ASSERT_TRUE(WriteBytes(neither_, Bytes(40, 0x55)));
  }

  ScratchDir dir_;
  std::string font_ = dir_.File("a.fnt");
  std::string unsound_ = dir_.File("unsound.fnt");
  std::string neither_ = dir_.File("neither.bin");
};

struct StatusCase {
  const char* name;
  std::vector<std::string> args;  // "@" stands for the sound font
  int status;
};

TEST_F(ShowCommandTest, ExitStatuses) {
  const StatusCase cases[] = {
      {"no file", {}, 1},
      {"help", {"--help"}, 0},
      {"version", {"--version"}, 0},
      {"sound file", {"@"}, 0},
      {"sound file, codes and sheet", {"@", "--code", "41", "--code=0-ff",
                                       "--png", dir_.File("s.png")}, 0},
      {"bad code", {"@", "--code", "zz"}, 1},
      {"code without value", {"@", "--code"}, 1},
      {"unknown option", {"@", "--bogus"}, 1},
      {"two files", {"@", "@"}, 1},
      {"unsound file", {unsound_}, 3},
      {"neither kind of font file", {neither_}, 3},
      {"missing file", {dir_.File("missing.fnt")}, 4},
      {"a folder", {dir_.path()}, 4},
      {"sheet cannot be written", {"@", "--png", dir_.File("no/s.png")}, 4},
  };
  for (const StatusCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = c.args;
    for (std::string& arg : args) {
      if (arg == "@") arg = font_;
    }
    EXPECT_EQ(RunShow(args).status, c.status);
  }
}

// The limits the help names are the ones the code keeps.
TEST_F(ShowCommandTest, HelpNamesTheSheetLimits) {
  const std::string help = RunShow({"--help"}).out;
  for (const std::string& text :
       {"taller than " + std::to_string(kMaxSheetPageHeight) + " pixel rows",
        "at most " + std::to_string(kMaxSheetPages) + " pages"}) {
    EXPECT_NE(help.find(text), std::string::npos) << text;
  }
}

TEST_F(ShowCommandTest, HelpListsTheExitStatuses) {
  const CapturedRun run = RunShow({"--help"});
  EXPECT_EQ(run.out.rfind("usage: vexofont show FILE", 0), 0u);
  for (const char* line :
       {"  0  the file is sound\n", "  1  usage error\n",
        "  3  the file is unsound (its problems are printed)\n",
        "  4  the file cannot be read, or the PNG file or standard output cannot\n"
        "     be written\n"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  }
}

TEST_F(ShowCommandTest, MessagesForFilesThatCannotBeShown) {
  const std::string missing = dir_.File("missing.fnt");
  EXPECT_EQ(RunShow({missing}).err,
            "Could not open file '" + missing + "' for reading\n");
  EXPECT_EQ(RunShow({neither_}).err,
            "'" + neither_ +
                "' offset 0: neither an output font file (no TagStart "
                "record) nor an input font file (no SBCS or DBCS magic)\n");
  const std::string png = dir_.File("no/s.png");
  EXPECT_EQ(RunShow({font_, "--png", png}).err,
            "Could not write PNG file '" + png +
                "': No such file or directory\n");
}

// An endless device is read only as far as the largest sound file and a
// margin, and reported where the reading stopped.
TEST_F(ShowCommandTest, EndlessInputIsReadToABoundAndReported) {
  const CapturedRun run = RunShow({"/dev/zero"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err,
            "'/dev/zero' offset 0: neither an output font file (no TagStart "
            "record) nor an input font file (no SBCS or DBCS magic)\n"
            "'/dev/zero' offset 8454176: the file goes on past 8454176 bytes, "
            "more than any sound font file holds; read no further\n");
}

// A device named as the sheet gets the PNG bytes and stays a device.
TEST_F(ShowCommandTest, SheetToADeviceLeavesTheDevice) {
#ifdef _WIN32
  const std::string device = "NUL";
#else
  const std::string device = "/dev/null";
#endif
  const CapturedRun run = RunShow({font_, "--png", device});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
#ifndef _WIN32
  EXPECT_TRUE(std::filesystem::is_character_file(device));
#endif
}

TEST_F(ShowCommandTest, SheetOverTheFileShownIsRefused) {
  const Bytes before = ReadBytes(font_);
  const CapturedRun run = RunShow({font_, "--png", font_});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err,
            "Could not write PNG file '" + font_ + "': it is the file shown\n");
  EXPECT_EQ(ReadBytes(font_), before);
}

TEST_F(ShowCommandTest, CodePrintsThermalAndImpactSideBySide) {
  const CapturedRun run = RunShow({font_, "--code", "41"});
  EXPECT_EQ(run.status, 0);
  const size_t at = run.out.find("41  SBCS");
  ASSERT_NE(at, std::string::npos);
  // The impact station gets five whole columns and the bottom half of the
  // sixth: the record keeps 16 of the 24 column bytes.
  std::string expected =
      "41  SBCS, at offset 32\n"
      "thermal 8 x 16    impact 8 x 16\n";
  for (int y = 0; y < 16; ++y) {
    expected += y < 8 ? "########          #####...\n"
                      : "########          ######..\n";
  }
  expected += "\n";
  EXPECT_EQ(run.out.substr(at), expected);
}

// --text picks glyphs by character, in the text's order; what it cannot
// show is named on standard error.
TEST_F(ShowCommandTest, TextChoosesGlyphsByCharacter) {
  const std::string font =
      std::string(VEXO_SOURCE_DIR) + "/examples/sbcs_thermal_12x24.fnt";
  struct Case {
    std::vector<std::string> args;
    int status;
    std::vector<std::string> codes;  // the glyph headings, in order
    const char* err;
  };
  const Case kCases[] = {
      // Code page 932's single-byte half: the yen sign at 5c, katakana.
      {{"--text", "A\xC2\xA5\xEF\xBD\xB1" "A"}, 0, {"41", "5c", "b1"}, ""},
      {{"--text", "\xE2\x82\xAC"}, 0, {},
       "vexofont show: warning: U+20AC '\xE2\x82\xAC' is not in code page "
       "932\n"},
      // Another code page's characters, the file's codes.
      {{"--text", "\xC3\x87", "--code-page", "437"}, 0, {"80"}, ""},
      {{"--text", "\xE3\x81\x82"}, 0, {},
       "vexofont show: warning: U+3042 '\xE3\x81\x82' is code 82a0, which "
       "the file has no glyph for\n"},
      {{"--code-page", "437"}, 1, {}, nullptr},
      {{"--text", "\xC3("}, 1, {}, nullptr},
      {{"--text", "A", "--code-page", "951"}, 1, {}, nullptr},
  };
  for (const Case& c : kCases) {
    std::vector<std::string> args = {font};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(args[1]);
    const CapturedRun run = RunShow(args);
    EXPECT_EQ(run.status, c.status) << run.err;
    if (c.err != nullptr) {
      EXPECT_EQ(run.err, c.err);
    }
    std::vector<std::string> headings;
    for (size_t at = 0; (at = run.out.find("  SBCS, at offset", at)) != std::string::npos; ++at) {
      const size_t line = run.out.rfind('\n', at) + 1;
      headings.push_back(run.out.substr(line, at - line));
    }
    EXPECT_EQ(headings, c.codes);
  }
}

// An impact font of a size the station does not print as drawn is a
// warning, not a fault of the file.
TEST_F(ShowCommandTest, ImpactSizeNotPrintedAsDrawnIsWarnedOf) {
  const std::string impact = dir_.File("i.fnt");
  ASSERT_TRUE(WriteBytes(impact, SbcsFont(0x41, 16, 12, {GlyphRows(12, 0)})));
  const CapturedRun run = RunShow({impact});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "'" + impact + "': warning: the impact station gets 16x12 "
            "glyphs scrambled: each dot column takes 2 bytes but the next "
            "starts 1 on, so neighbouring columns' dots land in the same bits\n");
}

TEST_F(ShowCommandTest, CodeWithoutGlyphSaysSo) {
  const CapturedRun run = RunShow({font_, "--code", "50-5f"});
  EXPECT_EQ(run.status, 0);
  const std::string tail = "No glyph with a code from 50 to 5f\n\n";
  ASSERT_GE(run.out.size(), tail.size());
  EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
}

}  // namespace

namespace {

// The converter's table full: show warns of it, and with the run's
// configuration names the codes it dropped.
TEST(ShowConfigTest, FullTableIsWarnedOfAndConfigNamesTheCodesDropped) {
  ScratchDir dir;
  int codes = 0;
  const Bytes a = PatternDbcsFont({{0x81, 0x9F}, {0xE0, 0xFC}}, 0xFCFC, 24, 24,
                                  &codes);
  const Bytes b = PatternDbcsFont({{0xA0, 0xDF}}, 0xDFFC, 16, 16, &codes);
  ConvertFonts(dir, {{"DbcsThermalFile", a}, {"DbcsImpactFile", b}});
  const std::string out = dir.File("out.fnt");
  CapturedRun run = RunShow({out});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "'" + out + "': warning: the glyph table is full (20000 "
                     "records): the converter dropped every further code of "
                     "its input fonts (vexofont show --config CONFIG names "
                     "them)\n");
  const std::string config = dir.File("run.cfg");
  run = RunShow({out, "--config", config});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Input fonts of '" + config + "':\n  '" +
                         dir.File("font0.fnt") +
                         "' (DbcsThermalFile): 11280 codes, all in the file\n  '" +
                         dir.File("font1.fnt") +
                         "' (DbcsImpactFile): 12032 codes, 3312 not in the "
                         "file: ce89-cefc cf40-cf7e cf80-cffc d040-"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.err.find("'" + out + "': warning: 3312 codes of the input "
                         "fonts of '" + config + "' are not in the file\n"),
            std::string::npos)
      << run.err;
  // --config is for output files.
  run = RunShow({dir.File("font0.fnt"), "--config", config});
  EXPECT_EQ(run.status, 1);
}

// An earlier SBCS font's glyphs that a later font's blank ones replace.
TEST(ShowConfigTest, GlyphsBlankedByALaterFontAreNamed) {
  ScratchDir dir;
  Bytes latin = PatternSbcsFont(0x20, 0xDF, 12, 24);
  std::fill(latin.begin() + 32 + (0xA1 - 0x20) * FileGlyphSize(24), latin.end(), 0);
  ConvertFonts(dir, {{"SbcsThermalFile", PatternSbcsFont(0x20, 0xDF, 12, 24)},
                     {"SbcsThermalFile", latin}});
  const CapturedRun run =
      RunShow({dir.File("out.fnt"), "--config", dir.File("run.cfg")});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("  '" + dir.File("font0.fnt") + "' (SbcsThermalFile): 63 "
                         "of its codes print blank: the later '" +
                         dir.File("font1.fnt") + "' has blank glyphs for them, "
                         "which the converter stores: a1-df\n"),
            std::string::npos)
      << run.out;
}

// --png with --code draws the chosen codes only.
TEST(ShowConfigTest, SheetOfTheChosenCodesOnly) {
  ScratchDir dir;
  const std::string font = dir.File("f.fnt");
  ASSERT_TRUE(WriteBytes(font, PatternSbcsFont(0x20, 0x7E, 8, 16)));
  auto pngSize = [](const std::string& path) {
    const Bytes png = ReadBytes(path);
    EXPECT_GE(png.size(), 24u);
    return std::pair<int, int>(png[16] << 24 | png[17] << 16 | png[18] << 8 | png[19],
                               png[20] << 24 | png[21] << 16 | png[22] << 8 | png[23]);
  };
  ASSERT_EQ(RunShow({font, "--png", dir.File("all.png")}).status, 0);
  ASSERT_EQ(RunShow({font, "--code", "41-43", "--png", dir.File("abc.png")}).status, 0);
  const auto all = pngSize(dir.File("all.png"));
  const auto abc = pngSize(dir.File("abc.png"));
  EXPECT_EQ(abc.first, all.first);  // the grid keeps its 16 columns
  EXPECT_LT(abc.second, all.second / 3);
}

}  // namespace

}  // namespace vexo
