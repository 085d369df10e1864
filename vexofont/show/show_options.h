// The options of `vexofont show`: one table that the parser reads and
// --help, the completion and the manual page follow; its exit statuses.
#ifndef VEXOCNVT_VEXOFONT_SHOW_SHOW_OPTIONS_H_
#define VEXOCNVT_VEXOFONT_SHOW_SHOW_OPTIONS_H_

#include <string>
#include <vector>

#include "vexofont/options/command_options.h"
#include "vexofont/options/command_report.h"
#include "vexofont/show/code_selection.h"

namespace vexo {

constexpr int kShowSound = 0;
constexpr int kShowUsage = 1;
constexpr int kShowUnsound = 3;
constexpr int kShowUnreadable = 4;

// The command line as given.
struct ShowOptions {
  std::string file;
  std::string png;
  std::string config;
  std::vector<CodeRange> codes;
  std::string text;
  std::string codePage;
  bool help = false;
  bool version = false;
};

extern const OptionTable kShowOptions;

// The whole --help text.
std::string ShowHelp();

// Adds "vexofont show: " and `format` with `detail`, then the usage lines,
// on standard error; returns kShowUsage.
int ShowUsageError(CommandReport* report, const char* format,
                   const char* detail);

// Fills *options from argv[1..]; returns kShowSound, or kShowUsage with the
// lines in *report.
int ReadShowOptions(int argc, char** argv, ShowOptions* options,
                    CommandReport* report);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_SHOW_OPTIONS_H_
