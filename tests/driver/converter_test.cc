#include "driver/converter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testkit/test_fonts.h"
#include "store/version.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

class ConverterTest : public ::testing::Test {
 protected:
  // An SBCS font of codes first..last with pattern glyphs.
  std::string Sbcs(const std::string& name, uint32_t width, uint32_t height,
                   int first = 0x41, int last = 0x42) {
    Bytes font;
    AppendSbcsHeader(&font, {.magic = "",
                             .firstChar = uint16_t(first),
                             .lastChar = uint16_t(last),
                             .width = width,
                             .height = height});
    for (int c = first; c <= last; ++c) {
      AppendGlyph(&font, PatternGlyph(c, int(width), int(height)));
    }
    return Save(name, font);
  }

  // A DBCS font of the codes 0x8140 up to `last`.
  std::string Dbcs(const std::string& name, uint32_t width, uint32_t height,
                   uint16_t last = 0x8141,
                   Vector codePageVector = {{0x81, 0x9F}, {0xE0, 0xFC}}) {
    DbcsVectors vectors;
    vectors.codePageVector1 = codePageVector;
    vectors.fontVector1 = {{0x81, 0x81}};
    vectors.fontVector2 = {{0x40, 0x7E}};
    Bytes font;
    AppendDbcsHeader(&font,
                     {.magic = "", .lastChar = last, .width = width,
                      .height = height},
                     vectors);
    for (uint16_t code : EnumerateDbcsCodes(vectors.fontVector1,
                                            vectors.fontVector2, last)) {
      AppendGlyph(&font, PatternGlyph(code, int(width), int(height)));
    }
    return Save(name, font);
  }

  std::string Save(const std::string& name, const Bytes& bytes) {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }

  std::string Config(const std::string& lines) {
    return dir_.WriteText("run.cfg", lines + "OutputFontFile " + Output() + "\n");
  }

  std::string Output() const { return dir_.File("out.fnt"); }

  // The 116-byte glyph records of the output file.
  std::vector<Bytes> GlyphRecords() const {
    const Bytes out = ReadBytes(Output());
    std::vector<Bytes> records;
    for (size_t at = 81; at + 116 <= out.size(); at += 116) {
      records.emplace_back(out.begin() + at, out.begin() + at + 116);
    }
    return records;
  }

  // The 16-bit value of the parameter record at `offset`.
  uint16_t Parameter(int offset) const {
    const Bytes out = ReadBytes(Output());
    return uint16_t(out.at(offset + 4) | out.at(offset + 5) << 8);
  }

  ScratchDir dir_;
};

TEST_F(ConverterTest, NoArgumentPrintsUsage) {
  char program[] = "anything";
  char* argv[] = {program, nullptr};
  const CapturedRun run =
      CaptureOutput([&argv] { return RunConverter(1, argv); });
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "usage:  vexocnvt config-file\n");
}

