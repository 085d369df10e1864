// The options of `vexofont make`: one table that the parser reads and
// --help, the completion and the manual page follow.
#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_OPTIONS_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_OPTIONS_H_

#include <string>
#include <vector>

#include "vexofont/make/make_status.h"
#include "vexofont/options/command_options.h"

namespace vexo {

// The command line as given: every value as its text, checked later.
struct MakeOptions {
  std::string kind;
  std::string station;
  std::string size;
  std::string codePage;
  std::string first;
  std::string last;
  std::string output;
  std::string chars;
  std::string text;
  std::string map;
  std::string render;
  std::string hinting;
  std::string pixelSize;
  std::string offset;
  std::string baseline;
  std::string cellFill;
  std::string fit;
  std::string face;
  std::vector<std::string> overlays;
  std::vector<std::string> fallbacks;
  std::vector<std::string> names;
  bool forceSize = false;
  bool strict = false;
  bool clip = false;
  bool allCodes = false;
  bool listFaces = false;
  bool help = false;
  bool version = false;
};

extern const OptionTable kMakeOptions;

// The whole --help text.
std::string MakeHelp();

// Fills *options from argv[1..]; returns kMakeOk, or kMakeUsage with the
// line in *report.
int ReadMakeOptions(int argc, char** argv, MakeOptions* options,
                    CommandReport* report);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_OPTIONS_H_
