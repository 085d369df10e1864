#include "platform/output_file.h"

#include "platform/output_file_calls.h"
#include "platform/output_names.h"
#include "platform/pending_temporaries.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

#ifdef _WIN32
#include <filesystem>
#include <system_error>
#endif

namespace vexo {

namespace {

using namespace file_calls;

void (*outputCheckedHook)(const char* path) = nullptr;

bool IsSeparator(char c) {
#ifdef _WIN32
  if (c == '\\' || c == ':') return true;
#endif
  return c == '/';
}

// The file's own name in its folder (the whole path on Windows).
const char* NameOf(const OutputFile& file) {
  return file.place.path + file.place.nameAt;
}
const char* TempNameOf(const OutputFile& file) {
  return file.tempPath + file.tempAt;
}

// The temporary lives beside the file as ".NAME.XXXXXX.tmp", where NAME is
// at most the first 32 characters of the file's name, so that the
// temporary's name stays short whatever the file system's limit on names.
constexpr int kTempNameStem = 32;

// Makes and opens a new temporary beside the file; returns its descriptor
// or -1 with errno set.
int OpenTemporary(OutputFile* file, unsigned mode) {
  const char* path = file->place.path;
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
    file->tempAt = file->place.folder >= 0 ? base : 0;
    const int fd = OpenNew(file->place.folder, TempNameOf(*file), mode);
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
  RemoveName(file->place.folder, TempNameOf(*file));
  DropPendingTemporary(file->tempPath);
  file->tempPath[0] = '\0';
}

// Ends the file's hold on its folder and the temporary.
int Fail(OutputFile* file, int fd, int error) {
  if (fd >= 0) CloseDescriptor(fd);
  RemoveTemporary(file);
  CloseOutputPlace(&file->place);
  file->stream = nullptr;
  return error;
}

// What lies at the file's name now; *exists false for nothing. Returns 0
// or the errno value.
int StatPlace(const OutputFile& file, FileInfo* info, bool* exists) {
  *exists = StatName(file.place.folder, NameOf(file), file.place.throughLink,
                     info) == 0;
  if (*exists || errno == ENOENT || IsDeviceName(file.place.path)) return 0;
  return errno;
}

// Opens a temporary beside the file, or the file itself in place where
// that is a device or FIFO; sets *fd. Returns 0 or the errno value, after
// which nothing has changed.
int OpenReplacement(unsigned newFileMode, OutputFile* file, int* fd) {
  FileInfo previous;
  bool exists = false;
  const int error = StatPlace(*file, &previous, &exists);
  if (error != 0) return error;
  if (exists && IsFolder(previous)) return EISDIR;
  if (outputCheckedHook != nullptr) outputCheckedHook(file->place.path);
  if (IsDeviceName(file->place.path) || (exists && !IsRegular(previous))) {
    // A device or FIFO: written in place, never replaced.
    file->inPlace = true;
    *fd = OpenExisting(file->place.folder, NameOf(*file),
                       file->place.throughLink, previous);
    return *fd < 0 ? errno : 0;
  }
  // The file must be one we may write, as if it were written in place.
  int probe = -1;
  if (exists) {
    probe = OpenExisting(file->place.folder, NameOf(*file), false, previous);
    if (probe < 0) return errno;
  }
  *fd = OpenTemporary(file, newFileMode);
  const int openError = errno;
  if (*fd >= 0 && exists) KeepAttributes(*fd, probe, previous);
  if (probe >= 0) CloseDescriptor(probe);
  return *fd < 0 ? openError : 0;
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
    // A signal caught while the read waits (a pipe, a FIFO) is no fault
    // of the file: the read goes on.
    const bool interrupted = std::ferror(file) != 0 && errno == EINTR;
    if (interrupted) std::clearerr(file);
    if (got == 0 && !interrupted) break;
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
  file->tempAt = 0;
  file->place.folder = -1;
  int fd = -1;
  const int stream = StandardStreamOf(name);
  if (stream >= 0) {
    // A name of one of our own standard streams: written through the
    // stream, so that what it already holds (a log appended to) is kept.
    std::snprintf(file->place.path, kOutputPathSize, "%s", name);
    file->inPlace = true;
    fd = WriteThrough(stream);
    if (fd < 0) return errno;
  } else {
    // Every link on the way is checked first, so that none the
    // protected-symlink rule refuses is followed, whatever it leads to.
    int error = FindOutputPlace(name, &file->place);
    if (error == 0) error = OpenReplacement(newFileMode, file, &fd);
    if (error != 0) return Fail(file, -1, error);
  }
  file->stream = StreamOn(fd);
  if (file->stream == nullptr) return Fail(file, fd, errno);
  HoldFileSizeSignal();
  return 0;
}

int ProbeOutputFile(const char* name, bool* folder) {
  *folder = false;
  if (StandardStreamOf(name) >= 0) return 0;
  OutputFile file;
  file.tempPath[0] = '\0';
  int error = FindOutputPlace(name, &file.place);
  if (error != 0) {
    *folder = error == ENOENT || error == ENOTDIR;
    return error;
  }
  FileInfo info;
  bool exists = false;
  error = StatPlace(file, &info, &exists);
  if (error == 0 && exists && IsFolder(info)) error = EISDIR;
  if (error == 0 && exists) error = MayWrite(file.place.folder, NameOf(file));
  const bool replaced = !IsDeviceName(file.place.path) && (!exists || IsRegular(info));
  if (error == 0 && replaced) {
    error = MayMakeIn(file.place);
    *folder = error != 0;
  }
  CloseOutputPlace(&file.place);
  return error;
}

void SetOutputCheckedHook(void (*hook)(const char* path)) {
  outputCheckedHook = hook;
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
  if (file->inPlace || file->tempPath[0] == '\0') {
    CloseOutputPlace(&file->place);
    return 0;
  }
  const int error =
      ReplaceName(file->place.folder, TempNameOf(*file), NameOf(*file));
  if (error != 0) return Fail(file, -1, error);
  DropPendingTemporary(file->tempPath);
  file->tempPath[0] = '\0';
  CloseOutputPlace(&file->place);
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
  CloseOutputPlace(&file->place);
}

int WriteWholeFileUnpublished(const char* name, const void* data, size_t size,
                              unsigned newFileMode, OutputFile* file) {
  const int error = OpenOutputFile(name, newFileMode, file);
  if (error != 0) return error;
  errno = 0;
  if (size > 0 && std::fwrite(data, 1, size, file->stream) != size) {
    const int writeError = errno != 0 ? errno : EIO;
    AbandonOutputFile(file);
    return writeError;
  }
  return CloseOutputFile(file);
}

int WriteWholeFile(const char* name, const void* data, size_t size,
                   unsigned newFileMode) {
  OutputFile file;
  const int error =
      WriteWholeFileUnpublished(name, data, size, newFileMode, &file);
  return error != 0 ? error : PublishOutputFile(&file);
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

}  // namespace vexo