// --help and --version only as the one argument; any other first argument
// is a configuration file, whatever it is called.
TEST_F(ConverterTest, HelpAndVersionOnlyAsTheOneArgument) {
  const CapturedRun help = RunInProcess(RunConverter, {"vexocnvt", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("usage:  vexocnvt config-file\n"
                           "        vexocnvt --help | --version\n",
                           0),
            0u);
  for (const char* key : {"SbcsThermalFile", "SbcsImpactFile", "DbcsThermalFile",
                          "DbcsImpactFile", "OutputFontFile", "SbcsSpacing",
                          "DbcsSpacing", "CodePage", "Verbose"}) {
    EXPECT_NE(help.out.find(std::string("  ") + key + " "), std::string::npos)
        << key;
  }
  EXPECT_NE(help.out.find("(width 8 to 16, height 16 to 32, at width 16 at "
                          "most 24)"),
            std::string::npos);
  const CapturedRun version =
      RunInProcess(RunConverter, {"vexocnvt", "--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("vexocnvt ") + kReleaseVersion + "\n");
  EXPECT_EQ(version.err, "");
  struct Case {
    std::vector<std::string> args;
    const char* config;
  };
  const Case kCases[] = {{{"vexocnvt", "--help", "more"}, "--help"},
                         {{"vexocnvt", "--version", "more"}, "--version"},
                         {{"vexocnvt", "-h"}, "-h"},
                         {{"vexocnvt", "--Help"}, "--Help"}};
  for (const Case& c : kCases) {
    const CapturedRun run = RunInProcess(RunConverter, c.args);
    EXPECT_EQ(run.status, 2) << c.config;
    EXPECT_EQ(run.out, std::string("Reading config file '") + c.config + "'\n");
  }
}

TEST_F(ConverterTest, MissingConfigurationEndsWithStatus2) {
  const std::string path = dir_.File("absent.cfg");
  const CapturedRun run = RunConverterOn(path);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "Reading config file '" + path + "'\n");
  EXPECT_EQ(run.err, "Could not open '" + path + "' for reading\n"
                     "Could not read config file '" + path + "'\n");
}

TEST_F(ConverterTest, EmptyConfigurationWritesNoneInTheWorkingFolder) {
  const std::string config = dir_.WriteText("empty.cfg", "");
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
  ASSERT_EQ(chdir(dir_.path().c_str()), 0);
  const CapturedRun run = RunConverterOn(config);
  ASSERT_EQ(chdir(cwd), 0);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Reading config file '" + config +
                         "'\nOpening 'None' for writing\n");
  EXPECT_EQ(ReadBytes(dir_.File("None")).size(), 85u);
}

TEST_F(ConverterTest, TypicalRunPrintsItsStepsInOrder) {
  const std::string st = Sbcs("st.fnt", 12, 24, 0x41, 0x43);
  const std::string si = Sbcs("si.fnt", 8, 9, 0x41, 0x42);
  const std::string missing = dir_.File("missing.fnt");
  const std::string config = Config("SbcsThermalFile " + st +
                                    "\nSbcsImpactFile " + missing +
                                    "\nSbcsImpactFile " + si + "\n");
  const CapturedRun run = RunConverterOn(config, /*merged=*/true);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Reading config file '" + config + "'\n"
            "Opening file '" + st + "' for reading\n"
            "File type:  'ZYNPosSingleFont'\nVersion:    1\n"
            "Code page:  0\nFirst char: 41\nLast char:  43\n"
            "Width:      12\nHeight:     24\n\n"
            "Reading SBCS Thermal File '" + st + "'...\n"
            "Opening file '" + missing + "' for reading\n"
            "Could not open file '" + missing + "' for reading\n"
            "Opening file '" + si + "' for reading\n"
            "File type:  'ZYNPosSingleFont'\nVersion:    1\n"
            "Code page:  0\nFirst char: 41\nLast char:  42\n"
            "Width:      8\nHeight:     9\n\n"
            "Reading SBCS Impact File '" + si + "'...\n"
            "Comparing SBCS thermal and impact fonts\n"
            "Char 43 not defined in SBCS Impact\n"
            "Opening '" + Output() + "' for writing\n");
  EXPECT_EQ(GlyphRecords().size(), 3u);
}

struct RejectCase {
  const char* key;
  uint32_t width, height;
  bool dbcs;
  const char* message;  // %s stands for the file name
};

TEST_F(ConverterTest, GlyphSizesOutsideThePhaseRulesAreRefused) {
  const RejectCase cases[] = {
      {"SbcsThermalFile", 7, 24, false, "File '%s' thermal width either <8 or >16\n"},
      {"SbcsThermalFile", 17, 33, false, "File '%s' thermal width either <8 or >16\n"},
      {"SbcsThermalFile", 0x80000008u, 24, false, "File '%s' thermal width either <8 or >16\n"},
      {"SbcsThermalFile", 8, 15, false, "File '%s' thermal height either <16 or >32\n"},
      {"SbcsThermalFile", 8, 33, false, "File '%s' thermal height either <16 or >32\n"},
      {"SbcsThermalFile", 16, 25, false, "File '%s' thermal height above 24 at width 16\n"},
      {"SbcsImpactFile", 3, 16, false, "File '%s' impact width either <4 or >16\n"},
      {"SbcsImpactFile", 4, 17, false, "File '%s' impact height either <4 or >16\n"},
      {"DbcsThermalFile", 24, 16, true, "File '%s' thermal width or height not equal to 24\n"},
      {"DbcsThermalFile", 16, 24, true, "File '%s' thermal width or height not equal to 24\n"},
      {"DbcsImpactFile", 24, 16, true, "File '%s' impact width not equal to 16\n"},
      {"DbcsImpactFile", 16, 12, true, "File '%s' impact height not 9 or 16\n"},
  };
  for (const RejectCase& c : cases) {
    const std::string font = c.dbcs ? Dbcs("bad.fnt", c.width, c.height)
                                     : Sbcs("bad.fnt", c.width, c.height);
    const CapturedRun run =
        RunConverterOn(Config(std::string(c.key) + " " + font + "\n"));
    std::string expected = c.message;
    expected.replace(expected.find("%s"), 2, font);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, expected) << c.key << " " << c.width << "x" << c.height;
    EXPECT_EQ(run.out.find("Reading "), run.out.find("Reading config"));
    EXPECT_NE(run.out.find("Height:"), std::string::npos);  // dumped first
    EXPECT_TRUE(GlyphRecords().empty());
  }
}

