#include "vexofont/show/show_command.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver/config_file.h"
#include "fontinput/glyph_size.h"
#include "fontinput/stored_codes.h"
#include "store/converter_settings.h"
#include "vexofont/show/code_selection.h"
#include "vexofont/show/contact_sheet.h"
#include "vexofont/show/font_summary.h"
#include "vexofont/show/glyph_listing.h"
#include "vexofont/show/input_file_reader.h"
#include "vexofont/show/output_file_reader.h"
#include "vexofont/show/problem_list.h"
#include "vexofont/show/shown_font.h"
#include "fontinput/font_header.h"
#include "store/glyph_table.h"
#include "store/output_file.h"
#include "store/output_font_file.h"
#include "store/version.h"

namespace {


constexpr char kUsage[] =
    "usage: vexofont show FILE [--code C|A-B]... [--png FILE] [--config CONFIG]\n";

constexpr char kHelp[] =
    "\n"
    "Checks an input font file or an output font file of the vexocnvt\n"
    "converter, prints its parameters, its glyph counts per kind and\n"
    "station and the codes present, and shows its glyphs as the thermal\n"
    "and the impact station print them.\n"
    "\n"
    "  --code C|A-B  print the glyph of code C, or the glyphs of codes A\n"
    "                to B, as dot pictures, thermal and impact side by side;\n"
    "                codes in hexadecimal (41, 0x8140, 20-7e); may be given\n"
    "                more than once\n"
    "  --png FILE    write a contact sheet to FILE (PNG): of every glyph,\n"
    "                or with --code of the chosen codes only;\n"
    "                a sheet taller than 8192 pixel rows is split between\n"
    "                grid rows into FILE-1.png, FILE-2.png, ... (the number\n"
    "                before the extension), at most 64 pages\n"
    "  --config CONFIG\n"
    "                with an output font file: which codes of the input\n"
    "                fonts CONFIG lists the file holds, and which it does\n"
    "                not (a warning on standard error names how many)\n"
    "  --help        print this help and exit\n"
    "  --version     print the version and exit\n"
    "\n"
    "Every problem found in the file is printed on standard error as one\n"
    "line that names the file and the byte offset. No more is read than the\n"
    "largest sound font file holds and a margin (8454176 bytes): a longer\n"
    "file, a device or a pipe that goes on is a problem at that offset.\n"
    "\n"
    "Exit status:\n"
    "  0  the file is sound\n"
    "  1  usage error\n"
    "  3  the file is unsound (its problems are printed)\n"
    "  4  the file cannot be read, or the PNG file cannot be written\n";

constexpr int kExitSound = 0;
constexpr int kExitUsage = 1;
constexpr int kExitUnsound = 3;
constexpr int kExitUnreadable = 4;

struct ShowOptions {
  const char* file = nullptr;
  const char* png = nullptr;
  const char* config = nullptr;
  std::vector<CodeRange> codes;
};

void IgnoreConfigLine(void*, const ConfigLine&) {}


// For an output font file: the codes of the input fonts `config` lists
// that the file does not hold, font by font. Returns how many there are,
// or -1 when the configuration cannot be read.
long PrintCodesNotStored(const char* config, const ShownFont& font) {
  ResetConverterSettings();
  if (ReadConfigFile(config, IgnoreConfigLine, nullptr) != 0) return -1;
  std::vector<bool> held[3] = {std::vector<bool>(65536, false),
                               std::vector<bool>(65536, false),
                               std::vector<bool>(65536, false)};
  for (const ShownGlyph& glyph : font.glyphs) {
    if (glyph.kind <= FontKind::kSbcs) held[KindByte(glyph.kind)][glyph.code] = true;
  }
  std::printf("Input fonts of '%s':\n", config);
  long missing = 0;
  for (const FontListKey& list : kFontListKeys) {
    for (int i = 0; i < list.Count(); ++i) {
      const char* name = list.Names()[i];
      std::vector<uint8_t> bytes;
      bool cut = false;
      const bool read =
          ReadLimitedFile(name, kListedFontReadLimit, &bytes, &cut) == ReadResult::kRead;
      DbcsFontHeader header = {};
      const size_t header_size =
          list.kind == FontKind::kDbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
      const bool whole_header =
          read && InputFontKind(bytes.data(), bytes.size()) == list.kind &&
          bytes.size() >= header_size;
      if (whole_header) DecodeFontHeader(bytes.data(), &header);
      if (!whole_header ||
          !GlyphSizeAccepted(list.kind, list.station, header.width, header.height)) {
        std::printf("  '%s' (%s): not loaded by the converter (see vexofont "
                    "check)\n",
                    name, list.key);
        continue;
      }
      struct Collect {
        const std::vector<bool>* held;
        std::vector<bool> seen = std::vector<bool>(65536, false);
        std::vector<int> missing;
        int codes = 0;
      } collect;
      collect.held = &held[KindByte(list.kind)];
      ForEachStoredCode(
          bytes.data(), bytes.size(), list.kind, list.station,
          [](void* c, int high, int low) {
            Collect& into = *static_cast<Collect*>(c);
            const int code = high << 8 | low;
            if (into.seen[code]) return;
            into.seen[code] = true;
            ++into.codes;
            if (!(*into.held)[code]) into.missing.push_back(code);
          },
          &collect);
      std::sort(collect.missing.begin(), collect.missing.end());
      if (collect.missing.empty()) {
        std::printf("  '%s' (%s): %d codes, all in the file\n", name, list.key,
                    collect.codes);
      } else {
        std::printf("  '%s' (%s): %d codes, %zu not in the file: %s\n", name,
                    list.key, collect.codes, collect.missing.size(),
                    FormatCodeRanges(std::vector<uint16_t>(
                                         collect.missing.begin(),
                                         collect.missing.end()),
                                     list.kind == FontKind::kDbcs ? 4 : 2)
                        .c_str());
      }
      missing += static_cast<long>(collect.missing.size());
    }
  }
  std::printf("\n");
  return missing;
}

// Returns the value of option `name` at argv[*i], given as "NAME VALUE" or
// "NAME=VALUE", advancing *i past it; nullptr when argv[*i] is another
// option. Sets *missing when the value is absent.
const char* OptionValue(int argc, char** argv, int* i, const char* name,
                        bool* missing) {
  const size_t n = std::strlen(name);
  const char* arg = argv[*i];
  if (std::strncmp(arg, name, n) != 0) return nullptr;
  if (arg[n] == '=') return arg + n + 1;
  if (arg[n] != '\0') return nullptr;
  if (*i + 1 >= argc) {
    *missing = true;
    return nullptr;
  }
  return argv[++*i];
}

int UsageError(const char* format, const char* detail) {
  std::fprintf(stderr, "vexofont show: ");
  std::fprintf(stderr, format, detail);
  std::fputs(kUsage, stderr);
  return kExitUsage;
}

// The largest sound files: an output file whose glyph table is full, and
// an SBCS input file of all 65536 codes at 32 rows (DBCS glyphs have at
// most 24 rows, so no DBCS file is larger). Nothing more than the largest
// and a margin is read, so that a device or an endless stream is shown as
// a file that goes on too long, not read until memory runs out.
constexpr size_t kLargestOutputFile =
    kFixedPartSize + size_t(kGlyphRecordFileSize) * kGlyphTableSize;
constexpr size_t kReadLimit =
    std::max(kLargestOutputFile, kLargestInputFontFile) + 65536;

// Reads the file into *bytes, at most kReadLimit bytes; sets *cut when more
// followed. Returns false when it cannot be opened or read, after printing
// the line that says so.
bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes, bool* cut) {
  switch (ReadLimitedFile(path, kReadLimit, bytes, cut)) {
    case ReadResult::kRead:
      return true;
    case ReadResult::kCannotOpen:
      std::fprintf(stderr, "Could not open file '%s' for reading\n", path);
      return false;
    case ReadResult::kCannotRead:
      std::fprintf(stderr, "Could not read file '%s'\n", path);
      return false;
  }
  return false;
}

}  // namespace

