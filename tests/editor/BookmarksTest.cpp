// Numbered bookmarks, marks and breakpoints through the editor: the actions, the events, and
// what painting shows of them.
#include <algorithm>
#include <cstdio>

#include "EditorTesting.h"
#include "textmodel/InkMemoErrors.h"

using namespace ql;
using namespace ql::test;

namespace {

class BookmarksTest : public EditorTest {
protected:
  BookmarksTest() {
    memo.OnBookmarkSet = [this](TCustomInkMemo&, int32_t i) { events.push_back("set " + std::to_string(i)); };
    memo.OnBookmarkClear = [this](TCustomInkMemo&, int32_t i) { events.push_back("clear " + std::to_string(i)); };
  }
  uint16_t Bits(int32_t row) { return memo.Store().RowByIndex(row).Row->MarkBits & mbBookmarkMask; }
  void Caret(int32_t at) { memo.SetSelection(at, at); }
  bool HasGlyph(const std::string& strip, int32_t index, int32_t y) {
    return std::any_of(canvas.Glyphs.begin(), canvas.Glyphs.end(), [&](const auto& g) {
      return g.Strip == strip && g.Index == index && g.Y >= y && g.Y < y + LH;
    });
  }
  std::vector<std::string> events;
};

// Rows of 20 characters each, line break included.
std::string Rows(int32_t n) {
  std::string text;
  char row[32];
  for (int32_t i = 0; i < n; ++i) {
    std::snprintf(row, sizeof row, "row %03d of the text\r", i);
    text += row;
  }
  return text;
}

}  // namespace

TEST_F(BookmarksTest, SettingOnTheSameRowSwitchesItOff) {
  Load(Rows(5));
  Caret(25);
  memo.SetBookmark(3, -1, 0);
  EXPECT_EQ(Bits(1), 1 << 3);
  EXPECT_EQ(memo.Store().BookmarkColumns[3], 6);
  EXPECT_EQ(memo.BookmarkLine(3), 2);
  Caret(38);
  memo.SetBookmark(3, -1, 0);
  EXPECT_EQ(Bits(1), 0);
  EXPECT_EQ(memo.BookmarkLine(3), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"set 3", "clear 3"}));
  memo.GotoBookmark(3);
  EXPECT_EQ(memo.SelCaret(), 38) << "a bookmark on no row is inert";
}

TEST_F(BookmarksTest, ARowCarriesOneBookmark) {
  Load(Rows(5));
  memo.SetBookmark(3, 2, 4);
  memo.SetBookmark(4, 2, 0);
  EXPECT_EQ(Bits(1), 1 << 4);
  EXPECT_EQ(memo.Store().BookmarkColumns[4], 1);
  Caret(0);
  memo.GotoBookmark(3);
  EXPECT_EQ(memo.SelCaret(), 0);
  // Lines out of range: below -1 and 0 go to the first row, past the end to the last.
  memo.SetBookmark(5, -7, 2);
  memo.SetBookmark(6, 99, 2);
  EXPECT_EQ(Bits(0), 1 << 5);
  EXPECT_EQ(Bits(4), 1 << 6);
  EXPECT_THROW(memo.SetBookmark(10, 1, 1), EInkMemo);
  EXPECT_THROW(memo.GotoBookmark(10), EInkMemo);
}

TEST_F(BookmarksTest, TheActionsSetAndVisitBookmarks) {
  Load(Rows(200));
  Caret(20 * 150 + 7);
  Action(caSETBOOKMARK0 + 2);
  Caret(0);
  Action(caGOTOBOOKMARK0 + 2);
  EXPECT_EQ(memo.SelCaret(), 20 * 150 + 7);
  EXPECT_EQ(memo.SelAnchor(), memo.SelCaret());
  EXPECT_EQ(memo.TopRowIndex(), 150 - memo.ClientHeight() / LH / 2) << "the bookmark's row is in the middle";
  // A column beyond its row puts the caret on the row's last character.
  memo.SetBookmark(1, 3, 500);
  Action(caGOTOBOOKMARK0 + 1);
  EXPECT_EQ(memo.SelCaret(), 2 * 20 + 19);
}

