#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_COMMAND_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_COMMAND_H_

#include "vexofont/make/make_status.h"
#include "vexofont/options/command_report.h"

namespace vexo {

// Runs `vexofont make ...`; argv[0] is "make". Writes one input font file
// from a source font, prints one summary line on standard output and
// returns kMakeOk; on failure prints one line on standard error, leaves no
// output file behind (an existing one stays as it was) and returns one of
// the statuses of make_status.h. The only function of make that prints:
// the steps say their lines into the report it gives them.
int RunMakeCommand(int argc, char** argv);

// The same run, its lines said into *report rather than printed.
int RunMakeCommand(int argc, char** argv, CommandReport* report);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_COMMAND_H_
