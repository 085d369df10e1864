#include "store/output_file.h"

#include "store/output_names.h"
#include "store/pending_temporaries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

#ifdef _WIN32
#include <io.h>
#include <process.h>

#include <filesystem>
#include <system_error>
#else
#include <unistd.h>
#endif

namespace {

// The few calls that differ between the platforms. Everything here opens
// raw bytes: Windows would otherwise write every 0x0A byte as 0x0D 0x0A.
#ifdef _WIN32
using FileInfo = struct _stat64;

// Names reach the system as UTF-16 (store/system_names.h).
int StatFollowingLinks(const char* path, FileInfo* info) {
  return _wstat64(WideName(path).c_str(), info);
}
bool IsRegular(const FileInfo& info) {
  return (info.st_mode & _S_IFMT) == _S_IFREG;
}
bool IsFolder(const FileInfo& info) {
  return (info.st_mode & _S_IFMT) == _S_IFDIR;
}
int OpenNew(const char* path, unsigned) {
  // Permission bits mean nothing here; the file gets the folder's defaults.
  return _wopen(WideName(path).c_str(),
                _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int OpenExisting(const char* path) {
  return _wopen(WideName(path).c_str(), _O_WRONLY | _O_BINARY);
}
std::FILE* StreamOn(int fd) { return _fdopen(fd, "wb"); }
void CloseDescriptor(int fd) { _close(fd); }
void RemoveName(const char* path) { _wunlink(WideName(path).c_str()); }
unsigned long ProcessNumber() { return static_cast<unsigned long>(_getpid()); }
// The C library's rename refuses an existing target here; the standard
// library's replaces it.
int ReplaceName(const char* from, const char* to) {
  std::error_code error;
  std::filesystem::rename(std::filesystem::path(WideName(from)),
                          std::filesystem::path(WideName(to)), error);
  if (!error) return 0;
  return error.category() == std::generic_category() ? error.value() : EACCES;
}
// Keeps the previous file's permission bits and owner; nothing to keep here.
void KeepAttributes(int, const FileInfo&) {}
// NUL, CON, PRN, AUX, COM1 to COM9 and LPT1 to LPT9 name devices in every
// folder, with any extension: such a name is written in place.
bool IsDeviceName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '/' || *p == '\\' || *p == ':') name = p + 1;
  }
  char stem[8];
  int length = 0;
  while (name[length] != '\0' && name[length] != '.' && length < 7) {
    const char c = name[length];
    stem[length++] = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
  }
  if (name[length] != '\0' && name[length] != '.') return false;
  while (length > 0 && stem[length - 1] == ' ') --length;
  stem[length] = '\0';
  for (const char* device : {"NUL", "CON", "PRN", "AUX"}) {
    if (std::strcmp(stem, device) == 0) return true;
  }
  return length == 4 &&
         (std::strncmp(stem, "COM", 3) == 0 || std::strncmp(stem, "LPT", 3) == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}
#else
using FileInfo = struct stat;

int StatFollowingLinks(const char* path, FileInfo* info) {
  return stat(path, info);
}
bool IsRegular(const FileInfo& info) { return S_ISREG(info.st_mode); }
bool IsFolder(const FileInfo& info) { return S_ISDIR(info.st_mode); }
int OpenNew(const char* path, unsigned mode) {
  return open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
              static_cast<mode_t>(mode));
}
int OpenExisting(const char* path) {
  return open(path, O_WRONLY | O_CLOEXEC);
}
std::FILE* StreamOn(int fd) { return fdopen(fd, "wb"); }
void CloseDescriptor(int fd) { close(fd); }
void RemoveName(const char* path) { unlink(path); }
unsigned long ProcessNumber() { return static_cast<unsigned long>(getpid()); }
int ReplaceName(const char* from, const char* to) {
  return std::rename(from, to) == 0 ? 0 : errno;
}
// A replaced file keeps its permission bits but not set-user-ID and
// set-group-ID: the new bytes are a font, not the program those bits were
// granted to, and keeping them would let whoever chooses the bytes run them
// with the file owner's rights.
constexpr mode_t kKeptModeBits = 01777;

void KeepAttributes(int fd, const FileInfo& previous) {
  if (previous.st_uid != geteuid() || previous.st_gid != getegid()) {
    // Only root may give a file away; anyone else keeps their own owner.
    // (Changing the owner would clear the set-ID bits anyway.)
    if (fchown(fd, previous.st_uid, previous.st_gid) != 0) {
      // The new file stays ours; its bits are still the previous ones.
    }
  }
  fchmod(fd, previous.st_mode & kKeptModeBits);
}

