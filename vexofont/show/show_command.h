#ifndef VEXOCNVT_VEXOFONT_SHOW_SHOW_COMMAND_H_
#define VEXOCNVT_VEXOFONT_SHOW_SHOW_COMMAND_H_

#include "vexofont/options/command_options.h"

// Runs `vexofont show ...`; argv[0] is "show". Returns the exit status.
int RunShowCommand(int argc, char** argv);

// The options of `vexofont show`.
extern const OptionTable kShowOptions;

#endif  // VEXOCNVT_VEXOFONT_SHOW_SHOW_COMMAND_H_
