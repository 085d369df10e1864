#include "fontinput/dbcs_loader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "store/converter_settings.h"
#include "fontinput/dbcs_codes.h"
#include "fontinput/glyph_bitmap.h"
#include "fontinput/glyph_size.h"
#include "fontinput/glyph_stream.h"
#include "fontinput/impact_columns.h"
#include "store/glyph_table.h"

namespace vexo {

namespace {

// The sizes the driver accepts for the station; for any other station,
// the sizes either station accepts.
bool SizeIsLoadable(Station station, uint32_t width, uint32_t height) {
  const bool thermal =
      GlyphSizeAccepted(FontKind::kDbcs, Station::kThermal, width, height);
  const bool impact = GlyphSizeAccepted(FontKind::kDbcs, Station::kImpact, width, height);
  switch (station) {
    case Station::kThermal:
      return thermal;
    case Station::kImpact:
      return impact;
    default:
      return thermal || impact;
  }
}

// Eight bytes at a time: the loader asks this of every glyph it reads.
bool IsBlank(const uint8_t* bytes, int count) {
  uint64_t any = 0;
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, sizeof(word));
    any |= word;
  }
  for (; i < count; ++i) any |= bytes[i];
  return any == 0;
}

// One load: the file, the station and the glyph geometry, and the working
// storage reused for every glyph.
struct DbcsLoad {
  Station station;
  int width;
  int height;
  int bytes_per_row;
  size_t glyph_size;
  int column_span;  // the column bytes a conversion sets, stores or lists
  // The file bytes of a row whose dots the impact columns hold, when they
  // keep every dot they convert; -1 when they may not, and blankness is
  // asked of the columns themselves.
  int impact_row_bytes;
  GlyphStream glyphs;
  uint8_t bitmap[kBitmapBufferSize];
  uint8_t columns[kColumnBufferSize];
};

// Without the listing, a glyph goes from the file's rows straight into its
// record's field, with no copy in between, and its blankness is asked of
// the rows rather than of bytes just written. Returns false, having done
// nothing, for impact sizes whose columns may not keep every dot they
// convert: those take the listing's way.
bool StoreFromFileRows(DbcsLoad& load, const uint8_t* fileRows, int lead,
                       int trail) {
  if (load.station == Station::kThermal) {
    if (FileRowsBlank(fileRows, load.height, load.bytes_per_row)) return true;
    uint8_t* field =
        StoreGlyphField(FontKind::kDbcs, lead, trail, Station::kThermal,
                        load.height * load.bytes_per_row);
    if (field != nullptr) {
      UnpackGlyphRows(fileRows, load.height, load.bytes_per_row, field);
    }
    return true;
  }
  // Every converted dot kept: the columns span no more than the bytes
  // stored, which are then zeroed and converted into in place.
  if (load.impact_row_bytes < 0) return false;
  if (FileRowsBlank(fileRows, load.height, load.impact_row_bytes)) return true;
  const int n = ImpactBytesStored(load.width);
  uint8_t* field =
      StoreGlyphField(FontKind::kDbcs, lead, trail, Station::kImpact, n);
  if (field != nullptr) {
    std::memset(field, 0, static_cast<size_t>(n));
    ConvertFileRowsToImpactColumns(fileRows, field, load.width, load.height);
  }
  return true;
}

// Reads, lists and stores the glyph of one code. Returns false when the read
// came up short.
bool LoadOneGlyph(DbcsLoad& load, int lead, int trail) {
  const uint8_t* fileRows = NextGlyph(&load.glyphs, load.glyph_size);
  if (fileRows == nullptr) return false;
  if (load.station != Station::kThermal && load.station != Station::kImpact) {
    return true;
  }
  if (!Settings.verbose && StoreFromFileRows(load, fileRows, lead, trail)) {
    return true;
  }
  const int code = lead << 8 | trail;
  // An impact glyph is converted straight from the file's rows; its bitmap
  // is only unpacked for the listing.
  const int m = load.station == Station::kThermal || Settings.verbose
                    ? UnpackGlyphRows(fileRows, load.height, load.bytes_per_row,
                                      load.bitmap)
                    : load.height * load.bytes_per_row;

  if (load.station == Station::kThermal) {
    if (Settings.verbose) {
      PrintRowPicture(load.bitmap, load.height, load.bytes_per_row,
                      load.bytes_per_row);
      std::printf("%04x:  ", code);
      PrintHexBytes(load.bitmap, m);
      std::printf("\n\n");
    }
    // Asked of the file's rows, not of the bitmap just written.
    if (!FileRowsBlank(fileRows, load.height, load.bytes_per_row)) {
      StoreGlyph(FontKind::kDbcs, lead, trail, Station::kThermal, load.bitmap, m);
    }
    return true;
  }

  if (Settings.verbose) {
    PrintRowPicture(load.bitmap, load.height, load.bytes_per_row,
                    load.bytes_per_row);
    std::printf("  -----------\n\n");
  }
  std::memset(load.columns, 0, static_cast<size_t>(load.column_span));
  // Always 2 x width at the sizes loaded here.
  ConvertFileRowsToImpactColumns(fileRows, load.columns, load.width,
                                 load.height);
  const int n = ImpactBytesStored(load.width);
  if (Settings.verbose) {
    PrintColumnPicture(load.columns, load.width, load.height);
    std::printf("%04x:  ", code);
    PrintHexBytes(load.bitmap, m);
    std::printf("\n       ");
    PrintHexBytes(load.columns, n);
    std::printf("\n\n");
  }
  const bool blank =
      load.impact_row_bytes >= 0
          ? FileRowsBlank(fileRows, load.height, load.impact_row_bytes)
          : IsBlank(load.columns, n);
  if (!blank) {
    StoreGlyph(FontKind::kDbcs, lead, trail, Station::kImpact, load.columns, n);
  }
  return true;
}

}  // namespace

int LoadDbcsGlyphs(std::FILE* file, Station station, DbcsFontHeader header) {
  if (!SizeIsLoadable(station, header.width, header.height)) return 0;
  DbcsLoad load;
  StartGlyphStream(file, &load.glyphs);
  load.station = station;
  load.width = static_cast<int>(header.width);
  load.height = static_cast<int>(header.height);
  load.bytes_per_row = RowBytesTaken(FontKind::kDbcs, station, header.width);
  load.column_span =
      std::max(ImpactColumnsSpan(load.width, load.height),
               ImpactBytesStored(load.width));
  load.glyph_size = FileGlyphSize(header.height);
  load.impact_row_bytes =
      ImpactColumnsSpan(load.width, load.height) <= ImpactBytesStored(load.width)
          ? load.width / 8
          : -1;

  ForEachDbcsCodeOfFile(
      header.fontVector1, header.fontVector2, header.lastChar,
      [&load](int lead, int trail) { return LoadOneGlyph(load, lead, trail); });
  FinishGlyphStream(&load.glyphs);
  return 0;
}

}  // namespace vexo
