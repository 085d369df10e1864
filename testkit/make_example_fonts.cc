// make_example_fonts FOLDER: writes the four small input fonts of the
// bundled example into FOLDER, one of each kind and station. Their glyphs
// are patterns rather than letters: they show a conversion with both
// station reports, not a typeface.
#include <cstdio>
#include <string>

#include "testkit/font_writer.h"

namespace {

bool WriteSbcs(const std::string& path, int first, int last, int width,
               int height) {
  Bytes font;
  AppendSbcsHeader(&font, {.magic = "",
                           .codePage = 437,
                           .firstChar = static_cast<uint16_t>(first),
                           .lastChar = static_cast<uint16_t>(last),
                           .width = static_cast<uint32_t>(width),
                           .height = static_cast<uint32_t>(height)});
  for (int code = first; code <= last; ++code) {
    AppendGlyph(&font, PatternGlyph(code, width, height));
  }
  return WriteBytes(path, font);
}

bool WriteDbcs(const std::string& path, uint16_t last, int width, int height) {
  DbcsVectors vectors;
  vectors.codePageVector1 = {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}, {0, 0}};
  vectors.codePageVector2 = {{0x40, 0x7E}, {0x80, 0xFC}, {0, 0}, {0, 0}};
  vectors.fontVector1 = {{0x81, 0x81}, {0, 0}, {0, 0}, {0, 0}};
  vectors.fontVector2 = {{0x40, 0x7E}, {0x80, 0xFC}, {0, 0}, {0, 0}};
  Bytes font;
  AppendDbcsHeader(&font,
                   {.magic = "",
                    .codePage = 932,
                    .firstChar = 0x8140,
                    .lastChar = last,
                    .width = static_cast<uint32_t>(width),
                    .height = static_cast<uint32_t>(height)},
                   vectors);
  for (uint16_t code :
       EnumerateDbcsCodes(vectors.fontVector1, vectors.fontVector2, last)) {
    AppendGlyph(&font, PatternGlyph(code, width, height));
  }
  return WriteBytes(path, font);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_example_fonts FOLDER\n");
    return 1;
  }
  const std::string folder = argv[1];
  // The impact fonts stop short of the thermal ones, so that both station
  // reports have characters to list.
  const bool ok =
      WriteSbcs(folder + "/sbcs_thermal_12x24.fnt", 0x20, 0x7E, 12, 24) &&
      WriteSbcs(folder + "/sbcs_impact_8x9.fnt", 0x20, 0x7A, 8, 9) &&
      WriteDbcs(folder + "/dbcs_thermal_24x24.fnt", 0x81FC, 24, 24) &&
      WriteDbcs(folder + "/dbcs_impact_16x16.fnt", 0x81F8, 16, 16);
  if (!ok) {
    std::fprintf(stderr, "could not write the fonts into '%s'\n",
                 folder.c_str());
    return 1;
  }
  return 0;
}
