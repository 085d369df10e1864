#include "vexofont/dump/dump_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testkit/bdf_font.h"
#include "make_test_support.h"
#include "testkit/run_capture.h"
#include "testkit/test_fonts.h"
#include "vexofont/make/make_command.h"

namespace vexo {

namespace {

CapturedRun RunDump(std::vector<std::string> args) {
  args.insert(args.begin(), "dump");
  return RunReported(RunDumpCommand, std::move(args));
}

std::string Example(const char* name) {
  return std::string(VEXO_SOURCE_DIR) + "/examples/" + name;
}

class DumpCommandTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    return dir_.WriteText(name, text);
  }
  ScratchDir dir_;
};

TEST_F(DumpCommandTest, DumpThenMakeRebuildsTheFileWithCharacterComments) {
  for (const char* name : {"sbcs_thermal_12x24.fnt", "sbcs_impact_8x9.fnt",
                           "dbcs_thermal_24x24.fnt", "dbcs_impact_16x16.fnt"}) {
    SCOPED_TRACE(name);
    const CapturedRun dump = RunDump({Example(name), "-o", dir_.File("t.txt")});
    ASSERT_EQ(dump.status, kDumpOk) << dump.err;
    EXPECT_EQ(dump.out, "");
    const CapturedRun make = RunMake({dir_.File("t.txt"), dir_.File("t.fnt")});
    ASSERT_EQ(make.status, kMakeOk) << make.err;
    EXPECT_EQ(ReadBytes(dir_.File("t.fnt")), ReadBytes(Example(name)));
  }
  const CapturedRun sbcs = RunDump({Example("sbcs_thermal_12x24.fnt")});
  EXPECT_NE(sbcs.out.find("\nglyph 41  # U+0041 A\n"), std::string::npos);
  EXPECT_NE(sbcs.out.find("\nglyph 20  # U+0020\n"), std::string::npos);
  // Code page 932's single-byte half: the yen sign, half-width katakana.
  EXPECT_NE(sbcs.out.find("\nglyph 5c  # U+00A5 \xC2\xA5\n"), std::string::npos);
  EXPECT_NE(sbcs.out.find("\nglyph b1  # U+FF71 \xEF\xBD\xB1\n"),
            std::string::npos);
  const CapturedRun dbcs = RunDump({Example("dbcs_thermal_24x24.fnt")});
  EXPECT_NE(dbcs.out.find("\nglyph 8140  # U+3000\n"), std::string::npos);
  EXPECT_NE(dbcs.out.find("\nglyph 82a0  # U+3042 \xE3\x81\x82\n"),
            std::string::npos);
}

TEST_F(DumpCommandTest, MakeFromTextSummaryAndRefusedOptions) {
  Bytes font = PatternSbcsFont(0x41, 0x43, 8, 16);
  const std::string path = dir_.File("p.fnt");
  ASSERT_TRUE(WriteBytes(path, font));
  ASSERT_EQ(RunDump({path, "--output=" + dir_.File("p.txt")}).status, kDumpOk);
  const CapturedRun make = RunMake({dir_.File("p.txt"), "-o", dir_.File("q.fnt")});
  EXPECT_EQ(make.status, kMakeOk);
  EXPECT_EQ(make.out, "vexofont make: wrote '" + dir_.File("q.fnt") +
                          "' (SBCS 8x16, code page 437, 0x41 to 0x43) from "
                          "glyph text '" + dir_.File("p.txt") +
                          "': 3 glyphs, 3 drawn in the text\n");
  const CapturedRun refused =
      RunMake({"--size", "8x16", dir_.File("p.txt"), dir_.File("r.fnt")});
  EXPECT_EQ(refused.status, kMakeUsage);
  EXPECT_EQ(refused.err,
            "vexofont make: '" + dir_.File("p.txt") +
                "' is a glyph text: its header gives kind, size, code page "
                "and codes and its glyphs are drawn, so only --overlay and -o "
                "go with it\n");
}

TEST_F(DumpCommandTest, MistakeInATextWritesNothing) {
  const std::string text = Write(
      "bad.txt",
      "vexofont glyphs 1\nkind sbcs\ncode-page 437\nfirst 41\nlast 41\n"
      "width 8\nheight 4\n\nglyph 41\n........\n...#o...\n");
  const CapturedRun run = RunMake({text, dir_.File("out.fnt")});
  EXPECT_EQ(run.status, kMakeSourceFailed);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            text + ":11:5: 'o' in a row (rows hold . and #, and one | before "
                   "the dots beyond the width)\n");
  EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"bad.txt"}));
}

