#include "fontinput/sbcs_loader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "store/converter_settings.h"
#include "fontinput/glyph_bitmap.h"
#include "fontinput/glyph_size.h"
#include "fontinput/glyph_stream.h"
#include "fontinput/impact_columns.h"
#include "store/glyph_table.h"

namespace vexo {

namespace {

// The sizes the driver accepts for the station. For any other station the
// glyphs are only read, which takes a height the glyph stream hands out.
bool SizeIsLoadable(Station station, uint32_t width, uint32_t height) {
  if (station == Station::kThermal || station == Station::kImpact) {
    return GlyphSizeAccepted(FontKind::kSbcs, station, width, height);
  }
  return height <= kMaxStreamGlyph / kFileRowSize;
}

// The thermal step of code `c`: lists its m-byte bitmap with verbose on
// and stores it.
void StoreThermalGlyph(int c, const uint8_t* bitmap, int height,
                       int bytesPerRow, int m) {
  if (Settings.verbose) {
    PrintRowPicture(bitmap, height, bytesPerRow, 2);
    std::printf("%02x:  ", c);
    PrintHexBytes(bitmap, m);
    std::printf("\n\n");
  }
  StoreGlyph(FontKind::kSbcs, 0, c & 0xFF, Station::kThermal, bitmap, m);
}

}  // namespace

int LoadSbcsGlyphs(std::FILE* file, Station station, SbcsFontHeader header) {
  if (!SizeIsLoadable(station, header.width, header.height)) return 0;
  const int width = static_cast<int>(header.width);
  const int height = static_cast<int>(header.height);
  const int bytesPerRow = RowBytesTaken(FontKind::kSbcs, station, header.width);
  const size_t glyphSize = FileGlyphSize(header.height);
  // The width of a load for another station is not checked, so 2 x width
  // is only formed where it is used: for impact widths of 4 to 16.
  const int maxCount =
      station == Station::kImpact ? ImpactBytesStored(width) : 0;
  // The column bytes a conversion sets, counts, stores or lists.
  const int columnSpan =
      station == Station::kImpact
          ? std::max(ImpactColumnsSpan(width, height), maxCount)
          : 0;

  GlyphStream glyphs;
  StartGlyphStream(file, &glyphs);
  uint8_t bitmap[kBitmapBufferSize];
  uint8_t columns[kColumnBufferSize];

  for (int c = header.firstChar; c <= header.lastChar; ++c) {
    const uint8_t* fileRows = NextGlyph(&glyphs, glyphSize);
    if (fileRows == nullptr) break;
    if (station != Station::kThermal && station != Station::kImpact) continue;
    // An impact glyph is converted straight from the file's rows; its
    // bitmap is only unpacked for the listing.
    const int m = station == Station::kThermal || Settings.verbose
                      ? UnpackGlyphRows(fileRows, height, bytesPerRow, bitmap)
                      : height * bytesPerRow;

    if (station == Station::kThermal) {
      StoreThermalGlyph(c, bitmap, height, bytesPerRow, m);
      continue;
    }

    if (Settings.verbose) {
      PrintRowPicture(bitmap, height, bytesPerRow, bytesPerRow);
      std::printf("  -----------\n\n");
    }
    std::memset(columns, 0, static_cast<size_t>(columnSpan));
    int n = ConvertFileRowsToImpactColumns(fileRows, columns, width, height);
    if (n != maxCount) {
      std::printf("%02x: count=%d, maxCount=%d\n", c, n, maxCount);
      n = maxCount;
    }
    if (Settings.verbose) {
      PrintColumnPicture(columns, width, height);
      std::printf("%02x:  ", c);
      PrintHexBytes(bitmap, m);
      std::printf("\n     ");
      PrintHexBytes(columns, n);
      std::printf("\n\n");
    }
    StoreGlyph(FontKind::kSbcs, 0, c & 0xFF, Station::kImpact, columns, n);
  }
  FinishGlyphStream(&glyphs);
  return 0;
}

}  // namespace vexo
