// The code pages an input font file can be made for, and the mapping of a
// code page's character codes to the character codes of a source font,
// through CharsetConversion (iconv, or Windows' code pages).
#ifndef VEXOCNVT_VEXOFONT_CODEPAGE_CODE_PAGE_H_
#define VEXOCNVT_VEXOFONT_CODEPAGE_CODE_PAGE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "store/font_kind.h"
#include "vexofont/codepage/charset_conversion.h"
#include "vexofont/fontrules/code_page_bytes.h"


namespace vexo {

struct CodePage {
  uint16_t number;        // as the header carries it
  FontKind kind;
  const char* iconvName;  // the code page's name for iconv
  // DBCS only: the lead and trail byte ranges, unused slots {0, 0} last.
  ByteRange lead[kRangeSlots];
  ByteRange trail[kRangeSlots];
};

// Finds the code page `text` names for fonts of `kind`: its number (437,
// 1252, 932, ...), and for the ISO 8859 family also "8859-N", "iso8859-N" or
// "iso-8859-N" (numbered 28590 + N, 28591 to 28606). Returns nullptr when
// there is none of that kind.
const CodePage* FindCodePage(FontKind kind, const std::string& text);

// The code pages of `kind` as a list for messages and the help text, made
// from the table: "437, 850, ..., 1258, 8859-1 to 8859-16 except 8859-12";
// `compact` writes three or more consecutive numbers as "1250 to 1258".
std::string ListCodePages(FontKind kind, bool compact = false);

// The one code point that `size` bytes stand for, `toUtf32` converting
// them to UTF-32LE; false for none or more than one.
bool ToUnicode(const CharsetConversion& toUtf32, const char* bytes, size_t size,
               uint32_t* point);

// The numbers of the code pages of `kind`, in table order.
std::vector<uint16_t> CodePageNumbers(FontKind kind);

// How a source font numbers its characters.
struct FontCharset {
  enum class Form {
    kUnicode,     // code points
    kSingleByte,  // the byte of the iconv charset
    kEucGl,       // a two-byte EUC charset, stored as its 94 x 94 form
                  // (0x2121 to 0x7E7E): JIS X 0208, GB 2312, KS C 5601
    kDoubleByte,  // the two bytes of the iconv charset, first byte high
  };
  Form form = Form::kUnicode;
  std::string iconvName = "UTF-32LE";
  // A second name tried for codes the first cannot take, or empty: code
  // page 932 maps some JIS X 0208 symbols to other Unicode characters than
  // EUC-JP does (wave dash, minus sign, cent sign, ...).
  std::string fallbackIconvName;
  std::string label = "Unicode";  // for messages
};

// Works out the charset of a bitmap font from its X charset registry and
// encoding ("JISX0208.1983" and "0", "ISO8859" and "5", ...), compared
// without regard to case. Returns false for a registry it does not know.
bool FontCharsetFromRegistry(const std::string& registry,
                             const std::string& encoding,
                             FontCharset* charset);

// Maps character codes of a code page to the codes of a font charset.
class CodeMapper {
 public:
  CodeMapper() = default;
  ~CodeMapper();
  CodeMapper(const CodeMapper&) = delete;
  CodeMapper& operator=(const CodeMapper&) = delete;

  // Prepares the mapping; returns false when the platform does not know
  // side.
  bool Open(const CodePage& codePage, const FontCharset& charset);
  // Prepares a mapping of Unicode code points to the font charset's codes.
  bool OpenFromUnicode(const FontCharset& charset);

  // Maps `code` (one byte for SBCS, lead x 256 + trail for DBCS) to the
  // font's code. Returns false when the code page has no character there,
  // when it is a control character, or when the font charset cannot hold
  // the character.
  bool Map(int code, uint32_t* fontCode);

 private:
  bool MapWith(const CharsetConversion& cd, int code, uint32_t* fontCode) const;
  bool SameCharacter(int code, uint32_t fontCode) const;
  void Close();

  CharsetConversion cd_;
  CharsetConversion fallback_;
  // Single-byte charsets: both sides back to Unicode, to refuse a byte
  // that a conversion gives for a character the charset does not have (Shift-JIS
  // gives 0x5c, its yen sign, for the backslash).
  CharsetConversion pageToUnicode_;
  CharsetConversion fontToUnicode_;
  FontKind kind_ = FontKind::kSbcs;
  bool fromUnicode_ = false;
  FontCharset::Form form_ = FontCharset::Form::kUnicode;
};

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_CODEPAGE_CODE_PAGE_H_
