#include "driver/config_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "store/converter_settings.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetConverterSettings(); }

  // Reads `text` as a configuration file; returns what the reader printed
  // on standard error.
  std::string Read(const std::string& text, int expectedResult = 0) {
    const std::string path = dir_.WriteText("vexocnvt.cfg", text);
    const CapturedRun run =
        CaptureOutput([&path] { return ReadConfigFile(path.c_str()); });
    EXPECT_EQ(run.status, expectedResult);
    EXPECT_EQ(run.out, "");
    return run.err;
  }

  ScratchDir dir_;
};

TEST_F(ConfigFileTest, EmptyOrCommentOnlyFileKeepsEveryDefault) {
  for (const char* text : {"", "* comment\n# another\n\n   \n"}) {
    ResetConverterSettings();
    EXPECT_EQ(Read(text), "");
    EXPECT_EQ(Settings.sbcsThermalFileCount, 0);
    EXPECT_EQ(Settings.sbcsImpactFileCount, 0);
    EXPECT_EQ(Settings.dbcsThermalFileCount, 0);
    EXPECT_EQ(Settings.dbcsImpactFileCount, 0);
    EXPECT_STREQ(Settings.outputFontFile, "None");
    EXPECT_STREQ(Settings.sbcsThermalFiles[0], "None");
    EXPECT_EQ(Settings.sbcsSpacing, 3);
    EXPECT_EQ(Settings.dbcsSpacing, 6);
    EXPECT_EQ(Settings.codePage, 0);
    EXPECT_FALSE(Settings.verbose);
  }
}

struct NumberCase {
  const char* line;
  uint16_t sbcs, dbcs, codePage;
};

TEST_F(ConfigFileTest, NumbersAreTakenModulo65536AndLimited) {
  const NumberCase cases[] = {
      {"SbcsSpacing 12", 8, 6, 0},     {"SbcsSpacing 8", 8, 6, 0},
      {"SbcsSpacing 0", 0, 6, 0},      {"SbcsSpacing -1", 8, 6, 0},
      {"SbcsSpacing 65541", 5, 6, 0},  {"SbcsSpacing 5x", 5, 6, 0},
      {"SbcsSpacing x", 3, 6, 0},      {"SbcsSpacing=5", 3, 6, 0},
      {"SbcsSpacing +4", 4, 6, 0},     {"SbcsSpacing -", 3, 6, 0},
      {"DbcsSpacing 21", 3, 20, 0},    {"DbcsSpacing 20", 3, 20, 0},
      {"DbcsSpacing 7", 3, 7, 0},      {"CodePage 932", 3, 6, 932},
      {"CodePage 70000", 3, 6, 4464},  {"CodePage -1", 3, 6, 65535},
      // 10^26 - 1: 10^26 is a multiple of 65536, so this is 65535.
      {"CodePage 99999999999999999999999999", 3, 6, 65535},
      {"CodePage\t437\tignored words", 3, 6, 437},
      {"CodePageX 850", 3, 6, 850},
  };
  for (const NumberCase& c : cases) {
    ResetConverterSettings();
    Read(std::string(c.line) + "\n");
    EXPECT_EQ(Settings.sbcsSpacing, c.sbcs) << c.line;
    EXPECT_EQ(Settings.dbcsSpacing, c.dbcs) << c.line;
    EXPECT_EQ(Settings.codePage, c.codePage) << c.line;
  }
}

TEST_F(ConfigFileTest, KeysMatchByPrefixInTheFirstColumnOnly) {
  Read("SbcsThermalFileABC a.fnt\n"
       " SbcsThermalFile b.fnt\n"
       "sbcsthermalfile c.fnt\n"
       "#SbcsThermalFile d.fnt\n"
       "*SbcsThermalFile e.fnt\n"
       "SbcsThermalFile\n"
       "SbcsThermalFile f.fnt g.fnt\n"
       "OutputFontFile one two three\n"
       "DbcsImpactFile x.fnt\n"
       "DbcsImpactFile x.fnt\n");
  ASSERT_EQ(Settings.sbcsThermalFileCount, 2);
  EXPECT_STREQ(Settings.sbcsThermalFiles[0], "a.fnt");
  EXPECT_STREQ(Settings.sbcsThermalFiles[1], "f.fnt");
  EXPECT_STREQ(Settings.sbcsThermalFiles[2], "None");
  EXPECT_STREQ(Settings.outputFontFile, "one");
  ASSERT_EQ(Settings.dbcsImpactFileCount, 2);
  EXPECT_STREQ(Settings.dbcsImpactFiles[1], "x.fnt");
}

