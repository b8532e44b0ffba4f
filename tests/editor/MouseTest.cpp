// The mouse through the editor's messages: click counting, the margin strip, hyperlink text,
// dragging the right-margin line, scrolling on a timer while selecting outside, the cursor
// shapes, and drag and drop within the editor.
#include "EditorTesting.h"

namespace ql::test {
namespace {

class Mouse : public EditorTest {
protected:
  LPARAM At(int32_t column, int32_t row) const { return MAKELPARAM(memo.TextLeft() + column * CW + 1, row * LH + 4); }
  void Click(LPARAM at, WPARAM keys = 0) {
    memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    memo.Perform(WM_LBUTTONUP, keys, at);
  }
  void Option(TInkMemoOption option, bool on) {
    TInkMemoOptions options = memo.GetOptions();
    if (on) options.Include(option);
    else options.Exclude(option);
    memo.SetOptions(options);
  }
};

TEST_F(Mouse, ClicksCountOnlyInQuickSuccessionAndOnTheSameRow) {
  Load("one two\rthree four");
  Click(At(5, 0));
  host.Ticks += 2000;  // too slow for a double click
  Click(At(5, 0));
  EXPECT_EQ(memo.ClickCount(), 1);
  EXPECT_EQ(Sel(), (TSelectionEnds{5, 5}));
  // A third quick click on another row than the second places the caret.
  Click(At(1, 0));
  Click(At(1, 1));
  EXPECT_EQ(memo.ClickCount(), 3);
  EXPECT_EQ(Sel(), (TSelectionEnds{9, 9}));
  // The press after a third counts four (a single click), whenever it comes; then one again.
  Click(At(2, 1));
  EXPECT_EQ(memo.ClickCount(), 4);
  // OnTripleClick takes the place of selecting the row.
  host.Ticks += 2000;
  std::vector<int32_t> offsets;
  memo.OnTripleClick = [&](TCustomInkMemo&, TPoint, int32_t offset) { offsets.push_back(offset); };
  for (int i = 0; i < 3; ++i) Click(At(2, 1));
  EXPECT_EQ(offsets, std::vector<int32_t>{10});
}

TEST_F(Mouse, TheMarginStripSelectsWholeRowsAndDraggingExtendsThem) {
  Load("ab\rcd\ref");
  const int32_t strip = memo.TextLeft() - 1;
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(strip, LH + 2));
  EXPECT_EQ(Sel(), (TSelectionEnds{3, 6}));
  memo.Perform(WM_MOUSEMOVE, MK_LBUTTON, At(1, 2));
  memo.Perform(WM_LBUTTONUP, 0, At(1, 2));
  EXPECT_EQ(Sel(), (TSelectionEnds{3, 7}));
}

TEST_F(Mouse, HyperlinkTextChangesTheCursorAndReportsItsRunOnClick) {
  Load("see http://x\rand on");
  TStyleEffect link = memo.Settings().GetStyle(7);
  link.Hotspot = true;
  link.Defined = 1;
  memo.Settings().SetStyle(7, link);
  memo.Settings().SetMap(7, 7);
  // The link runs on into the next row: "http://x" and "and".
  std::vector<uint8_t> values = {0, 0, 0, 0, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 0, 0, 0, 0};
  TByteBuffer buffer{values.data(), static_cast<int32_t>(values.size())};
  memo.Perform(SMM_SETSTYLES, 0, reinterpret_cast<LPARAM>(&buffer));
  memo.HyperCursor = crHandPoint;
  int32_t hovers = 0;
  memo.OnHyperlinkHover = [&](TCustomInkMemo&) { ++hovers; };
  std::string clicked;
  int32_t type = -1;
  memo.OnHyperlinkClick = [&](TCustomInkMemo&, const std::string& text, int32_t t) {
    clicked = text;
    type = t;
  };
  memo.Perform(WM_MOUSEMOVE, 0, At(1, 0));
  EXPECT_EQ(host.Cursor, crIBeam);
  memo.Perform(WM_MOUSEMOVE, 0, At(6, 0));
  EXPECT_EQ(host.Cursor, crHandPoint);
  EXPECT_TRUE(memo.OverHyperlink());
  EXPECT_EQ(hovers, 1);
  Click(At(6, 0));
  EXPECT_EQ(clicked, "http://x\rand");
  EXPECT_EQ(type, 7);
  EXPECT_EQ(Sel(), (TSelectionEnds{6, 6}));
  // Past the row's end there is no link.
  memo.Perform(WM_MOUSEMOVE, 0, At(30, 0));
  EXPECT_FALSE(memo.OverHyperlink());
}

TEST_F(Mouse, TheRightMarginLineIsDraggedAsPaintStateAndSetOnRelease) {
  Load("short\r");
  Option(smoShowRMargin, true);
  memo.SetRightMargin(20);
  memo.Perform(WM_MOUSEMOVE, 0, At(20, 0) - 1);
  EXPECT_EQ(host.Cursor, crHSplit);
  memo.Perform(WM_MOUSEMOVE, 0, At(3, 0));
  EXPECT_EQ(host.Cursor, crIBeam);
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 0) - 1);
  ASSERT_TRUE(memo.LineDragging());
  host.ForgetRepaints();
  memo.Perform(WM_MOUSEMOVE, MK_LBUTTON, At(30, 1) - 1);
  EXPECT_EQ(memo.LineDragColumn(), 30);
  EXPECT_EQ(memo.GetRightMargin(), 20) << "applied only on release";
  // The old and the new place of the line are repainted; the line is drawn where it is now.
  const int32_t x = memo.TextLeft() + 30 * CW;
  EXPECT_TRUE(std::any_of(host.Invalidated.begin(), host.Invalidated.end(),
                          [&](const TRect& r) { return r.Left <= x && x < r.Right && r.Bottom >= LH * 10; }));
  Paint();
  EXPECT_TRUE(std::any_of(canvas.Lines.begin(), canvas.Lines.end(), [&](const auto& l) { return l.X1 == x && l.X2 == x; }));
  memo.Perform(WM_LBUTTONUP, 0, At(30, 1) - 1);
  EXPECT_FALSE(memo.LineDragging());
  EXPECT_EQ(memo.GetRightMargin(), 30);
  EXPECT_EQ(Sel(), (TSelectionEnds{0, 0})) << "the caret stays";
}

