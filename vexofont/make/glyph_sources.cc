#include "vexofont/make/glyph_sources.h"

#include "vexofont/make/accent_forms.h"
#include "vexofont/make/cell_fill.h"
#include "vexofont/make/figure_forms.h"
#include "vexofont/make/row_reduction.h"

namespace vexo {
namespace {

// Glyphs drawn from outlines into a few rows as the hand-drawn strikes
// draw them (bench/legibility): a dotted zero plain and a column narrower
// than the O (true: the zero's dot taken out), a one-dot comma given a
// head, an acute or grave accent snapped upright slanted again, dots far
// over their letter brought down to it.
bool DrawnForSmallCells(uint32_t character, int width, GlyphRows* rows) {
  const Accent accent = AccentOf(character);
  SlantAccent(width, accent, rows);
  LowerDots(accent, rows);
  if (character == U',') CommaWithHead(width, rows);
  return character == U'0' && NarrowPlainZero(width, rows);
}

}  // namespace

bool GlyphSources::Open(const CodePage& codePage, const CodeMap* map,
                        const std::vector<SourceFont*>& fonts, CellSize cell,
                        int* font) {
  map_ = map;
  fonts_ = fonts;
  cell_ = cell;
  counts_ = Counts();
  counts_.fromFont.assign(fonts.size(), 0);
  toUnicode_ = std::make_unique<CodeMapper>();
  if (map_ == nullptr) toUnicode_->Open(codePage, FontCharset());
  toFont_.clear();
  for (size_t i = 0; i < fonts.size(); ++i) {
    auto mapper = std::make_unique<CodeMapper>();
    const bool opened = map_ != nullptr
                            ? mapper->OpenFromUnicode(fonts[i]->charset())
                            : mapper->Open(codePage, fonts[i]->charset());
    if (!opened) {
      *font = static_cast<int>(i);
      return false;
    }
    toFont_.push_back(std::move(mapper));
  }
  return true;
}

void GlyphSources::Select(const std::set<uint32_t>& characters) {
  selecting_ = true;
  selected_ = characters;
}

bool GlyphSources::Character(int code, uint32_t* character) {
  if (map_ != nullptr) return map_->Find(code, character);
  return toUnicode_->Map(code, character);
}

bool GlyphSources::Draw(int code, CellGlyph* glyph) {
  glyph->rows.assign(cell_.height, 0);
  glyph->clippedDots = 0;
  glyph->moved = false;
  glyph->shrunk = false;
  uint32_t character = 0;
  const bool known = Character(code, &character);
  if (selecting_) {
    if (!known || selected_.count(character) == 0) {
      ++counts_.notSelected;
      return false;
    }
    ++counts_.selected;
    reached_.insert(character);
  }
  if (drawCellFillings_ && known &&
      DrawCellFilling(character, cell_, &glyph->rows)) {
    ++counts_.cellFillings;
    return true;
  }
  bool tooLarge = false;
  for (size_t i = 0; i < fonts_.size(); ++i) {
    uint32_t fontCode = 0;
    const bool mapped =
        map_ != nullptr
            ? known && toFont_[i]->Map(static_cast<int>(character), &fontCode)
            : toFont_[i]->Map(code, &fontCode);
    if (mapped && fonts_[i]->DrawGlyph(fontCode, glyph)) {
      ++counts_.fromFont[i];
      if (fonts_[i]->cell().height > cell_.height) {
        glyph->rows = ReduceRows(glyph->rows, cell_.height);
        ++counts_.reduced;
      }
      // A strike's glyphs are the strike's.
      if (known && fonts_[i]->outlines() &&
          DrawnForSmallCells(character, cell_.width, &glyph->rows)) {
        ++counts_.plainZeros;
      }
      return true;
    }
    tooLarge = tooLarge || glyph->tooLarge;
  }
  if (tooLarge) ++counts_.tooLarge;
  if (selecting_) {
    ++counts_.selectedMissing;
    selectedMissing_.emplace(character, code);
    if (tooLarge) selectedTooLarge_.insert(character);
  }
  glyph->rows.assign(cell_.height, 0);
  glyph->clippedDots = 0;
  glyph->moved = false;
  glyph->shrunk = false;
  return false;
}

}  // namespace vexo
