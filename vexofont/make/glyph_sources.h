// Where each glyph of a made font comes from: the characters the user
// selected, box drawing and block elements drawn edge to edge, the main
// font, and the fallback fonts in order for the characters it lacks.
#ifndef VEXOCNVT_VEXOFONT_MAKE_GLYPH_SOURCES_H_
#define VEXOCNVT_VEXOFONT_MAKE_GLYPH_SOURCES_H_

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "vexofont/codepage/characters.h"
#include "vexofont/codepage/code_page.h"
#include "vexofont/make/code_map.h"
#include "vexofont/make/source_font.h"

namespace vexo {

class GlyphSources {
 public:
  // `codePage` names the file's codes; `map`, when given, gives their
  // characters instead of iconv. `fonts` are the main font and the
  // fallbacks, opened for the cell; a font opened for more rows than the
  // cell has its glyphs reduced to the cell's rows (ReduceRows). Returns false with the index of the
  // font whose charset cannot be mapped in *font.
  bool Open(const CodePage& codePage, const CodeMap* map,
            const std::vector<SourceFont*>& fonts, CellSize cell, int* font);

  // Only codes whose characters are in `characters` are drawn.
  void Select(const std::set<uint32_t>& characters);
  // Box drawing and block elements are drawn from the font (false) or edge
  // to edge from their description (true, the default).
  void DrawCellFillings(bool drawn) { drawCellFillings_ = drawn; }

  // The character of `code` in the code page (or the map); false for none.
  bool Character(int code, uint32_t* character);

  // Draws the glyph of `code`; false, blank, when it is not selected or no
  // font has it.
  bool Draw(int code, CellGlyph* glyph);

  struct Counts {
    int notSelected = 0;
    int selected = 0;         // codes whose characters are selected
    int selectedMissing = 0;  // of those, the ones no font has
    int cellFillings = 0;     // drawn edge to edge
    int reduced = 0;          // drawn on more rows and reduced
    int plainZeros = 0;       // dotted zeros drawn plain (NarrowPlainZero)
    int tooLarge = 0;         // blank: no font drew them, one had it too large
    std::vector<int> fromFont;  // glyphs drawn from each font
  };
  const Counts& counts() const { return counts_; }
  // Selected characters some code of the file stands for, and of those the
  // ones no font has, with their codes.
  const std::set<uint32_t>& reached() const { return reached_; }
  const std::map<uint32_t, int>& selectedMissing() const {
    return selectedMissing_;
  }
  // Of those, the ones a font has but too large to draw (kMaxGlyphBoxEms).
  const std::set<uint32_t>& selectedTooLarge() const { return selectedTooLarge_; }

 private:
  const CodeMap* map_ = nullptr;
  std::unique_ptr<CodeMapper> toUnicode_;
  std::vector<std::unique_ptr<CodeMapper>> toFont_;
  std::vector<SourceFont*> fonts_;
  CellSize cell_;
  bool selecting_ = false;
  std::set<uint32_t> selected_;
  bool drawCellFillings_ = true;
  Counts counts_;
  std::set<uint32_t> reached_;
  std::map<uint32_t, int> selectedMissing_;
  std::set<uint32_t> selectedTooLarge_;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_GLYPH_SOURCES_H_
