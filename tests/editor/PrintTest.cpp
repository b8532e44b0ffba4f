// Printing on a recording printer: which rows a selection prints, pages with their header,
// footer and line numbers, rows cut into pieces, colours, a header handler, and the jobs that
// must not run or must end.
#include <algorithm>

#include "EditorTesting.h"
#include "services/SM_Settings.h"
#include "toolkit/RecordingPrinter.h"

namespace ql::test {
namespace {

class Print : public EditorTest {
protected:
  Print() { UsePage(800, 1000); }
  void UsePage(int32_t width, int32_t height) {
    printer = std::make_unique<TRecordingPrinter>(memo.Settings().FontFactory(), width, height);
    memo.PrinterObject = printer.get();
  }
  void Options(std::initializer_list<TInkMemoOption> on, std::initializer_list<TInkMemoOption> off = {}) {
    TInkMemoOptions o = memo.GetOptions();
    for (const TInkMemoOption option : on) o.Include(option);
    for (const TInkMemoOption option : off) o.Exclude(option);
    memo.SetOptions(o);
  }
  void PlainPages() { Options({}, {smoPrintFilename, smoPrintDate, smoPrintPageNos, smoPrintLineNos, smoPrintWrap}); }
  // The printed text of each page: pieces in print order, one string each ("@y" before it).
  std::vector<std::vector<std::string>> Printed(int32_t textStart = 0, bool opaqueOnly = true) {
    std::vector<std::vector<std::string>> pages;
    for (const auto& page : printer->Pages) {
      pages.emplace_back();
      std::string row;
      int32_t y = -1;
      for (const auto& t : page->Texts) {
        if ((opaqueOnly && !t.Opaque) || t.X < textStart) continue;
        if (t.Y != y && y >= 0) pages.back().push_back(row), row.clear();
        y = t.Y;
        row += t.Text;
      }
      if (y >= 0) pages.back().push_back(row);
    }
    return pages;
  }
  using Pages = std::vector<std::vector<std::string>>;

