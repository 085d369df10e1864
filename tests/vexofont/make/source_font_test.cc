#include "vexofont/make/source_font.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testkit/bdf_font.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

class SourceFontTest : public ::testing::Test {
 protected:
  // Writes `font` as BDF text and opens it for `cell`; fails the test when
  // it does not open.
  void Open(const BdfFont& font, CellSize cell,
            const RenderOptions& options = RenderOptions()) {
    const std::string path = dir_.WriteText(
        "font" + std::to_string(++opened_) + ".bdf", BdfText(font));
    std::string error;
    ASSERT_TRUE(source_.Open(path, cell, options, &error)) << error;
    cell_ = cell;
  }
  // --clip: dots outside the cell cut off.
  void OpenClipped(const BdfFont& font, CellSize cell) {
    RenderOptions options;
    options.clip = true;
    Open(font, cell, options);
  }

  // The picture of `code` drawn on the cell; *clipped gets the count.
  Picture Draw(uint32_t code, int* clipped = nullptr) {
    CellGlyph glyph;
    EXPECT_TRUE(source_.DrawGlyph(code, &glyph)) << "code " << code;
    if (clipped != nullptr) *clipped = glyph.clippedDots;
    return PictureOf(glyph.rows, cell_.width);
  }

  ScratchDir dir_;
  SourceFont source_;
  CellSize cell_;
  int opened_ = 0;
};

TEST_F(SourceFontTest, GlyphFillingTheCellKeepsEveryDot) {
  const GlyphRows rows = PatternGlyph(0x41, 8, 16);
  BdfFont font;  // ascent 12, descent 4, 8 wide
  font.glyphs = {CellGlyphOf(0x41, rows, 8, 4)};
  Open(font, {8, 16});
  int clipped = -1;
  EXPECT_EQ(Draw(0x41, &clipped), PictureOf(rows, 8));
  EXPECT_EQ(clipped, 0);
  EXPECT_EQ(source_.rendering(), "strike 8x16");
}

TEST_F(SourceFontTest, SmallerMonospaceFontIsCentredAndStandsOnItsBaseline) {
  // Line of 7 rows in 11: two rows above it, baseline below row 6. Advance
  // 4 in 8: two columns to the left of the origin.
  BdfFont font;
  font.ascent = 5;
  font.descent = 2;
  font.boxWidth = 4;
  BdfGlyph glyph;
  glyph.encoding = 'F';
  glyph.picture = {"###", "#..", "##.", "#..", "#..", "#.."};
  glyph.xOffset = 1;
  glyph.yOffset = -1;
  font.glyphs = {glyph};
  Open(font, {8, 11});
  const Picture expected = {
      "........", "........", "...###..", "...#....", "...##...", "...#....",
      "...#....", "...#....", "........", "........", "........"};
  int clipped = -1;
  EXPECT_EQ(Draw('F', &clipped), expected);
  EXPECT_EQ(clipped, 0);
  EXPECT_TRUE(source_.monospace());
  EXPECT_EQ(source_.ascent(), 5);
  EXPECT_EQ(source_.descent(), 2);
}

TEST_F(SourceFontTest, ProportionalGlyphsAreCentredByTheirDots) {
  BdfFont font;
  font.ascent = 5;
  font.descent = 2;
  font.spacing = "P";
  BdfGlyph wide;  // three dot columns after an empty one, bearing ignored
  wide.encoding = 'w';
  wide.picture = {".#.#", "..#."};
  wide.xOffset = 5;
  wide.yOffset = 0;
  BdfGlyph narrow;  // one column: (8 - 1) / 2 = 3 to its left
  narrow.encoding = 'i';
  narrow.picture = {"#", "#"};
  narrow.yOffset = 0;
  font.glyphs = {wide, narrow};
  Open(font, {8, 7});
  EXPECT_FALSE(source_.monospace());
  // Baseline below row 4 (ascent 5, line fills the cell).
  EXPECT_EQ(Draw('w'), (Picture{"........", "........", "........",
                                "..#.#...", "...#....", "........",
                                "........"}));
  EXPECT_EQ(Draw('i'), (Picture{"........", "........", "........",
                                "...#....", "...#....", "........",
                                "........"}));
}

