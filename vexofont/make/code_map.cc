#include "vexofont/make/code_map.h"

#include "platform/output_file.h"

#include "vexofont/fontrules/code_text.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string_view>

namespace vexo {

namespace {

bool ParseHex(const std::string& text, unsigned long max, unsigned long* value) {
  return ParseHexCode(text, max, value, 6);
}

std::string Hex(unsigned long value) { return HexCode(value, 1); }

// The bytes set in `used` as at most four ranges, the two closest joined
// while there are more.
void Ranges(const std::vector<bool>& used, ByteRange out[kRangeSlots]) {
  std::vector<ByteRange> ranges;
  for (int b = 1; b < 256; ++b) {
    if (!used[b]) continue;
    if (!ranges.empty() && ranges.back().last == b - 1) {
      ranges.back().last = static_cast<uint8_t>(b);
    } else {
      ranges.push_back({static_cast<uint8_t>(b), static_cast<uint8_t>(b)});
    }
  }
  while (ranges.size() > size_t(kRangeSlots)) {
    size_t closest = 0;
    for (size_t i = 1; i + 1 < ranges.size(); ++i) {
      if (ranges[i + 1].first - ranges[i].last <
          ranges[closest + 1].first - ranges[closest].last) {
        closest = i;
      }
    }
    ranges[closest].last = ranges[closest + 1].last;
    ranges.erase(ranges.begin() + static_cast<long>(closest) + 1);
  }
  for (int i = 0; i < kRangeSlots; ++i) {
    out[i] = i < int(ranges.size()) ? ranges[i] : ByteRange{0, 0};
  }
}

// Reads one line of a map, its comment cut off: sets *code and
// *character, or *blank for a line without words. Returns what is wrong
// with the line, or an empty string.
std::string ReadMapLine(const std::string& line, FontKind kind,
                        unsigned long* code, unsigned long* character,
                        bool* blank) {
  std::istringstream words(line);
  std::string codeText, charText, extra;
  *blank = !(words >> codeText);
  if (*blank) return "";
  if (!(words >> charText) || (words >> extra) || charText.size() < 3 ||
      (charText.compare(0, 2, "U+") != 0 &&
       charText.compare(0, 2, "u+") != 0)) {
    return "expected CODE U+XXXX (a hexadecimal code and a character), not '" +
           line + "'";
  }
  if (!ParseHex(codeText, 0xFFFF, code)) {
    return "code '" + codeText + "' is not hexadecimal from 0 to ffff";
  }
  if (!ParseHex(charText.substr(2), 0x10FFFF, character) ||
      (*character >= 0xD800 && *character < 0xE000)) {
    return "'" + charText +
           "' is not a character (U+0000 to U+10FFFF, no surrogates)";
  }
  if (kind == FontKind::kSbcs && *code > 0xFF) {
    return "code " + Hex(*code) + " is beyond ff, the last SBCS code";
  }
  if (kind == FontKind::kDbcs && (*code < 0x100 || (*code & 0xFF) == 0)) {
    return "DBCS code " + Hex(*code) +
           " needs a lead byte and a trail byte, neither 0";
  }
  return "";
}

}  // namespace

bool CodeMap::Read(const std::string& path, FontKind kind,
                   std::string* error) {
  kind_ = kind;
  std::vector<uint8_t> bytes;
  bool cut = false;
  const ReadResult read =
      ReadLimitedFile(path.c_str(), kMaxCodeMapSize, &bytes, &cut);
  if (read != ReadResult::kRead) {
    *error = path + (read == ReadResult::kCannotOpen ? ": cannot be opened"
                                                     : ": cannot be read");
    return false;
  }
  if (cut) {
    *error = path + ": longer than " + std::to_string(kMaxCodeMapSize) +
             " bytes, more than any code page's map";
    return false;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                              bytes.size());
  std::vector<int> lineOf(65536, 0);
  int number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    start = end + 1;
    ++number;
    const std::string where = path + ":" + std::to_string(number) + ": ";
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.resize(hash);
    unsigned long code = 0;
    unsigned long character = 0;
    bool blank = false;
    std::string fault = ReadMapLine(line, kind, &code, &character, &blank);
    if (fault.empty() && !blank && lineOf[code] != 0) {
      fault = "code " + Hex(code) + " twice (first on line " +
              std::to_string(lineOf[code]) + ")";
    }
    if (!fault.empty()) {
      *error = where + fault;
      return false;
    }
    if (blank) continue;
    lineOf[code] = number;
    characters_[code] = static_cast<uint32_t>(character);
    present_[code] = true;
    ++count_;
  }
  if (count_ == 0) {
    *error = path + ": no CODE U+XXXX line";
    return false;
  }
  return true;
}

bool CodeMap::Find(int code, uint32_t* character) const {
  if (code < 0 || code > 0xFFFF || !present_[code]) return false;
  *character = characters_[code];
  return true;
}

CodePage CodeMap::AsCodePage(uint16_t number) const {
  CodePage page = {number, kind_, nullptr, {}, {}};
  if (kind_ == FontKind::kSbcs) return page;
  std::vector<bool> leads(256, false), trails(256, false);
  for (int code = 0x100; code <= 0xFFFF; ++code) {
    if (!present_[code]) continue;
    leads[code >> 8] = true;
    trails[code & 0xFF] = true;
  }
  Ranges(leads, page.lead);
  Ranges(trails, page.trail);
  return page;
}

}  // namespace vexo
