#include "vexofont/text/glyph_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "fontinput/code_text.h"
#include "fontinput/dbcs_codes.h"
#include "fontinput/glyph_size.h"

namespace {

constexpr int kRowDots = 32;  // a file row holds 32 dots, whatever the width

struct FieldInfo {
  const char* name;
};
constexpr FieldInfo kFields[kFieldCount] = {
    {"kind"},           {"version"},      {"code-page"},
    {"first"},          {"last"},         {"width"},
    {"height"},         {"code-page-vector-1"}, {"code-page-vector-2"},
    {"font-vector-1"},  {"font-vector-2"}, {"glyphs"},
};

TextError Error(int line, int column, std::string message) {
  return TextError{line, column, std::move(message)};
}

std::string Hex(unsigned value, int digits) { return HexCode(value, digits); }

std::string Rows(size_t n) {
  return std::to_string(n) + (n == 1 ? " row" : " rows");
}

int CodeDigits(FontKind kind) { return kind == FontKind::kDbcs ? 4 : 2; }

// A hexadecimal number of 1 to 4 digits (after an optional 0x).
bool ParseHex16(const std::string& text, unsigned* value) {
  unsigned long parsed = 0;
  if (!ParseHexCode(text, 0xFFFF, &parsed, 4)) return false;
  *value = static_cast<unsigned>(parsed);
  return true;
}

// A decimal number up to `max`.
bool ParseDecimal(const std::string& text, unsigned long max,
                  unsigned long* value) {
  if (text.empty() || text.size() > 10) return false;
  unsigned long result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<unsigned long>(c - '0');
  }
  if (result > max) return false;
  *value = result;
  return true;
}

// The words of a line after its keyword, each with its column; a `#`
// after white space starts a comment.
struct Word {
  std::string text;
  int column;
};
std::vector<Word> SplitWords(const std::string& line) {
  std::vector<Word> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    if (line[i] == '#' && i > 0) break;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    words.push_back({line.substr(start, i - start), static_cast<int>(start) + 1});
  }
  return words;
}

bool IsRowLine(const std::string& line) {
  return !line.empty() && (line[0] == '.' || line[0] == '#') &&
         !(line[0] == '#' && (line.size() == 1 || line[1] == ' ' ||
                              line[1] == '\t'));
}

bool IsComment(const std::string& line) {
  return !line.empty() && line[0] == '#' && !IsRowLine(line);
}

// The codes of an input font file's glyphs, in the order the file holds
// them: SBCS first to last, DBCS one pass of the font vectors. Stops
// counting past `limit` codes and says so in *more.
std::vector<uint16_t> SlotCodes(FontKind kind, const DbcsFontHeader& header,
                                size_t limit, bool* more) {
  std::vector<uint16_t> codes;
  *more = false;
  if (kind == FontKind::kSbcs) {
    for (unsigned c = header.firstChar; c <= header.lastChar; ++c) {
      if (codes.size() == limit) {
        *more = true;
        break;
      }
      codes.push_back(static_cast<uint16_t>(c));
    }
    return codes;
  }
  ForEachDbcsCode(header.fontVector1, header.fontVector2, header.lastChar,
                  [&](int lead, int trail) {
                    if (codes.size() == limit) {
                      *more = true;
                      return false;
                    }
                    codes.push_back(static_cast<uint16_t>(lead << 8 | trail));
                    return true;
                  });
  return codes;
}

size_t HeaderSize(FontKind kind) {
  return kind == FontKind::kDbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
}

// The most glyphs a file of this kind and height may hold within the
// largest input font file.
size_t SlotLimit(FontKind kind, uint32_t height) {
  return (kLargestInputFontFile - HeaderSize(kind)) / FileGlyphSize(height);
}

bool SizeFitsAStation(FontKind kind, uint32_t width, uint32_t height) {
  return GlyphSizeAccepted(kind, Station::kThermal, width, height) ||
         GlyphSizeAccepted(kind, Station::kImpact, width, height);
}

// Reads the rows of one glyph line by line.
class Parser {
 public:
  Parser(bool overlay, GlyphText* out) : overlay_(overlay), out_(out) {}

