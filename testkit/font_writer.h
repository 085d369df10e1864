// A writer of the converter's input font format, for tests, benchmarks,
// fuzz seeds and the bundled example fonts. Builds whole files in memory.
#ifndef VEXOCNVT_TESTKIT_FONT_WRITER_H_
#define VEXOCNVT_TESTKIT_FONT_WRITER_H_

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The fields both headers share. `magic` is copied as its first 16 bytes.
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
// Appends one glyph as the file holds it: 4 bytes a row, bottom row first.
void AppendGlyph(Bytes* out, const GlyphRows& rows);

// The DBCS codes one pass of the loader's enumeration yields, in order:
// lead ranges until one starts at 0, trail ranges skipping those that start
// at 0, codes above lastChar left out.
std::vector<uint16_t> EnumerateDbcsCodes(const Vector& fontVector1,
                                         const Vector& fontVector2,
                                         uint16_t lastChar);

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

#endif  // VEXOCNVT_TESTKIT_FONT_WRITER_H_
