// Bad input of every kind, end to end: files that cannot be opened or read,
// short and truncated fonts, wrong magics, sizes out of range, absurd code
// ranges and vectors, configuration lines of any length, and output files
// that cannot be opened or written. Every case must end with its own
// message and status, never with a crash or a damaged output file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "testkit/test_fonts.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

constexpr size_t kEmptyOutputSize = 85;
constexpr size_t kGlyphRecordFileSize = 116;

// One load phase: its configuration key, its kind and a size it accepts.
struct Phase {
  const char* key;
  bool dbcs;
  uint32_t width;
  uint32_t height;
};

const Phase kPhases[] = {
    {"SbcsThermalFile", false, 12, 24},
    {"SbcsImpactFile", false, 8, 9},
    {"DbcsThermalFile", true, 24, 24},
    {"DbcsImpactFile", true, 16, 16},
};

// Replaces the first "%s" of `format` with `name`.
std::string Format(std::string format, const std::string& name) {
  format.replace(format.find("%s"), 2, name);
  return format;
}

class BadInputTest : public ::testing::Test {
 protected:
  // A font of `glyphs` pattern glyphs from code 0x41 (SBCS) or 0x8140
  // (DBCS, one lead byte, trail bytes 0x40 up), accepted by `phase`.
  static Bytes Font(const Phase& phase, int glyphs = 3) {
    Bytes font;
    if (!phase.dbcs) {
      AppendSbcsHeader(&font, {.magic = "",
                               .firstChar = 0x41,
                               .lastChar = uint16_t(0x41 + glyphs - 1),
                               .width = phase.width,
                               .height = phase.height});
    } else {
      DbcsVectors vectors;
      vectors.fontVector1 = {{0x81, 0x81}};
      vectors.fontVector2 = {{0x40, 0xFC}};
      AppendDbcsHeader(&font,
                       {.magic = "", .lastChar = uint16_t(0x8140 + glyphs - 1),
                        .width = phase.width, .height = phase.height},
                       vectors);
    }
    for (int i = 0; i < glyphs; ++i) {
      AppendGlyph(&font, PatternGlyph(i, int(phase.width), int(phase.height)));
    }
    return font;
  }

  std::string Save(const std::string& name, const Bytes& bytes) {
    // WriteBytes hands an empty vector's null data to fwrite.
    if (bytes.empty()) return dir_.WriteText(name, "");
    const std::string path = dir_.File(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }

  // Runs a configuration of `lines` plus an output line naming Output().
  CapturedRun Run(const std::string& lines) {
    return RunConverterOn(dir_.WriteText(
        "run.cfg", lines + "\nOutputFontFile " + Output() + "\n"));
  }

  std::string Output() const { return dir_.File("out.fnt"); }
  size_t OutputSize() const { return ReadBytes(Output()).size(); }

  ScratchDir dir_;
};

TEST_F(BadInputTest, FontsThatCannotBeOpenedAreSkipped) {
  const std::string regular = Save("regular.fnt", Font(kPhases[0]));
  const std::string names[] = {
      dir_.File("missing.fnt"),
      dir_.File("no/such/folder.fnt"),
      regular + "/inside-a-file.fnt",
      dir_.File(std::string(180 - dir_.path().size(), 'm')),
  };
  for (const Phase& phase : kPhases) {
    for (const std::string& name : names) {
      const CapturedRun run = Run(std::string(phase.key) + " " + name);
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.err, Format("Could not open file '%s' for reading\n", name))
          << phase.key;
      EXPECT_NE(run.out.find(Format("Opening file '%s' for reading\n", name)),
                std::string::npos);
      EXPECT_EQ(OutputSize(), kEmptyOutputSize);
      EXPECT_FALSE(std::filesystem::exists(name));  // not created
    }
  }
}

