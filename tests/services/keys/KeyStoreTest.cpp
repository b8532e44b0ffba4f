#include <gtest/gtest.h>

#include "KeyTestSupport.h"
#include "services/KeyActions.h"
#include "services/KeyDefaults.h"
#include "services/KeyErrors.h"

using namespace ql;
using namespace ql::test;

namespace {

std::unique_ptr<TKeyboardActionContoller> DefaultCopy() {
  auto c = std::make_unique<TKeyboardActionContoller>();
  c->Assign(DefaultKeyTable());
  return c;
}

}  // namespace

TEST(DefaultKeyTable, EnumeratesFirstLevelThenSecondKeysOfTheLastFirstKeyFirst) {
  std::vector<TKeySequence> expected = {
      {Ctrl(VK_BACK), 0, caDELPREVWORD}, {Ctrl(VK_DELETE), 0, caDELNEXTWORD},
      {VK_LEFT, 0, caLEFT},             {VK_RIGHT, 0, caRIGHT},
      {VK_HOME, 0, caLINEHOME},         {VK_END, 0, caLINEEND},
      {VK_UP, 0, caUP},                 {VK_DOWN, 0, caDOWN},
      {VK_PRIOR, 0, caPAGEUP},          {VK_NEXT, 0, caPAGEDOWN},
      {Ctrl(VK_LEFT), 0, caWORDLEFT},   {Ctrl(VK_RIGHT), 0, caWORDRIGHT},
      {Ctrl(VK_HOME), 0, caDOCSTART},   {Ctrl(VK_END), 0, caDOCEND},
      {Ctrl('X'), 0, caCUT},            {Ctrl('C'), 0, caCOPY},
      {Ctrl('V'), 0, caPASTE},          {VK_DELETE, 0, caDELETE},
      {VK_BACK, 0, caBACKSPACE},        {VK_INSERT, 0, caINSTOGGLE},
      {Ctrl('Y'), 0, caDELETELINE},     {Ctrl('Z'), 0, caUNDO},
      {Shift(Ctrl('Z')), 0, caREDO},    {Ctrl(VK_UP), 0, caSCROLLLINEUP},
      {Ctrl(VK_DOWN), 0, caSCROLLLINEDOWN},
  };
  // Ctrl+Q was added after Ctrl+K, so its second keys come first.
  for (int n = 0; n < 10; ++n) expected.push_back({Ctrl('Q'), ShortCutCode('0' + n), caGOTOBOOKMARK0 + n});
  expected.push_back({Ctrl('K'), 'I', caBLOCKIND});
  expected.push_back({Ctrl('K'), 'U', caBLOCKUND});
  for (int n = 0; n < 10; ++n) expected.push_back({Ctrl('K'), ShortCutCode('0' + n), caSETBOOKMARK0 + n});
  expected.push_back({Ctrl('K'), 'P', caPRINTSEL});

  EXPECT_EQ(DefaultKeyTable().KeyStore().Sequences(), expected);
  EXPECT_EQ(DefaultKeyTable().KeyStore().Count(), 48);
}

TEST(DefaultKeyTable, NamesEveryActionCodeFromTheStringTable) {
  const auto& t = DefaultKeyTable();
  ASSERT_EQ(t.ActionNames().size(), 48u);
  for (int32_t code = 0; code < kActionCount; ++code) EXPECT_EQ(t.ActionNames()[code], (TActionName{DefaultActionName(code), code}));
  EXPECT_EQ(t.GetActionName(caLEFT), "Cursor left");
  EXPECT_EQ(t.GetActionName(caSETBOOKMARK0 + 9), "Set Bookmark 9");
  EXPECT_EQ(t.GetActionName(46), "Scroll display up one line");
  EXPECT_EQ(t.GetActionName(47), "Scroll display down one line");
  EXPECT_EQ(ActionScriptName(caUNDO), std::string("caUNDO"));
  EXPECT_EQ(ActionScriptName(caGOTOBOOKMARK0 + 9), std::string("caGOTOBOOKMARK9"));
  EXPECT_EQ(ActionScriptName(46), nullptr);
  EXPECT_EQ(ActionScriptName(47), nullptr);
}

