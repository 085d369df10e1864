#include "vexofont/make/source_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>

#include "platform/system_names.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vexo {

namespace {

// What the run's source fonts hold whole now.
uint64_t heldTotal = 0;

// The fonts held whole, by file, so that a file opened again (another face
// of a collection, the same font as a fallback) is read once.
std::map<std::string, std::weak_ptr<const std::vector<unsigned char>>> heldFiles;

// The sources read once, whole (pipes), by name, and the reason of those
// that could not be.
struct PipedSource {
  std::shared_ptr<const std::vector<unsigned char>> bytes;
  std::string error;
};
std::map<std::string, PipedSource> pipedSources;

// Reads of a plain file go in aligned blocks of this size, and this many of
// them are kept.
constexpr size_t kReadBlock = 16 * 1024;
constexpr size_t kKeptBlocks = 32;

#ifdef _WIN32
using FileStatus = struct _stat64;
int StatusOf(int fd, FileStatus* status) { return _fstat64(fd, status); }
bool Regular(const FileStatus& status) {
  return (status.st_mode & _S_IFMT) == _S_IFREG;
}
// Positioned reads: this program reads one file on one thread.
long ReadDescriptorAt(int fd, uint64_t offset, unsigned char* buffer, size_t count) {
  if (_lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0) return -1;
  return _read(fd, buffer, static_cast<unsigned>(count));
}
long ReadDescriptor(int fd, unsigned char* buffer, size_t count) {
  return _read(fd, buffer, static_cast<unsigned>(count));
}
// No inode numbers here: a file is known by its name, size and time.
std::string KeyOf(const FileStatus& status, const std::string& path) {
  return path + "|" + std::to_string(status.st_size) + "|" +
         std::to_string(status.st_mtime);
}
#else
using FileStatus = struct stat;
int StatusOf(int fd, FileStatus* status) { return fstat(fd, status); }
bool Regular(const FileStatus& status) { return S_ISREG(status.st_mode); }
long ReadDescriptorAt(int fd, uint64_t offset, unsigned char* buffer, size_t count) {
  return pread(fd, buffer, count, static_cast<off_t>(offset));
}
long ReadDescriptor(int fd, unsigned char* buffer, size_t count) {
  return read(fd, buffer, count);
}
std::string KeyOf(const FileStatus& status, const std::string&) {
  return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino) +
         "|" + std::to_string(status.st_size) + "|" +
         std::to_string(status.st_mtime);
}
#endif

bool WithinBound(uint64_t more) {
  return heldTotal + more <= kMaxHeldSourceBytes;
}

// Reads the rest of `fd` into *bytes, at most `limit` bytes; false with the
// reason when it holds more or cannot be read.
bool ReadRest(int fd, size_t limit, std::vector<unsigned char>* bytes,
              std::string* error) {
  unsigned char chunk[65536];
  for (;;) {
    const long got = ReadDescriptor(fd, chunk, sizeof(chunk));
    if (got == 0) return true;
    if (got < 0) {
      *error = "cannot be read";
      return false;
    }
    if (bytes->size() + static_cast<size_t>(got) > limit) {
      *error = "is too large to be read whole";
      return false;
    }
    if (!WithinBound(bytes->size() + static_cast<size_t>(got))) {
      *error = HeldBytesError();
      return false;
    }
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
}

bool IsGzip(const std::vector<unsigned char>& bytes, size_t at = 0) {
  return bytes.size() >= at + 2 && bytes[at] == 0x1F && bytes[at + 1] == 0x8B;
}

// Uncompresses gzip data, member after member (bytes after the last member
// that start no other are ignored, as gzip ignores them). False with the
// reason.
bool Gunzip(const std::vector<unsigned char>& packed,
            std::vector<unsigned char>* bytes, std::string* error) {
  z_stream stream{};
  if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
    *error = "cannot be uncompressed";
    return false;
  }
  // The last member's size, from its trailer, is a good first guess.
  if (packed.size() >= 18) {
    const size_t tail = packed.size() - 4;
    const uint32_t size = uint32_t(packed[tail]) | uint32_t(packed[tail + 1]) << 8 |
                          uint32_t(packed[tail + 2]) << 16 |
                          uint32_t(packed[tail + 3]) << 24;
    if (size <= kMaxUncompressedFont && WithinBound(size)) bytes->reserve(size);
  }
  stream.next_in = const_cast<unsigned char*>(packed.data());
  stream.avail_in = static_cast<uInt>(packed.size());
  unsigned char chunk[65536];
  bool sound = true;
  for (;;) {
    stream.next_out = chunk;
    stream.avail_out = sizeof(chunk);
    const int result = inflate(&stream, Z_NO_FLUSH);
    const size_t got = sizeof(chunk) - stream.avail_out;
    const bool tooLarge = bytes->size() + got > kMaxUncompressedFont;
    if (tooLarge || !WithinBound(bytes->size() + got)) {
      *error = tooLarge ? "is too large once uncompressed" : HeldBytesError();
      inflateEnd(&stream);
      return false;
    }
    bytes->insert(bytes->end(), chunk, chunk + got);
    if (result == Z_STREAM_END) {
      const size_t at = packed.size() - stream.avail_in;
      if (!IsGzip(packed, at) || inflateReset(&stream) != Z_OK) break;
      continue;
    }
    if (result != Z_OK && !(result == Z_BUF_ERROR && got > 0)) {
      sound = false;
      break;
    }
  }
  inflateEnd(&stream);
  if (!sound) *error = "is a broken gzip file";
  return sound;
}

