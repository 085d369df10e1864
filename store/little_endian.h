// Little-endian encoding of the 16- and 32-bit numbers in input font headers
// and output font records. Every multi-byte number the converter reads or
// writes goes through these helpers, one byte at a time.
#ifndef VEXOCNVT_STORE_LITTLE_ENDIAN_H_
#define VEXOCNVT_STORE_LITTLE_ENDIAN_H_

#include <cstdint>

namespace vexo {

inline void EncodeFixed16(uint8_t* dst, uint16_t value) {
  dst[0] = static_cast<uint8_t>(value);
  dst[1] = static_cast<uint8_t>(value >> 8);
}

inline void EncodeFixed32(uint8_t* dst, uint32_t value) {
  dst[0] = static_cast<uint8_t>(value);
  dst[1] = static_cast<uint8_t>(value >> 8);
  dst[2] = static_cast<uint8_t>(value >> 16);
  dst[3] = static_cast<uint8_t>(value >> 24);
}

inline uint16_t DecodeFixed16(const uint8_t* p) {
  return static_cast<uint16_t>(uint16_t(p[0]) | uint16_t(p[1]) << 8);
}

inline uint32_t DecodeFixed32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
         uint32_t(p[3]) << 24;
}

}  // namespace vexo

#endif  // VEXOCNVT_STORE_LITTLE_ENDIAN_H_
