#include "vexofont/fontservice/system_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/system_names.h"

#ifdef _WIN32
#include <windows.h>
#elif defined(VEXO_HAVE_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

namespace vexo {

namespace {

// The extensions of the font files FreeType reads and the services list.
constexpr const char* kFontExtensions[] = {".ttf", ".ttc",    ".otf", ".otc",
                                           ".pcf", ".pcf.gz", ".bdf", ".fon"};

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// FreeType reads the file through a stream of our own, so that a name is
// opened as this program opens every name (UTF-8 on Windows too).
unsigned long ReadStream(FT_Stream stream, unsigned long offset,
                         unsigned char* buffer, unsigned long count) {
  std::FILE* file = static_cast<std::FILE*>(stream->descriptor.pointer);
  if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) {
    return count == 0 ? 1 : 0;  // a seek alone reports failure as non-zero
  }
  return count == 0 ? 0 : std::fread(buffer, 1, count, file);
}

void CloseStream(FT_Stream) {}

// A FreeType library and one face of a file, closed together.
class OpenedFace {
 public:
  OpenedFace(const std::string& path, long index) {
    file_ = OpenRawFileForReading(path.c_str());
    if (file_ == nullptr || FT_Init_FreeType(&library_) != 0) return;
    if (std::fseek(file_, 0, SEEK_END) != 0) return;
    const long size = std::ftell(file_);
    if (size <= 0) return;
    stream_.size = static_cast<unsigned long>(size);
    stream_.descriptor.pointer = file_;
    stream_.read = ReadStream;
    stream_.close = CloseStream;
    FT_Open_Args args = {};
    args.flags = FT_OPEN_STREAM;
    args.stream = &stream_;
    if (FT_Open_Face(library_, &args, index, &face_) != 0) face_ = nullptr;
  }
  ~OpenedFace() {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
    if (file_ != nullptr) std::fclose(file_);
  }
  OpenedFace(const OpenedFace&) = delete;
  OpenedFace& operator=(const OpenedFace&) = delete;

  FT_Face face() const { return face_; }

 private:
  std::FILE* file_ = nullptr;
  FT_Library library_ = nullptr;
  FT_StreamRec stream_ = {};
  FT_Face face_ = nullptr;
};

// The face of `faces` a file name stands for: the first face of the file
// of that name.
[[maybe_unused]] bool FindByFileName(const std::vector<SystemFace>& faces,
                                     const std::string& name,
                                     SystemFace* face) {
  const SystemFace* best = nullptr;
  for (const SystemFace& candidate : faces) {
#ifdef _WIN32
    const bool same = Lower(BaseName(candidate.file)) == Lower(name);
#else
    const bool same = BaseName(candidate.file) == name;
#endif
    if (same && (best == nullptr || candidate.index < best->index))
      best = &candidate;
  }
  if (best == nullptr) return false;
  *face = *best;
  return true;
}

[[maybe_unused]] std::string Described(const SystemFace& face) {
  return face.family + (face.style.empty() ? "" : " " + face.style) + " (" +
         face.file + ")";
}

#ifdef _WIN32

// Fonts installed for the machine, then those installed for the user.
std::vector<std::wstring> FontFolders() {
  std::vector<std::wstring> folders;
  wchar_t windows[MAX_PATH];
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  if (length > 0 && length < MAX_PATH)
    folders.push_back(std::wstring(windows) + L"\\Fonts\\");
  if (const wchar_t* local = _wgetenv(L"LOCALAPPDATA")) {
    folders.push_back(std::wstring(local) + L"\\Microsoft\\Windows\\Fonts\\");
  }
  return folders;
}

// The faces of one file, as FreeType names them.
void AddFacesOf(const std::string& path, std::vector<SystemFace>* faces) {
  long count = 1;
  for (long index = 0; index < count && index < 64; ++index) {
    OpenedFace opened(path, index);
    FT_Face face = opened.face();
    if (face == nullptr) return;
    count = face->num_faces;
    SystemFace entry;
    entry.file = path;
    entry.index = index;
    entry.family = face->family_name != nullptr ? face->family_name : "";
    entry.style = face->style_name != nullptr ? face->style_name : "";
    entry.outline = FT_IS_SCALABLE(face);
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
      entry.strikes.push_back(face->available_sizes[i].height);
    }
    if (!entry.family.empty()) faces->push_back(entry);
  }
}

