#include "vexofont/options/command_report.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace vexo {

void CommandReport::Add(bool error, std::string text, bool asIs) {
  if (to_ == To::kLines) {
    lines_.push_back({error, std::move(text)});
    return;
  }
  // Standard output is flushed before every line on standard error, so
  // that both streams together show the lines in the order they came.
  if (error) std::fflush(stdout);
  std::FILE* stream = error ? stderr : stdout;
  if (asIs) {
    std::fwrite(text.data(), 1, text.size(), stream);
  } else {
    PutMessage(stream, text.c_str());
  }
}

void CommandReport::OutputAsIs(std::string text) {
  Add(false, std::move(text), true);
}

void CommandReport::Output(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Add(false, FormattedText(format, args), false);
  va_end(args);
}

void CommandReport::Error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Add(true, FormattedText(format, args), false);
  va_end(args);
}

int CommandReport::Failed(int status, const char* format, ...) {
  va_list args;
  va_start(args, format);
  Add(true, FormattedText(format, args), false);
  va_end(args);
  return status;
}

std::string CommandReport::Text(bool error) const {
  std::string text;
  for (const Line& line : lines_) {
    if (line.error == error) text += line.text;
  }
  return text;
}

}  // namespace vexo
