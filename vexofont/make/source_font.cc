#include "vexofont/make/source_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "vexofont/make/row_reduction.h"
#include "vexofont/make/source_font_handles.h"

namespace vexo {

namespace {

// Pixels from 26.6 fixed point, away from the baseline.
int CeilPixels(FT_Pos value) {
  return value <= 0 ? 0 : static_cast<int>((value + 63) >> 6);
}

std::string ThinStrokesNote() {
  return ", thin strokes drawn from grey " + std::to_string(kThinStrokeThreshold);
}

}  // namespace

SourceFont::SourceFont() : handles_(new SourceFontHandles) {}

SourceFont::~SourceFont() {
  if (handles_->face != nullptr) FT_Done_Face(handles_->face);
  if (handles_->library != nullptr) FT_Done_FreeType(handles_->library);
  delete handles_;
}

bool SourceFont::Open(const std::string& path, CellSize cell,
                      std::string* error) {
  return Open(path, cell, RenderOptions(), error);
}

bool SourceFont::Open(const std::string& path, CellSize cell,
                      const RenderOptions& options, std::string* error) {
  cell_ = cell;
  canvas_ = cell;
  options_ = options;
  if (handles_->library == nullptr &&
      FT_Init_FreeType(&handles_->library) != 0) {
    *error = "FreeType could not start";
    return false;
  }
  if (handles_->face != nullptr) {
    FT_Done_Face(handles_->face);
    handles_->face = nullptr;
  }
  if (!OpenChosenFace(path, error)) return false;
  monospace_ = FT_IS_FIXED_WIDTH(handles_->face);
  placeByAdvance_ = monospace_;
  return ChooseCharset(error) && ChooseSize(error);
}

// A strike of exactly the cell's size, else of the cell's height; -1 for
// none.
int SourceFont::StrikeOfCell() const {
  FT_Face face = handles_->face;
  const int strikes = face->available_sizes == nullptr ? 0
                                                       : face->num_fixed_sizes;
  for (int i = 0; i < strikes; ++i) {
    const FT_Bitmap_Size& size = face->available_sizes[i];
    if (size.height == cell_.height && size.width == cell_.width) return i;
  }
  for (int i = 0; i < strikes; ++i) {
    if (face->available_sizes[i].height == cell_.height) return i;
  }
  return -1;
}

// For a font without outlines and without a strike of the cell's height:
// the highest strike that fits, preferring one that fits the width too;
// failing that the lowest, clipped. -1 when there is no strike.
int SourceFont::NearestStrike() const {
  FT_Face face = handles_->face;
  const int strikes = face->available_sizes == nullptr ? 0
                                                       : face->num_fixed_sizes;
  const int w = cell_.width;
  auto better = [w](const FT_Bitmap_Size& a, const FT_Bitmap_Size& b) {
    const bool aFits = a.width <= w;
    const bool bFits = b.width <= w;
    if (aFits != bFits) return aFits;
    if (a.height != b.height) return a.height > b.height;
    return aFits ? a.width > b.width : a.width < b.width;
  };
  int strike = -1;
  for (int i = 0; i < strikes; ++i) {
    const FT_Bitmap_Size& size = face->available_sizes[i];
    if (size.height > cell_.height) continue;
    if (strike < 0 || better(size, face->available_sizes[strike])) strike = i;
  }
  if (strike >= 0 || strikes == 0) return strike;
  // None fits the height: the lowest.
  int lowest = 0;
  for (int j = 1; j < strikes; ++j) {
    if (face->available_sizes[j].height < face->available_sizes[lowest].height) {
      lowest = j;
    }
  }
  return lowest;
}

// --pixel-size: outlines at that size, or the strike of that height.
bool SourceFont::ChooseGivenSize(std::string* error) {
  FT_Face face = handles_->face;
  const int pixels = options_.pixelSize;
  if (FT_IS_SCALABLE(face)) {
    if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0) {
      *error = "cannot be scaled to " + std::to_string(pixels) + " pixels";
      return false;
    }
    rendering_ = "outline at " + std::to_string(pixels) + " pixels";
    render_outlines_ = true;
    return Placed();
  }
  const int strikes = face->available_sizes == nullptr ? 0
                                                       : face->num_fixed_sizes;
  std::string heights;
  for (int i = 0; i < strikes; ++i) {
    if (face->available_sizes[i].height == pixels) return SelectStrike(i, error);
    heights += (i == 0 ? "" : ", ") +
               std::to_string(face->available_sizes[i].height);
  }
  *error = "has no outlines and no bitmap strike " + std::to_string(pixels) +
           " pixels high (strikes: " +
           (heights.empty() ? std::string("none") : heights) + ")";
  return false;
}

