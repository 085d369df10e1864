#include "store/glyph_table.h"

#include <cstring>

namespace {

constexpr GlyphRecord FreeRecord() {
  GlyphRecord record{};
  record.marker = kGlyphMarker;
  return record;
}

constexpr std::array<GlyphRecord, kGlyphTableSize> FreeTable() {
  std::array<GlyphRecord, kGlyphTableSize> table{};
  for (GlyphRecord& record : table) record = FreeRecord();
  return table;
}

// One more than the record index of every code, 0 when the code has no
// record, so that the index starts out all zero. Allocation is dense
// (records are never released), so the lowest free record is always the
// number of records in use. Together they make FindGlyph and AllocateGlyph
// constant-time while giving exactly what a scan of the table from index 0
// would give.
uint16_t recordOfCode[65536];
int recordsInUse;
static_assert(kGlyphTableSize < UINT16_MAX);

int CodeKey(int high, int low) { return (high & 0xFF) << 8 | (low & 0xFF); }

}  // namespace

// The free table is the program's initial image of the table, so a run
// touches only the memory of the records it uses.
std::array<GlyphRecord, kGlyphTableSize> GlyphTable = FreeTable();

void InitGlyphTable() {
  for (int i = 0; i < recordsInUse; ++i) {
    GlyphRecord& record = GlyphTable[i];
    recordOfCode[CodeKey(record.codeHigh, record.codeLow)] = 0;
    record = FreeRecord();
  }
  recordsInUse = 0;
}

int GlyphRecordsInUse() { return recordsInUse; }

int FindGlyph(int high, int low) {
  return int(recordOfCode[CodeKey(high, low)]) - 1;
}

int AllocateGlyph() {
  return recordsInUse < kGlyphTableSize ? recordsInUse : -1;
}

int StoreGlyph(uint8_t kind, int high, int low, int station,
               const uint8_t* bytes, int count) {
  const int field =
      station == kStationThermal ? kThermalBitmapSize : kImpactDataSize;
  if (count < 0 || count > field) return -1;  // never passed by the loaders
  int index = FindGlyph(high, low);
  if (index == -1) {
    index = AllocateGlyph();
    if (index == -1) return -1;
    recordOfCode[CodeKey(high, low)] = static_cast<uint16_t>(index + 1);
    ++recordsInUse;
  }
  GlyphRecord& record = GlyphTable[index];
  record.kind = kind;
  record.codeHigh = static_cast<uint8_t>(high);
  record.codeLow = static_cast<uint8_t>(low);
  if (station == kStationThermal) {
    std::memcpy(record.thermalBitmap, bytes, count);
    record.thermalCount = static_cast<uint8_t>(count);
    record.thermalDefined = 1;
  } else {
    std::memcpy(record.impactData, bytes, count);
    record.impactCount = static_cast<uint8_t>(count);
    record.impactDefined = 1;
  }
  return index;
}

void EncodeGlyphRecord(const GlyphRecord& record, uint8_t* dst) {
  dst[kKindOffset] = record.kind;
  dst[kMarkerOffset] = record.marker;
  dst[kCodeHighOffset] = record.codeHigh;
  dst[kCodeLowOffset] = record.codeLow;
  dst[kThermalDefinedOffset] = record.thermalDefined;
  dst[kThermalCountOffset] = record.thermalCount;
  dst[kImpactDefinedOffset] = record.impactDefined;
  dst[kImpactCountOffset] = record.impactCount;
  std::memcpy(dst + kThermalBitmapOffset, record.thermalBitmap,
              kThermalBitmapSize);
  std::memcpy(dst + kImpactDataOffset, record.impactData, kImpactDataSize);
}
