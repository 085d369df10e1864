// A source font file's bytes, as FreeType reads them, never through a
// mapping of the file: a file cut short while it is read gives read
// errors, not a crash. A font is read whole (a gzip-compressed font
// uncompressed) and held in memory once: every face and every font of the
// run that opens the same file shares it, and all that the run holds whole
// is bounded together. A plain font file too large for that is read
// through positioned reads of its descriptor as FreeType needs its bytes.
#ifndef VEXOCNVT_VEXOFONT_MAKE_SOURCE_BYTES_H_
#define VEXOCNVT_VEXOFONT_MAKE_SOURCE_BYTES_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vexo {

// A compressed, BDF or piped font larger than this (uncompressed) is
// refused.
constexpr size_t kMaxUncompressedFont = size_t{64} << 20;
// What the run's source fonts may hold whole together (their bytes and, for
// BDF fonts, FreeType's glyph boxes): the largest single font and its boxes
// twice over, so that fallback fonts cannot add up beyond it.
constexpr uint64_t kMaxHeldSourceBytes = uint64_t{192} << 20;

class SourceBytes {
 public:
  ~SourceBytes();
  SourceBytes(const SourceBytes&) = delete;
  SourceBytes& operator=(const SourceBytes&) = delete;

  // Opens the font file `path`: gzip-compressed fonts are uncompressed,
  // BDF fonts and anything that is not a plain file (a pipe) read whole,
  // each at most kMaxUncompressedFont bytes and within kMaxHeldSourceBytes
  // for the run. Returns null with the reason (one phrase, no file name) in
  // *error.
  static std::shared_ptr<SourceBytes> Open(const std::string& path,
                                           std::string* error);

  // The bytes held whole, or null for a file read as it is used.
  const std::vector<unsigned char>* memory() const { return memory_.get(); }
  uint64_t size() const { return size_; }

  // Reads up to `count` bytes at `offset` of a file read as it is used;
  // returns how many were read. A read that comes back short of the size
  // the file had when it was opened is remembered (readFailed).
  size_t ReadAt(uint64_t offset, unsigned char* buffer, size_t count);
  // Whether the file gave fewer bytes than it held when opened: it changed
  // while it was read.
  bool readFailed() const { return readFailed_; }

 private:
  SourceBytes() = default;
  // A plain file: shared bytes of the same file held already, a gzip or BDF
  // font read whole, or nothing held (read as it is used). False with the
  // reason.
  bool OpenPlain(const std::string& key, std::string* error);

  int fd_ = -1;
  uint64_t size_ = 0;
  std::shared_ptr<const std::vector<unsigned char>> memory_;
  bool readFailed_ = false;
  // The blocks read last, so that FreeType's many small reads of a few
  // tables (the glyph index, the metrics, the outlines) cost few system
  // calls. Each holds the block of the file at `at`, used when `used`.
  struct Block {
    uint64_t at = 0;
    uint64_t used = 0;
    std::vector<unsigned char> bytes;
  };
  // The block of the file that holds `offset`, read now or before; null
  // when it cannot be read.
  const Block* BlockAt(uint64_t offset);
  std::vector<Block> blocks_;
  uint64_t clock_ = 0;
};

// The most a source that is not a plain file (a pipe) may carry: a glyph
// text or a font.
constexpr size_t kMaxPipedSource = size_t{96} << 20;

// A source that is not a plain file (a pipe, a FIFO) can be read only
// once: the first reader reads it whole, at most kMaxPipedSource bytes, and
// every later one (is it a glyph text? the font's faces) gets the same
// bytes. Sets *bytes null for a plain file or a folder, to be read as
// usual. Returns false, with the reason in *error, when the source cannot
// be read (again the same reason each time it is asked).
bool ReadSourceOnce(const std::string& path,
                    std::shared_ptr<const std::vector<unsigned char>>* bytes,
                    std::string* error);

// A share of kMaxHeldSourceBytes taken for as long as it lives (FreeType's
// glyph boxes of a BDF face). Take returns false, taking nothing, when the
// run's fonts would hold more than the bound.
class HeldBytes {
 public:
  HeldBytes() = default;
  ~HeldBytes();
  HeldBytes(const HeldBytes&) = delete;
  HeldBytes& operator=(const HeldBytes&) = delete;
  bool Take(uint64_t bytes);
  void Release();

 private:
  uint64_t bytes_ = 0;
};

// The reason a font is refused for the bound, for messages.
std::string HeldBytesError();

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_SOURCE_BYTES_H_
