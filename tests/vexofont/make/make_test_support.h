// Running `vexofont make` in-process from the tests.
#ifndef VEXOCNVT_TESTS_VEXOFONT_MAKE_MAKE_TEST_SUPPORT_H_
#define VEXOCNVT_TESTS_VEXOFONT_MAKE_MAKE_TEST_SUPPORT_H_

#include <string>
#include <vector>

#include "testkit/run_capture.h"

namespace vexo {

// Runs `vexofont make ARGS...` with its output captured.
CapturedRun RunMake(const std::vector<std::string>& args);

}  // namespace vexo

#endif  // VEXOCNVT_TESTS_VEXOFONT_MAKE_MAKE_TEST_SUPPORT_H_
