#include "vexofont/check/check_command.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver/config_file.h"
#include "fontinput/font_header.h"
#include "fontinput/glyph_size.h"
#include "fontinput/stored_codes.h"
#include "store/converter_settings.h"
#include "store/glyph_table.h"
#include "store/output_file.h"
#include "store/version.h"
#include "fontinput/code_text.h"

namespace {

constexpr char kHelp[] =
    "usage: vexofont check CONFIG [--quiet]\n"
    "\n"
    "Reads a configuration file of the vexocnvt converter as the converter\n"
    "reads it, and the font files it lists, and reports without converting\n"
    "what the run would do that its user may not mean:\n"
    "  - lines the converter skips that look like a key: a key in other\n"
    "    case, after white space, or misspelt (with the key meant), and\n"
    "    words that the converter reads as a shorter key\n"
    "  - keys without a value, names beyond 10 in a list, numbers that are\n"
    "    not numbers or beyond their limits (SbcsSpacing 8, DbcsSpacing 20)\n"
    "  - font files that are missing or unreadable, that are no input font\n"
    "    files, that are listed under the key of another kind or station\n"
    "    (their magic and size tell which key they belong under), whose\n"
    "    size the station refuses or prints only in part, whose body is cut\n"
    "    short\n"
    "  - CodePage against the code pages in the fonts' headers\n"
    "  - the glyph records the run fills and, beyond the 20000 of the\n"
    "    converter's table, which file's codes are dropped from which code\n"
    "    on\n"
    "\n"
    "One line per finding on standard output, CONFIG:LINE: ... where a line\n"
    "is at fault, then a summary line.\n"
    "\n"
    "  --quiet    print only the findings\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 nothing looks wrong, 1 usage error, 2 the configuration\n"
    "file cannot be read, 3 something looks wrong (the findings say what).\n";

std::string Lower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Levenshtein distance, enough to tell a misspelt key.
size_t Distance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                         diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The first word of `text` and whether white space comes before it.
std::string FirstWord(const std::string& text, bool* indented) {
  size_t start = 0;
  while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) {
    ++start;
  }
  *indented = start > 0;
  size_t end = start;
  while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) {
    ++end;
  }
  return text.substr(start, end - start);
}

// The key a word is probably meant to be, or null.
const char* MeantKey(const std::string& word) {
  const std::string lower = Lower(word);
  const char* best = nullptr;
  size_t best_distance = 3;
  for (const char* config_key : kConfigKeys) {
    const std::string key = Lower(config_key);
    if (lower.compare(0, key.size(), key) == 0) return config_key;
    // A key cut short.
    if (lower.size() >= 6 && key.compare(0, lower.size(), lower) == 0) {
      return config_key;
    }
    const size_t d = Distance(lower, key);
    if (d < best_distance) {
      best_distance = d;
      best = config_key;
    }
  }
  return best;
}

class Checker {
 public:
  explicit Checker(const std::string& config) : config_(config) {}

  static void Observe(void* context, const ConfigLine& line) {
    static_cast<Checker*>(context)->Line(line);
  }

  void Line(const ConfigLine& line) {
    const std::string text = line.text;
    if (line.piece > 0 && (line.kind == ConfigLine::kKey || lastWasKey_) &&
        line.line != longLineReported_) {
      longLineReported_ = line.line;
      Problem(line.line, "longer than 199 characters: the converter reads its "
                         "characters from 200 on as a line of their own");
    }
    lastWasKey_ = line.kind == ConfigLine::kKey;
    if (line.kind == ConfigLine::kComment) return;
    if (line.kind == ConfigLine::kSkipped) {
      if (line.piece == 0) Skipped(line.line, text);
      return;
    }
    Key(line, text);
  }

  void Problem(int line, const std::string& text) {
    std::printf("%s:%d: %s\n", config_.c_str(), line, text.c_str());
    ++findings_;
  }
  void Problem(const std::string& text) {
    std::printf("%s: %s\n", config_.c_str(), text.c_str());
    ++findings_;
  }
  void Info(const std::string& text) {
    if (!quiet_) std::printf("%s: %s\n", config_.c_str(), text.c_str());
  }

  void set_quiet(bool quiet) { quiet_ = quiet; }
  int findings() const { return findings_; }

  // The checks that need the whole configuration: the files, the code
  // page, the glyph table.
  void Files();

