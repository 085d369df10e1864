#include "store/glyph_table.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vexo {

namespace {

using Table = std::array<GlyphRecord, kGlyphTableSize>;

// Where the table lies. Its first records, more than the 256 an SBCS run
// can use, come before a 2 MiB boundary, and the next 2 MiB of the table
// from there on: where the system offers huge pages (Linux's transparent
// huge pages), a DBCS run touches one huge page instead of hundreds of
// ordinary ones, while an SBCS run touches a few ordinary pages. The last
// records, past the huge page, take ordinary pages again. The storage is
// zero and stays untouched until records are used.
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kOrdinaryHead = size_t(32) << 10;
static_assert(kOrdinaryHead >= 256 * sizeof(GlyphRecord));
alignas(4096) uint8_t tableStorage[kHugePage + kOrdinaryHead + sizeof(Table)];

Table& PlaceTable() {
  const uintptr_t start = reinterpret_cast<uintptr_t>(tableStorage);
  const uintptr_t boundary =
      (start + kOrdinaryHead + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
  uint8_t* at = tableStorage + (boundary - kOrdinaryHead - start);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // Only a hint; without it the records simply take ordinary pages.
  madvise(at + kOrdinaryHead, kHugePage, MADV_HUGEPAGE);
#endif
  // Default-initialised: the bytes stay the storage's zeros, untouched.
  return *new (at) Table;
}

// One more than the record index of every code, 0 when the code has no
// record, so that the index starts out all zero. Allocation is dense
// (records are never released), so the lowest free record is always the
// number of records in use. Together they make FindGlyph and AllocateGlyph
// constant-time while giving exactly what a scan of the table from index 0
// would give.
uint16_t recordOfCode[65536];
int recordsInUse;
// One more than the highest index a record of each kind (by kind byte) has
// been given. A record that changes kind leaves it as it was: still a bound.
int kindEnd[256];
static_assert(kGlyphTableSize < UINT16_MAX);

int CodeKey(int high, int low) { return (high & 0xFF) << 8 | (low & 0xFF); }

}  // namespace

Table& GlyphTable = PlaceTable();

void InitGlyphTable() {
  for (int i = 0; i < recordsInUse; ++i) {
    GlyphRecord& record = GlyphTable[i];
    recordOfCode[CodeKey(record.codeHigh, record.codeLow)] = 0;
    record = GlyphRecord{};
  }
  recordsInUse = 0;
  std::fill(std::begin(kindEnd), std::end(kindEnd), 0);
}

int GlyphRecordsInUse() { return recordsInUse; }

int GlyphRecordsOfKindEnd(FontKind kind) { return kindEnd[KindByte(kind)]; }

int FindGlyph(int high, int low) {
  return int(recordOfCode[CodeKey(high, low)]) - 1;
}

int AllocateGlyph() {
  return recordsInUse < kGlyphTableSize ? recordsInUse : -1;
}

namespace {

// The store rule without the bytes: the record of (high, low), found or
// taken, with kind, code, count and defined flag written. Returns its index,
// or -1 as StoreGlyph does.
int PlaceGlyph(FontKind kind, int high, int low, Station station, int count) {
  const int field =
      station == Station::kThermal ? kThermalBitmapSize : kImpactDataSize;
  if (count < 0 || count > field) return -1;  // never passed by the loaders
  int index = FindGlyph(high, low);
  if (index == -1) {
    index = AllocateGlyph();
    if (index == -1) return -1;
    recordOfCode[CodeKey(high, low)] = static_cast<uint16_t>(index + 1);
    ++recordsInUse;
    GlyphTable[index].marker = kGlyphMarker;
  }
  GlyphRecord& record = GlyphTable[index];
  record.kind = KindByte(kind);
  kindEnd[record.kind] = std::max(kindEnd[record.kind], index + 1);
  record.codeHigh = static_cast<uint8_t>(high);
  record.codeLow = static_cast<uint8_t>(low);
  if (station == Station::kThermal) {
    record.thermalCount = static_cast<uint8_t>(count);
    record.thermalDefined = 1;
  } else {
    record.impactCount = static_cast<uint8_t>(count);
    record.impactDefined = 1;
  }
  return index;
}

uint8_t* FieldOf(int index, Station station) {
  GlyphRecord& record = GlyphTable[index];
  return station == Station::kThermal ? record.thermalBitmap : record.impactData;
}

}  // namespace

uint8_t* StoreGlyphField(FontKind kind, int high, int low, Station station,
                         int count) {
  const int index = PlaceGlyph(kind, high, low, station, count);
  return index == -1 ? nullptr : FieldOf(index, station);
}

int StoreGlyph(FontKind kind, int high, int low, Station station,
               const uint8_t* bytes, int count) {
  const int index = PlaceGlyph(kind, high, low, station, count);
  if (index == -1) return -1;
  uint8_t* field = FieldOf(index, station);
  // The full 24 x 24 thermal field is by far the most common store; a copy
  // of a size known when compiling is a few moves, not a call.
  if (station == Station::kThermal && count == kThermalBitmapSize) {
    std::memcpy(field, bytes, kThermalBitmapSize);
  } else if (station == Station::kImpact && count == kImpactDataSize) {
    std::memcpy(field, bytes, kImpactDataSize);
  } else {
    std::memcpy(field, bytes, static_cast<size_t>(count));
  }
  return index;
}

}  // namespace vexo