// The bytes of a font read whole, counted in heldTotal while they live.
std::shared_ptr<const std::vector<unsigned char>> Held(
    std::vector<unsigned char>* bytes) {
  const uint64_t size = bytes->capacity();
  heldTotal += size;
  return std::shared_ptr<const std::vector<unsigned char>>(
      new std::vector<unsigned char>(std::move(*bytes)),
      [size](const std::vector<unsigned char>* held) {
        heldTotal -= size;
        delete held;
      });
}

}  // namespace

bool ReadSourceOnce(const std::string& path,
                    std::shared_ptr<const std::vector<unsigned char>>* bytes,
                    std::string* error) {
  bytes->reset();
  const auto known = pipedSources.find(path);
  if (known != pipedSources.end()) {
    *bytes = known->second.bytes;
    *error = known->second.error;
    return error->empty();
  }
  if (NameIsFolder(path.c_str())) return true;
  const int fd = OpenRawDescriptorForReading(path.c_str());
  FileStatus status;
  if (fd < 0 || StatusOf(fd, &status) != 0 || Regular(status)) {
    if (fd >= 0) CloseRawDescriptor(fd);
    return true;  // a plain file, or one whose reader says why not
  }
  std::vector<unsigned char> raw;
  PipedSource& piped = pipedSources[path];
  if (ReadRest(fd, kMaxPipedSource, &raw, &piped.error)) piped.bytes = Held(&raw);
  CloseRawDescriptor(fd);
  *bytes = piped.bytes;
  *error = piped.error;
  return error->empty();
}

SourceBytes::~SourceBytes() {
  if (fd_ >= 0) CloseRawDescriptor(fd_);
}

namespace {

// The bytes of a font held whole: gzip data uncompressed, anything else as
// it is. Null, with the reason, on failure.
std::shared_ptr<const std::vector<unsigned char>> Whole(
    std::shared_ptr<const std::vector<unsigned char>> raw, std::string* error) {
  if (!IsGzip(*raw)) return raw;
  std::vector<unsigned char> plain;
  if (!Gunzip(*raw, &plain, error)) return nullptr;
  raw.reset();
  return Held(&plain);
}

}  // namespace

std::shared_ptr<SourceBytes> SourceBytes::Open(const std::string& path,
                                               std::string* error) {
  if (NameIsFolder(path.c_str())) {
    *error = "is a folder";
    return nullptr;
  }
  std::shared_ptr<SourceBytes> bytes(new SourceBytes);
  std::shared_ptr<const std::vector<unsigned char>> piped;
  if (!ReadSourceOnce(path, &piped, error)) return nullptr;
  if (piped != nullptr) {
    bytes->memory_ = Whole(piped, error);
  } else {
    bytes->fd_ = OpenRawDescriptorForReading(path.c_str());
    FileStatus status;
    if (bytes->fd_ < 0 || StatusOf(bytes->fd_, &status) != 0) {
      *error = "cannot be opened";
      return nullptr;
    }
    if (!Regular(status)) {
      *error = "cannot be read";  // it was a pipe a moment ago
      return nullptr;
    }
    bytes->size_ = static_cast<uint64_t>(status.st_size);
    if (!bytes->OpenPlain(KeyOf(status, path), error)) return nullptr;
    if (bytes->memory_ == nullptr) return bytes;  // read as it is used
    CloseRawDescriptor(bytes->fd_);
    bytes->fd_ = -1;
  }
  if (bytes->memory_ == nullptr) return nullptr;
  bytes->size_ = bytes->memory_->size();
  return bytes;
}

