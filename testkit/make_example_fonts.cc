// make_example_fonts FOLDER: writes the four small input fonts of the
// bundled example into FOLDER, one of each kind and station. Their glyphs
// are patterns rather than letters: they show a conversion with both
// station reports, not a typeface.
#include <cstdio>
#include <string>

#include "testkit/test_fonts.h"

using vexo::PatternDbcsFont;
using vexo::PatternSbcsFont;
using vexo::WriteBytes;

namespace {

bool WriteSbcs(const std::string& path, int first, int last, int width,
               int height) {
  return WriteBytes(path, PatternSbcsFont(first, last, width, height));
}

bool WriteDbcs(const std::string& path, uint16_t last, int width, int height) {
  int codes = 0;
  return WriteBytes(path, PatternDbcsFont({{0x81, 0x81}, {0, 0}, {0, 0}, {0, 0}},
                                          last, width, height, &codes));
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
