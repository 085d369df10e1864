// A source font opened through FreeType and prepared for one glyph cell:
// BDF and PCF fonts (gzip-compressed too), fonts with bitmap strikes, and
// outline fonts rendered monochrome. Draws glyphs onto the cell.
#ifndef VEXOCNVT_VEXOFONT_MAKE_SOURCE_FONT_H_
#define VEXOCNVT_VEXOFONT_MAKE_SOURCE_FONT_H_

#include <cstdint>
#include <string>

#include "fontinput/font_writer.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/make/cell_size.h"

#include "vexofont/make/source_bytes.h"

// FreeType's bitmap, as its own header names it.
struct FT_Bitmap_;

namespace vexo {

// FreeType's BDF reader keeps every glyph's bitmap at the size of its box,
// whatever the file holds: the boxes are what a BDF font costs to open. The
// largest real ones (every CJK ideograph at 24 or 32 dots, Unifont) take a
// few megabytes; a font whose boxes take more than this is refused.
constexpr uint64_t kMaxBdfBitmapBytes = uint64_t{64} << 20;
// A glyph whose box, at the size drawn, is more than this many times that
// size across or high comes from a broken font: it is left blank (and
// counted) rather than drawn, which would cost its whole box.
constexpr int kMaxGlyphBoxEms = 16;
// The faces of a collection --list-faces lists and an error names at most.
constexpr long kMaxListedFaces = 1000;

// FreeType's handles, kept out of this header.

struct SourceFontHandles;
struct MarkApart;

// How glyphs are rendered and placed; the defaults are make's own choices.
struct RenderOptions {
  // Outline fonts: FreeType's monochrome rasteriser, or 8-bit anti-aliased
  // rendering with a dot set from `threshold` (1 to 255) up.
  enum class Render { kMono, kGray };
  Render render = Render::kMono;
  int threshold = 128;
  // Outline fonts: the hinting of the rendering mode, none, the light
  // auto-hinter, or full hinting for the rendering mode.
  enum class Hinting { kDefault, kNone, kLight, kFull };
  Hinting hinting = Hinting::kDefault;
  // Outline fonts: the pixel size instead of the largest that fits; bitmap
  // fonts: the strike of that height. 0 chooses.
  int pixelSize = 0;
  // Every glyph moved this many dots right and down (negative: left, up).
  int offsetX = 0;
  int offsetY = 0;
  // The rows above the baseline, instead of the font's line centred on the
  // cell; -1 centres.
  int baseline = -1;
  // The face of a font collection, from 0; -1 chooses the face made for
  // the language of `codePage` (932, 936, 949 or 950), face 0 when none
  // is or the font is not a collection.
  int face = -1;
  int codePage = 0;
  // Outline fonts without --pixel-size: the largest size whose line fits
  // the cell, or the size at which the em square fills it (the em box
  // placed by the font's own ascent and descent, each glyph where its
  // advance puts it).
  // Or (kCap) the largest size whose capitals take the cell's rows less
  // a descender's (7 of 9), the baseline under them.
  enum class Fit { kLine, kEm, kCap };
  Fit fit = Fit::kLine;
  // Dots that pass the cell are cut off (counted), as placed, instead of
  // the glyph being moved into the cell and drawn smaller where it is
  // larger than the cell; a bitmap strike larger than the cell is then
  // cropped rather than reduced.
  bool clip = false;
  // Outline fonts drawn in monochrome by the capital or the line fit: a
  // font of thin strokes, stems under kThinStemEms of the em (they drop
  // out of, or break up in, a monochrome rendering at these sizes),
  // is drawn grey from kThinStrokeThreshold up with the light auto-hinter
  // instead.
  bool thinStrokesGray = false;
  // Outline fonts drawn by the capital or the line fit above kWideCapRows
  // rows: up to this percent as wide as high, as far as the M still
  // advances no more than the cell (WiderSize; 0: as high), each glyph
  // then as wide as leaves a column to the next (NarrowForColumn). The
  // impact station's rows stand at twice the columns' pitch and print
  // letters drawn square tall and narrow.
  int widerPercent = 0;
  // Outline fonts drawn by the capital or the line fit, whose letters all
  // advance alike (LimitsCapitals): the largest size whose capitals, as
  // drawn, take at most this many rows (0: as many as the fit gives).
  int capRowsAtMost = 0;
  // The line fit of a font that also draws ideographs, kana or hangul:
  // the line its Latin letters take as drawn (accented capitals to
  // descenders) rather than the taller one it declares for the ideographs,
  // so that its Latin half fills an SBCS cell as a Latin font's would.
  bool latinLine = false;
};

constexpr double kThinStemEms = 0.06;
// The capital fit in cells of kWideCapRows rows or fewer draws the
// outlines kWideCapPercent as wide as high.
constexpr int kWideCapRows = 7;
// The capital fit in cells of this many rows or more leaves the top row
// above the capitals to accents and ascenders.
constexpr int kCapsBelowTopRow = 10;
// Capitals of this many rows or more keep their lower case two rows
// shorter (the capital and the line fits).
constexpr int kLowerCaseGapFrom = 7;
constexpr int kWideCapPercent = 130;
// SBCS impact outlines above kWideCapRows rows: at most this much as wide
// as high (RenderOptions::widerPercent; bench/legibility).
constexpr int kImpactWiderPercent = 130;
// Outlines drawn grey: at most this much (their strokes spread).
constexpr int kGreyWiderPercent = 110;
// SBCS impact outlines: capitals of at most this many rows. The station
// prints 8 dot columns, its rows at twice their pitch: taller capitals
// print too narrow for their height. At 11 to 15 rows, 7-row capitals
// read as well or better in nearly every cell measured, Greek and Russian
// the most (RenderOptions::capRowsAtMost; bench/legibility).
constexpr int kImpactCapRows = 7;
constexpr int kThinStrokeThreshold = 40;

// A glyph drawn onto the cell: `rows` holds the cell's rows, top row first,
// bit 31 of a row the leftmost dot; `clippedDots` counts the dots of the
// source glyph that fell outside the cell (with RenderOptions::clip).
struct CellGlyph {
  GlyphRows rows;
  long long clippedDots = 0;
  bool tooLarge = false;  // not drawn: its box passes kMaxGlyphBoxEms
  bool moved = false;     // its ink passed the cell and was moved in
  bool shrunk = false;    // and was drawn smaller, larger than the cell
};

class SourceFont {
 public:
  SourceFont();
  ~SourceFont();
  SourceFont(const SourceFont&) = delete;
  SourceFont& operator=(const SourceFont&) = delete;

