// The seeds of the companion tool's fuzz targets: for show_readers, small
// output font files made by the converter itself and input font files of
// every kind, whole and damaged; for source_font, BDF fonts as the tests
// write them, plain and gzip-stored, each after its selector byte. The PCF
// seeds of source_font are copies of a public-domain X11 font, kept in the
// corpus.
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "testkit/bdf_font.h"
#include "fuzz/fuzz_seeds.h"
#include "testkit/test_fonts.h"
#include "testkit/run_capture.h"
#include "vexofont/text/glyph_text.h"
#include "vexofont/text/glyph_text_writer.h"

namespace vexo {

namespace {

// The output font file the converter makes of `fonts`, each under its key.
Bytes Converted(const std::vector<std::pair<std::string, Bytes>>& fonts,
                const std::string& extra = "") {
  ScratchDir dir;
  std::string config = extra;
  for (size_t i = 0; i < fonts.size(); ++i) {
    const std::string path = dir.File("f" + std::to_string(i));
    WriteBytes(path, fonts[i].second);
    config += fonts[i].first + " " + path + "\n";
  }
  config += "OutputFontFile " + dir.File("out") + "\n";
  RunConverterOn(dir.WriteText("run.cfg", config));
  return ReadBytes(dir.File("out"));
}

}  // namespace

std::vector<FuzzSeed> ShowReaderSeeds() {
  int codes = 0;
  const Bytes sbcsThermal = PatternSbcsFont(0x41, 0x44, 12, 24);
  const Bytes sbcsImpact = PatternSbcsFont(0x42, 0x45, 8, 9);
  const Bytes dbcsThermal =
      PatternDbcsFont({{0x81, 0x81}}, 0x8143, 24, 24, &codes);
  const Bytes dbcsImpact =
      PatternDbcsFont({{0x81, 0x81}}, 0x8142, 16, 9, &codes);
  const Bytes allFour = Converted({{"SbcsThermalFile", sbcsThermal},
                                   {"SbcsImpactFile", sbcsImpact},
                                   {"DbcsThermalFile", dbcsThermal},
                                   {"DbcsImpactFile", dbcsImpact}},
                                  "CodePage 932\n");
  Bytes badMarker = allFour;
  if (badMarker.size() > 82) badMarker[82] = 0;
  Bytes cut = allFour;
  cut.resize(cut.size() / 2);
  Bytes trailing = allFour;
  for (uint8_t extra : {1, 2, 3}) trailing.push_back(extra);
  return {
      {"output_all_four", allFour},
      {"output_sbcs_16x24",
       Converted({{"SbcsThermalFile", PatternSbcsFont(0x20, 0x23, 16, 24)},
                  {"SbcsImpactFile", PatternSbcsFont(0x20, 0x21, 16, 16)}})},
      {"output_no_glyphs", Converted({})},
      {"output_bad_marker", badMarker},
      {"output_cut", cut},
      {"output_trailing", trailing},
      {"input_sbcs_thermal", sbcsThermal},
      {"input_sbcs_impact_5x7", PatternSbcsFont(0x30, 0x33, 5, 7)},
      {"input_dbcs_thermal", dbcsThermal},
      {"input_dbcs_impact_9_rows", dbcsImpact},
      {"input_sbcs_cut", Bytes(sbcsThermal.begin(), sbcsThermal.begin() + 100)},
  };
}

namespace {

Bytes Selected(uint8_t selector, const std::string& text) {
  Bytes bytes(text.size() + 1, selector);
  std::copy(text.begin(), text.end(), bytes.begin() + 1);
  return bytes;
}

}  // namespace

std::vector<FuzzSeed> SourceFontSeeds() {
  BdfFont cell;
  cell.glyphs = {CellGlyphOf('A', PatternGlyph('A', 8, 16), 8, 4),
                 CellGlyphOf('B', PatternGlyph('B', 8, 16), 8, 4),
                 CellGlyphOf(0x2500, PatternGlyph(0x2500, 8, 16), 8, 4)};
  BdfFont proportional = cell;
  proportional.spacing = "P";
  proportional.glyphs[0].xOffset = -3;
  proportional.glyphs[1].yOffset = 9;
  proportional.glyphs[1].advance = 11;
  BdfFont latin1 = cell;
  latin1.registry = "ISO8859";
  latin1.encoding = "1";
  BdfFont jis = cell;
  jis.registry = "JISX0208.1983";
  jis.encoding = "0";
  jis.boxWidth = 16;
  jis.glyphs = {CellGlyphOf(0x2422, PatternGlyph(1, 16, 16), 16, 4)};
  return {
      {"bdf_cell_8x16", Selected(0, BdfText(cell))},
      {"bdf_cell_gzip_stored", Selected(8 | 1, BdfText(cell))},
      {"bdf_proportional_impact", Selected(4, BdfText(proportional))},
      {"bdf_latin1_4x4", Selected(3, BdfText(latin1))},
      {"bdf_jis_24x24", Selected(6, BdfText(jis))},
      {"not_a_font", Selected(0, "STARTFONT 2.1\nCHARS 1\n")},
  };
}

namespace {

Bytes Dumped(const Bytes& file) {
  std::string text, problem;
  DumpInputFont(file.data(), file.size(), nullptr, nullptr, &text, &problem);
  return Bytes(text.begin(), text.end());
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace

std::vector<FuzzSeed> GlyphTextSeeds() {
  int codes = 0;
  Bytes odd = PatternSbcsFont(0x41, 0x42, 4, 4);
  for (size_t i = 32; i < odd.size(); ++i) odd[i] ^= 0x5A;  // padding dots
  odd.push_back(0x7F);
  std::string rows;
  for (int r = 0; r < 16; ++r) rows += r % 2 ? "#.#.#.#.\n" : ".#.#.#.#\n";
  return {
      {"sbcs_8x16", Dumped(PatternSbcsFont(0x41, 0x43, 8, 16))},
      {"sbcs_odd_4x4", Dumped(odd)},
      {"sbcs_cut", Dumped(Bytes(odd.begin(), odd.begin() + 40))},
      {"dbcs_16x9", Dumped(PatternDbcsFont({{0x81, 0x81}}, 0x8142, 16, 9,
                                           &codes))},
      {"dbcs_24x24", Dumped(PatternDbcsFont({{0x81, 0x81}}, 0x8141, 24, 24,
                                            &codes))},
      {"overlay", Text("vexofont glyphs 1\n# a mark\nwidth 8\n\nglyph 41\n" +
                       rows + "glyph 42\n" + rows)},
      {"crlf_comments",
       Text("vexofont glyphs 1\r\nkind sbcs\r\ncode-page 437\r\nfirst 41\r\n"
            "last 41\r\nwidth 4\r\nheight 4\r\n# c\r\nglyph 41  # A\r\n"
            "#..#|...........................#\r\n.##.\r\n.##.\r\n#..#\r\n\r\ntail 00 ff\r\n")},
  };
}

namespace {

// Selector bytes, a text and the files of a preview, each file after the
// separator line.
Bytes Preview(std::initializer_list<uint8_t> selectors, const std::string& text,
              const std::vector<Bytes>& files) {
  Bytes bytes(selectors);
  bytes.insert(bytes.end(), text.begin(), text.end());
  for (const Bytes& file : files) {
    const std::string separator = "\n--file--\n";
    bytes.insert(bytes.end(), separator.begin(), separator.end());
    bytes.insert(bytes.end(), file.begin(), file.end());
  }
  return bytes;
}

}  // namespace

std::vector<FuzzSeed> PreviewSeeds() {
  int codes = 0;
  const Bytes sbcsThermal = PatternSbcsFont(0x20, 0x7E, 12, 24);
  const Bytes sbcsImpact = PatternSbcsFont(0x20, 0x7E, 8, 9);
  const Bytes dbcsThermal =
      PatternDbcsFont({{0x82, 0x82}}, 0x82F1, 24, 24, &codes);
  const Bytes dbcsImpact =
      PatternDbcsFont({{0x82, 0x82}}, 0x82F1, 16, 9, &codes);
  const Bytes output = Converted({{"SbcsThermalFile", sbcsThermal},
                                  {"SbcsImpactFile", sbcsImpact},
                                  {"DbcsThermalFile", dbcsThermal},
                                  {"DbcsImpactFile", dbcsImpact}},
                                 "CodePage 932\n");
  const std::string config =
      "SbcsThermalFile @0\nSbcsImpactFile @1\nDbcsThermalFile @2\n"
      "DbcsImpactFile @3\nCodePage 932\n";
  const std::string receipt = "ABC 123\n\xe3\x81\x82\xe3\x81\x84 x\tY\n\n~\\";
  return {
      {"text_picture", Preview({0, 0, 0}, receipt, {output})},
      {"png_and_page", Preview({2 | 4, 0x21, 1}, receipt, {output})},
      {"page_side_by_side_thermal",
       Preview({4 | 8 | 16 | 64, 0x43, 2}, receipt, {output})},
      {"config_png", Preview({1 | 2 | 32, 0, 0}, receipt,
                             {Bytes(config.begin(), config.end()), sbcsThermal,
                              sbcsImpact, dbcsThermal, dbcsImpact})},
      {"code_page_936",
       Preview({128 | 4, 0, 2 << 5}, "\xe4\xbd\xa0", {output})},
      {"bad_station_and_widths", Preview({48, 0x56, 4}, "x", {output})},
      {"not_an_output", Preview({0, 0, 0}, "x", {sbcsThermal})},
  };
}

std::vector<FuzzSeed> ReductionSeeds() {
  // Rows of 16, top first: a box with a bar through it, three bars, a
  // vertical stroke, blank rows.
  const uint32_t box[16] = {0, 0xFFFF0000, 0x80010000, 0x80010000, 0x80010000,
                            0xFFFF0000, 0x80010000, 0x80010000, 0xFFFF0000,
                            0x80010000, 0x80010000, 0x80010000, 0xFFFF0000,
                            0, 0, 0};
  const uint32_t bars[16] = {0xFFF00000, 0, 0xFFF00000, 0, 0xFFF00000, 0,
                             0x01000000, 0x01000000, 0x01000000, 0x01000000,
                             0xFFF00000, 0, 0, 0x0F000000, 0x0F000000, 0};
  std::vector<FuzzSeed> seeds;
  for (const auto& [name, rows] : {std::pair{"box", box}, std::pair{"bars", bars}}) {
    for (uint8_t to : {5, 7, 11}) {  // 9, 11 and 15 rows (4 + to % 12)
      Bytes bytes = {to};
      for (uint32_t row : std::vector<uint32_t>(rows, rows + 16)) {
        for (int shift : {24, 16, 8, 0}) bytes.push_back(uint8_t(row >> shift));
      }
      seeds.push_back({std::string(name) + "_to_" + std::to_string(4 + to % 12), bytes});
    }
  }
  return seeds;
}

}  // namespace vexo
