#include "testkit/glyph_records.h"

#include <algorithm>

#include "store/glyph_table.h"

namespace vexo {

Bytes ExpectedRecord(FontKind kind, int code, const Bytes& thermal,
                     const Bytes& impact) {
  Bytes record(kGlyphRecordSize, 0);
  record[kKindOffset] = KindByte(kind);
  record[kMarkerOffset] = kGlyphMarker;
  record[kCodeHighOffset] = static_cast<uint8_t>(code >> 8);
  record[kCodeLowOffset] = static_cast<uint8_t>(code);
  record[kThermalDefinedOffset] = thermal.empty() ? 0 : 1;
  record[kThermalCountOffset] = static_cast<uint8_t>(thermal.size());
  record[kImpactDefinedOffset] = impact.empty() ? 0 : 1;
  record[kImpactCountOffset] = static_cast<uint8_t>(impact.size());
  std::copy(thermal.begin(), thermal.end(),
            record.begin() + kThermalBitmapOffset);
  std::copy(impact.begin(), impact.end(), record.begin() + kImpactDataOffset);
  return record;
}

Bytes RecordAt(int index) {
  Bytes bytes(kGlyphRecordSize);
  EncodeGlyphRecord(GlyphTable[index], bytes.data());
  return bytes;
}

}  // namespace vexo
