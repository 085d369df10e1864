#include "vexofont/make/make_command.h"

#include <algorithm>
#include <memory>
#include <set>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fontinput/code_text.h"
#include "fontinput/dbcs_codes.h"
#include "fontinput/font_header.h"
#include "fontinput/glyph_size.h"
#include "fontinput/stored_codes.h"
#include "vexofont/make/cell_size.h"
#include "vexofont/make/code_map.h"
#include "vexofont/make/code_page.h"
#include "vexofont/make/glyph_sources.h"
#include "vexofont/make/input_font_builder.h"
#include "vexofont/make/source_font.h"
#include "store/output_file.h"
#include "vexofont/text/glyph_overlay.h"
#include "vexofont/text/glyph_text.h"
#include "vexofont/text/glyph_text_build.h"
#include "vexofont/text/glyph_text_reader.h"
#include "store/version.h"

namespace {


// A new input font file gets rw-rw-rw- less the umask; a file it replaces
// keeps its own bits.
constexpr unsigned kNewFontFileMode = 0666;

// The largest text read (a glyph text, a --chars file): one of the largest input font file, all
// 65536 codes at 32 rows, is about 70 MB.
constexpr size_t kMaxTextSize = size_t{256} << 20;

constexpr char kHelp[] =
    "usage: vexofont make --kind sbcs|dbcs --station thermal|impact\n"
    "                     --size WxH --code-page N [--first C] [--last C]\n"
    "                     [--overlay EDITS]... SOURCE OUTPUT\n"
    "       vexofont make [--overlay EDITS]... TEXT OUTPUT\n"
    "       (OUTPUT may also be given as -o OUTPUT)\n"
    "\n"
    "Writes one input font file for the converter from SOURCE, any font\n"
    "FreeType opens: BDF or PCF (also gzip-compressed), fonts with bitmap\n"
    "strikes, TrueType and OpenType outline fonts (rendered monochrome).\n"
    "A glyph text (its first line \"vexofont glyphs 1\", as vexofont dump\n"
    "writes it) is built back into its file byte for byte; its header gives\n"
    "kind, size, code page and codes, so those options are not used.\n"
    "\n"
    "  --kind sbcs|dbcs        single-byte or double-byte font\n"
    "  --station thermal|impact\n"
    "  --size WxH              glyph cell in dots; the converter takes\n"
    "                          SBCS thermal: width 8 to 16, height 16 to 32,\n"
    "                                        at width 16 at most 24\n"
    "                          SBCS impact:  width 4 to 16, height 4 to 16\n"
    "                                        (the impact station prints the\n"
    "                                        first 8 dot columns of widths 9\n"
    "                                        to 15, none of widths 4 to 7)\n"
    "                          DBCS thermal: 24x24 only\n"
    "                          DBCS impact:  16x16 or 16x9\n"
    "  --code-page N           SBCS: 437, 850, 852, 858, 866, 1250 to 1258,\n"
    "                          8859-1 to 8859-16 except 8859-12 (8859-N is\n"
    "                          also written 28590 + N);\n"
    "                          DBCS: 932, 936, 949, 950\n"
    "  --first C, --last C     codes to write, hexadecimal (0x optional, as\n"
    "                          everywhere in vexofont: 41 is 0x41);\n"
    "                          SBCS 0x20 to 0xff by default, DBCS the whole\n"
    "                          code page (a DBCS file holds whole lead-byte\n"
    "                          rows from the lead byte of --first on; codes\n"
    "                          below --first are blank; the converter\n"
    "                          holds 20000 glyphs of all files in all)\n"
    "  --chars FILE            only the characters of this UTF-8 text file;\n"
    "                          the other codes are blank (a DBCS font then\n"
    "                          fills no table records for them)\n"
    "  --text STRING           only these characters (UTF-8); with --chars,\n"
    "                          the characters of both\n"
    "  --map FILE              the code page from FILE, lines 'CODE U+XXXX'\n"
    "                          (hexadecimal code, '#' comments), instead of\n"
    "                          iconv; --code-page is then only the number\n"
    "                          the header carries (0 to 65535)\n"
    "  --fallback FONT         draws the characters the font lacks from FONT;\n"
    "                          may be given more than once, tried in order\n"
    "  --render mono|gray:N    outline fonts: FreeType's monochrome\n"
    "                          rasteriser (the default), or anti-aliased\n"
    "                          rendering with a dot set from grey N of 255\n"
    "  --hinting none|light|full\n"
    "                          outline fonts: no hinting, the light\n"
    "                          auto-hinter, or full hinting (the default)\n"
    "  --pixel-size N          outline fonts: render at N pixels instead of\n"
    "                          the largest size that fits; bitmap fonts: use\n"
    "                          the strike N pixels high\n"
    "  --offset X,Y            move every glyph X dots right and Y dots down\n"
    "                          (negative: left, up)\n"
    "  --baseline ROW          put the baseline below the first ROW rows\n"
    "                          instead of centring the font's line\n"
    "  --cell-fill drawn|font  box drawing and block elements (U+2500 to\n"
    "                          U+259F) drawn edge to edge of the cell so that\n"
    "                          frames join (the default), or the font's own\n"
    "  --overlay EDITS         a glyph text of some glyphs (a logo, a mended\n"
    "                          letter) that replace the glyphs of their codes\n"
    "                          once the font is made; may be given more than\n"
    "                          once, later ones win\n"
    "  -o, --output OUTPUT     the file to write, instead of the second name\n"
    "  --help, --version\n"
    "\n"
    "Each code is mapped through iconv to the source font's character: to\n"
    "Unicode, or to the font's own charset for bitmap fonts that are not\n"
    "Unicode-encoded (JIS X 0208, GB 2312, KS C 5601, Big5, ISO 8859-N,\n"
    "KOI8-R, ...). A code the code page leaves empty, a control character\n"
    "and a character the font has no glyph for give a blank glyph.\n"
    "\n"
    "Bitmap fonts use the strike of the cell size, else the highest that\n"
    "fits; outline fonts are rendered at the largest size whose line (and,\n"
    "when monospace, advance) fits the cell. The font's line is centred\n"
    "vertically and glyphs stand on its baseline; a monospace font's advance\n"
    "is centred and each glyph keeps its place in it; a proportional glyph\n"
    "is centred. Dots outside the cell are cut off and counted.\n"
    "\n"
    "Prints one line: the glyphs written, how many are blank because the\n"
    "character is missing (with --chars or --text: how many were selected\n"
    "and how many of those no font has), how many lost dots to the cell's\n"
    "edges, and with --fallback how many came from each font. The file is\n"
    "written whole or not at all. Warnings go to standard error: SBCS\n"
    "impact widths the station prints only in part, and a DBCS file with\n"
    "more glyphs than the converter's table of 20000 records holds.\n"
    "\n"
    "A mistake in a glyph text is one line on standard error,\n"
    "FILE:LINE:COLUMN: message, and nothing is written.\n"
    "\n"
    "Exit status: 0 written, 1 bad arguments (also a size the converter\n"
    "refuses, an unknown code page, a range without codes), 2 the source\n"
    "font cannot be opened or its characters cannot be mapped, or a glyph\n"
    "text cannot be read or has a mistake, 4 the output file cannot be\n"
    "written.\n";

struct Options {
  std::string kind;
  std::string station;
  std::string size;
  std::string codePage;
  std::string first;
  std::string last;
  std::string output;
  std::string chars;
  std::string text;
  std::string map;
  std::string render;
  std::string hinting;
  std::string pixelSize;
  std::string offset;
  std::string baseline;
  std::string cellFill;
  std::vector<std::string> overlays;
  std::vector<std::string> fallbacks;
  std::vector<std::string> names;
  bool help = false;
  bool version = false;
};

int UsageError(const std::string& text) {
  std::fprintf(stderr, "vexofont make: %s\n", text.c_str());
  return kMakeUsage;
}

// Fills *options from argv[1..]; returns false after printing the line.
bool ParseOptions(int argc, char** argv, Options* options) {
  struct Valued {
    const char* name;
    std::string Options::*field;
    std::vector<std::string> Options::*list;  // options given more than once
  };
  static const Valued kValued[] = {
      {"--kind", &Options::kind, nullptr},
      {"--station", &Options::station, nullptr},
      {"--size", &Options::size, nullptr},
      {"--code-page", &Options::codePage, nullptr},
      {"--first", &Options::first, nullptr},
      {"--last", &Options::last, nullptr},
      {"-o", &Options::output, nullptr},
      {"--output", &Options::output, nullptr},
      {"--chars", &Options::chars, nullptr},
      {"--text", &Options::text, nullptr},
      {"--map", &Options::map, nullptr},
      {"--render", &Options::render, nullptr},
      {"--hinting", &Options::hinting, nullptr},
      {"--pixel-size", &Options::pixelSize, nullptr},
      {"--offset", &Options::offset, nullptr},
      {"--baseline", &Options::baseline, nullptr},
      {"--cell-fill", &Options::cellFill, nullptr},
      {"--overlay", nullptr, &Options::overlays},
      {"--fallback", nullptr, &Options::fallbacks},
  };
  bool options_end = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options_end || arg.empty() || arg[0] != '-' || arg == "-") {
      options->names.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_end = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      options->help = true;
      continue;
    }
    if (arg == "--version") {
      options->version = true;
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const Valued* match = nullptr;
    for (const Valued& valued : kValued) {
      if (name == valued.name) match = &valued;
    }
    if (match == nullptr) {
      UsageError("unknown option '" + name + "' (see vexofont make --help)");
      return false;
    }
    std::string value;
    bool has_value = true;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      has_value = false;
    }
    if (!has_value || value.empty()) {
      UsageError("option '" + name + "' needs a value");
      return false;
    }
    if (match->list != nullptr) {
      (options->*(match->list)).push_back(value);
    } else {
      options->*(match->field) = value;
    }
  }
  return true;
}

