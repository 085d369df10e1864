// Feeds `vexofont show` damaged and random files through every path, the
// glyph pictures and the contact sheet included. Under the sanitizers this
// proves that no such file makes it read outside its buffers; everywhere it
// checks that such a file is reported unsound, never taken for sound.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "show_test_support.h"

namespace vexo {

namespace {

class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed) {}
  uint32_t Next(uint32_t bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % bound;
  }

 private:
  uint32_t state_;
};

class RobustnessTest : public ::testing::Test {
 protected:
  // Shows `bytes` with every glyph pictured and a sheet written; returns
  // the exit status.
  int ShowAll(const Bytes& bytes) {
    EXPECT_TRUE(WriteBytes(path_, bytes));
    const CapturedRun run =
        RunShow({path_, "--code", "0-ffff", "--png", dir_.File("s.png")});
    return run.status;
  }

  ScratchDir dir_;
  std::string path_ = dir_.File("damaged.fnt");
};

TEST_F(RobustnessTest, DamagedOutputFilesAreUnsoundOrUnchanged) {
  const Bytes valid = ConvertFonts(
      dir_, {{"SbcsThermalFile",
              SbcsFont(0x41, 16, 24, {PatternGlyph(1, 16, 24)})},
             {"SbcsImpactFile", SbcsFont(0x41, 16, 12, {PatternGlyph(2, 16, 12)})}});
  Random random(7);
  for (int n = 0; n < 150; ++n) {
    Bytes bytes = valid;
    const int changes = 1 + static_cast<int>(random.Next(6));
    for (int i = 0; i < changes; ++i) {
      bytes[random.Next(static_cast<uint32_t>(bytes.size()))] =
          static_cast<uint8_t>(random.Next(256));
    }
    const int status = ShowAll(bytes);
    // Changes inside bitmaps, or to spacing and code page, are sound.
    EXPECT_TRUE(status == 0 || status == 3) << n;
  }
}

TEST_F(RobustnessTest, RandomBytesAfterAMagicOrTagStartNeverCrash) {
  static const Bytes kPrefixes[] = {
      {'Z', 'Y', 'N', 'P', 'o', 's', 'S', 'i', 'n', 'g', 'l', 'e', 'F', 'o',
       'n', 't'},
      {'Z', 'Y', 'N', 'P', 'o', 's', 'D', 'B', 'C', 'S', 'F', 'o', 'n', 't',
       ' ', ' '},
      {0xEB, 0x00, 0x02, 0x00, 0x01, 0x00},
  };
  Random random(11);
  for (int n = 0; n < 150; ++n) {
    Bytes bytes = kPrefixes[n % 3];
    const uint32_t length = random.Next(600);
    for (uint32_t i = 0; i < length; ++i) {
      // Small numbers often, so that sizes and lengths are sometimes right.
      bytes.push_back(static_cast<uint8_t>(
          random.Next(2) ? random.Next(30) : random.Next(256)));
    }
    const int status = ShowAll(bytes);
    EXPECT_TRUE(status == 0 || status == 3) << n;
  }
}

}  // namespace

}  // namespace vexo