TEST_F(SourceFontTest, DotsOutsideTheCellAreClippedAndCounted) {
  BdfFont font;  // ascent 12, descent 4, 8 wide; cell 8 x 16
  BdfGlyph glyph;
  glyph.encoding = 'X';
  glyph.picture = Picture(18, std::string(10, '#'));  // 180 dots
  glyph.xOffset = -1;   // columns -1 to 8
  glyph.yOffset = -5;   // rows -1 to 16
  font.glyphs = {glyph};
  OpenClipped(font, {8, 16});
  int clipped = -1;
  EXPECT_EQ(Draw('X', &clipped), Picture(16, std::string(8, '#')));
  EXPECT_EQ(clipped, 180 - 8 * 16);
}

TEST_F(SourceFontTest, WiderFontLosesOneColumnMoreOnTheLeft) {
  // Advance 11 in a cell of 8: the origin moves 2 columns left, 1 is lost
  // on the right.
  BdfFont font;
  font.boxWidth = 11;
  BdfGlyph glyph;
  glyph.encoding = 'm';
  glyph.picture = {"#.#.......#", "..#.......#"};
  glyph.yOffset = 0;
  font.glyphs = {glyph};
  OpenClipped(font, {8, 16});
  int clipped = -1;
  const Picture picture = Draw('m', &clipped);
  EXPECT_EQ(picture[10], "#.......");
  EXPECT_EQ(picture[11], "#.......");
  EXPECT_EQ(clipped, 3);
}

TEST_F(SourceFontTest, HigherFontLosesTwoRowsAboveAndOneBelow) {
  // Line 19 in 16: the line starts 2 rows above the cell. The glyph's rows
  // alternate between a dot in column 0 (even rows) and in column 1.
  BdfFont font;
  font.ascent = 14;
  font.descent = 5;
  BdfGlyph glyph;
  glyph.encoding = '|';
  for (int row = 0; row < 19; ++row) {
    glyph.picture.push_back(row % 2 == 0 ? "#." : ".#");
  }
  glyph.yOffset = -5;
  font.glyphs = {glyph};
  OpenClipped(font, {8, 16});
  Picture expected;
  for (int row = 0; row < 16; ++row) {
    expected.push_back((row + 2) % 2 == 0 ? "#......." : ".#......");
  }
  int clipped = -1;
  // Advance 8 in 8: the columns stay at the origin.
  EXPECT_EQ(Draw('|', &clipped), expected);
  EXPECT_EQ(clipped, 3);
}