// Reads a decimal number from `low` to `high`, a minus sign allowed.
bool ParseNumber(const std::string& text, int low, int high, int* value) {
  size_t pos = text.size() > 1 && text[0] == '-' ? 1 : 0;
  if (pos >= text.size() || text.size() - pos > 7) return false;
  int result = 0;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return false;
    result = result * 10 + (text[pos] - '0');
  }
  if (text[0] == '-') result = -result;
  if (result < low || result > high) return false;
  *value = result;
  return true;
}

// Checks the rendering options; fills *render and *cellFill. Returns
// kMakeOk or prints the line and returns kMakeUsage.
int ReadRenderOptions(const Options& options, CellSize cell,
                      RenderOptions* render, bool* cellFill) {
  if (!options.render.empty()) {
    int threshold = 0;
    if (options.render == "mono") {
      render->render = RenderOptions::Render::kMono;
    } else if (options.render.rfind("gray:", 0) == 0 &&
               ParseNumber(options.render.substr(5), 1, 255, &threshold)) {
      render->render = RenderOptions::Render::kGray;
      render->threshold = threshold;
    } else {
      return UsageError("--render '" + options.render +
                        "' is neither mono nor gray:N (N from 1 to 255)");
    }
  }
  if (!options.hinting.empty()) {
    if (options.hinting == "none") {
      render->hinting = RenderOptions::Hinting::kNone;
    } else if (options.hinting == "light") {
      render->hinting = RenderOptions::Hinting::kLight;
    } else if (options.hinting == "full") {
      render->hinting = RenderOptions::Hinting::kFull;
    } else {
      return UsageError("--hinting '" + options.hinting +
                        "' is not none, light or full");
    }
  }
  if (!options.pixelSize.empty() &&
      !ParseNumber(options.pixelSize, 1, 1000, &render->pixelSize)) {
    return UsageError("--pixel-size '" + options.pixelSize +
                      "' is not a number of pixels from 1 to 1000");
  }
  if (!options.offset.empty()) {
    const size_t comma = options.offset.find(',');
    if (comma == std::string::npos ||
        !ParseNumber(options.offset.substr(0, comma), -1000, 1000,
                     &render->offsetX) ||
        !ParseNumber(options.offset.substr(comma + 1), -1000, 1000,
                     &render->offsetY)) {
      return UsageError("--offset '" + options.offset +
                        "' is not X,Y (dots right and down, -1000 to 1000)");
    }
  }
  if (!options.baseline.empty() &&
      !ParseNumber(options.baseline, 0, cell.height, &render->baseline)) {
    return UsageError("--baseline '" + options.baseline +
                      "' is not a row from 0 to " + std::to_string(cell.height) +
                      " (the rows above the baseline)");
  }
  if (!options.cellFill.empty()) {
    if (options.cellFill == "drawn") {
      *cellFill = true;
    } else if (options.cellFill == "font") {
      *cellFill = false;
    } else {
      return UsageError("--cell-fill '" + options.cellFill +
                        "' is neither drawn nor font");
    }
  }
  return kMakeOk;
}

