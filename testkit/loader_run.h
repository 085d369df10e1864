// Runs the SBCS or DBCS loader on a whole input font file held in memory,
// the way the driver does: the header decoded by the converter's own code,
// the stream standing just after it.
#ifndef VEXOCNVT_TESTKIT_LOADER_RUN_H_
#define VEXOCNVT_TESTKIT_LOADER_RUN_H_

#include <cstdio>
#include <string>

#include "fontinput/font_writer.h"
#include "store/font_kind.h"
#include "testkit/run_capture.h"

namespace vexo {

// Opens `bytes` for reading: an in-memory stream (fmemopen) where the C
// library has one, else a file of a unique name in the temporary folder,
// whose name goes to *removeAfterClose (empty otherwise). The stream may
// refer to `bytes`, which must outlive it.
std::FILE* OpenBytes(Bytes& bytes, std::string* removeAfterClose);

struct LoaderRun {
  CapturedRun run;  // what the loader printed and returned
  long read = -1;   // how far into the body the stream stands afterwards
};

// `file` is header and body; the header must be whole.
LoaderRun LoadSbcsBytes(Bytes file, Station station);
LoaderRun LoadDbcsBytes(Bytes file, Station station);

}  // namespace vexo

#endif  // VEXOCNVT_TESTKIT_LOADER_RUN_H_
