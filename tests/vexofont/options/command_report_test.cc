#include "vexofont/options/command_report.h"

#include <gtest/gtest.h>

namespace vexo {

namespace {

// A kept report holds each line with its stream, in the order said and as
// given (control bytes are shown only when printed); Failed passes the
// status through.
TEST(CommandReportTest, KeepsTheLinesInOrderWithTheirStreams) {
  CommandReport report;
  report.Output("summary %d\n", 1);
  report.Error("warning: '%s'\n", "a\x1b");
  report.OutputAsIs("drawn\x01\n");
  EXPECT_EQ(report.Failed(4, "cannot write '%s'\n", "out"), 4);
  ASSERT_EQ(report.lines().size(), 4u);
  const bool streams[] = {false, true, false, true};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(report.lines()[i].error, streams[i]) << i;
  }
  EXPECT_EQ(report.Text(false), "summary 1\ndrawn\x01\n");
  EXPECT_EQ(report.Text(true), "warning: 'a\x1b'\ncannot write 'out'\n");
}

}  // namespace

}  // namespace vexo
