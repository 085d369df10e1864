#include "make_test_support.h"

#include "vexofont/make/make_command.h"

CapturedRun RunMake(const std::vector<std::string>& args) {
  std::vector<std::string> words = {"make"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return CaptureOutput([&argv] {
    return RunMakeCommand(static_cast<int>(argv.size()) - 1, argv.data());
  });
}
