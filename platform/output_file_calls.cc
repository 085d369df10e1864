#include "platform/output_file_calls.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/system_names.h"

#ifdef _WIN32
#include <io.h>
#include <process.h>

#include <filesystem>
#include <system_error>
#else
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace vexo {

namespace file_calls {

#ifdef _WIN32

// Names reach the system as UTF-16 (platform/system_names.h).
int StatName(int, const char* path, bool, FileInfo* info) {
  // The C library's stat refuses a folder's name with a slash at its end.
  if (NameIsFolder(path)) {
    *info = FileInfo{};
    info->st_mode = _S_IFDIR;
    return 0;
  }
  return _wstat64(WideName(path).c_str(), info);
}
bool IsRegular(const FileInfo& info) {
  return (info.st_mode & _S_IFMT) == _S_IFREG;
}
bool IsFolder(const FileInfo& info) {
  return (info.st_mode & _S_IFMT) == _S_IFDIR;
}
int OpenNew(int, const char* path, unsigned) {
  // Permission bits mean nothing here; the file gets the folder's defaults.
  return _wopen(WideName(path).c_str(),
                _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int OpenExisting(int, const char* path, bool, const FileInfo&) {
  return _wopen(WideName(path).c_str(), _O_WRONLY | _O_BINARY);
}
std::FILE* StreamOn(int fd) { return _fdopen(fd, "wb"); }
void CloseDescriptor(int fd) { _close(fd); }
void RemoveName(int, const char* path) { _wunlink(WideName(path).c_str()); }
unsigned long ProcessNumber() { return static_cast<unsigned long>(_getpid()); }
// The C library's rename refuses an existing target here; the standard
// library's replaces it.
int ReplaceName(int, const char* from, const char* to) {
  std::error_code error;
  std::filesystem::rename(std::filesystem::path(WideName(from)),
                          std::filesystem::path(WideName(to)), error);
  if (!error) return 0;
  return error.category() == std::generic_category() ? error.value() : EACCES;
}
// Keeps the previous file's permission bits and owner; nothing to keep here.
void KeepAttributes(int, int, const FileInfo&) {}
int MayWrite(int, const char* path) {
  return _waccess(WideName(path).c_str(), 2) == 0 ? 0 : errno;
}
// The folder a new file would be made in must exist.
int MayMakeIn(const OutputPlace& place) {
  std::string folder(place.path);
  const size_t slash = folder.find_last_of("/\\:");
  folder = slash == std::string::npos ? "." : folder.substr(0, slash + 1);
  return NameIsFolder(folder.c_str()) ? 0 : ENOENT;
}
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

int StatName(int folder, const char* name, bool follow, FileInfo* info) {
  return fstatat(folder, name, info, follow ? 0 : AT_SYMLINK_NOFOLLOW);
}
bool IsRegular(const FileInfo& info) { return S_ISREG(info.st_mode); }
bool IsFolder(const FileInfo& info) { return S_ISDIR(info.st_mode); }
int OpenNew(int folder, const char* name, unsigned mode) {
  return openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                static_cast<mode_t>(mode));
}
// Opens what lies at `name` for writing, through no link (unless `follow`)
// and without waiting for a FIFO's reader before it is known to be the
// file `expected` describes: anything else there now (a link or FIFO put
// in its place after the check) is refused with EAGAIN, nothing written.
int OpenExisting(int folder, const char* name, bool follow,
                 const FileInfo& expected) {
  const int noFollow = follow ? 0 : O_NOFOLLOW;
  int fd = openat(folder, name, O_WRONLY | O_NONBLOCK | O_CLOEXEC | noFollow);
  if (fd < 0 && errno == ENXIO && S_ISFIFO(expected.st_mode)) {
    // A FIFO nobody reads yet: wait for its reader, as a plain open does.
    fd = openat(folder, name, O_WRONLY | O_CLOEXEC | noFollow);
  }
  if (fd < 0) {
    // A link where none was (ELOOP), a FIFO without a reader where a file
    // was (ENXIO): it changed since the check.
    if (errno == ELOOP || errno == ENXIO) errno = EAGAIN;
    return -1;
  }
  FileInfo now;
  if (fstat(fd, &now) != 0 || now.st_dev != expected.st_dev ||
      now.st_ino != expected.st_ino) {
    close(fd);
    errno = EAGAIN;
    return -1;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}
std::FILE* StreamOn(int fd) { return fdopen(fd, "wb"); }
void CloseDescriptor(int fd) { close(fd); }
void RemoveName(int folder, const char* name) { unlinkat(folder, name, 0); }
unsigned long ProcessNumber() { return static_cast<unsigned long>(getpid()); }
int ReplaceName(int folder, const char* from, const char* to) {
  return renameat(folder, from, folder, to) == 0 ? 0 : errno;
}
int MayWrite(int folder, const char* name) {
  return faccessat(folder, name, W_OK, AT_EACCESS) == 0 ? 0 : errno;
}
int MayMakeIn(const OutputPlace& place) {
  return faccessat(place.folder, ".", W_OK | X_OK, AT_EACCESS) == 0 ? 0 : errno;
}

// A replaced file keeps its permission bits but not set-user-ID and
// set-group-ID: the new bytes are a font, not the program those bits were
// granted to, and keeping them would let whoever chooses the bytes run them
// with the file owner's rights. File capabilities go for the same reason.
constexpr mode_t kKeptModeBits = 01777;

#ifdef __linux__
// Copies the extended attributes of `from` (access control lists among
// them) to `to`, but file capabilities; what cannot be copied is left.
void KeepExtendedAttributes(int from, int to) {
  std::vector<char> names(65536);
  const ssize_t length = flistxattr(from, names.data(), names.size());
  if (length <= 0) return;
  std::vector<char> value(65536);
  for (const char* name = names.data(); name < names.data() + length;
       name += std::strlen(name) + 1) {
    if (std::strcmp(name, "security.capability") == 0) continue;
    const ssize_t size = fgetxattr(from, name, value.data(), value.size());
    if (size >= 0) fsetxattr(to, name, value.data(), static_cast<size_t>(size), 0);
  }
}
#else
void KeepExtendedAttributes(int, int) {}
#endif

void KeepAttributes(int fd, int previousFd, const FileInfo& previous) {
  if (previous.st_uid != geteuid() || previous.st_gid != getegid()) {
    // Only root may give a file away; anyone else keeps their own owner.
    // (Changing the owner would clear the set-ID bits anyway.)
    if (fchown(fd, previous.st_uid, previous.st_gid) != 0) {
      // The new file stays ours; its bits are still the previous ones.
    }
  }
  fchmod(fd, previous.st_mode & kKeptModeBits);
  KeepExtendedAttributes(previousFd, fd);
}

bool IsDeviceName(const char*) { return false; }

#endif

}  // namespace file_calls

}  // namespace vexo