// Linux opens a folder and fails the first read; Windows cannot open one.
TEST_F(BadInputTest, FolderNamedAsFontFailsItsHeaderRead) {
  const std::string folder = dir_.path();
  for (const Phase& phase : kPhases) {
    const CapturedRun run = Run(std::string(phase.key) + " " + folder);
    EXPECT_EQ(run.status, 0);
#ifdef _WIN32
    EXPECT_EQ(run.err, Format("Could not open file '%s' for reading\n", folder))
        << phase.key;
#else
    EXPECT_EQ(run.err,
              std::string(phase.dbcs ? "Error reading DBCS file header... "
                                       "read=64 actual=-1\n"
                                     : "Error reading SBCS file header... "
                                       "read=32 actual=-1\n") +
                  Format("Could not read file '%s' font header\n", folder))
        << phase.key;
#endif
    EXPECT_EQ(OutputSize(), kEmptyOutputSize);
  }
}

// The null device reads as an empty file on both platforms.
TEST_F(BadInputTest, NullDeviceNamedAsFontIsAnEmptyHeader) {
#ifdef _WIN32
  const std::string device = "nul";
#else
  const std::string device = "/dev/null";
#endif
  for (const Phase& phase : kPhases) {
    const CapturedRun run = Run(std::string(phase.key) + " " + device);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              std::string(phase.dbcs ? "Error reading DBCS file header... "
                                       "read=64 actual=0\n"
                                     : "Error reading SBCS file header... "
                                       "read=32 actual=0\n") +
                  Format("Could not read file '%s' font header\n", device))
        << phase.key;
  }
}

TEST_F(BadInputTest, EveryShortHeaderIsReportedWithItsLength) {
  for (const Phase& phase : kPhases) {
    const Bytes font = Font(phase);
    const size_t headerSize = phase.dbcs ? 64 : 32;
    for (size_t size = 0; size < headerSize; ++size) {
      const std::string name =
          Save("short.fnt", Bytes(font.begin(), font.begin() + size));
      const CapturedRun run = Run(std::string(phase.key) + " " + name);
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.err,
                std::string(phase.dbcs ? "Error reading DBCS"
                                       : "Error reading SBCS") +
                    " file header... read=" + std::to_string(headerSize) +
                    " actual=" + std::to_string(size) + "\n" +
                    Format("Could not read file '%s' font header\n", name))
          << phase.key << " " << size;
      EXPECT_EQ(OutputSize(), kEmptyOutputSize);
    }
  }
}

// Every prefix of a valid font from its header on loads the glyphs that are
// whole in it and nothing else, silently.
TEST_F(BadInputTest, TruncatedFontsLoadTheirWholeGlyphs) {
  for (const Phase& phase : kPhases) {
    const Bytes font = Font(phase, 2);
    const size_t headerSize = phase.dbcs ? 64 : 32;
    const size_t glyphSize = phase.width == 24 ? 96 : 4 * phase.height;
    for (size_t size = headerSize; size <= font.size(); ++size) {
      const std::string name =
          Save("cut.fnt", Bytes(font.begin(), font.begin() + size));
      const CapturedRun run = Run(std::string(phase.key) + " " + name);
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.err, "") << phase.key << " " << size;
      const size_t glyphs = (size - headerSize) / glyphSize;
      EXPECT_EQ(OutputSize(), kEmptyOutputSize + kGlyphRecordFileSize * glyphs)
          << phase.key << " " << size;
    }
  }
}

TEST_F(BadInputTest, WrongMagicsAreRefusedWithoutAReaderMessage) {
  const Bytes sbcs = Font(kPhases[0]);
  const Bytes dbcs = Font(kPhases[2]);
  auto withMagic = [](Bytes font, const char(&magic)[17]) {
    std::copy(magic, magic + 16, font.begin());
    return font;
  };
  struct Case {
    const char* key;
    Bytes font;
  };
  const Case cases[] = {
      {"SbcsThermalFile", dbcs},
      {"SbcsImpactFile", withMagic(sbcs, "zynposSINGLEfont")},
      {"DbcsThermalFile", sbcs},
      {"DbcsImpactFile", withMagic(dbcs, "ZYNPosDBCSFont\0\0")},
      {"DbcsImpactFile", withMagic(dbcs, "ZYNPosSingleFont")},
      {"SbcsThermalFile", Bytes(32, 0)},
      {"DbcsThermalFile", Bytes(200, 0xFF)},
  };
  for (const Case& c : cases) {
    const std::string name = Save("magic.fnt", c.font);
    const CapturedRun run = Run(std::string(c.key) + " " + name);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, Format("Could not read file '%s' font header\n", name))
        << c.key;
    EXPECT_EQ(run.out.find("File type:"), std::string::npos);
    EXPECT_EQ(OutputSize(), kEmptyOutputSize);
  }
}

