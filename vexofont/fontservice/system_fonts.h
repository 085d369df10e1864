// The fonts the system has, as its own font service knows them: fontconfig
// on Linux and other Unix systems (when vexofont is built with it), the
// Fonts folders (the machine's and the user's) on Windows. A font is found
// by a name as the desktop shows it ("WenQuanYi Zen Hei", "DejaVu Sans
// Mono:style=Bold") or by its file's name alone ("wqy-zenhei.ttc").
#ifndef VEXOCNVT_VEXOFONT_FONTSERVICE_SYSTEM_FONTS_H_
#define VEXOCNVT_VEXOFONT_FONTSERVICE_SYSTEM_FONTS_H_

#include <cstdint>
#include <string>
#include <vector>

namespace vexo {

// One face of an installed font file.
struct SystemFace {
  std::string file;
  long index = 0;      // in a collection (.ttc), from 0
  std::string family;  // the first of its family names
  std::string style;
  bool outline = true;
  std::vector<int> strikes;  // the pixel heights of a bitmap font
};

// What finding a font by name gives.
enum class FontLookup {
  kFound,
  kNoService,    // built without a font service
  kNotFound,     // no font of that name, and none the service would give
  kSubstituted,  // the service would give another family's font instead
};

// The font service this build asks: "fontconfig", "the Fonts folders",
// or null when it has none.
const char* FontServiceName();

// Finds the face a name stands for. kSubstituted and kNotFound set
// *instead to what the service would have given ("FAMILY STYLE (FILE)"),
// when anything.
FontLookup FindSystemFont(const std::string& name, SystemFace* face,
                          std::string* instead);

// Every face installed, into *faces.
enum class FaceList {
  kListed,
  kNoService,        // built without a font service
  kNoConfiguration,  // fontconfig cannot load its configuration
  kNoFonts,          // the Fonts folders hold none
};
FaceList ListSystemFaces(std::vector<SystemFace>* faces);

// How many of `characters` the face maps to a glyph (through its Unicode
// character map); -1 when the face cannot be opened or has no such map.
long CountMappedCharacters(const SystemFace& face,
                           const std::vector<uint32_t>& characters);

// Whether `name` is a font file's name without a folder ("consola.ttf").
bool IsFontFileName(const std::string& name);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_FONTSERVICE_SYSTEM_FONTS_H_