// Reads a code: hexadecimal, with or without 0x, as every code is written
// in vexofont; at most 0xFFFF.
bool ParseCode(const std::string& text, int* code) {
  unsigned long value = 0;
  if (!ParseHexCode(text, 0xFFFF, &value)) return false;
  *code = static_cast<int>(value);
  return true;
}

std::string CodeText(FontKind kind, int code) {
  char text[16];
  std::snprintf(text, sizeof(text), kind == FontKind::kSbcs ? "0x%02x" : "0x%04x",
                code);
  return text;
}

// The first and last code of a DBCS code page.
void CodePageBounds(const CodePage& page, int* first, int* last) {
  int lead_low = 0xFF, lead_high = 0, trail_low = 0xFF, trail_high = 0;
  for (int i = 0; i < kRangeSlots; ++i) {
    if (page.lead[i].first != 0) {
      lead_low = std::min<int>(lead_low, page.lead[i].first);
      lead_high = std::max<int>(lead_high, page.lead[i].last);
    }
    if (page.trail[i].first != 0) {
      trail_low = std::min<int>(trail_low, page.trail[i].first);
      trail_high = std::max<int>(trail_high, page.trail[i].last);
    }
  }
  *first = lead_low << 8 | trail_low;
  *last = lead_high << 8 | trail_high;
}