bool IsDeviceName(const char*) { return false; }

#endif

bool IsSeparator(char c) {
#ifdef _WIN32
  if (c == '\\' || c == ':') return true;
#endif
  return c == '/';
}

// The temporary lives beside `path` as ".NAME.XXXXXX.tmp", where NAME is at
// most the first 32 characters of the file's name, so that the temporary's
// name stays short whatever the file system's limit on names.
constexpr int kTempNameStem = 32;

// Makes and opens a new temporary beside file->path; returns its descriptor
// or -1 with errno set.
int OpenTemporary(OutputFile* file, unsigned mode) {
  const char* path = file->path;
  int base = static_cast<int>(std::strlen(path));
  while (base > 0 && !IsSeparator(path[base - 1])) --base;
  static unsigned long counter = 0;
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned long seed = ProcessNumber() * 2654435761u ^
                         static_cast<unsigned long>(std::time(nullptr)) ^
                         (++counter * 40503u) ^
                         static_cast<unsigned long>(std::clock());
    char suffix[7];
    for (int i = 0; i < 6; ++i) {
      suffix[i] = kLetters[seed % 36];
      seed = seed / 36 + static_cast<unsigned long>(i) * 7919u;
    }
    suffix[6] = '\0';
    const int need = std::snprintf(file->tempPath, kOutputPathSize,
                                   "%.*s.%.*s.%s.tmp", base, path,
                                   kTempNameStem, path + base, suffix);
    if (need < 0 || need >= kOutputPathSize) {
      file->tempPath[0] = '\0';
      errno = ENAMETOOLONG;
      return -1;
    }
    const int fd = OpenNew(file->tempPath, mode);
    if (fd >= 0) {
      AddPendingTemporary(file->tempPath);
      return fd;
    }
    if (errno != EEXIST) break;
  }
  // The name tried is not ours to remove.
  const int error = errno;
  file->tempPath[0] = '\0';
  errno = error;
  return -1;
}

#ifdef SIGXFSZ
// A write past the file-size limit must fail like a full disk, so that the
// temporary is removed, instead of ending the process.
using SignalHandler = void (*)(int);
SignalHandler savedFileSizeSignal = SIG_DFL;
int openOutputFiles = 0;

void HoldFileSizeSignal() {
  if (openOutputFiles++ == 0) savedFileSizeSignal = std::signal(SIGXFSZ, SIG_IGN);
}
void ReleaseFileSizeSignal() {
  if (--openOutputFiles == 0) std::signal(SIGXFSZ, savedFileSizeSignal);
}
#else
void HoldFileSizeSignal() {}
void ReleaseFileSizeSignal() {}
#endif

// Removes the temporary, if any; the name is no longer ours.
void RemoveTemporary(OutputFile* file) {
  if (file->tempPath[0] == '\0') return;
  RemoveName(file->tempPath);
  DropPendingTemporary(file->tempPath);
  file->tempPath[0] = '\0';
}

int Fail(OutputFile* file, int fd, int error) {
  if (fd >= 0) CloseDescriptor(fd);
  RemoveTemporary(file);
  file->stream = nullptr;
  return error;
}

// Opens a temporary beside file->path (links resolved), or the file itself
// in place where that is a device; sets *fd. Returns 0 or the errno value,
// after which nothing has changed.
int OpenReplacement(unsigned newFileMode, OutputFile* file, int* fd) {
  FileInfo previous;
  const bool exists = StatFollowingLinks(file->path, &previous) == 0;
  if (!exists && errno != ENOENT && !IsDeviceName(file->path)) return errno;
  if (exists && IsFolder(previous)) return EISDIR;
  if (IsDeviceName(file->path) || (exists && !IsRegular(previous))) {
    // A device or FIFO: written in place, never replaced.
    file->inPlace = true;
    *fd = OpenExisting(file->path);
    return *fd < 0 ? errno : 0;
  }
  // The file must be one we may write, as if it were written in place.
  if (exists) {
    const int probe = OpenExisting(file->path);
    if (probe < 0) return errno;
    CloseDescriptor(probe);
  }
  *fd = OpenTemporary(file, newFileMode);
  if (*fd < 0) return Fail(file, -1, errno);
  if (exists) KeepAttributes(*fd, previous);
  return 0;
}

}  // namespace

