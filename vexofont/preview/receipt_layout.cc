#include "vexofont/preview/receipt_layout.h"

#include <algorithm>

namespace vexo {

namespace {

// The font's glyphs by kind and code.
class GlyphIndex {
 public:
  explicit GlyphIndex(const ShownFont& font)
      : font_(font), index_(2 * 65536, -1) {
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
      const ShownGlyph& glyph = font.glyphs[i];
      index_[Slot(glyph.kind, glyph.code)] = static_cast<int>(i);
    }
  }
  // The decoded picture of `kind` and `code` at `station`, or null.
  const DotPicture* At(Station station, FontKind kind, int code) const {
    if (code < 0 || code > 0xFFFF) return nullptr;
    const int i = index_[Slot(kind, code)];
    if (i < 0) return nullptr;
    const ShownGlyph& glyph = font_.glyphs[static_cast<size_t>(i)];
    if (station == Station::kThermal) {
      return glyph.thermal ? &glyph.thermalDots : nullptr;
    }
    return glyph.impact ? &glyph.impactDots : nullptr;
  }

 private:
  static size_t Slot(FontKind kind, int code) {
    return (kind == FontKind::kDbcs ? 65536u : 0u) + static_cast<size_t>(code);
  }
  const ShownFont& font_;
  std::vector<int> index_;
};

struct Cell {
  int index;
  int x;
  int line;
  int w;
  int h;
  const DotPicture* glyph;
};

}  // namespace

bool HasGlyphsOf(const ShownFont& font, Station station, FontKind kind) {
  for (const ShownGlyph& glyph : font.glyphs) {
    if (glyph.kind == kind && (station == Station::kThermal ? glyph.thermal : glyph.impact)) {
      return true;
    }
  }
  return false;
}

void CellOf(const OutputParameters& p, Station station, FontKind kind,
            int* width, int* height) {
  const bool thermal = station == Station::kThermal;
  if (kind == FontKind::kDbcs) {
    *width = thermal ? 24 : 16;
    *height = thermal ? 24 : (p.dbcsImpactNineRows == 1 ? 9 : 16);
    return;
  }
  *width = thermal ? p.sbcsThermalWidth : p.sbcsImpactWidth;
  *height = thermal ? p.sbcsThermalHeight : p.sbcsImpactHeight;
  if (*width == 0 || *height == 0) {
    *width = thermal ? 12 : 8;
    *height = thermal ? 24 : 16;
  }
}

namespace {

// The height of a line at `station`: that of the cells of the kinds the
// station has glyphs of (of both when it has none).
int LineHeight(const ShownFont& font, Station station) {
  int height = 1;
  const bool either = HasGlyphsOf(font, station, FontKind::kSbcs) ||
                      HasGlyphsOf(font, station, FontKind::kDbcs);
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    if (either && !HasGlyphsOf(font, station, kind)) continue;
    int w = 0;
    int h = 0;
    CellOf(font.parameters, station, kind, &w, &h);
    height = std::max(height, h);
  }
  return height;
}

// The cells of the text's characters, line by line; *lines and *lineHeight
// what they take, *breaks where a line of the text passed the width.
std::vector<Cell> PlaceCells(const std::vector<TextCharacter>& text,
                             const ShownFont& font, Station station,
                             const StationSetting& setting, int* lines,
                             int* lineHeight, std::vector<LineBreak>* breaks) {
  const OutputParameters& p = font.parameters;
  const GlyphIndex glyphs(font);
  std::vector<Cell> cells;
  int line = 0;
  int x = 0;
  *lineHeight = LineHeight(font, station);
  int sbcsW = 0;
  int sbcsH = 0;
  CellOf(p, station, FontKind::kSbcs, &sbcsW, &sbcsH);
  const int tabStop =
      std::max(1, setting.tabColumns * (sbcsW + setting.sbcsSpacing));
  // A character past the width: named once a line of the text; on the
  // next line, or (without wrapping) cut. Returns whether it is cut.
  int named = 0;
  auto pastWidth = [&](const TextCharacter& c) {
    if (c.line != named) breaks->push_back({c.line, c.column, !setting.wrap});
    named = c.line;
    if (!setting.wrap) return true;
    ++line;
    x = 0;
    return false;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const TextCharacter& c = text[i];
    if (c.newline) {
      // A line feed that ends the text ends its last line: no empty one.
      if (i + 1 < text.size()) {
        ++line;
        x = 0;
      }
      continue;
    }
    if (c.tab) {
      x = (x / tabStop + 1) * tabStop;
      if (x >= setting.width) pastWidth(c);
      continue;
    }
    const FontKind kind = c.kind == FontKind::kDbcs ? FontKind::kDbcs : FontKind::kSbcs;
    int w = 0;
    int h = 0;
    CellOf(p, station, kind, &w, &h);
    if (x > 0 && x + w > setting.width && pastWidth(c)) continue;
    cells.push_back({static_cast<int>(i), x, line, w, std::min(h, *lineHeight),
                     glyphs.At(station, kind, c.code)});
    x += w + (kind == FontKind::kDbcs ? setting.dbcsSpacing : setting.sbcsSpacing);
  }
  *lines = line + 1;
  return cells;
}

// Draws each cell, standing on its line's foot: the glyph's dots, or the
// outline of the cell.
void Paint(const std::vector<Cell>& cells, int lineHeight, int lineGap,
           StationPicture* picture) {
  auto put = [picture](int px, int py, Ink ink) {
    if (px >= 0 && px < picture->width && py >= 0 && py < picture->height) {
      picture->dots[size_t(py) * picture->width + px] = ink;
    }
  };
  for (const Cell& cell : cells) {
    const int top = cell.line * (lineHeight + lineGap) + lineHeight - cell.h;
    picture->placed.push_back(
        {cell.index, cell.x, top, cell.w, cell.h, cell.glyph != nullptr});
    for (int y = 0; y < cell.h; ++y) {
      for (int dx = 0; dx < cell.w; ++dx) {
        if (cell.glyph != nullptr) {
          if (cell.glyph->Dot(dx, y)) put(cell.x + dx, top + y, Ink::kDot);
        } else if (y == 0 || y == cell.h - 1 || dx == 0 || dx == cell.w - 1) {
          put(cell.x + dx, top + y, Ink::kMark);
        }
      }
    }
  }
}

}  // namespace

bool LayOutStation(const std::vector<TextCharacter>& text, const ShownFont& font,
                   Station station, const StationSetting& setting, int maxLines,
                   StationPicture* picture, std::string* error) {
  int lines = 0;
  int lineHeight = 0;
  picture->breaks.clear();
  const std::vector<Cell> cells = PlaceCells(
      text, font, station, setting, &lines, &lineHeight, &picture->breaks);
  if (lines > maxLines) {
    *error = "the text makes " + std::to_string(lines) + " lines at the " +
             (station == Station::kThermal ? "thermal" : "impact") +
             " station, more than " + std::to_string(maxLines);
    return false;
  }
  picture->station = station;
  picture->width = setting.width;
  picture->pitch = setting.pitch;
  picture->height = lines * lineHeight + (lines - 1) * setting.lineGap;
  picture->dots.assign(size_t(picture->width) * picture->height, Ink::kPaper);
  picture->placed.clear();
  Paint(cells, lineHeight, setting.lineGap, picture);
  return true;
}

}  // namespace vexo
