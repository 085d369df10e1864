// Room in the converter's glyph table for a DBCS font: code page 936
// holds more characters than the table's records, so a full font leaves
// blank the codes a shop is least likely to print, keeping GB 2312 whole.
#ifndef VEXOCNVT_VEXOFONT_MAKE_TABLE_ROOM_H_
#define VEXOCNVT_VEXOFONT_MAKE_TABLE_ROOM_H_

#include <functional>
#include <vector>

#include "fontinput/font_writer.h"
#include "store/glyph_table.h"
#include "vexofont/make/input_font_builder.h"

namespace vexo {

// The records one DBCS font may fill: the table less a record for each
// SBCS code, so that SBCS fonts of both stations find theirs too.
constexpr int kDbcsTableRoom = kGlyphTableSize - 256;

// Of `stored` (DistinctStoredCodes of the font), the codes to leave blank so that at most kDbcsTableRoom
// remain, for code page 936: codes outside GB 2312 (lead bytes 0xa1 to
// 0xf7 with trail bytes 0xa1 to 0xfe) and outside the symbol rows 0xa1 to
// 0xa9, first the ideographs no other DBCS code page (932, 949, 950) holds,
// then the others, each from the highest code down. `character` gives a
// code's character (false for none). Rising; empty when the font fits, for
// other code pages, or when GB 2312 alone would not fit.
std::vector<int> CodesToLeaveBlank(const FontRequest& request,
                                   const std::vector<int>& stored,
                                   const std::function<bool(int, uint32_t*)>& character);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_TABLE_ROOM_H_