  // Opens the font at `path` and prepares it for `cell`:
  // - a font with bitmap strikes and no outlines uses the strike of the
  //   cell's size, else the highest strike that fits the cell height (the
  //   widest such that fits the width, when several do), else the lowest;
  // - an outline font uses a strike of exactly the cell height when it has
  //   one, else is rendered at the largest pixel size whose ascent and
  //   descent fit the cell height and, for a monospace font, whose advance
  //   fits the cell width.
  // Works out the font's charset: Unicode when it has a Unicode character
  // map, else from its X charset registry. Returns false on failure, with
  // the reason (one phrase, no file name) in *error.
  bool Open(const std::string& path, CellSize cell, std::string* error);
  bool Open(const std::string& path, CellSize cell,
            const RenderOptions& options, std::string* error);

  // The faces of the font at `path`, one "N FAMILY STYLE" each, at most
  // kMaxListedFaces of them, and in *count how many it has; false on
  // failure, with the reason in *error.
  bool ListFaces(const std::string& path, std::vector<std::string>* faces,
                 long* count, std::string* error);

  // Whether the file gave fewer bytes than it held when it was opened (it
  // changed while it was read): glyphs may be missing that the font has.
  bool readFailed() const;

  // Whether the font is rendered from outlines (the render and hinting
  // options apply).
  bool outlines() const { return render_outlines_; }

  const FontCharset& charset() const { return charset_; }
  // The cell it was opened for.
  CellSize cell() const { return cell_; }
  // Whether it draws from a bitmap strike of the cell's height.
  bool DrawsFromStrikeOfCell() const { return !render_outlines_ && StrikeOfCell() >= 0; }
  bool monospace() const { return monospace_; }
  // The rows above the baseline and below it, as placed on the cell.
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  // The canvas glyphs are drawn on before they are reduced to the cell:
  // the cell, or a bitmap strike larger than it (up to four times the
  // cell and kMaxLineDots each way).
  CellSize canvas() const { return canvas_; }
  // A face given that is made for another language than the code page's:
  // what to warn of ("face 0 (FAMILY STYLE) is made for code page 932,
  // not 936"), else empty.
  const std::string& faceWarning() const { return faceWarning_; }
  // What was chosen, e.g. "strike 6x13" or "outline at 20 pixels"; a
  // collection's face first ("face 2 (FAMILY STYLE), outline at ...").
  const std::string& rendering() const { return rendering_; }

  // Draws the glyph of the font's character `fontCode` onto a blank cell.
  // Vertically the font's line (ascent plus descent) is centred on the cell
  // and the glyph stands on its baseline. Horizontally a monospace font's
  // advance is centred on the cell and the glyph keeps its place in it; a
  // glyph of a proportional font has its dots centred. Returns false, with
  // a blank cell, when the font has no glyph for the code or the glyph
  // cannot be loaded.
  bool DrawGlyph(uint32_t fontCode, CellGlyph* glyph);

