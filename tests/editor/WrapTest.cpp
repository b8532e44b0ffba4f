// Word wrap: where lines break, what a change lays out again, what rows keep, and how the view,
// the caret and the highlighting follow.
#include <algorithm>

#include "EditorTesting.h"
#include "editor/WordBreak.h"
#include "highlight/ScanText.h"

namespace ql::test {
namespace {

class Wrap : public EditorTest {
protected:
  void WrapAt(int32_t column) {
    memo.SetWrapAtColumn(column);
    memo.SetWordWrap(true);
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> out;
    for (const TTextRow* r = memo.Store().FirstRow; r != nullptr; r = r->Next) out.emplace_back(r->All());
    return out;
  }
  std::vector<const TTextRow*> RowPointers() {
    std::vector<const TTextRow*> out;
    for (const TTextRow* r = memo.Store().FirstRow; r != nullptr; r = r->Next) out.push_back(r);
    return out;
  }
  // Every row within the limit, continuation bits where a row follows one without CR, the text intact.
  void ExpectSound(const std::string& text) {
    std::string joined;
    const TTextRow* prev = nullptr;
    for (const TTextRow* r = memo.Store().FirstRow; r != nullptr; prev = r, r = r->Next) {
      ASSERT_GE(r->Length, 1);
      ASSERT_LE(r->Length, MaxRowLength);
      ASSERT_EQ((r->MarkBits & mbContinuation) != 0, prev != nullptr && !prev->EndsWithCR());
      joined.append(r->All());
    }
    EXPECT_EQ(joined, text);
  }
};

const std::string TenWords = "aaaaaa bbbbbb cccccc dddddd eeeeee ffffff gggggg hhhhhh iiiiii jjjjjj";

TEST_F(Wrap, LinesBreakAfterTheBlankThatEndsTheLastWordThatFits) {
  WrapAt(40);
  Load(TenWords + "\rshort\r" + std::string(100, 'x'));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"aaaaaa bbbbbb cccccc dddddd eeeeee ", "ffffff gggggg hhhhhh iiiiii jjjjjj\r",
                                              "short\r", std::string(39, 'x'), std::string(39, 'x'), std::string(22, 'x')}));
  ExpectSound(TenWords + "\rshort\r" + std::string(100, 'x'));

  // At the window's edge (80 columns): a word wider than the window is cut where it ends.
  memo.SetWrapAtColumn(0);
  EXPECT_EQ(Rows()[1], "short\r");
  EXPECT_EQ(Rows()[2], std::string(79, 'x'));
  EXPECT_EQ(Rows()[3], std::string(21, 'x'));
  // A TAB takes the columns up to its stop (every 4): a row breaks before a TAB that ends past
  // the width, and the TAB stays with the row as a blank does.
  memo.SetWrapAtColumn(10);
  Load("abcdefghi\tx\rab\tcdefgh");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"abcdefghi\t", "x\r", "ab\t", "cdefgh"}));
}

TEST_F(Wrap, NoRowEverPassesTheRowLimit) {
  const std::string blanks = "abc" + std::string(3000, ' ') + "def\r";
  const std::string wide = std::string(2000, 'a') + " " + std::string(3000, 'b') + "\r";
  WrapAt(40);
  Load(blanks + wide);
  ExpectSound(blanks + wide);
  EXPECT_EQ(Rows()[0].size(), 2047u) << "the blanks after a word stay with it up to the limit";

  memo.SetWrapAtColumn(60000);
  ExpectSound(blanks + wide);
  EXPECT_EQ(Rows()[0].size(), 2047u);

  // A break handler's result is kept within 1..count and the row limit.
  for (const int32_t result : {0, -5, 100000}) {
    int32_t calls = 0;
    memo.OnWordBreakProc = [&](const char*, int32_t, int32_t, int32_t code) {
      EXPECT_EQ(code, WB_LEFT);
      ++calls;
      return result;
    };
    memo.SetWrapAtColumn(result == 100000 ? 10 : 11);
    Load(TenWords);
    EXPECT_GT(calls, 0);
    ExpectSound(TenWords);
    // Rows of one character until the rest fits a row of ten; the handler is asked no more then.
    EXPECT_EQ(memo.Store().RowCount, result > 0 ? 1 : 60) << result;
  }
  memo.OnWordBreakProc = nullptr;
}

