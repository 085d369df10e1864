// The output font file `vexofont preview` draws from: read from a file, or
// made in memory from a configuration by the converter's own code.
#ifndef VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_SOURCE_H_
#define VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_SOURCE_H_

#include <string>

#include "vexofont/options/command_report.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

// Reads and checks the output font file `path` (no further than the
// largest sound output file and a margin), or converts the configuration
// `config` in-process when `path` is empty (the converter's errors go to
// standard error, its progress too when `verbose`; no file is written).
// Fills *font; returns kPreviewDrawn, or the status with what went wrong in
// *report, naming the file: its problems, or that it cannot be read or is
// no output font file.
int ReadPreviewFont(const std::string& path, const std::string& config,
                    bool verbose, ShownFont* font, CommandReport* report);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_SOURCE_H_
