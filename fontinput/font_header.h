// The fixed headers at the start of every input font file: 32 bytes in an
// SBCS font, 64 in a DBCS font. Both begin with the same 32 bytes; the DBCS
// header adds four vectors of byte pairs.
#ifndef VEXOCNVT_FONTINPUT_FONT_HEADER_H_
#define VEXOCNVT_FONTINPUT_FONT_HEADER_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "store/glyph_table.h"

namespace vexo {

constexpr int kFileTypeSize = 16;
constexpr int kFileTypeBufferSize = kFileTypeSize + 1;

// Offsets of the fields both headers share.
constexpr int kVersionOffset = 16;
constexpr int kHeaderCodePageOffset = 18;
constexpr int kFirstCharOffset = 20;
constexpr int kLastCharOffset = 22;
constexpr int kWidthOffset = 24;
constexpr int kHeightOffset = 28;
constexpr int kSbcsHeaderSize = kHeightOffset + 4;
static_assert(kSbcsHeaderSize == 32);

// The DBCS vectors: four (first, second) byte pairs each.
constexpr int kVectorSize = 8;
constexpr int kCodePageVector1Offset = kSbcsHeaderSize;
constexpr int kCodePageVector2Offset = kCodePageVector1Offset + kVectorSize;
constexpr int kFontVector1Offset = kCodePageVector2Offset + kVectorSize;
constexpr int kFontVector2Offset = kFontVector1Offset + kVectorSize;
constexpr int kDbcsHeaderSize = kFontVector2Offset + kVectorSize;
static_assert(kDbcsHeaderSize == 64);

// The largest input font file a sound font can be: an SBCS file of all
// 65536 codes at 32 rows of 4 bytes.
constexpr size_t kLargestInputFontFile = kSbcsHeaderSize + size_t{65536} * 4 * 32;

constexpr char kSbcsMagic[] = "ZYNPosSingleFont";
constexpr char kDbcsMagic[] = "ZYNPosDBCSFont  ";
static_assert(sizeof(kSbcsMagic) == kFileTypeBufferSize);
static_assert(sizeof(kDbcsMagic) == kFileTypeBufferSize);

// The fields both headers share, decoded from their little-endian bytes.
struct FontHeader {
  char fileType[kFileTypeSize];  // no terminator
  uint16_t version;
  uint16_t codePage;
  uint16_t firstChar;
  uint16_t lastChar;
  uint32_t width;
  uint32_t height;
};

struct SbcsFontHeader : FontHeader {};

struct DbcsFontHeader : FontHeader {
  uint8_t codePageVector1[kVectorSize];
  uint8_t codePageVector2[kVectorSize];
  uint8_t fontVector1[kVectorSize];
  uint8_t fontVector2[kVectorSize];
};

// Which input font file `data` begins: FontKind::kSbcs or FontKind::kDbcs by its magic,
// FontKind::kNone for neither (or fewer than 16 bytes).
FontKind InputFontKind(const uint8_t* data, size_t size);

// The fields both headers share from the first 32 bytes at `raw`, the magic
// as it stands.
void DecodeFontHeader(const uint8_t* raw, FontHeader* header);
// The four vectors from bytes 32 to 63 of the DBCS header at `raw`.
void DecodeDbcsVectors(const uint8_t* raw, DbcsFontHeader* header);
// The inverse of each: writes 32 bytes, and bytes 32 to 63.
void EncodeFontHeader(const FontHeader& header, uint8_t* raw);
void EncodeDbcsVectors(const DbcsFontHeader& header, uint8_t* raw);

// Reads the header from `file`, positioned at its start, into *header, and
// the 16-character file type, NUL-terminated, into `fileType` (at least 17
// bytes). Returns 0 when the header was read whole and its magic is right:
// the header dump has then been printed and the file stands just after the
// header. Returns -1 otherwise; a short or failed read prints its own line
// on standard error, a wrong magic prints nothing.
int ReadSbcsFontHeader(std::FILE* file, SbcsFontHeader* header,
                       char* fileType);
int ReadDbcsFontHeader(std::FILE* file, DbcsFontHeader* header,
                       char* fileType);

}  // namespace vexo

#endif  // VEXOCNVT_FONTINPUT_FONT_HEADER_H_
