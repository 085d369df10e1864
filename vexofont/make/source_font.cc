#include "vexofont/make/source_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H
#include FT_BITMAP_H

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

struct SourceFontHandles {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  // The uncompressed bytes of a gzip-compressed font; the face reads them
  // for as long as it lives.
  std::vector<unsigned char> uncompressed;
};

namespace {

// A compressed font larger than this once uncompressed is refused.
constexpr size_t kMaxUncompressedFont = size_t(64) << 20;

bool IsGzipFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  unsigned char magic[2] = {0, 0};
  const bool gzip = std::fread(magic, 1, 2, file) == 2 && magic[0] == 0x1F &&
                    magic[1] == 0x8B;
  std::fclose(file);
  return gzip;
}

// FreeType reads gzip-compressed PCF fonts itself but not BDF fonts, so
// every compressed font is uncompressed here. Returns false with the reason.
bool Uncompress(const std::string& path, std::vector<unsigned char>* bytes,
                std::string* error) {
  bytes->clear();
  gzFile file = gzopen(path.c_str(), "rb");
  if (file == nullptr) {
    *error = "cannot be opened";
    return false;
  }
  unsigned char chunk[65536];
  int got;
  while ((got = gzread(file, chunk, sizeof(chunk))) > 0) {
    if (bytes->size() + got > kMaxUncompressedFont) {
      gzclose(file);
      *error = "is too large once uncompressed";
      return false;
    }
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
  // Closed on every path, a damaged stream included.
  const bool closed = gzclose(file) == Z_OK;
  if (got == 0 && closed) return true;
  *error = "is a broken gzip file";
  return false;
}

// Glyph bitmaps beyond this in either direction come only from broken
// fonts; they are treated as missing rather than walked dot by dot.
constexpr int kMaxSourceBitmapSide = 4096;

// n / 2 rounded towards minus infinity, so that a source wider or higher
// than the cell loses the same share on both sides.
long long FloorHalf(long long n) { return n >= 0 ? n / 2 : -((1 - n) / 2); }

// Pixels from 26.6 fixed point, away from the baseline.
int CeilPixels(FT_Pos value) {
  return value <= 0 ? 0 : static_cast<int>((value + 63) >> 6);
}

// FreeType's own texts of its errors, from its error list.
#undef FTERRORS_H_
#define FT_ERRORDEF(code, value, text) {value, text},
#define FT_ERROR_START_LIST {
#define FT_ERROR_END_LIST {0, nullptr}};
const struct {
  int code;
  const char* text;
} kFreeTypeErrors[] =
#include FT_ERRORS_H

const char* FreeTypeErrorText(FT_Error error) {
  for (const auto& known : kFreeTypeErrors) {
    if (known.text != nullptr && known.code == error) return known.text;
  }
  return "unknown error";
}

std::string OpenErrorText(FT_Error error) {
  switch (error) {
    case FT_Err_Cannot_Open_Resource:
      return "cannot be opened";
    case FT_Err_Unknown_File_Format:
      return "is not a font FreeType knows";
    case FT_Err_Invalid_File_Format:
    case FT_Err_Invalid_Table:
    case FT_Err_Invalid_Argument:
      return "is a broken font file";
    default: {
      char text[128];
      std::snprintf(text, sizeof(text),
                    "cannot be read by FreeType: %s (error 0x%02x)",
                    FreeTypeErrorText(error), static_cast<unsigned>(error));
      return text;
    }
  }
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

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
  if (IsFolder(path)) {
    *error = "is a folder";
    return false;
  }
  FT_Error open_error;
  if (IsGzipFile(path)) {
    if (!Uncompress(path, &handles_->uncompressed, error)) return false;
    open_error = FT_New_Memory_Face(
        handles_->library, handles_->uncompressed.data(),
        static_cast<FT_Long>(handles_->uncompressed.size()), 0,
        &handles_->face);
  } else {
    open_error =
        FT_New_Face(handles_->library, path.c_str(), 0, &handles_->face);
  }
  if (open_error != 0) {
    handles_->face = nullptr;
    *error = OpenErrorText(open_error);
    return false;
  }
  monospace_ = FT_IS_FIXED_WIDTH(handles_->face);
  return ChooseCharset(error) && ChooseSize(error);
}

bool SourceFont::ChooseCharset(std::string* error) {
  FT_Face face = handles_->face;
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0) {
    charset_ = FontCharset();
    return true;
  }
  const char* encoding = nullptr;
  const char* registry = nullptr;
  if (FT_Get_BDF_Charset_ID(face, &encoding, &registry) != 0 ||
      encoding == nullptr || registry == nullptr) {
    *error = "has no Unicode character map and no charset registry";
    return false;
  }
  if (!FontCharsetFromRegistry(registry, encoding, &charset_)) {
    *error = std::string("has characters numbered in '") + registry + "-" +
             encoding + "', which cannot be mapped";
    return false;
  }
  // A BDF or PCF font that is not Unicode-encoded has one character map,
  // numbered as the font numbers its characters.
  if (face->num_charmaps < 1 || FT_Set_Charmap(face, face->charmaps[0]) != 0) {
    *error = "has no character map";
    return false;
  }
  return true;
}

