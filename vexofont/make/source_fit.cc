// SourceFont's sizes for outlines: the line, the em square, the line of a
// CJK font's Latin letters, the capitals.
#include "vexofont/make/source_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_FONT_FORMATS_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "vexofont/make/source_font_handles.h"

namespace vexo {

namespace {

std::string ThinStrokesNote() {
  return ", thin strokes drawn from grey " + std::to_string(kThinStrokeThreshold);
}

std::string LatinLineNote() { return ", the line of its Latin letters"; }

// A declared ascent under this share (percent) of the accented capitals'
// top is not the letters' line: the URW fonts as OpenType declare 73 to
// 82 (and Go Smallcaps 82), the other fonts at hand 85 (FreeSans
// Oblique) to 116, most of them 100.
constexpr long long kDeclaredAscentPercent = 84;

// The letters whose ink spans a Latin font's line: accented capitals at
// the top, ascenders, descenders at the bottom.
constexpr char32_t kLatinLineCharacters[] = {
    U'H', U'b', U'd', U'f', U'h', U'k', U'l', U'À', U'É',
    U'Ê', U'Ö', U'Ü', U'Ñ', U'g', U'j', U'p', U'q', U'y'};

// "outline at 12 pixels", or drawn wider than high "outline at 14x12
// pixels" (`wide` 0: as high).
std::string OutlineSize(int wide, int high) {
  return "outline at " + (wide > 0 ? std::to_string(wide) + "x" : std::string()) +
         std::to_string(high) + " pixels";
}

}  // namespace

// Outlines at the largest size whose line (and, when monospace, advance)
// fits the cell; of a font whose declared line is not its letters', the
// largest whose Latin letters do, their line centred on the cell.
bool SourceFont::FitOutlines(std::string* error) {
  // Where the letters are drawn wider (the impact station), a CJK font's
  // Latin half too is kept apart, held and widened as below, sized by its
  // letters' line (IPAGothic's English at 13 and 15 rows 0.79, 0.83 at
  // 13 and 15 pixels, 0.92 at 16x11; bench/legibility).
  const bool cjk = options_.latinLine && DrawsIdeographs();
  if (cjk && options_.widerPercent == 0) return FitLatinLine(error);
  FT_Face face = handles_->face;
  render_outlines_ = true;
  int lowest = 0;
  int highest = 0;
  const int byLetters = options_.latinLine && (cjk || DeclaresOtherLine())
                            ? LatinLineSize(&lowest, &highest)
                            : 0;
  int chosen = byLetters > 0 ? byLetters : 1;
  for (int pixels = 2 * cell_.height; byLetters == 0 && pixels >= 1; --pixels) {
    if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0) continue;
    const FT_Size_Metrics& metrics = face->size->metrics;
    const int line =
        CeilPixels(metrics.ascender) + CeilPixels(-metrics.descender);
    if (line > cell_.height) continue;
    if (monospace_ && CeilPixels(metrics.max_advance) > cell_.width) continue;
    chosen = pixels;
    break;
  }
  int capRows = 0;
  chosen = LowerCaseApart(chosen, &capRows);
  const bool thin = FT_Set_Pixel_Sizes(face, 0, chosen) == 0 &&
                    GreyForThinStrokes(chosen);
  // Capitals no taller than capRowsAtMost, as drawn (grey or not).
  const bool capped =
      LimitsCapitals() && FT_Set_Pixel_Sizes(face, 0, chosen) == 0 &&
      CapAndLowerRows(&capRows, nullptr) && capRows > options_.capRowsAtMost;
  const int fitted = chosen;
  if (capped) {
    chosen = std::max(CapSize(options_.capRowsAtMost, chosen - 1, &capRows), 1);
  }
  const int wide = cell_.height > kWideCapRows ? WiderSize(chosen, fitted) : 0;
  if (!SetDrawnSize(wide, chosen, error)) return false;
  rendering_ = OutlineSize(wide, chosen);
  if (capped) rendering_ += ", capitals " + std::to_string(capRows) + " rows";
  if (byLetters > 0) rendering_ += LatinLineNote();
  if (thin) rendering_ += ThinStrokesNote();
  // Placed as drawn at last, grey or not.
  if (byLetters > 0 &&
      InkRowsOf(kLatinLineCharacters, std::size(kLatinLineCharacters), &lowest,
                &highest)) {
    ascent_ = highest;
    descent_ = -lowest;
    return true;
  }
  return Placed();
}

