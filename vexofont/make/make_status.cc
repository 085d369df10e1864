#include "vexofont/make/make_status.h"

#include <cstdarg>

void MakeReport::Output(const char* format, ...) {
  va_list args;
  va_start(args, format);
  lines_.push_back({false, FormattedText(format, args)});
  va_end(args);
}

void MakeReport::Error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  lines_.push_back({true, FormattedText(format, args)});
  va_end(args);
}

int MakeReport::Failed(int status, const char* format, ...) {
  va_list args;
  va_start(args, format);
  lines_.push_back({true, FormattedText(format, args)});
  va_end(args);
  return status;
}

int MakeUsageError(MakeReport* report, const std::string& text) {
  return report->Failed(kMakeUsage, "vexofont make: %s\n", text.c_str());
}
