// make with the fonts shops have, from Debian's packages: bitmap fonts
// named only by their X font name, JIS X 0201, font collections' faces,
// the single-byte half of 932, and receipt text in each language. A case
// whose font is not installed is skipped, naming the package.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "make_test_support.h"
#include "testkit/bdf_font.h"
#include "vexofont/fontrules/stored_codes.h"
#include "vexofont/make/make_command.h"
#include "vexofont/make/table_room.h"

namespace vexo {

namespace {

constexpr char kMisc[] = "/usr/share/fonts/X11/misc/";

struct RealFontCase {
  const char* package;
  std::string font;
  std::vector<std::string> args;  // before the font and the output
  int status;
  std::vector<std::string> out;   // pieces of standard output, in order
  std::string err;                // the whole of standard error
};

std::vector<std::string> Dbcs(const char* station, const char* size,
                              const char* page, const char* text) {
  return {"--kind", "dbcs", "--station", station, "--size", size,
          "--code-page", page, "--strict", "--text", text};
}

class RealFontsTest : public ::testing::TestWithParam<RealFontCase> {
 protected:
  ScratchDir dir_;
};

TEST_P(RealFontsTest, MakesWhatTheShopNeeds) {
  const RealFontCase& c = GetParam();
  if (!std::filesystem::exists(c.font)) {
    GTEST_SKIP() << c.font << " is not installed (Debian package " << c.package
                 << ")";
  }
  std::vector<std::string> args = c.args;
  args.push_back(c.font);
  const std::string out = dir_.File("out.fnt");
  if (std::find(args.begin(), args.end(), "--list-faces") == args.end()) {
    args.push_back(out);
  }
  const CapturedRun run = RunMake(args);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.err, c.err);
  size_t at = 0;
  for (const std::string& piece : c.out) {
    at = run.out.find(piece, at);
    EXPECT_NE(at, std::string::npos) << piece << "\nin: " << run.out;
    if (at == std::string::npos) break;
  }
}

const std::string kUming = "/usr/share/fonts/truetype/arphic/uming.ttc";

#ifdef _WIN32
// Windows has no conversion of CNS 11643: the font is refused.
const RealFontCase kCns24Case{"xfonts-intl-chinese", std::string(kMisc) + "cns1-24.pcf.gz",
    Dbcs("thermal", "24x24", "950", "\xE5\x8F\xB0\xE5\x8C\x97"),
    kMakeSourceFailed, {},
    "vexofont make: Windows cannot map code page 950 to "
    "'CNS11643.1992-1' of font '" + std::string(kMisc) +
        "cns1-24.pcf.gz'\n"};
#else
const RealFontCase kCns24Case{"xfonts-intl-chinese", std::string(kMisc) + "cns1-24.pcf.gz",
    Dbcs("thermal", "24x24", "950", "\xE5\x8F\xB0\xE5\x8C\x97"),
    0, {"2 selected (0 of them missing)"}, ""};
#endif

INSTANTIATE_TEST_SUITE_P(
    Shops, RealFontsTest,
    ::testing::Values(
        // Big5 and CNS 11643 fonts without charset properties: the charset
        // comes from the X font name.
        RealFontCase{"xfonts-intl-chinese", std::string(kMisc) + "taipei24.pcf.gz",
                     Dbcs("thermal", "24x24", "950", "\xE5\x8F\xB0\xE5\x8C\x97"),
                     0, {"2 selected (0 of them missing)"}, ""},
        kCns24Case,
        // JIS X 0201 for 932's single-byte half: ASCII with the yen sign,
        // and the half-width katakana.
        RealFontCase{"xfonts-base", std::string(kMisc) + "12x24rk.pcf.gz",
                     {"--kind", "sbcs", "--station", "thermal", "--size",
                      "12x24", "--code-page", "932"},
                     0, {"224 glyphs, 66 blank because missing (0x7f to 0xa0, "
                         "0xe0 to 0xff)"}, ""},
        // The DBCS bitmap fonts of each language.
        RealFontCase{"xfonts-base", std::string(kMisc) + "gb24st.pcf.gz",
                     Dbcs("thermal", "24x24", "936",
                          "\xE5\xAE\xAB\xE4\xBF\x9D\xE9\xB8\xA1\xE4\xB8\x81"),
                     0, {"4 selected (0 of them missing)"}, ""},
        RealFontCase{"xfonts-base", std::string(kMisc) + "hanglm24.pcf.gz",
                     Dbcs("thermal", "24x24", "949",
                          "\xEA\xB9\x80\xEC\xB9\x98"),
                     0, {"2 selected (0 of them missing)"}, ""},
        RealFontCase{"xfonts-base", std::string(kMisc) + "jiskan16.pcf.gz",
                     Dbcs("impact", "16x16", "932",
                          "\xE5\x90\x88\xE8\xA8\x88\xE9\x87\x91\xE9\xA1\x8D"),
                     0, {"4 selected (0 of them missing)"}, ""},
        // A collection's faces, and its Taiwanese face.
        RealFontCase{"fonts-arphic-uming", kUming, {"--list-faces"}, 0,
                     {"0 AR PL UMing CN Light\n", "2 AR PL UMing TW Light\n"},
                     ""},
        RealFontCase{"fonts-arphic-uming", kUming,
                     [] {
                       auto a = Dbcs("thermal", "24x24", "950",
                                     "\xE5\x8F\xB0\xE5\x8C\x97");
                       a.insert(a.end(), {"--face", "2"});
                       return a;
                     }(),
                     0, {"2 selected (0 of them missing)"}, ""},
        // Outline fonts with a receipt's characters; the yen sign that GBK
        // does not hold is drawn as the form it holds, and named.
        RealFontCase{"fonts-wqy-zenhei", "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
                     {"--kind", "dbcs", "--station", "thermal", "--size", "24x24",
                      "--code-page", "936", "--text",
                      "\xE5\xAE\xAB\xE4\xBF\x9D \xC2\xA5"},
                     0, {"3 selected (0 of them missing)"},
                     "vexofont make: U+00A5 '\xC2\xA5' is not in code page 936: "
                     "drawn as its full-width form U+FFE5 '\xEF\xBF\xA5', code "
                     "0xa3a4\n"},
        // The JIS forms a Japanese shop types, drawn as 932's own.
        RealFontCase{"fonts-ipafont-gothic", "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                     Dbcs("thermal", "24x24", "932",
                          "\xE3\x80\x9C\xE2\x88\x92\xE2\x80\x96"),
                     0, {"3 selected (0 of them missing)"},
                     "vexofont make: U+2016 '\xE2\x80\x96' is not in code page 932: "
                     "drawn as its variant U+2225 '\xE2\x88\xA5', code 0x8161\n"
                     "vexofont make: U+2212 '\xE2\x88\x92' is not in code page 932: "
                     "drawn as its variant U+FF0D '\xEF\xBC\x8D', code 0x817c\n"
                     "vexofont make: U+301C '\xE3\x80\x9C' is not in code page 932: "
                     "drawn as its variant U+FF5E '\xEF\xBD\x9E', code 0x8160\n"},
        RealFontCase{"fonts-ipafont-gothic", "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                     Dbcs("thermal", "24x24", "932",
                          "\xE5\x90\x88\xE8\xA8\x88\xEF\xBF\xA5"),
                     0, {"3 selected (0 of them missing)"}, ""},
        RealFontCase{"fonts-nanum", "/usr/share/fonts/truetype/nanum/NanumGothic.ttf",
                     Dbcs("thermal", "24x24", "949", "\xEB\x98\xA0\xEA\xB9\x80"),
                     0, {"2 selected (0 of them missing)"}, ""},
        // With no --face, the face made for the code page's language, named;
        // a face given for another language is warned of.
        RealFontCase{"fonts-arphic-uming", kUming,
                     Dbcs("thermal", "24x24", "950", "\xE5\x8F\xB0"), 0,
                     {"face 2 (AR PL UMing TW Light), outline"}, ""},
        RealFontCase{"fonts-arphic-uming", kUming,
                     Dbcs("thermal", "24x24", "936", "\xE8\xBE\xB9"), 0,
                     {"face 0 (AR PL UMing CN Light), outline"}, ""},
        RealFontCase{"fonts-arphic-uming", kUming,
                     [] {
                       auto a = Dbcs("impact", "16x16", "932", "\xE9\xAA\xA8");
                       a.insert(a.end(), {"--face", "1"});
                       return a;
                     }(),
                     0, {"face 1 (AR PL UMing HK Light)"},
                     "vexofont make: warning: font '" + kUming +
                         "': face 1 (AR PL UMing HK Light) is made for code "
                         "page 950, not 932\n"},
        // Ideographs that reach above the font's declared ascent: the em box
        // is placed where they lie, so even --clip cuts no dot of the dot of
        // 宫 or the top of 鱼.
        RealFontCase{"fonts-wqy-microhei", "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
                     [] {
                       auto a = Dbcs("thermal", "24x24", "936",
                                     "\xE5\xAE\xAB\xE9\xB1\xBC");
                       a.push_back("--clip");
                       return a;
                     }(),
                     0, {"2 selected (0 of them missing)", "0 clipped"}, ""},
        // A bitmap font larger than the cell is reduced whole, not cropped.
        RealFontCase{"xfonts-intl-chinese-big", std::string(kMisc) + "cc40s.pcf.gz",
                     Dbcs("thermal", "24x24", "936", "\xE5\xAE\xAB"), 0,
                     {"strike 40x40 reduced to 24x24", "0 clipped"}, ""},
        // Marks above capitals at 8x9 are kept: the glyph is moved and
        // drawn smaller rather than cut.
        RealFontCase{"fonts-liberation",
                     "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x9",
                      "--code-page", "858", "--pixel-size", "10", "--baseline",
                      "7", "--strict", "--text", "\xC3\x84\xC3\x96\xC3\x9C"},
                     0, {"0 clipped, 3 moved into the cell"}, ""},
        // Capitals on 7 of 9 rows; a font of thin strokes (FreeMono) drawn
        // grey, where monochrome would drop them (at the thermal station,
        // whose rows are at the columns' pitch, as high as wide); one of
        // firm strokes not, its dotted zero plain.
        RealFontCase{"fonts-freefont-ttf", "/usr/share/fonts/truetype/freefont/FreeMono.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x9",
                      "--code-page", "858"},
                     0, {"capitals 7 rows, thin strokes drawn from grey 40): "}, ""},
        RealFontCase{"fonts-freefont-ttf", "/usr/share/fonts/truetype/freefont/FreeMono.ttf",
                     {"--kind", "sbcs", "--station", "thermal", "--size", "12x24",
                      "--code-page", "437"},
                     0, {"outline at 23 pixels, thin strokes drawn from grey 40): "}, ""},
        // A Type 1 font's declared line is its bounding box (9 pixels by
        // it), the same font as OpenType declares an ascent under its
        // accented capitals (drawn under the line): both are fitted by
        // their letters' own line.
        RealFontCase{"fonts-urw-base35", "/usr/share/fonts/X11/Type1/NimbusMonoPS-Regular.pfb",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x13",
                      "--code-page", "858"},
                     0, {"outline at 13x12 pixels, the line of its Latin letters, thin "}, ""},
        RealFontCase{"fonts-urw-base35",
                     "/usr/share/fonts/opentype/urw-base35/NimbusMonoPS-Regular.otf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x13",
                      "--code-page", "858"},
                     0, {"outline at 13x12 pixels, the line of its Latin letters, thin "}, ""},
        RealFontCase{"fonts-liberation",
                     "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x9",
                      "--code-page", "858"},
                     0, {"capitals 7 rows): ", ", the dotted zero drawn plain, a "
                         "column narrower than O"}, ""},
        // From 10 rows the capitals leave the top row to accents and
        // ascenders: l, b, d and the lower case keep their place and size,
        // only accented capitals are drawn smaller.
        RealFontCase{"fonts-liberation",
                     "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x10",
                      "--code-page", "858", "--text",
                      "\xC3\x89\xC3\x96\xC3\x91\xC3\x80lbd\xC3\xA9\xC3\xA0"},
                     0, {"capitals 7 rows): ", "4 moved into the cell (3 of "
                         "them drawn smaller to fit)"}, ""},
        // Not at 12 pixels, where hinting gives its lower case 7 rows under
        // capitals of 8: lower case stays two rows shorter. Drawn 1.3 times
        // as wide as high; FreeMono, drawn grey, 1.1 times.
        RealFontCase{"fonts-liberation",
                     "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x12",
                      "--code-page", "866"},
                     0, {"outline at 13x10 pixels, capitals 7 rows): "}, ""},
        RealFontCase{"fonts-freefont-ttf", "/usr/share/fonts/truetype/freefont/FreeMono.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x9",
                      "--code-page", "437"},
                     0, {"outline at 13x12 pixels, capitals 7 rows, thin "}, ""},
        // The line fit too: 12 pixels would fit 14 rows. Drawn wider as
        // well, at the impact station only.
        RealFontCase{"fonts-liberation",
                     "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x14",
                      "--code-page", "866"},
                     0, {"outline at 13x10 pixels): "}, ""},
        // Capitals at most 7 rows, by either fit, unless --fit is given:
        // drawn monochrome, as wide as at the fit's own size (14x13
        // pixels), grey as 1.1 times their height; FreeMono, which does
        // not declare itself monospace, too, by its advances; a
        // proportional font not.
        RealFontCase{"fonts-liberation",
                     "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x15",
                      "--code-page", "866"},
                     0, {"outline at 14x10 pixels, capitals 7 rows): "}, ""},
        RealFontCase{"fonts-liberation",
                     "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x15",
                      "--code-page", "866", "--fit", "line"},
                     0, {"outline at 14x13 pixels): "}, ""},
        RealFontCase{"fonts-freefont-ttf", "/usr/share/fonts/truetype/freefont/FreeMono.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x12",
                      "--code-page", "850"},
                     0, {"outline at 13x12 pixels, capitals 7 rows, thin "}, ""},
        RealFontCase{"fonts-freefont-ttf", "/usr/share/fonts/truetype/freefont/FreeSans.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x12",
                      "--code-page", "850"},
                     0, {"outline at 11 pixels, capitals 8 rows): "}, ""},
        // A CJK font's Latin half, sized by its letters' line, likewise.
        RealFontCase{"fonts-ipafont-gothic", "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x13",
                      "--code-page", "437"},
                     0, {"outline at 16x11 pixels, capitals 7 rows, the line of its Latin "
                         "letters): "}, ""},
        // In 7 rows, drawn wider than high (WxH pixels); capitals on 6
        // rows where the font has a size for them, else on 5.
        RealFontCase{"fonts-liberation",
                     "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x7",
                      "--code-page", "858"},
                     0, {"outline at ", "x", " pixels, capitals 5 rows): "}, ""},
        RealFontCase{"fonts-dejavu-core",
                     "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x7",
                      "--code-page", "858"},
                     0, {"outline at 10x8 pixels, capitals 6 rows): "}, ""},
        // A CJK font's Latin half sized by its Latin letters, not by the
        // taller line its ideographs declare.
        RealFontCase{"fonts-wqy-zenhei", "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
                     {"--kind", "sbcs", "--station", "thermal", "--size", "12x24",
                      "--code-page", "936"},
                     0, {"pixels, the line of its Latin letters): "}, ""},
        // An impact size that does not print as drawn, from a real font.
        RealFontCase{"xfonts-base", std::string(kMisc) + "8x16.pcf.gz",
                     {"--kind", "sbcs", "--station", "impact", "--size", "8x16",
                      "--code-page", "437"},
                     1, {},
                     "vexofont make: the impact station gets 8x16 glyphs with "
                     "dot columns 5 to 7 cut off (their column data takes 24 "
                     "bytes, a glyph record keeps 16); sizes near it that print "
                     "as drawn: 8x15 or 16x16 (--force-size makes it all the "
                     "same)\n"}));

