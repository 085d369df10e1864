#include "fontinput/glyph_size.h"

namespace {

std::string Span(uint32_t low, uint32_t high) {
  if (low == high) return std::to_string(low);
  return std::to_string(low) + " to " + std::to_string(high);
}

uint32_t MaxHeightAt(const GlyphSizeRule& rule, uint32_t width) {
  return width == rule.maxWidth ? rule.maxHeightAtMaxWidth : rule.maxHeight;
}

}  // namespace

std::string AcceptedWidths(const GlyphSizeRule& rule) {
  return Span(rule.minWidth, rule.maxWidth);
}

std::string AcceptedHeights(const GlyphSizeRule& rule, uint32_t width) {
  std::string heights = Span(rule.minHeight, MaxHeightAt(rule, width));
  if (rule.extraHeight != 0) {
    heights.insert(0, std::to_string(rule.extraHeight) + " or ");
  }
  return heights;
}

std::string AcceptedSizesOfKind(FontKind kind) {
  return std::string("thermal ") +
         AcceptedSizes(GlyphSizesFor(kind, Station::kThermal)) + "; impact " +
         AcceptedSizes(GlyphSizesFor(kind, Station::kImpact));
}

std::string ImpactWidthWarning(int width) {
  if (width <= 0) return "";
  const int printed = 8 * RowBytesTaken(FontKind::kSbcs, Station::kImpact,
                                        static_cast<uint32_t>(width));
  if (printed >= width) return "";
  return std::string("the impact station prints ") +
         (printed == 0 ? "none of the dots" : "only the first 8 dot columns") +
         " of SBCS glyphs " + std::to_string(width) +
         " dots wide (it takes whole bytes of 8 dot columns): make them 8 or "
         "16 wide";
}

std::string AcceptedSizes(const GlyphSizeRule& rule) {
  if (rule.minWidth == rule.maxWidth && rule.minHeight == rule.maxHeight) {
    // One width and one or two heights: the sizes one by one, the largest
    // first.
    const std::string width = std::to_string(rule.minWidth);
    std::string sizes = width + "x" + std::to_string(rule.maxHeight);
    if (rule.extraHeight == 0) return sizes + " only";
    sizes += " or ";
    sizes += width;
    sizes += "x";
    sizes += std::to_string(rule.extraHeight);
    return sizes;
  }
  std::string sizes = "width ";
  sizes += AcceptedWidths(rule);
  sizes += ", height ";
  sizes += AcceptedHeights(rule, rule.minWidth);
  if (rule.maxHeightAtMaxWidth != rule.maxHeight) {
    sizes += ", at width ";
    sizes += std::to_string(rule.maxWidth);
    sizes += " at most ";
    sizes += std::to_string(rule.maxHeightAtMaxWidth);
  }
  return sizes;
}