  bool Line(int number, const std::string& line, TextError* error) {
    line_ = number;
    if (line.empty() || IsComment(line)) {
      EndRows();
      return true;
    }
    if (IsRowLine(line) || line[0] == '|') return Row(line, error);
    if (!EndGlyph(error)) return false;
    const std::vector<Word> words = SplitWords(line);
    if (words.empty()) return true;  // an indented comment
    const std::string& key = words[0].text;
    if (key == "glyph") return Glyph(words, error);
    if (key == "tail") return Tail(words, error);
    for (int f = 0; f < kFieldCount; ++f) {
      if (key == kFields[f].name) return Field(f, words, error);
    }
    *error = Error(number, 1, "unknown line '" + key +
                                  "' (a header field, glyph, tail, a row of "
                                  ". and #, or a comment after '# ')");
    return false;
  }

  bool Finish(TextError* error) {
    if (!EndGlyph(error)) return false;
    out_->rowWidth = static_cast<uint32_t>(RowWidth());
    if (!overlay_ && !headerChecked_) return CheckHeader(line_ + 1, error);
    return true;
  }

 private:
  bool Field(int f, const std::vector<Word>& words, TextError* error) {
    if (!out_->glyphs.empty() || inTail_) {
      *error = Error(line_, 1, std::string("header field '") +
                                   kFields[f].name + "' after the first glyph");
      return false;
    }
    if (out_->given[f]) {
      *error = Error(line_, 1, std::string("header field '") + kFields[f].name +
                                   "' given twice (first on line " +
                                   std::to_string(out_->fieldLine[f]) + ")");
      return false;
    }
    out_->given[f] = true;
    out_->fieldLine[f] = line_;
    const bool vector = f >= kFieldCodePageVector1 && f <= kFieldFontVector2;
    if (!vector && words.size() != 2) {
      *error = Error(line_,
                     words.size() < 2
                         ? static_cast<int>(std::strlen(kFields[f].name)) + 2
                         : words[2].column,
                     std::string("header field '") + kFields[f].name +
                         "' takes one value");
      return false;
    }
    if (vector) return Vector(f, words, error);
    const Word& value = words[1];
    auto out_of_range = [&](const char* what) {
      *error = Error(line_, value.column,
                     std::string(kFields[f].name) + " '" + value.text +
                         "' is not " + what);
      return false;
    };
    DbcsFontHeader& h = out_->header;
    unsigned long number = 0;
    unsigned code = 0;
    switch (f) {
      case kFieldKind:
        if (value.text == "sbcs") {
          out_->kind = FontKind::kSbcs;
        } else if (value.text == "dbcs") {
          out_->kind = FontKind::kDbcs;
        } else {
          return out_of_range("sbcs or dbcs");
        }
        return true;
      case kFieldVersion:
        if (!ParseDecimal(value.text, 0xFFFF, &number)) {
          return out_of_range("a number from 0 to 65535");
        }
        h.version = static_cast<uint16_t>(number);
        return true;
      case kFieldCodePage:
        if (!ParseDecimal(value.text, 0xFFFF, &number)) {
          return out_of_range("a number from 0 to 65535");
        }
        h.codePage = static_cast<uint16_t>(number);
        return true;
      case kFieldFirst:
      case kFieldLast:
        if (!ParseHex16(value.text, &code)) {
          return out_of_range("a hexadecimal code from 0 to ffff");
        }
        (f == kFieldFirst ? h.firstChar : h.lastChar) =
            static_cast<uint16_t>(code);
        return true;
      case kFieldWidth:
      case kFieldHeight:
        if (!ParseDecimal(value.text, kRowDots, &number) || number == 0) {
          return out_of_range("a number of dots from 1 to 32");
        }
        (f == kFieldWidth ? h.width : h.height) = static_cast<uint32_t>(number);
        return true;
      case kFieldGlyphs:
        if (!ParseDecimal(value.text, 0xFFFFFFFFul, &number)) {
          return out_of_range("a number of glyphs");
        }
        out_->glyphCount = number;
        return true;
      default:
        return true;
    }
  }