TEST_F(ConfigFileTest, VerboseTakesAnyWordButNeedsOne) {
  Read("Verbose\n");
  EXPECT_FALSE(Settings.verbose);
  Read("Verbose 0\n");
  EXPECT_TRUE(Settings.verbose);
  ResetConverterSettings();
  Read("Verbose off\n");
  EXPECT_TRUE(Settings.verbose);
}

TEST_F(ConfigFileTest, CrLfLineEndsReadLikeLf) {
  const std::string lf =
      "SbcsImpactFile i.fnt\nOutputFontFile o.fnt\nSbcsSpacing 5\n";
  std::string crlf;
  for (char ch : lf) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
  Read(crlf);
  EXPECT_STREQ(Settings.sbcsImpactFiles[0], "i.fnt");
  EXPECT_STREQ(Settings.outputFontFile, "o.fnt");
  EXPECT_EQ(Settings.sbcsSpacing, 5);
  EXPECT_EQ(Settings.sbcsImpactFileCount, 1);
}

TEST_F(ConfigFileTest, LongLinesAreReadIn199CharacterPieces) {
  // A 250-character comment: its last 51 characters form a line of their
  // own, which here begins with a key.
  const std::string tail = "OutputFontFile tail.fnt";
  std::string comment = "#" + std::string(198, '-');
  comment += tail + std::string(250 - 199 - tail.size(), ' ');
  ASSERT_EQ(comment.size(), 250u);
  // A 199-character line followed by its line end is taken whole.
  std::string exact = "SbcsSpacing 4";
  exact += std::string(199 - exact.size(), ' ');
  Read(comment + "\n" + exact + "\nDbcsSpacing 9");
  EXPECT_STREQ(Settings.outputFontFile, "tail.fnt");
  EXPECT_EQ(Settings.sbcsSpacing, 4);
  EXPECT_EQ(Settings.dbcsSpacing, 9);  // last line without a line end
}

TEST_F(ConfigFileTest, OnlyTenNamesPerListAreKept) {
  std::string text;
  for (int i = 0; i < 12; ++i) text += "DbcsThermalFile f" + std::to_string(i) + "\n";
  EXPECT_EQ(Read(text),
            "Too many DbcsThermalFile lines, 'f10' ignored\n"
            "Too many DbcsThermalFile lines, 'f11' ignored\n");
  EXPECT_EQ(Settings.dbcsThermalFileCount, 10);
  EXPECT_STREQ(Settings.dbcsThermalFiles[9], "f9");
}

TEST_F(ConfigFileTest, MissingFileIsReported) {
  const std::string path = dir_.File("absent.cfg");
  const CapturedRun run =
      CaptureOutput([&path] { return ReadConfigFile(path.c_str()); });
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(run.err, "Could not open '" + path + "' for reading\n");
}

TEST_F(ConfigFileTest, UnreadableFileIsReported) {
  const std::string path = dir_.path();  // a folder opens but cannot be read
  const CapturedRun run =
      CaptureOutput([&path] { return ReadConfigFile(path.c_str()); });
  EXPECT_EQ(run.status, -1);
#ifdef _WIN32
  // Windows cannot open a folder as a file at all.
  EXPECT_EQ(run.err, "Could not open '" + path + "' for reading\n");
#else
  EXPECT_EQ(run.err, "Error reading '" + path + "'\n");
#endif
}

