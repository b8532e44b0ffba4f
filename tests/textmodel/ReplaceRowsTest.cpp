// Rebuilding the rows of a line at given lengths: what the rows keep, what moves to the line's
// first row, where the top row goes, and what is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoreChecks.h"
#include "textmodel/InkMemoErrors.h"
#include "textmodel/TextStore.h"

namespace ql::test {
namespace {

std::vector<int32_t> Lengths(const TTextStore& store) {
  std::vector<int32_t> out;
  for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) out.push_back(r->Length);
  return out;
}

struct TTag : TRowAttachment {};

TEST(ReplaceRows, RebuildsALineKeepingWhatBelongsToIt) {
  TTextStore store;
  store.InsertText(0, "head\rone two three four\rtail\r");
  TTextRow* head = store.FirstRow;
  TTextRow* line = head->Next;
  TTextRow* tail = line->Next;
  line->Styles.Ensure()[0] = 7;
  line->GutterMarks = 0x4;
  line->MarkBits = 0x2;  // bookmark 1
  line->Attachment = std::make_unique<TTag>();

  TRowSpan span = store.ReplaceRows(line, line, {8, 6, 5});
  EXPECT_EQ(Lengths(store), (std::vector<int32_t>{5, 8, 6, 5, 5}));
  ExpectConsistent(store);
  EXPECT_EQ(store.RowText(1), "one two ");
  EXPECT_EQ(store.RowText(3), "four");
  EXPECT_EQ(span.First, store.RowByIndex(1).Row);
  EXPECT_EQ(span.Last, store.RowByIndex(3).Row);
  EXPECT_EQ(store.FirstRow, head);
  EXPECT_EQ(span.Last->Next, tail);
  EXPECT_EQ(span.First->MarkBits, 0x2);
  EXPECT_EQ(span.First->Next->MarkBits, mbContinuation);
  for (TTextRow* r = span.First; r != tail; r = r->Next) {
    EXPECT_EQ(r->GutterMarks, 0x4);
    EXPECT_TRUE(r->Styles) << "token values are kept";
    EXPECT_EQ(r->Flags & (rfRepaint | rfRescan), rfRepaint | rfRescan);
  }
  EXPECT_EQ(span.First->Styles[0], 7);
  ASSERT_TRUE(span.First->Attachment);
  EXPECT_EQ(span.First->Attachment->Row(), span.First);

  // A bookmark on a continuation row moves to the line's first row, which keeps its identity
  // when its length stays; so does the last row.
  TTextRow* first = span.First;
  TTextRow* last = span.Last;
  span.First->Next->MarkBits |= 0x8;  // bookmark 3
  span = store.ReplaceRows(first, last, {8, 11});
  EXPECT_EQ(span.First, first);
  EXPECT_NE(span.Last, last);
  EXPECT_EQ(first->MarkBits, 0x2 | 0x8);
  EXPECT_EQ(span.Last->MarkBits, mbContinuation);
  EXPECT_EQ(store.RowText(2), "three four");
  TTextRow* kept = span.Last;
  span = store.ReplaceRows(first, span.Last, {5, 3, 11});
  EXPECT_EQ(span.Last, kept) << "the unchanged last row stays";
  EXPECT_EQ(span.First->MarkBits, 0x2 | 0x8);
  ExpectConsistent(store);

  // The same lengths change nothing.
  const TRowSpan again = store.ReplaceRows(span.First, span.Last, {5, 3, 11});
  EXPECT_EQ(again.First, span.First);
  EXPECT_EQ(again.Last, span.Last);
}

TEST(ReplaceRows, RefusesLengthsThatDoNotFitTheRows) {
  TTextStore store;
  store.InsertText(0, "abcdef\rxyz");
  const std::string text = StoredText(store);
  for (const std::vector<int32_t>& bad :
       {std::vector<int32_t>{3, 3}, std::vector<int32_t>{7, 1}, std::vector<int32_t>{0, 7}, std::vector<int32_t>{}}) {
    EXPECT_THROW(store.ReplaceRows(store.FirstRow, store.FirstRow, bad), EInkMemo);
    EXPECT_EQ(StoredText(store), text);
    EXPECT_EQ(store.RowCount, 2);
  }
  TTextStore big;
  big.InsertText(0, std::string(3000, 'a'));
  EXPECT_THROW(big.ReplaceRows(big.FirstRow, big.LastRow(), {2500, 500}), EInkMemo);
  ExpectConsistent(big);
}

// The window keeps showing the same text when rows above it or its own line are rebuilt.
TEST(ReplaceRows, TheTopRowStaysOnItsOffset) {
  TTextStore store;
  store.InsertText(0, "aaaa bbbb cccc\rdddd eeee\rffff\r");
  store.SetTopRowIndex(2);  // "ffff"
  store.ReplaceRows(store.FirstRow, store.FirstRow, {5, 5, 5});
  EXPECT_EQ(store.TopRowIndex, 4);
  EXPECT_EQ(store.TopOffset, 25);
  EXPECT_EQ(std::string(store.TopRow->Content()), "ffff");

  // The top row inside a line that is rebuilt: the row that now holds its offset.
  store.SetTopRowIndex(1);  // "bbbb " at 5
  store.ReplaceRows(store.FirstRow, store.RowByIndex(2).Row, {7, 8});
  EXPECT_EQ(store.TopRowIndex, 0);
  EXPECT_EQ(store.TopOffset, 0);
  store.SetTopRowIndex(1);  // "b cccc\r" at 7
  store.ReplaceRows(store.FirstRow, store.RowByIndex(1).Row, {15});
  EXPECT_EQ(store.TopRowIndex, 0);
  EXPECT_EQ(store.TopOffset, 0);
  ExpectConsistent(store);
}

}  // namespace
}  // namespace ql::test
