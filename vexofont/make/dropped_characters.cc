#include "vexofont/make/dropped_characters.h"

#include <cstdio>

#include "fontinput/code_text.h"
#include "vexofont/codepage/character_codes.h"
#include "vexofont/codepage/characters.h"
#include "vexofont/make/make_request.h"

namespace {

// The other width of a character that has a full-width or half-width
// compatibility form (¥ and ￥, A and Ａ); 0 when there is none.
uint32_t OtherWidth(uint32_t c) {
  struct Pair {
    uint32_t narrow;
    uint32_t wide;
  };
  static const Pair kPairs[] = {{0x20, 0x3000},   {0xA2, 0xFFE0},
                                {0xA3, 0xFFE1},   {0xAC, 0xFFE2},
                                {0xAF, 0xFFE3},   {0xA6, 0xFFE4},
                                {0xA5, 0xFFE5},   {0x20A9, 0xFFE6}};
  if (c >= 0x21 && c <= 0x7E) return c + 0xFEE0;
  if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFEE0;
  for (const Pair& pair : kPairs) {
    if (c == pair.narrow) return pair.wide;
    if (c == pair.wide) return pair.narrow;
  }
  return 0;
}

bool InRange(const FontRequest& request, int code) {
  return code >= request.first && code <= request.last;
}

// ": its full-width form U+FFE5 '￥' is, code 0xa3a4", or empty.
std::string Suggestion(const FontRequest& request, uint32_t character) {
  const uint32_t other = OtherWidth(character);
  if (other == 0) return "";
  const char* form = other > character ? "full-width" : "half-width";
  int code = 0;
  if (CodeOfCharacter(*request.codePage, other, &code) && InRange(request, code)) {
    return std::string("; its ") + form + " form " + CharacterName(other) +
           " is, code " + CodeText(request.kind, code);
  }
  if (request.kind != FontKind::kSbcs) return "";
  const CodePage* dbcs =
      FindCodePage(FontKind::kDbcs, std::to_string(request.codePage->number));
  if (dbcs == nullptr || !CodeOfCharacter(*dbcs, other, &code)) return "";
  return std::string("; its ") + form + " form " + CharacterName(other) +
         " is in the DBCS code page, code " + CodeText(FontKind::kDbcs, code) +
         " (make it into a DBCS font)";
}

}  // namespace

std::string CodeRanges(FontKind kind, const std::vector<int>& codes, int most) {
  return HexCodeRanges(codes, kind == FontKind::kSbcs ? 2 : 4, most);
}

std::vector<std::string> DroppedCharacterLines(
    const FontRequest& request, bool mapped,
    const std::set<uint32_t>& selection, const GlyphSources& sources) {
  std::vector<std::string> lines;
  const std::string page = "code page " + std::to_string(request.codePage->number);
  for (uint32_t c : selection) {
    const auto missing = sources.selectedMissing().find(c);
    if (missing != sources.selectedMissing().end()) {
      const bool too_large = sources.selectedTooLarge().count(c) != 0;
      lines.push_back((too_large ? "no font draws " : "no font has ") +
                      CharacterName(c) + " (code " +
                      CodeText(request.kind, missing->second) + ")" +
                      (too_large ? ": its glyph box passes " +
                                       std::to_string(kMaxGlyphBoxEms) + " em"
                                 : ""));
      continue;
    }
    if (sources.reached().count(c) != 0) continue;
    int code = 0;
    // The other half of a double-byte code page holds it: the text's
    // other font draws it (the digits of "宫保鸡丁 38.00" are the SBCS
    // font's).
    const CodePage* other = FindCodePage(
        request.kind == FontKind::kSbcs ? FontKind::kDbcs : FontKind::kSbcs,
        std::to_string(request.codePage->number));
    if (!mapped && other != nullptr && CodeOfCharacter(*other, c, &code)) {
      continue;
    }
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
