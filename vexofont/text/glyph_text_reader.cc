#include "vexofont/text/glyph_text_reader.h"

#include <algorithm>
#include <vector>

#include "fontinput/font_header.h"
#include "fontinput/glyph_size.h"
#include "vexofont/fontrules/code_text.h"
#include "vexofont/fontrules/dot_chars.h"
#include "vexofont/text/glyph_text_header.h"

namespace vexo {

namespace {

// More glyphs than the largest input font file holds: 65536 SBCS codes,
// or a DBCS file's codes at its fewest rows.
constexpr size_t kMaxTextGlyphs =
    (kLargestInputFontFile - kDbcsHeaderSize) / FileGlyphSize(9) + 1;

bool IsRowLine(const std::string& line) {
  return !line.empty() && (line[0] == '.' || line[0] == '#') &&
         !(line[0] == '#' && (line.size() == 1 || line[1] == ' ' ||
                              line[1] == '\t'));
}

bool IsComment(const std::string& line) {
  return !line.empty() && line[0] == '#' && !IsRowLine(line);
}

// A row's characters: `.`, `#` and one `|`. Returns the column of the first
// other character (from 0), or -1; *bar is where the `|` stands.
int CheckRowCharacters(const std::string& line, size_t* bar,
                       std::string* shown) {
  *bar = std::string::npos;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '|' && *bar == std::string::npos) {
      *bar = i;
      continue;
    }
    if (c == kClearDot || c == kSetDot) continue;
    *shown = c == '|' ? "a second '|'" : std::string("'") + c + "'";
    if (static_cast<unsigned char>(c) < 0x20 ||
        static_cast<unsigned char>(c) >= 0x7F) {
      *shown = "byte " + HexCode(static_cast<unsigned char>(c), 2);
    }
    return static_cast<int>(i);
  }
  return -1;
}

// The row's 32 dots, `|` skipped: bit 31 the leftmost.
uint32_t RowDots(const std::string& line) {
  uint32_t row = 0;
  int x = 0;
  for (char c : line) {
    if (c == '|') continue;
    if (c == kSetDot) row |= 0x80000000u >> x;
    ++x;
  }
  return row;
}

// Reads the text line by line: header fields, glyph lines with their rows,
// tail lines.
class Parser {
 public:
  Parser(bool overlay, GlyphText* out) : overlay_(overlay), out_(out) {}

  bool Line(int number, const std::string& line, TextError* error);
  bool Finish(TextError* error);

 private:
  bool Glyph(const std::vector<TextWord>& words, TextError* error);
  bool Tail(const std::vector<TextWord>& words, TextError* error);
  bool Row(const std::string& line, TextError* error);
  bool EndGlyph(TextError* error);

  // The width rows must have: the header's, else the first row's.
  int RowWidth() const {
    if (out_->given[kFieldWidth]) return static_cast<int>(out_->header.width);
    return rowWidth_;
  }
  int Height() const {
    if (out_->given[kFieldHeight]) {
      return static_cast<int>(out_->header.height);
    }
    return height_;
  }
  bool CheckHeader(int line, TextError* error) {
    headerChecked_ = true;
    return CheckWholeFontHeader(line, out_, error);
  }

  bool overlay_;
  GlyphText* out_;
  int line_ = 0;
  bool headerChecked_ = false;
  bool inRows_ = false;
  bool inTail_ = false;
  size_t checkedGlyphs_ = 0;
  int rowWidth_ = 0;  // overlays without a width: the first row's
  int height_ = 0;    // overlays without a height: the first glyph's
};

bool Parser::Line(int number, const std::string& line, TextError* error) {
  line_ = number;
  if (line.empty() || IsComment(line)) {
    inRows_ = false;
    return true;
  }
  if (IsRowLine(line) || line[0] == '|') return Row(line, error);
  if (!EndGlyph(error)) return false;
  const std::vector<TextWord> words = SplitWords(line);
  if (words.empty()) return true;  // an indented comment
  const std::string& key = words[0].text;
  if (key == "glyph") return Glyph(words, error);
  if (key == "tail") return Tail(words, error);
  for (int f = 0; f < kFieldCount; ++f) {
    if (key == FieldName(f)) {
      return ReadHeaderField(f, words, line_,
                             !out_->glyphs.empty() || inTail_, out_, error);
    }
  }
  *error = MakeTextError(number, 1,
                         "unknown line '" + key +
                             "' (a header field, glyph, tail, a row of . and "
                             "#, or a comment after '# ')");
  return false;
}

bool Parser::Finish(TextError* error) {
  if (!EndGlyph(error)) return false;
  out_->rowWidth = static_cast<uint32_t>(RowWidth());
  if (!overlay_ && !headerChecked_) return CheckHeader(line_ + 1, error);
  return true;
}

bool Parser::Glyph(const std::vector<TextWord>& words, TextError* error) {
  if (inTail_) {
    *error = MakeTextError(line_, 1, "glyph after the tail");
    return false;
  }
  if (!overlay_ && !headerChecked_ && !CheckHeader(line_, error)) {
    return false;
  }
  unsigned code = 0;
  if (words.size() < 2 || !ParseHex16(words[1].text, &code)) {
    *error = MakeTextError(line_, words.size() < 2 ? 6 : words[1].column,
                           "glyph needs a hexadecimal code from 0 to ffff");
    return false;
  }
  if (words.size() > 2) {
    *error = MakeTextError(line_, words[2].column,
                           "glyph takes one code (a comment starts with '#')");
    return false;
  }
  if (out_->glyphs.size() == kMaxTextGlyphs) {
    *error = MakeTextError(line_, 1,
                           "more than " + std::to_string(kMaxTextGlyphs) +
                               " glyphs, more than any input font file holds");
    return false;
  }
  TextGlyph glyph;
  glyph.line = line_;
  glyph.code = static_cast<uint16_t>(code);
  out_->glyphs.push_back(glyph);
  inRows_ = true;
  return true;
}

