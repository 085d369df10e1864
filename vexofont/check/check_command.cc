#include "vexofont/check/check_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "driver/config_file.h"
#include "fontinput/font_header.h"
#include "store/converter_settings.h"
#include "store/version.h"
#include "vexofont/check/config_lines.h"
#include "vexofont/check/findings.h"
#include "vexofont/check/listed_fonts.h"
#include "vexofont/options/command_report.h"

namespace vexo {

namespace {

// A format: the limits of the spacing keys come from the key table.
constexpr char kHelpStart[] =
    "usage: vexofont check CONFIG [--quiet]\n"
    "\n"
    "Reads a configuration file of the vexocnvt converter as the converter\n"
    "reads it, and the font files it lists, and reports without converting\n"
    "what the run would do that its user may not mean:\n"
    "  - lines the converter skips that look like a key: a key in other\n"
    "    case, after white space, or misspelt (with the key meant), and\n"
    "    words that the converter reads as a shorter key\n"
    "  - keys without a value, names beyond 10 in a list, numbers that are\n"
    "    not numbers or beyond their limits (SbcsSpacing %u, DbcsSpacing %u)\n"
    "  - font files that are missing or unreadable, that are no input font\n"
    "    files, that are listed under the key of another kind or station\n"
    "    (their magic and size tell which key they belong under), whose\n"
    "    size the station refuses or prints only in part, whose body is cut\n"
    "    short\n"
    "  - CodePage against the code pages in the fonts' headers\n"
    "  - the glyph records the run fills and, beyond the 20000 of the\n"
    "    converter's table, which file's codes are dropped from which code\n"
    "    on\n"
    "\n"
    "One line per finding on standard output, CONFIG:LINE: ... where a line\n"
    "is at fault, then a summary line.\n"
    "\n";

// A format: the limits come from the readers.
constexpr char kHelpEnd[] =
    "\n"
    "The configuration is read up to %ld MiB, each font it lists once, up\n"
    "to %zu bytes (the largest input font file).\n"
    "\n"
    "Exit status: 0 nothing looks wrong, 1 usage error, 2 the configuration\n"
    "file cannot be read, 3 something looks wrong (the findings say what),\n"
    "4 standard output cannot be written.\n";

// The command line as given.
struct CheckOptions {
  std::string config;
  bool quiet = false;
  bool help = false;
  bool version = false;
};

const CommandOption kCheckOptionRows[] = {
    {"--quiet", "-q", nullptr, "--quiet", "print only the findings",
     SetFlag<CheckOptions, &CheckOptions::quiet>},
    {"--help", "-h", nullptr, "--help, --version", "",
     SetFlag<CheckOptions, &CheckOptions::help>, true},
    {"--version", nullptr, nullptr, "", "",
     SetFlag<CheckOptions, &CheckOptions::version>, true},
};

int UsageError(CommandReport* report, const std::string& text) {
  return report->Failed(kCheckUsage, "vexofont check: %s\n", text.c_str());
}

// Fills *options; returns kCheckSound, or kCheckUsage with the line in
// *report.
int ReadCheckOptions(int argc, char** argv, CheckOptions* options,
                     CommandReport* report) {
  const ParsedLine line = ParseCommandLine(kCheckOptions, argc, argv, options);
  if (line.fault != OptionFault::kNone) {
    return UsageError(report, OptionFaultText(line, "check", "configuration"));
  }
  if (options->help || options->version) return kCheckSound;
  if (line.names.empty()) {
    return UsageError(report,
                      "no configuration file given (see vexofont check "
                      "--help)");
  }
  options->config = line.names[0];
  return kCheckSound;
}

// The whole of a run, said into *report.
int Check(int argc, char** argv, CommandReport* report) {
  CheckOptions options;
  const int status = ReadCheckOptions(argc, argv, &options, report);
  if (status != kCheckSound) return status;
  if (options.help) {
    report->Output(kHelpStart, unsigned{FindNumberKey("SbcsSpacing")->limit},
                   unsigned{FindNumberKey("DbcsSpacing")->limit});
    report->OutputAsIs(OptionHelp(kCheckOptions));
    report->Output(kHelpEnd, kMaxConfigFileSize >> 20, kLargestInputFontFile);
    return kCheckSound;
  }
  if (options.version) {
    report->Output("vexofont check %s\n", kReleaseVersion);
    return kCheckSound;
  }
  const char* config = options.config.c_str();
  ResetConverterSettings();
  Findings findings(config, options.quiet, report);
  ConfigLines lines(&findings);
  errno = 0;
  if (ReadConfigFile(config, ConfigLines::Observe, &lines) != 0) {
    return report->Failed(
        kCheckUnreadable, "vexofont check: cannot read '%s'%s%s\n", config,
        errno != 0 ? ": " : "", errno != 0 ? std::strerror(errno) : "");
  }
  CheckListedFonts(lines, &findings);
  const int count = findings.count();
  if (!options.quiet) {
    if (count == 0) {
      report->Output("%s: nothing looks wrong\n", config);
    } else {
      report->Output("%s: %d finding%s\n", config, count,
                     count == 1 ? "" : "s");
    }
  }
  return count == 0 ? kCheckSound : kCheckFindings;
}

}  // namespace

const OptionTable kCheckOptions =
    MakeOptionTable(kCheckOptionRows, 13, /*maxNames=*/1);

int RunCheckCommand(int argc, char** argv) {
  CommandReport report(CommandReport::To::kConsole);
  const int status = Check(argc, argv, &report);
  std::fflush(stdout);
  return status;
}

}  // namespace vexo
