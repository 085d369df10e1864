#include "vexofont/preview/preview_picture.h"

#include <algorithm>

#include "fontinput/dot_chars.h"

void DrawPreview(const std::vector<StationPicture>& pictures, bool sideBySide,
                 GrayImage* image) {
  const int s = kPreviewDotPixels;
  int width = 0;
  int height = 0;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const int gap = i == 0 ? 0 : kPreviewStationGap;
    if (sideBySide) {
      width += gap + pictures[i].width * s;
      height = std::max(height, pictures[i].height * s);
    } else {
      width = std::max(width, pictures[i].width * s);
      height += gap + pictures[i].height * s;
    }
  }
  image->Reset(width + 2 * kPreviewMargin, height + 2 * kPreviewMargin,
               kPreviewBackground);
  int x0 = kPreviewMargin;
  int y0 = kPreviewMargin;
  for (const StationPicture& picture : pictures) {
    image->Fill(x0, y0, picture.width * s, picture.height * s, kPreviewPaper);
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const Ink ink = picture.At(x, y);
        if (ink == Ink::kPaper) continue;
        image->Fill(x0 + x * s, y0 + y * s, s, s,
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
