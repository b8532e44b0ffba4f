// Typing, deleting and moving the caret through the editor's messages: characters, keys bound to
// actions, the selection's anchor and caret, overwrite, auto-indent and the Tab key.
#include "EditorTesting.h"

namespace ql::test {
namespace {

using Typing = EditorTest;

TEST_F(Typing, CharactersGoInAtTheCaretAndTheKeysMoveIt) {
  Load("ac");
  memo.SetSelection(1, 1);
  Type(U"b");
  EXPECT_EQ(Text(), "abc");
  EXPECT_EQ(Sel(), (TSelectionEnds{2, 2}));
  Key(VK_END);
  Type(U"\rd");
  EXPECT_EQ(Text(), "abc\rd");
  Key(VK_UP);
  EXPECT_EQ(memo.SelCaret(), 1);  // column 1 on the row above
  Key(VK_HOME);
  EXPECT_EQ(memo.SelCaret(), 0);
  Key(VK_END, {VK_CONTROL});
  EXPECT_EQ(memo.SelCaret(), 5);
  Key(VK_HOME, {VK_CONTROL});
  EXPECT_EQ(memo.SelCaret(), 0);
  Key(VK_DOWN);
  EXPECT_EQ(memo.SelCaret(), 4);
}

TEST_F(Typing, BackspaceAndDeleteJoinRowsAndStopAtTheEnds) {
  Load("ab\rcd");
  memo.SetSelection(3, 3);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "abcd");
  EXPECT_EQ(memo.SelCaret(), 2);
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "abd");
  const size_t recorded = memo.History().Count();
  memo.SetSelection(0, 0);
  Key(VK_BACK);
  memo.SetSelection(3, 3);
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "abd");
  EXPECT_EQ(memo.History().Count(), recorded);  // nothing happened, nothing recorded
}

TEST_F(Typing, ShiftExtendsTheSelectionFromItsAnchor) {
  Load("one two\rthree");
  memo.SetSelection(4, 4);
  Key(VK_RIGHT, {VK_SHIFT});
  Key(VK_RIGHT, {VK_SHIFT});
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 6}));
  Key(VK_LEFT, {VK_SHIFT, VK_CONTROL});  // word left, still extending
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 4}));
  Key(VK_LEFT, {VK_SHIFT, VK_CONTROL});
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 0}));
  EXPECT_EQ(memo.GetSelStart(), 0);
  EXPECT_EQ(memo.GetSelLength(), 4);
  Key(VK_DOWN, {VK_SHIFT});
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 8}));
  // Typing replaces the selection.
  Type(U"X");
  EXPECT_EQ(Text(), "one Xthree");
}

TEST_F(Typing, WordMovesStopAtWordStarts) {
  Load("alpha, beta_2 (gamma)");
  const struct {
    int32_t from;
    uint16_t key;
    int32_t to;
  } cases[] = {
      {0, VK_RIGHT, 7},    // over "alpha", ", " to "beta_2"
      {7, VK_RIGHT, 15},   // "beta_2 (" to "gamma"
      {15, VK_RIGHT, 21},  // to the end
      {21, VK_LEFT, 15},
      {9, VK_LEFT, 7},     // from inside a word to its start
      {7, VK_LEFT, 0},
  };
  for (const auto& c : cases) {
    memo.SetSelection(c.from, c.from);
    Key(c.key, {VK_CONTROL});
    EXPECT_EQ(memo.SelCaret(), c.to) << c.from;
  }
}

TEST_F(Typing, LineEndStopsAfterTheLastNonBlankAndVerticalMovesKeepTheColumn) {
  Load("abcdef   \rab\rabcdefgh");
  memo.SetSelection(0, 0);
  Key(VK_END);
  EXPECT_EQ(memo.SelCaret(), 6);
  Key(VK_DOWN);  // the short row: its end
  EXPECT_EQ(memo.SelCaret(), 12);
  Key(VK_DOWN);  // the long row: column 6 again
  EXPECT_EQ(memo.SelCaret(), 19);
}

TEST_F(Typing, DownFromTheLastRowReachesTheLineAfterAFinalBreak) {
  Load("ab\r");
  memo.SetSelection(1, 1);
  Key(VK_DOWN);
  EXPECT_EQ(memo.SelCaret(), 3);
  EXPECT_EQ(memo.CaretControl().CaretLine(), 2);
  EXPECT_EQ(memo.CaretControl().CaretColumn(), 1);
  Key(VK_DOWN);
  EXPECT_EQ(memo.SelCaret(), 3);
  Key(VK_UP);
  EXPECT_EQ(memo.SelCaret(), 1);
}

TEST_F(Typing, OverwriteReplacesTheNextCharacterButNeverTheLineBreak) {
  Load("abc\rd");
  memo.SetSelection(1, 1);
  Key(VK_INSERT);
  EXPECT_FALSE(memo.InsertMode());
  Type(U"XYZ");
  EXPECT_EQ(Text(), "aXYZ\rd");
  Key(VK_INSERT);
  Type(U"!");
  EXPECT_EQ(Text(), "aXYZ!\rd");
}

