// CharsetConversion through Windows' own code pages
// (MultiByteToWideChar, WideCharToMultiByte). The charsets are named as
// iconv names them; each maps to a Windows code page, UTF-32LE is read and
// written here. Where a Windows table (or wine's) differs from iconv's for
// a single byte, the byte is mended to iconv's character, so that both
// platforms make the same fonts (tests/windows/compare_vexofont.sh finds
// the differences): SHIFT_JIS is JIS X 0201 in its single bytes (the yen
// sign at 0x5c, the overline at 0x7e, where 932 has the backslash and the
// tilde); CP858 is CP850 with the euro sign at 0xd5; ISO-8859-7 is the
// 2003 edition (quotation marks at 0xa1 and 0xa2, the euro and drachma
// signs at 0xa4 and 0xa5, the ypogegrammeni at 0xaa); ISO-8859-8 has the
// macron at 0xaf and the direction marks at 0xfd and 0xfe; CP1255 no
// character at 0xca. The user-defined codes of 936, 949 and 950, which
// Windows puts in the private use area, have no character, as in iconv
// (but for 950's 0xc6a1 to 0xc8fe, which iconv too puts there); and 950's
// four double-line box drawing characters that have two codes go back to
// the first, 0xa2a4 to 0xa2a7, as in iconv.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vexofont/codepage/charset_conversion.h"

