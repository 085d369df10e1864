// A receipt as a station prints it: the characters of a text, each the
// glyph of its code at that station, set one after another with the
// file's spacing after each, lines broken at the station's width.
#ifndef VEXOCNVT_VEXOFONT_PREVIEW_RECEIPT_LAYOUT_H_
#define VEXOCNVT_VEXOFONT_PREVIEW_RECEIPT_LAYOUT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "store/font_kind.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

// One character of the text, its code found in the code page: `code` -1
// when the code page has none; `newline` for a line feed.
struct TextCharacter {
  uint32_t character = 0;
  FontKind kind = FontKind::kNone;
  int code = -1;
  // A character the code page lacks, printed as its equivalent (`code`
  // is the equivalent's); 0 for none.
  uint32_t equivalent = 0;
  const char* relation = "";
  bool newline = false;
  bool tab = false;  // to the next tab stop
  // Read from bytes (--bytes): where, and the byte or two bytes read
  // (-1 for a text read as characters).
  long offset = -1;
  int raw = -1;
  int rawLength = 0;
  int line = 1;    // in the text, for messages
  int column = 1;
};

// What a station's picture holds at each dot.
enum class Ink : uint8_t { kPaper, kDot, kMark };

// The distance from one dot to the next, across the paper and down it,
// in micrometres: a station's dots are rectangles of this shape.
struct DotPitch {
  int across = 125;
  int down = 125;
};

// How a station sets characters: its paper width in dots, the spacing in
// dots after an SBCS and a DBCS character, the dots between lines, the
// tab stops every `tabColumns` SBCS characters.
struct StationSetting {
  int width = 0;
  int sbcsSpacing = 0;
  int dbcsSpacing = 0;
  int lineGap = 4;
  int tabColumns = 8;
  bool wrap = true;  // false: a line is cut at the width
  DotPitch pitch;    // for the pictures only: the layout counts dots
};

// A character placed on the picture, for the page's pointer and messages.
struct PlacedCharacter {
  int index;        // in the text
  int x, y, w, h;   // its cell
  bool drawn;       // false: the mark
};

// A line of the text that passed a station's width: at which character,
// and whether it went on on the next line or was cut there.
struct LineBreak {
  int line;
  int column;
  bool cut;
};

struct StationPicture {
  Station station = Station::kThermal;
  int width = 0;
  int height = 0;
  DotPitch pitch;
  std::vector<Ink> dots;  // rows top to bottom
  std::vector<PlacedCharacter> placed;
  std::vector<LineBreak> breaks;  // the first of each line of the text
  Ink At(int x, int y) const { return dots[size_t(y) * width + x]; }
};

// The cell of a character of `kind` at `station` in a file of parameters
// `p`: the SBCS size the file carries (12x24 thermal, 8x16 impact when it
// carries none), DBCS 24x24 thermal and 16x16 or 16x9 impact.
void CellOf(const OutputParameters& p, Station station, FontKind kind,
            int* width, int* height);

// Whether `font` has glyphs of `kind` at `station`: a line is as high as
// the cells of the kinds it has there (both when it has none).
bool HasGlyphsOf(const ShownFont& font, Station station, FontKind kind);

// Lays out `text` at `station` from the glyphs of `font`. A character the
// code page has no code for, or whose code has no glyph at the station, is
// drawn as the mark: the outline of its cell. A tab moves to the next tab
// stop. A character that would pass the width goes on the next line, or
// without `wrap` is cut; the picture's `breaks` say where. Returns false,
// with the reason in *error, when the picture would pass `maxLines`
// lines.
bool LayOutStation(const std::vector<TextCharacter>& text, const ShownFont& font,
                   Station station, const StationSetting& setting, int maxLines,
                   StationPicture* picture, std::string* error);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_PREVIEW_RECEIPT_LAYOUT_H_