Picture Stacked(const std::vector<Picture>& parts) {
  Picture all;
  for (const Picture& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Without --clip nothing is cut: ink passing the cell is moved in, and
// drawn smaller along a side where it is larger than the cell.
TEST_F(SourceFontTest, InkPassingTheCellIsMovedInOrDrawnSmallerNotCut) {
  struct Case {
    Picture picture;
    int xOffset, yOffset;
    Picture expected;  // the rows that hold ink, from the top of the cell
    int firstRow;
    bool shrunk;
  };
  const Case cases[] = {
      // A mark two rows above the cell: moved down to the top row.
      {{"..#", "...", "###"}, 2, 13, {"....#...", "........", "..###..."}, 0, false},
      // Two columns left of the cell: moved right to the first column.
      {{"#.", "##"}, -2, 0, {"#.......", "##......"}, 10, false},
      // 18 rows in 16, two strokes: rows within the strokes are merged,
      // the gap between them kept.
      {Stacked({Picture(8, "#"), Picture(2, "."), Picture(8, "#")}), 3, -6,
       Stacked({Picture(8, "...#...."), Picture(2, "........"),
                Picture(6, "...#....")}),
       0, true},
      // 10 columns in 8: blank columns merged first, each dot kept.
      {{"#.#.#.#..#"}, -1, 0, {"#.#.#.##"}, 11, true},
  };
  for (const Case& c : cases) {
    BdfFont font;  // ascent 12, descent 4, 8 wide; cell 8 x 16
    BdfGlyph glyph;
    glyph.encoding = 'g';
    glyph.picture = c.picture;
    glyph.xOffset = c.xOffset;
    glyph.yOffset = c.yOffset;
    font.glyphs = {glyph};
    Open(font, {8, 16});
    CellGlyph drawn;
    ASSERT_TRUE(source_.DrawGlyph('g', &drawn));
    const Picture picture = PictureOf(drawn.rows, 8);
    Picture expected(16, "........");
    for (size_t i = 0; i < c.expected.size(); ++i) {
      expected[c.firstRow + i] = c.expected[i];
    }
    EXPECT_EQ(picture, expected) << c.picture[0];
    EXPECT_EQ(drawn.clippedDots, 0);
    EXPECT_TRUE(drawn.moved);
    EXPECT_EQ(drawn.shrunk, c.shrunk);
  }
}

TEST_F(SourceFontTest, StrikeLargerThanTheCellIsReducedWhole) {
  // A 16x32 strike in an 8x16 cell: a frame of the whole strike stays a
  // frame of the whole cell; with --clip the cell shows the strike's middle,
  // where the frame has no dot.
  BdfFont font;
  font.ascent = 26;
  font.descent = 6;
  font.boxWidth = 16;
  BdfGlyph glyph;
  glyph.encoding = 'O';
  glyph.picture = Picture(32, "#..............#");
  glyph.picture.front() = glyph.picture.back() = std::string(16, '#');
  glyph.yOffset = -6;
  font.glyphs = {glyph};
  Open(font, {8, 16});
  EXPECT_EQ(source_.rendering(), "strike 16x32 reduced to 8x16");
  Picture frame(16, "#......#");
  frame.front() = frame.back() = "########";
  EXPECT_EQ(Draw('O'), frame);
  OpenClipped(font, {8, 16});
  EXPECT_EQ(source_.rendering(), "strike 16x32");
  int clipped = 0;
  EXPECT_EQ(Draw('O', &clipped), Picture(16, "........"));
  EXPECT_EQ(clipped, 2 * 16 + 2 * 30);
}

TEST_F(SourceFontTest, MissingGlyphGivesABlankCell) {
  BdfFont font;
  font.glyphs = {CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4)};
  Open(font, {8, 16});
  CellGlyph glyph;
  glyph.rows.assign(3, 0xFFFFFFFFu);
  EXPECT_FALSE(source_.DrawGlyph('B', &glyph));
  EXPECT_EQ(glyph.rows, GlyphRows(16, 0));
  EXPECT_EQ(glyph.clippedDots, 0);
}

TEST_F(SourceFontTest, EmptyGlyphIsDrawnBlankAndIsNotMissing) {
  BdfFont font;
  BdfGlyph space;
  space.encoding = ' ';
  font.glyphs = {space};
  Open(font, {8, 16});
  EXPECT_EQ(Draw(' '), Picture(16, "........"));
}

TEST_F(SourceFontTest, FontThatIsNotUnicodeEncodedKeepsItsOwnCodes) {
  BdfFont font;
  font.ascent = 14;
  font.descent = 2;
  font.boxWidth = 16;
  font.registry = "JISX0208.1983";
  font.encoding = "0";
  const GlyphRows rows = PatternGlyph(0x2422, 16, 16);
  font.glyphs = {CellGlyphOf(0x2422, rows, 16, 2)};
  Open(font, {16, 16});
  EXPECT_EQ(source_.charset().form, FontCharset::Form::kEucGl);
  EXPECT_EQ(source_.charset().iconvName, "EUC-JP");
  EXPECT_EQ(Draw(0x2422), PictureOf(rows, 16));
}

TEST_F(SourceFontTest, GzipCompressedFontOpens) {
  BdfFont font;
  const GlyphRows rows = PatternGlyph('Q', 8, 16);
  font.glyphs = {CellGlyphOf('Q', rows, 8, 4)};
  ASSERT_TRUE(WriteGzip(dir_.File("font.bdf.gz"), BdfText(font)));
  std::string error;
  ASSERT_TRUE(source_.Open(dir_.File("font.bdf.gz"), {8, 16}, &error))
      << error;
  cell_ = {8, 16};
  EXPECT_EQ(Draw('Q'), PictureOf(rows, 8));
}

struct RefusedFont {
  const char* name;
  std::string text;  // empty: no file at all
  const char* error;
};

TEST_F(SourceFontTest, FontsThatCannotBeUsedAreRefusedWithTheirReason) {
  BdfFont symbols;
  symbols.registry = "SUNOLGLYPH";
  symbols.encoding = "1";
  symbols.glyphs = {CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4)};
  const RefusedFont cases[] = {
      {"absent.bdf", "", "cannot be opened"},
      {"text.bdf", "this is no font\n", "is not a font FreeType knows"},
      {"symbols.bdf", BdfText(symbols),
       "has characters numbered in 'SUNOLGLYPH-1', which cannot be "
       "mapped"},
      // A gzip header over bytes that are no deflate stream.
      {"damaged.pcf.gz",
       std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10) +
           "\xff\xff\xff\xff not deflate",
       "is a broken gzip file"},
      {"folder", "", "is a folder"},
  };
  std::filesystem::create_directory(dir_.File("folder"));
  for (const RefusedFont& c : cases) {
    const std::string path = c.text.empty() ? dir_.File(c.name)
                                            : dir_.WriteText(c.name, c.text);
    SourceFont font;
    std::string error;
    EXPECT_FALSE(font.Open(path, {8, 16}, &error)) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
  }
}

