// io_floor [--table RECORDS] OUTPUT_BYTES OUTPUT_FILE INPUT...: the least
// one process must do to convert the inputs: read every byte of every input
// file into its own memory, then write a new file of OUTPUT_BYTES bytes and
// rename it over OUTPUT_FILE, as the converter writes its output. read()
// and write() in 128 KiB blocks; nothing else: no copy_file_range, sendfile
// or splice, since a converter has to look at every byte it reads. Plain C
// calls only, so that the floor, like the converter, starts without the C++
// library.
//
// With --table, also the least that a table of RECORDS glyph records costs
// in memory, as the converter keeps one: the records lie in static storage
// placed as the converter places its table (its first 32 KiB before a 2 MiB
// boundary, a huge-page hint for the 2 MiB after it), each is written once
// for either station (the frame, the thermal half, then the impact half,
// the way the loaders fill them), and the output's glyph records are laid
// out from the table into the block, a frame and a copy each, before the
// block is written. No conversion, no lookup, no check: memory only.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr size_t kBlock = 128 * 1024;
alignas(4096) char block[kBlock];

constexpr size_t kRecord = 112;        // a glyph record
constexpr size_t kThermalHalf = 80;    // its frame bytes and thermal bitmap
constexpr size_t kFrame = 4;           // a record's tag and length in the file
constexpr size_t kFixedPart = 85;      // the parameter records and the end
constexpr long kMaxRecords = 20000;
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kHead = size_t(32) << 10;
alignas(4096) uint8_t tableStorage[kHugePage + kHead + kMaxRecords * kRecord];

uint8_t* PlaceTable() {
  const uintptr_t start = reinterpret_cast<uintptr_t>(tableStorage);
  const uintptr_t boundary = (start + kHead + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
  uint8_t* at = tableStorage + (boundary - kHead - start);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  madvise(at + kHead, kHugePage, MADV_HUGEPAGE);
#endif
  return at;
}

bool WriteAll(int out, const char* bytes, size_t size) {
  return write(out, bytes, size) == static_cast<ssize_t>(size);
}

}  // namespace

int main(int argc, char** argv) {
  long records = -1;
  if (argc > 2 && std::strcmp(argv[1], "--table") == 0) {
    records = std::atol(argv[2]);
    argc -= 2;
    argv += 2;
  }
  if (argc < 3 || records > kMaxRecords) {
    std::fprintf(stderr,
                 "usage: io_floor [--table RECORDS] OUTPUT_BYTES OUTPUT_FILE INPUT...\n");
    return 2;
  }
  const long long outputBytes = std::atoll(argv[1]);
  uint8_t* table = records >= 0 ? PlaceTable() : nullptr;
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
  // The two stations' halves of every record, from the bytes last read.
  for (long r = 0; r < records; ++r) {
    std::memcpy(table + r * kRecord, block + r % 1024 * 64, kThermalHalf);
  }
  for (long r = 0; r < records; ++r) {
    std::memcpy(table + r * kRecord + kThermalHalf, block + r % 1024 * 64,
                kRecord - kThermalHalf);
  }
  char temp[4096];
  std::snprintf(temp, sizeof(temp), "%s.floor-tmp", argv[2]);
  const int out = open(temp, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0) {
    std::perror(temp);
    return 1;
  }
  block[0] = static_cast<char>(sum);
  bool written = true;
  if (records < 0) {
    for (long long left = outputBytes; left > 0 && written;) {
      const size_t size = left < static_cast<long long>(kBlock) ? size_t(left) : kBlock;
      written = WriteAll(out, block, size);
      left -= static_cast<long long>(size);
    }
  } else {
    // The glyph records laid out from the table, a frame and a copy each,
    // whole blocks written as they fill.
    size_t used = kFixedPart - kFrame;  // the parameter records
    auto put = [&](const uint8_t* bytes, size_t size) {
      while (size > 0) {
        const size_t n = size < kBlock - used ? size : kBlock - used;
        std::memcpy(block + used, bytes, n);
        used += n;
        bytes += n;
        size -= n;
        if (used == kBlock) {
          written = written && WriteAll(out, block, kBlock);
          used = 0;
        }
      }
    };
    static const uint8_t kGlyphFrame[kFrame] = {0xF5, 0, kRecord, 0};
    static const uint8_t kEndFrame[kFrame] = {0xFE, 0, 0, 0};
    for (long r = 0; r < records; ++r) {
      put(kGlyphFrame, kFrame);
      put(table + r * kRecord, kRecord);
    }
    put(kEndFrame, kFrame);
    written = written && WriteAll(out, block, used);
  }
  if (!written) {
    std::perror(temp);
    return 1;
  }
  if (close(out) != 0 || std::rename(temp, argv[2]) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