// Checks the options that describe the file; fills *request. Returns
// kMakeOk or prints the line and returns kMakeUsage.
int ReadRequest(const Options& options, CodeMap* map, CodePage* mappedPage,
                FontRequest* request) {
  if (options.kind.empty()) return UsageError("--kind is missing (sbcs or dbcs)");
  if (options.kind == "sbcs") {
    request->kind = FontKind::kSbcs;
  } else if (options.kind == "dbcs") {
    request->kind = FontKind::kDbcs;
  } else {
    return UsageError("unknown kind '" + options.kind + "' (sbcs or dbcs)");
  }
  if (options.station.empty()) {
    return UsageError("--station is missing (thermal or impact)");
  }
  if (options.station == "thermal") {
    request->station = Station::kThermal;
  } else if (options.station == "impact") {
    request->station = Station::kImpact;
  } else {
    return UsageError("unknown station '" + options.station +
                      "' (thermal or impact)");
  }
  const std::string kind_station =
      KindStationName(request->kind, request->station);
  if (options.size.empty()) return UsageError("--size is missing (WxH)");
  if (!ParseCellSize(options.size, &request->cell)) {
    return UsageError("size '" + options.size + "' is not WxH");
  }
  if (!CellSizeAccepted(request->kind, request->station, request->cell)) {
    return UsageError("the converter does not take " + kind_station +
                      " fonts of " + options.size + " (" +
                      AcceptedCellSizes(request->kind, request->station) +
                      ")");
  }
  const char* kind_name = request->kind == FontKind::kSbcs ? "SBCS" : "DBCS";
  if (options.codePage.empty()) return UsageError("--code-page is missing");
  if (!options.map.empty()) {
    // A user's code page: any number for the header, the map's codes.
    int number = 0;
    if (!ParseNumber(options.codePage, 0, 0xFFFF, &number)) {
      return UsageError("with --map, --code-page takes the number the "
                        "header carries (0 to 65535), not '" +
                        options.codePage + "'");
    }
    std::string error;
    if (!map->Read(options.map, request->kind, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return kMakeSourceFailed;
    }
    *mappedPage = map->AsCodePage(static_cast<uint16_t>(number));
    request->codePage = mappedPage;
  } else {
    request->codePage = FindCodePage(request->kind, options.codePage);
  }
  if (request->codePage == nullptr) {
    return UsageError("unknown code page '" + options.codePage + "' for " +
                      kind_name + " fonts (" + ListCodePages(request->kind) +
                      ")");
  }
  if (request->kind == FontKind::kSbcs) {
    request->first = 0x20;
    request->last = 0xFF;
  } else {
    CodePageBounds(*request->codePage, &request->first, &request->last);
  }
  const int max_code = request->kind == FontKind::kSbcs ? 0xFF : 0xFFFF;
  struct Bound {
    const char* name;
    const std::string& text;
    int* code;
  };
  const Bound bounds[] = {{"--first", options.first, &request->first},
                          {"--last", options.last, &request->last}};
  for (const Bound& bound : bounds) {
    if (bound.text.empty()) continue;
    if (!ParseCode(bound.text, bound.code)) {
      return UsageError(std::string(bound.name) + " '" + bound.text +
                        "' is not a code (hexadecimal, 0x optional, at most "
                        "ffff)");
    }
    if (*bound.code > max_code) {
      return UsageError(std::string(bound.name) + " " + bound.text +
                        " is beyond 0xff, the last SBCS code");
    }
  }
  if (request->first > request->last) {
    return UsageError("--first " + CodeText(request->kind, request->first) +
                      " is above --last " +
                      CodeText(request->kind, request->last));
  }
  if (request->kind == FontKind::kDbcs && !DbcsRangeHasCodes(*request)) {
    return UsageError("code page " + std::to_string(request->codePage->number) +
                      " has no code from " +
                      CodeText(request->kind, request->first) + " to " +
                      CodeText(request->kind, request->last));
  }
  return kMakeOk;
}

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Summary(const std::string& output, const FontRequest& request,
                    const SourceFont& font, const FontCounts& counts,
                    const GlyphSources::Counts& drawn, bool selecting,
                    const std::vector<std::string>& fontPaths) {
  char text[512];
  std::snprintf(text, sizeof(text),
                "vexofont make: wrote '%s' (%s %dx%d, code page %u, %s to "
                "%s, %s): ",
                output.c_str(), KindStationName(request.kind, request.station),
                request.cell.width, request.cell.height,
                static_cast<unsigned>(request.codePage->number),
                CodeText(request.kind, request.first).c_str(),
                CodeText(request.kind, request.last).c_str(),
                font.rendering().c_str());
  std::string line = text;
  line += Count(counts.written, "glyph", "glyphs") + ", ";
  if (selecting) {
    line += std::to_string(drawn.selected) + " selected (" +
            std::to_string(drawn.selectedMissing) + " of them missing), " +
            std::to_string(drawn.notSelected) + " blank as not selected, ";
  } else {
    line += std::to_string(counts.missing) + " blank because missing, ";
  }
  if (counts.belowFirst > 0) {
    line += std::to_string(counts.belowFirst) + " blank below --first, ";
  }
  line += std::to_string(counts.clippedGlyphs) + " clipped";
  if (counts.clippedGlyphs > 0) {
    line += " (" + Count(counts.clippedDots, "dot", "dots") + " cut off)";
  }
  if (drawn.cellFillings > 0) {
    line += ", " + std::to_string(drawn.cellFillings) +
            " box drawing and block glyphs drawn edge to edge";
  }
  if (fontPaths.size() > 1) {
    line += ", glyphs from";
    for (size_t i = 0; i < fontPaths.size(); ++i) {
      line += (i == 0 ? " '" : ", '") + fontPaths[i] +
              "' " + std::to_string(drawn.fromFont[i]);
    }
  }
  return line + "\n";
}

// The characters --chars and --text select. Returns false after printing
// the line, with the status in *status.
bool ReadSelection(const Options& options, std::set<uint32_t>* selection,
                   int* status) {
  size_t bad_at = 0;
  if (!options.text.empty() &&
      !CharactersOfText(options.text, selection, &bad_at)) {
    *status = UsageError("--text is not UTF-8 (byte " +
                         std::to_string(bad_at) + ")");
    return false;
  }
  if (options.chars.empty()) return true;
  std::vector<uint8_t> bytes;
  bool cut = false;
  if (ReadLimitedFile(options.chars.c_str(), kMaxTextSize, &bytes, &cut) !=
          ReadResult::kRead ||
      cut) {
    std::fprintf(stderr, "vexofont make: cannot read --chars file '%s'\n",
                 options.chars.c_str());
    *status = kMakeSourceFailed;
    return false;
  }
  if (!CharactersOfText(std::string(bytes.begin(), bytes.end()), selection,
                        &bad_at)) {
    std::fprintf(stderr,
                 "vexofont make: --chars file '%s' is not UTF-8 (byte %zu)\n",
                 options.chars.c_str(), bad_at);
    *status = kMakeSourceFailed;
    return false;
  }
  return true;
}

// What the converter will do with the file that the user may not expect.
void PrintWarnings(const FontRequest& request, const Bytes& file) {
  if (request.kind == FontKind::kSbcs && request.station == Station::kImpact) {
    const std::string warning = ImpactWidthWarning(request.cell.width);
    if (!warning.empty()) {
      std::fprintf(stderr, "vexofont make: warning: %s\n", warning.c_str());
    }
  }
  if (request.kind != FontKind::kDbcs) return;
  // The records the file fills, by the loaders' own rule (no blank DBCS
  // glyph is stored).
  struct Table {
    std::vector<bool> seen = std::vector<bool>(65536, false);
    int stored = 0;
    int beyond = 0;
    int first_dropped = -1;
  } table;
  ForEachStoredCode(
      file.data(), file.size(), request.kind, request.station,
      [](void* context, int lead, int trail) {
        Table& t = *static_cast<Table*>(context);
        const int code = lead << 8 | trail;
        if (t.seen[code]) return;
        if (t.stored < kGlyphTableSize) {
          t.seen[code] = true;
          ++t.stored;
        } else {
          if (t.first_dropped < 0) t.first_dropped = code;
          ++t.beyond;
        }
      },
      &table);
  const int stored = table.stored;
  const int beyond = table.beyond;
  const int first_dropped = table.first_dropped;
  if (beyond > 0) {
    std::fprintf(stderr,
                 "vexofont make: warning: %d glyphs are not blank, more than "
                 "the %d records the converter's glyph table holds for all "
                 "files together: %d codes from 0x%04x on would be dropped "
                 "(choose characters with --chars or --text, or narrow "
                 "--first and --last)\n",
                 stored + beyond, kGlyphTableSize, beyond, first_dropped);
  }
}

// Whether the file `path` begins with the glyph text's first line.
bool IsGlyphTextFile(const std::string& path) {
  std::FILE* file = OpenRawFileForReading(path.c_str());
  if (file == nullptr) return false;
  uint8_t start[64];
  const size_t got = std::fread(start, 1, sizeof(start), file);
  std::fclose(file);
  return LooksLikeGlyphText(start, got);
}

// Reads and parses the glyph text `path`; prints the line and returns
// false on failure.
bool ReadGlyphText(const std::string& path, bool overlay, GlyphText* text) {
  std::vector<uint8_t> bytes;
  bool cut = false;
  const ReadResult read =
      ReadLimitedFile(path.c_str(), kMaxTextSize, &bytes, &cut);
  if (read != ReadResult::kRead) {
    std::fprintf(stderr, "vexofont make: cannot %s glyph text '%s'\n",
                 read == ReadResult::kCannotOpen ? "open" : "read",
                 path.c_str());
    return false;
  }
  if (cut) {
    std::fprintf(stderr,
                 "vexofont make: glyph text '%s' is longer than %zu bytes\n",
                 path.c_str(), kMaxTextSize);
    return false;
  }
  TextError error;
  if (!ParseGlyphText(std::string(bytes.begin(), bytes.end()), overlay, text,
                      &error)) {
    std::fprintf(stderr, "%s\n", FormatTextError(path, error).c_str());
    return false;
  }
  return true;
}

// Applies the overlays in order; returns how many glyphs they replaced, or
// -1 after printing the line of the first mistake.
long ApplyOverlays(const std::vector<std::string>& overlays, Bytes* file) {
  long replaced = 0;
  for (const std::string& path : overlays) {
    GlyphText overlay;
    if (!ReadGlyphText(path, true, &overlay)) return -1;
    TextError error;
    if (!ApplyGlyphOverlay(overlay, file, &error)) {
      std::fprintf(stderr, "%s\n", FormatTextError(path, error).c_str());
      return -1;
    }
    replaced += static_cast<long>(overlay.glyphs.size());
  }
  return replaced;
}

int WriteFont(const std::string& output_path, const Bytes& file) {
  const int write_error = WriteWholeFile(output_path.c_str(), file.data(),
                                         file.size(), kNewFontFileMode);
  if (write_error != 0) {
    std::fprintf(stderr, "vexofont make: cannot write '%s': %s\n",
                 output_path.c_str(), std::strerror(write_error));
    return kMakeOutputFailed;
  }
  return kMakeOk;
}

// Refuses an output that is the source or one of the overlays.
bool OutputIsAnInput(const std::string& output, const std::string& source,
                     const char* sourceName,
                     const std::vector<std::string>& overlays) {
  std::vector<std::pair<std::string, const char*>> inputs = {
      {source, sourceName}};
  for (const std::string& overlay : overlays) inputs.push_back({overlay, "overlay"});
  for (const auto& [input, name] : inputs) {
    if (SameExistingFile(output.c_str(), input.c_str())) {
      std::fprintf(stderr,
                   "vexofont make: output '%s' is the %s '%s'; nothing "
                   "written\n",
                   output.c_str(), name, input.c_str());
      return true;
    }
  }
  return false;
}

std::string OverlaySummary(long replaced) {
  if (replaced <= 0) return "";
  return ", " + Count(static_cast<int>(replaced), "glyph", "glyphs") +
         " from overlays";
}

// `vexofont make TEXT OUTPUT`.
int MakeFromGlyphText(const Options& options, const std::string& text_path,
                      const std::string& output_path) {
  const std::string* font_options[] = {
      &options.kind,     &options.station, &options.size,    &options.codePage,
      &options.first,    &options.last,    &options.chars,   &options.text,
      &options.map,      &options.render,  &options.hinting, &options.pixelSize,
      &options.offset,   &options.baseline, &options.cellFill};
  bool any = !options.fallbacks.empty();
  for (const std::string* option : font_options) any = any || !option->empty();
  if (any) {
    return UsageError("'" + text_path +
                      "' is a glyph text: its header gives kind, size, code "
                      "page and codes and its glyphs are drawn, so only "
                      "--overlay and -o go with it");
  }
  GlyphText text;
  if (!ReadGlyphText(text_path, false, &text)) return kMakeSourceFailed;
  Bytes file;
  TextError error;
  if (!BuildFromGlyphText(text, &file, &error)) {
    std::fprintf(stderr, "%s\n", FormatTextError(text_path, error).c_str());
    return kMakeSourceFailed;
  }
  const long replaced = ApplyOverlays(options.overlays, &file);
  if (replaced < 0) return kMakeSourceFailed;
  const int status = WriteFont(output_path, file);
  if (status != kMakeOk) return status;
  const FontKind kind = text.kind;
  const FontKind font_kind = kind;
  const size_t glyphs =
      (file.size() - text.tail.size() -
       (kind == FontKind::kDbcs ? kDbcsHeaderSize : kSbcsHeaderSize)) /
      (4 * text.header.height);
  std::printf("vexofont make: wrote '%s' (%s %ux%u, code page %u, %s to %s) "
              "from glyph text '%s': %s, %zu drawn in the text%s\n",
              output_path.c_str(), kind == FontKind::kDbcs ? "DBCS" : "SBCS",
              static_cast<unsigned>(text.header.width),
              static_cast<unsigned>(text.header.height),
              static_cast<unsigned>(text.header.codePage),
              CodeText(font_kind, text.header.firstChar).c_str(),
              CodeText(font_kind, text.header.lastChar).c_str(),
              text_path.c_str(),
              Count(static_cast<int>(glyphs), "glyph", "glyphs").c_str(),
              text.glyphs.size(), OverlaySummary(replaced).c_str());
  return kMakeOk;
}

}  // namespace

