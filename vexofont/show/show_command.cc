#include "vexofont/show/show_command.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "driver/config_file.h"
#include "fontinput/font_header.h"
#include "fontinput/glyph_size.h"
#include "platform/console.h"
#include "store/glyph_table.h"
#include "platform/output_file.h"
#include "store/output_font_file.h"
#include "store/version.h"
#include "vexofont/show/code_selection.h"
#include "vexofont/show/codes_not_stored.h"
#include "vexofont/show/contact_sheet.h"
#include "vexofont/show/font_summary.h"
#include "vexofont/show/glyph_listing.h"
#include "vexofont/readers/input_file_reader.h"
#include "vexofont/readers/output_file_reader.h"
#include "vexofont/readers/problem_list.h"
#include "vexofont/readers/run_inputs.h"
#include "vexofont/show/show_options.h"
#include "vexofont/readers/shown_font.h"
#include "vexofont/show/text_codes.h"

namespace {

// The largest sound files: an output file whose glyph table is full, and
// an SBCS input file of all 65536 codes at 32 rows (DBCS glyphs have at
// most 24 rows, so no DBCS file is larger). Nothing more than the largest
// and a margin is read, so that a device or an endless stream is shown as
// a file that goes on too long, not read until memory runs out.
constexpr size_t kReadLimit =
    std::max(kLargestOutputFontFile, kLargestInputFontFile) + 65536;

// Reads the file into *bytes, at most kReadLimit bytes; sets *cut when more
// followed. Returns false when it cannot be opened or read, after printing
// the line that says so.
bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes, bool* cut) {
  switch (ReadLimitedFile(path, kReadLimit, bytes, cut)) {
    case ReadResult::kRead:
      return true;
    case ReadResult::kCannotOpen:
      PrintMessage(stderr, "Could not open file '%s' for reading\n", path);
      return false;
    case ReadResult::kCannotRead:
      PrintMessage(stderr, "Could not read file '%s'\n", path);
      return false;
  }
  return false;
}

// Reads and checks the file shown; returns kShowSound, or kShowUnsound or
// kShowUnreadable after printing the lines that say why nothing can be
// shown.
int ReadShownFile(const char* path, ShownFont* font, ProblemList* problems) {
  std::vector<uint8_t> bytes;
  bool cut = false;
  if (!ReadWholeFile(path, &bytes, &cut)) return kShowUnreadable;
  if (cut) {
    AddProblem(problems, kReadLimit,
               "the file goes on past %zu bytes, more than any sound font "
               "file holds; read no further",
               kReadLimit);
  }
  if (LooksLikeOutputFontFile(bytes.data(), bytes.size())) {
    ReadOutputFontFile(bytes.data(), bytes.size(), font, problems);
  } else if (LooksLikeInputFontFile(bytes.data(), bytes.size())) {
    ReadInputFontFile(bytes.data(), bytes.size(), font, problems);
  } else {
    AddProblem(problems, 0,
               "neither an output font file (no TagStart record) nor an "
               "input font file (no SBCS or DBCS magic)");
    PrintMessage(stderr, "%s", ProblemLines(path, *problems).c_str());
    return kShowUnsound;
  }
  return kShowSound;
}

// Warnings that are not faults of the file, but what its user should know.
void PrintWarnings(const ShowOptions& options, const ShownFont& font,
                   long notStored) {
  if (font.fileKind == FontFileKind::kOutput &&
      font.glyphs.size() >= size_t{kGlyphTableSize}) {
    PrintMessage(stderr,
                 "'%s': warning: the glyph table is full (%d records): the "
                 "converter dropped every further code of its input fonts "
                 "(vexofont show --config CONFIG names them)\n",
                 options.file.c_str(), kGlyphTableSize);
  }
  if (notStored > 0) {
    PrintMessage(stderr,
                 "'%s': warning: %ld codes of the input fonts of '%s' are not "
                 "in the file\n",
                 options.file.c_str(), notStored, options.config.c_str());
  }
  // An impact size the station does not print as drawn.
  std::string problem;
  if (font.fileKind == FontFileKind::kOutput) {
    if (font.parameters.sbcsImpactWidth != 0) {
      problem = ImpactPrintProblem(font.parameters.sbcsImpactWidth,
                                   font.parameters.sbcsImpactHeight);
    }
  } else if (font.header.impactAccepted && !font.header.thermalAccepted) {
    // A file either station takes is not named an impact font here: check
    // knows the station it is listed for.
    problem = font.header.impactPrintProblem;
  }
  if (!problem.empty()) {
    PrintMessage(stderr, "'%s': warning: %s\n", options.file.c_str(),
                 problem.c_str());
  }
}

