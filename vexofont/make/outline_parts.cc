#include "vexofont/make/outline_parts.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <vector>

namespace vexo {

MarkApart MarkApartOf(const FT_Outline& outline) {
  struct Part {
    FT_Pos bottom;
    FT_Pos top;
  };
  std::vector<Part> parts;
  int start = 0;
  for (int c = 0; c < outline.n_contours; ++c) {
    const int end = outline.contours[c];
    if (end < start || end >= outline.n_points) return {};
    Part part{outline.points[start].y, outline.points[start].y};
    for (int i = start; i <= end; ++i) {
      part.bottom = std::min(part.bottom, outline.points[i].y);
      part.top = std::max(part.top, outline.points[i].y);
    }
    parts.push_back(part);
    start = end + 1;
  }
  std::sort(parts.begin(), parts.end(),
            [](const Part& a, const Part& b) { return a.bottom < b.bottom; });
  std::vector<Part> merged;
  for (const Part& part : parts) {
    if (!merged.empty() && part.bottom <= merged.back().top) {
      merged.back().top = std::max(merged.back().top, part.top);
    } else {
      merged.push_back(part);
    }
  }
  MarkApart mark;
  if (merged.size() != 2) return mark;
  const FT_Pos lower = merged[0].top - merged[0].bottom;
  const FT_Pos upper = merged[1].top - merged[1].bottom;
  mark.found = 2 * std::min(lower, upper) < std::max(lower, upper);
  if (mark.found) {
    mark.upperFoot = merged[1].bottom;
    mark.lowerTop = merged[0].top;
  }
  return mark;
}

bool UnhintedTop(FT_Face face, FT_UInt index, FT_Pos* top) {
  if (index == 0 ||
      FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE ||
      face->glyph->outline.n_points == 0) {
    return false;
  }
  FT_BBox box;
  FT_Outline_Get_CBox(&face->glyph->outline, &box);
  *top = box.yMax;
  return true;
}

}  // namespace vexo
