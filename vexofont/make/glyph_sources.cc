#include "vexofont/make/glyph_sources.h"

#include "vexofont/make/cell_fill.h"

bool CharactersOfText(std::string_view text, std::set<uint32_t>* characters,
                      size_t* badAt) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  for (size_t i = 0; i < size;) {
    const unsigned char b = bytes[i];
    int length;
    uint32_t c;
    if (b < 0x80) {
      length = 1;
      c = b;
    } else if (b >= 0xC2 && b <= 0xDF) {
      length = 2;
      c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3;
      c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4;
      c = b & 0x07;
    } else {
      *badAt = i;
      return false;
    }
    if (size - i < size_t(length)) {
      *badAt = i;
      return false;
    }
    for (int k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) {
        *badAt = i;
        return false;
      }
      c = c << 6 | (bytes[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (overlong || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
      *badAt = i;
      return false;
    }
    if (c >= 0x20 && !(c >= 0x7F && c < 0xA0)) characters->insert(c);
    i += size_t(length);
  }
  return true;
}

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
  for (size_t i = 0; i < fonts_.size(); ++i) {
    uint32_t font_code = 0;
    const bool mapped = map_ != nullptr
                            ? known && toFont_[i]->Map(static_cast<int>(character),
                                                       &font_code)
                            : toFont_[i]->Map(code, &font_code);
    if (mapped && fonts_[i]->DrawGlyph(font_code, glyph)) {
      ++counts_.fromFont[i];
      return true;
    }
  }
  if (selecting_) {
    ++counts_.selectedMissing;
    selectedMissing_.emplace(character, code);
  }
  glyph->rows.assign(cell_.height, 0);
  glyph->clippedDots = 0;
  return false;
}
