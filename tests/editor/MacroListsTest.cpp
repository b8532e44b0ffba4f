// The entry lists of the Auto correct and Code templates pages: their order and lookups, the
// state of the two buttons for what the boxes hold, what the buttons do to the list and the
// working tables, and what the template editor takes from a drop.
#include <gtest/gtest.h>

#include "editor/AutoCorrectList.h"
#include "editor/TemplateList.h"
#include "services/AutoReplace.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/Exception.h"

namespace ql::test {
namespace {

std::vector<std::string> Lines(const TMacroList& list) {
  std::vector<std::string> lines;
  for (const TMacroListEntry& e : list.Entries()) lines.push_back(e.Line());
  return lines;
}

TMacroList Fixture() {
  TMacroList list;
  for (auto [name, second] : {std::pair{"teh", "the"}, {"Blank", ""}, {"abc", "xyz"}, {"ab", "short"}})
    list.Add(name, second);
  return list;
}

TEST(MacroList, SortsByNameWithoutRegardToCaseAndFindsNamesTheSameWay) {
  const TMacroList list = Fixture();
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"ab\tshort", "abc\txyz", "Blank\t", "teh\tthe"}));
  EXPECT_EQ(list.IndexOfName("BLANK"), 2);
  EXPECT_EQ(list.IndexOfName("te"), -1);
  EXPECT_TRUE(list.HoldsEntry("TEH", "the"));
  EXPECT_FALSE(list.HoldsEntry("teh", "The"));  // the second text as it stands
}

TEST(MacroList, AfterARemovalTheSamePositionOrTheLastOrNothingIsSelected) {
  TMacroList list = Fixture();
  EXPECT_EQ(DeleteListEntry(list, "ABC", 3), 1);  // by name, whatever is selected
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"ab\tshort", "Blank\t", "teh\tthe"}));
  EXPECT_EQ(DeleteListEntry(list, "teh", 0), 1);  // the last went: the new last
  EXPECT_EQ(DeleteListEntry(list, "nothing", 0), 0);
  EXPECT_EQ(DeleteListEntry(list, "ab", 0), 0);
  EXPECT_EQ(DeleteListEntry(list, "blank", 0), -1);
  EXPECT_EQ(list.Count(), 0);
}

TEST(AutoCorrectButtons, FollowTheReplaceAndWithBoxes) {
  const TMacroList list = Fixture();
  using A = TSecondAction;
  struct Case {
    const char *r, *w;
    TEntryButtons expected;
  };
  const Case cases[] = {
      {"", "", {}},
      {"", "text", {}},  // no entry without a name
      {"new", "", {true, false, false, A::Replace, -1}},
      {"new", "x", {true, false, false, A::Replace, -1}},
      {"TEH", "the", {false, true, true, A::Delete, -1}},
      {"teh", "The", {false, true, true, A::Replace, -1}},
      {"teh", "", {false, true, true, A::Replace, 3}},  // With cleared: the entry is selected
      {"blank", "", {false, true, true, A::Delete, 2}},
      {"blank", "x", {false, true, true, A::Replace, -1}},
      {"ab", "short", {false, true, true, A::Delete, -1}},  // not taken for "abc"
  };
  for (const Case& c : cases) EXPECT_EQ(AutoReplaceButtons(list, c.r, c.w), c.expected) << c.r << "/" << c.w;
}

TEST(AutoCorrectButtons, AddAndReplaceListTheEntryAtItsPlace) {
  TMacroList list = Fixture();
  EXPECT_EQ(AddAutoReplaceEntry(list, "b", "bee"), 2);
  EXPECT_EQ(list[2].Line(), "b\tbee");
  EXPECT_EQ(ReplaceAutoReplaceEntry(list, "TEH", "THE"), 4);
  EXPECT_EQ(list[4].Line(), "TEH\tTHE");
  EXPECT_EQ(list.Count(), 5);
  EXPECT_THROW(AddAutoReplaceEntry(list, "Ab", "again"), Exception);
  EXPECT_EQ(list[0].Line(), "ab\tshort");
}

TEST(AutoCorrectButtons, FieldsTheListCannotHoldAreRefusedWithAMessage) {
  struct Case {
    std::string r, w, message;
  };
  const Case cases[] = {
      {"te\th", "the", "The name cannot contain a TAB character."},
      {"teh", "a\tb", "The replacement cannot contain a TAB character."},
      {"", "x", "The name cannot be empty."},
      {std::string(256, 'n'), "x", "The name cannot be longer than 255 characters."},
  };
  for (const Case& c : cases) {
    for (bool replace : {false, true}) {
      TMacroList list = Fixture();
      try {
        replace ? ReplaceAutoReplaceEntry(list, c.r, c.w) : AddAutoReplaceEntry(list, c.r, c.w);
        ADD_FAILURE() << "accepted " << c.r;
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message, c.message);
      }
      EXPECT_EQ(Lines(list), Lines(Fixture()));
    }
  }
}

