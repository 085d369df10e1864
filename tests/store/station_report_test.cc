#include "store/station_report.h"

#include <gtest/gtest.h>

#include "store/glyph_table.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

class StationReportTest : public ::testing::Test {
 protected:
  void SetUp() override { InitGlyphTable(); }

  static void Store(FontKind kind, int high, int low, Station station) {
    const uint8_t byte = 1;
    StoreGlyph(kind, high, low, station, &byte, 1);
  }

  static std::string Report(FontKind kind) {
    const CapturedRun run = CaptureOutput([kind] {
      ReportStationGaps(kind);
      return 0;
    });
    EXPECT_EQ(run.err, "");
    return run.out;
  }
};

TEST_F(StationReportTest, ListsOneStationCodesInFirstStoreOrder) {
  Store(FontKind::kSbcs, 0, 0x41, Station::kThermal);
  Store(FontKind::kSbcs, 0, 0x7E, Station::kThermal);
  Store(FontKind::kSbcs, 0, 0x0A, Station::kThermal);
  Store(FontKind::kSbcs, 0, 0x41, Station::kImpact);
  Store(FontKind::kSbcs, 0, 0x05, Station::kImpact);
  Store(FontKind::kDbcs, 0x88, 0x9F, Station::kImpact);
  EXPECT_EQ(Report(FontKind::kSbcs),
            "Comparing SBCS thermal and impact fonts\n"
            "Char 7e not defined in SBCS Impact\n"
            "Char 0a not defined in SBCS Impact\n"
            "Char 05 not defined in SBCS Thermal\n");
  EXPECT_EQ(Report(FontKind::kDbcs),
            "Comparing DBCS thermal and impact fonts\n"
            "Char 889f not defined in DBCS Thermal\n");
}

TEST_F(StationReportTest, CompleteKindGivesTheHeadingAlone) {
  Store(FontKind::kDbcs, 0x81, 0x40, Station::kThermal);
  Store(FontKind::kDbcs, 0x81, 0x40, Station::kImpact);
  Store(FontKind::kSbcs, 0, 0x20, Station::kThermal);
  EXPECT_EQ(Report(FontKind::kDbcs), "Comparing DBCS thermal and impact fonts\n");
}

}  // namespace

}  // namespace vexo
