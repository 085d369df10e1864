#include "vexofont/make/replace_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

int Fail(int fd, const std::string& temp, int saved_errno, std::string* error) {
  if (fd >= 0) close(fd);
  if (!temp.empty()) unlink(temp.c_str());
  *error = std::strerror(saved_errno);
  return -1;
}

}  // namespace

int ReplaceFile(const std::string& path, const Bytes& bytes,
                std::string* error) {
  std::string pattern = path + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) return Fail(-1, "", errno, error);
  const std::string temp(name.data());

  const mode_t mask = umask(0);
  umask(mask);
  if (fchmod(fd, 0666 & ~mask) != 0) return Fail(fd, temp, errno, error);

  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0) {
      if (errno == EINTR) continue;
      return Fail(fd, temp, errno, error);
    }
    done += static_cast<size_t>(wrote);
  }
  if (fsync(fd) != 0) return Fail(fd, temp, errno, error);
  if (close(fd) != 0) return Fail(-1, temp, errno, error);
  if (rename(temp.c_str(), path.c_str()) != 0) {
    return Fail(-1, temp, errno, error);
  }
  return 0;
}
