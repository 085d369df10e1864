// The run's settings: what the configuration file says, and the font
// parameters the driver takes from accepted input headers. One static
// record, written before the first font is opened and read by the loaders
// and the output font file writer.
#ifndef VEXOCNVT_STORE_CONVERTER_SETTINGS_H_
#define VEXOCNVT_STORE_CONVERTER_SETTINGS_H_

#include <cstdint>

namespace vexo {

constexpr int kMaxFilesPerList = 10;
constexpr int kFileNameSlotSize = 200;  // 199 characters and a NUL

struct ConverterSettings {
  char sbcsThermalFiles[kMaxFilesPerList][kFileNameSlotSize];
  int32_t sbcsThermalFileCount;
  char sbcsImpactFiles[kMaxFilesPerList][kFileNameSlotSize];
  int32_t sbcsImpactFileCount;
  char dbcsThermalFiles[kMaxFilesPerList][kFileNameSlotSize];
  int32_t dbcsThermalFileCount;
  char dbcsImpactFiles[kMaxFilesPerList][kFileNameSlotSize];
  int32_t dbcsImpactFileCount;
  char outputFontFile[kFileNameSlotSize];
  uint16_t sbcsSpacing;
  uint16_t dbcsSpacing;
  uint16_t codePage;
  bool verbose;

  // Set by the driver from the last accepted header of each phase.
  uint16_t sbcsThermalWidth;
  uint16_t sbcsThermalHeight;
  uint16_t sbcsImpactWidth;
  uint16_t sbcsImpactHeight;
  uint8_t dbcsCodePageVector[4][2];  // (first, second) byte pairs
  uint16_t dbcsImpactNineRows;
};

extern ConverterSettings Settings;

// Puts every field to its start-of-run value: every file slot and the output
// name "None", counts 0, sbcsSpacing 3, dbcsSpacing 6, codePage 0, verbose
// off, and the six font parameters 0.
void ResetConverterSettings();

}  // namespace vexo

#endif  // VEXOCNVT_STORE_CONVERTER_SETTINGS_H_
