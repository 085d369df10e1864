#include "vexofont/make/source_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "store/output_file.h"
#include "vexofont/make/source_font_handles.h"

// Opening a source font: its bytes (gzip and BDF read whole and checked
// for their cost first), the face, and the charset its codes are in.

namespace {


bool IsGzipFile(const std::string& path) {
  std::FILE* file = OpenRawFileForReading(path.c_str());
  if (file == nullptr) return false;
  unsigned char magic[2] = {0, 0};
  const bool gzip = std::fread(magic, 1, 2, file) == 2 && magic[0] == 0x1F &&
                    magic[1] == 0x8B;
  std::fclose(file);
  return gzip;
}

// FreeType reads gzip-compressed PCF fonts itself but not BDF fonts, so
// every compressed font is uncompressed here. Returns false with the reason.
bool Uncompress(const std::string& path, std::vector<unsigned char>* bytes,
                std::string* error) {
  bytes->clear();
  const int fd = OpenRawDescriptorForReading(path.c_str());
  gzFile file = fd >= 0 ? gzdopen(fd, "rb") : nullptr;
  if (file == nullptr) {
    if (fd >= 0) CloseRawDescriptor(fd);
    *error = "cannot be opened";
    return false;
  }
  unsigned char chunk[65536];
  int got;
  while ((got = gzread(file, chunk, sizeof(chunk))) > 0) {
    if (bytes->size() + got > kMaxUncompressedFont) {
      gzclose(file);
      *error = "is too large once uncompressed";
      return false;
    }
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
  // Closed on every path, a damaged stream included.
  const bool closed = gzclose(file) == Z_OK;
  if (got == 0 && closed) return true;
  *error = "is a broken gzip file";
  return false;
}


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

// Whether the boxes of a BDF font's glyphs take no more than
// kMaxBdfBitmapBytes; sets *error otherwise.
bool BdfCostAccepted(const std::vector<unsigned char>& bytes,
                     std::string* error) {
  uint64_t total = 0;
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
      total += (width + 7) / 8 * height;
      if (total > kMaxBdfBitmapBytes) {
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

// Reads a plain BDF font whole (FreeType reads it whole too), up to the
// size a compressed one may have uncompressed. Returns false with the
// reason; *bytes empty for a file that is no BDF font.
bool ReadBdf(const std::string& path, std::vector<unsigned char>* bytes,
             std::string* error) {
  bytes->clear();
  std::FILE* file = OpenRawFileForReading(path.c_str());
  if (file == nullptr) return true;  // FreeType says why
  char start[9] = {};
  const bool bdf = std::fread(start, 1, sizeof(start), file) == sizeof(start) &&
                   std::memcmp(start, "STARTFONT", sizeof(start)) == 0;
  std::fclose(file);
  if (!bdf) return true;
  std::vector<uint8_t> read;
  bool cut = false;
  if (ReadLimitedFile(path.c_str(), kMaxUncompressedFont, &read, &cut) !=
      ReadResult::kRead) {
    *error = "cannot be read";
    return false;
  }
  if (cut) {
    *error = "is too large for a BDF font";
    return false;
  }
  bytes->assign(read.begin(), read.end());
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

// FreeType opens names in the ANSI code page on Windows: there a font whose
// name is not ASCII is read whole through our own open (names in UTF-8) and
// given to FreeType as memory, as FreeType's own Windows stream maps a file
// whole. FreeType opens every other file itself. Returns false with the
// reason.
bool ReadForFreeType(const std::string& path, std::vector<unsigned char>* bytes,
                     std::string* error) {
#ifdef _WIN32
  bool ascii = true;
  for (char c : path) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return true;
  bool cut = false;
  const ReadResult result =
      ReadLimitedFile(path.c_str(), kMaxFontFile, bytes, &cut);
  if (result != ReadResult::kRead || cut || bytes->empty()) {
    *error = result == ReadResult::kCannotOpen ? "cannot be opened"
             : result != ReadResult::kRead     ? "cannot be read"
             : cut ? "is too large for a font file"
                   : "is not a font FreeType knows";
    bytes->clear();
    return false;
  }
#else
  (void)path;
  (void)bytes;
  (void)error;
#endif
  return true;
}

}  // namespace

namespace {

// The charset registry and encoding of a BDF or PCF font: from its
// CHARSET_REGISTRY and CHARSET_ENCODING properties, else from the last two
// fields of its X font name (FONT "-...-Big5.ETen-0").
bool CharsetOfBitmapFont(FT_Face face, const std::vector<unsigned char>& bdf,
                         std::string* registry, std::string* encoding) {
  const char* encoding_id = nullptr;
  const char* registry_id = nullptr;
  if (FT_Get_BDF_Charset_ID(face, &encoding_id, &registry_id) == 0 &&
      encoding_id != nullptr && registry_id != nullptr) {
    *registry = registry_id;
    *encoding = encoding_id;
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

bool SourceFont::OpenFace(const std::string& path, long index,
                          bool nameFaces, std::string* error) {
  if (handles_->face != nullptr) {
    FT_Done_Face(handles_->face);
    handles_->face = nullptr;
  }
  if (NameIsFolder(path.c_str())) {
    *error = "is a folder";
    return false;
  }
  std::vector<unsigned char>& bytes = handles_->uncompressed;
  if (IsGzipFile(path) ? !Uncompress(path, &bytes, error)
                       : !ReadBdf(path, &bytes, error)) {
    return false;
  }
  if (IsBdf(bytes) && !BdfCostAccepted(bytes, error)) return false;
  if (bytes.empty() && !ReadForFreeType(path, &bytes, error)) return false;
  const FT_Error open_error =
      !bytes.empty()
          ? FT_New_Memory_Face(handles_->library, bytes.data(),
                               static_cast<FT_Long>(bytes.size()), index,
                               &handles_->face)
          : FT_New_Face(handles_->library, path.c_str(), index,
                        &handles_->face);
  if (open_error == 0) return true;
  handles_->face = nullptr;
  *error = OpenErrorText(open_error);
  if (index > 0 && nameFaces) {
    // Most likely a face the file does not have: name the ones it has.
    std::vector<std::string> faces;
    std::string ignored;
    if (ListFaces(path, &faces, &ignored)) {
      *error = "has no face " + std::to_string(index) + " (its faces:";
      for (const std::string& face : faces) *error += " " + face + ";";
      error->back() = ')';
    }
  }
  return false;
}

bool SourceFont::ListFaces(const std::string& path,
                           std::vector<std::string>* faces,
                           std::string* error) {
  if (handles_->library == nullptr &&
      FT_Init_FreeType(&handles_->library) != 0) {
    *error = "FreeType could not start";
    return false;
  }
  if (!OpenFace(path, 0, false, error)) return false;
  const long count = handles_->face->num_faces;
  for (long i = 0; i < count && i < 256; ++i) {
    if (i > 0 && !OpenFace(path, i, false, error)) return false;
    const FT_Face face = handles_->face;
    std::string line = std::to_string(i);
    if (face->family_name != nullptr) line += std::string(" ") + face->family_name;
    if (face->style_name != nullptr) line += std::string(" ") + face->style_name;
    faces->push_back(line);
  }
  return true;
}

bool SourceFont::ChooseCharset(std::string* error) {
  FT_Face face = handles_->face;
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0) {
    charset_ = FontCharset();
    return true;
  }
  std::string registry;
  std::string encoding;
  if (!CharsetOfBitmapFont(face, handles_->uncompressed, &registry,
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

