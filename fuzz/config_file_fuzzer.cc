// Feeds arbitrary bytes to the configuration reader as a configuration file,
// to prove that no line, of any length or content, makes it crash, overrun a
// name slot, store more than ten names in a list, break a limit on the
// spacings or leave the file open.
#include <cstring>

#include "driver/config_file.h"
#include "store/converter_settings.h"
#include "fuzz/fuzz_support.h"

namespace vexo {

namespace {

void CheckNameSlot(const char* slot) {
  FUZZ_CHECK(std::memchr(slot, '\0', kFileNameSlotSize) != nullptr);
  // A value is one word: it never holds white space.
  FUZZ_CHECK(std::strpbrk(slot, " \t\n") == nullptr);
}

void CheckList(const char (*slots)[kFileNameSlotSize], int count) {
  FUZZ_CHECK(count >= 0 && count <= kMaxFilesPerList);
  for (int i = 0; i < kMaxFilesPerList; ++i) CheckNameSlot(slots[i]);
  for (int i = count; i < kMaxFilesPerList; ++i) {
    FUZZ_CHECK(std::strcmp(slots[i], "None") == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = FuzzScratchDir() + "/config";
  FUZZ_CHECK(SaveScratchFile(path, data, size));
  ResetConverterSettings();
  BeginQuiet();
  const int result = ReadConfigFile(path.c_str());
  EndQuiet();
  FUZZ_CHECK(result == 0);
  CheckList(Settings.sbcsThermalFiles, Settings.sbcsThermalFileCount);
  CheckList(Settings.sbcsImpactFiles, Settings.sbcsImpactFileCount);
  CheckList(Settings.dbcsThermalFiles, Settings.dbcsThermalFileCount);
  CheckList(Settings.dbcsImpactFiles, Settings.dbcsImpactFileCount);
  CheckNameSlot(Settings.outputFontFile);
  FUZZ_CHECK(Settings.sbcsSpacing <= 8);
  FUZZ_CHECK(Settings.dbcsSpacing <= 20);
  return 0;
}

}  // namespace vexo