  std::unique_ptr<TRecordingPrinter> printer;
};

TEST_F(Print, TheSelectionPrintsTheRowsItTouches) {
  PlainPages();
  Load("r1\rr2\rr3\rr4\rr5\rr6\rr7\r");
  const struct {
    int32_t anchor, caret;
    std::vector<std::string> rows;
  } cases[] = {
      {7, 15, {"r3", "r4", "r5"}},  // the middle of row 3 to the very start of row 6
      {16, 10, {"r4", "r5", "r6"}}, // either order
      {4, 4, {"r2"}},               // an empty selection inside a row
      {6, 6, {"r3", "r4"}},         // an empty selection at a row's start: that row and the next
      {0, 21, {"r1", "r2", "r3", "r4", "r5", "r6", "r7"}},
  };
  for (const auto& c : cases) {
    memo.SetSelection(c.anchor, c.caret);
    memo.PrintSelection();
    EXPECT_EQ(Printed(), (Pages{c.rows})) << c.anchor << ".." << c.caret;
  }
  memo.SetSelection(4, 4);
  memo.PrintDocument();
  EXPECT_EQ(Printed()[0].size(), 7u);
  EXPECT_FALSE(memo.Printing());
  EXPECT_FALSE(memo.Settings().Printing);
}

TEST_F(Print, PagesCarryTheHeaderFooterAndLineNumbers) {
  Options({smoPrintFilename, smoPrintDate, smoPrintPageNos, smoPrintLineNos}, {smoPrintWrap});
  memo.FileName = "style.xsl";
  std::string text;
  for (int i = 1; i <= 60; ++i) text += "line " + std::to_string(i) + "\r";
  Load(text);
  memo.PrintDocument();
  EXPECT_EQ(printer->Title, "style.xsl");
  // Rows of 17 pixels between 3 x 17 (below the header) and 1000 - 4 x 17 (above the footer).
  const int32_t perPage = ((1000 - 4 * LH) - 3 * LH) / LH;
  ASSERT_EQ(printer->Pages.size(), static_cast<size_t>((60 + perPage - 1) / perPage));
  const TRecordingCanvas& first = *printer->Pages[0];
  std::vector<std::pair<int32_t, std::string>> header, numbers;
  for (const auto& t : first.Texts) {
    if (t.Y == 0) header.emplace_back(t.X, t.Text);
    if (t.X == 0 && t.Y >= 3 * LH && t.Y < 1000 - 4 * LH) numbers.emplace_back(t.Y, t.Text);
  }
  ASSERT_EQ(header.size(), 2u);
  EXPECT_EQ(header[0], (std::pair<int32_t, std::string>{0, "style.xsl"}));
  EXPECT_EQ(header[1].first + static_cast<int32_t>(header[1].second.size()) * CW, 800) << "the date ends at the right";
  EXPECT_NE(header[1].second.find(" - "), std::string::npos);
  ASSERT_EQ(numbers.size(), static_cast<size_t>(perPage));
  EXPECT_EQ(numbers[0], (std::pair<int32_t, std::string>{3 * LH, "     1:"}));
  bool footer = false;
  for (const auto& t : first.Texts) footer |= t.Text == "- 1 -" && t.Y == 1000 - 5 * LH / 2 && t.X == (800 - 5 * CW) / 2;
  EXPECT_TRUE(footer);
  std::vector<int32_t> lines;
  for (const auto& l : first.Lines) lines.push_back(l.Y1);
  EXPECT_EQ(lines, (std::vector<int32_t>{2 * LH, 1000 - 3 * LH}));
  // The text stands right of the numbers; the second page goes on with the next line.
  EXPECT_EQ(Printed(10 * CW)[0][0], "line 1");
  EXPECT_EQ(Printed(10 * CW)[1][0], "line " + std::to_string(perPage + 1));
  bool second = false;
  for (const auto& t : printer->Pages[1]->Texts) second |= t.Text == "- 2 -";
  EXPECT_TRUE(second);

  // Page numbers alone: no header line, the text from the page's top.
  Options({smoPrintPageNos}, {smoPrintFilename, smoPrintDate, smoPrintLineNos});
  memo.PrintDocument();
  EXPECT_EQ(printer->Pages[0]->Lines.size(), 1u);
  const auto& texts = printer->Pages[0]->Texts;
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.Opaque && t.Y == 0; }));
  // A file name without text still gets its header line.
  Options({smoPrintFilename}, {smoPrintPageNos});
  memo.FileName.clear();
  memo.PrintDocument();
  EXPECT_EQ(printer->Pages[0]->Lines.size(), 1u);
}

TEST_F(Print, LongRowsPrintInPiecesNumberedOnce) {
  PlainPages();
  Options({smoPrintWrap, smoPrintLineNos});
  UsePage(10 * CW + 71 * CW, 1000);  // pieces of 70
  const std::string letters(200, 'q');
  Load("short\r" + letters + "\rone two three\r");
  memo.PrintDocument();
  EXPECT_EQ(Printed(10 * CW), (Pages{{"short", std::string(70, 'q'), std::string(70, 'q'), std::string(60, 'q'),
                                      "one two three"}}));
  std::vector<std::string> numbers;
  for (const auto& t : printer->Pages[0]->Texts) {
    if (t.X == 0) numbers.push_back(t.Text);
  }
  EXPECT_EQ(numbers, (std::vector<std::string>{"     1:", "     2:", "     3:"}));

  // Blanks end a piece and never begin the next.
  Load(std::string(65, 'a') + "     " + std::string(10, 'b'));
  memo.PrintDocument();
  EXPECT_EQ(Printed(10 * CW), (Pages{{std::string(65, 'a') + "     ", std::string(10, 'b')}}));

  // A selection that starts on a continuation row (word wrap): no number there, the next line
  // numbered as it is.
  memo.SetWrapAtColumn(20);
  memo.SetWordWrap(true);
  Load("aaaa bbbb cccc dddd eeee ffff\rnext\r");
  ASSERT_TRUE(memo.Store().RowByIndex(1).Row->MarkBits & mbContinuation);
  memo.SetSelection(26, 32);
  memo.PrintSelection();
  numbers.clear();
  for (const auto& t : printer->Pages[0]->Texts) {
    if (t.X == 0) numbers.push_back(t.Text);
  }
  EXPECT_EQ(numbers, (std::vector<std::string>{"     2:"}));
  EXPECT_EQ(Printed(10 * CW), (Pages{{"eeee ffff", "next"}}));
}

