// What the fuzz targets share: a private scratch folder per process, quiet
// runs of converter code, and checks that stay on in every build.
#ifndef VEXOCNVT_FUZZ_FUZZ_SUPPORT_H_
#define VEXOCNVT_FUZZ_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Aborts with the failed condition on standard error when `condition` is
// false, in release builds too.
#define FUZZ_CHECK(condition)                                   \
  do {                                                          \
    if (!(condition)) FuzzCheckFailed(#condition, __FILE__, __LINE__); \
  } while (0)

namespace vexo {

[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file,
                                  int line);

// A folder under /tmp for this process, created on first use and removed
// at normal exit.
const std::string& FuzzScratchDir();

// Writes `size` bytes to `path`, replacing the file. Returns false on failure.
bool SaveScratchFile(const std::string& path, const uint8_t* data, size_t size);

// A configuration and the font files it names, as the conversion and
// preview targets take them: each part introduced by the separator line.
// In the configuration "@0" to "@7" stand for the font files (written into
// the scratch folder); every "/" becomes "_", so that a run reads nothing
// outside that folder but files of the working directory.
constexpr std::string_view kFuzzSeparator = "\n--file--\n";
constexpr int kMaxFuzzFonts = 8;
std::string FuzzFontPath(int index);
std::string ExpandFuzzConfig(std::string_view raw);
// Saves the parts of `input` after the one ending at `end` (npos: none) as
// font files 0 to 7, removing those it has no part for.
void SaveFuzzFonts(std::string_view input, size_t end);

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

}  // namespace vexo

#endif  // VEXOCNVT_FUZZ_FUZZ_SUPPORT_H_