TEST_F(BadInputTest, ExtremeGlyphSizesAreRefusedByTheirPhase) {
  struct Case {
    Phase phase;
    const char* message;
  };
  const Case cases[] = {
      {{"SbcsThermalFile", false, 0, 24}, "File '%s' thermal width either <8 or >16\n"},
      {{"SbcsThermalFile", false, 0xFFFFFFFF, 24}, "File '%s' thermal width either <8 or >16\n"},
      {{"SbcsThermalFile", false, 12, 0}, "File '%s' thermal height either <16 or >32\n"},
      {{"SbcsThermalFile", false, 12, 0xFFFFFFFF}, "File '%s' thermal height either <16 or >32\n"},
      {{"SbcsImpactFile", false, 0x80000008, 9}, "File '%s' impact width either <4 or >16\n"},
      {{"SbcsImpactFile", false, 8, 0x80000009}, "File '%s' impact height either <4 or >16\n"},
      {{"SbcsImpactFile", false, 8, 0}, "File '%s' impact height either <4 or >16\n"},
      {{"DbcsThermalFile", true, 0xFFFFFFFF, 0xFFFFFFFF}, "File '%s' thermal width or height not equal to 24\n"},
      {{"DbcsThermalFile", true, 24, 0x10000018}, "File '%s' thermal width or height not equal to 24\n"},
      {{"DbcsImpactFile", true, 0x10000010, 16}, "File '%s' impact width not equal to 16\n"},
      {{"DbcsImpactFile", true, 16, 0xFFFFFFFF}, "File '%s' impact height not 9 or 16\n"},
      {{"DbcsImpactFile", true, 16, 0}, "File '%s' impact height not 9 or 16\n"},
  };
  for (const Case& c : cases) {
    Bytes font = Font({c.phase.key, c.phase.dbcs, 16, 16}, 1);
    for (int i = 0; i < 4; ++i) {
      font[24 + i] = uint8_t(c.phase.width >> (8 * i));
      font[28 + i] = uint8_t(c.phase.height >> (8 * i));
    }
    const std::string name = Save("size.fnt", font);
    const CapturedRun run = Run(std::string(c.phase.key) + " " + name);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, Format(c.message, name))
        << c.phase.key << " " << c.phase.width << "x" << c.phase.height;
    EXPECT_EQ(OutputSize(), kEmptyOutputSize);
  }
}

// Ranges and vectors are taken as they stand; none of them may make a load
// read past its file, store past a record or run without end.
TEST_F(BadInputTest, AbsurdRangesAndVectorsEndCleanly) {
  struct Case {
    const char* what;
    const char* key;
    Bytes font;
    size_t glyph_records;
  };
  auto sbcs = [](uint16_t first, uint16_t last, int glyphs) {
    Bytes font;
    AppendSbcsHeader(&font, {.magic = "", .firstChar = first,
                             .lastChar = last, .width = 8, .height = 16});
    for (int i = 0; i < glyphs; ++i) AppendGlyph(&font, PatternGlyph(i, 8, 16));
    return font;
  };
  auto dbcs = [](Vector leads, Vector trails, uint16_t last, int glyphs) {
    DbcsVectors vectors;
    vectors.fontVector1 = leads;
    vectors.fontVector2 = trails;
    Bytes font;
    AppendDbcsHeader(&font, {.magic = "", .lastChar = last, .width = 16,
                             .height = 16},
                     vectors);
    for (int i = 0; i < glyphs; ++i) AppendGlyph(&font, PatternGlyph(i, 16, 16));
    return font;
  };
  const Vector everyByte = {{1, 0xFF}, {1, 0xFF}, {1, 0xFF}, {1, 0xFF}};
  const Vector emptyRanges = {{0xFF, 1}, {0xFF, 1}, {0xFF, 1}, {0xFF, 1}};
  const Case cases[] = {
      {"last below first", "SbcsThermalFile", sbcs(0x50, 0x40, 3), 0},
      {"whole 16-bit range, 3 glyphs", "SbcsThermalFile", sbcs(0, 0xFFFF, 3),
       3},
      {"codes above 0xFF share the low byte", "SbcsThermalFile",
       sbcs(0xFF, 0x1FF, 257), 256},
      {"last code 0xFFFF ends the range", "SbcsThermalFile",
       sbcs(0xFFFF, 0xFFFF, 2), 1},
      {"every lead and trail, 5 glyphs", "DbcsImpactFile",
       dbcs(everyByte, everyByte, 0xFFFF, 5), 5},
      {"all lead ranges empty", "DbcsImpactFile",
       dbcs(emptyRanges, everyByte, 0xFFFF, 5), 0},
      {"all trail ranges empty", "DbcsImpactFile",
       dbcs(everyByte, emptyRanges, 0xFFFF, 5), 0},
      {"all trail pairs skipped", "DbcsImpactFile",
       dbcs(everyByte, {{0, 0xFF}, {0, 0xFF}, {0, 0xFF}, {0, 0xFF}}, 0xFFFF, 5),
       0},
      {"last code below every code", "DbcsImpactFile",
       dbcs(everyByte, everyByte, 0x00FF, 5), 0},
  };
  for (const Case& c : cases) {
    const CapturedRun run = Run(std::string(c.key) + " " + Save("f.fnt", c.font));
    EXPECT_EQ(run.status, 0) << c.what;
    EXPECT_EQ(run.err, "") << c.what;
    EXPECT_EQ(OutputSize(), kEmptyOutputSize + kGlyphRecordFileSize * c.glyph_records)
        << c.what;
  }
}

