#include "vexofont/preview/preview_page.h"

#include <cstdio>
#include <map>
#include <utility>

#include "platform/output_file.h"
#include "vexofont/codepage/character_codes.h"
#include "vexofont/codepage/characters.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/codepage/equivalents.h"
#include "vexofont/fontrules/code_page_bytes.h"
#include "vexofont/preview/preview_page_script.h"
#include "vexofont/preview/preview_picture.h"
#include "vexofont/preview/preview_text.h"

namespace vexo {

namespace {

// `text` as a JavaScript string literal that no "</script>" can end.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == '<') {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", c);
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// A picture's rows as six hexadecimal digits each, bit 23 the leftmost dot.
std::string Rows(const DotPicture& picture) {
  std::string hex;
  char row[8];
  for (int y = 0; y < picture.height; ++y) {
    std::snprintf(row, sizeof(row), "%06x", static_cast<unsigned>(picture.rows[y] >> 8));
    hex += row;
  }
  return hex;
}

// Every character of the code page with the kind and code the preview
// gives it: the single-byte half first, as TextCharacters looks them up;
// then the characters it prints as their equivalents, with the equivalent.
std::string CharacterMap(uint16_t number) {
  struct Printed {
    int kind;
    int code;
    uint32_t equivalent;
  };
  std::map<uint32_t, Printed> map;
  for (FontKind kind : {FontKind::kSbcs, FontKind::kDbcs}) {
    const CodePage* page = FindCodePage(kind, std::to_string(number));
    if (page == nullptr) continue;
    for (const CodedCharacter& coded : CodesAndCharacters(*page)) {
      map.emplace(coded.character,
                  Printed{kind == FontKind::kDbcs ? 2 : 1, coded.code, 0});
    }
  }
  for (uint32_t character : CharactersWithEquivalents()) {
    Equivalent equivalent;
    FontKind kind = FontKind::kNone;
    int code = 0;
    if (map.count(character) == 0 &&
        EquivalentInPrinterCodePage(number, character, &equivalent, &kind, &code)) {
      map[character] = {kind == FontKind::kDbcs ? 2 : 1, code, equivalent.character};
    }
  }
  std::string out = "{";
  for (const auto& [character, printed] : map) {
    out += std::to_string(character) + ":[" + std::to_string(printed.kind) + "," +
           std::to_string(printed.code) +
           (printed.equivalent != 0 ? "," + std::to_string(printed.equivalent) : "") +
           "],";
  }
  if (out.size() > 1) out.pop_back();
  return out + "}";
}

std::string Glyphs(const ShownFont& font) {
  std::string out = "{";
  for (const ShownGlyph& glyph : font.glyphs) {
    const int key = (glyph.kind == FontKind::kDbcs ? 65536 : 0) + glyph.code;
    out += std::to_string(key) + ":[\"" +
           (glyph.thermal ? Rows(glyph.thermalDots) : "") + "\",\"" +
           (glyph.impact ? Rows(glyph.impactDots) : "") + "\"],";
  }
  if (out.size() > 1) out.pop_back();
  return out + "}";
}

// The text box's text: the characters, or for bytes those of printable
// ASCII as they are and the others as \xNN escapes.
std::string BoxText(const std::vector<TextCharacter>& text) {
  std::string box;
  for (const TextCharacter& c : text) {
    if (c.offset < 0 || c.newline || c.tab) {
      box += Utf8(c.character);
      continue;
    }
    for (int k = c.rawLength - 1; k >= 0; --k) {
      const int b = (c.raw >> (8 * k)) & 0xFF;
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\x%02x", b);
      box += b >= 0x20 && b < 0x7F && b != '\\' ? std::string(1, char(b)) : escape;
    }
  }
  return box;
}

std::string RangesJson(const ByteRange (&ranges)[kRangeSlots]) {
  std::string out = "[";
  for (const ByteRange& range : ranges) {
    if (range.first == 0) continue;
    out += (out.size() > 1 ? ",[" : "[") + std::to_string(range.first) + "," +
           std::to_string(range.last) + "]";
  }
  return out + "]";
}

// The lead and trail byte ranges of a double-byte code page, as JSON.
std::string ByteRanges(uint16_t codePage) {
  const DbcsCodePageBytes* page = FindDbcsCodePageBytes(codePage);
  if (page == nullptr) return "lead:[],trail:[],";
  return "lead:" + RangesJson(page->lead) + ",trail:" + RangesJson(page->trail) + ",";
}

std::string Data(const ShownFont& font, const std::vector<TextCharacter>& text,
                 const std::vector<StationPicture>& pictures,
                 const StationSetting settings[2], uint16_t codePage,
                 bool sideBySide) {
  const OutputParameters& p = font.parameters;
  const std::string initial = BoxText(text);
  const bool bytes = !text.empty() && text[0].offset >= 0;
  std::string stations = "[";
  for (const StationPicture& picture : pictures) {
    stations += (stations.size() > 1 ? "," : "") +
                std::to_string(static_cast<int>(picture.station));
  }
  std::string setting = "[";
  for (int i = 0; i < 2; ++i) {
    const Station station = i == 0 ? Station::kThermal : Station::kImpact;
    setting += std::string(i == 0 ? "" : ",") + "{width:" +
               std::to_string(settings[i].width) + ",sbcs:" +
               std::to_string(settings[i].sbcsSpacing) + ",dbcs:" +
               std::to_string(settings[i].dbcsSpacing) + ",gap:" +
               std::to_string(settings[i].lineGap) + ",tab:" +
               std::to_string(settings[i].tabColumns) + ",across:" +
               std::to_string(settings[i].pitch.across) + ",down:" +
               std::to_string(settings[i].pitch.down) + ",wrap:" +
               (settings[i].wrap ? "true" : "false") + ",has:[" +
               (HasGlyphsOf(font, station, FontKind::kSbcs) ? "1," : "0,") +
               (HasGlyphsOf(font, station, FontKind::kDbcs) ? "1]}" : "0]}");
  }
  char numbers[512];
  std::snprintf(numbers, sizeof(numbers),
                "k:{ppm:%d,margin:%d,gap:%d,background:%d,paper:%d,ink:%d,"
                "mark:%d},p:{stw:%d,sth:%d,siw:%d,sih:%d,nine:%d},page:%u,"
                "side:%s,maxLines:%d,",
                kPreviewPixelsPerMm, kPreviewMargin, kPreviewStationGap,
                kPreviewBackground, kPreviewPaper, kPreviewDot, kPreviewMark,
                p.sbcsThermalWidth, p.sbcsThermalHeight, p.sbcsImpactWidth,
                p.sbcsImpactHeight, p.dbcsImpactNineRows, unsigned{codePage},
                sideBySide ? "true" : "false", kMaxPreviewLines);
  return "const D={" + std::string(numbers) + "bytes:" + (bytes ? "true," : "false,") +
         ByteRanges(codePage) + "stations:" + stations +
         "],settings:" + setting + "],text:" + Quoted(initial) +
         ",map:" + CharacterMap(codePage) + ",glyphs:" + Glyphs(font) + "};\n";
}

}  // namespace

std::string PreviewPage(const ShownFont& font,
                        const std::vector<TextCharacter>& text,
                        const std::vector<StationPicture>& pictures,
                        const StationSetting settings[2], uint16_t codePage,
                        bool sideBySide) {
  std::string page =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
      "<title>vexofont preview</title><style>"
      "body{margin:0;font:14px sans-serif}canvas{display:block}"
      "#t{width:40em;height:6em;margin:8px 8px 0}#s{margin:4px 8px 8px}"
      "</style></head><body>"
      "<textarea id=\"t\"></textarea><div id=\"s\"></div>"
      "<canvas id=\"c\"></canvas>\n<script>\n";
  page += Data(font, text, pictures, settings, codePage, sideBySide);
  page += "document.getElementById('t').value = D.text;\n";
  page += kPreviewPageScript;
  page += "</script></body></html>\n";
  return page;
}

}  // namespace vexo