TEST(AutoCorrectTable, IsRebuiltInListOrderAndABadTriggerTextKeepsTheTriggersInForce) {
  TAutoReplace table;
  table.AddReplacement("old", "gone");
  TMacroList list = Fixture();
  RebuildAutoReplace(table, list, "\\{Return}");
  EXPECT_EQ(Lines(AutoReplaceList(table)), (std::vector<std::string>{"ab\tshort", "abc\txyz", "blank\t", "teh\tthe"}));
  EXPECT_EQ(table.Triggers(), "\\{Return}");

  list.Remove("ab");
  try {
    RebuildAutoReplace(table, list, ";\\{Space");
    FAIL() << "accepted";
  } catch (const EInkMemo& e) {
    EXPECT_EQ(e.Message, "Bad key specifier");
  }
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(table.Triggers(), "\\{Return}");
  EXPECT_EQ(table.TriggerKeys(), (std::vector<uint16_t>{VK_RETURN}));
}

class TemplateLists : public ::testing::Test {
protected:
  void SetUp() override {
    table.AddTemplate("begin", "block", "begin\r  |\rend");
    table.AddTemplate("if", "", "if | then");
    list = TemplateList(table);
  }
  TCodeTemplates table;
  TMacroList list;
};

TEST_F(TemplateLists, ButtonsFollowNameDescriptionAndText) {
  using A = TSecondAction;
  struct Case {
    const char *n, *d, *text;
    TEntryButtons expected;
  };
  const Case cases[] = {
      {"", "", "", {}},
      {"while", "", "", {true, false, false, A::Replace, -1}},
      {"BEGIN", "block", "begin\r\n  |\r\nend", {false, true, true, A::Delete, -1}},  // line breaks as stored
      {"begin", "block", "begin\n  |\nend", {false, true, true, A::Delete, -1}},
      {"begin", "block", "begin end", {false, true, true, A::Replace, -1}},
      {"begin", "Block", "begin\r  |\rend", {false, true, true, A::Replace, -1}},
      {"if", "", "if | then", {false, true, true, A::Delete, -1}},
  };
  for (const Case& c : cases) EXPECT_EQ(TemplateButtons(list, table, c.n, c.d, c.text), c.expected) << c.n << "/" << c.d;
}

TEST_F(TemplateLists, AddReplaceAndDeleteChangeTheListAndTheTable) {
  EXPECT_EQ(AddTemplateEntry(list, table, "case", "choice", "case | of"), 1);
  std::string expansion;
  ASSERT_TRUE(table.LookupTemplate("case", expansion));
  EXPECT_EQ(expansion, "case | of");
  EXPECT_EQ(ReplaceTemplateEntry(list, table, "IF", "cond", "if x"), 2);
  EXPECT_EQ(list[2].Line(), "IF\tcond");
  ASSERT_TRUE(table.LookupTemplate("if", expansion));
  EXPECT_EQ(expansion, "if x");
  EXPECT_EQ(table.Entry(table.IndexOf("if")).Description(), "cond");

  EXPECT_EQ(DeleteTemplateEntry(list, table, "if", 0), 1);  // the last went
  EXPECT_FALSE(table.LookupTemplate("if", expansion));
  EXPECT_EQ(DeleteTemplateEntry(list, table, "begin", 0), 0);
  EXPECT_EQ(DeleteTemplateEntry(list, table, "case", 0), -1);
  EXPECT_EQ(table.Count(), 0);
}

TEST_F(TemplateLists, ATabInNameOrDescriptionChangesNothing) {
  for (auto [n, d] : {std::pair{"wh\tile", "loop"}, {"while", "lo\top"}, {"begin", "a\tb"}}) {
    for (bool replace : {false, true}) {
      EXPECT_THROW(replace ? ReplaceTemplateEntry(list, table, n, d, "x") : AddTemplateEntry(list, table, n, d, "x"),
                   Exception);
    }
  }
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"begin\tblock", "if\t"}));
  EXPECT_EQ(table.Count(), 2);
  std::string expansion;
  ASSERT_TRUE(table.LookupTemplate("begin", expansion));
  EXPECT_EQ(expansion, "begin\r  |\rend");
}

TEST(TemplateDrop, HtmlComesAsItsFragmentAndFilesAsANotification) {
  struct Case {
    TSourceTypes offered, taken;
  };
  const Case cases[] = {
      {srcHTML | srcText | srcAsIs, srcHTML | srcText | srcHTMLFragment},
      {srcHTML | srcFiles | srcAsIs, srcHTML | srcFiles | srcHTMLFragment},
      {srcFiles | srcAsIs, srcFiles | srcNotifyFiles},
      {srcFiles, srcFiles | srcNotifyFiles},
      {srcText | srcAsIs | srcClipboard, srcText | srcAsIs | srcClipboard},
  };
  for (const Case& c : cases) EXPECT_EQ(NarrowTemplateDrop(c.offered), c.taken) << std::hex << c.offered;
}

}  // namespace
}  // namespace ql::test
