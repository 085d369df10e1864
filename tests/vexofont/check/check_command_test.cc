#include "vexofont/check/check_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fontinput/font_header.h"
#include "fontinput/glyph_size.h"
#include "store/little_endian.h"
#include "testkit/run_capture.h"
#include "testkit/test_fonts.h"

namespace vexo {

namespace {

class CheckCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Write("t12x24.fnt", PatternSbcsFont(0x20, 0x7E, 12, 24));
    Write("i8x9.fnt", PatternSbcsFont(0x20, 0x7A, 8, 9));
    Write("i12x16.fnt", PatternSbcsFont(0x41, 0x42, 12, 16));
    // 12 wide, drawn within the 8 columns the impact station prints.
    Bytes in8 = PatternSbcsFont(0x41, 0x42, 12, 15);
    for (size_t at = 32; at + 4 <= in8.size(); at += 4) in8[at + 1] = 0;
    Write("i12in8.fnt", in8);
    Write("w40.fnt", PatternSbcsFont(0x41, 0x42, 4, 40));
    Write("i8x16.fnt", PatternSbcsFont(0x41, 0x42, 8, 16));
    Write("i16x12.fnt", PatternSbcsFont(0x41, 0x42, 16, 12));
    Write("t10x20.fnt", PatternSbcsFont(0x20, 0x7E, 10, 20));
    Write("full437.fnt", PatternSbcsFont(0x20, 0xFF, 12, 24));
    // A Latin font with blank glyphs where the other has katakana.
    Bytes latin = PatternSbcsFont(0x20, 0xFF, 12, 24);
    std::fill(latin.begin() + 32 + (0xA1 - 0x20) * FileGlyphSize(24),
              latin.begin() + 32 + (0xE0 - 0x20) * FileGlyphSize(24), 0);
    Write("latin.fnt", latin);
    Bytes half = PatternSbcsFont(0x20, 0xDF, 12, 24);
    EncodeFixed16(&half[kHeaderCodePageOffset], 932);
    Write("half932.fnt", half);
    int codes = 0;
    Write("d24.fnt", PatternDbcsFont({{0x81, 0x81}}, 0x81FC, 24, 24, &codes));
    Bytes cut = PatternSbcsFont(0x20, 0x7E, 12, 24);
    cut.resize(32 + 10 * 96 + 5);
    Write("cut.fnt", cut);
    Write("short.fnt", Bytes(cut.begin(), cut.begin() + 20));
    dir_.WriteText("text.fnt", "not a font\n");
  }

  void Write(const std::string& name, const Bytes& bytes) {
    ASSERT_TRUE(WriteBytes(dir_.File(name), bytes));
  }

  // Runs check on `config` written to the scratch folder; @NAME stands for
  // the path of NAME there.
  CapturedRun Check(std::string config, std::vector<std::string> options = {}) {
    for (size_t at; (at = config.find('@')) != std::string::npos;) {
      size_t end = at + 1;
      while (end < config.size() && config[end] != ' ' && config[end] != '\n') {
        ++end;
      }
      config.replace(at, end - at, dir_.File(config.substr(at + 1, end - at - 1)));
    }
    path_ = dir_.WriteText("run.cfg", config);
    options.insert(options.begin(), {"check", path_});
    return RunInProcess(RunCheckCommand, options);
  }

  std::string F(const std::string& name) { return "'" + dir_.File(name) + "'"; }

  ScratchDir dir_;
  std::string path_;
};

TEST_F(CheckCommandTest, SoundConfigurationHasNoFinding) {
  const CapturedRun run = Check(
      "# a shop's fonts\nSbcsThermalFile @t12x24.fnt\nSbcsImpactFile "
      "@i8x9.fnt\nOutputFontFile @out.fnt\nCodePage 437\nSbcsSpacing 8\n");
  EXPECT_EQ(run.status, kCheckSound);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, path_ + ": 2 font files, 95 of the 20000 glyph records filled\n" +
                         path_ + ": nothing looks wrong\n");
  // Glyphs 12 wide drawn within the 8 columns the impact station prints.
  for (const char* fonts : {"SbcsThermalFile @t12x24.fnt\n", "SbcsImpactFile @i12in8.fnt\n"}) {
    EXPECT_EQ(Check(std::string(fonts) + "OutputFontFile o\nCodePage 437\n", {"--quiet"}).out,
              "");
  }
}