TEST_F(Print, PiecesGoThroughTheDrawLineHandler) {
  PlainPages();
  Options({smoPrintLineNos});
  Load("one\rtwo\rthree\t3\r");
  struct TSeen {
    int32_t Offset, Top, Left, Right, Columns;
    std::string Text;
    bool Screen;
  };
  std::vector<TSeen> seen;
  memo.OnDrawLine = [&](TCustomInkMemo&, TLineDrawData& d) {
    seen.push_back({d.Offset, d.Rect.Top, d.Rect.Left, d.Rect.Right, d.Columns, std::string(d.Text, 3), d.Screen});
    EXPECT_EQ(d.Canvas, &printer->Canvas());
    d.Handled = d.Offset == 4;
  };
  memo.PrintDocument();
  ASSERT_EQ(seen.size(), 3u);
  const int32_t left = 10 * CW;
  EXPECT_EQ(seen[1].Offset, 4);
  EXPECT_EQ(seen[2].Offset, 8);
  EXPECT_EQ(seen[2].Text, "thr");
  EXPECT_EQ(seen[2].Columns, 9) << "the TAB reaches column 8";
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_FALSE(seen[i].Screen);
    EXPECT_EQ(seen[i].Top, static_cast<int32_t>(i) * LH);
    EXPECT_EQ(seen[i].Left, left);
    EXPECT_EQ(seen[i].Right, left + 800);
  }
  // The handled row keeps its number; its text is the handler's.
  EXPECT_EQ(Printed(left), (Pages{{"one", "three   3"}}));
  std::vector<std::string> numbers;
  for (const auto& t : printer->Pages[0]->Texts) {
    if (t.X == 0) numbers.push_back(t.Text);
  }
  EXPECT_EQ(numbers, (std::vector<std::string>{"     1:", "     2:", "     3:"}));
}

TEST_F(Print, ShowAllCharactersPrintsTheRowEndsOnly) {
  PlainPages();
  memo.SetWrapAtColumn(20);
  memo.SetWordWrap(true);
  Load("a b\taaaa bbbb cccc dddd eeee ffff\rlast");
  ASSERT_EQ(memo.Store().RowCount, 3);
  const auto marks = [&] {
    std::vector<std::string> out;
    const auto& page = *printer->Pages[0];
    for (const auto& t : page.Texts) {
      if (t.Text == "\xC2\xB6") out.push_back("end " + std::to_string(t.X / CW) + "@" + std::to_string(t.Y / LH));
    }
    for (const auto& g : page.Glyphs) out.push_back(g.Strip + " " + std::to_string(g.X / CW) + "@" + std::to_string(g.Y / LH));
    // Blank dots and TAB arrows stay on the screen.
    for (const auto& f : page.Fills) {
      if (f.Rect.Width() == 2) out.push_back("dot");
    }
    for (const auto& l : page.Lines) {
      if (l.Y1 > 0) out.push_back("arrow");
    }
    return out;
  };
  memo.PrintDocument();
  EXPECT_EQ(marks(), std::vector<std::string>{});
  Options({smoShowAllChars});
  memo.PrintDocument();
  // Rows "a b<TAB>aaaa bbbb cccc " (19 columns, the TAB to column 4), "dddd eeee ffff" and "last".
  EXPECT_EQ(marks(), (std::vector<std::string>{"end 14@1", "SEM_WRAPPED 19@0"}));
}

