// The station consistency report: the characters of one kind that one print
// station defines and the other does not.
#ifndef VEXOCNVT_STORE_STATION_REPORT_H_
#define VEXOCNVT_STORE_STATION_REPORT_H_

#include "store/font_kind.h"

namespace vexo {

// Prints the kind's heading, then, in table order, a line for each record of
// `kind` (FontKind::kSbcs or FontKind::kDbcs) missing its thermal glyph and a line for
// each missing its impact glyph, on standard output. Changes nothing.
void ReportStationGaps(FontKind kind);

}  // namespace vexo

#endif  // VEXOCNVT_STORE_STATION_REPORT_H_
