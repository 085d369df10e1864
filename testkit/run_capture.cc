#include "testkit/run_capture.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "driver/converter.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

CapturedRun CaptureOutput(const std::function<int()>& body, bool merged) {
  char out_path[] = "/tmp/vexocnvt-out-XXXXXX";
  char err_path[] = "/tmp/vexocnvt-err-XXXXXX";
  const int out_fd = mkstemp(out_path);
  const int err_fd = merged ? out_fd : mkstemp(err_path);
  std::fflush(stdout);
  std::fflush(stderr);
  const int saved_out = dup(1);
  const int saved_err = dup(2);
  dup2(out_fd, 1);
  dup2(err_fd, 2);

  CapturedRun run;
  run.status = body();

  std::fflush(stdout);
  std::fflush(stderr);
  dup2(saved_out, 1);
  dup2(saved_err, 2);
  close(saved_out);
  close(saved_err);
  close(out_fd);
  run.out = Slurp(out_path);
  unlink(out_path);
  if (!merged) {
    close(err_fd);
    run.err = Slurp(err_path);
    unlink(err_path);
  }
  return run;
}

CapturedRun RunConverterOn(const std::string& configPath, bool merged) {
  return CaptureOutput(
      [&configPath] {
        std::vector<char> program = {'v', 'e', 'x', 'o', 'c', 'n', 'v', 't',
                                     '\0'};
        std::vector<char> config(configPath.begin(), configPath.end());
        config.push_back('\0');
        char* argv[] = {program.data(), config.data(), nullptr};
        return RunConverter(2, argv);
      },
      merged);
}

ScratchDir::ScratchDir() {
  char path[] = "/tmp/vexocnvt-test-XXXXXX";
  if (mkdtemp(path) != nullptr) path_ = path;
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