bool SourceBytes::OpenPlain(const std::string& key, std::string* error) {
  const auto known = heldFiles.find(key);
  if (known != heldFiles.end()) memory_ = known->second.lock();
  if (memory_ != nullptr) return true;
  unsigned char start[9] = {};
  const size_t got = ReadAt(0, start, sizeof(start));
  const bool gzip = got >= 2 && start[0] == 0x1F && start[1] == 0x8B;
  const bool bdf = got == sizeof(start) && std::memcmp(start, "STARTFONT", 9) == 0;
  const bool within = size_ <= kMaxUncompressedFont && WithinBound(size_);
  // Any other font is read whole where it fits, as fast as FreeType's own
  // mapping of the file; else FreeType reads it as it needs it.
  if (!gzip && !bdf && !within) return true;
  if (size_ > kMaxUncompressedFont) {
    *error = gzip ? "is too large once uncompressed" : "is too large for a BDF font";
    return false;
  }
  if (!within) {
    *error = HeldBytesError();
    return false;
  }
  std::vector<unsigned char> raw(static_cast<size_t>(size_));
  if (ReadAt(0, raw.data(), raw.size()) != raw.size()) {
    *error = "cannot be read";
    return false;
  }
  memory_ = Whole(Held(&raw), error);
  if (memory_ == nullptr) return false;
  for (auto file = heldFiles.begin(); file != heldFiles.end();) {
    file = file->second.expired() ? heldFiles.erase(file) : std::next(file);
  }
  heldFiles[key] = memory_;
  return true;
}

const SourceBytes::Block* SourceBytes::BlockAt(uint64_t offset) {
  const uint64_t at = offset - offset % kReadBlock;
  Block* oldest = nullptr;
  for (Block& block : blocks_) {
    if (block.at == at && !block.bytes.empty()) {
      block.used = ++clock_;
      return &block;
    }
    if (oldest == nullptr || block.used < oldest->used) oldest = &block;
  }
  if (blocks_.size() < kKeptBlocks) {
    blocks_.emplace_back();
    oldest = &blocks_.back();
  }
  oldest->bytes.resize(kReadBlock);
  const long got = ReadDescriptorAt(fd_, at, oldest->bytes.data(), kReadBlock);
  oldest->bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
  oldest->at = at;
  oldest->used = ++clock_;
  return offset < at + oldest->bytes.size() ? oldest : nullptr;
}

size_t SourceBytes::ReadAt(uint64_t offset, unsigned char* buffer, size_t count) {
  if (fd_ < 0 || offset >= size_) return 0;
  count = static_cast<size_t>(std::min<uint64_t>(count, size_ - offset));
  size_t done = 0;
  while (done < count) {
    const uint64_t at = offset + done;
    if (count - done >= kReadBlock) {
      // Large reads go straight to the caller.
      const long got = ReadDescriptorAt(fd_, at, buffer + done, count - done);
      if (got <= 0) break;
      done += static_cast<size_t>(got);
      continue;
    }
    const Block* block = BlockAt(at);
    if (block == nullptr) break;
    const size_t n = std::min(count - done,
                              static_cast<size_t>(block->at + block->bytes.size() - at));
    std::memcpy(buffer + done, block->bytes.data() + (at - block->at), n);
    done += n;
  }
  if (done < count) readFailed_ = true;
  return done;
}

HeldBytes::~HeldBytes() { Release(); }

bool HeldBytes::Take(uint64_t bytes) {
  Release();
  if (!WithinBound(bytes)) return false;
  heldTotal += bytes;
  bytes_ = bytes;
  return true;
}

void HeldBytes::Release() {
  heldTotal -= bytes_;
  bytes_ = 0;
}

std::string HeldBytesError() {
  return "would take the source fonts held whole past " +
         std::to_string(kMaxHeldSourceBytes >> 20) + " MB together";
}

}  // namespace vexo
