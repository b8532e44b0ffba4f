// The editor's search: FindText at once and through the find dialog, the dialogs' Find Next
// and Replace with their questions and messages, and Replace All as one undo step.
#include <deque>
#include <fstream>
#include <sstream>

#include "EditorTesting.h"
#include "editor/EditorSearch.h"
#include "services/SearchFlags.h"

namespace ql::test {
namespace {

// Dialogs that record what they are asked to show and answer questions from a script.
class TScriptedDialogs : public TSearchDialogs {
public:
  void ShowFind(const TSearchOptions& options, TSearchDialogEvents& events) override {
    Shown.push_back("find:" + options.FindText);
    Events = &events;
  }
  void ShowReplace(const TSearchOptions& options, TSearchDialogEvents& events) override {
    Shown.push_back("replace:" + options.FindText);
    Events = &events;
  }
  void CloseFind() override { Shown.push_back("close find"); }
  void CloseReplace() override { Shown.push_back("close replace"); }
  TReplaceAnswer AskReplace(const std::string& question) override {
    Questions.push_back(question);
    if (Answers.empty()) return TReplaceAnswer::Cancel;
    const TReplaceAnswer a = Answers.front();
    Answers.pop_front();
    return a;
  }
  void ShowPatternError(const std::string& text) override { Messages.push_back(text); }
  void ShowNotFound(const std::string& text) override { Messages.push_back(text); }
  void SetWaitCursor(bool on) override { Shown.push_back(on ? "wait" : "no wait"); }

  std::vector<std::string> Shown;
  std::vector<std::string> Questions;
  std::vector<std::string> Messages;
  std::deque<TReplaceAnswer> Answers;
  TSearchDialogEvents* Events = nullptr;
};

class Search : public EditorTest {
protected:
  Search() {
    memo.Search().OnCreateSearchDialogs = [this](TCustomInkMemo&) {
      auto d = std::make_unique<TScriptedDialogs>();
      dialogs = d.get();
      return d;
    };
  }
  TSearchOptions Options(std::string find, std::string replace = {}, bool regex = false, bool down = true) {
    TSearchOptions o;
    o.FindText = std::move(find);
    o.ReplaceText = std::move(replace);
    o.Regex = regex;
    o.Down = down;
    return o;
  }
  // Finds with the find dialog's button; the selection afterwards.
  TSelectionEnds FindNext(const TSearchOptions& o) {
    memo.Search().FindNext(o);
    return Sel();
  }
  TScriptedDialogs& Dialogs() {
    memo.Search().FindText(0, {});  // makes and shows the find dialog
    return *dialogs;
  }

  TScriptedDialogs* dialogs = nullptr;
};

TEST_F(Search, FindTextAtOnceSelectsARegexMatchAndOnlyReportsALiteral) {
  Load("one two\rtwo three");
  TFindResult r = memo.Search().FindText(srDirect | srRegex, "t(w)o");
  ASSERT_TRUE(r);
  EXPECT_EQ(r.Start, 4);
  EXPECT_EQ(r.Length, 3);
  ASSERT_NE(r.Engine, nullptr);
  EXPECT_EQ(r.Engine->StepCount(), 3);  // t, the group, o
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 7}));
  EXPECT_EQ(memo.Search().LastFoundPos(), 4);

  r = memo.Search().FindText(srDirect, "two");  // from the selection's start
  EXPECT_EQ(r.Status, TFindResult::fsFound);
  EXPECT_EQ(r.Start, 4);
  EXPECT_EQ(r.Engine, nullptr);
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 7})) << "a literal does not change the selection";
  memo.SetSelection(5, 5);
  EXPECT_EQ(memo.Search().FindText(srDirect | srBackward, "TWO").Start, 4);
  EXPECT_FALSE(memo.Search().FindText(srDirect | srBackward | srMatchCase, "TWO"));
  memo.SetSelection(17, 17);
  EXPECT_FALSE(memo.Search().FindText(srDirect, "three")) << "nothing forward from the end";
  EXPECT_FALSE(memo.Search().FindText(srDirect, ""));
}

