#include "vexofont/preview/preview_options.h"

#include <cstdio>

#include "vexofont/preview/preview_text.h"

namespace vexo {

namespace {

bool SetText(void* record, const char* value) {
  auto* options = static_cast<PreviewOptions*>(record);
  options->text = value;
  options->textGiven = true;
  return true;
}

const CommandOption kPreviewOptionRows[] = {
    {"--text", nullptr, "STRING", nullptr,
     "the text to draw (UTF-8; \\n in a shell's $'...'\n"
     "for a new line)",
     SetText},
    {"--file", nullptr, "TEXT", nullptr,
     "the text from a UTF-8 file (- for standard input,\n"
     "which is read when neither is given)",
     SetString<PreviewOptions, &PreviewOptions::file>},
    {"--bytes", nullptr, "FILE", nullptr,
     "the bytes of FILE (- for standard input) as the\n"
     "printer reads them in the code page: a lead\n"
     "byte and its trail byte one DBCS code, any\n"
     "other byte an SBCS code (what an application\n"
     "sends, UTF-8 or not)",
     SetString<PreviewOptions, &PreviewOptions::bytes>},
    {"--config", nullptr, "CONFIG", nullptr,
     "convert the configuration in-process, with the\n"
     "converter's own code, and preview the result\n"
     "instead of an output font file (nothing is written;\n"
     "the converter's errors go to standard error)",
     SetString<PreviewOptions, &PreviewOptions::config>},
    {"--verbose", "-v", nullptr, nullptr,
     "with --config: the converter's progress too, on\n"
     "standard error",
     SetFlag<PreviewOptions, &PreviewOptions::verbose>},
    {"--code-page", nullptr, "N", nullptr,
     "the code page of the characters instead of the\n"
     "one the file carries (437, 858, 932, 8859-1, ...)",
     SetString<PreviewOptions, &PreviewOptions::codePage>},
    {"--spacing", nullptr, "S,D", nullptr,
     "dots after each SBCS and each DBCS character\n"
     "instead of the file's SbcsSpacing and DbcsSpacing",
     SetString<PreviewOptions, &PreviewOptions::spacing>},
    {"--line-gap", nullptr, "DOTS", nullptr,
     "blank dot rows between lines (4; 0 for frames\n"
     "drawn to join)",
     SetString<PreviewOptions, &PreviewOptions::lineGap>},
    {"--tab", nullptr, "N", nullptr,
     "a tab moves to the next stop, every N SBCS\n"
     "characters (8)",
     SetString<PreviewOptions, &PreviewOptions::tab>},
    {"--thermal-width", nullptr, "DOTS", nullptr,
     "the thermal station's line in dots (576: 80 mm\n"
     "paper at 8 dots a millimetre)",
     SetString<PreviewOptions, &PreviewOptions::thermalWidth>},
    {"--impact-width", nullptr, "DOTS", nullptr,
     "the impact station's line in dot columns (400)",
     SetString<PreviewOptions, &PreviewOptions::impactWidth>},
    {"--thermal-pitch", nullptr, "MM[xMM]", nullptr,
     "the thermal station's dot pitch across and down\n"
     "the paper in millimetres, for the pictures\n"
     "(0.125x0.125: 8 dots a millimetre)",
     SetString<PreviewOptions, &PreviewOptions::thermalPitch>},
    {"--impact-pitch", nullptr, "MM[xMM]", nullptr,
     "the impact station's dot pitch (0.176x0.353: a\n"
     "9-pin head's wires 1/72 inch apart, printing\n"
     "columns 1/144 inch apart)",
     SetString<PreviewOptions, &PreviewOptions::impactPitch>},
    {"--no-wrap", nullptr, nullptr, nullptr,
     "cut a line at the station's width instead of\n"
     "going on on the next (either is named)",
     SetFlag<PreviewOptions, &PreviewOptions::noWrap>},
    {"--station", nullptr, "thermal|impact|both", nullptr,
     "the stations to draw (both)",
     SetString<PreviewOptions, &PreviewOptions::station>},
    {"--png", nullptr, "FILE", nullptr,
     "write the picture to FILE (PNG), the thermal\n"
     "station above the impact station",
     SetString<PreviewOptions, &PreviewOptions::png>},
    {"--side-by-side", nullptr, nullptr, nullptr,
     "with --png: the stations side by side",
     SetFlag<PreviewOptions, &PreviewOptions::sideBySide>},
    {"--html", nullptr, "PAGE", nullptr,
     "write one self-contained HTML page that holds the\n"
     "font's glyphs: typing in its text box redraws both\n"
     "stations, marks what is missing and names the code\n"
     "under the pointer",
     SetString<PreviewOptions, &PreviewOptions::html>},
    {"--help", "-h", nullptr, "--help", "print this help and exit",
     SetFlag<PreviewOptions, &PreviewOptions::help>, true},
    {"--version", nullptr, nullptr, nullptr, "print the version and exit",
     SetFlag<PreviewOptions, &PreviewOptions::version>, true},
};

constexpr char kHelpStart[] =
    "usage: vexofont preview OUTPUT-FONT [--text STRING | --file TEXT]\n"
    "                        [--png FILE] [--html PAGE] [options]\n"
    "       vexofont preview --config CONFIG [options]\n"
    "\n"
    "Draws a text as each station of the printer prints it, from an output\n"
    "font file alone: the thermal station from its glyph rows, the impact\n"
    "station from its column data decoded as the printer reads it. Each\n"
    "character is looked up in the code page the file carries, SBCS first,\n"
    "then DBCS, and set after the one before it with the file's spacing:\n"
    "SbcsSpacing blank dots after an SBCS character, DbcsSpacing after a\n"
    "DBCS one, at both stations. A line breaks at a line feed (but for one\n"
    "that ends the text) and before a character that would pass the\n"
    "station's width; a tab moves to the next tab stop. Characters stand\n"
    "on the line's foot, lines as high as the glyphs the station has and 4\n"
    "dots apart. A character the code page holds only in another form (〜\n"
    "for 932's ～) is printed in that form and named. A character the code\n"
    "page lacks, a control character, or a code with no glyph at a station\n"
    "is drawn as the outline of its cell (a grey mark in pictures, ? in\n"
    "text) and named on standard error. A leading byte-order mark is\n"
    "skipped. Without --png or --html the pictures are printed as text, #\n"
    "a dot. Pictures draw each dot as a rectangle of its station's dot\n"
    "pitch, so that they stand in the proportions of the paper.\n"
    "\n";

}  // namespace

const OptionTable kPreviewOptions =
    MakeOptionTable(kPreviewOptionRows, 24, /*maxNames=*/1);

std::string PreviewHelp() {
  char limits[256];
  std::snprintf(limits, sizeof(limits),
                "\nLimits: a text of at most %zu KiB, at most %d lines at a "
                "station,\na station at most %d dots wide.\n",
                kMaxPreviewText >> 10, kMaxPreviewLines, kMaxStationWidth);
  return std::string(kHelpStart) + OptionHelp(kPreviewOptions) + limits +
         "\nExit status:\n"
         "  0  everything drawn\n"
         "  1  usage error (also a text that is not UTF-8 or too long)\n"
         "  3  the font file is unsound (its problems are printed), or the\n"
         "     configuration does not convert\n"
         "  4  the font, the configuration or the text cannot be read, or the\n"
         "     PNG or HTML file or standard output cannot be written\n"
         "  5  drawn, but some characters as the mark (named on standard "
         "error)\n";
}

int PreviewUsageError(CommandReport* report, const std::string& text) {
  return report->Failed(kPreviewUsage, "vexofont preview: %s\n", text.c_str());
}

int ReadPreviewOptions(int argc, char** argv, PreviewOptions* options,
                       CommandReport* report) {
  const ParsedLine line = ParseCommandLine(kPreviewOptions, argc, argv, options);
  if (line.fault != OptionFault::kNone) {
    return PreviewUsageError(report,
                             OptionFaultText(line, "preview", "font file"));
  }
  if (options->help || options->version) return kPreviewDrawn;
  if (!line.names.empty()) options->font = line.names[0];
  if (options->font.empty() == options->config.empty()) {
    return PreviewUsageError(report,
                             options->font.empty()
                                 ? "no output font file given (or --config)"
                                 : "an output font file or --config, not both");
  }
  if (int(options->textGiven) + int(!options->file.empty()) + int(!options->bytes.empty()) >
      1) {
    return PreviewUsageError(report,
                             options->bytes.empty()
                                 ? "--text or --file, not both"
                                 : "--bytes, --text or --file, one of them");
  }
  return kPreviewDrawn;
}

}  // namespace vexo
