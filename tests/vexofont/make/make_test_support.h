// Running `vexofont make` in-process from the tests; glyphs from pictures.
#ifndef VEXOCNVT_TESTS_VEXOFONT_MAKE_MAKE_TEST_SUPPORT_H_
#define VEXOCNVT_TESTS_VEXOFONT_MAKE_MAKE_TEST_SUPPORT_H_

#include <string>
#include <vector>

#include "fontinput/font_writer.h"
#include "testkit/run_capture.h"
#include "vexofont/options/command_report.h"

namespace vexo {

// Runs `command` in-process with `words` as its argc and argv, its lines
// kept in a report: what it says, bytes in memory, with no descriptor
// redirected and no file for the output.
CapturedRun RunReported(int (*command)(int, char**, CommandReport*),
                        std::vector<std::string> words);

// Runs `vexofont make ARGS...`, reported as above.
CapturedRun RunMake(const std::vector<std::string>& args);

// Glyph rows from a picture, a line a row, '#' a dot, the first character
// bit 31.
GlyphRows Rows(const std::vector<std::string>& picture);

}  // namespace vexo

#endif  // VEXOCNVT_TESTS_VEXOFONT_MAKE_MAKE_TEST_SUPPORT_H_
