// The key-capture box: what a key press records, that no key escapes to the dialog, how a
// keyboard user leaves it, and the system hot-key style.
#include <gtest/gtest.h>

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include "dialogs/HotKeyBox.h"
#include "toolkit/VirtualKeys.h"

namespace ql::test {
namespace {

class HotKeyBox : public ::testing::Test {
protected:
  void Open(TSM_HotKey::TStyle style) {
    before = new QPushButton("Before", &dialog);
    box = new TSM_HotKey(&dialog, style);
    after = new QPushButton("After", &dialog);
    after->setDefault(true);
    QObject::connect(after, &QPushButton::clicked, [this] { ++clicks; });
    box->OnChange = [this](TSM_HotKey&) { ++changes; };
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    box->setFocus();
  }
  QDialog dialog;
  QPushButton* before = nullptr;
  TSM_HotKey* box = nullptr;
  QPushButton* after = nullptr;
  int clicks = 0, changes = 0;
};

TEST_F(HotKeyBox, RecordsEveryKeyWithItsModifiersAndKeepsItFromTheDialog) {
  Open(TSM_HotKey::TStyle::kAnyKey);
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    ShortCutCode code;
    const char* text;
  };
  const Case cases[] = {
      {Qt::Key_K, Qt::ControlModifier, 'K' | scCtrl, "Ctrl+K"},
      {Qt::Key_Up, Qt::NoModifier, VK_UP, "Up"},
      {Qt::Key_Return, Qt::NoModifier, VK_RETURN, "Enter"},  // not the default button
      {Qt::Key_Escape, Qt::NoModifier, VK_ESCAPE, "Esc"},    // does not close the dialog
      {Qt::Key_Exclam, Qt::ShiftModifier, '1' | scShift, "Shift+1"},
      {Qt::Key_BracketRight, Qt::ControlModifier | Qt::AltModifier, VK_OEM_6 | scCtrl | scAlt, "Ctrl+Alt+]"},
      {Qt::Key_F5, Qt::ShiftModifier | Qt::ControlModifier, VK_F5 | scShift | scCtrl, "Shift+Ctrl+F5"},
  };
  for (const Case& c : cases) {
    QTest::keyClick(box, c.key, c.modifiers);
    EXPECT_EQ(box->Value(), c.code) << c.text;
    EXPECT_EQ(box->text().toStdString(), c.text);
  }
  EXPECT_EQ(changes, static_cast<int>(std::size(cases)));
  QTest::keyClick(box, Qt::Key_Shift, Qt::ShiftModifier);  // a lone modifier records nothing
  EXPECT_EQ(box->Value(), VK_F5 | scShift | scCtrl);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(box->hasFocus());

  // A letter of a non-Latin layout is found by the key's position, as the editor finds it.
  QKeyEvent cyrillic(QEvent::KeyPress, 0x41b, Qt::ControlModifier, 45, 0, 0, QString(QChar(0x43b)));
  QApplication::sendEvent(box, &cyrillic);
  EXPECT_EQ(box->text(), "Ctrl+K");

  box->SetValue(0);
  EXPECT_EQ(box->text(), "");
}

TEST_F(HotKeyBox, TabIsRecordedAndASecondTabInARowMovesOn) {
  Open(TSM_HotKey::TStyle::kAnyKey);
  QTest::keyClick(box, Qt::Key_Tab);
  EXPECT_TRUE(box->hasFocus());
  EXPECT_EQ(box->Value(), VK_TAB);
  QTest::keyClick(box, Qt::Key_Tab);
  EXPECT_TRUE(after->hasFocus());
  EXPECT_EQ(box->Value(), VK_TAB);  // the recorded key stays

  box->setFocus();
  QTest::keyClick(box, Qt::Key_Tab);  // the first Tab after coming back is a key again
  EXPECT_TRUE(box->hasFocus());
  QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(box->Value(), VK_TAB | scShift);
  EXPECT_TRUE(box->hasFocus());
  QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(before->hasFocus());

  box->setFocus();
  QTest::keyClick(box, Qt::Key_Tab);
  QTest::keyClick(box, Qt::Key_A);  // another key in between: the next Tab is recorded
  QTest::keyClick(box, Qt::Key_Tab);
  EXPECT_TRUE(box->hasFocus());
  EXPECT_EQ(box->Value(), VK_TAB);
  EXPECT_FALSE(box->toolTip().isEmpty());
}

TEST_F(HotKeyBox, TheSystemHotKeyStyleAddsAltToPlainAndShiftedKeys) {
  Open(TSM_HotKey::TStyle::kSystemHotKey);
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
  };
  const Case cases[] = {
      {Qt::Key_J, Qt::NoModifier, "Alt+J"},
      {Qt::Key_J, Qt::ShiftModifier, "Shift+Alt+J"},
      {Qt::Key_Space, Qt::ControlModifier, "Ctrl+Space"},
      {Qt::Key_F2, Qt::AltModifier, "Alt+F2"},
  };
  for (const Case& c : cases) {
    QTest::keyClick(box, c.key, c.modifiers);
    EXPECT_EQ(box->text().toStdString(), c.text);
  }
  QTest::keyClick(box, Qt::Key_Tab);  // Tab moves on as in any other box
  EXPECT_TRUE(after->hasFocus());
  EXPECT_EQ(box->text(), "Alt+F2");
}

}  // namespace
}  // namespace ql::test
