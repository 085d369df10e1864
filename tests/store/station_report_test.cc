#include "store/station_report.h"

#include <gtest/gtest.h>

#include "store/glyph_table.h"
#include "testkit/run_capture.h"

namespace {

class StationReportTest : public ::testing::Test {
 protected:
  void SetUp() override { InitGlyphTable(); }

  static void Store(uint8_t kind, int high, int low, int station) {
    const uint8_t byte = 1;
    StoreGlyph(kind, high, low, station, &byte, 1);
  }

  static std::string Report(uint8_t kind) {
    const CapturedRun run = CaptureOutput([kind] {
      ReportStationGaps(kind);
      return 0;
    });
    EXPECT_EQ(run.err, "");
    return run.out;
  }
};

TEST_F(StationReportTest, ListsOneStationCodesInFirstStoreOrder) {
  Store(kKindSbcs, 0, 0x41, kStationThermal);
  Store(kKindSbcs, 0, 0x7E, kStationThermal);
  Store(kKindSbcs, 0, 0x0A, kStationThermal);
  Store(kKindSbcs, 0, 0x41, kStationImpact);
  Store(kKindSbcs, 0, 0x05, kStationImpact);
  Store(kKindDbcs, 0x88, 0x9F, kStationImpact);
  EXPECT_EQ(Report(kKindSbcs),
            "Comparing SBCS thermal and impact fonts\n"
            "Char 7e not defined in SBCS Impact\n"
            "Char 0a not defined in SBCS Impact\n"
            "Char 05 not defined in SBCS Thermal\n");
  EXPECT_EQ(Report(kKindDbcs),
            "Comparing DBCS thermal and impact fonts\n"
            "Char 889f not defined in DBCS Thermal\n");
}

TEST_F(StationReportTest, CompleteKindGivesTheHeadingAlone) {
  Store(kKindDbcs, 0x81, 0x40, kStationThermal);
  Store(kKindDbcs, 0x81, 0x40, kStationImpact);
  Store(kKindSbcs, 0, 0x20, kStationThermal);
  EXPECT_EQ(Report(kKindDbcs), "Comparing DBCS thermal and impact fonts\n");
}

}  // namespace
