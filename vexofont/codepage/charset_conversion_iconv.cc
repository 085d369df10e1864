// CharsetConversion through iconv.
#include <iconv.h>

#include "vexofont/codepage/charset_conversion.h"

namespace vexo {

CharsetConversion::~CharsetConversion() { Close(); }

bool CharsetConversion::Open(const char* to, const char* from) {
  Close();
  const iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  handle_ = cd;
  return true;
}

void CharsetConversion::Close() {
  if (handle_ != nullptr) iconv_close(static_cast<iconv_t>(handle_));
  handle_ = nullptr;
}

bool CharsetConversion::Convert(const char* in, size_t size,
                                std::string* out) const {
  out->clear();
  if (handle_ == nullptr) return false;
  const iconv_t cd = static_cast<iconv_t>(handle_);
  char input[16];
  if (size > sizeof(input)) return false;
  for (size_t i = 0; i < size; ++i) input[i] = in[i];
  char output[16];
  char* inPtr = input;
  char* outPtr = output;
  size_t inLeft = size;
  size_t outLeft = sizeof(output);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // the initial shift state
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) ||
      inLeft != 0 ||
      iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == size_t(-1)) {
    return false;
  }
  out->assign(output, sizeof(output) - outLeft);
  return true;
}

const char* CharsetConversion::Converter() { return "iconv"; }

}  // namespace vexo
