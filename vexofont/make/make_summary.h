// What `vexofont make` tells of the font it wrote: the summary line and
// the warnings.
#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_SUMMARY_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_SUMMARY_H_

#include <string>
#include <vector>

#include "vexofont/make/glyph_sources.h"
#include "vexofont/make/input_font_builder.h"
#include "vexofont/make/make_status.h"
#include "vexofont/make/source_font.h"

namespace vexo {

// "1 glyph", "2 glyphs".
std::string Count(long long n, const char* one, const char* many);

// The summary line of a font made from source fonts, line feed included;
// `foundFile` the file of a main font given by name, or empty.
std::string Summary(const std::string& output, const FontRequest& request,
                    const SourceFont& font, const FontCounts& counts,
                    const GlyphSources::Counts& drawn, bool selecting,
                    const std::vector<std::string>& fontPaths,
                    const std::string& foundFile = "");

// ", N glyphs from overlays", or empty when none were replaced.
std::string OverlaySummary(long replaced);

// Adds the warnings of what the converter will do with the file that the
// user may not expect: impact widths the station cuts, DBCS glyphs past the
// glyph table.
void AddWarnings(const FontRequest& request, const Bytes& file,
                 CommandReport* report);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_SUMMARY_H_
