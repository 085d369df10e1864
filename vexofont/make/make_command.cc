#include "vexofont/make/make_command.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "vexofont/make/cell_size.h"
#include "vexofont/make/code_page.h"
#include "vexofont/make/input_font_builder.h"
#include "vexofont/make/source_font.h"
#include "store/output_file.h"
#include "vexofont/text/glyph_text.h"
#include "store/version.h"

namespace {


// A new input font file gets rw-rw-rw- less the umask; a file it replaces
// keeps its own bits.
constexpr unsigned kNewFontFileMode = 0666;

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
    "  --first C, --last C     codes to write, decimal or 0x hexadecimal;\n"
    "                          SBCS 0x20 to 0xff by default, DBCS the whole\n"
    "                          code page (a DBCS file holds whole lead-byte\n"
    "                          rows from the lead byte of --first on; codes\n"
    "                          below --first are blank; the converter\n"
    "                          holds 20000 glyphs of all files in all)\n"
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
    "character is missing, and how many lost dots to the cell's edges.\n"
    "The file is written whole or not at all.\n"
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
  std::vector<std::string> overlays;
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
  };
  static const Valued kValued[] = {
      {"--kind", &Options::kind},         {"--station", &Options::station},
      {"--size", &Options::size},         {"--code-page", &Options::codePage},
      {"--first", &Options::first},       {"--last", &Options::last},
      {"-o", &Options::output},           {"--output", &Options::output},
      {"--overlay", nullptr},
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
    if (match->field == nullptr) {
      options->overlays.push_back(value);
    } else {
      options->*(match->field) = value;
    }
  }
  return true;
}

// Reads a code: decimal, or hexadecimal after 0x; at most 0xFFFF.
bool ParseCode(const std::string& text, int* code) {
  size_t pos = 0;
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    pos = 2;
  }
  if (pos >= text.size()) return false;
  long value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    value = value * base + digit;
    if (value > 0xFFFF) return false;
  }
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
int ReadRequest(const Options& options, FontRequest* request) {
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
  request->codePage = FindCodePage(request->kind, options.codePage);
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
                        "' is not a code (decimal, or hexadecimal after 0x, "
                        "at most 0xffff)");
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
                    const SourceFont& font, const FontCounts& counts) {
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
  line += Count(counts.written, "glyph", "glyphs") + ", " +
          std::to_string(counts.missing) + " blank because missing, ";
  if (counts.belowFirst > 0) {
    line += std::to_string(counts.belowFirst) + " blank below --first, ";
  }
  line += std::to_string(counts.clippedGlyphs) + " clipped";
  if (counts.clippedGlyphs > 0) {
    line += " (" + Count(counts.clippedDots, "dot", "dots") + " cut off)";
  }
  return line + "\n";
}

// The largest glyph text read: one of the largest input font file, all
// 65536 codes at 32 rows, is about 70 MB.
constexpr size_t kMaxTextSize = size_t{256} << 20;

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
  const std::string* font_options[] = {&options.kind,     &options.station,
                                       &options.size,     &options.codePage,
                                       &options.first,    &options.last};
  for (const std::string* option : font_options) {
    if (!option->empty()) {
      return UsageError("'" + text_path +
                        "' is a glyph text: its header gives kind, size, code "
                        "page and codes, so --kind, --station, --size, "
                        "--code-page, --first and --last are not used");
    }
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
  const uint8_t kind = text.kind;
  const FontKind font_kind = kind == kKindDbcs ? FontKind::kDbcs : FontKind::kSbcs;
  const size_t glyphs =
      (file.size() - text.tail.size() -
       (kind == kKindDbcs ? kDbcsHeaderSize : kSbcsHeaderSize)) /
      (4 * text.header.height);
  std::printf("vexofont make: wrote '%s' (%s %ux%u, code page %u, %s to %s) "
              "from glyph text '%s': %s, %zu drawn in the text%s\n",
              output_path.c_str(), kind == kKindDbcs ? "DBCS" : "SBCS",
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
  const int status = ReadRequest(options, &request);
  if (status != kMakeOk) return status;
  if (names.size() != 2) {
    return UsageError("expected a source font and an output file "
                      "(see vexofont make --help)");
  }
  const std::string& source_path = names[0];
  const std::string& output_path = names[1];
  if (OutputIsAnInput(output_path, source_path, "source font",
                      options.overlays)) {
    return kMakeOutputFailed;
  }

  SourceFont font;
  std::string error;
  if (!font.Open(source_path, request.cell, &error)) {
    std::fprintf(stderr, "vexofont make: font '%s' %s\n", source_path.c_str(),
                 error.c_str());
    return kMakeSourceFailed;
  }
  CodeMapper mapper;
  if (!mapper.Open(*request.codePage, font.charset())) {
    std::fprintf(stderr,
                 "vexofont make: iconv cannot map code page %u to '%s' of "
                 "font '%s'\n",
                 static_cast<unsigned>(request.codePage->number),
                 font.charset().label.c_str(), source_path.c_str());
    return kMakeSourceFailed;
  }

  Bytes file;
  FontCounts counts;
  const GlyphSource source = [&](int code, CellGlyph* glyph) {
    uint32_t font_code = 0;
    return mapper.Map(code, &font_code) && font.DrawGlyph(font_code, glyph);
  };
  if (!BuildInputFont(request, source, &file, &counts)) {
    return UsageError("nothing to write");  // ruled out by ReadRequest
  }
  const long replaced = ApplyOverlays(options.overlays, &file);
  if (replaced < 0) return kMakeSourceFailed;
  const int written = WriteFont(output_path, file);
  if (written != kMakeOk) return written;
  std::string summary = Summary(output_path, request, font, counts);
  summary.insert(summary.size() - 1, OverlaySummary(replaced));
  std::fputs(summary.c_str(), stdout);
  return kMakeOk;
}
