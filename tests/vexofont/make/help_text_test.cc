// The help texts and the README restate the glyph size rules and the code
// page table; these tests hold them to the rules and the table.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "make_test_support.h"
#include "store/version.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/make/cell_size.h"

namespace {

// Runs of white space as one space, and the Markdown line breaks with them.
std::string Folded(const std::string& text) {
  std::string folded;
  for (char c : text) {
    const bool space = c == ' ' || c == '\n' || c == '\t' || c == '\r';
    if (space) {
      if (!folded.empty() && folded.back() != ' ') folded += ' ';
    } else {
      folded += c;
    }
  }
  return folded;
}

std::string Readme() {
  std::ifstream in(std::string(VEXO_SOURCE_DIR) + "/README.md",
                   std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct KindStation {
  FontKind kind;
  Station station;
};
const KindStation kAll[] = {{FontKind::kSbcs, Station::kThermal},
                            {FontKind::kSbcs, Station::kImpact},
                            {FontKind::kDbcs, Station::kThermal},
                            {FontKind::kDbcs, Station::kImpact}};

TEST(HelpTextTest, MakeHelpListsTheSizesAndCodePagesOfTheTables) {
  const std::string help = Folded(RunMake({"--help"}).out);
  for (const KindStation& k : kAll) {
    const std::string line = std::string(KindStationName(k.kind, k.station)) +
                             ": " + AcceptedCellSizes(k.kind, k.station);
    EXPECT_NE(help.find(line), std::string::npos) << line;
  }
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    const std::string line =
        std::string(kind == FontKind::kSbcs ? "SBCS: " : "DBCS: ") +
        ListCodePages(kind, true);
    EXPECT_NE(help.find(line), std::string::npos) << line;
  }
}

TEST(HelpTextTest, ReadmeListsTheSizesAndCodePagesOfTheTables) {
  const std::string readme = Folded(Readme());
  ASSERT_FALSE(readme.empty());
  std::string sizes = "(";
  for (const KindStation& k : kAll) {
    if (sizes.size() > 1) sizes += "; ";
    sizes += std::string(KindStationName(k.kind, k.station)) + ": " +
             AcceptedCellSizes(k.kind, k.station);
  }
  sizes += ")";
  EXPECT_NE(readme.find(sizes), std::string::npos) << sizes;
  // The configuration keys' table.
  const char* const kKeys[] = {
      "| `SbcsThermalFile` | file name | adds an SBCS font for the thermal "
      "station (",
      "| `SbcsImpactFile` | file name | adds an SBCS font for the impact "
      "station (",
      "| `DbcsThermalFile` | file name | adds a DBCS font for the thermal "
      "station (",
      "| `DbcsImpactFile` | file name | adds a DBCS font for the impact "
      "station ("};
  for (int i = 0; i < 4; ++i) {
    const std::string row =
        kKeys[i] + AcceptedCellSizes(kAll[i].kind, kAll[i].station) + ") |";
    EXPECT_NE(readme.find(row), std::string::npos) << row;
  }
  const std::string pages = "SBCS code pages: " +
                            ListCodePages(FontKind::kSbcs, true) +
                            "; DBCS code pages: " +
                            ListCodePages(FontKind::kDbcs, true) + ",";
  EXPECT_NE(readme.find(pages), std::string::npos) << pages;
}

TEST(HelpTextTest, VersionIsTheReleaseNumber) {
  EXPECT_TRUE(std::regex_match(kReleaseVersion, std::regex("[0-9]+\\.[0-9]+\\.[0-9]+")))
      << kReleaseVersion;
  EXPECT_EQ(RunMake({"--version"}).out,
            std::string("vexofont make ") + kReleaseVersion + "\n");
}

TEST(HelpTextTest, CodePageListsComeFromTheTable) {
  EXPECT_EQ(ListCodePages(FontKind::kSbcs, true),
            "437, 850, 852, 858, 866, 1250 to 1258, 8859-1 to 8859-16 except "
            "8859-12");
  EXPECT_EQ(ListCodePages(FontKind::kDbcs, true), "932, 936, 949, 950");
  EXPECT_EQ(ListCodePages(FontKind::kDbcs), "932, 936, 949, 950");
}

}  // namespace
