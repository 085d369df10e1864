#include "fontinput/font_header.h"

#include <cstring>

#include "platform/console.h"
#include "store/glyph_table.h"
#include "store/little_endian.h"

namespace vexo {

namespace {

// The reading both headers share: one read of `size` bytes, the short-read
// line, the magic test and the seven common dump lines. Returns false when
// the header is refused.
bool ReadHeaderBytes(std::FILE* file, int size, const char* shortReadMessage,
                     const char* magic, uint8_t* raw, FontHeader* header,
                     char* fileType) {
  const size_t got = std::fread(raw, 1, size, file);
  if (got < static_cast<size_t>(size)) {
    const int actual =
        got == 0 && std::ferror(file) ? -1 : static_cast<int>(got);
    PrintError("%s read=%d actual=%d\n", shortReadMessage, size, actual);
    return false;
  }
  std::memcpy(fileType, raw, kFileTypeSize);
  fileType[kFileTypeSize] = '\0';
  if (std::memcmp(raw, magic, kFileTypeSize) != 0) return false;

  DecodeFontHeader(raw, header);

  std::printf("File type:  '%s'\n", fileType);
  std::printf("Version:    %d\n", header->version);
  std::printf("Code page:  %d\n", header->codePage);
  std::printf("First char: %x\n", header->firstChar);
  std::printf("Last char:  %x\n", header->lastChar);
  std::printf("Width:      %d\n", static_cast<int32_t>(header->width));
  std::printf("Height:     %d\n", static_cast<int32_t>(header->height));
  return true;
}

void PrintVector(const char* label, const uint8_t* vector) {
  std::printf("%s", label);
  for (int pair = 0; pair < 4; ++pair) {
    std::printf("%02x.%02x ", vector[2 * pair], vector[2 * pair + 1]);
  }
  std::printf("\n");
}

}  // namespace

FontKind InputFontKind(const uint8_t* data, size_t size) {
  if (size < kFileTypeSize) return FontKind::kNone;
  if (std::memcmp(data, kSbcsMagic, kFileTypeSize) == 0) return FontKind::kSbcs;
  if (std::memcmp(data, kDbcsMagic, kFileTypeSize) == 0) return FontKind::kDbcs;
  return FontKind::kNone;
}

void DecodeFontHeader(const uint8_t* raw, FontHeader* header) {
  std::memcpy(header->fileType, raw, kFileTypeSize);
  header->version = DecodeFixed16(raw + kVersionOffset);
  header->codePage = DecodeFixed16(raw + kHeaderCodePageOffset);
  header->firstChar = DecodeFixed16(raw + kFirstCharOffset);
  header->lastChar = DecodeFixed16(raw + kLastCharOffset);
  header->width = DecodeFixed32(raw + kWidthOffset);
  header->height = DecodeFixed32(raw + kHeightOffset);
}

void DecodeDbcsVectors(const uint8_t* raw, DbcsFontHeader* header) {
  std::memcpy(header->codePageVector1, raw + kCodePageVector1Offset,
              kVectorSize);
  std::memcpy(header->codePageVector2, raw + kCodePageVector2Offset,
              kVectorSize);
  std::memcpy(header->fontVector1, raw + kFontVector1Offset, kVectorSize);
  std::memcpy(header->fontVector2, raw + kFontVector2Offset, kVectorSize);
}

void EncodeFontHeader(const FontHeader& header, uint8_t* raw) {
  std::memcpy(raw, header.fileType, kFileTypeSize);
  EncodeFixed16(raw + kVersionOffset, header.version);
  EncodeFixed16(raw + kHeaderCodePageOffset, header.codePage);
  EncodeFixed16(raw + kFirstCharOffset, header.firstChar);
  EncodeFixed16(raw + kLastCharOffset, header.lastChar);
  EncodeFixed32(raw + kWidthOffset, header.width);
  EncodeFixed32(raw + kHeightOffset, header.height);
}

void EncodeDbcsVectors(const DbcsFontHeader& header, uint8_t* raw) {
  std::memcpy(raw + kCodePageVector1Offset, header.codePageVector1,
              kVectorSize);
  std::memcpy(raw + kCodePageVector2Offset, header.codePageVector2,
              kVectorSize);
  std::memcpy(raw + kFontVector1Offset, header.fontVector1, kVectorSize);
  std::memcpy(raw + kFontVector2Offset, header.fontVector2, kVectorSize);
}

int ReadSbcsFontHeader(std::FILE* file, SbcsFontHeader* header,
                       char* fileType) {
  uint8_t raw[kSbcsHeaderSize];
  if (!ReadHeaderBytes(file, kSbcsHeaderSize,
                       "Error reading SBCS file header...", kSbcsMagic, raw,
                       header, fileType)) {
    return -1;
  }
  std::printf("\n");
  return 0;
}

int ReadDbcsFontHeader(std::FILE* file, DbcsFontHeader* header,
                       char* fileType) {
  uint8_t raw[kDbcsHeaderSize];
  if (!ReadHeaderBytes(file, kDbcsHeaderSize,
                       "Error reading DBCS file header...", kDbcsMagic, raw,
                       header, fileType)) {
    return -1;
  }
  DecodeDbcsVectors(raw, header);
  PrintVector("Code Page Vector 1:   ", header->codePageVector1);
  PrintVector("Code Page Vector 2:   ", header->codePageVector2);
  PrintVector("Font Vector 1:   ", header->fontVector1);
  PrintVector("Font Vector 2:   ", header->fontVector2);
  return 0;
}

}  // namespace vexo
