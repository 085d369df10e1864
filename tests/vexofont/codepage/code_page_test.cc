#include "vexofont/codepage/code_page.h"

#include <gtest/gtest.h>

namespace vexo {

namespace {

struct NamedPage {
  FontKind kind;
  const char* text;
  int number;  // -1: none
};

TEST(CodePageTest, CodePagesAreFoundByNumberAndIsoName) {
  const NamedPage cases[] = {
      {FontKind::kSbcs, "437", 437},
      {FontKind::kSbcs, "858", 858},
      {FontKind::kSbcs, "1252", 1252},
      {FontKind::kSbcs, "8859-5", 28595},
      {FontKind::kSbcs, "ISO-8859-15", 28605},
      {FontKind::kSbcs, "iso8859-2", 28592},
      {FontKind::kSbcs, "28591", 28591},
      {FontKind::kSbcs, "8859-16", 28606},
      {FontKind::kSbcs, "8859-12", -1},  // never published
      {FontKind::kSbcs, "8859-17", -1},
      {FontKind::kSbcs, "8859-", -1},
      {FontKind::kSbcs, "932", 932},  // the single-byte half of a DBCS one
      {FontKind::kSbcs, "950", 950},
      {FontKind::kSbcs, "951", -1},
      {FontKind::kSbcs, "", -1},
      {FontKind::kSbcs, "437x", -1},
      {FontKind::kSbcs, "-437", -1},
      {FontKind::kDbcs, "932", 932},
      {FontKind::kDbcs, "936", 936},
      {FontKind::kDbcs, "949", 949},
      {FontKind::kDbcs, "950", 950},
      {FontKind::kDbcs, "437", -1},
      {FontKind::kDbcs, "8859-1", -1},
  };
  for (const NamedPage& c : cases) {
    const CodePage* page = FindCodePage(c.kind, c.text);
    if (c.number < 0) {
      EXPECT_EQ(page, nullptr) << c.text;
    } else {
      ASSERT_NE(page, nullptr) << c.text;
      EXPECT_EQ(page->number, c.number) << c.text;
      EXPECT_EQ(page->kind, c.kind) << c.text;
    }
  }
}

TEST(CodePageTest, DbcsCodePagesCarryTheirLeadAndTrailRanges) {
  const CodePage* sjis = FindCodePage(FontKind::kDbcs, "932");
  ASSERT_NE(sjis, nullptr);
  EXPECT_EQ(sjis->lead[0].first, 0x81);
  EXPECT_EQ(sjis->lead[0].last, 0x9F);
  EXPECT_EQ(sjis->lead[1].first, 0xE0);
  EXPECT_EQ(sjis->lead[1].last, 0xFC);
  EXPECT_EQ(sjis->lead[2].first, 0);
  EXPECT_EQ(sjis->trail[0].first, 0x40);
  EXPECT_EQ(sjis->trail[0].last, 0x7E);
  EXPECT_EQ(sjis->trail[1].first, 0x80);
  EXPECT_EQ(sjis->trail[1].last, 0xFC);
  const CodePage* uhc = FindCodePage(FontKind::kDbcs, "949");
  ASSERT_NE(uhc, nullptr);
  EXPECT_EQ(uhc->trail[0].first, 0x41);  // A to Z
  EXPECT_EQ(uhc->trail[0].last, 0x5A);
  EXPECT_EQ(uhc->trail[1].first, 0x61);  // a to z
  EXPECT_EQ(uhc->trail[1].last, 0x7A);
  EXPECT_EQ(uhc->trail[2].first, 0x81);
  EXPECT_EQ(uhc->trail[2].last, 0xFE);
}

struct Mapping {
  const char* codePage;
  FontKind kind;
  int code;
  uint32_t unicode;  // 0: no character
};

// Characters from the published tables of each code page.
TEST(CodePageTest, CodesMapToTheirUnicodeCharacters) {
  const Mapping cases[] = {
      {"437", FontKind::kSbcs, 0x41, 0x0041},
      {"437", FontKind::kSbcs, 0x82, 0x00E9},    // e acute
      {"437", FontKind::kSbcs, 0xB0, 0x2591},    // light shade
      {"437", FontKind::kSbcs, 0xE1, 0x00DF},    // sharp s
      {"437", FontKind::kSbcs, 0x0A, 0},         // control
      {"850", FontKind::kSbcs, 0x9B, 0x00F8},    // o slash
      {"850", FontKind::kSbcs, 0xD5, 0x0131},    // dotless i
      {"858", FontKind::kSbcs, 0xD5, 0x20AC},    // euro in its place
      {"852", FontKind::kSbcs, 0xA5, 0x0105},    // a ogonek
      {"866", FontKind::kSbcs, 0x80, 0x0410},    // Cyrillic A
      {"1250", FontKind::kSbcs, 0x8A, 0x0160},   // S caron
      {"1251", FontKind::kSbcs, 0xC0, 0x0410},
      {"1252", FontKind::kSbcs, 0x80, 0x20AC},
      {"1252", FontKind::kSbcs, 0x81, 0},        // empty in the table
      {"8859-1", FontKind::kSbcs, 0xE9, 0x00E9},
      {"8859-1", FontKind::kSbcs, 0x85, 0},      // C1 control
      {"8859-2", FontKind::kSbcs, 0xA1, 0x0104},
      {"8859-5", FontKind::kSbcs, 0xB0, 0x0410},
      {"8859-7", FontKind::kSbcs, 0xC1, 0x0391},  // Alpha
      {"8859-9", FontKind::kSbcs, 0xD0, 0x011E},
      {"8859-11", FontKind::kSbcs, 0xA1, 0x0E01},
      {"8859-15", FontKind::kSbcs, 0xA4, 0x20AC},
      {"8859-16", FontKind::kSbcs, 0xA1, 0x0104},
      {"932", FontKind::kDbcs, 0x8140, 0x3000},   // ideographic space
      {"932", FontKind::kDbcs, 0x82A0, 0x3042},   // hiragana a
      {"932", FontKind::kDbcs, 0x8341, 0x30A2},   // katakana a
      {"932", FontKind::kDbcs, 0x889F, 0x4E9C},
      {"932", FontKind::kDbcs, 0x8540, 0},        // unassigned
      {"936", FontKind::kDbcs, 0xB0A1, 0x554A},
      {"936", FontKind::kDbcs, 0xA1A1, 0x3000},
      {"949", FontKind::kDbcs, 0xB0A1, 0xAC00},   // first Hangul syllable
      {"949", FontKind::kDbcs, 0x8141, 0xAC02},   // extension block
      {"950", FontKind::kDbcs, 0xA440, 0x4E00},
      {"950", FontKind::kDbcs, 0xA140, 0x3000},
  };
  for (const Mapping& c : cases) {
    const CodePage* page = FindCodePage(c.kind, c.codePage);
    ASSERT_NE(page, nullptr) << c.codePage;
    CodeMapper mapper;
    ASSERT_TRUE(mapper.Open(*page, FontCharset()));
    uint32_t unicode = 0;
    const bool mapped = mapper.Map(c.code, &unicode);
    EXPECT_EQ(mapped, c.unicode != 0) << c.codePage << " " << std::hex << c.code;
    if (mapped) {
      EXPECT_EQ(unicode, c.unicode) << c.codePage << " " << std::hex << c.code;
    }
  }
}

struct NativeMapping {
  const char* codePage;
  FontKind kind;
  const char* registry;
  const char* encoding;
  int code;
  uint32_t fontCode;  // 0: not in the font's charset
};

TEST(CodePageTest, CodesMapToTheCharsetOfFontsThatAreNotUnicode) {
  const NativeMapping cases[] = {
      {"932", FontKind::kDbcs, "JISX0208.1983", "0", 0x82A0, 0x2422},
      {"932", FontKind::kDbcs, "JISX0208.1983", "0", 0x8140, 0x2121},
      {"932", FontKind::kDbcs, "JISX0208.1990", "0", 0x889F, 0x3021},
      // Symbols code page 932 gives other Unicode characters than EUC-JP.
      {"932", FontKind::kDbcs, "JISX0208.1983", "0", 0x8160, 0x2141},  // ~
      {"932", FontKind::kDbcs, "JISX0208.1983", "0", 0x817C, 0x215D},  // -
      {"932", FontKind::kDbcs, "JISX0208.1983", "0", 0x8191, 0x2171},  // cent
      // Row 13 and the user area, where a font of this charset may have
      // glyphs of its own.
      {"932", FontKind::kDbcs, "JISX0208.1983", "0", 0x8740, 0x2D21},
      {"932", FontKind::kDbcs, "JISX0208.1983", "0", 0xF040, 0x7521},
      {"932", FontKind::kDbcs, "JISX0208.1983", "0", 0x8540, 0},  // empty
      // The second level's kanji, from lead 0xe0 on.
      {"932", FontKind::kDbcs, "JISX0208.1983", "0", 0xE040, 0x5F21},
      // GB 2312 in GBK by the same bytes, its empty rows too; Big5's
      // 0xc6a1 to 0xc8fe kept.
      {"936", FontKind::kDbcs, "GB2312.1980", "0", 0xAAA1, 0x2A21},
      {"936", FontKind::kDbcs, "GB2312.1980", "0", 0xA2A1, 0},
      {"950", FontKind::kDbcs, "BIG5", "0", 0xC6A1, 0xC6A1},
      {"936", FontKind::kDbcs, "GB2312.1980", "0", 0xB0A1, 0x3021},
      {"936", FontKind::kDbcs, "GB2312.1980", "0", 0x8140, 0},  // GBK only
      {"949", FontKind::kDbcs, "KSC5601.1987", "0", 0xB0A1, 0x3021},
      {"950", FontKind::kDbcs, "BIG5", "0", 0xA440, 0xA440},
      {"936", FontKind::kDbcs, "JISX0208.1983", "0", 0xA4A2, 0x2422},  // a
      {"866", FontKind::kSbcs, "ISO8859", "5", 0x80, 0xB0},
      {"1251", FontKind::kSbcs, "KOI8", "R", 0xC0, 0xE1},
      {"437", FontKind::kSbcs, "ISO8859", "5", 0x82, 0},  // no e acute
  };
  for (const NativeMapping& c : cases) {
    const CodePage* page = FindCodePage(c.kind, c.codePage);
    ASSERT_NE(page, nullptr) << c.codePage;
    FontCharset charset;
    ASSERT_TRUE(FontCharsetFromRegistry(c.registry, c.encoding, &charset))
        << c.registry;
    CodeMapper mapper;
    ASSERT_TRUE(mapper.Open(*page, charset)) << c.registry;
    uint32_t fontCode = 0;
    const bool mapped = mapper.Map(c.code, &fontCode);
    EXPECT_EQ(mapped, c.fontCode != 0) << c.registry << " " << std::hex << c.code;
    if (mapped) {
      EXPECT_EQ(fontCode, c.fontCode)
          << c.registry << " " << std::hex << c.code;
    }
  }
}

struct Registry {
  const char* registry;
  const char* encoding;
  bool known;
  FontCharset::Form form;
  const char* iconvName;
};

TEST(CodePageTest, CharsetRegistriesAreRecognised) {
  using Form = FontCharset::Form;
  const Registry cases[] = {
      {"ISO10646", "1", true, Form::kUnicode, "UTF-32LE"},
      {"ISO8859", "1", true, Form::kUnicode, "UTF-32LE"},
      {"iso8859", "2", true, Form::kSingleByte, "ISO-8859-2"},
      {"ISO8859", "17", false, Form::kUnicode, ""},
      {"JISX0208.1983", "0", true, Form::kEucGl, "EUC-JP"},
      {"jisx0208.1983", "0", true, Form::kEucGl, "EUC-JP"},
      {"GB2312.1980", "0", true, Form::kEucGl, "EUC-CN"},
      {"KSC5601.1987", "0", true, Form::kEucGl, "EUC-KR"},
      {"BIG5", "0", true, Form::kDoubleByte, "BIG5"},
      {"KOI8", "R", true, Form::kSingleByte, "KOI8-R"},
      {"DEC", "DECTECH", false, Form::kUnicode, ""},
      {"", "", false, Form::kUnicode, ""},
  };
  for (const Registry& c : cases) {
    FontCharset charset;
    EXPECT_EQ(FontCharsetFromRegistry(c.registry, c.encoding, &charset),
              c.known)
        << c.registry << "-" << c.encoding;
    if (!c.known) continue;
    EXPECT_EQ(charset.form, c.form) << c.registry;
    EXPECT_EQ(charset.iconvName, c.iconvName) << c.registry;
  }
}

TEST(CodePageTest, MapperRefusesCodesOfTheWrongWidth) {
  CodeMapper sbcs;
  ASSERT_TRUE(sbcs.Open(*FindCodePage(FontKind::kSbcs, "437"), FontCharset()));
  CodeMapper dbcs;
  ASSERT_TRUE(dbcs.Open(*FindCodePage(FontKind::kDbcs, "932"), FontCharset()));
  uint32_t unicode = 0;
  EXPECT_FALSE(sbcs.Map(0x141, &unicode));
  EXPECT_FALSE(sbcs.Map(-1, &unicode));
  EXPECT_FALSE(dbcs.Map(0x41, &unicode));  // a single byte
  EXPECT_FALSE(dbcs.Map(0x10000, &unicode));
  CodeMapper closed;
  EXPECT_FALSE(closed.Map(0x41, &unicode));
}

}  // namespace

}  // namespace vexo
