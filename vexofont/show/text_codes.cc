#include "vexofont/show/text_codes.h"

#include <set>

#include "vexofont/codepage/character_codes.h"
#include "vexofont/codepage/characters.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/fontrules/code_text.h"

namespace vexo {

namespace {

bool HasGlyph(const ShownFont& font, FontKind kind, int code) {
  for (const ShownGlyph& glyph : font.glyphs) {
    if (glyph.kind == kind && glyph.code == code) return true;
  }
  return false;
}

}  // namespace

bool TextCodePage(const std::string& option, const ShownFont& font,
                  uint16_t* codePage, std::string* error) {
  if (option.empty()) {
    const uint16_t own = font.fileKind == FontFileKind::kOutput
                             ? font.parameters.codePage
                             : font.header.codePage;
    const std::string number = std::to_string(own);
    if (FindCodePage(FontKind::kSbcs, number) == nullptr &&
        FindCodePage(FontKind::kDbcs, number) == nullptr) {
      *error = "the file is code page " + number +
               ", which vexofont does not know: give --code-page";
      return false;
    }
    *codePage = own;
    return true;
  }
  const CodePage* sbcs = FindCodePage(FontKind::kSbcs, option);
  const CodePage* dbcs = FindCodePage(FontKind::kDbcs, option);
  if (sbcs == nullptr && dbcs == nullptr) {
    *error = "unknown code page '" + option + "' (" +
             ListCodePages(FontKind::kSbcs, true) + ")";
    return false;
  }
  *codePage = sbcs != nullptr ? sbcs->number : dbcs->number;
  return true;
}

bool CodesOfText(const std::string& text, uint16_t codePage,
                 const ShownFont& font, std::vector<CodeRange>* codes,
                 std::vector<std::string>* notes, std::string* error) {
  std::vector<uint32_t> points;
  size_t bad = 0;
  if (!DecodeUtf8(text, &points, &bad)) {
    *error = "--text is not UTF-8 (byte " + std::to_string(bad) + ")";
    return false;
  }
  std::set<uint32_t> seen;
  for (uint32_t c : points) {
    if (IsControlCharacter(c) || !seen.insert(c).second) continue;
    int code = -1;
    FontKind kind = FontKind::kNone;
    if (!CodeInCodePage(codePage, c, &kind, &code)) {
      notes->push_back(CharacterName(c) + " is not in code page " +
                       std::to_string(codePage));
      continue;
    }
    if (!HasGlyph(font, kind, code)) {
      notes->push_back(CharacterName(c) + " is code " +
                       HexCode(static_cast<unsigned long>(code),
                               kind == FontKind::kSbcs ? 2 : 4) +
                       ", which the file has no glyph for");
      continue;
    }
    codes->push_back({static_cast<uint16_t>(code), static_cast<uint16_t>(code)});
  }
  return true;
}

}  // namespace vexo
