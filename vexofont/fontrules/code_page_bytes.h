// The bytes of the double-byte code pages: which bytes lead a two-byte code
// and which follow one, and what a byte means on its own. make writes a DBCS
// font's header vectors from them; check uses them to see which codes of an
// SBCS font a printer set to a double-byte code page reads differently.
#ifndef VEXOCNVT_VEXOFONT_FONTRULES_CODE_PAGE_BYTES_H_
#define VEXOCNVT_VEXOFONT_FONTRULES_CODE_PAGE_BYTES_H_

#include <cstdint>

namespace vexo {

// An inclusive byte range; {0, 0} is an unused slot.
struct ByteRange {
  uint8_t first;
  uint8_t last;
};

constexpr int kRangeSlots = 4;  // the pairs of a DBCS header vector

struct DbcsCodePageBytes {
  uint16_t number;
  // The lead and trail byte ranges, unused slots {0, 0} last.
  ByteRange lead[kRangeSlots];
  ByteRange trail[kRangeSlots];
};

inline constexpr DbcsCodePageBytes kDbcsCodePageBytes[] = {
    // Shift-JIS.
    {932,
     {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}, {0, 0}},
     {{0x40, 0x7E}, {0x80, 0xFC}, {0, 0}, {0, 0}}},
    // GBK.
    {936,
     {{0x81, 0xFE}, {0, 0}, {0, 0}, {0, 0}},
     {{0x40, 0x7E}, {0x80, 0xFE}, {0, 0}, {0, 0}}},
    // Unified Hangul.
    {949,
     {{0x81, 0xFE}, {0, 0}, {0, 0}, {0, 0}},
     {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}, {0, 0}}},
    // Big5.
    {950,
     {{0x81, 0xFE}, {0, 0}, {0, 0}, {0, 0}},
     {{0x40, 0x7E}, {0xA1, 0xFE}, {0, 0}, {0, 0}}},
};

// The bytes of the double-byte code page `number`; nullptr for any other.
constexpr const DbcsCodePageBytes* FindDbcsCodePageBytes(uint16_t number) {
  for (const DbcsCodePageBytes& page : kDbcsCodePageBytes) {
    if (page.number == number) return &page;
  }
  return nullptr;
}

constexpr bool InRanges(const ByteRange (&ranges)[kRangeSlots], int byte) {
  for (const ByteRange& range : ranges) {
    if (range.first != 0 && byte >= range.first && byte <= range.last) {
      return true;
    }
  }
  return false;
}

// What a printer set to `codePage` makes of byte `code` on its own:
// - kAscii: the ASCII character;
// - kOwn: a character of that code page's own (the upper half of a
//   single-byte code page; 932's yen sign at 0x5c, overline at 0x7e and
//   half-width katakana at 0xa1 to 0xdf; 936's euro sign at 0x80);
// - kLead: the first byte of a two-byte code, never a character alone;
// - kNone: no character.
enum class SingleByte { kNone, kAscii, kOwn, kLead };

constexpr SingleByte SingleByteIn(uint16_t codePage, int code) {
  const DbcsCodePageBytes* page = FindDbcsCodePageBytes(codePage);
  if (page == nullptr) return code < 0x80 ? SingleByte::kAscii : SingleByte::kOwn;
  if (InRanges(page->lead, code)) return SingleByte::kLead;
  if (codePage == 932 &&
      (code == 0x5C || code == 0x7E || (code >= 0xA1 && code <= 0xDF))) {
    return SingleByte::kOwn;
  }
  if (codePage == 936 && code == 0x80) return SingleByte::kOwn;
  return code < 0x80 ? SingleByte::kAscii : SingleByte::kNone;
}

// Whether a printer set to `printerPage` prints the glyph of single-byte
// code `code` of a font made for `fontPage` where its text means another
// character, or never prints it (a lead byte).
constexpr bool ReadDifferently(uint16_t fontPage, uint16_t printerPage,
                               int code) {
  const SingleByte printer = SingleByteIn(printerPage, code);
  if (printer == SingleByte::kNone) return false;
  if (printer == SingleByte::kLead) return true;
  if (fontPage == printerPage) return false;
  return !(printer == SingleByte::kAscii &&
           SingleByteIn(fontPage, code) == SingleByte::kAscii);
}

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_FONTRULES_CODE_PAGE_BYTES_H_