ReadResult ReadLimitedStream(std::FILE* file, size_t limit,
                             std::vector<uint8_t>* bytes, bool* cut) {
  uint8_t chunk[65536];
  *cut = false;
  for (;;) {
    // Never more than the bound and one byte: that byte says more follows.
    const size_t want = std::min(sizeof(chunk), limit + 1 - std::min(limit, bytes->size()));
    const size_t got = std::fread(chunk, 1, want, file);
    if (got == 0) break;
    if (bytes->size() + got > limit) {
      bytes->insert(bytes->end(), chunk, chunk + (limit - bytes->size()));
      *cut = true;
      break;
    }
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
  return std::ferror(file) != 0 ? ReadResult::kCannotRead : ReadResult::kRead;
}

ReadResult ReadLimitedFile(const char* name, size_t limit,
                           std::vector<uint8_t>* bytes, bool* cut) {
  std::FILE* file = OpenRawFileForReading(name);
  if (file == nullptr) return ReadResult::kCannotOpen;
  const ReadResult result = ReadLimitedStream(file, limit, bytes, cut);
  std::fclose(file);
  return result;
}

int OpenOutputFile(const char* name, unsigned newFileMode, OutputFile* file) {
  file->stream = nullptr;
  file->inPlace = false;
  file->tempPath[0] = '\0';
  int fd = -1;
  const int stream = StandardStreamOf(name);
  FileInfo named;
  if (stream >= 0) {
    // A name of one of our own standard streams: written through the
    // stream, so that what it already holds (a log appended to) is kept.
    std::snprintf(file->path, kOutputPathSize, "%s", name);
    file->inPlace = true;
    fd = WriteThrough(stream);
    if (fd < 0) return errno;
  } else {
    // Links are checked first, so that none the protected-symlink rule
    // refuses is followed, whatever they lead to.
    const int link_error = ResolveLinks(name, file->path);
    if (link_error != 0) return link_error;
    if (StatFollowingLinks(name, &named) == 0 && !IsRegular(named) &&
        !IsFolder(named)) {
      // A device, FIFO or pipe, also through a link the system resolves
      // that names no file (pipe:[N]): written in place, never replaced.
      std::snprintf(file->path, kOutputPathSize, "%s", name);
      file->inPlace = true;
      fd = OpenExisting(name);
      if (fd < 0) return errno;
    } else {
      const int error = OpenReplacement(newFileMode, file, &fd);
      if (error != 0) return error;
    }
  }
  file->stream = StreamOn(fd);
  if (file->stream == nullptr) return Fail(file, fd, errno);
  HoldFileSizeSignal();
  return 0;
}

int CloseOutputFile(OutputFile* file) {
  if (file->stream == nullptr) return EBADF;
  errno = 0;
  int error = 0;
  if (std::fflush(file->stream) != 0 || std::ferror(file->stream) != 0) {
    error = errno != 0 ? errno : EIO;
  }
  if (std::fclose(file->stream) != 0 && error == 0) {
    error = errno != 0 ? errno : EIO;
  }
  file->stream = nullptr;
  ReleaseFileSizeSignal();
  return error != 0 ? Fail(file, -1, error) : 0;
}

int PublishOutputFile(OutputFile* file) {
  if (file->inPlace || file->tempPath[0] == '\0') return 0;
  const int error = ReplaceName(file->tempPath, file->path);
  if (error != 0) return Fail(file, -1, error);
  DropPendingTemporary(file->tempPath);
  file->tempPath[0] = '\0';
  return 0;
}

int CommitOutputFile(OutputFile* file) {
  const int error = CloseOutputFile(file);
  return error != 0 ? error : PublishOutputFile(file);
}

void AbandonOutputFile(OutputFile* file) {
  if (file->stream != nullptr) {
    std::fclose(file->stream);
    file->stream = nullptr;
    ReleaseFileSizeSignal();
  }
  RemoveTemporary(file);
}

int WriteWholeFile(const char* name, const void* data, size_t size,
                   unsigned newFileMode) {
  OutputFile file;
  const int error = OpenOutputFile(name, newFileMode, &file);
  if (error != 0) return error;
  errno = 0;
  if (size > 0 && std::fwrite(data, 1, size, file.stream) != size) {
    const int write_error = errno != 0 ? errno : EIO;
    AbandonOutputFile(&file);
    return write_error;
  }
  return CommitOutputFile(&file);
}

bool SameExistingFile(const char* a, const char* b) {
#ifdef _WIN32
  std::error_code error;
  return std::filesystem::equivalent(std::filesystem::path(WideName(a)),
                                     std::filesystem::path(WideName(b)),
                                     error) &&
         !error;
#else
  struct stat first, second;
  return stat(a, &first) == 0 && stat(b, &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
#endif
}
