#include "vexofont/make/make_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "testkit/bdf_font.h"
#include "make_test_support.h"
#include "vexofont/fontservice/system_fonts.h"

namespace vexo {

namespace {

struct UsageCase {
  std::vector<std::string> args;
  const char* error;
};

TEST(MakeCommandTest, BadArgumentsGiveOneLineAndStatusOne) {
  const std::vector<std::string> sbcs = {"--kind", "sbcs", "--station",
                                         "thermal", "--size", "12x24"};
  auto with = [&sbcs](std::vector<std::string> more) {
    std::vector<std::string> args = sbcs;
    args.insert(args.end(), more.begin(), more.end());
    return args;
  };
  const UsageCase cases[] = {
      {{}, "--kind is missing (sbcs or dbcs)"},
      {{"--kind", "xbcs"}, "unknown kind 'xbcs' (sbcs or dbcs)"},
      {{"--kind", "sbcs"}, "--station is missing (thermal or impact)"},
      {{"--kind=dbcs", "--station=paper"},
       "unknown station 'paper' (thermal or impact)"},
      {{"--kind", "sbcs", "--station", "impact"}, "--size is missing (WxH)"},
      {{"--kind", "sbcs", "--station", "impact", "--size", "8by9"},
       "size '8by9' is not WxH"},
      {{"--kind", "sbcs", "--station", "thermal", "--size", "16x25"},
       "the converter does not take SBCS thermal fonts of 16x25 (width 8 to "
       "16, height 16 to 32, at width 16 at most 24)"},
      {{"--kind", "sbcs", "--station", "impact", "--size", "3x9"},
       "the converter does not take SBCS impact fonts of 3x9 (width 4 to 16, "
       "height 4 to 16)"},
      {{"--kind", "sbcs", "--station", "impact", "--size", "0x0"},
       "the converter does not take SBCS impact fonts of 0x0 (width 4 to 16, "
       "height 4 to 16)"},
      {{"--kind", "sbcs", "--station", "thermal", "--size", "99999999x2"},
       "the converter does not take SBCS thermal fonts of 99999999x2 (width "
       "8 to 16, height 16 to 32, at width 16 at most 24)"},
      {{"--kind", "sbcs", "--first="}, "option '--first' needs a value"},
      {{"--kind", "sbcs", "--size"}, "option '--size' needs a value"},
      {{"--kind", "dbcs", "--station", "thermal", "--size", "16x16"},
       "the converter does not take DBCS thermal fonts of 16x16 (24x24 only)"},
      {{"--kind", "dbcs", "--station", "impact", "--size", "16x12"},
       "the converter does not take DBCS impact fonts of 16x12 (16x16 or "
       "16x9)"},
      {with({}), "--code-page is missing"},
      {with({"--code-page", "951"}),
       "unknown code page '951' for SBCS fonts (437, 850, 852, 858, 866, "
       "1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 932, 936, 949, "
       "950, 8859-1 to 8859-16 except 8859-12)"},
      {{"--kind", "dbcs", "--station", "impact", "--size", "16x9",
        "--code-page", "437"},
       "unknown code page '437' for DBCS fonts (932, 936, 949, 950)"},
      {with({"--code-page", "437", "--first", "0xZZ"}),
       "--first '0xZZ' is not a code (hexadecimal, 0x optional, at "
       "most ffff)"},
      {with({"--code-page", "437", "--last", "10000"}),
       "--last '10000' is not a code (hexadecimal, 0x optional, at "
       "most ffff)"},
      {with({"--code-page", "437", "--last", "0x100"}),
       "--last 0x100 is beyond 0xff, the last SBCS code"},
      {with({"--code-page", "437", "--first", "80", "--last", "0x7f"}),
       "--first 0x80 is above --last 0x7f"},
      {{"--kind", "dbcs", "--station", "thermal", "--size", "24x24",
        "--code-page", "932", "--first", "0xa000", "--last", "0xdfff"},
       "code page 932 has no code from 0xa000 to 0xdfff"},
      {with({"--code-page", "437", "--colour", "red"}),
       "unknown option '--colour' (see vexofont make --help)"},
      {with({"--code-page"}), "option '--code-page' needs a value"},
      {with({"--code-page", "437", "font.bdf"}),
       "expected a source font and an output file (see vexofont make --help)"},
      {with({"--code-page", "437", "a.bdf", "b.fnt", "c.fnt"}),
       "expected a source font and an output file (see vexofont make --help)"},
      {with({"--code-page", "437", "a.bdf", "b.fnt", "-o", "c.fnt"}),
       "expected a source font and an output file (see vexofont make --help)"},
  };
  for (const UsageCase& c : cases) {
    const CapturedRun run = RunMake(c.args);
    std::string joined;
    for (const std::string& arg : c.args) joined += arg + " ";
    EXPECT_EQ(run.status, kMakeUsage) << joined;
    EXPECT_EQ(run.err, std::string("vexofont make: ") + c.error + "\n")
        << joined;
    EXPECT_EQ(run.out, "") << joined;
  }
}

TEST(MakeCommandTest, HelpAndVersionGoToStandardOutput) {
  const CapturedRun help = RunMake({"--help"});
  EXPECT_EQ(help.status, kMakeOk);
  EXPECT_EQ(help.out.rfind("usage: vexofont make --kind sbcs|dbcs", 0), 0u);
  EXPECT_NE(help.out.find("Exit status: 0 written, 1 bad arguments"),
            std::string::npos);
  EXPECT_EQ(help.err, "");
  const CapturedRun version = RunMake({"--version"});
  EXPECT_EQ(version.status, kMakeOk);
  EXPECT_EQ(version.out, "vexofont make 1.0.0\n");
}

class MakeRunTest : public ::testing::Test {
 protected:
  // A Unicode BDF font, 8 x 16, ascent 12, with `glyphs`.
  std::string WriteFont(const std::vector<BdfGlyph>& glyphs,
                        const std::string& name = "font.bdf") {
    BdfFont font;
    font.glyphs = glyphs;
    return dir_.WriteText(name, BdfText(font));
  }