namespace vexo {

namespace {

constexpr UINT kUtf32 = 0;  // not a Windows code page: read and written here

// A single byte that stands for `point` in the charset, whatever the
// Windows code page has there; point 0: for no character.
struct Patch {
  uint8_t byte;
  uint32_t point;
};

struct Known {
  const char* name;
  UINT page;
  std::vector<Patch> patches = {};
  bool noPrivateUse = false;  // its codes in the private use area have none
};

const Known kKnown[] = {
    {"UTF-32LE", kUtf32}, {"CP437", 437},        {"CP850", 850},
    {"CP852", 852},       {"CP858", 850, {{0xD5, 0x20AC}}},  {"CP866", 866},
    {"CP1250", 1250},     {"CP1251", 1251},      {"CP1252", 1252},
    {"CP1253", 1253},     {"CP1254", 1254},      {"CP1255", 1255, {{0xCA, 0}}},
    {"CP1256", 1256},     {"CP1257", 1257},      {"CP1258", 1258},
    {"CP932", 932},       {"SHIFT_JIS", 932, {{0x5C, 0xA5}, {0x7E, 0x203E}}},
    {"CP936", 936, {}, true},
    {"CP949", 949, {}, true}, {"CP950", 950, {}, true}, {"BIG5", 950, {}, true},
    {"EUC-JP", 20932},    {"EUC-JP-MS", 20932},  {"EUC-CN", 936},
    {"EUC-KR", 949},      {"KOI8-R", 20866},     {"KOI8-U", 21866},
    {"ISO-8859-8", 28598, {{0xAF, 0x00AF}, {0xFD, 0x200E}, {0xFE, 0x200F}}},
    {"ISO-8859-7", 28597,
     {{0xA1, 0x2018}, {0xA2, 0x2019}, {0xA4, 0x20AC}, {0xA5, 0x20AF},
      {0xAA, 0x037A}}},
};

// ISO 8859 parts Windows has no code page for: 0xa0 to 0xff as iconv has
// them (0: no character); 0x00 to 0x9f are the same code points.
struct Table {
  UINT page;
  uint32_t upper[96];
};

const Table kTables[] = {
    {28600,
     {0x00A0, 0x0104, 0x0112, 0x0122, 0x012A, 0x0128, 0x0136, 0x00A7,
      0x013B, 0x0110, 0x0160, 0x0166, 0x017D, 0x00AD, 0x016A, 0x014A,
      0x00B0, 0x0105, 0x0113, 0x0123, 0x012B, 0x0129, 0x0137, 0x00B7,
      0x013C, 0x0111, 0x0161, 0x0167, 0x017E, 0x2015, 0x016B, 0x014B,
      0x0100, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x012E,
      0x010C, 0x00C9, 0x0118, 0x00CB, 0x0116, 0x00CD, 0x00CE, 0x00CF,
      0x00D0, 0x0145, 0x014C, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x0168,
      0x00D8, 0x0172, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
      0x0101, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x012F,
      0x010D, 0x00E9, 0x0119, 0x00EB, 0x0117, 0x00ED, 0x00EE, 0x00EF,
      0x00F0, 0x0146, 0x014D, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x0169,
      0x00F8, 0x0173, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x0138}},
    {28601,
     {0x00A0, 0x0E01, 0x0E02, 0x0E03, 0x0E04, 0x0E05, 0x0E06, 0x0E07,
      0x0E08, 0x0E09, 0x0E0A, 0x0E0B, 0x0E0C, 0x0E0D, 0x0E0E, 0x0E0F,
      0x0E10, 0x0E11, 0x0E12, 0x0E13, 0x0E14, 0x0E15, 0x0E16, 0x0E17,
      0x0E18, 0x0E19, 0x0E1A, 0x0E1B, 0x0E1C, 0x0E1D, 0x0E1E, 0x0E1F,
      0x0E20, 0x0E21, 0x0E22, 0x0E23, 0x0E24, 0x0E25, 0x0E26, 0x0E27,
      0x0E28, 0x0E29, 0x0E2A, 0x0E2B, 0x0E2C, 0x0E2D, 0x0E2E, 0x0E2F,
      0x0E30, 0x0E31, 0x0E32, 0x0E33, 0x0E34, 0x0E35, 0x0E36, 0x0E37,
      0x0E38, 0x0E39, 0x0E3A, 0, 0, 0, 0, 0x0E3F,
      0x0E40, 0x0E41, 0x0E42, 0x0E43, 0x0E44, 0x0E45, 0x0E46, 0x0E47,
      0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, 0x0E4D, 0x0E4E, 0x0E4F,
      0x0E50, 0x0E51, 0x0E52, 0x0E53, 0x0E54, 0x0E55, 0x0E56, 0x0E57,
      0x0E58, 0x0E59, 0x0E5A, 0x0E5B, 0, 0, 0, 0}},
    {28604,
     {0x00A0, 0x1E02, 0x1E03, 0x00A3, 0x010A, 0x010B, 0x1E0A, 0x00A7,
      0x1E80, 0x00A9, 0x1E82, 0x1E0B, 0x1EF2, 0x00AD, 0x00AE, 0x0178,
      0x1E1E, 0x1E1F, 0x0120, 0x0121, 0x1E40, 0x1E41, 0x00B6, 0x1E56,
      0x1E81, 0x1E57, 0x1E83, 0x1E60, 0x1EF3, 0x1E84, 0x1E85, 0x1E61,
      0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
      0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
      0x0174, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x1E6A,
      0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x0176, 0x00DF,
      0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
      0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
      0x0175, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x1E6B,
      0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x0177, 0x00FF}},
    {28606,
     {0x00A0, 0x0104, 0x0105, 0x0141, 0x20AC, 0x201E, 0x0160, 0x00A7,
      0x0161, 0x00A9, 0x0218, 0x00AB, 0x0179, 0x00AD, 0x017A, 0x017B,
      0x00B0, 0x00B1, 0x010C, 0x0142, 0x017D, 0x201D, 0x00B6, 0x00B7,
      0x017E, 0x010D, 0x0219, 0x00BB, 0x0152, 0x0153, 0x0178, 0x017C,
      0x00C0, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0106, 0x00C6, 0x00C7,
      0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
      0x0110, 0x0143, 0x00D2, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x015A,
      0x0170, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x0118, 0x021A, 0x00DF,
      0x00E0, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x0107, 0x00E6, 0x00E7,
      0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
      0x0111, 0x0144, 0x00F2, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x015B,
      0x0171, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x0119, 0x021B, 0x00FF}},
};

const Table* TableOf(UINT page) {
  for (const Table& table : kTables) {
    if (table.page == page) return &table;
  }
  return nullptr;
}

struct Conversion {
  UINT from;
  UINT to;
  const std::vector<Patch>* fromPatches;
  const std::vector<Patch>* toPatches;
  bool fromNoPrivateUse;
  bool sjisToEuc;     // CP932 to EUC-JP-MS: by the codes' arithmetic
  bool gbkToGb2312;   // CP936 to EUC-CN: the same bytes, as iconv does
  bool toFontCharset;  // BIG5 and the EUC charsets, not a code page
};

const std::vector<Patch> kNoPatches;

// A Shift-JIS code of the JIS X 0208 rows (and the rows beyond, up to 94)
// as its EUC-JP bytes, as iconv's EUC-JP-MS has them: the arithmetic that
// ties the two encodings, whatever characters Unicode gives them.
bool SjisToEuc(const char* in, size_t size, std::string* out) {
  if (size != 2) return false;
  // A duplicate code (the IBM extensions' copies of JIS X 0208 symbols)
  // goes as the code Windows gives its character.
  wchar_t wide[2];
  char canonical[2];
  BOOL defaulted = FALSE;
  if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, in, 2, wide, 2) != 1 ||
      WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, 1, canonical, 2,
                          nullptr, &defaulted) != 2 ||
      defaulted) {
    return false;
  }
  int lead = static_cast<uint8_t>(canonical[0]);
  int trail = static_cast<uint8_t>(canonical[1]);
  if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xF4))) return false;
  if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return false;
  // Rows 0x21 to 0x7e; the user area's first five leads (0xf0 to 0xf4)
  // are rows 0x75 to 0x7e, where JIS X 0208 leaves rows 85 to 94 free.
  int row = (lead >= 0xE0 ? lead - 0xB0 : lead - 0x70) * 2 - 1;
  if (lead >= 0xF0) row -= 10;
  int cell = trail - (trail >= 0x80 ? 0x20 : 0x1F);
  if (cell > 0x7E) {
    row += 1;
    cell = trail - 0x7E;
  }
  out->assign({static_cast<char>(row | 0x80), static_cast<char>(cell | 0x80)});
  return true;
}

