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

TEST_F(Undo, ALongPasteOverALongSelectionComesBackBothWays) {
  const std::string original = std::string(100000, 'a') + "\r" + std::string(50000, 'c');
  Load(original);
  std::string pasted;
  for (int i = 0; i < 20000; ++i) pasted += "bbbb\r\n";
  host.Clipboard().SetText(pasted);
  memo.SetSelection(10, 120000);
  memo.PasteFromClipboard();
  std::string stored = pasted;
  for (size_t at = 0; (at = stored.find("\r\n", at)) != std::string::npos;) stored.erase(at + 1, 1);
  const std::string expected = original.substr(0, 10) + stored + original.substr(120000);
  EXPECT_EQ(Text(), expected);
  memo.Undo();
  EXPECT_EQ(Text(), original);
  EXPECT_EQ(Sel(), (TSelectionEnds{10, 120000}));
  memo.Redo();
  EXPECT_EQ(Text(), expected);
  // The history knows the pasted text by its digest only: another text of the same length in
  // an editor sharing the history does not pass for it.
  std::shared_ptr<TUndoStack> history;
  memo.Perform(SMM_UNDOSTACK, 0, reinterpret_cast<LPARAM>(&history));
  TInkMemo other;
  std::string changed = expected;
  changed[50000] = 'x';
  other.SetText(changed);
  other.Perform(SMM_UNDOSTACK, smmSet, reinterpret_cast<LPARAM>(&history));
  EXPECT_THROW(other.Undo(), EInkMemo);
  EXPECT_EQ(other.Store().GetRange(0, other.Store().TextLength), changed);
  memo.Undo();
  EXPECT_EQ(Text(), original);
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

// The history keeps short texts packed together and long ones apart, and of a long step only the
// text that is out of the document: steps of every size, past the packed lengths and across many
// entries, come back byte for byte (or by digest, for a text the document holds) after undoing
// part of the history, recording over the redo part and replaying everything both ways.
TEST(UndoStack, TextsOfEverySizeComeBackAfterTruncationAndReplay) {
  auto removedOf = [](int32_t i) { return std::string(i % 11 == 0 ? 70000 + i : i % 5, static_cast<char>('a' + i % 26)); };
  auto insertedOf = [](int32_t i) { return std::string(i % 13 == 0 ? 65535 + i % 3 : i % 7, static_cast<char>('A' + i % 26)); };
  auto isLong = [&](int32_t i) { return i % 11 == 0 || i % 13 == 0; };
  TUndoStack h;
  std::vector<int32_t> ids;  // the step recorded at each position of the history
  auto push = [&](int32_t i) {
    const std::string removed = removedOf(i), inserted = insertedOf(i);
    if (i % 2 == 0) {
      h.Push({{i, i}, {i, i + 1}, removed, inserted});
    } else {
      h.Push({i, i}, {i, i + 1}, removed, inserted);
    }
    ids.push_back(i);
  };
  // Undoing takes the inserted text out of the document, redoing the removed one.
  auto expectStep = [&](const TUndoStep& step, int32_t i, bool undo) {
    EXPECT_EQ(step.Before, (TSelectionEnds{i, i}));
    ASSERT_EQ(step.InDocument, isLong(i)) << "step " << i;
    if (step.InDocument) {
      EXPECT_EQ(step.Present, DigestOf(undo ? insertedOf(i) : removedOf(i))) << "step " << i;
      EXPECT_EQ(undo ? step.Removed : step.Inserted, undo ? removedOf(i) : insertedOf(i)) << "step " << i;
      EXPECT_TRUE((undo ? step.Inserted : step.Removed).empty());
    } else {
      EXPECT_EQ(step.Removed, removedOf(i)) << "step " << i;
      EXPECT_EQ(step.Inserted, insertedOf(i)) << "step " << i;
    }
  };
  auto stepBack = [&](int32_t i) { h.StepBack(isLong(i) ? insertedOf(i) : std::string()); };
  auto stepForward = [&](int32_t i) { h.StepForward(isLong(i) ? removedOf(i) : std::string()); };
  for (int32_t i = 0; i < 300; ++i) push(i);
  for (int32_t k = 299; k >= 130; --k) stepBack(k);
  ASSERT_EQ(h.Count(), 130u);
  ids.resize(130);
  for (int32_t i = 1000; i < 1100; ++i) push(i);  // over the redo part, from inside a run of 64
  // A group of long and short steps between the loose ones is one unit.
  h.BeginGroup(ugReplace, {-1, -1});
  for (int32_t i = 2000; i < 2130; ++i) h.Push({{i, i}, {i, i + 1}, removedOf(i), insertedOf(i)});
  h.EndGroup(ugReplace, {-2, -2});
  push(3000);

  const auto last = h.UndoUnit();
  ASSERT_EQ(last.size(), 1u);
  expectStep(last[0], 3000, true);
  stepBack(3000);
  const auto group = h.UndoUnit();
  ASSERT_EQ(group.size(), 130u);
  for (int32_t k = 0; k < 130; ++k) expectStep(group[static_cast<size_t>(k)], 2129 - k, true);
  for (int32_t k = 0; k < 130; ++k) stepBack(2129 - k);
  for (size_t k = ids.size() - 1; k-- > 0;) {  // the last id (3000) was checked above
    const auto unit = h.UndoUnit();
    ASSERT_EQ(unit.size(), 1u);
    expectStep(unit[0], ids[k], true);
    stepBack(ids[k]);
  }
  EXPECT_FALSE(h.CanUndo());
  for (size_t k = 0; k + 1 < ids.size(); ++k) {
    const auto unit = h.RedoUnit();
    ASSERT_EQ(unit.size(), 1u);
    expectStep(unit[0], ids[k], false);
    stepForward(ids[k]);
  }
  const auto regroup = h.RedoUnit();
  ASSERT_EQ(regroup.size(), 130u);
  for (int32_t k = 0; k < 130; ++k) expectStep(regroup[static_cast<size_t>(k)], 2000 + k, false);
  EXPECT_EQ(h.RedoSelection(), (TSelectionEnds{-2, -2}));
}

}  // namespace
}  // namespace ql::test
