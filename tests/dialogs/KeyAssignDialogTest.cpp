// The key pair wizard: recording a pair in two steps, the buttons on the way, Edit mode, and
// its layout.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "dialogs/HotKeyBox.h"
#include "dialogs/KeyAssignDialog.h"
#include "toolkit/VirtualKeys.h"

namespace ql::test {
namespace {

// Runs the wizard; play acts in it as the user would while it is shown.
struct TRun {
  bool finished;
  ShortCutCode first, second;
};

TRun RunWizard(TKeyWizardMode mode, ShortCutCode first, ShortCutCode second, const std::function<void(TKeyAssignDialog&)>& play) {
  TKeyAssignDialog dialog;
  dialog.RunModal = [&](QDialog&) {
    dialog.show();
    dialog.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    play(dialog);
    return dialog.result() == QDialog::Accepted;
  };
  const bool finished = dialog.Execute(first, second, mode, kKeyWizardStep2Text, kKeyWizardStep1Text, "Copy");
  return {finished, first, second};
}

TEST(KeyAssignDialog, RecordsATwoKeyPairStepByStep) {
  const TRun run = RunWizard(TKeyWizardMode::kAdd, VK_F1, VK_F2, [](TKeyAssignDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Add new key pair for: Copy");
    EXPECT_TRUE(d.FirstKeyBox()->hasFocus());
    EXPECT_EQ(d.FirstKeyBox()->text(), "");  // Add mode starts empty
    EXPECT_FALSE(d.NextButton()->isEnabled());
    EXPECT_FALSE(d.BackButton()->isEnabled());
    QTest::keyClick(d.FirstKeyBox(), Qt::Key_Tab);  // recorded, the focus stays
    EXPECT_TRUE(d.FirstKeyBox()->hasFocus());
    QTest::keyClick(d.FirstKeyBox(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(d.FirstKeyBox()->text(), "Ctrl+K");
    EXPECT_TRUE(d.NextButton()->isEnabled());
    EXPECT_EQ(d.NextButton()->text(), "Next >");
    d.NextButton()->click();
    EXPECT_EQ(d.Step(), 2);
    EXPECT_EQ(d.NextButton()->text(), "Finish");
    EXPECT_TRUE(d.BackButton()->isEnabled());
    EXPECT_TRUE(d.SecondKeyBox()->hasFocus());
    EXPECT_FALSE(d.findChild<QPushButton*>("ClearKey2Button")->isEnabled());
    QTest::keyClick(d.SecondKeyBox(), Qt::Key_Escape);  // a key, not Cancel
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.SecondKeyBox()->text(), "Esc");
    EXPECT_TRUE(d.findChild<QPushButton*>("ClearKey2Button")->isEnabled());
    QTest::keyClick(d.SecondKeyBox(), Qt::Key_B);
    d.NextButton()->click();
  });
  EXPECT_TRUE(run.finished);
  EXPECT_EQ(run.first, 'K' | scCtrl);
  EXPECT_EQ(run.second, 'B');
}

TEST(KeyAssignDialog, EditStartsFromThePairAndClearEmptiesABox) {
  const TRun run = RunWizard(TKeyWizardMode::kEdit, VK_OEM_6 | scCtrl, 0, [](TKeyAssignDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Edit key pair for: Copy");
    EXPECT_EQ(d.FirstKeyBox()->text(), "Ctrl+]");
    d.NextButton()->click();
    EXPECT_TRUE(d.NextButton()->isEnabled());  // "Finish" at once
    d.BackButton()->click();
    EXPECT_EQ(d.Step(), 1);
    EXPECT_TRUE(d.FirstKeyBox()->hasFocus());
    d.findChild<QPushButton*>("ClearKey1Button")->click();
    EXPECT_EQ(d.FirstKeyBox()->Value(), 0);
    EXPECT_FALSE(d.NextButton()->isEnabled());
    EXPECT_FALSE(d.findChild<QPushButton*>("ClearKey1Button")->isEnabled());
    QTest::keyClick(d.FirstKeyBox(), Qt::Key_F7, Qt::ShiftModifier);
    d.NextButton()->click();
    d.NextButton()->click();  // a one-key pair: the second box stays empty
  });
  EXPECT_TRUE(run.finished);
  EXPECT_EQ(run.first, VK_F7 | scShift);
  EXPECT_EQ(run.second, 0);
}

TEST(KeyAssignDialog, CancelReturnsFalse) {
  const TRun run = RunWizard(TKeyWizardMode::kAdd, 0, 0, [](TKeyAssignDialog& d) {
    QTest::keyClick(d.FirstKeyBox(), Qt::Key_A);
    d.CancelButton()->click();
  });
  EXPECT_FALSE(run.finished);
}

TEST(KeyAssignDialog, LaysTheBoxesOutBesideTheInstructionsAndClipsNothing) {
  RunWizard(TKeyWizardMode::kAdd, 0, 0, [](TKeyAssignDialog& d) {
    for (const char* step : {"1", "2"}) {
      auto* info = d.findChild<QLabel*>(QString("Step%1InfoLabel").arg(step));
      auto* box = step[0] == '1' ? d.FirstKeyBox() : d.SecondKeyBox();
      auto* clear = d.findChild<QPushButton*>(QString("ClearKey%1Button").arg(step));
      EXPECT_EQ(info->width(), 225);
      EXPECT_TRUE(info->wordWrap());
      EXPECT_EQ(box->x(), info->geometry().right() + 1 + 15);
      EXPECT_EQ(box->y(), info->y());
      EXPECT_EQ(clear->y(), box->geometry().bottom() + 1 + 6);
      EXPECT_EQ(clear->geometry().right(), box->geometry().right());
      EXPECT_EQ(d.findChild<QLabel*>(QString("Step%1Label").arg(step))->text(), QString("Step %1").arg(step));
    }
    const QRect inside = d.rect();
    for (QWidget* w : d.findChildren<QWidget*>()) {
      const QRect at(w->mapTo(&d, QPoint(0, 0)), w->size());
      EXPECT_TRUE(inside.contains(at)) << w->objectName().toStdString();
    }
    EXPECT_EQ(d.CancelButton()->mapTo(&d, QPoint(d.CancelButton()->width(), 0)).x(), d.width() - 8);
    EXPECT_EQ(d.NextButton()->geometry().right() + 1 + 8, d.CancelButton()->x());
    EXPECT_EQ(d.BackButton()->geometry().right() + 1 + 8, d.NextButton()->x());
    d.CancelButton()->click();
  });
}

}  // namespace
}  // namespace ql::test
