#include "store/output_names.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "store/output_file.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32
// Symbolic links are rare on Windows and followed by the system itself.
int ResolveLinks(const char* name, char* resolved) {
  std::snprintf(resolved, kOutputPathSize, "%s", name);
  return std::strlen(name) < kOutputPathSize ? 0 : ENAMETOOLONG;
}
// No names of the standard streams but the console's, a device.
int StandardStreamOf(const char*) { return -1; }
int WriteThrough(int) { return -1; }
#else
namespace {

// Whether the kernel's protected-symlink rule refuses to follow the link
// `link` (whose own status is `info`): a link in a sticky folder that anyone
// may write to is followed only by its owner or when the folder's owner owns
// it, so that nobody can plant a link in /tmp that makes root write a file
// elsewhere.
bool ProtectedLink(const char* link, const struct stat& info) {
  char folder[kOutputPathSize];
  const char* slash = std::strrchr(link, '/');
  if (slash == nullptr) {
    std::snprintf(folder, sizeof(folder), ".");
  } else {
    std::snprintf(folder, sizeof(folder), "%.*s",
                  slash == link ? 1 : int(slash - link), link);
  }
  struct stat parent;
  if (stat(folder, &parent) != 0) return false;
  const bool sticky_and_open =
      (parent.st_mode & S_ISVTX) != 0 && (parent.st_mode & S_IWOTH) != 0;
  return sticky_and_open && info.st_uid != geteuid() &&
         info.st_uid != parent.st_uid;
}

}  // namespace

// Follows symbolic links from `name` to the name that gets the bytes, which
// may not exist yet (a dangling link). Returns 0, or ELOOP for a loop of
// links, ENAMETOOLONG for a path too long to hold, EACCES for a link the
// protected-symlink rule refuses.
int ResolveLinks(const char* name, char* resolved) {
  if (std::strlen(name) >= kOutputPathSize) return ENAMETOOLONG;
  std::snprintf(resolved, kOutputPathSize, "%s", name);
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (lstat(resolved, &info) != 0 || !S_ISLNK(info.st_mode)) return 0;
    if (ProtectedLink(resolved, info)) return EACCES;
    char target[kOutputPathSize];
    const ssize_t length = readlink(resolved, target, sizeof(target) - 1);
    if (length < 0) return 0;
    target[length] = '\0';
    if (target[0] == '/') {
      std::snprintf(resolved, kOutputPathSize, "%s", target);
      continue;
    }
    // A relative target counts from the link's own folder.
    char* slash = std::strrchr(resolved, '/');
    const int folder = slash == nullptr ? 0 : int(slash - resolved) + 1;
    char joined[kOutputPathSize];
    const int need = std::snprintf(joined, sizeof(joined), "%.*s%s", folder,
                                   resolved, target);
    if (need < 0 || need >= kOutputPathSize) return ENAMETOOLONG;
    std::memcpy(resolved, joined, static_cast<size_t>(need) + 1);
  }
  return ELOOP;
}

// The descriptor that a standard-stream name designates: 1 for /dev/stdout,
// 2 for /dev/stderr, N for /dev/fd/N and /proc/self/fd/N; -1 for any other
// name or a descriptor that is not open.
int StandardStreamOf(const char* name) {
  int fd = -1;
  if (std::strcmp(name, "/dev/stdout") == 0) {
    fd = 1;
  } else if (std::strcmp(name, "/dev/stderr") == 0) {
    fd = 2;
  } else {
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
      const size_t n = std::strlen(prefix);
      if (std::strncmp(name, prefix, n) != 0) continue;
      const char* digits = name + n;
      if (*digits < '0' || *digits > '9' || std::strlen(digits) > 6) break;
      fd = 0;
      for (const char* d = digits; *d != '\0'; ++d) {
        if (*d < '0' || *d > '9') return -1;
        fd = fd * 10 + (*d - '0');
      }
    }
  }
  if (fd < 0 || fcntl(fd, F_GETFD) == -1) return -1;
  return fd;
}

// A descriptor of our own for the stream, its buffered text written first.
int WriteThrough(int fd) {
  if (fd == 1) std::fflush(stdout);
  if (fd == 2) std::fflush(stderr);
  return fcntl(fd, F_DUPFD_CLOEXEC, 3);
}
#endif
