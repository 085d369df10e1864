// Writing a file whole or not at all.
#ifndef VEXOCNVT_VEXOFONT_MAKE_REPLACE_FILE_H_
#define VEXOCNVT_VEXOFONT_MAKE_REPLACE_FILE_H_

#include <string>

#include "testkit/font_writer.h"

// Writes `bytes` to a new file beside `path` and renames it to `path`, so
// that `path` is either the old file or the whole new one. The new file
// gets the permission bits 0666 less the umask. Returns 0 on success; on
// failure removes the new file, leaves `path` as it was, puts the system's
// reason in *error and returns -1.
int ReplaceFile(const std::string& path, const Bytes& bytes,
                std::string* error);

#endif  // VEXOCNVT_VEXOFONT_MAKE_REPLACE_FILE_H_