// The summary, the codes not stored, the pictures, the problems and the
// warnings; returns kShowSound, or the status of a failure after its line.
int PrintReport(const ShowOptions& options, const ShownFont& font,
                const ProblemList& problems) {
  PrintFontSummary(stdout, options.file.c_str(), font);
  if (problems.empty()) {
    PrintMessage(stdout, "  %-22s%s\n", "Problems:", "none");
  } else {
    PrintMessage(stdout, "  %-22s%zu, on standard error\n", "Problems:",
                problems.size());
  }
  PrintMessage(stdout, "\n");
  long not_stored = 0;
  if (!options.config.empty()) {
    if (font.fileKind != FontFileKind::kOutput) {
      return ShowUsageError("%s--config goes with an output font file\n", "");
    }
    not_stored = PrintCodesNotStored(options.config.c_str(), font);
    if (not_stored < 0) {
      PrintMessage(stderr, "Could not read config file '%s'\n",
                   options.config.c_str());
      return kShowUnreadable;
    }
  }
  for (const CodeRange& range : options.codes) {
    PrintGlyphPictures(stdout, font, range.low, range.high);
  }
  std::fflush(stdout);
  PrintMessage(stderr, "%s",
               ProblemLines(options.file.c_str(), problems).c_str());
  PrintWarnings(options, font, not_stored);
  return kShowSound;
}

// The glyphs of the codes chosen with --code.
std::vector<ShownGlyph> ChosenGlyphs(const ShownFont& font,
                                     const std::vector<CodeRange>& codes) {
  std::vector<ShownGlyph> chosen;
  for (const ShownGlyph& glyph : font.glyphs) {
    for (const CodeRange& range : codes) {
      if (glyph.code >= range.low && glyph.code <= range.high) {
        chosen.push_back(glyph);
        break;
      }
    }
  }
  return chosen;
}

// The files no page of the sheet may replace: the file shown and, with
// --config, the configuration and the fonts it lists (in Settings since
// PrintCodesNotStored read it).
std::vector<RunInput> SheetInputs(const ShowOptions& options) {
  std::vector<RunInput> inputs = {{options.file, "the file shown"}};
  if (!options.config.empty()) {
    AddConfigurationInputs(options.config, "the configuration file shown with it",
                           &inputs);
  }
  return inputs;
}

int WriteSheet(const ShowOptions& options, const ShownFont& font) {
  const auto inputs = SheetInputs(options);
  std::vector<std::string> names;
  for (const RunInput& input : inputs) names.push_back(input.name);
  SheetFiles files;
  const int error =
      WriteContactSheet(options.png.c_str(), font, names, &files);
  if (error == kSheetIsAnInput) {
    PrintMessage(stderr, "Could not write PNG file '%s': it is %s\n",
                 files.failed.c_str(), inputs[files.input].what.c_str());
    return kShowUnreadable;
  }
  if (error != 0) {
    PrintMessage(stderr, "Could not write PNG file '%s': %s\n",
                 files.failed.c_str(), std::strerror(error));
    return kShowUnreadable;
  }
  if (files.written.size() > 1) {
    PrintMessage(stdout, "Contact sheet: %zu pages of at most %d pixel rows, '%s' to "
                "'%s'\n",
                files.written.size(), kMaxSheetPageHeight,
                files.written.front().c_str(), files.written.back().c_str());
  }
  if (files.pagesLeftOut > 0) {
    PrintMessage(stdout, "Contact sheet cut after %d pages: the glyph rows of %d "
                "more pages are left out\n",
                kMaxSheetPages, files.pagesLeftOut);
  }
  return kShowSound;
}

// The codes of --text's characters, after --code's; the characters left
// out are named on standard error.
int AddTextCodes(const ShownFont& font, ShowOptions* options) {
  if (options->text.empty()) {
    if (options->codePage.empty()) return kShowSound;
    return ShowUsageError("%s--code-page goes with --text\n", "");
  }
  uint16_t code_page = 0;
  std::string error;
  std::vector<std::string> notes;
  if (!TextCodePage(options->codePage, font, &code_page, &error) ||
      !CodesOfText(options->text, code_page, font, &options->codes, &notes,
                   &error)) {
    return ShowUsageError("%s\n", error.c_str());
  }
  for (const std::string& note : notes) {
    PrintMessage(stderr, "vexofont show: warning: %s\n", note.c_str());
  }
  return kShowSound;
}

}  // namespace

int RunShowCommand(int argc, char** argv) {
  ShowOptions options;
  int status = ReadShowOptions(argc, argv, &options);
  if (status != kShowSound) return status;
  if (options.help) {
    std::fputs(ShowHelp().c_str(), stdout);
    return kShowSound;
  }
  if (options.version) {
    PrintMessage(stdout, "vexofont show %s\n", kReleaseVersion);
    return kShowSound;
  }
  ShownFont font;
  ProblemList problems;
  status = ReadShownFile(options.file.c_str(), &font, &problems);
  if (status == kShowSound) status = AddTextCodes(font, &options);
  if (status == kShowSound) status = PrintReport(options, font, problems);
  if (status != kShowSound) return status;
  // A sheet of the codes chosen with --code only, where any are.
  if (!options.codes.empty()) font.glyphs = ChosenGlyphs(font, options.codes);
  if (!options.png.empty()) status = WriteSheet(options, font);
  if (status != kShowSound) return status;
  return problems.empty() ? kShowSound : kShowUnsound;
}
