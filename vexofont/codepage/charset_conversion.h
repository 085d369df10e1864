// One conversion from one charset to another, the charsets named as iconv
// names them ("CP932", "UTF-32LE", "EUC-JP", "ISO-8859-5", ...): through
// iconv on POSIX systems (charset_conversion_iconv.cc), through the
// system's own code pages on Windows (charset_conversion_windows.cc).
// Everything else in vexofont converts characters through this class.
#ifndef VEXOCNVT_VEXOFONT_CODEPAGE_CHARSET_CONVERSION_H_
#define VEXOCNVT_VEXOFONT_CODEPAGE_CHARSET_CONVERSION_H_

#include <cstddef>
#include <string>

namespace vexo {

class CharsetConversion {
 public:
  CharsetConversion() = default;
  ~CharsetConversion();
  CharsetConversion(const CharsetConversion&) = delete;
  CharsetConversion& operator=(const CharsetConversion&) = delete;

  // Prepares the conversion from `from` to `to`; false when the platform
  // does not know either (the conversion is then closed).
  bool Open(const char* to, const char* from);
  bool IsOpen() const { return handle_ != nullptr; }
  void Close();

  // Converts `size` bytes, one whole sequence, into *out (at most 16
  // bytes). False when they are not a whole, valid sequence of `from` or
  // have no form in `to`.
  bool Convert(const char* in, size_t size, std::string* out) const;

  // What converts, for messages: "iconv" or "Windows".
  static const char* Converter();

 private:
  void* handle_ = nullptr;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CODEPAGE_CHARSET_CONVERSION_H_
