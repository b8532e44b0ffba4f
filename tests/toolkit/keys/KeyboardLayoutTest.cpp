#include <gtest/gtest.h>

#include <set>

#include "toolkit/KeyboardLayout.h"
#include "toolkit/VirtualKeys.h"

using namespace ql;

TEST(KeyboardLayout, UsLayoutKeysOfCharacters) {
  const struct {
    char c;
    int16_t code;
  } cases[] = {
      {'a', 'A'},        {'A', 'A' | kksShift},           {'5', '5'},
      {'(', '9' | kksShift}, {')', '0' | kksShift},       {';', VK_OEM_1},
      {':', VK_OEM_1 | kksShift}, {',', VK_OEM_COMMA},    {'.', VK_OEM_PERIOD},
      {'=', VK_OEM_PLUS}, {'[', VK_OEM_4},                {']', VK_OEM_6},
      {'{', VK_OEM_4 | kksShift}, {'"', VK_OEM_7 | kksShift}, {'_', VK_OEM_MINUS | kksShift},
      {'\\', VK_OEM_5},   {' ', VK_SPACE},                {'\r', VK_RETURN},
      {'\t', VK_TAB},     {'\b', VK_BACK},                {'\x1B', VK_ESCAPE},
      {'\x01', 'A' | kksCtrl}, {'\xE9', -1},              {'\0', -1},
  };
  for (const auto& c : cases) EXPECT_EQ(VkKeyScan(c.c), c.code) << "character " << int(c.c);
}

TEST(KeyboardLayout, EveryPrintableCharacterHasAKeyOfItsOwn) {
  std::set<int16_t> codes;
  for (int c = 32; c < 127; ++c) {
    const int16_t code = VkKeyScan(static_cast<char>(c));
    ASSERT_NE(code, -1) << char(c);
    EXPECT_EQ(code & ~(0xFF | kksShift), 0) << char(c);  // printable: no Ctrl or Alt
    EXPECT_TRUE(codes.insert(code).second) << char(c) << " shares its key";
  }
}

TEST(KeyboardLayout, KeyScanCodeOfAKeyPressMatchesTheCharacterLookup) {
  EXPECT_EQ(KeyScanCode(VK_OEM_1, ssShift), VkKeyScan(':'));
  EXPECT_EQ(KeyScanCode('9', ssShift), VkKeyScan('('));
  EXPECT_EQ(KeyScanCode(VK_RETURN, 0), VkKeyScan('\r'));
  EXPECT_EQ(KeyScanCode('A', ssCtrl | ssAlt), 'A' | kksCtrl | kksAlt);
}
