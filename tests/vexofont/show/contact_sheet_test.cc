#include "vexofont/show/contact_sheet.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "show_test_support.h"
#include "store/glyph_table.h"
#include "vexofont/show/label_font.h"
#include "vexofont/readers/output_file_reader.h"

namespace vexo {

namespace {

struct ReadPng {
  bool ok = false;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> gray;
  uint8_t At(int x, int y) const { return gray[size_t(y) * width + x]; }
};

// Decodes a PNG file to 8-bit gray with libpng itself.
ReadPng ReadGrayPng(const std::string& path) {
  ReadPng result;
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return result;
  image.format = PNG_FORMAT_GRAY;
  result.gray.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, result.gray.data(), 0,
                             nullptr)) {
    return result;
  }
  result.ok = true;
  result.width = static_cast<int>(image.width);
  result.height = static_cast<int>(image.height);
  return result;
}

// Glyphs 4f and 50, so that the sheet has two grid rows, 40 and 50. The
// thermal glyphs are 8 dots wide, but their second byte is all set: the
// thermal station stores it, and the sheet must not show it.
bool ThermalDot(int code, int x, int y) {
  return code == 0x4F ? x == y % 8 : x == 7 - y % 8 || y == 15;
}
bool ImpactDot(int code, int x, int y) {
  return code == 0x4F ? x == (3 * y) % 8 : y == 0 || x == 0;
}

GlyphRows Rows(int code, int height, bool thermal) {
  GlyphRows rows(height, thermal ? 0x00FF0000u : 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < 8; ++x) {
      if (thermal ? ThermalDot(code, x, y) : ImpactDot(code, x, y)) {
        rows[y] |= 0x80000000u >> x;
      }
    }
  }
  return rows;
}

class ContactSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes_ = ConvertFonts(
        dir_, {{"SbcsThermalFile",
                SbcsFont(0x4F, 8, 16,
                         {Rows(0x4F, 16, true), Rows(0x50, 16, true)})},
               {"SbcsImpactFile",
                SbcsFont(0x4F, 8, 9,
                         {Rows(0x4F, 9, false), Rows(0x50, 9, false)})}});
    ProblemList problems;
    ReadOutputFontFile(bytes_.data(), bytes_.size(), &font_, &problems);
    ASSERT_TRUE(problems.empty());
    plan_ = PlanContactSheet(font_);
    const CapturedRun run =
        RunShow({dir_.File("out.fnt"), "--png", dir_.File("sheet.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    png_ = ReadGrayPng(dir_.File("sheet.png"));
    ASSERT_TRUE(png_.ok);
  }

  // The characters of the label drawn in the box, read back by matching
  // each 2x-scaled character cell against the label font.
  std::string ReadLabel(int left, int top, int right, int bottom) const {
    int x0 = right, y0 = bottom;
    int x1 = -1;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (png_.At(x, y) == kBlack) {
          x0 = std::min(x0, x);
          y0 = std::min(y0, y);
          x1 = std::max(x1, x);
        }
      }
    }
    std::string text;
    const int scale = 2;
    for (int cx = x0; cx <= x1; cx += kLabelAdvance * scale) {
      char found = '?';
      for (const char c : std::string("0123456789ABCDEF")) {
        const uint8_t* rows = LabelGlyph(c);
        bool same = true;
        for (int dy = 0; dy < kLabelGlyphHeight && same; ++dy) {
          for (int dx = 0; dx < kLabelGlyphWidth && same; ++dx) {
            const bool ink = png_.At(cx + dx * scale, y0 + dy * scale) == 0;
            same = ink == ((rows[dy] & (0x10 >> dx)) != 0);
          }
        }
        if (same) found = c;
      }
      text += found;
    }
    return text;
  }

  ScratchDir dir_;
  Bytes bytes_;
  ShownFont font_;
  SheetPlan plan_;
  ReadPng png_;
};