TEST_F(ConverterTest, AcceptedSizeBoundariesLoad) {
  const std::string config = Config(
      "SbcsThermalFile " + Sbcs("a.fnt", 8, 16) + "\nSbcsThermalFile " +
      Sbcs("b.fnt", 16, 24) + "\nSbcsThermalFile " + Sbcs("c.fnt", 15, 32) +
      "\nSbcsImpactFile " + Sbcs("d.fnt", 4, 16) + "\nSbcsImpactFile " +
      Sbcs("e.fnt", 16, 4) + "\n");
  const CapturedRun run = RunConverterOn(config);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  for (const char* name : {"a", "b", "c"}) {
    EXPECT_NE(run.out.find("Reading SBCS Thermal File '" + dir_.File(name) +
                           ".fnt'..."),
              std::string::npos);
  }
  // The parameters of the last file that loaded in each phase.
  EXPECT_EQ(Parameter(21), 15);
  EXPECT_EQ(Parameter(27), 32);
  EXPECT_EQ(Parameter(33), 16);
  EXPECT_EQ(Parameter(39), 4);
}

TEST_F(ConverterTest, BadHeadersAreReportedAndSkipped) {
  Bytes dbcsInSbcsList;
  AppendDbcsHeader(&dbcsInSbcsList, {.magic = "", .width = 8, .height = 16},
                   {});
  const std::string empty = Save("empty.fnt", {});
  const std::string wrong = Save("wrong.fnt", dbcsInSbcsList);
  const std::string folder = dir_.path();
  const CapturedRun run = RunConverterOn(
      Config("SbcsThermalFile " + empty + "\nSbcsThermalFile " + wrong +
             "\nDbcsImpactFile " + empty + "\nDbcsImpactFile " + folder +
             "\n"),
      /*merged=*/true);
  EXPECT_EQ(run.status, 0);
  const std::string expectedTail =
      "Opening file '" + empty +
      "' for reading\n"
      "Error reading SBCS file header... read=32 actual=0\n"
      "Could not read file '" +
      empty +
      "' font header\n"
      "Opening file '" +
      wrong +
      "' for reading\n"
      "Could not read file '" +
      wrong +
      "' font header\n"
      "Opening file '" +
      empty +
      "' for reading\n"
      "Error reading DBCS file header... read=64 actual=0\n"
      "Could not read file '" +
      empty +
      "' font header\n"
      "Opening file '" +
      folder + "' for reading\n" +
#ifdef _WIN32
      // Windows cannot open a folder as a file at all.
      "Could not open file '" + folder + "' for reading\n" +
#else
      "Error reading DBCS file header... read=64 actual=-1\n"
      "Could not read file '" +
      folder + "' font header\n" +
#endif
      "Opening '" + Output() + "' for writing\n";
  ASSERT_GE(run.out.size(), expectedTail.size());
  EXPECT_EQ(run.out.substr(run.out.size() - expectedTail.size()), expectedTail);
}

TEST_F(ConverterTest, DbcsParametersComeFromTheirOwnPhases) {
  const std::string thermal =
      Dbcs("t.fnt", 24, 24, 0x8141, {{0x81, 0x9F}, {0xE0, 0xFC}, {1, 2}, {3, 4}});
  const std::string nine = Dbcs("i9.fnt", 16, 9, 0x8141, {{0x11, 0x22}});
  const std::string sixteen = Dbcs("i16.fnt", 16, 16, 0x8142, {{0x33, 0x44}});
  RunConverterOn(Config("DbcsThermalFile " + thermal + "\nDbcsImpactFile " +
                        nine + "\n"));
  EXPECT_EQ(Parameter(57), 1);
  const Bytes out = ReadBytes(Output());
  const Bytes vectors(out.begin() + 63, out.begin() + 81);
  EXPECT_EQ(vectors, (Bytes{0xED, 0, 2, 0, 0x81, 0x9F, 0xED, 0, 2, 0, 0xE0,
                            0xFC, 0xED, 0, 2, 0, 1, 2}));

  const CapturedRun run = RunConverterOn(Config(
      "DbcsThermalFile " + thermal + "\nDbcsImpactFile " + nine +
      "\nDbcsImpactFile " + sixteen + "\n"));
  EXPECT_EQ(Parameter(57), 0);
  EXPECT_EQ(ReadBytes(Output())[67], 0x81);  // impact fonts leave the vector
  EXPECT_NE(run.out.find("Comparing DBCS thermal and impact fonts\n"
                         "Char 8142 not defined in DBCS Thermal\n"
                         "Opening '"),
            std::string::npos);
}