TEST_F(BookmarksTest, OnAContinuationRowWithWordWrapItMarksTheLinesFirstRow) {
  Load("short\r" + std::string(5000, 'w') + "\rnext\r");
  ASSERT_TRUE(memo.Store().RowByIndex(2).Row->MarkBits & mbContinuation);
  TInkMemoOptions options = memo.GetOptions();
  options.Include(smoWordWrap);
  memo.SetOptions(options);
  const TRowPos third = memo.Store().RowByIndex(2);
  ASSERT_TRUE(third.Row->MarkBits & mbContinuation);
  Caret(third.Start + 10);
  memo.SetBookmark(7, -1, 0);
  EXPECT_EQ(Bits(1), 1 << 7);
  EXPECT_EQ(Bits(2), 0);
  EXPECT_EQ(memo.Store().BookmarkColumns[7], 11) << "the column is the one on the row first chosen";
}

TEST_F(BookmarksTest, EditsKeepBookmarksOnTheirRowsAndDeletedRowsLoseThem) {
  Load(Rows(5));
  memo.SetBookmark(0, 2, 1);
  memo.SetBookmark(1, 3, 1);
  // Delete row 2 whole (with the caret at its start, shift+down, delete).
  memo.SetSelection(20, 40);
  memo.Perform(WM_CLEAR);
  EXPECT_EQ(memo.BookmarkLine(0), 0);
  EXPECT_EQ(memo.BookmarkLine(1), 2);
  memo.Undo();
  EXPECT_EQ(memo.BookmarkLine(1), 3);
}

TEST_F(BookmarksTest, MarksAndTheirEvents) {
  Load(Rows(3));
  std::vector<std::string> seen;
  memo.OnMarkFree = [&](TCustomInkMemo& m, TMarkHandle h) { seen.push_back("free " + std::to_string(m.MarkStart(h))); };
  memo.OnMarkChange = [&](TCustomInkMemo& m, TMarkHandle h) { seen.push_back("change " + std::to_string(m.MarkEnd(h))); };
  TMarkHandle found = 0;
  EXPECT_FALSE(memo.FindMark(0, 5, found));
  const TMarkHandle a = memo.AddMark(4, 3, 11);
  const TMarkHandle b = memo.AddMark(30, -5, 12);
  EXPECT_EQ(memo.MarkStart(b), 25);
  EXPECT_EQ(memo.MarkEnd(b), 30);
  EXPECT_TRUE(memo.FindMark(5, 0, found));
  EXPECT_EQ(found, a);
  memo.SetSelection(5, 5);
  Type(U"xx");
  memo.SetSelection(0, 10);
  memo.Perform(WM_CLEAR);
  // Typing inside a grows it, and moves b; the deletion frees a and takes b back.
  EXPECT_EQ(seen, (std::vector<std::string>{"change 8", "change 31", "change 9", "change 32", "free 4", "change 22"}));
  memo.SetMarkEnd(b, 2);
  EXPECT_EQ(memo.MarkStart(b), 2);
  EXPECT_EQ(memo.MarkEnd(b), 17);
  memo.RemoveMark(b);
  EXPECT_EQ(memo.MarkStart(b), -1);
}

TEST_F(BookmarksTest, TheStoreReportsItsAnnotationsWhenItGoes) {
  std::vector<std::string> seen;
  {
    TInkMemo other(&host);
    other.SetText("one\rtwo\r");
    other.OnCustomBookmarkFree = [&](TCustomInkMemo&, const std::string& name) { seen.push_back(name); };
    other.OnMarkFree = [&](TCustomInkMemo&, TMarkHandle) { seen.push_back("mark"); };
    other.OnBreakpointFree = [&](TCustomInkMemo&, TSM_BreakpointData& b) { seen.push_back("bp " + std::to_string(b.Offset)); };
    other.AddCustomBookmark("here", 2);
    other.AddMark(1, 2, 0);
    other.AddBreakpoint(5);
    other.OnTrackAdd = [&](TCustomInkMemo&, int32_t id) { seen.push_back("add track " + std::to_string(id)); };
    other.OnTrackFree = [&](TCustomInkMemo&, int32_t id) { seen.push_back("free track " + std::to_string(id)); };
    other.AddTrack(3);
    other.AddTrack(3);
    other.AddTrack(7);
    other.AddTrack(9);
    other.RemoveTrack(7);
    other.RemoveTrack(7);
  }
  // The line tracks go with the editor, each reported.
  EXPECT_EQ(seen, (std::vector<std::string>{"add track 3", "add track 7", "add track 9", "free track 7", "here", "mark",
                                            "bp 4", "free track 3", "free track 9"}));
}