 private:
  bool ChooseSize(std::string* error);
  bool ChooseSizeOnly(std::string* error);
  bool ChooseGivenSize(std::string* error);
  int StrikeOfCell() const;
  int NearestStrike() const;
  bool SelectStrike(int strike, std::string* error);
  bool FitOutlines(std::string* error);
  // With RenderOptions::thinStrokesGray, at the size set: when the font's
  // strokes are thin, switches to their grey rendering; whether it did.
  bool GreyForThinStrokes(int pixels);
  bool FitLatinLine(std::string* error);
  // The largest pixel size whose Latin letters fit the cell (FitLatinLine),
  // set; 0 for none. *lowest, *highest: their rows at it (InkRowsOf).
  int LatinLineSize(int* lowest, int* highest);
  bool DrawsIdeographs() const;
  // Whether the line the font declares is not its letters' (Type 1, or an
  // ascent well under its accented capitals).
  bool DeclaresOtherLine() const;
  bool FitEm(std::string* error);
  bool FitCap(std::string* error);
  bool CapAndLowerRows(int* caps, int* lower);
  int LowerCaseApart(int pixels, int* capRows);
  int CapSize(int rows, int largest, int* capRows);
  // The width to draw outlines `pixels` high at: up to
  // RenderOptions::widerPercent of the height (drawn monochrome, of
  // `fitted` where that is higher: the fit's size before the capitals'
  // limit), as far as the M still advances no more than the cell; 0 (as
  // high) where no wider one does.
  int WiderSize(int pixels, int fitted);
  // Sets the face's size to `wide` (0: as high) by `high` pixels, and
  // widened_ where the cell is taller than kWideCapRows and `wide` given.
  bool SetDrawnSize(int wide, int high, std::string* error);
  // Whether the capitals are held to RenderOptions::capRowsAtMost: those
  // of a font whose letters all advance alike (declared monospace, or its
  // i as far as its M: FreeMono, IPAGothic's Latin), which a larger size
  // makes taller but no wider, the cell bounding the advance.
  bool LimitsCapitals();
  // Of a font drawn wider than high: draws the glyph `index` of
  // `fontCode` at the widest width down to as high whose ink, as placed,
  // leaves the cell's last column blank, and returns the columns to move
  // it by (right: positive) for that; *rendered when the glyph slot then
  // holds it so drawn (`mark` as LoadAndRender sets it). 0, not rendered,
  // for other fonts and glyphs.
  int NarrowForColumn(uint32_t fontCode, unsigned index, MarkApart* mark,
                      bool* rendered);
  // Where a glyph's bitmap, whose ink spans its columns `inkLeft` to
  // `inkRight`, has its first column on the canvas, before any offset.
  long long PlacedLeft(int inkLeft, int inkRight) const;
  // The M's advance in whole pixels at the size set; -1 when it cannot be
  // loaded.
  int AdvanceOfM();
  // The width in pixels of the stem of the capital I at the size set,
  // drawn grey without hinting; 0 when the font has none.
  double StemPixels();
  // The rows the ink of `characters` (those the font has) takes as drawn:
  // *highest the most rows above the baseline, *lowest the least (below
  // it: negative); *widest, when given, the most columns one of them
  // takes. False when the font has none of them.
  bool InkRowsOf(const char32_t* characters, size_t count, int* lowest,
                 int* highest, int* widest = nullptr);
  bool Placed();
  // With the font's own hinting, at the size set: where the lower case's
  // round tops lie (MeasureRoundTops), so that a round top the hinting
  // leaves a row over them can be brought down (source_glyph).
  void MeasureRoundTops();
  // Whether the small letter `fontCode` (glyph `index`) has its top where
  // the lower case's round tops lie, as outlined (loads it unhinted).
  bool RoundTopOf(uint32_t fontCode, unsigned index);
  // Sets the glyph's dots from a mono or 8-bit grey bitmap of the loaded
  // glyph, placed on the cell and moved `shift` columns; counts the dots
  // that fall outside.
  void PlaceDots(const FT_Bitmap_& bitmap, int threshold, int shift,
                 CellGlyph* glyph) const;
  void PlaceClipped(const FT_Bitmap_& bitmap, const unsigned char* top,
                    int threshold, long long x0, long long y0,
                    CellGlyph* glyph) const;
  bool ChooseCharset(std::string* error);
  bool OpenFace(const std::string& path, long index, bool nameFaces,
                std::string* error);
  // Opens the face of the options, or the one made for their code page.
  bool OpenChosenFace(const std::string& path, std::string* error);

  SourceFontHandles* handles_;
  CellSize cell_;
  CellSize canvas_;
  RenderOptions options_;
  FontCharset charset_;
  bool monospace_ = false;
  bool placeByAdvance_ = false;
  bool render_outlines_ = false;
  int ascent_ = 0;
  int descent_ = 0;
  // The lower case's top as outlined ('x' to the overshoot of 'o', 26.6
  // pixels above the baseline, unhinted) and as drawn (rows above the
  // baseline); `known` false where the font has no x and o or does not
  // hint them itself.
  struct RoundTops {
    bool known = false;
    long lowest = 0;
    long highest = 0;
    int rows = 0;
  };
  RoundTops roundTops_;
  // The size outlines are drawn at when wider than high (WiderSize), in
  // pixels; `wide` 0 when they are not.
  struct Widened {
    unsigned wide = 0;
    unsigned high = 0;
  };
  Widened widened_;
  std::string rendering_;
  std::string faceName_;  // "face N (FAMILY STYLE)" of a collection
  std::string faceWarning_;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_SOURCE_FONT_H_
