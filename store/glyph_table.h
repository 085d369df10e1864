// The glyph table: one record per character code, holding the thermal
// station's row bitmap and the impact station's column data side by side.
// Records are handed out in index order and never released, so index order
// is the order in which codes were first stored.
#ifndef VEXOCNVT_STORE_GLYPH_TABLE_H_
#define VEXOCNVT_STORE_GLYPH_TABLE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "store/font_kind.h"

namespace vexo {

constexpr int kGlyphTableSize = 20000;

constexpr uint8_t kGlyphMarker = 0xCC;

constexpr int kThermalBitmapSize = 72;  // a 24 x 24 glyph at 3 bytes a row
constexpr int kImpactDataSize = 32;     // 16 dot columns at 2 bytes each

// Byte offsets of the record's fields, as the record travels in the output
// font file.
constexpr int kKindOffset = 0;
constexpr int kMarkerOffset = 1;
constexpr int kCodeHighOffset = 2;
constexpr int kCodeLowOffset = 3;
constexpr int kThermalDefinedOffset = 4;
constexpr int kThermalCountOffset = 5;
constexpr int kImpactDefinedOffset = 6;
constexpr int kImpactCountOffset = 7;
constexpr int kThermalBitmapOffset = 8;
constexpr int kImpactDataOffset = kThermalBitmapOffset + kThermalBitmapSize;
constexpr int kGlyphRecordSize = kImpactDataOffset + kImpactDataSize;
static_assert(kImpactDataOffset == 80);
static_assert(kGlyphRecordSize == 8 + 72 + 32);

struct GlyphRecord {
  uint8_t kind;
  uint8_t marker;
  uint8_t codeHigh;
  uint8_t codeLow;
  uint8_t thermalDefined;
  uint8_t thermalCount;
  uint8_t impactDefined;
  uint8_t impactCount;
  uint8_t thermalBitmap[kThermalBitmapSize];
  uint8_t impactData[kImpactDataSize];
};

// The table itself, in static storage. Records are handed out densely from
// index 0, so readers walk it directly from 0 up to GlyphRecordsInUse();
// every record from there on is free, all its bytes 0. A record gets its
// marker 0xCC when it is handed out. All writes go through InitGlyphTable,
// StoreGlyph and StoreGlyphField so that the code index stays true.
extern std::array<GlyphRecord, kGlyphTableSize>& GlyphTable;

// Sets every record free. The table starts out free, so only the records an
// earlier run in the same process used are touched: a run's memory is the
// records it uses.
void InitGlyphTable();

// The number of records in use: indexes 0 to this less one.
int GlyphRecordsInUse();

// No record of `kind` lies at this index or after it (at most
// GlyphRecordsInUse()): a walk for one kind can end here.
int GlyphRecordsOfKindEnd(FontKind kind);

// Returns the index of the in-use record whose code is (high, low), only the
// low 8 bits of each argument counting, or -1 when there is none.
int FindGlyph(int high, int low);

// Returns the index of the lowest free record, or -1 when all are in use.
// Changes nothing: the record becomes in use when StoreGlyph fills it.
int AllocateGlyph();

// The store rule of every loader: finds the record of (high, low), or takes
// the lowest free one (and gives it its marker), and writes kind, code and
// the station's bytes, count and defined flag. The other station's half is left as it was; bytes of an
// earlier, longer store beyond `count` stay in the field. `count` must fit
// the station's field. Returns the record index, or -1 when the code is new
// and the table is full (the glyph is dropped; nothing changes).
int StoreGlyph(FontKind kind, int high, int low, Station station,
               const uint8_t* bytes, int count);

// StoreGlyph without the bytes: does all it does but copy them, and returns
// the station's field for the caller to write its first `count` bytes into
// (directly from the file's rows, without a copy in between); null when
// StoreGlyph would return -1.
uint8_t* StoreGlyphField(FontKind kind, int high, int low, Station station,
                         int count);

// Writes the 112 bytes of `record` in output order into `dst`. Inline: the
// output writer encodes every record of the table with it.
inline void EncodeGlyphRecord(const GlyphRecord& record, uint8_t* dst) {
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

}  // namespace vexo

#endif  // VEXOCNVT_STORE_GLYPH_TABLE_H_
