#include "vexofont/fonts/fonts_command.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/output_file.h"
#include "store/version.h"
#include "vexofont/codepage/character_codes.h"
#include "vexofont/codepage/characters.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/fontservice/system_fonts.h"
#include "vexofont/make/cell_size.h"
#include "vexofont/options/command_options.h"
#include "vexofont/options/command_report.h"

namespace vexo {

namespace {

struct FontsOptions {
  std::string codePage;
  std::string kind;
  std::string size;
  std::string text;
  std::string chars;
  bool json = false;
  bool help = false;
  bool version = false;
};

const CommandOption kFontsOptionRows[] = {
    {"--code-page", nullptr, "N", nullptr,
     "the share of the code page's characters each\n"
     "font draws, best first; fonts that draw none\n"
     "are left out",
     SetString<FontsOptions, &FontsOptions::codePage>},
    {"--kind", nullptr, "sbcs|dbcs", nullptr,
     "the code page's single-byte half or its DBCS\n"
     "codes (the DBCS codes of 932, 936, 949 and 950\n"
     "by default)",
     SetString<FontsOptions, &FontsOptions::kind>},
    {"--size", nullptr, "WxH", nullptr,
     "only fonts that can draw a glyph of this cell:\n"
     "outline fonts, and bitmap fonts with a strike\n"
     "no higher",
     SetString<FontsOptions, &FontsOptions::size>},
    {"--text", nullptr, "STRING", nullptr,
     "also the share of these characters (UTF-8) each\n"
     "font draws, which then orders the list",
     SetString<FontsOptions, &FontsOptions::text>},
    {"--chars", nullptr, "FILE", nullptr,
     "the same for the characters of a UTF-8 text file",
     SetString<FontsOptions, &FontsOptions::chars>},
    {"--json", nullptr, nullptr, nullptr, "the list as JSON, one object a face",
     SetFlag<FontsOptions, &FontsOptions::json>},
    {"--help", "-h", nullptr, "--help", "print this help and exit",
     SetFlag<FontsOptions, &FontsOptions::help>, true},
    {"--version", nullptr, nullptr, nullptr, "print the version and exit",
     SetFlag<FontsOptions, &FontsOptions::version>, true},
};

int UsageError(CommandReport* report, const std::string& text) {
  return report->Failed(kFontsUsage, "vexofont fonts: %s\n", text.c_str());
}

// One face listed, with the shares it draws (-1: not asked).
struct Listed {
  SystemFace face;
  double pageShare = -1;
  double textShare = -1;
};

std::string Sizes(const SystemFace& face) {
  if (face.outline || face.strikes.empty()) return "outline";
  std::string sizes = "strikes";
  for (size_t i = 0; i < face.strikes.size(); ++i) {
    sizes += (i == 0 ? " " : ",") + std::to_string(face.strikes[i]);
  }
  return sizes;
}

std::string Percent(double share) {
  char text[16];
  std::snprintf(text, sizeof(text), "%.1f%%", share * 100);
  return text;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x",
                    static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Json(const std::vector<Listed>& list) {
  std::string out = "[";
  for (size_t i = 0; i < list.size(); ++i) {
    const Listed& l = list[i];
    out += std::string(i == 0 ? "\n" : ",\n") +
           "  {\"family\": " + JsonString(l.face.family) +
           ", \"style\": " + JsonString(l.face.style) +
           ", \"file\": " + JsonString(l.face.file) +
           ", \"face\": " + std::to_string(l.face.index) +
           ", \"outline\": " + (l.face.outline ? "true" : "false") +
           ", \"strikes\": [";
    for (size_t k = 0; k < l.face.strikes.size(); ++k) {
      out += (k == 0 ? "" : ", ") + std::to_string(l.face.strikes[k]);
    }
    out += "]";
    char share[64];
    if (l.pageShare >= 0) {
      std::snprintf(share, sizeof(share), ", \"codePageShare\": %.4f",
                    l.pageShare);
      out += share;
    }
    if (l.textShare >= 0) {
      std::snprintf(share, sizeof(share), ", \"textShare\": %.4f", l.textShare);
      out += share;
    }
    out += "}";
  }
  return out + (list.empty() ? "]\n" : "\n]\n");
}

// The columns a text takes in a terminal: East Asian wide characters two.
size_t DisplayWidth(const std::string& text) {
  std::vector<uint32_t> points;
  size_t badAt = 0;
  if (!DecodeUtf8(text, &points, &badAt)) return text.size();
  size_t width = 0;
  for (uint32_t c : points) {
    const bool wide =
        (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
        (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
        (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
        (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
    width += wide ? 2 : 1;
  }
  return width;
}

// Aligned columns: the shares asked for, family, style, sizes, file.
std::string Table(const std::vector<Listed>& list, bool page, bool text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> heading;
  if (page) heading.push_back("code page");
  if (text) heading.push_back("text");
  for (const char* h : {"family", "style", "sizes", "file"})
    heading.push_back(h);
  rows.push_back(heading);
  for (const Listed& l : list) {
    std::vector<std::string> row;
    if (page) row.push_back(Percent(l.pageShare));
    if (text) row.push_back(Percent(l.textShare));
    row.push_back(l.face.family);
    row.push_back(l.face.style);
    row.push_back(Sizes(l.face));
    const bool collection =
        l.face.file.ends_with(".ttc") || l.face.file.ends_with(".otc");
    row.push_back(l.face.file + (l.face.index > 0 || collection
                                     ? ", face " + std::to_string(l.face.index)
                                     : ""));
    rows.push_back(row);
  }
  std::vector<size_t> widths(heading.size(), 0);
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      widths[i] = std::max(widths[i], DisplayWidth(row[i]));
    }
  }
  std::string out;
  for (const auto& row : rows) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size())
        line += std::string(widths[i] - DisplayWidth(row[i]) + 2, ' ');
    }
    out += line + "\n";
  }
  return out;
}

// Why the faces installed could not be listed.
const char* FaceListText(FaceList listed) {
  switch (listed) {
    case FaceList::kNoService:
      return "this vexofont is built without fontconfig, which lists the "
             "system's fonts";
    case FaceList::kNoConfiguration:
      return "fontconfig cannot load its configuration";
    case FaceList::kNoFonts:
      return "no fonts in the Fonts folders";
    case FaceList::kListed:
      break;
  }
  return "";
}

// The characters of --text and --chars; returns kFontsListed, or the
// status with the line in *report.
int ReadTextCharacters(const FontsOptions& options,
                       std::set<uint32_t>* characters, CommandReport* report) {
  size_t badAt = 0;
  if (!options.text.empty() &&
      !CharactersOfText(options.text, characters, &badAt)) {
    return UsageError(
        report, "--text is not UTF-8 (byte " + std::to_string(badAt) + ")");
  }
  if (options.chars.empty()) return kFontsListed;
  const CharactersFile read =
      CharactersOfFile(options.chars.c_str(), characters, &badAt);
  if (read == CharactersFile::kRead) return kFontsListed;
  if (read == CharactersFile::kNotUtf8) {
    return UsageError(report, "--chars file '" + options.chars +
                                  "' is not UTF-8 (byte " +
                                  std::to_string(badAt) + ")");
  }
  return report->Failed(kFontsUnreadable,
                        "vexofont fonts: cannot read --chars file '%s'%s\n",
                        options.chars.c_str(),
                        read == CharactersFile::kTooLong ? " (too long)" : "");
}

// The code page's characters of the kind asked for; returns kFontsListed,
// or the status with the line in *report.
int ReadCodePage(const FontsOptions& options, std::vector<uint32_t>* characters,
                 CommandReport* report) {
  if (options.codePage.empty()) {
    if (!options.kind.empty()) {
      return UsageError(report, "--kind needs --code-page");
    }
    return kFontsListed;
  }
  const CodePage* dbcs = FindCodePage(FontKind::kDbcs, options.codePage);
  FontKind kind = dbcs != nullptr ? FontKind::kDbcs : FontKind::kSbcs;
  if (options.kind == "sbcs") {
    kind = FontKind::kSbcs;
  } else if (options.kind == "dbcs") {
    kind = FontKind::kDbcs;
  } else if (!options.kind.empty()) {
    return UsageError(report,
                      "--kind '" + options.kind + "' is not sbcs or dbcs");
  }
  const CodePage* page = FindCodePage(kind, options.codePage);
  if (page == nullptr) {
    return UsageError(
        report, "unknown " +
                    std::string(kind == FontKind::kDbcs ? "DBCS" : "SBCS") +
                    " code page '" + options.codePage + "' (" +
                    ListCodePages(kind, true) + ")");
  }
  for (const CodedCharacter& coded : CodesAndCharacters(*page)) {
    if (!IsControlCharacter(coded.character) && coded.character != ' ') {
      characters->push_back(coded.character);
    }
  }
  if (characters->empty()) {
    return report->Failed(
        kFontsUnreadable, "vexofont fonts: %s cannot convert code page %s\n",
        CharsetConversion::Converter(), options.codePage.c_str());
  }
  return kFontsListed;
}

// Whether a face can draw a glyph of `cell`: outlines at any size, a
// bitmap font from a strike no higher than the cell.
bool Fits(const SystemFace& face, const CellSize& cell) {
  if (face.outline) return true;
  return std::any_of(face.strikes.begin(), face.strikes.end(),
                     [&cell](int h) { return h <= cell.height; });
}

// The faces that fit `cell` (any when null) and draw some of the code
// page's characters, with their shares, best first.
std::vector<Listed> Ranked(const std::vector<SystemFace>& faces,
                           const CellSize* cell,
                           const std::vector<uint32_t>& page,
                           const std::set<uint32_t>& textCharacters) {
  const std::vector<uint32_t> text(textCharacters.begin(),
                                   textCharacters.end());
  std::vector<Listed> list;
  for (const SystemFace& face : faces) {
    if (cell != nullptr && !Fits(face, *cell)) continue;
    Listed listed{face};
    if (!page.empty()) {
      const long drawn = CountMappedCharacters(face, page);
      if (drawn <= 0) continue;
      listed.pageShare = double(drawn) / double(page.size());
    }
    if (!text.empty()) {
      listed.textShare =
          double(std::max(0L, CountMappedCharacters(face, text))) /
          double(text.size());
    }
    list.push_back(listed);
  }
  std::stable_sort(
      list.begin(), list.end(), [](const Listed& a, const Listed& b) {
        if (a.textShare != b.textShare) return a.textShare > b.textShare;
        if (a.pageShare != b.pageShare) return a.pageShare > b.pageShare;
        return a.face.family != b.face.family ? a.face.family < b.face.family
                                              : a.face.style < b.face.style;
      });
  return list;
}

}  // namespace

const OptionTable kFontsOptions =
    MakeOptionTable(kFontsOptionRows, 24, /*maxNames=*/0);

std::string FontsHelp() {
  return std::string(
             "usage: vexofont fonts [--code-page N] [--text STRING] [options]\n"
             "\n"
             "Lists the fonts installed, as the system's font service knows "
             "them\n"
             "(fontconfig; on Windows the Fonts folders), one face a line: "
             "family,\n"
             "style, outline or strike sizes, file and face. With --code-page, "
             "the\n"
             "share of the code page's characters each face draws, best first, "
             "and\n"
             "only the faces that draw some; with --text or --chars, the share "
             "of\n"
             "those characters too, which then orders the list. A name in the\n"
             "family column is what `vexofont make` takes in place of a file.\n"
             "\n") +
         OptionHelp(kFontsOptions) +
         "\nExit status:\n"
         "  0  listed\n"
         "  1  usage error\n"
         "  2  this vexofont has no font service (built without fontconfig)\n"
         "  4  a file cannot be read, or standard output cannot be written\n";
}

int RunFontsCommand(int argc, char** argv) {
  CommandReport report(CommandReport::To::kConsole);
  FontsOptions options;
  const ParsedLine line = ParseCommandLine(kFontsOptions, argc, argv, &options);
  if (line.fault != OptionFault::kNone) {
    return UsageError(&report, OptionFaultText(line, "fonts", nullptr));
  }
  if (options.help) {
    report.OutputAsIs(FontsHelp());
    return kFontsListed;
  }
  if (options.version) {
    report.Output("vexofont fonts %s\n", kReleaseVersion);
    return kFontsListed;
  }
  std::vector<uint32_t> pageCharacters;
  std::set<uint32_t> textCharacters;
  int status = ReadCodePage(options, &pageCharacters, &report);
  if (status == kFontsListed) {
    status = ReadTextCharacters(options, &textCharacters, &report);
  }
  if (status != kFontsListed) return status;
  CellSize cell;
  if (!options.size.empty() && !ParseCellSize(options.size, &cell)) {
    return UsageError(&report, "--size '" + options.size + "' is not WxH");
  }
  std::vector<SystemFace> faces;
  const FaceList listed = ListSystemFaces(&faces);
  if (listed != FaceList::kListed) {
    return report.Failed(
        listed == FaceList::kNoService ? kFontsNoService : kFontsUnreadable,
        "vexofont fonts: %s\n", FaceListText(listed));
  }
  const std::vector<Listed> list =
      Ranked(faces, options.size.empty() ? nullptr : &cell, pageCharacters,
             textCharacters);
  const std::string out = options.json ? Json(list)
                                       : Table(list, !pageCharacters.empty(),
                                               !textCharacters.empty());
  report.Output("%s", out.c_str());
  if (list.empty()) {
    report.Error(
        "vexofont fonts: no installed font%s\n",
        pageCharacters.empty() ? "" : " draws a character of the code page");
  }
  return kFontsListed;
}

}  // namespace vexo
