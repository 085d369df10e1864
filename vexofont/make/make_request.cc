#include "vexofont/make/make_request.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "fontinput/glyph_size.h"
#include "platform/output_file.h"
#include "vexofont/codepage/characters.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/fontrules/code_text.h"
#include "vexofont/make/cell_size.h"
#include "vexofont/make/glyph_sources.h"
#include "vexofont/make/make_files.h"

namespace vexo {

namespace {

// --pixel-size goes up to this many times the cell's larger side.
constexpr int kMaxPixelSizePerCell = 4;
// SBCS impact fonts up to this many rows are drawn from outlines with
// --fit cap by default; higher ones read as well with the line fit.
constexpr int kMaxCapFitHeight = 12;

// DBCS outline glyphs: a dot is set from this grey (of 255) up.
constexpr int kDbcsGrayThreshold = 80;

// Reads a decimal number from `low` to `high`, a minus sign allowed.
bool ParseNumber(const std::string& text, int low, int high, int* value) {
  size_t pos = text.size() > 1 && text[0] == '-' ? 1 : 0;
  if (pos >= text.size() || text.size() - pos > 7) return false;
  int result = 0;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return false;
    result = result * 10 + (text[pos] - '0');
  }
  if (text[0] == '-') result = -result;
  if (result < low || result > high) return false;
  *value = result;
  return true;
}

// Reads a code: hexadecimal, with or without 0x, as every code is written
// in vexofont; at most 0xFFFF.
bool ParseCode(const std::string& text, int* code) {
  unsigned long value = 0;
  if (!ParseHexCode(text, 0xFFFF, &value)) return false;
  *code = static_cast<int>(value);
  return true;
}

// The first and last code of a DBCS code page.
void CodePageBounds(const CodePage& page, int* first, int* last) {
  int leadLow = 0xFF, leadHigh = 0, trailLow = 0xFF, trailHigh = 0;
  for (int i = 0; i < kRangeSlots; ++i) {
    if (page.lead[i].first != 0) {
      leadLow = std::min<int>(leadLow, page.lead[i].first);
      leadHigh = std::max<int>(leadHigh, page.lead[i].last);
    }
    if (page.trail[i].first != 0) {
      trailLow = std::min<int>(trailLow, page.trail[i].first);
      trailHigh = std::max<int>(trailHigh, page.trail[i].last);
    }
  }
  *first = leadLow << 8 | trailLow;
  *last = leadHigh << 8 | trailHigh;
}

int ReadKindAndStation(const MakeOptions& options, FontRequest* request,
                       CommandReport* report) {
  if (options.kind.empty()) {
    return MakeUsageError(report, "--kind is missing (sbcs or dbcs)");
  }
  if (options.kind != "sbcs" && options.kind != "dbcs") {
    return MakeUsageError(report,
                          "unknown kind '" + options.kind + "' (sbcs or dbcs)");
  }
  request->kind = options.kind == "sbcs" ? FontKind::kSbcs : FontKind::kDbcs;
  if (options.station.empty()) {
    return MakeUsageError(report, "--station is missing (thermal or impact)");
  }
  if (options.station != "thermal" && options.station != "impact") {
    return MakeUsageError(report, "unknown station '" + options.station +
                                      "' (thermal or impact)");
  }
  request->station =
      options.station == "thermal" ? Station::kThermal : Station::kImpact;
  return kMakeOk;
}

int ReadSize(const MakeOptions& options, FontRequest* request,
             CommandReport* report) {
  if (options.size.empty())
    return MakeUsageError(report, "--size is missing (WxH)");
  if (!ParseCellSize(options.size, &request->cell)) {
    return MakeUsageError(report, "size '" + options.size + "' is not WxH");
  }
  if (!CellSizeAccepted(request->kind, request->station, request->cell)) {
    return MakeUsageError(
        report, std::string("the converter does not take ") +
                    KindStationName(request->kind, request->station) +
                    " fonts of " + options.size + " (" +
                    AcceptedCellSizes(request->kind, request->station) + ")");
  }
  if (request->station != Station::kImpact) return kMakeOk;
  return CheckImpactPrint(request->kind, request->cell, options.forceSize,
                          report);
}

int ReadCodePage(const MakeOptions& options, CodeMap* map, CodePage* mappedPage,
                 FontRequest* request, CommandReport* report) {
  if (options.codePage.empty())
    return MakeUsageError(report, "--code-page is missing");
  if (!options.map.empty()) {
    // A user's code page: any number for the header, the map's codes.
    int number = 0;
    if (!ParseNumber(options.codePage, 0, 0xFFFF, &number)) {
      return MakeUsageError(report,
                            "with --map, --code-page takes the number the "
                            "header carries (0 to 65535), not '" +
                                options.codePage + "'");
    }
    std::string error;
    if (!map->Read(options.map, request->kind, &error)) {
      return report->Failed(kMakeSourceFailed, "%s\n", error.c_str());
    }
    *mappedPage = map->AsCodePage(static_cast<uint16_t>(number));
    request->codePage = mappedPage;
  } else {
    request->codePage = FindCodePage(request->kind, options.codePage);
  }
  if (request->codePage == nullptr) {
    return MakeUsageError(
        report, "unknown code page '" + options.codePage + "' for " +
                    (request->kind == FontKind::kSbcs ? "SBCS" : "DBCS") +
                    " fonts (" + ListCodePages(request->kind) + ")");
  }
  return kMakeOk;
}

// --first and --last, or the kind's whole range.
int ReadBounds(const MakeOptions& options, FontRequest* request,
               CommandReport* report) {
  if (request->kind == FontKind::kSbcs) {
    request->first = 0x20;
    request->last = 0xFF;
  } else {
    CodePageBounds(*request->codePage, &request->first, &request->last);
  }
  const int maxCode = request->kind == FontKind::kSbcs ? 0xFF : 0xFFFF;
  struct Bound {
    const char* name;
    const std::string& text;
    int* code;
  };
  const Bound bounds[] = {{"--first", options.first, &request->first},
                          {"--last", options.last, &request->last}};
  for (const Bound& bound : bounds) {
    if (bound.text.empty()) continue;
    if (!ParseCode(bound.text, bound.code)) {
      return MakeUsageError(report,
                            std::string(bound.name) + " '" + bound.text +
                                "' is not a code (hexadecimal, 0x optional, at "
                                "most ffff)");
    }
    if (*bound.code > maxCode) {
      return MakeUsageError(report, std::string(bound.name) + " " + bound.text +
                                        " is beyond 0xff, the last SBCS code");
    }
  }
  if (request->first > request->last) {
    return MakeUsageError(report, "--first " +
                                      CodeText(request->kind, request->first) +
                                      " is above --last " +
                                      CodeText(request->kind, request->last));
  }
  if (request->kind == FontKind::kDbcs && !DbcsRangeHasCodes(*request)) {
    return MakeUsageError(
        report, "code page " + std::to_string(request->codePage->number) +
                    " has no code from " +
                    CodeText(request->kind, request->first) + " to " +
                    CodeText(request->kind, request->last));
  }
  return kMakeOk;
}

// --render and --hinting.
int ReadRasterOptions(const MakeOptions& options, RenderOptions* render,
                      CommandReport* report) {
  if (!options.render.empty()) {
    int threshold = 0;
    if (options.render == "mono") {
      render->render = RenderOptions::Render::kMono;
    } else if (options.render.rfind("gray:", 0) == 0 &&
               ParseNumber(options.render.substr(5), 1, 255, &threshold)) {
      render->render = RenderOptions::Render::kGray;
      render->threshold = threshold;
    } else {
      return MakeUsageError(
          report, "--render '" + options.render +
                      "' is neither mono nor gray:N (N from 1 to 255)");
    }
  }
  if (options.hinting.empty()) return kMakeOk;
  if (options.hinting == "none") {
    render->hinting = RenderOptions::Hinting::kNone;
  } else if (options.hinting == "light") {
    render->hinting = RenderOptions::Hinting::kLight;
  } else if (options.hinting == "full") {
    render->hinting = RenderOptions::Hinting::kFull;
  } else {
    return MakeUsageError(report, "--hinting '" + options.hinting +
                                      "' is not none, light or full");
  }
  return kMakeOk;
}

// --pixel-size, --offset and --baseline.
int ReadPlacementOptions(const MakeOptions& options, CellSize cell,
                         RenderOptions* render, CommandReport* report) {
  // Larger sizes put no more than a corner of a glyph on the cell, and cost
  // the square of the size to draw.
  const int maxPixels =
      kMaxPixelSizePerCell * std::max(cell.width, cell.height);
  if (!options.pixelSize.empty() &&
      !ParseNumber(options.pixelSize, 1, maxPixels, &render->pixelSize)) {
    return MakeUsageError(report, "--pixel-size '" + options.pixelSize +
                                      "' is not a number of pixels from 1 to " +
                                      std::to_string(maxPixels) +
                                      " (four times the cell's larger side)");
  }
  if (!options.offset.empty()) {
    const size_t comma = options.offset.find(',');
    if (comma == std::string::npos ||
        !ParseNumber(options.offset.substr(0, comma), -1000, 1000,
                     &render->offsetX) ||
        !ParseNumber(options.offset.substr(comma + 1), -1000, 1000,
                     &render->offsetY)) {
      return MakeUsageError(report,
                            "--offset '" + options.offset +
                                "' is not X,Y (dots right and down, -1000 to "
                                "1000)");
    }
  }
  if (!options.face.empty() &&
      !ParseNumber(options.face, 0, 65535, &render->face)) {
    return MakeUsageError(
        report, "--face '" + options.face +
                    "' is not a face number from 0 to 65535 (vexofont "
                    "make --list-faces FONT lists them)");
  }
  if (!options.baseline.empty() &&
      !ParseNumber(options.baseline, 0, cell.height, &render->baseline)) {
    return MakeUsageError(report, "--baseline '" + options.baseline +
                                      "' is not a row from 0 to " +
                                      std::to_string(cell.height) +
                                      " (the rows above the baseline)");
  }
  return kMakeOk;
}

}  // namespace