#endif

}  // namespace

bool IsFontFileName(const std::string& name) {
  if (name.find_first_of("/\\") != std::string::npos) return false;
  const std::string lower = Lower(name);
  for (const char* extension : kFontExtensions) {
    const size_t n = std::strlen(extension);
    if (lower.size() > n && lower.compare(lower.size() - n, n, extension) == 0)
      return true;
  }
  return false;
}

long CountMappedCharacters(const SystemFace& face,
                           const std::vector<uint32_t>& characters) {
  OpenedFace opened(face.file, face.index);
  FT_Face f = opened.face();
  if (f == nullptr || FT_Select_Charmap(f, FT_ENCODING_UNICODE) != 0) return -1;
  long mapped = 0;
  for (uint32_t c : characters) {
    if (FT_Get_Char_Index(f, c) != 0) ++mapped;
  }
  return mapped;
}

#ifdef _WIN32

const char* FontServiceName() { return "the Fonts folders"; }

FaceList ListSystemFaces(std::vector<SystemFace>* faces) {
  faces->clear();
  for (const std::wstring& folder : FontFolders()) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
      const std::string name = Utf8OfWide(found.cFileName);
      if (IsFontFileName(name))
        AddFacesOf(Utf8OfWide(folder.c_str()) + name, faces);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return faces->empty() ? FaceList::kNoFonts : FaceList::kListed;
}

FontLookup FindSystemFont(const std::string& name, SystemFace* face,
                          std::string* instead) {
  instead->clear();
  std::vector<SystemFace> faces;
  if (ListSystemFaces(&faces) != FaceList::kListed) {
    return FontLookup::kNotFound;
  }
  if (IsFontFileName(name)) {
    return FindByFileName(faces, name, face) ? FontLookup::kFound
                                             : FontLookup::kNotFound;
  }
  // "FAMILY" or "FAMILY:style=STYLE".
  const size_t colon = name.find(':');
  const std::string family = Lower(name.substr(0, colon));
  std::string style;
  if (colon != std::string::npos &&
      Lower(name.substr(colon + 1, 6)) == "style=") {
    style = Lower(name.substr(colon + 7));
  }
  const SystemFace* best = nullptr;
  int bestRank = 0;
  for (const SystemFace& candidate : faces) {
    if (Lower(candidate.family) != family) continue;
    const std::string s = Lower(candidate.style);
    // The style asked for; else the regular one; else the first.
    const int rank =
        !style.empty() ? (s == style ? 3 : 0)
        : (s == "regular" || s == "normal" || s == "book" || s == "roman") ? 2
                                                                           : 1;
    if (rank > bestRank) {
      best = &candidate;
      bestRank = rank;
    }
  }
  if (best == nullptr) return FontLookup::kNotFound;
  *face = *best;
  return FontLookup::kFound;
}

#elif defined(VEXO_HAVE_FONTCONFIG)

namespace {

std::string StringOf(FcPattern* pattern, const char* object, int n = 0) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, n, &value) != FcResultMatch ||
      value == nullptr) {
    return "";
  }
  return reinterpret_cast<const char*>(value);
}

SystemFace FaceOf(FcPattern* pattern) {
  SystemFace face;
  face.file = StringOf(pattern, FC_FILE);
  int index = 0;
  if (FcPatternGetInteger(pattern, FC_INDEX, 0, &index) == FcResultMatch)
    face.index = index;
  face.family = StringOf(pattern, FC_FAMILY);
  face.style = StringOf(pattern, FC_STYLE);
  FcBool outline = FcTrue;
  if (FcPatternGetBool(pattern, FC_OUTLINE, 0, &outline) == FcResultMatch) {
    face.outline = outline != FcFalse;
  }
  double pixels = 0;
  for (int n = 0;
       FcPatternGetDouble(pattern, FC_PIXEL_SIZE, n, &pixels) == FcResultMatch;
       ++n) {
    face.strikes.push_back(static_cast<int>(pixels + 0.5));
  }
  return face;
}

