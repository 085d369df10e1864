// The help texts and the README restate the glyph size rules and the code
// page table; these tests hold them to the rules and the table.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "fontinput/glyph_size.h"
#include "make_test_support.h"
#include "store/version.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/make/cell_size.h"

namespace vexo {

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
            "437, 850, 852, 858, 866, 1250 to 1258, 932, 936, 949, 950, "
            "8859-1 to 8859-16 except 8859-12");
  EXPECT_EQ(ListCodePages(FontKind::kDbcs, true), "932, 936, 949, 950");
  EXPECT_EQ(ListCodePages(FontKind::kDbcs), "932, 936, 949, 950");
}

}  // namespace

namespace {

// "4 to 7" or "8, 9, 16": the numbers it names.
std::vector<int> Numbers(const std::string& text) {
  std::vector<int> numbers;
  std::smatch m;
  std::string rest = text;
  const std::regex part("^\\s*(\\d+)(\\s+to\\s+(\\d+))?\\s*(,|$)");
  while (!rest.empty() && std::regex_search(rest, m, part)) {
    const int low = std::stoi(m[1]);
    const int high = m[3].matched ? std::stoi(m[3]) : low;
    for (int n = low; n <= high; ++n) numbers.push_back(n);
    rest = m.suffix();
  }
  return numbers;
}

// What a row of the impact size table says the station gets.
ImpactPrint PrintOfRow(const std::string& text) {
  if (text.rfind("nothing", 0) == 0) return ImpactPrint::kNothing;
  if (text.rfind("every dot as drawn", 0) == 0) return ImpactPrint::kAsDrawn;
  if (text.rfind("the first 8 dot columns", 0) == 0) {
    return ImpactPrint::kFirstColumns;
  }
  if (text.find("cut off") != std::string::npos) return ImpactPrint::kColumnsCut;
  return ImpactPrint::kColumnsMixed;
}

// Checks the rows "WIDTHS | HEIGHTS | WHAT" of a document's impact size
// table against the rule: every SBCS impact size in exactly one row, each
// as the rule has it.
void CheckImpactTable(const std::string& document, const char* name) {
  SCOPED_TRACE(name);
  const std::regex row("^\\|? ?([0-9][0-9 to]*?) *\\| ([0-9][0-9, to]*?) *\\| "
                       "(nothing|every dot|the first|the last|scrambled)(.*)$");
  std::istringstream lines(document);
  std::string line;
  std::map<std::pair<int, int>, int> rows;
  while (std::getline(lines, line)) {
    std::smatch m;
    if (!std::regex_match(line, m, row)) continue;
    const ImpactPrint print = PrintOfRow(m[3].str() + m[4].str());
    for (int w : Numbers(m[1])) {
      for (int h : Numbers(m[2])) {
        ++rows[{w, h}];
        EXPECT_EQ(ImpactPrintOf(w, h), print) << w << "x" << h << ": " << line;
      }
    }
  }
  for (int w = 4; w <= 16; ++w) {
    for (int h = 4; h <= 16; ++h) {
      EXPECT_EQ((rows[{w, h}]), 1) << w << "x" << h;
    }
  }
}

TEST(HelpTextTest, ImpactSizeTablesOfReadmeAndManualFollowTheRule) {
  CheckImpactTable(Readme(), "README.md");
  std::ifstream in(std::string(VEXO_SOURCE_DIR) + "/man/vexofont.1.in",
                   std::ios::binary);
  std::ostringstream man;
  man << in.rdbuf();
  ASSERT_FALSE(man.str().empty());
  CheckImpactTable(man.str(), "vexofont.1.in");
}

}  // namespace

}  // namespace vexo