  bool Vector(int f, const std::vector<Word>& words, TextError* error) {
    uint8_t* vector = f == kFieldCodePageVector1   ? out_->header.codePageVector1
                      : f == kFieldCodePageVector2 ? out_->header.codePageVector2
                      : f == kFieldFontVector1     ? out_->header.fontVector1
                                                   : out_->header.fontVector2;
    if (words.size() > 5) {
      *error = Error(line_, words[5].column,
                     std::string(kFields[f].name) + " holds at most 4 ranges");
      return false;
    }
    for (size_t i = 1; i < words.size(); ++i) {
      const std::string& text = words[i].text;
      const size_t dash = text.find('-');
      unsigned low = 0, high = 0;
      if (dash == std::string::npos || !ParseHex16(text.substr(0, dash), &low) ||
          !ParseHex16(text.substr(dash + 1), &high) || low > 0xFF ||
          high > 0xFF) {
        *error = Error(line_, words[i].column,
                       "range '" + text + "' is not two hexadecimal bytes "
                       "(e.g. 81-9f)");
        return false;
      }
      vector[2 * (i - 1)] = static_cast<uint8_t>(low);
      vector[2 * (i - 1) + 1] = static_cast<uint8_t>(high);
    }
    return true;
  }

  // A whole font's header, checked once before the first glyph.
  bool CheckHeader(int line, TextError* error) {
    headerChecked_ = true;
    static const int kNeeded[] = {kFieldKind,  kFieldCodePage, kFieldFirst,
                                  kFieldLast,  kFieldWidth,    kFieldHeight};
    for (int f : kNeeded) {
      if (!out_->given[f]) {
        *error = Error(line, 1, std::string("header field '") +
                                    kFields[f].name + "' missing");
        return false;
      }
    }
    if (out_->kind == FontKind::kDbcs) {
      for (int f : {kFieldFontVector1, kFieldFontVector2}) {
        if (!out_->given[f]) {
          *error = Error(line, 1, std::string("header field '") +
                                      kFields[f].name + "' missing");
          return false;
        }
      }
    } else {
      for (int f = kFieldCodePageVector1; f <= kFieldFontVector2; ++f) {
        if (out_->given[f]) {
          *error = Error(out_->fieldLine[f], 1,
                         std::string("header field '") + kFields[f].name +
                             "' is for DBCS fonts only");
          return false;
        }
      }
    }
    if (!out_->given[kFieldVersion]) out_->header.version = 1;
    const DbcsFontHeader& h = out_->header;
    if (!SizeFitsAStation(out_->kind, h.width, h.height)) {
      const char* kind = out_->kind == FontKind::kDbcs ? "DBCS" : "SBCS";
      *error = Error(out_->fieldLine[kFieldWidth], 1,
                     "size " + std::to_string(h.width) + "x" +
                         std::to_string(h.height) +
                         " is not one the converter takes for " + kind +
                         " fonts (" + AcceptedSizesOfKind(out_->kind) + ")");
      return false;
    }
    return true;
  }

  bool Glyph(const std::vector<Word>& words, TextError* error) {
    if (inTail_) {
      *error = Error(line_, 1, "glyph after the tail");
      return false;
    }
    if (!overlay_ && !headerChecked_ && !CheckHeader(line_, error)) {
      return false;
    }
    unsigned code = 0;
    if (words.size() < 2 || !ParseHex16(words[1].text, &code)) {
      *error = Error(line_, words.size() < 2 ? 6 : words[1].column,
                     "glyph needs a hexadecimal code from 0 to ffff");
      return false;
    }
    if (words.size() > 2) {
      *error = Error(line_, words[2].column,
                     "glyph takes one code (a comment starts with '#')");
      return false;
    }
    TextGlyph glyph;
    glyph.line = line_;
    glyph.code = static_cast<uint16_t>(code);
    out_->glyphs.push_back(glyph);
    inRows_ = true;
    return true;
  }

  bool Tail(const std::vector<Word>& words, TextError* error) {
    inTail_ = true;
    for (size_t i = 1; i < words.size(); ++i) {
      unsigned byte = 0;
      if (words[i].text.size() != 2 || !ParseHex16(words[i].text, &byte)) {
        *error = Error(line_, words[i].column,
                       "tail byte '" + words[i].text +
                           "' is not two hexadecimal digits");
        return false;
      }
      out_->tail.push_back(static_cast<uint8_t>(byte));
    }
    return true;
  }

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

