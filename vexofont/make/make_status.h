// Exit statuses of `vexofont make`, and what its steps say. A step prints
// nothing: it adds its lines to a MakeReport and returns a status, and
// RunMakeCommand prints the lines and returns the status.
#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_STATUS_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_STATUS_H_

#include <string>
#include <vector>

#include "platform/console.h"

constexpr int kMakeOk = 0;
constexpr int kMakeUsage = 1;         // bad arguments, refused size or range
constexpr int kMakeSourceFailed = 2;  // source font unreadable or unmappable
constexpr int kMakeOutputFailed = 4;  // output file cannot be written

// The lines of a run of make, in the order they are to be printed.
class MakeReport {
 public:
  struct Line {
    bool error;        // standard error, else standard output
    std::string text;  // as formatted, line feeds included
  };

  // Adds a formatted text for standard output or standard error.
  void Output(const char* format, ...)
      __attribute__((format(VEXO_PRINTF_FORMAT, 2, 3)));
  void Error(const char* format, ...)
      __attribute__((format(VEXO_PRINTF_FORMAT, 2, 3)));
  // Adds the line of a failure on standard error; returns `status`.
  int Failed(int status, const char* format, ...)
      __attribute__((format(VEXO_PRINTF_FORMAT, 3, 4)));

  const std::vector<Line>& lines() const { return lines_; }

 private:
  std::vector<Line> lines_;
};

// Adds "vexofont make: TEXT" on standard error; returns kMakeUsage.
int MakeUsageError(MakeReport* report, const std::string& text);

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_STATUS_H_
