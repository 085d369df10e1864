#include "vexofont/readers/input_file_reader.h"

#include <cstring>
#include <string>

#include "fontinput/dbcs_codes.h"
#include "fontinput/font_header.h"
#include "fontinput/glyph_bitmap.h"
#include "fontinput/glyph_size.h"
#include "fontinput/impact_columns.h"
#include "store/glyph_table.h"
#include "vexofont/fontrules/stored_codes.h"
#include "vexofont/readers/column_decoder.h"

namespace vexo {

namespace {

// What the header's size fits no station of, with the sizes the stations
// accept at that width. Where the width fits one station only, the other
// station's widths are named too when the two stations' widths overlap (an
// SBCS width of 4 to 7 is an impact width, and thermal needs 8 to 16).
void CheckSize(FontKind kind, const InputHeader& h, ProblemList* problems) {
  if (h.thermalAccepted || h.impactAccepted) return;
  const GlyphSizeRule& thermal = GlyphSizesFor(kind, Station::kThermal);
  const GlyphSizeRule& impact = GlyphSizesFor(kind, Station::kImpact);
  const bool thermalWidth =
      CheckGlyphSize(thermal, h.width, thermal.minHeight) != SizeFault::kWidth;
  const bool impactWidth =
      CheckGlyphSize(impact, h.width, impact.minHeight) != SizeFault::kWidth;
  if (!thermalWidth && !impactWidth) {
    AddProblem(problems, kWidthOffset,
               "width %u fits no station (thermal %s, impact %s)", h.width,
               AcceptedWidths(thermal).c_str(), AcceptedWidths(impact).c_str());
    return;
  }
  std::string sizes;
  if (thermalWidth && impactWidth) {
    sizes = "thermal " + AcceptedHeights(thermal, h.width) + ", impact " +
            AcceptedHeights(impact, h.width);
  } else {
    const bool overlap = thermal.minWidth <= impact.maxWidth &&
                         impact.minWidth <= thermal.maxWidth;
    const char* fits = thermalWidth ? "thermal" : "impact";
    const char* other = thermalWidth ? "impact" : "thermal";
    const GlyphSizeRule& fitting = thermalWidth ? thermal : impact;
    const GlyphSizeRule& otherRule = thermalWidth ? impact : thermal;
    sizes = fits;
    sizes += " ";
    sizes += AcceptedHeights(fitting, h.width);
    if (overlap) {
      sizes += "; ";
      sizes += other;
      sizes += " needs width ";
      sizes += AcceptedWidths(otherRule);
    }
  }
  AddProblem(problems, kHeightOffset, "height %u fits no station at width %u (%s)",
             h.height, h.width, sizes.c_str());
}

bool IsBlank(const uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

// Makes the glyph whose file rows start at `at`, as the stations that
// accept the header take it. The DBCS loader drops blank glyphs.
ShownGlyph MakeGlyph(const uint8_t* data, size_t at, FontKind kind,
                     uint16_t code, const InputHeader& h) {
  ShownGlyph glyph;
  glyph.kind = kind;
  glyph.code = code;
  glyph.offset = at;
  const int width = static_cast<int>(h.width);
  const int height = static_cast<int>(h.height);
  uint8_t bitmap[kBitmapBufferSize];
  if (h.thermalAccepted) {
    const int bytesPerRow = RowBytesTaken(kind, Station::kThermal, h.width);
    const int m = UnpackGlyphRows(data + at, height, bytesPerRow, bitmap);
    glyph.thermal = kind == FontKind::kSbcs || !IsBlank(bitmap, m);
    if (glyph.thermal) {
      PictureFromRowBitmap(bitmap, m, bytesPerRow, width, height,
                           &glyph.thermalDots);
    }
  }
  if (h.impactAccepted) {
    UnpackGlyphRows(data + at, height,
                    RowBytesTaken(kind, Station::kImpact, h.width), bitmap);
    uint8_t columns[kColumnBufferSize] = {};
    ConvertToImpactColumns(bitmap, columns, width, height);
    // Both loaders store 2 x width bytes, whatever the conversion made.
    const int stored = 2 * width;
    glyph.impact = kind == FontKind::kSbcs || !IsBlank(columns, stored);
    if (glyph.impact) {
      DecodeImpactColumns(columns, stored, width, height, &glyph.impactDots);
    }
  }
  return glyph;
}

void CheckBody(size_t size, size_t headerSize, const InputHeader& h,
               ProblemList* problems) {
  const size_t need = headerSize + h.glyphCount * h.glyphSize;
  if (size < need) {
    AddProblem(problems, size,
               "body holds %zu bytes, %zu glyphs of %zu bytes need %zu: %zu "
               "bytes missing",
               size - headerSize, h.glyphCount, h.glyphSize, need - headerSize,
               need - size);
  } else if (size > need) {
    AddProblem(problems, need, "%zu surplus bytes after the last glyph",
               size - need);
  }
}

}  // namespace

bool LooksLikeInputFontFile(const uint8_t* data, size_t size) {
  return InputFontKind(data, size) != FontKind::kNone;
}

void ReadInputFontFile(const uint8_t* data, size_t size, ShownFont* font,
                       ProblemList* problems) {
  font->fileSize = size;
  font->glyphs.clear();
  font->header = InputHeader{};
  const FontKind kind =
      InputFontKind(data, size) == FontKind::kDbcs ? FontKind::kDbcs : FontKind::kSbcs;
  const bool dbcs = kind == FontKind::kDbcs;
  font->fileKind = dbcs ? FontFileKind::kDbcsInput : FontFileKind::kSbcsInput;
  const size_t headerSize = dbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
  if (size < headerSize) {
    AddProblem(problems, size, "header cut short: %zu of %zu bytes", size,
               headerSize);
    return;
  }
  InputHeader& h = font->header;
  DecodeFontHeader(data, &h);
  if (dbcs) DecodeDbcsVectors(data, &h);
  h.thermalAccepted = GlyphSizeAccepted(kind, Station::kThermal, h.width, h.height);
  h.impactAccepted = GlyphSizeAccepted(kind, Station::kImpact, h.width, h.height);
  CheckSize(kind, h, problems);
  if (!h.thermalAccepted && !h.impactAccepted) return;
  h.glyphSize = FileGlyphSize(h.height);
  if (h.impactAccepted) {
    h.impactPrintProblem =
        dbcs ? ImpactPrintProblem(static_cast<int>(h.width), static_cast<int>(h.height))
             : SbcsImpactPrintProblem(data, size);
  }

  if (!dbcs) {
    h.glyphCount =
        h.lastChar >= h.firstChar ? h.lastChar - h.firstChar + 1u : 0u;
    CheckBody(size, headerSize, h, problems);
    for (size_t i = 0; i < h.glyphCount; ++i) {
      const size_t at = headerSize + i * h.glyphSize;
      if (size - at < h.glyphSize) break;
      font->glyphs.push_back(MakeGlyph(
          data, at, FontKind::kSbcs, static_cast<uint16_t>(h.firstChar + i), h));
    }
    return;
  }

  // One pass of the enumeration: what the writer puts in a file.
  ForEachDbcsCode(h.fontVector1, h.fontVector2, h.lastChar, [&h](int, int) {
    ++h.glyphCount;
    return true;
  });
  CheckBody(size, headerSize, h, problems);
  size_t at = headerSize;
  ForEachDbcsCode(h.fontVector1, h.fontVector2, h.lastChar,
                  [&](int lead, int trail) {
                    if (at <= size && size - at >= h.glyphSize) {
                      font->glyphs.push_back(MakeGlyph(
                          data, at, FontKind::kDbcs,
                          static_cast<uint16_t>(lead << 8 | trail), h));
                    }
                    at += h.glyphSize;
                    return true;
                  });
}

}  // namespace vexo
