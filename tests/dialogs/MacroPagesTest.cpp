// The Auto correct and Code templates pages: the buttons follow the boxes, the lists and buttons
// change the working tables at once, fields with a TAB and trigger texts that do not parse
// change nothing, the hot key box starts from the hot key in force, and the two-column lists.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "dialogs/HotKeyBox.h"
#include "dialogs/OptionsDialog.h"
#include "editor/InkMemo.h"
#include "editor/qt/QtInkMemo.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "services/SM_Settings.h"

namespace ql::test {
namespace {

class MacroPages : public ::testing::Test {
protected:
  void SetUp() override {
    parser.LoadFromBytes(XmlDefinitionStoredForm());
    TAutoReplace& replace = parser.Settings().AutoReplace();
    replace.Clear();
    replace.AddReplacement("teh", "the");
    replace.AddReplacement("blank", "");
    replace.AddReplacement("abc", "xyz");
    replace.SetTriggers(" ;");
    TCodeTemplates& templates = parser.Settings().Templates();
    templates.Clear();
    templates.AddTemplate("begin", "block", "begin\r  |\rend");
    templates.AddTemplate("if", "", "if | then");
    templates.HotKey = scCtrl | scShift | 'K';
    editor.SetParser1(&parser);
    dialog.ShowError = [this](const QString& message) { errors.push_back(message.toStdString()); };
  }
  // Runs the dialog on the page asked for; act plays the user and says whether it ends with OK.
  bool Run(TSM_PropEdPage page, const std::function<bool()>& act) {
    dialog.RunModal = [&](QDialog& d) {
      d.resize(640, 520);
      d.show();
      d.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
      return act();
    };
    return dialog.Execute(parser, {page});
  }
  template <class T = QLineEdit>
  T* Find(const char* name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QListWidget* List(const char* name) { return Find<QListWidget>(name); }
  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
  void Type(const char* box, const QString& text) {
    QLineEdit* b = Find(box);
    b->setFocus();
    b->selectAll();
    QTest::keyClick(b, Qt::Key_Delete);
    QTest::keyClicks(b, text);
  }
  std::vector<std::string> Items(const char* name) {
    std::vector<std::string> items;
    QListWidget* list = List(name);
    for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text().toStdString());
    return items;
  }
  std::string Expansion(const TMacroKeywords& table, const char* name) {
    const int32_t at = table.IndexOf(name);
    return at < 0 ? "<none>" : table.Entry(at).Expansion();
  }
  // Add enabled, second button enabled, its caption.
  std::tuple<bool, bool, std::string> Buttons(const char* add, const char* second) {
    return {Button(add)->isEnabled(), Button(second)->isEnabled(), Button(second)->text().toStdString()};
  }

