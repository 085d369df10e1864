#include "vexofont/codepage/code_page.h"

#include <strings.h>

#include <cstdio>
#include <string>
#include <vector>

#include "store/little_endian.h"

namespace vexo {

namespace {

// A double-byte code page with its lead and trail bytes.
constexpr CodePage DbcsPage(uint16_t number, const char* iconvName) {
  CodePage page = {number, FontKind::kDbcs, iconvName, {}, {}};
  const DbcsCodePageBytes* bytes = FindDbcsCodePageBytes(number);
  for (int i = 0; i < kRangeSlots; ++i) {
    page.lead[i] = bytes->lead[i];
    page.trail[i] = bytes->trail[i];
  }
  return page;
}

const CodePage kCodePages[] = {
    {437, FontKind::kSbcs, "CP437", {}, {}},
    {850, FontKind::kSbcs, "CP850", {}, {}},
    {852, FontKind::kSbcs, "CP852", {}, {}},
    {858, FontKind::kSbcs, "CP858", {}, {}},
    {866, FontKind::kSbcs, "CP866", {}, {}},
    {1250, FontKind::kSbcs, "CP1250", {}, {}},
    {1251, FontKind::kSbcs, "CP1251", {}, {}},
    {1252, FontKind::kSbcs, "CP1252", {}, {}},
    {1253, FontKind::kSbcs, "CP1253", {}, {}},
    {1254, FontKind::kSbcs, "CP1254", {}, {}},
    {1255, FontKind::kSbcs, "CP1255", {}, {}},
    {1256, FontKind::kSbcs, "CP1256", {}, {}},
    {1257, FontKind::kSbcs, "CP1257", {}, {}},
    {1258, FontKind::kSbcs, "CP1258", {}, {}},
    {28591, FontKind::kSbcs, "ISO-8859-1", {}, {}},
    {28592, FontKind::kSbcs, "ISO-8859-2", {}, {}},
    {28593, FontKind::kSbcs, "ISO-8859-3", {}, {}},
    {28594, FontKind::kSbcs, "ISO-8859-4", {}, {}},
    {28595, FontKind::kSbcs, "ISO-8859-5", {}, {}},
    {28596, FontKind::kSbcs, "ISO-8859-6", {}, {}},
    {28597, FontKind::kSbcs, "ISO-8859-7", {}, {}},
    {28598, FontKind::kSbcs, "ISO-8859-8", {}, {}},
    {28599, FontKind::kSbcs, "ISO-8859-9", {}, {}},
    {28600, FontKind::kSbcs, "ISO-8859-10", {}, {}},
    {28601, FontKind::kSbcs, "ISO-8859-11", {}, {}},
    {28603, FontKind::kSbcs, "ISO-8859-13", {}, {}},
    {28604, FontKind::kSbcs, "ISO-8859-14", {}, {}},
    {28605, FontKind::kSbcs, "ISO-8859-15", {}, {}},
    {28606, FontKind::kSbcs, "ISO-8859-16", {}, {}},
    // The single-byte halves of the double-byte code pages: 932's is JIS X
    // 0201 (yen sign at 0x5c, overline at 0x7e, half-width katakana), the
    // others' ASCII (936 with the euro sign at 0x80).
    {932, FontKind::kSbcs, "SHIFT_JIS", {}, {}},
    {936, FontKind::kSbcs, "CP936", {}, {}},
    {949, FontKind::kSbcs, "CP949", {}, {}},
    {950, FontKind::kSbcs, "CP950", {}, {}},
    DbcsPage(932, "CP932"),
    DbcsPage(936, "CP936"),
    DbcsPage(949, "CP949"),
    DbcsPage(950, "CP950"),
};

constexpr int kIso8859Base = 28590;

// Reads a decimal number of 1 to 5 digits that makes up all of `text`.
bool ReadNumber(const std::string& text, int* value) {
  if (text.empty() || text.size() > 5) return false;
  int result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
  }
  *value = result;
  return true;
}

bool HasPrefixNoCase(const std::string& text, const char* prefix,
                     std::string* rest) {
  const size_t length = std::char_traits<char>::length(prefix);
  if (text.size() < length || strncasecmp(text.c_str(), prefix, length) != 0) {
    return false;
  }
  *rest = text.substr(length);
  return true;
}

}  // namespace

const CodePage* FindCodePage(FontKind kind, const std::string& text) {
  int number = -1;
  std::string part;
  if (HasPrefixNoCase(text, "iso-8859-", &part) ||
      HasPrefixNoCase(text, "iso8859-", &part) ||
      HasPrefixNoCase(text, "8859-", &part)) {
    int n = 0;
    if (!ReadNumber(part, &n) || n < 1 || n > 16) return nullptr;
    number = kIso8859Base + n;
  } else if (!ReadNumber(text, &number)) {
    return nullptr;
  }
  for (const CodePage& page : kCodePages) {
    if (page.number == number && page.kind == kind) return &page;
  }
  return nullptr;
}