  std::vector<std::string> SbcsThermal(const std::string& codePage,
                                       const std::string& first,
                                       const std::string& last) {
    return {"--kind", "sbcs", "--station", "thermal", "--size", "8x16",
            "--code-page", codePage, "--first", first, "--last", last};
  }

  // The glyph of `index` in an 8 x 16 SBCS file, as a picture.
  static Picture SbcsGlyph(const Bytes& file, int index) {
    GlyphRows rows(16);
    for (int r = 0; r < 16; ++r) {
      rows[15 - r] = uint32_t(file.at(32 + index * 64 + 4 * r)) << 24;
    }
    return PictureOf(rows, 8);
  }

  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ScratchDir dir_;
};

TEST_F(MakeRunTest, SummaryCountsGlyphsMissingAndClipped) {
  BdfGlyph tall;  // 17 rows, one more than the line
  tall.encoding = 'C';
  tall.picture = Picture(17, "##......");
  tall.yOffset = -5;
  const std::string font = WriteFont(
      {CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4), tall});
  const std::string start = "vexofont make: wrote '" + dir_.File("out.fnt") +
                            "' (SBCS thermal 8x16, code page 28591, 0x41 to "
                            "0x43, strike 8x16): 3 glyphs, 1 blank because "
                            "missing (0x42), ";
  const struct {
    std::vector<std::string> options;
    int status;
    std::string out, err;
  } cases[] = {
      // By default the tall glyph is drawn on 16 rows, no dot lost.
      {{}, kMakeOk, start + "0 clipped, 1 moved into the cell (1 of them "
                            "drawn smaller to fit)\n", ""},
      // --clip: the bottom row is cut, and named.
      {{"--clip"}, kMakeOk, start + "1 clipped (2 dots cut off: 0x43)\n", ""},
      {{"--clip", "--strict"}, kMakeUsage, "",
       "vexofont make: 1 glyph with dots cut off (0x43) (--strict): nothing "
       "written\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = SbcsThermal("8859-1", "0x41", "43");
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.insert(args.end(), {font, dir_.File("out.fnt")});
    const CapturedRun run = RunMake(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, c.out);
    if (c.status != kMakeOk) {
      EXPECT_EQ(FolderNames(), (std::vector<std::string>{"font.bdf"}));
      continue;
    }
    const Bytes file = ReadBytes(dir_.File("out.fnt"));
    ASSERT_EQ(file.size(), 32u + 3 * 64);
    EXPECT_EQ(SbcsGlyph(file, 0), PictureOf(PatternGlyph('A', 8, 16), 8));
    EXPECT_EQ(SbcsGlyph(file, 1), Picture(16, "........"));
    EXPECT_EQ(SbcsGlyph(file, 2), Picture(16, "##......"));
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"font.bdf", "out.fnt"}));
    std::filesystem::remove(dir_.File("out.fnt"));
  }
}