TEST(KeyStore, FindFirstAndNextVisitEveryBindingOfAnActionOnce) {
  auto c = DefaultCopy();
  EXPECT_EQ(c->FindFirstKeys(caSETBOOKMARK0), (TKeySequence{Ctrl('K'), '0', caSETBOOKMARK0}));
  EXPECT_EQ(c->FindNextKeys(caSETBOOKMARK0), (TKeySequence{0, 0, -1}));

  c->AddKeySequence(VK_LEFT | scAlt, 0, caLEFT);
  c->AddKeySequence(Ctrl('W'), 'L', caLEFT);
  EXPECT_EQ(c->FindFirstKeys(caLEFT), (TKeySequence{VK_LEFT, 0, caLEFT}));
  EXPECT_EQ(c->FindNextKeys(caLEFT), (TKeySequence{VK_LEFT | scAlt, 0, caLEFT}));
  EXPECT_EQ(c->FindNextKeys(caLEFT), (TKeySequence{Ctrl('W'), 'L', caLEFT}));
  EXPECT_EQ(c->FindNextKeys(caLEFT), (TKeySequence{0, 0, -1}));
  EXPECT_EQ(c->FindNextKeys(caLEFT), (TKeySequence{0, 0, -1}));
  // Starting over gives the first one again.
  EXPECT_EQ(c->FindFirstKeys(caLEFT), (TKeySequence{VK_LEFT, 0, caLEFT}));
  EXPECT_EQ(c->FindFirstKeys(1000), (TKeySequence{0, 0, -1}));
}

TEST(KeyStore, ConflictingSequencesAreRefusedNamingBothActions) {
  const struct {
    ShortCutCode first, second;
    int32_t action;
    const char* newName;
    const char* oldName;
  } cases[] = {
      // One key on a key that starts two-key sequences.
      {Ctrl('K'), 0, caCUT, "Cut to clipboard", "Indent selected block"},
      // Two keys starting on a one-key sequence.
      {Ctrl('X'), 'A', caBLOCKIND, "Indent selected block", "Cut to clipboard"},
      // The same two keys; the second key's modifiers do not count.
      {Ctrl('K'), Shift(Ctrl('I')), caCOPY, "Copy to clipboard", "Indent selected block"},
      // The same one key.
      {VK_LEFT, 0, caRIGHT, "Cursor right", "Cursor left"},
      // An action without a name.
      {VK_LEFT, 0, 300, "", "Cursor left"},
  };
  for (const auto& k : cases) {
    auto c = DefaultCopy();
    try {
      c->AddKeySequence(k.first, k.second, k.action);
      ADD_FAILURE() << "no error for " << k.newName;
    } catch (const EAmbigiousKeyPair& e) {
      EXPECT_EQ(e.Message, std::string("Duplicate key sequence definition for\r\n\"") + k.newName + "\" and \"" +
                               k.oldName + "\"");
    }
    EXPECT_EQ(c->KeyStore().Sequences(), DefaultKeyTable().KeyStore().Sequences());
  }
  // The failures are key controller errors, and those are editor component errors.
  auto c = DefaultCopy();
  EXPECT_THROW(c->AddKeySequence(VK_DELETE, 0, caDELETE), EKeyControllerException);
  EXPECT_THROW(c->AddKeySequence(VK_DELETE, 0, caDELETE), EInkMemo);
}

TEST(KeyStore, ClearEmptiesTheTableAndTheMatcher) {
  auto c = DefaultCopy();
  bool handled = false;
  uint16_t key = 'K';
  TShiftState shift = ssCtrl;
  c->ProcessKey(key, shift, handled);
  ASSERT_TRUE(c->KeyStore().Pending());
  c->KeyStore().Clear();
  EXPECT_FALSE(c->KeyStore().Pending());
  EXPECT_EQ(c->KeyStore().Count(), 0);
  EXPECT_TRUE(c->KeyStore().Sequences().empty());
  c->AddKeySequence(Ctrl('K'), 0, caCUT);  // no trace of the old two-key sequences
  EXPECT_EQ(c->KeyStore().Count(), 1);
}
