// Find, Find Next and Replace from the main window's Edit menu, on the shown document.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "WorkbenchFixture.h"
#include "dialogs/FindReplaceDialog.h"

namespace ql::test {
namespace {

using SearchCommands = WorkbenchTest;

TFindReplaceDialog* ShownDialog(TMainForm& w, bool replace) {
  for (TFindReplaceDialog* d : w.findChildren<TFindReplaceDialog*>()) {
    if (d->IsReplaceDialog() == replace && d->isVisible()) return d;
  }
  return nullptr;
}

TEST_F(SearchCommands, FindStartsWithTheSelectionAndFindNextGoesOnWithoutTheDialog) {
  TMainForm& w = W();
  w.bbFileNewXSLT->trigger();
  TqlnInkMemo& doc = *w.CurrentEditor;
  doc.SetText("<a>one</a>\n<b>one</b>\n<c>one</c>\n");
  doc.SetSelection(3, 6);
  w.bbEditFind->trigger();
  TFindReplaceDialog* find = ShownDialog(w, false);
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(find->FindBox()->currentText(), "one");
  find->FindNextButton()->click();
  EXPECT_EQ(doc.GetSelStart(), 14);
  find->close();
  // F3: the same search again, from the new selection.
  w.bbEditFindNext->trigger();
  EXPECT_EQ(doc.GetSelStart(), 25);
  EXPECT_EQ(w.bbEditFind->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
  EXPECT_EQ(w.bbEditFindNext->shortcut(), QKeySequence(Qt::Key_F3));
}

TEST_F(SearchCommands, ReplaceAllActsOnTheShownDocumentAndUndoesInOneStep) {
  TMainForm& w = W();
  w.bbFileNewXML->trigger();
  TqlnInkMemo& xml = *w.CurrentEditor;
  xml.SetText("<r><i>1</i><i>2</i></r>\r\n");
  w.bbFileNewXSLT->trigger();
  TqlnInkMemo& xslt = *w.CurrentEditor;
  const std::string stylesheet = "<i/>\r\n<i/>\r\n<i/>\r\n";
  xslt.SetText(stylesheet);
  xslt.SetSelection(0, 0);
  w.bbEditReplace->trigger();
  TFindReplaceDialog* replace = ShownDialog(w, true);
  ASSERT_NE(replace, nullptr);
  EXPECT_EQ(ShownDialog(w, false), nullptr);
  replace->FindBox()->setEditText("<i/>");
  replace->ReplaceBox()->setEditText("<item/>");
  replace->ReplaceAllButton()->click();
  EXPECT_EQ(xslt.GetText(), "<item/>\r\n<item/>\r\n<item/>\r\n");
  EXPECT_EQ(xml.GetText(), "<r><i>1</i><i>2</i></r>\r\n");
  w.bbEditUndo->trigger();
  EXPECT_EQ(xslt.GetText(), stylesheet);
}

}  // namespace
}  // namespace ql::test
