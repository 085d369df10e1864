#include "vexofont/show/contact_sheet.h"

#include <algorithm>
#include <cstdio>

#include "store/glyph_table.h"
#include "platform/output_file.h"
#include "vexofont/show/label_font.h"

namespace vexo {

namespace {

constexpr int kMargin = 12;
constexpr int kPanelGap = 24;
constexpr int kLabelScale = 2;
constexpr int kLabelHeight = kLabelGlyphHeight * kLabelScale;
constexpr int kTitleGap = 10;   // below a panel's title
constexpr int kHeaderGap = 4;   // below the column digits
constexpr int kRowLabelGap = 8;  // between a row's code and the grid
constexpr int kCellPad = 2;     // blank pixels around a glyph in its cell
constexpr int kColumns = 16;
constexpr char kNoGlyphs[] = "NONE";  // the sheet of a font without glyphs

const DotPicture& Dots(const ShownGlyph& glyph, bool thermal) {
  return thermal ? glyph.thermalDots : glyph.impactDots;
}

bool OnPanel(const ShownGlyph& glyph, FontKind kind, bool thermal) {
  return glyph.kind == kind && (thermal ? glyph.thermal : glyph.impact) &&
         Dots(glyph, thermal).width > 0;
}

// The panel's glyph size, code digits and grid rows, from its glyphs.
void MeasurePanel(const ShownFont& font, SheetPanel* panel) {
  for (const ShownGlyph& glyph : font.glyphs) {
    if (!OnPanel(glyph, panel->kind, panel->thermal)) continue;
    const DotPicture& dots = Dots(glyph, panel->thermal);
    panel->dotsWide = std::max(panel->dotsWide, dots.width);
    panel->dotsHigh = std::max(panel->dotsHigh, dots.height);
    panel->rowBases.push_back(glyph.code / kColumns);
    if (glyph.code > 0xFF) panel->digits = 4;
  }
  std::sort(panel->rowBases.begin(), panel->rowBases.end());
  panel->rowBases.erase(
      std::unique(panel->rowBases.begin(), panel->rowBases.end()),
      panel->rowBases.end());
}

// Appends a cell for each of the panel's glyphs, the panel being number
// `index` of the plan.
void PlaceCells(const ShownFont& font, const SheetPanel& panel, int index,
                SheetPlan* plan) {
  for (size_t g = 0; g < font.glyphs.size(); ++g) {
    const ShownGlyph& glyph = font.glyphs[g];
    if (!OnPanel(glyph, panel.kind, panel.thermal)) continue;
    const int row = static_cast<int>(
        std::lower_bound(panel.rowBases.begin(), panel.rowBases.end(),
                         glyph.code / kColumns) -
        panel.rowBases.begin());
    SheetCell cell;
    cell.panel = index;
    cell.glyph = static_cast<int>(g);
    cell.x = panel.gridLeft + (glyph.code % kColumns) * panel.pitchX + 1 +
             kCellPad;
    cell.y = panel.gridTop + row * panel.pitchY + 1 + kCellPad;
    plan->cells.push_back(cell);
  }
}

// Lays out one panel starting at `top`; returns false when it has no
// glyph. Appends its cells.
bool PlanPanel(const ShownFont& font, FontKind kind, bool thermal, int top,
               SheetPlan* plan) {
  SheetPanel panel;
  panel.kind = kind;
  panel.thermal = thermal;
  panel.top = top;
  panel.digits = kind == FontKind::kDbcs ? 4 : 2;
  MeasurePanel(font, &panel);
  if (panel.rowBases.empty()) return false;

  char title[64];
  std::snprintf(title, sizeof(title), "%s %s %dx%d",
                kind == FontKind::kDbcs ? "DBCS" : "SBCS",
                thermal ? "THERMAL" : "IMPACT", panel.dotsWide,
                panel.dotsHigh);
  panel.title = title;
  // Small glyphs get bigger dots, so that every cell stays readable.
  panel.dotPixels = std::max(panel.dotsWide, panel.dotsHigh) <= 16 ? 3 : 2;
  panel.pitchX = panel.dotsWide * panel.dotPixels + 2 * kCellPad + 1;
  panel.pitchY = panel.dotsHigh * panel.dotPixels + 2 * kCellPad + 1;
  const int labelWidth = panel.digits * kLabelAdvance * kLabelScale;
  panel.gridLeft = kMargin + labelWidth + kRowLabelGap;
  panel.gridTop = top + 2 * kLabelHeight + kTitleGap + kHeaderGap;

  const int index = static_cast<int>(plan->panels.size());
  PlaceCells(font, panel, index, plan);
  const int right = panel.gridLeft + kColumns * panel.pitchX + 1 + kMargin;
  const int titleRight =
      kMargin + LabelWidth(panel.title.c_str(), kLabelScale) + kMargin;
  plan->width = std::max({plan->width, right, titleRight});
  plan->height = panel.gridTop +
                 static_cast<int>(panel.rowBases.size()) * panel.pitchY + 1 +
                 kMargin;
  plan->panels.push_back(panel);
  return true;
}

void DrawPanel(const SheetPanel& panel, GrayImage* image) {
  DrawLabel(image, kMargin, panel.top, panel.title.c_str(), kLabelScale,
            kBlack);
  const int rows = static_cast<int>(panel.rowBases.size());
  const int innerW = panel.pitchX - 1;
  const int innerH = panel.pitchY - 1;
  const int headerY = panel.top + kLabelHeight + kTitleGap;
  char text[16];
  for (int c = 0; c < kColumns; ++c) {
    std::snprintf(text, sizeof(text), "%X", c);
    const int x = panel.gridLeft + 1 + c * panel.pitchX +
                  (innerW - LabelWidth(text, kLabelScale)) / 2;
    DrawLabel(image, x, headerY, text, kLabelScale, kBlack);
  }
  // Grid lines, then every cell grey until a glyph paints it white.
  image->Fill(panel.gridLeft, panel.gridTop, kColumns * panel.pitchX + 1,
              rows * panel.pitchY + 1, kGridShade);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      image->Fill(panel.gridLeft + 1 + c * panel.pitchX,
                  panel.gridTop + 1 + r * panel.pitchY, innerW, innerH,
                  kEmptyCellShade);
    }
    std::snprintf(text, sizeof(text), "%0*X", panel.digits,
                  panel.rowBases[r] * kColumns);
    const int x = panel.gridLeft - kRowLabelGap - LabelWidth(text, kLabelScale);
    const int y =
        panel.gridTop + 1 + r * panel.pitchY + (innerH - kLabelHeight) / 2;
    DrawLabel(image, x, y, text, kLabelScale, kBlack);
  }
}

