// Bookmarks, named bookmarks, text marks and breakpoints of the row store, driven through real
// edits.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "StoreModel.h"
#include "textmodel/InkMemoErrors.h"
#include "textmodel/TextStore.h"

using namespace ql;

namespace {

std::string TextOf(const TTextStore& store) { return store.GetRange(0, store.TextLength); }

// The bookmark bits of each row, in order.
std::vector<uint16_t> RowBits(const TTextStore& store) {
  std::vector<uint16_t> bits;
  for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) bits.push_back(r->MarkBits & mbBookmarkMask);
  return bits;
}

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
  EXPECT_EQ(RowBits(store), (std::vector<uint16_t>{1 << 1, 1 << 2, 0}));
  // From the middle of "bb" into "cc": the joined row is "bb"'s.
  store.DeleteText(1, 4);
  EXPECT_EQ(TextOf(store), "bc\rdd\r");
  EXPECT_EQ(RowBits(store), (std::vector<uint16_t>{1 << 1, 0}));
  // An insertion keeps the bits on the row of the old row's first character.
  store.InsertText(1, "x\ry");
  EXPECT_EQ(RowBits(store), (std::vector<uint16_t>{1 << 1, 0, 0}));
  store.InsertText(0, "new\rlines\r");
  EXPECT_EQ(RowBits(store), (std::vector<uint16_t>{0, 0, 1 << 1, 0, 0}));
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
  EXPECT_EQ(TextOf(store), "hellorld");
  EXPECT_EQ(ql::test::StoreDisagreement(store), "");
  store.CustomBookmarks.OnFree = nullptr;
  store.InsertText(0, "ok ");
  EXPECT_EQ(TextOf(store), "ok hellorld");
}

// --- Random edits against a simple model ---

namespace {

// What the store should hold: the text, each line's bookmark bits, the marks by handle and the
// named bookmarks, moved by the rules of each kind.
struct TModel {
  struct Line {
    std::string Text;  // with its CR, when it has one
    uint16_t Bits = 0;
  };
  std::vector<Line> Lines;
  std::map<TMarkHandle, std::pair<int32_t, int32_t>> Marks;
  std::map<std::string, int32_t> Named;

  int32_t Length() const {
    int32_t n = 0;
    for (const Line& l : Lines) n += static_cast<int32_t>(l.Text.size());
    return n;
  }
  // The line holding offset and the offset of its start (past the text: the last line).
  size_t LineAt(int32_t offset, int32_t& start) const {
    start = 0;
    for (size_t i = 0; i < Lines.size(); ++i) {
      const auto n = static_cast<int32_t>(Lines[i].Text.size());
      if (offset - start < n || i + 1 == Lines.size()) return i;
      start += n;
    }
    return 0;
  }
  static std::vector<Line> Split(const std::string& text, uint16_t firstBits) {
    std::vector<Line> out;
    size_t from = 0;
    while (from < text.size()) {
      const size_t cr = text.find('\r', from);
      const size_t end = cr == std::string::npos ? text.size() : cr + 1;
      out.push_back({text.substr(from, end - from), out.empty() ? firstBits : uint16_t{0}});
      from = end;
    }
    return out;
  }

