#include "vexofont/show/output_file_reader.h"

#include <algorithm>
#include <vector>

#include "store/glyph_table.h"
#include "store/little_endian.h"
#include "store/output_font_file.h"
#include "vexofont/show/column_decoder.h"

namespace {

constexpr int kNumberLength = 2;
constexpr int kDateLength = 5;
constexpr int kCodePageVectorRecords = 3;
constexpr uint16_t kStartValue = 1;

struct TagInfo {
  uint16_t tag;
  const char* name;
  int length;
};

// The ten single parameter records come first, in this order.
constexpr TagInfo kTags[] = {
    {TagStart, "TagStart", kNumberLength},
    {TagDate, "TagDate", kDateLength},
    {TagCodePage, "TagCodePage", kNumberLength},
    {TagSbcsThermalWidth, "TagSbcsThermalWidth", kNumberLength},
    {TagSbcsThermalHeight, "TagSbcsThermalHeight", kNumberLength},
    {TagSbcsImpactWidth, "TagSbcsImpactWidth", kNumberLength},
    {TagSbcsImpactHeight, "TagSbcsImpactHeight", kNumberLength},
    {TagSbcsSpacing, "TagSbcsSpacing", kNumberLength},
    {TagDbcsSpacing, "TagDbcsSpacing", kNumberLength},
    {TagDbcsImpactNineRows, "TagDbcsImpactNineRows", kNumberLength},
    {TagCodePageVector, "TagCodePageVector", kNumberLength},
    {TagSbcsGlyph, "TagSbcsGlyph", kGlyphRecordSize},
    {TagDbcsGlyph, "TagDbcsGlyph", kGlyphRecordSize},
    {TagEnd, "TagEnd", 0},
};
constexpr int kSingleParameterCount = 10;
constexpr int kTagCount = sizeof(kTags) / sizeof(kTags[0]);
static_assert(kTags[kSingleParameterCount].tag == TagCodePageVector);

int FindTag(uint16_t tag) {
  for (int i = 0; i < kTagCount; ++i) {
    if (kTags[i].tag == tag) return i;
  }
  return -1;
}

bool IsGlyphTag(uint16_t tag) {
  return tag == TagSbcsGlyph || tag == TagDbcsGlyph;
}

// Where a number parameter lands in OutputParameters.
uint16_t* NumberField(uint16_t tag, OutputParameters* p) {
  switch (tag) {
    case TagCodePage: return &p->codePage;
    case TagSbcsThermalWidth: return &p->sbcsThermalWidth;
    case TagSbcsThermalHeight: return &p->sbcsThermalHeight;
    case TagSbcsImpactWidth: return &p->sbcsImpactWidth;
    case TagSbcsImpactHeight: return &p->sbcsImpactHeight;
    case TagSbcsSpacing: return &p->sbcsSpacing;
    case TagDbcsSpacing: return &p->dbcsSpacing;
    case TagDbcsImpactNineRows: return &p->dbcsImpactNineRows;
    default: return nullptr;
  }
}

// A size parameter is 0 (no font of the kind and station loaded) or a value
// the converter accepts for that station.
void CheckSize(ProblemList* problems, size_t offset, const char* what,
               unsigned value, unsigned low, unsigned high) {
  if (value != 0 && (value < low || value > high)) {
    AddProblem(problems, offset, "%s %u is neither 0 nor within %u to %u",
               what, value, low, high);
  }
}

void CheckParameterValues(const OutputParameters& p,
                          const size_t payloadAt[kSingleParameterCount],
                          ProblemList* problems) {
  // Indexes into kTags.
  CheckSize(problems, payloadAt[3], "SBCS thermal width", p.sbcsThermalWidth,
            8, 16);
  CheckSize(problems, payloadAt[4], "SBCS thermal height",
            p.sbcsThermalHeight, 16, p.sbcsThermalWidth == 16 ? 24 : 32);
  CheckSize(problems, payloadAt[5], "SBCS impact width", p.sbcsImpactWidth, 4,
            16);
  CheckSize(problems, payloadAt[6], "SBCS impact height", p.sbcsImpactHeight,
            4, 16);
  if (p.dbcsImpactNineRows > 1) {
    AddProblem(problems, payloadAt[9],
               "DBCS impact nine rows flag %u, expected 0 or 1",
               p.dbcsImpactNineRows);
  }
}

// Checks one glyph payload at `at`; `tag` says which kind it must be.
void CheckGlyphRecord(const uint8_t* data, size_t at, uint16_t tag,
                      std::vector<size_t>* firstOffsetOfCode,
                      ProblemList* problems) {
  const uint8_t* g = data + at;
  const uint8_t expected_kind = tag == TagSbcsGlyph ? kKindSbcs : kKindDbcs;
  const char* tag_name = tag == TagSbcsGlyph ? "TagSbcsGlyph" : "TagDbcsGlyph";
  if (g[kKindOffset] != expected_kind) {
    AddProblem(problems, at + kKindOffset,
               "glyph kind %u, expected %u in a %s record", g[kKindOffset],
               expected_kind, tag_name);
  }
  if (g[kMarkerOffset] != kGlyphMarker) {
    AddProblem(problems, at + kMarkerOffset,
               "glyph marker 0x%02x, expected 0x%02x", g[kMarkerOffset],
               kGlyphMarker);
  }
  if (tag == TagSbcsGlyph && g[kCodeHighOffset] != 0) {
    AddProblem(problems, at + kCodeHighOffset,
               "SBCS glyph code high byte 0x%02x, expected 0",
               g[kCodeHighOffset]);
  }
  if (tag == TagDbcsGlyph && g[kCodeHighOffset] == 0) {
    AddProblem(problems, at + kCodeHighOffset,
               "DBCS glyph code high byte 0, expected a lead byte");
  }
  const int code = g[kCodeHighOffset] << 8 | g[kCodeLowOffset];
  size_t& first = (*firstOffsetOfCode)[code];
  if (first == 0) {
    first = at + 1;  // 0 stands for "not seen"
  } else {
    AddProblem(problems, at + kCodeHighOffset,
               "code 0x%04x stored twice (first record payload at offset "
               "%zu)",
               code, first - 1);
  }
  const uint8_t thermal_defined = g[kThermalDefinedOffset];
  const uint8_t impact_defined = g[kImpactDefinedOffset];
  if (thermal_defined > 1) {
    AddProblem(problems, at + kThermalDefinedOffset,
               "thermal defined flag %u, expected 0 or 1", thermal_defined);
  }
  if (impact_defined > 1) {
    AddProblem(problems, at + kImpactDefinedOffset,
               "impact defined flag %u, expected 0 or 1", impact_defined);
  }
  if (thermal_defined == 0 && impact_defined == 0) {
    AddProblem(problems, at + kThermalDefinedOffset,
               "glyph defined for neither station");
  }
  if (g[kThermalCountOffset] > kThermalBitmapSize) {
    AddProblem(problems, at + kThermalCountOffset,
               "thermal count %u exceeds the %d-byte thermal bitmap",
               g[kThermalCountOffset], kThermalBitmapSize);
  }
  if (g[kImpactCountOffset] > kImpactDataSize) {
    AddProblem(problems, at + kImpactCountOffset,
               "impact count %u exceeds the %d bytes of impact data",
               g[kImpactCountOffset], kImpactDataSize);
  }
}

// Turns a checked glyph payload into the dots each station prints, with the
// sizes the parameter records give.
ShownGlyph MakeGlyph(const uint8_t* data, size_t at, uint16_t tag,
                     const OutputParameters& p) {
  const uint8_t* g = data + at;
  ShownGlyph glyph;
  glyph.kind = tag == TagSbcsGlyph ? kKindSbcs : kKindDbcs;
  glyph.code =
      static_cast<uint16_t>(g[kCodeHighOffset] << 8 | g[kCodeLowOffset]);
  glyph.offset = at - kRecordFrameSize;
  glyph.thermal = g[kThermalDefinedOffset] != 0;
  glyph.impact = g[kImpactDefinedOffset] != 0;
  const int thermal_count =
      std::min<int>(g[kThermalCountOffset], kThermalBitmapSize);
  const int impact_count = std::min<int>(g[kImpactCountOffset], kImpactDataSize);
  const uint8_t* bitmap = g + kThermalBitmapOffset;
  const uint8_t* columns = g + kImpactDataOffset;
  if (glyph.kind == kKindSbcs) {
    // SBCS thermal rows carry one byte more than width / 8.
    const int width = p.sbcsThermalWidth;
    if (glyph.thermal) {
      PictureFromRowBitmap(bitmap, thermal_count, width / 8 + 1, width,
                           p.sbcsThermalHeight, &glyph.thermalDots);
    }
    if (glyph.impact) {
      DecodeImpactColumns(columns, impact_count, p.sbcsImpactWidth,
                          p.sbcsImpactHeight, &glyph.impactDots);
    }
  } else {
    if (glyph.thermal) {
      PictureFromRowBitmap(bitmap, thermal_count, 3, 24, 24,
                           &glyph.thermalDots);
    }
    if (glyph.impact) {
      DecodeImpactColumns(columns, impact_count, 16,
                          p.dbcsImpactNineRows == 1 ? 9 : 16,
                          &glyph.impactDots);
    }
  }
  return glyph;
}

}  // namespace