CellSize PrintedCell(const FontRequest& request) {
  if (request.kind == FontKind::kSbcs && request.station == Station::kImpact &&
      ImpactPrintOf(request.cell.width, request.cell.height) ==
          ImpactPrint::kFirstColumns) {
    return {8, request.cell.height};
  }
  return request.cell;
}

CellSize DrawingCell(const FontRequest& request) {
  const GlyphSizeRule& nine = kDbcsImpactSizes;
  if (request.kind == FontKind::kDbcs && request.station == Station::kImpact &&
      request.cell.height == static_cast<int>(nine.extraHeight)) {
    return {request.cell.width, static_cast<int>(nine.maxHeight)};
  }
  return request.cell;
}

int CheckImpactPrint(FontKind kind, CellSize cell, bool forced,
                     CommandReport* report) {
  if (forced || ImpactPrintsAsDrawn(cell.width, cell.height)) return kMakeOk;
  const std::string nearest = NearestAsDrawnSizes(kind, cell.width, cell.height);
  return MakeUsageError(
      report, ImpactPrintProblem(cell.width, cell.height) +
                  (nearest.empty()
                       ? ""
                       : "; sizes near it that print as drawn: " + nearest) +
                  " (--force-size makes it all the same)");
}

std::string CodeText(FontKind kind, int code) {
  char text[16];
  std::snprintf(text, sizeof(text), kind == FontKind::kSbcs ? "0x%02x" : "0x%04x",
                code);
  return text;
}