TEST_F(Wrap, TheBuiltInBreakRule) {
  const char* text = "ab  cd\xA0" "ef";
  const struct {
    int32_t position, code;
    TTextEncoding encoding;
    int32_t result;
  } cases[] = {
      {2, WB_LEFT, TTextEncoding::Utf8, 4},      // on blanks: past them
      {5, WB_LEFT, TTextEncoding::Utf8, 4},      // inside a word: its start
      {1, WB_LEFT, TTextEncoding::Utf8, 1},      // the first word: cut where it is
      {8, WB_LEFT, TTextEncoding::Cp1252, 7},    // 160 breaks where a byte is a character
      {8, WB_LEFT, TTextEncoding::Utf8, 4},      // but not inside UTF-8
      {0, WB_RIGHT, TTextEncoding::Utf8, 4},     // the next word's start
      {2, WB_ISDELIMITER, TTextEncoding::Utf8, 1},
      {1, WB_ISDELIMITER, TTextEncoding::Utf8, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultWordBreak(text, c.position, 9, c.code, c.encoding), c.result) << c.position << " " << c.code;
  }
}

TEST_F(Wrap, OverriddenLinesAreNotWrappedUnlessTooLong) {
  memo.SetWrapOverride(">");
  TInkMemoOptions options = memo.GetOptions();
  options.Include(smoWrapOverride);
  memo.SetOptions(options);
  WrapAt(10);
  const std::string text = "> " + TenWords + "\r" + TenWords + "\r>" + std::string(3000, 'q');
  Load(text);
  ExpectSound(text);
  EXPECT_EQ(Rows()[0], "> " + TenWords + "\r");
  EXPECT_EQ(Rows()[1], "aaaaaa ");
  EXPECT_EQ(Rows()[Rows().size() - 2].size(), 2047u);
  // Writing the override set lays the text out again.
  memo.SetWrapOverride("");
  EXPECT_EQ(Rows()[0], "> aaaaaa ");
}

TEST_F(Wrap, TypingLaysOutItsOwnLineOnly) {
  WrapAt(20);
  Load(TenWords + "\r" + TenWords + "\r" + TenWords);
  const std::vector<const TTextRow*> before = RowPointers();
  ASSERT_EQ(before.size(), 15u);  // five rows a line: 14, 14, 14, 14 and 7 characters
  memo.SetSelection(80, 80);       // in the second line's first row: "aaaaaa bbb^bbb "
  Type(U"XXXXXX");
  const std::vector<const TTextRow*> after = RowPointers();
  ASSERT_EQ(after.size(), 15u);
  for (size_t i = 0; i < 15; ++i) {
    if (i != 5) {
      EXPECT_EQ(after[i], before[i]) << "row " << i << " keeps its identity";
    }
  }
  EXPECT_EQ(Rows()[5], "aaaaaa bbbXXXXXXbbb ");
  ExpectSound(Text());
  // Deleting lays the line out again too.
  for (int i = 0; i < 6; ++i) Key(VK_BACK);
  EXPECT_EQ(Rows()[5], "aaaaaa bbbbbb ");
  EXPECT_EQ(RowPointers().size(), 15u);
}

TEST_F(Wrap, TurningWrapOffRestoresOneRowPerLineWithinTheLimit) {
  WrapAt(20);
  const std::string text = TenWords + "\r" + std::string(3000, 'z') + "\rend";
  Load(text);
  EXPECT_GT(memo.Store().RowCount, 10);
  memo.SetWordWrap(false);
  ExpectSound(text);
  EXPECT_EQ(Rows(), (std::vector<std::string>{TenWords + "\r", std::string(2047, 'z'), std::string(953, 'z') + "\r", "end"}));
  // Typing into the long line keeps it within the limit at the limit, not at a wrap width.
  memo.SetSelection(100, 100);
  Type(U"y");
  EXPECT_EQ(memo.Store().RowCount, 5);
  ExpectSound(Text());
}

TEST_F(Wrap, ResizingLaysOutOnlyWhenWrappingAtTheWindowEdge) {
  WrapAt(40);
  Load(TenWords + "\r" + TenWords);
  const std::vector<const TTextRow*> at40 = RowPointers();
  Resize(30, 20);
  EXPECT_EQ(RowPointers(), at40);
  memo.SetWrapAtColumn(0);
  EXPECT_EQ(Rows()[0], "aaaaaa bbbbbb cccccc dddddd ");
  Resize(50, 20);
  EXPECT_EQ(Rows()[0], "aaaaaa bbbbbb cccccc dddddd eeeeee ffffff gggggg ");
  ExpectSound(TenWords + "\r" + TenWords);
}

TEST_F(Wrap, TheViewKeepsItsTextWhenRowsAboveAreLaidOutAgain) {
  std::string text;
  for (int i = 0; i < 50; ++i) text += TenWords + "\r";
  WrapAt(40);
  Load(text);
  memo.Perform(SMM_TOPROW, smmSet, 41);  // line 20's second row
  const int32_t offset = memo.Store().TopOffset;
  ASSERT_EQ(offset, 20 * 70 + 35);
  memo.SetSelection(offset + 2, offset + 2);  // the caret in view stays in view
  memo.SetWrapAtColumn(20);  // five rows a line, starting at 0, 14, 28, 42 and 56
  EXPECT_EQ(memo.Store().TopOffset, 20 * 70 + 28) << "the row that holds the text shown first";
  EXPECT_EQ(memo.TopRowIndex(), 20 * 5 + 2);
  memo.SetWrapAtColumn(0);
  EXPECT_EQ(memo.Store().TopOffset, 20 * 70);
  EXPECT_EQ(memo.TopRowIndex(), 20);
}

