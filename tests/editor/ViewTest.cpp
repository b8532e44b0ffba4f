// The view: conversions between offsets, rows, columns and pixels (with TABs), scrolling and
// the scroll bars, keeping the caret visible, and the mouse.
#include "EditorTesting.h"

namespace ql::test {
namespace {

using View = EditorTest;

TEST_F(View, OffsetsColumnsAndPixelsWithTabs) {
  Load("a\tbc\r\t\tx\rend");
  const int32_t left = memo.TextLeft();
  const struct {
    int32_t offset, column, x, y;
  } cases[] = {
      {0, 0, left, 0},          {1, 1, left + CW, 0},      // before the TAB
      {2, 4, left + 4 * CW, 0}, {4, 6, left + 6 * CW, 0},  // after it: the next stop of 4
      {5, 0, left, LH},         {7, 8, left + 8 * CW, LH}, {9, 0, left, 2 * LH},
      {12, 3, left + 3 * CW, 2 * LH},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(memo.ColumnOfOffset(c.offset), c.column) << c.offset;
    EXPECT_EQ(memo.PointFromChar(c.offset), (TPoint{c.x, c.y})) << c.offset;
    EXPECT_EQ(memo.CharFromPoint(c.x, c.y + 3), c.offset) << c.offset;
  }
  // A point inside a TAB goes to its nearer edge; left of the text to the row's start; past the
  // end of a row to its end; below the text to the text's end.
  EXPECT_EQ(memo.CharFromPoint(left + 2 * CW - 1, 1), 1);
  EXPECT_EQ(memo.CharFromPoint(left + 3 * CW, 1), 2);
  EXPECT_EQ(memo.CharFromPoint(left - 20, LH + 1), 5);
  EXPECT_EQ(memo.CharFromPoint(left + 50 * CW, 1), 4);
  EXPECT_EQ(memo.CharFromPoint(left, 10 * LH), 12);
  TPoint point{left + CW, LH};
  EXPECT_EQ(memo.Perform(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)), 5);
  point = {2, LH};  // in the gutter
  EXPECT_EQ(memo.Perform(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)), -1);
  // The caret line and column of the status bar.
  memo.SetSelection(7, 7);
  EXPECT_EQ(memo.CaretControl().CaretLine(), 2);
  EXPECT_EQ(memo.CaretControl().CaretColumn(), 9);
}

TEST_F(View, ExplicitTabStopsMoveTheColumns) {
  memo.Settings().SetTabColumnsText("3 6");
  Load("\tx\ty\tz");
  EXPECT_EQ(memo.ColumnOfOffset(1), 2);   // the stop at column 3 (1-based)
  EXPECT_EQ(memo.ColumnOfOffset(3), 5);   // then 6
  EXPECT_EQ(memo.ColumnOfOffset(5), 8);   // then multiples of TabDefault
}

std::string Rows(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "row " + std::to_string(i) + "\r";
  return text;
}

TEST_F(View, TheCaretIsKeptInViewByScrollingOnlyAsFarAsNeeded) {
  Load(Rows(100));
  memo.SetSelection(0, 0);
  for (int i = 0; i < 20; ++i) Key(VK_DOWN);
  EXPECT_EQ(memo.TopRowIndex(), 1);  // row 20 is the 21st: one row down
  Key(VK_NEXT);
  EXPECT_EQ(memo.TopRowIndex(), 21);
  Key(VK_END, {VK_CONTROL});
  EXPECT_EQ(memo.TopRowIndex(), 100 - 20 + 1);  // the empty line after the last break shows
  Key(VK_HOME, {VK_CONTROL});
  EXPECT_EQ(memo.TopRowIndex(), 0);
  // Right of the window the view moves in steps of 8 columns.
  Load(std::string(100, 'x'));
  memo.SetSelection(80, 80);
  EXPECT_EQ(memo.LeftColumn(), 8);
  memo.SetSelection(0, 0);
  EXPECT_EQ(memo.LeftColumn(), 0);
}

