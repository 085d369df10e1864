// One whole conversion run: command line, configuration, the four load
// phases, the station reports and the output font file.
#ifndef VEXOCNVT_DRIVER_CONVERTER_H_
#define VEXOCNVT_DRIVER_CONVERTER_H_

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

#endif  // VEXOCNVT_DRIVER_CONVERTER_H_
