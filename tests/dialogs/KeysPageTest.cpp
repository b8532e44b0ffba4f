// The Key assignments page of the property pages: the commands and their keys, Add, Edit and
// Delete through the key pair wizard, and OK, which commits the pairs or shows a conflict and
// keeps the dialog open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <deque>
#include <set>

#include "dialogs/HotKeyBox.h"
#include "dialogs/KeyAssignDialog.h"
#include "dialogs/OptionsDialog.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "services/KeyActions.h"
#include "services/SM_Settings.h"
#include "toolkit/VirtualKeys.h"

namespace ql::test {
namespace {

using TSequences = std::set<std::tuple<ShortCutCode, ShortCutCode, int32_t>>;

TSequences Sequences(const TKeyboardActionContoller& keys) {
  TSequences all;
  for (const TKeySequence& s : keys.KeyStore().Sequences()) all.insert({s.First, s.Second, s.Action});
  return all;
}

class KeysPage : public ::testing::Test {
protected:
  void SetUp() override {
    parser.Name = "XMLParser";
    parser.LoadFromBytes(XmlDefinitionStoredForm());
    dialog.ShowError = [this](const QString& message) { errors.push_back(message.toStdString()); };
    // The same hook shows the dialog and the wizard it runs.
    dialog.RunModal = [this](QDialog& d) {
      if (auto* wizard = dynamic_cast<TKeyAssignDialog*>(&d)) {
        wizard->show();
        QApplication::processEvents();
        EXPECT_FALSE(inWizard.empty()) << "unexpected wizard";
        if (inWizard.empty()) return false;
        const auto play = inWizard.front();
        inWizard.pop_front();
        play(*wizard);
        return wizard->result() == QDialog::Accepted;
      }
      d.resize(640, 480);
      d.show();
      QApplication::processEvents();
      inDialog();
      return d.result() == QDialog::Accepted;
    };
  }
  bool Run(TSM_PropEdPages pages = {ppKEYS}) { return dialog.Execute(parser, pages); }
  QListWidget* Commands() { return dialog.findChild<QListWidget*>("CommandDescListBox"); }
  QListWidget* Keys() { return dialog.findChild<QListWidget*>("CommandKeysListBox"); }
  QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }
  void SelectCommand(int32_t action) {
    const auto& commands = dialog.KeyAssignments()->Commands();
    const auto at = std::find_if(commands.begin(), commands.end(), [&](const TCommandKeys& c) { return c.Action == action; });
    ASSERT_NE(at, commands.end());
    Commands()->setCurrentRow(static_cast<int>(at - commands.begin()));
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int i = 0; i < Keys()->count(); ++i) lines.push_back(Keys()->item(i)->text().toStdString());
    return lines;
  }
  // A wizard step that presses keys in the first box, "Next >", keys in the second, "Finish".
  static std::function<void(TKeyAssignDialog&)> Record(std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> first,
                                                       std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> second) {
    return [first, second](TKeyAssignDialog& w) {
      for (auto [key, modifiers] : first) QTest::keyClick(w.FirstKeyBox(), key, modifiers);
      w.NextButton()->click();
      for (auto [key, modifiers] : second) QTest::keyClick(w.SecondKeyBox(), key, modifiers);
      w.NextButton()->click();
    };
  }

  TInkMemoParser parser;
  TOptionsDialog dialog;
  std::vector<std::string> errors;
  std::function<void()> inDialog;
  std::deque<std::function<void(TKeyAssignDialog&)>> inWizard;
};

