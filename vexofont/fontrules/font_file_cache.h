// The input font files a configuration lists, as the tools read them to
// tell what a run will do (vexofont check, vexofont show --config): each
// file read once, however often it is listed and by whatever names (links
// and hard links included), and no further than the largest input font
// file a sound header can describe. The files' bytes held together stay
// within kMaxCachedFontBytes: past it the files used longest ago let go of
// theirs, and are read again if listed again.
#ifndef VEXOCNVT_VEXOFONT_FONTRULES_FONT_FILE_CACHE_H_
#define VEXOCNVT_VEXOFONT_FONTRULES_FONT_FILE_CACHE_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/output_file.h"

namespace vexo {

// One file as read.
struct CachedFontFile {
  ReadResult result = ReadResult::kCannotOpen;
  int error = 0;  // the errno value of a failed read, or 0
  // Its bytes: the first 16 only when they are no input font file's magic,
  // else at most kLargestInputFontFile.
  std::vector<uint8_t> bytes;
  bool cut = false;  // the file goes on past what was read
  long used = 0;     // when it was last asked for
  bool held = false; // its bytes are held
};

// What the cache holds of the files' bytes at most (eight of the largest
// input font files).
constexpr size_t kMaxCachedFontBytes = size_t{64} << 20;

class FontFileCache {
 public:
  // The file `name`, read now or before. The record is valid until the
  // next call.
  const CachedFontFile& Read(const std::string& name);

 private:
  // Lets go of the bytes of the files used longest ago, but `keep`'s, until
  // what is held fits kMaxCachedFontBytes.
  void Trim(const CachedFontFile* keep);
  std::vector<CachedFontFile*> files_;
  long clock_ = 0;

  // Files by device and inode, or by name where the system gives no inode;
  // a name that cannot be looked at has a record of its own.
  std::map<std::pair<uint64_t, uint64_t>, std::unique_ptr<CachedFontFile>>
      byFile_;
  std::map<std::string, std::unique_ptr<CachedFontFile>> byName_;
  std::vector<std::unique_ptr<CachedFontFile>> unnamed_;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_FONTRULES_FONT_FILE_CACHE_H_
