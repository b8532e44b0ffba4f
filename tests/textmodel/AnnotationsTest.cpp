// Bookmarks, named bookmarks, text marks and breakpoints of the row store, driven through real
// edits.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "AnnotationModel.h"
#include "StoreModel.h"
#include "textmodel/InkMemoErrors.h"
#include "textmodel/TextStore.h"

using namespace ql;

namespace {

TTextRow* Row(TTextStore& store, int32_t index) { return store.RowByIndex(index).Row; }

}  // namespace

// --- Text marks ---

TEST(TextMarks, FollowInsertionsAndDeletions) {
  struct Case {
    const char* name;
    bool insert;
    int32_t at, n;  // insert n characters at at, or delete at..n
    int32_t start, end;  // -1: freed
  };
  const Case cases[] = {
      {"typing at the end extends", true, 20, 5, 10, 25},
      {"typing at the start pushes", true, 10, 5, 15, 25},
      {"typing after it changes nothing", true, 21, 5, 10, 20},
      {"typing before it moves it", true, 3, 5, 15, 25},
      {"deleting over its end trims it", false, 12, 30, 10, 12},
      {"deleting inside shrinks it", false, 15, 18, 10, 17},
      {"deleting over its start keeps its rest", false, 5, 15, 5, 10},
      {"deleting before it moves it", false, 0, 4, 6, 16},
      {"deleting after it leaves it", false, 20, 30, 10, 20},
      {"deleting all of it frees it", false, 5, 25, -1, -1},
      {"deleting exactly it frees it", false, 10, 20, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TMarkHandle> freed, changed;  // outlive the store, which reports to them
    TTextStore store;
    store.InsertText(0, std::string(40, 'x'));
    TObjectList& marks = store.EnsureMarks();
    marks.OnMarkFree = [&](TMarkHandle m) {
      EXPECT_EQ(marks.Start(m) >= 0, true) << "a freed mark can be read while it is reported";
      freed.push_back(m);
    };
    marks.OnMarkChange = [&](TMarkHandle m) { changed.push_back(m); };
    marks.WantsChanges = [] { return true; };  // marks that only move are reported too
    const TMarkHandle m = marks.Add(10, 20, 7);
    if (c.insert) {
      store.InsertText(c.at, std::string(static_cast<size_t>(c.n), 'y'));
    } else {
      store.DeleteText(c.at, c.n);
    }
    if (c.start < 0) {
      EXPECT_EQ(freed, std::vector<TMarkHandle>{m});
      EXPECT_FALSE(marks.IsMark(m));
      EXPECT_EQ(marks.Start(m), -1);
    } else {
      EXPECT_TRUE(freed.empty());
      EXPECT_EQ(marks.Start(m), c.start);
      EXPECT_EQ(marks.End(m), c.end);
      EXPECT_EQ(marks.Value(m), 7);
      EXPECT_EQ(changed.empty(), c.start == 10 && c.end == 20);
    }
    EXPECT_EQ(marks.Check(), "");
  }
}

TEST(TextMarks, AnEmptyMarkAtTheEndOfADeletionGoesWithIt) {
  std::vector<TMarkHandle> freed;
  TTextStore store;
  store.InsertText(0, std::string(40, 'x'));
  TObjectList& marks = store.EnsureMarks();
  marks.OnMarkFree = [&](TMarkHandle m) { freed.push_back(m); };
  const TMarkHandle atEnd = marks.Add(20, 20, 0);
  const TMarkHandle after = marks.Add(25, 25, 0);
  store.DeleteText(10, 20);
  EXPECT_EQ(freed, std::vector<TMarkHandle>{atEnd});
  EXPECT_EQ(marks.Start(after), 15);
  EXPECT_EQ(marks.End(after), 15);
  // One at the start of a deletion stays.
  const TMarkHandle atStart = marks.Add(5, 5, 0);
  store.DeleteText(5, 8);
  EXPECT_EQ(marks.Start(atStart), 5);
  EXPECT_EQ(marks.Start(after), 12);
  EXPECT_EQ(freed.size(), 1u);
  EXPECT_EQ(marks.Check(), "");
  marks.OnMarkFree = nullptr;
}

TEST(TextMarks, FindAndWalkInOrder) {
  TObjectList marks;
  TMarkHandle found = 99;
  EXPECT_FALSE(marks.Find(0, 10, found));
  EXPECT_EQ(found, 99);
  const TMarkHandle empty = marks.Add(5, 5, 0);
  EXPECT_TRUE(marks.Find(5, 0, found));
  EXPECT_EQ(found, empty);
  const TMarkHandle late = marks.Add(40, 30, 0);  // ordered to 30..40
  EXPECT_EQ(marks.Start(late), 30);
  EXPECT_EQ(marks.End(late), 40);
  const TMarkHandle mid = marks.Add(12, 18, 0);
  EXPECT_EQ(marks.First(), empty);
  EXPECT_EQ(marks.Next(empty), mid);
  EXPECT_EQ(marks.Next(mid), late);
  EXPECT_EQ(marks.Next(late), 0);
  // Range 15..35 on a row: the mark covering 15, then the one starting inside.
  EXPECT_EQ(marks.NextInRange(15, 35, 0), mid);
  EXPECT_EQ(marks.NextInRange(15, 35, mid), late);
  EXPECT_EQ(marks.NextInRange(15, 35, late), 0);
  EXPECT_EQ(marks.NextInRange(19, 29, 0), 0);
  // Moving a mark puts it into its new place in the order.
  ASSERT_TRUE(marks.SetStart(mid, 50));
  EXPECT_EQ(marks.Start(mid), 18);
  EXPECT_EQ(marks.End(mid), 50);
  ASSERT_TRUE(marks.SetEnd(empty, 45));
  EXPECT_EQ(marks.Next(late), 0);
  EXPECT_EQ(marks.First(), empty);
  EXPECT_EQ(marks.Check(), "");
  // A removed mark's handle names nothing, even once its slot is used again.
  ASSERT_TRUE(marks.Remove(late));
  const TMarkHandle reused = marks.Add(1, 2, 0);
  EXPECT_NE(reused, late);
  EXPECT_FALSE(marks.IsMark(late));
  EXPECT_FALSE(marks.SetStart(late, 3));
  EXPECT_FALSE(marks.Remove(0));
  EXPECT_FALSE(marks.Remove(-5));
}

TEST(TextMarks, ManyMarksStayOrderedThroughSplitsAndEdits) {
  TTextStore store;
  store.InsertText(0, std::string(5000, 'a'));
  TObjectList& marks = store.EnsureMarks();
  std::vector<TMarkHandle> handles;
  for (int32_t i = 0; i < 1000; ++i) handles.push_back(marks.Add((i * 37) % 4900, (i * 37) % 4900 + 3, i));
  ASSERT_EQ(marks.Check(), "");
  store.InsertText(0, "xyz");
  store.DeleteText(2000, 2100);
  ASSERT_EQ(marks.Check(), "");
  int32_t previous = -1;
  int32_t n = 0;
  for (TMarkHandle m = marks.First(); m != 0; m = marks.Next(m), ++n) {
    EXPECT_LE(previous, marks.Start(m));
    previous = marks.Start(m);
  }
  EXPECT_EQ(n, marks.Count());
}

// --- Named bookmarks ---

TEST(CustomBookmarks, FollowEditsAndGoWithTheirText) {
  TTextStore store;
  store.InsertText(0, std::string(100, 'x'));
  std::vector<std::string> freed;
  store.CustomBookmarks.OnFree = [&](TCustomBookmarks&, const std::string& name) { freed.push_back(name); };
  store.CustomBookmarks.Add("Fifty", 50);
  store.CustomBookmarks.Add("seventy", 70);
  store.CustomBookmarks.Add("forty", 40);
  store.CustomBookmarks.Add("start", 10);
  store.InsertText(10, "ab");  // exactly at a bookmark: it moves
  EXPECT_EQ(store.CustomBookmarks.Find("START"), 12);
  store.DeleteText(42, 62);
  EXPECT_EQ(freed, (std::vector<std::string>{"forty", "Fifty"}));
  EXPECT_EQ(store.CustomBookmarks.Find("fifty"), -1);
  EXPECT_EQ(store.CustomBookmarks.Find("Seventy"), 52);
  ASSERT_EQ(store.CustomBookmarks.Count(), 2);
  EXPECT_EQ(store.CustomBookmarks.NameIndex(0).Name, "seventy");
  EXPECT_EQ(store.CustomBookmarks.NameIndex(1).Name, "start");
  // Setting a name again moves it, under the name as given.
  store.CustomBookmarks.Add("SEVENTY", 1);
  EXPECT_EQ(store.CustomBookmarks.At(0).Name, "SEVENTY");
  EXPECT_EQ(store.CustomBookmarks.Count(), 2);
  freed.clear();
  store.DeleteText(0, store.TextLength);
  EXPECT_EQ(freed.size(), 2u);
  EXPECT_EQ(store.CustomBookmarks.Count(), 0);
}

// --- Numbered bookmarks on rows ---

TEST(RowBookmarks, RowsDeletedWholeLoseTheirBookmarks) {
  TTextStore store;
  store.InsertText(0, "aa\rbb\rcc\rdd\r");
  Row(store, 0)->MarkBits |= 1 << 0;
  Row(store, 1)->MarkBits |= 1 << 1;
  Row(store, 2)->MarkBits |= 1 << 2;
  // Row "aa" goes whole: "bb" keeps its own bookmark and "aa"'s is gone.
  store.DeleteText(0, 3);
  EXPECT_EQ(test::RowBookmarkBits(store), (std::vector<uint16_t>{1 << 1, 1 << 2, 0}));
  // From the middle of "bb" into "cc": the joined row is "bb"'s.
  store.DeleteText(1, 4);
  EXPECT_EQ(test::StoredText(store), "bc\rdd\r");
  EXPECT_EQ(test::RowBookmarkBits(store), (std::vector<uint16_t>{1 << 1, 0}));
  // An insertion keeps the bits on the row of the old row's first character.
  store.InsertText(1, "x\ry");
  EXPECT_EQ(test::RowBookmarkBits(store), (std::vector<uint16_t>{1 << 1, 0, 0}));
  store.InsertText(0, "new\rlines\r");
  EXPECT_EQ(test::RowBookmarkBits(store), (std::vector<uint16_t>{0, 0, 1 << 1, 0, 0}));
}

// --- Breakpoints ---

class BreakpointTest : public ::testing::Test {
protected:
  void TearDown() override { store.Breakpoints.OnFreed = nullptr; }
  void SetUp() override {
    // Rows start at 0, 100 (six characters and a CR), 107 (three and a CR) and 111.
    store.InsertText(0, std::string(99, 'a') + "\r" + "bbbbbb\r" + "ccc\r" + "dd\r");
    store.Breakpoints.OnFreed = [&](TSM_Breakpoints&, TSM_BreakpointData& b) { freed.push_back(b.Tag); };
  }
  std::vector<int32_t> Offsets() {
    std::vector<int32_t> out;
    for (int32_t i = 0; i < store.Breakpoints.Count(); ++i) out.push_back(store.Breakpoints.Item(i).Offset);
    std::sort(out.begin(), out.end());
    return out;
  }
  TTextStore store;
  std::vector<int32_t> freed;
};

TEST_F(BreakpointTest, StandAtLineStartsAndFollowTheirLines) {
  TSM_BreakpointData& b = store.Breakpoints.Add(103, 1);  // anywhere on the line: its start
  EXPECT_EQ(b.Offset, 100);
  EXPECT_EQ(&store.Breakpoints.Add(105), &b);
  store.InsertText(101, "xy");
  EXPECT_EQ(b.Offset, 100);
  store.InsertText(100, "xy");  // the inserted text begins the line
  EXPECT_EQ(b.Offset, 100);
  store.InsertText(100, "new\r");  // a new line before it: the line moves on
  EXPECT_EQ(b.Offset, 104);
  store.DeleteText(90, 95);
  EXPECT_EQ(b.Offset, 99);
  EXPECT_TRUE(freed.empty());
  int32_t glyph = 0;
  TColor back = 0, text = 0;
  EXPECT_TRUE(store.Breakpoints.GetRowMarker(99, glyph, back, text));
  EXPECT_EQ(glyph, 11);
  EXPECT_EQ(back, 0x0000FFu);
  b.SetEnabled(false);
  EXPECT_TRUE(store.Breakpoints.GetRowMarker(99, glyph, back, text));
  EXPECT_EQ(glyph, 12);
  EXPECT_EQ(back, 0x008000u);
  EXPECT_FALSE(store.Breakpoints.GetRowMarker(100, glyph, back, text));
}

TEST_F(BreakpointTest, AreFreedWithTheirLineOrMovedToALineStart) {
  store.Breakpoints.Add(100, 1);
  store.Breakpoints.Add(107, 2);
  store.Breakpoints.Add(111, 3);
  // The line "bbbbbb" with its line break goes: its breakpoint with it.
  store.DeleteText(100, 107);
  EXPECT_EQ(freed, std::vector<int32_t>{1});
  EXPECT_EQ(Offsets(), (std::vector<int32_t>{100, 104}));
  // Deleting the line break before "dd" joins it to "ccc": one breakpoint per line remains, at
  // the line's start (never in its middle).
  store.DeleteText(103, 104);
  EXPECT_EQ(freed, (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(Offsets(), std::vector<int32_t>{100});
  // Emptying a line's text keeps it; emptying the text frees everything.
  store.DeleteText(100, 105);
  EXPECT_EQ(Offsets(), std::vector<int32_t>{100});
  store.DeleteText(0, store.TextLength);
  EXPECT_EQ(Offsets(), std::vector<int32_t>{});
}

TEST_F(BreakpointTest, TheListIsFreedWhateverTheHandlers) {
  auto store2 = std::make_unique<TTextStore>();
  store2->InsertText(0, "a\rb\rc\r");
  for (const int32_t at : {0, 2, 4}) store2->Breakpoints.Add(at).OnFreed = nullptr;  // unbound: they cannot unlist themselves
  int32_t reported = 0;
  store2->Breakpoints.OnFreed = [&](TSM_Breakpoints&, TSM_BreakpointData&) { ++reported; };
  store2.reset();
  EXPECT_EQ(reported, 0);
}

TEST_F(BreakpointTest, TheExecutionPointIsSwitchedOffNotFreed) {
  TSM_BreakpointData& exec = *store.CodeBreak.ExecPoint;
  exec.Offset = 107;
  store.InsertText(0, "zz");
  EXPECT_EQ(exec.Offset, 107) << "a switched-off execution point does not follow edits";
  store.CodeBreak.SetExecPoint(110);
  EXPECT_EQ(exec.Offset, 109);
  EXPECT_TRUE(exec.Enabled());
  store.Breakpoints.Add(109);
  int32_t glyph = 0;
  TColor back = 0, text = 0;
  EXPECT_TRUE(store.CodeBreak.GetRowMarker(109, glyph, back, text));
  EXPECT_EQ(back, 0x800000u);
  store.InsertText(0, "\r");
  EXPECT_EQ(exec.Offset, 110);
  store.DeleteText(110, 114);
  EXPECT_FALSE(exec.Enabled());
  EXPECT_NE(store.Breakpoints.Count(), 1) << "the breakpoint on that line went too";
}

TEST(TextStoreAnnotations, AnEditFromAHandlerIsRefused) {
  TTextStore store;
  store.InsertText(0, "hello world");
  store.CustomBookmarks.Add("w", 6);
  store.CustomBookmarks.OnFree = [&](TCustomBookmarks&, const std::string&) { store.InsertText(0, "boom"); };
  EXPECT_THROW(store.DeleteText(5, 8), EInkMemo);
  EXPECT_EQ(test::StoredText(store), "hellorld");
  EXPECT_EQ(ql::test::StoreDisagreement(store), "");
  store.CustomBookmarks.OnFree = nullptr;
  store.InsertText(0, "ok ");
  EXPECT_EQ(test::StoredText(store), "ok hellorld");
}

// --- Random edits against a simple model ---

TEST(TextStoreAnnotations, RandomEditsKeepEveryAnnotationInPlace) {
  std::mt19937 rng(20261210);
  TTextStore store;
  test::TAnnotationDriver driver(store);
  const auto pick = [&](int32_t n) { return n <= 0 ? 0 : static_cast<int32_t>(rng() % static_cast<uint32_t>(n)); };
  for (int step = 0; step < 10000; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    ASSERT_EQ(driver.Step(pick, step), "");
    const std::string d = test::AnnotationDisagreement(store, driver.Model, rng);
    ASSERT_EQ(d, "") << "text: " << test::StoredText(store).substr(0, 200);
  }
}
