// The writer of the input font format: vexofont make builds its files with
// it, and so do the tests, the benchmark, the fuzz seeds and the bundled
// example fonts. Builds whole files in memory. Not part of the converter.
#ifndef VEXOCNVT_FONTINPUT_FONT_WRITER_H_
#define VEXOCNVT_FONTINPUT_FONT_WRITER_H_

#include <cstdint>
#include <string>
#include <vector>

namespace vexo {

using Bytes = std::vector<uint8_t>;

// The fields both headers share, as a file should hold them. `magic` is
// copied as its first 16 bytes (padded with NULs), so that tests can write
// any file type.
struct HeaderFields {
  std::string magic;
  uint16_t version = 1;
  uint16_t codePage = 0;
  uint16_t firstChar = 0;
  uint16_t lastChar = 0;
  uint32_t width = 0;
  uint32_t height = 0;
};

// Four (first, second) byte pairs.
using Vector = std::vector<std::pair<uint8_t, uint8_t>>;

struct DbcsVectors {
  Vector codePageVector1 = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
  Vector codePageVector2 = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
  Vector fontVector1 = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
  Vector fontVector2 = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
};

// A glyph as the font's user sees it: rows top row first, each row a 32-bit
// value whose bit 31 is the leftmost dot.
using GlyphRows = std::vector<uint32_t>;

// Appends a 32-byte SBCS header (magic "ZYNPosSingleFont" unless set).
void AppendSbcsHeader(Bytes* out, HeaderFields fields);
// Appends a 64-byte DBCS header (magic "ZYNPosDBCSFont  " unless set).
void AppendDbcsHeader(Bytes* out, HeaderFields fields,
                      const DbcsVectors& vectors);
// Writes one glyph as the file holds it, 4 bytes a row, bottom row first,
// to the 4 x rows.size() bytes at `at`.
void PutGlyph(const GlyphRows& rows, uint8_t* at);
// Appends one glyph as the file holds it.
void AppendGlyph(Bytes* out, const GlyphRows& rows);

// The DBCS codes a file with these font vectors holds, in order: one pass
// of fontinput/dbcs_codes.h's enumeration (only the first four pairs of
// each vector count, as only they are written).
std::vector<uint16_t> EnumerateDbcsCodes(const Vector& fontVector1,
                                         const Vector& fontVector2,
                                         uint16_t lastChar);

}  // namespace vexo

#endif  // VEXOCNVT_FONTINPUT_FONT_WRITER_H_
