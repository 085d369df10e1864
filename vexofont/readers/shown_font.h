// What `vexofont show` knows of a font file once it has read it: the
// file's parameters or header and every glyph as the stations print it.
#ifndef VEXOCNVT_VEXOFONT_READERS_SHOWN_FONT_H_
#define VEXOCNVT_VEXOFONT_READERS_SHOWN_FONT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fontinput/font_header.h"
#include "store/output_font_file.h"
#include "vexofont/readers/dot_picture.h"

namespace vexo {

// The most of a file the commands read for the readers: the largest sound
// file and a margin, so that a device or an endless stream is shown as a
// file that goes on too long, not read until memory runs out. An output
// font file is no larger than a full glyph table; an input font file no
// larger than an SBCS file of all 65536 codes at 32 rows (DBCS glyphs have
// at most 24 rows).
constexpr size_t kReadMargin = 65536;
constexpr size_t kMaxOutputFileRead = kLargestOutputFontFile + kReadMargin;
constexpr size_t kMaxFontFileRead =
    (kLargestOutputFontFile > kLargestInputFontFile ? kLargestOutputFontFile
                                                    : kLargestInputFontFile) +
    kReadMargin;

enum class FontFileKind { kOutput, kSbcsInput, kDbcsInput };

// The parameter records of an output font file; 0 where a record is absent.
struct OutputParameters {
  std::string date;
  uint16_t codePage = 0;
  uint16_t sbcsThermalWidth = 0;
  uint16_t sbcsThermalHeight = 0;
  uint16_t sbcsImpactWidth = 0;
  uint16_t sbcsImpactHeight = 0;
  uint16_t sbcsSpacing = 0;
  uint16_t dbcsSpacing = 0;
  uint16_t dbcsImpactNineRows = 0;
  int codePageVectorCount = 0;
  uint8_t codePageVector[3][2] = {};
};

// The header of an input font file, decoded as the converter decodes it
// (the vectors only for DBCS files), and what follows from it.
struct InputHeader : DbcsFontHeader {
  bool thermalAccepted = false;  // the converter loads it for the station
  bool impactAccepted = false;
  size_t glyphSize = 0;   // bytes of one glyph in the body
  size_t glyphCount = 0;  // glyphs the header implies
  // SBCS files the impact station takes: what it does not print of their
  // glyphs, "" when it prints every dot.
  std::string impactPrintProblem;
};

struct ShownGlyph {
  FontKind kind = FontKind::kNone;    // FontKind::kSbcs or FontKind::kDbcs
  uint16_t code = 0;   // SBCS: the code; DBCS: lead x 256 + trail
  size_t offset = 0;   // where the glyph's record or bytes begin
  bool thermal = false;  // the thermal station has it (or takes it)
  bool impact = false;
  DotPicture thermalDots;  // what the thermal station prints
  DotPicture impactDots;   // what the impact station prints
};

struct ShownFont {
  FontFileKind fileKind = FontFileKind::kOutput;
  size_t fileSize = 0;
  OutputParameters parameters;  // output files
  InputHeader header;           // input files
  std::vector<ShownGlyph> glyphs;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_READERS_SHOWN_FONT_H_
