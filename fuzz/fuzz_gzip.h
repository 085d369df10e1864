// Writing a fuzzer's input gzip-compressed, for the targets that read
// compressed fonts (they link zlib through the tool's libraries).
#ifndef VEXOCNVT_FUZZ_FUZZ_GZIP_H_
#define VEXOCNVT_FUZZ_FUZZ_GZIP_H_

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexo {

// Writes `size` bytes to `path` gzip-compressed; false on failure.
inline bool SaveCompressed(const std::string& path, const uint8_t* data,
                           size_t size) {
  gzFile file = gzopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool wrote =
      size == 0 || gzwrite(file, data, static_cast<unsigned>(size)) == int(size);
  return gzclose(file) == Z_OK && wrote;
}

}  // namespace vexo

#endif  // VEXOCNVT_FUZZ_FUZZ_GZIP_H_
