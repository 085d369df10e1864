// Reads fuzzer-made glyph texts as `vexofont make` does, as a whole font
// and as an overlay, to prove that no text makes the reader crash, overrun
// or loop, and that whatever it accepts is exact: the file it builds dumps
// to a text that builds the same file again, and an overlay changes only
// glyph bytes of the font it is laid over.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_support.h"
#include "testkit/test_fonts.h"
#include "vexofont/text/glyph_overlay.h"
#include "vexofont/text/glyph_text.h"
#include "vexofont/text/glyph_text_build.h"
#include "vexofont/text/glyph_text_reader.h"
#include "vexofont/text/glyph_text_writer.h"

namespace vexo {

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  GlyphText glyphs;
  TextError error;
  Bytes file;
  if (ParseGlyphText(text, false, &glyphs, &error)) {
    if (BuildFromGlyphText(glyphs, &file, &error)) {
      std::string dumped, problem;
      FUZZ_CHECK(DumpInputFont(file.data(), file.size(), nullptr, nullptr,
                               &dumped, &problem));
      GlyphText again;
      Bytes rebuilt;
      FUZZ_CHECK(ParseGlyphText(dumped, false, &again, &error));
      FUZZ_CHECK(BuildFromGlyphText(again, &rebuilt, &error));
      FUZZ_CHECK(rebuilt == file);
    }
  }
  FUZZ_CHECK(error.line >= 0 && error.column >= 0);

  // Each font with the size of its header.
  static const std::pair<Bytes, size_t> kFonts[] = {
      {PatternSbcsFont(0x20, 0x7E, 8, 16), 32},
      {[] {
         int codes = 0;
         return PatternDbcsFont({{0x81, 0x81}}, 0x81FC, 16, 9, &codes);
       }(),
       64},
  };
  for (const auto& [font, header] : kFonts) {
    GlyphText overlay;
    if (!ParseGlyphText(text, true, &overlay, &error)) break;
    Bytes laid = font;
    if (ApplyGlyphOverlay(overlay, &laid, &error)) {
      FUZZ_CHECK(laid.size() == font.size());
      FUZZ_CHECK(std::equal(font.begin(), font.begin() + header, laid.begin()));
    }
  }
  return 0;
}

}  // namespace vexo
