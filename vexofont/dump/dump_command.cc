#include "vexofont/dump/dump_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fontinput/font_header.h"
#include "platform/output_file.h"
#include "store/version.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/options/command_options.h"
#include "vexofont/options/command_report.h"
#include "vexofont/text/glyph_text_writer.h"

namespace vexo {

namespace {

constexpr unsigned kNewTextFileMode = 0666;

constexpr char kHelpStart[] =
    "usage: vexofont dump FILE [-o TEXT]\n"
    "\n"
    "Writes an input font file (SBCS or DBCS, for either station) as a glyph\n"
    "text that any text editor can change and `vexofont make TEXT OUTPUT`\n"
    "builds back into the same bytes: a header of named fields, then one\n"
    "block per glyph, its code in hexadecimal, the character it stands for\n"
    "as a comment where the code page is one `vexofont make` knows, and its\n"
    "rows top row first, '.' a clear dot and '#' a set one. Dots the file\n"
    "keeps beyond the width follow a '|' where any is set; bytes after the\n"
    "last whole glyph are kept as 'tail' lines. The README describes the\n"
    "format.\n"
    "\n";

// A format: the limit comes from the header's rules.
constexpr char kHelpEnd[] =
    "\n"
    "FILE is read up to %zu bytes, the largest input font file.\n"
    "\n"
    "Exit status: 0 written, 1 bad arguments, 2 FILE cannot be read or is\n"
    "not an input font file of a size some station takes, 4 TEXT (or\n"
    "standard output) cannot be written.\n";

// The command line as given.
struct DumpOptions {
  std::string file;
  std::string output;
  bool help = false;
  bool version = false;
};

const CommandOption kDumpOptionRows[] = {
    {"--output", "-o", "TEXT", nullptr,
     "write the text to TEXT (whole or not at all)\n"
     "instead of standard output",
     SetString<DumpOptions, &DumpOptions::output>},
    {"--help", "-h", nullptr, "--help, --version", "",
     SetFlag<DumpOptions, &DumpOptions::help>, true},
    {"--version", nullptr, nullptr, "", "",
     SetFlag<DumpOptions, &DumpOptions::version>, true},
};

int UsageError(CommandReport* report, const std::string& text) {
  return report->Failed(kDumpUsage, "vexofont dump: %s\n", text.c_str());
}

// Fills *options; returns kDumpOk, or kDumpUsage with the line in *report.
int ReadDumpOptions(int argc, char** argv, DumpOptions* options,
                    CommandReport* report) {
  const ParsedLine line = ParseCommandLine(kDumpOptions, argc, argv, options);
  if (line.fault != OptionFault::kNone) {
    return UsageError(report, OptionFaultText(line, "dump", "file"));
  }
  if (options->help || options->version) return kDumpOk;
  if (line.names.empty()) {
    return UsageError(report, "no file given (see vexofont dump --help)");
  }
  options->file = line.names[0];
  return kDumpOk;
}

// Appends the UTF-8 form of `cp`.
void AppendUtf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    *out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out += static_cast<char>(0xC0 | cp >> 6);
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out += static_cast<char>(0xE0 | cp >> 12);
    *out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | cp >> 18);
    *out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    *out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// "U+0041 A": the character of a code in the file's code page.
std::string Describe(const void* context, int code) {
  CodeMapper& mapper = *static_cast<CodeMapper*>(const_cast<void*>(context));
  uint32_t cp = 0;
  if (!mapper.Map(code, &cp)) return "";
  char text[16];
  std::snprintf(text, sizeof(text), "U+%04X", static_cast<unsigned>(cp));
  std::string comment = text;
  // Marks, formats and the like are named, not drawn.
  const bool drawable = cp > 0x20 && cp != 0x7F && !(cp >= 0x80 && cp <= 0xA0) &&
                        cp != 0xAD && cp != 0x3000 &&
                        !(cp >= 0x300 && cp < 0x370) &&
                        !(cp >= 0x2000 && cp <= 0x200F) &&
                        !(cp >= 0x2028 && cp <= 0x202F) &&
                        !(cp >= 0xD800 && cp < 0xE000) && cp != 0xFEFF;
  if (drawable) {
    comment += ' ';
    AppendUtf8(cp, &comment);
  }
  return comment;
}

// Reads the font whole; returns false with the line in *report on failure.
bool ReadFont(const char* file, std::vector<uint8_t>* bytes,
              CommandReport* report) {
  bool cut = false;
  switch (ReadLimitedFile(file, kLargestInputFontFile, bytes, &cut)) {
    case ReadResult::kRead:
      break;
    case ReadResult::kCannotOpen:
      report->Error("vexofont dump: cannot open '%s': %s\n", file,
                    std::strerror(errno));
      return false;
    case ReadResult::kCannotRead:
      report->Error("vexofont dump: cannot read '%s'\n", file);
      return false;
  }
  if (cut) {
    report->Error(
        "vexofont dump: '%s' goes on past %zu bytes, more than any input "
        "font file holds\n",
        file, kLargestInputFontFile);
    return false;
  }
  return true;
}

// Opens *mapper on the file's code page, where it is one make knows.
bool OpenDescriber(const std::vector<uint8_t>& bytes, CodeMapper* mapper) {
  const FontKind kind = InputFontKind(bytes.data(), bytes.size());
  if (kind == FontKind::kNone || bytes.size() < size_t{kSbcsHeaderSize}) {
    return false;
  }
  FontHeader header{};
  DecodeFontHeader(bytes.data(), &header);
  const CodePage* page = FindCodePage(kind, std::to_string(header.codePage));
  return page != nullptr && mapper->Open(*page, FontCharset{});
}

int WriteText(const std::string& output, std::string text,
              CommandReport* report) {
  if (output.empty()) {
    // A write error is found when the command ends (vexofont/main.cc).
    report->OutputAsIs(std::move(text));
    return kDumpOk;
  }
  const int error =
      WriteWholeFile(output.c_str(), text.data(), text.size(), kNewTextFileMode);
  if (error != 0) {
    return report->Failed(kDumpOutputFailed,
                          "vexofont dump: cannot write '%s': %s\n",
                          output.c_str(), std::strerror(error));
  }
  return kDumpOk;
}

}  // namespace