 private:
  void Skipped(int line, const std::string& text) {
    bool indented = false;
    const std::string word = FirstWord(text, &indented);
    if (word.empty()) return;
    const char* meant = MeantKey(word);
    if (meant == nullptr) return;
    if (indented && word.compare(0, std::strlen(meant), meant) == 0) {
      Problem(line, "the key " + std::string(meant) +
                        " comes after white space: keys count only in the "
                        "first column, so the line is skipped");
    } else if (Lower(word).compare(0, std::strlen(meant), Lower(meant)) == 0) {
      Problem(line, "'" + word + "' is not a key: keys are case-sensitive; " +
                        "write " + meant + " (the line is skipped)");
    } else {
      Problem(line, "'" + word + "' is not a key; did you mean " + meant +
                        "? (the line is skipped)");
    }
  }

  void Key(const ConfigLine& line, const std::string& text) {
    const std::string key = line.key;
    bool indented = false;
    const std::string word = FirstWord(text, &indented);
    if (word.size() > key.size()) {
      Problem(line.line, "'" + word + "' is read as the key " + key +
                             " followed by '" + word.substr(key.size()) + "'");
    }
    if (line.value == nullptr) {
      if (key != kVerboseKey) {
        Problem(line.line, key + " has no value: the line is skipped");
      } else {
        Problem(line.line, "Verbose has no value: the line is skipped and "
                           "the listing stays off");
      }
      return;
    }
    const std::string value = line.value;
    if (const FontListKey* list = FindFontListKey(line.key)) {
      if (line.listFull) {
        Problem(line.line, "more than " + std::to_string(kMaxFilesPerList) +
                               " " + key + " lines: the converter ignores '" +
                               value + "'");
      } else {
        lineOfFile_[list - kFontListKeys].push_back(line.line);
      }
      return;
    }
    if (key == kOutputFontFileKey) {
      if (outputLine_ != 0) {
        Problem(line.line, "OutputFontFile given again (first on line " +
                               std::to_string(outputLine_) +
                               "): the last one counts");
      }
      outputLine_ = line.line;
      return;
    }
    if (key == kVerboseKey) return;
    // The number keys.
    if (!line.taken) {
      Problem(line.line, "'" + value + "' is not a number: the line is skipped");
      return;
    }
    uint16_t number = 0;
    ParseNumberValue(value.c_str(), &number);
    size_t digits_end = value[0] == '+' || value[0] == '-' ? 1 : 0;
    while (digits_end < value.size() && std::isdigit(static_cast<unsigned char>(value[digits_end]))) {
      ++digits_end;
    }
    if (digits_end < value.size()) {
      Problem(line.line, key + " '" + value + "': the converter reads the "
                         "number " + std::to_string(number) +
                         " and ignores the rest");
    }
    const std::string read = std::to_string(number);
    const bool negative = value[0] == '-';
    std::string digits =
        value.substr(value[0] == '+' || negative ? 1 : 0,
                     digits_end - (value[0] == '+' || negative ? 1 : 0));
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    const bool exact = (negative ? number == 0 : true) && digits.size() <= 5 &&
                       std::stoul(digits) == number;
    if (!exact) {
      Problem(line.line, key + " " + value.substr(0, digits_end) +
                             " is taken modulo 65536, as " + read);
    }
    const unsigned limit = FindNumberKey(line.key)->limit;
    if (limit != 0 && number > limit) {
      Problem(line.line, key + " " + read + " is beyond its limit: the "
                         "converter uses " + std::to_string(limit));
    }
    if (key == "CodePage") codePageLine_ = line.line;
  }

  // One listed file: what its bytes say against the key it is listed under.
  void File(const FontListKey& list, int index, int line);


 public:
  // The glyph table as the run fills it: codes in the order of the phases.
  void Store(int high, int low, const std::string& file, int line) {
    const int code = high << 8 | low;
    if (seen_[code]) return;
    if (records_ == kGlyphTableSize) {
      if (droppedFile_.empty()) {
        droppedFile_ = file;
        droppedLine_ = line;
        droppedCode_ = code;
      }
      ++dropped_;
      return;
    }
    seen_[code] = true;
    ++records_;
  }

