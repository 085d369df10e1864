// The problems found in a font file, each tied to the byte offset where it
// lies.
#ifndef VEXOCNVT_VEXOFONT_READERS_PROBLEM_LIST_H_
#define VEXOCNVT_VEXOFONT_READERS_PROBLEM_LIST_H_

#include <cstddef>
#include <string>
#include <vector>

namespace vexo {

struct Problem {
  size_t offset;
  std::string text;
};

using ProblemList = std::vector<Problem>;

// Appends a problem at `offset`, its text formatted as by printf (on
// Windows by mingw-w64's own printf, which knows %zu as the C library's
// does not).
#if defined(__MINGW32__)
#define VEXO_PROBLEM_FORMAT gnu_printf
#else
#define VEXO_PROBLEM_FORMAT printf
#endif
void AddProblem(ProblemList* problems, size_t offset, const char* format, ...)
    __attribute__((format(VEXO_PROBLEM_FORMAT, 3, 4)));

// Each problem as one line, "'FILE' offset N: TEXT\n", in the order of
// their offsets (problems at one offset in the order found), for the
// command to print.
std::string ProblemLines(const char* fileName, const ProblemList& problems);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_READERS_PROBLEM_LIST_H_
