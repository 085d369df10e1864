#include "vexofont/readers/problem_list.h"

#include <algorithm>
#include <cstdarg>

#include "platform/console.h"

void AddProblem(ProblemList* problems, size_t offset, const char* format,
                ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  problems->push_back({offset, text});
}

void PrintProblems(std::FILE* stream, const char* fileName,
                   const ProblemList& problems) {
  ProblemList sorted = problems;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Problem& a, const Problem& b) {
                     return a.offset < b.offset;
                   });
  for (const Problem& problem : sorted) {
    PrintMessage(stream, "'%s' offset %zu: %s\n", fileName, problem.offset,
                 problem.text.c_str());
  }
}
