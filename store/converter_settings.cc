#include "store/converter_settings.h"

#include <cstring>

namespace vexo {

ConverterSettings Settings;

void ResetConverterSettings() {
  std::memset(&Settings, 0, sizeof(Settings));
  for (int i = 0; i < kMaxFilesPerList; ++i) {
    std::strcpy(Settings.sbcsThermalFiles[i], "None");
    std::strcpy(Settings.sbcsImpactFiles[i], "None");
    std::strcpy(Settings.dbcsThermalFiles[i], "None");
    std::strcpy(Settings.dbcsImpactFiles[i], "None");
  }
  std::strcpy(Settings.outputFontFile, "None");
  Settings.sbcsSpacing = 3;
  Settings.dbcsSpacing = 6;
}

}  // namespace vexo
