#include "vexofont/check/listed_fonts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver/config_file.h"
#include "fontinput/font_header.h"
#include "fontinput/glyph_size.h"
#include "platform/output_file.h"
#include "platform/system_names.h"
#include "store/converter_settings.h"
#include "store/glyph_table.h"
#include "vexofont/check/output_name.h"
#include "vexofont/fontrules/code_page_bytes.h"
#include "vexofont/fontrules/code_text.h"
#include "vexofont/fontrules/font_file_cache.h"
#include "vexofont/fontrules/stored_codes.h"

namespace vexo {

namespace {

// The glyph table as the run fills it: codes in the order of the phases.
struct TableTally {
  std::vector<bool> seen = std::vector<bool>(65536, false);
  int records = 0;
  int dropped = 0;
  std::string droppedFile;
  int droppedLine = 0;
  int droppedCode = 0;

  void Store(int high, int low, const std::string& file, int line) {
    const int code = high << 8 | low;
    if (seen[code]) return;
    if (records == kGlyphTableSize) {
      if (droppedFile.empty()) {
        droppedFile = file;
        droppedLine = line;
        droppedCode = code;
      }
      ++dropped;
      return;
    }
    seen[code] = true;
    ++records;
  }
};

// One listed font: its name, the line it is listed on, its list.
struct ListedFont {
  const FontListKey& list;
  std::string name;
  int line;
  std::string Quoted() const { return "'" + name + "'"; }
};

// The keys a font of this kind and size belongs under.
std::string KeysFor(FontKind kind, uint32_t width, uint32_t height) {
  std::string keys;
  for (const FontListKey& list : kFontListKeys) {
    if (list.kind != kind ||
        !GlyphSizeAccepted(kind, list.station, width, height)) {
      continue;
    }
    keys += (keys.empty() ? "" : " or ") + std::string(list.key);
  }
  return keys;
}

// Reads the font (once for all the lines that list it); returns null
// after the finding when it cannot be read.
const CachedFontFile* ReadFont(const ListedFont& font, const std::string& config,
                               FontFileCache* cache, Findings* findings) {
  const CachedFontFile& file = cache->Read(font.name);
  if (file.result == ReadResult::kRead) return &file;
  std::string hint;
  // The converter opens names from the working folder, not from the
  // configuration's.
  const size_t slash = config.find_last_of("/\\");
  if (file.result == ReadResult::kCannotOpen && slash != std::string::npos &&
      !font.name.empty() && font.name[0] != '/') {
    const std::string beside = config.substr(0, slash + 1) + font.name;
    if (std::FILE* opened = OpenRawFileForReading(beside.c_str())) {
      std::fclose(opened);
      hint = " (names are opened from the working folder; '" + beside +
             "' is beside the configuration: run the converter there)";
    }
  }
  findings->Problem(
      font.line,
      font.Quoted() + " cannot be " +
          (file.result == ReadResult::kCannotOpen ? "opened" : "read") +
          (file.error != 0 ? std::string(": ") + std::strerror(file.error)
                           : "") +
          hint);
  return nullptr;
}

// The header of the font's own kind, whole; false after the finding.
bool ReadHeader(const ListedFont& font, const std::vector<uint8_t>& bytes,
                DbcsFontHeader* header, Findings* findings) {
  const FontKind kind = InputFontKind(bytes.data(), bytes.size());
  if (kind == FontKind::kNone) {
    findings->Problem(font.line,
                      font.Quoted() +
                          " is not an input font file (no SBCS or DBCS "
                          "magic): the converter cannot read its header");
    return false;
  }
  const size_t headerSize =
      kind == FontKind::kDbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
  if (bytes.size() < headerSize) {
    findings->Problem(font.line, font.Quoted() + " has a header cut short (" +
                                     std::to_string(bytes.size()) + " of " +
                                     std::to_string(headerSize) + " bytes)");
    return false;
  }
  DecodeFontHeader(bytes.data(), header);
  if (kind == FontKind::kDbcs) DecodeDbcsVectors(bytes.data(), header);
  return true;
}

// The font's kind and size against its list; false after the finding that
// the converter refuses it.
bool CheckKindAndSize(const ListedFont& font, FontKind kind,
                      const DbcsFontHeader& header,
                      const std::vector<uint8_t>& bytes, Findings* findings) {
  const std::string size =
      std::to_string(header.width) + "x" + std::to_string(header.height);
  const std::string keys = KeysFor(kind, header.width, header.height);
  if (kind != font.list.kind) {
    findings->Problem(
        font.line,
        font.Quoted() + " is a" + (kind == FontKind::kSbcs ? "n SBCS" : " DBCS") +
            " font, not " + (font.list.kind == FontKind::kSbcs ? "SBCS" : "DBCS") +
            (keys.empty() ? ", of a size no station takes (" + size + ")"
                          : ": list it under " + keys));
    return false;
  }
  if (!GlyphSizeAccepted(kind, font.list.station, header.width, header.height)) {
    findings->Problem(
        font.line,
        keys.empty() ? font.Quoted() + " is " + size +
                           ", a size no station takes (" +
                           AcceptedSizesOfKind(kind) + ")"
                     : font.Quoted() + " is " + size + ", a size for the " +
                           (font.list.station == Station::kThermal ? "impact"
                                                                   : "thermal") +
                           " station: list it under " + keys);
    return false;
  }
  if (font.list.station == Station::kImpact) {
    const std::string problem =
        kind == FontKind::kSbcs
            ? SbcsImpactPrintProblem(bytes.data(), bytes.size())
            : ImpactPrintProblem(static_cast<int>(header.width),
                                 static_cast<int>(header.height));
    if (!problem.empty()) findings->Problem(font.line, font.Quoted() + ": " + problem);
  }
  return true;
}

// An SBCS font of another code page under a printer set to a double-byte
// one: fine as long as no code it has a glyph for means something else
// there. Returns false when the printer's code page is not double-byte.
bool CheckSingleByteHalf(const ListedFont& font, const DbcsFontHeader& header,
                         const std::vector<uint8_t>& bytes, Findings* findings) {
  if (FindDbcsCodePageBytes(Settings.codePage) == nullptr) return false;
  std::vector<int> codes;
  ForEachStoredCode(
      bytes.data(), bytes.size(), FontKind::kSbcs, font.list.station,
      [](void* c, int, int low) { static_cast<std::vector<int>*>(c)->push_back(low); },
      &codes);
  std::vector<int> lead;
  std::vector<int> other;
  for (int code : codes) {
    if (!ReadDifferently(header.codePage, Settings.codePage, code)) continue;
    (SingleByteIn(Settings.codePage, code) == SingleByte::kLead ? lead : other)
        .push_back(code);
  }
  if (lead.empty() && other.empty()) return true;
  const std::string configured = std::to_string(Settings.codePage);
  std::string text = font.Quoted() + " is code page " +
                     std::to_string(header.codePage) +
                     ", but the printer reads single bytes in code page " +
                     configured + ":";
  if (!other.empty()) {
    text += " its glyphs of " + HexCodeRanges(other, 2, 6) +
            " print where the text means other characters";
    if (!lead.empty()) text += ";";
  }
  if (!lead.empty()) {
    text += " its glyphs of " + HexCodeRanges(lead, 2, 6) +
            " never print (lead bytes of two-byte codes)";
  }
  findings->Problem(font.line, text + " (make it with --code-page " +
                                   configured + ")");
  return true;
}

void CheckCodePage(const ListedFont& font, const DbcsFontHeader& header,
                   const std::vector<uint8_t>& bytes, int codePageLine,
                   Findings* findings) {
  if (header.codePage == Settings.codePage) return;
  if (InputFontKind(bytes.data(), bytes.size()) == FontKind::kSbcs &&
      CheckSingleByteHalf(font, header, bytes, findings)) {
    return;
  }
  const std::string page = std::to_string(header.codePage);
  const std::string configured = std::to_string(Settings.codePage);
  if (codePageLine != 0) {
    findings->Problem(codePageLine,
                      "CodePage " + configured + ", but " + font.Quoted() +
                          " (line " + std::to_string(font.line) +
                          ") is code page " + page +
                          ": the printer reads its codes in code page " +
                          configured);
  } else {
    findings->Problem(font.line,
                      "no CodePage line, so the output carries code page 0, "
                      "but " + font.Quoted() + " is code page " + page);
  }
}

// The glyphs, as the loader reads and stores them.
void CheckGlyphs(const ListedFont& font, FontKind kind,
                 const std::vector<uint8_t>& bytes, TableTally* tally,
                 Findings* findings) {
  struct Context {
    TableTally* tally;
    const ListedFont* font;
  } context = {tally, &font};
  const StoredCodes counts = ForEachStoredCode(
      bytes.data(), bytes.size(), kind, font.list.station,
      [](void* c, int high, int low) {
        const Context& ctx = *static_cast<Context*>(c);
        ctx.tally->Store(high, low, ctx.font->name, ctx.font->line);
      },
      &context);
  if (counts.glyphsRead < counts.glyphsImplied) {
    findings->Problem(font.line,
                      font.Quoted() + " holds " +
                          std::to_string(counts.glyphsRead) +
                          " whole glyphs of the " +
                          std::to_string(counts.glyphsImplied) +
                          " its header names: the body is cut short");
  }
}

// One listed font: what its bytes say against the key it is listed under.
// Returns whether the converter loads it, with its size in *header.
bool CheckFont(const ListedFont& font, const ConfigLines& lines,
               FontFileCache* cache, TableTally* tally, DbcsFontHeader* header,
               SbcsBlanking* blanking, Findings* findings) {
  const CachedFontFile* file =
      ReadFont(font, findings->config(), cache, findings);
  *header = {};
  if (file == nullptr || !ReadHeader(font, file->bytes, header, findings)) {
    blanking->Add(nullptr, 0);
    return false;
  }
  const std::vector<uint8_t>& bytes = file->bytes;
  const FontKind kind = InputFontKind(bytes.data(), bytes.size());
  if (!CheckKindAndSize(font, kind, *header, bytes, findings)) {
    blanking->Add(nullptr, 0);
    return false;
  }
  CheckCodePage(font, *header, bytes, lines.codePageLine(), findings);
  CheckGlyphs(font, kind, bytes, tally, findings);
  blanking->Add(kind == FontKind::kSbcs ? bytes.data() : nullptr, bytes.size());
  return true;
}

struct LoadedFont {
  ListedFont font;
  uint32_t width;
  uint32_t height;
  std::string Size() const {
    return std::to_string(width) + "x" + std::to_string(height);
  }
};

// The output carries one glyph size for a list, the last loaded font's:
// the glyphs of a font of another size print by that size.
void CheckMixedSizes(const std::vector<LoadedFont>& loaded, Findings* findings) {
  if (loaded.empty()) return;
  const LoadedFont& last = loaded.back();
  for (const LoadedFont& font : loaded) {
    if (font.width == last.width && font.height == last.height) continue;
    const bool larger = font.width > last.width || font.height > last.height;
    findings->Problem(
        font.font.line,
        font.font.Quoted() + " is " + font.Size() + ", but the output carries "
            "one " + KindStationName(font.font.list.kind, font.font.list.station) +
            " size, " + last.Size() + " from " + last.font.Quoted() + " (line " +
            std::to_string(last.font.line) + ", the last loaded): its glyphs "
            "print " + (larger ? "cut" : "stretched") + " (give the list "
            "fonts of one size)");
  }
}

// A later SBCS font's blank glyphs over an earlier font's drawn ones: the
// converter stores them, and the codes print blank.
void CheckBlankedCodes(const std::vector<ListedFont>& fonts,
                       const SbcsBlanking& blanking, Findings* findings) {
  for (const BlankedCodes& found : blanking.Found()) {
    const ListedFont& drawn = fonts[found.drawnBy];
    const ListedFont& blank = fonts[found.blankedBy];
    findings->Problem(
        blank.line,
        blank.Quoted() + " has blank glyphs for " +
            HexCodeRanges(found.codes, 2, 8) + ", which " + drawn.Quoted() +
            " (line " + std::to_string(drawn.line) + ") draws: the later " +
            "font's blank glyphs are stored, and they print blank (list " +
            blank.Quoted() + " first, or make it with --first and --last " +
            "that leave them out)");
  }
}

}  // namespace

void CheckListedFonts(const ConfigLines& lines, Findings* findings) {
  TableTally tally;
  FontFileCache cache;
  int files = 0;
  for (int l = 0; l < kFontListCount; ++l) {
    const FontListKey& list = kFontListKeys[l];
    std::vector<LoadedFont> loaded;
    std::vector<ListedFont> listed;
    SbcsBlanking blanking(list.station);
    for (int i = 0; i < list.Count(); ++i) {
      ++files;
      const ListedFont font = {list, ConfigNameAsName(list.Names()[i]),
                               lines.LineOfFile(l, i)};
      listed.push_back(font);
      DbcsFontHeader header;
      if (CheckFont(font, lines, &cache, &tally, &header, &blanking, findings)) {
        loaded.push_back({font, header.width, header.height});
      }
    }
    CheckMixedSizes(loaded, findings);
    if (list.kind == FontKind::kSbcs) CheckBlankedCodes(listed, blanking, findings);
  }
  if (files == 0) {
    findings->Problem("no font file listed: the output holds no glyph");
  }
  CheckOutputName(lines, findings);
  if (tally.dropped > 0) {
    findings->Problem(
        tally.droppedLine,
        "the glyph table is full: '" + tally.droppedFile +
            "' loses its codes from " +
            HexCode(static_cast<unsigned long>(tally.droppedCode),
                    tally.droppedCode > 0xFF ? 4 : 2) +
            " on, " + std::to_string(tally.dropped) + " glyphs past the " +
            std::to_string(kGlyphTableSize) +
            " records (choose fewer characters, e.g. vexofont make --chars)");
  }
  findings->Info(std::to_string(files) +
                 (files == 1 ? " font file, " : " font files, ") +
                 std::to_string(tally.records) + " of the " +
                 std::to_string(kGlyphTableSize) + " glyph records filled");
}

}  // namespace vexo