bool SourceFont::ChooseSize(std::string* error) {
  FT_Face face = handles_->face;
  const int w = cell_.width;
  const int h = cell_.height;
  int strike = -1;
  const int strikes = face->available_sizes == nullptr ? 0
                                                       : face->num_fixed_sizes;
  if (options_.pixelSize > 0) {
    if (FT_IS_SCALABLE(face)) {
      if (FT_Set_Pixel_Sizes(face, 0, options_.pixelSize) != 0) {
        *error = "cannot be scaled to " + std::to_string(options_.pixelSize) +
                 " pixels";
        return false;
      }
      rendering_ = "outline at " + std::to_string(options_.pixelSize) +
                   " pixels";
      render_outlines_ = true;
      return Placed();
    }
    for (int i = 0; i < strikes && strike < 0; ++i) {
      if (face->available_sizes[i].height == options_.pixelSize) strike = i;
    }
    if (strike < 0) {
      std::string heights;
      for (int i = 0; i < strikes; ++i) {
        heights += (i == 0 ? "" : ", ") +
                   std::to_string(face->available_sizes[i].height);
      }
      *error = "has no outlines and no bitmap strike " +
               std::to_string(options_.pixelSize) + " pixels high (strikes: " +
               (heights.empty() ? std::string("none") : heights) + ")";
      return false;
    }
  }
  for (int i = 0; i < strikes && strike < 0; ++i) {
    const FT_Bitmap_Size& size = face->available_sizes[i];
    if (size.height == h && size.width == w) strike = i;
  }
  for (int i = 0; i < strikes && strike < 0; ++i) {
    if (face->available_sizes[i].height == h) strike = i;
  }
  if (strike < 0 && !FT_IS_SCALABLE(face)) {
    // No strike of the cell height: the highest that fits, preferring one
    // that fits the width too; failing that the lowest, clipped.
    auto better = [&](const FT_Bitmap_Size& a, const FT_Bitmap_Size& b) {
      const bool a_fits = a.width <= w;
      const bool b_fits = b.width <= w;
      if (a_fits != b_fits) return a_fits;
      if (a.height != b.height) return a.height > b.height;
      return a_fits ? a.width > b.width : a.width < b.width;
    };
    for (int i = 0; i < strikes; ++i) {
      const FT_Bitmap_Size& size = face->available_sizes[i];
      if (size.height > h) continue;
      if (strike < 0 || better(size, face->available_sizes[strike])) {
        strike = i;
      }
    }
    for (int i = 0; i < strikes && strike < 0; ++i) {
      // None fits the height: the lowest.
      int lowest = 0;
      for (int j = 1; j < strikes; ++j) {
        if (face->available_sizes[j].height <
            face->available_sizes[lowest].height) {
          lowest = j;
        }
      }
      strike = lowest;
    }
  }
  if (strike >= 0) {
    if (FT_Select_Size(face, strike) != 0) {
      *error = "has a bitmap strike FreeType cannot select";
      return false;
    }
    const FT_Bitmap_Size& size = face->available_sizes[strike];
    rendering_ = "strike " + std::to_string(size.width) + "x" +
                 std::to_string(size.height);
    render_outlines_ = false;
  } else if (FT_IS_SCALABLE(face)) {
    int chosen = 1;
    for (int pixels = 2 * h; pixels >= 1; --pixels) {
      if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0) continue;
      const FT_Size_Metrics& metrics = face->size->metrics;
      const int line = CeilPixels(metrics.ascender) +
                       CeilPixels(-metrics.descender);
      if (line > h) continue;
      if (monospace_ && CeilPixels(metrics.max_advance) > w) continue;
      chosen = pixels;
      break;
    }
    if (FT_Set_Pixel_Sizes(face, 0, chosen) != 0) {
      *error = "cannot be scaled to the cell";
      return false;
    }
    rendering_ = "outline at " + std::to_string(chosen) + " pixels";
    render_outlines_ = true;
  } else {
    *error = "has neither bitmap strikes nor outlines";
    return false;
  }
  return Placed();
}

