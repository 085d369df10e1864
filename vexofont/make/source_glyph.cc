// SourceFont's drawing of one glyph onto the cell.
#include "vexofont/make/source_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>

#include "vexofont/codepage/characters.h"
#include "vexofont/make/cell_fill.h"
#include "vexofont/make/glyph_fit.h"
#include "vexofont/make/outline_parts.h"
#include "vexofont/make/source_bitmap.h"
#include "vexofont/make/source_font_handles.h"

namespace vexo {

namespace {

// n / 2 rounded towards minus infinity, so that a source wider or higher
// than the cell loses the same share on both sides.
long long FloorHalf(long long n) { return n >= 0 ? n / 2 : -((1 - n) / 2); }

// FreeType's load flags for the options, FT_LOAD_RENDER among them (the
// glyph is rendered once its box is known); sets *threshold for grey
// rendering of outlines.
FT_Int32 LoadFlags(const RenderOptions& options, bool outlines,
                   int* threshold) {
  *threshold = 0;
  if (!outlines) return FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;
  const bool gray = options.render == RenderOptions::Render::kGray;
  if (gray) *threshold = options.threshold;
  FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;
  switch (options.hinting) {
    case RenderOptions::Hinting::kDefault:
    case RenderOptions::Hinting::kFull:
      flags = FT_LOAD_RENDER |
              (gray ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
      break;
    case RenderOptions::Hinting::kLight:
      flags = FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT;
      break;
    case RenderOptions::Hinting::kNone:
      flags = FT_LOAD_RENDER | FT_LOAD_NO_HINTING |
              (gray ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
      break;
  }
  if (!gray) flags |= FT_LOAD_MONOCHROME;
  return flags;
}

// Loads the glyph `index` and renders it as FT_LOAD_RENDER would, unless
// its outline's box at the size drawn passes kMaxGlyphBoxEms (*tooLarge):
// rendering costs the whole box. False when it cannot be loaded. With
// `mark`, whether the outline draws a mark apart from its letter.
bool LoadAndRender(FT_Face face, FT_UInt index, FT_Int32 flags, bool* tooLarge,
                   MarkApart* mark = nullptr) {
  *tooLarge = false;
  if (FT_Load_Glyph(face, index, flags & ~FT_LOAD_RENDER) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  if (slot->format == FT_GLYPH_FORMAT_BITMAP) return true;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (mark != nullptr) *mark = MarkApartOf(slot->outline);
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    const long long most = static_cast<long long>(kMaxGlyphBoxEms) *
                           std::max<long long>(face->size->metrics.y_ppem, 1) * 64;
    if (static_cast<long long>(box.xMax) - box.xMin > most ||
        static_cast<long long>(box.yMax) - box.yMin > most) {
      *tooLarge = true;
      return false;
    }
  }
  FT_Render_Mode mode = static_cast<FT_Render_Mode>(FT_LOAD_TARGET_MODE(flags));
  if (mode == FT_RENDER_MODE_NORMAL && (flags & FT_LOAD_MONOCHROME) != 0) {
    mode = FT_RENDER_MODE_MONO;
  }
  return FT_Render_Glyph(slot, mode) == 0;
}

// Lines made to join the next glyph's: box drawing and block elements,
// and _ ¯ — ― ‗ ‾ (make --cell-fill font draws the former from the font).
bool JoinsNeighbours(uint32_t c) {
  return (c >= kFirstCellFilling && c <= kLastCellFilling) || c == 0x5F ||
         c == 0xAF || c == 0x2014 || c == 0x2015 || c == 0x2017 || c == 0x203E;
}

// Sets the face's size in pixels unless it is set already: a TrueType
// font runs its hinting's set-up for every size set, which drawing each
// glyph at its own width would otherwise repeat glyph by glyph.
bool SetSize(FT_Face face, unsigned wide, unsigned high) {
  if (face->size != nullptr && face->size->metrics.x_ppem == wide &&
      face->size->metrics.y_ppem == high) {
    return true;
  }
  return FT_Set_Pixel_Sizes(face, wide, high) == 0;
}

// Puts the face back to the size the font was fitted at, when a glyph has
// been drawn at another.
class SizeKept {
 public:
  SizeKept(FT_Face face, unsigned wide, unsigned high)
      : face_(face), wide_(wide), high_(high) {}
  ~SizeKept() {
    if (wide_ > 0) SetSize(face_, wide_, high_);
  }
  SizeKept(const SizeKept&) = delete;
  SizeKept& operator=(const SizeKept&) = delete;

 private:
  FT_Face face_;
  unsigned wide_;
  unsigned high_;
};

}  // namespace

// The dots as placed, those outside the cell cut off and counted (--clip,
// or a glyph that lies inside the cell).
void SourceFont::PlaceClipped(const FT_Bitmap_& bitmap, const unsigned char* top,
                              int threshold, long long x0, long long y0,
                              CellGlyph* glyph) const {
  for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
    for (int x = 0; x < static_cast<int>(bitmap.width); ++x) {
      if (!DotSet(bitmap, top, x, y, threshold)) continue;
      const long long cx = x0 + x;
      const long long cy = y0 + y;
      if (cx < 0 || cx >= cell_.width || cy < 0 || cy >= cell_.height) {
        ++glyph->clippedDots;
        continue;
      }
      glyph->rows[cy] |= 0x80000000u >> cx;
    }
  }
}

long long SourceFont::PlacedLeft(int inkLeft, int inkRight) const {
  const FT_GlyphSlot slot = handles_->face->glyph;
  if (placeByAdvance_) {
    const long long advance = (slot->advance.x + 32) >> 6;
    return FloorHalf(canvas_.width - advance) + slot->bitmap_left;
  }
  return FloorHalf(canvas_.width - (inkRight - inkLeft + 1)) - inkLeft;
}

void SourceFont::PlaceDots(const FT_Bitmap_& bitmap, int threshold, int shift,
                           CellGlyph* glyph) const {
  const FT_GlyphSlot slot = handles_->face->glyph;
  const unsigned char* top = TopRow(bitmap);
  // Placed on the canvas: the cell, or the larger one of a large strike.
  const CellSize canvas = canvas_;
  const long long aboveBaseline =
      options_.baseline >= 0 ? options_.baseline
                             : FloorHalf(static_cast<long long>(canvas.height) -
                                         (ascent_ + descent_)) +
                                   ascent_;
  const long long y0 = aboveBaseline - slot->bitmap_top + options_.offsetY;
  int inkLeft = 0;
  int inkRight = -1;
  InkColumns(bitmap, top, threshold, &inkLeft, &inkRight);
  if (inkRight < 0) return;
  const long long x0 = PlacedLeft(inkLeft, inkRight) + shift + options_.offsetX;
  int inkTop = -1;
  int inkBottom = -1;
  InkRows(bitmap, top, threshold, inkLeft, inkRight, &inkTop, &inkBottom);
  const bool inside = canvas.width == cell_.width &&
                      canvas.height == cell_.height && x0 + inkLeft >= 0 &&
                      x0 + inkRight < cell_.width && y0 + inkTop >= 0 &&
                      y0 + inkBottom < cell_.height;
  if (options_.clip || inside) {
    PlaceClipped(bitmap, top, threshold, x0, y0, glyph);
    return;
  }
  // The ink box, moved into the canvas and drawn smaller where it is
  // larger than the canvas, then the canvas reduced to the cell.
  const InkGrid ink =
      InkGridOf(bitmap, top, threshold, inkLeft, inkRight, inkTop, inkBottom);
  DotCanvas drawn;
  drawn.width = canvas.width;
  drawn.height = canvas.height;
  const Fitting fitting =
      FitInk(ink, x0 + inkLeft, y0 + inkTop, &drawn, options_.latinLine);
  glyph->moved = fitting != Fitting::kAsDrawn;
  glyph->shrunk = fitting == Fitting::kShrunk;
  glyph->rows = ReduceCanvas(drawn, cell_.width, cell_.height);
}

double SourceFont::StemPixels() {
  FT_Face face = handles_->face;
  const FT_UInt index = FT_Get_Char_Index(face, U'I');
  if (index == 0 ||
      FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_TARGET_NORMAL) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE ||
      FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
    return 0;
  }
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  if (Broken(bitmap) || bitmap.pixel_mode != FT_PIXEL_MODE_GRAY ||
      bitmap.rows == 0 || bitmap.num_grays < 2) {
    return 0;
  }
  // The middle row crosses the stem alone.
  const unsigned char* top = TopRow(bitmap);
  const unsigned char* row = top + static_cast<long>(bitmap.rows / 2) * bitmap.pitch;
  double sum = 0;
  for (unsigned x = 0; x < bitmap.width; ++x) sum += row[x];
  return sum / (bitmap.num_grays - 1);
}

bool SourceFont::InkRowsOf(const char32_t* characters, size_t count,
                           int* lowest, int* highest, int* widest) {
  FT_Face face = handles_->face;
  if (face->charmap == nullptr || face->charmap->encoding != FT_ENCODING_UNICODE) {
    return false;
  }
  int threshold = 0;
  const FT_Int32 flags = LoadFlags(options_, render_outlines_, &threshold);
  bool found = false;
  for (size_t i = 0; i < count; ++i) {
    const FT_UInt index = FT_Get_Char_Index(face, characters[i]);
    bool tooLarge = false;
    if (index == 0 || !LoadAndRender(face, index, flags, &tooLarge)) continue;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    if (Broken(bitmap) || (bitmap.pixel_mode != FT_PIXEL_MODE_MONO &&
                           bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)) {
      continue;
    }
    const unsigned char* top = TopRow(bitmap);
    int first = -1;
    int last = -1;
    InkRows(bitmap, top, threshold, 0, static_cast<int>(bitmap.width) - 1,
            &first, &last);
    if (first < 0) continue;
    const int above = face->glyph->bitmap_top - first;
    const int below = face->glyph->bitmap_top - last - 1;
    *highest = found ? std::max(*highest, above) : above;
    *lowest = found ? std::min(*lowest, below) : below;
    if (widest != nullptr) {
      int left = 0;
      int right = -1;
      InkColumns(bitmap, top, threshold, &left, &right);
      *widest = found ? std::max(*widest, right - left + 1) : right - left + 1;
    }
    found = true;
  }
  return found;
}

// A font hints its lower case's round tops (o, e, s) onto the rows of x;
// a glyph its hinting leaves alone is drawn as outlined, and the
// overshoot of its round top can make a row over them, one dot or two
// that read as an accent (DejaVu Sans Mono's α and ς, read as ά; its
// bold's η, ρ and э likewise). A small letter whose outline's top lies
// where the lower case's do, from the top of x to the overshoot of o, is
// then drawn with its top on their row (BringDownRoundTop; signs whose
// top lies as high, + < > ±, keep theirs). Only with the font's own
// hinting: the auto-hinter places every glyph's top itself, and without
// hinting the tops are drawn as outlined.
void SourceFont::MeasureRoundTops() {
  FT_Face face = handles_->face;
  const bool ownHinting =
      options_.hinting == RenderOptions::Hinting::kDefault ||
      options_.hinting == RenderOptions::Hinting::kFull;
  if (!render_outlines_ || !ownHinting || face->charmap == nullptr ||
      face->charmap->encoding != FT_ENCODING_UNICODE) {
    return;
  }
  FT_Pos x = 0;
  FT_Pos o = 0;
  int lowest = 0;
  static const char32_t kRound[] = {U'o'};
  if (!UnhintedTop(face, FT_Get_Char_Index(face, U'x'), &x) ||
      !UnhintedTop(face, FT_Get_Char_Index(face, U'o'), &o) ||
      !InkRowsOf(kRound, 1, &lowest, &roundTops_.rows)) {
    return;
  }
  // A sixteenth of a pixel at least either way: the outlines' own rounding.
  const FT_Pos slack = std::max<FT_Pos>(std::abs(o - x), 4);
  roundTops_.lowest = std::min(x, o) - slack;
  roundTops_.highest = std::max(x, o) + slack;
  roundTops_.known = true;
}

bool SourceFont::RoundTopOf(uint32_t fontCode, unsigned index) {
  FT_Pos top = 0;
  return roundTops_.known && IsSmallLetter(fontCode) &&
         UnhintedTop(handles_->face, index, &top) && top >= roundTops_.lowest &&
         top <= roundTops_.highest;
}

// Drawn wider than high, a glyph whose ink fills every column of the cell
// touches the next (DejaVu Sans Mono's w and W, Liberation Mono's @ and
// #, FreeMono's serifs): it is drawn at the widest width down to as high
// whose ink spans fewer columns than the cell, moved to leave the last
// column blank. Lines made to join their neighbours keep the width.
int SourceFont::NarrowForColumn(uint32_t fontCode, unsigned index,
                                MarkApart* mark, bool* rendered) {
  *rendered = false;
  if (widened_.wide == 0 || JoinsNeighbours(fontCode)) return 0;
  FT_Face face = handles_->face;
  int threshold = 0;
  const FT_Int32 flags = LoadFlags(options_, render_outlines_, &threshold);
  // The last column the ink may take.
  const long long last = cell_.width - 2;
  for (unsigned wide = widened_.wide; wide >= widened_.high; --wide) {
    bool tooLarge = false;
    if (!SetSize(face, wide, widened_.high) ||
        !LoadAndRender(face, index, flags, &tooLarge, mark) ||
        Broken(face->glyph->bitmap)) {
      return 0;
    }
    *rendered = true;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    // A strike's other pixel modes (2- and 4-bit grey, colour) are drawn
    // as they come.
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO &&
        bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
      return 0;
    }
    const unsigned char* top = TopRow(bitmap);
    int inkLeft = 0;
    int inkRight = -1;
    InkColumns(bitmap, top, threshold, &inkLeft, &inkRight);
    if (inkRight < 0) return 0;
    const long long left = PlacedLeft(inkLeft, inkRight) + inkLeft;
    const long long right = left + (inkRight - inkLeft);
    if (right - left <= last) {
      return static_cast<int>(std::clamp(0LL, -left, last - right));
    }
  }
  return 0;
}

