#include "vexofont/make/make_command.h"

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/system_names.h"
#include "store/version.h"
#include "vexofont/codepage/charset_conversion.h"
#include "vexofont/fontrules/stored_codes.h"
#include "vexofont/fontservice/system_fonts.h"
#include "vexofont/make/code_map.h"
#include "vexofont/make/dropped_characters.h"
#include "vexofont/make/glyph_sources.h"
#include "vexofont/make/input_font_builder.h"
#include "vexofont/make/make_files.h"
#include "vexofont/make/make_from_text.h"
#include "vexofont/make/make_options.h"
#include "vexofont/make/make_request.h"
#include "vexofont/make/make_summary.h"
#include "vexofont/make/source_font.h"
#include "vexofont/make/table_room.h"

namespace vexo {

namespace {

// What a font made from source fonts is made of: the checked options.
struct FontPlan {
  FontRequest request;
  CodeMap map;
  CodePage mappedPage = {};
  RenderOptions render;
  bool cellFill = true;
  bool mapped = false;  // the code page comes from --map
  bool selecting = false;
  std::set<uint32_t> selection;
  // Selected characters the code page holds in another form, and that form.
  std::map<uint32_t, Equivalent> equivalents;
};

int ReadPlan(const MakeOptions& options, FontPlan* plan,
             CommandReport* report) {
  int status = ReadRequest(options, &plan->map, &plan->mappedPage,
                           &plan->request, report);
  if (status != kMakeOk) return status;
  status = ReadRenderOptions(options, plan->request, &plan->render,
                             &plan->cellFill, report);
  if (status != kMakeOk) return status;
  plan->mapped = !options.map.empty();
  plan->selecting = !options.chars.empty() || !options.text.empty();
  status = ReadSelection(options, &plan->selection, report);
  if (status != kMakeOk) return status;
  if (plan->selecting && !plan->mapped) {
    plan->equivalents = SelectedEquivalents(plan->request, plan->selection);
    for (const auto& [c, equivalent] : plan->equivalents) {
      plan->selection.insert(equivalent.character);
    }
  }
  return kMakeOk;
}

// A font given by name: the file and face of the installed font it
// stands for. A name that opens as a file, or that names a folder, is a
// file.
struct FontSource {
  std::string path;
  int face = -1;  // -1: the options' face
};

bool OpensAsFile(const std::string& name) {
  std::FILE* file = OpenRawFileForReading(name.c_str());
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

// Finds each name that is not a file among the system's fonts; returns
// kMakeOk, or the status with the line in *report.
int FindFontSources(std::vector<FontSource>* sources, CommandReport* report) {
  for (FontSource& source : *sources) {
    source.path = FileOrSystemFont(source.path);
    const std::string& name = source.path;
    if (name.empty() || OpensAsFile(name) || NameIsFolder(name.c_str()) ||
        (name.find_first_of("/\\") != std::string::npos && !IsFontFileName(name))) {
      continue;
    }
    SystemFace face;
    std::string instead;
    switch (FindSystemFont(name, &face, &instead)) {
      case FontLookup::kFound:
        source.path = face.file;
        source.face = static_cast<int>(face.index);
        continue;
      case FontLookup::kNoService:
        return report->Failed(
            kMakeSourceFailed,
            "vexofont make: font '%s' cannot be opened (and this vexofont, "
            "built without fontconfig, takes no font names)\n",
            name.c_str());
      case FontLookup::kSubstituted:
        return report->Failed(
            kMakeSourceFailed,
            "vexofont make: font '%s' is neither a file nor an installed "
            "font; %s would give %s instead (vexofont fonts lists the fonts "
            "installed)\n",
            name.c_str(), FontServiceName(), instead.c_str());
      case FontLookup::kNotFound:
        return report->Failed(
            kMakeSourceFailed,
            "vexofont make: font '%s' is neither a file nor an installed "
            "font (vexofont fonts lists the fonts installed)\n",
            name.c_str());
    }
  }
  return kMakeOk;
}

// Opens the main font, then the fallbacks in order, into *fonts.
int OpenFonts(const std::vector<FontSource>& sources, const FontPlan& plan,
              std::vector<std::unique_ptr<SourceFont>>* fonts,
              std::vector<SourceFont*>* list, CommandReport* report) {
  for (const FontSource& source : sources) {
    const std::string& path = source.path;
    RenderOptions render = plan.render;
    if (source.face >= 0) render.face = source.face;
    fonts->push_back(std::make_unique<SourceFont>());
    std::string error;
    // Nine-row glyphs come from a nine-row strike where the font has one,
    // else from a 16-row drawing, reduced.
    const CellSize drawing = DrawingCell(plan.request);
    bool opened =
        fonts->back()->Open(path, PrintedCell(plan.request), render, &error);
    if (opened && drawing.height != plan.request.cell.height &&
        !fonts->back()->DrawsFromStrikeOfCell()) {
      opened = fonts->back()->Open(path, drawing, render, &error);
    }
    if (!opened) {
      return report->Failed(kMakeSourceFailed, "vexofont make: font '%s' %s\n",
                            path.c_str(), error.c_str());
    }
    if (!fonts->back()->faceWarning().empty()) {
      report->Error("vexofont make: warning: font '%s': %s\n", path.c_str(),
                    fonts->back()->faceWarning().c_str());
    }
    list->push_back(fonts->back().get());
  }
  return kMakeOk;
}

int OpenSources(const std::vector<std::string>& paths,
                const std::vector<SourceFont*>& fonts, const FontPlan& plan,
                GlyphSources* sources, CommandReport* report) {
  const bool mapped = plan.mapped;
  int unmapped = 0;
  if (!sources->Open(*plan.request.codePage, mapped ? &plan.map : nullptr,
                     fonts, PrintedCell(plan.request), &unmapped)) {
    const std::string from =
        mapped ? "Unicode"
               : "code page " + std::to_string(plan.request.codePage->number);
    return report->Failed(
        kMakeSourceFailed,
        "vexofont make: %s cannot map %s to '%s' of font '%s'\n",
        CharsetConversion::Converter(), from.c_str(),
        fonts[unmapped]->charset().label.c_str(), paths[unmapped].c_str());
  }
  if (plan.selecting) sources->Select(plan.selection);
  sources->DrawCellFillings(plan.cellFill);
  return kMakeOk;
}

// The characters drawn as their equivalents, then those not drawn.
void AddSelectionLines(const FontPlan& plan,
                       const std::vector<std::string>& dropped,
                       CommandReport* report) {
  for (const std::string& line :
       EquivalentLines(plan.request, plan.equivalents)) {
    report->Error("vexofont make: %s\n", line.c_str());
  }
  for (const std::string& line : dropped) {
    report->Error("vexofont make: warning: %s\n", line.c_str());
  }
}

// --strict: a selected character not drawn, or a dot cut off, is a failure.
int RefuseWhatIsLost(const FontRequest& request,
                     const std::vector<std::string>& dropped,
                     const FontCounts& counts, CommandReport* report) {
  if (!dropped.empty()) {
    for (const std::string& line : dropped) {
      report->Error("vexofont make: %s\n", line.c_str());
    }
    return MakeUsageError(report,
                          Count(static_cast<long long>(dropped.size()),
                                "selected character", "selected characters") +
                              " not drawn (--strict): nothing written");
  }
  if (counts.clippedGlyphs > 0) {
    return MakeUsageError(report,
                          Count(counts.clippedGlyphs, "glyph", "glyphs") +
                              " with dots cut off (" +
                              CodeRanges(request.kind, counts.clippedCodes, 8) +
                              ") (--strict): nothing written");
  }
  return kMakeOk;
}

// `vexofont make [options] SOURCE OUTPUT`.
int MakeFromFonts(const std::vector<FontSource>& fontSources,
                  const MakeOptions& options, const std::string& outputPath,
                  const FontPlan& plan, CommandReport* report) {
  std::vector<std::string> fontPaths;
  for (const FontSource& source : fontSources) fontPaths.push_back(source.path);
  std::vector<std::unique_ptr<SourceFont>> fonts;
  std::vector<SourceFont*> fontList;
  GlyphSources sources;
  int status = OpenFonts(fontSources, plan, &fonts, &fontList, report);
  if (status == kMakeOk) {
    status = OpenSources(fontPaths, fontList, plan, &sources, report);
  }
  if (status != kMakeOk) return status;

  Bytes file;
  FontCounts counts;
  const GlyphSource source = [&sources](int code, CellGlyph* glyph) {
    return sources.Draw(code, glyph);
  };
  if (!BuildInputFont(plan.request, source, &file, &counts)) {
    return MakeUsageError(report,
                          "nothing to write");  // ruled out by ReadRequest
  }
  if (plan.request.kind == FontKind::kDbcs && !plan.selecting && !options.allCodes) {
    counts.leftForRoom = CodesToLeaveBlank(
        plan.request, DistinctStoredCodes(file.data(), file.size(), plan.request.kind,
                            plan.request.station),
        [&sources](int code, uint32_t* c) { return sources.Character(code, c); });
    BlankDbcsGlyphs(plan.request, counts.leftForRoom, &file);
  }
  for (size_t i = 0; i < fonts.size(); ++i) {
    if (!fonts[i]->readFailed()) continue;
    return report->Failed(
        kMakeSourceFailed,
        "vexofont make: font '%s' changed while it was read (it gave fewer "
        "bytes than it held); nothing written\n",
        fontPaths[i].c_str());
  }
  long replaced = 0;
  status = ApplyOverlays(options.overlays, &file, &replaced, report);
  if (status != kMakeOk) return status;
  const std::vector<std::string> dropped =
      plan.selecting ? DroppedCharacterLines(plan.request, plan.mapped, plan.selection,
                                             plan.equivalents, sources)
                     : std::vector<std::string>();
  if (options.strict) {
    status = RefuseWhatIsLost(plan.request, dropped, counts, report);
    if (status != kMakeOk) return status;
  }
  status = WriteFont(outputPath, file, report);
  if (status != kMakeOk) return status;
  std::string summary = Summary(outputPath, plan.request, *fontList[0], counts,
                                sources.counts(), plan.selecting, fontPaths,
                                fontSources[0].face >= 0 ? fontPaths[0] : "");
  summary.insert(summary.size() - 1, OverlaySummary(replaced));
  report->Output("%s", summary.c_str());
  AddSelectionLines(plan, dropped, report);
  AddWarnings(plan.request, file, report);
  return kMakeOk;
}

// `vexofont make --list-faces FONT`.
int ListFaces(const std::vector<std::string>& names, CommandReport* report) {
  if (names.size() != 1) {
    return MakeUsageError(report,
                          "--list-faces takes one font (see vexofont make "
                          "--help)");
  }
  SourceFont font;
  std::vector<std::string> faces;
  long count = 0;
  std::string error;
  if (!font.ListFaces(names[0], &faces, &count, &error)) {
    return report->Failed(kMakeSourceFailed, "vexofont make: font '%s' %s\n",
                          names[0].c_str(), error.c_str());
  }
  for (const std::string& face : faces) report->Output("%s\n", face.c_str());
  if (count > static_cast<long>(faces.size())) {
    report->Output("(%ld faces in all; the first %zu listed)\n", count,
                   faces.size());
  }
  return kMakeOk;
}

}  // namespace

int RunMakeCommand(int argc, char** argv, CommandReport* report) {
  MakeOptions options;
  if (ReadMakeOptions(argc, argv, &options, report) != kMakeOk) {
    return kMakeUsage;
  }
  if (options.help) {
    report->OutputAsIs(MakeHelp());
    return kMakeOk;
  }
  if (options.version) {
    report->Output("vexofont make %s\n", kReleaseVersion);
    return kMakeOk;
  }
  std::vector<std::string> names = options.names;
  // A font that is not a file here may be one of the system's, by its
  // file's name or by the name the desktop shows.
  std::vector<FontSource> fontSources;
  if (!names.empty()) fontSources.push_back({names[0]});
  if (options.listFaces) {
    const int found =
        names.size() == 1 ? FindFontSources(&fontSources, report) : kMakeOk;
    if (found != kMakeOk) return found;
    if (names.size() == 1) names[0] = fontSources[0].path;
    return ListFaces(names, report);
  }
  if (!names.empty()) names[0] = FileOrSystemFont(names[0]);
  if (!options.output.empty()) names.push_back(options.output);
  if (names.size() == 2 && IsGlyphTextFile(names[0])) {
    if (OutputIsAnInput(names[1], names[0], "glyph text", options, report)) {
      return kMakeOutputFailed;
    }
    return MakeFromGlyphText(options, names[0], names[1], report);
  }
  FontPlan plan;
  int status = ReadPlan(options, &plan, report);
  if (status != kMakeOk) return status;
  if (names.size() != 2) {
    return MakeUsageError(report,
                          "expected a source font and an output file "
                          "(see vexofont make --help)");
  }
  for (const std::string& fallback : options.fallbacks) {
    fontSources.push_back({fallback});
  }
  status = FindFontSources(&fontSources, report);
  if (status != kMakeOk) return status;
  names[0] = fontSources[0].path;
  if (OutputIsAnInput(names[1], names[0], "source font", options, report)) {
    return kMakeOutputFailed;
  }
  return MakeFromFonts(fontSources, options, names[1], plan, report);
}

int RunMakeCommand(int argc, char** argv) {
  CommandReport report(CommandReport::To::kConsole);
  return RunMakeCommand(argc, argv, &report);
}

}  // namespace vexo
