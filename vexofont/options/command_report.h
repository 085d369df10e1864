// What a command's steps say. A step prints nothing itself: it adds its
// lines to the CommandReport it is given and returns its status. The
// command's run function gives a report that prints each line as it is
// added, on the stream it is for; a test gives one that keeps the lines.
#ifndef VEXOCNVT_VEXOFONT_OPTIONS_COMMAND_REPORT_H_
#define VEXOCNVT_VEXOFONT_OPTIONS_COMMAND_REPORT_H_

#include <string>
#include <vector>

#include "platform/console.h"

namespace vexo {

class CommandReport {
 public:
  enum class To {
    kLines,    // kept, in order (lines())
    kConsole,  // printed at once; for the run functions alone
  };
  struct Line {
    bool error;        // standard error, else standard output
    std::string text;  // line feeds included
  };

  explicit CommandReport(To to = To::kLines) : to_(to) {}

  // Adds a text for standard output that is printed byte for byte: help,
  // a command's drawing.
  void OutputAsIs(std::string text);
  // Adds a formatted text for standard output or standard error; printed,
  // every control byte but line feeds and tabs is shown as \xNN
  // (PrintMessage), so that no name in it can steer a terminal.
  void Output(const char* format, ...)
      __attribute__((format(VEXO_PRINTF_FORMAT, 2, 3)));
  void Error(const char* format, ...)
      __attribute__((format(VEXO_PRINTF_FORMAT, 2, 3)));
  // Adds the line of a failure on standard error; returns `status`.
  int Failed(int status, const char* format, ...)
      __attribute__((format(VEXO_PRINTF_FORMAT, 3, 4)));

  // The lines kept, in order, as given (control bytes unchanged).
  const std::vector<Line>& lines() const { return lines_; }
  // The lines kept for one stream, joined.
  std::string Text(bool error) const;

 private:
  void Add(bool error, std::string text, bool asIs);

  To to_;
  std::vector<Line> lines_;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_OPTIONS_COMMAND_REPORT_H_