// SBCS impact glyphs 9 to 15 dots wide: the station prints their first 8
// dot columns, so they are drawn there.
TEST_F(MakeRunTest, WideImpactGlyphsAreDrawnOnTheColumnsPrinted) {
  BdfFont font;
  font.boxWidth = 12;
  font.ascent = 11;
  font.descent = 4;
  BdfGlyph bar;
  bar.encoding = 'A';
  bar.picture = {"#.#.#.#.#.##"};
  font.glyphs = {bar};
  const std::string path = dir_.WriteText("font.bdf", BdfText(font));
  const CapturedRun run =
      RunMake({"--kind", "sbcs", "--station", "impact", "--size", "12x15",
               "--code-page", "437", "--first", "41", "--last", "41", path,
               dir_.File("out.fnt")});
  EXPECT_EQ(run.status, kMakeOk) << run.err;
  // The strike, wider than the 8 columns, is reduced whole to them.
  EXPECT_NE(run.out.find("strike 12x15 reduced to 8x15, drawn on the 8 dot "
                         "columns the station prints): 1 glyph, 0 blank because "
                         "missing, 0 clipped\n"),
            std::string::npos) << run.out;
  const Bytes file = ReadBytes(dir_.File("out.fnt"));
  ASSERT_EQ(file.size(), 32u + 15 * 4);
  uint32_t ink = 0;
  for (int r = 0; r < 15; ++r) {
    ink |= uint32_t(file[32 + 4 * r]) << 24 | uint32_t(file[33 + 4 * r]) << 16;
  }
  EXPECT_EQ(ink, 0xAB000000u);  // "#.#.#.##": in the 8 printed columns
}

struct CodePageCase {
  const char* codePage;
  int code;
  uint32_t unicode;  // 0: no character in the code page
};

TEST_F(MakeRunTest, EachCodeGetsTheGlyphOfItsCharacter) {
  const uint32_t characters[] = {0x00E9, 0x0104, 0x0410, 0x20AC, 0x2591,
                                 0x0391, 0x0041};
  std::vector<BdfGlyph> glyphs;
  for (uint32_t c : characters) {
    glyphs.push_back(CellGlyphOf(c, PatternGlyph(c, 8, 16), 8, 4));
  }
  const std::string font = WriteFont(glyphs);
  const CodePageCase cases[] = {
      {"437", 0x82, 0x00E9},     {"437", 0xB0, 0x2591},
      {"852", 0xA4, 0x0104},     {"866", 0x80, 0x0410},
      {"858", 0xD5, 0x20AC},     {"1251", 0xC0, 0x0410},
      {"1252", 0x80, 0x20AC},    {"8859-2", 0xA1, 0x0104},
      {"8859-7", 0xC1, 0x0391},  {"8859-15", 0xA4, 0x20AC},
      {"28595", 0xB0, 0x0410},   {"1252", 0x81, 0},
      {"8859-1", 0x9F, 0},
  };
  for (const CodePageCase& c : cases) {
    char codeText[8];
    std::snprintf(codeText, sizeof(codeText), "%x", c.code);
    const std::string code = codeText;
    std::vector<std::string> args = SbcsThermal(c.codePage, code, code);
    // The font's own glyph of U+2591 too, not the one drawn edge to edge.
    args.insert(args.end(), {"--cell-fill", "font", font, dir_.File("out.fnt")});
    const CapturedRun run = RunMake(args);
    ASSERT_EQ(run.status, kMakeOk) << run.err;
    const Bytes file = ReadBytes(dir_.File("out.fnt"));
    ASSERT_EQ(file.size(), 32u + 64) << c.codePage;
    const Picture expected =
        c.unicode == 0 ? Picture(16, "........")
                       : PictureOf(PatternGlyph(c.unicode, 8, 16), 8);
    EXPECT_EQ(SbcsGlyph(file, 0), expected) << c.codePage << " " << c.code;
    EXPECT_NE(run.out.find(c.unicode == 0 ? "1 blank because missing"
                                          : "0 blank because missing"),
              std::string::npos)
        << run.out;
  }
}

