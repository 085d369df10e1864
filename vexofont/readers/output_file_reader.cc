#include "vexofont/readers/output_file_reader.h"

#include <algorithm>
#include <vector>

#include "fontinput/glyph_size.h"
#include "store/glyph_table.h"
#include "store/little_endian.h"
#include "store/output_font_file.h"
#include "vexofont/readers/column_decoder.h"

namespace vexo {

namespace {

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

// `payloadAt` holds where each single parameter record's payload lies, by
// its index in kOutputTags.
void CheckParameterValues(const OutputParameters& p,
                          const size_t payloadAt[kSingleParameterCount],
                          ProblemList* problems) {
  const auto at = [payloadAt](uint16_t tag) {
    return payloadAt[OutputTagIndex(tag)];
  };
  const GlyphSizeRule& thermal = kSbcsThermalSizes;
  const GlyphSizeRule& impact = kSbcsImpactSizes;
  CheckSize(problems, at(TagSbcsThermalWidth), "SBCS thermal width",
            p.sbcsThermalWidth, thermal.minWidth, thermal.maxWidth);
  CheckSize(problems, at(TagSbcsThermalHeight), "SBCS thermal height",
            p.sbcsThermalHeight, thermal.minHeight,
            p.sbcsThermalWidth == thermal.maxWidth ? thermal.maxHeightAtMaxWidth
                                                   : thermal.maxHeight);
  CheckSize(problems, at(TagSbcsImpactWidth), "SBCS impact width",
            p.sbcsImpactWidth, impact.minWidth, impact.maxWidth);
  CheckSize(problems, at(TagSbcsImpactHeight), "SBCS impact height",
            p.sbcsImpactHeight, impact.minHeight, impact.maxHeight);
  if (p.dbcsImpactNineRows > 1) {
    AddProblem(problems, at(TagDbcsImpactNineRows),
               "DBCS impact nine rows flag %u, expected 0 or 1",
               p.dbcsImpactNineRows);
  }
}

// The defined flags and counts of both stations' halves of the glyph
// payload `g` at `at`.
void CheckStationHalves(const uint8_t* g, size_t at, ProblemList* problems) {
  const uint8_t thermalDefined = g[kThermalDefinedOffset];
  const uint8_t impactDefined = g[kImpactDefinedOffset];
  if (thermalDefined > 1) {
    AddProblem(problems, at + kThermalDefinedOffset,
               "thermal defined flag %u, expected 0 or 1", thermalDefined);
  }
  if (impactDefined > 1) {
    AddProblem(problems, at + kImpactDefinedOffset,
               "impact defined flag %u, expected 0 or 1", impactDefined);
  }
  if (thermalDefined == 0 && impactDefined == 0) {
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

// Checks one glyph payload at `at`; `tag` says which kind it must be.
void CheckGlyphRecord(const uint8_t* data, size_t at, uint16_t tag,
                      std::vector<size_t>* firstOffsetOfCode,
                      ProblemList* problems) {
  const uint8_t* g = data + at;
  const uint8_t expectedKind =
      KindByte(tag == TagSbcsGlyph ? FontKind::kSbcs : FontKind::kDbcs);
  const char* tagName = kOutputTags[OutputTagIndex(tag)].name;
  if (g[kKindOffset] != expectedKind) {
    AddProblem(problems, at + kKindOffset,
               "glyph kind %u, expected %u in a %s record", g[kKindOffset],
               expectedKind, tagName);
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
  CheckStationHalves(g, at, problems);
}

// Turns a checked glyph payload into the dots each station prints, with the
// sizes the parameter records give.
ShownGlyph MakeGlyph(const uint8_t* data, size_t at, uint16_t tag,
                     const OutputParameters& p) {
  const uint8_t* g = data + at;
  ShownGlyph glyph;
  glyph.kind = tag == TagSbcsGlyph ? FontKind::kSbcs : FontKind::kDbcs;
  glyph.code =
      static_cast<uint16_t>(g[kCodeHighOffset] << 8 | g[kCodeLowOffset]);
  glyph.offset = at - kRecordFrameSize;
  glyph.thermal = g[kThermalDefinedOffset] != 0;
  glyph.impact = g[kImpactDefinedOffset] != 0;
  const int thermalCount =
      std::min<int>(g[kThermalCountOffset], kThermalBitmapSize);
  const int impactCount = std::min<int>(g[kImpactCountOffset], kImpactDataSize);
  const uint8_t* bitmap = g + kThermalBitmapOffset;
  const uint8_t* columns = g + kImpactDataOffset;
  if (glyph.kind == FontKind::kSbcs) {
    const int width = p.sbcsThermalWidth;
    if (glyph.thermal) {
      PictureFromRowBitmap(
          bitmap, thermalCount,
          RowBytesTaken(FontKind::kSbcs, Station::kThermal, width), width,
          p.sbcsThermalHeight, &glyph.thermalDots);
    }
    if (glyph.impact) {
      DecodeImpactColumns(columns, impactCount, p.sbcsImpactWidth,
                          p.sbcsImpactHeight, &glyph.impactDots);
    }
  } else {
    // The DBCS sizes are fixed: thermal 24 x 24, impact 16 wide and 16
    // rows high, or 9 with the nine rows flag.
    const GlyphSizeRule& thermal = kDbcsThermalSizes;
    const GlyphSizeRule& impact = kDbcsImpactSizes;
    if (glyph.thermal) {
      PictureFromRowBitmap(
          bitmap, thermalCount,
          RowBytesTaken(FontKind::kDbcs, Station::kThermal, thermal.maxWidth),
          thermal.maxWidth, thermal.maxHeight, &glyph.thermalDots);
    }
    if (glyph.impact) {
      DecodeImpactColumns(
          columns, impactCount, impact.maxWidth,
          p.dbcsImpactNineRows == 1 ? impact.extraHeight : impact.maxHeight,
          &glyph.impactDots);
    }
  }
  return glyph;
}

// The walk over the records of one file: where it stands, what it has met
// and what it has gathered.
struct RecordWalk {
  const uint8_t* data = nullptr;
  size_t size = 0;
  OutputParameters* p = nullptr;
  ProblemList* problems = nullptr;

  size_t parameterAt[kSingleParameterCount] = {};  // record offset + 1
  size_t payloadAt[kSingleParameterCount] = {};
  std::vector<size_t> firstOffsetOfCode = std::vector<size_t>(1 << 16, 0);
  struct GlyphAt {
    size_t payload;
    uint16_t tag;
  };
  std::vector<GlyphAt> glyphRecords;
  bool inGlyphs = false;       // a glyph record has been met
  bool inDbcsGlyphs = false;   // a DBCS glyph record has been met
  size_t parametersEnd = 0;    // where the parameter records stop
  bool ended = false;
  bool cut = false;

  // Whether a whole record of a known tag, with that tag's length, starts
  // at `at`.
  bool RecordStartsAt(size_t at) const {
    if (size - at < kRecordFrameSize) return false;
    const int index = OutputTagIndex(DecodeFixed16(data + at));
    const uint16_t length = DecodeFixed16(data + at + 2);
    return index >= 0 && kOutputTags[index].length == length &&
           size - at - kRecordFrameSize >= length;
  }

  // The end record at `offset`, its payload ending at `next`: anything
  // after it is a problem.
  void End(size_t offset, size_t next) {
    if (parametersEnd == size) parametersEnd = offset;
    ended = true;
    if (next == size) return;
    // Bytes that form a whole record of a known tag are records after the
    // end; anything else is trailing bytes.
    if (RecordStartsAt(next)) {
      AddProblem(problems, offset, "TagEnd is not the last record");
    } else {
      AddProblem(problems, next, "%zu bytes after TagEnd", size - next);
    }
  }

  void Glyph(size_t offset, size_t payload, uint16_t tag) {
    if (!inGlyphs) parametersEnd = offset;
    inGlyphs = true;
    if (tag == TagDbcsGlyph) {
      inDbcsGlyphs = true;
    } else if (inDbcsGlyphs) {
      AddProblem(problems, offset,
                 "TagSbcsGlyph record after the DBCS glyph records");
    }
    CheckGlyphRecord(data, payload, tag, &firstOffsetOfCode, problems);
    glyphRecords.push_back({payload, tag});
  }

  void CodePageVector(size_t offset, size_t payload) {
    if (p->codePageVectorCount == kCodePageVectorRecords) {
      AddProblem(problems, offset,
                 "TagCodePageVector record beyond the %d expected",
                 kCodePageVectorRecords);
      return;
    }
    p->codePageVector[p->codePageVectorCount][0] = data[payload];
    p->codePageVector[p->codePageVectorCount][1] = data[payload + 1];
    ++p->codePageVectorCount;
  }

  void SingleParameter(size_t offset, size_t payload, int index) {
    const OutputTag& info = kOutputTags[index];
    if (parameterAt[index] != 0) {
      AddProblem(problems, offset, "%s record repeated (first at offset %zu)",
                 info.name, parameterAt[index] - 1);
      return;
    }
    parameterAt[index] = offset + 1;
    payloadAt[index] = payload;
    if (info.tag == TagStart) {
      const uint16_t value = DecodeFixed16(data + payload);
      if (value != kStartValue) {
        AddProblem(problems, payload, "TagStart value %u, expected %u", value,
                   kStartValue);
      }
    } else if (info.tag == TagDate) {
      p->date.assign(reinterpret_cast<const char*>(data + payload),
                     info.length);
    } else {
      *NumberField(info.tag, p) = DecodeFixed16(data + payload);
    }
  }

  // Reads the record at `offset`; returns where the next one starts, or
  // `size` when the walk is over.
  size_t Record(size_t offset) {
    const size_t left = size - offset;
    if (left < kRecordFrameSize) {
      AddProblem(problems, offset,
                 "file ends inside a record frame: %zu of %d bytes", left,
                 kRecordFrameSize);
      cut = true;
      return size;
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
      return size;
    }
    const size_t next = payload + length;
    const int index = OutputTagIndex(tag);
    if (index < 0) {
      AddProblem(problems, offset, "unknown tag %u", tag);
      return next;
    }
    const OutputTag& info = kOutputTags[index];
    if (offset == 0 && tag != TagStart) {
      AddProblem(problems, offset, "first record is %s, expected TagStart",
                 info.name);
    }
    if (length != info.length) {
      AddProblem(problems, offset + 2, "%s record has length %u, expected %d",
                 info.name, length, info.length);
      return next;
    }
    if (tag == TagEnd) {
      End(offset, next);
      return size;
    }
    if (IsGlyphTag(tag)) {
      Glyph(offset, payload, tag);
      return next;
    }
    if (inGlyphs) {
      AddProblem(problems, offset, "%s record after the glyph records",
                 info.name);
    }
    if (tag == TagCodePageVector) {
      CodePageVector(offset, payload);
    } else {
      SingleParameter(offset, payload, index);
    }
    return next;
  }

  // What the whole file lacks, once every record is read.
  void CheckComplete() {
    if (!ended && !cut) {
      AddProblem(problems, size, "no TagEnd record");
    }
    for (int i = 0; i < kSingleParameterCount; ++i) {
      if (parameterAt[i] == 0) {
        AddProblem(problems, parametersEnd, "no %s record",
                   kOutputTags[i].name);
      }
    }
    if (p->codePageVectorCount < kCodePageVectorRecords) {
      AddProblem(problems, parametersEnd,
                 "%d TagCodePageVector records, expected %d",
                 p->codePageVectorCount, kCodePageVectorRecords);
    }
    CheckParameterValues(*p, payloadAt, problems);
  }
};

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
  RecordWalk walk;
  walk.data = data;
  walk.size = size;
  walk.p = &font->parameters;
  walk.problems = problems;
  walk.parametersEnd = size;
  for (size_t offset = 0; offset < size;) offset = walk.Record(offset);
  walk.CheckComplete();
  for (const RecordWalk::GlyphAt& at : walk.glyphRecords) {
    font->glyphs.push_back(MakeGlyph(data, at.payload, at.tag, font->parameters));
  }
}

}  // namespace vexo
