#include "vexofont/readers/problem_list.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace vexo {

void AddProblem(ProblemList* problems, size_t offset, const char* format,
                ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  problems->push_back({offset, text});
}

std::string ProblemLines(const char* fileName, const ProblemList& problems) {
  ProblemList sorted = problems;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Problem& a, const Problem& b) {
                     return a.offset < b.offset;
                   });
  std::string lines;
  for (const Problem& problem : sorted) {
    lines += "'" + std::string(fileName) + "' offset " +
             std::to_string(problem.offset) + ": " + problem.text + "\n";
  }
  return lines;
}

}  // namespace vexo