TEST_F(Mouse, SelectingOutsideScrollsOneStepPerTimerTick) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "row\r";
  Load(text);
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(1, 19));
  memo.Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(memo.TextLeft() + 8, 25 * LH));
  ASSERT_EQ(host.Timers.count(tmAutoScroll), 1u);
  EXPECT_EQ(memo.TopRowIndex(), 0) << "the move itself does not loop";
  memo.Perform(WM_TIMER, tmAutoScroll);
  memo.Perform(WM_TIMER, tmAutoScroll);
  EXPECT_EQ(memo.TopRowIndex(), 2);
  EXPECT_EQ(Sel().Anchor, 19 * 4 + 1);
  EXPECT_EQ(Sel().Caret, 21 * 4 + 1) << "the caret follows the last visible row";
  // Back inside: the timer stops.
  memo.Perform(WM_MOUSEMOVE, MK_LBUTTON, At(1, 5));
  EXPECT_EQ(host.Timers.count(tmAutoScroll), 0u);
  memo.Perform(WM_LBUTTONUP, 0, At(1, 5));
}

TEST_F(Mouse, CursorShapesFollowWhatIsUnderTheMouse) {
  Load("abcdef");
  Option(smoShowGutter, true);
  Option(smoOLEDragSource, true);
  memo.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(host.Cursor, crDefault);  // the gutter
  memo.Perform(WM_MOUSEMOVE, 0, At(2, 0));
  EXPECT_EQ(host.Cursor, crIBeam);
  memo.SetSelection(1, 4);
  memo.Perform(WM_MOUSEMOVE, 0, At(2, 0));
  EXPECT_EQ(host.Cursor, crDefault);  // over a selection that can be dragged
}

TEST_F(Mouse, DraggingWithinTheEditorMovesInOneUndoStep) {
  Load("ab cd");
  Option(smoOLEDragSource, true);
  memo.SetSelection(0, 2);
  // The drag goes to column 5 and is dropped there; the drop arrives during the drag.
  TDropEffect offered = 0;
  host.OnDrag = [&](const std::string& text, TDropEffect allowed) {
    offered = allowed;
    struct TText : TDropData {
      std::string text;
      TSourceTypes Kinds() const override { return srcText; }
      std::string Text(TSourceTypes) const override { return text; }
      std::vector<std::string> Files() const override { return {}; }
    } data;
    data.text = text;
    TDropRequest request{{memo.TextLeft() + 5 * CW, 4}, false, allowed, &data};
    memo.Perform(SMM_DRAGENTER, 0, reinterpret_cast<LPARAM>(&request));
    EXPECT_TRUE(memo.DropFeedback());
    EXPECT_EQ(memo.DropPosition(), 5);
    return static_cast<TDropEffect>(memo.Perform(SMM_DROP, 0, reinterpret_cast<LPARAM>(&request)));
  };
  memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(1, 0));
  memo.Perform(WM_MOUSEMOVE, MK_LBUTTON, At(3, 0));
  memo.Perform(WM_LBUTTONUP, 0, At(3, 0));
  EXPECT_EQ(offered, DROPEFFECT_COPY | DROPEFFECT_MOVE);
  EXPECT_EQ(Text(), " cdab");
  EXPECT_EQ(Sel(), (TSelectionEnds{3, 5}));
  EXPECT_FALSE(memo.DropFeedback());
  memo.Undo();
  EXPECT_EQ(Text(), "ab cd");
  EXPECT_FALSE(memo.CanUndo());

  // A press inside the selection and a release without moving only places the caret.
  memo.SetSelection(0, 2);
  host.Ticks += 2000;  // not a second click of the drag's press
  Click(At(1, 0));
  EXPECT_EQ(Sel(), (TSelectionEnds{1, 1}));
}

}  // namespace
}  // namespace ql::test