TEST_F(ContactSheetTest, EveryGlyphDotIsASquareOfBlackPixels) {
  EXPECT_EQ(png_.width, plan_.width);
  EXPECT_EQ(png_.height, plan_.height);
  ASSERT_EQ(plan_.panels.size(), 2u);  // SBCS thermal, SBCS impact
  ASSERT_EQ(plan_.cells.size(), 4u);
  for (const SheetCell& cell : plan_.cells) {
    const SheetPanel& panel = plan_.panels[cell.panel];
    const int code = font_.glyphs[cell.glyph].code;
    const int width = 8;
    const int height = panel.thermal ? 16 : 9;
    EXPECT_EQ(panel.dotsWide, width);
    EXPECT_EQ(panel.dotsHigh, height);
    SCOPED_TRACE(testing::Message() << std::hex << code << " "
                                    << (panel.thermal ? "thermal" : "impact"));
    const int s = panel.dotPixels;
    // The whole cell inside its grid lines: dots black, the rest white.
    for (int py = cell.y - 2; py < cell.y + height * s + 2; ++py) {
      for (int px = cell.x - 2; px < cell.x + width * s + 2; ++px) {
        const int x = px - cell.x;
        const int y = py - cell.y;
        const bool inside = x >= 0 && y >= 0 && x < width * s && y < height * s;
        const bool dot = inside && (panel.thermal ? ThermalDot(code, x / s, y / s)
                                                  : ImpactDot(code, x / s, y / s));
        ASSERT_EQ(png_.At(px, py), dot ? kBlack : kWhite) << px << "," << py;
      }
    }
  }
}

TEST_F(ContactSheetTest, CodesWithoutGlyphAreGreyCells) {
  for (const SheetPanel& panel : plan_.panels) {
    // Row 40, column 0: code 40 has no glyph.
    const int x = panel.gridLeft + 1 + panel.pitchX / 2;
    const int y = panel.gridTop + 1 + panel.pitchY / 2;
    EXPECT_EQ(png_.At(x, y), kEmptyCellShade);
    EXPECT_EQ(png_.At(panel.gridLeft, y), kGridShade);
  }
}

TEST_F(ContactSheetTest, EachRowIsLabelledWithItsCode) {
  for (const SheetPanel& panel : plan_.panels) {
    ASSERT_EQ(panel.rowBases.size(), 2u);
    for (int r = 0; r < 2; ++r) {
      const int top = panel.gridTop + r * panel.pitchY;
      EXPECT_EQ(ReadLabel(0, top, panel.gridLeft, top + panel.pitchY),
                r == 0 ? "40" : "50");
    }
  }
}

TEST(ContactSheetWriteTest, UnwritablePathFailsAndLeavesNoFile) {
  ShownFont font;
  SheetFiles files;
  EXPECT_EQ(WriteContactSheet("/nonexistent-folder/sheet.png", font, {},
                              &files),
            ENOENT);
  EXPECT_TRUE(files.written.empty());
  EXPECT_EQ(files.failed, "/nonexistent-folder/sheet.png");
}

}  // namespace

namespace {

// A DBCS font whose thermal glyphs stand one per grid row (codes 16
// apart), `rows` rows in all: a sheet far taller than one page.
ShownFont TallFont(int rows) {
  ShownFont font;
  for (int i = 0; i < rows; ++i) {
    ShownGlyph glyph;
    glyph.kind = FontKind::kDbcs;
    glyph.code = static_cast<uint16_t>(0x1000 + 16 * i);
    glyph.thermal = true;
    ResetPicture(24, 24, &glyph.thermalDots);
    glyph.thermalDots.Set(i % 24, i % 24);
    font.glyphs.push_back(glyph);
  }
  return font;
}

TEST(ContactSheetPagesTest, TallSheetIsSplitBetweenGridRowsIntoBoundedPages) {
  const ShownFont font = TallFont(400);
  const SheetPlan plan = PlanContactSheet(font);
  ASSERT_EQ(plan.panels.size(), 1u);
  const SheetPanel& panel = plan.panels[0];
  const std::vector<SheetPage> pages = PlanSheetPages(plan);
  ASSERT_GT(pages.size(), 1u);
  int top = 0;
  for (size_t p = 0; p < pages.size(); ++p) {
    EXPECT_EQ(pages[p].top, top) << p;
    EXPECT_GT(pages[p].height, 0) << p;
    EXPECT_LE(pages[p].height, kMaxSheetPageHeight) << p;
    top += pages[p].height;
    if (p + 1 < pages.size()) {
      EXPECT_EQ((top - panel.gridTop) % panel.pitchY, 0) << "page " << p
          << " ends inside a grid row";
    }
  }
  EXPECT_EQ(top, plan.height);

  // The pages, stacked, are the whole sheet.
  GrayImage whole;
  DrawContactSheet(font, plan, &whole);
  std::vector<uint8_t> stacked;
  for (const SheetPage& page : pages) {
    GrayImage part;
    DrawSheetPage(font, plan, page, &part);
    ASSERT_EQ(part.width, whole.width);
    ASSERT_EQ(part.height, page.height);
    stacked.insert(stacked.end(), part.pixels.begin(), part.pixels.end());
  }
  EXPECT_EQ(stacked, whole.pixels);
}

TEST(ContactSheetPagesTest, PagesAreWrittenAsNumberedFiles) {
  const ShownFont font = TallFont(400);
  const size_t pages = PlanSheetPages(PlanContactSheet(font)).size();
  ScratchDir dir;
  SheetFiles files;
  // A page that is the font file shown is refused before anything is
  // written.
  const std::string shown = dir.File("sheet-2.png");
  ASSERT_TRUE(WriteBytes(shown, Bytes(10, 1)));
  EXPECT_EQ(WriteContactSheet(dir.File("sheet.png").c_str(), font,
                              {dir.File("other"), shown}, &files),
            kSheetIsAnInput);
  EXPECT_EQ(files.failed, shown);
  EXPECT_EQ(files.input, 1);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"sheet-2.png"});
  std::filesystem::remove(shown);

  ASSERT_EQ(WriteContactSheet(dir.File("sheet.png").c_str(), font, {},
                              &files),
            0);
  ASSERT_EQ(files.written.size(), pages);
  EXPECT_EQ(files.pagesLeftOut, 0);
  for (size_t p = 0; p < pages; ++p) {
    EXPECT_EQ(files.written[p], dir.File("sheet-" + std::to_string(p + 1) + ".png"));
    const ReadPng png = ReadGrayPng(files.written[p]);
    EXPECT_TRUE(png.ok);
    EXPECT_LE(png.height, kMaxSheetPageHeight);
  }
  EXPECT_EQ(dir.Entries().size(), pages);  // no sheet.png, no temporary
}

