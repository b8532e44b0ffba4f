// The editor's Qt host against a recording target: keys, characters, mouse, wheel, size, focus,
// scroll bars, timers, painting with the caret, and failures stopped at the event boundary.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "RecordingTarget.h"
#include "editor/qt/EventBoundary.h"
#include "toolkit/Exception.h"

namespace ql::test {
namespace {

class InkMemoHostTest : public ::testing::Test {
protected:
  void SetUp() override {
    window_.resize(400, 300);
    auto* layout = new QVBoxLayout(&window_);
    layout->setContentsMargins(0, 0, 0, 0);
    Host = new TInkMemoHost(&window_);
    Other = new QLineEdit(&window_);
    layout->addWidget(Host, 1);
    layout->addWidget(Other);
    Target = std::make_unique<TRecordingTarget>(*Host);
    Host->SetTarget(Target.get());
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    Host->setFocus();
    QApplication::processEvents();
    SetEventFailureHandler([this](const std::string& message) { Failures.push_back(message); });
    Target->Messages.clear();
  }
  void TearDown() override {
    SetEventFailureHandler(nullptr);
    Host->SetTarget(nullptr);
  }

  void Press(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(Host, &press);
  }
  // The WM_KEYDOWN and WM_CHAR messages, as (message, wParam) pairs.
  std::vector<std::pair<TMsgNum, WPARAM>> Keys() const {
    std::vector<std::pair<TMsgNum, WPARAM>> keys;
    for (const TRecordedMessage& m : Target->Of({WM_KEYDOWN, WM_CHAR})) keys.emplace_back(m.Msg, m.W);
    return keys;
  }
  QImage Shot() { return Host->viewport()->grab().toImage(); }

  QWidget window_;
  TInkMemoHost* Host = nullptr;
  QLineEdit* Other = nullptr;
  std::unique_ptr<TRecordingTarget> Target;
  std::vector<std::string> Failures;
};

using KeySeq = std::vector<std::pair<TMsgNum, WPARAM>>;

TEST_F(InkMemoHostTest, KeysBecomeVirtualKeysAndTypedCharactersCodePoints) {
  struct TCase {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    const char16_t* Text;
    KeySeq Expected;
  };
  const TCase cases[] = {
      {Qt::Key_A, {}, u"a", {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}}},
      {Qt::Key_Exclam, Qt::ShiftModifier, u"!", {{WM_KEYDOWN, '1'}, {WM_CHAR, '!'}}},
      {Qt::Key_Eacute, {}, u"\u00E9", {{WM_CHAR, 0xE9}}},
      {Qt::Key_unknown, {}, u"\u20AC", {{WM_CHAR, 0x20AC}}},
      {Qt::Key_Return, {}, u"\r", {{WM_KEYDOWN, 13}, {WM_CHAR, 13}}},
      {Qt::Key_Backspace, {}, u"\b", {{WM_KEYDOWN, 8}, {WM_CHAR, 8}}},
      {Qt::Key_J, Qt::ControlModifier, u"\n", {{WM_KEYDOWN, 'J'}, {WM_CHAR, 10}}},
      {Qt::Key_Left, Qt::ShiftModifier, u"", {{WM_KEYDOWN, 37}}},
      {Qt::Key_X, Qt::AltModifier, u"x", {{WM_KEYDOWN, 'X'}}},
      {Qt::Key_Delete, {}, u"\x7F", {{WM_KEYDOWN, 46}}},
  };
  for (const TCase& c : cases) {
    Target->Messages.clear();
    Press(c.Key, c.Modifiers, QString::fromUtf16(c.Text));
    EXPECT_EQ(Keys(), c.Expected) << std::hex << c.Key;
  }
  // The modifiers held with a key answer the key-state queries while it is handled.
  Target->Messages.clear();
  Press(Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier, QString());
  ASSERT_EQ(Target->Messages.size(), 1u);
  EXPECT_TRUE(Target->Messages[0].Shift && Target->Messages[0].Ctrl && !Target->Messages[0].Alt);
  // Text committed by an input method arrives as characters too, beyond 16 bits included.
  Target->Messages.clear();
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf16(u"\u00E9\U0001F600"));
  QApplication::sendEvent(Host, &commit);
  EXPECT_EQ(Keys(), (KeySeq{{WM_CHAR, 0xE9}, {WM_CHAR, 0x1F600}}));
}

