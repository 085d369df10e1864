// The contact sheet: a picture of every glyph of a font file, one panel per
// kind and station, each panel a grid of 16 codes a row with the code of
// each row written on its left and the last hex digit above each column.
#ifndef VEXOCNVT_VEXOFONT_SHOW_CONTACT_SHEET_H_
#define VEXOCNVT_VEXOFONT_SHOW_CONTACT_SHEET_H_

#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/show/gray_image.h"
#include "vexofont/show/shown_font.h"

constexpr uint8_t kGridShade = 170;       // lines between the cells
constexpr uint8_t kEmptyCellShade = 230;  // a code with no glyph

struct SheetPanel {
  uint8_t kind = 0;  // kKindSbcs or kKindDbcs
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

// Draws `plan` of `font` into *image, which it sizes.
void DrawContactSheet(const ShownFont& font, const SheetPlan& plan,
                      GrayImage* image);

// Plans, draws and writes the sheet of `font` to `path` as a PNG file.
// Returns 0, or the errno value when the file cannot be written; prints
// nothing.
int WriteContactSheet(const char* path, const ShownFont& font);

#endif  // VEXOCNVT_VEXOFONT_SHOW_CONTACT_SHEET_H_
