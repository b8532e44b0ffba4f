#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeMacroEditor.h"

using namespace ql;
using namespace ql::test;

namespace {

void CtrlJ(FakeMacroEditor& e, TCodeTemplates& t, TAutoReplace* a = nullptr) { e.Press(&t, a, 'J', ssCtrl, 0); }

struct Templates {
  Templates() {
    t.AddTemplate("begin", "Block", "begin\r  |\rend");
    t.AddTemplate("case", "Case statement", "case | of\rend;");
    t.AddTemplate("else", "", "else");
  }
  TCodeTemplates t;
};

}  // namespace

TEST(Templates, HotKeyExpandsTheNameBeforeTheCaretIndentedWithTheCaretAtTheMarker) {
  const struct {
    std::string before;  // text before the typed name
    std::string indent;  // what each further line of the expansion starts with
  } cases[] = {
      {"    ", "    "},
      {"x := 1;\r\t", std::string(8, ' ')},  // the column counts TABs expanded
      {"", ""},
  };
  for (const auto& c : cases) {
    Templates fx;
    FakeMacroEditor e(c.before + "begin");
    e.Bind(fx.t);
    bool handled = false;
    uint16_t key = 'J';
    EXPECT_TRUE(fx.t.HandleMacroKey(e, key, handled, ssCtrl));
    EXPECT_TRUE(handled);
    const std::string result = c.before + "begin\r" + c.indent + "  \r" + c.indent + "end";
    EXPECT_EQ(e.Text(), result) << "after '" << c.before << "'";
    const int32_t marker = static_cast<int32_t>(c.before.size() + 6 + c.indent.size() + 2);
    EXPECT_EQ(e.MacroSelCaret(), marker);
    EXPECT_EQ(e.MacroSelAnchor(), marker);
    EXPECT_EQ(e.UndoLog, (std::vector<std::string>{"begin 18", "end 18"}));
    EXPECT_EQ(e.ReplacedInGroup, std::vector<bool>{true});
  }
}

TEST(Templates, MatchIsCaseInsensitiveLongestAndReplacesOnlyTheName) {
  TCodeTemplates t;
  t.AddTemplate("if", "", "IF");
  t.AddTemplate("elif", "", "ELIF");
  FakeMacroEditor e("keep this; ElIf");
  e.Bind(t);
  std::vector<std::string> seen;
  e.OnTemplateEvent = [&seen](TMacroEditor&, const std::string& name, std::string& replacement) {
    seen.push_back(name);
    replacement += "!";
  };
  e.MacroSetSelection(0, e.MacroTextLength(), true);  // a selection reaching back over other text
  CtrlJ(e, t);
  EXPECT_EQ(seen, std::vector<std::string>{"ElIf"});  // the name as typed
  EXPECT_EQ(e.Text(), "keep this; ELIF!");
}

TEST(Templates, NoNameBeforeTheCaretOpensThePickListOnTheTypedWord) {
  const struct {
    std::string text;  // "^" marks the caret
    std::string prefix;
    int32_t preselected;
  } cases[] = {
      {"be", "be", 0},        // a word at the start of the text counts whole
      {"x = be^x", "be", 0},  // only what is before the caret
      {"ls", "ls", 2},        // "else" contains it
      {"zz", "zz", 0},        // nothing contains it: the first item
      {"x + ", "", 0},
  };
  for (const auto& c : cases) {
    Templates fx;
    FakeMacroEditor e(c.text);
    e.Bind(fx.t);
    const std::string text = e.Text();
    const int32_t caret = e.MacroSelCaret();
    CtrlJ(e, fx.t);
    EXPECT_EQ(fx.t.TypedPrefix, c.prefix) << c.text;
    ASSERT_TRUE(fx.t.PickListOpen()) << c.text;
    ASSERT_NE(e.LastPickList, nullptr);
    EXPECT_EQ(e.LastPickList->Items, (std::vector<TPickListItem>{{"Block", "begin"}, {"Case statement", "case"}, {"", "else"}}));
    EXPECT_EQ(e.LastPickList->Selected, c.preselected) << c.text;
    // The typed word is selected and shown.
    EXPECT_EQ(e.MacroSelAnchor(), caret - static_cast<int32_t>(c.prefix.size()));
    EXPECT_EQ(e.MacroSelCaret(), caret);
    EXPECT_EQ(e.HideSelection(), c.prefix.empty());

    // Escape: the focus goes back to the editor, the list closes and nothing else changes.
    fx.t.PickListClosed();
    EXPECT_FALSE(fx.t.PickListOpen());
    EXPECT_TRUE(e.HideSelection());
    EXPECT_EQ(e.MacroSelAnchor(), caret);
    EXPECT_EQ(e.MacroSelCaret(), caret);
    EXPECT_EQ(e.Text(), text);
  }
}

