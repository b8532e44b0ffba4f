#include <gtest/gtest.h>

#include "KeyTestSupport.h"
#include "services/KeyActions.h"
#include "services/KeyDefaults.h"

using namespace ql;
using namespace ql::test;

namespace {

struct TMatchCase {
  const char* name;
  std::vector<TPress> presses;
  std::vector<bool> handled;
  std::vector<int32_t> actions;
};

}  // namespace

TEST(KeyMatcher, DefaultTableSequences) {
  const TMatchCase cases[] = {
      {"plain key", {{VK_LEFT}}, {true}, {caLEFT}},
      {"shift and ctrl count on a first key", {{'Z', ssCtrl}, {'Z', ssCtrl | ssShift}}, {true, true}, {caUNDO, caREDO}},
      {"an unbound first key", {{'Z', ssAlt}, {'A'}}, {false, false}, {}},
      {"two keys", {{'K', ssCtrl}, {'I'}}, {true, true}, {caBLOCKIND}},
      {"modifiers of the second key do not count", {{'K', ssCtrl}, {'I', ssShift}}, {true, true}, {caBLOCKIND}},
      {"ctrl held for the second key", {{'Q', ssCtrl}, {'7', ssCtrl}}, {true, true}, {caGOTOBOOKMARK0 + 7}},
      {"pressing shift on the way to the second key",
       {{'K', ssCtrl}, {VK_SHIFT, ssShift}, {'U', ssShift}},
       {true, false, true},
       {caBLOCKUND}},
      // The X is not a second key: it goes on as typed text, and the matcher is idle again.
      {"a second key that matches nothing", {{'K', ssCtrl}, {'X'}, {'X', ssCtrl}}, {true, false, true}, {caCUT}},
      {"an unmatched second key is not tried as a first key", {{'K', ssCtrl}, {VK_LEFT}}, {true, false}, {}},
      {"the first key twice", {{'K', ssCtrl}, {'K', ssCtrl}, {'I'}}, {true, false, false}, {}},
      {"one-key match leaves the matcher idle", {{VK_DELETE}, {'I'}}, {true, false}, {caDELETE}},
      {"a key beyond the virtual keys", {{'K', ssCtrl}, {0x149}, {'I'}}, {true, false, false}, {}},
  };
  for (const auto& k : cases) {
    TKeyboardActionContoller c;
    c.Assign(DefaultKeyTable());
    const TPressLog log = Type(c, k.presses);
    EXPECT_EQ(log.handled, k.handled) << k.name;
    EXPECT_EQ(log.actions, k.actions) << k.name;
    EXPECT_FALSE(c.KeyStore().Pending()) << k.name;
  }
}

TEST(KeyMatcher, HandledKeyIsConsumedAndTheHandlerMayChangeTheAction) {
  TKeyboardActionContoller c;
  c.Assign(DefaultKeyTable());
  TObject* sender = nullptr;
  int32_t seen = -1;
  c.OnAction = [&](TObject& s, int32_t& action) {
    sender = &s;
    seen = action;
    action = caCOPY;
  };
  uint16_t key = 'Z';
  TShiftState shift = ssCtrl | ssShift;
  bool handled = false;
  c.ProcessKey(key, shift, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(shift, 0);
  EXPECT_EQ(sender, &c);
  EXPECT_EQ(seen, caREDO);
  EXPECT_EQ(c.KeyStore().LastAction(), caREDO);

  key = 'A';
  shift = 0;
  c.ProcessKey(key, shift, handled);  // unbound: left alone for ordinary typing
  EXPECT_FALSE(handled);
  EXPECT_EQ(key, 'A');
}

TEST(KeyMatcher, ResetMatchAndAFailingHandlerLeaveTheMatcherIdle) {
  TKeyboardActionContoller c;
  c.Assign(DefaultKeyTable());
  EXPECT_EQ(Type(c, {{'K', ssCtrl}}).handled, std::vector<bool>{true});
  c.ResetMatch();
  EXPECT_EQ(Type(c, {{'I'}}).handled, std::vector<bool>{false});

  c.OnAction = [](TObject&, int32_t&) { throw Exception("action failed"); };
  uint16_t key = 'K';
  TShiftState shift = ssCtrl;
  bool handled = false;
  c.ProcessKey(key, shift, handled);
  key = 'I';
  EXPECT_THROW(c.ProcessKey(key, shift, handled), Exception);
  EXPECT_FALSE(c.KeyStore().Pending());
  c.OnAction = nullptr;
  EXPECT_EQ(Type(c, {{'K', ssCtrl}, {'U'}}).actions, std::vector<int32_t>{caBLOCKUND});
}