TEST_F(Search, APatternErrorShowsTheBoxWithTheCaretUnderTheError) {
  Load("abc");
  Dialogs();
  struct Case {
    const char* pattern;
    std::string box;
  };
  const Case cases[] = {
      {"a(b", "Unmatched parenthesis\r\na(b\r\n   ^"},
      {"*a", "Invalid repeat\r\n*a\r\n^"},
  };
  for (const Case& c : cases) {
    dialogs->Messages.clear();
    const TFindResult r = memo.Search().FindText(srDirect | srRegex, c.pattern);
    EXPECT_EQ(r.Status, TFindResult::fsPatternError);
    ASSERT_EQ(dialogs->Messages.size(), 1u);
    EXPECT_EQ(dialogs->Messages[0], c.box);
  }
  // A search that gives up has no position: the caret stands at the start.
  memo.Search().Engine().PerAttemptBudget = 1000;
  Load(std::string(5000, 'a'));
  dialogs->Messages.clear();
  memo.Search().FindNext(Options("(a|aa)+b", {}, true));
  ASSERT_EQ(dialogs->Messages.size(), 1u);
  EXPECT_EQ(dialogs->Messages[0], "Expression too complex: the search gave up\r\n(a|aa)+b\r\n^");
}

TEST_F(Search, TheFindDialogStartsWithTheSelectedTextAndClosesTheReplaceDialog) {
  Load("alpha beta");
  memo.SetSelection(6, 10);
  memo.Search().ShowReplaceDialog(0);
  memo.Search().FindText(srMatchCase, {});
  ASSERT_NE(dialogs, nullptr);
  EXPECT_EQ(dialogs->Shown, (std::vector<std::string>{"replace:beta", "close replace", "find:beta"}));
  EXPECT_FALSE(memo.HideSelection());
  memo.Search().FindText(srRegex, {});
  EXPECT_EQ(dialogs->Shown.back(), "find:") << "no selected text as a regular expression";
}

