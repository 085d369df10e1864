#include "store/output_font_file.h"

#include <cstdio>
#include <cstring>

#include "store/converter_settings.h"
#include "platform/console.h"
#include "store/glyph_table.h"
#include "store/little_endian.h"
#include "platform/output_file.h"
#include "store/scratch_block.h"

namespace vexo {

namespace {

// A new output font file gets rw-r-xr-x less the umask; a file it replaces
// keeps its own bits.
constexpr unsigned kNewFileMode = 0655;

// Records are laid out, frame then payload, in the scratch block, and the
// block goes to the file whenever it is full: a few large writes instead of
// two small ones per record. The record that crosses the block's end runs on
// into the room after it and starts the next block, so every write but the
// last is one whole block, which starts and ends on the file's pages: a
// write that leaves a page part-filled costs the system more than one that
// fills it.
constexpr size_t kBlockSize = kScratchBlockSize;
uint8_t* const block = ScratchBlock;

// The largest record: a glyph's frame and payload.
static_assert(kRecordFrameSize + kGlyphRecordSize <= kScratchTailSize);
static_assert(kDateLength <= kGlyphRecordSize &&
              kNumberLength <= kGlyphRecordSize);

// Writes records to the open output file and keeps count of the bytes and
// whether every write went through.
struct RecordWriter {
  std::FILE* file;
  long bytes;
  bool failed;
  size_t used;  // bytes of `block` waiting to be written

  // Room for `size` more bytes, at most a glyph record's, at the end of the
  // block or, once, past it.
  uint8_t* Reserve(size_t size) {
    if (used >= kBlockSize) WriteBlock();
    uint8_t* at = block + used;
    used += size;
    bytes += static_cast<long>(size);
    return at;
  }

  void Write(size_t size) {
    if (!failed && size > 0 && std::fwrite(block, 1, size, file) != size) {
      failed = true;
    }
  }

  // Writes the full block and moves what ran past it to the front.
  void WriteBlock() {
    Write(kBlockSize);
    used -= kBlockSize;
    std::memmove(block, block + kBlockSize, used);
  }

  // Writes whatever is waiting.
  void Flush() {
    Write(used);
    used = 0;
  }

  uint8_t* Frame(uint16_t tag, uint16_t length) {
    uint8_t* at = Reserve(kRecordFrameSize + length);
    EncodeFixed16(at, tag);
    EncodeFixed16(at + 2, length);
    return at + kRecordFrameSize;
  }

  void Record(uint16_t tag, const uint8_t* payload, uint16_t length) {
    uint8_t* at = Frame(tag, length);
    if (length > 0) std::memcpy(at, payload, length);
  }

  void Number(uint16_t tag, uint16_t value) {
    EncodeFixed16(Frame(tag, 2), value);
  }

  // Writes every defined record of `kind`, in table order; returns how many.
  // The walk ends after the last record of the kind: the SBCS records, all
  // among the first few hundred, need no walk over the whole table.
  long Glyphs(uint16_t tag, FontKind kind) {
    long written = 0;
    const int end = GlyphRecordsOfKindEnd(kind);
    for (int i = 0; i < end; ++i) {
      const GlyphRecord& record = GlyphTable[i];
      if (record.kind != KindByte(kind)) continue;
      if (record.thermalDefined != 1 && record.impactDefined != 1) continue;
      EncodeGlyphRecord(record, Frame(tag, kGlyphRecordSize));
      ++written;
    }
    return written;
  }
};

// The value of a number parameter record, from the run's settings.
uint16_t ParameterValue(uint16_t tag) {
  switch (tag) {
    case TagStart: return kStartValue;
    case TagCodePage: return Settings.codePage;
    case TagSbcsThermalWidth: return Settings.sbcsThermalWidth;
    case TagSbcsThermalHeight: return Settings.sbcsThermalHeight;
    case TagSbcsImpactWidth: return Settings.sbcsImpactWidth;
    case TagSbcsImpactHeight: return Settings.sbcsImpactHeight;
    case TagSbcsSpacing: return Settings.sbcsSpacing;
    case TagDbcsSpacing: return Settings.dbcsSpacing;
    case TagDbcsImpactNineRows: return Settings.dbcsImpactNineRows;
    default: return 0;
  }
}

}  // namespace

long WriteOutputFontRecords(std::FILE* stream) {
  RecordWriter out = {stream, 0, false, 0};
  for (int i = 0; i < kSingleParameterCount; ++i) {
    const uint16_t tag = kOutputTags[i].tag;
    if (tag == TagDate) {
      static const uint8_t kDate[kDateLength] = {'T', 'o', 'd', 'a', 'y'};
      out.Record(tag, kDate, kDateLength);
    } else {
      out.Number(tag, ParameterValue(tag));
    }
  }
  for (int pair = 0; pair < kCodePageVectorRecords; ++pair) {
    out.Record(TagCodePageVector, Settings.dbcsCodePageVector[pair],
               kNumberLength);
  }
  long glyphs = out.Glyphs(TagSbcsGlyph, FontKind::kSbcs);
  glyphs += out.Glyphs(TagDbcsGlyph, FontKind::kDbcs);
  out.Record(TagEnd, nullptr, 0);
  out.Flush();
  // The byte count always matches when every write went through; checking
  // it guards the layout against a record of the wrong size.
  const bool complete =
      out.bytes == kFixedPartSize + kGlyphRecordFileSize * glyphs;
  return out.failed || !complete ? -1 : out.bytes;
}

int WriteOutputFontFile() {
  const char* name = Settings.outputFontFile;
  std::printf("Opening '%s' for writing\n", name);
  OutputFile file;
  if (OpenOutputFile(name, kNewFileMode, &file) != 0) {
    PrintError("Could not open file '%s' for writing\n", name);
    return -1;
  }
  // The records reach the stream a whole block at a time: the stream's own
  // buffer would only split each block into two writes.
  std::setvbuf(file.stream, nullptr, _IONBF, 0);
  if (WriteOutputFontRecords(file.stream) < 0) {
    AbandonOutputFile(&file);
  } else if (CommitOutputFile(&file) == 0) {
    return 0;
  }
  // The previous file of that name, if any, is still there untouched.
  PrintError("Could not write file '%s'\n", name);
  return -1;
}

}  // namespace vexo
