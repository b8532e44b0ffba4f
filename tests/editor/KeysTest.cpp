// The key path of the editor with the default key table: templates, then auto-replace, then key
// sequences (one and two keys) and their actions, then typing; and the actions that move the
// view, toggle overwrite and use the clipboard.
#include "EditorTesting.h"
#include "services/AutoReplace.h"
#include "services/CodeTemplates.h"
#include "services/macros/FakeMacroEditor.h"
#include "toolkit/KeyboardLayout.h"

namespace ql::test {
namespace {

class Keys : public EditorTest {
protected:
  // A key as the window passes it on: the key, then the character it types (if any).
  void Press(uint16_t vk, std::set<uint16_t> modifiers = {}, char32_t typed = 0) {
    host.Keys = modifiers;
    memo.Perform(WM_KEYDOWN, vk);
    if (typed != 0) memo.Perform(WM_CHAR, typed);
    memo.Perform(WM_KEYUP, vk);
    host.Keys.clear();
  }
  // Types text key by key, each character with its key of the US layout.
  void TypeKeys(const std::string& text) {
    for (const char c : text) {
      const auto scan = static_cast<uint16_t>(VkKeyScan(c));
      std::set<uint16_t> modifiers;
      if (scan & kksShift) modifiers.insert(VK_SHIFT);
      Press(scan & 0xFF, modifiers, static_cast<uint8_t>(c));
    }
  }
  void CtrlJ() { Press('J', {VK_CONTROL}, 0x0A); }
};

TEST_F(Keys, OnCommandRecognisedSeesEachSequenceAndMayChangeItsAction) {
  Load("abc\rdef");
  std::vector<int32_t> seen;
  memo.OnCommandRecognised = [&](TCustomInkMemo&, int32_t& code) {
    seen.push_back(code);
    if (code == caRIGHT) code = caDOCEND;
  };
  Press(VK_RIGHT);
  EXPECT_EQ(memo.SelCaret(), 7);
  Press('K', {VK_CONTROL}, 0x0B);  // the first key of a pair recognises nothing yet
  Press('0', {}, '0');             // Set Bookmark 0
  TypeKeys("x");                   // typing is no command
  EXPECT_EQ(seen, (std::vector<int32_t>{caRIGHT, caSETBOOKMARK0}));
  EXPECT_EQ(Text(), "abc\rdefx");
}

TEST_F(Keys, ASecondKeyThatEndsNoPairIsTypedAndTheNextKeyStartsAfresh) {
  Load("ab^");
  Press('K', {VK_CONTROL}, 0x0B);
  Press('X', {}, 'x');
  EXPECT_EQ(Text(), "abx");
  memo.SetSelection(0, 1);
  Press('X', {VK_CONTROL}, 0x18);  // Ctrl+X cuts
  EXPECT_EQ(Text(), "bx");
  EXPECT_EQ(host.Clipboard().GetText(), "a");
  memo.SetSelection(2, 2);
  Press('V', {VK_CONTROL}, 0x16);
  EXPECT_EQ(Text(), "bxa");
  memo.SetSelection(0, 2);
  Press('C', {VK_CONTROL}, 0x03);
  EXPECT_EQ(host.Clipboard().GetText(), "bx");
  EXPECT_EQ(Text(), "bxa");
  // Ctrl+Y of the bare control deletes the caret's line; with a selection it does nothing.
  Load("one\rtwo\rthree");
  memo.SetSelection(5, 6);
  Press('Y', {VK_CONTROL}, 0x19);
  EXPECT_EQ(Text(), "one\rtwo\rthree");
  memo.SetSelection(5, 5);
  Press('Y', {VK_CONTROL}, 0x19);
  EXPECT_EQ(Text(), "one\rthree");
}

TEST_F(Keys, DeletingAtTheEndsOfTheTextRecordsNothing) {
  const struct {
    const char* text;
    uint16_t key;
    std::set<uint16_t> modifiers;
  } cases[] = {
      {"^ab", VK_BACK, {}},
      {"ab^", VK_DELETE, {}},
      {"^ab", VK_BACK, {VK_CONTROL}},
      {"ab^", VK_DELETE, {VK_CONTROL}},
      {"^", VK_DELETE, {}},
  };
  for (const auto& c : cases) {
    Load(c.text);
    Press(c.key, c.modifiers);
    EXPECT_FALSE(memo.Modified()) << c.text << " " << c.key;
    EXPECT_FALSE(memo.CanUndo());
  }
}

TEST_F(Keys, PageAndScrollKeysMoveTheViewAndKeepTheCaretInIt) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r";
  Load(text);
  memo.SetSelection(2, 2);
  const int32_t page = memo.VisibleRows();
  Press(VK_NEXT);
  EXPECT_EQ(memo.TopRowIndex(), page);
  EXPECT_EQ(memo.Store().LocateRow(memo.SelCaret()).Index, page);
  EXPECT_EQ(memo.ColumnOfOffset(memo.SelCaret()), 2);
  Press(VK_NEXT, {VK_SHIFT});  // extends
  EXPECT_EQ(memo.Store().LocateRow(memo.SelCaret()).Index, 2 * page);
  EXPECT_EQ(memo.Store().LocateRow(memo.SelAnchor()).Index, page);
  Press(VK_PRIOR);
  EXPECT_EQ(memo.Store().LocateRow(memo.SelCaret()).Index, page);
  EXPECT_EQ(memo.SelAnchor(), memo.SelCaret());

