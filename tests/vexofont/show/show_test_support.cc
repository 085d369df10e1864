#include "show_test_support.h"

#include <gtest/gtest.h>

#include "vexofont/show/show_command.h"

namespace vexo {

CapturedRun RunShow(const std::vector<std::string>& args) {
  std::vector<std::string> words = {"show"};
  words.insert(words.end(), args.begin(), args.end());
  return RunInProcess(RunShowCommand, std::move(words));
}

CapturedRun ShowFileTest::Show(const Bytes& bytes) {
  EXPECT_TRUE(WriteBytes(path_, bytes));
  return RunShow({path_});
}

std::string ShowFileTest::Line(size_t offset, const std::string& text) const {
  return "'" + path_ + "' offset " + std::to_string(offset) + ": " + text +
         "\n";
}

Bytes ConvertFonts(const ScratchDir& dir,
                   const std::vector<std::pair<std::string, Bytes>>& fonts) {
  std::string config;
  int n = 0;
  for (const auto& [key, bytes] : fonts) {
    const std::string path = dir.File("font" + std::to_string(n++) + ".fnt");
    EXPECT_TRUE(WriteBytes(path, bytes));
    config += key + " " + path + "\n";
  }
  config += "OutputFontFile " + dir.File("out.fnt") + "\n";
  const CapturedRun run = RunConverterOn(dir.WriteText("run.cfg", config));
  EXPECT_EQ(run.status, 0) << run.err;
  return ReadBytes(dir.File("out.fnt"));
}

Bytes SbcsFont(int first, int width, int height,
               const std::vector<GlyphRows>& glyphs) {
  Bytes font;
  AppendSbcsHeader(&font,
                   {.magic = "",
                    .firstChar = static_cast<uint16_t>(first),
                    .lastChar = static_cast<uint16_t>(first + glyphs.size() - 1),
                    .width = static_cast<uint32_t>(width),
                    .height = static_cast<uint32_t>(height)});
  for (const GlyphRows& rows : glyphs) AppendGlyph(&font, rows);
  return font;
}

}  // namespace vexo
