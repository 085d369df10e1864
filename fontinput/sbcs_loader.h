// Loads the glyphs of one single-byte input font file into the glyph table.
#ifndef VEXOCNVT_FONTINPUT_SBCS_LOADER_H_
#define VEXOCNVT_FONTINPUT_SBCS_LOADER_H_

#include <cstdio>

#include "fontinput/font_header.h"

namespace vexo {

// Reads the glyphs of codes header.firstChar to header.lastChar from `file`,
// positioned just after the header, and stores them for `station` (1
// thermal, 2 impact) under their low code byte. Thermal glyphs are stored as
// rows of width/8 + 1 bytes; impact glyphs are turned into column data, and
// a column count other than 2 x width is reported on standard output. With
// verbose on, every glyph is listed. A short file ends the load quietly.
// Sizes the driver never accepts are refused: nothing is read or stored.
// With any other station value the glyphs are read and nothing else is
// done. Always returns 0. Does not close the file.
int LoadSbcsGlyphs(std::FILE* file, Station station, SbcsFontHeader header);

}  // namespace vexo

#endif  // VEXOCNVT_FONTINPUT_SBCS_LOADER_H_
