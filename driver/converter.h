// One whole conversion run: command line, configuration, the four load
// phases, the station reports and the output font file.
#ifndef VEXOCNVT_DRIVER_CONVERTER_H_
#define VEXOCNVT_DRIVER_CONVERTER_H_

#include <cstdio>

namespace vexo {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitConfigUnreadable = 2;
constexpr int kExitOutputFailed = 4;

// Runs `vexocnvt config-file` with the given command line (argv[0] the
// program, argv[1] the configuration file; further arguments are ignored)
// and returns the exit status. `--help` or `--version` as the only
// argument prints the usage text or the version on standard output and
// returns kExitOk. Resets all static state first, so it can be
// called more than once in a process.
int RunConverter(int argc, char** argv);

// The same run of the configuration `configName`, with the same messages,
// but the output font file's records go to `stream` instead of the file
// the configuration names (which is neither written nor checked). Returns
// kExitOk, kExitConfigUnreadable, or kExitOutputFailed when a write to
// the stream fails.
int ConvertToStream(const char* configName, std::FILE* stream);

}  // namespace vexo

#endif  // VEXOCNVT_DRIVER_CONVERTER_H_
