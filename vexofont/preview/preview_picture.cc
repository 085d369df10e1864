#include "vexofont/preview/preview_picture.h"

#include <algorithm>

#include "fontinput/dot_chars.h"

void PreviewSize(const std::vector<StationPicture>& pictures, bool sideBySide,
                 int* width, int* height) {
  const int s = kPreviewDotPixels;
  int w = 0;
  int h = 0;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const int gap = i == 0 ? 0 : kPreviewStationGap;
    if (sideBySide) {
      w += gap + pictures[i].width * s;
      h = std::max(h, pictures[i].height * s);
    } else {
      w = std::max(w, pictures[i].width * s);
      h += gap + pictures[i].height * s;
    }
  }
  *width = w + 2 * kPreviewMargin;
  *height = h + 2 * kPreviewMargin;
}

void DrawPreviewBand(const std::vector<StationPicture>& pictures,
                     bool sideBySide, GrayImage* band) {
  const int s = kPreviewDotPixels;
  std::fill(band->pixels.begin(), band->pixels.end(), kPreviewBackground);
  int x0 = kPreviewMargin;
  int y0 = kPreviewMargin;
  for (const StationPicture& picture : pictures) {
    band->Fill(x0, y0, picture.width * s, picture.height * s, kPreviewPaper);
    // Only the dot rows that reach into the band.
    const int first = std::max(0, (band->top - y0) / s);
    const int end = std::min(picture.height,
                             (band->top + band->height - y0 + s - 1) / s);
    for (int y = first; y < end; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const Ink ink = picture.At(x, y);
        if (ink == Ink::kPaper) continue;
        band->Fill(x0 + x * s, y0 + y * s, s, s,
                   ink == Ink::kDot ? kPreviewDot : kPreviewMark);
      }
    }
    if (sideBySide) {
      x0 += picture.width * s + kPreviewStationGap;
    } else {
      y0 += picture.height * s + kPreviewStationGap;
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
