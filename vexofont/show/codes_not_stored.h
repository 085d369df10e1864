// `vexofont show OUTPUT --config CONFIG`: which codes of the input fonts a
// configuration lists an output font file holds, and which it does not.
#ifndef VEXOCNVT_VEXOFONT_SHOW_CODES_NOT_STORED_H_
#define VEXOCNVT_VEXOFONT_SHOW_CODES_NOT_STORED_H_

#include "vexofont/options/command_report.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

// Adds for standard output, font by font of the configuration `config`, the
// codes the converter stores from it and those of them the output file `font`
// does not hold. Returns how many codes are not held, or -1 when the
// configuration cannot be read.
long AddCodesNotStored(const char* config, const ShownFont& font,
                       CommandReport* report);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_CODES_NOT_STORED_H_