  bool Row(const std::string& line, TextError* error) {
    if (!inRows_) {
      *error = Error(line_, 1, "a row outside a glyph (rows follow a glyph line)");
      return false;
    }
    TextGlyph& glyph = out_->glyphs.back();
    uint32_t row = 0;
    size_t bar = std::string::npos;
    for (size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '|' && bar == std::string::npos) {
        bar = i;
        continue;
      }
      if (c != '.' && c != '#') {
        std::string shown = c == '|' ? "a second '|'" : std::string("'") + c + "'";
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
          shown = "byte " + Hex(static_cast<unsigned char>(c), 2);
        }
        *error = Error(line_, static_cast<int>(i) + 1,
                       shown + " in a row (rows hold . and #, and one | "
                               "before the dots beyond the width)");
        return false;
      }
    }
    const size_t dots = bar == std::string::npos ? line.size() : bar;
    int width = RowWidth();
    if (width == 0) width = rowWidth_ = static_cast<int>(dots);
    if (static_cast<int>(dots) != width || width > kRowDots) {
      *error = Error(line_, static_cast<int>(std::min(dots, size_t(width))) + 1,
                     "row of " + std::to_string(dots) + " dots, the width is " +
                         std::to_string(width));
      return false;
    }
    if (bar != std::string::npos &&
        line.size() - bar - 1 != static_cast<size_t>(kRowDots - width)) {
      *error = Error(line_, static_cast<int>(bar) + 1,
                     "after '|' a row holds the " +
                         std::to_string(kRowDots - width) +
                         " dots beyond the width, not " +
                         std::to_string(line.size() - bar - 1));
      return false;
    }
    int x = 0;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '|') continue;
      if (line[i] == '#') row |= 0x80000000u >> x;
      ++x;
    }
    const int height = Height();
    if (height != 0 && static_cast<int>(glyph.rows.size()) == height) {
      *error = Error(line_, 1, "row " + std::to_string(height + 1) +
                                   " of glyph " + Hex(glyph.code, 2) +
                                   ": the height is " + std::to_string(height));
      return false;
    }
    glyph.rows.push_back(row);
    return true;
  }

  void EndRows() { inRows_ = false; }

  // The glyph just read has all its rows.
  bool EndGlyph(TextError* error) {
    inRows_ = false;
    if (out_->glyphs.empty() || out_->glyphs.size() == checkedGlyphs_) {
      return true;
    }
    checkedGlyphs_ = out_->glyphs.size();
    const TextGlyph& glyph = out_->glyphs.back();
    int height = Height();
    if (height == 0) height = height_ = static_cast<int>(glyph.rows.size());
    if (static_cast<int>(glyph.rows.size()) != height || height == 0) {
      *error = Error(glyph.line, 1,
                     "glyph " + Hex(glyph.code, 2) + " has " +
                         Rows(glyph.rows.size()) + ", the height is " +
                         std::to_string(height));
      return false;
    }
    return true;
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

// Matches glyphs to the file's slots in order: each glyph takes the first
// slot of its code after the previous glyph's. Fills slotOf[i] for glyph i.
bool MatchSlots(const GlyphText& text, const std::vector<uint16_t>& slots,
                size_t implied, bool ordered, std::vector<size_t>* slotOf,
                TextError* error) {
  std::vector<std::vector<size_t>> of_code(65536);
  for (size_t i = 0; i < slots.size(); ++i) of_code[slots[i]].push_back(i);
  std::vector<int> line_of_code(65536, 0);
  const char* kind = text.kind == FontKind::kDbcs ? "DBCS" : "SBCS";
  const int digits = CodeDigits(text.kind);
  size_t previous = 0;
  bool any = false;
  for (const TextGlyph& glyph : text.glyphs) {
    const std::vector<size_t>& candidates = of_code[glyph.code];
    const std::string code = Hex(glyph.code, digits);
    if (candidates.empty()) {
      std::string where;
      if (implied > slots.size()) {
        where = "beyond the " + std::to_string(slots.size()) +
                " glyphs the file holds";
      } else if (text.kind == FontKind::kSbcs) {
        where = "outside first " + Hex(text.header.firstChar, digits) +
                " to last " + Hex(text.header.lastChar, digits);
      } else {
        where = "not among the codes the font vectors give up to last " +
                Hex(text.header.lastChar, digits);
      }
      *error = Error(glyph.line, 7, std::string(kind) + " code " + code +
                                        " is " + where);
      return false;
    }
    size_t slot;
    if (ordered) {
      const auto next = any ? std::upper_bound(candidates.begin(),
                                               candidates.end(), previous)
                            : candidates.begin();
      if (next == candidates.end()) {
        if (line_of_code[glyph.code] != 0) {
          *error = Error(glyph.line, 7,
                         "code " + code + " twice (first on line " +
                             std::to_string(line_of_code[glyph.code]) + ")");
        } else {
          *error = Error(glyph.line, 7,
                         "code " + code + " after " +
                             Hex(slots[previous], digits) +
                             ": glyphs go in the file's order (" +
                             (text.kind == FontKind::kDbcs
                                  ? "the font vectors' order"
                                  : "rising codes") +
                             ")");
        }
        return false;
      }
      slot = *next;
    } else {
      if (line_of_code[glyph.code] != 0) {
        *error = Error(glyph.line, 7,
                       "code " + code + " twice (first on line " +
                           std::to_string(line_of_code[glyph.code]) + ")");
        return false;
      }
      slot = candidates.front();
    }
    if (line_of_code[glyph.code] == 0) line_of_code[glyph.code] = glyph.line;
    slotOf->push_back(slot);
    previous = slot;
    any = true;
  }
  return true;
}

// Writes one glyph's rows into the 4-byte file rows at `at`, bottom row
// first, the leftmost dots in the first byte.
}  // namespace

