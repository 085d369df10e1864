#include "vexofont/make/make_from_text.h"

#include <cstdio>

#include "fontinput/glyph_size.h"
#include "vexofont/make/make_files.h"
#include "vexofont/make/make_request.h"
#include "vexofont/make/make_summary.h"
#include "vexofont/text/glyph_text_build.h"

namespace vexo {

namespace {

// Whether any option that describes a font made from source fonts is given.
bool AnyFontOption(const MakeOptions& options) {
  const std::string* fontOptions[] = {
      &options.kind,   &options.station,  &options.size,    &options.codePage,
      &options.first,  &options.last,     &options.chars,   &options.text,
      &options.map,    &options.render,   &options.hinting, &options.pixelSize,
      &options.offset, &options.baseline, &options.cellFill};
  bool any = !options.fallbacks.empty();
  for (const std::string* option : fontOptions) any = any || !option->empty();
  return any;
}

void AddTextSummary(const std::string& outputPath, const std::string& textPath,
                    const GlyphText& text, const Bytes& file, long replaced,
                    CommandReport* report) {
  const FontKind kind = text.kind;
  const size_t glyphs = (file.size() - text.tail.size() - HeaderSize(kind)) /
                        FileGlyphSize(text.header.height);
  report->Output(
      "vexofont make: wrote '%s' (%s %ux%u, code page %u, %s to %s) from "
      "glyph text '%s': %s, %zu drawn in the text%s\n",
      outputPath.c_str(), KindName(kind),
      static_cast<unsigned>(text.header.width),
      static_cast<unsigned>(text.header.height),
      static_cast<unsigned>(text.header.codePage),
      CodeText(kind, text.header.firstChar).c_str(),
      CodeText(kind, text.header.lastChar).c_str(), textPath.c_str(),
      Count(static_cast<int>(glyphs), "glyph", "glyphs").c_str(),
      text.glyphs.size(), OverlaySummary(replaced).c_str());
}

}  // namespace

int MakeFromGlyphText(const MakeOptions& options, const std::string& textPath,
                      const std::string& outputPath, CommandReport* report) {
  if (AnyFontOption(options)) {
    return MakeUsageError(
        report, "'" + textPath +
                    "' is a glyph text: its header gives kind, size, "
                    "code page and codes and its glyphs are drawn, so "
                    "only --overlay and -o go with it");
  }
  GlyphText text;
  if (!ReadGlyphText(textPath, false, &text, report)) {
    return kMakeSourceFailed;
  }
  // A glyph text names no station: only a size no thermal font has is
  // an impact font's.
  const uint32_t width = text.header.width;
  const uint32_t height = text.header.height;
  if (!GlyphSizeAccepted(text.kind, Station::kThermal, width, height) &&
      GlyphSizeAccepted(text.kind, Station::kImpact, width, height)) {
    const int status = CheckImpactPrint(
        text.kind, {static_cast<int>(width), static_cast<int>(height)},
        options.forceSize, report);
    if (status != kMakeOk) return status;
  }
  Bytes file;
  TextError error;
  if (!BuildFromGlyphText(text, &file, &error)) {
    return report->Failed(kMakeSourceFailed, "%s\n",
                          FormatTextError(textPath, error).c_str());
  }
  long replaced = 0;
  int status = ApplyOverlays(options.overlays, &file, &replaced, report);
  if (status != kMakeOk) return status;
  status = WriteFont(outputPath, file, report);
  if (status != kMakeOk) return status;
  AddTextSummary(outputPath, textPath, text, file, replaced, report);
  return kMakeOk;
}

}  // namespace vexo
