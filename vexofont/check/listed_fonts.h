// What `vexofont check` finds in the font files a configuration lists: files
// that cannot be read or are not input fonts, fonts under the key of
// another kind or station, sizes a station refuses or cuts, code pages that
// differ from the configuration's, bodies cut short, and the glyph records
// the run fills.
#ifndef VEXOCNVT_VEXOFONT_CHECK_LISTED_FONTS_H_
#define VEXOCNVT_VEXOFONT_CHECK_LISTED_FONTS_H_

#include "vexofont/check/config_lines.h"
#include "vexofont/check/findings.h"

namespace vexo {

// Checks every font the configuration in Settings lists, in the order the
// converter's phases load them, and what the configuration as a whole
// lacks; ends with the line of the records filled.
void CheckListedFonts(const ConfigLines& lines, Findings* findings);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CHECK_LISTED_FONTS_H_
