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
#include "platform/output_file.h"
#include "store/glyph_table.h"
#include "store/output_font_file.h"
#include "store/version.h"
#include "vexofont/readers/input_file_reader.h"
#include "vexofont/readers/output_file_reader.h"
#include "vexofont/readers/problem_list.h"
#include "vexofont/readers/run_inputs.h"
#include "vexofont/readers/shown_font.h"
#include "vexofont/show/code_selection.h"
#include "vexofont/show/codes_not_stored.h"
#include "vexofont/show/contact_sheet.h"
#include "vexofont/show/font_summary.h"
#include "vexofont/show/glyph_listing.h"
#include "vexofont/show/show_options.h"
#include "vexofont/show/show_report.h"
#include "vexofont/show/text_codes.h"

namespace vexo {

namespace {

// An output or an input font file.
constexpr size_t kReadLimit = kMaxFontFileRead;

// Reads the file into *bytes, at most kReadLimit bytes; sets *cut when more
// followed. Returns false when it cannot be opened or read, with the line
// that says so in *report.
bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes, bool* cut,
                   CommandReport* report) {
  switch (ReadLimitedFile(path, kReadLimit, bytes, cut)) {
    case ReadResult::kRead:
      return true;
    case ReadResult::kCannotOpen:
      report->Error("Could not open file '%s' for reading\n", path);
      return false;
    case ReadResult::kCannotRead:
      report->Error("Could not read file '%s'\n", path);
      return false;
  }
  return false;
}

// Reads and checks the file shown; returns kShowSound, or kShowUnsound or
// kShowUnreadable with the lines that say why nothing can be shown in
// *report.
int ReadShownFile(const char* path, ShownFont* font, ProblemList* problems,
                  CommandReport* report) {
  std::vector<uint8_t> bytes;
  bool cut = false;
  if (!ReadWholeFile(path, &bytes, &cut, report)) return kShowUnreadable;
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
    return report->Failed(kShowUnsound, "%s",
                          ProblemLines(path, *problems).c_str());
  }
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
// AddCodesNotStored read it).
std::vector<RunInput> SheetInputs(const ShowOptions& options) {
  std::vector<RunInput> inputs = {{options.file, "the file shown"}};
  if (!options.config.empty()) {
    AddConfigurationInputs(options.config, "the configuration file shown with it",
                           &inputs);
  }
  return inputs;
}

int WriteSheet(const ShowOptions& options, const ShownFont& font,
               CommandReport* report) {
  const auto inputs = SheetInputs(options);
  std::vector<std::string> names;
  for (const RunInput& input : inputs) names.push_back(input.name);
  SheetFiles files;
  const int error =
      WriteContactSheet(options.png.c_str(), font, names, &files);
  if (error == kSheetIsAnInput) {
    return report->Failed(
        kShowUnreadable, "Could not write PNG file '%s': it is %s\n",
        files.failed.c_str(), inputs[files.input].what.c_str());
  }
  if (error != 0) {
    return report->Failed(kShowUnreadable,
                          "Could not write PNG file '%s': %s\n",
                          files.failed.c_str(), std::strerror(error));
  }
  if (files.written.size() > 1) {
    report->Output(
        "Contact sheet: %zu pages of at most %d pixel rows, '%s' to "
        "'%s'\n",
        files.written.size(), kMaxSheetPageHeight,
        files.written.front().c_str(), files.written.back().c_str());
  }
  if (files.pagesLeftOut > 0) {
    report->Output(
        "Contact sheet cut after %d pages: the glyph rows of %d "
        "more pages are left out\n",
        kMaxSheetPages, files.pagesLeftOut);
  }
  return kShowSound;
}

// The codes of --text's characters, after --code's; the characters left
// out are named on standard error.
int AddTextCodes(const ShownFont& font, ShowOptions* options,
                 CommandReport* report) {
  if (options->text.empty()) {
    if (options->codePage.empty()) return kShowSound;
    return ShowUsageError(report, "%s--code-page goes with --text\n", "");
  }
  uint16_t codePage = 0;
  std::string error;
  std::vector<std::string> notes;
  if (!TextCodePage(options->codePage, font, &codePage, &error) ||
      !CodesOfText(options->text, codePage, font, &options->codes, &notes,
                   &error)) {
    return ShowUsageError(report, "%s\n", error.c_str());
  }
  for (const std::string& note : notes) {
    report->Error("vexofont show: warning: %s\n", note.c_str());
  }
  return kShowSound;
}

// The whole of a run, said into *report.
int Show(int argc, char** argv, CommandReport* report) {
  ShowOptions options;
  int status = ReadShowOptions(argc, argv, &options, report);
  if (status != kShowSound) return status;
  if (options.help) {
    report->OutputAsIs(ShowHelp());
    return kShowSound;
  }
  if (options.version) {
    report->Output("vexofont show %s\n", kReleaseVersion);
    return kShowSound;
  }
  ShownFont font;
  ProblemList problems;
  status = ReadShownFile(options.file.c_str(), &font, &problems, report);
  if (status == kShowSound) status = AddTextCodes(font, &options, report);
  if (status == kShowSound)
    status = AddShowReport(options, font, problems, report);
  if (status != kShowSound) return status;
  // A sheet of the codes chosen with --code only, where any are.
  if (!options.codes.empty()) font.glyphs = ChosenGlyphs(font, options.codes);
  if (!options.png.empty()) status = WriteSheet(options, font, report);
  if (status != kShowSound) return status;
  return problems.empty() ? kShowSound : kShowUnsound;
}

}  // namespace

int RunShowCommand(int argc, char** argv) {
  CommandReport report(CommandReport::To::kConsole);
  return Show(argc, argv, &report);
}

}  // namespace vexo