TEST_F(InkMemoHostTest, WindowShortcutsWinOverTheEditorsKeys) {
  int redo = 0;
  auto* action = new QAction(&window_);
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  window_.addAction(action);
  QObject::connect(action, &QAction::triggered, [&] { ++redo; });
  QTest::keyClick(Host, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(redo, 1);
  EXPECT_EQ(Keys(), (KeySeq{{WM_KEYDOWN, VK_CONTROL}}));
  Target->Messages.clear();
  QTest::keyClick(Host, Qt::Key_J, Qt::ControlModifier);  // no window command has it
  EXPECT_EQ(Keys(), (KeySeq{{WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'J'}, {WM_CHAR, 10}}));
  EXPECT_EQ(Target->Of({WM_KEYUP}).size(), 2u);
}

TEST_F(InkMemoHostTest, TabGoesToTheEditorOnlyWhenItAsksForIt) {
  QTest::keyClick(Host, Qt::Key_Tab);
  EXPECT_EQ(Keys(), (KeySeq{{WM_KEYDOWN, VK_TAB}, {WM_CHAR, 9}}));
  EXPECT_TRUE(Host->hasFocus());
  Target->DlgCode = 0x81;  // arrows and characters, no Tab
  Target->Messages.clear();
  QTest::keyClick(Host, Qt::Key_Tab);
  EXPECT_TRUE(Keys().empty());
  EXPECT_TRUE(Other->hasFocus());
  EXPECT_EQ(Target->Of({WM_KILLFOCUS}).size(), 1u);
  Host->setFocus();
  EXPECT_EQ(Target->Of({WM_SETFOCUS}).size(), 1u);
}

TEST_F(InkMemoHostTest, MouseButtonsCarryTheirKeysAndClientPosition) {
  QTest::mousePress(Host->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
  QTest::mouseMove(Host->viewport(), QPoint(30, 25));
  QTest::mouseRelease(Host->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 25));
  QTest::mouseClick(Host->viewport(), Qt::RightButton, {}, QPoint(5, 6));
  const auto mouse = Target->Of({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE});
  ASSERT_EQ(mouse.size(), 5u);
  EXPECT_EQ(mouse[0].Msg, WM_LBUTTONDOWN);
  EXPECT_EQ(mouse[0].W, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(mouse[0].L, MAKELPARAM(10, 20));
  EXPECT_TRUE(mouse[0].Shift && mouse[0].LeftButton);
  EXPECT_EQ(mouse[0].Cursor, (TPoint{10, 20}));
  EXPECT_EQ(mouse[1].Msg, WM_MOUSEMOVE);
  EXPECT_EQ(mouse[1].W & MK_LBUTTON, MK_LBUTTON);
  EXPECT_EQ(mouse[1].Cursor, (TPoint{30, 25}));
  EXPECT_EQ(mouse[2].Msg, WM_LBUTTONUP);
  EXPECT_EQ(mouse[2].W, MK_SHIFT);  // the button is up
  EXPECT_EQ(mouse[2].L, MAKELPARAM(30, 25));
  EXPECT_EQ(mouse[3].Msg, WM_RBUTTONDOWN);
  EXPECT_EQ(mouse[4].Msg, WM_RBUTTONUP);
}

TEST_F(InkMemoHostTest, ADoubleClickIsDownUpDoubleClickUp) {
  // Through the window system, as a real double click comes: Qt reports a second press before
  // the double click, which the platform the messages come from does not.
  QWindow* window = window_.windowHandle();
  QTest::mouseDClick(window, Qt::LeftButton, {}, Host->viewport()->mapTo(&window_, QPoint(12, 8)));
  std::vector<TMsgNum> buttons;
  for (const auto& m : Target->Of({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK})) buttons.push_back(m.Msg);
  EXPECT_EQ(buttons, (std::vector<TMsgNum>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
}

TEST_F(InkMemoHostTest, TheWheelSendsWholeNotches) {
  const auto turn = [this](int dy) {
    QWheelEvent wheel(QPointF(15, 16), Host->viewport()->mapToGlobal(QPointF(15, 16)), QPoint(), QPoint(0, dy),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Host->viewport(), &wheel);
  };
  turn(60);
  EXPECT_TRUE(Target->Of({WM_MOUSEWHEEL}).empty());
  turn(60);
  turn(-240);
  const auto wheel = Target->Of({WM_MOUSEWHEEL});
  ASSERT_EQ(wheel.size(), 3u);
  EXPECT_EQ(static_cast<int16_t>(HIWORD(wheel[0].W)), 120);
  EXPECT_EQ(LOWORD(wheel[0].W), MK_CONTROL);
  EXPECT_EQ(wheel[0].L, MAKELPARAM(15, 16));
  EXPECT_EQ(static_cast<int16_t>(HIWORD(wheel[1].W)), -120);
  EXPECT_EQ(static_cast<int16_t>(HIWORD(wheel[2].W)), -120);
}

TEST_F(InkMemoHostTest, ASizeChangeCausedInsideAMessageArrivesAfterIt) {
  // Showing the vertical bar while handling WM_SIZE narrows the client area: the target hears
  // of the new size once it has finished the first message, not in the middle of it.
  Target->React = [this](TMsgNum msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_SIZE) Host->SetScrollInfo(TScrollBarKind::Vertical, {0, 999, 10, 0});
    return std::nullopt;
  };
  window_.resize(500, 300);
  QApplication::processEvents();
  const auto sizes = Target->Of({WM_SIZE});
  ASSERT_GE(sizes.size(), 2u);
  for (const auto& m : sizes) EXPECT_EQ(m.Depth, 1);
  EXPECT_EQ(LOWORD(static_cast<uintptr_t>(sizes.back().L)), Host->viewport()->width());
  EXPECT_LT(Host->viewport()->width(), 500);
  EXPECT_EQ(HIWORD(static_cast<uintptr_t>(sizes.back().L)), Host->viewport()->height());
}

TEST_F(InkMemoHostTest, ScrollBarsShowTheTargetsRangeAndReportActions) {
  QScrollBar* bar = Host->verticalScrollBar();
  Host->SetScrollInfo(TScrollBarKind::Vertical, {0, 99, 10, 5});
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 90);  // the last position that still shows a full page
  EXPECT_EQ(bar->pageStep(), 10);
  EXPECT_EQ(bar->value(), 5);
  EXPECT_TRUE(Host->ScrollBarVisible(TScrollBarKind::Vertical));
  EXPECT_FALSE(Host->ScrollBarVisible(TScrollBarKind::Horizontal));

  // The thumb ends where the target puts it, whatever step Qt would have taken.
  Target->React = [this](TMsgNum msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_VSCROLL && LOWORD(w) == SB_LINEDOWN) Host->SetScrollInfo(TScrollBarKind::Vertical, {0, 99, 10, 3});
    return std::nullopt;
  };
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  bar->setSliderPosition(40);
  const auto scrolls = Target->Of({WM_VSCROLL});
  ASSERT_EQ(scrolls.size(), 3u);
  EXPECT_EQ(LOWORD(scrolls[0].W), SB_LINEDOWN);
  EXPECT_EQ(LOWORD(scrolls[1].W), SB_PAGEUP);
  EXPECT_EQ(LOWORD(scrolls[2].W), SB_THUMBTRACK);
  EXPECT_EQ(HIWORD(scrolls[2].W), 40);
  EXPECT_EQ(bar->value(), 3);

  Host->SetScrollInfo(TScrollBarKind::Vertical, {0, 9, 10, 0});  // everything fits
  EXPECT_FALSE(Host->ScrollBarVisible(TScrollBarKind::Vertical));
}

TEST_F(InkMemoHostTest, PaintsThroughTheTargetAndInvertsTheCaretOverIt) {
  Host->CreateCaret(2, 10);
  Host->SetCaretPos(5, 4);
  QImage shot = Shot();
  EXPECT_EQ(shot.pixel(5, 4), qRgb(255, 255, 255)) << "a new caret is hidden until shown";
  Host->ShowCaret();
  shot = Shot();
  EXPECT_EQ(shot.pixel(5, 4), qRgb(0, 0, 0));
  EXPECT_EQ(shot.pixel(6, 13), qRgb(0, 0, 0));
  EXPECT_EQ(shot.pixel(7, 4), qRgb(255, 255, 255));
  EXPECT_EQ(shot.pixel(5, 14), qRgb(255, 255, 255));
  const auto paints = Target->Of({WM_PAINT});
  ASSERT_FALSE(paints.empty());
  EXPECT_EQ(paints.back().PaintRect, (TRect{0, 0, Host->viewport()->width(), Host->viewport()->height()}));
  Host->HideCaret();
  EXPECT_EQ(Shot().pixel(5, 4), qRgb(255, 255, 255));
  Host->ShowCaret();
  QTRY_VERIFY_WITH_TIMEOUT(!Host->CaretBlinkOn(), 3000);  // it blinks
  Host->ShowCaret();  // the editor shows it after every message: that must not stop the blinking
  EXPECT_FALSE(Host->CaretBlinkOn());
  Host->DestroyCaret();
  EXPECT_FALSE(Host->Caret().Exists());
}

TEST_F(InkMemoHostTest, FailuresStopAtTheEventAndAreShownOnceAfterIt) {
  Target->React = [](TMsgNum msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_CHAR && w == 'a') throw Exception("Boom");
    if (msg == WM_CHAR && w == 'b') throw EAbort();
    if (msg == WM_PAINT) throw Exception("Paint failed");
    return std::nullopt;
  };
  Press(Qt::Key_A, {}, "a");
  Press(Qt::Key_A, {}, "a");
  EXPECT_TRUE(Failures.empty()) << "shown inside the key press";
  QApplication::processEvents();
  EXPECT_EQ(Failures, (std::vector<std::string>{"Boom"}));
  Press(Qt::Key_B, {}, "b");  // an abort says nothing
  QApplication::processEvents();
  EXPECT_EQ(Failures.size(), 1u);

  Target->Background = clRed;
  const QImage shot = Shot();  // the paint fails: the area is left blank, not stale
  EXPECT_EQ(shot.pixelColor(50, 50), Host->palette().color(QPalette::Base));
  QApplication::processEvents();
  ASSERT_EQ(Failures.size(), 2u);
  EXPECT_EQ(Failures[1], "Paint failed");
}

TEST_F(InkMemoHostTest, TimersComeBackWithTheirIdsUntilKilled) {
  Host->SetTimer(7, 5);
  Host->SetTimer(7, 5);  // restarted, not doubled
  QTRY_VERIFY_WITH_TIMEOUT(Target->Of({WM_TIMER}).size() >= 2, 2000);
  for (const auto& m : Target->Of({WM_TIMER})) EXPECT_EQ(m.W, 7u);
  Host->KillTimer(7);
  Target->Messages.clear();
  QTest::qWait(30);
  EXPECT_TRUE(Target->Of({WM_TIMER}).empty());
}

}  // namespace
}  // namespace ql::test
