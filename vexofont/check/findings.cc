#include "vexofont/check/findings.h"

namespace vexo {

void Findings::Problem(int line, const std::string& text) {
  report_->Output("%s:%d: %s\n", config_.c_str(), line, text.c_str());
  ++count_;
}

void Findings::Problem(const std::string& text) {
  report_->Output("%s: %s\n", config_.c_str(), text.c_str());
  ++count_;
}

void Findings::Info(const std::string& text) const {
  if (!quiet_) report_->Output("%s: %s\n", config_.c_str(), text.c_str());
}

}  // namespace vexo
