#include "fontinput/impact_columns.h"

// Each dot column runs from its bottom row up, from bit 0x80 of byte p
// towards bit 0x01, a new byte after every eight dots; the next column
// starts height/8 bytes further on, one more when a row is a single byte or
// the glyph has 9 rows. Eight dot columns (one byte of every row) by eight
// rows are turned at once, as an 8 x 8 bit matrix in a 64-bit word.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "fontinput/glyph_bitmap.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vexo {

namespace {

// Transposes the 8 x 8 bit matrix whose row r is byte r of `x` and whose
// column c is bit c: bit 8r + c moves to bit 8c + r.
uint64_t Transpose8(uint64_t x) {
  uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAull;
  x ^= t ^ (t << 7);
  t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCull;
  x ^= t ^ (t << 14);
  t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ull;
  x ^= t ^ (t << 28);
  return x;
}

uint64_t ReverseBytes(uint64_t x) {
#if defined(__GNUC__)
  return __builtin_bswap64(x);
#else
  x = (x & 0x00FF00FF00FF00FFull) << 8 | ((x >> 8) & 0x00FF00FF00FF00FFull);
  x = (x & 0x0000FFFF0000FFFFull) << 16 | ((x >> 16) & 0x0000FFFF0000FFFFull);
  return x << 32 | x >> 32;
#endif
}

// The conversion at one height and row width, both known when compiling,
// so that every loop unrolls. Row byte k of the row d rows above the bottom
// one is bottom[d * up + k].
template <int kHeight, int kBytesPerRow>
int ConvertAtSize(const uint8_t* bottom, ptrdiff_t up, uint8_t* columns) {
  constexpr int kColumnBytes = (kHeight + 7) / 8;
  constexpr int step = ImpactColumnStep(8 * kBytesPerRow, kHeight);
  for (int k = 0; k < kBytesPerRow; ++k) {
    // Dot column 8k + i starts at byte (8k + i) x step.
    uint8_t* first = columns + 8 * k * step;
    for (int j = 0; j < kColumnBytes; ++j) {
      // Rows 8j to 8j + 7 from the bottom, the lowest in the top byte, so
      // that after the transpose and the byte reversal lane i holds byte j
      // of dot column 8k + i, its lowest dot at bit 0x80.
      uint64_t rows = 0;
      for (int t = 0; t < 8; ++t) {
        const int d = 8 * j + t;
        if (d >= kHeight) break;
        rows |= uint64_t{bottom[d * up + k]} << (8 * (7 - t));
      }
      const uint64_t lanes = ReverseBytes(Transpose8(rows));
      for (int i = 0; i < 8; ++i) {
        first[i * step + j] |= static_cast<uint8_t>(lanes >> (8 * i));
      }
    }
  }
  return 8 * kBytesPerRow * step;
}

#if defined(__SSE2__)
// Bit 7 of each byte of v, shifted left by i in 16-bit lanes, gives bit
// 7 - i of every byte (the bits that come in from the low byte of a lane
// stay below bit 7): dot column 8k + i of up to 16 rows at once, row t
// from the bottom in bit t. Its bytes reversed bit for bit put the lowest
// dot at 0x80.
constexpr std::array<uint8_t, 256> ReversedBits() {
  std::array<uint8_t, 256> table{};
  for (int b = 0; b < 256; ++b) {
    int r = 0;
    for (int i = 0; i < 8; ++i) r |= ((b >> i) & 1) << (7 - i);
    table[b] = static_cast<uint8_t>(r);
  }
  return table;
}
constexpr std::array<uint8_t, 256> kReversed = ReversedBits();

// Byte k of 16 file rows (4 bytes each, the bottom row first) in one
// register, in the order the column bytes want them: rows 7 down to 0,
// then 15 down to 8, so that a movemask gives both bytes of a column with
// each one's lowest dot at bit 7.
__m128i FileRowBytes16(const uint8_t* bottom, int k) {
  const __m128i lowByte = _mm_set1_epi32(0xFF);
  __m128i q[4];
  for (int i = 0; i < 4; ++i) {
    const __m128i rows =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom + 16 * i));
    q[i] = _mm_and_si128(_mm_srli_epi32(rows, 8 * k), lowByte);
  }
  __m128i v = _mm_packus_epi16(_mm_packs_epi32(q[0], q[1]),
                               _mm_packs_epi32(q[2], q[3]));
  v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
  v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
  return _mm_shufflehi_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
}

// Dot columns 0 to 7 of `rows` (as FileRowBytes16 gives them), column i in
// 16-bit lane i: its bottom eight dots in the low byte, the top eight in
// the high one, as two column bytes lie in memory.
template <int... kColumn>
__m128i ColumnWords(__m128i rows, std::integer_sequence<int, kColumn...>) {
  __m128i words = _mm_setzero_si128();
  ((words = _mm_insert_epi16(
        words, _mm_movemask_epi8(_mm_slli_epi16(rows, kColumn)), kColumn)),
   ...);
  return words;
}

