#include "vexofont/text/glyph_text.h"

#include <cstring>

#include "fontinput/glyph_size.h"

namespace vexo {

namespace {

constexpr const char* kFieldNames[kFieldCount] = {
    "kind",          "version",       "code-page",
    "first",         "last",          "width",
    "height",        "code-page-vector-1", "code-page-vector-2",
    "font-vector-1", "font-vector-2", "glyphs",
};

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

TextError MakeTextError(int line, int column, std::string message) {
  return TextError{line, column, std::move(message)};
}

const char* FieldName(int field) { return kFieldNames[field]; }

std::string Rows(size_t n) {
  return std::to_string(n) + (n == 1 ? " row" : " rows");
}

int CodeDigits(FontKind kind) { return kind == FontKind::kDbcs ? 4 : 2; }

const char* KindName(FontKind kind) {
  return kind == FontKind::kDbcs ? "DBCS" : "SBCS";
}

size_t HeaderSize(FontKind kind) {
  return kind == FontKind::kDbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
}

bool SizeFitsAStation(FontKind kind, uint32_t width, uint32_t height) {
  return GlyphSizeAccepted(kind, Station::kThermal, width, height) ||
         GlyphSizeAccepted(kind, Station::kImpact, width, height);
}

}  // namespace vexo
