// The manual pages say what the --help texts say: every option of every
// command, every configuration key, the size rules and the code page lists;
// the bash completion offers the same options and values.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "driver/converter.h"
#include "make_test_support.h"
#include "testkit/run_capture.h"
#include "vexofont/check/check_command.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/dump/dump_command.h"
#include "vexofont/fonts/fonts_command.h"
#include "vexofont/make/cell_size.h"
#include "vexofont/make/make_command.h"
#include "vexofont/make/make_options.h"
#include "vexofont/preview/preview_command.h"
#include "vexofont/preview/preview_options.h"
#include "vexofont/show/show_command.h"

namespace vexo {

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A manual page as plain words: escapes and font changes dropped, request
// lines' macros dropped, white space folded.
std::string ManText(const std::string& name) {
  std::string roff = Slurp(std::string(VEXO_BINARY_DIR) + "/man/" + name);
  EXPECT_FALSE(roff.empty()) << name;
  std::string text;
  std::istringstream lines(roff);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '.') {
      const size_t space = line.find(' ');
      line = space == std::string::npos ? "" : line.substr(space + 1);
      // .BR a b: the words run together, as they print.
      line = std::regex_replace(line, std::regex("\" \\| \""), " | ");
      line = std::regex_replace(line, std::regex("\""), "");
    }
    text += line + "\n";
  }
  text = std::regex_replace(text, std::regex("\\\\f[BIRP]"), "");
  text = std::regex_replace(text, std::regex("\\\\-"), "-");
  text = std::regex_replace(text, std::regex("\\\\&"), "");
  text = std::regex_replace(text, std::regex("\\\\e"), "\\");
  return std::regex_replace(text, std::regex("\\s+"), " ");
}

std::string Folded(const std::string& text) {
  return std::regex_replace(text, std::regex("\\s+"), " ");
}

// Each command and its option table.
struct CommandTable {
  const char* command;
  const OptionTable* table;
};
const CommandTable kCommands[] = {{"make", &kMakeOptions},
                                  {"show", &kShowOptions},
                                  {"dump", &kDumpOptions},
                                  {"check", &kCheckOptions},
                                  {"preview", &kPreviewOptions},
                                  {"fonts", &kFontsOptions}};

// The option words of a table, --help's short form left out.
std::set<std::string> TableOptions(const OptionTable& table) {
  std::set<std::string> options;
  for (const CommandOption& option : table) {
    options.insert(option.name);
    if (option.alias != nullptr && std::string(option.alias) != "-h") {
      options.insert(option.alias);
    }
  }
  return options;
}

// Each command's --help shows the option lines of its table, and every
// option of every table is in the manual page.
TEST(ManPageTest, VexofontPageHasEveryOptionOfEveryCommand) {
  const std::string page = ManText("vexofont.1");
  const std::string helps[] = {
      RunMake({"--help"}).out,
      RunInProcess(RunShowCommand, {"show", "--help"}).out,
      RunInProcess(RunDumpCommand, {"dump", "--help"}).out,
      RunInProcess(RunCheckCommand, {"check", "--help"}).out,
      RunInProcess(RunPreviewCommand, {"preview", "--help"}).out,
      RunInProcess(RunFontsCommand, {"fonts", "--help"}).out,
  };
  int options = 0;
  for (size_t c = 0; c < std::size(kCommands); ++c) {
    SCOPED_TRACE(kCommands[c].command);
    EXPECT_NE(helps[c].find(OptionHelp(*kCommands[c].table)),
              std::string::npos);
    for (const std::string& option : TableOptions(*kCommands[c].table)) {
      ++options;
      EXPECT_NE(page.find(option), std::string::npos) << option;
    }
  }
  EXPECT_GT(options, 25);
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    for (Station station : {Station::kThermal, Station::kImpact}) {
      const std::string sizes = std::string(KindStationName(kind, station)) +
                                ": " + AcceptedCellSizes(kind, station);
      EXPECT_NE(page.find(sizes), std::string::npos) << sizes;
    }
  }
  EXPECT_NE(page.find("SBCS: " + ListCodePages(FontKind::kSbcs, true)),
            std::string::npos);
  EXPECT_NE(page.find("DBCS: " + ListCodePages(FontKind::kDbcs, true)),
            std::string::npos);
}