// The key table is what the reader matches: every key, with a suffix to its
// first word, is reported as that key, and a font list's names land where
// its table row says, for the kind and station the row gives.
TEST_F(ConfigFileTest, EveryKeyOfTheTableIsReadAsItsRowSays) {
  std::string text;
  for (const char* key : kConfigKeys) text += std::string(key) + "X 7\n";
  std::vector<std::string> keys;
  const std::string path = dir_.WriteText("keys.cfg", text);
  ASSERT_EQ(ReadConfigFile(
                path.c_str(),
                [](void* context, const ConfigLine& line) {
                  static_cast<std::vector<std::string>*>(context)->push_back(
                      std::string(line.key) + (line.taken ? " taken" : ""));
                },
                &keys),
            0);
  EXPECT_EQ(keys, (std::vector<std::string>{
                      "SbcsThermalFile taken", "SbcsImpactFile taken",
                      "DbcsThermalFile taken", "DbcsImpactFile taken",
                      "OutputFontFile taken", "SbcsSpacing taken",
                      "DbcsSpacing taken", "CodePage taken", "Verbose taken"}));
  EXPECT_STREQ(Settings.sbcsImpactFiles[0], "7");
  EXPECT_EQ(Settings.dbcsSpacing, 7);
  const std::pair<FontKind, Station> expected[kFontListCount] = {
      {FontKind::kSbcs, Station::kThermal}, {FontKind::kSbcs, Station::kImpact},
      {FontKind::kDbcs, Station::kThermal}, {FontKind::kDbcs, Station::kImpact}};
  for (int l = 0; l < kFontListCount; ++l) {
    EXPECT_EQ(kFontListKeys[l].Count(), 1) << kFontListKeys[l].key;
    EXPECT_EQ(kFontListKeys[l].kind, expected[l].first) << kFontListKeys[l].key;
    EXPECT_EQ(kFontListKeys[l].station, expected[l].second)
        << kFontListKeys[l].key;
  }
  EXPECT_EQ(FindNumberKey("SbcsSpacing")->limit, 8);
  EXPECT_EQ(FindNumberKey("DbcsSpacing")->limit, 20);
  EXPECT_EQ(FindNumberKey("Verbose"), nullptr);
  EXPECT_EQ(FindFontListKey("SbcsThermal"), nullptr);
}

// A configuration is read up to kMaxConfigFileSize bytes: a longer file (a
// device, an endless stream) is refused as one that cannot be read, and a
// file just within the bound is read as any other.
TEST_F(ConfigFileTest, FileLongerThanAnyConfigurationIsRefused) {
  const std::string comment = "# " + std::string(97, 'c') + "\n";  // 100 bytes
  std::string text;
  while (text.size() + comment.size() <= size_t(kMaxConfigFileSize) - 20) {
    text += comment;
  }
  text += "CodePage 932\n";
  EXPECT_EQ(Read(text), "");
  EXPECT_EQ(Settings.codePage, 932);
  const std::string path = dir_.WriteText("long.cfg", text + comment);
  const CapturedRun run =
      CaptureOutput([&path] { return ReadConfigFile(path.c_str()); });
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(run.err, "Error reading '" + path + "'\n");
#ifndef _WIN32
  const CapturedRun zero =
      CaptureOutput([] { return ReadConfigFile("/dev/zero"); });
  EXPECT_EQ(zero.status, -1);
  EXPECT_EQ(zero.err, "Error reading '/dev/zero'\n");
#endif
}

// A NUL byte ends what is read of its line, not the line: the next line is
// a line of its own.
TEST_F(ConfigFileTest, NulByteEndsTheTextNotTheLine) {
  std::vector<std::pair<int, int>> lines;  // line, piece
  const std::string path = dir_.WriteText(
      "zero_byte.cfg", std::string("CodePage 437\0 9\nSbcsSpacing 5\n", 30));
  ASSERT_EQ(ReadConfigFile(
                path.c_str(),
                [](void* context, const ConfigLine& line) {
                  static_cast<std::vector<std::pair<int, int>>*>(context)
                      ->push_back({line.line, line.piece});
                },
                &lines),
            0);
  EXPECT_EQ(lines, (std::vector<std::pair<int, int>>{{1, 0}, {2, 0}}));
  EXPECT_EQ(Settings.codePage, 437);
  EXPECT_EQ(Settings.sbcsSpacing, 5);
}

}  // namespace

}  // namespace vexo
