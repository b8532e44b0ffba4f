// The key assignments of the property pages without a toolkit: the keys list's line form, the
// records of the commands and their commit, and the key pair wizard's buttons.
#include <gtest/gtest.h>

#include <set>

#include "editor/KeyAssignments.h"
#include "editor/KeyWizardSteps.h"
#include "services/KeyboardActionContoller.h"
#include "toolkit/VirtualKeys.h"

namespace ql::test {
namespace {

constexpr ShortCutCode Ctrl(uint16_t key) { return static_cast<ShortCutCode>(key | scCtrl); }

TEST(KeyLine, ShowsAPairAndReadsItBack) {
  struct Case {
    TKeyPair pair;
    const char* line;
  };
  const Case cases[] = {
      {{Ctrl('K'), 'B'}, "[Ctrl+K]  [B]"},
      {{VK_F3, 0}, "[F3]  [<none>]"},
      {{VK_OEM_6, 0}, "[]]  [<none>]"},  // of "]]" the first bracket is the key
      {{Ctrl(VK_OEM_6), VK_OEM_6}, "[Ctrl+]]  []]"},
      {{VK_OEM_4, VK_OEM_4}, "[[]  [[]"},
      {{VK_SPACE | scShift | scAlt, VK_NEXT}, "[Shift+Alt+Space]  [PgDn]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatKeyLine(c.pair), c.line);
    TKeyPair read;
    EXPECT_TRUE(ParseKeyLine(c.line, read)) << c.line;
    EXPECT_EQ(read, c.pair) << c.line;
  }
}

TEST(KeyLine, EveryKeyWithEveryModifierReadsBack) {
  const ShortCutCode modifiers[] = {0, scShift, scCtrl, scAlt, scShift | scCtrl, scShift | scAlt, scCtrl | scAlt,
                                    scShift | scCtrl | scAlt};
  for (int vk = 1; vk <= 255; ++vk) {
    for (ShortCutCode m : modifiers) {
      const auto code = static_cast<ShortCutCode>(vk | m);
      for (const TKeyPair pair : {TKeyPair{code, 0}, TKeyPair{code, code}, TKeyPair{Ctrl(VK_OEM_6), code}}) {
        TKeyPair read;
        ASSERT_TRUE(ParseKeyLine(FormatKeyLine(pair), read)) << FormatKeyLine(pair);
        ASSERT_EQ(read, pair) << FormatKeyLine(pair);
      }
    }
  }
}

TEST(KeyLine, RefusesTextOfAnyOtherForm) {
  for (const char* line : {"", "[", "[]", "[A]", "[A] [B]", "[A]  [B", "A]  [B]", "[A]  [Nope]", "[Nope]  [B]",
                           "[A]  ["}) {
    TKeyPair pair{1, 2};
    EXPECT_FALSE(ParseKeyLine(line, pair)) << line;
    EXPECT_EQ(pair, (TKeyPair{1, 2}));
  }
}

TEST(KeyWizard, CaptionAndButtonsFollowTheStepAndTheBoxes) {
  EXPECT_EQ(KeyWizardCaption(TKeyWizardMode::kAdd, "Copy"), "Add new key pair for: Copy");
  EXPECT_EQ(KeyWizardCaption(TKeyWizardMode::kEdit, "Copy"), "Edit key pair for: Copy");
  struct Case {
    int step;
    bool first, second;
    TKeyWizardButtons buttons;
  };
  const Case cases[] = {
      {1, false, false, {"Next >", false, false, false, false}},
      {1, true, false, {"Next >", true, false, true, false}},
      {1, false, true, {"Next >", false, false, false, true}},
      {2, true, false, {"Finish", true, true, true, false}},
      {2, true, true, {"Finish", true, true, true, true}},
      {2, false, true, {"Finish", false, true, false, true}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyWizardButtons(c.step, c.first, c.second), c.buttons) << c.step << c.first << c.second;
  }
}

// Three commands; the sorted list is alpha, Beta, Zeta.
class KeyAssignmentsCommit : public ::testing::Test {
protected:
  void SetUp() override {
    working.SetActionName(1, "Zeta");
    working.SetActionName(2, "alpha");
    working.SetActionName(3, "Beta");
    working.AddKeySequence(Ctrl('Z'), 0, 1);
    working.AddKeySequence(Ctrl('A'), 0, 2);
    working.AddKeySequence(Ctrl('K'), 'B', 2);
    working.AddKeySequence(VK_F3, 0, 3);
    working.AddKeySequence(VK_F4, 0, 3);
  }
  std::set<std::pair<ShortCutCode, ShortCutCode>> Keys(int32_t action) {
    std::set<std::pair<ShortCutCode, ShortCutCode>> keys;
    for (TKeySequence s = working.FindFirstKeys(action); s.Action != -1; s = working.FindNextKeys(action))
      keys.insert({s.First, s.Second});
    return keys;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const TActionName& n : working.ActionNames()) names.push_back(n.Name);
    return names;
  }
  TKeyboardActionContoller working;
};

TEST_F(KeyAssignmentsCommit, CommandsAreSortedAndNeverLookedAtKeepTheirKeys) {
  TKeyAssignments keys(working);
  ASSERT_EQ(keys.Commands().size(), 3u);
  EXPECT_EQ(keys.Commands()[0].Description, "alpha");
  EXPECT_EQ(keys.Commands()[2].Action, 1);
  EXPECT_FALSE(keys.Commands()[0].Loaded);
  EXPECT_EQ(keys.KeyLines(0), (std::vector<std::string>{"[Ctrl+A]  [<none>]", "[Ctrl+K]  [B]"}));

  keys.Add(1, {VK_F5, 0});  // Beta: the only command looked at
  ASSERT_EQ(keys.Commit(), std::nullopt);
  EXPECT_EQ(Keys(1), (std::set<std::pair<ShortCutCode, ShortCutCode>>{{Ctrl('Z'), 0}}));
  EXPECT_EQ(Keys(2), (std::set<std::pair<ShortCutCode, ShortCutCode>>{{Ctrl('A'), 0}, {Ctrl('K'), 'B'}}));
  EXPECT_EQ(Keys(3), (std::set<std::pair<ShortCutCode, ShortCutCode>>{{VK_F3, 0}, {VK_F4, 0}, {VK_F5, 0}}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"alpha", "Beta", "Zeta"}));
}

TEST_F(KeyAssignmentsCommit, KeysOfActionsWithoutANameAreKept) {
  working.AddKeySequence(VK_F12, 0, 99);
  TKeyAssignments keys(working);
  EXPECT_EQ(keys.Commands().size(), 3u);
  ASSERT_EQ(keys.Commit(), std::nullopt);
  EXPECT_EQ(Keys(99), (std::set<std::pair<ShortCutCode, ShortCutCode>>{{VK_F12, 0}}));
  EXPECT_EQ(working.KeyStore().Count(), 6);
}

TEST_F(KeyAssignmentsCommit, DeletingTheOnlyPairLeavesTheCommandListedWithoutKeys) {
  TKeyAssignments keys(working);
  EXPECT_FALSE(keys.Delete(2, {VK_F9, 0}));
  EXPECT_FALSE(keys.Commands()[2].Changed);
  EXPECT_TRUE(keys.Delete(2, {Ctrl('Z'), 0}));
  ASSERT_EQ(keys.Commit(), std::nullopt);
  EXPECT_TRUE(Keys(1).empty());
  EXPECT_EQ(working.GetActionName(1), "Zeta");
  EXPECT_EQ(working.KeyStore().Count(), 4);
}

TEST_F(KeyAssignmentsCommit, AConflictChangesNothingAndALaterCommitStartsOver) {
  TKeyAssignments keys(working);
  keys.Add(1, {VK_F6, 0});          // Beta: a change that must survive the failed commit
  keys.Add(0, {Ctrl('Z'), 0});      // alpha takes Zeta's key
  EXPECT_TRUE(keys.Replace(0, {Ctrl('A'), 0}, {Ctrl('A'), 'X'}));
  EXPECT_FALSE(keys.Replace(0, {VK_F9, 0}, {VK_F8, 0}));

  const std::optional<std::string> error = keys.Commit();
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(*error, "Duplicate key sequence definition for\r\n\"Zeta\" and \"alpha\"");
  EXPECT_EQ(Keys(2), (std::set<std::pair<ShortCutCode, ShortCutCode>>{{Ctrl('A'), 0}, {Ctrl('K'), 'B'}}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Zeta", "alpha", "Beta"}));
  EXPECT_EQ(keys.Commit(), error);  // the records are as they were

  // A one-key sequence on a key that starts two-key sequences is a conflict as well.
  keys.Add(2, {Ctrl('K'), 0});
  keys.Delete(0, {Ctrl('Z'), 0});
  EXPECT_EQ(keys.Commit(), "Duplicate key sequence definition for\r\n\"Zeta\" and \"alpha\"");
  keys.Delete(2, {Ctrl('K'), 0});

  ASSERT_EQ(keys.Commit(), std::nullopt);
  EXPECT_EQ(Keys(1), (std::set<std::pair<ShortCutCode, ShortCutCode>>{{Ctrl('Z'), 0}}));
  EXPECT_EQ(Keys(2), (std::set<std::pair<ShortCutCode, ShortCutCode>>{{Ctrl('A'), 'X'}, {Ctrl('K'), 'B'}}));
  EXPECT_EQ(Keys(3), (std::set<std::pair<ShortCutCode, ShortCutCode>>{{VK_F3, 0}, {VK_F4, 0}, {VK_F6, 0}}));
}

TEST_F(KeyAssignmentsCommit, PairsWithoutAFirstKeyAreDropped) {
  TKeyAssignments keys(working);
  keys.Add(1, {0, 'Q'});
  keys.DropPairsWithoutFirstKey(1);
  EXPECT_EQ(keys.KeyLines(1), (std::vector<std::string>{"[F3]  [<none>]", "[F4]  [<none>]"}));
}

}  // namespace
}  // namespace ql::test