TEST(ManPageTest, VexocnvtPageHasEveryKeyAndStatusOfTheHelp) {
  const std::string page = ManText("vexocnvt.1");
  const std::string help =
      RunInProcess(RunConverter, {"vexocnvt", "--help"}).out;
  const std::regex key("\\n  ([A-Z][A-Za-z]+) ");
  int keys = 0;
  for (auto it = std::sregex_iterator(help.begin(), help.end(), key);
       it != std::sregex_iterator(); ++it) {
    ++keys;
    EXPECT_NE(page.find((*it)[1].str() + " "), std::string::npos) << (*it)[1];
  }
  EXPECT_EQ(keys, 9);
  for (const char* option : {"--help", "--version"}) {
    EXPECT_NE(page.find(option), std::string::npos) << option;
  }
  // The size rules of each key, as the help gives them.
  const std::regex sizes("\\(((width|[0-9]+x)[^)]*)\\)");
  int rules = 0;
  const std::string folded = Folded(help);
  for (auto it = std::sregex_iterator(folded.begin(), folded.end(), sizes);
       it != std::sregex_iterator(); ++it) {
    ++rules;
    EXPECT_NE(page.find((*it)[1].str()), std::string::npos) << (*it)[1];
  }
  EXPECT_EQ(rules, 4);
  for (const char* status : {"0 ", "1 ", "2 ", "4 "}) {
    EXPECT_NE(page.find(std::string("EXIT STATUS")), std::string::npos);
    EXPECT_NE(page.find(status, page.find("EXIT STATUS")), std::string::npos)
        << status;
  }
}

TEST(ManPageTest, CompletionOffersTheOptionsOfEveryCommand) {
  const std::string completion =
      Slurp(std::string(VEXO_SOURCE_DIR) + "/completion/vexofont.bash");
  ASSERT_FALSE(completion.empty());
  for (const CommandTable& command : kCommands) {
    SCOPED_TRACE(command.command);
    // The words offered for a word starting with '-' in the command's case.
    const size_t block =
        completion.find(std::string("\n    ") + command.command + ")");
    ASSERT_NE(block, std::string::npos);
    const size_t dash = completion.find("cur == -*", block);
    const size_t start = completion.find("compgen -W \"", dash);
    ASSERT_NE(start, std::string::npos);
    const size_t from = start + std::strlen("compgen -W \"");
    std::set<std::string> words;
    std::istringstream stream(
        completion.substr(from, completion.find('"', from) - from));
    std::string word;
    while (stream >> word) words.insert(word);
    std::set<std::string> expected = TableOptions(*command.table);
    EXPECT_EQ(words, expected);
  }
}

TEST(ManPageTest, CompletionOffersTheValuesOfMake) {
  const std::string completion =
      Slurp(std::string(VEXO_SOURCE_DIR) + "/completion/vexofont.bash");
  ASSERT_FALSE(completion.empty());
  // Every code page of the table, and only those.
  std::smatch pages;
  ASSERT_TRUE(std::regex_search(
      completion, pages,
      std::regex("--code-page\\)\\s+COMPREPLY=\\(\\$\\(compgen -W \"([^\"]*)\"")));
  std::set<std::string> offered;
  std::istringstream words(pages[1].str());
  std::string word;
  while (words >> word) offered.insert(word);
  std::set<std::string> table;
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    for (uint16_t number : CodePageNumbers(kind)) {
      // The ISO 8859 pages by the name people know them by.
      table.insert(number > 28590 ? "8859-" + std::to_string(number - 28590)
                                  : std::to_string(number));
    }
  }
  EXPECT_EQ(offered, table);
  // Every size it offers is one the converter takes for some kind and
  // station.
  std::smatch sizes;
  ASSERT_TRUE(std::regex_search(
      completion, sizes, std::regex("--size\\)[^\"]*\"([^\"]*)\"")));
  std::istringstream sizeWords(sizes[1].str());
  while (sizeWords >> word) {
    CellSize size;
    ASSERT_TRUE(ParseCellSize(word, &size)) << word;
    bool accepted = false;
    for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
      for (Station station : {Station::kThermal, Station::kImpact}) {
        accepted = accepted || CellSizeAccepted(kind, station, size);
      }
    }
    EXPECT_TRUE(accepted) << word;
  }
}

}  // namespace

}  // namespace vexo
