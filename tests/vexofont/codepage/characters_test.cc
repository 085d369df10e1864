#include "vexofont/codepage/characters.h"

#include <gtest/gtest.h>

namespace vexo {
namespace {

// The small letters of the code pages' alphabets, at the edges of their
// blocks and where Latin Extended-A's pairs change step.
TEST(CharactersTest, SmallLettersOfTheCodePagesAlphabets) {
  const struct {
    uint32_t c;
    bool small;
  } cases[] = {
      {U'a', true},  {U'z', true},  {U'A', false}, {U'+', false}, {U'ß', true},
      {U'÷', false}, {U'ÿ', true},  {U'Ā', false}, {U'ā', true},  {U'İ', false},
      {U'ı', true},  {U'ĸ', true},  {U'Ĺ', false}, {U'ĺ', true},  {U'ň', true},
      {U'ŉ', true},  {U'Ŋ', false}, {U'ŋ', true},  {U'Ÿ', false}, {U'Ź', false},
      {U'ž', true},  {U'ſ', true},  {U'ΐ', true},  {U'Ώ', false}, {U'ά', true},
      {U'ω', true},  {U'ώ', true},  {U'Ω', false}, {U'А', false}, {U'а', true},
      {U'я', true},  {U'ё', true},  {U'џ', true},  {U'Ґ', false}, {U'ґ', true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSmallLetter(c.c), c.small) << "U+" << std::hex << c.c;
  }
}

}  // namespace
}  // namespace vexo
