#include "vexofont/make/make_status.h"

int MakeUsageError(CommandReport* report, const std::string& text) {
  return report->Failed(kMakeUsage, "vexofont make: %s\n", text.c_str());
}
