// io_floor OUTPUT_BYTES OUTPUT_FILE INPUT...: the least one process must do
// to convert the inputs: read every byte of every input file into its own
// memory, then write a new file of OUTPUT_BYTES bytes and rename it over
// OUTPUT_FILE, as the converter writes its output. read() and write() in
// 128 KiB blocks; nothing else: no copy_file_range, sendfile or splice,
// since a converter has to look at every byte it reads. Plain C calls only,
// so that the floor, like the converter, starts without the C++ library.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t kBlock = 128 * 1024;
alignas(4096) char block[kBlock];

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: io_floor OUTPUT_BYTES OUTPUT_FILE INPUT...\n");
    return 2;
  }
  const long long output_bytes = std::atoll(argv[1]);
  unsigned sum = 0;  // every byte read is looked at once
  for (int i = 3; i < argc; ++i) {
    const int fd = open(argv[i], O_RDONLY);
    if (fd < 0) {
      std::perror(argv[i]);
      return 1;
    }
    ssize_t got;
    while ((got = read(fd, block, kBlock)) > 0) {
      for (ssize_t b = 0; b < got; b += 64) sum += static_cast<unsigned char>(block[b]);
    }
    close(fd);
  }
  char temp[4096];
  std::snprintf(temp, sizeof(temp), "%s.floor-tmp", argv[2]);
  const int out = open(temp, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0) {
    std::perror(temp);
    return 1;
  }
  block[0] = static_cast<char>(sum);
  for (long long left = output_bytes; left > 0;) {
    const size_t size = left < static_cast<long long>(kBlock) ? size_t(left) : kBlock;
    if (write(out, block, size) != static_cast<ssize_t>(size)) {
      std::perror(temp);
      return 1;
    }
    left -= static_cast<long long>(size);
  }
  if (close(out) != 0 || std::rename(temp, argv[2]) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