// Lines are taken in pieces of 199 characters: text after a long run of
// characters starts a line of its own only where a piece begins.
TEST_F(BadInputTest, ConfigurationLinesOfAnyLengthAreCutInto199CharacterPieces) {
  for (size_t length : {0, 1, 198, 199, 200, 397, 398, 399, 597, 4975, 4976,
                        99999, 100000, 199 * 1000}) {
    const CapturedRun run =
        Run(std::string(length, 'x') + "CodePage 932\nSbcsSpacing 5");
    EXPECT_EQ(run.status, 0);
    const Bytes out = ReadBytes(Output());
    ASSERT_EQ(out.size(), kEmptyOutputSize) << length;
    const int codePage = out[19] | out[20] << 8;
    EXPECT_EQ(codePage, length % 199 == 0 ? 932 : 0) << length;
    EXPECT_EQ(out[49], 5) << length;  // the next line is whole again
  }
}

TEST_F(BadInputTest, LongAndBinaryConfigurationValuesStayWithinTheirSlots) {
  const std::string longName(5000, 'n');
  const char kBinary[] = "SbcsThermalFile \x01\x02\xff\n\0\0CodePage 9\n\r\r\n";
  const std::string binary(kBinary, sizeof(kBinary) - 1);
  const CapturedRun run = Run("SbcsThermalFile " + longName + "\n" + binary);
  EXPECT_EQ(run.status, 0);
  // The value of the first piece: the line's first 199 characters less the
  // key and its blank.
  const std::string cut = longName.substr(0, 199 - 16);
  EXPECT_EQ(run.err, Format("Could not open file '%s' for reading\n", cut) +
                         "Could not open file '\x01\x02\xff' for reading\n");
  EXPECT_EQ(OutputSize(), kEmptyOutputSize);
}

TEST_F(BadInputTest, OutputIntoAFolderThatIsMissingOrIsTheNameFails) {
  for (const std::string& name :
       {dir_.File("missing/out.fnt"), dir_.path(), Output() + "/x"}) {
    Save("out.fnt", {});  // a regular file standing where a folder should
    const CapturedRun run =
        RunConverterOn(dir_.WriteText("run.cfg", "OutputFontFile " + name + "\n"));
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.err, Format("Could not open file '%s' for writing\n", name));
    EXPECT_EQ(run.out.substr(run.out.rfind("Opening")),
              Format("Opening '%s' for writing\n", name));
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("missing")));
}

