// Edit > Preferences: the property pages on the window's parser. OK changes the three
// documents' editors and the user's settings file; Cancel changes neither.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QStandardPaths>

#include "WorkbenchFixture.h"
#include "dialogs/ColorDropButton.h"
#include "dialogs/OptionsDialog.h"
#include "editor/PropertyElements.h"
#include "highlight/InkMemoParser.h"
#include "services/SM_Settings.h"

namespace ql::test {
namespace {

class Preferences : public WorkbenchTest {
protected:
  // Every test starts from the shipped settings.
  void SetUp() override {
    WorkbenchTest::SetUp();
    ForgetStoredParserSettings();
  }
  std::string SettingsFile() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return ReadFile(QFile::encodeName(folder + "/Brevant/Quillon.conf").toStdString());
  }
  std::vector<TqlnInkMemo*> Editors() { return {W().XMLDoc, W().XSLTDoc, W().ResultsDoc}; }
  uint8_t Style() { return W().XMLParser->Settings().GetEditableStyle(2).Style; }

  // Plays the user in the dialog: a colour, a font size and an option, then OK or Cancel.
  void ChangeAndClose(bool ok) {
    Dialogs.OnModal = [this, ok](QDialog& d) {
      auto& dialog = dynamic_cast<TOptionsDialog&>(d);
      dialog.show();
      QApplication::processEvents();
      auto* list = dialog.findChild<QListWidget*>("SynElementsBox");
      const std::vector<TStyleElement> elements = StyleElements(*dialog.Working());
      for (size_t i = 0; i < elements.size(); ++i)
        if (elements[i].Number == Style()) list->setCurrentRow(static_cast<int>(i));
      auto* useDefault = dialog.findChild<QCheckBox*>("UseDefForeBox");
      if (useDefault->isChecked()) useDefault->click();
      dialog.ForegroundButton()->SetColor(RGB(10, 150, 250));
      auto* size = dialog.findChild<QComboBox*>("FontSizeBox");
      size->setCurrentIndex(size->findText("16"));
      emit size->activated(size->currentIndex());
      dialog.findChild<QCheckBox*>("VisRMarginBox")->click();
      dialog.findChild<QPushButton*>(ok ? "OKButton" : "CancelButton")->click();
    };
    W().bbEditorProperities->trigger();
    QApplication::processEvents();
  }
};

TEST_F(Preferences, OkChangesAllThreeEditorsAndTheSettingsFile) {
  ASSERT_TRUE(W().bbEditorProperities->isEnabled());
  const std::string file = SettingsFile();
  const bool margin = W().XMLDoc->HasOption(smoShowRMargin);
  ChangeAndClose(true);
  ASSERT_EQ(Dialogs.ModalTitles.size(), 1u);
  EXPECT_EQ(Dialogs.ModalTitles[0], "Editor Options");
  EXPECT_EQ(Dialogs.ModalTabs[0], 1);  // Highlighting
  for (TqlnInkMemo* editor : Editors()) {
    EXPECT_EQ(editor->Settings().TextColorOf(Style()), RGB(10, 150, 250));
    EXPECT_EQ(editor->GetFont().Size, 16);
    EXPECT_NE(editor->HasOption(smoShowRMargin), margin);
  }
  const std::string after = SettingsFile();
  EXPECT_NE(after, file);
  EXPECT_NE(after.find("Highlighting"), std::string::npos) << after;
}

TEST_F(Preferences, CancelChangesNothing) {
  W().close();  // the settings as the window writes them at every close
  Form.reset();
  const std::string file = SettingsFile();
  const TColor colour = W().XMLDoc->Settings().TextColorOf(Style());
  const int32_t size = W().XMLDoc->GetFont().Size;
  const bool margin = W().XMLDoc->HasOption(smoShowRMargin);
  ChangeAndClose(false);
  ASSERT_EQ(Dialogs.ModalTitles.size(), 1u);
  for (TqlnInkMemo* editor : Editors()) {
    EXPECT_EQ(editor->Settings().TextColorOf(Style()), colour);
    EXPECT_EQ(editor->GetFont().Size, size);
    EXPECT_EQ(editor->HasOption(smoShowRMargin), margin);
    EXPECT_EQ(&editor->Settings(), &W().XMLParser->Settings());
  }
  EXPECT_EQ(SettingsFile(), file);
}

}  // namespace
}  // namespace ql::test