  void Insert(int32_t o, const std::string& p) {
    const auto n = static_cast<int32_t>(p.size());
    for (auto& [name, pos] : Named) {
      if (pos >= o) pos += n;
    }
    for (auto& [h, m] : Marks) {
      if (m.first >= o) {
        m.first += n;
        m.second += n;
      } else if (m.second >= o) {
        m.second += n;
      }
    }
    if (Lines.empty()) {
      Lines = Split(p, 0);
      return;
    }
    int32_t start;
    const size_t i = LineAt(o, start);
    const Line line = Lines[i];
    const auto k = static_cast<size_t>(o - start);
    if (k >= line.Text.size() && line.Text.back() == '\r') {
      auto added = Split(p, 0);
      Lines.insert(Lines.begin() + static_cast<ptrdiff_t>(i + 1), added.begin(), added.end());
      return;
    }
    auto rebuilt = Split(line.Text.substr(0, k) + p + line.Text.substr(k), 0);
    // The row's bookmark stays with its old first character.
    const size_t holder = k == 0 ? static_cast<size_t>(std::count(p.begin(), p.end(), '\r')) : 0;
    rebuilt[std::min(holder, rebuilt.size() - 1)].Bits = line.Bits;
    Lines.erase(Lines.begin() + static_cast<ptrdiff_t>(i));
    Lines.insert(Lines.begin() + static_cast<ptrdiff_t>(i), rebuilt.begin(), rebuilt.end());
  }

  // Returns the marks that go.
  std::vector<TMarkHandle> Delete(int32_t s, int32_t e) {
    const int32_t n = e - s;
    std::vector<TMarkHandle> gone;
    for (auto it = Named.begin(); it != Named.end();) {
      if (it->second >= s && it->second < e) {
        it = Named.erase(it);
      } else {
        if (it->second >= e) it->second -= n;
        ++it;
      }
    }
    for (auto it = Marks.begin(); it != Marks.end();) {
      auto& [ms, me] = it->second;
      if (me <= s) {
        ++it;
      } else if (s <= ms && me <= e) {
        gone.push_back(it->first);
        it = Marks.erase(it);
      } else {
        if (ms >= s) ms = std::max(ms - n, s);
        if (me >= s) me = std::max(me - n, s);
        ++it;
      }
    }
    if (s == 0 && e == Length()) {
      Lines.clear();
      Named.clear();
      return gone;
    }
    int32_t start;
    const size_t first = LineAt(s, start);
    const std::string head = Lines[first].Text.substr(0, static_cast<size_t>(s - start));
    uint16_t bits = Lines[first].Bits;
    size_t i = first;
    int32_t rest = e - start;
    while (i < Lines.size() && rest >= static_cast<int32_t>(Lines[i].Text.size())) rest -= static_cast<int32_t>(Lines[i++].Text.size());
    std::string tail;
    if (i < Lines.size()) {
      tail = Lines[i].Text.substr(static_cast<size_t>(rest));
      if (head.empty()) bits = Lines[i].Bits;
      ++i;
    }
    Lines.erase(Lines.begin() + static_cast<ptrdiff_t>(first), Lines.begin() + static_cast<ptrdiff_t>(i));
    if (!(head + tail).empty()) Lines.insert(Lines.begin() + static_cast<ptrdiff_t>(first), Line{head + tail, bits});
    return gone;
  }
};

std::string Disagreement(const TTextStore& store, const TModel& model, std::mt19937& rng) {
  if (std::string d = ql::test::StoreDisagreement(store, &rng, 20); !d.empty()) return d;
  std::string text;
  std::vector<uint16_t> bits;
  for (const TModel::Line& l : model.Lines) {
    text += l.Text;
    bits.push_back(l.Bits);
  }
  if (TextOf(store) != text) return "the text differs";
  if (RowBits(store) != bits) return "the rows' bookmarks differ";
  uint16_t seen = 0;
  for (const uint16_t b : bits) {
    if ((b & (b - 1)) != 0) return "a row carries two bookmarks";
    if ((seen & b) != 0) return "a bookmark lies on two rows";
    seen |= b;
  }
  const int32_t markCount = store.Marks ? store.Marks->Count() : 0;
  if (markCount != static_cast<int32_t>(model.Marks.size())) return "the number of marks differs";
  if (store.Marks) {
    if (std::string d = store.Marks->Check(); !d.empty()) return "marks: " + d;
    for (const auto& [h, m] : model.Marks) {
      if (store.Marks->Start(h) != m.first || store.Marks->End(h) != m.second) return "a mark's bounds differ";
    }
  }
  if (store.CustomBookmarks.Count() != static_cast<int32_t>(model.Named.size())) return "the named bookmarks differ";
  for (const auto& [name, pos] : model.Named) {
    if (store.CustomBookmarks.Find(name) != pos) return "named bookmark " + name + " is elsewhere";
  }
  int32_t previous = -1;
  for (int32_t i = 0; i < store.Breakpoints.Count(); ++i) {
    const int32_t at = store.Breakpoints.Item(i).Offset;
    if (at <= previous) return "breakpoints share a line or are out of order";
    previous = at;
    if (at >= store.TextLength || LineStartOf(store, at) != at) return "a breakpoint is not at the start of a line";
    if (store.Breakpoints.FindAt(at) == nullptr) return "a breakpoint is not found at its offset";
  }
  return {};
}

}  // namespace

