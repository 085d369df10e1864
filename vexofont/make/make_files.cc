#include "vexofont/make/make_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/output_file.h"
#include "vexofont/make/make_status.h"
#include "vexofont/make/source_bytes.h"
#include "vexofont/text/glyph_overlay.h"
#include "vexofont/text/glyph_text_reader.h"

namespace vexo {

namespace {

// A new input font file gets rw-rw-rw- less the umask; a file it replaces
// keeps its own bits.
constexpr unsigned kNewFontFileMode = 0666;

}  // namespace

bool IsGlyphTextFile(const std::string& path) {
  std::shared_ptr<const std::vector<unsigned char>> piped;
  std::string error;
  if (!ReadSourceOnce(path, &piped, &error)) return false;
  if (piped != nullptr) {
    return LooksLikeGlyphText(piped->data(), std::min<size_t>(piped->size(), 64));
  }
  std::FILE* file = OpenRawFileForReading(path.c_str());
  if (file == nullptr) return false;
  uint8_t start[64];
  const size_t got = std::fread(start, 1, sizeof(start), file);
  std::fclose(file);
  return LooksLikeGlyphText(start, got);
}

bool ReadGlyphText(const std::string& path, bool overlay, GlyphText* text,
                   CommandReport* report) {
  std::vector<uint8_t> bytes;
  bool cut = false;
  std::shared_ptr<const std::vector<unsigned char>> piped;
  std::string pipedError;
  ReadResult read = ReadResult::kCannotRead;
  if (ReadSourceOnce(path, &piped, &pipedError) && piped != nullptr) {
    // A glyph text from a pipe, read once already.
    cut = piped->size() > kMaxGlyphTextSize;
    bytes.assign(piped->begin(), piped->begin() + static_cast<long>(
                                     std::min(piped->size(), kMaxGlyphTextSize)));
    read = ReadResult::kRead;
  } else if (pipedError.empty()) {
    read = ReadLimitedFile(path.c_str(), kMaxGlyphTextSize, &bytes, &cut);
  }
  if (read != ReadResult::kRead) {
    report->Error("vexofont make: cannot %s glyph text '%s'\n",
                  read == ReadResult::kCannotOpen ? "open" : "read",
                  path.c_str());
    return false;
  }
  if (cut) {
    report->Error("vexofont make: glyph text '%s' is longer than %zu bytes\n",
                  path.c_str(), kMaxGlyphTextSize);
    return false;
  }
  TextError error;
  const std::string_view whole(reinterpret_cast<const char*>(bytes.data()),
                               bytes.size());
  if (!ParseGlyphText(whole, overlay, text, &error)) {
    report->Error("%s\n", FormatTextError(path, error).c_str());
    return false;
  }
  return true;
}

int ApplyOverlays(const std::vector<std::string>& overlays, Bytes* file,
                  long* replaced, CommandReport* report) {
  *replaced = 0;
  for (const std::string& path : overlays) {
    GlyphText overlay;
    if (!ReadGlyphText(path, true, &overlay, report)) return kMakeSourceFailed;
    TextError error;
    if (!ApplyGlyphOverlay(overlay, file, &error)) {
      return report->Failed(kMakeSourceFailed, "%s\n",
                            FormatTextError(path, error).c_str());
    }
    *replaced += static_cast<long>(overlay.glyphs.size());
  }
  return kMakeOk;
}

int WriteFont(const std::string& outputPath, const Bytes& file,
              CommandReport* report) {
  const int writeError = WriteWholeFile(outputPath.c_str(), file.data(),
                                        file.size(), kNewFontFileMode);
  if (writeError != 0) {
    return report->Failed(kMakeOutputFailed,
                          "vexofont make: cannot write '%s': %s\n",
                          outputPath.c_str(), std::strerror(writeError));
  }
  return kMakeOk;
}

bool OutputIsAnInput(const std::string& output, const std::string& source,
                     const char* sourceName, const MakeOptions& options,
                     CommandReport* report) {
  std::vector<std::pair<std::string, const char*>> inputs = {
      {source, sourceName}};
  for (const std::string& font : options.fallbacks) {
    inputs.push_back({font, "fallback font"});
  }
  for (const std::string& overlay : options.overlays) {
    inputs.push_back({overlay, "overlay"});
  }
  if (!options.chars.empty()) inputs.push_back({options.chars, "--chars file"});
  if (!options.map.empty()) inputs.push_back({options.map, "--map file"});
  for (const auto& [input, name] : inputs) {
    if (SameExistingFile(output.c_str(), input.c_str())) {
      report->Error(
          "vexofont make: output '%s' is the %s '%s'; nothing written\n",
          output.c_str(), name, input.c_str());
      return true;
    }
  }
  return false;
}

}  // namespace vexo
