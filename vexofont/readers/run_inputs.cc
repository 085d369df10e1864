#include "vexofont/readers/run_inputs.h"

#include "driver/config_file.h"
#include "platform/output_file.h"
#include "platform/system_names.h"

namespace vexo {

void AddConfigurationInputs(const std::string& config, const std::string& what,
                            std::vector<RunInput>* inputs) {
  inputs->push_back({config, what});
  for (const FontListKey& list : kFontListKeys) {
    for (int i = 0; i < list.Count(); ++i) {
      // Names as the converter opens them (the system's code page).
      inputs->push_back({ConfigNameAsName(list.Names()[i]),
                         std::string("the input font file '") +
                             list.Names()[i] + "' of '" + config + "'"});
    }
  }
}

int InputAt(const std::string& output, const std::vector<RunInput>& inputs) {
  for (size_t i = 0; i < inputs.size(); ++i) {
    if (!inputs[i].name.empty() &&
        SameExistingFile(output.c_str(), inputs[i].name.c_str())) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace vexo