  // Ctrl+Down scrolls one row; a caret on the top row goes down with it.
  const int32_t top = memo.TopRowIndex();
  memo.SetSelection(memo.Store().RowStart(top), memo.Store().RowStart(top));
  Press(VK_DOWN, {VK_CONTROL});
  EXPECT_EQ(memo.TopRowIndex(), top + 1);
  EXPECT_EQ(memo.Store().LocateRow(memo.SelCaret()).Index, top + 1);
  // Ctrl+Up scrolls back; a caret on the bottom row goes up with it.
  const int32_t bottom = memo.Store().RowStart(memo.TopRowIndex() + memo.VisibleRows() - 1);
  memo.SetSelection(bottom, bottom);
  Press(VK_UP, {VK_CONTROL});
  EXPECT_EQ(memo.TopRowIndex(), top);
  EXPECT_LT(memo.Store().LocateRow(memo.SelCaret()).Index, memo.TopRowIndex() + memo.VisibleRows());
  memo.SetSelection(0, 0);
  Press(VK_UP, {VK_CONTROL});  // at the top: nothing
  EXPECT_EQ(memo.TopRowIndex(), 0);
}

TEST_F(Keys, InsertTogglesOverwriteAndTheCaretShape) {
  TInkMemoOptions o;
  o.Include(smoBlockOverwriteCursor);
  memo.SetOptions(o);
  host.Focused = true;
  memo.Perform(WM_SETFOCUS);
  Load("ab^c");
  EXPECT_EQ(host.CaretSize.X, 2);
  bool reported = false;
  memo.OnChange = [&](TCustomInkMemo& m) { reported |= (m.ReportedChangeFlags() & cfInsertMode) != 0; };
  Press(VK_INSERT);
  EXPECT_TRUE(reported);
  EXPECT_FALSE(memo.InsertMode());
  EXPECT_EQ(host.CaretSize.X, CW);
  TypeKeys("XY");  // replaces the c, then appends before the end
  EXPECT_EQ(Text(), "abXY");
  Press(VK_INSERT);
  EXPECT_EQ(host.CaretSize.X, 2);
}

TEST_F(Keys, CaretAfterTheLineEndReturnsToTheTextOnHomeEndAndDocumentMoves) {
  TInkMemoOptions o;
  o.Include(smoCaretAfterEOL);
  memo.SetOptions(o);
  Load("ab  \rxy");
  const struct {
    uint16_t key;
    std::set<uint16_t> modifiers;
    int32_t caret;
  } cases[] = {
      {VK_HOME, {}, 0},
      {VK_END, {}, 2},  // back over the trailing blanks
      {VK_HOME, {VK_CONTROL}, 0},
      {VK_END, {VK_CONTROL}, 7},
  };
  for (const auto& c : cases) {
    memo.SetSelection(4, 4);
    for (int i = 0; i < 3; ++i) Press(VK_RIGHT);  // into the free space after the row
    ASSERT_TRUE(memo.BeyondEOL());
    Press(c.key, c.modifiers);
    EXPECT_FALSE(memo.BeyondEOL()) << c.key;
    EXPECT_EQ(memo.SelCaret(), c.caret) << c.key;
    EXPECT_EQ(memo.CaretControl().CaretColumn(), memo.ColumnOfOffset(c.caret) + 1) << c.key;
  }
  // Backspace in the free space only moves back.
  memo.SetSelection(4, 4);
  Press(VK_RIGHT);
  Press(VK_RIGHT);
  Press(VK_BACK);
  EXPECT_TRUE(memo.BeyondEOL());
  EXPECT_EQ(memo.CaretControl().CaretColumn(), 6);
  EXPECT_EQ(Text(), "ab  \rxy");
}

class Macros : public Keys {
protected:
  Macros() {
    memo.Settings().Templates().AddTemplate("begin", "block", "begin\r  |\rend");
    memo.Settings().Templates().AddTemplate("case", "choice", "case | of\rend");
    memo.Settings().Templates().AddTemplate("beep", "", "beep;");
    memo.Settings().AutoReplace().AddReplacement("teh", "the");
    memo.OnCreatePickList = [this](TCustomInkMemo&, TMacroKeywords&) {
      auto list = std::make_unique<FakePickList>();
      pickList = list.get();
      return list;
    };
  }
  FakePickList* pickList = nullptr;
};

TEST_F(Macros, CtrlJExpandsTheTemplateBeforeTheCaretIndentedToItsColumn) {
  Load("    ");
  memo.SetSelection(4, 4);
  TypeKeys("begin");
  CtrlJ();
  EXPECT_EQ(Text(), "    begin\r      \r    end");
  EXPECT_EQ(memo.SelCaret(), 16);  // at the marker
  EXPECT_EQ(pickList, nullptr);
  memo.Undo();  // one step, back to the typed name
  EXPECT_EQ(Text(), "    begin");
}

TEST_F(Macros, CtrlJWithoutAMatchOpensThePickListWhoseChoiceReplacesTheTypedWord) {
  Load("x be^");
  CtrlJ();
  ASSERT_NE(pickList, nullptr);
  ASSERT_TRUE(pickList->IsOpen);
  EXPECT_EQ(pickList->Items.size(), 3u);
  EXPECT_EQ(pickList->Items[0], (TPickListItem{"", "beep"}));
  EXPECT_EQ(pickList->Selected, 0);  // the first name holding "be"
  EXPECT_EQ(memo.GetSelText(), "be");
  EXPECT_EQ(Text(), "x be");  // the J typed nothing
  // Incremental search in the list, then Return.
  TMacroKeywords& templates = memo.Settings().Templates();
  EXPECT_TRUE(templates.PickListKeyChar('b'));
  EXPECT_TRUE(templates.PickListKeyChar('e'));
  EXPECT_TRUE(templates.PickListKeyChar('g'));
  EXPECT_EQ(pickList->Selected, 1);
  templates.PickListChoose(pickList->Selected);
  EXPECT_FALSE(pickList->IsOpen);
  EXPECT_EQ(Text(), "x begin\r    \r  end");
  // Escape: the list closes and the caret stays after the typed word.
  Load("be^");
  CtrlJ();
  ASSERT_TRUE(pickList->IsOpen);
  pickList->Close();
  templates.PickListClosed();
  EXPECT_EQ(Text(), "be");
  EXPECT_EQ(Sel(), (TSelectionEnds{2, 2}));
}

TEST_F(Macros, AutoReplaceExpandsBeforeTheTriggerTypes) {
  const struct {
    const char* typed;
    const char* expected;
  } cases[] = {
      {"teh ", "the "},
      {"teh;", "the;"},
      {"tehx ", "tehx "},
      {"xteh ", "xteh "},
      {"(teh)", "(the)"},
  };
  for (const auto& c : cases) {
    Load("");
    TypeKeys(c.typed);
    EXPECT_EQ(Text(), c.expected) << c.typed;
  }
  // A handler may veto.
  memo.OnAutoReplace = [](TMacroEditor&, TCustomEdStream&, const std::string&, std::string&, bool& can) { can = false; };
  Load("");
  TypeKeys("teh ");
  EXPECT_EQ(Text(), "teh ");
}

TEST_F(Macros, AnEmptyTemplateTableNeverOpensTheList) {
  memo.Settings().Templates().Clear();
  Load("be^");
  CtrlJ();
  EXPECT_EQ(pickList, nullptr);
  EXPECT_EQ(Text(), "be");
}

}  // namespace
}  // namespace ql::test