// Whether the line the font declares is not its letters': FreeType gives
// a Type 1 font, which declares none, its bounding box as ascent and
// descent, its tallest glyph of any kind (1.2 to 1.3 times its letters'
// line in the URW fonts, whose letters came out a pixel size or three too
// small: Nimbus Mono PS at 13 rows at 9 pixels, capitals of 6 rows); the
// URW fonts as OpenType declare an ascent well under their accented
// capitals' top (Nimbus Mono PS 0.60 em, its À 0.79), which drew those a
// row under the line.
bool SourceFont::DeclaresOtherLine() const {
  FT_Face face = handles_->face;
  const char* format = FT_Get_Font_Format(face);
  if (format != nullptr && (std::strcmp(format, "Type 1") == 0 ||
                            std::strcmp(format, "CID Type 1") == 0)) {
    return true;
  }
  if (face->charmap == nullptr ||
      face->charmap->encoding != FT_ENCODING_UNICODE) {
    return false;
  }
  FT_Pos top = 0;
  for (char32_t c : kLatinLineCharacters) {
    const FT_UInt index = FT_Get_Char_Index(face, c);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
      continue;
    }
    FT_BBox box;
    FT_Outline_Get_CBox(&face->glyph->outline, &box);
    top = std::max(top, box.yMax);
  }
  return 100 * static_cast<long long>(face->ascender) <
         kDeclaredAscentPercent * static_cast<long long>(top);
}

bool SourceFont::GreyForThinStrokes(int pixels) {
  if (!options_.thinStrokesGray || options_.render != RenderOptions::Render::kMono) {
    return false;
  }
  const double stem = StemPixels();
  if (stem <= 0 || stem >= kThinStemEms * pixels) return false;
  options_.render = RenderOptions::Render::kGray;
  options_.threshold = kThinStrokeThreshold;
  options_.hinting = RenderOptions::Hinting::kLight;
  return true;
}

// Full-height characters of the scripts DBCS fonts are made for: common
// ideographs with strokes at the top and bottom of the em box (the dot of
// 宫, the top of 鱼), kana and hangul.
constexpr char32_t kFullHeightCharacters[] = {
    U'国', U'宫', U'鱼', U'鲈', U'鳜', U'永', U'骨', U'直', U'書', U'龍',
    U'驚', U'鬱', U'曲', U'東', U'京', U'営', U'業', U'署', U'麵', U'歡',
    U'あ', U'ぎ', U'ア', U'ギ', U'한', U'글', U'봄', U'딸', U'값', U'뷁'};

// Outlines at the size whose em square is the cell's height. The em box is
// placed where the font's full-height characters lie as drawn, the font's
// own ascent and descent (the OS/2 typographic ones where it has them)
// kept where those characters fit under them: fonts declare an ascent of
// 0.75 to 0.88 em alike while their ideographs reach 0.88.
bool SourceFont::FitEm(std::string* error) {
  FT_Face face = handles_->face;
  if (FT_Set_Pixel_Sizes(face, 0, cell_.height) != 0) {
    *error = "cannot be scaled to the cell";
    return false;
  }
  long ascent = face->ascender;
  long descent = -face->descender;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->sTypoAscender > 0 &&
      os2->sTypoDescender <= 0) {
    ascent = os2->sTypoAscender;
    descent = -os2->sTypoDescender;
  }
  if (ascent <= 0 || descent < 0) {
    ascent = 88;  // the usual ideographic em box: 0.88 em above the baseline
    descent = 12;
  }
  ascent_ = static_cast<int>((2 * cell_.height * ascent + (ascent + descent)) /
                             (2 * (ascent + descent)));
  placeByAdvance_ = true;
  render_outlines_ = true;
  int lowest = 0;
  int highest = 0;
  if (InkRowsOf(kFullHeightCharacters, std::size(kFullHeightCharacters),
                &lowest, &highest)) {
    // The rows above the baseline that keep those characters whole: the
    // top of the highest at the cell's top or below, the foot of the
    // lowest at its bottom or above; centred when they cannot both be.
    const int least = highest;
    const int most = cell_.height + lowest;
    ascent_ = least <= most ? std::clamp(ascent_, least, most)
                            : (least + most) / 2;
  }
  descent_ = cell_.height - ascent_;
  rendering_ = "outline at " + std::to_string(cell_.height) + " pixels, em fills the cell";
  return true;
}

bool SourceFont::DrawsIdeographs() const {
  FT_Face face = handles_->face;
  if (face->charmap == nullptr || face->charmap->encoding != FT_ENCODING_UNICODE) {
    return false;
  }
  return std::any_of(std::begin(kFullHeightCharacters), std::end(kFullHeightCharacters),
                     [face](char32_t c) { return FT_Get_Char_Index(face, c) != 0; });
}