bool SourceFont::SelectStrike(int strike, std::string* error) {
  FT_Face face = handles_->face;
  if (FT_Select_Size(face, strike) != 0) {
    *error = "has a bitmap strike FreeType cannot select";
    return false;
  }
  const FT_Bitmap_Size& size = face->available_sizes[strike];
  rendering_ = "strike " + std::to_string(size.width) + "x" +
               std::to_string(size.height);
  render_outlines_ = false;
  canvas_ = cell_;
  Placed();
  // A strike larger than the cell is drawn whole and reduced to it.
  const int wide = std::max<int>(size.width, 0);
  const int high = std::max(static_cast<int>(size.height), ascent_ + descent_);
  if (!options_.clip && (wide > cell_.width || high > cell_.height)) {
    canvas_.width = std::clamp(wide, cell_.width,
                               std::min(4 * cell_.width, kMaxLineDots));
    canvas_.height = std::clamp(high, cell_.height,
                                std::min(4 * cell_.height, kMaxLineDots));
    rendering_ += " reduced to " + std::to_string(cell_.width) + "x" +
                  std::to_string(cell_.height);
  } else if (size.height < cell_.height) {
    rendering_ += " (lower than the cell: its line centred on it)";
  }
  return true;
}

// Outlines at the largest size whose line (and, when monospace, advance)
// fits the cell.
bool SourceFont::FitOutlines(std::string* error) {
  if (options_.latinLine && DrawsIdeographs()) return FitLatinLine(error);
  FT_Face face = handles_->face;
  int chosen = 1;
  for (int pixels = 2 * cell_.height; pixels >= 1; --pixels) {
    if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0) continue;
    const FT_Size_Metrics& metrics = face->size->metrics;
    const int line =
        CeilPixels(metrics.ascender) + CeilPixels(-metrics.descender);
    if (line > cell_.height) continue;
    if (monospace_ && CeilPixels(metrics.max_advance) > cell_.width) continue;
    chosen = pixels;
    break;
  }
  if (FT_Set_Pixel_Sizes(face, 0, chosen) != 0) {
    *error = "cannot be scaled to the cell";
    return false;
  }
  rendering_ = "outline at " + std::to_string(chosen) + " pixels";
  if (GreyForThinStrokes(chosen)) rendering_ += ThinStrokesNote();
  render_outlines_ = true;
  return Placed();
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

// The letters whose ink spans a Latin font's line: accented capitals at
// the top, ascenders, descenders at the bottom.
constexpr char32_t kLatinLineCharacters[] = {
    U'H', U'b', U'd', U'f', U'h', U'k', U'l', U'À', U'É', U'Ê', U'Ö', U'Ü',
    U'Ñ', U'g', U'j', U'p', U'q', U'y'};

// Outlines at the largest size whose Latin letters, as drawn, fit the
// cell's height, whose H leaves a column to the next letter (and, when
// monospace, whose M advances no more than the cell), their line centred
// on the cell. A CJK font declares the line of its ideographs, taller
// than its Latin letters need: fitted by that, its Latin half comes out
// small in the cell.
bool SourceFont::FitLatinLine(std::string* error) {
  FT_Face face = handles_->face;
  render_outlines_ = true;
  static const char32_t kCapital[] = {U'H'};
  int chosen = 0;
  int lowest = 0;
  int highest = 0;
  for (int pixels = 2 * cell_.height; pixels >= 1 && chosen == 0; --pixels) {
    if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0) continue;
    int foot = 0;
    int top = 0;
    int widest = 0;
    if (!InkRowsOf(kLatinLineCharacters, std::size(kLatinLineCharacters), &lowest,
                   &highest) ||
        !InkRowsOf(kCapital, 1, &foot, &top, &widest)) {
      break;
    }
    if (highest - lowest > cell_.height || widest >= cell_.width) continue;
    if (monospace_ && FT_Load_Char(face, 'M', FT_LOAD_DEFAULT) == 0 &&
        ((face->glyph->advance.x + 32) >> 6) > cell_.width) {
      continue;
    }
    chosen = pixels;
  }
  if (chosen == 0) {
    // No Latin letters: the font's own line.
    options_.latinLine = false;
    return FitOutlines(error);
  }
  if (FT_Set_Pixel_Sizes(face, 0, chosen) != 0) {
    *error = "cannot be scaled to the cell";
    return false;
  }
  ascent_ = highest;
  descent_ = -lowest;
  rendering_ = "outline at " + std::to_string(chosen) + " pixels, the line of its Latin letters";
  return true;
}