// --- Painting ---

TEST_F(BookmarksTest, TheGutterShowsBookmarkBreakpointAndGutterMarkGlyphs) {
  Load(Rows(6));
  memo.SetBookmark(2, 1, 1);
  memo.AddBreakpoint(20);
  memo.SetGutterMarks(3, 0x0005);
  memo.SetExecPoint(45);
  memo.SetBookmark(9, 3, 1);
  Paint();
  EXPECT_TRUE(HasGlyph("SEM_GUTTER", 2, 0));
  EXPECT_TRUE(HasGlyph("SEM_GUTTER", 10, LH));       // an enabled breakpoint: glyph 11, cell 10
  EXPECT_TRUE(HasGlyph("SEM_GUTTER", 9, 2 * LH));    // bookmark 9
  EXPECT_TRUE(HasGlyph("SEM_GUTTER", 11, 2 * LH));   // the execution point: glyph 12
  EXPECT_TRUE(HasGlyph("SEM_GUTTER", 2, 3 * LH));    // gutter marks: the highest bit
  // The breakpoint's row is drawn white on red; the execution point's white on navy.
  const auto runOn = [&](int32_t row) {
    return *std::find_if(canvas.Texts.begin(), canvas.Texts.end(),
                         [&](const auto& t) { return t.Y == row * LH && t.X >= memo.TextLeft(); });
  };
  EXPECT_EQ(runOn(1).Fore, 0xFFFFFFu);
  EXPECT_EQ(runOn(1).Back, 0x0000FFu);
  EXPECT_EQ(runOn(2).Back, 0x800000u);
  EXPECT_NE(runOn(0).Back, 0x0000FFu);
  // Rows with glyphs show no line number.
  memo.SetOptions([&] {
    TInkMemoOptions o = memo.GetOptions();
    o.Include(smoLineNumbers);
    return o;
  }());
  Paint();
  std::vector<std::string> numbers;
  for (const auto& t : canvas.Texts) {
    if (t.X < memo.TextLeft()) numbers.push_back(t.Text);
  }
  EXPECT_EQ(numbers, (std::vector<std::string>{"5", "6"}));
}

TEST_F(BookmarksTest, AWrappedLineShowsItsBreakpointAndExecutionColoursOnEveryRow) {
  // Lines of three, two and three rows at 80 columns; the breakpoint stands on the first, the
  // execution point on the third, the middle line has neither.
  const std::string words = "word word word word word word word word word word word word word word word word ";
  Load(words + words + "end\rplain " + words + "\r" + words + words + "tail\r");
  TInkMemoOptions options = memo.GetOptions();
  options.Include(smoWordWrap);
  memo.SetOptions(options);
  ASSERT_EQ(memo.Store().RowCount, 8);
  memo.AddBreakpoint(5);
  memo.SetExecPoint(memo.Store().RowStart(5) + 3);
  Paint();
  const auto backOf = [&](int32_t row) {
    const auto run = std::find_if(canvas.Texts.begin(), canvas.Texts.end(),
                                  [&](const auto& t) { return t.Y == row * LH && t.X >= memo.TextLeft(); });
    return run == canvas.Texts.end() ? clNone : run->Back;
  };
  const std::vector<TColor> expected{0x0000FF, 0x0000FF, 0x0000FF, memo.Settings().BackColorOf(0),
                                     memo.Settings().BackColorOf(0), 0x800000, 0x800000, 0x800000};
  for (int32_t row = 0; row < 8; ++row) EXPECT_EQ(backOf(row), expected[static_cast<size_t>(row)]) << "row " << row;
  // The glyphs stay on the first row of each line.
  EXPECT_TRUE(HasGlyph("SEM_GUTTER", 10, 0));
  EXPECT_FALSE(HasGlyph("SEM_GUTTER", 10, LH));
  EXPECT_FALSE(HasGlyph("SEM_GUTTER", 11, 6 * LH));
}

