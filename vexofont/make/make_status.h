// Exit statuses of `vexofont make`, which its steps return with their
// lines in a CommandReport, and RunMakeCommand passes on.
#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_STATUS_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_STATUS_H_

#include <string>

#include "vexofont/options/command_report.h"

namespace vexo {

constexpr int kMakeOk = 0;
constexpr int kMakeUsage = 1;         // bad arguments, refused size or range
constexpr int kMakeSourceFailed = 2;  // source font unreadable or unmappable
constexpr int kMakeOutputFailed = 4;  // output file cannot be written

// Adds "vexofont make: TEXT" on standard error; returns kMakeUsage.
int MakeUsageError(CommandReport* report, const std::string& text);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_STATUS_H_
