#include "platform/output_names.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vexo {

#ifdef _WIN32
// Symbolic links are rare on Windows and followed by the system itself.
int FindOutputPlace(const char* name, OutputPlace* place) {
  place->folder = -1;
  place->nameAt = 0;
  place->throughLink = false;
  if (std::strlen(name) >= kOutputPathSize) return ENAMETOOLONG;
  std::snprintf(place->path, kOutputPathSize, "%s", name);
  return 0;
}
void CloseOutputPlace(OutputPlace* place) { place->folder = -1; }
// No names of the standard streams but the console's, a device.
int StandardStreamOf(const char*) { return -1; }
int WriteThrough(int) { return -1; }
#else
namespace {

// A folder held only to reach names in it: no read permission needed.
#ifdef O_PATH
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// The links one name may pass through, as the kernel allows.
constexpr int kMaxLinks = 40;

// Whether the kernel's protected-symlink rule refuses to follow the link
// whose own status is `link`, in `folder`: a link in a sticky folder that
// anyone may write to is followed only by its owner or when the folder's
// owner owns it, so that nobody can plant a link in /tmp that makes root
// write a file elsewhere.
bool ProtectedLink(int folder, const struct stat& link) {
  struct stat parent;
  if (fstat(folder, &parent) != 0) return false;
  const bool stickyAndOpen =
      (parent.st_mode & S_ISVTX) != 0 && (parent.st_mode & S_IWOTH) != 0;
  return stickyAndOpen && link.st_uid != geteuid() &&
         link.st_uid != parent.st_uid;
}

// A link's target that names one of the system's own objects rather than a
// file ("pipe:[123]", "socket:[456]"), as the links of /proc/N/fd/ do.
bool ObjectLink(const char* target) {
  return std::strchr(target, '/') == nullptr &&
         std::strstr(target, ":[") != nullptr;
}

// The walk's state: the parts still to walk, and the folder reached.
struct Walk {
  char rest[kOutputPathSize];
  size_t at = 0;
  int folder = -1;
  int used = 0;  // bytes of place->path, the folders reached
  int links = 0;
};

int Stop(Walk* walk, int error) {
  if (walk->folder >= 0) close(walk->folder);
  walk->folder = -1;
  return error;
}

// Starts again from the root (an absolute name or link) or, at the start
// of a relative name, from the working folder.
int StartAt(bool root, Walk* walk, OutputPlace* place) {
  if (walk->folder >= 0) close(walk->folder);
  walk->folder = open(root ? "/" : ".", kFolderFlags);
  if (walk->folder < 0) return errno;
  walk->used = std::snprintf(place->path, kOutputPathSize, "%s", root ? "/" : "");
  return 0;
}

// Appends `part` (and a slash after a folder) to the path reached.
int Reached(const char* part, size_t length, bool folder, Walk* walk,
            OutputPlace* place) {
  const int need = std::snprintf(place->path + walk->used,
                                 kOutputPathSize - static_cast<size_t>(walk->used),
                                 "%.*s%s", static_cast<int>(length), part,
                                 folder ? "/" : "");
  if (need < 0 || walk->used + need >= kOutputPathSize) return ENAMETOOLONG;
  walk->used += need;
  return 0;
}

// Puts the link `part`'s target in front of the parts after it.
int FollowLink(const char* part, size_t end, Walk* walk, OutputPlace* place,
               bool last) {
  char target[kOutputPathSize];
  const ssize_t length = readlinkat(walk->folder, part, target, sizeof(target) - 1);
  if (length < 0) return errno;
  target[length] = '\0';
  if (length == 0) return ENOENT;
  if (last && ObjectLink(target)) {
    place->throughLink = true;
    return Reached(part, std::strlen(part), false, walk, place);
  }
  char joined[kOutputPathSize];
  const int need = std::snprintf(joined, sizeof(joined), "%s%s", target,
                                 walk->rest + end);
  if (need < 0 || need >= kOutputPathSize) return ENAMETOOLONG;
  std::memcpy(walk->rest, joined, static_cast<size_t>(need) + 1);
  walk->at = 0;
  return target[0] == '/' ? StartAt(true, walk, place) : 0;
}

// Takes one part of the name: a folder is entered, a link followed, the
// last part left for the caller. Sets *done at the last part.
int Step(Walk* walk, OutputPlace* place, bool* done) {
  while (walk->rest[walk->at] == '/') ++walk->at;
  if (walk->rest[walk->at] == '\0') return EISDIR;  // ends in a folder
  size_t end = walk->at;
  while (walk->rest[end] != '\0' && walk->rest[end] != '/') ++end;
  const bool last = walk->rest[end] == '\0';
  char part[kOutputPathSize];
  std::snprintf(part, sizeof(part), "%.*s", static_cast<int>(end - walk->at),
                walk->rest + walk->at);
  const bool dot = std::strcmp(part, ".") == 0;
  if ((dot || std::strcmp(part, "..") == 0) && last) return EISDIR;
  if (dot) {
    walk->at = end;
    return 0;
  }
  struct stat info;
  if (fstatat(walk->folder, part, &info, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno != ENOENT || !last) return errno;
    *done = true;  // a new file
    place->nameAt = walk->used;
    return Reached(part, end - walk->at, false, walk, place);
  }
  if (S_ISLNK(info.st_mode)) {
    if (ProtectedLink(walk->folder, info)) return EACCES;
    if (++walk->links > kMaxLinks) return ELOOP;
    place->nameAt = walk->used;
    const int error = FollowLink(part, end, walk, place, last);
    *done = error == 0 && place->throughLink;
    return error;
  }
  if (last) {
    *done = true;
    place->nameAt = walk->used;
    return Reached(part, end - walk->at, false, walk, place);
  }
  if (!S_ISDIR(info.st_mode)) return ENOTDIR;
  const int next = openat(walk->folder, part, kFolderFlags | O_NOFOLLOW);
  if (next < 0) return errno;
  close(walk->folder);
  walk->folder = next;
  walk->at = end;
  return Reached(part, std::strlen(part), true, walk, place);
}

}  // namespace

int FindOutputPlace(const char* name, OutputPlace* place) {
  place->folder = -1;
  place->nameAt = 0;
  place->throughLink = false;
  place->path[0] = '\0';
  const size_t length = std::strlen(name);
  if (length == 0) return ENOENT;
  if (length >= kOutputPathSize) return ENAMETOOLONG;
  Walk walk;
  std::memcpy(walk.rest, name, length + 1);
  int error = StartAt(name[0] == '/', &walk, place);
  bool done = false;
  while (error == 0 && !done) error = Step(&walk, place, &done);
  if (error != 0) return Stop(&walk, error);
  place->folder = walk.folder;
  return 0;
}

void CloseOutputPlace(OutputPlace* place) {
  if (place->folder >= 0) close(place->folder);
  place->folder = -1;
}

int StandardStreamOf(const char* name) {
  int fd = -1;
  if (std::strcmp(name, "/dev/stdin") == 0) {
    fd = 0;
  } else if (std::strcmp(name, "/dev/stdout") == 0) {
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

int WriteThrough(int fd) {
  if (fd == 1) std::fflush(stdout);
  if (fd == 2) std::fflush(stderr);
  return fcntl(fd, F_DUPFD_CLOEXEC, 3);
}
#endif

}  // namespace vexo
