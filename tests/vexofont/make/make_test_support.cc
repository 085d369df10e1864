#include "make_test_support.h"

#include "vexofont/make/make_command.h"

namespace vexo {

CapturedRun RunReported(int (*command)(int, char**, CommandReport*),
                        std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  CommandReport report;
  CapturedRun run;
  run.status = command(static_cast<int>(words.size()), argv.data(), &report);
  run.out = report.Text(/*error=*/false);
  run.err = report.Text(/*error=*/true);
  return run;
}

CapturedRun RunMake(const std::vector<std::string>& args) {
  std::vector<std::string> words = {"make"};
  words.insert(words.end(), args.begin(), args.end());
  return RunReported(RunMakeCommand, std::move(words));
}

GlyphRows Rows(const std::vector<std::string>& picture) {
  GlyphRows rows;
  for (const std::string& line : picture) {
    uint32_t row = 0;
    for (size_t x = 0; x < line.size(); ++x) {
      if (line[x] == '#') row |= 0x80000000u >> x;
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace vexo
