#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_COMMAND_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_COMMAND_H_

// Exit statuses of `vexofont make`.
constexpr int kMakeOk = 0;
constexpr int kMakeUsage = 1;         // bad arguments, refused size or range
constexpr int kMakeSourceFailed = 2;  // source font unreadable or unmappable
constexpr int kMakeOutputFailed = 4;  // output file cannot be written

// Runs `vexofont make ...`; argv[0] is "make". Writes one input font file
// from a source font, prints one summary line on standard output and
// returns kMakeOk; on failure prints one line on standard error, leaves no
// output file behind (an existing one stays as it was) and returns one of
// the statuses above.
int RunMakeCommand(int argc, char** argv);

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_COMMAND_H_
