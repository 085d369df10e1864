#include "fontinput/glyph_size.h"

#include <cstdlib>

#include "fontinput/impact_columns.h"

namespace vexo {

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

ImpactPrint ImpactPrintOf(int width, int height) {
  const int columns = 8 * (width / 8);
  if (columns == 0 || height <= 0) return ImpactPrint::kNothing;
  if ((height + 7) / 8 > ImpactColumnStep(width, height)) {
    return ImpactPrint::kColumnsMixed;
  }
  if (ImpactColumnsSpan(width, height) > ImpactBytesStored(width)) {
    return ImpactPrint::kColumnsCut;
  }
  return columns < width ? ImpactPrint::kFirstColumns : ImpactPrint::kAsDrawn;
}

std::string ImpactPrintProblem(int width, int height) {
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  const int step = ImpactColumnStep(width, height);
  const int stored = ImpactBytesStored(width);
  switch (ImpactPrintOf(width, height)) {
    case ImpactPrint::kAsDrawn:
      return "";
    case ImpactPrint::kFirstColumns:
    case ImpactPrint::kNothing:
      return ImpactWidthWarning(width);
    case ImpactPrint::kColumnsCut: {
      // The first dot column whose last byte lies beyond what is kept.
      const int columnBytes = (height + 7) / 8;
      int firstCut = 0;
      while ((firstCut * step + columnBytes) <= stored) ++firstCut;
      const int last = 8 * (width / 8) - 1;
      return "the impact station gets " + size + " glyphs with dot column" +
             (firstCut == last ? " " : "s ") + Span(firstCut, last) +
             " cut off (their column data takes " +
             std::to_string(ImpactColumnsSpan(width, height)) +
             " bytes, a glyph record keeps " + std::to_string(stored) + ")";
    }
    case ImpactPrint::kColumnsMixed:
      return "the impact station gets " + size +
             " glyphs scrambled: each dot column takes " +
             std::to_string((height + 7) / 8) + " byte" +
             ((height + 7) / 8 == 1 ? "" : "s") + " but the next starts " +
             (step == 0 ? "in the same byte" : std::to_string(step) + " on") +
             ", so neighbouring columns' dots land in the same bits";
  }
  return "";
}

std::string NearestAsDrawnSizes(FontKind kind, int width, int height) {
  const GlyphSizeRule& rule = GlyphSizesFor(kind, Station::kImpact);
  auto accepted = [&rule](int w, int h) {
    return w > 0 && h > 0 &&
           CheckGlyphSize(rule, static_cast<uint32_t>(w),
                          static_cast<uint32_t>(h)) == SizeFault::kNone &&
           ImpactPrintsAsDrawn(w, h);
  };
  std::string sizes;
  auto add = [&sizes](int w, int h) {
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    if (sizes == size) return;
    sizes += (sizes.empty() ? "" : " or ") + size;
  };
  // Nearest height at the same width, the lower one first on a tie.
  for (int d = 1; d <= 32; ++d) {
    if (accepted(width, height - d)) { add(width, height - d); break; }
    if (accepted(width, height + d)) { add(width, height + d); break; }
  }
  // Nearest whole-byte width at the same height.
  const int widths[] = {8, 16};
  int best = 0;
  for (int w : widths) {
    if (w != width && accepted(w, height) &&
        (best == 0 || std::abs(w - width) < std::abs(best - width))) {
      best = w;
    }
  }
  if (best != 0) add(best, height);
  return sizes;
}

}  // namespace vexo
