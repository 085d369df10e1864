// The contact sheet: a picture of every glyph of a font file, one panel per
// kind and station, each panel a grid of 16 codes a row with the code of
// each row written on its left and the last hex digit above each column.
#ifndef VEXOCNVT_VEXOFONT_SHOW_CONTACT_SHEET_H_
#define VEXOCNVT_VEXOFONT_SHOW_CONTACT_SHEET_H_

#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/readers/gray_image.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

constexpr uint8_t kGridShade = 170;       // lines between the cells
constexpr uint8_t kEmptyCellShade = 230;  // a code with no glyph

struct SheetPanel {
  FontKind kind = FontKind::kNone;  // FontKind::kSbcs or FontKind::kDbcs
  bool thermal = false;
  std::string title;
  int dotsWide = 0;  // the largest glyph of the panel
  int dotsHigh = 0;
  int dotPixels = 0;  // side of one dot's square
  int digits = 0;     // hex digits of a row's code
  int top = 0;        // where the title starts
  int gridLeft = 0;   // the grid's left and top outer line
  int gridTop = 0;
  int pitchX = 0;     // from one cell to the next, grid line included
  int pitchY = 0;
  std::vector<int> rowBases;  // code / 16 of each grid row, ascending
};

// One glyph on the sheet: the pixel where its dot (0, 0) starts.
struct SheetCell {
  int panel = 0;
  int glyph = 0;  // index into ShownFont::glyphs
  int x = 0;
  int y = 0;
};

struct SheetPlan {
  int width = 0;
  int height = 0;
  std::vector<SheetPanel> panels;
  std::vector<SheetCell> cells;
};

// Lays out the panels (SBCS thermal, SBCS impact, DBCS thermal, DBCS
// impact, each only when it has glyphs of a known size) and the cells. A
// font without such glyphs gets no panel and a sheet that says "NONE".
SheetPlan PlanContactSheet(const ShownFont& font);

// A sheet is written in pages of at most this many pixel rows, split
// between grid rows, so that no picture of a font needs more than about
// ten megabytes. The tallest sheet any file gives (every DBCS code at both
// stations, one grid row of 16 codes each) takes about 54 pages; more than
// kMaxSheetPages are never written.
constexpr int kMaxSheetPageHeight = 8192;
constexpr int kMaxSheetPages = 64;

// The picture rows top to top + height - 1 of a sheet.
struct SheetPage {
  int top = 0;
  int height = 0;
};

// Splits the sheet of `plan` into pages of at most kMaxSheetPageHeight
// rows, each ending where a grid row or a panel ends when one does within
// the limit. Returns every page, however many there are.
std::vector<SheetPage> PlanSheetPages(const SheetPlan& plan);

// Draws the rows of `page` of `plan` of `font` into *image, which it sizes.
void DrawSheetPage(const ShownFont& font, const SheetPlan& plan,
                   const SheetPage& page, GrayImage* image);

// Draws the whole of `plan` of `font` into *image, which it sizes.
void DrawContactSheet(const ShownFont& font, const SheetPlan& plan,
                      GrayImage* image);

// The files a sheet went to: `path` itself for a sheet of one page, else
// PATH-1.png, PATH-2.png ... (the number before the extension).
struct SheetFiles {
  std::vector<std::string> written;
  int pagesLeftOut = 0;  // pages past kMaxSheetPages, not written
  std::string failed;    // the page that could not be written, if any
  int input = -1;        // with kSheetIsAnInput: which input it is
};

// What WriteContactSheet returns when a page would replace one of `inputs`.
constexpr int kSheetIsAnInput = -1;

// Plans, draws and writes the sheet of `font` to `path` as PNG files, one
// page at a time, filling *files. No page may be one of `inputs` (the font
// file shown, a configuration and its fonts): before anything is written,
// such a page is refused with kSheetIsAnInput. The pages take their names
// all together once every one is complete, so a failure leaves every page
// as it was. Returns 0, or the errno value when a page cannot be written;
// prints nothing.
int WriteContactSheet(const char* path, const ShownFont& font,
                      const std::vector<std::string>& inputs,
                      SheetFiles* files);

// The name of page `number` (from 1) of `pages` for a sheet at `path`.
std::string SheetPageName(const std::string& path, int number, int pages);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_CONTACT_SHEET_H_