int RunMakeCommand(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) return kMakeUsage;
  if (options.help) {
    std::fputs(kHelp, stdout);
    return kMakeOk;
  }
  if (options.version) {
    std::printf("vexofont make %s\n", kReleaseVersion);
    return kMakeOk;
  }
  std::vector<std::string> names = options.names;
  if (!options.output.empty()) names.push_back(options.output);
  if (names.size() == 2 && IsGlyphTextFile(names[0])) {
    if (OutputIsAnInput(names[1], names[0], "glyph text", options.overlays)) {
      return kMakeOutputFailed;
    }
    return MakeFromGlyphText(options, names[0], names[1]);
  }

  FontRequest request;
  CodeMap map;
  CodePage mapped_page = {};
  int status = ReadRequest(options, &map, &mapped_page, &request);
  if (status != kMakeOk) return status;
  RenderOptions render;
  bool cell_fill = true;
  status = ReadRenderOptions(options, request.cell, &render, &cell_fill);
  if (status != kMakeOk) return status;
  std::set<uint32_t> selection;
  const bool selecting = !options.chars.empty() || !options.text.empty();
  if (!ReadSelection(options, &selection, &status)) return status;
  if (names.size() != 2) {
    return UsageError("expected a source font and an output file "
                      "(see vexofont make --help)");
  }
  const std::string& source_path = names[0];
  const std::string& output_path = names[1];
  std::vector<std::string> inputs = options.fallbacks;
  inputs.insert(inputs.end(), options.overlays.begin(), options.overlays.end());
  if (OutputIsAnInput(output_path, source_path, "source font", inputs)) {
    return kMakeOutputFailed;
  }

  // The main font, then the fallbacks in order.
  std::vector<std::string> font_paths = {source_path};
  font_paths.insert(font_paths.end(), options.fallbacks.begin(),
                    options.fallbacks.end());
  std::vector<std::unique_ptr<SourceFont>> fonts;
  std::vector<SourceFont*> font_list;
  for (const std::string& path : font_paths) {
    fonts.push_back(std::make_unique<SourceFont>());
    std::string error;
    if (!fonts.back()->Open(path, request.cell, render, &error)) {
      std::fprintf(stderr, "vexofont make: font '%s' %s\n", path.c_str(),
                   error.c_str());
      return kMakeSourceFailed;
    }
    font_list.push_back(fonts.back().get());
  }
  GlyphSources sources;
  int unmapped = 0;
  if (!sources.Open(*request.codePage, options.map.empty() ? nullptr : &map,
                    font_list, request.cell, &unmapped)) {
    std::fprintf(stderr,
                 "vexofont make: iconv cannot map %s to '%s' of font '%s'\n",
                 options.map.empty()
                     ? ("code page " +
                        std::to_string(request.codePage->number)).c_str()
                     : "Unicode",
                 font_list[unmapped]->charset().label.c_str(),
                 font_paths[unmapped].c_str());
    return kMakeSourceFailed;
  }
  if (selecting) sources.Select(selection);
  sources.DrawCellFillings(cell_fill);

  Bytes file;
  FontCounts counts;
  const GlyphSource source = [&sources](int code, CellGlyph* glyph) {
    return sources.Draw(code, glyph);
  };
  if (!BuildInputFont(request, source, &file, &counts)) {
    return UsageError("nothing to write");  // ruled out by ReadRequest
  }
  const long replaced = ApplyOverlays(options.overlays, &file);
  if (replaced < 0) return kMakeSourceFailed;
  const int written = WriteFont(output_path, file);
  if (written != kMakeOk) return written;
  std::string summary =
      Summary(output_path, request, *font_list[0], counts, sources.counts(),
              selecting, font_paths);
  summary.insert(summary.size() - 1, OverlaySummary(replaced));
  std::fputs(summary.c_str(), stdout);
  PrintWarnings(request, file);
  return kMakeOk;
}
