// The property pages on a parser shared by three editors: what the boxes do to the working copy
// and the preview, the errors they show, the click on a token of the preview, and what OK and
// Cancel leave behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>

#include "dialogs/ColorDropButton.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/SpinButton.h"
#include "editor/GutterWidth.h"
#include "editor/InkMemo.h"
#include "editor/PropertyElements.h"
#include "editor/qt/QtInkMemo.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "services/SM_Settings.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {
namespace {

std::string StreamForm(const TSM_Settings& settings) {
  TMemoryStream stream;
  settings.SaveToStream(stream);
  return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

class OptionsDialog : public ::testing::Test {
protected:
  void SetUp() override {
    parser.Name = "XMLParser";
    parser.LoadFromBytes(XmlDefinitionStoredForm());
    for (TInkMemo* e : {&a, &b, &c}) {
      e->Perform(WM_SIZE, 0, MAKELPARAM(600, 300));
      e->SetParser1(&parser);
      e->SetText("<a>x</a>");
    }
    dialog.ShowError = [this](const QString& message) { errors.push_back(message.toStdString()); };
  }
  // Runs the dialog; act plays the user inside it and says whether the dialog ends with OK.
  bool Run(const std::function<bool()>& act, TSM_PropEdPages pages = TSM_PropEdPages::All()) {
    dialog.RunModal = [&](QDialog& d) {
      d.resize(640, 520);
      d.show();
      QApplication::processEvents();
      return act();
    };
    return dialog.Execute(parser, pages);
  }
  template <class T>
  T* Find(const char* name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* Box(const char* name) { return Find<QLineEdit>(name); }
  QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
  void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }
  void SelectElement(int32_t number) {
    auto* list = Find<QListWidget>("SynElementsBox");
    for (int i = 0; i < list->count(); ++i) {
      if (StyleElements(*dialog.Working())[static_cast<size_t>(i)].Number == number) list->setCurrentRow(i);
    }
  }

  TInkMemoParser parser;
  TInkMemo a, b, c;
  TOptionsDialog dialog;
  std::vector<std::string> errors;
};

TEST_F(OptionsDialog, OpensOnTheWorkingCopyWithThePagesAskedFor) {
  bool shown = false;
  EXPECT_FALSE(Run([&] { return shown = true; }, {}));
  EXPECT_FALSE(shown);
  Run([&] {
    EXPECT_EQ(dialog.Pages()->count(), 2);
    EXPECT_EQ(dialog.Pages()->tabText(0), "Options");
    EXPECT_EQ(dialog.Pages()->tabText(1), "Key assignments");
    EXPECT_EQ(dialog.Pages()->currentIndex(), 0);
    return false;
  }, {ppOPTIONS, ppKEYS});
  Run([&] {
    EXPECT_EQ(dialog.Pages()->tabText(dialog.Pages()->currentIndex()), "Key assignments");
    return false;
  }, {ppKEYS, ppTEMPLATES});
  Run([&] {
    EXPECT_EQ(dialog.Pages()->count(), 1);
    EXPECT_EQ(dialog.Pages()->tabText(dialog.Pages()->currentIndex()), "Code templates");
    return false;
  }, {ppTEMPLATES});
  Run([&] {
    QTabWidget& tabs = *dialog.Pages();
    std::vector<std::string> captions;
    for (int i = 0; i < tabs.count(); ++i) captions.push_back(tabs.tabText(i).toStdString());
    EXPECT_EQ(captions, (std::vector<std::string>{"Options", "Highlighting", "Key assignments", "Auto correct",
                                                  "Code templates"}));
    EXPECT_EQ(tabs.tabText(tabs.currentIndex()), "Highlighting");
    EXPECT_EQ(dialog.windowTitle(), "Editor Options");
    EXPECT_NE(dialog.Working(), &a.Settings());
    EXPECT_EQ(dialog.Working(), &parser.Settings());  // lent to the parser while the dialog runs
    EXPECT_EQ(&dialog.Preview()->Settings(), dialog.Working());
    EXPECT_EQ(Find<QLineEdit>("LangNameBox")->text(), "XML");
    EXPECT_EQ(Box("GutterWidthBox")->text(), "24");
    EXPECT_EQ(dialog.Preview()->GetText(), parser.Settings().ExampleText);
    EXPECT_EQ(Find<QComboBox>("FontSizeBox")->currentText(), "10");
    EXPECT_EQ(Find<QListWidget>("SynElementsBox")->count(),
              static_cast<int>(StyleElements(parser.Settings()).size()));
    return false;
  });
  EXPECT_EQ(dialog.Working(), nullptr);
}

TEST_F(OptionsDialog, TheGutterBoxFollowsTheEditorsRuleAndLetsTheUserType) {
  Run([&] {
    QLineEdit* gutter = Box("GutterWidthBox");
    gutter->setFocus();
    gutter->selectAll();
    QTest::keyClick(gutter, Qt::Key_Delete);
    EXPECT_EQ(gutter->text(), "");  // an empty box is not rewritten under the caret
    QTest::keyClick(gutter, Qt::Key_3);
    EXPECT_EQ(gutter->text(), "3");
    EXPECT_EQ(dialog.Working()->Gutter, 24);
    QTest::keyClick(gutter, Qt::Key_0);
    EXPECT_EQ(dialog.Working()->Gutter, 30);
    EXPECT_EQ(dialog.Preview()->GetGutter(), 30);
    Type(gutter, "8");  // narrower than a glyph: not applied, shown as typed
    EXPECT_EQ(gutter->text(), "8");
    EXPECT_EQ(dialog.Working()->Gutter, 30);
    Find<QPushButton>("CancelButton")->setFocus();  // leaving shows the width in force
    EXPECT_EQ(gutter->text(), "30");
    dialog.GutterSpin()->DownButton()->Click();
    EXPECT_EQ(dialog.Working()->Gutter, 29);
    Type(gutter, "16");
    dialog.GutterSpin()->DownButton()->Click();
    EXPECT_EQ(gutter->text(), "0");
    EXPECT_EQ(dialog.Working()->Gutter, 0);
    dialog.GutterSpin()->UpButton()->Click();
    EXPECT_EQ(dialog.Working()->Gutter, MinGutterWidth);
    return true;
  });
  EXPECT_EQ(parser.Settings().Gutter, MinGutterWidth);
}

TEST_F(OptionsDialog, TheRightMarginSpinStopsAt0And199) {
  Run([&] {
    QLineEdit* margin = Box("RightMarginBox");
    Type(margin, "199");
    dialog.MarginSpin()->UpButton()->Click();
    EXPECT_EQ(margin->text(), "199");
    EXPECT_EQ(dialog.Working()->RightMargin, 199);
    Type(margin, "0");
    dialog.MarginSpin()->DownButton()->Click();
    EXPECT_EQ(dialog.Working()->RightMargin, 0);
    Type(margin, "x");
    dialog.MarginSpin()->UpButton()->Click();
    EXPECT_EQ(dialog.Working()->RightMargin, 1);
    return false;
  });
  EXPECT_EQ(parser.Settings().RightMargin, 80);
}

TEST_F(OptionsDialog, OptionBoxesSetTheirBitsAndWordWrapTurnsSmartTabOff) {
  const uint32_t lineNumbers = parser.Settings().Options & 0x1;
  EXPECT_TRUE(Run([&] {
    dialog.Pages()->setCurrentIndex(0);
    QCheckBox* wrap = Check("DispWrapBox");
    QCheckBox* smartTab = Check("TabColBox");
    EXPECT_FALSE(wrap->isChecked());
    EXPECT_TRUE(smartTab->isEnabled());
    wrap->click();
    EXPECT_TRUE(dialog.Preview()->GetWordWrap());
    EXPECT_FALSE(smartTab->isEnabled());
    wrap->click();
    EXPECT_TRUE(smartTab->isEnabled());
    Check("EdLineNosBox")->click();
    return true;
  }));
  EXPECT_NE(parser.Settings().Options & 0x1, lineNumbers);
}

TEST_F(OptionsDialog, NumbersThatDoNotConvertAndRefusedTabStopsAreShownAndUndone) {
  Run([&] {
    Type(Box("WrapColumnBox"), "7x");
    Type(Box("TabColumnsBox"), "9 5");
    Type(Box("DeftabBox"), "0");
    Find<QPushButton>("OKButton")->click();  // OK leaves the boxes first: the errors keep it open
    EXPECT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], "'7x' is not a valid integer value");
    EXPECT_EQ(errors[2], "=Illegal default tab stop value, must be > 0");
    EXPECT_EQ(dialog.Working()->WrapAtColumn, 0);
    EXPECT_EQ(Box("DeftabBox")->text(), "4");
    EXPECT_EQ(dialog.Working()->TabColumnsText(), parser.Settings().TabColumnsText());
    Type(Box("IndentStepBox"), "3");
    Find<QPushButton>("OKButton")->click();
    return dialog.result() == QDialog::Accepted;
  });
  EXPECT_EQ(parser.Settings().IndentStep, 3);
}