TEST(TextStoreAnnotations, RandomEditsKeepEveryAnnotationInPlace) {
  std::mt19937 rng(20261210);
  std::vector<TMarkHandle> freedMarks;  // outlives the store, which reports to it
  TTextStore store;
  TModel model;
  TObjectList& marks = store.EnsureMarks();
  marks.OnMarkFree = [&](TMarkHandle m) { freedMarks.push_back(m); };
  auto pick = [&](int32_t n) { return n <= 0 ? 0 : static_cast<int32_t>(rng() % static_cast<uint32_t>(n)); };
  const char* alphabet = "ab \r";
  for (int step = 0; step < 10000; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const int32_t length = store.TextLength;
    const int32_t what = pick(100);
    if (what < 45 || length == 0) {
      std::string p;
      for (int32_t i = pick(length < 500 ? 12 : 4) + 1; i > 0; --i) p += alphabet[pick(4)];
      const int32_t at = pick(length + 1);
      store.InsertText(at, p);
      model.Insert(at, p);
    } else if (what < 85) {
      const int32_t s = pick(length);
      const int32_t e = std::min(length, s + 1 + pick(what < 83 ? 8 : 60));
      freedMarks.clear();
      std::vector<TMarkHandle> gone = model.Delete(s, e);
      store.DeleteText(s, e);
      std::sort(gone.begin(), gone.end());
      std::sort(freedMarks.begin(), freedMarks.end());
      ASSERT_EQ(freedMarks, gone);
    } else if (what < 91) {
      const int32_t s = pick(length + 1);
      const int32_t e = std::min(length, s + pick(10));
      model.Marks[marks.Add(s, e, step)] = {s, e};
    } else if (what < 94) {
      const std::string name = "n" + std::to_string(pick(40));
      const int32_t at = pick(length + 1);
      store.CustomBookmarks.Add(name, at);
      model.Named[name] = at;
    } else if (what < 97) {
      // Bookmark n onto a row, off any other row, as SetBookmark leaves it.
      const int32_t n = pick(10);
      const int32_t index = pick(store.RowCount);
      for (TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) r->MarkBits &= static_cast<uint16_t>(~(1u << n));
      for (TModel::Line& l : model.Lines) l.Bits &= static_cast<uint16_t>(~(1u << n));
      TTextRow* row = Row(store, index);
      row->MarkBits = static_cast<uint16_t>((row->MarkBits & ~mbBookmarkMask) | (1u << n));
      model.Lines[static_cast<size_t>(index)].Bits = static_cast<uint16_t>(1u << n);
    } else if (what < 99) {
      store.Breakpoints.Toggle(pick(length));
    } else if (what == 99 && pick(20) == 0) {
      freedMarks.clear();
      std::vector<TMarkHandle> gone = model.Delete(0, length);
      store.DeleteText(0, length);
      ASSERT_EQ(freedMarks.size(), gone.size());
    }
    const std::string d = Disagreement(store, model, rng);
    ASSERT_EQ(d, "") << "text: " << TextOf(store).substr(0, 200);
  }
}
