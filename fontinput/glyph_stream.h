// The glyph bodies of an input font file, read from the file in large
// blocks and handed out one glyph at a time where they lie in the block,
// without a copy and without a library call per glyph.
#ifndef VEXOCNVT_FONTINPUT_GLYPH_STREAM_H_
#define VEXOCNVT_FONTINPUT_GLYPH_STREAM_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace vexo {

// Bytes read from the file at a time. One stream is read at a time: the
// block is the converter's scratch block (store/scratch_block.h).
constexpr size_t kGlyphBlockSize = 128 * 1024;
// The largest glyph a stream hands out: 32 rows of 4 bytes.
constexpr size_t kMaxStreamGlyph = 128;

struct GlyphStream {
  std::FILE* file;
  size_t next;  // first byte of the block not yet handed out
  size_t end;   // bytes the block holds
  bool atEnd;   // a read came up short; nothing more will come
  long offset;  // where in the file the next read starts; -1: not known
};

// Starts reading `file` from where it stands (just after the header).
void StartGlyphStream(std::FILE* file, GlyphStream* stream);

// The next `size` bytes of the file (at most kMaxStreamGlyph), valid until
// the next call; null when fewer are left because the file ends or a read
// fails, and from then on for every call. The bytes of a glyph cut short
// count as read.
const uint8_t* NextGlyph(GlyphStream* stream, size_t size);

// Ends the stream: a seekable file is put back just after the last byte
// handed out, where reading one glyph at a time would have left it.
void FinishGlyphStream(GlyphStream* stream);

}  // namespace vexo

#endif  // VEXOCNVT_FONTINPUT_GLYPH_STREAM_H_
