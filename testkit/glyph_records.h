// Glyph records as tests expect them and as the table holds them.
#ifndef VEXOCNVT_TESTKIT_GLYPH_RECORDS_H_
#define VEXOCNVT_TESTKIT_GLYPH_RECORDS_H_

#include <cstdint>

#include "store/font_kind.h"
#include "testkit/test_fonts.h"

namespace vexo {

// The 112 bytes a record of `kind` for `code` (high byte, low byte) should
// hold after storing `thermal` and `impact`; an empty half is not defined.
Bytes ExpectedRecord(FontKind kind, int code, const Bytes& thermal,
                     const Bytes& impact);

// The 112 bytes of the glyph table's record at `index`.
Bytes RecordAt(int index);

}  // namespace vexo

#endif  // VEXOCNVT_TESTKIT_GLYPH_RECORDS_H_