bool SourceFont::Placed() {
  FT_Face face = handles_->face;
  ascent_ = CeilPixels(face->size->metrics.ascender);
  descent_ = CeilPixels(-face->size->metrics.descender);
  if (ascent_ + descent_ == 0) ascent_ = cell_.height;
  return true;
}

bool SourceFont::DrawGlyph(uint32_t fontCode, CellGlyph* glyph) {
  glyph->rows.assign(cell_.height, 0);
  glyph->clippedDots = 0;
  FT_Face face = handles_->face;
  if (face == nullptr) return false;
  const FT_UInt index = FT_Get_Char_Index(face, fontCode);
  if (index == 0) return false;
  FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;
  int threshold = 0;
  if (render_outlines_) {
    const bool gray = options_.render == RenderOptions::Render::kGray;
    if (gray) threshold = options_.threshold;
    switch (options_.hinting) {
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
  }
  if (FT_Load_Glyph(face, index, flags) != 0) return false;
  FT_GlyphSlot slot = face->glyph;

  // Other pixel modes (2- and 4-bit grey, colour strikes) are brought to
  // 8-bit grey first.
  FT_Bitmap converted;
  FT_Bitmap_Init(&converted);
  const FT_Bitmap* bitmap = &slot->bitmap;
  // A broken font can leave a bitmap that claims a size but has no
  // buffer, or one too large to be a glyph: FreeType's conversion would
  // read through the missing buffer or allocate the whole size.
  if (bitmap->width > 0 && bitmap->rows > 0 &&
      (bitmap->buffer == nullptr || bitmap->width > kMaxSourceBitmapSide ||
       bitmap->rows > kMaxSourceBitmapSide)) {
    return false;
  }
  if (bitmap->pixel_mode != FT_PIXEL_MODE_MONO &&
      bitmap->pixel_mode != FT_PIXEL_MODE_GRAY && bitmap->width > 0 &&
      bitmap->rows > 0) {
    if (FT_Bitmap_Convert(handles_->library, bitmap, &converted, 1) != 0) {
      FT_Bitmap_Done(handles_->library, &converted);
      return false;
    }
    // Convert gives values 0 to num_grays - 1 from the source's levels.
    bitmap = &converted;
  }
  const int width = static_cast<int>(bitmap->width);
  const int rows = static_cast<int>(bitmap->rows);
  bool drawn = true;
  if (width > kMaxSourceBitmapSide || rows > kMaxSourceBitmapSide ||
      (width > 0 && rows > 0 && bitmap->buffer == nullptr)) {
    drawn = false;
  } else if (width > 0 && rows > 0) {
    const unsigned char* top = bitmap->buffer;
    if (bitmap->pitch < 0) top -= static_cast<long>(rows - 1) * bitmap->pitch;

    const long long above_baseline =
        options_.baseline >= 0
            ? options_.baseline
            : FloorHalf(static_cast<long long>(cell_.height) -
                        (ascent_ + descent_)) +
                  ascent_;
    const long long y0 = above_baseline - slot->bitmap_top + options_.offsetY;
    long long x0;
    if (monospace_) {
      const long long advance = (slot->advance.x + 32) >> 6;
      x0 = FloorHalf(cell_.width - advance) + slot->bitmap_left;
      x0 += options_.offsetX;
    } else {
      int ink_left = width;
      int ink_right = -1;
      for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; ++x) {
          if (!DotSet(*bitmap, top, x, y, threshold)) continue;
          if (x < ink_left) ink_left = x;
          if (x > ink_right) ink_right = x;
        }
      }
      x0 = ink_right < 0 ? 0
                         : FloorHalf(cell_.width - (ink_right - ink_left + 1)) -
                               ink_left;
      x0 += options_.offsetX;
    }
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < width; ++x) {
        if (!DotSet(*bitmap, top, x, y, threshold)) continue;
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
  FT_Bitmap_Done(handles_->library, &converted);
  if (!drawn) glyph->rows.assign(cell_.height, 0);
  return drawn;
}
