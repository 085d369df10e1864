#include "fontinput/font_writer.h"

#include "fontinput/dbcs_codes.h"
#include "fontinput/font_header.h"

namespace vexo {

namespace {

// The file type, padded with NULs or cut to 16 bytes, and the fields.
FontHeader Header(const HeaderFields& fields) {
  FontHeader header = {};
  for (int i = 0; i < kFileTypeSize && i < int(fields.magic.size()); ++i) {
    header.fileType[i] = fields.magic[i];
  }
  header.version = fields.version;
  header.codePage = fields.codePage;
  header.firstChar = fields.firstChar;
  header.lastChar = fields.lastChar;
  header.width = fields.width;
  header.height = fields.height;
  return header;
}

// The first four pairs; the pairs a vector leaves out are 0.
void EncodeVector(const Vector& vector, uint8_t* raw) {
  for (int pair = 0; pair < 4; ++pair) {
    const bool present = pair < int(vector.size());
    raw[2 * pair] = present ? vector[pair].first : 0;
    raw[2 * pair + 1] = present ? vector[pair].second : 0;
  }
}

}  // namespace

void AppendSbcsHeader(Bytes* out, HeaderFields fields) {
  if (fields.magic.empty()) fields.magic = kSbcsMagic;
  uint8_t raw[kSbcsHeaderSize];
  EncodeFontHeader(Header(fields), raw);
  out->insert(out->end(), raw, raw + sizeof(raw));
}

void AppendDbcsHeader(Bytes* out, HeaderFields fields,
                      const DbcsVectors& vectors) {
  if (fields.magic.empty()) fields.magic = kDbcsMagic;
  DbcsFontHeader header = {};
  static_cast<FontHeader&>(header) = Header(fields);
  EncodeVector(vectors.codePageVector1, header.codePageVector1);
  EncodeVector(vectors.codePageVector2, header.codePageVector2);
  EncodeVector(vectors.fontVector1, header.fontVector1);
  EncodeVector(vectors.fontVector2, header.fontVector2);
  uint8_t raw[kDbcsHeaderSize];
  EncodeFontHeader(header, raw);
  EncodeDbcsVectors(header, raw);
  out->insert(out->end(), raw, raw + sizeof(raw));
}

void PutGlyph(const GlyphRows& rows, uint8_t* at) {
  const size_t height = rows.size();
  for (size_t r = 0; r < height; ++r) {
    // Dots left to right are bits 31 down to 0: the first file byte holds
    // the leftmost eight.
    const uint32_t row = rows[height - 1 - r];
    at[4 * r] = static_cast<uint8_t>(row >> 24);
    at[4 * r + 1] = static_cast<uint8_t>(row >> 16);
    at[4 * r + 2] = static_cast<uint8_t>(row >> 8);
    at[4 * r + 3] = static_cast<uint8_t>(row);
  }
}

void AppendGlyph(Bytes* out, const GlyphRows& rows) {
  const size_t at = out->size();
  out->resize(at + 4 * rows.size());
  PutGlyph(rows, out->data() + at);
}

std::vector<uint16_t> EnumerateDbcsCodes(const Vector& fontVector1,
                                         const Vector& fontVector2,
                                         uint16_t lastChar) {
  uint8_t leads[kVectorSize];
  uint8_t trails[kVectorSize];
  EncodeVector(fontVector1, leads);
  EncodeVector(fontVector2, trails);
  std::vector<uint16_t> codes;
  ForEachDbcsCode(leads, trails, lastChar, [&codes](int lead, int trail) {
    codes.push_back(static_cast<uint16_t>(lead << 8 | trail));
    return true;
  });
  return codes;
}

}  // namespace vexo
