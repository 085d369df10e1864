#include "vexofont/readers/gray_image.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/output_file.h"

namespace vexo {

void GrayImage::Reset(int w, int h, uint8_t shade, int firstRow) {
  width = w;
  height = h;
  top = firstRow;
  pixels.assign(size_t(w) * size_t(h), shade);
}

void GrayImage::Fill(int x, int y, int w, int h, uint8_t shade) {
  y -= top;
  const int x0 = std::max(x, 0);
  const int y0 = std::max(y, 0);
  const int x1 = std::min(x + w, width);
  const int y1 = std::min(y + h, height);
  for (int py = y0; py < y1; ++py) {
    std::fill(pixels.begin() + size_t(py) * width + x0,
              pixels.begin() + size_t(py) * width + x1, shade);
  }
}

namespace {

constexpr unsigned kNewPngFileMode = 0666;

// libpng reports failures by longjmp back into WriteRows; nothing with a
// destructor lives between the setjmp and the calls that may jump.
bool WriteRows(std::FILE* file, int width, int height, const PixelRows& rows) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  // Sheets are large, flat and mostly white: zlib's default level without
  // row filters packs them within a few percent of its best, ten times
  // faster.
  png_set_compression_level(png, 6);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_GRAY,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, rows(y));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

int WriteGrayPngRowsUnpublished(const char* path, int width, int height,
                                const PixelRows& rows, OutputFile* file) {
  if (width <= 0 || height <= 0) return EINVAL;
  const int error = OpenOutputFile(path, kNewPngFileMode, file);
  if (error != 0) return error;
  errno = 0;
  if (!WriteRows(file->stream, width, height, rows)) {
    const int writeError = errno != 0 ? errno : EIO;
    AbandonOutputFile(file);
    return writeError;
  }
  return CloseOutputFile(file);
}

int WriteGrayPngUnpublished(const char* path, const GrayImage& image,
                            OutputFile* file) {
  return WriteGrayPngRowsUnpublished(
      path, image.width, image.height,
      [&image](int y) { return image.pixels.data() + size_t(y) * image.width; },
      file);
}

int WriteGrayPng(const char* path, const GrayImage& image) {
  OutputFile file;
  const int error = WriteGrayPngUnpublished(path, image, &file);
  return error != 0 ? error : PublishOutputFile(&file);
}

}  // namespace vexo
