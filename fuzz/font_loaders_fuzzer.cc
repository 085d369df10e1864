// Reads fuzzer-made font files through both header readers and, when a
// header is accepted, through the glyph loader of its kind, to prove that no
// header, glyph size, code range, font vector or truncated body makes the
// readers or loaders crash, overrun a buffer or a record field, loop without
// end or leave the glyph table inconsistent.
//
// Input: one selector byte, then the font file. Selector bits 0-1 give the
// station handed to the loaders (0 and 3 are not stations), bit 2 turns the
// verbose listing on.
#include <cstdio>

#include "store/converter_settings.h"
#include "fontinput/dbcs_loader.h"
#include "fontinput/font_header.h"
#include "fontinput/sbcs_loader.h"
#include "fuzz/fuzz_support.h"
#include "store/glyph_table.h"

namespace vexo {

namespace {

// The font bytes as an open file; an empty font is an empty file.
std::FILE* OpenBytes(const uint8_t* data, size_t size) {
  if (size == 0) return std::fopen("/dev/null", "rb");
  return fmemopen(const_cast<uint8_t*>(data), size, "r");
}

template <typename Header>
void ReadAndLoad(const uint8_t* font, size_t size, Station station,
                 int (*readHeader)(std::FILE*, Header*, char*),
                 int (*load)(std::FILE*, Station, Header)) {
  std::FILE* file = OpenBytes(font, size);
  FUZZ_CHECK(file != nullptr);
  Header header;
  char fileType[kFileTypeBufferSize];
  if (readHeader(file, &header, fileType) == 0) {
    FUZZ_CHECK(fileType[kFileTypeSize] == '\0');
    FUZZ_CHECK(load(file, station, header) == 0);
  }
  std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Station station = static_cast<Station>(data[0] & 3);
  const uint8_t* font = data + 1;
  const size_t fontSize = size - 1;

  ResetConverterSettings();
  Settings.verbose = (data[0] & 4) != 0;
  InitGlyphTable();
  BeginQuiet();
  ReadAndLoad<SbcsFontHeader>(font, fontSize, station, ReadSbcsFontHeader,
                              LoadSbcsGlyphs);
  ReadAndLoad<DbcsFontHeader>(font, fontSize, station, ReadDbcsFontHeader,
                              LoadDbcsGlyphs);
  EndQuiet();
  CheckGlyphTable();
  return 0;
}

}  // namespace vexo
