#include "store/little_endian.h"

#include <gtest/gtest.h>

namespace vexo {

TEST(LittleEndian, ByteOrderIsLowByteFirst) {
  uint8_t bytes[4];
  EncodeFixed32(bytes, 0x04030201u);
  EXPECT_EQ(bytes[0], 0x01);
  EXPECT_EQ(bytes[1], 0x02);
  EXPECT_EQ(bytes[2], 0x03);
  EXPECT_EQ(bytes[3], 0x04);
  EncodeFixed16(bytes, 0x03A4);
  EXPECT_EQ(bytes[0], 0xA4);
  EXPECT_EQ(bytes[1], 0x03);
}

TEST(LittleEndian, DecodeInvertsEncodeAtTheExtremes) {
  for (uint32_t value : {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    uint8_t bytes[4];
    EncodeFixed32(bytes, value);
    EXPECT_EQ(DecodeFixed32(bytes), value);
  }
  for (uint16_t value : {0, 1, 0x00FF, 0xFF00, 0xFFFF}) {
    uint8_t bytes[2];
    EncodeFixed16(bytes, value);
    EXPECT_EQ(DecodeFixed16(bytes), value);
  }
}

}  // namespace vexo
