#include "vexofont/text/glyph_text_writer.h"

#include <algorithm>
#include <vector>

#include "fontinput/glyph_size.h"
#include "vexofont/fontrules/code_text.h"
#include "vexofont/fontrules/dot_chars.h"
#include "vexofont/text/glyph_slots.h"
#include "vexofont/text/glyph_text.h"

namespace vexo {

namespace {

// The header block; `glyphs` is written where the body holds fewer whole
// glyphs than the header's codes.
void WriteHeader(FontKind kind, const DbcsFontHeader& h, bool cutShort,
                 size_t glyphs, std::string* out) {
  const int digits = CodeDigits(kind);
  *out = kGlyphTextMagic;
  *out += "\nkind ";
  *out += kind == FontKind::kDbcs ? "dbcs" : "sbcs";
  *out += "\nversion " + std::to_string(h.version);
  *out += "\ncode-page " + std::to_string(h.codePage);
  *out += "\nfirst " + HexCode(h.firstChar, digits);
  *out += "\nlast " + HexCode(h.lastChar, digits);
  *out += "\nwidth " + std::to_string(h.width);
  *out += "\nheight " + std::to_string(h.height);
  if (kind == FontKind::kDbcs) {
    const uint8_t* vectors[] = {h.codePageVector1, h.codePageVector2,
                                h.fontVector1, h.fontVector2};
    for (int v = 0; v < 4; ++v) {
      *out += "\n";
      *out += FieldName(kFieldCodePageVector1 + v);
      for (int pair = 0; pair < 4; ++pair) {
        *out += " " + HexCode(vectors[v][2 * pair], 2) + "-" +
                HexCode(vectors[v][2 * pair + 1], 2);
      }
    }
  }
  if (cutShort) *out += "\nglyphs " + std::to_string(glyphs);
  *out += "\n";
}

// One glyph's rows, top row first: `width` dots, then the dots beyond it
// after a `|` where any is set.
void WriteRows(const uint8_t* glyph, int width, int height, std::string* out) {
  const uint32_t beyond = width >= kRowDots ? 0 : 0xFFFFFFFFu >> width;
  for (int r = height - 1; r >= 0; --r) {
    const uint8_t* b = glyph + 4 * r;
    const uint32_t row = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 |
                         uint32_t(b[2]) << 8 | b[3];
    for (int x = 0; x < width; ++x) {
      *out += row & (0x80000000u >> x) ? kSetDot : kClearDot;
    }
    if (row & beyond) {
      *out += '|';
      for (int x = width; x < kRowDots; ++x) {
        *out += row & (0x80000000u >> x) ? kSetDot : kClearDot;
      }
    }
    *out += '\n';
  }
}

// The bytes from `at` on, 16 to a tail line.
void WriteTail(const uint8_t* data, size_t at, size_t size, std::string* out) {
  if (at >= size) return;
  *out += "\n";
  for (; at < size; at += 16) {
    *out += "tail";
    for (size_t i = at; i < std::min(size, at + 16); ++i) {
      *out += " " + HexCode(data[i], 2);
    }
    *out += "\n";
  }
}

// Why the file cannot be written as text, or empty.
std::string Unwritable(const uint8_t* data, size_t size, FontKind kind,
                       DbcsFontHeader* h) {
  if (kind == FontKind::kNone) {
    return "is not an input font file (no SBCS or DBCS magic)";
  }
  const size_t headerSize = HeaderSize(kind);
  if (size < headerSize) {
    return "header cut short: " + std::to_string(size) + " of " +
           std::to_string(headerSize) + " bytes";
  }
  DecodeFontHeader(data, h);
  if (kind == FontKind::kDbcs) DecodeDbcsVectors(data, h);
  if (!SizeFitsAStation(kind, h->width, h->height)) {
    return "size " + std::to_string(h->width) + "x" +
           std::to_string(h->height) + " fits no station (" +
           AcceptedSizesOfKind(kind) + ")";
  }
  return "";
}

}  // namespace

bool DumpInputFont(const uint8_t* data, size_t size,
                   std::string (*describe)(const void* context, int code),
                   const void* context, std::string* text,
                   std::string* problem) {
  const FontKind kind = InputFontKind(data, size);
  DbcsFontHeader h = {};
  *problem = Unwritable(data, size, kind, &h);
  if (!problem->empty()) return false;
  const size_t headerSize = HeaderSize(kind);
  const size_t glyphSize = FileGlyphSize(h.height);
  const size_t present = (size - headerSize) / glyphSize;
  bool more = false;
  const std::vector<uint16_t> slots = SlotCodes(kind, h, present, &more);
  const size_t whole = std::min(slots.size(), present);
  WriteHeader(kind, h, more, whole, text);
  for (size_t i = 0; i < whole; ++i) {
    *text += "\nglyph " + HexCode(slots[i], CodeDigits(kind));
    if (describe != nullptr) {
      const std::string comment = describe(context, slots[i]);
      if (!comment.empty()) *text += "  # " + comment;
    }
    *text += "\n";
    WriteRows(data + headerSize + i * glyphSize, static_cast<int>(h.width),
              static_cast<int>(h.height), text);
  }
  WriteTail(data, headerSize + whole * glyphSize, size, text);
  return true;
}

}  // namespace vexo