TEST(Templates, ChoosingFromThePickListReplacesTheTypedWordWhenTheNameContainsIt) {
  Templates fx;
  FakeMacroEditor e("be");
  e.Bind(fx.t);
  CtrlJ(e, fx.t);
  fx.t.PickListChoose(0);  // begin
  EXPECT_EQ(e.Text(), "begin\r  \rend");
  EXPECT_EQ(e.MacroSelCaret(), 8);
  EXPECT_FALSE(fx.t.PickListOpen());
  EXPECT_FALSE(e.LastPickList->IsOpen);
  EXPECT_TRUE(e.HideSelection());

  FakeMacroEditor f("be");
  f.Bind(fx.t);
  CtrlJ(f, fx.t);
  fx.t.PickListChoose(2);  // else: the typed text stays
  EXPECT_EQ(f.Text(), "beelse");
}

TEST(Templates, TypingIntoThePickListSearchesTheNames) {
  TCodeTemplates t;
  for (const char* name : {"alpha", "beta", "bravo"}) t.AddTemplate(name, "", name);
  FakeMacroEditor e("");
  e.Bind(t);
  CtrlJ(e, t);
  ASSERT_TRUE(t.PickListOpen());
  const struct {
    char c;
    bool consumed;
    int32_t selected;
    const char* text;
  } steps[] = {
      {'B', true, 1, "B"},    // without regard to case
      {'r', true, 2, "Br"},
      {'x', false, 2, ""},    // "Brx" and "x" match nothing: the list handles the key itself
      {'a', true, 0, "a"},
      {'b', true, 1, "b"},    // "ab" matches nothing, "b" alone does
  };
  for (const auto& s : steps) {
    EXPECT_EQ(t.PickListKeyChar(static_cast<uint8_t>(s.c)), s.consumed) << s.c;
    EXPECT_EQ(e.LastPickList->Selected, s.selected) << s.c;
    EXPECT_EQ(t.PickListText(), s.text) << s.c;
  }
}

TEST(Templates, PickListEdgeCases) {
  TCodeTemplates empty;
  FakeMacroEditor e("be");
  e.Bind(empty);
  CtrlJ(e, empty);
  EXPECT_EQ(e.PickListsMade, 0);  // an empty table never opens it

  // A caret at the start of the text has no name before it, even when one follows it.
  Templates fx;
  fx.t.AddTemplate("x", "", "EXPANDED");
  FakeMacroEditor f("^x");
  f.Bind(fx.t);
  CtrlJ(f, fx.t);
  EXPECT_EQ(f.Text(), "x");
  EXPECT_TRUE(fx.t.PickListOpen());
  fx.t.PickListClosed();

  // The list is made once and reused, and made anew once its editor is going away.
  CtrlJ(f, fx.t);
  fx.t.PickListClosed();
  EXPECT_EQ(f.PickListsMade, 1);
  fx.t.EditorDestroying(f);
  EXPECT_EQ(fx.t.PickList(), nullptr);
  FakeMacroEditor g("b");
  g.Bind(fx.t);
  CtrlJ(g, fx.t);
  EXPECT_EQ(g.PickListsMade, 1);
  EXPECT_EQ(fx.t.PickList()->Editor(), &g);

  // Without OnMacro a matching name opens the list, and choosing does nothing.
  fx.t.PickListClosed();
  fx.t.OnMacro = nullptr;
  FakeMacroEditor h("else");
  CtrlJ(h, fx.t);
  EXPECT_TRUE(fx.t.PickListOpen());
  fx.t.PickListChoose(0);
  EXPECT_EQ(h.Text(), "else");
}