// A GBK code as its GB 2312 bytes, as iconv converts between the two: the
// same two bytes wherever GB 2312 has room for them (rows and cells 0xa1
// to 0xfe up to row 0xf7), except where GBK put characters of its own into
// GB 2312's empty places.
bool GbkToGb2312(const char* in, size_t size, std::string* out) {
  if (size != 2) return false;
  const int lead = static_cast<uint8_t>(in[0]);
  const int trail = static_cast<uint8_t>(in[1]);
  const int code = lead << 8 | trail;
  if (lead < 0xA1 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE) return false;
  if ((code >= 0xA2A1 && code <= 0xA2AA) || (code >= 0xA6E0 && code <= 0xA6F5) ||
      (code >= 0xA8BB && code <= 0xA8C0)) {
    return false;
  }
  out->assign(in, 2);
  return true;
}

bool PageOf(const char* name, UINT* page, const std::vector<Patch>** patches,
            bool* noPrivateUse = nullptr) {
  *patches = &kNoPatches;
  if (noPrivateUse != nullptr) *noPrivateUse = false;
  for (const Known& known : kKnown) {
    if (_stricmp(name, known.name) == 0) {
      *page = known.page;
      *patches = &known.patches;
      if (noPrivateUse != nullptr) *noPrivateUse = known.noPrivateUse;
      return true;
    }
  }
  // ISO-8859-N: 28590 + N.
  if (_strnicmp(name, "ISO-8859-", 9) == 0) {
    const int n = std::atoi(name + 9);
    if (n >= 1 && n <= 16) {
      *page = static_cast<UINT>(28590 + n);
      return true;
    }
  }
  return false;
}

// `size` bytes of `page` as code points; false when they are not valid.
bool Decode(UINT page, const std::vector<Patch>& patches, const char* in,
            size_t size, std::vector<uint32_t>* points) {
  points->clear();
  if (page == kUtf32) {
    if (size % 4 != 0) return false;
    for (size_t i = 0; i < size; i += 4) {
      uint32_t c = 0;
      for (int k = 3; k >= 0; --k) c = c << 8 | static_cast<uint8_t>(in[i + k]);
      if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return false;
      points->push_back(c);
    }
    return true;
  }
  if (const Table* table = TableOf(page)) {
    if (size != 1) return false;
    const uint8_t byte = static_cast<uint8_t>(in[0]);
    const uint32_t point = byte < 0xA0 ? byte : table->upper[byte - 0xA0];
    if (byte >= 0xA0 && point == 0) return false;
    points->push_back(point);
    return true;
  }
  for (const Patch& patch : patches) {
    if (size == 1 && static_cast<uint8_t>(in[0]) == patch.byte) {
      if (patch.point == 0) return false;
      points->push_back(patch.point);
      return true;
    }
  }
  wchar_t wide[16];
  const int n = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, in,
                                    static_cast<int>(size), wide, 16);
  if (n <= 0) return false;
  // Windows gives the bytes its 125x code pages leave empty the C1
  // control with the same number; iconv has no character there.
  if (page >= 1250 && page <= 1258 && n == 1 && wide[0] >= 0x80 &&
      wide[0] <= 0x9F) {
    return false;
  }
  for (int i = 0; i < n; ++i) {
    uint32_t c = static_cast<uint16_t>(wide[i]);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < n) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint16_t>(wide[++i]) - 0xDC00);
    }
    points->push_back(c);
  }
  return true;
}

