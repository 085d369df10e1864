#include "store/output_font_file.h"

#include <cstdio>

#include "driver/converter_settings.h"
#include "store/console.h"
#include "store/glyph_table.h"
#include "store/little_endian.h"
#include "store/output_file.h"

namespace {

// A new output font file gets rw-r-xr-x less the umask; a file it replaces
// keeps its own bits.
constexpr unsigned kNewFileMode = 0655;

// Writes records to the open output file and keeps count of the bytes and
// whether every write went through.
struct RecordWriter {
  std::FILE* file;
  long bytes;
  bool failed;

  void Write(const uint8_t* data, size_t size) {
    if (failed) return;
    if (std::fwrite(data, 1, size, file) != size) failed = true;
    bytes += static_cast<long>(size);
  }

  // Each record goes out in two pieces: the frame, then the payload.
  void Record(uint16_t tag, const uint8_t* payload, uint16_t length) {
    uint8_t frame[kRecordFrameSize];
    EncodeFixed16(frame, tag);
    EncodeFixed16(frame + 2, length);
    Write(frame, sizeof(frame));
    if (length > 0) Write(payload, length);
  }

  void Number(uint16_t tag, uint16_t value) {
    uint8_t payload[2];
    EncodeFixed16(payload, value);
    Record(tag, payload, sizeof(payload));
  }

  // Writes every defined record of `kind`, in table order; returns how many.
  long Glyphs(uint16_t tag, uint8_t kind) {
    long written = 0;
    uint8_t payload[kGlyphRecordSize];
    for (const GlyphRecord& record : GlyphTable) {
      if (record.kind != kind) continue;
      if (record.thermalDefined != 1 && record.impactDefined != 1) continue;
      EncodeGlyphRecord(record, payload);
      Record(tag, payload, kGlyphRecordSize);
      ++written;
    }
    return written;
  }
};

}  // namespace

int WriteOutputFontFile() {
  const char* name = Settings.outputFontFile;
  std::printf("Opening '%s' for writing\n", name);
  OutputFile file;
  if (OpenOutputFile(name, kNewFileMode, &file) != 0) {
    PrintError("Could not open file '%s' for writing\n", name);
    return -1;
  }

  RecordWriter out = {file.stream, 0, false};
  static const uint8_t kDate[] = {'T', 'o', 'd', 'a', 'y'};
  out.Number(TagStart, 1);
  out.Record(TagDate, kDate, sizeof(kDate));
  out.Number(TagCodePage, Settings.codePage);
  out.Number(TagSbcsThermalWidth, Settings.sbcsThermalWidth);
  out.Number(TagSbcsThermalHeight, Settings.sbcsThermalHeight);
  out.Number(TagSbcsImpactWidth, Settings.sbcsImpactWidth);
  out.Number(TagSbcsImpactHeight, Settings.sbcsImpactHeight);
  out.Number(TagSbcsSpacing, Settings.sbcsSpacing);
  out.Number(TagDbcsSpacing, Settings.dbcsSpacing);
  out.Number(TagDbcsImpactNineRows, Settings.dbcsImpactNineRows);
  // Pairs 0 to 2 of the code page vector; the fourth pair is not written.
  for (int pair = 0; pair < 3; ++pair) {
    out.Record(TagCodePageVector, Settings.dbcsCodePageVector[pair], 2);
  }
  long glyphs = out.Glyphs(TagSbcsGlyph, kKindSbcs);
  glyphs += out.Glyphs(TagDbcsGlyph, kKindDbcs);
  out.Record(TagEnd, nullptr, 0);

  // The byte count always matches when every write went through; checking
  // it guards the layout against a record of the wrong size.
  const bool complete =
      out.bytes == kFixedPartSize + kGlyphRecordFileSize * glyphs;
  if (out.failed || !complete) {
    AbandonOutputFile(&file);
  } else if (CommitOutputFile(&file) == 0) {
    return 0;
  }
  // The previous file of that name, if any, is still there untouched.
  PrintError("Could not write file '%s'\n", name);
  return -1;
}
