// What `vexofont check` finds in the configuration's output name: none
// given, a name that is one of the run's inputs, a name the converter
// cannot write by its own rules (a folder, a missing folder, a file or
// folder it may not write, a link it refuses to follow). Each makes the
// converter fail or write where the user did not mean it to.
#ifndef VEXOCNVT_VEXOFONT_CHECK_OUTPUT_NAME_H_
#define VEXOCNVT_VEXOFONT_CHECK_OUTPUT_NAME_H_

#include "vexofont/check/config_lines.h"
#include "vexofont/check/findings.h"

namespace vexo {

// Checks the output name in Settings against the configuration's lines.
void CheckOutputName(const ConfigLines& lines, Findings* findings);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CHECK_OUTPUT_NAME_H_
