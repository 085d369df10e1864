// `vexofont show OUTPUT --config CONFIG`: which codes of the input fonts a
// configuration lists an output font file holds, and which it does not.
#ifndef VEXOCNVT_VEXOFONT_SHOW_CODES_NOT_STORED_H_
#define VEXOCNVT_VEXOFONT_SHOW_CODES_NOT_STORED_H_

#include "vexofont/readers/shown_font.h"

// Prints, font by font of the configuration `config`, the codes the
// converter stores from it and those of them the output file `font` does
// not hold. Returns how many codes are not held, or -1 when the
// configuration cannot be read.
long PrintCodesNotStored(const char* config, const ShownFont& font);

#endif  // VEXOCNVT_VEXOFONT_SHOW_CODES_NOT_STORED_H_