int ReadRenderOptions(const MakeOptions& options, const FontRequest& request,
                      RenderOptions* render, bool* cellFill,
                      CommandReport* report) {
  const CellSize cell = DrawingCell(request);
  // A collection's face is chosen for the code page's language.
  render->codePage = request.codePage->number;
  render->latinLine = request.kind == FontKind::kSbcs;
  if (request.kind == FontKind::kSbcs && request.station == Station::kImpact &&
      cell.height <= kMaxCapFitHeight) {
    // Latin in a few rows: capitals on all but a descender's rows read far
    // better than the whole line squeezed in (bench/legibility).
    render->fit = RenderOptions::Fit::kCap;
  }
  if (request.kind == FontKind::kSbcs && request.station == Station::kImpact) {
    render->widerPercent = kImpactWiderPercent;
    render->capRowsAtMost = kImpactCapRows;
  }
  // Thin strokes drop out of, or break up in, a monochrome rendering: grey
  // keeps them, at either station (bench/legibility).
  render->thinStrokesGray = request.kind == FontKind::kSbcs &&
                            options.render.empty() && options.hinting.empty();
  if (request.kind == FontKind::kDbcs) {
    // Ideographs, kana and hangul: the em square fills the cell, and the
    // light auto-hinter with grey rendering keeps dense strokes apart.
    render->fit = RenderOptions::Fit::kEm;
    render->render = RenderOptions::Render::kGray;
    render->threshold = kDbcsGrayThreshold;
    render->hinting = RenderOptions::Hinting::kLight;
  }
  int status = ReadRasterOptions(options, render, report);
  if (status == kMakeOk && !options.fit.empty()) {
    if (options.fit != "em" && options.fit != "line" && options.fit != "cap") {
      return MakeUsageError(
          report, "--fit '" + options.fit + "' is not line, em or cap");
    }
    render->fit = options.fit == "em"    ? RenderOptions::Fit::kEm
                  : options.fit == "cap" ? RenderOptions::Fit::kCap
                                         : RenderOptions::Fit::kLine;
    // The fit asked for, its capitals as tall as it draws them.
    render->capRowsAtMost = 0;
  }
  if (status == kMakeOk) {
    status = ReadPlacementOptions(options, cell, render, report);
  }
  render->clip = options.clip;
  if (status != kMakeOk || options.cellFill.empty()) return status;
  if (options.cellFill != "drawn" && options.cellFill != "font") {
    return MakeUsageError(report, "--cell-fill '" + options.cellFill +
                                      "' is neither drawn nor font");
  }
  *cellFill = options.cellFill == "drawn";
  return kMakeOk;
}

