// Painting onto the recording canvas: rows in runs of their styles, the gutter with line
// numbers, the margin, the selection, the right-margin line, hex boxes, and which rows a change
// asks the host to repaint.
#include "EditorTesting.h"

namespace ql::test {
namespace {

class Painting : public EditorTest {
protected:
  Painting() {
    TInkMemoOptions o = memo.GetOptions();
    o.Include(smoLineNumbers);
    memo.SetOptions(o);
  }
  const TRecordingCanvas::TTextCall* TextAt(int32_t x, int32_t y) {
    for (const auto& t : canvas.Texts) {
      if (t.X == x && t.Y == y) return &t;
    }
    return nullptr;
  }
};

TEST_F(Painting, RowsWithTheGutterNumbersAndTheMargin) {
  Load("first\r\tsecond\r");
  Paint();
  const int32_t left = memo.TextLeft();
  EXPECT_EQ(left, memo.GetGutter() + memo.Settings().Margin);
  EXPECT_EQ(DrawnRow(0), "first");
  EXPECT_EQ(DrawnRow(1), "    second");  // the TAB as blanks to the next stop (4)
  EXPECT_EQ(DrawnRow(2), "");
  // Line numbers for the two rows, none for the rows past the end.
  std::vector<std::string> numbers;
  for (const auto& t : canvas.Texts) {
    if (t.X == 2) numbers.push_back(t.Text);
  }
  EXPECT_EQ(numbers, (std::vector<std::string>{"1", "2"}));
  // The gutter and margin are filled on every row of the window.
  int32_t gutters = 0, margins = 0;
  for (const auto& f : canvas.Fills) {
    gutters += f.Rect.Left == 0 && f.Rect.Right == memo.GetGutter();
    margins += f.Rect.Left == memo.GetGutter() && f.Rect.Right == left;
  }
  EXPECT_EQ(gutters, 20);
  EXPECT_EQ(margins, 20);
  // The right-margin line at column 80 lies just outside an 80-column window.
  EXPECT_TRUE(canvas.Lines.size() >= 1u);
  for (const auto& l : canvas.Lines) EXPECT_NE(l.X1, left + 80 * CW);
  memo.SetRightMargin(10);
  Paint();
  int32_t marginLines = 0;
  for (const auto& l : canvas.Lines) marginLines += l.X1 == left + 10 * CW && l.Color == clSilver;
  EXPECT_EQ(marginLines, 20);
}

TEST_F(Painting, TheSelectionIsDrawnInItsColoursAndRunsToTheEdgeThroughALineBreak) {
  Load("abcdef\rxyz");
  host.Focused = true;
  memo.SetSelection(2, 8);
  Paint();
  const TSM_Settings& s = memo.Settings();
  const int32_t left = memo.TextLeft();
  const auto* before = TextAt(left, 0);
  const auto* inside = TextAt(left + 2 * CW, 0);
  ASSERT_NE(before, nullptr);
  ASSERT_NE(inside, nullptr);
  EXPECT_EQ(before->Text, "ab");
  EXPECT_EQ(inside->Text, "cdef");
  EXPECT_EQ(inside->Back, s.SelTextBack);
  EXPECT_EQ(inside->Fore, s.SelTextColor);
  EXPECT_NE(before->Back, s.SelTextBack);
  // Right of "abcdef" the selection colour fills to the edge: the line break is selected.
  bool filled = false;
  for (const auto& f : canvas.Fills) filled |= f.Rect.Left == left + 6 * CW && f.Rect.Top == 0 && f.Color == s.SelTextBack;
  EXPECT_TRUE(filled);
  EXPECT_EQ(TextAt(left, LH)->Text, "x");
  EXPECT_EQ(TextAt(left + CW, LH)->Text, "yz");
  // Without the focus and with HideSelection the selection is not shown.
  host.Focused = false;
  Paint();
  EXPECT_EQ(TextAt(left, 0)->Text, "abcdef");
}

TEST_F(Painting, ScrolledRowsStartAtTheLeftColumn) {
  Load(std::string(200, 'a') + "b");
  memo.Perform(SMM_LEFTCOLUMN, smmSet, 150);
  Paint();
  EXPECT_EQ(memo.LeftColumn(), 150);
  EXPECT_EQ(DrawnRow(0), std::string(50, 'a') + "b");
}

TEST_F(Painting, UndisplayableBytesShowAsHexBoxesAndMultiByteCharactersAsOne) {
  Load("a\xE9" "b\xC3\xA9" "c\x7F");  // a lone 0xE9 is not UTF-8
  ASSERT_EQ(memo.DisplayEncoding(), TTextEncoding::Cp1252);
  memo.SetDisplayEncoding(TTextEncoding::Utf8);
  Paint();
  const int32_t left = memo.TextLeft();
  const auto* box = TextAt(left + CW, 0);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text, "E9");
  EXPECT_EQ(box->OpaqueRect.Width(), 2 * CW);
  EXPECT_EQ(box->Fore, memo.Settings().BackColorOf(0));  // the colours exchanged
  EXPECT_EQ(TextAt(left + 3 * CW, 0)->Text, "b\xC3\xA9" "c");
  EXPECT_EQ(TextAt(left + 6 * CW, 0)->Text, "7F");
  // The same bytes in Windows-1252: every byte is a character of its own.
  memo.SetDisplayEncoding(TTextEncoding::Cp1252);
  Paint();
  EXPECT_EQ(TextAt(left, 0)->Text, "a\xC3\xA9" "b\xC3\x83\xC2\xA9" "c");
}

TEST_F(Painting, AnEditAsksForItsRowOnlyAndANewRowForEverything) {
  Load("one\rtwo\rthree");
  memo.SetSelection(5, 5);
  Paint();
  host.ForgetRepaints();
  Type(U"x");
  EXPECT_FALSE(host.InvalidatedAll);
  ASSERT_EQ(host.Invalidated.size(), 1u);
  EXPECT_EQ(host.Invalidated[0], (TRect{0, LH, memo.ClientWidth(), 2 * LH}));
  host.ForgetRepaints();
  Type(U"\r");
  EXPECT_TRUE(host.InvalidatedAll);
  // A caret move alone repaints nothing.
  host.ForgetRepaints();
  Key(VK_LEFT);
  EXPECT_FALSE(host.InvalidatedAll);
  EXPECT_TRUE(host.Invalidated.empty());
}

}  // namespace
}  // namespace ql::test
