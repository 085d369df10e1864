// The output font file: a stream of tagged records (16-bit tag, 16-bit
// length, payload), all numbers little-endian, carrying the font parameters,
// one record per glyph and an end record.
#ifndef VEXOCNVT_STORE_OUTPUT_FONT_FILE_H_
#define VEXOCNVT_STORE_OUTPUT_FONT_FILE_H_

#include <cstdint>

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
// Ten single parameter records, three code page vector records and the end
// record; the date record's payload is the five characters "Today".
constexpr int kFixedPartSize = 9 * (kRecordFrameSize + 2) +
                               (kRecordFrameSize + 5) +
                               3 * (kRecordFrameSize + 2) + kRecordFrameSize;
static_assert(kFixedPartSize == 85);
constexpr int kGlyphRecordFileSize = kRecordFrameSize + 112;

// Writes the output font file named by Settings.outputFontFile from Settings
// and the glyph table, replacing any file of that name whole (new files get
// mode 0655; see store/output_file.h). Returns 0 when the file is written
// and closed. Returns -1 when it cannot be opened or a write or the close
// fails, after printing the line that names it on standard error; the
// previous file of that name is then left as it was.
int WriteOutputFontFile();

#endif  // VEXOCNVT_STORE_OUTPUT_FONT_FILE_H_
