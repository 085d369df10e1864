// What the fuzz targets share: a private scratch folder per process, quiet
// runs of converter code, and checks that stay on in every build.
#ifndef VEXOCNVT_FUZZ_FUZZ_SUPPORT_H_
#define VEXOCNVT_FUZZ_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <string>

// Aborts with the failed condition on standard error when `condition` is
// false, in release builds too.
#define FUZZ_CHECK(condition)                                   \
  do {                                                          \
    if (!(condition)) FuzzCheckFailed(#condition, __FILE__, __LINE__); \
  } while (0)

[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file,
                                  int line);

// A folder under /tmp for this process, created on first use and removed
// at normal exit.
const std::string& FuzzScratchDir();

// Writes `size` bytes to `path`, replacing the file. Returns false on failure.
bool SaveScratchFile(const std::string& path, const uint8_t* data, size_t size);

// Descriptors 1 and 2 go to /dev/null between BeginQuiet and EndQuiet, so
// the converter's progress and error lines do not drown the fuzzer's own.
// Sanitizer reports keep going to the real standard error.
void BeginQuiet();
void EndQuiet();

// Checks what every glyph table must hold after any load: kinds 0 to 2,
// the marker in every record in use, counts within their fields, defined
// flags 0 or 1 with at least one set in a record in use, records in use
// dense from index 0 with no code twice, and free records all zero.
void CheckGlyphTable();

#endif  // VEXOCNVT_FUZZ_FUZZ_SUPPORT_H_
