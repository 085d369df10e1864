#include "testkit/run_capture.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

#include "driver/converter.h"

namespace vexo {

namespace {

#ifdef _WIN32
// Captured streams are read back as raw bytes, as Linux writes them.
int OpenCaptureFile(const std::string& path) {
  return _open(path.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY,
               _S_IREAD | _S_IWRITE);
}
int Duplicate(int fd) { return _dup(fd); }
void DuplicateOnto(int from, int to) { _dup2(from, to); }
void Close(int fd) { _close(fd); }
long ProcessNumber() { return _getpid(); }
#else
int OpenCaptureFile(const std::string& path) {
  return open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
}
int Duplicate(int fd) { return dup(fd); }
void DuplicateOnto(int from, int to) { dup2(from, to); }
void Close(int fd) { close(fd); }
long ProcessNumber() { return getpid(); }
#endif

// A name in the system's temporary folder that no other test or process
// uses: the process number, a counter and the clock.
}  // namespace

std::string UniqueTempName(const char* prefix) {
  static std::atomic<unsigned> counter{0};
  const auto ticks =
      std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  return (folder / (std::string(prefix) + std::to_string(ProcessNumber()) +
                    "-" + std::to_string(++counter) + "-" +
                    std::to_string(ticks % 1000000)))
      .string();
}

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

CapturedRun CaptureOutput(const std::function<int()>& body, bool merged) {
  const std::string outPath = UniqueTempName("vexocnvt-out-");
  const std::string errPath = UniqueTempName("vexocnvt-err-");
  const int outFd = OpenCaptureFile(outPath);
  const int errFd = merged ? outFd : OpenCaptureFile(errPath);
  std::fflush(stdout);
  std::fflush(stderr);
  const int savedOut = Duplicate(1);
  const int savedErr = Duplicate(2);
  DuplicateOnto(outFd, 1);
  DuplicateOnto(errFd, 2);

  CapturedRun run;
  run.status = body();

  std::fflush(stdout);
  std::fflush(stderr);
  DuplicateOnto(savedOut, 1);
  DuplicateOnto(savedErr, 2);
  Close(savedOut);
  Close(savedErr);
  Close(outFd);
  run.out = Slurp(outPath);
  std::remove(outPath.c_str());
  if (!merged) {
    Close(errFd);
    run.err = Slurp(errPath);
    std::remove(errPath.c_str());
  }
  return run;
}

CapturedRun RunInProcess(int (*command)(int, char**),
                         std::vector<std::string> words, bool merged) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return CaptureOutput(
      [&] { return command(static_cast<int>(argv.size()) - 1, argv.data()); },
      merged);
}

CapturedRun RunConverterOn(const std::string& configPath, bool merged) {
  return RunInProcess(RunConverter, {"vexocnvt", configPath}, merged);
}

ScratchDir::ScratchDir() {
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const std::string path = UniqueTempName("vexocnvt-test-");
    std::error_code error;
    if (std::filesystem::create_directory(path, error) && !error) {
      // Forward slashes on every platform, so that File() joins alike.
      path_ = std::filesystem::path(path).generic_string();
    }
  }
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::File(const std::string& name) const {
  return path_ + "/" + name;
}

std::string ScratchDir::WriteText(const std::string& name,
                                  const std::string& text) const {
  const std::string path = File(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::vector<std::string> ScratchDir::Entries() const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(path_, error)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace vexo