TEST_F(SourceFontTest, EveryPrefixOfAFontIsOpenedOrRefusedCleanly) {
  BdfFont font;
  font.glyphs = {CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4),
                 CellGlyphOf('B', PatternGlyph('B', 8, 16), 8, 4)};
  const std::string text = BdfText(font);
  int opened = 0;
  for (size_t length = 0; length <= text.size(); ++length) {
    const std::string path =
        dir_.WriteText("cut.bdf", text.substr(0, length));
    SourceFont source;
    std::string error;
    if (!source.Open(path, {8, 16}, &error)) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    ++opened;
    CellGlyph glyph;
    source.DrawGlyph('A', &glyph);
    source.DrawGlyph('B', &glyph);
    EXPECT_EQ(glyph.rows.size(), 16u);
  }
  EXPECT_GE(opened, 1);  // the whole text at least
}

TEST_F(SourceFontTest, MonospaceOutlineFontFitsTheCell) {
  const std::string path =
      "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " not here";
  std::string error;
  ASSERT_TRUE(source_.Open(path, {12, 24}, &error)) << error;
  EXPECT_TRUE(source_.monospace());
  EXPECT_LE(source_.ascent() + source_.descent(), 24);
  EXPECT_EQ(source_.rendering().rfind("outline at ", 0), 0u);
  for (uint32_t code : {'M', 'W', 'H', '0'}) {
    CellGlyph glyph;
    ASSERT_TRUE(source_.DrawGlyph(code, &glyph));
    EXPECT_EQ(glyph.clippedDots, 0) << char(code);
    int dots = 0;
    for (uint32_t row : glyph.rows) dots += __builtin_popcount(row);
    EXPECT_GT(dots, 20) << char(code);
    // Nothing beyond the cell width.
    for (uint32_t row : glyph.rows) EXPECT_EQ(row & 0x000FFFFFu, 0u);
  }
}

// The rows a glyph's dots take: first and last, -1 when blank.
void InkRows(const CellGlyph& glyph, int* top, int* bottom) {
  *top = *bottom = -1;
  for (int r = 0; r < static_cast<int>(glyph.rows.size()); ++r) {
    if (glyph.rows[r] == 0) continue;
    if (*top < 0) *top = r;
    *bottom = r;
  }
}

// FreeMono drawn grey for its thin strokes: at 12 rows the low threshold
// joins the dot of i and j, the dots of ä, ö, ü, the dot under ! and
// the cedilla under ţ to the letter, where the outlines keep a row
// between them; a blank row parts them again.
TEST_F(SourceFontTest, MarkKeepsTheRowItsOutlineLeavesFromTheLetter) {
  const std::string path = "/usr/share/fonts/truetype/freefont/FreeMono.ttf";
  if (!std::filesystem::exists(path)) {
    GTEST_SKIP() << path << " is not installed (Debian package fonts-freefont-ttf)";
  }
  RenderOptions options;
  options.fit = RenderOptions::Fit::kCap;
  options.thinStrokesGray = true;
  std::string error;
  ASSERT_TRUE(source_.Open(path, {8, 12}, options, &error)) << error;
  for (char32_t code : {U'i', U'j', U'ä', U'ö', U'ü', U'!', U'ţ'}) {
    CellGlyph glyph;
    ASSERT_TRUE(source_.DrawGlyph(code, &glyph));
    int top = 0;
    int bottom = 0;
    InkRows(glyph, &top, &bottom);
    ASSERT_GE(top, 0);
    const auto first = glyph.rows.begin() + top;
    EXPECT_NE(std::find(first, glyph.rows.begin() + bottom, 0u),
              glyph.rows.begin() + bottom)
        << "U+" << std::hex << static_cast<uint32_t>(code);
  }
}