TEST_F(DumpCommandTest, OverlayOverAFontFromATypeface) {
  BdfFont bdf;
  bdf.glyphs.push_back(CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4));
  bdf.glyphs.push_back(CellGlyphOf('B', PatternGlyph('B', 8, 16), 8, 4));
  const std::string source = Write("font.bdf", BdfText(bdf));
  std::string rows;
  for (int r = 0; r < 16; ++r) rows += r % 2 ? "#.#.#.#.\n" : ".#.#.#.#\n";
  const std::string logo =
      Write("logo.txt", "vexofont glyphs 1\n# the shop's mark\n\nglyph 42\n" + rows);
  const std::vector<std::string> fontOptions = {
      "--kind",      "sbcs", "--station", "thermal", "--size", "8x16",
      "--code-page", "437",  "--first",   "0x41",    "--last", "0x42"};
  std::vector<std::string> args = fontOptions;
  args.insert(args.end(), {"--overlay", logo, source, dir_.File("out.fnt")});
  const CapturedRun run = RunMake(args);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_NE(run.out.find(", 0 clipped, 1 glyph from overlays\n"),
            std::string::npos)
      << run.out;
  const Bytes file = ReadBytes(dir_.File("out.fnt"));
  ASSERT_EQ(file.size(), 32u + 2 * 64);
  GlyphRows expected;
  for (int r = 0; r < 16; ++r) expected.push_back(r % 2 ? 0xAA000000u : 0x55000000u);
  Bytes a, b;
  AppendGlyph(&a, PatternGlyph('A', 8, 16));
  AppendGlyph(&b, expected);
  EXPECT_EQ(Bytes(file.begin() + 32, file.begin() + 96), a);
  EXPECT_EQ(Bytes(file.begin() + 96, file.end()), b);

  // A mistake in an overlay: its line, status 2, nothing written.
  const std::string wrong =
      Write("wrong.txt", "vexofont glyphs 1\n\nglyph 43\n" + rows);
  args = fontOptions;
  args.insert(args.end(), {"--overlay", logo, "--overlay", wrong, source,
                           dir_.File("new.fnt")});
  const CapturedRun bad = RunMake(args);
  EXPECT_EQ(bad.status, kMakeSourceFailed);
  EXPECT_EQ(bad.err, wrong + ":3:7: SBCS code 43 is outside the font's first "
                             "41 to last 42\n");
  EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{
                                "font.bdf", "logo.txt", "out.fnt", "wrong.txt"}));
  // Nor may the output be an overlay.
  args = fontOptions;
  args.insert(args.end(), {"--overlay", logo, source, logo});
  const CapturedRun over = RunMake(args);
  EXPECT_EQ(over.status, kMakeOutputFailed);
  EXPECT_EQ(over.err, "vexofont make: output '" + logo + "' is the overlay '" +
                          logo + "'; nothing written\n");
}

TEST_F(DumpCommandTest, BadArgumentsAndUnreadableFiles) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const std::string notFont = Write("hello.txt", "hello\n");
  const std::string font = dir_.File("f.fnt");
  ASSERT_TRUE(WriteBytes(font, PatternSbcsFont(0x41, 0x41, 8, 16)));
  const Case kCases[] = {
      {{},
       kDumpUsage,
       "vexofont dump: no file given (see vexofont dump --help)\n"},
      {{"-x"},
       kDumpUsage,
       "vexofont dump: unknown option '-x' (see vexofont dump --help)\n"},
      {{font, "-o"}, kDumpUsage, "vexofont dump: option '-o' needs a value\n"},
      {{font, font},
       kDumpUsage,
       "vexofont dump: more than one file: '" + font + "'\n"},
      {{dir_.File("none.fnt")},
       kDumpInputFailed,
       "vexofont dump: cannot open '" + dir_.File("none.fnt") +
           "': No such file or directory\n"},
      {{notFont},
       kDumpInputFailed,
       "vexofont dump: '" + notFont +
           "' is not an input font file (no SBCS or DBCS magic)\n"},
      {{font, "-o", font},
       kDumpOutputFailed,
       "vexofont dump: output '" + font + "' is the font file '" + font +
           "'; nothing written\n"},
      {{font, "-o", dir_.path()},
       kDumpOutputFailed,
       "vexofont dump: cannot write '" + dir_.path() + "': Is a directory\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const CapturedRun run = RunDump(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(ReadBytes(font), PatternSbcsFont(0x41, 0x41, 8, 16));
  const CapturedRun help = RunDump({"--help"});
  EXPECT_EQ(help.status, kDumpOk);
  EXPECT_EQ(help.out.rfind("usage: vexofont dump FILE [-o TEXT]\n", 0), 0u);
}

}  // namespace

}  // namespace vexo
