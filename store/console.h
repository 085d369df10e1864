// Error lines on standard error. Progress goes to standard output through a
// buffer; standard output is flushed before every error line so that a
// reader of both streams together sees the lines in the order the steps ran.
#ifndef VEXOCNVT_STORE_CONSOLE_H_
#define VEXOCNVT_STORE_CONSOLE_H_

// Prints one formatted line to standard error after flushing standard output.
void PrintError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A standard stream the program was started without (its descriptor
// closed) is taken by the null device, opened the other way round, so that
// no file the program opens gets that descriptor (and progress lines
// written into an output file) and writing to the stream still fails as it
// would have. Call first thing in main.
void HoldStandardStreams();

#endif  // VEXOCNVT_STORE_CONSOLE_H_
