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

void AddFileName(const FileList& list, const char* name) {
  if (*list.count >= kMaxFilesPerList) {
    PrintError("Too many %s lines, '%s' ignored\n", list.key, name);
    return;
  }
  std::snprintf(list.slots[*list.count], kFileNameSlotSize, "%s", name);
  ++*list.count;
}

void ApplyLine(const char* line) {
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
  char value[kFileNameSlotSize];
  const bool has_value = SecondWord(line, &word_start, &word_length);
  if (has_value) {
    std::snprintf(value, sizeof(value), "%.*s", word_length, word_start);
  }

  for (const FileList& list : lists) {
    if (starts_with(list.key)) {
      if (has_value) AddFileName(list, value);
      return;
    }
  }
  if (!has_value) return;  // the remaining keys all need a value word

  uint16_t number;
  if (starts_with("OutputFontFile")) {
    std::snprintf(Settings.outputFontFile, kFileNameSlotSize, "%s", value);
  } else if (starts_with("SbcsSpacing")) {
    if (ParseNumberValue(value, &number)) {
      Settings.sbcsSpacing = number > 8 ? 8 : number;
    }
  } else if (starts_with("DbcsSpacing")) {
    if (ParseNumberValue(value, &number)) {
      Settings.dbcsSpacing = number > 20 ? 20 : number;
    }
  } else if (starts_with("CodePage")) {
    if (ParseNumberValue(value, &number)) Settings.codePage = number;
  } else if (starts_with("Verbose")) {
    Settings.verbose = true;
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

int ReadConfigFile(const char* path) {
  // Read as raw bytes on every platform, with CRLF folded by hand, so that
  // a Windows text-mode read (which ends a file at a Ctrl-Z byte) cannot
  // make one configuration mean two things.
  std::FILE* file = OpenRawFileForReading(path);
  if (file == nullptr) {
    PrintError("Could not open '%s' for reading\n", path);
    return -1;
  }
  char line[kMaxLinePiece + 1];
  PieceResult result;
  while ((result = ReadLinePiece(file, line)) == PieceResult::kLine) {
    const size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\n') line[length - 1] = '\0';
    if (line[0] == '*' || line[0] == '#') continue;
    ApplyLine(line);
  }
  std::fclose(file);
  if (result == PieceResult::kError) {
    PrintError("Error reading '%s'\n", path);
    return -1;
  }
  return 0;
}
