// Exit statuses of `vexofont make`, which its helpers return after the
// line they print, and RunMakeCommand passes on.
#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_STATUS_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_STATUS_H_

constexpr int kMakeOk = 0;
constexpr int kMakeUsage = 1;         // bad arguments, refused size or range
constexpr int kMakeSourceFailed = 2;  // source font unreadable or unmappable
constexpr int kMakeOutputFailed = 4;  // output file cannot be written

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_STATUS_H_
