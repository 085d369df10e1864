#include "vexofont/show/show_options.h"

#include <cstdio>

namespace vexo {

namespace {

constexpr char kUsage[] =
    "usage: vexofont show FILE [--code C|A-B]... [--text STRING [--code-page N]]\n"
    "                     [--png FILE] [--config CONFIG]\n";

constexpr char kHelpStart[] =
    "\n"
    "Checks an input font file or an output font file of the vexocnvt\n"
    "converter, prints its parameters, its glyph counts per kind and\n"
    "station and the codes present, and shows its glyphs as the thermal\n"
    "and the impact station print them.\n"
    "\n";

constexpr char kHelpEnd[] =
    "\n"
    "Every problem found in the file is printed on standard error as one\n"
    "line that names the file and the byte offset. No more is read than the\n"
    "largest sound font file holds and a margin (8454176 bytes): a longer\n"
    "file, a device or a pipe that goes on is a problem at that offset.\n"
    "\n"
    "Exit status:\n"
    "  0  the file is sound\n"
    "  1  usage error\n"
    "  3  the file is unsound (its problems are printed)\n"
    "  4  the file cannot be read, or the PNG file or standard output cannot\n"
    "     be written\n";

bool AddCodes(void* record, const char* value) {
  CodeRange range;
  if (!ParseCodeRange(value, &range)) return false;
  static_cast<ShowOptions*>(record)->codes.push_back(range);
  return true;
}

const CommandOption kShowOptionRows[] = {
    {"--code", nullptr, "C|A-B", nullptr,
     "print the glyph of code C, or the glyphs of codes A\n"
     "to B, as dot pictures, thermal and impact side by side;\n"
     "codes in hexadecimal (41, 0x8140, 20-7e); may be given\n"
     "more than once",
     AddCodes},
    {"--text", nullptr, "STRING", nullptr,
     "print the glyphs of the characters of STRING (UTF-8),\n"
     "in its order, as --code does; a character the code\n"
     "page lacks or the file has no glyph for is named on\n"
     "standard error",
     SetString<ShowOptions, &ShowOptions::text>},
    {"--code-page", nullptr, "N", nullptr,
     "the code page of --text's characters instead of the\n"
     "file's (as vexofont make takes it: 437, 8859-1, 932)",
     SetString<ShowOptions, &ShowOptions::codePage>},
    {"--png", nullptr, "FILE", nullptr,
     "write a contact sheet to FILE (PNG): of every glyph,\n"
     "or with --code of the chosen codes only;\n"
     "a sheet taller than 8192 pixel rows is split between\n"
     "grid rows into FILE-1.png, FILE-2.png, ... (the number\n"
     "before the extension), at most 64 pages",
     SetString<ShowOptions, &ShowOptions::png>},
    {"--config", nullptr, "CONFIG", nullptr,
     "with an output font file: which codes of the input\n"
     "fonts CONFIG lists the file holds, and which it does\n"
     "not (a warning on standard error names how many)",
     SetString<ShowOptions, &ShowOptions::config>},
    {"--help", "-h", nullptr, "--help", "print this help and exit",
     SetFlag<ShowOptions, &ShowOptions::help>, true},
    {"--version", nullptr, nullptr, nullptr, "print the version and exit",
     SetFlag<ShowOptions, &ShowOptions::version>, true},
};

}  // namespace

int ShowUsageError(CommandReport* report, const char* format,
                   const char* detail) {
  report->Error("vexofont show: ");
  report->Error(format, detail);
  report->Error("%s", kUsage);
  return kShowUsage;
}

int ReadShowOptions(int argc, char** argv, ShowOptions* options,
                    CommandReport* report) {
  const ParsedLine line = ParseCommandLine(kShowOptions, argc, argv, options);
  if (line.fault == OptionFault::kRefused) {
    return ShowUsageError(report,
                          "bad code or range '%s' (hexadecimal C or A-B)\n",
                          line.value.c_str());
  }
  if (line.fault != OptionFault::kNone) {
    return ShowUsageError(report, "%s\n",
                          OptionFaultText(line, "show", "file").c_str());
  }
  if (options->help || options->version) return kShowSound;
  if (line.names.empty())
    return ShowUsageError(report, "%sno file given\n", "");
  options->file = line.names[0];
  return kShowSound;
}

const OptionTable kShowOptions =
    MakeOptionTable(kShowOptionRows, 16, /*maxNames=*/1);

std::string ShowHelp() {
  return std::string(kUsage) + kHelpStart + OptionHelp(kShowOptions) + kHelpEnd;
}

}  // namespace vexo
