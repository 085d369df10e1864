// The codes the loaders store from an input font file, worked out from the
// whole file in memory without loading it: for the tools that tell what a
// run will do (vexofont check, vexofont show --config).
#ifndef VEXOCNVT_VEXOFONT_FONTRULES_STORED_CODES_H_
#define VEXOCNVT_VEXOFONT_FONTRULES_STORED_CODES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/font_kind.h"

namespace vexo {

struct StoredCodes {
  size_t glyphsRead = 0;     // whole glyphs the loader reads
  size_t glyphsImplied = 0;  // one pass of the header's codes
};

// Calls store(context, high, low) for each code, in the order the loader
// stores it: SBCS (0, code & 0xff) for every whole glyph from firstChar
// on; DBCS (lead, trail) for every glyph whose bytes the station takes are
// not all clear, over every pass the loader reads. `data` must begin with
// the header of `kind` (FontKind::kSbcs or FontKind::kDbcs), whole, with a size
// `station` accepts.
StoredCodes ForEachStoredCode(const uint8_t* data, size_t size, FontKind kind,
                              Station station,
                              void (*store)(void* context, int high, int low),
                              void* context);

// Each code ForEachStoredCode gives (high << 8 | low), once, in the order
// first stored: the records the font fills.
std::vector<int> DistinctStoredCodes(const uint8_t* data, size_t size, FontKind kind,
                                     Station station);

// The codes of an SBCS font (a whole header, as for ForEachStoredCode)
// whose glyphs have dots in columns of their width that `station` does
// not print (the impact station takes whole bytes of 8 columns), rising.
std::vector<int> CodesDrawnPastPrint(const uint8_t* data, size_t size,
                                     Station station);

// What the impact station does not print of an SBCS font's glyphs (as
// ImpactPrintProblem says it), or "" when it prints all their dots: glyphs
// 9 to 15 wide drawn within their first 8 columns lose nothing.
std::string SbcsImpactPrintProblem(const uint8_t* data, size_t size);

// Within one SBCS list, the codes whose glyph a later font replaces with a
// blank one (the SBCS loader stores every glyph, blank or not): they print
// blank though an earlier font draws them.
struct BlankedCodes {
  size_t drawnBy = 0;    // the font of the list that last drew them
  size_t blankedBy = 0;  // the later font that blanked them
  std::vector<int> codes;  // rising
};

// Follows one SBCS list of `station` font by font, in the order loaded.
class SbcsBlanking {
 public:
  explicit SbcsBlanking(Station station);
  // The next font of the list: a whole SBCS header, as for
  // ForEachStoredCode; nullptr for a font the converter does not load.
  void Add(const uint8_t* data, size_t size);
  // The codes blanked, grouped by the two fonts (their places in the list).
  std::vector<BlankedCodes> Found() const;

 private:
  Station station_;
  size_t fonts_ = 0;
  // For each code, the font that last drew it and the later one that
  // stored a blank glyph over it since (-1: none).
  long drawn_[256];
  long blanked_[256];
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_FONTRULES_STORED_CODES_H_
