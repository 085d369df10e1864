#include "vexofont/show/label_font.h"

#include <cstring>

namespace vexo {

namespace {

struct LabelChar {
  char c;
  // Seven rows of five dots, "X" set, top row first.
  const char* rows[kLabelGlyphHeight];
};

constexpr LabelChar kChars[] = {
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    {'-', {".....", ".....", ".....", "XXXXX", ".....", ".....", "....."}},
    {'0', {".XXX.", "X...X", "X..XX", "X.X.X", "XX..X", "X...X", ".XXX."}},
    {'1', {"..X..", ".XX..", "..X..", "..X..", "..X..", "..X..", ".XXX."}},
    {'2', {".XXX.", "X...X", "....X", "...X.", "..X..", ".X...", "XXXXX"}},
    {'3', {"XXXXX", "...X.", "..X..", "...X.", "....X", "X...X", ".XXX."}},
    {'4', {"...X.", "..XX.", ".X.X.", "X..X.", "XXXXX", "...X.", "...X."}},
    {'5', {"XXXXX", "X....", "XXXX.", "....X", "....X", "X...X", ".XXX."}},
    {'6', {"..XX.", ".X...", "X....", "XXXX.", "X...X", "X...X", ".XXX."}},
    {'7', {"XXXXX", "....X", "...X.", "..X..", ".X...", ".X...", ".X..."}},
    {'8', {".XXX.", "X...X", "X...X", ".XXX.", "X...X", "X...X", ".XXX."}},
    {'9', {".XXX.", "X...X", "X...X", ".XXXX", "....X", "...X.", ".XX.."}},
    {'A', {".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"}},
    {'B', {"XXXX.", "X...X", "X...X", "XXXX.", "X...X", "X...X", "XXXX."}},
    {'C', {".XXX.", "X...X", "X....", "X....", "X....", "X...X", ".XXX."}},
    {'D', {"XXX..", "X..X.", "X...X", "X...X", "X...X", "X..X.", "XXX.."}},
    {'E', {"XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"}},
    {'F', {"XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "X...."}},
    {'H', {"X...X", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"}},
    {'I', {".XXX.", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."}},
    {'L', {"X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"}},
    {'M', {"X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"}},
    {'N', {"X...X", "XX..X", "X.X.X", "X..XX", "X...X", "X...X", "X...X"}},
    {'O', {".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."}},
    {'P', {"XXXX.", "X...X", "X...X", "XXXX.", "X....", "X....", "X...."}},
    {'R', {"XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"}},
    {'S', {".XXXX", "X....", "X....", ".XXX.", "....X", "....X", "XXXX."}},
    {'T', {"XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."}},
    {'U', {"X...X", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."}},
    {'X', {"X...X", "X...X", ".X.X.", "..X..", ".X.X.", "X...X", "X...X"}},
    {'x', {".....", ".....", "X...X", ".X.X.", "..X..", ".X.X.", "X...X"}},
};
constexpr int kCharCount = sizeof(kChars) / sizeof(kChars[0]);

struct PackedChars {
  uint8_t rows[kCharCount][kLabelGlyphHeight];
};

PackedChars Pack() {
  PackedChars packed = {};
  for (int i = 0; i < kCharCount; ++i) {
    for (int y = 0; y < kLabelGlyphHeight; ++y) {
      for (int x = 0; x < kLabelGlyphWidth; ++x) {
        if (kChars[i].rows[y][x] == 'X') {
          packed.rows[i][y] |= static_cast<uint8_t>(0x10 >> x);
        }
      }
    }
  }
  return packed;
}

}  // namespace

const uint8_t* LabelGlyph(char c) {
  static const PackedChars packed = Pack();
  if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  for (int i = 0; i < kCharCount; ++i) {
    if (kChars[i].c == c) return packed.rows[i];
  }
  return nullptr;
}

int LabelWidth(const char* text, int scale) {
  const int n = static_cast<int>(std::strlen(text));
  return n == 0 ? 0 : (n * kLabelAdvance - 1) * scale;
}

void DrawLabel(GrayImage* image, int x, int y, const char* text, int scale,
               uint8_t shade) {
  for (int i = 0; text[i] != '\0'; ++i) {
    const uint8_t* rows = LabelGlyph(text[i]);
    if (rows == nullptr) continue;
    const int left = x + i * kLabelAdvance * scale;
    for (int dy = 0; dy < kLabelGlyphHeight; ++dy) {
      for (int dx = 0; dx < kLabelGlyphWidth; ++dx) {
        if (rows[dy] & (0x10 >> dx)) {
          image->Fill(left + dx * scale, y + dy * scale, scale, scale, shade);
        }
      }
    }
  }
}

}  // namespace vexo