// Outlines at the largest size whose Latin letters, as drawn, fit the
// cell's height, whose H leaves a column to the next letter (and, when
// monospace, whose M advances no more than the cell), their line centred
// on the cell. A CJK font declares the line of its ideographs, taller
// than its Latin letters need: fitted by that, its Latin half comes out
// small in the cell.
bool SourceFont::FitLatinLine(std::string* error) {
  render_outlines_ = true;
  int lowest = 0;
  int highest = 0;
  const int chosen = LatinLineSize(&lowest, &highest);
  if (chosen == 0) {
    // No Latin letters: the font's own line.
    options_.latinLine = false;
    return FitOutlines(error);
  }
  ascent_ = highest;
  descent_ = -lowest;
  rendering_ =
      "outline at " + std::to_string(chosen) + " pixels" + LatinLineNote();
  return true;
}

int SourceFont::LatinLineSize(int* lowest, int* highest) {
  FT_Face face = handles_->face;
  static const char32_t kCapital[] = {U'H'};
  for (int pixels = 2 * cell_.height; pixels >= 1; --pixels) {
    if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0) continue;
    int foot = 0;
    int top = 0;
    int widest = 0;
    if (!InkRowsOf(kLatinLineCharacters, std::size(kLatinLineCharacters),
                   lowest, highest) ||
        !InkRowsOf(kCapital, 1, &foot, &top, &widest)) {
      return 0;
    }
    if (*highest - *lowest > cell_.height || widest >= cell_.width) continue;
    if (monospace_ && AdvanceOfM() > cell_.width) continue;
    return pixels;
  }
  return 0;
}

// The rows the capital H and, when `lower` is given, the lower case x take
// as drawn at the size set (*lower 0 for a font without an x); false for a
// font without an H.
bool SourceFont::CapAndLowerRows(int* caps, int* lower) {
  static const char32_t kCapital[] = {U'H'};
  static const char32_t kLowerCase[] = {U'x'};
  int foot = 0;
  int top = 0;
  if (!InkRowsOf(kCapital, 1, &foot, &top)) return false;
  *caps = top - foot;
  if (lower != nullptr) {
    *lower = InkRowsOf(kLowerCase, 1, &foot, &top) ? top - foot : 0;
  }
  return true;
}

// Capitals of kLowerCaseGapFrom rows or more want lower case at least two
// rows shorter: where hinting rounds the x-height up to a row under the
// capitals (Liberation Mono at 11, 12 and 14 pixels), n reads as H, and
// Cyrillic, whose lower case is largely small capitals, reads as capitals
// only (bench/legibility). `pixels` when its lower case keeps the two
// rows, else the largest size under it whose lower case does and whose
// capitals lose no more than a row, else `pixels`; *capRows: the rows of
// the capitals at the size returned.
int SourceFont::LowerCaseApart(int pixels, int* capRows) {
  FT_Face face = handles_->face;
  int caps = 0;
  int lower = 0;
  *capRows = 0;
  if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0 || !CapAndLowerRows(&caps, &lower)) {
    return pixels;
  }
  *capRows = caps;
  if (caps < kLowerCaseGapFrom || lower <= caps - 2) return pixels;
  for (int smaller = pixels - 1; smaller >= 1; --smaller) {
    int smallerCaps = 0;
    if (FT_Set_Pixel_Sizes(face, 0, smaller) != 0 ||
        !CapAndLowerRows(&smallerCaps, &lower) || smallerCaps < caps - 1) {
      break;
    }
    if (lower <= smallerCaps - 2) {
      *capRows = smallerCaps;
      return smaller;
    }
  }
  return pixels;
}

// The largest pixel size up to `largest` whose capital H, as drawn with
// the options, takes at most `rows` rows, its lower case kept apart
// (LowerCaseApart; *capRows: the capitals' rows); 0 for none (or no H).
int SourceFont::CapSize(int rows, int largest, int* capRows) {
  FT_Face face = handles_->face;
  for (int pixels = largest; pixels >= 1; --pixels) {
    int caps = 0;
    if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0) continue;
    if (!CapAndLowerRows(&caps, nullptr)) break;
    if (caps <= rows) return LowerCaseApart(pixels, capRows);
  }
  *capRows = 0;
  return 0;
}

