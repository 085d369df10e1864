#include "fontinput/glyph_stream.h"

#include <cstring>

#include "store/scratch_block.h"

namespace {

uint8_t* const block = ScratchBlock;
static_assert(kGlyphBlockSize == kScratchBlockSize);

}  // namespace

void StartGlyphStream(std::FILE* file, GlyphStream* stream) {
  *stream = {file, 0, 0, false};
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
    const size_t got =
        std::fread(block + kept, 1, kGlyphBlockSize - kept, stream->file);
    stream->next = 0;
    stream->end = kept + got;
    if (got < kGlyphBlockSize - kept) stream->atEnd = true;
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