TEST_F(BookmarksTest, MarksAreDrawnAsARedWavyUnderline) {
  Load("0123456789\rabcdefghij\r");
  memo.AddMark(3, 11, 0);  // from column 3 of the first row to column 3 of the second
  Paint();
  std::vector<TRecordingCanvas::TLineCall> red;
  for (const auto& l : canvas.Lines) {
    if (l.Color == 0x0000FFu) red.push_back(l);
  }
  ASSERT_FALSE(red.empty());
  const int32_t left = memo.TextLeft();
  int32_t minX[2] = {1 << 30, 1 << 30}, maxX[2] = {0, 0};
  for (const auto& l : red) {
    const int32_t row = l.Y1 / LH;
    ASSERT_LT(row, 2);
    EXPECT_GE(std::min(l.Y1, l.Y2), row * LH + LH - 4) << "along the bottom of the row";
    minX[row] = std::min(minX[row], l.X1);
    maxX[row] = std::max(maxX[row], l.X2);
  }
  EXPECT_EQ(minX[0], left + 3 * CW);
  EXPECT_EQ(maxX[0], left + 10 * CW);
  EXPECT_EQ(minX[1], left);
  EXPECT_EQ(maxX[1], left + 3 * CW);
  // OnDrawMark takes over.
  std::vector<TRect> drawn;
  memo.OnDrawMark = [&](TCustomInkMemo&, TCanvas&, const TRect& r, TMarkHandle) { drawn.push_back(r); };
  memo.Perform(WM_SIZE, 0, MAKELPARAM(memo.ClientWidth(), memo.ClientHeight()));
  Paint();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0], (TRect{left + 3 * CW, 0, left + 10 * CW, LH - 1}));
}

TEST_F(BookmarksTest, ShowAllCharsFocusLineDisabledAndDrawLine) {
  Load("a b\tc\rx");
  TInkMemoOptions o = memo.GetOptions();
  o.Include(smoShowAllChars);
  memo.SetOptions(o);
  Paint();
  const size_t fills = std::count_if(canvas.Fills.begin(), canvas.Fills.end(), [](const auto& f) { return f.Rect.Width() == 2 && f.Rect.Height() == 2; });
  EXPECT_EQ(fills, 1u) << "a dot over the blank";
  EXPECT_TRUE(std::any_of(canvas.Texts.begin(), canvas.Texts.end(), [](const auto& t) { return t.Text == "\xC2\xB6"; }));
  memo.SetShowFocusLine(true);
  memo.SetSelection(7, 7);
  Paint();
  const auto horizontal = [&](int32_t y) {
    return std::any_of(canvas.Lines.begin(), canvas.Lines.end(), [&](const auto& l) { return l.Y1 == y && l.Y2 == y; });
  };
  EXPECT_TRUE(horizontal(LH));
  EXPECT_TRUE(horizontal(2 * LH - 1));
  memo.Enabled = false;
  Paint();
  for (const auto& t : canvas.Texts) {
    if (t.X >= memo.TextLeft() && t.Opaque) {
      EXPECT_EQ(t.Back, clSilver);
    }
  }
  memo.Enabled = true;
  memo.OnDrawLine = [](TCustomInkMemo&, TLineDrawData& d) { d.Handled = d.Offset == 0; };
  Paint();
  EXPECT_EQ(DrawnRow(0), "");
  EXPECT_EQ(DrawnRow(1), "x");
}

TEST_F(BookmarksTest, CtrlKAndCtrlQWithADigitSetAndVisitABookmark) {
  Load(Rows(50));
  Caret(20 * 30 + 4);
  Key('K', {VK_CONTROL});
  Key('5');
  Type(U"5");  // the character of the sequence's key is not typed
  EXPECT_EQ(memo.BookmarkLine(5), 31);
  Caret(0);
  Key('Q', {VK_CONTROL});
  Key('5');
  EXPECT_EQ(memo.SelCaret(), 20 * 30 + 4);
  EXPECT_EQ(Text(), Rows(50));
}
