#ifndef VEXOCNVT_VEXOFONT_CHECK_CHECK_COMMAND_H_
#define VEXOCNVT_VEXOFONT_CHECK_CHECK_COMMAND_H_

#include "vexofont/options/command_options.h"

namespace vexo {

// Exit statuses of `vexofont check`.
constexpr int kCheckSound = 0;
constexpr int kCheckUsage = 1;
constexpr int kCheckUnreadable = 2;  // the configuration cannot be read
constexpr int kCheckFindings = 3;    // something looks wrong

// Runs `vexofont check CONFIG [--quiet]`; argv[0] is "check". Reads the
// configuration with the converter's own reader and reports, without
// converting, what the run would do that its user may not mean: one line
// per finding on standard output, "CONFIG:LINE: ..." where a line is at
// fault. With --quiet only the findings are printed.
int RunCheckCommand(int argc, char** argv);

// The options of `vexofont check`.
extern const OptionTable kCheckOptions;

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CHECK_CHECK_COMMAND_H_