TEST_F(MakeRunTest, SourceThatCannotBeOpenedLeavesTheOutputAlone) {
  const std::string output = dir_.WriteText("out.fnt", "older file");
  std::vector<std::string> args = SbcsThermal("437", "0x41", "0x41");
  args.insert(args.end(), {dir_.File("absent.bdf"), output});
  const CapturedRun run = RunMake(args);
  EXPECT_EQ(run.status, kMakeSourceFailed);
  EXPECT_EQ(run.err, "vexofont make: font '" + dir_.File("absent.bdf") +
                         "' cannot be opened\n");
  EXPECT_EQ(run.out, "");
  const Bytes kept = ReadBytes(output);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "older file");
  EXPECT_EQ(FolderNames(), (std::vector<std::string>{"out.fnt"}));
}

// A font named alone that is not in the working folder is the system's:
// on Windows one of its Fonts folder (written there for the test, where
// the folder lets us); elsewhere the name stays as it is and cannot be
// opened.
TEST_F(MakeRunTest, FontNamedAloneIsLookedForAmongTheSystemsFonts) {
  const std::string font =
      WriteFont({CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4)});
  const std::string name = "vexocnvt-test-" + std::to_string(
      std::hash<std::string>()(dir_.File("x"))) + ".bdf";
  std::vector<std::string> args = SbcsThermal("437", "0x41", "0x41");
  args.insert(args.end(), {name, dir_.File("out.fnt")});
#ifdef _WIN32
  const char* windows = std::getenv("SystemRoot");
  ASSERT_NE(windows, nullptr);
  const std::string installed = std::string(windows) + "\\Fonts\\" + name;
  std::error_code error;
  std::filesystem::copy_file(font, installed, error);
  if (error) GTEST_SKIP() << "cannot write a font into " << installed;
  const CapturedRun run = RunMake(args);
  std::filesystem::remove(installed, error);
  EXPECT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_NE(run.out.find("'" + dir_.File("out.fnt") + "'"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir_.File("out.fnt")).size(), 32u + 64);
  // The messages name the file found.
  args.back() = "NUL";
  args.insert(args.end() - 2, {"--face", "1"});
  ASSERT_TRUE(std::filesystem::copy_file(font, installed, error)) << error.message();
  const CapturedRun face = RunMake(args);
  std::filesystem::remove(installed, error);
  EXPECT_EQ(face.err.find("vexofont make: font '" + installed + "' "), 0u)
      << face.err;
#else
  // Not installed: named as neither, or, without a font service, as a file.
  const CapturedRun run = RunMake(args);
  EXPECT_EQ(run.status, kMakeSourceFailed);
  EXPECT_EQ(run.err, "vexofont make: font '" + name + "' " +
                         (FontServiceName() == nullptr
                              ? "cannot be opened (and this vexofont, built without "
                                "fontconfig, takes no font names)\n"
                              : "is neither a file nor an installed font (vexofont "
                                "fonts lists the fonts installed)\n"));
#endif
}

TEST_F(MakeRunTest, FontWhoseCharactersCannotBeMappedIsRefused) {
  BdfFont font;
  font.registry = "DEC";
  font.encoding = "DECTECH";
  font.glyphs = {CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4)};
  const std::string path = dir_.WriteText("dec.bdf", BdfText(font));
  std::vector<std::string> args = SbcsThermal("437", "0x41", "0x41");
  args.insert(args.end(), {path, "-o", dir_.File("out.fnt")});
  const CapturedRun run = RunMake(args);
  EXPECT_EQ(run.status, kMakeSourceFailed);
  EXPECT_EQ(run.err, "vexofont make: font '" + path +
                         "' has characters numbered in 'DEC-DECTECH', which "
                         "cannot be mapped\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("out.fnt")));
}

TEST_F(MakeRunTest, OutputThatCannotBeWrittenLeavesNoFileBehind) {
  const std::string font =
      WriteFont({CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4)});
  std::filesystem::create_directory(dir_.File("folder"));
  const struct {
    std::string output;
    std::string reason;
  } cases[] = {
      {dir_.File("missing/out.fnt"), "No such file or directory"},
      {dir_.File("folder"), "Is a directory"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = SbcsThermal("437", "0x41", "0x41");
    args.insert(args.end(), {font, c.output});
    const CapturedRun run = RunMake(args);
    EXPECT_EQ(run.status, kMakeOutputFailed);
    EXPECT_EQ(run.err, "vexofont make: cannot write '" + c.output + "': " +
                           c.reason + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(FolderNames(),
              (std::vector<std::string>{"folder", "font.bdf"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir_.File("folder")));
  }
}

TEST_F(MakeRunTest, ExistingOutputIsReplacedWhole) {
  const std::string font =
      WriteFont({CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4)});
  const std::string output =
      dir_.WriteText("out.fnt", std::string(5000, 'x'));
  std::vector<std::string> args = SbcsThermal("437", "0x41", "0x41");
  args.insert(args.end(), {"-o", output, font});
  ASSERT_EQ(RunMake(args).status, kMakeOk);
  const Bytes file = ReadBytes(output);
  ASSERT_EQ(file.size(), 32u + 64);
  EXPECT_EQ(SbcsGlyph(file, 0), PictureOf(PatternGlyph('A', 8, 16), 8));
}

}  // namespace