TEST_F(KeysPage, ListsTheCommandsByDescriptionWithTheirKeys) {
  inDialog = [this] {
    const TKeyboardActionContoller& keys = dialog.Working()->KeyController();
    ASSERT_EQ(Commands()->count(), static_cast<int>(keys.ActionNames().size()));
    for (int i = 1; i < Commands()->count(); ++i)
      EXPECT_LE(Commands()->item(i - 1)->text().toLower(), Commands()->item(i)->text().toLower());
    EXPECT_EQ(Commands()->currentRow(), 0);
    SelectCommand(caSETBOOKMARK0 + 3);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[Ctrl+K]  [3]"}));
    EXPECT_EQ(Keys()->currentRow(), 0);
    SelectCommand(caUNDO);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[Ctrl+Z]  [<none>]"}));
    for (const char* name : {"AddButton", "EditButton", "DeleteButton"}) EXPECT_TRUE(Button(name)->isEnabled()) << name;
    EXPECT_EQ(Button("AddButton")->text(), "Add...");
    EXPECT_EQ(Button("EditButton")->text(), "Edit...");
    EXPECT_EQ(Button("DeleteButton")->text(), "Delete");
    Button("DeleteButton")->click();  // the only pair
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(Button("AddButton")->isEnabled());
    EXPECT_FALSE(Button("EditButton")->isEnabled());
    EXPECT_FALSE(Button("DeleteButton")->isEnabled());
    Button("OKButton")->click();
  };
  const TSequences before = Sequences(parser.Settings().KeyController());
  ASSERT_TRUE(Run());
  TSequences expected = before;
  expected.erase({'Z' | scCtrl, 0, caUNDO});
  // Every other command keeps its keys; Undo is still listed, without keys.
  EXPECT_EQ(Sequences(parser.Settings().KeyController()), expected);
  EXPECT_FALSE(parser.Settings().KeyController().GetActionName(caUNDO).empty());
  EXPECT_EQ(dialog.KeyAssignments(), nullptr);  // freed with the dialog's run
}

TEST_F(KeysPage, AddAndEditGoThroughTheWizard) {
  inWizard = {Record({{Qt::Key_J, Qt::ControlModifier}}, {{Qt::Key_L, Qt::NoModifier}}),
              [](TKeyAssignDialog& w) {
                EXPECT_EQ(w.windowTitle().toStdString().rfind("Edit key pair for: ", 0), 0u);
                EXPECT_EQ(w.FirstKeyBox()->text(), "Ctrl+J");
                EXPECT_EQ(w.SecondKeyBox()->text(), "L");
                w.NextButton()->click();
                QTest::keyClick(w.SecondKeyBox(), Qt::Key_BracketRight, Qt::ShiftModifier | Qt::ControlModifier);
                w.NextButton()->click();
              },
              [](TKeyAssignDialog& w) {  // cancelled: nothing changes
                QTest::keyClick(w.FirstKeyBox(), Qt::Key_F9);
                w.CancelButton()->click();
              }};
  inDialog = [this] {
    SelectCommand(caDELETELINE);
    Button("AddButton")->click();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[Ctrl+Y]  [<none>]", "[Ctrl+J]  [L]"}));
    EXPECT_EQ(Keys()->currentRow(), 1);
    Button("EditButton")->click();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[Ctrl+Y]  [<none>]", "[Ctrl+J]  [Shift+Ctrl+]]"}));
    Button("AddButton")->click();
    EXPECT_EQ(Lines().size(), 2u);
    Button("OKButton")->click();
  };
  ASSERT_TRUE(Run());
  EXPECT_TRUE(inWizard.empty());
  const TSequences keys = Sequences(parser.Settings().KeyController());
  EXPECT_TRUE(keys.contains({'J' | scCtrl, VK_OEM_6, caDELETELINE}));  // a second key's modifiers do not count
  EXPECT_TRUE(keys.contains({'Y' | scCtrl, 0, caDELETELINE}));
}

TEST_F(KeysPage, AConflictIsShownAndKeepsTheDialogOpenUntilItIsMended) {
  inWizard = {Record({{Qt::Key_C, Qt::ControlModifier}}, {}), Record({{Qt::Key_F8, Qt::NoModifier}}, {})};
  inDialog = [this] {
    SelectCommand(caREDO);
    Button("AddButton")->click();  // Ctrl+C, which Copy has
    SelectCommand(caPASTE);
    Button("AddButton")->click();  // F8: an edit that must survive the failed OK
    Button("OKButton")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.KeyCommitFailed());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Duplicate key sequence definition for\n\""), std::string::npos) << errors[0];
    EXPECT_EQ(errors[0].find('\r'), std::string::npos);
    Button("OKButton")->click();  // tried again from the start: the same conflict
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_TRUE(dialog.isVisible());

    SelectCommand(caREDO);
    Keys()->setCurrentRow(1);
    Button("DeleteButton")->click();
    Button("OKButton")->click();
    EXPECT_FALSE(dialog.KeyCommitFailed());
  };
  const TSequences before = Sequences(parser.Settings().KeyController());
  ASSERT_TRUE(Run());
  EXPECT_EQ(errors.size(), 2u);
  TSequences expected = before;
  expected.insert({VK_F8, 0, caPASTE});
  EXPECT_EQ(Sequences(parser.Settings().KeyController()), expected);
}

}  // namespace
}  // namespace ql::test