int ReadRequest(const MakeOptions& options, CodeMap* map, CodePage* mappedPage,
                FontRequest* request, CommandReport* report) {
  int status = ReadKindAndStation(options, request, report);
  if (status == kMakeOk) status = ReadSize(options, request, report);
  if (status == kMakeOk) {
    status = ReadCodePage(options, map, mappedPage, request, report);
  }
  if (status == kMakeOk) status = ReadBounds(options, request, report);
  return status;
}

int ReadSelection(const MakeOptions& options, std::set<uint32_t>* selection,
                  CommandReport* report) {
  size_t badAt = 0;
  if (!options.text.empty() &&
      !CharactersOfText(options.text, selection, &badAt)) {
    return MakeUsageError(
        report, "--text is not UTF-8 (byte " + std::to_string(badAt) + ")");
  }
  if (options.chars.empty()) return kMakeOk;
  const char* path = options.chars.c_str();
  switch (CharactersOfFile(path, selection, &badAt)) {
    case CharactersFile::kRead:
      return kMakeOk;
    case CharactersFile::kCannotRead:
      return report->Failed(kMakeSourceFailed,
                            "vexofont make: cannot read --chars file '%s'\n",
                            path);
    case CharactersFile::kTooLong:
      return report->Failed(
          kMakeSourceFailed,
          "vexofont make: --chars file '%s' is longer than %zu bytes\n", path,
          kMaxCharsFileSize);
    case CharactersFile::kNotUtf8:
      break;
  }
  return report->Failed(
      kMakeSourceFailed,
      "vexofont make: --chars file '%s' is not UTF-8 (byte %zu)\n", path,
      badAt);
}

}  // namespace vexo