TEST_F(View, ScrollBarsAndTheirMessages) {
  Load(Rows(100));
  EXPECT_EQ(host.VBar, (TScrollInfo{0, 100, 20, 0}));
  memo.Perform(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(memo.TopRowIndex(), 1);
  memo.Perform(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(memo.TopRowIndex(), 21);
  memo.Perform(WM_VSCROLL, MAKELPARAM(SB_THUMBTRACK, 50));
  EXPECT_EQ(memo.TopRowIndex(), 50);
  EXPECT_EQ(host.VBar.Pos, 50);
  memo.Perform(WM_VSCROLL, MAKELPARAM(SB_THUMBTRACK, 500));
  EXPECT_EQ(memo.TopRowIndex(), 99);  // clamped to the last row
  EXPECT_EQ(memo.SelCaret(), 0);      // scrolling leaves the caret
  // The wheel: three rows a notch, away from the user shows earlier rows.
  memo.Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint32_t>(-WHEEL_DELTA) << 16));
  EXPECT_EQ(memo.TopRowIndex(), 99);
  memo.Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(WHEEL_DELTA) << 16);
  EXPECT_EQ(memo.TopRowIndex(), 96);
  // Long texts scale the bar into 16 bits.
  Load(Rows(100000));
  EXPECT_EQ(host.VBar.Max, 25000);
  memo.Perform(WM_VSCROLL, MAKELPARAM(SB_THUMBTRACK, 10));
  EXPECT_EQ(memo.TopRowIndex(), 40);
}

TEST_F(View, ClicksShiftClicksAndDraggingSelect) {
  Load("one two three\rfour five\rsix");
  TInkMemoOptions options = memo.GetOptions();
  options.Exclude(smoOLEDragSource);  // a press inside the selection selects anew, drags nothing out
  memo.SetOptions(options);
  const int32_t left = memo.TextLeft();
  auto at = [&](int32_t column, int32_t row) { return MAKELPARAM(left + column * CW, row * LH + 4); };
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, at(4, 0));
  memo.Perform(WM_LBUTTONUP, 0, at(4, 0));
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 4}));
  EXPECT_TRUE(host.Focused);
  // Shift+click after the caret extends to the click; before the selection's start moves it.
  host.Ticks += 1000;
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, at(2, 1));
  memo.Perform(WM_LBUTTONUP, 0, at(2, 1));
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 16}));
  host.Ticks += 1000;
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, at(1, 0));
  memo.Perform(WM_LBUTTONUP, 0, at(1, 0));
  EXPECT_EQ(Sel(), (TSelectionEnds{16, 1}));
  // Dragging selects from the press; outside the window a timer scrolls on.
  host.Ticks += 1000;
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, at(8, 0));
  memo.Perform(WM_MOUSEMOVE, MK_LBUTTON, at(3, 2));
  EXPECT_EQ(Sel(), (TSelectionEnds{8, 27}));
  memo.Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(left + 3 * CW, 30 * LH));
  EXPECT_EQ(host.Timers.count(tmAutoScroll), 1u);
  memo.Perform(WM_LBUTTONUP, 0, at(3, 2));
  EXPECT_EQ(host.Timers.count(tmAutoScroll), 0u);
  // A click inside the selection places the caret only when released there.
  host.Ticks += 1000;
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, at(10, 0));
  EXPECT_EQ(Sel().Anchor, 8);
  memo.Perform(WM_LBUTTONUP, 0, at(10, 0));
  EXPECT_EQ(Sel(), (TSelectionEnds{10, 10}));
}

TEST_F(View, DoubleAndTripleClicksSelectAWordAndARow) {
  Load("one two three\rfour");
  const int32_t left = memo.TextLeft();
  const LPARAM p = MAKELPARAM(left + 5 * CW, 4);
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, p);
  memo.Perform(WM_LBUTTONUP, 0, p);
  memo.Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, p);
  memo.Perform(WM_LBUTTONUP, 0, p);
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 7}));
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, p);
  memo.Perform(WM_LBUTTONUP, 0, p);
  EXPECT_EQ(Sel(), (TSelectionEnds{0, 14}));  // the row with its line break
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, p);  // a fourth: a single click again
  memo.Perform(WM_LBUTTONUP, 0, p);
  EXPECT_EQ(Sel(), (TSelectionEnds{5, 5}));
}

TEST_F(View, AGutterClickReportsTheLineAndLeavesTheCaret) {
  Load("a\rb\rc");
  int32_t line = 0;
  memo.OnGutterClick = [&](TCustomInkMemo&, int32_t n) { line = n; };
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, LH + 2));
  EXPECT_EQ(line, 2);
  EXPECT_EQ(Sel(), (TSelectionEnds{0, 0}));
}

}  // namespace
}  // namespace ql::test