// An output name that is one of the run's own inputs is refused before
// anything is written, and the input keeps every byte.
TEST_F(BadInputTest, OutputOverAnInputOrTheConfigurationIsRefused) {
  for (const Phase& phase : kPhases) {
    const Bytes font = Font(phase);
    const std::string path = Save("in.fnt", font);
    const std::string config = dir_.WriteText(
        "run.cfg", std::string(phase.key) + " " + path + "\nOutputFontFile " +
                       dir_.path() + "/./in.fnt\n");
    const CapturedRun run = RunConverterOn(config);
    EXPECT_EQ(run.status, 4) << phase.key;
    EXPECT_EQ(run.err, "Output file '" + dir_.path() +
                           "/./in.fnt' is the input font file '" + path +
                           "'; nothing written\n")
        << phase.key;
    EXPECT_EQ(run.out.find("for writing"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), font) << phase.key;
  }
  const std::string self = dir_.File("self.cfg");
  const std::string text = "OutputFontFile " + self + "\n";
  dir_.WriteText("self.cfg", text);
  const CapturedRun run = RunConverterOn(self);
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, "Output file '" + self + "' is the config file '" + self +
                         "'; nothing written\n");
  const Bytes kept = ReadBytes(self);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), text);
}

// A write that fails half way (here at the file size limit) is reported,
// and the previous output survives byte for byte with no temporary left.
TEST_F(BadInputTest, OutputCutShortByAWriteFailureKeepsThePreviousFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit to make a write fail";
#else
  const std::string font = Save("f.fnt", Font(kPhases[0], 20));
  const std::string config = dir_.WriteText(
      "run.cfg", "SbcsThermalFile " + font + "\nOutputFontFile " + Output() + "\n");
  const Bytes previous(500, 0xAA);  // an earlier output, shorter than the limit
  Save("out.fnt", previous);
  const auto before = dir_.Entries();
  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 1000;  // the output needs 85 + 20 x 116 bytes
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  // No SIGXFSZ handling here: the writer must keep the signal from ending
  // the run.
  const CapturedRun run = RunConverterOn(config);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, Format("Could not write file '%s'\n", Output()));
  EXPECT_EQ(ReadBytes(Output()), previous);
  EXPECT_EQ(dir_.Entries(), before);
#endif
}

// Windows' counterparts of a file that cannot be written: a read-only
// output file is refused and kept (Linux lets root write such a file).
TEST_F(BadInputTest, ReadOnlyOutputIsRefusedAndKept) {
#ifdef _WIN32
  const Bytes previous(500, 0xAA);
  Save("out.fnt", previous);
  namespace fs = std::filesystem;
  fs::permissions(Output(), fs::perms::owner_write, fs::perm_options::remove);
  if (std::FILE* probe = std::fopen(Output().c_str(), "ab")) {
    std::fclose(probe);
    fs::permissions(Output(), fs::perms::owner_write, fs::perm_options::add);
    GTEST_SKIP() << "this system writes read-only files (wine run as root)";
  }
  const CapturedRun run = Run("");
  fs::permissions(Output(), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, Format("Could not open file '%s' for writing\n", Output()));
  EXPECT_EQ(ReadBytes(Output()), previous);
#else
  if (geteuid() == 0) GTEST_SKIP() << "root may write a read-only file";
  const Bytes previous(500, 0xAA);
  Save("out.fnt", previous);
  ASSERT_EQ(chmod(Output().c_str(), 0444), 0);
  const CapturedRun run = Run("");
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, Format("Could not open file '%s' for writing\n", Output()));
  EXPECT_EQ(ReadBytes(Output()), previous);
#endif
}

// The real program, as a shell runs it: exit statuses and the two streams.
class ProgramTest : public BadInputTest {
 protected:
  struct Result {
    int status;
    std::string out;
    std::string err;
  };

  Result RunProgram(const std::string& arguments) {
    const std::string out = dir_.File("stdout"), err = dir_.File("stderr");
    const int raw = std::system(
        Native(VEXOCNVT_BINARY + (" " + arguments) + " >" + out + " 2>" + err)
            .c_str());
    const Bytes o = ReadBytes(out), e = ReadBytes(err);
#ifdef _WIN32
    // The console's text mode ends every line with CR LF.
    return {raw, Unix(std::string(o.begin(), o.end())),
            Unix(std::string(e.begin(), e.end()))};
#else
    EXPECT_TRUE(WIFEXITED(raw));  // not killed by a signal
    return {WEXITSTATUS(raw), std::string(o.begin(), o.end()),
            std::string(e.begin(), e.end())};
#endif
  }