bool LooksLikeGlyphText(const uint8_t* data, size_t size) {
  const size_t n = std::strlen(kGlyphTextMagic);
  return size >= n && std::memcmp(data, kGlyphTextMagic, n) == 0 &&
         (size == n || data[n] == '\n' || data[n] == '\r');
}

std::string FormatTextError(const std::string& file, const TextError& error) {
  return file + ":" + std::to_string(error.line) + ":" +
         std::to_string(error.column) + ": " + error.message;
}

bool ParseGlyphText(const std::string& text, bool overlay, GlyphText* glyphs,
                    TextError* error) {
  *glyphs = GlyphText{};
  Parser parser(overlay, glyphs);
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
      line.pop_back();
    }
    if (number == 1) {
      if (line != kGlyphTextMagic) {
        *error = Error(1, 1, std::string("not a glyph text (the first line "
                                         "must be '") +
                                 kGlyphTextMagic + "')");
        return false;
      }
      continue;
    }
    if (line.find('\0') != std::string::npos) {
      *error = Error(number, static_cast<int>(line.find('\0')) + 1,
                     "NUL byte in the text");
      return false;
    }
    if (!parser.Line(number, line, error)) return false;
  }
  if (number == 0) {
    *error = Error(1, 1, std::string("empty text (the first line must be '") +
                             kGlyphTextMagic + "')");
    return false;
  }
  return parser.Finish(error);
}

bool BuildFromGlyphText(const GlyphText& text, Bytes* file,
                        TextError* error) {
  const FontKind kind = text.kind;
  const DbcsFontHeader& h = text.header;
  const size_t limit = SlotLimit(kind, h.height);
  bool more = false;
  std::vector<uint16_t> slots = SlotCodes(kind, h, limit, &more);
  if (more) {
    *error = Error(text.fieldLine[kFieldLast], 1,
                   "the header's codes make more than " +
                       std::to_string(limit) +
                       " glyphs, larger than any input font file");
    return false;
  }
  const size_t implied = slots.size();
  if (text.given[kFieldGlyphs]) {
    if (text.glyphCount > implied) {
      *error = Error(text.fieldLine[kFieldGlyphs], 1,
                     "glyphs " + std::to_string(text.glyphCount) +
                         " is more than the " + std::to_string(implied) +
                         " codes of the header");
      return false;
    }
    slots.resize(text.glyphCount);
  }
  std::vector<size_t> slot_of;
  if (!MatchSlots(text, slots, implied, true, &slot_of, error)) return false;

  file->clear();
  const size_t glyph_size = FileGlyphSize(h.height);
  file->resize(HeaderSize(kind) + slots.size() * glyph_size, 0);
  DbcsFontHeader header = h;
  std::memcpy(header.fileType, kind == FontKind::kDbcs ? kDbcsMagic : kSbcsMagic,
              kFileTypeSize);
  EncodeFontHeader(header, file->data());
  if (kind == FontKind::kDbcs) EncodeDbcsVectors(header, file->data());
  for (size_t i = 0; i < text.glyphs.size(); ++i) {
    PutGlyph(text.glyphs[i].rows,
            file->data() + HeaderSize(kind) + slot_of[i] * glyph_size);
  }
  file->insert(file->end(), text.tail.begin(), text.tail.end());
  return true;
}

