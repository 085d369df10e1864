// What the tests of `vexofont show` share: running the command in-process
// and making output font files with the real converter.
#ifndef VEXOCNVT_TESTS_VEXOFONT_SHOW_SHOW_TEST_SUPPORT_H_
#define VEXOCNVT_TESTS_VEXOFONT_SHOW_SHOW_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "testkit/test_fonts.h"
#include "testkit/run_capture.h"

namespace vexo {

// Runs `vexofont show ARGS...` in-process with its output captured.
CapturedRun RunShow(const std::vector<std::string>& args);

// Tests that run `vexofont show` on bytes written to one file.
class ShowFileTest : public ::testing::Test {
 protected:
  // Writes `bytes` to the file and shows it.
  CapturedRun Show(const Bytes& bytes);
  // The problem line for `offset` of the file.
  std::string Line(size_t offset, const std::string& text) const;

  ScratchDir dir_;
  std::string path_ = dir_.File("shown.fnt");
};

// Writes each (configuration key, font bytes) pair as a font file in
// `dir`, converts them with the real converter and returns the bytes of
// the output font file, which is left in `dir` as "out.fnt".
Bytes ConvertFonts(const ScratchDir& dir,
                   const std::vector<std::pair<std::string, Bytes>>& fonts);

// An SBCS input font of `width` x `height` holding `glyphs` for the codes
// from `first` on.
Bytes SbcsFont(int first, int width, int height,
               const std::vector<GlyphRows>& glyphs);

}  // namespace vexo

#endif  // VEXOCNVT_TESTS_VEXOFONT_SHOW_SHOW_TEST_SUPPORT_H_
