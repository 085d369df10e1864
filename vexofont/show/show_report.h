// What `vexofont show` says of a font file it has read: the summary, the
// codes a configuration's fonts have that the file lacks, the glyphs'
// pictures, then the problems and the warnings.
#ifndef VEXOCNVT_VEXOFONT_SHOW_SHOW_REPORT_H_
#define VEXOCNVT_VEXOFONT_SHOW_SHOW_REPORT_H_

#include "vexofont/options/command_report.h"
#include "vexofont/readers/problem_list.h"
#include "vexofont/readers/shown_font.h"
#include "vexofont/show/show_options.h"

namespace vexo {

// Adds the report of `font`, with its `problems`, to *report; returns
// kShowSound, or the status of a failure (--config with an input file, a
// configuration that cannot be read) with its line.
int AddShowReport(const ShowOptions& options, const ShownFont& font,
                  const ProblemList& problems, CommandReport* report);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_SHOW_REPORT_H_