TEST_F(OptionsDialog, ElementsEnableTheirOwnColoursAndFlags) {
  Run([&] {
    dialog.Working()->UseDefSelTextColor = true;
    dialog.Working()->UseDefSelTextBack = false;
    SelectElement(elGutter);
    EXPECT_FALSE(dialog.ForegroundButton()->isEnabled());
    EXPECT_FALSE(Check("UseDefForeBox")->isEnabled());
    EXPECT_TRUE(Check("UseDefBackBox")->isEnabled());
    EXPECT_FALSE(Check("UseBoldBox")->isEnabled());
    SelectElement(elSelectedText);
    EXPECT_TRUE(Check("UseDefForeBox")->isChecked());
    EXPECT_FALSE(Check("UseDefBackBox")->isChecked());
    EXPECT_FALSE(dialog.ForegroundButton()->isEnabled());
    EXPECT_TRUE(dialog.BackgroundButton()->isEnabled());
    Check("UseDefForeBox")->click();
    EXPECT_FALSE(dialog.Working()->UseDefSelTextColor);
    EXPECT_TRUE(dialog.ForegroundButton()->isEnabled());
    dialog.BackgroundButton()->SetColor(RGB(9, 8, 7));
    EXPECT_EQ(dialog.Working()->SelTextBack, RGB(9, 8, 7));
    return false;
  });
  EXPECT_NE(parser.Settings().SelTextBack, RGB(9, 8, 7));
}

