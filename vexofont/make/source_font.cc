// SourceFont: the font opened, its strikes, the size it is drawn at.
#include "vexofont/make/source_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <algorithm>
#include <string>

#include "vexofont/make/row_reduction.h"
#include "vexofont/make/source_font_handles.h"

namespace vexo {

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

bool SourceFont::ChooseSize(std::string* error) {
  roundTops_ = RoundTops();
  widened_ = Widened();
  if (!ChooseSizeOnly(error)) return false;
  MeasureRoundTops();
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

bool SourceFont::SetDrawnSize(int wide, int high, std::string* error) {
  if (FT_Set_Pixel_Sizes(handles_->face, static_cast<FT_UInt>(wide),
                         static_cast<FT_UInt>(high)) != 0) {
    *error = "cannot be scaled to the cell";
    return false;
  }
  if (cell_.height > kWideCapRows && wide > 0) {
    widened_ = {static_cast<unsigned>(wide), static_cast<unsigned>(high)};
  }
  return true;
}

// A proportional font's narrow letters widen with the size, and its small
// sizes read worse: FreeSans and WenQuanYi Zen Hei's Latin read 0.83 and
// 0.82 in English at 12 rows as the fit draws them, 0.76 and 0.53 with
// capitals of 7 rows (bench/legibility).
bool SourceFont::LimitsCapitals() {
  if (options_.capRowsAtMost <= 0) return false;
  if (monospace_) return true;
  FT_Face face = handles_->face;
  FT_Fixed advances[2] = {0, 0};
  const char32_t letters[2] = {U'i', U'M'};
  for (int k = 0; k < 2; ++k) {
    const FT_UInt index = FT_Get_Char_Index(face, letters[k]);
    if (index == 0 ||
        FT_Get_Advance(face, index, FT_LOAD_NO_SCALE, &advances[k]) != 0) {
      return false;
    }
  }
  return advances[0] == advances[1];
}

int SourceFont::AdvanceOfM() {
  FT_Face face = handles_->face;
  if (FT_Load_Char(face, 'M', FT_LOAD_DEFAULT) != 0) return -1;
  return static_cast<int>((face->glyph->advance.x + 32) >> 6);
}

}  // namespace vexo
