// The output font file: a stream of tagged records (16-bit tag, 16-bit
// length, payload), all numbers little-endian, carrying the font parameters,
// one record per glyph and an end record.
#ifndef VEXOCNVT_STORE_OUTPUT_FONT_FILE_H_
#define VEXOCNVT_STORE_OUTPUT_FONT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "store/glyph_table.h"

namespace vexo {

constexpr uint16_t TagDate = 234;
constexpr uint16_t TagStart = 235;
constexpr uint16_t TagCodePage = 236;
constexpr uint16_t TagCodePageVector = 237;
constexpr uint16_t TagSbcsThermalWidth = 239;
constexpr uint16_t TagSbcsThermalHeight = 240;
constexpr uint16_t TagSbcsImpactWidth = 241;
constexpr uint16_t TagSbcsImpactHeight = 242;
constexpr uint16_t TagDbcsSpacing = 243;
constexpr uint16_t TagSbcsSpacing = 244;
constexpr uint16_t TagDbcsGlyph = 245;
constexpr uint16_t TagSbcsGlyph = 246;
constexpr uint16_t TagDbcsImpactNineRows = 247;
constexpr uint16_t TagEnd = 254;

constexpr int kRecordFrameSize = 4;

// Every tag of the file with its name and its payload length, in the order
// the records are written: the ten single parameter records, the code page
// vector (written kCodePageVectorRecords times), the glyph records (SBCS
// first), the end record. The writer, vexofont show and the tests all take
// the layout from here.
struct OutputTag {
  uint16_t tag;
  const char* name;
  uint16_t length;
};
constexpr uint16_t kNumberLength = 2;
constexpr uint16_t kDateLength = 5;  // the characters "Today"
inline constexpr OutputTag kOutputTags[] = {
    {TagStart, "TagStart", kNumberLength},
    {TagDate, "TagDate", kDateLength},
    {TagCodePage, "TagCodePage", kNumberLength},
    {TagSbcsThermalWidth, "TagSbcsThermalWidth", kNumberLength},
    {TagSbcsThermalHeight, "TagSbcsThermalHeight", kNumberLength},
    {TagSbcsImpactWidth, "TagSbcsImpactWidth", kNumberLength},
    {TagSbcsImpactHeight, "TagSbcsImpactHeight", kNumberLength},
    {TagSbcsSpacing, "TagSbcsSpacing", kNumberLength},
    {TagDbcsSpacing, "TagDbcsSpacing", kNumberLength},
    {TagDbcsImpactNineRows, "TagDbcsImpactNineRows", kNumberLength},
    {TagCodePageVector, "TagCodePageVector", kNumberLength},
    {TagSbcsGlyph, "TagSbcsGlyph", kGlyphRecordSize},
    {TagDbcsGlyph, "TagDbcsGlyph", kGlyphRecordSize},
    {TagEnd, "TagEnd", 0},
};
constexpr int kOutputTagCount = sizeof(kOutputTags) / sizeof(kOutputTags[0]);
constexpr int kSingleParameterCount = 10;
// Pairs 0 to 2 of the code page vector; the fourth pair is not written.
constexpr int kCodePageVectorRecords = 3;
constexpr uint16_t kStartValue = 1;

// The index of `tag` in kOutputTags, or -1 for a tag the file never holds.
constexpr int OutputTagIndex(uint16_t tag) {
  for (int i = 0; i < kOutputTagCount; ++i) {
    if (kOutputTags[i].tag == tag) return i;
  }
  return -1;
}

constexpr int RecordFileSize(uint16_t tag) {
  return kRecordFrameSize + kOutputTags[OutputTagIndex(tag)].length;
}

// The parameter records and the end record: everything but the glyphs.
constexpr int FixedPartSize() {
  int size = 0;
  for (int i = 0; i < kSingleParameterCount; ++i) {
    size += kRecordFrameSize + kOutputTags[i].length;
  }
  return size + kCodePageVectorRecords * RecordFileSize(TagCodePageVector) +
         RecordFileSize(TagEnd);
}
constexpr int kFixedPartSize = FixedPartSize();
static_assert(kFixedPartSize == 85);
static_assert(kOutputTags[kSingleParameterCount].tag == TagCodePageVector);
constexpr int kGlyphRecordFileSize = RecordFileSize(TagSbcsGlyph);
static_assert(kGlyphRecordFileSize == kRecordFrameSize + 112);
// The largest output font file there is: a full glyph table.
constexpr size_t kLargestOutputFontFile =
    kFixedPartSize + size_t(kGlyphRecordFileSize) * kGlyphTableSize;

// Writes the records of the output font file, from Settings and the glyph
// table, to `stream`. Returns the byte count, or -1 when a write fails.
long WriteOutputFontRecords(std::FILE* stream);

// Writes the output font file named by Settings.outputFontFile from Settings
// and the glyph table, replacing any file of that name whole (new files get
// mode 0655; see platform/output_file.h). Returns 0 when the file is written
// and closed. Returns -1 when it cannot be opened or a write or the close
// fails, after printing the line that names it on standard error; the
// previous file of that name is then left as it was.
int WriteOutputFontFile();

}  // namespace vexo

#endif  // VEXOCNVT_STORE_OUTPUT_FONT_FILE_H_
