// SourceFont's drawing of one glyph onto the cell.
#include "vexofont/make/source_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>

#include "vexofont/make/glyph_fit.h"
#include "vexofont/make/outline_parts.h"
#include "vexofont/make/source_font_handles.h"

namespace vexo {

namespace {

// Glyph bitmaps beyond this in either direction come only from broken
// fonts; they are treated as missing rather than walked dot by dot.
constexpr int kMaxSourceBitmapSide = 4096;

// n / 2 rounded towards minus infinity, so that a source wider or higher
// than the cell loses the same share on both sides.
long long FloorHalf(long long n) { return n >= 0 ? n / 2 : -((1 - n) / 2); }

// Whether dot (x, y) of `bitmap` is set. `top` is the first byte of the
// top row whatever the bitmap's flow. An 8-bit grey dot is set from
// `threshold` of 255 up; 0 sets it from half the grey levels up.
bool DotSet(const FT_Bitmap& bitmap, const unsigned char* top, int x, int y,
            int threshold) {
  const unsigned char* row = top + static_cast<long>(y) * bitmap.pitch;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    return (row[x >> 3] & (0x80 >> (x & 7))) != 0;
  }
  if (threshold <= 0 || bitmap.num_grays < 2) {
    return 2 * static_cast<int>(row[x]) >= bitmap.num_grays;
  }
  return static_cast<int>(row[x]) * 255 >= threshold * (bitmap.num_grays - 1);
}

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

// A bitmap that claims a size but has no buffer, or one too large to be a
// glyph, comes from a broken font.
bool Broken(const FT_Bitmap& bitmap) {
  if (bitmap.width == 0 || bitmap.rows == 0) return false;
  return bitmap.buffer == nullptr ||
         static_cast<int>(bitmap.width) > kMaxSourceBitmapSide ||
         static_cast<int>(bitmap.rows) > kMaxSourceBitmapSide;
}

// The columns of `bitmap` that hold set dots: *left to *right, *right -1
// when none does.
void InkColumns(const FT_Bitmap& bitmap, const unsigned char* top,
                int threshold, int* left, int* right) {
  const int width = static_cast<int>(bitmap.width);
  *left = width;
  *right = -1;
  for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
    for (int x = 0; x < width; ++x) {
      if (!DotSet(bitmap, top, x, y, threshold)) continue;
      if (x < *left) *left = x;
      if (x > *right) *right = x;
    }
  }
}

// The rows of `bitmap` that hold set dots within columns `left` to
// `right`: *first to *last, *first -1 when none does.
void InkRows(const FT_Bitmap& bitmap, const unsigned char* top, int threshold,
             int left, int right, int* first, int* last) {
  *first = -1;
  *last = -1;
  for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
    for (int x = left; x <= right; ++x) {
      if (!DotSet(bitmap, top, x, y, threshold)) continue;
      if (*first < 0) *first = y;
      *last = y;
      break;
    }
  }
}

// A mark the rendering has joined to its letter is parted again: where
// the outlines leave a whole row's centre between the mark's foot and the
// letter's top and no row there is blank, the one nearest the middle of
// the gap is cleared. FreeMono's i, j and ä at 12 rows, drawn grey from
// 40, lose that gap; where the outlines themselves leave less than a row
// (an accent over a letter at 9 rows), the dots stay as drawn.
void PartMark(const FT_Bitmap& bitmap, unsigned char* top, int threshold,
              int bitmapTop, const MarkApart& mark) {
  const int width = static_cast<int>(bitmap.width);
  int first = -1;
  int last = -1;
  InkRows(bitmap, top, threshold, 0, width - 1, &first, &last);
  const FT_Pos middle = (mark.foot + mark.letterTop) / 2;
  int row = -1;
  FT_Pos nearest = 0;
  for (int y = first + 1; y < last; ++y) {
    const FT_Pos centre = static_cast<FT_Pos>(bitmapTop - y) * 64 - 32;
    if (centre <= mark.letterTop || centre >= mark.foot) continue;
    bool ink = false;
    for (int x = 0; x < width && !ink; ++x) ink = DotSet(bitmap, top, x, y, threshold);
    if (!ink) return;  // still apart
    if (row < 0 || std::abs(centre - middle) < nearest) {
      row = y;
      nearest = std::abs(centre - middle);
    }
  }
  if (row < 0) return;
  unsigned char* dots = top + static_cast<long>(row) * bitmap.pitch;
  std::fill(dots, dots + std::abs(bitmap.pitch), 0);
}

// The ink box of `bitmap`: columns `left` to `right`, rows `first` to
// `last`.
InkGrid InkGridOf(const FT_Bitmap& bitmap, const unsigned char* top,
                  int threshold, int left, int right, int first, int last) {
  InkGrid ink;
  ink.width = right - left + 1;
  ink.height = last - first + 1;
  ink.dots.assign(static_cast<size_t>(ink.width) * ink.height, 0);
  for (int y = 0; y < ink.height; ++y) {
    for (int x = 0; x < ink.width; ++x) {
      ink.dots[static_cast<size_t>(y) * ink.width + x] =
          DotSet(bitmap, top, left + x, first + y, threshold) ? 1 : 0;
    }
  }
  return ink;
}

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

void SourceFont::PlaceDots(const FT_Bitmap_& bitmap, int threshold,
                           CellGlyph* glyph) const {
  const FT_GlyphSlot slot = handles_->face->glyph;
  const int rows = static_cast<int>(bitmap.rows);
  const unsigned char* top = bitmap.buffer;
  if (bitmap.pitch < 0) top -= static_cast<long>(rows - 1) * bitmap.pitch;
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
  long long x0;
  if (placeByAdvance_) {
    const long long advance = (slot->advance.x + 32) >> 6;
    x0 = FloorHalf(canvas.width - advance) + slot->bitmap_left;
  } else {
    x0 = FloorHalf(canvas.width - (inkRight - inkLeft + 1)) - inkLeft;
  }
  x0 += options_.offsetX;
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
  const unsigned char* top = bitmap.buffer;
  if (bitmap.pitch < 0) top -= static_cast<long>(bitmap.rows - 1) * bitmap.pitch;
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
    const int rows = static_cast<int>(bitmap.rows);
    const unsigned char* top = bitmap.buffer;
    if (bitmap.pitch < 0) top -= static_cast<long>(rows - 1) * bitmap.pitch;
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
  MarkApart mark;
  if (!LoadAndRender(face, index, flags, &glyph->tooLarge,
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
    if (mark.found && bitmap == &face->glyph->bitmap &&
        bitmap->pixel_mode == FT_PIXEL_MODE_GRAY) {
      unsigned char* top = bitmap->buffer;
      if (bitmap->pitch < 0) top -= static_cast<long>(rows - 1) * bitmap->pitch;
      PartMark(*bitmap, top, threshold, face->glyph->bitmap_top, mark);
    }
    PlaceDots(*bitmap, threshold, glyph);
  }
  FT_Bitmap_Done(handles_->library, &converted);
  if (!drawn) glyph->rows.assign(cell_.height, 0);
  return drawn;
}

}  // namespace vexo
