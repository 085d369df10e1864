// What `vexofont check` finds in the lines of a configuration, as the
// converter's own reader reports them: keys that are not keys, values the
// converter skips or changes. It keeps the lines the listed fonts, the
// output name and the code page stand on, for the checks that follow.
#ifndef VEXOCNVT_VEXOFONT_CHECK_CONFIG_LINES_H_
#define VEXOCNVT_VEXOFONT_CHECK_CONFIG_LINES_H_

#include <string>
#include <vector>

#include "driver/config_file.h"
#include "vexofont/check/findings.h"

namespace vexo {

class ConfigLines {
 public:
  explicit ConfigLines(Findings* findings) : findings_(findings) {}

  // The reader's observer: `context` is a ConfigLines.
  static void Observe(void* context, const ConfigLine& line);

  // The line of the i-th name of font list `list` (its index in
  // kFontListKeys).
  int LineOfFile(int list, int i) const { return lineOfFile_[list][i]; }
  int outputLine() const { return outputLine_; }
  int codePageLine() const { return codePageLine_; }

 private:
  void Line(const ConfigLine& line);
  void Skipped(int line, const std::string& text);
  void Key(const ConfigLine& line, const std::string& text);
  void Number(const ConfigLine& line);

  Findings* findings_;
  bool lastWasKey_ = false;
  int longLineReported_ = 0;
  int nulLineReported_ = 0;
  std::vector<int> lineOfFile_[kFontListCount];
  int outputLine_ = 0;
  int codePageLine_ = 0;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CHECK_CONFIG_LINES_H_
