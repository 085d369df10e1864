#include "vexofont/show/codes_not_stored.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "driver/config_file.h"
#include "fontinput/font_header.h"
#include "fontinput/glyph_size.h"
#include "platform/output_file.h"
#include "store/converter_settings.h"
#include "vexofont/fontrules/font_file_cache.h"
#include "vexofont/fontrules/stored_codes.h"
#include "vexofont/show/font_summary.h"

namespace vexo {

namespace {

using CodeSet = std::vector<bool>;

void IgnoreConfigLine(void*, const ConfigLine&) {}

// The listed font's bytes, when the converter loads it: the list's kind, a
// whole header, a size the list's station takes.
bool ReadLoadedFont(const FontListKey& list, const char* name,
                    FontFileCache* cache, const std::vector<uint8_t>** read) {
  const CachedFontFile& file = cache->Read(name);
  const std::vector<uint8_t>* bytes = &file.bytes;
  *read = bytes;
  if (file.result != ReadResult::kRead ||
      InputFontKind(bytes->data(), bytes->size()) != list.kind) {
    return false;
  }
  const size_t headerSize =
      list.kind == FontKind::kDbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
  if (bytes->size() < headerSize) return false;
  DbcsFontHeader header = {};
  DecodeFontHeader(bytes->data(), &header);
  return GlyphSizeAccepted(list.kind, list.station, header.width,
                           header.height);
}

// Adds the line of one listed font; returns how many of its codes the
// file does not hold.
long AddFont(const FontListKey& list, const char* name, const CodeSet& held,
             FontFileCache* cache, SbcsBlanking* blanking,
             CommandReport* report) {
  const std::vector<uint8_t>* read = nullptr;
  const bool loaded = ReadLoadedFont(list, name, cache, &read);
  blanking->Add(loaded && list.kind == FontKind::kSbcs ? read->data() : nullptr,
                loaded ? read->size() : 0);
  if (!loaded) {
    report->Output(
        "  '%s' (%s): not loaded by the converter (see vexofont "
        "check)\n",
        name, list.key);
    return 0;
  }
  const std::vector<uint8_t>& bytes = *read;
  const std::vector<int> codes =
      DistinctStoredCodes(bytes.data(), bytes.size(), list.kind, list.station);
  std::vector<uint16_t> missing;
  for (int code : codes) {
    if (!held[code]) missing.push_back(static_cast<uint16_t>(code));
  }
  std::sort(missing.begin(), missing.end());
  if (missing.empty()) {
    report->Output("  '%s' (%s): %d codes, all in the file\n", name, list.key,
                   static_cast<int>(codes.size()));
  } else {
    report->Output(
        "  '%s' (%s): %d codes, %zu not in the file: %s\n", name, list.key,
        static_cast<int>(codes.size()), missing.size(),
        FormatCodeRanges(missing, list.kind == FontKind::kDbcs ? 4 : 2)
            .c_str());
  }
  return static_cast<long>(missing.size());
}

// The codes of an SBCS list's font that a later font's blank glyphs
// replace in the file.
void AddBlankedCodes(const FontListKey& list, const SbcsBlanking& blanking,
                     CommandReport* report) {
  for (const BlankedCodes& found : blanking.Found()) {
    std::vector<uint16_t> codes(found.codes.begin(), found.codes.end());
    report->Output(
        "  '%s' (%s): %zu of its codes print blank: the later '%s' "
        "has blank glyphs for them, which the converter stores: %s\n",
        list.Names()[found.drawnBy], list.key, codes.size(),
        list.Names()[found.blankedBy], FormatCodeRanges(codes, 2).c_str());
  }
}

}  // namespace

long AddCodesNotStored(const char* config, const ShownFont& font,
                       CommandReport* report) {
  ResetConverterSettings();
  if (ReadConfigFile(config, IgnoreConfigLine, nullptr) != 0) return -1;
  // The codes the file holds, by the kind's record byte.
  CodeSet held[3] = {CodeSet(65536, false), CodeSet(65536, false),
                     CodeSet(65536, false)};
  for (const ShownGlyph& glyph : font.glyphs) {
    if (glyph.kind <= FontKind::kSbcs) {
      held[KindByte(glyph.kind)][glyph.code] = true;
    }
  }
  report->Output("Input fonts of '%s':\n", config);
  FontFileCache cache;
  long missing = 0;
  for (const FontListKey& list : kFontListKeys) {
    SbcsBlanking blanking(list.station);
    for (int i = 0; i < list.Count(); ++i) {
      missing += AddFont(list, list.Names()[i], held[KindByte(list.kind)],
                         &cache, &blanking, report);
    }
    AddBlankedCodes(list, blanking, report);
  }
  report->Output("\n");
  return missing;
}

}  // namespace vexo
