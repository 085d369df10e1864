// The glyph cell of an input font file: its kind, its station and its size
// in dots, and which sizes the converter accepts for each kind and station.
#ifndef VEXOCNVT_VEXOFONT_MAKE_CELL_SIZE_H_
#define VEXOCNVT_VEXOFONT_MAKE_CELL_SIZE_H_

#include <string>

#include "fontinput/glyph_size.h"
#include "store/font_kind.h"


namespace vexo {

struct CellSize {
  int width = 0;
  int height = 0;
};

// The largest cell of any kind and station: a DBCS thermal glyph is 24 dots
// wide, an SBCS thermal glyph up to 32 rows high.
constexpr int kMaxCellWidth = static_cast<int>(kDbcsThermalSizes.maxWidth);
constexpr int kMaxCellHeight = static_cast<int>(kSbcsThermalSizes.maxHeight);

// Reads "WxH" (decimal digits each, lower-case or capital x; numbers above
// a million read as a million). Returns false, leaving *size alone, for
// anything else. Whether the converter takes the size is CellSizeAccepted's
// question.
bool ParseCellSize(const std::string& text, CellSize* size);

// Returns true when the converter loads fonts of this size for the kind and
// station (the rules of fontinput/glyph_size.h).
bool CellSizeAccepted(FontKind kind, Station station, CellSize size);

// The sizes the converter accepts for the kind and station, as a phrase for
// messages, e.g. "width 4 to 16, height 4 to 16".
std::string AcceptedCellSizes(FontKind kind, Station station);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_CELL_SIZE_H_
