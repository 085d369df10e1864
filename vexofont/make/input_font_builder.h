// Builds a whole input font file in memory: the header the converter reads
// for the kind, then one glyph per code in the order its loader reads them.
#ifndef VEXOCNVT_VEXOFONT_MAKE_INPUT_FONT_BUILDER_H_
#define VEXOCNVT_VEXOFONT_MAKE_INPUT_FONT_BUILDER_H_

#include <cstddef>
#include <functional>
#include <vector>

#include "fontinput/font_writer.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/make/cell_size.h"
#include "vexofont/make/source_font.h"

namespace vexo {

struct FontRequest {
  FontKind kind = FontKind::kSbcs;
  Station station = Station::kThermal;
  CellSize cell;
  const CodePage* codePage = nullptr;  // of the request's kind
  int first = 0;  // SBCS 0 to 0xFF, DBCS 0 to 0xFFFF; first <= last
  int last = 0;
};

struct FontCounts {
  int written = 0;        // glyphs in the file, blank ones included
  int missing = 0;        // blank: no character in the code page or font
  std::vector<int> missingCodes;  // their codes, rising
  int belowFirst = 0;     // DBCS: blank, in the first lead row below first
  int clippedGlyphs = 0;  // glyphs with dots outside the cell (--clip)
  long long clippedDots = 0;
  std::vector<int> clippedCodes;  // their codes, rising
  std::vector<int> leftForRoom;  // DBCS: drawn, left blank for the table
  int movedGlyphs = 0;   // ink passing the cell, moved into it
  int shrunkGlyphs = 0;  // of those, drawn smaller: larger than the cell
};

// Draws the glyph of a code of the request's code page onto the cell.
// Returns false, the cell left blank, when there is no character or glyph.
using GlyphSource = std::function<bool(int code, CellGlyph* glyph)>;

// The DBCS header vectors for a request: the code page vector pairs carry
// the code page's lead ranges (codePageVector1) and trail ranges
// (codePageVector2); the font vectors carry the lead ranges cut to the lead
// bytes of first to last, and the trail ranges.
DbcsVectors DbcsVectorsFor(const CodePage& codePage, int first, int last);

// Whether a DBCS request's range holds a code of its code page that the
// converter's enumeration reaches.
bool DbcsRangeHasCodes(const FontRequest& request);

// Appends the file for `request` to *out and fills *counts. An SBCS file
// holds codes first to last; a DBCS file the codes of the loader's
// enumeration of its font vectors up to last, those below first blank.
// Returns false, appending nothing, when a DBCS request's range holds no
// code of the code page.
bool BuildInputFont(const FontRequest& request, const GlyphSource& source,
                    Bytes* out, FontCounts* counts);

// Clears the glyphs of `codes` in `file`, a DBCS file that BuildInputFont
// wrote for `request`.
void BlankDbcsGlyphs(const FontRequest& request, const std::vector<int>& codes,
                     Bytes* file);

// The size of a file of `glyphs` glyphs for the kind and cell.
size_t InputFontFileSize(FontKind kind, CellSize cell, int glyphs);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_INPUT_FONT_BUILDER_H_