bool LooksLikeOutputFontFile(const uint8_t* data, size_t size) {
  return size >= 2 && DecodeFixed16(data) == TagStart;
}

void ReadOutputFontFile(const uint8_t* data, size_t size, ShownFont* font,
                        ProblemList* problems) {
  font->fileKind = FontFileKind::kOutput;
  font->fileSize = size;
  font->parameters = OutputParameters{};
  font->glyphs.clear();
  OutputParameters& p = font->parameters;

  size_t parameter_at[kSingleParameterCount] = {};  // record offset + 1
  size_t payload_at[kSingleParameterCount] = {};
  std::vector<size_t> first_offset_of_code(1 << 16, 0);
  struct GlyphAt {
    size_t payload;
    uint16_t tag;
  };
  std::vector<GlyphAt> glyph_records;
  bool in_glyphs = false;       // a glyph record has been met
  bool in_dbcs_glyphs = false;  // a DBCS glyph record has been met
  size_t parameters_end = size;  // where the parameter records stop
  bool ended = false;
  bool cut = false;

  size_t offset = 0;
  while (offset < size) {
    const size_t left = size - offset;
    if (left < kRecordFrameSize) {
      AddProblem(problems, offset,
                 "file ends inside a record frame: %zu of %d bytes", left,
                 kRecordFrameSize);
      cut = true;
      break;
    }
    const uint16_t tag = DecodeFixed16(data + offset);
    const uint16_t length = DecodeFixed16(data + offset + 2);
    const size_t payload = offset + kRecordFrameSize;
    if (size - payload < length) {
      AddProblem(problems, offset,
                 "file ends inside a record of tag %u: %u payload bytes "
                 "announced, %zu present",
                 tag, length, size - payload);
      cut = true;
      break;
    }
    const size_t next = payload + length;
    const int index = FindTag(tag);
    if (index < 0) {
      AddProblem(problems, offset, "unknown tag %u", tag);
      offset = next;
      continue;
    }
    const TagInfo& info = kTags[index];
    if (offset == 0 && tag != TagStart) {
      AddProblem(problems, offset, "first record is %s, expected TagStart",
                 info.name);
    }
    if (length != info.length) {
      AddProblem(problems, offset + 2, "%s record has length %u, expected %d",
                 info.name, length, info.length);
      offset = next;
      continue;
    }
    if (tag == TagEnd) {
      if (parameters_end == size) parameters_end = offset;
      ended = true;
      if (next == size) break;
      // Bytes that form a whole record of a known tag are records after
      // the end; anything else is trailing bytes.
      const size_t after = size - next;
      bool record_follows = false;
      if (after >= kRecordFrameSize) {
        const int follower = FindTag(DecodeFixed16(data + next));
        const uint16_t follower_length = DecodeFixed16(data + next + 2);
        record_follows = follower >= 0 &&
                         kTags[follower].length == follower_length &&
                         after - kRecordFrameSize >= follower_length;
      }
      if (record_follows) {
        AddProblem(problems, offset, "TagEnd is not the last record");
      } else {
        AddProblem(problems, next, "%zu bytes after TagEnd", after);
      }
      break;
    }
    if (IsGlyphTag(tag)) {
      if (!in_glyphs) parameters_end = offset;
      in_glyphs = true;
      if (tag == TagDbcsGlyph) {
        in_dbcs_glyphs = true;
      } else if (in_dbcs_glyphs) {
        AddProblem(problems, offset,
                   "TagSbcsGlyph record after the DBCS glyph records");
      }
      CheckGlyphRecord(data, payload, tag, &first_offset_of_code, problems);
      glyph_records.push_back({payload, tag});
      offset = next;
      continue;
    }
    // A parameter record.
    if (in_glyphs) {
      AddProblem(problems, offset, "%s record after the glyph records",
                 info.name);
    }
    if (tag == TagCodePageVector) {
      if (p.codePageVectorCount == kCodePageVectorRecords) {
        AddProblem(problems, offset,
                   "TagCodePageVector record beyond the %d expected",
                   kCodePageVectorRecords);
      } else {
        p.codePageVector[p.codePageVectorCount][0] = data[payload];
        p.codePageVector[p.codePageVectorCount][1] = data[payload + 1];
        ++p.codePageVectorCount;
      }
      offset = next;
      continue;
    }
    if (parameter_at[index] != 0) {
      AddProblem(problems, offset, "%s record repeated (first at offset %zu)",
                 info.name, parameter_at[index] - 1);
      offset = next;
      continue;
    }
    parameter_at[index] = offset + 1;
    payload_at[index] = payload;
    if (tag == TagStart) {
      const uint16_t value = DecodeFixed16(data + payload);
      if (value != kStartValue) {
        AddProblem(problems, payload, "TagStart value %u, expected %u", value,
                   kStartValue);
      }
    } else if (tag == TagDate) {
      p.date.assign(reinterpret_cast<const char*>(data + payload), length);
    } else {
      *NumberField(tag, &p) = DecodeFixed16(data + payload);
    }
    offset = next;
  }

  if (!ended && !cut) {
    AddProblem(problems, size, "no TagEnd record");
  }
  for (int i = 0; i < kSingleParameterCount; ++i) {
    if (parameter_at[i] == 0) {
      AddProblem(problems, parameters_end, "no %s record", kTags[i].name);
    }
  }
  if (p.codePageVectorCount < kCodePageVectorRecords) {
    AddProblem(problems, parameters_end,
               "%d TagCodePageVector records, expected %d",
               p.codePageVectorCount, kCodePageVectorRecords);
  }
  CheckParameterValues(p, payload_at, problems);

  for (const GlyphAt& at : glyph_records) {
    font->glyphs.push_back(MakeGlyph(data, at.payload, at.tag, p));
  }
}
