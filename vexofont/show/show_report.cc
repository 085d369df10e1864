#include "vexofont/show/show_report.h"

#include <cstddef>
#include <string>

#include "fontinput/glyph_size.h"
#include "store/glyph_table.h"
#include "vexofont/show/codes_not_stored.h"
#include "vexofont/show/font_summary.h"
#include "vexofont/show/glyph_listing.h"

namespace vexo {

namespace {

// Warnings that are not faults of the file, but what its user should know.
void AddWarnings(const ShowOptions& options, const ShownFont& font,
                 long notStored, CommandReport* report) {
  if (font.fileKind == FontFileKind::kOutput &&
      font.glyphs.size() >= size_t{kGlyphTableSize}) {
    report->Error(
        "'%s': warning: the glyph table is full (%d records): the converter "
        "dropped every further code of its input fonts (vexofont show "
        "--config CONFIG names them)\n",
        options.file.c_str(), kGlyphTableSize);
  }
  if (notStored > 0) {
    report->Error(
        "'%s': warning: %ld codes of the input fonts of '%s' are not in the "
        "file\n",
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
    report->Error("'%s': warning: %s\n", options.file.c_str(), problem.c_str());
  }
}

}  // namespace

int AddShowReport(const ShowOptions& options, const ShownFont& font,
                  const ProblemList& problems, CommandReport* report) {
  AddFontSummary(report, options.file.c_str(), font);
  if (problems.empty()) {
    report->Output("  %-22s%s\n", "Problems:", "none");
  } else {
    report->Output("  %-22s%zu, on standard error\n",
                   "Problems:", problems.size());
  }
  report->Output("\n");
  long notStored = 0;
  if (!options.config.empty()) {
    if (font.fileKind != FontFileKind::kOutput) {
      return ShowUsageError(report,
                            "%s--config goes with an output font file\n", "");
    }
    notStored = AddCodesNotStored(options.config.c_str(), font, report);
    if (notStored < 0) {
      return report->Failed(kShowUnreadable,
                            "Could not read config file '%s'\n",
                            options.config.c_str());
    }
  }
  for (const CodeRange& range : options.codes) {
    AddGlyphPictures(report, font, range.low, range.high);
  }
  report->Error("%s", ProblemLines(options.file.c_str(), problems).c_str());
  AddWarnings(options, font, notStored, report);
  return kShowSound;
}

}  // namespace vexo
