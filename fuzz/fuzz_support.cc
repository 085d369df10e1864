#include "fuzz/fuzz_support.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <bitset>
#include <cstdio>
#include <filesystem>

#include "store/glyph_table.h"
#include "platform/output_file.h"

namespace vexo {

// Present when a sanitizer runtime is linked in.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace {

int saved_out = -1;
int saved_err = -1;
int null_fd = -1;

void RemoveScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(FuzzScratchDir(), ignored);
}

}  // namespace

void FuzzCheckFailed(const char* condition, const char* file, int line) {
  EndQuiet();
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

const std::string& FuzzScratchDir() {
  static const std::string path = [] {
    char name[] = "/tmp/vexocnvt-fuzz-XXXXXX";
    if (mkdtemp(name) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    return std::string(name);
  }();
  static const bool cleanupRegistered = std::atexit(RemoveScratchDir) == 0;
  (void)cleanupRegistered;
  return path;
}

bool SaveScratchFile(const std::string& path, const uint8_t* data,
                     size_t size) {
  return WriteWholeFile(path.c_str(), data, size, 0600) == 0;
}

std::string FuzzFontPath(int index) {
  return FuzzScratchDir() + "/f" + std::to_string(index);
}

std::string ExpandFuzzConfig(std::string_view raw) {
  std::string config;
  for (size_t i = 0; i < raw.size(); ++i) {
    const char ch = raw[i];
    if (ch == '@' && i + 1 < raw.size() && raw[i + 1] >= '0' &&
        raw[i + 1] < '0' + kMaxFuzzFonts) {
      config += FuzzFontPath(raw[i + 1] - '0');
      ++i;
    } else {
      config += ch == '/' ? '_' : ch;
    }
  }
  return config;
}

void SaveFuzzFonts(std::string_view input, size_t at) {
  for (int index = 0; index < kMaxFuzzFonts; ++index) {
    const std::string path = FuzzFontPath(index);
    if (at == std::string_view::npos) {
      std::remove(path.c_str());
      continue;
    }
    const size_t begin = at + kFuzzSeparator.size();
    at = input.find(kFuzzSeparator, begin);
    const std::string_view font = input.substr(
        begin, at == std::string_view::npos ? at : at - begin);
    FUZZ_CHECK(SaveScratchFile(
        path, reinterpret_cast<const uint8_t*>(font.data()), font.size()));
  }
}

void BeginQuiet() {
  if (null_fd < 0) {
    null_fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
    saved_out = fcntl(1, F_DUPFD_CLOEXEC, 3);
    saved_err = fcntl(2, F_DUPFD_CLOEXEC, 3);
    if (__sanitizer_set_report_fd != nullptr) {
      __sanitizer_set_report_fd(
          reinterpret_cast<void*>(static_cast<intptr_t>(saved_err)));
    }
  }
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(null_fd, 1);
  dup2(null_fd, 2);
}

void EndQuiet() {
  if (null_fd < 0) return;
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(saved_out, 1);
  dup2(saved_err, 2);
}

void CheckGlyphTable() {
  static std::bitset<65536> seen;
  seen.reset();
  bool freeSeen = false;
  int inUse = 0;
  for (const GlyphRecord& record : GlyphTable) {
    FUZZ_CHECK(record.kind <= KindByte(FontKind::kSbcs));
    if (record.kind == KindByte(FontKind::kNone)) {
      freeSeen = true;
      FUZZ_CHECK(record.marker == 0);
      FUZZ_CHECK(record.codeHigh == 0 && record.codeLow == 0);
      FUZZ_CHECK(record.thermalDefined == 0 && record.impactDefined == 0);
      FUZZ_CHECK(record.thermalCount == 0 && record.impactCount == 0);
      continue;
    }
    FUZZ_CHECK(!freeSeen);
    ++inUse;
    FUZZ_CHECK(record.marker == kGlyphMarker);
    FUZZ_CHECK(record.thermalDefined <= 1 && record.impactDefined <= 1);
    FUZZ_CHECK(record.thermalDefined == 1 || record.impactDefined == 1);
    FUZZ_CHECK(record.thermalCount <= kThermalBitmapSize);
    FUZZ_CHECK(record.impactCount <= kImpactDataSize);
    FUZZ_CHECK((record.kind == KindByte(FontKind::kSbcs)) == (record.codeHigh == 0));
    const int code = record.codeHigh << 8 | record.codeLow;
    FUZZ_CHECK(!seen[code]);
    seen[code] = true;
  }
  FUZZ_CHECK(inUse == GlyphRecordsInUse());
}

}  // namespace vexo
