#include "fontinput/font_file_cache.h"

#include <sys/stat.h>

#include <cerrno>

#include "fontinput/font_header.h"

namespace {

// Reads the magic first, so that a device or a large file of something
// else is not read whole.
void ReadFontFile(const std::string& name, CachedFontFile* file) {
  errno = 0;
  file->result =
      ReadLimitedFile(name.c_str(), kFileTypeSize, &file->bytes, &file->cut);
  if (file->result == ReadResult::kRead &&
      InputFontKind(file->bytes.data(), file->bytes.size()) != FontKind::kNone) {
    file->bytes.clear();
    file->result = ReadLimitedFile(name.c_str(), kLargestInputFontFile,
                                   &file->bytes, &file->cut);
  }
  file->error = file->result == ReadResult::kRead ? 0 : errno;
}

}  // namespace

const CachedFontFile& FontFileCache::Read(const std::string& name) {
  struct stat info;
  std::unique_ptr<CachedFontFile>* slot = nullptr;
  if (stat(name.c_str(), &info) == 0 && info.st_ino != 0) {
    slot = &byFile_[{static_cast<uint64_t>(info.st_dev),
                     static_cast<uint64_t>(info.st_ino)}];
  } else if (errno != ENOENT) {
    slot = &byName_[name];
  } else {
    unnamed_.emplace_back();
    slot = &unnamed_.back();
  }
  if (*slot == nullptr) {
    *slot = std::make_unique<CachedFontFile>();
    ReadFontFile(name, slot->get());
  }
  return **slot;
}
