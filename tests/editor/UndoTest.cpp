// Undo and redo: one step per command, groups and transactions, Modified exactly as the history
// says, and the history's faults: empty groups, exceptions inside an edit, steps that no longer
// match the text, loading.
#include "EditorTesting.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {
namespace {

using Undo = EditorTest;

TEST_F(Undo, EachTypedCharacterIsOneStepAndRedoRestoresThem) {
  Load("");
  Type(U"ab");
  EXPECT_TRUE(memo.GetModified());
  memo.Undo();
  EXPECT_EQ(Text(), "a");
  memo.Undo();
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(memo.GetModified());
  EXPECT_TRUE(memo.CanRedo());
  memo.Redo();
  memo.Redo();
  EXPECT_EQ(Text(), "ab");
  EXPECT_EQ(Sel(), (TSelectionEnds{2, 2}));
  EXPECT_FALSE(memo.CanRedo());
  // A new edit after undoing ends the redo history.
  memo.Undo();
  Type(U"c");
  EXPECT_EQ(Text(), "ac");
  EXPECT_FALSE(memo.CanRedo());
}

TEST_F(Undo, APasteOverASelectionComesBackSelected) {
  Load("one two three");
  host.Clipboard().SetText("2\r\n2");
  memo.SetSelection(4, 7);
  memo.PasteFromClipboard();
  EXPECT_EQ(Text(), "one 2\r2 three");
  memo.Undo();
  EXPECT_EQ(Text(), "one two three");
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 7}));
  memo.Redo();
  EXPECT_EQ(Text(), "one 2\r2 three");
  EXPECT_EQ(Sel(), (TSelectionEnds{7, 7}));
}

TEST_F(Undo, AGroupOfSeveralReplacementsIsOneStep) {
  Load("abc");
  memo.BeginUndoGroup(ugReplace);
  memo.SetSelection(0, 1);
  memo.ReplaceSelection("X");
  memo.SetSelection(2, 3);
  memo.ReplaceSelection("YY");
  memo.EndUndoGroup(ugReplace);
  EXPECT_EQ(Text(), "XbYY");
  memo.Undo();
  EXPECT_EQ(Text(), "abc");
  EXPECT_EQ(Sel(), (TSelectionEnds{0, 0}));  // where the group began
  EXPECT_FALSE(memo.GetModified());
  memo.Redo();
  EXPECT_EQ(Text(), "XbYY");
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 4}));  // where it ended
}

TEST_F(Undo, GroupsDoNotNestAndAnEmptyGroupLeavesNoTrace) {
  Load("abc");
  memo.SetSelection(3, 3);
  memo.BeginUndoGroup(ugReplace);
  memo.BeginUndoGroup(ugTyping);  // ignored: a group is open
  Type(U"d");
  memo.EndUndoGroup(ugTyping);    // ignored: not the open group
  Type(U"e");
  memo.EndUndoGroup(ugReplace);
  memo.Undo();
  EXPECT_EQ(Text(), "abc");

  memo.Redo();
  memo.Undo();
  ASSERT_TRUE(memo.CanRedo());
  // A command that changes nothing: no step, Modified unchanged, the redo history kept.
  memo.BeginUndoGroup(ugDelete);
  memo.SetSelection(1, 1);
  memo.EndUndoGroup(ugDelete);
  memo.SetSelection(0, 0);
  Key(VK_BACK);
  EXPECT_TRUE(memo.CanRedo());
  EXPECT_FALSE(memo.GetModified());
}

TEST_F(Undo, SavingAndLoadingClearTheHistoryAndLoadingRecordsNothing) {
  Load("");
  Type(U"x");
  TMemoryStream saved;
  memo.SaveToStream(&saved);
  EXPECT_FALSE(memo.GetModified());
  EXPECT_FALSE(memo.CanUndo());
  const std::string big(100000, 'q');
  Load(big);
  EXPECT_FALSE(memo.GetModified());
  EXPECT_EQ(memo.History().Count(), 0u);
  EXPECT_LT(memo.History().MemoryBytes(), 1000u);
  Type(U"y");
  memo.SetModified(false);
  EXPECT_FALSE(memo.GetModified());
  EXPECT_FALSE(memo.CanUndo());
}

