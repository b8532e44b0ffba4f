// Edit > Preferences, Key assignments: a pair recorded in the key pair wizard works at once in
// the window's three editors and is there again at the next start; a conflicting pair is
// refused by OK with its message until the user mends it.
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <deque>

#include "WorkbenchFixture.h"
#include "dialogs/HotKeyBox.h"
#include "dialogs/KeyAssignDialog.h"
#include "dialogs/OptionsDialog.h"
#include "highlight/InkMemoParser.h"
#include "services/KeyActions.h"
#include "services/SM_Settings.h"
#include "toolkit/VirtualKeys.h"

namespace ql::test {
namespace {

using TWizardPlay = std::function<void(TKeyAssignDialog&)>;

class PreferencesKeys : public WorkbenchTest {
protected:
  // Every test starts from the shipped key table.
  void SetUp() override {
    WorkbenchTest::SetUp();
    ForgetStoredParserSettings();
  }

  // Opens Preferences on the Key assignments page and plays the user in it and in the wizards
  // it opens.
  void Preferences(const std::function<void(TOptionsDialog&)>& play, std::deque<TWizardPlay> wizards) {
    Dialogs.OnModal = [&](QDialog& d) {
      d.show();
      QApplication::processEvents();
      if (auto* wizard = dynamic_cast<TKeyAssignDialog*>(&d)) {
        ASSERT_FALSE(wizards.empty()) << "unexpected wizard";
        const TWizardPlay next = wizards.front();
        wizards.pop_front();
        next(*wizard);
        return;
      }
      auto& dialog = dynamic_cast<TOptionsDialog&>(d);
      QTabWidget* pages = dialog.Pages();
      for (int i = 0; i < pages->count(); ++i)
        if (pages->tabText(i) == "Key assignments") pages->setCurrentIndex(i);
      play(dialog);
    };
    W().bbEditorProperities->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(wizards.empty());
    Dialogs.OnModal = nullptr;
  }
  static void SelectCommand(TOptionsDialog& dialog, int32_t action) {
    const auto& commands = dialog.KeyAssignments()->Commands();
    const auto at = std::find_if(commands.begin(), commands.end(), [&](const TCommandKeys& c) { return c.Action == action; });
    ASSERT_NE(at, commands.end());
    dialog.findChild<QListWidget*>("CommandDescListBox")->setCurrentRow(static_cast<int>(at - commands.begin()));
  }
  static void Click(TOptionsDialog& dialog, const char* button) { dialog.findChild<QPushButton*>(button)->click(); }
  // The wizard: first key, "Next >", second key (if any), "Finish".
  static TWizardPlay Record(QKeyCombination first, std::optional<QKeyCombination> second = std::nullopt) {
    return [first, second](TKeyAssignDialog& w) {
      QTest::keyClick(w.FirstKeyBox(), first.key(), first.keyboardModifiers());
      w.NextButton()->click();
      if (second) QTest::keyClick(w.SecondKeyBox(), second->key(), second->keyboardModifiers());
      w.NextButton()->click();
    };
  }
  // Puts the caret at the start of editor, types the keys and returns where the caret is then.
  static int32_t CaretAfter(TqlnInkMemo* editor, const std::vector<QKeyCombination>& keys) {
    editor->SetSelStart(0);
    for (const QKeyCombination k : keys) QTest::keyClick(editor, k.key(), k.keyboardModifiers());
    return editor->GetSelStart();
  }
  std::vector<TqlnInkMemo*> Editors() { return {W().XMLDoc, W().XSLTDoc, W().ResultsDoc}; }
};

TEST_F(PreferencesKeys, ARecordedPairWorksInEveryEditorAtOnceAndAtTheNextStart) {
  const QKeyCombination ctrlK(Qt::ControlModifier, Qt::Key_K), e(Qt::Key_E);
  const std::string text = "first line\nsecond line\nthird";
  const auto end = static_cast<int32_t>(text.size());
  W().XMLDoc->SetText(text);
  ASSERT_NE(CaretAfter(W().XMLDoc, {ctrlK, e}), end);  // not bound yet
  for (TqlnInkMemo* editor : Editors()) editor->SetText(text);
  Preferences(
      [&](TOptionsDialog& dialog) {
        SelectCommand(dialog, caDOCEND);
        Click(dialog, "AddButton");
        Click(dialog, "OKButton");
      },
      {Record(ctrlK, e)});
  ASSERT_EQ(Dialogs.ModalTitles.size(), 2u);
  EXPECT_EQ(Dialogs.ModalTitles[1].toStdString().rfind("Add new key pair for: ", 0), 0u);
  EXPECT_TRUE(Dialogs.Errors.empty());
  for (TqlnInkMemo* editor : Editors()) {
    EXPECT_EQ(CaretAfter(editor, {ctrlK, e}), end) << editor->objectName().toStdString();
    EXPECT_EQ(CaretAfter(editor, {QKeyCombination(Qt::ControlModifier, Qt::Key_End)}), end);  // the old keys too
  }

  W().close();
  Form.reset();
  W().XMLDoc->SetText(text);
  EXPECT_EQ(CaretAfter(W().XMLDoc, {ctrlK, e}), end);
}

TEST_F(PreferencesKeys, AConflictKeepsTheDialogOpenAndMendingItStoresTheRest) {
  W().XMLDoc->SetText("one\ntwo");
  const QKeyCombination ctrlC(Qt::ControlModifier, Qt::Key_C), f8(Qt::Key_F8);
  Preferences(
      [&](TOptionsDialog& dialog) {
        SelectCommand(dialog, caDOCEND);
        Click(dialog, "AddButton");  // F8
        SelectCommand(dialog, caDOCSTART);
        Click(dialog, "AddButton");  // Ctrl+C, which Copy has
        Click(dialog, "OKButton");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(Dialogs.Errors.size(), 1u);
        EXPECT_TRUE(Dialogs.Errors[0].startsWith("Duplicate key sequence definition for")) << Dialogs.Errors[0].toStdString();

        auto* keys = dialog.findChild<QListWidget*>("CommandKeysListBox");
        keys->setCurrentRow(keys->count() - 1);
        EXPECT_EQ(keys->currentItem()->text(), "[Ctrl+C]  [<none>]");
        Click(dialog, "DeleteButton");
        Click(dialog, "OKButton");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
      },
      {Record(f8), Record(ctrlC)});
  EXPECT_EQ(Dialogs.Errors.size(), 1u);
  EXPECT_EQ(CaretAfter(W().XMLDoc, {f8}), 7);
  const TKeySequence copy = W().XMLParser->Settings().KeyController().FindFirstKeys(caCOPY);
  EXPECT_EQ(copy.First, 'C' | scCtrl);
}

}  // namespace
}  // namespace ql::test
