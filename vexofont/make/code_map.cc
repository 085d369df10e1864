#include "vexofont/make/code_map.h"

#include "fontinput/code_text.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

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

}  // namespace

bool CodeMap::Read(const std::string& path, FontKind kind,
                   std::string* error) {
  kind_ = kind;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path + ": cannot be opened";
    return false;
  }
  std::vector<int> line_of(65536, 0);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const std::string where = path + ":" + std::to_string(number) + ": ";
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.resize(hash);
    std::istringstream words(line);
    std::string code_text, char_text, extra;
    if (!(words >> code_text)) continue;  // blank or comment
    if (!(words >> char_text) || (words >> extra) || char_text.size() < 3 ||
        (char_text.compare(0, 2, "U+") != 0 &&
         char_text.compare(0, 2, "u+") != 0)) {
      *error = where + "expected CODE U+XXXX (a hexadecimal code and a "
                       "character), not '" + line + "'";
      return false;
    }
    unsigned long code = 0;
    unsigned long character = 0;
    if (!ParseHex(code_text, 0xFFFF, &code)) {
      *error = where + "code '" + code_text +
               "' is not hexadecimal from 0 to ffff";
      return false;
    }
    if (!ParseHex(char_text.substr(2), 0x10FFFF, &character) ||
        (character >= 0xD800 && character < 0xE000)) {
      *error = where + "'" + char_text + "' is not a character (U+0000 to "
                       "U+10FFFF, no surrogates)";
      return false;
    }
    if (kind == FontKind::kSbcs && code > 0xFF) {
      *error = where + "code " + Hex(code) + " is beyond ff, the last SBCS code";
      return false;
    }
    if (kind == FontKind::kDbcs && (code < 0x100 || (code & 0xFF) == 0)) {
      *error = where + "DBCS code " + Hex(code) +
               " needs a lead byte and a trail byte, neither 0";
      return false;
    }
    if (line_of[code] != 0) {
      *error = where + "code " + Hex(code) + " twice (first on line " +
               std::to_string(line_of[code]) + ")";
      return false;
    }
    line_of[code] = number;
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
