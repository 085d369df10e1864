#include "make_test_support.h"

#include "vexofont/make/make_command.h"

namespace vexo {

CapturedRun RunMake(const std::vector<std::string>& args) {
  std::vector<std::string> words = {"make"};
  words.insert(words.end(), args.begin(), args.end());
  return RunInProcess(RunMakeCommand, std::move(words));
}

}  // namespace vexo
