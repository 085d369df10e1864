// An 8-bit grayscale image in memory and its PNG file.
#ifndef VEXOCNVT_VEXOFONT_READERS_GRAY_IMAGE_H_
#define VEXOCNVT_VEXOFONT_READERS_GRAY_IMAGE_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/output_file.h"

namespace vexo {

constexpr uint8_t kWhite = 255;
constexpr uint8_t kBlack = 0;

// The image may be one band of a taller picture: it holds the picture's
// rows from `top` on, and Fill takes the picture's coordinates.
struct GrayImage {
  int width = 0;
  int height = 0;
  int top = 0;  // the picture row that is the image's first row
  std::vector<uint8_t> pixels;  // rows top to bottom, one byte a pixel

  // Sizes the image and paints it all `shade`; `firstRow` becomes top.
  void Reset(int w, int h, uint8_t shade, int firstRow = 0);
  // Paints the rectangle, clipped to the image.
  void Fill(int x, int y, int w, int h, uint8_t shade);
  uint8_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Writes `image` to `path` as an 8-bit grayscale PNG file, whole or not at
// all (platform/output_file.h). Returns 0, or the errno value of the failure;
// prints nothing.
int WriteGrayPng(const char* path, const GrayImage& image);

// The same, but the complete file is left in its temporary (*file closed,
// not yet named) for PublishOutputFile or AbandonOutputFile; on failure
// nothing is left.
int WriteGrayPngUnpublished(const char* path, const GrayImage& image,
                            OutputFile* file);

// The rows of a picture, asked for top to bottom, one at a time: the row
// `y`, as many pixels as the picture is wide, valid until the next call.
using PixelRows = std::function<const uint8_t*(int y)>;

// The same for a picture of `width` x `height` given row by row, so that a
// large one need never be held whole.
int WriteGrayPngRowsUnpublished(const char* path, int width, int height,
                                const PixelRows& rows, OutputFile* file);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_READERS_GRAY_IMAGE_H_