// A family name without its blanks, in lower case: "WenQuanYi Zen Hei"
// is "wenquanyizenhei" as fontconfig compares them.
std::string Folded(const char* name) {
  std::string folded;
  for (const char* c = name; *c != '\0'; ++c) {
    if (*c != ' ')
      folded += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  }
  return folded;
}

// Whether any family name of `match` is `family`, blanks and case aside.
bool HasFamily(FcPattern* match, const std::string& family) {
  FcChar8* name = nullptr;
  for (int n = 0;
       FcPatternGetString(match, FC_FAMILY, n, &name) == FcResultMatch; ++n) {
    if (Folded(reinterpret_cast<const char*>(name)) == Folded(family.c_str()))
      return true;
  }
  return false;
}

// A configuration of fontconfig's, loaded with its fonts for one question
// and destroyed after it: the library's default configuration is never
// freed, and would stay behind as a leak.
class LoadedConfig {
 public:
  LoadedConfig() : config_(FcInitLoadConfigAndFonts()) {}
  ~LoadedConfig() {
    if (config_ != nullptr) FcConfigDestroy(config_);
  }
  LoadedConfig(const LoadedConfig&) = delete;
  LoadedConfig& operator=(const LoadedConfig&) = delete;

  FcConfig* get() const { return config_; }

 private:
  FcConfig* config_;
};

}  // namespace

const char* FontServiceName() { return "fontconfig"; }

FaceList ListSystemFaces(std::vector<SystemFace>* faces) {
  faces->clear();
  LoadedConfig config;
  if (config.get() == nullptr) return FaceList::kNoConfiguration;
  FcPattern* all = FcPatternCreate();
  FcObjectSet* objects =
      FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FAMILY, FC_STYLE, FC_OUTLINE,
                       FC_PIXEL_SIZE, nullptr);
  FcFontSet* set = FcFontList(config.get(), all, objects);
  if (set != nullptr) {
    for (int i = 0; i < set->nfont; ++i) {
      SystemFace face = FaceOf(set->fonts[i]);
      if (!face.file.empty() && !face.family.empty()) faces->push_back(face);
    }
    FcFontSetDestroy(set);
  }
  FcObjectSetDestroy(objects);
  FcPatternDestroy(all);
  std::sort(faces->begin(), faces->end(),
            [](const SystemFace& a, const SystemFace& b) {
              return a.file != b.file ? a.file < b.file : a.index < b.index;
            });
  return FaceList::kListed;
}

FontLookup FindSystemFont(const std::string& name, SystemFace* face,
                          std::string* instead) {
  instead->clear();
  if (IsFontFileName(name)) {
    std::vector<SystemFace> faces;
    if (ListSystemFaces(&faces) != FaceList::kListed) {
      return FontLookup::kNotFound;
    }
    return FindByFileName(faces, name, face) ? FontLookup::kFound
                                             : FontLookup::kNotFound;
  }
  LoadedConfig config;
  if (config.get() == nullptr) return FontLookup::kNotFound;
  FcPattern* pattern =
      FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
  if (pattern == nullptr) return FontLookup::kNotFound;
  FcChar8* asked = nullptr;
  std::string family;
  if (FcPatternGetString(pattern, FC_FAMILY, 0, &asked) == FcResultMatch) {
    family = reinterpret_cast<const char*>(asked);
  }
  FcConfigSubstitute(config.get(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config.get(), pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return FontLookup::kNotFound;
  const SystemFace found = FaceOf(match);
  const bool same = family.empty() || HasFamily(match, family);
  FcPatternDestroy(match);
  if (found.file.empty()) return FontLookup::kNotFound;
  if (!same) {
    *instead = Described(found);
    return FontLookup::kSubstituted;
  }
  *face = found;
  return FontLookup::kFound;
}

#else

const char* FontServiceName() { return nullptr; }

FaceList ListSystemFaces(std::vector<SystemFace>* faces) {
  faces->clear();
  return FaceList::kNoService;
}

FontLookup FindSystemFont(const std::string&, SystemFace*,
                          std::string* instead) {
  instead->clear();
  return FontLookup::kNoService;
}

#endif

}  // namespace vexo