TEST_F(Typing, EnterRepeatsTheIndentationUpToTheCaret) {
  memo.SetOptions([] {
    TInkMemoOptions o;
    o.Include(smoAutoIndent);
    return o;
  }());
  Load("    word^");
  Type(U"\r");
  EXPECT_EQ(Text(), "    word\r    ");
  Load("  ^  word");
  Type(U"\r");
  EXPECT_EQ(Text(), "  \r    word");  // two blanks of indentation were before the caret
  Load("word^");
  Type(U"\r");
  EXPECT_EQ(Text(), "word\r");
  // A row holding only its line break takes the indentation of the row above with text.
  Load("\tx\r\r^");
  Type(U"\r");
  EXPECT_EQ(Text(), "\tx\r\r\r    ");
}

TEST_F(Typing, AutoIndentFillsWithTabsAndBlanksWhenTheOptionsSaySo) {
  TInkMemoOptions o;
  o.Include(smoAutoIndent);
  o.Include(smoUseTAB);
  o.Include(smoSmartFill);
  memo.SetOptions(o);
  Load(std::string(10, ' ') + "x^");
  Type(U"\r");
  EXPECT_EQ(Text(), std::string(10, ' ') + "x\r\t\t  ");
}

TEST_F(Typing, TabMovesUnderTheNextWordOfTheRowAbove) {
  Load("ab   cd  ef\r^");
  Type(U"\t");
  EXPECT_EQ(memo.ColumnOfOffset(memo.SelCaret()), 5);
  Type(U"\t");
  EXPECT_EQ(memo.ColumnOfOffset(memo.SelCaret()), 9);
  Type(U"\t");  // the row above ends first: its end
  EXPECT_EQ(memo.ColumnOfOffset(memo.SelCaret()), 11);
  Type(U"\t");  // no row above reaches further: the next tab stop
  EXPECT_EQ(memo.ColumnOfOffset(memo.SelCaret()), 12);
}

TEST_F(Typing, ControlCharactersAndKeysTakenByASequenceAreNotTyped) {
  Load("");
  Type(U"a\x01\x1B\x7F\x85");
  EXPECT_EQ(Text(), "a");
  // Ctrl+Z is Undo: the character that follows the key is not typed.
  host.Keys = {VK_CONTROL};
  memo.Perform(WM_KEYDOWN, 'Z');
  memo.Perform(WM_CHAR, 'z');
  host.Keys.clear();
  EXPECT_EQ(Text(), "");
  memo.Perform(WM_KEYDOWN, 'Q');
  memo.Perform(WM_CHAR, 'q');
  EXPECT_EQ(Text(), "q");
}

TEST_F(Typing, ReadOnlyBlocksEditingButNotMoving) {
  Load("abc");
  memo.SetReadOnly(true);
  memo.SetSelection(1, 1);
  Type(U"x");
  Key(VK_BACK);
  Key(VK_DELETE);
  memo.Perform(WM_PASTE);
  Key(VK_RIGHT);
  EXPECT_EQ(Text(), "abc");
  EXPECT_EQ(memo.SelCaret(), 2);
}

TEST_F(Typing, DeleteWordAndDeleteLineAreUndoneInOneStep) {
  Load("one two three\rnext");
  memo.SetSelection(8, 8);
  Key(VK_BACK, {VK_CONTROL});
  EXPECT_EQ(Text(), "one three\rnext");
  Key(VK_DELETE, {VK_CONTROL});  // the word, and what separates it from the next one
  EXPECT_EQ(Text(), "one next");
  Action(caDELETELINE);
  EXPECT_EQ(Text(), "");
  memo.Undo();
  EXPECT_EQ(Text(), "one next");
  memo.Undo();
  EXPECT_EQ(Text(), "one three\rnext");
  memo.Undo();
  EXPECT_EQ(Text(), "one two three\rnext");
  EXPECT_EQ(Sel(), (TSelectionEnds{8, 8}));
}

TEST_F(Typing, WithCaretAfterEndOfLineTheCaretGoesOnIntoTheFreeSpace) {
  TInkMemoOptions o;
  o.Include(smoCaretAfterEOL);
  memo.SetOptions(o);
  Load("ab\rabcdef");
  memo.SetSelection(2, 2);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(memo.SelCaret(), 2);
  EXPECT_EQ(memo.CaretControl().CaretColumn(), 5);
  Key(VK_DOWN);  // the longer row: the same column
  EXPECT_EQ(memo.SelCaret(), 7);
  Key(VK_UP);  // and back beyond the short row's end
  EXPECT_EQ(memo.CaretControl().CaretColumn(), 5);
  Type(U"x");  // the gap is filled first
  EXPECT_EQ(Text(), "ab  x\rabcdef");
  memo.Undo();
  EXPECT_EQ(Text(), "ab\rabcdef");
  memo.SetSelection(2, 2);
  Key(VK_RIGHT);
  Key(VK_LEFT);  // back onto the row's end
  EXPECT_EQ(memo.CaretControl().CaretColumn(), 3);
  Key(VK_LEFT);
  EXPECT_EQ(memo.SelCaret(), 1);
  // Undo puts back exactly what was removed, wherever the caret stood.
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "a\rabcdef");
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  memo.Undo();
  EXPECT_EQ(Text(), "ab\rabcdef");
}

}  // namespace
}  // namespace ql::test
