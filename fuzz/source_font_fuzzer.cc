// Opens fuzzer-made source fonts as `vexofont make` does (FreeType: BDF,
// PCF and whatever else it knows, gzip-compressed or not) and draws glyphs
// of them onto a cell, to prove that no font file makes the reading, the
// strike and size choice or the drawing crash, overrun, leak or loop, and
// that every drawn glyph stays inside its cell.
//
// Input: one selector byte, then the font file. Bits 0-2 choose the cell
// (one size of each kind and station the converter takes), bit 3 stores
// the font gzip-compressed, bit 4 cuts at the cell's edge (--clip) instead
// of fitting, bit 5 chooses a collection's face for code page 936, bit 6
// sizes outlines by their capitals (thin strokes drawn grey), bit 7 draws
// letters on a line as an SBCS impact font's are (their bitmaps mended,
// outlines drawn wider than high). The last four bytes also serve as two
// more character codes to draw.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_gzip.h"
#include "fuzz/fuzz_support.h"
#include "vexofont/make/source_font.h"

namespace vexo {

namespace {

constexpr CellSize kCells[] = {{8, 16}, {12, 24}, {16, 24}, {4, 4},
                               {8, 9},  {16, 16}, {24, 24}, {16, 9}};

void DrawAndCheck(SourceFont* font, CellSize cell, bool clip, uint32_t code) {
  CellGlyph glyph;
  font->DrawGlyph(code, &glyph);
  FUZZ_CHECK(glyph.rows.size() == size_t(cell.height));
  const uint32_t outside = cell.width >= 32 ? 0 : 0xFFFFFFFFu >> cell.width;
  for (uint32_t row : glyph.rows) FUZZ_CHECK((row & outside) == 0);
  // Fitted, nothing is cut; cut, nothing is moved.
  FUZZ_CHECK(clip ? glyph.clippedDots >= 0 && !glyph.moved : glyph.clippedDots == 0);
  FUZZ_CHECK(!glyph.shrunk || glyph.moved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t selector = data[0];
  const CellSize cell = kCells[selector & 7];
  static const std::string path = FuzzScratchDir() + "/font";
  const bool saved = (selector & 8) != 0
                         ? SaveCompressed(path, data + 1, size - 1)
                         : SaveScratchFile(path, data + 1, size - 1);
  FUZZ_CHECK(saved);

  SourceFont font;
  std::string error;
  RenderOptions options;
  options.clip = (selector & 16) != 0;
  options.codePage = (selector & 32) != 0 ? 936 : 0;
  if ((selector & 64) != 0) {
    options.fit = RenderOptions::Fit::kCap;
    options.thinStrokesGray = true;
  }
  options.latinLine = (selector & 128) != 0;
  options.widerPercent = options.latinLine ? kImpactWiderPercent : 0;
  options.capRowsAtMost = options.latinLine ? kImpactCapRows : 0;
  const bool clip = options.clip;
  if (!font.Open(path, cell, options, &error)) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  FUZZ_CHECK(font.ascent() + font.descent() >= 0);
  const CellSize canvas = font.canvas();
  FUZZ_CHECK(canvas.width >= cell.width && canvas.height >= cell.height);
  FUZZ_CHECK(canvas.width <= 4 * cell.width && canvas.height <= 4 * cell.height);
  for (uint32_t code = 0; code < 0x100; ++code) DrawAndCheck(&font, cell, clip, code);
  for (uint32_t code : {0x2500u, 0x3042u, 0x4E00u, 0xFFFDu, 0x10FFFFu}) {
    DrawAndCheck(&font, cell, clip, code);
  }
  if (size >= 5) {
    const uint8_t* tail = data + size - 4;
    DrawAndCheck(&font, cell, clip, uint32_t(tail[0]) << 8 | tail[1]);
    DrawAndCheck(&font, cell, clip, uint32_t(tail[2]) << 8 | tail[3]);
  }
  return 0;
}

}  // namespace vexo
