#include "vexofont/options/command_options.h"

#include <cstring>

namespace vexo {

namespace {

const CommandOption* Find(const OptionTable& table, const std::string& name) {
  for (const CommandOption& option : table) {
    if (name == option.name ||
        (option.alias != nullptr && name == option.alias)) {
      return &option;
    }
  }
  return nullptr;
}

std::string LeftColumn(const CommandOption& option) {
  if (option.shown != nullptr) return option.shown;
  std::string left = option.alias != nullptr
                         ? std::string(option.alias) + ", " + option.name
                         : option.name;
  if (option.value != nullptr) left += std::string(" ") + option.value;
  return left;
}

}  // namespace

ParsedLine ParseCommandLine(const OptionTable& table, int argc, char** argv,
                            void* record) {
  ParsedLine line;
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnd || arg.empty() || arg[0] != '-' || arg == "-") {
      if (table.maxNames >= 0 &&
          line.names.size() == static_cast<size_t>(table.maxNames)) {
        line.fault = OptionFault::kExtraName;
        line.arg = arg;
        return line;
      }
      line.names.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnd = true;
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const CommandOption* option = Find(table, name);
    const bool flag = option != nullptr && option->value == nullptr;
    if (option == nullptr) {
      line.fault = OptionFault::kUnknown;
    } else if (flag && equals != std::string::npos) {
      line.fault = OptionFault::kFlagValue;
    } else if (!flag && equals == std::string::npos && i + 1 >= argc) {
      line.fault = OptionFault::kNoValue;
    } else {
      const std::string value = flag ? ""
                                : equals != std::string::npos
                                    ? arg.substr(equals + 1)
                                    : std::string(argv[++i]);
      if (!flag && value.empty()) {
        line.fault = OptionFault::kNoValue;
      } else if (!option->set(record, flag ? nullptr : value.c_str())) {
        line.fault = OptionFault::kRefused;
        line.value = value;
      } else if (option->ends) {
        return line;
      }
    }
    if (line.fault != OptionFault::kNone) {
      line.arg = arg;
      line.name = name;
      return line;
    }
  }
  return line;
}

std::string OptionHelp(const OptionTable& table) {
  const std::string indent(static_cast<size_t>(table.helpColumn), ' ');
  std::string text;
  for (const CommandOption& option : table) {
    const std::string left = LeftColumn(option);
    if (left.empty()) continue;
    text += "  " + left;
    const char* help = option.help;
    const bool ownLine =
        left.size() + 4 > static_cast<size_t>(table.helpColumn);
    if (*help == '\0' || ownLine) {
      text += "\n";
    } else {
      text += std::string(table.helpColumn - 2 - left.size(), ' ');
    }
    bool first = !ownLine;
    while (*help != '\0') {
      const char* end = std::strchr(help, '\n');
      const size_t length = end != nullptr ? size_t(end - help) : std::strlen(help);
      if (!first) text += indent;
      text.append(help, length);
      text += "\n";
      first = false;
      help += length;
      if (*help == '\n') ++help;
    }
  }
  return text;
}

std::string OptionFaultText(const ParsedLine& line, const char* command,
                            const char* names) {
  const std::string help = std::string(" (see vexofont ") + command + " --help)";
  switch (line.fault) {
    case OptionFault::kNone:
      return "";
    case OptionFault::kUnknown:
      return "unknown option '" + line.name + "'" + help;
    case OptionFault::kFlagValue:
      return "option '" + line.name + "' takes no value" + help;
    case OptionFault::kNoValue:
      return "option '" + line.name + "' needs a value";
    case OptionFault::kRefused:
      return "bad value '" + line.value + "' for " + line.name + help;
    case OptionFault::kExtraName:
      return names == nullptr ? "'" + line.arg + "' is not an option" + help
                              : std::string("more than one ") + names + ": '" + line.arg + "'";
  }
  return "";
}

}  // namespace vexo