bool ApplyGlyphOverlay(const GlyphText& overlay, Bytes* file,
                       TextError* error) {
  const FontKind kind = InputFontKind(file->data(), file->size());
  GlyphText target;
  target.kind = kind;
  DecodeFontHeader(file->data(), &target.header);
  if (kind == FontKind::kDbcs) DecodeDbcsVectors(file->data(), &target.header);
  const DbcsFontHeader& h = target.header;
  const DbcsFontHeader& o = overlay.header;
  struct Check {
    int field;
    bool same;
    unsigned font;
  };
  const Check checks[] = {
      {kFieldKind, overlay.kind == kind, KindByte(kind)},
      {kFieldVersion, o.version == h.version, h.version},
      {kFieldCodePage, o.codePage == h.codePage, h.codePage},
      {kFieldFirst, o.firstChar == h.firstChar, h.firstChar},
      {kFieldLast, o.lastChar == h.lastChar, h.lastChar},
      {kFieldWidth, o.width == h.width, h.width},
      {kFieldHeight, o.height == h.height, h.height},
      {kFieldCodePageVector1,
       std::memcmp(o.codePageVector1, h.codePageVector1, kVectorSize) == 0, 0},
      {kFieldCodePageVector2,
       std::memcmp(o.codePageVector2, h.codePageVector2, kVectorSize) == 0, 0},
      {kFieldFontVector1,
       std::memcmp(o.fontVector1, h.fontVector1, kVectorSize) == 0, 0},
      {kFieldFontVector2,
       std::memcmp(o.fontVector2, h.fontVector2, kVectorSize) == 0, 0},
  };
  for (const Check& check : checks) {
    if (!overlay.given[check.field] || check.same) continue;
    std::string font_value;
    switch (check.field) {
      case kFieldKind: font_value = kind == FontKind::kDbcs ? "dbcs" : "sbcs"; break;
      case kFieldFirst:
      case kFieldLast: font_value = Hex(check.font, CodeDigits(kind)); break;
      case kFieldVersion:
      case kFieldCodePage:
      case kFieldWidth:
      case kFieldHeight: font_value = std::to_string(check.font); break;
      default: font_value = "other ranges"; break;
    }
    *error = Error(overlay.fieldLine[check.field], 1,
                   std::string("the overlay's ") + kFields[check.field].name +
                       " differs from the font's (" + font_value + ")");
    return false;
  }
  if (overlay.glyphs.empty()) return true;
  const TextGlyph& first = overlay.glyphs.front();
  if (first.rows.size() != h.height) {
    *error = Error(first.line, 1,
                   "glyph " + Hex(first.code, CodeDigits(kind)) + " has " +
                       Rows(first.rows.size()) + ", the font's height is " +
                       std::to_string(h.height));
    return false;
  }
  if (overlay.rowWidth != h.width) {
    *error = Error(first.line + 1, 1,
                   "rows of " + std::to_string(overlay.rowWidth) +
                       " dots, the font's width is " +
                       std::to_string(h.width));
    return false;
  }
  bool more = false;
  const std::vector<uint16_t> all = SlotCodes(kind, h, SlotLimit(kind, h.height), &more);
  const size_t glyph_size = FileGlyphSize(h.height);
  const size_t whole = (file->size() - HeaderSize(kind)) / glyph_size;
  std::vector<uint16_t> slots(all.begin(),
                              all.begin() + std::min(all.size(), whole));
  // Only codes of the header's range count, not the blank ones a DBCS file
  // holds below its first code.
  for (const TextGlyph& glyph : overlay.glyphs) {
    if (glyph.code < h.firstChar || glyph.code > h.lastChar) {
      const int digits = CodeDigits(kind);
      *error = Error(glyph.line, 7,
                     std::string(kind == FontKind::kDbcs ? "DBCS" : "SBCS") +
                         " code " + Hex(glyph.code, digits) +
                         " is outside the font's first " +
                         Hex(h.firstChar, digits) + " to last " +
                         Hex(h.lastChar, digits));
      return false;
    }
  }
  target.glyphs = overlay.glyphs;
  std::vector<size_t> slot_of;
  if (!MatchSlots(target, slots, all.size(), false, &slot_of, error)) {
    return false;
  }
  for (size_t i = 0; i < overlay.glyphs.size(); ++i) {
    PutGlyph(overlay.glyphs[i].rows,
            file->data() + HeaderSize(kind) + slot_of[i] * glyph_size);
  }
  return true;
}

