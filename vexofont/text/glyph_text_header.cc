#include "vexofont/text/glyph_text_header.h"

#include <cstring>

#include "fontinput/glyph_size.h"
#include "vexofont/fontrules/code_text.h"

namespace vexo {

namespace {

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

bool IsVectorField(int field) {
  return field >= kFieldCodePageVector1 && field <= kFieldFontVector2;
}

uint8_t* VectorOf(int field, DbcsFontHeader* header) {
  return field == kFieldCodePageVector1   ? header->codePageVector1
         : field == kFieldCodePageVector2 ? header->codePageVector2
         : field == kFieldFontVector1     ? header->fontVector1
                                          : header->fontVector2;
}

bool ReadVector(int field, const std::vector<TextWord>& words, int line,
                GlyphText* text, TextError* error) {
  uint8_t* vector = VectorOf(field, &text->header);
  if (words.size() > 5) {
    *error = MakeTextError(line, words[5].column,
                           std::string(FieldName(field)) +
                               " holds at most 4 ranges");
    return false;
  }
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& range = words[i].text;
    const size_t dash = range.find('-');
    unsigned low = 0, high = 0;
    if (dash == std::string::npos || !ParseHex16(range.substr(0, dash), &low) ||
        !ParseHex16(range.substr(dash + 1), &high) || low > 0xFF ||
        high > 0xFF) {
      *error = MakeTextError(line, words[i].column,
                             "range '" + range +
                                 "' is not two hexadecimal bytes (e.g. 81-9f)");
      return false;
    }
    vector[2 * (i - 1)] = static_cast<uint8_t>(low);
    vector[2 * (i - 1) + 1] = static_cast<uint8_t>(high);
  }
  return true;
}

// The value of a field of one value; returns what the value is not, or
// null when it was taken.
const char* ReadValue(int field, const std::string& value, GlyphText* text) {
  DbcsFontHeader& h = text->header;
  unsigned long number = 0;
  unsigned code = 0;
  switch (field) {
    case kFieldKind:
      if (value != "sbcs" && value != "dbcs") return "sbcs or dbcs";
      text->kind = value == "sbcs" ? FontKind::kSbcs : FontKind::kDbcs;
      return nullptr;
    case kFieldVersion:
    case kFieldCodePage:
      if (!ParseDecimal(value, 0xFFFF, &number)) {
        return "a number from 0 to 65535";
      }
      (field == kFieldVersion ? h.version : h.codePage) =
          static_cast<uint16_t>(number);
      return nullptr;
    case kFieldFirst:
    case kFieldLast:
      if (!ParseHex16(value, &code)) return "a hexadecimal code from 0 to ffff";
      (field == kFieldFirst ? h.firstChar : h.lastChar) =
          static_cast<uint16_t>(code);
      return nullptr;
    case kFieldWidth:
    case kFieldHeight:
      if (!ParseDecimal(value, kRowDots, &number) || number == 0) {
        return "a number of dots from 1 to 32";
      }
      (field == kFieldWidth ? h.width : h.height) = static_cast<uint32_t>(number);
      return nullptr;
    case kFieldGlyphs:
      if (!ParseDecimal(value, 0xFFFFFFFFul, &number)) {
        return "a number of glyphs";
      }
      text->glyphCount = number;
      return nullptr;
    default:
      return nullptr;
  }
}

TextError FieldMissing(int line, int field) {
  return MakeTextError(line, 1, std::string("header field '") +
                                    FieldName(field) + "' missing");
}

// The fields a whole font of the kind needs, and none it must not have.
bool CheckFieldsGiven(int line, const GlyphText& text, TextError* error) {
  static const int kNeeded[] = {kFieldKind,  kFieldCodePage, kFieldFirst,
                                kFieldLast,  kFieldWidth,    kFieldHeight};
  for (int f : kNeeded) {
    if (!text.given[f]) {
      *error = FieldMissing(line, f);
      return false;
    }
  }
  if (text.kind == FontKind::kDbcs) {
    for (int f : {kFieldFontVector1, kFieldFontVector2}) {
      if (!text.given[f]) {
        *error = FieldMissing(line, f);
        return false;
      }
    }
    return true;
  }
  for (int f = kFieldCodePageVector1; f <= kFieldFontVector2; ++f) {
    if (text.given[f]) {
      *error = MakeTextError(text.fieldLine[f], 1,
                             std::string("header field '") + FieldName(f) +
                                 "' is for DBCS fonts only");
      return false;
    }
  }
  return true;
}

}  // namespace

std::vector<TextWord> SplitWords(const std::string& line) {
  std::vector<TextWord> words;
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

bool ParseHex16(const std::string& text, unsigned* value) {
  unsigned long parsed = 0;
  if (!ParseHexCode(text, 0xFFFF, &parsed, 4)) return false;
  *value = static_cast<unsigned>(parsed);
  return true;
}

bool ReadHeaderField(int field, const std::vector<TextWord>& words, int line,
                     bool afterGlyphs, GlyphText* text, TextError* error) {
  const std::string name = FieldName(field);
  if (afterGlyphs) {
    *error = MakeTextError(line, 1, "header field '" + name +
                                        "' after the first glyph");
    return false;
  }
  if (text->given[field]) {
    *error = MakeTextError(line, 1, "header field '" + name +
                                        "' given twice (first on line " +
                                        std::to_string(text->fieldLine[field]) +
                                        ")");
    return false;
  }
  text->given[field] = true;
  text->fieldLine[field] = line;
  if (IsVectorField(field)) return ReadVector(field, words, line, text, error);
  if (words.size() != 2) {
    *error = MakeTextError(
        line,
        words.size() < 2 ? static_cast<int>(name.size()) + 2 : words[2].column,
        "header field '" + name + "' takes one value");
    return false;
  }
  const TextWord& value = words[1];
  if (const char* notWhat = ReadValue(field, value.text, text)) {
    *error = MakeTextError(line, value.column,
                           name + " '" + value.text + "' is not " + notWhat);
    return false;
  }
  return true;
}

bool CheckWholeFontHeader(int line, GlyphText* text, TextError* error) {
  if (!CheckFieldsGiven(line, *text, error)) return false;
  if (!text->given[kFieldVersion]) text->header.version = 1;
  const DbcsFontHeader& h = text->header;
  if (!SizeFitsAStation(text->kind, h.width, h.height)) {
    *error = MakeTextError(text->fieldLine[kFieldWidth], 1,
                           "size " + std::to_string(h.width) + "x" +
                               std::to_string(h.height) +
                               " is not one the converter takes for " +
                               KindName(text->kind) + " fonts (" +
                               AcceptedSizesOfKind(text->kind) + ")");
    return false;
  }
  return true;
}

}  // namespace vexo
