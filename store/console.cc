#include "store/console.h"

#include <cstdarg>
#include <cstdio>

void PrintError(const char* format, ...) {
  std::fflush(stdout);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}