// Outlines at the largest size whose capital H, as drawn, takes the cell's
// rows less those of a descender (2 of 9, at least 2 but 1 of 8, and of 7
// where the font has 6-row capitals), and from kCapsBelowTopRow rows one
// row less, the baseline right under the rows of the line; the line fit
// for a font without an H.
bool SourceFont::FitCap(std::string* error) {
  FT_Face face = handles_->face;
  // At 8 rows, capitals on 7 and descenders drawn into the last read best
  // (bench/legibility).
  int descent = cell_.height == 8 ? 1 : std::max(2, (2 * cell_.height + 4) / 9);
  int line = cell_.height - descent;
  // From kCapsBelowTopRow rows on, the capitals stand on the same line a
  // row shorter: the top row is left to what stands above them, accents
  // (É, Ö, Ñ) and ascenders taller than capitals, which then keep their
  // place and size. At 9 rows the row is worth more to the capitals
  // (bench/legibility).
  int caps = cell_.height >= kCapsBelowTopRow ? line - 1 : line;
  render_outlines_ = true;
  int capRows = 0;
  const int fitted = CapSize(caps, 2 * cell_.height, &capRows);
  if (fitted == 0) return FitOutlines(error);
  // No taller than capRowsAtMost (drawn as wide as at `fitted`: WiderSize).
  if (LimitsCapitals()) caps = std::min(caps, options_.capRowsAtMost);
  int chosen = std::max(CapSize(caps, fitted, &capRows), 1);
  // At 7 rows likewise, where the font draws capitals of 6 rows at some
  // size as hinted (DejaVu Sans Mono; FreeMono, whose grey rendering then
  // keeps 5, on the lower baseline): that read better in English, German,
  // French and Russian. Liberation Mono has none: a second descender row
  // read better for it than the baseline moved down (bench/legibility).
  if (cell_.height == kWideCapRows) {
    int tallerRows = 0;
    const int taller = CapSize(caps + 1, 2 * cell_.height, &tallerRows);
    if (taller > 0 && tallerRows > capRows) {
      --descent;
      ++line;
      ++caps;
      chosen = taller;
      capRows = tallerRows;
    }
  }
  const bool thin =
      FT_Set_Pixel_Sizes(face, 0, chosen) == 0 && GreyForThinStrokes(chosen);
  // Grey draws the capitals afresh: measured again.
  if (thin) {
    int greyRows = 0;
    const int grey = CapSize(caps, 2 * cell_.height, &greyRows);
    chosen = std::max(grey, 1);
    if (grey > 0) capRows = greyRows;
  }
  // Drawn wider than high, the letters read better (kWideCapPercent,
  // WiderSize: bench/legibility).
  const int wide = cell_.height <= kWideCapRows ? chosen * kWideCapPercent / 100
                                                : WiderSize(chosen, fitted);
  if (!SetDrawnSize(wide, chosen, error)) return false;
  ascent_ = line;
  descent_ = descent;
  rendering_ = OutlineSize(wide, chosen) + ", capitals " +
               std::to_string(capRows) + " rows";
  if (thin) rendering_ += ThinStrokesNote();
  return true;
}

// In 7 rows or fewer the letters' own proportions leave them 3 dots wide,
// their counters shut ('e', 'a', 'm' blobs): drawn 1.3 times as wide, as
// the hand-drawn fonts of these sizes are, they read better (the capital
// fit). Above, the impact station's rows, at twice the columns' pitch,
// print them tall and narrow (Greek ο read as η, ύ as ή): up to 1.3 times
// as wide, as far as the M still advances no more than the cell, read
// better in every language measured, Greek and Russian the most, with
// the glyphs that would then touch the next drawn narrower
// (NarrowForColumn; bench/legibility). Drawn grey, strokes spread as
// they are drawn wider, and serifs run together: such a font is drawn at
// most kGreyWiderPercent as wide (FreeMono's German at 8x9 read 0.97 at
// 12 pixels, 0.90 at 14x12, 0.92 at 13x12, its French and Greek better
// at 13x12 than at either).
// Where the capitals' limit (RenderOptions::capRowsAtMost) drew them
// shorter than the fit's own size, `fitted`, a monochrome font keeps the
// width that size would have had: the letters come out shorter, not
// narrower (drawn narrower too, Go Mono's English at 12 and 13 rows read
// 0.83 and 0.83, kept as wide 0.88 and 0.87; Hack's Russian 0.88 and
// 0.88, kept as wide 0.93 and 0.90).
int SourceFont::WiderSize(int pixels, int fitted) {
  FT_Face face = handles_->face;
  const bool grey = options_.render == RenderOptions::Render::kGray;
  const int percent = grey ? std::min(options_.widerPercent, kGreyWiderPercent)
                           : options_.widerPercent;
  const int from = grey ? pixels : std::max(pixels, fitted);
  for (int wide = from * percent / 100; wide > pixels; --wide) {
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(wide),
                           static_cast<FT_UInt>(pixels)) != 0) {
      continue;
    }
    const int advance = AdvanceOfM();
    if (advance >= 0 && advance <= cell_.width) return wide;
  }
  return 0;
}

}  // namespace vexo