  TInkMemoParser parser;
  TInkMemo editor;
  TOptionsDialog dialog;
  std::vector<std::string> errors;
};

using B = std::tuple<bool, bool, std::string>;

TEST_F(MacroPages, AutoCorrectButtonsFollowTheBoxesAndChangeTheWorkingTableAtOnce) {
  Run(ppAUTOCORRECT, [&] {
    TAutoReplace& table = dialog.Working()->AutoReplace();
    EXPECT_EQ(Items("AutoReplBox"), (std::vector<std::string>{"abc\txyz", "blank\t", "teh\tthe"}));
    EXPECT_EQ(Find("AutoReplActBox")->text(), " ;");
    EXPECT_EQ(Buttons("AutoReplButton1", "AutoReplButton2"), B(false, false, "Replace"));

    List("AutoReplBox")->setCurrentRow(2);
    EXPECT_EQ(Find("ReplaceBox")->text(), "teh");
    EXPECT_EQ(Find("WithBox")->text(), "the");
    EXPECT_EQ(Buttons("AutoReplButton1", "AutoReplButton2"), B(false, true, "Delete"));
    Type("WithBox", "");
    EXPECT_EQ(Buttons("AutoReplButton1", "AutoReplButton2"), B(false, true, "Replace"));
    Type("ReplaceBox", "blank");  // a known name with the With box empty selects its entry
    EXPECT_EQ(List("AutoReplBox")->currentRow(), 1);
    EXPECT_EQ(Buttons("AutoReplButton1", "AutoReplButton2"), B(false, true, "Delete"));

    Type("ReplaceBox", "recieve");
    Type("WithBox", "receive");
    EXPECT_EQ(Buttons("AutoReplButton1", "AutoReplButton2"), B(true, false, "Delete"));
    Button("AutoReplButton1")->click();
    EXPECT_EQ(Items("AutoReplBox")[2], "recieve\treceive");
    EXPECT_EQ(List("AutoReplBox")->currentRow(), 2);
    EXPECT_EQ(Expansion(table, "recieve"), "receive");
    EXPECT_EQ(Buttons("AutoReplButton1", "AutoReplButton2"), B(false, true, "Delete"));

    // Replace acts on the entry named in the box, whatever is selected.
    List("AutoReplBox")->setCurrentRow(0);
    Type("ReplaceBox", "TEH");
    Type("WithBox", "THE");
    Button("AutoReplButton2")->click();
    EXPECT_EQ(Expansion(table, "teh"), "THE");
    EXPECT_EQ(List("AutoReplBox")->currentRow(), 3);

    Button("AutoReplButton2")->click();  // now "Delete": the last entry goes, the new last is selected
    EXPECT_EQ(Expansion(table, "teh"), "<none>");
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(List("AutoReplBox")->currentRow(), 2);
    EXPECT_EQ(Find("ReplaceBox")->text(), "recieve");
    EXPECT_EQ(table.Triggers(), " ;");
    return false;
  });
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(parser.Settings().AutoReplace().Count(), 3);  // Cancel: the parser's table as it was
}

TEST_F(MacroPages, ATabInAFieldIsRefusedWithAMessage) {
  Run(ppAUTOCORRECT, [&] {
    Find("ReplaceBox")->setText("a\tb");  // as a paste would bring it
    Find("WithBox")->setText("x");
    Button("AutoReplButton1")->click();
    Find("ReplaceBox")->setText("teh");
    Find("WithBox")->setText("t\the");
    Button("AutoReplButton2")->click();
    EXPECT_EQ(Items("AutoReplBox").size(), 3u);
    EXPECT_EQ(Expansion(dialog.Working()->AutoReplace(), "teh"), "the");
    return false;
  });
  EXPECT_EQ(errors, (std::vector<std::string>{"The name cannot contain a TAB character.",
                                              "The replacement cannot contain a TAB character."}));
  errors.clear();
  Run(ppTEMPLATES, [&] {
    Find("cteNameBox")->setText("while");
    Find("cteDescBox")->setText("lo\top");
    Button("CodeTemplateButton1")->click();
    EXPECT_EQ(dialog.Working()->Templates().Count(), 2);
    return false;
  });
  EXPECT_EQ(errors, (std::vector<std::string>{"The description cannot contain a TAB character."}));
}

TEST_F(MacroPages, ATriggerTextThatDoesNotParseKeepsTheTriggersInForce) {
  EXPECT_TRUE(Run(ppAUTOCORRECT, [&] {
    TAutoReplace& table = dialog.Working()->AutoReplace();
    Type("AutoReplActBox", ".\\{Return");
    Find("ReplaceBox")->setFocus();  // leaving the box
    EXPECT_EQ(errors, (std::vector<std::string>{"Bad key specifier"}));
    EXPECT_EQ(table.Triggers(), " ;");
    EXPECT_EQ(table.TriggerKeys(), (std::vector<uint16_t>{VK_SPACE, VK_OEM_1}));
    EXPECT_EQ(Find("AutoReplActBox")->text(), " ;");

    Type("AutoReplActBox", "\\{Tab");  // OK while still in the box: refused, the dialog stays
    Button("OKButton")->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(table.Triggers(), " ;");

    Type("AutoReplActBox", "\\{Tab}");  // a good text is taken by OK
    Button("OKButton")->click();
    return dialog.result() == QDialog::Accepted;
  }));
  EXPECT_EQ(parser.Settings().AutoReplace().Triggers(), "\\{Tab}");
  EXPECT_EQ(parser.Settings().AutoReplace().TriggerKeys(), (std::vector<uint16_t>{VK_TAB}));
}

TEST_F(MacroPages, TemplatesAreEditedInThePagesEditorAndTheHotKeyStartsFromTheOneInForce) {
  EXPECT_TRUE(Run(ppTEMPLATES, [&] {
    TCodeTemplates& table = dialog.Working()->Templates();
    auto* memo = Find<TQtInkMemo>("InkMemo1");
    auto* hotKey = Find<TSM_HotKey>("cteHotkey");
    EXPECT_EQ(&memo->Settings(), dialog.Working());
    EXPECT_EQ(hotKey->Value(), scCtrl | scShift | 'K');
    EXPECT_EQ(Items("cteListBox"), (std::vector<std::string>{"begin\tblock", "if\t"}));
    EXPECT_EQ(memo->GetTextLength(), 0);

    List("cteListBox")->setCurrentRow(0);
    EXPECT_EQ(Find("cteNameBox")->text(), "begin");
    EXPECT_EQ(memo->GetText(), "begin\r\n  |\r\nend");
    EXPECT_FALSE(memo->GetModified());
    EXPECT_EQ(Buttons("CodeTemplateButton1", "CodeTemplateButton2"), B(false, true, "Delete"));
    memo->SetFocus();
    memo->SetSelection(5, 5);
    QTest::keyClicks(memo->viewport(), " x");
    EXPECT_EQ(memo->GetSelStart(), 7);
    EXPECT_EQ(Buttons("CodeTemplateButton1", "CodeTemplateButton2"), B(false, true, "Replace"));
    Button("CodeTemplateButton2")->click();
    EXPECT_EQ(Expansion(table, "begin"), "begin x\r  |\rend");
    EXPECT_EQ(Buttons("CodeTemplateButton1", "CodeTemplateButton2"), B(false, true, "Delete"));

    Type("cteNameBox", "while");
    EXPECT_EQ(Buttons("CodeTemplateButton1", "CodeTemplateButton2"), B(true, false, "Delete"));
    Type("cteDescBox", "loop");
    memo->SetText("while | do");
    Button("CodeTemplateButton1")->click();
    EXPECT_EQ(Items("cteListBox")[2], "while\tloop");
    EXPECT_EQ(Expansion(table, "while"), "while | do");

    Type("cteNameBox", "if");  // listed, but not with this description
    EXPECT_EQ(Buttons("CodeTemplateButton1", "CodeTemplateButton2"), B(false, true, "Replace"));
    Type("cteDescBox", "");
    memo->SetText("if | then");
    EXPECT_EQ(Buttons("CodeTemplateButton1", "CodeTemplateButton2"), B(false, true, "Delete"));
    Button("CodeTemplateButton2")->click();
    EXPECT_EQ(Expansion(table, "if"), "<none>");
    EXPECT_EQ(List("cteListBox")->currentRow(), 1);  // the entry now at that place
    EXPECT_EQ(Find("cteNameBox")->text(), "while");

    // What may be dropped or pasted into the editor.
    TSourceTypes types = srcHTML | srcText | srcAsIs;
    memo->OnDataDrop(*memo, types);
    EXPECT_EQ(types, srcHTML | srcText | srcHTMLFragment);

    hotKey->setFocus();
    QTest::keyClick(hotKey, Qt::Key_T);  // gets Alt
    EXPECT_EQ(table.HotKey, scCtrl | scShift | 'K');  // taken when the box is left
    Find("cteNameBox")->setFocus();
    EXPECT_EQ(table.HotKey, scAlt | 'T');
    hotKey->setFocus();
    QTest::keyClick(hotKey, Qt::Key_J, Qt::ControlModifier);
    Button("OKButton")->click();  // taken by OK while still in the box
    return dialog.result() == QDialog::Accepted;
  }));
  const TCodeTemplates& templates = parser.Settings().Templates();
  EXPECT_EQ(templates.HotKey, scCtrl | 'J');
  EXPECT_EQ(templates.Count(), 2);
  EXPECT_EQ(Expansion(templates, "while"), "while | do");
  EXPECT_TRUE(errors.empty());
}

TEST_F(MacroPages, CtrlTabLeavesTheTemplateEditorWhichTakesTabAsACharacter) {
  EXPECT_TRUE(Run(ppTEMPLATES, [&] {
    auto* memo = Find<TQtInkMemo>("InkMemo1");
    List("cteListBox")->setCurrentRow(0);
    memo->SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), memo);
    const std::string before = memo->GetText();
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), memo);
    const std::string tabbed = memo->GetText();
    EXPECT_GT(tabbed.size(), before.size());
    QTest::keyClick(memo, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_NE(QApplication::focusWidget(), memo);
    EXPECT_EQ(memo->GetText(), tabbed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), memo);
    QTest::keyClick(memo, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), memo);
    EXPECT_EQ(memo->GetText(), tabbed);
    return true;
  }));
}

TEST_F(MacroPages, ListsShowNameAndSecondTextInTwoColumnsDividedBySilverLines) {
  Run(ppAUTOCORRECT, [&] {
    QListWidget* list = List("AutoReplBox");
    const QRect item = list->visualItemRect(list->item(0));
    EXPECT_EQ(item.height(), list->fontMetrics().boundingRect("Wy").height() + 2);
    const QImage image = list->viewport()->grab().toImage();
    const QColor silver(192, 192, 192);
    const int third = item.left() + item.width() / 3;
    EXPECT_EQ(image.pixelColor(third, item.top() + 1), silver);
    EXPECT_EQ(image.pixelColor(item.left() + 5, item.bottom()), silver);
    // The name in the first column, the replacement in the second: both have ink.
    const auto inked = [&](int from, int to) {
      for (int x = from; x < to; ++x)
        for (int y = item.top(); y < item.bottom(); ++y)
          if (image.pixelColor(x, y).lightness() < 100) return true;
      return false;
    };
    EXPECT_TRUE(inked(item.left() + 2, third - 1));
    EXPECT_TRUE(inked(third + 2, item.right()));
    return false;
  });
}

}  // namespace
}  // namespace ql::test