namespace {

// Outputs that are not plain new files: a device and a FIFO are written in
// place and stay what they were; a name at the file system's limit works;
// a link keeps pointing at its target; the source font itself is refused.
TEST_F(MakeRunTest, OutputsOfEveryKindAreWrittenWithoutBeingReplaced) {
  const std::string font =
      WriteFont({CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4)});
  std::vector<std::string> args = SbcsThermal("437", "0x41", "0x41");
  args.push_back(font);
  auto makeTo = [&](const std::string& output) {
    std::vector<std::string> withOutput = args;
    withOutput.push_back(output);
    return RunMake(withOutput);
  };

#ifdef _WIN32
  // A device name stands for the device in every folder.
  EXPECT_EQ(makeTo(dir_.File("NUL")).status, kMakeOk);
#else
  EXPECT_EQ(makeTo("/dev/null").status, kMakeOk);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

  const std::string fifo = dir_.File("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  Bytes throughFifo;
  std::thread reader([&] { throughFifo = ReadBytes(fifo); });
  EXPECT_EQ(makeTo(fifo).status, kMakeOk);
  reader.join();
  EXPECT_EQ(throughFifo.size(), 32u + 64);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
#endif

  const std::string longest = dir_.File(std::string(250, 'n') + ".fnt");
  EXPECT_EQ(makeTo(longest).status, kMakeOk);
  EXPECT_EQ(ReadBytes(longest).size(), 32u + 64);

#ifndef _WIN32
  const std::string link = dir_.File("link.fnt");
  std::filesystem::create_symlink(longest, link);
  EXPECT_EQ(makeTo(link).status, kMakeOk);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
#endif

  const Bytes source = ReadBytes(font);
  const CapturedRun overSource = makeTo(font);
  EXPECT_EQ(overSource.status, kMakeOutputFailed);
  EXPECT_EQ(overSource.err, "vexofont make: output '" + font +
                                "' is the source font '" + font +
                                "'; nothing written\n");
  EXPECT_EQ(ReadBytes(font), source);
#ifdef _WIN32
  EXPECT_EQ(FolderNames(), (std::vector<std::string>{
                               "font.bdf", std::string(250, 'n') + ".fnt"}));
#else
  EXPECT_EQ(FolderNames(), (std::vector<std::string>{
                               "font.bdf", "link.fnt",
                               std::string(250, 'n') + ".fnt", "pipe"}));
#endif
}

// No file the command line names as an input is replaced: each option
// that names one, its file given as the output too, also through a hard
// link, is refused with the role it plays, and the file stays as it was.
TEST_F(MakeRunTest, NoInputIsReplacedByTheOutput) {
  const std::string font =
      WriteFont({CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4)});
  const std::string chars = dir_.WriteText("chars.txt", "A");
  const std::string map = dir_.WriteText("map.txt", "41 U+0041\n");
  const std::string fallback = dir_.File("fallback.bdf");
  std::filesystem::copy_file(font, fallback);
  const std::string twin = dir_.File("twin.txt");
  std::filesystem::create_hard_link(chars, twin);
  const struct {
    std::vector<std::string> options;
    std::string output, role, named;
  } kCases[] = {
      {{"--chars", chars}, chars, "--chars file", chars},
      {{"--chars", chars}, twin, "--chars file", chars},
      {{"--map", map}, map, "--map file", map},
      {{"--fallback", fallback}, fallback, "fallback font", fallback},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.output);
    const Bytes before = ReadBytes(c.named);
    std::vector<std::string> args = SbcsThermal("437", "0x41", "0x41");
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(font);
    args.push_back(c.output);
    const CapturedRun run = RunMake(args);
    EXPECT_EQ(run.status, kMakeOutputFailed);
    EXPECT_EQ(run.err, "vexofont make: output '" + c.output + "' is the " +
                           c.role + " '" + c.named + "'; nothing written\n");
    EXPECT_EQ(ReadBytes(c.named), before);
  }
}

}  // namespace

}  // namespace vexo
