// The glyph cell of an input font file: its kind, its station and its size
// in dots, and which sizes the converter accepts for each kind and station.
#ifndef VEXOCNVT_VEXOFONT_MAKE_CELL_SIZE_H_
#define VEXOCNVT_VEXOFONT_MAKE_CELL_SIZE_H_

#include <string>

enum class FontKind { kSbcs, kDbcs };
enum class Station { kThermal = 1, kImpact = 2 };

struct CellSize {
  int width = 0;
  int height = 0;
};

// The largest cell of any kind and station: a DBCS thermal glyph is 24 dots
// wide, an SBCS thermal glyph up to 32 rows high.
constexpr int kMaxCellWidth = 24;
constexpr int kMaxCellHeight = 32;

// Reads "WxH" (decimal digits each, lower-case or capital x; numbers above
// a million read as a million). Returns false, leaving *size alone, for
// anything else. Whether the converter takes the size is CellSizeAccepted's
// question.
bool ParseCellSize(const std::string& text, CellSize* size);

// Returns true when the converter loads fonts of this size for the kind and
// station whole: SBCS thermal width 8 to 16 and height 16 to 32, at width 16
// at most 24 rows (the record holds 72 bitmap bytes); SBCS impact width and
// height 4 to 16; DBCS thermal exactly 24 x 24; DBCS impact 16 x 16 or
// 16 x 9.
bool CellSizeAccepted(FontKind kind, Station station, CellSize size);

// The sizes the converter accepts for the kind and station, as a phrase for
// messages, e.g. "width 4 to 16, height 4 to 16".
const char* AcceptedCellSizes(FontKind kind, Station station);

// "SBCS thermal", "DBCS impact", ...
const char* KindStationName(FontKind kind, Station station);

#endif  // VEXOCNVT_VEXOFONT_MAKE_CELL_SIZE_H_