  // A command line for the platform's shell: cmd.exe wants backslashes.
  static std::string Native(std::string command) {
#ifdef _WIN32
    for (char& c : command) {
      if (c == '/') c = '\\';
    }
#endif
    return command;
  }

  static std::string Unix(const std::string& text) {
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      lines += text[i];
    }
    return lines;
  }
};

TEST_F(ProgramTest, ExitStatusesAndMessagesOfFailedRuns) {
  const Result usage = RunProgram("");
  EXPECT_EQ(usage.status, 1);
  EXPECT_EQ(usage.err, "usage:  vexocnvt config-file\n");
  EXPECT_EQ(usage.out, "");

  const std::string missing = Native(dir_.File("missing.cfg"));
  const Result noConfig = RunProgram(missing);
  EXPECT_EQ(noConfig.status, 2);
  EXPECT_EQ(noConfig.err,
            Format("Could not open '%s' for reading\n", missing) +
                Format("Could not read config file '%s'\n", missing));

  const std::string noFolder = dir_.File("missing/out.fnt");
  const Result openFailed =
      RunProgram(dir_.WriteText("a.cfg", "OutputFontFile " + noFolder + "\n"));
  EXPECT_EQ(openFailed.status, 4);
  EXPECT_EQ(openFailed.err,
            Format("Could not open file '%s' for writing\n", noFolder));
}

// A conversion in a process that already ran a larger one gives exactly
// what a fresh process gives: nothing of the first run's table, index or
// settings may show through.
TEST_F(ProgramTest, SecondConversionInAProcessEqualsAFreshProcess) {
  const std::string big = Save("big.fnt", Font(kPhases[3], 300));
  const std::string firstConfig = dir_.WriteText(
      "first.cfg", "DbcsImpactFile " + big + "\nSbcsThermalFile " +
                       Save("t.fnt", Font(kPhases[0], 90)) +
                       "\nCodePage 932\nVerbose 1\nOutputFontFile " +
                       dir_.File("first.out") + "\n");
  ASSERT_EQ(RunConverterOn(firstConfig).status, 0);

  const std::string secondConfig = dir_.WriteText(
      "second.cfg", "SbcsImpactFile " + Save("i.fnt", Font(kPhases[1], 5)) +
                        "\nDbcsThermalFile " +
                        Save("d.fnt", Font(kPhases[2], 7)) +
                        "\nDbcsImpactFile " + big + "\nOutputFontFile " +
                        dir_.File("second.out") + "\n");
  // Both runs name the configuration alike (backslashes on Windows).
  const CapturedRun inProcess = RunConverterOn(Native(secondConfig));
  const Bytes inProcessOutput = ReadBytes(dir_.File("second.out"));
  std::filesystem::remove(dir_.File("second.out"));
  const Result fresh = RunProgram(Native(secondConfig));
  EXPECT_EQ(inProcess.status, fresh.status);
  EXPECT_EQ(inProcess.out, fresh.out);
  EXPECT_EQ(inProcess.err, fresh.err);
  EXPECT_EQ(inProcessOutput, ReadBytes(dir_.File("second.out")));
  // 189 codes fit the one lead byte (trails 40-FC); the thermal 7 share them.
  EXPECT_EQ(inProcessOutput.size(), 85u + 116 * (5 + 189));
}

TEST_F(ProgramTest, OutputToAFullDeviceFailsAndLeavesTheDevice) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no device that refuses writes like /dev/full";
#else
  struct stat before;
  if (stat("/dev/full", &before) != 0 || access("/dev/full", W_OK) != 0) {
    GTEST_SKIP() << "no writable /dev/full";
  }
  const std::string font = Save("f.fnt", Font(kPhases[2], 50));
  const Result run = RunProgram(dir_.WriteText(
      "full.cfg", "DbcsThermalFile " + font + "\nOutputFontFile /dev/full\n"));
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, "Could not write file '/dev/full'\n");
  struct stat after;
  ASSERT_EQ(stat("/dev/full", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(after.st_rdev, before.st_rdev);
#endif
}

}  // namespace

}  // namespace vexo
