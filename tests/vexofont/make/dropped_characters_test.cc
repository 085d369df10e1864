// What make says of the characters it leaves out, and the code pages whose
// single-byte halves it makes: each pinned by the codes and dots written.
#include "vexofont/make/dropped_characters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "make_test_support.h"
#include "testkit/bdf_font.h"
#include "vexofont/make/make_command.h"

namespace vexo {

namespace {

class DroppedCharactersTest : public ::testing::Test {
 protected:
  // A Unicode BDF font of 8 x 16 cell glyphs, each its character's pattern.
  std::string Font(const std::vector<uint32_t>& chars) {
    BdfFont font;
    for (uint32_t c : chars) {
      font.glyphs.push_back(CellGlyphOf(c, PatternGlyph(c, 8, 16), 8, 4));
    }
    return dir_.WriteText("f.bdf", BdfText(font));
  }

  CapturedRun Make(const std::string& kind, const std::string& size,
                   const std::string& page, std::vector<std::string> extra,
                   const std::string& font) {
    std::vector<std::string> args = {"--kind", kind,  "--station", "thermal",
                                     "--size", size, "--code-page", page};
    args.insert(args.end(), extra.begin(), extra.end());
    args.insert(args.end(), {font, out_});
    return RunMake(args);
  }

  // The 8 x 16 SBCS glyph of `code` in a file made from 0x20 on.
  Picture SbcsGlyph(int code) const {
    const Bytes file = ReadBytes(out_);
    GlyphRows rows(16);
    const size_t at = 32 + size_t(code - 0x20) * 64;
    for (int r = 0; r < 16; ++r) rows[15 - r] = uint32_t(file.at(at + 4 * r)) << 24;
    return PictureOf(rows, 8);
  }

