// The options of `vexofont preview`: one table that the parser reads and
// --help, the completion and the manual page follow.
#ifndef VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_OPTIONS_H_
#define VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_OPTIONS_H_

#include <string>

#include "vexofont/options/command_options.h"
#include "vexofont/options/command_report.h"

namespace vexo {

constexpr int kPreviewDrawn = 0;
constexpr int kPreviewUsage = 1;
constexpr int kPreviewUnsound = 3;
constexpr int kPreviewUnreadable = 4;
constexpr int kPreviewMarked = 5;

// Paper widths in dots: an 80 mm thermal station at 8 dots a millimetre
// (72 mm printed), and the impact station's default.
constexpr int kDefaultThermalWidth = 576;
constexpr int kDefaultImpactWidth = 400;
constexpr int kMaxStationWidth = 4096;

// Dot pitches in micrometres, across the paper by down it: the thermal
// station at 8 dots a millimetre both ways; the impact station as the
// common 9-pin receipt mechanisms print, the head's wires 1/72 inch apart
// and the columns 1/144 inch apart (400 columns across 76 mm paper).
// --thermal-pitch and --impact-pitch take 0.063 to 0.5 mm, so that a dot
// is at least a pixel of the pictures.
constexpr int kDefaultThermalPitch[2] = {125, 125};
constexpr int kDefaultImpactPitch[2] = {176, 353};
constexpr int kMinDotPitch = 63;
constexpr int kMaxDotPitch = 500;

struct PreviewOptions {
  std::string font;
  std::string config;
  std::string text;
  bool textGiven = false;
  std::string file;
  std::string bytes;  // --bytes: a file of bytes as the printer reads them
  std::string codePage;
  std::string spacing;
  std::string lineGap;
  std::string tab;
  std::string thermalWidth;
  std::string impactWidth;
  std::string thermalPitch;
  std::string impactPitch;
  std::string station;
  std::string png;
  std::string html;
  bool sideBySide = false;
  bool noWrap = false;
  bool verbose = false;
  bool help = false;
  bool version = false;
};

extern const OptionTable kPreviewOptions;

// The whole --help text.
std::string PreviewHelp();

// Fills *options from argv[1..]; returns kPreviewDrawn, or kPreviewUsage
// with the line in *report.
int ReadPreviewOptions(int argc, char** argv, PreviewOptions* options,
                       CommandReport* report);

// Adds "vexofont preview: TEXT" on standard error; returns kPreviewUsage.
int PreviewUsageError(CommandReport* report, const std::string& text);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_OPTIONS_H_
