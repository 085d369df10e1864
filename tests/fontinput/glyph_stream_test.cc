#include "fontinput/glyph_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace vexo {

namespace {

uint8_t ByteOf(size_t glyph, size_t k) {
  return static_cast<uint8_t>(glyph * 7 + k * 13 + 1);
}

// Glyphs after headers of every length against the file's blocks, over
// several of the stream's blocks, the last glyph cut short or not: each
// comes whole and in order, the cut one never, and the file is left just
// after the last glyph handed out, or at its end after a cut one (the
// header read through the stream's buffer first, as the loaders read it).
TEST(GlyphStreamTest, GlyphsComeWholeWhereverTheHeaderEnds) {
  for (size_t header : {0, 1, 31, 4095, 4096, 5000}) {
    for (size_t size : {size_t{16}, size_t{96}, size_t{128}}) {
      for (size_t cut : {size_t{0}, size_t{5}}) {
        SCOPED_TRACE(testing::Message() << header << " " << size << " " << cut);
        const size_t glyphs = 3 * kGlyphBlockSize / size + 3;
        std::FILE* file = std::tmpfile();
        ASSERT_NE(file, nullptr);
        std::vector<uint8_t> bytes(header, 0xEE);
        for (size_t g = 0; g < glyphs; ++g) {
          for (size_t k = 0; k < size; ++k) bytes.push_back(ByteOf(g, k));
        }
        bytes.resize(bytes.size() - cut);
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
        std::rewind(file);
        std::vector<uint8_t> head(header + 1);
        ASSERT_EQ(std::fread(head.data(), 1, header, file), header);
        GlyphStream stream;
        StartGlyphStream(file, &stream);
        size_t handed = 0;
        while (const uint8_t* glyph = NextGlyph(&stream, size)) {
          bool same = true;
          for (size_t k = 0; k < size; ++k) same = same && glyph[k] == ByteOf(handed, k);
          ASSERT_TRUE(same) << "glyph " << handed;
          ++handed;
        }
        EXPECT_EQ(handed, cut == 0 ? glyphs : glyphs - 1);
        EXPECT_EQ(NextGlyph(&stream, size), nullptr);
        FinishGlyphStream(&stream);
        // The bytes of a glyph cut short count as read.
        EXPECT_EQ(std::ftell(file),
                  static_cast<long>(cut == 0 ? header + handed * size : bytes.size()));
        std::fclose(file);
      }
    }
  }
}

}  // namespace

}  // namespace vexo
