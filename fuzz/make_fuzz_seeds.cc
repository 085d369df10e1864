// make_fuzz_seeds FOLDER: writes the seed corpora of the fuzz targets into
// FOLDER/config_file, FOLDER/font_loaders and FOLDER/conversion: small
// configurations and fonts of every kind and station, at accepted and
// refused sizes, whole, truncated and with odd ranges and vectors; built
// with vexofont, also FOLDER/show_readers and FOLDER/source_font.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_seeds.h"
#include "testkit/test_fonts.h"

namespace vexo {
namespace {

using Seed = FuzzSeed;

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Sbcs(int first, int last, uint32_t width, uint32_t height,
           int glyphs = -1) {
  Bytes font;
  AppendSbcsHeader(&font, {.magic = "",
                           .firstChar = static_cast<uint16_t>(first),
                           .lastChar = static_cast<uint16_t>(last),
                           .width = width,
                           .height = height});
  if (glyphs < 0) glyphs = last - first + 1;
  for (int i = 0; i < glyphs; ++i) {
    AppendGlyph(&font, PatternGlyph(first + i, int(width % 33),
                                    int(height % 33)));
  }
  return font;
}

DbcsVectors Vectors(Vector leads, Vector trails) {
  DbcsVectors vectors;
  vectors.codePageVector1 = {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}, {0, 0}};
  vectors.codePageVector2 = {{0x40, 0x7E}, {0x80, 0xFC}, {0, 0}, {0, 0}};
  vectors.fontVector1 = std::move(leads);
  vectors.fontVector2 = std::move(trails);
  return vectors;
}

Bytes Dbcs(const DbcsVectors& vectors, uint16_t last, uint32_t width,
           uint32_t height, int extra = 0) {
  Bytes font;
  AppendDbcsHeader(&font,
                   {.magic = "", .codePage = 932, .firstChar = 0x8140,
                    .lastChar = last, .width = width, .height = height},
                   vectors);
  const int rows = width == 24 ? 24 : int(height % 33);
  std::vector<uint16_t> codes =
      EnumerateDbcsCodes(vectors.fontVector1, vectors.fontVector2, last);
  for (int i = 0; i < extra; ++i) codes.push_back(codes[i % codes.size()]);
  for (uint16_t code : codes) {
    AppendGlyph(&font, PatternGlyph(code, int(width % 33), rows));
  }
  return font;
}

const DbcsVectors kSmall = Vectors({{0x81, 0x81}}, {{0x40, 0x43}, {0x80, 0x81}});
const DbcsVectors kAllLeads =
    Vectors({{0x81, 0x81}, {0x82, 0x82}, {0x83, 0x83}, {0x84, 0x84}},
            {{0x40, 0x41}});
const DbcsVectors kOddTrails =
    Vectors({{0x88, 0x89}}, {{0x80, 0x82}, {0x00, 0xFF}, {0x40, 0x42}});

Bytes Truncated(Bytes bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

Bytes Selected(int selector, const Bytes& font) {
  Bytes bytes = {static_cast<uint8_t>(selector)};
  bytes.insert(bytes.end(), font.begin(), font.end());
  return bytes;
}

std::vector<Seed> ConfigSeeds() {
  const std::string longWord(260, 'n');
  return {
      {"demo", Text("* demo\nSbcsThermalFile  t.fnt\nSbcsImpactFile i.fnt\n"
                    "DbcsThermalFile dt.fnt\nDbcsImpactFile di.fnt\n"
                    "OutputFontFile demo.out\nSbcsSpacing 3\nDbcsSpacing 6\n"
                    "CodePage 932\n")},
      {"empty", Text("")},
      {"comments", Text("# one\n* two\n#SbcsSpacing 5\n")},
      {"numbers", Text("SbcsSpacing -1\nDbcsSpacing 65541\nCodePage 70000\n"
                       "SbcsSpacing 5x\nDbcsSpacing x\nCodePage +12\n")},
      {"no_value", Text("SbcsSpacing=5\nOutputFontFile\nSbcsThermalFile\n"
                        "Verbose\n")},
      {"verbose", Text("Verbose 0\n")},
      {"crlf", Text("SbcsThermalFile a\r\nOutputFontFile o\r\nCodePage 9\r\n")},
      {"tabs", Text("SbcsImpactFile\ta\tb c\n\tSbcsImpactFile skipped\n")},
      {"key_suffix", Text("SbcsThermalFileABC x\nsbcsthermalfile y\n")},
      {"long_comment", Text("#" + std::string(249, 'c') + "\n")},
      {"long_value", Text("OutputFontFile " + longWord + "\n")},
      {"split_key", Text(std::string(199, ' ') + "SbcsSpacing 7\n")},
      {"exact_199", Text("OutputFontFile " + std::string(184, 'o') + "\n")},
      {"eleven_names",
       [] {
         std::string text;
         for (int i = 0; i < 11; ++i) {
           text += "DbcsImpactFile d" + std::to_string(i) + "\n";
         }
         return Text(text);
       }()},
      {"no_final_newline", Text("CodePage 437")},
      {"binary", Bytes{0x53, 0x62, 0x00, 0xFF, 0x0A, 0x0D, 0x0D, 0x0A, 0x09}},
  };
}

std::vector<Seed> LoaderSeeds() {
  const Bytes thermal = Sbcs(0x41, 0x43, 12, 24);
  const Bytes impact = Sbcs(0x41, 0x43, 8, 9);
  const Bytes dbcsThermal = Dbcs(kSmall, 0xFFFF, 24, 24);
  const Bytes dbcsImpact = Dbcs(kSmall, 0xFFFF, 16, 16);
  return {
      {"sbcs_thermal_12x24", Selected(1, thermal)},
      {"sbcs_thermal_12x24_verbose", Selected(5, thermal)},
      {"sbcs_thermal_8x16", Selected(1, Sbcs(0x20, 0x21, 8, 16))},
      {"sbcs_thermal_16x24", Selected(5, Sbcs(0x30, 0x31, 16, 24))},
      {"sbcs_thermal_16x32", Selected(1, Sbcs(0x30, 0x31, 16, 32))},
      {"sbcs_impact_8x9", Selected(2, impact)},
      {"sbcs_impact_8x9_verbose", Selected(6, impact)},
      {"sbcs_impact_16x16", Selected(6, Sbcs(0x41, 0x42, 16, 16))},
      {"sbcs_impact_6x8", Selected(6, Sbcs(0x41, 0x41, 6, 8))},
      {"sbcs_impact_12x9", Selected(2, Sbcs(0x141, 0x142, 12, 9))},
      {"sbcs_impact_16x12", Selected(6, Sbcs(0x41, 0x41, 16, 12))},
      {"sbcs_station_0", Selected(0, thermal)},
      {"sbcs_station_3", Selected(3, impact)},
      {"sbcs_truncated", Selected(1, Truncated(thermal, 32 + 96 + 50))},
      {"sbcs_header_only", Selected(1, Truncated(thermal, 32))},
      {"sbcs_short_header", Selected(1, Truncated(thermal, 31))},
      {"sbcs_reversed_range", Selected(1, Sbcs(0x50, 0x40, 12, 24, 2))},
      {"sbcs_top_range", Selected(2, Sbcs(0xFFFE, 0xFFFF, 8, 9))},
      {"sbcs_huge_width", Selected(1, Sbcs(0x41, 0x41, 0x80000010u, 24, 1))},
      {"dbcs_thermal_24x24", Selected(1, dbcsThermal)},
      {"dbcs_thermal_verbose", Selected(5, dbcsThermal)},
      {"dbcs_impact_16x16", Selected(2, dbcsImpact)},
      {"dbcs_impact_16x9_verbose", Selected(6, Dbcs(kSmall, 0xFFFF, 16, 9))},
      {"dbcs_all_leads", Selected(1, Dbcs(kAllLeads, 0xFFFF, 24, 24))},
      {"dbcs_all_leads_surplus",
       Selected(2, Dbcs(kAllLeads, 0xFFFF, 16, 16, 3))},
      {"dbcs_odd_trails", Selected(2, Dbcs(kOddTrails, 0x8941, 16, 16))},
      {"dbcs_last_char_low", Selected(1, Dbcs(kSmall, 0x8142, 24, 24))},
      {"dbcs_truncated", Selected(2, Truncated(dbcsImpact, 64 + 64 + 20))},
      {"dbcs_width_24_tall", Selected(2, Dbcs(kSmall, 0xFFFF, 24, 40))},
      {"dbcs_station_3", Selected(3, dbcsThermal)},
      {"dbcs_short_header", Selected(1, Truncated(dbcsThermal, 63))},
  };
}

Bytes Conversion(const std::string& config, const std::vector<Bytes>& fonts) {
  Bytes bytes = Text(config);
  for (const Bytes& font : fonts) {
    const Bytes separator = Text("\n--file--\n");
    bytes.insert(bytes.end(), separator.begin(), separator.end());
    bytes.insert(bytes.end(), font.begin(), font.end());
  }
  return bytes;
}

std::vector<Seed> ConversionSeeds() {
  const std::string allFour =
      "SbcsThermalFile @0\nSbcsImpactFile @1\nDbcsThermalFile @2\n"
      "DbcsImpactFile @3\nCodePage 932\n";
  const std::vector<Bytes> fonts = {
      Sbcs(0x41, 0x44, 12, 24), Sbcs(0x42, 0x45, 8, 9),
      Dbcs(kSmall, 0xFFFF, 24, 24), Dbcs(kSmall, 0x8142, 16, 16)};
  return {
      {"all_four", Conversion(allFour, fonts)},
      {"all_four_verbose", Conversion(allFour + "Verbose on\n", fonts)},
      {"sbcs_only",
       Conversion("SbcsThermalFile @0\nSbcsThermalFile @1\n",
                  {Sbcs(0x20, 0x22, 8, 16), Sbcs(0x21, 0x23, 16, 24)})},
      {"wrong_kinds", Conversion("SbcsThermalFile @0\nDbcsThermalFile @1\n",
                                 {fonts[2], fonts[0]})},
      {"refused_sizes",
       Conversion(
           "SbcsThermalFile @0\nSbcsImpactFile @1\n"
           "DbcsThermalFile @2\nDbcsImpactFile @3\n",
           {Sbcs(0x41, 0x41, 7, 24), Sbcs(0x41, 0x41, 4, 17),
            Dbcs(kSmall, 0xFFFF, 24, 16), Dbcs(kSmall, 0xFFFF, 16, 12)})},
      {"missing_and_empty", Conversion("SbcsThermalFile @5\nSbcsImpactFile @0\n"
                                       "DbcsImpactFile @0\nDbcsImpactFile @1\n",
                                       {Bytes{}, Truncated(fonts[3], 70)})},
      {"nine_rows", Conversion("DbcsImpactFile @0\nDbcsImpactFile @1\n",
                               {Dbcs(kSmall, 0xFFFF, 16, 16),
                                Dbcs(kAllLeads, 0xFFFF, 16, 9)})},
      {"no_fonts", Conversion("SbcsSpacing 12\nDbcsSpacing 21\n", {})},
  };
}

bool WriteSeeds(const std::filesystem::path& folder,
                const std::vector<Seed>& seeds) {
  std::filesystem::create_directories(folder);
  for (const Seed& seed : seeds) {
    if (!WriteBytes((folder / seed.name).string(), seed.bytes)) return false;
  }
  return true;
}

// Writes every target's seeds into a folder of its own under `folder`.
bool WriteEverySeed(const std::filesystem::path& folder) {
  return WriteSeeds(folder / "config_file", ConfigSeeds()) &&
         WriteSeeds(folder / "font_loaders", LoaderSeeds()) &&
         WriteSeeds(folder / "conversion", ConversionSeeds())
#ifdef VEXO_TOOL_SEEDS
         && WriteSeeds(folder / "show_readers", ShowReaderSeeds()) &&
         WriteSeeds(folder / "source_font", SourceFontSeeds()) &&
         WriteSeeds(folder / "glyph_text", GlyphTextSeeds()) &&
         WriteSeeds(folder / "preview", PreviewSeeds()) &&
         WriteSeeds(folder / "reduction", ReductionSeeds())
#endif
      ;
}

}  // namespace
}  // namespace vexo

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 1;
  }
  if (!vexo::WriteEverySeed(argv[1])) {
    std::fprintf(stderr, "could not write the seeds into '%s'\n", argv[1]);
    return 1;
  }
  return 0;
}
