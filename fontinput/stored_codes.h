// The codes the loaders store from an input font file, worked out from the
// whole file in memory without loading it: for the tools that tell what a
// run will do (vexofont check, vexofont show --config).
#ifndef VEXOCNVT_FONTINPUT_STORED_CODES_H_
#define VEXOCNVT_FONTINPUT_STORED_CODES_H_

#include <cstddef>
#include <cstdint>

#include "store/font_kind.h"

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

#endif  // VEXOCNVT_FONTINPUT_STORED_CODES_H_
