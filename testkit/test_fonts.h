// Fonts the tests, the benchmark and the fuzz seeds make up, and whole
// files read and written in one call.
#ifndef VEXOCNVT_TESTKIT_TEST_FONTS_H_
#define VEXOCNVT_TESTKIT_TEST_FONTS_H_

#include <ostream>
#include <string>

#include "fontinput/font_writer.h"
#include "store/font_kind.h"

namespace vexo {

// A deterministic glyph for `code` with some dots in every row, so that no
// glyph is blank and glyphs of different codes differ.
GlyphRows PatternGlyph(int code, int width, int height);

// An SBCS font (code page 437) of pattern glyphs for codes first to last.
Bytes PatternSbcsFont(int first, int last, int width, int height);

// A DBCS font (code page 932, its lead and trail ranges as the code page
// vectors) of pattern glyphs for every code one enumeration pass yields
// from `leads`, trail bytes 40-7E and 80-FC, up to lastChar. Sets *codes to
// the number of glyphs.
Bytes PatternDbcsFont(const Vector& leads, uint16_t lastChar, int width,
                      int height, int* codes);

// A glyph of `height` rows whose only dot is at (row, column).
GlyphRows OneDot(int height, int row, int column);

// Writes `bytes` to `path`; returns false when that fails.
bool WriteBytes(const std::string& path, const Bytes& bytes);
// Reads the whole file; an unreadable file gives an empty result.
Bytes ReadBytes(const std::string& path);

// Kind and station in test traces and failure messages.
inline std::ostream& operator<<(std::ostream& out, Station station) {
  return out << (station == Station::kThermal  ? "thermal"
                 : station == Station::kImpact ? "impact"
                                               : "station ")
             << (station == Station::kThermal || station == Station::kImpact
                     ? ""
                     : std::to_string(static_cast<int>(station)));
}
inline std::ostream& operator<<(std::ostream& out, FontKind kind) {
  return out << (kind == FontKind::kSbcs   ? "SBCS"
                 : kind == FontKind::kDbcs ? "DBCS"
                                           : "no kind");
}

}  // namespace vexo

#endif  // VEXOCNVT_TESTKIT_TEST_FONTS_H_