bool DumpInputFont(const uint8_t* data, size_t size,
                   std::string (*describe)(const void* context, int code),
                   const void* context, std::string* text,
                   std::string* problem) {
  const FontKind kind = InputFontKind(data, size);
  if (kind == FontKind::kNone) {
    *problem = "is not an input font file (no SBCS or DBCS magic)";
    return false;
  }
  const size_t header_size = HeaderSize(kind);
  if (size < header_size) {
    *problem = "header cut short: " + std::to_string(size) + " of " +
               std::to_string(header_size) + " bytes";
    return false;
  }
  DbcsFontHeader h = {};
  DecodeFontHeader(data, &h);
  if (kind == FontKind::kDbcs) DecodeDbcsVectors(data, &h);
  if (!SizeFitsAStation(kind, h.width, h.height)) {
    *problem = "size " + std::to_string(h.width) + "x" +
               std::to_string(h.height) + " fits no station (" +
               AcceptedSizesOfKind(kind) + ")";
    return false;
  }
  const size_t glyph_size = FileGlyphSize(h.height);
  const size_t present = (size - header_size) / glyph_size;
  bool more = false;
  const std::vector<uint16_t> slots = SlotCodes(kind, h, present, &more);
  const size_t whole = std::min(slots.size(), present);
  const int digits = CodeDigits(kind);

  std::string& out = *text;
  out = kGlyphTextMagic;
  out += "\nkind ";
  out += kind == FontKind::kDbcs ? "dbcs" : "sbcs";
  out += "\nversion " + std::to_string(h.version);
  out += "\ncode-page " + std::to_string(h.codePage);
  out += "\nfirst " + Hex(h.firstChar, digits);
  out += "\nlast " + Hex(h.lastChar, digits);
  out += "\nwidth " + std::to_string(h.width);
  out += "\nheight " + std::to_string(h.height);
  if (kind == FontKind::kDbcs) {
    const uint8_t* vectors[] = {h.codePageVector1, h.codePageVector2,
                                h.fontVector1, h.fontVector2};
    for (int v = 0; v < 4; ++v) {
      out += "\n";
      out += kFields[kFieldCodePageVector1 + v].name;
      for (int pair = 0; pair < 4; ++pair) {
        out += " " + Hex(vectors[v][2 * pair], 2) + "-" +
               Hex(vectors[v][2 * pair + 1], 2);
      }
    }
  }
  // A body cut short holds fewer whole glyphs than the header's codes.
  if (more) out += "\nglyphs " + std::to_string(whole);
  out += "\n";
  const int width = static_cast<int>(h.width);
  const uint32_t beyond = width >= kRowDots ? 0 : 0xFFFFFFFFu >> width;
  for (size_t i = 0; i < whole; ++i) {
    const uint8_t* glyph = data + header_size + i * glyph_size;
    out += "\nglyph " + Hex(slots[i], digits);
    if (describe != nullptr) {
      const std::string comment = describe(context, slots[i]);
      if (!comment.empty()) out += "  # " + comment;
    }
    out += "\n";
    for (int r = static_cast<int>(h.height) - 1; r >= 0; --r) {
      const uint8_t* b = glyph + 4 * r;
      const uint32_t row = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 |
                           uint32_t(b[2]) << 8 | b[3];
      for (int x = 0; x < width; ++x) {
        out += row & (0x80000000u >> x) ? '#' : '.';
      }
      if (row & beyond) {
        out += '|';
        for (int x = width; x < kRowDots; ++x) {
          out += row & (0x80000000u >> x) ? '#' : '.';
        }
      }
      out += '\n';
    }
  }
  const size_t tail_at = header_size + whole * glyph_size;
  if (tail_at < size) {
    out += "\n";
    for (size_t at = tail_at; at < size; at += 16) {
      out += "tail";
      for (size_t i = at; i < std::min(size, at + 16); ++i) {
        out += " " + Hex(data[i], 2);
      }
      out += "\n";
    }
  }
  return true;
}
