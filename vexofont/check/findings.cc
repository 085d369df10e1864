#include "vexofont/check/findings.h"

#include <cstdio>

#include "platform/console.h"

void Findings::Problem(int line, const std::string& text) {
  PrintMessage(stdout, "%s:%d: %s\n", config_.c_str(), line, text.c_str());
  ++count_;
}

void Findings::Problem(const std::string& text) {
  PrintMessage(stdout, "%s: %s\n", config_.c_str(), text.c_str());
  ++count_;
}

void Findings::Info(const std::string& text) const {
  if (!quiet_) PrintMessage(stdout, "%s: %s\n", config_.c_str(), text.c_str());
}
