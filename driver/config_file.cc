#include "driver/config_file.h"

#include <cstdio>
#include <cstring>

#include "store/converter_settings.h"
#include "platform/console.h"
#include "platform/output_file.h"

namespace vexo {

const char* const kConfigKeys[kConfigKeyCount] = {
    kFontListKeys[0].key, kFontListKeys[1].key, kFontListKeys[2].key,
    kFontListKeys[3].key, kOutputFontFileKey,   kNumberKeys[0].key,
    kNumberKeys[1].key,   kNumberKeys[2].key,   kVerboseKey,
};

const FontListKey* FindFontListKey(const char* key) {
  for (const FontListKey& list : kFontListKeys) {
    if (std::strcmp(list.key, key) == 0) return &list;
  }
  return nullptr;
}

const NumberKey* FindNumberKey(const char* key) {
  for (const NumberKey& number : kNumberKeys) {
    if (std::strcmp(number.key, key) == 0) return &number;
  }
  return nullptr;
}

namespace {

// Lines are handled in pieces of at most this many characters.
constexpr int kMaxLinePiece = 199;

enum class PieceResult { kLine, kEnd, kError };

// Reads the next piece of a line, at most 199 characters up to and
// including a line feed, into `line` (NUL-terminated) and its length, NUL
// bytes of the file included, into *length. A carriage return directly
// before a line feed is dropped, so CRLF files read like LF files. Counts
// the bytes taken from the file in *taken.
PieceResult ReadLinePiece(std::FILE* file, char* line, int* pieceLength,
                          long* taken) {
  int length = 0;
  while (length < kMaxLinePiece) {
    int ch = std::getc(file);
    if (ch == EOF) break;
    ++*taken;
    if (ch == '\r') {
      int next = std::getc(file);
      if (next == '\n') {
        ch = '\n';
        ++*taken;
      } else if (next != EOF) {
        std::ungetc(next, file);
      }
    }
    line[length++] = static_cast<char>(ch);
    if (ch == '\n') break;
  }
  line[length] = '\0';
  *pieceLength = length;
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

bool StartsWith(const char* line, const char* key) {
  return std::strncmp(line, key, std::strlen(key)) == 0;
}

// Returns false when the list is full and the name is refused.
bool AddFileName(const FontListKey& list, const char* name, bool quiet) {
  int32_t& count = Settings.*list.count;
  if (count >= kMaxFilesPerList) {
    if (!quiet) PrintError("Too many %s lines, '%s' ignored\n", list.key, name);
    return false;
  }
  std::snprintf((Settings.*list.names)[count], kFileNameSlotSize, "%s", name);
  ++count;
  return true;
}

// Applies a value word to the value key `key`; returns whether it was taken.
bool ApplyValue(const char* key, const char* value) {
  if (std::strcmp(key, kOutputFontFileKey) == 0) {
    std::snprintf(Settings.outputFontFile, kFileNameSlotSize, "%s", value);
    return true;
  }
  if (std::strcmp(key, kVerboseKey) == 0) {
    Settings.verbose = true;
    return true;
  }
  const NumberKey* numberKey = FindNumberKey(key);
  uint16_t number;
  if (!ParseNumberValue(value, &number)) return false;
  const uint16_t limit = numberKey->limit;
  Settings.*numberKey->field = limit != 0 && number > limit ? limit : number;
  return true;
}

// Applies one piece to Settings and says in *report what it did.
void ApplyLine(const char* line, bool quiet, ConfigLine* report) {
  const char* wordStart;
  int wordLength;
  static char value[kFileNameSlotSize];
  const bool hasValue = SecondWord(line, &wordStart, &wordLength);
  if (hasValue) {
    std::snprintf(value, sizeof(value), "%.*s", wordLength, wordStart);
  }
  report->kind = ConfigLine::kSkipped;
  report->value = hasValue ? value : nullptr;
  for (const char* key : kConfigKeys) {
    if (StartsWith(line, key)) {
      report->kind = ConfigLine::kKey;
      report->key = key;
      break;
    }
  }
  if (report->kind != ConfigLine::kKey || !hasValue) return;
  if (const FontListKey* list = FindFontListKey(report->key)) {
    report->taken = AddFileName(*list, value, quiet);
    report->listFull = !report->taken;
    return;
  }
  report->taken = ApplyValue(report->key, value);
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
  int lineNumber = 1;
  int piece = 0;
  int length = 0;
  long taken = 0;
  while ((result = ReadLinePiece(file, line, &length, &taken)) ==
         PieceResult::kLine) {
    if (taken > kMaxConfigFileSize) {
      // No configuration is this long: a device or an endless stream.
      result = PieceResult::kError;
      break;
    }
    // A NUL byte ends the text the keys and values are read from, not the
    // line.
    const bool lineEnds = line[length - 1] == '\n';
    if (lineEnds) line[--length] = '\0';
    ConfigLine report;
    report.line = lineNumber;
    report.piece = piece;
    report.text = line;
    report.length = length;
    if (line[0] == '*' || line[0] == '#') {
      report.kind = ConfigLine::kComment;
    } else {
      ApplyLine(line, quiet, &report);
    }
    if (observer != nullptr) observer(context, report);
    if (lineEnds) {
      ++lineNumber;
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

}  // namespace vexo