TEST_F(ConverterTest, ReportsRunOnlyWhenBothStationsOfAKindLoaded) {
  const CapturedRun run = RunConverterOn(
      Config("SbcsThermalFile " + Sbcs("t.fnt", 8, 16) + "\nDbcsImpactFile " +
             Dbcs("i.fnt", 16, 16) + "\n"));
  EXPECT_EQ(run.out.find("Comparing"), std::string::npos);
  EXPECT_EQ(GlyphRecords().size(), 4u);  // still written
}

TEST_F(ConverterTest, FurtherArgumentsAreIgnored) {
  const std::string config = Config("");
  std::vector<char> program = {'x', '\0'};
  std::vector<char> first(config.begin(), config.end());
  first.push_back('\0');
  std::vector<char> extra = {'-', '-', 'x', '\0'};
  char* argv[] = {program.data(), first.data(), extra.data(), nullptr};
  const CapturedRun run =
      CaptureOutput([&argv] { return RunConverter(3, argv); });
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadBytes(Output()).size(), 85u);
}

// 0x0A and 0x1A are the bytes a text-mode stream would change (a line feed
// written as CR LF, Ctrl-Z read as the end): they must reach the output
// unchanged from every place they come from, on every platform.
TEST_F(ConverterTest, LineFeedAndCtrlZBytesPassUnchanged) {
  Bytes font;
  AppendSbcsHeader(&font, {.magic = "", .firstChar = 0x0A, .lastChar = 0x1A,
                           .width = 0x0A, .height = 0x1A});
  for (int c = 0x0A; c <= 0x1A; ++c) {
    AppendGlyph(&font, GlyphRows(0x1A, 0x0A1A0A1Au));
  }
  const std::string path = Save("lf.fnt", font);
  ASSERT_EQ(RunConverterOn(Config("SbcsThermalFile " + path +
                                  "\nCodePage 6666\nSbcsSpacing 10\n"))
                .status,
            0);
  Bytes expected = {0xEB, 0, 2, 0, 1, 0, 0xEA, 0, 5, 0, 'T', 'o', 'd', 'a', 'y'};
  const std::pair<uint8_t, uint16_t> numbers[] = {
      {0xEC, 0x1A0A}, {0xEF, 0x0A}, {0xF0, 0x1A}, {0xF1, 0}, {0xF2, 0},
      {0xF4, 8},      {0xF3, 6},    {0xF7, 0},    {0xED, 0}, {0xED, 0},
      {0xED, 0}};
  for (const auto& [tag, value] : numbers) {
    expected.insert(expected.end(),
                    {tag, 0, 2, 0, uint8_t(value), uint8_t(value >> 8)});
  }
  for (int c = 0x0A; c <= 0x1A; ++c) {
    // 26 rows of the two bytes a width of 10 takes, then the rest zero.
    expected.insert(expected.end(),
                    {0xF6, 0, 112, 0, 2, 0xCC, 0, uint8_t(c), 1, 52, 0, 0});
    for (int row = 0; row < 26; ++row) expected.insert(expected.end(), {0x0A, 0x1A});
    expected.insert(expected.end(), 72 - 52 + 32, 0);
  }
  expected.insert(expected.end(), {0xFE, 0, 0, 0});
  ASSERT_EQ(expected.size(), 85u + 17 * 116u);
  EXPECT_EQ(ReadBytes(Output()), expected);
}

TEST_F(ConverterTest, OutputThatCannotBeWrittenEndsWithStatus4) {
  const std::string missing = dir_.File("no/such/folder.fnt");
  const std::string config =
      dir_.WriteText("bad-out.cfg", "OutputFontFile " + missing + "\n");
  const CapturedRun run = RunConverterOn(config);
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, "Could not open file '" + missing + "' for writing\n");
  if (std::filesystem::exists("/dev/full")) {
    const CapturedRun full = RunConverterOn(
        dir_.WriteText("full.cfg", "OutputFontFile /dev/full\n"));
    EXPECT_EQ(full.status, 4);
    EXPECT_EQ(full.err, "Could not write file '/dev/full'\n");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
  }
}

}  // namespace

}  // namespace vexo