int RunShowCommand(int argc, char** argv) {
  ShowOptions options;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    bool missing = false;
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      return kExitSound;
    }
    if (std::strcmp(arg, "--version") == 0) {
      std::printf("vexofont show %s\n", kReleaseVersion);
      return kExitSound;
    }
    if (const char* v = OptionValue(argc, argv, &i, "--code", &missing)) {
      CodeRange range;
      if (!ParseCodeRange(v, &range)) {
        return UsageError("bad code or range '%s' (hexadecimal C or A-B)\n",
                          v);
      }
      options.codes.push_back(range);
      continue;
    }
    if (const char* v = OptionValue(argc, argv, &i, "--png", &missing)) {
      options.png = v;
      continue;
    }
    if (const char* v = OptionValue(argc, argv, &i, "--config", &missing)) {
      options.config = v;
      continue;
    }
    if (missing) return UsageError("option '%s' needs a value\n", arg);
    if (arg[0] == '-' && arg[1] != '\0') {
      return UsageError("unknown option '%s'\n", arg);
    }
    if (options.file != nullptr) {
      return UsageError("more than one file: '%s'\n", arg);
    }
    options.file = arg;
  }
  if (options.file == nullptr) return UsageError("%sno file given\n", "");

  std::vector<uint8_t> bytes;
  bool cut = false;
  if (!ReadWholeFile(options.file, &bytes, &cut)) return kExitUnreadable;

  ShownFont font;
  ProblemList problems;
  if (cut) {
    AddProblem(&problems, kReadLimit,
               "the file goes on past %zu bytes, more than any sound font "
               "file holds; read no further",
               kReadLimit);
  }
  if (LooksLikeOutputFontFile(bytes.data(), bytes.size())) {
    ReadOutputFontFile(bytes.data(), bytes.size(), &font, &problems);
  } else if (LooksLikeInputFontFile(bytes.data(), bytes.size())) {
    ReadInputFontFile(bytes.data(), bytes.size(), &font, &problems);
  } else {
    AddProblem(&problems, 0,
               "neither an output font file (no TagStart record) nor an "
               "input font file (no SBCS or DBCS magic)");
    PrintProblems(stderr, options.file, problems);
    return kExitUnsound;
  }

  PrintFontSummary(stdout, options.file, font);
  if (problems.empty()) {
    std::printf("  %-22s%s\n", "Problems:", "none");
  } else {
    std::printf("  %-22s%zu, on standard error\n", "Problems:",
                problems.size());
  }
  std::printf("\n");
  long not_stored = 0;
  if (options.config != nullptr) {
    if (font.fileKind != FontFileKind::kOutput) {
      return UsageError("%s--config goes with an output font file\n", "");
    }
    not_stored = PrintCodesNotStored(options.config, font);
    if (not_stored < 0) {
      std::fprintf(stderr, "Could not read config file '%s'\n", options.config);
      return kExitUnreadable;
    }
  }
  for (const CodeRange& range : options.codes) {
    PrintGlyphPictures(stdout, font, range.low, range.high);
  }
  std::fflush(stdout);
  PrintProblems(stderr, options.file, problems);
  // Not faults of the file, but what its user should know.
  if (font.fileKind == FontFileKind::kOutput &&
      font.glyphs.size() >= size_t{kGlyphTableSize}) {
    std::fprintf(stderr,
                 "'%s': warning: the glyph table is full (%d records): the "
                 "converter dropped every further code of its input fonts "
                 "(vexofont show --config CONFIG names them)\n",
                 options.file, kGlyphTableSize);
  }
  if (not_stored > 0) {
    std::fprintf(stderr,
                 "'%s': warning: %ld codes of the input fonts of '%s' are not "
                 "in the file\n",
                 options.file, not_stored, options.config);
  }

  // A sheet of the codes chosen with --code only, where any are.
  if (!options.codes.empty()) {
    std::vector<ShownGlyph> chosen;
    for (const ShownGlyph& glyph : font.glyphs) {
      for (const CodeRange& range : options.codes) {
        if (glyph.code >= range.low && glyph.code <= range.high) {
          chosen.push_back(glyph);
          break;
        }
      }
    }
    font.glyphs = std::move(chosen);
  }

  if (options.png != nullptr) {
    SheetFiles files;
    const int error =
        WriteContactSheet(options.png, font, options.file, &files);
    if (error == kSheetIsTheShownFile) {
      std::fprintf(stderr,
                   "Could not write PNG file '%s': it is the file shown\n",
                   files.failed.c_str());
      return kExitUnreadable;
    }
    if (error != 0) {
      std::fprintf(stderr, "Could not write PNG file '%s': %s\n",
                   files.failed.c_str(), std::strerror(error));
      return kExitUnreadable;
    }
    if (files.written.size() > 1) {
      std::printf("Contact sheet: %zu pages of at most %d pixel rows, '%s' to "
                  "'%s'\n",
                  files.written.size(), kMaxSheetPageHeight,
                  files.written.front().c_str(), files.written.back().c_str());
    }
    if (files.pagesLeftOut > 0) {
      std::printf("Contact sheet cut after %d pages: the glyph rows of %d "
                  "more pages are left out\n",
                  kMaxSheetPages, files.pagesLeftOut);
    }
  }
  return problems.empty() ? kExitSound : kExitUnsound;
}
