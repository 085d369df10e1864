#include "vexofont/preview/preview_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testkit/run_capture.h"
#include "testkit/test_fonts.h"
#include "vexofont/make/make_command.h"
#include "vexofont/preview/preview_options.h"
#include "vexofont/preview/preview_text.h"

namespace vexo {

namespace {

namespace fs = std::filesystem;

const std::string kSource = VEXO_SOURCE_DIR;
const std::string kMisc = "/usr/share/fonts/X11/misc/";
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

CapturedRun Preview(std::vector<std::string> args) {
  args.insert(args.begin(), "preview");
  return RunInProcess(RunPreviewCommand, args);
}

CapturedRun Make(std::vector<std::string> args) {
  args.insert(args.begin(), "make");
  return RunInProcess(RunMakeCommand, args);
}

// The bundled example converted in a scratch folder.
class PreviewCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"sbcs_thermal_12x24.fnt", "sbcs_impact_8x9.fnt",
                             "dbcs_thermal_24x24.fnt", "dbcs_impact_16x16.fnt",
                             "demo.cfg"}) {
      fs::copy_file(kSource + "/examples/" + name, dir_.File(name));
    }
    const fs::path here = fs::current_path();
    fs::current_path(dir_.path());
    const CapturedRun run = RunConverterOn("demo.cfg");
    fs::current_path(here);
    ASSERT_EQ(run.status, 0) << run.err;
  }

  ScratchDir dir_;
  std::string out_ = dir_.File("demo.out");
};

struct StatusCase {
  std::vector<std::string> args;  // "@" stands for demo.out
  int status;
  std::string err;                // the whole of standard error, or "*"
};