TEST_F(Search, FindNextWalksThroughTheMatchesAndTellsWhenThereAreNoMore) {
  Load("^aXa aa\ra");
  struct Case {
    TSearchOptions options;
    std::vector<TSelectionEnds> expected;
  };
  TSearchOptions up = Options("a");
  up.Down = false;
  TSearchOptions word = Options("a");
  word.WholeWord = true;
  TSearchOptions regexUp = Options("a+", {}, true, false);
  TSearchOptions stars = Options("X*a", {}, true);  // empty matches are passed over
  const Case cases[] = {
      {Options("a"), {{0, 1}, {2, 3}, {4, 5}, {5, 6}, {7, 8}}},
      {Options("a+", {}, true), {{0, 1}, {2, 3}, {4, 6}, {7, 8}}},
      {word, {{7, 8}}},
      {up, {{5, 6}, {4, 5}, {2, 3}, {0, 1}}},  // from the end: no adjacent match skipped
      {regexUp, {{5, 6}, {4, 6}, {2, 3}, {0, 1}}},
      {stars, {{0, 1}, {1, 3}, {4, 5}, {5, 6}, {7, 8}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.FindText + (c.options.Down ? " down" : " up"));
    memo.SetSelection(c.options.Down ? 0 : 7, c.options.Down ? 0 : 7);
    std::vector<TSelectionEnds> found;
    int failed = 0;
    memo.Search().OnSearchFail = [&](TCustomInkMemo&, const std::string& text) {
      EXPECT_EQ(text, c.options.FindText);
      ++failed;
    };
    for (int i = 0; i < 8 && failed == 0; ++i) {
      const TSelectionEnds s = FindNext(c.options);
      if (failed == 0) found.push_back(s);
    }
    EXPECT_EQ(found, c.expected);
    EXPECT_EQ(failed, 1);
  }
}

TEST_F(Search, NotFoundIsAMessageWithoutAHandler) {
  Load("abc");
  Dialogs();
  memo.Search().FindNext(Options("xyz"));
  EXPECT_EQ(dialogs->Messages, (std::vector<std::string>{"Search string \"xyz\" not found."}));
  memo.Search().FindAgain();
  EXPECT_EQ(dialogs->Messages.size(), 2u) << "Find Next repeats the last search";
}

TEST_F(Search, ReplaceWithConfirmationMovesPastEachReplacement) {
  Load("foo foo foo foo");
  Dialogs().Answers = {TReplaceAnswer::Yes, TReplaceAnswer::No, TReplaceAnswer::Yes, TReplaceAnswer::Yes};
  memo.Search().Replace(Options("foo", "foobar"), false);
  EXPECT_EQ(Text(), "foobar foo foobar foobar");
  ASSERT_EQ(dialogs->Questions.size(), 4u) << "the inserted foo is never offered";
  EXPECT_EQ(dialogs->Questions[0], "Replace this occurence of 'foo' with 'foobar' ?");
  EXPECT_EQ(dialogs->Messages, (std::vector<std::string>{"Search string \"foo\" not found."}));
  memo.Undo();
  EXPECT_EQ(Text(), "foobar foo foobar foo") << "each confirmed replacement is one step";
}

TEST_F(Search, ReplaceWithConfirmationCancelAndAll) {
  Load("x1 x22 x333 x4");
  Dialogs().Answers = {TReplaceAnswer::No, TReplaceAnswer::Cancel};
  const TSearchOptions o = Options("x(\\d+)", "<%2>", true);
  memo.Search().Replace(o, false);
  EXPECT_EQ(Text(), "x1 x22 x333 x4");
  EXPECT_EQ(dialogs->Questions[1], "Replace this occurence of 'x(\\d+)' with '<22>' ?");
  EXPECT_EQ(Sel(), (TSelectionEnds{3, 6})) << "the match asked about stays selected";

  dialogs->Answers = {TReplaceAnswer::No, TReplaceAnswer::All};
  memo.SetSelection(0, 0);
  memo.Search().Replace(o, false);
  EXPECT_EQ(Text(), "x1 <22> <333> <4>");
  EXPECT_TRUE(dialogs->Messages.empty());
  memo.Undo();
  EXPECT_EQ(Text(), "x1 <22> x333 x4") << "All replaces the rest as one step";
}

TEST_F(Search, ReplaceAllIsOneUndoStepAndLeavesTheCaretAfterTheLast) {
  struct Case {
    TSearchOptions options;
    std::string text;
    std::string expected;
    int32_t caret;
  };
  TSearchOptions up = Options("aa", "b");
  up.Down = false;
  TSearchOptions regexUp = Options("(x+)(y+)", "%2%1", true, false);
  TSearchOptions word = Options("ab", "[\\n]");  // a literal's replacement is inserted as it is
  word.WholeWord = true;
  const Case cases[] = {
      {Options("(x+)(y+)", "%2%1\\n", true), "xy xxyy-xyy", "yx\r yyxx\r-yyx\r", 14},
      {regexUp, "xy xxyy-xyy^", "yx xyyx-yyx", 2},      // backwards: the latest starts first
      {Options("aa", "b"), "aaaaa", "bba", 1},  // a literal's caret: at the last one's start
      {up, "aaaaa^", "abb", 1},                    // backwards: from the end, none overlapping
      {word, "ab abc ab", "[\\n] abc [\\n]", 9},
      {Options("\\n", ",", true), "a\rb\rc", "a,b,c", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.FindText);
    Load(c.text);
    const std::string before = Text();
    memo.Search().Replace(c.options, true);
    EXPECT_EQ(Text(), c.expected);
    EXPECT_EQ(Sel(), (TSelectionEnds{c.caret, c.caret}));
    memo.Undo();
    EXPECT_EQ(Text(), before);
    EXPECT_FALSE(memo.CanUndo());
  }
  Load("abc");
  Dialogs();
  memo.Search().Replace(Options("z", "y"), true);
  EXPECT_EQ(dialogs->Messages, (std::vector<std::string>{"Search string \"z\" not found."}));
  EXPECT_EQ(dialogs->Shown.back(), "no wait");
  memo.SetReadOnly(true);
  memo.Search().Replace(Options("a", "y"), true);
  EXPECT_EQ(Text(), "abc");
}

TEST_F(Search, ReplaceAllOverARealStylesheetUndoesInOneStep) {
  std::ifstream in("/usr/share/xml/docbook/stylesheet/docbook-xsl/html/titlepage.templates.xsl", std::ios::binary);
  if (!in) GTEST_SKIP() << "docbook-xsl is not installed";
  std::ostringstream read;
  read << in.rdbuf();
  Load(read.str());
  const std::string before = Text();
  memo.Search().Replace(Options("<xsl:([a-z-]+)", "<xs:%2", true), true);
  const std::string after = Text();
  EXPECT_NE(after, before);
  EXPECT_EQ(after.find("<xsl:"), std::string::npos);
  memo.Undo();
  EXPECT_EQ(Text(), before);
  memo.Redo();
  EXPECT_EQ(Text(), after);
}

}  // namespace
}  // namespace ql::test