 private:
  std::string config_;
  bool quiet_ = false;
  int findings_ = 0;
  bool lastWasKey_ = false;
  int longLineReported_ = 0;
  std::vector<int> lineOfFile_[kFontListCount];
  int outputLine_ = 0;
  int codePageLine_ = 0;
  std::vector<bool> seen_ = std::vector<bool>(65536, false);
  int records_ = 0;
  int dropped_ = 0;
  std::string droppedFile_;
  int droppedLine_ = 0;
  int droppedCode_ = 0;
};

// The keys a font of this kind and size belongs under.
std::string KeysFor(FontKind kind, uint32_t width, uint32_t height) {
  const char* thermal = kind == FontKind::kSbcs ? "SbcsThermalFile" : "DbcsThermalFile";
  const char* impact = kind == FontKind::kSbcs ? "SbcsImpactFile" : "DbcsImpactFile";
  const bool t = GlyphSizeAccepted(kind, Station::kThermal, width, height);
  const bool i = GlyphSizeAccepted(kind, Station::kImpact, width, height);
  if (t && i) return std::string(thermal) + " or " + impact;
  if (t) return thermal;
  if (i) return impact;
  return "";
}

void Checker::File(const FontListKey& list, int index, int line) {
  const std::string name = list.Names()[index];
  const std::string quoted = "'" + name + "'";
  std::vector<uint8_t> bytes;
  bool cut = false;
  errno = 0;
  // The magic first, so that a device or a large file of something else is
  // not read whole.
  ReadResult read = ReadLimitedFile(name.c_str(), kFileTypeSize, &bytes, &cut);
  if (read == ReadResult::kRead &&
      InputFontKind(bytes.data(), bytes.size()) != FontKind::kNone) {
    bytes.clear();
    read = ReadLimitedFile(name.c_str(), kListedFontReadLimit, &bytes, &cut);
  }
  if (read != ReadResult::kRead) {
    std::string hint;
    // The converter opens names from the working folder, not from the
    // configuration's.
    const size_t slash = config_.find_last_of("/\\");
    if (read == ReadResult::kCannotOpen && slash != std::string::npos &&
        !name.empty() && name[0] != '/') {
      const std::string beside = config_.substr(0, slash + 1) + name;
      std::FILE* file = OpenRawFileForReading(beside.c_str());
      if (file != nullptr) {
        std::fclose(file);
        hint = " (names are opened from the working folder; '" + beside +
               "' is beside the configuration: run the converter there)";
      }
    }
    Problem(line, quoted + " cannot be " +
                      (read == ReadResult::kCannotOpen ? "opened" : "read") +
                      (errno != 0 ? std::string(": ") + std::strerror(errno) : "") +
                      hint);
    return;
  }
  const FontKind kind = InputFontKind(bytes.data(), bytes.size());
  const char* kind_name = list.kind == FontKind::kSbcs ? "SBCS" : "DBCS";
  if (kind == FontKind::kNone) {
    Problem(line, quoted + " is not an input font file (no SBCS or DBCS "
                           "magic): the converter cannot read its header");
    return;
  }
  const size_t header_size = kind == FontKind::kDbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
  if (bytes.size() < header_size) {
    Problem(line, quoted + " has a header cut short (" +
                      std::to_string(bytes.size()) + " of " +
                      std::to_string(header_size) + " bytes)");
    return;
  }
  DbcsFontHeader header = {};
  DecodeFontHeader(bytes.data(), &header);
  if (kind == FontKind::kDbcs) DecodeDbcsVectors(bytes.data(), &header);
  const std::string size =
      std::to_string(header.width) + "x" + std::to_string(header.height);
  if (kind != list.kind) {
    const std::string keys = KeysFor(kind, header.width, header.height);
    Problem(line, quoted + " is a" + (kind == FontKind::kSbcs ? "n SBCS" : " DBCS") +
                      " font, not " + kind_name +
                      (keys.empty() ? ", of a size no station takes (" + size +
                                          ")"
                                    : ": list it under " + keys));
    return;
  }
  if (!GlyphSizeAccepted(kind, list.station, header.width, header.height)) {
    const std::string keys = KeysFor(kind, header.width, header.height);
    if (keys.empty()) {
      Problem(line, quoted + " is " + size + ", a size no station takes (" +
                        AcceptedSizesOfKind(kind) + ")");
    } else {
      Problem(line, quoted + " is " + size + ", a size for the " +
                        (list.station == Station::kThermal ? "impact" : "thermal") +
                        " station: list it under " + keys);
    }
    return;
  }
  if (kind == FontKind::kSbcs && list.station == Station::kImpact) {
    const std::string warning = ImpactWidthWarning(static_cast<int>(header.width));
    if (!warning.empty()) Problem(line, quoted + ": " + warning);
  }
  if (header.codePage != Settings.codePage) {
    const std::string page = std::to_string(header.codePage);
    if (codePageLine_ != 0) {
      Problem(codePageLine_, "CodePage " + std::to_string(Settings.codePage) +
                                 ", but " + quoted + " (line " +
                                 std::to_string(line) + ") is code page " + page +
                                 ": the printer reads its codes in code page " +
                                 std::to_string(Settings.codePage));
    } else {
      Problem(line, "no CodePage line, so the output carries code page 0, "
                    "but " + quoted + " is code page " + page);
    }
  }

  // The glyphs, as the loader reads and stores them.
  struct Context {
    Checker* checker;
    const std::string* name;
    int line;
  } context = {this, &name, line};
  const StoredCodes counts = ForEachStoredCode(
      bytes.data(), bytes.size(), kind, list.station,
      [](void* c, int high, int low) {
        const Context& ctx = *static_cast<Context*>(c);
        ctx.checker->Store(high, low, *ctx.name, ctx.line);
      },
      &context);
  const size_t read_glyphs = counts.glyphsRead;
  const size_t implied = counts.glyphsImplied;
  if (read_glyphs < implied) {
    Problem(line, quoted + " holds " + std::to_string(read_glyphs) +
                      " whole glyphs of the " + std::to_string(implied) +
                      " its header names: the body is cut short");
  }
}

