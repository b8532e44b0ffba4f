// The message interface: selection messages, change reporting once per message, the update
// bracket, sharing a store and a history, and the small messages callers rely on.
#include "EditorTesting.h"
#include "textmodel/InkMemoErrors.h"

namespace ql::test {
namespace {

using Messages = EditorTest;

TEST_F(Messages, SelectionMessagesClampAndKeepTheirOrder) {
  Load("0123456789");
  const struct {
    int32_t wParam, lParam;
    TSelectionEnds sel;
  } cases[] = {
      {0, -1, {0, 10}},  // all
      {-1, 5, {0, 10}},  // all
      {7, 3, {7, 3}},    // the anchor stays at 7
      {-5, 99, {0, 10}}, // clamped
  };
  for (const auto& c : cases) {
    memo.Perform(EM_SETSEL, static_cast<WPARAM>(static_cast<intptr_t>(c.wParam)), c.lParam);
    EXPECT_EQ(Sel(), c.sel) << c.wParam << "," << c.lParam;
  }
  memo.Perform(EM_SETSEL, 7, 3);
  EXPECT_EQ(memo.GetSelStart(), 3);
  int32_t anchor = -1, caret = -1;
  memo.Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&anchor), reinterpret_cast<LPARAM>(&caret));
  EXPECT_EQ(anchor, 7);
  EXPECT_EQ(caret, 3);
  // Null pointers are left alone.
  EXPECT_NO_FATAL_FAILURE(memo.Perform(EM_GETSEL, 0, 0));
  memo.Perform(EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  EXPECT_EQ(caret, 3);
}

TEST_F(Messages, SelLengthCountsLineBreaksAsWrittenOut) {
  Load("ab\rcd\ref");
  memo.SetSelection(0, 6);  // two whole rows
  EXPECT_EQ(memo.GetSelLength(), 8);
  EXPECT_EQ(memo.GetSelText(), "ab\r\ncd\r\n");
  memo.Store().LineStyle = lsLF;
  EXPECT_EQ(memo.GetSelLength(), 6);
  char text[5];
  TTextBuffer buffer{text, sizeof text};
  EXPECT_EQ(memo.Perform(SMM_GETSELTEXT, smfPlainLF, reinterpret_cast<LPARAM>(&buffer)), 6);
  EXPECT_STREQ(text, "ab\nc");  // cut to the buffer
}

TEST_F(Messages, OnChangeComesOnceAfterTheOutermostMessage) {
  Load("abc");
  std::vector<uint32_t> reports;
  std::vector<std::pair<int32_t, int32_t>> pieces;
  bool modifiedSeen = false;
  memo.OnChange = [&](TCustomInkMemo& m) { reports.push_back(m.ReportedChangeFlags()); };
  memo.OnTextChange = [&](TCustomInkMemo& m, int32_t start, int32_t extent) {
    pieces.emplace_back(start, extent);
    modifiedSeen = m.GetModified();
  };
  memo.SetSelection(1, 2);
  Type(U"X");
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], cfCaret);
  EXPECT_TRUE(reports[1] & cfText);
  EXPECT_EQ(pieces, (std::vector<std::pair<int32_t, int32_t>>{{1, -1}, {1, 1}}));
  EXPECT_TRUE(modifiedSeen);  // the history already holds the edit when it is reported
  // A load sends the editor many messages of its own; it is reported once, as one piece.
  reports.clear();
  pieces.clear();
  memo.SetText("xyz");
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(pieces, (std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {0, 3}}));  // all deleted, then loaded
  EXPECT_FALSE(modifiedSeen);
}

TEST_F(Messages, TheUpdateBracketHoldsBackReportsUntilItsEnd) {
  int32_t changes = 0;
  memo.OnChange = [&](TCustomInkMemo&) { ++changes; };
  memo.Lines().BeginUpdate();
  memo.Lines().BeginUpdate();
  memo.Clear();
  memo.SetText("new");
  memo.SetSelection(1, 1);
  memo.Lines().EndUpdate();
  EXPECT_EQ(changes, 0);
  host.ForgetRepaints();
  memo.Lines().EndUpdate();
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(host.InvalidatedAll);
  EXPECT_EQ(memo.SelCaret(), 1);
}

