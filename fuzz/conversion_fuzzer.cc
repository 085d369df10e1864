// Runs whole conversions in-process on a fuzzer-made configuration and up to
// eight fuzzer-made input font files, to prove that no combination of
// configuration lines, file lists, headers and glyph bodies makes a run
// crash, leak a file, end with a status other than 0 or write an output
// font file that is not a well-formed record stream.
//
// Input: the configuration, then the font files, each part introduced by
// the separator line below. In the configuration "@0" to "@7" stand for the
// font files (written into a private folder); every "/" becomes "_", so a
// run reads nothing outside that folder but files of the working directory
// and writes nothing but its own output file, which a last configuration
// line always names.
#include <cstring>
#include <string>
#include <string_view>

#include "driver/converter.h"
#include "fuzz/fuzz_support.h"
#include "store/glyph_table.h"
#include "store/little_endian.h"
#include "store/output_font_file.h"
#include "testkit/test_fonts.h"

namespace vexo {

namespace {

// The glyph records follow the parameter records; the end record closes
// the file.
constexpr size_t kGlyphsOffset = kFixedPartSize - kRecordFrameSize;

// Steps through the output record by record: the fixed parameter records,
// SBCS glyphs, then DBCS glyphs, then the end record as the last 4 bytes.
void CheckOutput(const Bytes& out) {
  FUZZ_CHECK(out.size() >= size_t{kFixedPartSize});
  FUZZ_CHECK((out.size() - kFixedPartSize) % kGlyphRecordFileSize == 0);
  const uint8_t start[] = {0xEB, 0, 2, 0, 1, 0};
  FUZZ_CHECK(std::memcmp(out.data(), start, sizeof(start)) == 0);
  uint16_t previousTag = TagSbcsGlyph;
  for (size_t at = kGlyphsOffset; at + kRecordFrameSize < out.size();
       at += kGlyphRecordFileSize) {
    const uint16_t tag = DecodeFixed16(&out[at]);
    FUZZ_CHECK(tag == TagSbcsGlyph || tag == TagDbcsGlyph);
    FUZZ_CHECK(!(previousTag == TagDbcsGlyph && tag == TagSbcsGlyph));
    FUZZ_CHECK(DecodeFixed16(&out[at + 2]) == kGlyphRecordSize);
    const uint8_t* record = &out[at + kRecordFrameSize];
    FUZZ_CHECK(record[kMarkerOffset] == kGlyphMarker);
    FUZZ_CHECK(record[kKindOffset] ==
               KindByte(tag == TagSbcsGlyph ? FontKind::kSbcs : FontKind::kDbcs));
    FUZZ_CHECK(record[kThermalCountOffset] <= kThermalBitmapSize);
    FUZZ_CHECK(record[kImpactCountOffset] <= kImpactDataSize);
    previousTag = tag;
  }
  const uint8_t end[] = {0xFE, 0, 0, 0};
  FUZZ_CHECK(std::memcmp(&out[out.size() - 4], end, sizeof(end)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t end = input.find(kFuzzSeparator);
  std::string config = ExpandFuzzConfig(input.substr(0, end));
  SaveFuzzFonts(input, end);
  const std::string output = FuzzScratchDir() + "/out";
  config += "\nOutputFontFile " + output + "\n";
  static const std::string configPath = FuzzScratchDir() + "/config";
  FUZZ_CHECK(SaveScratchFile(configPath,
                             reinterpret_cast<const uint8_t*>(config.data()),
                             config.size()));
  std::remove(output.c_str());

  char program[] = "vexocnvt";
  std::string configArg = configPath;
  char* argv[] = {program, configArg.data(), nullptr};
  BeginQuiet();
  const int status = RunConverter(2, argv);
  EndQuiet();
  FUZZ_CHECK(status == kExitOk);
  CheckGlyphTable();
  CheckOutput(ReadBytes(output));
  return 0;
}

}  // namespace vexo
