// make_bench_fonts FOLDER: writes the benchmark scenarios, each into a
// folder of its own with its input fonts (*.fnt) and a configuration
// (bench.cfg) that names them and the output file out.bin:
//   FOLDER/none     no font at all, only the output file;
//   FOLDER/small    one SBCS thermal 12x24 font of all 256 codes, the
//                   everyday run;
//   FOLDER/typical  SBCS thermal 12x24 and impact 8x9 fonts of 256 codes and
//                   a DBCS thermal 24x24 and impact 16x16 pair of 6956
//                   codes (lead 81-9F and E0-E5), the size of a Japanese
//                   font;
//   FOLDER/full     SBCS thermal 12x24 and impact 8x9 fonts of all 256 codes,
//                   DBCS thermal 24x24 and impact 16x16 fonts of 23312 codes
//                   each (lead 81-FC, trail 40-7E and 80-FC), so that the
//                   20000-record table fills and 3568 codes are dropped.
// Prints one line per scenario: its name and the number of glyph records
// its output must hold.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "testkit/test_fonts.h"

using vexo::Bytes;
using vexo::PatternDbcsFont;
using vexo::PatternSbcsFont;
using vexo::Vector;
using vexo::WriteBytes;

namespace {

bool WriteSbcs(const std::string& path, int width, int height) {
  return WriteBytes(path, PatternSbcsFont(0, 255, width, height));
}

// Writes a DBCS font of every code the lead ranges enumerate; returns how
// many codes that is, or -1 when the file cannot be written.
int WriteDbcs(const std::string& path, const Vector& leads, int width,
              int height) {
  int codes = 0;
  const Bytes font = PatternDbcsFont(leads, 0xFFFF, width, height, &codes);
  return WriteBytes(path, font) ? codes : -1;
}

bool WriteConfig(const std::string& path, const std::string& fonts) {
  const std::string text = "* benchmark scenario\n" + fonts +
                           "OutputFontFile out.bin\nCodePage 932\n";
  return WriteBytes(path, Bytes(text.begin(), text.end()));
}

constexpr int kTableRecords = 20000;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_bench_fonts FOLDER\n");
    return 1;
  }
  const std::string none = std::string(argv[1]) + "/none";
  const std::string small = std::string(argv[1]) + "/small";
  const std::string typical = std::string(argv[1]) + "/typical";
  const std::string full = std::string(argv[1]) + "/full";
  for (const std::string& folder : {none, small, typical, full}) {
    std::filesystem::create_directories(folder);
  }

  const Vector allLeads = {{0x81, 0xFC}, {0, 0}, {0, 0}, {0, 0}};
  const Vector japaneseLeads = {{0x81, 0x9F}, {0xE0, 0xE5}, {0, 0}, {0, 0}};
  const int fullCodes =
      WriteDbcs(full + "/dbcs_thermal_24x24.fnt", allLeads, 24, 24);
  const int typicalCodes =
      WriteDbcs(typical + "/dbcs_thermal_24x24.fnt", japaneseLeads, 24, 24);
  const bool ok =
      WriteSbcs(full + "/sbcs_thermal_12x24.fnt", 12, 24) &&
      WriteSbcs(full + "/sbcs_impact_8x9.fnt", 8, 9) && fullCodes > 0 &&
      WriteDbcs(full + "/dbcs_impact_16x16.fnt", allLeads, 16, 16) ==
          fullCodes &&
      WriteConfig(full + "/bench.cfg",
                  "SbcsThermalFile sbcs_thermal_12x24.fnt\n"
                  "SbcsImpactFile sbcs_impact_8x9.fnt\n"
                  "DbcsThermalFile dbcs_thermal_24x24.fnt\n"
                  "DbcsImpactFile dbcs_impact_16x16.fnt\n") &&
      typicalCodes > 0 &&
      WriteDbcs(typical + "/dbcs_impact_16x16.fnt", japaneseLeads, 16, 16) ==
          typicalCodes &&
      WriteSbcs(typical + "/sbcs_thermal_12x24.fnt", 12, 24) &&
      WriteSbcs(typical + "/sbcs_impact_8x9.fnt", 8, 9) &&
      WriteConfig(typical + "/bench.cfg",
                  "SbcsThermalFile sbcs_thermal_12x24.fnt\n"
                  "SbcsImpactFile sbcs_impact_8x9.fnt\n"
                  "DbcsThermalFile dbcs_thermal_24x24.fnt\n"
                  "DbcsImpactFile dbcs_impact_16x16.fnt\n") &&
      WriteSbcs(small + "/sbcs_thermal_12x24.fnt", 12, 24) &&
      WriteConfig(small + "/bench.cfg",
                  "SbcsThermalFile sbcs_thermal_12x24.fnt\n") &&
      WriteConfig(none + "/bench.cfg", "");
  if (!ok) {
    std::fprintf(stderr, "could not write the scenarios into '%s'\n", argv[1]);
    return 1;
  }
  const int fullRecords = std::min(256 + fullCodes, kTableRecords);
  std::printf("none 0\nsmall 256\ntypical %d\nfull %d\n", 256 + typicalCodes,
              fullRecords);
  return 0;
}
