// A user's own code page: a text file of `CODE U+XXXX` lines (codes in
// hexadecimal, comments after `#`), read instead of iconv's tables for a
// printer's own page or one iconv does not know.
#ifndef VEXOCNVT_VEXOFONT_MAKE_CODE_MAP_H_
#define VEXOCNVT_VEXOFONT_MAKE_CODE_MAP_H_

#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/codepage/code_page.h"

namespace vexo {

// The largest map read: all 65536 codes with a comment each are under 4 MB.
constexpr size_t kMaxCodeMapSize = size_t{8} << 20;

class CodeMap {
 public:
  // Reads the map of `path` for fonts of `kind`. Returns false with
  // *error set to "FILE:LINE: message" (or "FILE: message") on the first
  // mistake: a malformed line, a code beyond the kind's codes, a code given
  // twice, a value that is no character; a file longer than
  // kMaxCodeMapSize.
  bool Read(const std::string& path, FontKind kind, std::string* error);

  // The character of `code`; false where the map has none.
  bool Find(int code, uint32_t* character) const;

  // A code page numbered `number` for the map's codes: for DBCS the lead
  // and trail bytes of its codes as at most four ranges each (ranges
  // closest together are joined when there are more).
  CodePage AsCodePage(uint16_t number) const;

  size_t size() const { return count_; }

 private:
  FontKind kind_ = FontKind::kSbcs;
  std::vector<uint32_t> characters_ = std::vector<uint32_t>(65536, 0);
  std::vector<bool> present_ = std::vector<bool>(65536, false);
  size_t count_ = 0;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_CODE_MAP_H_
