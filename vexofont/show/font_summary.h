// The summary `vexofont show` prints for a font file: its parameters, the
// glyph counts per kind and station, and the codes present.
#ifndef VEXOCNVT_VEXOFONT_SHOW_FONT_SUMMARY_H_
#define VEXOCNVT_VEXOFONT_SHOW_FONT_SUMMARY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/options/command_report.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

// Formats `codes` (any order, repeats allowed) as ascending runs of
// consecutive codes, "20-7e 80 82-83", each code as `digits` lower-case hex
// digits. No codes give "none".
std::string FormatCodeRanges(std::vector<uint16_t> codes, int digits);

// Adds the summary of `font`, read from `fileName`, for standard output.
void AddFontSummary(CommandReport* report, const char* fileName,
                    const ShownFont& font);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_FONT_SUMMARY_H_
