#include "vexofont/preview/preview_source.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "driver/converter.h"
#include "platform/output_file.h"
#include "store/glyph_table.h"
#include "store/output_font_file.h"
#include "vexofont/preview/preview_options.h"
#include "vexofont/readers/output_file_reader.h"
#include "vexofont/readers/problem_list.h"

#if defined(_WIN32)
#include <io.h>
#define dup _dup
#define dup2 _dup2
#define close _close
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace vexo {

namespace {

// Preview draws output font files only.
constexpr size_t kReadLimit = kMaxOutputFileRead;

// A stream whose bytes stay in memory (on Windows, a temporary file that
// has no name and goes when it is closed).
struct MemoryStream {
  std::FILE* stream = nullptr;
  char* buffer = nullptr;
  size_t size = 0;

  MemoryStream() {
#if defined(_WIN32)
    stream = std::tmpfile();
#else
    stream = open_memstream(&buffer, &size);
#endif
  }
  ~MemoryStream() { std::free(buffer); }

  // Closes the stream and appends what was written to *bytes.
  bool CloseInto(std::vector<uint8_t>* bytes, size_t limit) {
#if defined(_WIN32)
    std::rewind(stream);
    bool cut = false;
    const bool read = ReadLimitedStream(stream, limit, bytes, &cut) == ReadResult::kRead;
    std::fclose(stream);
    return read && !cut;
#else
    if (std::fclose(stream) != 0 || size > limit) return false;
    bytes->assign(buffer, buffer + size);
    return true;
#endif
  }
};

#if defined(_WIN32)
constexpr char kNullDevice[] = "NUL";
#else
constexpr char kNullDevice[] = "/dev/null";
#endif

// The converter's output in memory, its errors on standard error, its
// progress there too when `verbose`, else nowhere.
int ConvertInMemory(const std::string& config, bool verbose,
                    std::vector<uint8_t>* bytes, CommandReport* report) {
  MemoryStream memory;
  if (memory.stream == nullptr) {
    return report->Failed(
        kPreviewUnreadable,
        "vexofont preview: no room for the converted font: %s\n",
        std::strerror(errno));
  }
  std::fflush(stdout);
  std::FILE* nowhere = verbose ? nullptr : std::fopen(kNullDevice, "w");
  const int saved = dup(1);
  if (saved >= 0) dup2(nowhere != nullptr ? fileno(nowhere) : 2, 1);
  const int status = ConvertToStream(config.c_str(), memory.stream);
  std::fflush(stdout);
  if (saved >= 0) {
    dup2(saved, 1);
    close(saved);
  }
  if (nowhere != nullptr) std::fclose(nowhere);
  if (!memory.CloseInto(bytes, kReadLimit) && status == kExitOk) {
    return report->Failed(kPreviewUnreadable,
                          "vexofont preview: no room for the converted font\n");
  }
  if (status == kExitConfigUnreadable) return kPreviewUnreadable;
  return status == kExitOk ? kPreviewDrawn : kPreviewUnsound;
}

}  // namespace

int ReadPreviewFont(const std::string& path, const std::string& config,
                    bool verbose, ShownFont* font, CommandReport* report) {
  std::vector<uint8_t> bytes;
  const std::string name = path.empty() ? config + " (converted)" : path;
  if (path.empty()) {
    const int status = ConvertInMemory(config, verbose, &bytes, report);
    if (status != kPreviewDrawn) return status;
  } else {
    bool cut = false;
    errno = 0;
    const ReadResult read = ReadLimitedFile(path.c_str(), kReadLimit, &bytes, &cut);
    if (read != ReadResult::kRead) {
      return report->Failed(
          kPreviewUnreadable, "vexofont preview: cannot %s '%s'%s%s\n",
          read == ReadResult::kCannotOpen ? "open" : "read", path.c_str(),
          errno != 0 ? ": " : "", errno != 0 ? std::strerror(errno) : "");
    }
  }
  if (!LooksLikeOutputFontFile(bytes.data(), bytes.size())) {
    return report->Failed(
        kPreviewUnsound,
        "vexofont preview: '%s' is not an output font file (no TagStart "
        "record): preview draws what the converter wrote\n",
        name.c_str());
  }
  ProblemList problems;
  font->fileKind = FontFileKind::kOutput;
  font->fileSize = bytes.size();
  ReadOutputFontFile(bytes.data(), bytes.size(), font, &problems);
  if (!problems.empty()) {
    return report->Failed(kPreviewUnsound, "%s",
                          ProblemLines(name.c_str(), problems).c_str());
  }
  return kPreviewDrawn;
}

}  // namespace vexo
