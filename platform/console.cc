#include "platform/console.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vexo {

void PrintError(const char* format, ...) {
  std::fflush(stdout);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}

void PutMessage(std::FILE* stream, const char* text) {
  std::string shown;
  for (const char* p = text; *p != '\0'; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof(escaped), "\\x%02x", c);
      shown += escaped;
    } else {
      shown += static_cast<char>(c);
    }
  }
  std::fputs(shown.c_str(), stream);
}

std::string FormattedText(const char* format, std::va_list args) {
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
  va_end(again);
  return text;
}

void PrintMessage(std::FILE* stream, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = FormattedText(format, args);
  va_end(args);
  PutMessage(stream, text.c_str());
}

void HoldStandardStreams() {
#ifndef _WIN32
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1) continue;
    // Descriptors are given lowest first: this one takes `fd`.
    const int held = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (held >= 0 && held != fd) close(held);
  }
#endif
}

}  // namespace vexo
