// The glyph cell of an input font file: its kind, its station and its size
// in dots, and which sizes the converter accepts for each kind and station.
#ifndef VEXOCNVT_VEXOFONT_MAKE_CELL_SIZE_H_
#define VEXOCNVT_VEXOFONT_MAKE_CELL_SIZE_H_

#include <string>

#include "fontinput/glyph_size.h"
#include "store/font_kind.h"


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

// For an SBCS impact width whose dots the impact station does not all
// print (it takes whole bytes of 8 dot columns: nothing of widths 4 to 7,
// the first 8 columns of 9 to 15), the phrase that says so, e.g. "the
// impact station prints none of the dots of SBCS glyphs 6 dots wide (...)";
// empty for widths it prints whole.
std::string ImpactWidthWarning(int width);


#endif  // VEXOCNVT_VEXOFONT_MAKE_CELL_SIZE_H_