bool SourceFont::DrawGlyph(uint32_t fontCode, CellGlyph* glyph) {
  glyph->rows.assign(cell_.height, 0);
  glyph->clippedDots = 0;
  glyph->tooLarge = false;
  glyph->moved = false;
  glyph->shrunk = false;
  FT_Face face = handles_->face;
  if (face == nullptr) return false;
  const FT_UInt index = FT_Get_Char_Index(face, fontCode);
  if (index == 0) return false;
  int threshold = 0;
  const FT_Int32 flags = LoadFlags(options_, render_outlines_, &threshold);
  // Only the grey rendering of thin strokes, whose low threshold draws
  // together what a glyph's outlines leave apart, parts marks again.
  const bool partMarks = options_.thinStrokesGray &&
                         options_.render == RenderOptions::Render::kGray;
  const bool roundTop = RoundTopOf(fontCode, index);
  const SizeKept kept(face, widened_.wide, widened_.high);
  MarkApart mark;
  bool rendered = false;
  const int shift =
      NarrowForColumn(fontCode, index, partMarks ? &mark : nullptr, &rendered);
  if (!rendered && !LoadAndRender(face, index, flags, &glyph->tooLarge,
                                  partMarks ? &mark : nullptr)) {
    return false;
  }
  // FreeType's conversion would read through a missing buffer or allocate
  // the whole claimed size.
  if (Broken(face->glyph->bitmap)) return false;
  // Other pixel modes (2- and 4-bit grey, colour strikes) are brought to
  // 8-bit grey first: values 0 to num_grays - 1 from the source's levels.
  FT_Bitmap converted;
  FT_Bitmap_Init(&converted);
  const FT_Bitmap* bitmap = &face->glyph->bitmap;
  if (bitmap->pixel_mode != FT_PIXEL_MODE_MONO &&
      bitmap->pixel_mode != FT_PIXEL_MODE_GRAY && bitmap->width > 0 &&
      bitmap->rows > 0) {
    if (FT_Bitmap_Convert(handles_->library, bitmap, &converted, 1) != 0) {
      FT_Bitmap_Done(handles_->library, &converted);
      return false;
    }
    bitmap = &converted;
  }
  const int width = static_cast<int>(bitmap->width);
  const int rows = static_cast<int>(bitmap->rows);
  const bool drawn =
      width <= kMaxSourceBitmapSide && rows <= kMaxSourceBitmapSide &&
      !(width > 0 && rows > 0 && bitmap->buffer == nullptr);
  if (drawn && bitmap->width > 0 && bitmap->rows > 0) {
    if (bitmap == &face->glyph->bitmap) {
      MendBitmap(*bitmap, threshold, face->glyph->bitmap_top, mark,
                 roundTop ? roundTops_.rows : -1,
                 render_outlines_ && options_.latinLine);
    }
    PlaceDots(*bitmap, threshold, shift, glyph);
  }
  FT_Bitmap_Done(handles_->library, &converted);
  if (!drawn) glyph->rows.assign(cell_.height, 0);
  return drawn;
}

}  // namespace vexo