void Checker::Files() {
  int files = 0;
  for (int l = 0; l < kFontListCount; ++l) {
    for (int i = 0; i < kFontListKeys[l].Count(); ++i) {
      ++files;
      File(kFontListKeys[l], i, lineOfFile_[l][i]);
    }
  }
  if (files == 0) Problem("no font file listed: the output holds no glyph");
  if (outputLine_ == 0) {
    Problem("no OutputFontFile line: the converter writes a file named None "
            "in the working folder");
  }
  if (dropped_ > 0) {
    Problem(droppedLine_,
            "the glyph table is full: '" + droppedFile_ + "' loses its codes from " +
                HexCode(static_cast<unsigned long>(droppedCode_), droppedCode_ > 0xFF ? 4 : 2) + " on, " +
                std::to_string(dropped_) + " glyphs past the " +
                std::to_string(kGlyphTableSize) +
                " records (choose fewer characters, e.g. vexofont make --chars)");
  }
  Info(std::to_string(files) + (files == 1 ? " font file, " : " font files, ") +
       std::to_string(records_) + " of the " + std::to_string(kGlyphTableSize) +
       " glyph records filled");
}

}  // namespace

int RunCheckCommand(int argc, char** argv) {
  const char* config = nullptr;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return kCheckSound;
    }
    if (arg == "--version") {
      std::printf("vexofont check %s\n", kReleaseVersion);
      return kCheckSound;
    }
    if (arg == "--quiet" || arg == "-q") {
      quiet = true;
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr,
                   "vexofont check: unknown option '%s' (see vexofont check "
                   "--help)\n",
                   argv[i]);
      return kCheckUsage;
    }
    if (config != nullptr) {
      std::fprintf(stderr, "vexofont check: more than one configuration: '%s'\n",
                   argv[i]);
      return kCheckUsage;
    }
    config = argv[i];
  }
  if (config == nullptr) {
    std::fprintf(stderr, "vexofont check: no configuration file given (see "
                         "vexofont check --help)\n");
    return kCheckUsage;
  }
  ResetConverterSettings();
  Checker checker(config);
  checker.set_quiet(quiet);
  errno = 0;
  if (ReadConfigFile(config, Checker::Observe, &checker) != 0) {
    std::fprintf(stderr, "vexofont check: cannot read '%s'%s%s\n", config,
                 errno != 0 ? ": " : "", errno != 0 ? std::strerror(errno) : "");
    return kCheckUnreadable;
  }
  checker.Files();
  const int findings = checker.findings();
  if (!quiet) {
    if (findings == 0) {
      std::printf("%s: nothing looks wrong\n", config);
    } else {
      std::printf("%s: %d finding%s\n", config, findings, findings == 1 ? "" : "s");
    }
  }
  std::fflush(stdout);
  return findings == 0 ? kCheckSound : kCheckFindings;
}
