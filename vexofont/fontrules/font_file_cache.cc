#include "vexofont/fontrules/font_file_cache.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "fontinput/font_header.h"

namespace vexo {

namespace {

// Reads the magic first, so that a device or a large file of something
// else is not read whole; the file is opened once, so that a FIFO is read
// as any file.
void ReadFontFile(const std::string& name, CachedFontFile* file) {
  errno = 0;
  std::FILE* stream = OpenRawFileForReading(name.c_str());
  if (stream == nullptr) {
    file->result = ReadResult::kCannotOpen;
    file->error = errno;
    return;
  }
  uint8_t magic[kFileTypeSize];
  const size_t got = std::fread(magic, 1, sizeof(magic), stream);
  file->bytes.assign(magic, magic + got);
  if (std::ferror(stream) != 0) {
    file->result = ReadResult::kCannotRead;
  } else if (InputFontKind(magic, got) != FontKind::kNone) {
    file->result = ReadLimitedStream(stream, kLargestInputFontFile,
                                     &file->bytes, &file->cut);
  } else {
    file->result = ReadResult::kRead;
    file->cut = std::fgetc(stream) != EOF;
  }
  file->error = file->result == ReadResult::kRead ? 0 : errno;
  std::fclose(stream);
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
    files_.push_back(slot->get());
  }
  CachedFontFile& file = **slot;
  if (!file.held) {
    file = CachedFontFile();
    ReadFontFile(name, &file);
    file.held = true;
  }
  file.used = ++clock_;
  Trim(&file);
  return file;
}

void FontFileCache::Trim(const CachedFontFile* keep) {
  size_t held = 0;
  for (const CachedFontFile* file : files_) held += file->bytes.capacity();
  while (held > kMaxCachedFontBytes) {
    CachedFontFile* oldest = nullptr;
    for (CachedFontFile* file : files_) {
      if (file == keep || file->bytes.capacity() == 0) continue;
      if (oldest == nullptr || file->used < oldest->used) oldest = file;
    }
    if (oldest == nullptr) return;
    held -= oldest->bytes.capacity();
    oldest->bytes = std::vector<uint8_t>();
    oldest->held = false;
  }
}

}  // namespace vexo
