#include "vexofont/preview/preview_command.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/console.h"
#include "platform/output_file.h"
#include "store/version.h"
#include "vexofont/codepage/characters.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/codepage/equivalents.h"
#include "vexofont/fontrules/code_text.h"
#include "vexofont/preview/preview_options.h"
#include "vexofont/preview/preview_page.h"
#include "vexofont/preview/preview_picture.h"
#include "vexofont/preview/preview_source.h"
#include "vexofont/preview/preview_text.h"
#include "vexofont/preview/receipt_layout.h"
#include "vexofont/readers/run_inputs.h"

namespace vexo {

namespace {

// Reads a whole decimal number from `low` to `high`.
bool Number(const std::string& text, int low, int high, int* value) {
  if (text.empty() || text.size() > 6) return false;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < low || n > high) return false;
  *value = n;
  return true;
}

// Reads a length in millimetres, at most three decimals, as micrometres.
bool Microns(const std::string& text, int* microns) {
  const size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  std::string part = point == std::string::npos ? "" : text.substr(point + 1);
  if (part.size() > 3 || (whole.empty() && part.empty())) return false;
  int w = 0;
  int f = 0;
  if ((!whole.empty() && !Number(whole, 0, 9, &w)) ||
      (!part.empty() && !Number(part, 0, 999, &f))) {
    return false;
  }
  part.resize(3, '0');
  Number(part, 0, 999, &f);
  *microns = w * 1000 + f;
  return true;
}

// Micrometres as millimetres, without trailing zeros: 500 as "0.5".
std::string MillimetreText(int microns) {
  std::string text = std::to_string(microns / 1000) + "." +
                     std::to_string(1000 + microns % 1000).substr(1);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// Reads a dot pitch, "MM" (square dots) or "MMxMM" (across by down).
bool ReadPitch(const std::string& text, DotPitch* pitch) {
  const size_t x = text.find('x');
  DotPitch read;
  if (!Microns(text.substr(0, x), &read.across) ||
      !Microns(x == std::string::npos ? text : text.substr(x + 1), &read.down)) {
    return false;
  }
  for (int microns : {read.across, read.down}) {
    if (microns < kMinDotPitch || microns > kMaxDotPitch) return false;
  }
  *pitch = read;
  return true;
}

// Each station's dot pitch, the default's or the option's.
int ReadPitches(const PreviewOptions& options, StationSetting settings[2],
                CommandReport* report) {
  settings[0].pitch = {kDefaultThermalPitch[0], kDefaultThermalPitch[1]};
  settings[1].pitch = {kDefaultImpactPitch[0], kDefaultImpactPitch[1]};
  const std::string* pitches[2] = {&options.thermalPitch, &options.impactPitch};
  for (int i = 0; i < 2; ++i) {
    if (!pitches[i]->empty() && !ReadPitch(*pitches[i], &settings[i].pitch)) {
      return PreviewUsageError(
          report, std::string(i == 0 ? "--thermal-pitch" : "--impact-pitch") +
                      " '" + *pitches[i] + "' is not MM or MMxMM, " +
                      MillimetreText(kMinDotPitch) + " to " +
                      MillimetreText(kMaxDotPitch) + " millimetres");
    }
  }
  return kPreviewDrawn;
}

// The settings of both stations and the stations drawn, from the options
// and the file; returns kPreviewDrawn or the status after the line.
int ReadSettings(const PreviewOptions& options, const OutputParameters& p,
                 StationSetting settings[2], std::vector<Station>* stations,
                 CommandReport* report) {
  for (int i = 0; i < 2; ++i) {
    settings[i].sbcsSpacing = p.sbcsSpacing;
    settings[i].dbcsSpacing = p.dbcsSpacing;
  }
  settings[0].width = kDefaultThermalWidth;
  settings[1].width = kDefaultImpactWidth;
  const std::string* widths[2] = {&options.thermalWidth, &options.impactWidth};
  for (int i = 0; i < 2; ++i) {
    if (!widths[i]->empty() &&
        !Number(*widths[i], 24, kMaxStationWidth, &settings[i].width)) {
      return PreviewUsageError(report, "a station's width is 24 to " +
                                           std::to_string(kMaxStationWidth) +
                                           " dots, not '" + *widths[i] + "'");
    }
  }
  if (ReadPitches(options, settings, report) != kPreviewDrawn) {
    return kPreviewUsage;
  }
  int gap = settings[0].lineGap;
  if (!options.lineGap.empty() && !Number(options.lineGap, 0, 255, &gap)) {
    return PreviewUsageError(
        report, "--line-gap '" + options.lineGap + "' is not 0 to 255 dots");
  }
  int tab = settings[0].tabColumns;
  if (!options.tab.empty() && !Number(options.tab, 1, 255, &tab)) {
    return PreviewUsageError(
        report, "--tab '" + options.tab + "' is not 1 to 255 characters");
  }
  for (int i = 0; i < 2; ++i) {
    settings[i].lineGap = gap;
    settings[i].tabColumns = tab;
    settings[i].wrap = !options.noWrap;
  }
  if (!options.spacing.empty()) {
    const size_t comma = options.spacing.find(',');
    int sbcs = 0;
    int dbcs = 0;
    if (comma == std::string::npos ||
        !Number(options.spacing.substr(0, comma), 0, 255, &sbcs) ||
        !Number(options.spacing.substr(comma + 1), 0, 255, &dbcs)) {
      return PreviewUsageError(report, "--spacing '" + options.spacing +
                                           "' is not S,D (dots, 0 to 255)");
    }
    for (int i = 0; i < 2; ++i) {
      settings[i].sbcsSpacing = sbcs;
      settings[i].dbcsSpacing = dbcs;
    }
  }
  const std::string& which = options.station.empty() ? "both" : options.station;
  if (which != "both" && which != "thermal" && which != "impact") {
    return PreviewUsageError(
        report, "--station '" + which + "' is not thermal, impact or both");
  }
  if (which != "impact") stations->push_back(Station::kThermal);
  if (which != "thermal") stations->push_back(Station::kImpact);
  return kPreviewDrawn;
}

// The text's characters in the code page of the option or the file.
int ReadCharacters(const PreviewOptions& options, const ShownFont& font,
                   std::vector<TextCharacter>* characters, uint16_t* page,
                   CommandReport* report) {
  std::string text = options.text;
  std::string error;
  const bool bytes = !options.bytes.empty();
  const std::string& from = bytes ? options.bytes : options.file.empty() ? "-" : options.file;
  if (!options.textGiven && !ReadPreviewText(from, &text, &error)) {
    return report->Failed(error.find("goes on past") != std::string::npos
                              ? kPreviewUsage
                              : kPreviewUnreadable,
                          "vexofont preview: %s\n", error.c_str());
  }
  if (text.size() > kMaxPreviewText) {
    return PreviewUsageError(
        report,
        "--text is longer than " + std::to_string(kMaxPreviewText) + " bytes");
  }
  *page = font.parameters.codePage;
  if (!options.codePage.empty()) {
    const CodePage* sbcs = FindCodePage(FontKind::kSbcs, options.codePage);
    const CodePage* dbcs = FindCodePage(FontKind::kDbcs, options.codePage);
    if (sbcs == nullptr && dbcs == nullptr) {
      return PreviewUsageError(
          report, "unknown code page '" + options.codePage + "' (" +
                      ListCodePages(FontKind::kSbcs, true) + ")");
    }
    *page = sbcs != nullptr ? sbcs->number : dbcs->number;
  }
  if (bytes) {
    ByteCharacters(text, *page, characters);
  } else if (!TextCharacters(text, *page, characters, &error)) {
    return PreviewUsageError(report, error);
  }
  return kPreviewDrawn;
}

// Names each character printed as its equivalent, once, at its first
// place in the text.
void ReportEquivalents(const std::vector<TextCharacter>& text, uint16_t page,
                       CommandReport* report) {
  std::set<uint32_t> named;
  for (const TextCharacter& c : text) {
    if (c.equivalent == 0 || !named.insert(c.character).second) continue;
    report->Error(
        "vexofont preview: %s (line %d, column %d) is not in code page %u: "
        "printed as %s, code 0x%s\n",
        CharacterName(c.character).c_str(), c.line, c.column, unsigned{page},
        EquivalentName({c.equivalent, c.relation}).c_str(),
        HexCode(static_cast<unsigned long>(c.code),
                c.kind == FontKind::kDbcs ? 4 : 2)
            .c_str());
  }
}

// Names each line of the text that passes a station's width, at the
// character that passes it.
void ReportBreaks(const std::vector<StationPicture>& pictures,
                  CommandReport* report) {
  for (const StationPicture& picture : pictures) {
    for (const LineBreak& at : picture.breaks) {
      report->Error(
          "vexofont preview: line %d passes the %s station's width (%d "
          "dots) at column %d: %s\n",
          at.line, picture.station == Station::kThermal ? "thermal" : "impact",
          picture.width, at.column,
          at.cut ? "cut there (--no-wrap)" : "the rest goes on the next line");
    }
  }
}

// What a mark stands for: a control character or byte, a character the
// code page lacks or a lead byte with no trail, a code with no glyph.
std::string MarkReason(const TextCharacter& c, Station station, uint16_t page) {
  const bool bytes = c.offset >= 0;
  if (bytes && c.code < 0) {
    return c.raw < 0x20 || c.raw == 0x7F
               ? "is a control byte, drawn as the mark"
               : "leads a two-byte code of code page " + std::to_string(page) +
                     " but no trail byte follows";
  }
  if (!bytes && IsControlCharacter(c.character)) {
    return "is a control character, drawn as the mark";
  }
  if (c.code < 0) return "is not in code page " + std::to_string(page);
  return "is code 0x" +
         HexCode(static_cast<unsigned long>(c.code), c.kind == FontKind::kDbcs ? 4 : 2) +
         (bytes && c.character != 0 ? " (" + CharacterName(c.character) + ")" : "") +
         ", which the " + (station == Station::kThermal ? "thermal" : "impact") +
         " station has no glyph for";
}

// Names each character drawn as the mark, once a station and reason, at
// its first place in the text; returns whether there was one.
bool ReportMarks(const std::vector<TextCharacter>& text,
                 const std::vector<StationPicture>& pictures, uint16_t page,
                 CommandReport* report) {
  std::set<std::pair<long long, int>> named;
  bool marked = false;
  for (const StationPicture& picture : pictures) {
    for (const PlacedCharacter& placed : picture.placed) {
      if (placed.drawn) continue;
      marked = true;
      const TextCharacter& c = text[static_cast<size_t>(placed.index)];
      const int station = static_cast<int>(picture.station);
      // A character by its code point, bytes by what they are (above any
      // code point).
      const long long what =
          c.offset >= 0 ? (static_cast<long long>(c.rawLength) << 16 | c.raw) + (1LL << 32)
                        : static_cast<long long>(c.character);
      if (!named.insert({what, c.code < 0 ? 0 : station}).second) continue;
      report->Error("vexofont preview: %s (line %d, column %d) %s\n",
                    ReadAs(c).c_str(), c.line, c.column,
                    MarkReason(c, picture.station, page).c_str());
    }
  }
  return marked;
}

// The files no output may replace: the font file or the configuration and
// the fonts it lists, the text file or the standard input the text came
// from.
std::vector<RunInput> PreviewInputs(const PreviewOptions& options) {
  std::vector<RunInput> inputs;
  if (!options.font.empty()) inputs.push_back({options.font, "the font file previewed"});
  if (!options.config.empty()) {
    AddConfigurationInputs(options.config, "the configuration previewed", &inputs);
  }
  if (!options.textGiven) {
    const std::string& file = options.bytes.empty() ? options.file : options.bytes;
    const bool standardInput = file.empty() || file == "-";
    inputs.push_back({standardInput ? "/dev/stdin" : file,
                      standardInput ? "the text read" : "the text file"});
  }
  return inputs;
}

// An output that is one of the run's inputs, or both outputs one file: the
// line that says so, and true.
bool OutputIsAnInput(const PreviewOptions& options, CommandReport* report) {
  const std::vector<RunInput> inputs = PreviewInputs(options);
  for (const std::string* output : {&options.png, &options.html}) {
    if (output->empty()) continue;
    const int input = InputAt(*output, inputs);
    if (input < 0) continue;
    report->Error("vexofont preview: cannot write '%s': it is %s\n",
                  output->c_str(),
                  inputs[static_cast<size_t>(input)].what.c_str());
    return true;
  }
  if (!options.png.empty() &&
      (options.png == options.html ||
       SameExistingFile(options.png.c_str(), options.html.c_str()))) {
    report->Error("vexofont preview: --png and --html name one file, '%s'\n",
                  options.png.c_str());
    return true;
  }
  return false;
}

// Writes the PNG and the page, both or neither: each is complete in its
// temporary before either takes its name.
int WriteOutputs(const PreviewOptions& options, const ShownFont& font,
                 const std::vector<TextCharacter>& text,
                 const std::vector<StationPicture>& pictures,
                 const StationSetting settings[2], uint16_t page,
                 CommandReport* report) {
  if (options.png.empty() && options.html.empty()) {
    report->OutputAsIs(PreviewText(pictures));
    return kPreviewDrawn;
  }
  OutputFile files[2];
  const std::string* names[2] = {&options.png, &options.html};
  int error = 0;
  int failed = 0;
  if (!options.png.empty()) {
    error = WritePreviewPngUnpublished(options.png.c_str(), pictures,
                                       options.sideBySide, &files[0]);
  }
  if (error == 0 && !options.html.empty()) {
    failed = 1;
    const std::string html = PreviewPage(font, text, pictures, settings, page,
                                         options.sideBySide);
    error = WriteWholeFileUnpublished(options.html.c_str(), html.data(),
                                      html.size(), 0644, &files[1]);
  }
  for (int i = 0; i < 2 && error == 0; ++i) {
    failed = i;
    if (!names[i]->empty()) error = PublishOutputFile(&files[i]);
  }
  for (OutputFile& file : files) AbandonOutputFile(&file);
  if (error == 0) return kPreviewDrawn;
  return report->Failed(kPreviewUnreadable,
                        "vexofont preview: cannot write '%s': %s\n",
                        names[failed]->c_str(), std::strerror(error));
}

// The whole of a run, said into *report.
int Preview(int argc, char** argv, CommandReport* report) {
  PreviewOptions options;
  int status = ReadPreviewOptions(argc, argv, &options, report);
  if (status != kPreviewDrawn) return status;
  if (options.help) {
    report->OutputAsIs(PreviewHelp());
    return kPreviewDrawn;
  }
  if (options.version) {
    report->Output("vexofont preview %s\n", kReleaseVersion);
    return kPreviewDrawn;
  }
  ShownFont font;
  status = ReadPreviewFont(options.font, options.config, options.verbose, &font,
                           report);
  StationSetting settings[2];
  std::vector<Station> stations;
  std::vector<TextCharacter> text;
  uint16_t page = 0;
  if (status == kPreviewDrawn) {
    status =
        ReadSettings(options, font.parameters, settings, &stations, report);
  }
  if (status == kPreviewDrawn) {
    status = ReadCharacters(options, font, &text, &page, report);
  }
  if (status != kPreviewDrawn) return status;
  std::vector<StationPicture> pictures(stations.size());
  for (size_t i = 0; i < stations.size(); ++i) {
    std::string error;
    const int s = stations[i] == Station::kThermal ? 0 : 1;
    if (!LayOutStation(text, font, stations[i], settings[s], kMaxPreviewLines,
                       &pictures[i], &error)) {
      return PreviewUsageError(report, error);
    }
  }
  // Refused before anything is said of the text (the converter's run
  // names the fonts of a configuration).
  if (OutputIsAnInput(options, report)) return kPreviewUnreadable;
  ReportEquivalents(text, page, report);
  const bool marked = ReportMarks(text, pictures, page, report);
  ReportBreaks(pictures, report);
  status = WriteOutputs(options, font, text, pictures, settings, page, report);
  if (status != kPreviewDrawn) return status;
  return marked ? kPreviewMarked : kPreviewDrawn;
}

}  // namespace

int RunPreviewCommand(int argc, char** argv) {
  CommandReport report(CommandReport::To::kConsole);
  return Preview(argc, argv, &report);
}

}  // namespace vexo