TEST_F(Wrap, ABookmarkOnAContinuationRowMovesToItsLinesFirstRow) {
  WrapAt(40);
  Load("first\r" + TenWords);
  TTextRow* continuation = memo.Store().RowByIndex(2).Row;
  continuation->MarkBits |= 0x10;  // bookmark 4
  memo.SetWrapAtColumn(30);
  EXPECT_EQ(memo.Store().RowByIndex(1).Row->MarkBits & mbBookmarkMask, 0x10);
  for (TTextRow* r = memo.Store().RowByIndex(2).Row; r != nullptr; r = r->Next) EXPECT_EQ(r->MarkBits, mbContinuation);
}

TEST_F(Wrap, TheCaretAndTheSelectionMoveAcrossWrappedRows) {
  WrapAt(40);
  Load("^" + TenWords + "\rnext");
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(Sel(), (TSelectionEnds{37, 37})) << "the second row of the same line, same column";
  EXPECT_EQ(memo.PointFromChar(37), (TPoint{memo.TextLeft() + 2 * CW, LH}));
  EXPECT_EQ(memo.CharFromPoint(memo.TextLeft() + 3 * CW, LH + 2), 38);
  Key(VK_DOWN, {VK_SHIFT});
  EXPECT_EQ(Sel(), (TSelectionEnds{37, 72}));
  Key(VK_UP, {VK_SHIFT});
  Key(VK_UP, {VK_SHIFT});
  EXPECT_EQ(Sel(), (TSelectionEnds{37, 2}));
}

// The gutter numbers logical lines and marks continuation rows with the wrap glyph; the wrap
// column shows as a dotted line.
TEST_F(Wrap, PaintingShowsLinesGlyphsAndTheWrapColumn) {
  TInkMemoOptions o = memo.GetOptions();
  for (const TInkMemoOption option : {smoLineNumbers, smoShowWrapGlyph, smoShowWrapColumn}) o.Include(option);
  memo.SetOptions(o);
  WrapAt(20);
  Load("one\r" + TenWords + "\rthree\r" + TenWords);  // rows: 1, 5, 1 and 5
  const auto gutter = [&] {
    Paint();
    std::vector<std::pair<int32_t, std::string>> out;  // (row, number or "~" for the glyph)
    for (const auto& t : canvas.Texts) {
      if (t.X < memo.GetGutter()) out.emplace_back(t.Y / LH, t.Text);
    }
    for (const auto& g : canvas.Glyphs) {
      if (g.Strip == "SEM_WRAPPED") out.emplace_back(g.Y / LH, "~");
    }
    std::sort(out.begin(), out.end());
    return out;
  };
  using Gutter = std::vector<std::pair<int32_t, std::string>>;
  EXPECT_EQ(gutter(), (Gutter{{0, "1"}, {1, "2"}, {2, "~"}, {3, "~"}, {4, "~"}, {5, "~"}, {6, "3"}, {7, "4"},
                              {8, "~"}, {9, "~"}, {10, "~"}, {11, "~"}}));
  // Scrolled to a continuation row, the numbers stay those of the lines.
  memo.Perform(SMM_TOPROW, smmSet, 3);
  EXPECT_EQ(gutter(), (Gutter{{0, "~"}, {1, "~"}, {2, "~"}, {3, "3"}, {4, "4"}, {5, "~"}, {6, "~"}, {7, "~"}, {8, "~"}}));
  int32_t dotted = 0;
  for (const auto& l : canvas.Lines) dotted += l.X1 == memo.TextLeft() + 20 * CW && l.Style == TPenStyle::Dot;
  EXPECT_EQ(dotted, 20);
}

// A wrapped line keeps its highlighting when typing rebuilds its rows.
TEST_F(Wrap, RebuiltRowsAreHighlightedAgain) {
  auto parser = XmlParser();
  memo.SetParser1(parser.get());
  WrapAt(20);
  Load("<root><item name='one' id='2'>text</item></root>\r<b/>");
  memo.SetSelection(1, 1);
  Type(U"x");
  std::string stored;
  for (const TTextRow* r = memo.Store().FirstRow; r != nullptr; r = r->Next) {
    ASSERT_TRUE(r->Styles) << r->All();
    for (int i = 0; i < r->Length; ++i) stored += static_cast<char>('0' + r->Styles[i]);
  }
  std::string scanned;
  for (const uint8_t v : ScanText(*parser, memo.Store())) scanned += static_cast<char>('0' + v);
  EXPECT_EQ(stored, scanned);
  memo.SetParser1(nullptr);
}

}  // namespace
}  // namespace ql::test
