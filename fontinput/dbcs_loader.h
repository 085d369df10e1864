// Loads the glyphs of one double-byte input font file into the glyph table.
#ifndef VEXOCNVT_FONTINPUT_DBCS_LOADER_H_
#define VEXOCNVT_FONTINPUT_DBCS_LOADER_H_

#include <cstdio>

#include "fontinput/font_header.h"

namespace vexo {

// Reads the glyphs of `file`, positioned just after the header, in the order
// of the code enumeration of the header's font vectors, and stores the ones
// that are not blank for `station` (1 thermal, 2 impact) under lead and
// trail byte. Thermal glyphs are stored as rows, impact glyphs as column
// data. The enumeration is repeated, reading on, until a pass meets a stop
// condition (a lead range starting at 0, a code above lastChar, a short
// read) or reads nothing. With verbose on, every glyph read is listed.
// Sizes the driver never accepts (thermal other than 24 x 24, impact other
// than 16 x 9 and 16 x 16) are refused: nothing is read or stored. Always
// returns 0. Does not close the file.
int LoadDbcsGlyphs(std::FILE* file, Station station, DbcsFontHeader header);

}  // namespace vexo

#endif  // VEXOCNVT_FONTINPUT_DBCS_LOADER_H_