// Code points as bytes of `page`; false when one has no form there.
bool Encode(UINT page, const std::vector<Patch>& patches, bool noPrivateUse,
            const std::vector<uint32_t>& points, std::string* out) {
  out->clear();
  if (page == kUtf32) {
    for (uint32_t c : points) {
      for (int k = 0; k < 4; ++k) out->push_back(static_cast<char>(c >> (8 * k)));
    }
    return true;
  }
  for (const Patch& patch : patches) {
    if (patch.point != 0 && points.size() == 1 && points[0] == patch.point) {
      out->push_back(static_cast<char>(patch.byte));
      return true;
    }
  }
  if (const Table* table = TableOf(page)) {
    if (points.size() != 1) return false;
    if (points[0] < 0xA0) {
      out->push_back(static_cast<char>(points[0]));
      return true;
    }
    for (int i = 0; i < 96; ++i) {
      if (table->upper[i] != 0 && table->upper[i] == points[0]) {
        out->push_back(static_cast<char>(0xA0 + i));
        return true;
      }
    }
    return false;
  }
  // iconv gives the private use area no code of a font's charset (Windows'
  // 950 has its user-defined codes there).
  if (noPrivateUse) {
    for (uint32_t c : points) {
      if (c >= 0xE000 && c <= 0xF8FF) return false;
    }
  }
  std::wstring wide;
  for (uint32_t c : points) {
    if (c >= 0x10000) {
      wide.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
      wide.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      wide.push_back(static_cast<wchar_t>(c));
    }
  }
  char bytes[16];
  BOOL defaulted = FALSE;
  const int n = WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, wide.data(),
                                    static_cast<int>(wide.size()), bytes,
                                    sizeof(bytes), nullptr, &defaulted);
  if (n <= 0 || defaulted) return false;
  // A patched byte stands for its patch's character alone.
  for (const Patch& patch : patches) {
    if (n == 1 && static_cast<uint8_t>(bytes[0]) == patch.byte) return false;
  }
  out->assign(bytes, static_cast<size_t>(n));
  return true;
}

}  // namespace

CharsetConversion::~CharsetConversion() { Close(); }

bool CharsetConversion::Open(const char* to, const char* from) {
  Close();
  Conversion conversion{};
  if (!PageOf(from, &conversion.from, &conversion.fromPatches,
              &conversion.fromNoPrivateUse) ||
      !PageOf(to, &conversion.to, &conversion.toPatches)) {
    return false;
  }
  conversion.sjisToEuc =
      _stricmp(from, "CP932") == 0 && _stricmp(to, "EUC-JP-MS") == 0;
  conversion.gbkToGb2312 =
      _stricmp(from, "CP936") == 0 && _stricmp(to, "EUC-CN") == 0;
  conversion.toFontCharset =
      _stricmp(to, "BIG5") == 0 || _strnicmp(to, "EUC-", 4) == 0;
  for (UINT page : {conversion.from, conversion.to}) {
    CPINFO info;
    if (page != kUtf32 && TableOf(page) == nullptr && !GetCPInfo(page, &info)) {
      return false;
    }
  }
  handle_ = new Conversion(conversion);
  return true;
}

void CharsetConversion::Close() {
  delete static_cast<Conversion*>(handle_);
  handle_ = nullptr;
}

bool CharsetConversion::Convert(const char* in, size_t size,
                                std::string* out) const {
  out->clear();
  if (handle_ == nullptr || size > 16) return false;
  const Conversion& c = *static_cast<const Conversion*>(handle_);
  if (c.sjisToEuc) return SjisToEuc(in, size, out);
  if (c.gbkToGb2312) return GbkToGb2312(in, size, out);
  std::vector<uint32_t> points;
  if (!Decode(c.from, *c.fromPatches, in, size, &points) || points.empty()) {
    return false;
  }
  // 950's 0xc6a1 to 0xc8fe: iconv's Big5 has them (in the private use
  // area), and a Big5 font may have glyphs there.
  const bool kept_user_codes = c.from == 950 && size == 2 &&
                              static_cast<uint8_t>(in[0]) >= 0xC6 &&
                              static_cast<uint8_t>(in[0]) <= 0xC8;
  if (c.fromNoPrivateUse && !kept_user_codes) {
    for (uint32_t p : points) {
      if (p >= 0xE000 && p <= 0xF8FF) return false;
    }
  }
  if (c.to == 950 && points.size() == 1) {
    static const uint32_t kBoxes[] = {0x2550, 0x255E, 0x256A, 0x2561};
    for (int i = 0; i < 4; ++i) {
      if (points[0] != kBoxes[i]) continue;
      out->assign({static_cast<char>(0xA2), static_cast<char>(0xA4 + i)});
      return true;
    }
  }
  return Encode(c.to, *c.toPatches, c.toFontCharset && !kept_user_codes,
                points, out);
}

const char* CharsetConversion::Converter() { return "Windows"; }

}  // namespace vexo