// A small letter whose round top the font's hinting leaves a row over
// the lower case's (a dot that reads as an accent) is drawn with its top
// on their row; signs whose top lies as high keep theirs.
TEST_F(SourceFontTest, RoundTopLeftUnhintedStandsOnTheLowerCasesRow) {
  const struct {
    const char* path;
    CellSize cell;
    RenderOptions::Hinting hinting;
    char32_t code;
    int overO;  // rows its top stands over o's
  } cases[] = {
      {"truetype/dejavu/DejaVuSansMono.ttf", {8, 9}, RenderOptions::Hinting::kDefault, U'α', 0},
      {"truetype/dejavu/DejaVuSansMono.ttf", {8, 10}, RenderOptions::Hinting::kFull, U'ς', 0},
      {"truetype/dejavu/DejaVuSansMono.ttf", {8, 9}, RenderOptions::Hinting::kDefault, U'+', 1},
      {"truetype/freefont/FreeSerif.ttf", {8, 12}, RenderOptions::Hinting::kDefault, U'n', 0},
      // A top row of more dots is the letter's own, drawn taller.
      {"opentype/ipafont-gothic/ipag.ttf", {8, 12}, RenderOptions::Hinting::kDefault, U'η', 1},
  };
  for (const auto& c : cases) {
    const std::string path = std::string("/usr/share/fonts/") + c.path;
    if (!std::filesystem::exists(path)) {
      GTEST_SKIP() << path
                   << " is not installed (fonts-dejavu-core, fonts-freefont-ttf, "
                      "fonts-ipafont-gothic)";
    }
    RenderOptions options;
    options.fit = RenderOptions::Fit::kCap;
    options.hinting = c.hinting;
    SourceFont font;
    std::string error;
    ASSERT_TRUE(font.Open(path, c.cell, options, &error)) << error;
    int tops[2] = {0, 0};
    int bottom = 0;
    for (int i = 0; i < 2; ++i) {
      CellGlyph glyph;
      ASSERT_TRUE(font.DrawGlyph(i == 0 ? U'o' : c.code, &glyph));
      InkRows(glyph, &tops[i], &bottom);
    }
    EXPECT_EQ(tops[0] - tops[1], c.overO)
        << c.path << " U+" << std::hex << static_cast<uint32_t>(c.code);
  }
}

// At the impact station letters are drawn wider than high; a glyph that
// would then fill the cell is drawn narrower and moved, so that every
// glyph leaves the last column blank and touches no neighbour; the
// lines made to join their neighbours are not narrowed.
TEST_F(SourceFontTest, GlyphsDrawnWiderLeaveTheLastColumnBlank) {
  const struct {
    const char* path;
    CellSize cell;
  } cases[] = {
      {"truetype/dejavu/DejaVuSansMono.ttf", {8, 9}},
      {"truetype/liberation/LiberationMono-Regular.ttf", {8, 12}},
      {"truetype/freefont/FreeMono.ttf", {8, 9}},  // drawn grey
  };
  for (const auto& c : cases) {
    const std::string path = std::string("/usr/share/fonts/") + c.path;
    if (!std::filesystem::exists(path)) {
      GTEST_SKIP() << path
                   << " is not installed (fonts-dejavu-core, fonts-liberation, "
                      "fonts-freefont-ttf)";
    }
    // The columns the glyphs of `text` take, summed, drawn as high or wider.
    int columns[2] = {0, 0};
    int lines[2] = {0, 0};  // of _
    for (int wider = 0; wider < 2; ++wider) {
      RenderOptions options;
      options.fit = RenderOptions::Fit::kCap;
      options.thinStrokesGray = true;
      options.widerPercent = wider == 1 ? kImpactWiderPercent : 0;
      SourceFont font;
      std::string error;
      ASSERT_TRUE(font.Open(path, c.cell, options, &error)) << error;
      for (char32_t code : std::u32string(U"MmWw@#%HNoοж_")) {
        CellGlyph glyph;
        ASSERT_TRUE(font.DrawGlyph(code, &glyph));
        uint32_t ink = 0;
        for (uint32_t row : glyph.rows) ink |= row;
        const uint32_t last = 0x80000000u >> (c.cell.width - 1);
        if (code == U'_') {
          lines[wider] = __builtin_popcount(ink);
          continue;
        }
        if (wider == 1) {
          EXPECT_EQ(ink & last, 0u) << c.path << " U+" << std::hex
                                    << static_cast<uint32_t>(code);
        }
        columns[wider] += __builtin_popcount(ink);
      }
    }
    EXPECT_GT(columns[1], columns[0]) << c.path;
    EXPECT_GE(lines[1], lines[0]) << c.path;
  }
}