void DrawCell(const SheetPanel& panel, const SheetCell& cell,
              const DotPicture& dots, GrayImage* image) {
  image->Fill(cell.x - kCellPad, cell.y - kCellPad, panel.pitchX - 1,
              panel.pitchY - 1, kWhite);
  for (int y = 0; y < dots.height; ++y) {
    for (int x = 0; x < dots.width; ++x) {
      if (dots.Dot(x, y)) {
        image->Fill(cell.x + x * panel.dotPixels, cell.y + y * panel.dotPixels,
                    panel.dotPixels, panel.dotPixels, kBlack);
      }
    }
  }
}

}  // namespace

SheetPlan PlanContactSheet(const ShownFont& font) {
  SheetPlan plan;
  int top = kMargin;
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    for (bool thermal : {true, false}) {
      if (PlanPanel(font, kind, thermal, top, &plan)) {
        top = plan.height - kMargin + kPanelGap;
      }
    }
  }
  if (plan.panels.empty()) {
    plan.width = 2 * kMargin + LabelWidth(kNoGlyphs, kLabelScale);
    plan.height = 2 * kMargin + kLabelHeight;
  }
  return plan;
}

std::vector<SheetPage> PlanSheetPages(const SheetPlan& plan) {
  // Places where a page may end: between grid rows and between panels.
  std::vector<int> ends;
  for (const SheetPanel& panel : plan.panels) {
    ends.push_back(panel.top);
    for (size_t r = 1; r < panel.rowBases.size(); ++r) {
      ends.push_back(panel.gridTop + static_cast<int>(r) * panel.pitchY);
    }
  }
  std::sort(ends.begin(), ends.end());
  std::vector<SheetPage> pages;
  int top = 0;
  size_t next = 0;
  while (top < plan.height) {
    const int limit = top + kMaxSheetPageHeight;
    int end = std::min(plan.height, limit);
    if (plan.height > limit) {
      while (next < ends.size() && ends[next] <= limit) ++next;
      if (next > 0 && ends[next - 1] > top) end = ends[next - 1];
    }
    pages.push_back({top, end - top});
    top = end;
  }
  return pages;
}

