// The findings of `vexofont check`: one line each for standard output, and
// their count.
#ifndef VEXOCNVT_VEXOFONT_CHECK_FINDINGS_H_
#define VEXOCNVT_VEXOFONT_CHECK_FINDINGS_H_

#include <string>
#include <utility>

#include "vexofont/options/command_report.h"

namespace vexo {

class Findings {
 public:
  // The lines go to *report.
  Findings(std::string config, bool quiet, CommandReport* report)
      : config_(std::move(config)), quiet_(quiet), report_(report) {}

  // "CONFIG:LINE: text", a finding at a line of the configuration.
  void Problem(int line, const std::string& text);
  // "CONFIG: text", a finding of the whole configuration.
  void Problem(const std::string& text);
  // "CONFIG: text", not a finding; left out with --quiet.
  void Info(const std::string& text) const;

  const std::string& config() const { return config_; }
  int count() const { return count_; }

 private:
  std::string config_;
  bool quiet_;
  CommandReport* report_;
  int count_ = 0;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CHECK_FINDINGS_H_