TEST_F(Messages, SharingAStoreKeepsItAliveAndAttachingWaitsForOpenEdits) {
  Load("shared text");
  std::shared_ptr<TTextStore> store;
  memo.Perform(SMM_TEXTSTORE, 0, reinterpret_cast<LPARAM>(&store));
  ASSERT_EQ(store.get(), &memo.Store());
  {
    TInkMemo other;
    other.Perform(SMM_TEXTSTORE, 1, reinterpret_cast<LPARAM>(&store));
    EXPECT_EQ(&other.Store(), store.get());
    EXPECT_EQ(other.GetText(), "shared text");
  }
  // The other editor is gone; the store is still the first editor's.
  Type(U"!");
  EXPECT_EQ(Text(), "!shared text");

  TInkMemo third;
  third.BeginUndoGroup(ugReplace);
  EXPECT_THROW(third.Perform(SMM_TEXTSTORE, 1, reinterpret_cast<LPARAM>(&store)), EInkMemo);
  std::shared_ptr<TUndoStack> history = std::make_shared<TUndoStack>();
  EXPECT_THROW(third.Perform(SMM_UNDOSTACK, smmSet, reinterpret_cast<LPARAM>(&history)), EInkMemo);
  third.EndUndoGroup(ugReplace);
  EXPECT_NE(&third.Store(), store.get());
}

TEST_F(Messages, SmallMessages) {
  Load("ab\rcd");
  EXPECT_EQ(memo.Perform(WM_GETDLGCODE), 0x83);
  memo.WantTab = false;
  EXPECT_EQ(memo.Perform(WM_GETDLGCODE), 0x81);
  EXPECT_STREQ(reinterpret_cast<const char*>(memo.Perform(SMM_VERSION)), "<TInkMemo>:3.00.39");
  EXPECT_EQ(memo.Perform(EM_GETLINECOUNT), 2);
  EXPECT_EQ(memo.Perform(EM_LINEINDEX, 1), 3);
  EXPECT_EQ(memo.Perform(EM_LINEFROMCHAR, 4), 1);
  EXPECT_EQ(memo.Perform(WM_GETTEXTLENGTH), 6);
  char text[4];
  EXPECT_EQ(memo.Perform(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 3);
  EXPECT_STREQ(text, "ab\r");
  EXPECT_EQ(memo.Perform(EM_CANPASTE), 0);
  host.Clipboard().SetText("x");
  EXPECT_EQ(memo.Perform(EM_CANPASTE), 1);
  EXPECT_EQ(memo.GetWrapOverride(), ">|:");
  EXPECT_THROW(memo.SetTabDefault(0), EInkMemo);
  EXPECT_THROW(memo.SetActiveParser(7), EInkMemo);
}

TEST_F(Messages, GutterWritesAreCheckedAgainstTheWindow) {
  TInkMemo bare;  // no window size yet
  const int32_t gutter = bare.GetGutter();
  bare.SetGutter(50);
  EXPECT_EQ(bare.GetGutter(), gutter);
  memo.SetGutter(10);  // narrower than one glyph: refused
  EXPECT_EQ(memo.GetGutter(), gutter);
  memo.SetGutter(0);
  EXPECT_EQ(memo.GetGutter(), 0);
  EXPECT_EQ(memo.TextLeft(), memo.Settings().Margin);
  memo.SetGutter(memo.ClientWidth());  // more than a fifth of the window
  EXPECT_EQ(memo.GetGutter(), 0);
}

TEST_F(Messages, CopyCutAndPasteGoThroughTheClipboardAsUtf8) {
  Load("caf\xC3\xA9\rX");
  memo.SetSelection(0, 6);
  memo.CopyToClipboard();
  EXPECT_EQ(host.Clipboard().GetText(), "caf\xC3\xA9\r\n");
  memo.CutToClipboard();
  EXPECT_EQ(Text(), "X");
  memo.PasteFromClipboard();
  memo.PasteFromClipboard();
  EXPECT_EQ(Text(), "caf\xC3\xA9\rcaf\xC3\xA9\rX");
  memo.Undo();
  EXPECT_EQ(Text(), "caf\xC3\xA9\rX");
  // In a Windows-1252 document the same text pastes as one byte per character.
  Load("\xE9");
  ASSERT_EQ(memo.DisplayEncoding(), TTextEncoding::Cp1252);
  memo.SetSelection(1, 1);
  host.Clipboard().SetText("\xC3\xA9\xE2\x82\xAC\xE2\x86\x92");  // é, €, and an arrow the code page lacks
  memo.PasteFromClipboard();
  EXPECT_EQ(Text(), "\xE9\xE9\x80");
}

}  // namespace
}  // namespace ql::test
