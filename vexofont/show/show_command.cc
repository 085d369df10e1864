#include "vexofont/show/show_command.h"

#include <cstdio>

int RunShowCommand(int, char**) {
  std::fprintf(stderr, "vexofont show: not built yet\n");
  return 1;
}