// The largest pixel size whose capital H, as drawn with the options,
// takes at most `rows` rows; 0 for none (or no H).
int SourceFont::CapSize(int rows) {
  FT_Face face = handles_->face;
  static const char32_t kCapital[] = {U'H'};
  for (int pixels = 2 * cell_.height; pixels >= 1; --pixels) {
    if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0) continue;
    int lowest = 0;
    int highest = 0;
    if (!InkRowsOf(kCapital, 1, &lowest, &highest)) return 0;
    if (highest - lowest <= rows) return pixels;
  }
  return 0;
}

// Outlines at the largest size whose capital H, as drawn, takes the cell's
// rows less those of a descender (2 of 9, at least 2 but 1 of 8), and from
// kCapsBelowTopRow rows one row less, the baseline right under the rows of
// the line; the line fit for a font without an H.
bool SourceFont::FitCap(std::string* error) {
  FT_Face face = handles_->face;
  // At 8 rows, capitals on 7 and descenders drawn into the last read best
  // (bench/legibility); at 7, capitals on 5 do: one row is too few for
  // the descenders of lower case there.
  const int descent =
      cell_.height == 8 ? 1 : std::max(2, (2 * cell_.height + 4) / 9);
  const int line = cell_.height - descent;
  // From kCapsBelowTopRow rows on, the capitals stand on the same line a
  // row shorter: the top row is left to what stands above them, accents
  // (É, Ö, Ñ) and ascenders taller than capitals, which then keep their
  // place and size. At 9 rows the row is worth more to the capitals
  // (bench/legibility).
  const int caps = cell_.height >= kCapsBelowTopRow ? line - 1 : line;
  render_outlines_ = true;
  int chosen = CapSize(caps);
  if (chosen == 0) return FitOutlines(error);
  const bool thin =
      FT_Set_Pixel_Sizes(face, 0, chosen) == 0 && GreyForThinStrokes(chosen);
  // Grey draws the capitals afresh: measured again.
  if (thin) chosen = std::max(CapSize(caps), 1);
  // In 7 rows or fewer the letters' own proportions leave them 3 dots
  // wide, their counters shut ('e', 'a', 'm' blobs); drawn wider, as the
  // hand-drawn fonts of these sizes are, they read better
  // (bench/legibility).
  const int wide = cell_.height <= kWideCapRows ? chosen * kWideCapPercent / 100 : 0;
  if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(wide), chosen) != 0) {
    *error = "cannot be scaled to the cell";
    return false;
  }
  ascent_ = line;
  descent_ = descent;
  rendering_ = "outline at " +
               (wide > 0 ? std::to_string(wide) + "x" : std::string()) +
               std::to_string(chosen) + " pixels, capitals " + std::to_string(caps) +
               " rows";
  if (thin) rendering_ += ThinStrokesNote();
  return true;
}

bool SourceFont::ChooseSize(std::string* error) {
  if (!ChooseSizeOnly(error)) return false;
  if (!faceName_.empty()) rendering_ = faceName_ + ", " + rendering_;
  return true;
}

bool SourceFont::ChooseSizeOnly(std::string* error) {
  FT_Face face = handles_->face;
  if (options_.pixelSize > 0) return ChooseGivenSize(error);
  int strike = StrikeOfCell();
  if (strike < 0 && !FT_IS_SCALABLE(face)) strike = NearestStrike();
  if (strike >= 0) return SelectStrike(strike, error);
  if (FT_IS_SCALABLE(face) && options_.fit == RenderOptions::Fit::kEm) {
    return FitEm(error);
  }
  if (FT_IS_SCALABLE(face) && options_.fit == RenderOptions::Fit::kCap) {
    return FitCap(error);
  }
  if (FT_IS_SCALABLE(face)) return FitOutlines(error);
  *error = "has neither bitmap strikes nor outlines";
  return false;
}

bool SourceFont::Placed() {
  FT_Face face = handles_->face;
  ascent_ = CeilPixels(face->size->metrics.ascender);
  descent_ = CeilPixels(-face->size->metrics.descender);
  if (ascent_ + descent_ == 0) ascent_ = cell_.height;
  return true;
}

}  // namespace vexo
