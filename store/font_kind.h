// The two kinds of input font and the two print stations, one vocabulary for
// the converter and the tool alike. They become bytes only where a glyph
// record is encoded (KindByte) and are read back from bytes only where a
// record or a header is decoded.
#ifndef VEXOCNVT_STORE_FONT_KIND_H_
#define VEXOCNVT_STORE_FONT_KIND_H_

#include <cstdint>

namespace vexo {

// A font's kind. The values are the glyph record's kind byte: kNone is a free
// record, and also what a file without an input font's magic is.
enum class FontKind : uint8_t { kNone = 0, kDbcs = 1, kSbcs = 2 };

// A print station. The loaders are handed the station number (1 thermal, 2
// impact); any other number reads a font's glyphs and stores nothing.
enum class Station : int { kThermal = 1, kImpact = 2 };

// The glyph record's kind byte.
constexpr uint8_t KindByte(FontKind kind) { return static_cast<uint8_t>(kind); }

// "SBCS thermal", "DBCS impact", ...
constexpr const char* KindStationName(FontKind kind, Station station) {
  if (kind == FontKind::kSbcs) {
    return station == Station::kThermal ? "SBCS thermal" : "SBCS impact";
  }
  return station == Station::kThermal ? "DBCS thermal" : "DBCS impact";
}

}  // namespace vexo

#endif  // VEXOCNVT_STORE_FONT_KIND_H_
