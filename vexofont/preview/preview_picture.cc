#include "vexofont/preview/preview_picture.h"

#include <algorithm>
#include <cstdint>

#include "vexofont/fontrules/dot_chars.h"

namespace vexo {

int DotEdge(int dot, int microns) {
  return static_cast<int>((int64_t{dot} * microns * kPreviewPixelsPerMm + 500) / 1000);
}

namespace {

int PixelWidth(const StationPicture& picture) {
  return DotEdge(picture.width, picture.pitch.across);
}

int PixelHeight(const StationPicture& picture) {
  return DotEdge(picture.height, picture.pitch.down);
}

}  // namespace

void PreviewSize(const std::vector<StationPicture>& pictures, bool sideBySide,
                 int* width, int* height) {
  int w = 0;
  int h = 0;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const int gap = i == 0 ? 0 : kPreviewStationGap;
    if (sideBySide) {
      w += gap + PixelWidth(pictures[i]);
      h = std::max(h, PixelHeight(pictures[i]));
    } else {
      w = std::max(w, PixelWidth(pictures[i]));
      h += gap + PixelHeight(pictures[i]);
    }
  }
  *width = w + 2 * kPreviewMargin;
  *height = h + 2 * kPreviewMargin;
}

void DrawPreviewBand(const std::vector<StationPicture>& pictures,
                     bool sideBySide, GrayImage* band) {
  std::fill(band->pixels.begin(), band->pixels.end(), kPreviewBackground);
  int x0 = kPreviewMargin;
  int y0 = kPreviewMargin;
  for (const StationPicture& picture : pictures) {
    const DotPitch pitch = picture.pitch;
    band->Fill(x0, y0, PixelWidth(picture), PixelHeight(picture), kPreviewPaper);
    for (int y = 0; y < picture.height; ++y) {
      const int top = y0 + DotEdge(y, pitch.down);
      const int bottom = y0 + DotEdge(y + 1, pitch.down);
      // Only the dot rows that reach into the band.
      if (bottom <= band->top) continue;
      if (top >= band->top + band->height) break;
      for (int x = 0; x < picture.width; ++x) {
        const Ink ink = picture.At(x, y);
        if (ink == Ink::kPaper) continue;
        const int left = x0 + DotEdge(x, pitch.across);
        band->Fill(left, top, x0 + DotEdge(x + 1, pitch.across) - left, bottom - top,
                   ink == Ink::kDot ? kPreviewDot : kPreviewMark);
      }
    }
    if (sideBySide) {
      x0 += PixelWidth(picture) + kPreviewStationGap;
    } else {
      y0 += PixelHeight(picture) + kPreviewStationGap;
    }
  }
}

void DrawPreview(const std::vector<StationPicture>& pictures, bool sideBySide,
                 GrayImage* image) {
  int width = 0;
  int height = 0;
  PreviewSize(pictures, sideBySide, &width, &height);
  image->Reset(width, height, kPreviewBackground);
  DrawPreviewBand(pictures, sideBySide, image);
}

int WritePreviewPngUnpublished(const char* path,
                               const std::vector<StationPicture>& pictures,
                               bool sideBySide, OutputFile* file) {
  int width = 0;
  int height = 0;
  PreviewSize(pictures, sideBySide, &width, &height);
  GrayImage band;
  const PixelRows rows = [&](int y) {
    if (band.height == 0 || y >= band.top + band.height) {
      band.Reset(width, std::min(kPreviewBandRows, height - y), kPreviewBackground, y);
      DrawPreviewBand(pictures, sideBySide, &band);
    }
    return band.pixels.data() + size_t(y - band.top) * size_t(width);
  };
  return WriteGrayPngRowsUnpublished(path, width, height, rows, file);
}

std::string PreviewText(const std::vector<StationPicture>& pictures) {
  std::string text;
  for (const StationPicture& picture : pictures) {
    int used = 1;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = picture.width - 1; x >= used; --x) {
        if (picture.At(x, y) != Ink::kPaper) {
          used = x + 1;
          break;
        }
      }
    }
    text += picture.station == Station::kThermal ? "thermal" : "impact";
    text += " station, " + std::to_string(picture.width) + " dots wide:\n";
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < used; ++x) {
        const Ink ink = picture.At(x, y);
        text += ink == Ink::kDot ? kSetDot : ink == Ink::kMark ? '?' : kClearDot;
      }
      text += '\n';
    }
    text += '\n';
  }
  return text;
}

}  // namespace vexo
