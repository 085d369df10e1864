// bench_runner RUNS CONVERTER FLOOR START FOLDER RECORDS [FOLDER RECORDS]...:
// times RUNS conversions of each scenario folder (CONVERTER bench.cfg, run
// in the folder) interleaved with RUNS runs of the one-process floor (FLOOR
// with the output's size, out.bin, bench.cfg and every *.fnt of the
// folder), of the same floor with the glyph table's memory (FLOOR --table
// RECORDS ...) and of the start-up floor (START).
// Each run is a child process: its wall time comes from the clock around
// fork and wait, its minor page faults and peak resident memory from
// wait4's rusage. Prints one row per scenario: medians of wall time and
// page faults, the largest peak RSS, and the ratio of the medians. Exits 1
// when an output file has the wrong size or a run fails.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms = 0;
  long faults = 0;
  long rssKb = 0;
};

// Runs `args` in `folder` with standard output to /dev/null.
bool RunChild(const std::string& folder, const std::vector<std::string>& args,
              Sample* sample) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    const int nullFd = open("/dev/null", O_WRONLY);
    dup2(nullFd, 1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return false;
  const auto end = std::chrono::steady_clock::now();
  sample->ms = std::chrono::duration<double, std::milli>(end - start).count();
  sample->faults = usage.ru_minflt + usage.ru_majflt;
  sample->rssKb = usage.ru_maxrss;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long FileSize(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7 || (argc - 5) % 2 != 0) {
    std::fprintf(stderr,
                 "usage: bench_runner RUNS CONVERTER FLOOR START FOLDER "
                 "RECORDS...\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const std::string converter = std::filesystem::absolute(argv[2]).string();
  const std::string floor = std::filesystem::absolute(argv[3]).string();
  const std::string start = std::filesystem::absolute(argv[4]).string();
  std::printf("%-8s %8s %8s | %10s %10s %6s | %11s %6s | %12s %12s | %9s %9s | %9s\n",
              "scenario", "in MB", "out MB", "converter", "floor", "ratio",
              "table floor", "ratio", "faults conv", "faults floor",
              "RSS conv", "RSS floor", "start");
  bool ok = true;
  for (int s = 5; s < argc; s += 2) {
    const std::string folder = argv[s];
    const std::string name = std::filesystem::path(folder).filename().string();
    const long records = std::atol(argv[s + 1]);
    const long outBytes = 85 + 116 * records;
    std::vector<std::string> inputs = {"bench.cfg"};
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == ".fnt") {
        inputs.push_back(entry.path().filename().string());
      }
    }
    long inBytes = 0;
    for (const std::string& input : inputs)
      inBytes += FileSize(folder + "/" + input);
    std::vector<std::string> floorArgs = {floor, std::to_string(outBytes),
                                          "out.bin"};
    floorArgs.insert(floorArgs.end(), inputs.begin(), inputs.end());
    std::vector<std::string> tableArgs = {floor, "--table",
                                          std::to_string(records)};
    tableArgs.insert(tableArgs.end(), floorArgs.begin() + 1, floorArgs.end());
    const std::vector<std::string> converterArgs = {converter, "bench.cfg"};

    // One untimed run of each warms the page cache and checks the output.
    Sample warm;
    auto writesOutput = [&](const std::vector<std::string>& args) {
      return RunChild(folder, args, &warm) &&
             FileSize(folder + "/out.bin") == outBytes;
    };
    if (!writesOutput(converterArgs) || !writesOutput(floorArgs) ||
        !writesOutput(tableArgs)) {
      std::fprintf(stderr, "%s: a run failed or the output is not %ld bytes\n",
                   name.c_str(), outBytes);
      ok = false;
      continue;
    }
    std::vector<double> convMs, floorMs, tableMs, startMs;
    std::vector<long> convFaults, floorFaults;
    long convRss = 0, floorRss = 0;
    for (int r = 0; r < runs; ++r) {
      Sample c, f, t, z;
      ok = RunChild(folder, converterArgs, &c) && ok;
      ok = RunChild(folder, floorArgs, &f) && ok;
      ok = RunChild(folder, tableArgs, &t) && ok;
      tableMs.push_back(t.ms);
      ok = RunChild(folder, {start}, &z) && ok;
      startMs.push_back(z.ms);
      convMs.push_back(c.ms);
      floorMs.push_back(f.ms);
      convFaults.push_back(c.faults);
      floorFaults.push_back(f.faults);
      convRss = std::max(convRss, c.rssKb);
      floorRss = std::max(floorRss, f.rssKb);
    }
    const double c = Median(convMs), f = Median(floorMs), t = Median(tableMs);
    std::printf(
        "%-8s %8.2f %8.2f | %7.2f ms %7.2f ms %6.2f | %8.2f ms %6.2f | "
        "%12ld %12ld | %5.2f MiB %5.2f MiB | %6.2f ms\n",
        name.c_str(), inBytes / 1e6, outBytes / 1e6, c, f, c / f, t, c / t,
        Median(convFaults), Median(floorFaults), convRss / 1024.0,
        floorRss / 1024.0, Median(startMs));
  }
  return ok ? 0 : 1;
}
