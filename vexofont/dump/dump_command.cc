#include "vexofont/dump/dump_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fontinput/font_header.h"
#include "store/output_file.h"
#include "store/version.h"
#include "vexofont/make/code_page.h"
#include "vexofont/text/glyph_text.h"
#include "vexofont/text/glyph_text_writer.h"

namespace {

constexpr unsigned kNewTextFileMode = 0666;

constexpr char kHelp[] =
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
    "\n"
    "  -o, --output TEXT  write the text to TEXT (whole or not at all)\n"
    "                     instead of standard output\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 written, 1 bad arguments, 2 FILE cannot be read or is\n"
    "not an input font file of a size some station takes, 4 TEXT cannot be\n"
    "written.\n";

int UsageError(const std::string& text) {
  std::fprintf(stderr, "vexofont dump: %s\n", text.c_str());
  return kDumpUsage;
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

}  // namespace

int RunDumpCommand(int argc, char** argv) {
  const char* file = nullptr;
  const char* output = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return kDumpOk;
    }
    if (arg == "--version") {
      std::printf("vexofont dump %s\n", kReleaseVersion);
      return kDumpOk;
    }
    if (arg == "-o" || arg == "--output") {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        return UsageError("option '" + arg + "' needs a value");
      }
      output = argv[++i];
      continue;
    }
    if (arg.rfind("--output=", 0) == 0 && arg.size() > 9) {
      output = argv[i] + 9;
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option '" + arg + "' (see vexofont dump --help)");
    }
    if (file != nullptr) return UsageError("more than one file: '" + arg + "'");
    file = argv[i];
  }
  if (file == nullptr) return UsageError("no file given (see vexofont dump --help)");
  if (output != nullptr && SameExistingFile(output, file)) {
    std::fprintf(stderr,
                 "vexofont dump: output '%s' is the font file '%s'; nothing "
                 "written\n",
                 output, file);
    return kDumpOutputFailed;
  }

  std::vector<uint8_t> bytes;
  bool cut = false;
  switch (ReadLimitedFile(file, kLargestInputFontFile, &bytes, &cut)) {
    case ReadResult::kRead:
      break;
    case ReadResult::kCannotOpen:
      std::fprintf(stderr, "vexofont dump: cannot open '%s': %s\n", file,
                   std::strerror(errno));
      return kDumpInputFailed;
    case ReadResult::kCannotRead:
      std::fprintf(stderr, "vexofont dump: cannot read '%s'\n", file);
      return kDumpInputFailed;
  }
  if (cut) {
    std::fprintf(stderr,
                 "vexofont dump: '%s' goes on past %zu bytes, more than any "
                 "input font file holds\n",
                 file, kLargestInputFontFile);
    return kDumpInputFailed;
  }

  // The characters, where the file's code page is one make knows.
  CodeMapper mapper;
  bool described = false;
  const FontKind kind = InputFontKind(bytes.data(), bytes.size());
  if (kind != FontKind::kNone && bytes.size() >= size_t{kSbcsHeaderSize}) {
    FontHeader header{};
    DecodeFontHeader(bytes.data(), &header);
    const CodePage* page =
        FindCodePage(kind,
                     std::to_string(header.codePage));
    described = page != nullptr && mapper.Open(*page, FontCharset{});
  }
  std::string text;
  std::string problem;
  if (!DumpInputFont(bytes.data(), bytes.size(),
                     described ? Describe : nullptr, &mapper, &text,
                     &problem)) {
    std::fprintf(stderr, "vexofont dump: '%s' %s\n", file, problem.c_str());
    return kDumpInputFailed;
  }
  if (output == nullptr) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      std::fprintf(stderr, "vexofont dump: cannot write standard output\n");
      return kDumpOutputFailed;
    }
    return kDumpOk;
  }
  const int error =
      WriteWholeFile(output, text.data(), text.size(), kNewTextFileMode);
  if (error != 0) {
    std::fprintf(stderr, "vexofont dump: cannot write '%s': %s\n", output,
                 std::strerror(error));
    return kDumpOutputFailed;
  }
  return kDumpOk;
}
