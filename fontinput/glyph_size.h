// The glyph sizes each kind of input font and each station accepts, and the
// byte geometry that follows from a size. Every check of a glyph size (the
// converter's phases and loaders, vexofont make and show) asks these
// functions; the phrases for messages and help texts are made from the same
// rules.
#ifndef VEXOCNVT_FONTINPUT_GLYPH_SIZE_H_
#define VEXOCNVT_FONTINPUT_GLYPH_SIZE_H_

#include <cstdint>
#include <string>

#include "store/glyph_table.h"

namespace vexo {

// Each glyph row takes 4 bytes in an input font file.
constexpr int kFileRowSize = 4;

// The sizes of one kind and station: widths minWidth to maxWidth, heights
// minHeight to maxHeight and also extraHeight where that is not 0; a glyph
// of the largest width may have at most maxHeightAtMaxWidth rows.
struct GlyphSizeRule {
  uint32_t minWidth;
  uint32_t maxWidth;
  uint32_t minHeight;
  uint32_t maxHeight;
  uint32_t maxHeightAtMaxWidth;
  uint32_t extraHeight;
};

// SBCS thermal: at width 16 a row takes 3 bytes, so more than 24 rows would
// not fit the record's 72-byte thermal bitmap.
constexpr GlyphSizeRule kSbcsThermalSizes = {8, 16, 16, 32, 24, 0};
constexpr GlyphSizeRule kSbcsImpactSizes = {4, 16, 4, 16, 16, 0};
constexpr GlyphSizeRule kDbcsThermalSizes = {24, 24, 24, 24, 24, 0};
constexpr GlyphSizeRule kDbcsImpactSizes = {16, 16, 16, 16, 16, 9};

// The rule of `kind` (FontKind::kSbcs or FontKind::kDbcs) and `station`
// (Station::kThermal or Station::kImpact).
constexpr const GlyphSizeRule& GlyphSizesFor(FontKind kind, Station station) {
  if (kind == FontKind::kSbcs) {
    return station == Station::kThermal ? kSbcsThermalSizes : kSbcsImpactSizes;
  }
  return station == Station::kThermal ? kDbcsThermalSizes : kDbcsImpactSizes;
}

// Why a size is refused, in the order the checks are made: the width is
// outside the rule's widths; the height is outside its heights; both are
// inside, but the height is too large for the widest glyph.
enum class SizeFault { kNone, kWidth, kHeight, kHeightAtMaxWidth };

constexpr SizeFault CheckGlyphSize(const GlyphSizeRule& rule, uint32_t width,
                                   uint32_t height) {
  if (width < rule.minWidth || width > rule.maxWidth) return SizeFault::kWidth;
  const bool inRange = height >= rule.minHeight && height <= rule.maxHeight;
  if (!inRange && (rule.extraHeight == 0 || height != rule.extraHeight)) {
    return SizeFault::kHeight;
  }
  if (width == rule.maxWidth && height > rule.maxHeightAtMaxWidth) {
    return SizeFault::kHeightAtMaxWidth;
  }
  return SizeFault::kNone;
}

constexpr bool GlyphSizeAccepted(FontKind kind, Station station, uint32_t width,
                                 uint32_t height) {
  return CheckGlyphSize(GlyphSizesFor(kind, station), width, height) ==
         SizeFault::kNone;
}

// Bytes the loaders take from each 4-byte file row: the SBCS thermal station
// takes one byte more than width / 8 (at widths 8 and 16 that byte lies
// beyond the glyph), every other width / 8.
constexpr int RowBytesTaken(FontKind kind, Station station, uint32_t width) {
  return static_cast<int>(kind == FontKind::kSbcs && station == Station::kThermal
                              ? width / 8 + 1
                              : width / 8);
}

// The bytes one glyph takes in an input font file.
constexpr uint32_t FileGlyphSize(uint32_t height) {
  return static_cast<uint32_t>(kFileRowSize) * height;
}

// Every accepted thermal glyph fits the record's thermal bitmap.
static_assert(kSbcsThermalSizes.maxHeightAtMaxWidth *
                  RowBytesTaken(FontKind::kSbcs, Station::kThermal,
                                kSbcsThermalSizes.maxWidth) <=
              kThermalBitmapSize);
static_assert(kSbcsThermalSizes.maxHeight *
                  RowBytesTaken(FontKind::kSbcs, Station::kThermal,
                                kSbcsThermalSizes.maxWidth - 1) <=
              kThermalBitmapSize);
static_assert(kDbcsThermalSizes.maxHeight *
                  RowBytesTaken(FontKind::kDbcs, Station::kThermal,
                                kDbcsThermalSizes.maxWidth) <=
              kThermalBitmapSize);

// Phrases for messages and help texts, made from a rule.
// The widths: "8 to 16", "24".
std::string AcceptedWidths(const GlyphSizeRule& rule);
// The heights at `width` (one the rule accepts): "16 to 32", "16 to 24",
// "9 or 16".
std::string AcceptedHeights(const GlyphSizeRule& rule, uint32_t width);
// The whole rule: "width 8 to 16, height 16 to 32, at width 16 at most 24",
// "width 4 to 16, height 4 to 16", "24x24 only", "16x16 or 16x9".
std::string AcceptedSizes(const GlyphSizeRule& rule);
// Both stations' rules of a kind: "thermal 24x24 only; impact 16x16 or
// 16x9".
std::string AcceptedSizesOfKind(FontKind kind);

// For an SBCS impact width whose dots the impact station does not all
// print (it takes whole bytes of 8 dot columns: nothing of widths 4 to 7,
// the first 8 columns of 9 to 15), the phrase that says so, e.g. "the
// impact station prints none of the dots of SBCS glyphs 6 dots wide (...)";
// empty for widths it prints whole.
std::string ImpactWidthWarning(int width);

// What the impact station prints of glyphs of a size, by the layout of the
// column conversion (fontinput/impact_columns.h) and the bytes a glyph
// record keeps:
// - kAsDrawn: every dot where it is drawn;
// - kFirstColumns: the first 8 dot columns as drawn, none of the others
//   (widths 9 to 15: a row is taken in whole bytes);
// - kNothing: no dot (widths under 8);
// - kColumnsCut: the column data runs beyond the bytes a record keeps, so
//   the last dot columns lose dots (widths 8 to 11 at height 16);
// - kColumnsMixed: a dot column takes more bytes than there are between one
//   column's start and the next, so neighbouring columns' dots land in the
//   same bits (width 16 at heights 4 to 7 and 10 to 15).
enum class ImpactPrint {
  kAsDrawn,
  kFirstColumns,
  kNothing,
  kColumnsCut,
  kColumnsMixed
};
ImpactPrint ImpactPrintOf(int width, int height);

// The sizes whose glyphs the printer gets as drawn (kAsDrawn, and
// kFirstColumns, whose cut make and check already name).
inline bool ImpactPrintsAsDrawn(int width, int height) {
  const ImpactPrint print = ImpactPrintOf(width, height);
  return print == ImpactPrint::kAsDrawn || print == ImpactPrint::kFirstColumns;
}

// What the printer gets of glyphs of a size that does not print as drawn,
// e.g. "the impact station gets 8x16 glyphs with dot columns 5 to 7 cut
// off (their column data takes 24 bytes, a glyph record keeps 16)"; for
// widths 9 to 15, ImpactWidthWarning; empty for a size printed whole.
std::string ImpactPrintProblem(int width, int height);

// The sizes of `kind`'s impact rule nearest to width x height that print as
// drawn: the nearest of the same width and the nearest 8 or 16 dots wide of
// the same height, e.g. "8x15 or 16x16"; empty when there are none.
std::string NearestAsDrawnSizes(FontKind kind, int width, int height);

}  // namespace vexo

#endif  // VEXOCNVT_FONTINPUT_GLYPH_SIZE_H_
