// The command line of a vexofont command, read from one table of its
// options: the parser, the option lines of --help, the completion and the
// manual page all follow the table.
#ifndef VEXOCNVT_VEXOFONT_OPTIONS_COMMAND_OPTIONS_H_
#define VEXOCNVT_VEXOFONT_OPTIONS_COMMAND_OPTIONS_H_

#include <cstddef>
#include <string>
#include <vector>

namespace vexo {

// One option: how it is written, whether it takes a value, its lines in
// --help and what it sets in the command's options record.
struct CommandOption {
  const char* name;   // "--kind"
  const char* alias;  // "-o", or null
  // The value's placeholder in --help ("sbcs|dbcs"), or null for a flag.
  const char* value;
  // The left column of its --help lines: null for alias, name and value
  // ("-o, --output OUTPUT"); "" when the option before it shows it too.
  const char* shown;
  const char* help;  // its --help lines, '\n' between them; may be ""
  // Sets the option in *record (value null for a flag); false refuses the
  // value.
  bool (*set)(void* record, const char* value);
  bool ends = false;  // reading stops after it (--help, --version)
};

struct OptionTable {
  const CommandOption* options;
  size_t count;
  int helpColumn;  // where the help lines start
  int maxNames;    // the most names the command takes; -1: any number

  const CommandOption* begin() const { return options; }
  const CommandOption* end() const { return options + count; }
};

template <size_t N>
constexpr OptionTable MakeOptionTable(const CommandOption (&options)[N],
                                      int helpColumn, int maxNames = -1) {
  return {options, N, helpColumn, maxNames};
}

// Setters for the common kinds of option, for a record of type Record.
template <typename Record, std::string Record::*kField>
bool SetString(void* record, const char* value) {
  static_cast<Record*>(record)->*kField = value;
  return true;
}
template <typename Record, std::vector<std::string> Record::*kList>
bool AddString(void* record, const char* value) {
  (static_cast<Record*>(record)->*kList).push_back(value);
  return true;
}
template <typename Record, bool Record::*kFlag>
bool SetFlag(void* record, const char*) {
  static_cast<Record*>(record)->*kFlag = true;
  return true;
}

// What went wrong on a command line.
enum class OptionFault {
  kNone,
  kUnknown,   // an option the table does not have
  kNoValue,   // a valued option at the end, or with an empty value
  kFlagValue, // a flag given a value (--strict=1)
  kRefused,   // the option's setter refused the value
  kExtraName, // a name beyond the table's maxNames
};

struct ParsedLine {
  OptionFault fault = OptionFault::kNone;
  std::string arg;    // at a fault: the word as given
  std::string name;   // its option name, before any '='
  std::string value;  // kRefused: the value
  std::vector<std::string> names;  // every word that is not an option
};

// Reads argv[1..]: an option of the table is NAME VALUE or NAME=VALUE (a
// value may not be empty), a flag NAME; "-" and every word not starting
// with '-' are names, as is every word after "--". Stops at the first
// fault (the words after it unread), or after an option marked `ends`.
ParsedLine ParseCommandLine(const OptionTable& table, int argc, char** argv,
                            void* record);

// The option lines of --help: each option's left column from column 2, its
// help lines from the table's column (on a line of their own where the
// left column is too wide to leave two spaces before them).
std::string OptionHelp(const OptionTable& table);

// The line a command prints for the fault of `line`, after its
// "vexofont COMMAND: ": `command` names it for the pointer to its --help,
// `names` what its names are ("file", "configuration") for one too many.
std::string OptionFaultText(const ParsedLine& line, const char* command,
                            const char* names);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_OPTIONS_COMMAND_OPTIONS_H_