  ScratchDir dir_;
  const std::string out_ = dir_.File("out.fnt");
};

struct DroppedCase {
  const char* kind;
  const char* size;
  const char* page;
  std::vector<std::string> extra;
  const char* text;
  std::vector<std::string> lines;  // after "vexofont make: warning: "
  const char* drawnAs = "";  // the line of a character drawn as its equivalent
};

TEST_F(DroppedCharactersTest, EveryCharacterLeftOutIsNamed) {
  // The font has A, the yen sign and 똠 (U+B620), not B.
  const std::string font = Font({'A', 0xA5, 0xB620, 0xFFE5});
  const DroppedCase cases[] = {
      // Not in the code page: with the full-width form the DBCS half has.
      {"sbcs", "8x16", "936", {}, "A\xC2\xA5",
       {"U+00A5 '\xC2\xA5' is not in code page 936; its full-width form "
        "U+FFE5 '\xEF\xBF\xA5' is in the DBCS code page, code 0xa3a4 (make "
        "it into a DBCS font)"}},
      // ... and where the code page itself holds it: drawn so, and named.
      {"dbcs", "24x24", "936", {}, "\xC2\xA5", {},
       "U+00A5 '\xC2\xA5' is not in code page 936: drawn as its full-width form "
       "U+FFE5 '\xEF\xBF\xA5', code 0xa3a4"},
      // Its equivalent, which no font has, is named as dropped.
      {"dbcs", "24x24", "932", {}, "\xE3\x80\x9C",
       {"no font has U+FF5E '\xEF\xBD\x9E' (code 0x8160)"},
       "U+301C '\xE3\x80\x9C' is not in code page 932: drawn as its variant "
       "U+FF5E '\xEF\xBD\x9E', code 0x8160"},
      // No form to offer; no font has it; outside --first to --last.
      {"sbcs", "8x16", "437", {"--last", "0x7e"}, "\xE2\x82\xAC" "B\xC3\xA4",
       {"no font has U+0042 'B' (code 0x42)",
        "U+00E4 '\xC3\xA4' is code 0x84 of code page 437, outside the codes "
        "written (0x20 to 0x7e)",
        "U+20AC '\xE2\x82\xAC' is not in code page 437"}},
      {"dbcs", "24x24", "949", {}, "\xEB\x98\xA0", {}},
      // What the code page's other half holds is the other font's.
      {"dbcs", "24x24", "936", {}, "A 1\xE5\xAE\xAB",
       {"no font has U+5BAB '\xE5\xAE\xAB' (code 0xb9ac)"}},
      {"sbcs", "8x16", "936", {}, "A\xE5\xAE\xAB", {}},
      // 932's single-byte half has the yen sign where ASCII has the
      // backslash.
      {"sbcs", "8x16", "932", {}, "\\\xC2\xA5",
       {"U+005C '\\' is not in code page 932; its full-width form U+FF3C "
        "'\xEF\xBC\xBC' is in the DBCS code page, code 0x815f (make it into "
        "a DBCS font)"}},
      // Everything there: nothing to say.
      {"sbcs", "8x16", "437", {}, "A", {}},
  };
  for (const DroppedCase& c : cases) {
    SCOPED_TRACE(c.text);
    const CapturedRun run =
        Make(c.kind, c.size, c.page, [&] {
          std::vector<std::string> extra = c.extra;
          extra.insert(extra.end(), {"--text", c.text});
          return extra;
        }(), font);
    ASSERT_EQ(run.status, kMakeOk) << run.err;
    std::string expected = *c.drawnAs ? "vexofont make: " + std::string(c.drawnAs) + "\n" : "";
    for (const std::string& line : c.lines) {
      expected += "vexofont make: warning: " + line + "\n";
    }
    EXPECT_EQ(run.err, expected);
    // --strict: the same lines, a failure, and nothing written.
    std::filesystem::remove(out_);
    std::vector<std::string> strict = c.extra;
    strict.insert(strict.end(), {"--strict", "--text", c.text});
    const CapturedRun failed = Make(c.kind, c.size, c.page, strict, font);
    if (c.lines.empty()) {
      EXPECT_EQ(failed.status, kMakeOk) << failed.err;
      EXPECT_EQ(failed.err, expected);
      continue;
    }
    EXPECT_EQ(failed.status, kMakeUsage);
    std::string refused;
    for (const std::string& line : c.lines) refused += "vexofont make: " + line + "\n";
    refused += "vexofont make: " + std::to_string(c.lines.size()) +
               (c.lines.size() == 1 ? " selected character" : " selected characters") +
               " not drawn (--strict): nothing written\n";
    EXPECT_EQ(failed.err, refused);
    EXPECT_EQ(failed.out, "");
    EXPECT_FALSE(std::filesystem::exists(out_));
  }
}

TEST_F(DroppedCharactersTest, BlankCodesAreListedInTheSummary) {
  const CapturedRun run = Make("sbcs", "8x16", "437",
                               {"--first", "0x41", "--last", "0x46"},
                               Font({'A', 'C'}));
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_NE(run.out.find("6 glyphs, 4 blank because missing (0x42, 0x44 to "
                         "0x46), 0 clipped"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(CodeRanges(FontKind::kDbcs, {0x8140, 0x8141, 0x8143}, 8),
            "0x8140 to 0x8141, 0x8143");
  EXPECT_EQ(CodeRanges(FontKind::kSbcs, {1, 3, 5, 7}, 2), "0x01, 0x03, ... (2 more)");
}

// The single-byte halves: each code gets the character the printer set to
// the DBCS code page prints there.
TEST_F(DroppedCharactersTest, SingleByteHalvesOfTheDbcsCodePages) {
  const std::string font =
      Font({'\\', '~', 'A', 0xA5, 0x203E, 0xFF71, 0x20AC, 0x80});
  struct Half {
    const char* page;
    int code;
    uint32_t character;  // 0: blank
  };
  const Half cases[] = {
      {"932", 0x5C, 0xA5},   {"932", 0x7E, 0x203E}, {"932", 0xB1, 0xFF71},
      {"932", 0x41, 'A'},    {"932", 0x81, 0},      {"936", 0x5C, '\\'},
      {"936", 0x80, 0x20AC}, {"936", 0x81, 0},      {"949", 0x7E, '~'},
      {"950", 0xB1, 0},
  };
  for (const Half& c : cases) {
    SCOPED_TRACE(std::string(c.page) + " " + std::to_string(c.code));
    ASSERT_EQ(Make("sbcs", "8x16", c.page, {}, font).status, kMakeOk);
    const Picture expected = c.character == 0
                                 ? Picture(16, "........")
                                 : PictureOf(PatternGlyph(c.character, 8, 16), 8);
    EXPECT_EQ(SbcsGlyph(c.code), expected);
  }
}

// Bitmap fonts whose charset is only in their X font name, and JIS X 0201
// fonts for 932's single-byte half.
TEST_F(DroppedCharactersTest, CharsetFromTheFontNameAndJisX0201) {
  BdfFont kana;
  kana.registry = "JISX0201.1976";
  kana.encoding = "0";
  kana.charsetProperties = false;
  for (uint32_t c : {0x5Cu, 0x41u, 0xB1u}) {
    kana.glyphs.push_back(CellGlyphOf(c, PatternGlyph(c, 8, 16), 8, 4));
  }
  const std::string font = dir_.WriteText("kana.bdf", BdfText(kana));
  const CapturedRun run = Make("sbcs", "8x16", "932", {}, font);
  ASSERT_EQ(run.status, kMakeOk) << run.err;
  EXPECT_EQ(SbcsGlyph(0x5C), PictureOf(PatternGlyph(0x5C, 8, 16), 8));
  EXPECT_EQ(SbcsGlyph(0xB1), PictureOf(PatternGlyph(0xB1, 8, 16), 8));
  EXPECT_EQ(SbcsGlyph(0x41), PictureOf(PatternGlyph(0x41, 8, 16), 8));
  // Under a Unicode code page the yen glyph is no backslash.
  ASSERT_EQ(Make("sbcs", "8x16", "437", {}, font).status, kMakeOk);
  EXPECT_EQ(SbcsGlyph(0x5C), Picture(16, "........"));
}

}  // namespace

}  // namespace vexo
