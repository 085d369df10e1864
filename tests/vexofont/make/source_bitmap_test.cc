#include "vexofont/make/source_bitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexo {

namespace {

// A monochrome bitmap of `rows` ('#' a dot), and its rows back as text.
struct MonoBitmap {
  explicit MonoBitmap(const std::vector<std::string>& rows) {
    bitmap.rows = static_cast<unsigned>(rows.size());
    bitmap.width = static_cast<unsigned>(rows[0].size());
    bitmap.pitch = static_cast<int>((bitmap.width + 7) / 8);
    bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
    bitmap.num_grays = 2;
    bytes.assign(static_cast<size_t>(bitmap.pitch) * bitmap.rows, 0);
    for (size_t y = 0; y < rows.size(); ++y) {
      for (size_t x = 0; x < rows[y].size(); ++x) {
        if (rows[y][x] == '#') {
          bytes[y * bitmap.pitch + x / 8] |=
              static_cast<unsigned char>(0x80 >> (x % 8));
        }
      }
    }
    bitmap.buffer = bytes.data();
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (unsigned y = 0; y < bitmap.rows; ++y) {
      std::string row;
      for (unsigned x = 0; x < bitmap.width; ++x) {
        row += DotSet(bitmap, bytes.data(), static_cast<int>(x),
                      static_cast<int>(y), 0)
                   ? '#'
                   : '.';
      }
      rows.push_back(row);
    }
    return rows;
  }
  FT_Bitmap bitmap{};
  std::vector<unsigned char> bytes;
};

// A stem's foot left a row over its bowl's bottom stands on it again; a
// notch that is the letter's own stays.
TEST(JoinStemFootTest, SetsTheFootOfAStemOverItsBowlsBottomOnly) {
  const struct {
    const char* what;
    std::vector<std::string> rows;
    std::string lastAfter;  // the last row once mended
  } cases[] = {
      // Liberation Mono's a at 10 pixels: read as з.
      {"a", {"###..", "...#.", ".###.", "#..#.", ".##.#"}, ".####"},
      // Its α: the foot joined, the top's tail kept.
      {"alpha", {".##.#", "#..#.", "#..#.", "#..#.", ".##.#"}, ".####"},
      // Two bowls meeting (ω): the notch is the letter's.
      {"omega",
       {"#.....#", "#..#..#", "#..#..#", "#..#..#", ".##.##."},
       ".##.##."},
      // A bar between legs (Д at 7 rows): not a bowl's bottom.
      {"legs",
       {".####..", ".#..#..", ".#..#..", ".#..#..", "#.###.#"},
       "#.###.#"},
      // A stem with ink beside it over the notch (w's middle).
      {"w", {"#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}, ".#.#."},
      // A stem of two rows: too short to be one.
      {"short", {"....", ".#..", "..#.", "..#.", "##.#"}, "##.#"},
      // A tail with ink over it is a stroke, not a tail.
      {"stroke", {"....#", "...##", "...##", "...##", "##.##"}, "##.##"},
  };
  for (const auto& c : cases) {
    MonoBitmap mono(c.rows);
    JoinStemFoot(mono.bitmap, mono.bytes.data(), 0);
    const std::vector<std::string> after = mono.Rows();
    EXPECT_EQ(after.back(), c.lastAfter) << c.what;
    for (size_t y = 0; y + 1 < after.size(); ++y) {
      EXPECT_EQ(after[y], c.rows[y]) << c.what << " row " << y;
    }
  }
}

}  // namespace

}  // namespace vexo
