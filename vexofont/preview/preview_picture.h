// The stations' pictures of a receipt as one image, and as text. The page
// that --html writes draws the same image with the same numbers.
#ifndef VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_PICTURE_H_
#define VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_PICTURE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/preview/receipt_layout.h"
#include "vexofont/readers/gray_image.h"

namespace vexo {

// Pixels a millimetre of paper (a thermal dot at 8 dots a millimetre is
// 2 by 2), round the pictures and between the two stations; the shades
// of what is not paper, of the paper, a dot and the mark.
constexpr int kPreviewPixelsPerMm = 16;
constexpr int kPreviewMargin = 8;
constexpr int kPreviewStationGap = 16;
constexpr uint8_t kPreviewBackground = 224;
constexpr uint8_t kPreviewPaper = 255;
constexpr uint8_t kPreviewDot = 0;
constexpr uint8_t kPreviewMark = 128;

// The pixel rows a PNG of the pictures is drawn in at a time.
constexpr int kPreviewBandRows = 256;

// Where dot `dot` (a column, or a row) of pitch `microns` starts in a
// picture, in pixels from its edge: each dot a rectangle of its pitch's
// shape, the edges rounded to whole pixels so that the proportions hold
// over a line. The page's script computes the same.
int DotEdge(int dot, int microns);

// The size in pixels of the pictures drawn together.
void PreviewSize(const std::vector<StationPicture>& pictures, bool sideBySide,
                 int* width, int* height);

// Draws the pictures, the first on top (or on the left when `sideBySide`):
// the whole image, or only the band of it that `band` holds (sized, its
// `top` set).
void DrawPreview(const std::vector<StationPicture>& pictures, bool sideBySide,
                 GrayImage* image);
void DrawPreviewBand(const std::vector<StationPicture>& pictures,
                     bool sideBySide, GrayImage* band);

// Writes the PNG of the pictures to `path`, drawn a band at a time, and
// leaves it complete in its temporary for PublishOutputFile or
// AbandonOutputFile (gray_image.h). Returns 0 or the errno value; nothing
// is left on failure.
int WritePreviewPngUnpublished(const char* path,
                               const std::vector<StationPicture>& pictures,
                               bool sideBySide, OutputFile* file);

// The pictures as text: for each station a heading, then a line a dot row,
// '#' a dot, '.' paper and '?' the mark, as far right as anything is set.
std::string PreviewText(const std::vector<StationPicture>& pictures);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_PICTURE_H_
