// `vexofont fonts`: the fonts installed that can make a font of a code
// page, with the share of its characters each draws, best first.
#ifndef VEXOCNVT_VEXOFONT_FONTS_FONTS_COMMAND_H_
#define VEXOCNVT_VEXOFONT_FONTS_FONTS_COMMAND_H_

#include <string>

#include "vexofont/options/command_options.h"

namespace vexo {

constexpr int kFontsListed = 0;
constexpr int kFontsUsage = 1;
constexpr int kFontsNoService = 2;
constexpr int kFontsUnreadable = 4;

extern const OptionTable kFontsOptions;

// The whole --help text.
std::string FontsHelp();

int RunFontsCommand(int argc, char** argv);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_FONTS_FONTS_COMMAND_H_
