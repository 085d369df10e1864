#include "store/station_report.h"

#include <cstdio>

#include "store/glyph_table.h"

namespace vexo {

void ReportStationGaps(FontKind kind) {
  const bool sbcs = kind == FontKind::kSbcs;
  std::printf(sbcs ? "Comparing SBCS thermal and impact fonts\n"
                   : "Comparing DBCS thermal and impact fonts\n");
  for (int i = 0; i < GlyphRecordsInUse(); ++i) {
    const GlyphRecord& record = GlyphTable[i];
    if (record.kind != KindByte(kind)) continue;
    if (record.thermalDefined != 0 && record.impactDefined != 0) continue;
    if (record.thermalDefined == 0) {
      if (sbcs) {
        std::printf("Char %02x not defined in SBCS Thermal\n", record.codeLow);
      } else {
        std::printf("Char %02x%02x not defined in DBCS Thermal\n",
                    record.codeHigh, record.codeLow);
      }
    }
    if (record.impactDefined == 0) {
      if (sbcs) {
        std::printf("Char %02x not defined in SBCS Impact\n", record.codeLow);
      } else {
        std::printf("Char %02x%02x not defined in DBCS Impact\n",
                    record.codeHigh, record.codeLow);
      }
    }
  }
}

}  // namespace vexo