namespace {

// Numbers in rising order as "a, b, c" or, compact, with runs of three or
// more as "a to c"; each written as `prefix` and the number.
std::string ListNumbers(const std::vector<int>& numbers, bool compact,
                        const char* prefix) {
  std::string list;
  for (size_t i = 0; i < numbers.size();) {
    size_t run = 1;
    while (i + run < numbers.size() && numbers[i + run] == numbers[i] + int(run)) {
      ++run;
    }
    if (!compact || run < 3) run = 1;
    if (!list.empty()) list += ", ";
    list += prefix + std::to_string(numbers[i]);
    if (run > 1) {
      list += " to ";
      list += prefix + std::to_string(numbers[i + run - 1]);
    }
    i += run;
  }
  return list;
}

}  // namespace

std::vector<uint16_t> CodePageNumbers(FontKind kind) {
  std::vector<uint16_t> numbers;
  for (const CodePage& page : kCodePages) {
    if (page.kind == kind) numbers.push_back(page.number);
  }
  return numbers;
}

std::string ListCodePages(FontKind kind, bool compact) {
  std::vector<int> numbers;
  std::vector<int> iso;  // N of ISO 8859-N
  for (const CodePage& page : kCodePages) {
    if (page.kind != kind) continue;
    if (page.number > kIso8859Base) {
      iso.push_back(page.number - kIso8859Base);
    } else {
      numbers.push_back(page.number);
    }
  }
  std::string list = ListNumbers(numbers, compact, "");
  if (iso.empty()) return list;
  // The ISO 8859 parts as one span with the parts it lacks.
  std::vector<int> lacking;
  for (int n = iso.front(), i = 0; n <= iso.back(); ++n) {
    if (iso[i] == n) {
      ++i;
    } else {
      lacking.push_back(n);
    }
  }
  if (!list.empty()) list += ", ";
  list += "8859-" + std::to_string(iso.front()) + " to 8859-" +
          std::to_string(iso.back());
  if (!lacking.empty()) list += " except " + ListNumbers(lacking, false, "8859-");
  return list;
}

bool FontCharsetFromRegistry(const std::string& registry,
                             const std::string& encoding,
                             FontCharset* charset) {
  using Form = FontCharset::Form;
  struct Known {
    const char* registryPrefix;
    const char* encoding;  // nullptr: any
    Form form;
    const char* iconvName;
    const char* fallbackIconvName;
  };
  static const Known kKnown[] = {
      {"ISO10646", nullptr, Form::kUnicode, "UTF-32LE", ""},
      {"JISX0208", nullptr, Form::kEucGl, "EUC-JP", "EUC-JP-MS"},
      // Shift-JIS keeps JIS X 0201 (Roman and katakana) in its single
      // bytes.
      {"JISX0201", nullptr, Form::kSingleByte, "SHIFT_JIS", ""},
      {"CNS11643", "1", Form::kEucGl, "EUC-TW", ""},
      {"GB2312", nullptr, Form::kEucGl, "EUC-CN", ""},
      {"KSC5601", nullptr, Form::kEucGl, "EUC-KR", ""},
      {"KSX1001", nullptr, Form::kEucGl, "EUC-KR", ""},
      {"BIG5", nullptr, Form::kDoubleByte, "BIG5", ""},
      {"KOI8", "R", Form::kSingleByte, "KOI8-R", ""},
      {"KOI8", "U", Form::kSingleByte, "KOI8-U", ""},
      // Windows and DOS code pages, whatever registry names them.
      {"", "CP1250", Form::kSingleByte, "CP1250", ""},
      {"", "CP1251", Form::kSingleByte, "CP1251", ""},
      {"", "CP1252", Form::kSingleByte, "CP1252", ""},
      {"", "CP437", Form::kSingleByte, "CP437", ""},
      {"", "CP850", Form::kSingleByte, "CP850", ""},
      {"", "CP866", Form::kSingleByte, "CP866", ""},
  };
  const std::string label = registry + "-" + encoding;
  std::string rest;
  if (HasPrefixNoCase(registry, "ISO8859", &rest) && rest.empty()) {
    int n = 0;
    if (!ReadNumber(encoding, &n) || n < 1 || n > 16) return false;
    charset->form = n == 1 ? Form::kUnicode : Form::kSingleByte;
    charset->iconvName = n == 1 ? "UTF-32LE" : "ISO-8859-" + encoding;
    charset->fallbackIconvName.clear();
    charset->label = label;
    return true;
  }
  for (const Known& known : kKnown) {
    if (!HasPrefixNoCase(registry, known.registryPrefix, &rest)) continue;
    if (known.encoding != nullptr &&
        strcasecmp(encoding.c_str(), known.encoding) != 0) {
      continue;
    }
    charset->form = known.form;
    charset->iconvName = known.iconvName;
    charset->fallbackIconvName = known.fallbackIconvName;
    charset->label = label;
    return true;
  }
  return false;
}

CodeMapper::~CodeMapper() { Close(); }

