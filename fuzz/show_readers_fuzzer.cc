// Reads fuzzer-made files as `vexofont show` does, as an output font file or
// an input font file by their first bytes, prints their glyph pictures and
// lays out their contact sheet, to prove that no record, length, header or
// body makes the readers crash, overrun or loop, and that no file gives a
// sheet page taller than the page limit or more pages than are ever
// written. Small sheets are drawn, to run the drawing code too.
#include <cstdio>

#include "fuzz/fuzz_support.h"
#include "vexofont/show/contact_sheet.h"
#include "vexofont/show/glyph_listing.h"
#include "vexofont/readers/input_file_reader.h"
#include "vexofont/readers/output_file_reader.h"
#include "vexofont/readers/problem_list.h"

namespace vexo {

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ShownFont font;
  ProblemList problems;
  if (LooksLikeOutputFontFile(data, size)) {
    ReadOutputFontFile(data, size, &font, &problems);
  } else if (LooksLikeInputFontFile(data, size)) {
    ReadInputFontFile(data, size, &font, &problems);
  } else {
    return 0;
  }
  for (const Problem& problem : problems) FUZZ_CHECK(problem.offset <= size);
  for (const ShownGlyph& glyph : font.glyphs) {
    FUZZ_CHECK(glyph.offset <= size);
    FUZZ_CHECK(glyph.thermalDots.width <= kMaxPictureWidth);
    FUZZ_CHECK(glyph.impactDots.height <= kMaxPictureHeight);
  }
  CommandReport report;
  AddGlyphPictures(&report, font, 0, 0xFFFF);
  FUZZ_CHECK(ProblemLines("fuzz", problems).size() >= problems.size());

  const SheetPlan plan = PlanContactSheet(font);
  const std::vector<SheetPage> pages = PlanSheetPages(plan);
  FUZZ_CHECK(pages.size() <= size_t(kMaxSheetPages));
  FUZZ_CHECK(plan.width > 0 && plan.width <= 4096);
  int top = 0;
  for (const SheetPage& page : pages) {
    FUZZ_CHECK(page.top == top);
    FUZZ_CHECK(page.height > 0 && page.height <= kMaxSheetPageHeight);
    top += page.height;
  }
  FUZZ_CHECK(top == plan.height);
  if (plan.height <= 1024) {
    GrayImage image;
    DrawContactSheet(font, plan, &image);
    FUZZ_CHECK(image.pixels.size() == size_t(plan.width) * plan.height);
  }
  return 0;
}

}  // namespace vexo
