#ifndef VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_COMMAND_H_
#define VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_COMMAND_H_

namespace vexo {

// Runs `vexofont preview ...`; argv[0] is "preview". Returns the exit
// status (vexofont/preview/preview_options.h).
int RunPreviewCommand(int argc, char** argv);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_COMMAND_H_
