// Error lines on standard error. Progress goes to standard output through a
// buffer; standard output is flushed before every error line so that a
// reader of both streams together sees the lines in the order the steps ran.
#ifndef VEXOCNVT_PLATFORM_CONSOLE_H_
#define VEXOCNVT_PLATFORM_CONSOLE_H_

#include <cstdarg>
#include <cstdio>
#include <string>

// printf's formats as the C library (or on Windows mingw-w64's own printf,
// which knows %zu) takes them.
#if defined(__MINGW32__)
#define VEXO_PRINTF_FORMAT gnu_printf
#else
#define VEXO_PRINTF_FORMAT printf
#endif

namespace vexo {

// Prints one formatted line to standard error after flushing standard output.
void PrintError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Prints a formatted message of the tools to `stream` with every control
// byte but line feeds and tabs shown as \xNN, so that no name in it (a
// file's, a font's) can steer a terminal. The converter's own messages are
// printed as they are (PrintError).
void PrintMessage(std::FILE* stream, const char* format, ...)
    __attribute__((format(VEXO_PRINTF_FORMAT, 2, 3)));

// `text` with its control bytes shown as PrintMessage shows them.
void PutMessage(std::FILE* stream, const char* text);

// The text printf would print for `format` and `args`.
std::string FormattedText(const char* format, std::va_list args);

// A standard stream the program was started without (its descriptor
// closed) is taken by the null device, opened the other way round, so that
// no file the program opens gets that descriptor (and progress lines
// written into an output file) and writing to the stream still fails as it
// would have. Call first thing in main.
void HoldStandardStreams();

}  // namespace vexo

#endif  // VEXOCNVT_PLATFORM_CONSOLE_H_