TEST_F(Print, JobsThatCannotHangOrLoseText) {
  PlainPages();
  // An empty text starts no job.
  Load("");
  memo.PrintDocument();
  EXPECT_EQ(printer->Jobs, 0);
  EXPECT_TRUE(printer->Pages.empty());

  // A page narrower than a character, and a TAB stop wider than the page: a character a piece.
  Options({smoPrintWrap});
  memo.SetTabDefault(50);
  UsePage(4, 1000);
  Load("ab\tc");
  memo.PrintDocument();
  EXPECT_EQ(Printed(), (Pages{{"a", "b", std::string(50, ' '), "c"}}));
  EXPECT_EQ(printer->Jobs, 1);

  // A handler that narrows the text area: the pieces follow it and nothing passes its right.
  UsePage(800, 1000);
  memo.SetTabDefault(4);
  int32_t calls = 0;
  memo.OnPrintHeaderFooter = [&](TCustomInkMemo&, TCanvas& canvas, TRect& area, bool& transparent) {
    ++calls;
    canvas.TextOut(0, 0, "my header", clBlack, clWhite);
    area = {40, 2 * LH, 40 + 21 * CW, 10 * LH};
    transparent = true;
  };
  std::string words;
  for (int i = 0; i < 20; ++i) words += "0123456789 ";
  Load(words);
  memo.PrintDocument();
  const Pages pages = Printed(40, false);
  ASSERT_GE(pages.size(), 2u) << "eight rows a page";
  EXPECT_EQ(calls, static_cast<int32_t>(pages.size()));
  for (const auto& page : printer->Pages) {
    for (const auto& t : page->Texts) {
      if (t.Text == "my header") continue;
      EXPECT_LE(t.X + static_cast<int32_t>(t.Text.size()) * CW, 40 + 21 * CW) << t.Text;
      EXPECT_GE(t.Y, 2 * LH);
      EXPECT_EQ(t.Back, clNone) << "transparent text";
    }
  }
  EXPECT_EQ(pages[0][0], "0123456789 ");

  // A printer that cannot start: its error, and the editor out of printing mode.
  memo.OnPrintHeaderFooter = nullptr;
  printer->FailBegin = "There is no default printer currently selected";
  EXPECT_THROW(memo.PrintDocument(), EPrinter);
  EXPECT_FALSE(memo.Printing());
  EXPECT_FALSE(memo.Settings().Printing);
}

TEST_F(Print, ColoursFollowTheStylesUnlessMonochrome) {
  auto parser = XmlParser();
  memo.SetParser1(parser.get());
  PlainPages();
  Load("<a href='x'>text</a>\r");
  host.Focused = true;
  memo.SetSelection(0, 5);  // never shown in print
  memo.PrintDocument();
  for (const auto& t : printer->Pages[0]->Texts) {
    EXPECT_EQ(t.Fore, clBlack);
    EXPECT_EQ(t.Back, clWhite);
  }
  memo.MonoPrint = false;
  memo.PrintDocument();
  const TSM_Settings& s = memo.Settings();
  std::set<TColor> fores;
  for (const auto& t : printer->Pages[0]->Texts) {
    fores.insert(t.Fore);
    EXPECT_NE(t.Back, s.UseDefSelTextBack ? clHighlight : s.SelTextBack);
  }
  EXPECT_GE(fores.size(), 2u) << "tags and text in their own colours";
  // The fonts were the printer's while printing, the screen's again after.
  for (const auto& t : printer->Pages[0]->Texts) {
    const auto& live = dynamic_cast<TRecordingFontFactory&>(s.FontFactory()).LiveFonts();
    EXPECT_EQ(live.count(t.Font), 0u) << "the printer fonts are freed after the job";
  }
  memo.SetParser1(nullptr);
}

}  // namespace
}  // namespace ql::test
