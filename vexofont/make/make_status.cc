#include "vexofont/make/make_status.h"

namespace vexo {

int MakeUsageError(CommandReport* report, const std::string& text) {
  return report->Failed(kMakeUsage, "vexofont make: %s\n", text.c_str());
}

}  // namespace vexo