bool Parser::Tail(const std::vector<TextWord>& words, TextError* error) {
  inTail_ = true;
  for (size_t i = 1; i < words.size(); ++i) {
    unsigned byte = 0;
    if (words[i].text.size() != 2 || !ParseHex16(words[i].text, &byte)) {
      *error = MakeTextError(line_, words[i].column,
                             "tail byte '" + words[i].text +
                                 "' is not two hexadecimal digits");
      return false;
    }
    out_->tail.push_back(static_cast<uint8_t>(byte));
  }
  return true;
}

bool Parser::Row(const std::string& line, TextError* error) {
  if (!inRows_) {
    *error = MakeTextError(line_, 1,
                           "a row outside a glyph (rows follow a glyph line)");
    return false;
  }
  TextGlyph& glyph = out_->glyphs.back();
  size_t bar = std::string::npos;
  std::string shown;
  const int bad = CheckRowCharacters(line, &bar, &shown);
  if (bad >= 0) {
    *error = MakeTextError(line_, bad + 1,
                           shown + " in a row (rows hold . and #, and one | "
                                   "before the dots beyond the width)");
    return false;
  }
  const size_t dots = bar == std::string::npos ? line.size() : bar;
  int width = RowWidth();
  if (width == 0) width = rowWidth_ = static_cast<int>(dots);
  if (static_cast<int>(dots) != width || width > kRowDots) {
    *error = MakeTextError(
        line_, static_cast<int>(std::min(dots, size_t(width))) + 1,
        "row of " + std::to_string(dots) + " dots, the width is " +
            std::to_string(width));
    return false;
  }
  if (bar != std::string::npos &&
      line.size() - bar - 1 != static_cast<size_t>(kRowDots - width)) {
    *error = MakeTextError(line_, static_cast<int>(bar) + 1,
                           "after '|' a row holds the " +
                               std::to_string(kRowDots - width) +
                               " dots beyond the width, not " +
                               std::to_string(line.size() - bar - 1));
    return false;
  }
  // Without a height yet, no glyph has more rows than a file row has dots.
  const int height = Height() != 0 ? Height() : kRowDots;
  if (static_cast<int>(glyph.rows.size()) == height) {
    *error = MakeTextError(line_, 1,
                           "row " + std::to_string(height + 1) + " of glyph " +
                               HexCode(glyph.code, 2) + ": the height is " +
                               (Height() != 0 ? "" : "at most ") +
                               std::to_string(height));
    return false;
  }
  glyph.rows.push_back(RowDots(line));
  return true;
}

// The glyph just read has all its rows.
bool Parser::EndGlyph(TextError* error) {
  inRows_ = false;
  if (out_->glyphs.empty() || out_->glyphs.size() == checkedGlyphs_) {
    return true;
  }
  checkedGlyphs_ = out_->glyphs.size();
  const TextGlyph& glyph = out_->glyphs.back();
  int height = Height();
  // An overlay's glyph without rows, before any height is known: the
  // font's height, once the overlay is laid, names what it lacks.
  if (height == 0 && glyph.rows.empty() && overlay_) return true;
  if (height == 0) height = height_ = static_cast<int>(glyph.rows.size());
  if (static_cast<int>(glyph.rows.size()) != height || height == 0) {
    *error = MakeTextError(glyph.line, 1,
                           "glyph " + HexCode(glyph.code, 2) + " has " +
                               Rows(glyph.rows.size()) + ", the height is " +
                               std::to_string(height));
    return false;
  }
  return true;
}

// The next line of `text` from *start, its line end and the white space
// that ends it dropped; advances *start past it.
std::string NextLine(std::string_view text, size_t* start) {
  size_t end = text.find('\n', *start);
  if (end == std::string_view::npos) end = text.size();
  std::string line(text.substr(*start, end - *start));
  *start = end + 1;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
    line.pop_back();
  }
  return line;
}

}  // namespace

bool ParseGlyphText(std::string_view text, bool overlay, GlyphText* glyphs,
                    TextError* error) {
  *glyphs = GlyphText{};
  Parser parser(overlay, glyphs);
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    const std::string line = NextLine(text, &start);
    ++number;
    if (number == 1) {
      if (line != kGlyphTextMagic) {
        *error = MakeTextError(1, 1,
                               std::string("not a glyph text (the first line "
                                           "must be '") +
                                   kGlyphTextMagic + "')");
        return false;
      }
      continue;
    }
    if (line.find('\0') != std::string::npos) {
      *error = MakeTextError(number, static_cast<int>(line.find('\0')) + 1,
                             "NUL byte in the text");
      return false;
    }
    if (!parser.Line(number, line, error)) return false;
  }
  if (number == 0) {
    *error = MakeTextError(1, 1,
                           std::string("empty text (the first line must be '") +
                               kGlyphTextMagic + "')");
    return false;
  }
  return parser.Finish(error);
}

}  // namespace vexo
