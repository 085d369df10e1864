#ifndef VEXOCNVT_VEXOFONT_SHOW_SHOW_COMMAND_H_
#define VEXOCNVT_VEXOFONT_SHOW_SHOW_COMMAND_H_

#include "vexofont/show/show_options.h"

namespace vexo {

// Runs `vexofont show ...`; argv[0] is "show". Returns the exit status.
int RunShowCommand(int argc, char** argv);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_SHOW_COMMAND_H_
