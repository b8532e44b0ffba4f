// The editor control in its Qt window: keys, the mouse, the wheel and the scroll bars reach the
// engine, and what it paints through Qt lines up with where it puts the caret.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <memory>

#include "editor/qt/QtInkMemo.h"
#include "services/SM_Settings.h"
#include "toolkit/qt/QtFontFactory.h"

namespace ql::test {
namespace {

class QtInkMemoTest : public ::testing::Test {
protected:
  void SetUp() override {
    InstallQtFontFactory();  // before the control makes its settings, as the program does
    Memo = std::make_unique<TQtInkMemo>();
    Memo->resize(400, 200);
    Memo->show();
    Memo->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Memo.get()));
    Memo->SetFocus();
    QApplication::processEvents();
  }

  void Type(const QString& text) {
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(Memo.get(), &press);
    }
  }
  QWidget* Client() { return Memo->viewport(); }
  int32_t Advance() { return QtFontFactory().TextWidth(Memo->Settings().StyleFont(0), "x"); }

  std::unique_ptr<TQtInkMemo> Memo;
};

TEST_F(QtInkMemoTest, TypedTextIsDrawnWhereTheCaretFollowsIt) {
  Type(QString::fromUtf8("WW\u00E9W"));
  EXPECT_EQ(Memo->GetText(), "WW\xC3\xA9W");  // a new document is UTF-8
  const QRect caret = Memo->Caret().Rect();
  EXPECT_EQ(caret.left(), Memo->TextLeft() + 4 * Advance());
  // The last glyph's ink ends in the character cell before the caret, not under or past it.
  Memo->HideCaret();
  const QImage shot = Client()->grab().toImage();
  const QRgb back = shot.pixel(caret.left() + 20, caret.center().y());
  int inkRight = -1;
  for (int x = Memo->TextLeft(); x < caret.left() + 20; ++x) {
    for (int y = caret.top(); y <= caret.bottom(); ++y) {
      if (shot.pixel(x, y) != back) inkRight = x;
    }
  }
  EXPECT_GT(inkRight, caret.left() - Advance());
  EXPECT_LT(inkRight, caret.left());
}

TEST_F(QtInkMemoTest, ClicksPlaceTheCaretAndDoubleClicksSelectAWord) {
  Memo->SetText("hello world\rsecond");
  const int32_t left = Memo->TextLeft(), height = Memo->LineHeight(), w = Advance();
  QTest::mouseClick(Client(), Qt::LeftButton, {}, QPoint(left + 7 * w + 1, height / 2));
  EXPECT_EQ(Memo->SelCaret(), 7);
  EXPECT_EQ(Memo->SelAnchor(), 7);
  // Presses in quick succession count as double and triple clicks: wait between the gestures.
  const int pause = QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50;
  QTest::qWait(pause);
  QTest::mouseClick(Client(), Qt::LeftButton, Qt::ShiftModifier, QPoint(left + 2 * w + 1, height + height / 2));
  EXPECT_EQ(std::min(Memo->SelAnchor(), Memo->SelCaret()), 7);
  EXPECT_EQ(std::max(Memo->SelAnchor(), Memo->SelCaret()), 14);  // "se" of the second line
  QTest::qWait(pause);
  QTest::mouseDClick(Memo->windowHandle(), Qt::LeftButton, {}, Client()->mapTo(Memo.get(), QPoint(left + 8 * w, height / 2)));
  EXPECT_EQ(Memo->GetSelText(), "world");
}

TEST_F(QtInkMemoTest, TheWheelAndTheScrollBarMoveTheView) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\r";
  Memo->SetText(text);
  QApplication::processEvents();
  QScrollBar* bar = Memo->verticalScrollBar();
  EXPECT_EQ(bar->maximum(), 301 - Memo->VisibleRows());  // rows 0..300, a page showing
  QWheelEvent wheel(QPointF(50, 50), Client()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Client(), &wheel);
  EXPECT_EQ(Memo->TopRowIndex(), 3);
  EXPECT_EQ(bar->value(), 3);
  EXPECT_EQ(Memo->SelCaret(), 0) << "the wheel moves the view, not the caret";
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Memo->TopRowIndex(), 4);
  bar->setSliderPosition(120);
  EXPECT_EQ(Memo->TopRowIndex(), 120);
  EXPECT_EQ(bar->value(), 120);
  QTest::keyClick(Memo.get(), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(QtInkMemoTest, TheClipboardCarriesUtf8AndPastesThroughTheDisplayEncoding) {
  QApplication::clipboard()->setText(QString::fromUtf8("\u20AC\u00E9"));
  Memo->PasteFromClipboard();
  EXPECT_EQ(Memo->GetText(), "\xE2\x82\xAC\xC3\xA9");
  Memo->SelectAll();
  Memo->CopyToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("\u20AC\u00E9"));
}

}  // namespace
}  // namespace ql::test