void CodeMapper::Close() {
  for (CharsetConversion* c : {&cd_, &fallback_, &pageToUnicode_, &fontToUnicode_}) {
    c->Close();
  }
}

bool ToUnicode(const CharsetConversion& toUtf32, const char* bytes, size_t size,
               uint32_t* point) {
  std::string out;
  if (!toUtf32.Convert(bytes, size, &out) || out.size() != 4) return false;
  *point = DecodeFixed32(reinterpret_cast<const uint8_t*>(out.data()));
  return true;
}


bool CodeMapper::SameCharacter(int code, uint32_t fontCode) const {
  if (!fontToUnicode_.IsOpen()) return true;
  uint32_t pagePoint = static_cast<uint32_t>(code);
  if (!fromUnicode_) {
    const char pageBytes[2] = {static_cast<char>(code >> 8),
                               static_cast<char>(code)};
    const bool one = kind_ == FontKind::kSbcs;
    if (!pageToUnicode_.IsOpen() ||
        !ToUnicode(pageToUnicode_, one ? pageBytes + 1 : pageBytes, one ? 1 : 2,
                   &pagePoint)) {
      return true;  // nothing to compare with
    }
  }
  const char fontByte = static_cast<char>(fontCode);
  uint32_t fontPoint = 0;
  return ToUnicode(fontToUnicode_, &fontByte, 1, &fontPoint) &&
         fontPoint == pagePoint;
}

bool CodeMapper::Open(const CodePage& codePage, const FontCharset& charset) {
  Close();
  if (charset.form == FontCharset::Form::kSingleByte) {
    pageToUnicode_.Open("UTF-32LE", codePage.iconvName);
    fontToUnicode_.Open("UTF-32LE", charset.iconvName.c_str());
  }
  cd_.Open(charset.iconvName.c_str(), codePage.iconvName);
  if (!charset.fallbackIconvName.empty()) {
    fallback_.Open(charset.fallbackIconvName.c_str(), codePage.iconvName);
  }
  kind_ = codePage.kind;
  fromUnicode_ = false;
  form_ = charset.form;
  return cd_.IsOpen();
}

bool CodeMapper::OpenFromUnicode(const FontCharset& charset) {
  static const CodePage kUnicode = {0, FontKind::kSbcs, "UTF-32LE", {}, {}};
  const bool opened = Open(kUnicode, charset);
  fromUnicode_ = true;
  return opened;
}

bool CodeMapper::Map(int code, uint32_t* fontCode) {
  if (!cd_.IsOpen()) return false;
  const bool mapped = MapWith(cd_, code, fontCode) ||
                      (fallback_.IsOpen() && MapWith(fallback_, code, fontCode));
  return mapped && SameCharacter(code, *fontCode);
}

bool CodeMapper::MapWith(const CharsetConversion& cd, int code,
                         uint32_t* fontCode) const {
  char in[4];
  size_t inLeft = 0;
  if (fromUnicode_) {
    if (code < 0 || code > 0x10FFFF) return false;
    for (int i = 0; i < 4; ++i)
      in[inLeft++] = static_cast<char>(code >> (8 * i));
  } else if (kind_ == FontKind::kSbcs) {
    if (code < 0 || code > 0xFF) return false;
    in[inLeft++] = static_cast<char>(code);
  } else {
    if (code < 0x100 || code > 0xFFFF) return false;
    in[inLeft++] = static_cast<char>(code >> 8);
    in[inLeft++] = static_cast<char>(code);
  }
  // One character in gives at most one code point (4 bytes) or an EUC
  // sequence of at most 3 bytes; more shows a code that turns into more
  // than one character.
  std::string out;
  if (!cd.Convert(in, inLeft, &out)) return false;
  const auto* bytes = reinterpret_cast<const uint8_t*>(out.data());
  const size_t length = out.size();
  switch (form_) {
    case FontCharset::Form::kUnicode: {
      if (length != 4) return false;
      const uint32_t point = DecodeFixed32(bytes);
      // Control characters have no picture; a code page that maps a code
      // to one has no character to print there.
      if (point < 0x20 || (point >= 0x7F && point < 0xA0)) return false;
      *fontCode = point;
      return true;
    }
    case FontCharset::Form::kSingleByte:
      if (length != 1) return false;
      *fontCode = bytes[0];
      return true;
    case FontCharset::Form::kEucGl:
      // Two bytes, both from the upper half: a character of the charset's
      // 94 x 94 set. ASCII, single shifts and three-byte sequences are
      // other sets that such a font does not hold.
      if (length != 2 || bytes[0] < 0xA1 || bytes[0] > 0xFE ||
          bytes[1] < 0xA1 || bytes[1] > 0xFE) {
        return false;
      }
      *fontCode = uint32_t(bytes[0] & 0x7F) << 8 | uint32_t(bytes[1] & 0x7F);
      return true;
    case FontCharset::Form::kDoubleByte:
      if (length != 2) return false;
      *fontCode = uint32_t(bytes[0]) << 8 | bytes[1];
      return true;
  }
  return false;
}

}  // namespace vexo