TEST_F(PreviewCommandTest, StatusesAndMessages) {
  std::string big(kMaxPreviewText + 1, 'A');
  const std::string bigFile = dir_.WriteText("big.txt", big);
  Bytes cut;
  {
    std::vector<uint8_t> bytes(fs::file_size(out_));
    std::FILE* f = std::fopen(out_.c_str(), "rb");
    ASSERT_EQ(std::fread(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
    bytes.resize(bytes.size() - 50);
    cut = bytes;
  }
  ASSERT_TRUE(WriteBytes(dir_.File("cut.out"), cut));
  const std::string input = dir_.File("sbcs_thermal_12x24.fnt");
  // ｱ in Shift-JIS, and in UTF-8 as an application might wrongly send it;
  // a control byte and a lead byte with no trail.
  const std::string sjis = dir_.WriteText("sjis.bin", "\xB1");
  const std::string utf8 = dir_.WriteText("utf8.bin", "\xEF\xBD\xB1");
  const std::string broken = dir_.WriteText("broken.bin", "A\x07\x81");
  const StatusCase kCases[] = {
      {{"@", "--text",
        "\xC2\xA5"
        "1,200 \xE3\x82\xAB"},
       kPreviewDrawn,
       ""},
      {{"@", "--text", "\xE5\x90\x88 \xE2\x82\xAC"},
       kPreviewMarked,
       "vexofont preview: U+5408 '\xE5\x90\x88' (line 1, column 1) is code "
       "0x8d87, which the thermal station has no glyph for\n"
       "vexofont preview: U+20AC '\xE2\x82\xAC' (line 1, column 3) is not in "
       "code page 932\n"
       "vexofont preview: U+5408 '\xE5\x90\x88' (line 1, column 1) is code "
       "0x8d87, which the impact station has no glyph for\n"},
      // The JIS form a Japanese shop types, printed as 932's own, and named.
      {{"@", "--text", "\xE3\x80\x9C"},
       kPreviewDrawn,
       "vexofont preview: U+301C '\xE3\x80\x9C' (line 1, column 1) is not in "
       "code "
       "page 932: printed as its variant U+FF5E '\xEF\xBD\x9E', code 0x8160\n"},
      // Bytes as the printer reads them.
      {{"@", "--station", "thermal", "--bytes", sjis}, kPreviewDrawn, ""},
      {{"@", "--station", "thermal", "--bytes", utf8},
       kPreviewMarked,
       "vexofont preview: bytes 0xef 0xbd at offset 0 (line 1, column 1) is "
       "code "
       "0xefbd, which the thermal station has no glyph for\n"},
      {{"@", "--station", "thermal", "--bytes", broken},
       kPreviewMarked,
       "vexofont preview: byte 0x07 at offset 1 (line 1, column 2) is a "
       "control byte, "
       "drawn as the mark\n"
       "vexofont preview: byte 0x81 at offset 2 (line 1, column 3) leads a "
       "two-byte "
       "code of code page 932 but no trail byte follows\n"},
      {{"@", "--bytes", sjis, "--text", "A"},
       kPreviewUsage,
       "vexofont preview: --bytes, --text or --file, one of them\n"},
      // A byte-order mark skipped, a tab set, other controls marked.
      {{"@", "--text",
        "\xEF\xBB\xBF"
        "A\tB"},
       kPreviewDrawn,
       ""},
      {{"@", "--text", "A\x07"},
       kPreviewMarked,
       "vexofont preview: U+0007 (line 1, column 2) is a control character, "
       "drawn "
       "as the mark\n"},
      // A line past the width is named, wrapped or cut; drawn all the same.
      {{"@", "--station", "thermal", "--thermal-width", "30", "--text",
        "AB\nABA"},
       kPreviewDrawn,
       "vexofont preview: line 2 passes the thermal station's width (30 dots) "
       "at "
       "column 3: the rest goes on the next line\n"},
      {{"@", "--station", "thermal", "--thermal-width", "30", "--no-wrap",
        "--text", "AB\nABA"},
       kPreviewDrawn,
       "vexofont preview: line 2 passes the thermal station's width (30 dots) "
       "at "
       "column 3: cut there (--no-wrap)\n"},
      {{"@", "--text", "A", "--line-gap", "256"},
       kPreviewUsage,
       "vexofont preview: --line-gap '256' is not 0 to 255 dots\n"},
      {{"@", "--text", "A", "--tab", "0"},
       kPreviewUsage,
       "vexofont preview: --tab '0' is not 1 to 255 characters\n"},
      // Another code page's characters, the file's codes.
      {{"@", "--code-page", "437", "--text", "\xC3\x87"}, kPreviewDrawn, ""},
      {{"@", "--text", "\xC3("},
       kPreviewUsage,
       "vexofont preview: the text is not UTF-8 (byte 0)\n"},
      {{"@", "--file", bigFile},
       kPreviewUsage,
       "vexofont preview: the text of '" + bigFile +
           "' goes on past 16384 "
           "bytes, the most preview reads\n"},
      {{"@", "--file", dir_.File("none.txt")}, kPreviewUnreadable, "*"},
      {{dir_.File("none.out"), "--text", "A"}, kPreviewUnreadable, "*"},
      {{dir_.File("cut.out"), "--text", "A"}, kPreviewUnsound, "*"},
      {{input, "--text", "A"},
       kPreviewUnsound,
       "vexofont preview: '" + input +
           "' is not an output font file (no "
           "TagStart record): preview draws what the converter wrote\n"},
      {{"@", "--text", "A", "--png", dir_.File("no/p.png")},
       kPreviewUnreadable,
       "vexofont preview: cannot write '" + dir_.File("no/p.png") +
           "': No such file or directory\n"},
      // No output replaces an input.
      {{"@", "--text", "A", "--png", "@"},
       kPreviewUnreadable,
       "vexofont preview: cannot write '" + dir_.File("demo.out") +
           "': it is the font file previewed\n"},
      {{"@", "--file", dir_.File("demo.cfg"), "--html", dir_.File("demo.cfg")},
       kPreviewUnreadable,
       "vexofont preview: cannot write '" + dir_.File("demo.cfg") +
           "': it is the text file\n"},
      {{"@", "--text", "A", "--spacing", "3"},
       kPreviewUsage,
       "vexofont preview: --spacing '3' is not S,D (dots, 0 to 255)\n"},
      {{"@", "--text", "A", "--thermal-width", "10"},
       kPreviewUsage,
       "vexofont preview: a station's width is 24 to 4096 dots, not '10'\n"},
      // A dot pitch in millimetres, across by down or square.
      {{"@", "--text", "A", "--impact-pitch", "0.2x.35", "--thermal-pitch",
        "0.085", "--png", dir_.File("pitch.png")},
       kPreviewDrawn,
       ""},
      {{"@", "--text", "A", "--impact-pitch", "0.5x0.0625"},
       kPreviewUsage,
       "vexofont preview: --impact-pitch '0.5x0.0625' is not MM or MMxMM, "
       "0.063 "
       "to 0.5 millimetres\n"},
      {{"@", "--text", "A", "--thermal-pitch", "x0.2"},
       kPreviewUsage,
       "vexofont preview: --thermal-pitch 'x0.2' is not MM or MMxMM, 0.063 to "
       "0.5 millimetres\n"},
      {{"@", "--text", "A", "--station", "both2"}, kPreviewUsage, "*"},
      {{"@", "--text", "A", "--code-page", "951"}, kPreviewUsage, "*"},
      {{"--text", "A"},
       kPreviewUsage,
       "vexofont preview: no output font file given (or --config)\n"},
      {{"@", "--text", "A", "--file", "x"},
       kPreviewUsage,
       "vexofont preview: --text or --file, not both\n"},
  };
  for (const StatusCase& c : kCases) {
    std::vector<std::string> args;
    for (const std::string& a : c.args) args.push_back(a == "@" ? out_ : a);
    SCOPED_TRACE(args[0] + " " + (args.size() > 1 ? args[1] : ""));
    const CapturedRun run = Preview(args);
    EXPECT_EQ(run.status, c.status) << run.err;
    if (c.err != "*") {
      EXPECT_EQ(run.err, c.err);
    }
    if (c.status == kPreviewUsage || c.status == kPreviewUnsound ||
        c.status == kPreviewUnreadable) {
      EXPECT_FALSE(run.err.empty());
    }
  }
}

// --config converts in-process: the same picture as from the converted
// file, the converter's messages on standard error, nothing written.
TEST_F(PreviewCommandTest, ConfigurationPreviewsWhatTheConverterWrites) {
  const CapturedRun fromFile = Preview({out_, "--text",
                                        "\xC2\xA5"
                                        "1"});
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  fs::remove(out_);
  const fs::path here = fs::current_path();
  fs::current_path(dir_.path());
  const CapturedRun fromConfig = Preview({"--config", "demo.cfg", "--text",
                                          "\xC2\xA5"
                                          "1"});
  fs::current_path(here);
  EXPECT_EQ(fromConfig.status, 0) << fromConfig.err;
  EXPECT_EQ(fromConfig.out, fromFile.out);
  // Quiet but for errors; the converter's progress with -v.
  EXPECT_EQ(fromConfig.err, "");
  fs::current_path(dir_.path());
  const CapturedRun verbose =
      Preview({"--config", "demo.cfg", "-v", "--text", "\xC2\xA5" "1"});
  fs::current_path(here);
  EXPECT_EQ(verbose.out, fromFile.out);
  EXPECT_NE(verbose.err.find("Reading config file 'demo.cfg'"), std::string::npos);
  EXPECT_FALSE(fs::exists(out_));
}

struct CodePageCase {
  const char* page;
  std::vector<std::string> sources;  // SBCS, then DBCS 24, DBCS 16; may be empty
  const char* text;
};

// Receipts in each code page, from fonts make builds out of Debian's fonts.
TEST(PreviewReceiptsTest, EveryCodePageDrawsItsReceipt) {
  const CodePageCase kCases[] = {
      {"437", {kDejaVu}, "Total \xC2\xA3" "3.50 \xC3\x87\xC2\xBD"},
      {"858", {kDejaVu}, "Summe 12,50 \xE2\x82\xAC"},
      {"932", {kDejaVu, kMisc + "jiskan24.pcf.gz", kMisc + "jiskan16.pcf.gz"},
       "\xE5\x90\x88\xE8\xA8\x88 \xC2\xA5" "1,200"},
      {"936", {kDejaVu, kMisc + "gb24st.pcf.gz", kMisc + "gb16st.pcf.gz"},
       "\xE5\xAE\xAB\xE4\xBF\x9D\xE9\xB8\xA1\xE4\xB8\x81 38.00"},
      {"949", {kDejaVu, kMisc + "hanglm24.pcf.gz", kMisc + "hanglg16.pcf.gz"},
       "\xEA\xB9\x80\xEC\xB9\x98 9,000"},
      {"950", {kDejaVu, kMisc + "taipei24.pcf.gz", kMisc + "taipei16.pcf.gz"},
       "\xE7\x89\x9B\xE8\x82\x89\xE9\xBA\xB5 120"},
  };
  for (const CodePageCase& c : kCases) {
    SCOPED_TRACE(c.page);
    bool missing = false;
    for (const std::string& s : c.sources) missing = missing || !fs::exists(s);
    if (missing) {
      std::printf("skipped code page %s: a font is not installed\n", c.page);
      continue;
    }
    ScratchDir dir;
    const std::string text = c.text;
    std::string config = "CodePage " + std::string(c.page) + "\nOutputFontFile " +
                         dir.File("o.out") + "\n";
    const struct {
      const char* key;
      const char* kind;
      const char* station;
      const char* size;
    } kFonts[] = {{"SbcsThermalFile", "sbcs", "thermal", "12x24"},
                  {"SbcsImpactFile", "sbcs", "impact", "8x9"},
                  {"DbcsThermalFile", "dbcs", "thermal", "24x24"},
                  {"DbcsImpactFile", "dbcs", "impact", "16x16"}};
    for (int i = 0; i < 4 && (i < 2 || c.sources.size() > 1); ++i) {
      const std::string file = dir.File(std::to_string(i) + ".fnt");
      const std::string& source = c.sources[i < 2 ? 0 : i - 1];
      const CapturedRun made =
          Make({"--kind", kFonts[i].kind, "--station", kFonts[i].station, "--size",
                kFonts[i].size, "--code-page", c.page, "--text", text, source, file});
      ASSERT_EQ(made.status, 0) << made.err;
      config += std::string(kFonts[i].key) + " " + file + "\n";
    }
    const std::string cfg = dir.WriteText("p.cfg", config);
    const CapturedRun run = Preview({"--config", cfg, "--text", text, "--png",
                                     dir.File("p.png")});
    EXPECT_EQ(run.status, kPreviewDrawn) << run.err;
    EXPECT_EQ(run.err.find("vexofont preview:"), std::string::npos) << run.err;
    EXPECT_GT(fs::file_size(dir.File("p.png")), 100u);
  }
}

}  // namespace

}  // namespace vexo
