#include "vexofont/preview/preview_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "platform/output_file.h"
#include "vexofont/codepage/character_codes.h"
#include "vexofont/codepage/characters.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/codepage/equivalents.h"
#include "vexofont/fontrules/code_page_bytes.h"

namespace vexo {

bool ReadPreviewText(const std::string& file, std::string* text,
                     std::string* error) {
  std::vector<uint8_t> bytes;
  bool cut = false;
  const bool in = file == "-";
  errno = 0;
  const ReadResult result =
      in ? ReadLimitedStream(stdin, kMaxPreviewText, &bytes, &cut)
         : ReadLimitedFile(file.c_str(), kMaxPreviewText, &bytes, &cut);
  const std::string name = in ? "standard input" : "'" + file + "'";
  if (result != ReadResult::kRead) {
    *error = "cannot " +
             std::string(result == ReadResult::kCannotOpen ? "open " : "read ") +
             name + (errno != 0 ? std::string(": ") + std::strerror(errno) : "");
    return false;
  }
  if (cut) {
    *error = "the text of " + name + " goes on past " +
             std::to_string(kMaxPreviewText) + " bytes, the most preview reads";
    return false;
  }
  text->assign(bytes.begin(), bytes.end());
  return true;
}

namespace {

// A character of the text, without its place: its code in the code page,
// or its equivalent's; a line feed, a tab.
TextCharacter Mapped(uint32_t c, uint16_t codePage) {
  TextCharacter mapped;
  mapped.character = c;
  mapped.newline = c == '\n';
  mapped.tab = c == '\t';
  // Line feeds and tabs set the text; other controls have no picture, and
  // are drawn as the mark.
  if (IsControlCharacter(c) || CodeInCodePage(codePage, c, &mapped.kind, &mapped.code)) {
    return mapped;
  }
  // Typed in a form the code page does not hold: printed in the one it
  // does.
  Equivalent equivalent;
  if (EquivalentInPrinterCodePage(codePage, c, &equivalent, &mapped.kind, &mapped.code)) {
    mapped.equivalent = equivalent.character;
    mapped.relation = equivalent.relation;
  } else {
    mapped.kind = FontKind::kNone;
    mapped.code = -1;
  }
  return mapped;
}

}  // namespace

bool TextCharacters(const std::string& text, uint16_t codePage,
                    std::vector<TextCharacter>* characters, std::string* error) {
  std::vector<uint32_t> points;
  size_t bad = 0;
  if (!DecodeUtf8(text, &points, &bad)) {
    *error = "the text is not UTF-8 (byte " + std::to_string(bad) + ")";
    return false;
  }
  const std::string number = std::to_string(codePage);
  const CodePage* pages[] = {FindCodePage(FontKind::kSbcs, number),
                             FindCodePage(FontKind::kDbcs, number)};
  if (pages[0] == nullptr && pages[1] == nullptr) {
    *error = "code page " + number + " is not one vexofont knows (" +
             ListCodePages(FontKind::kSbcs, true) + "; give --code-page)";
    return false;
  }
  std::map<uint32_t, TextCharacter> known;
  int line = 1;
  int column = 1;
  // A byte-order mark, as Notepad begins a UTF-8 file with, is no
  // character of the text.
  const size_t start = !points.empty() && points[0] == 0xFEFF ? 1 : 0;
  for (size_t i = start; i < points.size(); ++i) {
    const uint32_t c = points[i];
    if (c == '\r') continue;
    auto found = known.find(c);
    if (found == known.end()) found = known.emplace(c, Mapped(c, codePage)).first;
    TextCharacter placed = found->second;
    placed.line = line;
    placed.column = column++;
    characters->push_back(placed);
    if (placed.newline) {
      ++line;
      column = 1;
    }
  }
  return true;
}

void ByteCharacters(const std::string& bytes, uint16_t codePage,
                    std::vector<TextCharacter>* characters) {
  const DbcsCodePageBytes* dbcs = FindDbcsCodePageBytes(codePage);
  const std::string number = std::to_string(codePage);
  CodeMapper toUnicode[2];
  const CodePage* pages[2] = {FindCodePage(FontKind::kSbcs, number),
                              FindCodePage(FontKind::kDbcs, number)};
  bool open[2] = {};
  for (int i = 0; i < 2; ++i) {
    open[i] =
        pages[i] != nullptr && toUnicode[i].Open(*pages[i], FontCharset());
  }
  int line = 1;
  int column = 1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const int b = static_cast<unsigned char>(bytes[i]);
    if (b == '\r') continue;
    TextCharacter c;
    c.offset = static_cast<long>(i);
    c.raw = b;
    c.rawLength = 1;
    c.line = line;
    c.column = column++;
    c.newline = b == '\n';
    c.tab = b == '\t';
    if (c.newline || c.tab) {
      c.character = static_cast<uint32_t>(b);
    } else if (dbcs != nullptr && InRanges(dbcs->lead, b)) {
      const int trail = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : -1;
      if (trail >= 0 && InRanges(dbcs->trail, trail)) {
        c.kind = FontKind::kDbcs;
        c.code = b << 8 | trail;
        c.raw = c.code;
        c.rawLength = 2;
        ++i;
      }
    } else if (b >= 0x20 && b != 0x7F) {
      c.kind = FontKind::kSbcs;
      c.code = b;
    }
    const int half = c.kind == FontKind::kDbcs ? 1 : 0;
    uint32_t character = 0;
    if (c.code >= 0 && open[half] && toUnicode[half].Map(c.code, &character)) {
      c.character = character;
    }
    characters->push_back(c);
    if (c.newline) {
      ++line;
      column = 1;
    }
  }
}

std::string ReadAs(const TextCharacter& c) {
  if (c.offset < 0 && IsControlCharacter(c.character)) {
    char number[16];
    std::snprintf(number, sizeof(number), "U+%04X", unsigned{c.character});
    return number;
  }
  if (c.offset < 0) return CharacterName(c.character);
  char text[64];
  if (c.rawLength == 2) {
    std::snprintf(text, sizeof(text), "bytes 0x%02x 0x%02x at offset %ld", c.raw >> 8,
                  c.raw & 0xFF, c.offset);
  } else {
    std::snprintf(text, sizeof(text), "byte 0x%02x at offset %ld", c.raw, c.offset);
  }
  return text;
}

}  // namespace vexo
