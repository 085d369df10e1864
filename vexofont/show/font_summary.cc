#include "vexofont/show/font_summary.h"

#include <algorithm>

#include "store/glyph_table.h"

namespace vexo {

namespace {

// Digits a code needs: 2 for SBCS codes up to ff, else 4.
int CodeDigits(const ShownFont& font, FontKind kind) {
  if (kind == FontKind::kDbcs) return 4;
  for (const ShownGlyph& glyph : font.glyphs) {
    if (glyph.kind == kind && glyph.code > 0xFF) return 4;
  }
  return 2;
}

std::vector<uint16_t> CodesOf(const ShownFont& font, FontKind kind,
                              bool thermal) {
  std::vector<uint16_t> codes;
  for (const ShownGlyph& glyph : font.glyphs) {
    if (glyph.kind == kind && (thermal ? glyph.thermal : glyph.impact)) {
      codes.push_back(glyph.code);
    }
  }
  return codes;
}

void AddPairs(CommandReport* report, const uint8_t* pairs, int count) {
  for (int i = 0; i < count; ++i) {
    report->Output("%s%02x.%02x", i == 0 ? "" : " ", pairs[2 * i],
                   pairs[2 * i + 1]);
  }
  report->Output("\n");
}

void AddCounts(CommandReport* report, const ShownFont& font, FontKind kind,
               const char* label) {
  int records = 0;
  int thermal = 0;
  int impact = 0;
  for (const ShownGlyph& glyph : font.glyphs) {
    if (glyph.kind != kind) continue;
    ++records;
    thermal += glyph.thermal;
    impact += glyph.impact;
  }
  report->Output("  %-22s%d: thermal %d, impact %d\n", label, records, thermal,
                 impact);
}

void AddCodes(CommandReport* report, const ShownFont& font, FontKind kind,
              bool thermal, const char* label) {
  report->Output(
      "  %-22s%s\n", label,
      FormatCodeRanges(CodesOf(font, kind, thermal), CodeDigits(font, kind))
          .c_str());
}

void AddOutputSummary(CommandReport* report, const ShownFont& font) {
  const OutputParameters& p = font.parameters;
  report->Output("  %-22s%s\n", "Date:", p.date.c_str());
  report->Output("  %-22s%u\n", "Code page:", p.codePage);
  report->Output("  %-22s%u x %u\n", "SBCS thermal size:", p.sbcsThermalWidth,
                 p.sbcsThermalHeight);
  report->Output("  %-22s%u x %u\n", "SBCS impact size:", p.sbcsImpactWidth,
                 p.sbcsImpactHeight);
  report->Output("  %-22s%u\n", "SBCS spacing:", p.sbcsSpacing);
  report->Output("  %-22s%u\n", "DBCS spacing:", p.dbcsSpacing);
  report->Output("  %-22s%u (impact glyphs %d rows)\n",
                 "DBCS nine rows flag:", p.dbcsImpactNineRows,
                 p.dbcsImpactNineRows == 1 ? 9 : 16);
  report->Output("  %-22s", "Code page vector:");
  AddPairs(report, &p.codePageVector[0][0], p.codePageVectorCount);
  AddCounts(report, font, FontKind::kSbcs, "SBCS glyphs:");
  AddCounts(report, font, FontKind::kDbcs, "DBCS glyphs:");
  AddCodes(report, font, FontKind::kSbcs, true, "SBCS thermal codes:");
  AddCodes(report, font, FontKind::kSbcs, false, "SBCS impact codes:");
  AddCodes(report, font, FontKind::kDbcs, true, "DBCS thermal codes:");
  AddCodes(report, font, FontKind::kDbcs, false, "DBCS impact codes:");
}

void AddInputSummary(CommandReport* report, const ShownFont& font) {
  const InputHeader& h = font.header;
  const bool dbcs = font.fileKind == FontFileKind::kDbcsInput;
  const FontKind kind = dbcs ? FontKind::kDbcs : FontKind::kSbcs;
  report->Output("  %-22s%u\n", "Version:", h.version);
  report->Output("  %-22s%u\n", "Code page:", h.codePage);
  report->Output("  %-22s%x\n", "First char:", h.firstChar);
  report->Output("  %-22s%x\n", "Last char:", h.lastChar);
  report->Output("  %-22s%u x %u\n", "Size:", h.width, h.height);
  if (dbcs) {
    static const char* const kLabels[] = {
        "Code page vector 1:", "Code page vector 2:", "Font vector 1:",
        "Font vector 2:"};
    const uint8_t* const vectors[] = {h.codePageVector1, h.codePageVector2,
                                      h.fontVector1, h.fontVector2};
    for (int v = 0; v < 4; ++v) {
      report->Output("  %-22s", kLabels[v]);
      AddPairs(report, vectors[v], 4);
    }
  }
  report->Output("  %-22s%s\n", "Thermal station:",
                 h.thermalAccepted ? "loads it" : "refuses it");
  report->Output("  %-22s%s\n", "Impact station:",
                 h.impactAccepted ? "loads it" : "refuses it");
  if (!h.thermalAccepted && !h.impactAccepted) return;
  report->Output("  %-22s%zu of %zu bytes each, %zu present\n",
                 "Glyphs in the body:", h.glyphCount, h.glyphSize,
                 font.glyphs.size());
  AddCounts(report, font, kind, "Glyphs stored:");
  if (h.thermalAccepted) {
    AddCodes(report, font, kind, true, "Thermal codes:");
  }
  if (h.impactAccepted) {
    AddCodes(report, font, kind, false, "Impact codes:");
  }
}

}  // namespace

std::string FormatCodeRanges(std::vector<uint16_t> codes, int digits) {
  if (codes.empty()) return "none";
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  std::string text;
  char piece[32];
  for (size_t i = 0; i < codes.size();) {
    size_t j = i;
    while (j + 1 < codes.size() && codes[j + 1] == codes[j] + 1) ++j;
    if (j == i) {
      std::snprintf(piece, sizeof(piece), "%0*x", digits, codes[i]);
    } else {
      std::snprintf(piece, sizeof(piece), "%0*x-%0*x", digits, codes[i],
                    digits, codes[j]);
    }
    if (!text.empty()) text += ' ';
    text += piece;
    i = j + 1;
  }
  return text;
}

void AddFontSummary(CommandReport* report, const char* fileName,
                    const ShownFont& font) {
  static const char* const kKindNames[] = {
      "output font file", "SBCS input font file", "DBCS input font file"};
  report->Output("File '%s': %s, %zu bytes\n", fileName,
                 kKindNames[static_cast<int>(font.fileKind)], font.fileSize);
  if (font.fileKind == FontFileKind::kOutput) {
    AddOutputSummary(report, font);
  } else {
    AddInputSummary(report, font);
  }
}

}  // namespace vexo