// A page that cannot be written leaves every page as it was: none of the
// sheet is new, and no temporary stays.
TEST(ContactSheetPagesTest, SheetIsAllNewOrAllOld) {
  const ShownFont font = TallFont(400);
  ASSERT_GE(PlanSheetPages(PlanContactSheet(font)).size(), 3u);
  ScratchDir dir;
  const std::string first = dir.File("sheet-1.png");
  ASSERT_TRUE(WriteBytes(first, Bytes(10, 1)));
  ASSERT_TRUE(std::filesystem::create_directory(dir.File("sheet-3.png")));
  SheetFiles files;
  EXPECT_EQ(WriteContactSheet(dir.File("sheet.png").c_str(), font, {}, &files),
            EISDIR);
  EXPECT_EQ(files.failed, dir.File("sheet-3.png"));
  EXPECT_TRUE(files.written.empty());
  EXPECT_EQ(ReadBytes(first), Bytes(10, 1));
  EXPECT_EQ(dir.Entries(),
            (std::vector<std::string>{"sheet-1.png", "sheet-3.png"}));
}

TEST(ContactSheetPagesTest, TallestPossibleSheetFitsThePageLimit) {
  // Every grid row of both DBCS panels and both SBCS panels in use.
  ShownFont font;
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    const int rows = kind == FontKind::kSbcs ? 16 : 4096;
    for (int i = 0; i < rows; ++i) {
      ShownGlyph glyph;
      glyph.kind = kind;
      glyph.code = static_cast<uint16_t>(16 * i);
      glyph.thermal = glyph.impact = true;
      ResetPicture(kind == FontKind::kSbcs ? 16 : 24, kind == FontKind::kSbcs ? 32 : 24,
                   &glyph.thermalDots);
      ResetPicture(16, 16, &glyph.impactDots);
      font.glyphs.push_back(glyph);
    }
  }
  const std::vector<SheetPage> pages = PlanSheetPages(PlanContactSheet(font));
  EXPECT_GT(pages.size(), 50u);
  EXPECT_LE(pages.size(), size_t(kMaxSheetPages));
  for (const SheetPage& page : pages) EXPECT_LE(page.height, kMaxSheetPageHeight);
}

TEST(ContactSheetPagesTest, PageNamesNumberBeforeTheExtension) {
  const struct {
    const char* path;
    int number, pages;
    const char* name;
  } cases[] = {
      {"out/sheet.png", 1, 1, "out/sheet.png"},
      {"out/sheet.png", 2, 3, "out/sheet-2.png"},
      {"a.dir/sheet", 1, 2, "a.dir/sheet-1"},
      {"sheet.v2.png", 10, 12, "sheet.v2-10.png"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SheetPageName(c.path, c.number, c.pages), c.name) << c.path;
  }
}

}  // namespace

}  // namespace vexo