// With the em square filling the cell, a glyph is as large as the font
// draws it in its em and stands on the baseline the font's ascent and
// descent put in the cell; the line fit leaves room for the whole line.
TEST_F(SourceFontTest, EmFitFillsTheCellFromTheFontsOwnMetrics) {
  const std::string path =
      "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " not here";
  struct Fit {
    RenderOptions::Fit fit;
    int height;  // of 'H'
  } fits[2];
  for (int i = 0; i < 2; ++i) {
    RenderOptions options;
    options.fit = i == 0 ? RenderOptions::Fit::kLine : RenderOptions::Fit::kEm;
    SourceFont font;
    std::string error;
    ASSERT_TRUE(font.Open(path, {24, 24}, options, &error)) << error;
    CellGlyph glyph;
    ASSERT_TRUE(font.DrawGlyph('H', &glyph));
    int top = 0;
    int bottom = 0;
    InkRows(glyph, &top, &bottom);
    fits[i] = {options.fit, bottom - top + 1};
    if (options.fit == RenderOptions::Fit::kEm) {
      EXPECT_EQ(font.rendering(), "outline at 24 pixels, em fills the cell");
      // DejaVu's typographic ascent and descent (1556 and 492 of 2048)
      // put the baseline under row 18 of 24; 'H' stands on it.
      EXPECT_EQ(font.ascent(), 18);
      EXPECT_EQ(font.ascent() + font.descent(), 24);
      EXPECT_EQ(bottom, 17);
      EXPECT_EQ(glyph.clippedDots, 0);
    }
  }
  // Cap height 0.73 em: 17 or 18 rows at 24 pixels, fewer at the line fit.
  EXPECT_GE(fits[1].height, 17);
  EXPECT_LT(fits[0].height, fits[1].height);
}

// A font file is read, never mapped: one too large to be held whole (here
// made so by zeros after its tables), cut short while glyphs are drawn from
// it, gives glyphs that fail and says it changed, instead of a crash.
TEST_F(SourceFontTest, FileCutShortWhileReadIsNamedNotACrash) {
  const char* dejavu = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
  if (!std::filesystem::exists(dejavu)) GTEST_SKIP() << "fonts-dejavu-core missing";
  const std::string path = dir_.File("cut.ttf");
  std::filesystem::copy_file(dejavu, path);
  std::filesystem::resize_file(path, kMaxUncompressedFont + 1);
  SourceFont font;
  std::string error;
  ASSERT_TRUE(font.Open(path, {12, 24}, &error)) << error;
  CellGlyph glyph;
  EXPECT_TRUE(font.DrawGlyph('A', &glyph));
  EXPECT_FALSE(font.readFailed());
  std::filesystem::resize_file(path, 4096);
  for (uint32_t c = 0x4000; c < 0x4100; ++c) font.DrawGlyph(c, &glyph);
  // Glyphs far in the file from those the size was chosen by (H, x).
  for (uint32_t c = 0x2500; c < 0x2580; ++c) font.DrawGlyph(c, &glyph);
  EXPECT_TRUE(font.readFailed());
}

}  // namespace

}  // namespace vexo
