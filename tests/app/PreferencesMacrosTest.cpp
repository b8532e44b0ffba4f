// Edit > Preferences, Auto correct and Code templates: a template and an auto-replace entry
// added on the pages expand at once in the window's three editors, and again after a restart.
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "WorkbenchFixture.h"
#include "dialogs/HotKeyBox.h"
#include "dialogs/OptionsDialog.h"
#include "editor/qt/QtInkMemo.h"
#include "highlight/InkMemoParser.h"
#include "services/SM_Settings.h"

namespace ql::test {
namespace {

using TTyped = std::pair<std::string, int32_t>;
const TTyped kExpanded{"<h1></h1>\r\nthe ", 4};

class PreferencesMacros : public WorkbenchTest {
protected:
  // Every test starts from the shipped tables.
  void SetUp() override {
    WorkbenchTest::SetUp();
    ForgetStoredParserSettings();
  }
  // Opens Preferences and plays the user in it.
  void Preferences(const std::function<void(TOptionsDialog&)>& play) {
    Dialogs.OnModal = [&](QDialog& d) {
      d.show();
      QApplication::processEvents();
      play(dynamic_cast<TOptionsDialog&>(d));
    };
    W().bbEditorProperities->trigger();
    QApplication::processEvents();
    Dialogs.OnModal = nullptr;
  }
  static void ShowPage(TOptionsDialog& dialog, const char* caption) {
    QTabWidget* pages = dialog.Pages();
    for (int i = 0; i < pages->count(); ++i)
      if (pages->tabText(i) == caption) pages->setCurrentIndex(i);
  }
  static void Type(TOptionsDialog& dialog, const char* box, const QString& text) {
    auto* b = dialog.findChild<QLineEdit*>(box);
    b->setFocus();
    b->selectAll();
    QTest::keyClicks(b, text);
  }
  static void Click(TOptionsDialog& dialog, const char* button) { dialog.findChild<QPushButton*>(button)->click(); }
  // Types into an empty editor: the template name and the hot key, a line break, then the
  // auto-replace name and a space. Returns the text and the caret of the first line's expansion.
  static TTyped TypeBoth(TqlnInkMemo* editor) {
    editor->SetText("");
    editor->SetFocus();
    QApplication::processEvents();
    QTest::keyClicks(editor, "hdr");
    QTest::keyClick(editor, Qt::Key_Q, Qt::AltModifier);
    const int32_t caret = editor->GetSelStart();
    editor->SetSelStart(editor->GetTextLength());
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "teh");
    QTest::keyClick(editor, Qt::Key_Space);
    return {editor->GetText(), caret};
  }
  std::vector<TqlnInkMemo*> Editors() { return {W().XMLDoc, W().XSLTDoc, W().ResultsDoc}; }
};

TEST_F(PreferencesMacros, ANewTemplateAndAutoReplaceEntryExpandInEveryEditorAndAfterARestart) {
  for (TqlnInkMemo* editor : Editors()) editor->SetReadOnly(false);
  const TTyped before = TypeBoth(W().XMLDoc);
  ASSERT_EQ(before.first, "hdr\r\nteh ");
  Preferences([&](TOptionsDialog& dialog) {
    ShowPage(dialog, "Code templates");
    Type(dialog, "cteNameBox", "hdr");
    Type(dialog, "cteDescBox", "Heading");
    auto* memo = dialog.findChild<TQtInkMemo*>("InkMemo1");
    memo->SetFocus();
    QTest::keyClicks(memo->viewport(), "<h1>|</h1>");
    auto* hotKey = dialog.findChild<TSM_HotKey*>("cteHotkey");
    hotKey->setFocus();
    QTest::keyClick(hotKey, Qt::Key_Q);  // Alt+Q (Alt+T opens the Transform menu)
    Click(dialog, "CodeTemplateButton1");

    ShowPage(dialog, "Auto correct");
    Type(dialog, "ReplaceBox", "teh");
    Type(dialog, "WithBox", "the");
    Click(dialog, "AutoReplButton1");
    Click(dialog, "OKButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  });
  EXPECT_TRUE(Dialogs.Errors.empty()) << Dialogs.Errors[0].toStdString();
  for (TqlnInkMemo* editor : Editors()) {
    EXPECT_EQ(TypeBoth(editor), kExpanded)
        << editor->objectName().toStdString();
  }

  W().close();
  Form.reset();
  EXPECT_EQ(TypeBoth(W().XMLDoc), kExpanded);
}

}  // namespace
}  // namespace ql::test
