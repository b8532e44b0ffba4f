#include <gtest/gtest.h>

#include "toolkit/Cp1252.h"

namespace ql {
namespace {

TEST(Cp1252, EveryByteShowsAsOneCharacterAndMapsBack) {
  for (int b = 0; b < 256; ++b) {
    const char32_t shown = Cp1252ToUnicode(static_cast<uint8_t>(b));
    uint8_t back = 0;
    ASSERT_TRUE(UnicodeToCp1252(shown, back)) << b;
    EXPECT_EQ(back, b);
  }
  EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(Cp1252ToUnicode(0x9F), U'\u0178');
  EXPECT_EQ(Cp1252ToUnicode(0x81), U'\u0081');  // undefined in the code page: kept as itself
  EXPECT_EQ(Cp1252ToUnicode(0xE9), U'\u00E9');
}

TEST(Cp1252, CharactersOutsideTheTableHaveNoByte) {
  uint8_t b = 0;
  for (const char32_t c : {U'\u0080', U'\u0100', U'\u2192', U'\u4E2D', U'\U0001F600'}) {
    EXPECT_FALSE(UnicodeToCp1252(c, b)) << static_cast<uint32_t>(c);
  }
}

}  // namespace
}  // namespace ql