void DrawSheetPage(const ShownFont& font, const SheetPlan& plan,
                   const SheetPage& page, GrayImage* image) {
  image->Reset(plan.width, page.height, kWhite, page.top);
  const int bottom = page.top + page.height;
  if (plan.panels.empty()) {
    DrawLabel(image, kMargin, kMargin, kNoGlyphs, kLabelScale, kBlack);
  }
  for (const SheetPanel& panel : plan.panels) {
    const int panelBottom =
        panel.gridTop + static_cast<int>(panel.rowBases.size()) * panel.pitchY +
        1;
    if (panel.top < bottom && panelBottom > page.top) DrawPanel(panel, image);
  }
  for (const SheetCell& cell : plan.cells) {
    const SheetPanel& panel = plan.panels[cell.panel];
    if (cell.y + panel.pitchY <= page.top || cell.y - kCellPad >= bottom) continue;
    DrawCell(panel, cell, Dots(font.glyphs[cell.glyph], panel.thermal), image);
  }
}

void DrawContactSheet(const ShownFont& font, const SheetPlan& plan,
                      GrayImage* image) {
  DrawSheetPage(font, plan, {0, plan.height}, image);
}

std::string SheetPageName(const std::string& path, int number, int pages) {
  if (pages == 1) return path;
  size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    dot = path.size();
  }
  return path.substr(0, dot) + "-" + std::to_string(number) + path.substr(dot);
}

namespace {

// Whether a page of the sheet is one of the inputs; names it in *files.
bool PageIsAnInput(const std::string& path, int written, int count,
                   const std::vector<std::string>& inputs, SheetFiles* files) {
  for (int p = 0; p < written; ++p) {
    const std::string name = SheetPageName(path, p + 1, count);
    for (size_t i = 0; i < inputs.size(); ++i) {
      if (SameExistingFile(name.c_str(), inputs[i].c_str())) {
        files->failed = name;
        files->input = static_cast<int>(i);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

int WriteContactSheet(const char* path, const ShownFont& font,
                      const std::vector<std::string>& inputs,
                      SheetFiles* files) {
  const SheetPlan plan = PlanContactSheet(font);
  const std::vector<SheetPage> pages = PlanSheetPages(plan);
  const int count = static_cast<int>(pages.size());
  const int written = std::min(count, kMaxSheetPages);
  files->written.clear();
  files->pagesLeftOut = count - written;
  files->input = -1;
  if (PageIsAnInput(path, written, count, inputs, files)) {
    return kSheetIsAnInput;
  }
  std::vector<OutputFile> outputs(static_cast<size_t>(written));
  GrayImage image;
  int error = 0;
  int complete = 0;
  for (; complete < written && error == 0; ++complete) {
    DrawSheetPage(font, plan, pages[complete], &image);
    const std::string name = SheetPageName(path, complete + 1, count);
    error = WriteGrayPngUnpublished(name.c_str(), image, &outputs[complete]);
    if (error != 0) files->failed = name;
  }
  if (error != 0) --complete;  // the failed page left nothing
  // All pages or none.
  for (int p = 0; p < complete && error == 0; ++p) {
    error = PublishOutputFile(&outputs[p]);
    if (error != 0) files->failed = SheetPageName(path, p + 1, count);
    else files->written.push_back(SheetPageName(path, p + 1, count));
  }
  for (int p = 0; p < complete; ++p) AbandonOutputFile(&outputs[p]);
  return error;
}

}  // namespace vexo
