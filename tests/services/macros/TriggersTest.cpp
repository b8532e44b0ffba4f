#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/AutoReplace.h"
#include "services/CodeTemplates.h"
#include "toolkit/KeyboardLayout.h"

using namespace ql;

TEST(Triggers, TextsGiveKeyCodes) {
  using Keys = std::vector<uint16_t>;
  const uint16_t S = kksShift;
  const struct {
    std::string text;
    Keys keys;
  } cases[] = {
      {TAutoReplace::DefaultTriggers,
       {VK_OEM_1, VK_OEM_COMMA, VK_OEM_1 | S, VK_OEM_PERIOD, VK_OEM_PLUS, '9' | S, '0' | S, VK_OEM_4, VK_OEM_6, VK_RETURN,
        VK_TAB, VK_SPACE}},
      {"\\n\\R\\s\\T\\r", {VK_RETURN, VK_SPACE, VK_TAB}},                  // escapes, each code once
      {"\\{Return}\\{NoSuchKey}", {VK_RETURN, 0}},                         // unknown names give 0
      {"\\{Page-Up}\\{f12}", {VK_PRIOR, VK_F12}},                          // only letters and digits count
      {"\\;\\:", {VK_OEM_1, 0}},                                           // escaped: only unshifted keys
      {"aA1!", {'A', 'A' | S, '1', '1' | S}},                              // the layout's key and Shift
      {std::string("\xE9", 1), {0}},                                       // no key types it
      {"ab\\", {'A', 'B', VK_OEM_5}},                                      // a final "\" stands for itself
      {"", {}},
  };
  for (const auto& c : cases) {
    TAutoReplace a;
    a.SetTriggers(c.text);
    EXPECT_EQ(a.TriggerKeys(), c.keys) << c.text;
    EXPECT_EQ(a.Triggers(), c.text);
  }
}

TEST(Triggers, UnclosedKeyNameKeepsTheKeysAndTheTextInForce) {
  TAutoReplace a;
  a.SetTriggers("xy");
  try {
    a.SetTriggers("ab\\{Return");
    FAIL() << "accepted";
  } catch (const EInkMemo& e) {
    EXPECT_EQ(e.Message, "Bad key specifier");
  }
  EXPECT_EQ(a.TriggerKeys(), (std::vector<uint16_t>{'X', 'Y'}));
  EXPECT_EQ(a.Triggers(), "xy");
  EXPECT_FALSE(a.IsTrigger('A', 0));
}

TEST(Triggers, IsTriggerFollowsTheKeysTheSwitchAndTheText) {
  TAutoReplace a;
  EXPECT_TRUE(a.IsTrigger(VK_SPACE, 0));
  EXPECT_TRUE(a.IsTrigger(VK_OEM_1, ssShift));  // ":"
  EXPECT_TRUE(a.IsTrigger('9', ssShift));       // "("
  EXPECT_FALSE(a.IsTrigger('9', 0));
  EXPECT_FALSE(a.IsTrigger(VK_SPACE, ssCtrl));
  EXPECT_FALSE(a.IsTrigger(0, 0));

  a.SetTriggers("\\{Bogus}");  // key code 0: no press produces it
  EXPECT_FALSE(a.IsTrigger(0, 0));

  a.SetTriggers(" ");
  a.MacroEnabled = false;
  EXPECT_FALSE(a.IsTrigger(VK_SPACE, 0));
  a.MacroEnabled = true;
  a.SetTriggers("");
  EXPECT_FALSE(a.IsTrigger(VK_SPACE, 0));

  a.Reset();
  EXPECT_EQ(a.Triggers(), TAutoReplace::DefaultTriggers);

  TCodeTemplates t;
  EXPECT_TRUE(t.IsTrigger('J', ssCtrl));
  EXPECT_FALSE(t.IsTrigger('J', ssCtrl | ssShift));
  t.HotKey = 0;
  EXPECT_FALSE(t.IsTrigger(0, 0));
}
