#include "vexofont/check/config_lines.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace vexo {

namespace {

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
  size_t bestDistance = 3;
  for (const char* configKey : kConfigKeys) {
    const std::string key = Lower(configKey);
    if (lower.compare(0, key.size(), key) == 0) return configKey;
    // A key cut short.
    if (lower.size() >= 6 && key.compare(0, lower.size(), lower) == 0) {
      return configKey;
    }
    const size_t d = Distance(lower, key);
    if (d < bestDistance) {
      bestDistance = d;
      best = configKey;
    }
  }
  return best;
}

// Digits of a number value, its sign and leading zeros left out ("0" for
// none), and where they end in `value`.
std::string Digits(const std::string& value, size_t* end) {
  const size_t start = value[0] == '+' || value[0] == '-' ? 1 : 0;
  *end = start;
  while (*end < value.size() &&
         std::isdigit(static_cast<unsigned char>(value[*end]))) {
    ++*end;
  }
  std::string digits = value.substr(start, *end - start);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
  return digits;
}

}  // namespace

void ConfigLines::Observe(void* context, const ConfigLine& line) {
  static_cast<ConfigLines*>(context)->Line(line);
}

void ConfigLines::Line(const ConfigLine& line) {
  const std::string text = line.text;
  if (static_cast<int>(text.size()) < line.length &&
      line.line != nulLineReported_) {
    nulLineReported_ = line.line;
    findings_->Problem(line.line, "holds a NUL byte: the converter reads only "
                                  "what comes before it on the line");
  }
  if (line.piece > 0 && (line.kind == ConfigLine::kKey || lastWasKey_) &&
      line.line != longLineReported_) {
    longLineReported_ = line.line;
    findings_->Problem(line.line,
                       "longer than 199 characters: the converter reads its "
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

void ConfigLines::Skipped(int line, const std::string& text) {
  bool indented = false;
  const std::string word = FirstWord(text, &indented);
  if (word.empty()) return;
  const char* meant = MeantKey(word);
  if (meant == nullptr) return;
  if (indented && word.compare(0, std::strlen(meant), meant) == 0) {
    findings_->Problem(line, "the key " + std::string(meant) +
                                 " comes after white space: keys count only "
                                 "in the first column, so the line is skipped");
  } else if (Lower(word).compare(0, std::strlen(meant), Lower(meant)) == 0) {
    findings_->Problem(line, "'" + word +
                                 "' is not a key: keys are case-sensitive; " +
                                 "write " + meant + " (the line is skipped)");
  } else {
    findings_->Problem(line, "'" + word + "' is not a key; did you mean " +
                                 meant + "? (the line is skipped)");
  }
}

void ConfigLines::Key(const ConfigLine& line, const std::string& text) {
  const std::string key = line.key;
  bool indented = false;
  const std::string word = FirstWord(text, &indented);
  if (word.size() > key.size()) {
    findings_->Problem(line.line, "'" + word + "' is read as the key " + key +
                                      " followed by '" +
                                      word.substr(key.size()) + "'");
  }
  if (line.value == nullptr) {
    findings_->Problem(line.line,
                       key != kVerboseKey
                           ? key + " has no value: the line is skipped"
                           : "Verbose has no value: the line is skipped and "
                             "the listing stays off");
    return;
  }
  if (const FontListKey* list = FindFontListKey(line.key)) {
    if (line.listFull) {
      findings_->Problem(line.line,
                         "more than " + std::to_string(kMaxFilesPerList) + " " +
                             key + " lines: the converter ignores '" +
                             line.value + "'");
    } else {
      lineOfFile_[list - kFontListKeys].push_back(line.line);
    }
    return;
  }
  if (key == kOutputFontFileKey) {
    if (outputLine_ != 0) {
      findings_->Problem(line.line,
                         "OutputFontFile given again (first on line " +
                             std::to_string(outputLine_) +
                             "): the last one counts");
    }
    outputLine_ = line.line;
    return;
  }
  if (key != kVerboseKey) Number(line);
}

void ConfigLines::Number(const ConfigLine& line) {
  const std::string key = line.key;
  const std::string value = line.value;
  if (!line.taken) {
    findings_->Problem(line.line,
                       "'" + value + "' is not a number: the line is skipped");
    return;
  }
  uint16_t number = 0;
  ParseNumberValue(value.c_str(), &number);
  size_t digitsEnd = 0;
  const std::string digits = Digits(value, &digitsEnd);
  if (digitsEnd < value.size()) {
    findings_->Problem(line.line, key + " '" + value +
                                      "': the converter reads the number " +
                                      std::to_string(number) +
                                      " and ignores the rest");
  }
  const std::string read = std::to_string(number);
  const bool negative = value[0] == '-';
  const bool exact = (negative ? number == 0 : true) && digits.size() <= 5 &&
                     std::stoul(digits) == number;
  if (!exact) {
    findings_->Problem(line.line, key + " " + value.substr(0, digitsEnd) +
                                      " is taken modulo 65536, as " + read);
  }
  const unsigned limit = FindNumberKey(line.key)->limit;
  if (limit != 0 && number > limit) {
    findings_->Problem(line.line, key + " " + read +
                                      " is beyond its limit: the converter "
                                      "uses " + std::to_string(limit));
  }
  if (key == "CodePage") codePageLine_ = line.line;
}

}  // namespace vexo