// Each broken configuration with its findings, line by line.
TEST_F(CheckCommandTest, BrokenConfigurationsAndTheirFindings) {
  struct Case {
    std::string config;
    std::vector<std::string> findings;  // after "CONFIG:"
  };
  const std::string tail = "OutputFontFile o\nCodePage 437\n";
  const Case kCases[] = {
      {"SbcsThermalfile @t12x24.fnt\n" + tail,
       {"1: 'SbcsThermalfile' is not a key: keys are case-sensitive; write "
        "SbcsThermalFile (the line is skipped)",
        " no font file listed: the output holds no glyph"}},
      {"SbcsThermalFile @t12x24.fnt\n\tSbcsImpactFile @i8x9.fnt\n" + tail,
       {"2: the key SbcsImpactFile comes after white space: keys count only "
        "in the first column, so the line is skipped"}},
      {"SbcsThermalFile @t12x24.fnt\nSbcsImpactFiel @i8x9.fnt\nOutputFont o\n"
       "CodePage 437\n",
       {"2: 'SbcsImpactFiel' is not a key; did you mean SbcsImpactFile? (the "
        "line is skipped)",
        "3: 'OutputFont' is not a key; did you mean OutputFontFile? (the line "
        "is skipped)",
        " no OutputFontFile line: the converter writes a file named None in "
        "the working folder"}},
      // A NUL byte ends what the converter reads of its line, not the
      // line: the lines after it keep their numbers.
      {std::string("SbcsThermalFile @t12x24.fnt\0junk\nSbcsImpactFiel @i8x9.fnt\n", 58) +
           tail,
       {"1: holds a NUL byte: the converter reads only what comes before it "
        "on the line",
        "2: 'SbcsImpactFiel' is not a key; did you mean SbcsImpactFile? (the "
        "line is skipped)"}},
      {"SbcsThermalFiles @t12x24.fnt\n" + tail,
       {"1: 'SbcsThermalFiles' is read as the key SbcsThermalFile followed by "
        "'s'"}},
      {"SbcsThermalFile @t12x24.fnt\nSbcsImpactFile\nSbcsSpacing 9\n"
       "DbcsSpacing 21x\nCodePage 437\nOutputFontFile o\nOutputFontFile p\n",
       {"2: SbcsImpactFile has no value: the line is skipped",
        "3: SbcsSpacing 9 is beyond its limit: the converter uses 8",
        "4: DbcsSpacing '21x': the converter reads the number 21 and ignores "
        "the rest",
        "4: DbcsSpacing 21 is beyond its limit: the converter uses 20",
        "7: OutputFontFile given again (first on line 6): the last one counts"}},
      {"SbcsThermalFile @t12x24.fnt\nSbcsSpacing -3\nDbcsSpacing many\n" + tail,
       {"2: SbcsSpacing -3 is taken modulo 65536, as 65533",
        "2: SbcsSpacing 65533 is beyond its limit: the converter uses 8",
        "3: 'many' is not a number: the line is skipped"}},
      {"DbcsThermalFile @t12x24.fnt\nSbcsThermalFile @i8x9.fnt\n"
       "SbcsImpactFile @d24.fnt\nSbcsImpactFile @w40.fnt\n" + tail,
       {"2: " + F("i8x9.fnt") + " is 8x9, a size for the impact station: list "
        "it under SbcsImpactFile",
        "3: " + F("d24.fnt") + " is a DBCS font, not SBCS: list it under "
        "DbcsThermalFile",
        "4: " + F("w40.fnt") + " is 4x40, a size no station takes (thermal "
        "width 8 to 16, height 16 to 32, at width 16 at most 24; impact width "
        "4 to 16, height 4 to 16)",
        "1: " + F("t12x24.fnt") + " is an SBCS font, not DBCS: list it under "
        "SbcsThermalFile"}},
      {"SbcsThermalFile @none.fnt\nSbcsThermalFile @text.fnt\n"
       "SbcsThermalFile @short.fnt\nSbcsThermalFile @cut.fnt\n" + tail,
       {"1: " + F("none.fnt") + " cannot be opened: No such file or directory",
        "2: " + F("text.fnt") + " is not an input font file (no SBCS or DBCS "
        "magic): the converter cannot read its header",
        "3: " + F("short.fnt") + " has a header cut short (20 of 32 bytes)",
        "4: " + F("cut.fnt") + " holds 10 whole glyphs of the 95 its header "
        "names: the body is cut short"}},
      {"SbcsImpactFile @i12x16.fnt\n" + tail,
       {"1: " + F("i12x16.fnt") + ": the impact station prints only the first "
        "8 dot columns of SBCS glyphs 12 dots wide (it takes whole bytes of 8 "
        "dot columns): make them 8 or 16 wide"}},
      // An SBCS font of another code page under a DBCS one: the codes the
      // printer reads differently, and only those the font has glyphs for.
      {"SbcsThermalFile @t12x24.fnt\nDbcsThermalFile @d24.fnt\n"
       "OutputFontFile o\nCodePage 932\n",
       {"1: " + F("t12x24.fnt") + " is code page 437, but the printer reads "
        "single bytes in code page 932: its glyphs of 0x5c, 0x7e print where "
        "the text means other characters (make it with --code-page 932)"}},
      {"SbcsThermalFile @full437.fnt\nOutputFontFile o\nCodePage 936\n",
       {"1: " + F("full437.fnt") + " is code page 437, but the printer reads "
        "single bytes in code page 936: its glyphs of 0x80 print where the "
        "text means other characters; its glyphs of 0x81 to 0xfe never print "
        "(lead bytes of two-byte codes) (make it with --code-page 936)"}},
      {"SbcsThermalFile @half932.fnt\nOutputFontFile o\nCodePage 949\n",
       {"1: " + F("half932.fnt") + " is code page 932, but the printer reads "
        "single bytes in code page 949: its glyphs of 0x5c, 0x7e print where "
        "the text means other characters; its glyphs of 0x81 to 0xdf never "
        "print (lead bytes of two-byte codes) (make it with --code-page "
        "949)"}},
      // A later font's blank glyphs are stored over an earlier one's.
      {"SbcsThermalFile @full437.fnt\nSbcsThermalFile @latin.fnt\n" + tail,
       {"2: " + F("latin.fnt") + " has blank glyphs for 0xa1 to 0xdf, which " +
        F("full437.fnt") + " (line 1) draws: the later font's blank glyphs are "
        "stored, and they print blank (list " + F("latin.fnt") + " first, or "
        "make it with --first and --last that leave them out)"}},
      // A DBCS code page's SBCS font under an SBCS code page: as any other.
      {"SbcsThermalFile @half932.fnt\n" + tail,
       {"3: CodePage 437, but " + F("half932.fnt") + " (line 1) is code page "
        "932: the printer reads its codes in code page 437"}},
      // Impact sizes the station does not print as drawn.
      {"SbcsImpactFile @i8x16.fnt\nSbcsImpactFile @i16x12.fnt\n" + tail,
       {"1: " + F("i8x16.fnt") + ": the impact station gets 8x16 glyphs with "
        "dot columns 5 to 7 cut off (their column data takes 24 bytes, a "
        "glyph record keeps 16)",
        "2: " + F("i16x12.fnt") + ": the impact station gets 16x12 glyphs "
        "scrambled: each dot column takes 2 bytes but the next starts 1 on, "
        "so neighbouring columns' dots land in the same bits",
        "1: " + F("i8x16.fnt") + " is 8x16, but the output carries one SBCS "
        "impact size, 16x12 from " + F("i16x12.fnt") + " (line 2, the last "
        "loaded): its glyphs print cut (give the list fonts of one size)"}},
      // Fonts of different sizes in one list: the last loaded one's size.
      {"SbcsThermalFile @t12x24.fnt\nSbcsThermalFile @t10x20.fnt\n"
       "SbcsThermalFile @t12x24.fnt\n" + tail,
       {"2: " + F("t10x20.fnt") + " is 10x20, but the output carries one SBCS "
        "thermal size, 12x24 from " + F("t12x24.fnt") + " (line 3, the last "
        "loaded): its glyphs print stretched (give the list fonts of one "
        "size)"}},
      // Output names the converter refuses or cannot write.
      {"SbcsThermalFile @t12x24.fnt\nOutputFontFile @t12x24.fnt\nCodePage 437\n",
       {"2: OutputFontFile " + F("t12x24.fnt") + " is the font file " +
        F("t12x24.fnt") + " listed on line 1: the converter writes nothing "
        "and ends with status 4"}},
      {"SbcsThermalFile @t12x24.fnt\nOutputFontFile @run.cfg\nCodePage 437\n",
       {"2: OutputFontFile " + F("run.cfg") + " is this configuration file: "
        "the converter writes nothing and ends with status 4"}},
      {"SbcsThermalFile @t12x24.fnt\nOutputFontFile @no/o.out\nCodePage 437\n",
       {"2: the folder of OutputFontFile " + F("no/o.out") + ", " +
        F("no/") + ", does not exist: the converter cannot write the output "
        "(status 4)"}},
      {"SbcsThermalFile @t12x24.fnt\nOutputFontFile @\nCodePage 437\n",
       {"2: OutputFontFile " + F("") + " is a folder: the converter cannot "
        "write it"}},
      {"SbcsThermalFile @t12x24.fnt\nOutputFontFile o\n",
       {"1: no CodePage line, so the output carries code page 0, but " +
        F("t12x24.fnt") + " is code page 437"}},
      // A comment of 199 characters and a key after it, on one line: the
      // converter reads the key.
      {"# " + std::string(197, '-') + "SbcsThermalFile @t12x24.fnt\n" + tail,
       {"1: longer than 199 characters: the converter reads its characters "
        "from 200 on as a line of their own"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.config);
    const CapturedRun run = Check(c.config, {"--quiet"});
    std::string expected;
    for (const std::string& finding : c.findings) {
      expected += path_ + ":" + finding + "\n";
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.status, kCheckFindings);
    EXPECT_EQ(run.err, "");
  }
}

TEST_F(CheckCommandTest, ElevenNamesInAList) {
  std::string config;
  for (int i = 0; i < 11; ++i) config += "SbcsThermalFile @t12x24.fnt\n";
  const CapturedRun run = Check(config + "OutputFontFile o\nCodePage 437\n");
  EXPECT_EQ(run.out, path_ + ":11: more than 10 SbcsThermalFile lines: the "
                             "converter ignores '" + dir_.File("t12x24.fnt") +
                             "'\n" + path_ +
                             ": 10 font files, 95 of the 20000 glyph records "
                             "filled\n" + path_ + ": 1 finding\n");
}

// Past 20000 records, check names the file and the first code dropped; the
// converter's own run drops exactly those.
TEST_F(CheckCommandTest, FullGlyphTableNamesTheFirstCodeDropped) {
  int codes = 0;
  Write("a.fnt", PatternDbcsFont({{0x81, 0x9F}, {0xE0, 0xFC}}, 0xFCFC, 24, 24,
                                 &codes));
  ASSERT_EQ(codes, 11280);
  Write("b.fnt", PatternDbcsFont({{0xA0, 0xDF}}, 0xDFFC, 16, 16, &codes));
  ASSERT_EQ(codes, 12032);
  const std::string config = "DbcsThermalFile @a.fnt\nDbcsImpactFile @b.fnt\n"
                             "OutputFontFile @out.fnt\nCodePage 932\n";
  const CapturedRun run = Check(config);
  EXPECT_EQ(run.status, kCheckFindings);
  EXPECT_EQ(run.out, path_ + ":2: the glyph table is full: '" +
                         dir_.File("b.fnt") +
                         "' loses its codes from ce89 on, 3312 glyphs past the "
                         "20000 records (choose fewer characters, e.g. "
                         "vexofont make --chars)\n" +
                         path_ + ": 2 font files, 20000 of the 20000 glyph "
                                 "records filled\n" +
                         path_ + ": 1 finding\n");
  // The converter itself: ce88 is the last code stored.
  const CapturedRun converted = RunConverterOn(path_);
  ASSERT_EQ(converted.status, 0);
  const Bytes out = ReadBytes(dir_.File("out.fnt"));
  ASSERT_EQ(out.size(), 85u + 20000u * 116u);
  const auto stored = [&out](int code) {
    for (size_t at = 81; at + 116 <= out.size(); at += 116) {
      if (out[at + 6] == (code >> 8) && out[at + 7] == (code & 0xFF)) return true;
    }
    return false;
  };
  EXPECT_TRUE(stored(0xCE88));
  EXPECT_FALSE(stored(0xCE89));
}

TEST_F(CheckCommandTest, UsageAndUnreadableConfiguration) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
    std::string out = "";
  };
  const Case kCases[] = {
      {{"check"}, kCheckUsage,
       "vexofont check: no configuration file given (see vexofont check "
       "--help)\n"},
      {{"check", "a", "b"}, kCheckUsage,
       "vexofont check: more than one configuration: 'b'\n"},
      {{"check", "--strict", "a"}, kCheckUsage,
       "vexofont check: unknown option '--strict' (see vexofont check --help)\n"},
      {{"check", dir_.File("none.cfg")}, kCheckUnreadable,
       "vexofont check: cannot read '" + dir_.File("none.cfg") +
           "': No such file or directory\n"},
      // An endless stream is read no further than any configuration goes.
      {{"check", "/dev/zero"}, kCheckUnreadable,
       "vexofont check: cannot read '/dev/zero'\n",
       "/dev/zero:1: holds a NUL byte: the converter reads only what comes "
       "before it on the line\n"},
  };
  for (const Case& c : kCases) {
    const CapturedRun run = RunInProcess(RunCheckCommand, c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, c.out);
  }
}

}  // namespace

}  // namespace vexo