TEST(AutoReplace, TriggerReplacesAWholeNameAndStillTypes) {
  const struct {
    std::string typed;
    std::string result;
  } cases[] = {
      {"teh ", "the "},
      {"x = (teh;", "x = (the;"},
      {"Teh\r", "the\r"},       // the match ignores case; the entry's text is used
      {"tehx ", "tehx "},       // no name before the caret
      {"xteh ", "xteh "},       // the replacement would glue onto the x
      {"xteh;", "xteh;"},
      {"(teh(", "(the("},
      {"teh", "teh"},           // no trigger yet
  };
  for (const auto& c : cases) {
    TAutoReplace a;
    a.AddReplacement("teh", "the");
    FakeMacroEditor e;
    e.Bind(a);
    e.Type(nullptr, &a, c.typed);
    EXPECT_EQ(e.Text(), c.result) << c.typed;
  }

  // A name ending in a word character does not replace inside a word.
  TAutoReplace a;
  a.AddReplacement("teh", "the");
  FakeMacroEditor e("teh^x");
  e.Bind(a);
  e.Type(nullptr, &a, " ");
  EXPECT_EQ(e.Text(), "teh x");

  // A replacement that starts with no word character may follow one.
  TAutoReplace arrows;
  arrows.AddReplacement("->", "=>");
  FakeMacroEditor f;
  f.Bind(arrows);
  f.Type(nullptr, &arrows, "x-> ");
  EXPECT_EQ(f.Text(), "x=> ");
}

TEST(AutoReplace, HandlerCanVetoOrChangeTheReplacement) {
  TAutoReplace a;
  a.AddReplacement("teh", "the");
  FakeMacroEditor e;
  e.Bind(a);
  int32_t streamAt = -1;
  std::string item;
  e.OnAutoReplace = [&](TMacroEditor&, TCustomEdStream& stream, const std::string& replaceItem, std::string&, bool& canReplace) {
    streamAt = stream.CharPos();
    item = replaceItem;
    canReplace = false;
  };
  e.Type(nullptr, &a, "so teh ");
  EXPECT_EQ(e.Text(), "so teh ");
  EXPECT_EQ(streamAt, 3);  // the stream stands at the start of the name
  EXPECT_EQ(item, "teh");

  e.OnAutoReplace = [](TMacroEditor&, TCustomEdStream&, const std::string&, std::string& with, bool&) { with = "THE"; };
  e.Type(nullptr, &a, "teh ");
  EXPECT_EQ(e.Text(), "so teh THE ");
}

TEST(AutoReplace, TemplatesComeFirstAndAutoReplaceReportsNothingHandled) {
  Templates fx;
  TAutoReplace a;
  a.AddReplacement("begin", "B\r|E");
  FakeMacroEditor e("begin");
  e.Bind(fx.t);
  e.Bind(a);
  CtrlJ(e, fx.t, &a);  // Ctrl+J is no auto-replace trigger
  EXPECT_EQ(e.Text(), "begin\r  \rend");

  FakeMacroEditor f("  ");
  f.Bind(fx.t);
  f.Bind(a);
  f.Type(&fx.t, &a, "begin ");
  EXPECT_EQ(f.Text(), "  B\r|E ");  // not indented, no caret marker, the space typed after
}
