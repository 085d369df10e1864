#include "driver/config_file.h"

#include <cstdio>
#include <cstring>

#include "store/converter_settings.h"
#include "store/console.h"
#include "store/output_file.h"

namespace {

// Lines are handled in pieces of at most this many characters.
constexpr int kMaxLinePiece = 199;

enum class PieceResult { kLine, kEnd, kError };

// Reads the next piece of a line, at most 199 characters up to and
// including a line feed, into `line` (NUL-terminated). A carriage return
// directly before a line feed is dropped, so CRLF files read like LF files.
PieceResult ReadLinePiece(std::FILE* file, char* line) {
  int length = 0;
  while (length < kMaxLinePiece) {
    int ch = std::getc(file);
    if (ch == EOF) break;
    if (ch == '\r') {
      int next = std::getc(file);
      if (next == '\n') {
        ch = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file);
      }
    }
    line[length++] = static_cast<char>(ch);
    if (ch == '\n') break;
  }
  line[length] = '\0';
  if (std::ferror(file)) return PieceResult::kError;
  return length == 0 ? PieceResult::kEnd : PieceResult::kLine;
}

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' ||
         ch == '\r';
}

// Finds the second white-space separated word of `line`. Returns false when
// the line has none; otherwise points *word at it and sets *length.
bool SecondWord(const char* line, const char** word, int* length) {
  const char* p = line;
  while (*p != '\0' && IsBlank(*p)) ++p;
  while (*p != '\0' && !IsBlank(*p)) ++p;
  while (*p != '\0' && IsBlank(*p)) ++p;
  if (*p == '\0') return false;
  const char* end = p;
  while (*end != '\0' && !IsBlank(*end)) ++end;
  *word = p;
  *length = static_cast<int>(end - p);
  return true;
}

struct FileList {
  const char* key;
  char (*slots)[kFileNameSlotSize];
  int32_t* count;
};

// Returns false when the list is full and the name is refused.
bool AddFileName(const FileList& list, const char* name, bool quiet) {
  if (*list.count >= kMaxFilesPerList) {
    if (!quiet) PrintError("Too many %s lines, '%s' ignored\n", list.key, name);
    return false;
  }
  std::snprintf(list.slots[*list.count], kFileNameSlotSize, "%s", name);
  ++*list.count;
  return true;
}

// Applies one piece to Settings and says in *report what it did.
void ApplyLine(const char* line, bool quiet, ConfigLine* report) {
  const FileList lists[] = {
      {"SbcsThermalFile", Settings.sbcsThermalFiles,
       &Settings.sbcsThermalFileCount},
      {"SbcsImpactFile", Settings.sbcsImpactFiles,
       &Settings.sbcsImpactFileCount},
      {"DbcsThermalFile", Settings.dbcsThermalFiles,
       &Settings.dbcsThermalFileCount},
      {"DbcsImpactFile", Settings.dbcsImpactFiles,
       &Settings.dbcsImpactFileCount},
  };
  auto starts_with = [line](const char* key) {
    return std::strncmp(line, key, std::strlen(key)) == 0;
  };

  const char* word_start;
  int word_length;
  static char value[kFileNameSlotSize];
  const bool has_value = SecondWord(line, &word_start, &word_length);
  if (has_value) {
    std::snprintf(value, sizeof(value), "%.*s", word_length, word_start);
  }
  report->kind = ConfigLine::kSkipped;
  report->value = has_value ? value : nullptr;

  for (const FileList& list : lists) {
    if (starts_with(list.key)) {
      report->kind = ConfigLine::kKey;
      report->key = list.key;
      if (has_value) {
        report->taken = AddFileName(list, value, quiet);
        report->listFull = !report->taken;
      }
      return;
    }
  }
  static const char* const kValueKeys[] = {"OutputFontFile", "SbcsSpacing",
                                           "DbcsSpacing", "CodePage",
                                           "Verbose"};
  for (const char* key : kValueKeys) {
    if (starts_with(key)) {
      report->kind = ConfigLine::kKey;
      report->key = key;
      break;
    }
  }
  if (!has_value) return;  // the remaining keys all need a value word

  uint16_t number;
  if (starts_with("OutputFontFile")) {
    std::snprintf(Settings.outputFontFile, kFileNameSlotSize, "%s", value);
    report->taken = true;
  } else if (starts_with("SbcsSpacing")) {
    if (ParseNumberValue(value, &number)) {
      Settings.sbcsSpacing = number > 8 ? 8 : number;
      report->taken = true;
    }
  } else if (starts_with("DbcsSpacing")) {
    if (ParseNumberValue(value, &number)) {
      Settings.dbcsSpacing = number > 20 ? 20 : number;
      report->taken = true;
    }
  } else if (starts_with("CodePage")) {
    if (ParseNumberValue(value, &number)) {
      Settings.codePage = number;
      report->taken = true;
    }
  } else if (starts_with("Verbose")) {
    Settings.verbose = true;
    report->taken = true;
  }
}

}  // namespace

bool ParseNumberValue(const char* word, uint16_t* value) {
  const char* p = word;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  if (*p < '0' || *p > '9') return false;
  // Kept modulo 65536 as it grows, so any number of digits is safe.
  uint16_t number = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    number = static_cast<uint16_t>(number * 10u + unsigned(*p - '0'));
  }
  *value = negative ? static_cast<uint16_t>(0u - number) : number;
  return true;
}

int ReadConfigFile(const char* path, ConfigLineObserver observer,
                   void* context) {
  // Read as raw bytes on every platform, with CRLF folded by hand, so that
  // a Windows text-mode read (which ends a file at a Ctrl-Z byte) cannot
  // make one configuration mean two things.
  const bool quiet = observer != nullptr;
  std::FILE* file = OpenRawFileForReading(path);
  if (file == nullptr) {
    if (!quiet) PrintError("Could not open '%s' for reading\n", path);
    return -1;
  }
  char line[kMaxLinePiece + 1];
  PieceResult result;
  int line_number = 1;
  int piece = 0;
  while ((result = ReadLinePiece(file, line)) == PieceResult::kLine) {
    const size_t length = std::strlen(line);
    const bool line_ends = length > 0 && line[length - 1] == '\n';
    if (line_ends) line[length - 1] = '\0';
    ConfigLine report;
    report.line = line_number;
    report.piece = piece;
    report.text = line;
    if (line[0] == '*' || line[0] == '#') {
      report.kind = ConfigLine::kComment;
    } else {
      ApplyLine(line, quiet, &report);
    }
    if (observer != nullptr) observer(context, report);
    if (line_ends) {
      ++line_number;
      piece = 0;
    } else {
      ++piece;
    }
  }
  std::fclose(file);
  if (result == PieceResult::kError) {
    if (!quiet) PrintError("Error reading '%s'\n", path);
    return -1;
  }
  return 0;
}
