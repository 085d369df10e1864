// The order in which a DBCS input font file holds its glyphs: the codes its
// font vectors enumerate. The loader, the input font writer and vexofont
// show all walk the codes with this one function.
#ifndef VEXOCNVT_FONTINPUT_DBCS_CODES_H_
#define VEXOCNVT_FONTINPUT_DBCS_CODES_H_

#include <cstdint>

namespace vexo {

// How a pass over the codes ended.
struct DbcsPassEnd {
  // The pass met a lead range that starts at 0, a code above lastChar, or a
  // visit that asked to stop.
  bool stopped;
  // At least one visit returned true.
  bool visitedAny;
};

// One pass of the enumeration over the font vectors (four (first, last)
// byte pairs each): lead ranges of fontVector1 in order until one starts at
// 0; for each lead byte, the trail ranges of fontVector2 in order, those
// that start at 0 skipped; within a trail range the codes lead x 256 +
// trail rise, and the first one above lastChar ends that trail range (the
// next trail range and lead byte still follow). Calls visit(lead, trail)
// for each code; when it returns false, the current trail range ends there
// as if the code were above lastChar.
//
// The converter's loader repeats passes over the file while a pass ends
// without stopping and reads something; a file the writer makes holds one
// pass.
template <typename Visit>
DbcsPassEnd ForEachDbcsCode(const uint8_t* fontVector1,
                            const uint8_t* fontVector2, uint16_t lastChar,
                            Visit&& visit) {
  DbcsPassEnd end = {false, false};
  for (int leadPair = 0; leadPair < 4; ++leadPair) {
    const int leadFirst = fontVector1[2 * leadPair];
    const int leadLast = fontVector1[2 * leadPair + 1];
    if (leadFirst == 0) {
      end.stopped = true;
      break;
    }
    for (int lead = leadFirst; lead <= leadLast; ++lead) {
      for (int trailPair = 0; trailPair < 4; ++trailPair) {
        const int trailFirst = fontVector2[2 * trailPair];
        const int trailLast = fontVector2[2 * trailPair + 1];
        if (trailFirst == 0) continue;
        for (int trail = trailFirst; trail <= trailLast; ++trail) {
          if ((lead << 8 | trail) > lastChar || !visit(lead, trail)) {
            end.stopped = true;
            break;
          }
          end.visitedAny = true;
        }
      }
    }
  }
  return end;
}

// Every code the converter's DBCS loader reads from a file, in order: a
// pass that reads glyphs and ends without stopping is followed by another
// over the rest of the file. `visit` returns false when the file has no
// glyph left for the code.
template <typename Visit>
void ForEachDbcsCodeOfFile(const uint8_t* fontVector1,
                           const uint8_t* fontVector2, uint16_t lastChar,
                           Visit&& visit) {
  for (;;) {
    const DbcsPassEnd pass =
        ForEachDbcsCode(fontVector1, fontVector2, lastChar, visit);
    if (pass.stopped || !pass.visitedAny) break;
  }
}

}  // namespace vexo

#endif  // VEXOCNVT_FONTINPUT_DBCS_CODES_H_