// The conversion of glyphs of up to 16 rows with SSE2: one byte of every
// row in one register, eight movemasks for its eight dot columns.
template <int kHeight, int kBytesPerRow>
int ConvertAtSizeSse2(const uint8_t* bottom, ptrdiff_t up, uint8_t* columns) {
  constexpr int kColumnBytes = (kHeight + 7) / 8;
  constexpr int step = ImpactColumnStep(8 * kBytesPerRow, kHeight);
  if constexpr (kHeight == 16) {
    // Sixteen file rows, the DBCS impact glyph: whole rows in registers.
    if (up == kFileRowSize) {
      for (int k = 0; k < kBytesPerRow; ++k) {
        const __m128i rows = FileRowBytes16(bottom, k);
        uint8_t* first = columns + 8 * k * step;
        if constexpr (step == 2) {
          // The eight columns lie side by side: set them with one OR.
          __m128i* at = reinterpret_cast<__m128i*>(first);
          const __m128i words =
              ColumnWords(rows, std::make_integer_sequence<int, 8>());
          _mm_storeu_si128(at, _mm_or_si128(_mm_loadu_si128(at), words));
          continue;
        }
        for (int i = 0; i < 8; ++i) {
          const unsigned dots =
              static_cast<unsigned>(_mm_movemask_epi8(_mm_slli_epi16(rows, i)));
          first[i * step] |= static_cast<uint8_t>(dots);
          first[i * step + 1] |= static_cast<uint8_t>(dots >> 8);
        }
      }
      return 8 * kBytesPerRow * step;
    }
  }
  for (int k = 0; k < kBytesPerRow; ++k) {
    alignas(16) uint8_t lanes[16] = {};
    for (int t = 0; t < kHeight; ++t) lanes[t] = bottom[t * up + k];
    const __m128i rows = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes));
    uint8_t* first = columns + 8 * k * step;
    for (int i = 0; i < 8; ++i) {
      const unsigned dots =
          static_cast<unsigned>(_mm_movemask_epi8(_mm_slli_epi16(rows, i)));
      for (int j = 0; j < kColumnBytes; ++j) {
        first[i * step + j] |= kReversed[(dots >> (8 * j)) & 0xFF];
      }
    }
  }
  return 8 * kBytesPerRow * step;
}
#endif

using Conversion = int (*)(const uint8_t*, ptrdiff_t, uint8_t*);
constexpr int kRowWidths = kMaxConvertWidth / 8 + 1;  // 0 to 3 bytes a row

// The conversion of a size: with SSE2 where the platform has it and the
// glyph has at most 16 rows of at most 2 bytes (every impact size the
// loaders pass), else the portable one.
template <int kHeight, int kBytesPerRow>
constexpr Conversion Fastest() {
#if defined(__SSE2__)
  if constexpr (kHeight <= 16 && kBytesPerRow <= 2) {
    return &ConvertAtSizeSse2<kHeight, kBytesPerRow>;
  }
#endif
  return &ConvertAtSize<kHeight, kBytesPerRow>;
}

template <bool kPortable, int kHeight, int... kBytesPerRow>
constexpr std::array<Conversion, kRowWidths> ConversionsAt(
    std::integer_sequence<int, kBytesPerRow...>) {
  if constexpr (kPortable) {
    return {&ConvertAtSize<kHeight, kBytesPerRow>...};
  } else {
    return {Fastest<kHeight, kBytesPerRow>()...};
  }
}

template <bool kPortable, int... kHeights>
constexpr std::array<std::array<Conversion, kRowWidths>, sizeof...(kHeights)>
Conversions(std::integer_sequence<int, kHeights...>) {
  return {ConversionsAt<kPortable, kHeights>(
      std::make_integer_sequence<int, kRowWidths>())...};
}

// kConversions[height][width / 8], and the same without SIMD.
constexpr auto kConversions =
    Conversions<false>(std::make_integer_sequence<int, kMaxConvertHeight + 1>());
constexpr auto kPortableConversions =
    Conversions<true>(std::make_integer_sequence<int, kMaxConvertHeight + 1>());

bool Convertible(int width, int height) {
  return width >= 0 && width <= kMaxConvertWidth && height >= 0 &&
         height <= kMaxConvertHeight;
}

}  // namespace

int ImpactColumnsSpan(int width, int height) {
  if (!Convertible(width, height) || width < 8) return 0;
  const int columns = 8 * (width / 8);
  const int step = ImpactColumnStep(width, height);
  const int lastColumnEnd = (columns - 1) * step + (height + 7) / 8;
  return std::max(columns * step, lastColumnEnd);
}

int ConvertToImpactColumns(const uint8_t* bitmap, uint8_t* columns, int width,
                           int height) {
  if (!Convertible(width, height)) return 0;
  const int bytesPerRow = width / 8;
  // The bitmap is top row first: the bottom row is its last.
  return kConversions[height][bytesPerRow](
      bitmap + static_cast<ptrdiff_t>(height - 1) * bytesPerRow, -bytesPerRow,
      columns);
}

int ConvertFileRowsToImpactColumns(const uint8_t* fileRows, uint8_t* columns,
                                   int width, int height) {
  if (!Convertible(width, height)) return 0;
  return kConversions[height][width / 8](fileRows, kFileRowSize, columns);
}

int ConvertFileRowsToImpactColumnsPortable(const uint8_t* fileRows,
                                           uint8_t* columns, int width,
                                           int height) {
  if (!Convertible(width, height)) return 0;
  return kPortableConversions[height][width / 8](fileRows, kFileRowSize, columns);
}

}  // namespace vexo
