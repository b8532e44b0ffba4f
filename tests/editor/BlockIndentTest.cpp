// Block indent and unindent: which lines they touch, what they insert and remove, and that one
// Undo (and one Redo) puts back exactly the block as it was.
#include "EditorTesting.h"

namespace ql::test {
namespace {

class BlockIndent : public EditorTest {
protected:
  // Loads text and selects from the first "[" to the first "]" (both removed).
  void LoadSelected(std::string text) {
    const size_t from = text.find('[');
    text.erase(from, 1);
    const size_t to = text.find(']');
    text.erase(to, 1);
    memo.SetText(text);
    memo.SetSelection(static_cast<int32_t>(from), static_cast<int32_t>(to));
  }
  void UseOptions(std::initializer_list<TInkMemoOption> options) {
    TInkMemoOptions o;
    for (const TInkMemoOption option : options) o.Include(option);
    memo.SetOptions(o);
  }
};

TEST_F(BlockIndent, TouchesTheSelectedLinesOnly) {
  const struct {
    const char* text;
    int32_t step;
    bool indent;
    const char* expected;
  } cases[] = {
      // A selection that ends at a line's start leaves that line alone.
      {"[ab\rcd\r]ef", 2, true, "  ab\r  cd\ref"},
      // A selection inside one line indents that line.
      {"ab\rc[d]\ref", 3, true, "ab\r   cd\ref"},
      // Empty lines are indented too.
      {"[a\r\rb]", 1, true, " a\r \r b"},
      // At most a step of blanks and TABs, never what follows the first other character.
      {"[\t  a\r    b\rc x\r  ]", 2, false, " a\r  b\rc x\r"},
      {"[ a  b\r]", 4, false, "a  b\r"},
      // Lines holding only their line break are skipped.
      {"[\r  x]", 2, false, "\rx"},
  };
  for (const auto& c : cases) {
    LoadSelected(c.text);
    memo.SetIndentStep(c.step);
    if (c.indent) {
      Key('K', {VK_CONTROL});
      Key('I');
    } else {
      Key('K', {VK_CONTROL});
      Key('U', {VK_SHIFT});  // the second key's modifiers do not count
    }
    EXPECT_EQ(Text(), c.expected) << c.text;
  }
}

TEST_F(BlockIndent, TheSelectionKeepsItsTextAndTheCaretEndsLast) {
  LoadSelected("ab\rc[d\ref]\rgh");
  memo.SetIndentStep(2);
  memo.BlockIndent(0, false);
  EXPECT_EQ(Text(), "ab\r  cd\r  ef\rgh");
  EXPECT_EQ(memo.GetSelText(), "d\r\n  ef");
  EXPECT_LT(memo.SelAnchor(), memo.SelCaret());
  memo.BlockUnindent(0);
  EXPECT_EQ(Text(), "ab\rcd\ref\rgh");
  EXPECT_EQ(memo.GetSelText(), "d\r\nef");
}

TEST_F(BlockIndent, OneUndoRestoresTheExactCharactersAndOneRedoRepeats) {
  // A TAB, a non-breaking space (UTF-8) and blanks are taken off; undo puts back those very bytes.
  const std::string original = "\tone\r\xC2\xA0two\r  three\rfour";
  memo.SetText(original);
  memo.SetSelection(0, 18);
  memo.BlockUnindent(1);
  EXPECT_EQ(Text(), "one\rtwo\r three\rfour");
  memo.Undo();
  EXPECT_EQ(Text(), original);
  EXPECT_FALSE(memo.CanUndo());
  EXPECT_EQ(Sel(), (TSelectionEnds{0, 18}));
  memo.Redo();
  EXPECT_EQ(Text(), "one\rtwo\r three\rfour");

  // Indent, then unindent, then undo both: each is one step, and undoing never deletes text.
  memo.SetText("a\rb\rc");
  memo.SetSelection(0, 5);
  memo.BlockIndent(4, false);
  memo.BlockUnindent(2);
  EXPECT_EQ(Text(), "  a\r  b\r  c");
  memo.Undo();
  EXPECT_EQ(Text(), "    a\r    b\r    c");
  memo.Undo();
  EXPECT_EQ(Text(), "a\rb\rc");
  memo.Redo();
  memo.Redo();
  EXPECT_EQ(Text(), "  a\r  b\r  c");
}

TEST_F(BlockIndent, TabsOnlyWhenAllowedAndTheOptionIsOn) {
  UseOptions({});
  LoadSelected("[a\rb]");
  memo.BlockIndent(2, true);
  EXPECT_EQ(Text(), "  a\r  b");  // smoUseTAB off: blanks
  UseOptions({smoUseTAB});
  LoadSelected("[a\rb]");
  memo.BlockIndent(2, true);
  EXPECT_EQ(Text(), "\t\ta\r\t\tb");
  LoadSelected("[a\rb]");
  Key('K', {VK_CONTROL});  // the key's indent never uses TABs
  Key('I');
  EXPECT_EQ(Text(), " a\r b");
}

TEST_F(BlockIndent, NothingHappensWithoutASelectionOrInReadOnlyMode) {
  Load("  a^b");
  memo.BlockIndent(2, false);
  memo.BlockUnindent(2);
  EXPECT_EQ(Text(), "  ab");
  memo.SetSelection(0, 4);
  memo.SetReadOnly(true);
  memo.BlockIndent(2, false);
  memo.BlockUnindent(2);
  EXPECT_EQ(Text(), "  ab");
  memo.SetReadOnly(false);
  memo.SetText("ab");
  memo.SetSelection(0, 2);
  memo.BlockUnindent(2);  // nothing to take off: nothing recorded
  EXPECT_FALSE(memo.Modified());
}

TEST_F(BlockIndent, ALineTooLongForOneRowIsSplitAndUndoneWhole) {
  const std::string longLine(MaxRowLength - 1, 'x');
  const std::string original = longLine + "\r" + longLine;
  memo.SetText(original);
  memo.SelectAll();
  memo.BlockIndent(8, false);
  const std::string indent(8, ' ');
  EXPECT_EQ(Text(), indent + longLine + "\r" + indent + longLine);
  for (TTextRow* row = memo.Store().FirstRow; row != nullptr; row = row->Next) EXPECT_LE(row->Length, MaxRowLength);
  // The split rows continue their lines.
  ASSERT_EQ(memo.Store().RowCount, 4);
  EXPECT_NE(memo.Store().FirstRow->Next->MarkBits & mbContinuation, 0);
  EXPECT_EQ(memo.Store().LastRow()->MarkBits & mbContinuation, mbContinuation);
  memo.Undo();
  EXPECT_EQ(Text(), original);
  memo.Redo();
  EXPECT_EQ(Text(), indent + longLine + "\r" + indent + longLine);
  // The continuation row is not a line of its own: unindent takes only the line's blanks.
  memo.SelectAll();
  memo.BlockUnindent(8);
  EXPECT_EQ(Text(), original);
}

}  // namespace
}  // namespace ql::test