const OptionTable kDumpOptions =
    MakeOptionTable(kDumpOptionRows, 21, /*maxNames=*/1);

int RunDumpCommand(int argc, char** argv, CommandReport* report) {
  DumpOptions options;
  const int status = ReadDumpOptions(argc, argv, &options, report);
  if (status != kDumpOk) return status;
  if (options.help) {
    report->OutputAsIs(kHelpStart + OptionHelp(kDumpOptions));
    report->Output(kHelpEnd, kLargestInputFontFile);
    return kDumpOk;
  }
  if (options.version) {
    report->Output("vexofont dump %s\n", kReleaseVersion);
    return kDumpOk;
  }
  const char* file = options.file.c_str();
  if (!options.output.empty() && SameExistingFile(options.output.c_str(), file)) {
    return report->Failed(
        kDumpOutputFailed,
        "vexofont dump: output '%s' is the font file '%s'; nothing written\n",
        options.output.c_str(), file);
  }
  std::vector<uint8_t> bytes;
  if (!ReadFont(file, &bytes, report)) return kDumpInputFailed;
  CodeMapper mapper;
  const bool described = OpenDescriber(bytes, &mapper);
  std::string text;
  std::string problem;
  if (!DumpInputFont(bytes.data(), bytes.size(),
                     described ? Describe : nullptr, &mapper, &text,
                     &problem)) {
    return report->Failed(kDumpInputFailed, "vexofont dump: '%s' %s\n", file,
                          problem.c_str());
  }
  return WriteText(options.output, std::move(text), report);
}

int RunDumpCommand(int argc, char** argv) {
  CommandReport report(CommandReport::To::kConsole);
  return RunDumpCommand(argc, argv, &report);
}

}  // namespace vexo
