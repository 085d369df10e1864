// Feeds the tools' bounded readers streams far larger than any real file,
// made of the input repeated, through a FIFO (so that nothing but the
// reader's own bound can end an endless one), to prove that each reader
// stops at its bound with its refusal, never reads on, never claims a
// stream past its bound was whole, and never crashes on what it read.
//
// The input: byte 0 chooses the reader (configuration, --map file, glyph
// text, listed font), bytes 1 to 2 how many times the pattern is sent
// (0: endlessly, else that many times, up to just past the reader's
// bound), the rest is the pattern.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "driver/config_file.h"
#include "fontinput/font_header.h"
#include "fuzz/fuzz_support.h"
#include "store/converter_settings.h"
#include "vexofont/fontrules/font_file_cache.h"
#include "vexofont/make/code_map.h"
#include "vexofont/make/make_files.h"

namespace vexo {

namespace {

struct Reader {
  size_t bound;  // the most the reader may take
  // Reads the stream at `path`; returns whether it took the stream whole.
  bool (*read)(const char* path);
};

void IgnoreLine(void*, const ConfigLine&) {}

bool ReadConfig(const char* path) {
  ResetConverterSettings();
  return ReadConfigFile(path, IgnoreLine, nullptr) == 0;
}
bool ReadMap(const char* path) {
  CodeMap map;
  std::string error;
  const bool read = map.Read(path, FontKind::kDbcs, &error);
  // Only a map of whole lines, read whole, can be taken.
  FUZZ_CHECK(read || !error.empty());
  return read || error.find("longer than") == std::string::npos;
}
bool ReadText(const char* path) {
  GlyphText text;
  BeginQuiet();
  CommandReport report;
  const bool read = ReadGlyphText(path, true, &text, &report);
  EndQuiet();
  return read;  // past the bound never read, whatever the text says
}
bool ReadFont(const char* path) {
  FontFileCache cache;
  const CachedFontFile& file = cache.Read(path);
  FUZZ_CHECK(file.bytes.size() <= kLargestInputFontFile);
  return !file.cut;
}

const Reader kReaders[] = {
    {static_cast<size_t>(kMaxConfigFileSize), ReadConfig},
    {kMaxCodeMapSize, ReadMap},
    {kMaxGlyphTextSize, ReadText},
    {kLargestInputFontFile, ReadFont},
};

// Sends `count` copies of `pattern` into the FIFO (0: until the reader
// closes it), then closes it; counts the bytes the reader took.
void Send(const std::string& path, const std::vector<uint8_t>& pattern,
          size_t count, std::atomic<bool>* stop, size_t* sent) {
  int fd = -1;
  while (fd < 0 && !stop->load()) {
    fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) usleep(100);
  }
  if (fd < 0) return;
  std::vector<uint8_t> block;
  while (block.size() < 65536) {
    block.insert(block.end(), pattern.begin(), pattern.end());
  }
  const size_t total = count == 0 ? SIZE_MAX : count * pattern.size();
  // Non-blocking: a full pipe is waited on only while the reader reads.
  while (*sent < total) {
    const size_t n = std::min(block.size(), total - *sent);
    const ssize_t wrote = write(fd, block.data(), n);
    if (wrote > 0) {
      *sent += static_cast<size_t>(wrote);
      continue;
    }
    if (errno != EAGAIN || stop->load()) break;  // the reader is done
    pollfd ready = {fd, POLLOUT, 0};
    poll(&ready, 1, 10);
  }
  close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  static const std::string path = [] {
    std::signal(SIGPIPE, SIG_IGN);
    const std::string fifo = FuzzScratchDir() + "/stream";
    FUZZ_CHECK(mkfifo(fifo.c_str(), 0600) == 0 || errno == EEXIST);
    return fifo;
  }();
  const Reader& reader = kReaders[data[0] % std::size(kReaders)];
  const std::vector<uint8_t> pattern(data + 3, data + size);
  // A finite stream ends at most a block past the bound.
  const size_t most = (reader.bound + 65536) / pattern.size() + 1;
  size_t count = size_t{data[1]} << 8 | data[2];
  if (count != 0) count = 1 + count * most / 65536;
  std::atomic<bool> stop{false};
  size_t sent = 0;
  std::thread sender(Send, path, pattern, count, &stop, &sent);
  const bool whole = reader.read(path.c_str());
  stop = true;
  sender.join();
  const size_t length = count == 0 ? SIZE_MAX : count * pattern.size();
  // A stream past the bound is never taken whole.
  if (length > reader.bound) FUZZ_CHECK(!whole);
  return 0;
}

}  // namespace vexo
