#include "vexofont/make/source_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H
#include FT_TRUETYPE_TABLES_H

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_names.h"
#include "vexofont/make/source_font_handles.h"

// Opening a source font: its bytes (source_bytes.h; BDF fonts checked for
// their cost first), the face, and the charset its codes are in.

namespace vexo {

namespace {


bool IsBdf(const std::vector<unsigned char>& bytes) {
  static const char kStart[] = "STARTFONT";
  return bytes.size() >= sizeof(kStart) - 1 &&
         std::equal(kStart, kStart + sizeof(kStart) - 1, bytes.begin());
}

// Reads one decimal side of a BBX line from *p (up to `end`), white space
// before it skipped; a number beyond a million reads as a million, so
// that no sum of boxes overflows; anything else reads as 0.
uint64_t BoxSide(const char** p, const char* end) {
  while (*p < end && (**p == ' ' || **p == '\t')) ++*p;
  uint64_t side = 0;
  for (; *p < end && **p >= '0' && **p <= '9'; ++*p) {
    side = std::min<uint64_t>(side * 10 + uint64_t(**p - '0'), 1000000);
  }
  return side;
}

// What the boxes of a BDF font's glyphs take once FreeType has loaded it;
// false, with the reason in *error, past kMaxBdfBitmapBytes.
bool BdfCost(const std::vector<unsigned char>& bytes, uint64_t* total,
             std::string* error) {
  *total = 0;
  const char* text = reinterpret_cast<const char*>(bytes.data());
  const char* end = text + bytes.size();
  for (const char* line = text; line < end;) {
    const char* next = static_cast<const char*>(
        std::memchr(line, '\n', static_cast<size_t>(end - line)));
    if (next == nullptr) next = end;
    if (next - line > 4 && std::strncmp(line, "BBX ", 4) == 0) {
      const char* p = line + 4;
      const uint64_t width = BoxSide(&p, next);
      const uint64_t height = BoxSide(&p, next);
      *total += (width + 7) / 8 * height;
      if (*total > kMaxBdfBitmapBytes) {
        *error = "is a BDF font whose glyph boxes would take more than " +
                 std::to_string(kMaxBdfBitmapBytes >> 20) +
                 " MB to load";
        return false;
      }
    }
    line = next + 1;
  }
  return true;
}

// FreeType's own texts of its errors, from its error list.
#undef FTERRORS_H_
#define FT_ERRORDEF(code, value, text) {value, text},
#define FT_ERROR_START_LIST {
#define FT_ERROR_END_LIST {0, nullptr}};
const struct {
  int code;
  const char* text;
} kFreeTypeErrors[] =
#include FT_ERRORS_H

const char* FreeTypeErrorText(FT_Error error) {
  for (const auto& known : kFreeTypeErrors) {
    if (known.text != nullptr && known.code == error) return known.text;
  }
  return "unknown error";
}

std::string OpenErrorText(FT_Error error) {
  switch (error) {
    case FT_Err_Cannot_Open_Resource:
      return "cannot be opened";
    case FT_Err_Unknown_File_Format:
    // A read past the end while every reader tries the file: too short
    // for what it seemed to be.
    case FT_Err_Invalid_Stream_Operation:
      return "is not a font FreeType knows";
    case FT_Err_Invalid_File_Format:
    case FT_Err_Invalid_Table:
    case FT_Err_Invalid_Argument:
      return "is a broken font file";
    default: {
      char text[128];
      std::snprintf(text, sizeof(text),
                    "cannot be read by FreeType: %s (error 0x%02x)",
                    FreeTypeErrorText(error), static_cast<unsigned>(error));
      return text;
    }
  }
}

// FreeType reads a file that is not held in memory through this: no
// mapping, so that a file cut short while it is read gives read errors.
unsigned long ReadSourceStream(FT_Stream stream, unsigned long offset,
                               unsigned char* buffer, unsigned long count) {
  auto* bytes = static_cast<SourceBytes*>(stream->descriptor.pointer);
  if (count == 0) return offset <= stream->size ? 0 : 1;  // a seek
  return static_cast<unsigned long>(bytes->ReadAt(offset, buffer, count));
}

}  // namespace

namespace {

// The charset registry and encoding of a BDF or PCF font: from its
// CHARSET_REGISTRY and CHARSET_ENCODING properties, else from the last two
// fields of its X font name (FONT "-...-Big5.ETen-0").
bool CharsetOfBitmapFont(FT_Face face, const std::vector<unsigned char>& bdf,
                         std::string* registry, std::string* encoding) {
  const char* encodingId = nullptr;
  const char* registryId = nullptr;
  if (FT_Get_BDF_Charset_ID(face, &encodingId, &registryId) == 0 &&
      encodingId != nullptr && registryId != nullptr) {
    *registry = registryId;
    *encoding = encodingId;
    return true;
  }
  // A PCF font has its name as a property; FreeType keeps a BDF font's
  // FONT line to itself, so it is read from the text.
  std::string xlfd;
  BDF_PropertyRec name;
  if (FT_Get_BDF_Property(face, "FONT", &name) == 0 &&
      name.type == BDF_PROPERTY_TYPE_ATOM && name.u.atom != nullptr) {
    xlfd = name.u.atom;
  } else if (IsBdf(bdf)) {
    const std::string_view text(reinterpret_cast<const char*>(bdf.data()),
                                bdf.size());
    const size_t line = text.find("\nFONT ");
    if (line == std::string_view::npos) return false;
    const size_t end = text.find_first_of("\r\n", line + 1);
    xlfd = std::string(text.substr(line + 6, end == std::string_view::npos
                                                 ? std::string_view::npos
                                                 : end - line - 6));
  }
  if (xlfd.empty() || xlfd[0] != '-') return false;
  const size_t last = xlfd.rfind('-');
  if (last == 0) return false;
  const size_t before = xlfd.rfind('-', last - 1);
  if (before == std::string::npos || before + 1 >= last) return false;
  *registry = xlfd.substr(before + 1, last - before - 1);
  *encoding = xlfd.substr(last + 1);
  return !encoding->empty();
}

}  // namespace

namespace {

const std::vector<unsigned char> kNoBytes;
const char kChangedWhileRead[] =
    "changed while it was read (it gave fewer bytes than it held)";

// The faces of the font, for an error about a face it lacks: each named
// when there are few, else their count.
std::string FaceList(const std::vector<std::string>& faces, long count) {
  constexpr long kNamedFaces = 8;
  if (count > kNamedFaces) {
    return "it has " + std::to_string(count) + " faces, 0 to " +
           std::to_string(count - 1) + ": vexofont make --list-faces lists them";
  }
  std::string list = "its faces:";
  for (const std::string& face : faces) list += " " + face + ";";
  list.pop_back();
  return list;
}

}  // namespace

bool SourceFont::OpenFace(const std::string& path, long index,
                          bool nameFaces, std::string* error) {
  if (handles_->face != nullptr) {
    FT_Done_Face(handles_->face);
    handles_->face = nullptr;
  }
  handles_->bdfBoxes.Release();
  if (handles_->bytes == nullptr || handles_->bytesPath != path) {
    handles_->bytes.reset();
    handles_->bytes = SourceBytes::Open(path, error);
    if (handles_->bytes == nullptr) return false;
    handles_->bytesPath = path;
  }
  SourceBytes& bytes = *handles_->bytes;
  FT_Open_Args args{};
  if (bytes.memory() != nullptr) {
    const std::vector<unsigned char>& memory = *bytes.memory();
    uint64_t boxes = 0;
    if (IsBdf(memory) && !BdfCost(memory, &boxes, error)) return false;
    if (!handles_->bdfBoxes.Take(boxes)) {
      *error = HeldBytesError();
      return false;
    }
    args.flags = FT_OPEN_MEMORY;
    args.memory_base = memory.data();
    args.memory_size = static_cast<FT_Long>(memory.size());
  } else {
    if (bytes.size() > static_cast<uint64_t>(static_cast<unsigned long>(-1) / 2)) {
      *error = "is too large for a font file";
      return false;
    }
    handles_->stream = FT_StreamRec{};
    handles_->stream.size = static_cast<unsigned long>(bytes.size());
    handles_->stream.descriptor.pointer = &bytes;
    handles_->stream.read = ReadSourceStream;
    args.flags = FT_OPEN_STREAM;
    args.stream = &handles_->stream;
  }
  const FT_Error openError =
      FT_Open_Face(handles_->library, &args, index, &handles_->face);
  if (openError == 0) return true;
  handles_->face = nullptr;
  handles_->bdfBoxes.Release();
  *error = bytes.readFailed() ? kChangedWhileRead : OpenErrorText(openError);
  if (index > 0 && nameFaces) {
    // Most likely a face the file does not have: name the ones it has.
    std::vector<std::string> faces;
    long count = 0;
    std::string ignored;
    if (ListFaces(path, &faces, &count, &ignored)) {
      *error = "has no face " + std::to_string(index) + " (" +
               FaceList(faces, count) + ")";
    }
  }
  return false;
}

namespace {

// The DBCS code page a face is made for: from a word of its family name
// (SC, TC, JP, KR, CN, TW, HK, ...: strength 2, Hong Kong's 1 for 950, as
// Taiwan's forms are Big5's), else from its OS/2 code page ranges when
// they name one of the four alone (strength 1). 0 when neither tells.
unsigned FaceCodePage(FT_Face face, int* strength) {
  *strength = 0;
  static const struct {
    const char* word;
    unsigned codePage;
    int strength;
  } kWords[] = {
      {"SC", 936, 2}, {"CN", 936, 2}, {"GB", 936, 2},  {"PRC", 936, 2},
      {"TC", 950, 2}, {"TW", 950, 2}, {"Big5", 950, 2}, {"HK", 950, 1},
      {"JP", 932, 2}, {"Japan", 932, 2}, {"KR", 949, 2}, {"Korea", 949, 2},
  };
  const std::string family = face->family_name != nullptr ? face->family_name : "";
  size_t start = 0;
  while (start < family.size()) {
    size_t end = family.find_first_of(" -_", start);
    if (end == std::string::npos) end = family.size();
    const std::string word = family.substr(start, end - start);
    for (const auto& known : kWords) {
      if (word == known.word) {
        *strength = known.strength;
        return known.codePage;
      }
    }
    start = end + 1;
  }
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 == nullptr || os2->version == 0xFFFF) return 0;
  static const unsigned kBits[] = {932, 936, 949, 950};  // bits 17 to 20
  unsigned found = 0;
  for (int bit = 0; bit < 4; ++bit) {
    if ((os2->ulCodePageRange1 >> (17 + bit) & 1) == 0) continue;
    if (found != 0) return 0;
    found = kBits[bit];
  }
  if (found != 0) *strength = 1;
  return found;
}

bool IsDbcsCodePage(unsigned codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

std::string FaceName(FT_Face face, long index) {
  std::string name = "face " + std::to_string(index) + " (";
  if (face->family_name != nullptr) name += face->family_name;
  if (face->style_name != nullptr) name += std::string(" ") + face->style_name;
  return name + ")";
}

}  // namespace

bool SourceFont::OpenChosenFace(const std::string& path, std::string* error) {
  faceName_.clear();
  faceWarning_.clear();
  const unsigned wanted = static_cast<unsigned>(options_.codePage);
  long index = options_.face < 0 ? 0 : options_.face;
  if (!OpenFace(path, index, true, error)) return false;
  const long faces = handles_->face->num_faces;
  if (faces <= 1) return true;
  int strength = 0;
  if (options_.face >= 0) {
    const unsigned madeFor = FaceCodePage(handles_->face, &strength);
    if (IsDbcsCodePage(wanted) && madeFor != 0 && madeFor != wanted) {
      faceWarning_ = FaceName(handles_->face, index) +
                     " is made for code page " + std::to_string(madeFor) +
                     ", not " + std::to_string(wanted);
    }
  } else if (IsDbcsCodePage(wanted)) {
    // The first face of the strongest sign of the code page's language.
    long best = -1;
    int bestStrength = 0;
    for (long i = 0; i < faces && i < kMaxListedFaces; ++i) {
      if (i > 0 && !OpenFace(path, i, false, error)) return false;
      if (FaceCodePage(handles_->face, &strength) != wanted) continue;
      if (strength > bestStrength) {
        best = i;
        bestStrength = strength;
      }
    }
    index = best < 0 ? 0 : best;
    if (!OpenFace(path, index, true, error)) return false;
  }
  faceName_ = FaceName(handles_->face, index);
  return true;
}

bool SourceFont::ListFaces(const std::string& path,
                           std::vector<std::string>* faces, long* count,
                           std::string* error) {
  if (handles_->library == nullptr &&
      FT_Init_FreeType(&handles_->library) != 0) {
    *error = "FreeType could not start";
    return false;
  }
  if (!OpenFace(path, 0, false, error)) return false;
  *count = handles_->face->num_faces;
  for (long i = 0; i < *count && i < kMaxListedFaces; ++i) {
    if (i > 0 && !OpenFace(path, i, false, error)) return false;
    const FT_Face face = handles_->face;
    std::string line = std::to_string(i);
    if (face->family_name != nullptr) line += std::string(" ") + face->family_name;
    if (face->style_name != nullptr) line += std::string(" ") + face->style_name;
    faces->push_back(line);
  }
  return true;
}

bool SourceFont::readFailed() const {
  return handles_->bytes != nullptr && handles_->bytes->readFailed();
}

bool SourceFont::ChooseCharset(std::string* error) {
  FT_Face face = handles_->face;
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0) {
    charset_ = FontCharset();
    return true;
  }
  std::string registry;
  std::string encoding;
  const std::vector<unsigned char>& bytes =
      handles_->bytes->memory() != nullptr ? *handles_->bytes->memory() : kNoBytes;
  if (!CharsetOfBitmapFont(face, bytes, &registry,
                           &encoding)) {
    *error = "has no Unicode character map, no charset registry and no "
             "charset in its font name";
    return false;
  }
  if (!FontCharsetFromRegistry(registry, encoding, &charset_)) {
    *error = "has characters numbered in '" + registry + "-" + encoding +
             "', which cannot be mapped";
    return false;
  }
  // A BDF or PCF font that is not Unicode-encoded has one character map,
  // numbered as the font numbers its characters.
  if (face->num_charmaps < 1 || FT_Set_Charmap(face, face->charmaps[0]) != 0) {
    *error = "has no character map";
    return false;
  }
  return true;
}

}  // namespace vexo
