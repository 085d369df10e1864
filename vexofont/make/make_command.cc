#include "vexofont/make/make_command.h"

#include <cstdio>

int RunMakeCommand(int, char**) {
  std::fprintf(stderr, "vexofont make: not built yet\n");
  return 1;
}
