#include "vexofont/make/make_summary.h"

#include <cstdio>

#include "fontinput/glyph_size.h"
#include "store/glyph_table.h"
#include "vexofont/fontrules/stored_codes.h"
#include "vexofont/make/dropped_characters.h"
#include "vexofont/make/make_request.h"
#include "vexofont/make/table_room.h"

namespace vexo {

std::string Count(long long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

namespace {

// "N clipped (M dots cut off: CODES)", and how many were moved in.
std::string FittingSummary(const FontRequest& request, const FontCounts& counts) {
  std::string text = std::to_string(counts.clippedGlyphs) + " clipped";
  if (counts.clippedGlyphs > 0) {
    text += " (" + Count(counts.clippedDots, "dot", "dots") + " cut off: " +
            CodeRanges(request.kind, counts.clippedCodes, 8) + ")";
  }
  if (counts.movedGlyphs > 0) {
    text += ", " + std::to_string(counts.movedGlyphs) + " moved into the cell";
    if (counts.shrunkGlyphs > 0) {
      text += " (" + std::to_string(counts.shrunkGlyphs) +
              " of them drawn smaller to fit)";
    }
  }
  return text;
}

// "vexofont make: wrote 'OUTPUT' (KIND WxH, code page N, FIRST to LAST,
// RENDERING): ".
std::string SummaryHead(const std::string& output, const FontRequest& request,
                        const SourceFont& font, const GlyphSources::Counts& drawn,
                        const std::string& foundFile) {
  std::string line =
      "vexofont make: wrote '" + output + "' (" +
      KindStationName(request.kind, request.station) + " " +
      std::to_string(request.cell.width) + "x" + std::to_string(request.cell.height) +
      ", code page " + std::to_string(request.codePage->number) + ", " +
      CodeText(request.kind, request.first) + " to " +
      CodeText(request.kind, request.last) + ", " +
      (foundFile.empty() ? "" : "from '" + foundFile + "', ") + font.rendering() + "): ";
  if (PrintedCell(request).width < request.cell.width) {
    line.insert(line.size() - 3, ", drawn on the 8 dot columns the station prints");
  }
  if (drawn.reduced > 0) {
    line.insert(line.size() - 3, ", drawn on " +
                                     std::to_string(DrawingCell(request).height) +
                                     " rows and reduced to " +
                                     std::to_string(request.cell.height));
  }
  return line;
}

}  // namespace

std::string Summary(const std::string& output, const FontRequest& request,
                    const SourceFont& font, const FontCounts& counts,
                    const GlyphSources::Counts& drawn, bool selecting,
                    const std::vector<std::string>& fontPaths,
                    const std::string& foundFile) {
  std::string line = SummaryHead(output, request, font, drawn, foundFile);
  line += Count(counts.written, "glyph", "glyphs") + ", ";
  if (selecting) {
    line += std::to_string(drawn.selected) + " selected (" +
            std::to_string(drawn.selectedMissing) + " of them missing), " +
            std::to_string(drawn.notSelected) + " blank as not selected, ";
  } else {
    line += std::to_string(counts.missing) + " blank because missing";
    if (counts.missing > 0) {
      line += " (" + CodeRanges(request.kind, counts.missingCodes, 8) + ")";
    }
    line += ", ";
  }
  if (drawn.tooLarge > 0) {
    line += std::to_string(drawn.tooLarge) + " blank as too large to draw "
            "(glyph boxes over " + std::to_string(kMaxGlyphBoxEms) + " em), ";
  }
  if (!counts.leftForRoom.empty()) {
    line += std::to_string(counts.leftForRoom.size()) +
            " blank to leave the converter's table room (" +
            CodeRanges(request.kind, counts.leftForRoom, 8) +
            "; --all-codes draws them), ";
  }
  if (counts.belowFirst > 0) {
    line += std::to_string(counts.belowFirst) + " blank below --first, ";
  }
  line += FittingSummary(request, counts);
  if (drawn.cellFillings > 0) {
    line += ", " + std::to_string(drawn.cellFillings) +
            " box drawing and block glyphs drawn edge to edge";
  }
  if (drawn.plainZeros > 0) {
    line += ", the dotted zero drawn plain, a column narrower than O";
  }
  if (fontPaths.size() > 1) {
    line += ", glyphs from";
    for (size_t i = 0; i < fontPaths.size(); ++i) {
      line += (i == 0 ? " '" : ", '") + fontPaths[i] +
              "' " + std::to_string(drawn.fromFont[i]);
    }
  }
  return line + "\n";
}

std::string OverlaySummary(long replaced) {
  if (replaced <= 0) return "";
  return ", " + Count(static_cast<int>(replaced), "glyph", "glyphs") +
         " from overlays";
}

void AddWarnings(const FontRequest& request, const Bytes& file,
                 CommandReport* report) {
  if (request.kind == FontKind::kSbcs && request.station == Station::kImpact) {
    const std::string warning = SbcsImpactPrintProblem(file.data(), file.size());
    if (!warning.empty()) {
      report->Error("vexofont make: warning: %s\n", warning.c_str());
    }
  }
  if (request.kind != FontKind::kDbcs) return;
  // The records the file fills, by the loaders' own rule (no blank DBCS
  // glyph is stored).
  const std::vector<int> codes = DistinctStoredCodes(file.data(), file.size(), request.kind, request.station);
  const int beyond = static_cast<int>(codes.size()) - kGlyphTableSize;
  if (beyond > 0) {
    const int firstDropped = codes[kGlyphTableSize];
    report->Error(
        "vexofont make: warning: %d glyphs are not blank, more than the %d "
        "records the converter's glyph table holds for all files together: "
        "%d codes from 0x%04x on would be dropped (choose characters with "
        "--chars or --text, or narrow --first and --last)\n",
        static_cast<int>(codes.size()), kGlyphTableSize, beyond, firstDropped);
  }
}

}  // namespace vexo