// A history shared with a second editor whose text went another way: the steps no longer match.
TEST_F(Undo, AStepThatNoLongerMatchesStopsTheUndoAndKeepsTheHistoryConsistent) {
  Load("");
  Type(U"ab");
  std::shared_ptr<TUndoStack> history;
  memo.Perform(SMM_UNDOSTACK, 0, reinterpret_cast<LPARAM>(&history));
  ASSERT_EQ(history.get(), &memo.History());

  TInkMemo other;
  other.SetText("zzz");
  other.Perform(SMM_UNDOSTACK, smmSet, reinterpret_cast<LPARAM>(&history));
  EXPECT_THROW(other.Undo(), EInkMemo);
  EXPECT_EQ(other.GetText(), "zzz");
  // Nothing was applied, so the history still describes the first editor's text.
  memo.Undo();
  EXPECT_EQ(Text(), "a");
  memo.Undo();
  EXPECT_EQ(Text(), "");
  memo.Redo();
  memo.Redo();
  EXPECT_EQ(Text(), "ab");
}

// Annotations that fail once the rows have changed, as a failing breakpoint list would.
class TFailingAnnotations : public TTextAnnotations {
public:
  void BreakpointsInserted(int32_t, int32_t) override {
    if (Fail) throw EInkMemo("breakpoints failed");
  }
  bool Fail = true;
};

TEST_F(Undo, AnExceptionInsideAnEditEndsItsTransactionAndTheHistoryStays) {
  Load("");
  Type(U"abc");
  auto annotations = std::make_unique<TFailingAnnotations>();
  TFailingAnnotations& failing = *annotations;
  memo.Store().SetAnnotations(std::move(annotations));
  EXPECT_THROW(Type(U"d"), EInkMemo);
  failing.Fail = false;
  memo.SetSelection(4, 4);
  Type(U"e");  // no "Bad transaction log entry", and the history is still there
  EXPECT_EQ(Text(), "abcde");
  EXPECT_EQ(memo.History().Count(), 4u);
  memo.Undo();
  memo.Undo();
  EXPECT_EQ(Text(), "abd");  // the failed edit was not recorded
}

TEST_F(Undo, TypingCostsOneSmallEntryPerCharacter) {
  Load("");
  for (int i = 0; i < 1000; ++i) Type(U"x");
  EXPECT_EQ(memo.History().Count(), 1000u);
}

TEST(UndoStack, UnitsAreWholeGroupsAndLooseSteps) {
  TUndoStack h;
  auto push = [&](int32_t at, const char* removed, const char* inserted) {
    h.Push({{at, at}, {at + 1, at + 1}, removed, inserted});
  };
  push(0, "", "a");  // a loose step
  h.BeginGroup(ugReplace, {5, 5});
  push(1, "", "b");  // the group starts elsewhere than its first step: a marker
  push(2, "", "c");
  h.EndGroup(ugReplace, {9, 9});
  push(3, "", "d");
  EXPECT_EQ(h.UndoUnit().size(), 1u);
  h.StepBack();
  const auto group = h.UndoUnit();
  ASSERT_EQ(group.size(), 2u);
  EXPECT_EQ(group[0].Inserted, "c");  // newest first
  EXPECT_EQ(h.UndoSelection(), (TSelectionEnds{5, 5}));
  h.StepBack();
  h.StepBack();
  EXPECT_EQ(h.UndoUnit().size(), 1u);
  EXPECT_EQ(h.UndoUnit()[0].Inserted, "a");
  const auto redo = h.RedoUnit();
  ASSERT_EQ(redo.size(), 2u);
  EXPECT_EQ(redo[0].Inserted, "b");
  EXPECT_EQ(h.RedoSelection(), (TSelectionEnds{9, 9}));
  // Pushing now discards the redo part with its texts.
  push(1, "", "z");
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ(h.Count(), 2u);
}

}  // namespace
}  // namespace ql::test