// A full 936 font leaves the converter's table room for SBCS fonts and
// keeps every GB 2312 character: the end of level 2 (鲈 鳜 鳝) too.
TEST(RealFontRoomTest, Full936FontKeepsGb2312AndFitsTheTable) {
  const std::string font = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
  if (!std::filesystem::exists(font)) {
    GTEST_SKIP() << font << " is not installed (Debian package fonts-wqy-zenhei)";
  }
  ScratchDir dir;
  const CapturedRun run =
      RunMake({"--kind", "dbcs", "--station", "thermal", "--size", "24x24",
               "--code-page", "936", font, dir.File("out.fnt")});
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find(" blank to leave the converter's table room (0x"),
            std::string::npos) << run.out;
  const Bytes file = ReadBytes(dir.File("out.fnt"));
  const std::vector<int> stored =
      DistinctStoredCodes(file.data(), file.size(), FontKind::kDbcs, Station::kThermal);
  EXPECT_EQ(stored.size(), static_cast<size_t>(kDbcsTableRoom));
  for (int code : {0xb0a1, 0xf6d4, 0xf7ac, 0xf7ad, 0xf7fe}) {
    EXPECT_NE(std::find(stored.begin(), stored.end(), code), stored.end())
        << std::hex << code;
  }
  // Every code asked for: more than the table holds, and said so.
  const CapturedRun all =
      RunMake({"--kind", "dbcs", "--station", "impact", "--size", "16x16", "--code-page",
               "936", "--all-codes", font, dir.File("all.fnt")});
  EXPECT_EQ(all.status, kMakeOk);
  EXPECT_NE(all.err.find("more than the 20000 records the converter's glyph table holds "
                         "for all files together: "),
            std::string::npos)
      << all.err;
}

// The face a collection lacks is named with the faces it has.
TEST(RealFontFacesTest, MissingFaceNamesTheFaces) {
  if (!std::filesystem::exists(kUming)) {
    GTEST_SKIP() << kUming << " is not installed (Debian package fonts-arphic-uming)";
  }
  ScratchDir dir;
  const CapturedRun run =
      RunMake({"--face", "9", "--kind", "dbcs", "--station", "thermal", "--size",
               "24x24", "--code-page", "950", kUming, dir.File("out.fnt")});
  EXPECT_EQ(run.status, kMakeSourceFailed);
  EXPECT_EQ(run.err, "vexofont make: font '" + kUming +
                         "' has no face 9 (its faces: 0 AR PL UMing CN Light; 1 "
                         "AR PL UMing HK Light; 2 AR PL UMing TW Light; 3 AR PL "
                         "UMing TW MBE Light)\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.fnt")));
}

}  // namespace

}  // namespace vexo
