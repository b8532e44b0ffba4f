#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "toolkit/ShortCut.h"
#include "toolkit/VirtualKeys.h"

using namespace ql;

TEST(ShortCutText, WritesNamedKeysWithModifierPrefixesInOrder) {
  const struct {
    ShortCutCode code;
    const char* text;
  } cases[] = {
      {'J' | scCtrl, "Ctrl+J"},
      {'7', "7"},
      {VK_BACK, "BkSp"},
      {VK_TAB, "Tab"},
      {VK_RETURN, "Enter"},
      {VK_ESCAPE, "Esc"},
      {VK_SPACE, "Space"},
      {VK_PRIOR, "PgUp"},
      {VK_NEXT | scShift, "Shift+PgDn"},
      {VK_END, "End"},
      {VK_HOME, "Home"},
      {VK_LEFT, "Left"},
      {VK_UP, "Up"},
      {VK_RIGHT, "Right"},
      {VK_DOWN, "Down"},
      {VK_INSERT, "Ins"},
      {VK_DELETE | scCtrl, "Ctrl+Del"},
      {VK_F12 | scAlt | scCtrl | scShift, "Shift+Ctrl+Alt+F12"},
      {'Z' | scShift | scCtrl, "Shift+Ctrl+Z"},
      {VK_OEM_6, "]"},
      {VK_ADD | scCtrl, "Ctrl+Num +"},
      {0, ""},
      {scCtrl, ""},  // modifiers without a key name no key
  };
  for (const auto& c : cases) EXPECT_EQ(ShortCutToText(c.code), c.text) << std::hex << c.code;
}

TEST(ShortCutText, EveryKeyWithEveryModifierReadsBackAsWritten) {
  std::set<std::string> lowerNames;
  for (int key = 1; key < 256; ++key) {
    std::string name = KeyName(static_cast<uint8_t>(key));
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_TRUE(lowerNames.insert(name).second) << "two keys named " << name;
    for (uint16_t mods : {0, 0x2000, 0x4000, 0x6000, 0x8000, 0xA000, 0xC000, 0xE000}) {
      const ShortCutCode code = static_cast<ShortCutCode>(key | mods);
      EXPECT_EQ(TextToShortCut(ShortCutToText(code)), code) << ShortCutToText(code);
    }
  }
}

TEST(ShortCutText, ReadsAnyCaseAndModifierOrderAndRefusesUnknownText) {
  EXPECT_EQ(TextToShortCut("ctrl+j"), 'J' | scCtrl);
  EXPECT_EQ(TextToShortCut("Alt+Shift+pgup"), VK_PRIOR | scAlt | scShift);
  EXPECT_EQ(TextToShortCut("Ctrl+Ctrl"), VK_CONTROL | scCtrl);

  ShortCutCode code = 123;
  EXPECT_TRUE(TryTextToShortCut("", code));
  EXPECT_EQ(code, 0);
  for (const char* bad : {"Ctrl+", "Shift+", "Bogus", "Ctrl+JJ", "Ctrl-J", " Ctrl+J"}) {
    code = 123;
    EXPECT_FALSE(TryTextToShortCut(bad, code)) << bad;
    EXPECT_EQ(code, 123) << bad;
    EXPECT_EQ(TextToShortCut(bad), 0) << bad;
  }
}

TEST(ShortCutCodeOf, CombinesKeyAndShiftStateAndSplitsBack) {
  EXPECT_EQ(ShortCut('K', ssCtrl), 'K' | scCtrl);
  EXPECT_EQ(ShortCut('Z', ssShift | ssCtrl), 'Z' | scShift | scCtrl);
  EXPECT_EQ(ShortCut(VK_F1, ssAlt), VK_F1 | scAlt);
  EXPECT_EQ(ShortCut(0, ssCtrl), 0);      // no key
  EXPECT_EQ(ShortCut(0x141, ssCtrl), 0);  // not a virtual key

  uint16_t key = 0;
  TShiftState shift = 0;
  ShortCutToKey(VK_LEFT | scShift | scAlt, key, shift);
  EXPECT_EQ(key, VK_LEFT);
  EXPECT_EQ(shift, ssShift | ssAlt);
}
