#include "vexofont/make/dropped_characters.h"

#include <cstdio>

#include "vexofont/codepage/character_codes.h"
#include "vexofont/codepage/characters.h"
#include "vexofont/codepage/equivalents.h"
#include "vexofont/fontrules/code_text.h"
#include "vexofont/make/make_request.h"

namespace vexo {

namespace {

bool InRange(const FontRequest& request, int code) {
  return code >= request.first && code <= request.last;
}

// For an SBCS font: "; its full-width form U+FFE5 '￥' is in the DBCS code
// page, code 0xa3a4 (make it into a DBCS font)", or empty.
std::string Suggestion(const FontRequest& request, uint32_t character) {
  if (request.kind != FontKind::kSbcs) return "";
  const CodePage* dbcs =
      FindCodePage(FontKind::kDbcs, std::to_string(request.codePage->number));
  Equivalent equivalent;
  int code = 0;
  if (dbcs == nullptr || !EquivalentInCodePage(*dbcs, character, &equivalent, &code)) {
    return "";
  }
  return "; " + EquivalentName(equivalent) + " is in the DBCS code page, code " +
         CodeText(FontKind::kDbcs, code) + " (make it into a DBCS font)";
}

// Whether the code page's other half holds `character`: the text's other
// font draws it (the digits of "宫保鸡丁 38.00" are the SBCS font's).
bool OtherHalfHolds(const FontRequest& request, uint32_t character) {
  const CodePage* other = FindCodePage(
      request.kind == FontKind::kSbcs ? FontKind::kDbcs : FontKind::kSbcs,
      std::to_string(request.codePage->number));
  int code = 0;
  return other != nullptr && CodeOfCharacter(*other, character, &code);
}

}  // namespace

std::string CodeRanges(FontKind kind, const std::vector<int>& codes, int most) {
  return HexCodeRanges(codes, kind == FontKind::kSbcs ? 2 : 4, most);
}

std::map<uint32_t, Equivalent> SelectedEquivalents(const FontRequest& request,
                                                   const std::set<uint32_t>& selection) {
  std::map<uint32_t, Equivalent> found;
  for (uint32_t c : selection) {
    int code = 0;
    Equivalent equivalent;
    if (CodeOfCharacter(*request.codePage, c, &code) || OtherHalfHolds(request, c)) continue;
    if (EquivalentInCodePage(*request.codePage, c, &equivalent, &code) &&
        InRange(request, code)) {
      found[c] = equivalent;
    }
  }
  return found;
}

std::vector<std::string> EquivalentLines(const FontRequest& request,
                                         const std::map<uint32_t, Equivalent>& equivalents) {
  std::vector<std::string> lines;
  for (const auto& [c, equivalent] : equivalents) {
    int code = 0;
    CodeOfCharacter(*request.codePage, equivalent.character, &code);
    lines.push_back(CharacterName(c) + " is not in code page " +
                    std::to_string(request.codePage->number) + ": drawn as " +
                    EquivalentName(equivalent) + ", code " + CodeText(request.kind, code));
  }
  return lines;
}

std::vector<std::string> DroppedCharacterLines(
    const FontRequest& request, bool mapped, const std::set<uint32_t>& selection,
    const std::map<uint32_t, Equivalent>& equivalents, const GlyphSources& sources) {
  std::vector<std::string> lines;
  const std::string page = "code page " + std::to_string(request.codePage->number);
  for (uint32_t c : selection) {
    const auto missing = sources.selectedMissing().find(c);
    if (missing != sources.selectedMissing().end()) {
      const bool tooLarge = sources.selectedTooLarge().count(c) != 0;
      lines.push_back((tooLarge ? "no font draws " : "no font has ") +
                      CharacterName(c) + " (code " +
                      CodeText(request.kind, missing->second) + ")" +
                      (tooLarge ? ": its glyph box passes " +
                                      std::to_string(kMaxGlyphBoxEms) + " em"
                                : ""));
      continue;
    }
    if (sources.reached().count(c) != 0 || equivalents.count(c) != 0) continue;
    if (!mapped && OtherHalfHolds(request, c)) continue;
    int code = 0;
    if (!mapped && CodeOfCharacter(*request.codePage, c, &code)) {
      lines.push_back(CharacterName(c) + " is code " +
                      CodeText(request.kind, code) + " of " + page +
                      ", outside the codes written (" +
                      CodeText(request.kind, request.first) + " to " +
                      CodeText(request.kind, request.last) + ")");
      continue;
    }
    lines.push_back(CharacterName(c) + " is not in " +
                    (mapped ? std::string("the --map code page") : page) +
                    (mapped ? "" : Suggestion(request, c)));
  }
  return lines;
}

}  // namespace vexo
