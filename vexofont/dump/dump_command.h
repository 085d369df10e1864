#ifndef VEXOCNVT_VEXOFONT_DUMP_DUMP_COMMAND_H_
#define VEXOCNVT_VEXOFONT_DUMP_DUMP_COMMAND_H_

#include "vexofont/options/command_options.h"
#include "vexofont/options/command_report.h"

namespace vexo {

// Exit statuses of `vexofont dump`.
constexpr int kDumpOk = 0;
constexpr int kDumpUsage = 1;
constexpr int kDumpInputFailed = 2;   // unreadable, or not an input font file
constexpr int kDumpOutputFailed = 4;  // the text file cannot be written

// Runs `vexofont dump FILE [-o TEXT]`; argv[0] is "dump". Writes the glyph
// text of an input font file to standard output or to TEXT (whole or not
// at all) and returns kDumpOk; on failure prints one line on standard
// error and returns one of the statuses above.
int RunDumpCommand(int argc, char** argv);

// The same run, its lines said into *report rather than printed.
int RunDumpCommand(int argc, char** argv, CommandReport* report);

// The options of `vexofont dump`.
extern const OptionTable kDumpOptions;

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_DUMP_DUMP_COMMAND_H_
