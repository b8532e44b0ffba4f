// The window's editor: files through the row store, the display encoding of typed and pasted
// text, Modified, the update bracket and the change events.
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>

#include "WorkbenchFixture.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/Stream.h"

namespace ql::test {
namespace {

using InkMemo = WorkbenchTest;

TEST_F(InkMemo, LoadsAndSavesEveryByteValueAndWritesCRLFLineEnds) {
  std::string all;
  for (int b = 0x20; b < 0x100; ++b) all += static_cast<char>(b);
  WriteFile(Docs / "in.xml", "one\r\ntwo\nthree\rfour\n\r" + all);
  TqlnInkMemo memo;
  memo.LoadFromFile((Docs / "in.xml").string());
  EXPECT_EQ(memo.FileName, (Docs / "in.xml").string());
  EXPECT_FALSE(memo.GetModified());
  const std::string expected = "one\r\ntwo\r\nthree\r\nfour\r\n" + all;
  EXPECT_EQ(memo.GetText(), expected);
  memo.SaveToFile((Docs / "out.xml").string());
  EXPECT_EQ(ReadFile(Docs / "out.xml"), expected);
  EXPECT_EQ(memo.FileName, (Docs / "out.xml").string());
  // Bytes that are not UTF-8 show as Windows-1252.
  EXPECT_EQ(memo.DisplayEncoding(), TTextEncoding::Cp1252);
}

TEST_F(InkMemo, ReportsMissingFilesAndFailedSavesWithTheirMessages) {
  TqlnInkMemo memo;
  memo.FileName = "kept";
  memo.SetText("text");
  EXPECT_THROW(
      {
        try {
          memo.LoadFromFile((Docs / "none.xml").string());
        } catch (const EFOpenError& e) {
          EXPECT_EQ(e.Message, "File '" + (Docs / "none.xml").string() + "' cannot be opened for reading");
          throw;
        }
      },
      EFOpenError);
  EXPECT_EQ(memo.FileName, "kept");
  EXPECT_EQ(memo.GetText(), "text");
  QTest::keyClicks(&memo, "X");
  EXPECT_THROW(memo.SaveToFile((Docs / "no folder" / "a.xml").string()), Exception);
  EXPECT_TRUE(memo.GetModified());
  EXPECT_EQ(memo.FileName, "kept");
}

// A new document is UTF-8 and takes every character; a Windows-1252 document drops what its
// code page cannot hold.
TEST_F(InkMemo, TypedAndPastedCharactersGoInThroughTheDisplayEncoding) {
  const auto typeAndPaste = [](TqlnInkMemo& memo) {
    for (const QChar c : QString::fromUtf8("a\u2192b\u20ACc")) {  // the arrow is not in the code page
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(&memo, &press);
    }
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8("\u4E2D|\u00E9|\U0001F600|"));
    QApplication::clipboard()->setMimeData(data);
    memo.PasteFromClipboard();
  };
  TqlnInkMemo fresh;
  fresh.show();
  typeAndPaste(fresh);
  EXPECT_EQ(fresh.DisplayEncoding(), TTextEncoding::Utf8);
  EXPECT_EQ(fresh.GetText(), "a\u2192b\u20ACc\u4E2D|\u00E9|\U0001F600|");

  WriteFile(Docs / "latin.xml", "\xE9");
  TqlnInkMemo latin;
  latin.show();
  latin.LoadFromFile((Docs / "latin.xml").string());
  EXPECT_EQ(latin.DisplayEncoding(), TTextEncoding::Cp1252);
  typeAndPaste(latin);
  EXPECT_EQ(latin.GetText(), "ab\x80" "c|\xE9||\xE9");
}

TEST_F(InkMemo, ModifiedFollowsEditsSavesAndUndo) {
  TqlnInkMemo memo;
  memo.SetText("abc");
  EXPECT_FALSE(memo.GetModified());
  EXPECT_FALSE(memo.CanUndo());
  QTest::keyClicks(&memo, "X");
  EXPECT_TRUE(memo.GetModified());
  EXPECT_TRUE(memo.CanUndo());
  memo.Undo();
  EXPECT_FALSE(memo.GetModified());
  EXPECT_TRUE(memo.CanRedo());
  memo.Redo();
  memo.SaveToFile((Docs / "m.xml").string());
  EXPECT_FALSE(memo.GetModified());
  memo.Clear();
  EXPECT_EQ(memo.GetText(), "");
  EXPECT_FALSE(memo.GetModified());
  EXPECT_EQ(memo.FileName, (Docs / "m.xml").string());
}

TEST_F(InkMemo, AnUpdateBracketHoldsBackTheChangeEventsUntilItEnds) {
  TqlnInkMemo memo;
  int changes = 0, textChanges = 0;
  memo.OnChange = [&](TqlnInkMemo&) { ++changes; };
  memo.OnTextChange = [&](TqlnInkMemo&) { ++textChanges; };
  memo.Lines().BeginUpdate();
  memo.Lines().BeginUpdate();
  memo.Clear();
  memo.SetText("new");
  memo.Lines().EndUpdate();
  EXPECT_EQ(changes + textChanges, 0);
  memo.Lines().EndUpdate();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(textChanges, 1);
  EXPECT_TRUE(memo.updatesEnabled());
  memo.Lines().EndUpdate();  // unbalanced: ignored
  QTest::keyClicks(&memo, "x");
  EXPECT_GT(changes, 1);
  EXPECT_GT(textChanges, 1);
}

}  // namespace
}  // namespace ql::test
