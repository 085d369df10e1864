#include "fontinput/glyph_stream.h"

#include <cstring>

#include "store/scratch_block.h"

namespace vexo {

namespace {

uint8_t* const block = ScratchBlock;
static_assert(kGlyphBlockSize == kScratchBlockSize);

// Reads end where the file's own blocks do, so that the stream's buffer,
// which reads the file a block at a time, hands each read to the system
// whole instead of in two calls.
constexpr size_t kFileBlock = 4096;

}  // namespace

void StartGlyphStream(std::FILE* file, GlyphStream* stream) {
  *stream = {file, 0, 0, false, std::ftell(file)};
}

const uint8_t* NextGlyph(GlyphStream* stream, size_t size) {
  if (size > kMaxStreamGlyph) return nullptr;
  if (stream->end - stream->next < size) {
    if (stream->atEnd) {
      stream->next = stream->end;
      return nullptr;
    }
    // Keep the start of the glyph the block ends in, then fill the rest.
    const size_t kept = stream->end - stream->next;
    std::memmove(block, block + stream->next, kept);
    size_t want = kGlyphBlockSize - kept;
    if (stream->offset >= 0) {
      const size_t over = (static_cast<size_t>(stream->offset) + want) % kFileBlock;
      if (want - over >= size) want -= over;
    }
    const size_t got = std::fread(block + kept, 1, want, stream->file);
    if (stream->offset >= 0) stream->offset += static_cast<long>(got);
    stream->next = 0;
    stream->end = kept + got;
    if (got < want) stream->atEnd = true;
    if (stream->end < size) {
      stream->next = stream->end;
      return nullptr;
    }
  }
  const uint8_t* glyph = block + stream->next;
  stream->next += size;
  return glyph;
}

void FinishGlyphStream(GlyphStream* stream) {
  const size_t unread = stream->end - stream->next;
  if (unread > 0) {
    std::fseek(stream->file, -static_cast<long>(unread), SEEK_CUR);
  }
  stream->next = stream->end;
}

}  // namespace vexo
