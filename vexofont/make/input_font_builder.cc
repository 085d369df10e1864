#include "vexofont/make/input_font_builder.h"

#include <algorithm>
#include <cassert>

#include "fontinput/font_header.h"
#include "fontinput/glyph_size.h"

namespace vexo {

namespace {

constexpr uint16_t kInputFontVersion = 1;

HeaderFields FieldsFor(const FontRequest& request) {
  HeaderFields fields;
  fields.version = kInputFontVersion;
  fields.codePage = request.codePage->number;
  fields.firstChar = static_cast<uint16_t>(request.first);
  fields.lastChar = static_cast<uint16_t>(request.last);
  fields.width = static_cast<uint32_t>(request.cell.width);
  fields.height = static_cast<uint32_t>(request.cell.height);
  return fields;
}

void AppendCodeGlyph(int code, const GlyphSource& source, CellSize cell,
                     Bytes* out, FontCounts* counts) {
  CellGlyph glyph;
  if (!source(code, &glyph)) {
    glyph.rows.assign(cell.height, 0);
    glyph.clippedDots = 0;
    ++counts->missing;
    counts->missingCodes.push_back(code);
  }
  glyph.rows.resize(cell.height, 0);
  if (glyph.clippedDots > 0) {
    ++counts->clippedGlyphs;
    counts->clippedDots += glyph.clippedDots;
    counts->clippedCodes.push_back(code);
  }
  counts->movedGlyphs += glyph.moved ? 1 : 0;
  counts->shrunkGlyphs += glyph.shrunk ? 1 : 0;
  AppendGlyph(out, glyph.rows);
  ++counts->written;
}

}  // namespace

DbcsVectors DbcsVectorsFor(const CodePage& codePage, int first, int last) {
  DbcsVectors vectors;
  const int firstLead = first >> 8;
  const int lastLead = last >> 8;
  int leadSlot = 0;
  for (int i = 0; i < kRangeSlots; ++i) {
    const ByteRange lead = codePage.lead[i];
    const ByteRange trail = codePage.trail[i];
    vectors.codePageVector1[i] = {lead.first, lead.last};
    vectors.codePageVector2[i] = {trail.first, trail.last};
    vectors.fontVector2[i] = {trail.first, trail.last};
    if (lead.first == 0) continue;
    const int low = std::max<int>(lead.first, firstLead);
    const int high = std::min<int>(lead.last, lastLead);
    if (low > high) continue;
    vectors.fontVector1[leadSlot++] = {static_cast<uint8_t>(low),
                                       static_cast<uint8_t>(high)};
  }
  return vectors;
}

bool DbcsRangeHasCodes(const FontRequest& request) {
  const DbcsVectors vectors =
      DbcsVectorsFor(*request.codePage, request.first, request.last);
  const std::vector<uint16_t> codes =
      EnumerateDbcsCodes(vectors.fontVector1, vectors.fontVector2,
                         static_cast<uint16_t>(request.last));
  return std::any_of(codes.begin(), codes.end(),
                     [&](uint16_t code) { return code >= request.first; });
}

bool BuildInputFont(const FontRequest& request, const GlyphSource& source,
                    Bytes* out, FontCounts* counts) {
  *counts = FontCounts();
  [[maybe_unused]] const size_t start = out->size();
  if (request.kind == FontKind::kSbcs) {
    AppendSbcsHeader(out, FieldsFor(request));
    for (int code = request.first; code <= request.last; ++code) {
      AppendCodeGlyph(code, source, request.cell, out, counts);
    }
  } else {
    if (!DbcsRangeHasCodes(request)) return false;
    const DbcsVectors vectors =
        DbcsVectorsFor(*request.codePage, request.first, request.last);
    const std::vector<uint16_t> codes =
        EnumerateDbcsCodes(vectors.fontVector1, vectors.fontVector2,
                           static_cast<uint16_t>(request.last));
    AppendDbcsHeader(out, FieldsFor(request), vectors);
    for (uint16_t code : codes) {
      if (code < request.first) {
        AppendGlyph(out, GlyphRows(request.cell.height, 0));
        ++counts->written;
        ++counts->belowFirst;
        continue;
      }
      AppendCodeGlyph(code, source, request.cell, out, counts);
    }
  }
  assert(out->size() - start ==
         InputFontFileSize(request.kind, request.cell, counts->written));
  return true;
}

void BlankDbcsGlyphs(const FontRequest& request, const std::vector<int>& codes,
                     Bytes* file) {
  std::vector<bool> blank(65536, false);
  for (int code : codes) blank[code & 0xffff] = true;
  const DbcsVectors vectors =
      DbcsVectorsFor(*request.codePage, request.first, request.last);
  const std::vector<uint16_t> order =
      EnumerateDbcsCodes(vectors.fontVector1, vectors.fontVector2,
                         static_cast<uint16_t>(request.last));
  const size_t size = FileGlyphSize(static_cast<uint32_t>(request.cell.height));
  for (size_t i = 0; i < order.size(); ++i) {
    const size_t at = kDbcsHeaderSize + i * size;
    if (!blank[order[i]] || at + size > file->size()) continue;
    std::fill(file->begin() + static_cast<long>(at),
              file->begin() + static_cast<long>(at + size), 0);
  }
}

size_t InputFontFileSize(FontKind kind, CellSize cell, int glyphs) {
  const size_t header = kind == FontKind::kSbcs ? kSbcsHeaderSize
                                                : kDbcsHeaderSize;
  return header + static_cast<size_t>(glyphs) *
                      FileGlyphSize(static_cast<uint32_t>(cell.height));
}

}  // namespace vexo
