// Error lines on standard error. Progress goes to standard output through a
// buffer; standard output is flushed before every error line so that a
// reader of both streams together sees the lines in the order the steps ran.
#ifndef VEXOCNVT_STORE_CONSOLE_H_
#define VEXOCNVT_STORE_CONSOLE_H_

// Prints one formatted line to standard error after flushing standard output.
void PrintError(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif  // VEXOCNVT_STORE_CONSOLE_H_
