#include "vexofont/options/command_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexo {

namespace {

struct Record {
  std::string size;
  std::vector<std::string> fonts;
  std::string code;
  bool quiet = false;
  bool help = false;
};

bool SetCode(void* record, const char* value) {
  if (std::string(value) == "bad") return false;
  static_cast<Record*>(record)->code = value;
  return true;
}

const CommandOption kRows[] = {
    {"--size", nullptr, "WxH", nullptr, "the cell", SetString<Record, &Record::size>},
    {"--font", "-f", "FILE", nullptr, "a font;\nmay be given twice",
     AddString<Record, &Record::fonts>},
    {"--code", nullptr, "C", "--code C, --also C", "a code", SetCode},
    {"--also", nullptr, "C", "", "", SetCode},
    {"--quiet", "-q", nullptr, "--quiet", "", SetFlag<Record, &Record::quiet>},
    {"--a-very-long-option", nullptr, "VALUE", nullptr, "its help",
     SetString<Record, &Record::size>},
    {"--help", "-h", nullptr, nullptr, "print this help",
     SetFlag<Record, &Record::help>, true},
};
const OptionTable kTable = MakeOptionTable(kRows, 16);
const OptionTable kOneName = MakeOptionTable(kRows, 16, /*maxNames=*/1);
const OptionTable kNoName = MakeOptionTable(kRows, 16, /*maxNames=*/0);

struct ParseCase {
  std::vector<std::string> args;
  OptionFault fault;
  std::string arg, name, value;  // at the fault
  std::vector<std::string> names;
  std::string size, code;
  std::vector<std::string> fonts;
  bool quiet, help;
  const OptionTable* table = &kTable;
};

ParsedLine Parse(const OptionTable& table, std::vector<std::string> args,
                 Record* record) {
  args.insert(args.begin(), "cmd");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  return ParseCommandLine(table, static_cast<int>(argv.size()), argv.data(),
                          record);
}

TEST(CommandOptionsTest, ParsesEveryFormAndStopsAtTheFirstFault) {
  const ParseCase kCases[] = {
      // Both value forms, aliases, repeated options, flags, names.
      {{"--size", "8x9", "-f", "a", "--font=b", "x", "-q", "y"},
       OptionFault::kNone, "", "", "", {"x", "y"}, "8x9", "", {"a", "b"}, true, false},
      // A value may start with '-'; "-" and words after "--" are names.
      {{"--size", "-1", "-", "--", "--quiet"},
       OptionFault::kNone, "", "", "", {"-", "--quiet"}, "-1", "", {}, false, false},
      // The last given value wins; a joined value may hold '='.
      {{"--size=1", "--size=a=b"}, OptionFault::kNone, "", "", "", {}, "a=b", "", {}, false, false},
      {{"--bogus=1", "--size", "2"}, OptionFault::kUnknown, "--bogus=1", "--bogus", "", {}, "", "", {}, false, false},
      {{"--quiet=1"}, OptionFault::kFlagValue, "--quiet=1", "--quiet", "", {}, "", "", {}, false, false},
      {{"--siz", "1"}, OptionFault::kUnknown, "--siz", "--siz", "", {}, "", "", {}, false, false},
      {{"x", "--size"}, OptionFault::kNoValue, "--size", "--size", "", {"x"}, "", "", {}, false, false},
      {{"--size="}, OptionFault::kNoValue, "--size=", "--size", "", {}, "", "", {}, false, false},
      {{"--size", ""}, OptionFault::kNoValue, "--size", "--size", "", {}, "", "", {}, false, false},
      {{"--also", "bad", "--size", "1"}, OptionFault::kRefused, "--also", "--also", "bad", {}, "", "", {}, false, false},
      {{"--code=7", "--also", "9"}, OptionFault::kNone, "", "", "", {}, "", "9", {}, false, false},
      // An option marked to end reading leaves the rest unread.
      {{"-h", "--bogus", "x"}, OptionFault::kNone, "", "", "", {}, "", "", {}, false, true},
      {{"a", "b"}, OptionFault::kExtraName, "b", "", "", {"a"}, "", "", {}, false, false, &kOneName},
      {{"a", "--bogus", "b"}, OptionFault::kUnknown, "--bogus", "--bogus", "", {"a"}, "", "", {}, false, false, &kOneName},
  };
  for (const ParseCase& c : kCases) {
    std::string joined;
    for (const std::string& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    Record record;
    const ParsedLine line = Parse(*c.table, c.args, &record);
    EXPECT_EQ(line.fault, c.fault);
    EXPECT_EQ(line.arg, c.arg);
    EXPECT_EQ(line.name, c.name);
    EXPECT_EQ(line.value, c.value);
    EXPECT_EQ(line.names, c.names);
    EXPECT_EQ(record.size, c.size);
    EXPECT_EQ(record.code, c.code);
    EXPECT_EQ(record.fonts, c.fonts);
    EXPECT_EQ(record.quiet, c.quiet);
    EXPECT_EQ(record.help, c.help);
  }
}

// Every command words a fault of its command line the same way.
TEST(CommandOptionsTest, FaultsAreWordedAlikeForEveryCommand) {
  const struct {
    std::vector<std::string> args;
    const OptionTable* table;
    const char* names;
    std::string text;
  } kCases[] = {
      {{"--quiet=1"}, &kTable, "file",
       "option '--quiet' takes no value (see vexofont cmd --help)"},
      {{"--bogus=1"}, &kTable, "file", "unknown option '--bogus' (see vexofont cmd --help)"},
      {{"--size"}, &kTable, "file", "option '--size' needs a value"},
      {{"--also", "bad"}, &kTable, "file",
       "bad value 'bad' for --also (see vexofont cmd --help)"},
      {{"a", "b"}, &kOneName, "file", "more than one file: 'b'"},
      {{"a"}, &kNoName, nullptr, "'a' is not an option (see vexofont cmd --help)"},
      {{"a"}, &kTable, nullptr, ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.args[0]);
    Record record;
    EXPECT_EQ(OptionFaultText(Parse(*c.table, c.args, &record), "cmd", c.names), c.text);
  }
}

TEST(CommandOptionsTest, HelpLinesAreLaidOutFromTheTable) {
  EXPECT_EQ(OptionHelp(kTable),
            "  --size WxH    the cell\n"
            "  -f, --font FILE\n"
            "                a font;\n"
            "                may be given twice\n"
            "  --code C, --also C\n"
            "                a code\n"
            "  --quiet\n"
            "  --a-very-long-option VALUE\n"
            "                its help\n"
            "  -h, --help    print this help\n");
}

// The left column is padded to two spaces before the help column, and goes
// on a line of its own when it would leave fewer.
TEST(CommandOptionsTest, LeftColumnTakesItsOwnLineOnlyWhenTooWide) {
  const CommandOption rows[] = {
      {"--abcdefghijk", nullptr, nullptr, nullptr, "fits", nullptr},
      {"--abcdefghijkl", nullptr, nullptr, nullptr, "does not", nullptr},
  };
  EXPECT_EQ(OptionHelp(MakeOptionTable(rows, 17)),
            "  --abcdefghijk  fits\n"
            "  --abcdefghijkl\n"
            "                 does not\n");
}

}  // namespace

}  // namespace vexo
