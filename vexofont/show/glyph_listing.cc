#include "vexofont/show/glyph_listing.h"

#include <algorithm>
#include <string>

#include "store/glyph_table.h"
#include "vexofont/fontrules/dot_chars.h"

namespace vexo {

namespace {

constexpr int kGap = 4;  // blanks between the two pictures

std::string Title(const char* station, bool present, const DotPicture& dots) {
  char text[64];
  if (!present) {
    std::snprintf(text, sizeof(text), "%s: none", station);
  } else if (dots.width == 0) {
    std::snprintf(text, sizeof(text), "%s: size unknown", station);
  } else {
    std::snprintf(text, sizeof(text), "%s %d x %d", station, dots.width,
                  dots.height);
  }
  return text;
}

std::string Row(const DotPicture& dots, int y) {
  std::string row;
  if (y >= dots.height) return row;
  for (int x = 0; x < dots.width; ++x) row += dots.Dot(x, y) ? kSetDot : kClearDot;
  return row;
}

void AddGlyph(CommandReport* report, const ShownGlyph& glyph) {
  report->Output("%0*x  %s, at offset %zu\n",
                 glyph.kind == FontKind::kDbcs || glyph.code > 0xFF ? 4 : 2,
                 glyph.code, glyph.kind == FontKind::kDbcs ? "DBCS" : "SBCS",
                 glyph.offset);
  static const DotPicture kNone;
  const DotPicture& thermal = glyph.thermal ? glyph.thermalDots : kNone;
  const DotPicture& impact = glyph.impact ? glyph.impactDots : kNone;
  const std::string left = Title("thermal", glyph.thermal, thermal);
  const std::string right = Title("impact", glyph.impact, impact);
  const int column = std::max<int>(left.size(), thermal.width) + kGap;
  report->Output("%-*s%s\n", column, left.c_str(), right.c_str());
  for (int y = 0; y < std::max(thermal.height, impact.height); ++y) {
    const std::string r = Row(impact, y);
    if (r.empty()) {
      report->Output("%s\n", Row(thermal, y).c_str());
    } else {
      report->Output("%-*s%s\n", column, Row(thermal, y).c_str(), r.c_str());
    }
  }
  report->Output("\n");
}

}  // namespace

void AddGlyphPictures(CommandReport* report, const ShownFont& font,
                      uint16_t low, uint16_t high) {
  bool any = false;
  for (const ShownGlyph& glyph : font.glyphs) {
    if (glyph.code < low || glyph.code > high) continue;
    AddGlyph(report, glyph);
    any = true;
  }
  if (any) return;
  if (low == high) {
    report->Output("No glyph with code %x\n\n", low);
  } else {
    report->Output("No glyph with a code from %x to %x\n\n", low, high);
  }
}

}  // namespace vexo