TEST_F(OptionsDialog, AClickOnATokenOfThePreviewSelectsItsStyle) {
  Run([&] {
    TQtInkMemo& preview = *dialog.Preview();
    preview.SetText("<tag attr='v'>text</tag>");
    QApplication::processEvents();
    preview.viewport()->repaint();
    auto* list = Find<QListWidget>("SynElementsBox");
    const auto clickOn = [&](int32_t offset) {
      const TPoint p = preview.PointFromChar(offset);
      QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, QPoint(p.X + 2, p.Y + 2));
      return list->currentRow();
    };
    const std::vector<TStyleElement> elements = StyleElements(*dialog.Working());
    const int tag = clickOn(1);
    EXPECT_GE(tag, 0);
    EXPECT_EQ(tag, ElementAtOffset(preview, 1, elements));
    const int text = clickOn(15);
    EXPECT_EQ(text, ElementAtOffset(preview, 15, elements));
    EXPECT_NE(text, tag);
    list->setCurrentRow(static_cast<int>(elements.size()) - 1);
    clickOn(15);  // the same spot again: nothing
    EXPECT_EQ(list->currentRow(), static_cast<int>(elements.size()) - 1);
    return false;
  });
}

TEST_F(OptionsDialog, CancelLeavesEverythingAndOkChangesEveryEditor) {
  const std::string before = StreamForm(parser.Settings());
  const auto edit = [&] {
    const uint8_t style = dialog.Working()->GetEditableStyle(2).Style;
    SelectElement(style);
    if (Check("UseDefForeBox")->isChecked()) Check("UseDefForeBox")->click();
    dialog.ForegroundButton()->SetColor(RGB(1, 200, 3));
    auto* size = Find<QComboBox>("FontSizeBox");
    size->setCurrentIndex(size->findText("14"));
    emit size->activated(size->currentIndex());
    dialog.Pages()->setCurrentIndex(0);
    Check("ShowAllCharsBox")->click();
  };
  EXPECT_FALSE(Run([&] {
    edit();
    Find<QPushButton>("CancelButton")->click();
    return dialog.result() == QDialog::Accepted;
  }));
  EXPECT_EQ(StreamForm(parser.Settings()), before);
  for (TInkMemo* e : {&a, &b, &c}) EXPECT_EQ(&e->Settings(), &parser.Settings());

  EXPECT_TRUE(Run([&] {
    edit();
    Find<QPushButton>("OKButton")->click();
    return dialog.result() == QDialog::Accepted;
  }));
  const uint8_t style = parser.Settings().GetEditableStyle(2).Style;
  for (TInkMemo* e : {&a, &b, &c}) {
    EXPECT_EQ(e->Settings().GetStyle(style).TextColor, RGB(1, 200, 3));
    EXPECT_EQ(e->GetFont().Size, 14);
    EXPECT_TRUE(e->HasOption(smoShowAllChars));
  }
}

}  // namespace
}  // namespace ql::test
