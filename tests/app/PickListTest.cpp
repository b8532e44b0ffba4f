// The templates' pick list in the main window: Ctrl+J after a prefix opens it beside the caret of
// the stylesheet editor; typing narrows the choice and Return expands the template.
#include <QTest>

#include "WorkbenchFixture.h"
#include "editor/qt/PickListBox.h"
#include "highlight/InkMemoParser.h"
#include "services/CodeTemplates.h"
#include "services/SM_Settings.h"

namespace ql::test {
namespace {

using WindowPickList = WorkbenchTest;

TEST_F(WindowPickList, TypedPrefixCtrlJPickAndExpand) {
  TMainForm& w = W();
  TCodeTemplates& templates = w.XMLParser->Settings().Templates();
  templates.AddTemplate("xsl:template", "Template rule", "<xsl:template match=\"|\">\r</xsl:template>");
  templates.AddTemplate("xsl:value-of", "Value", "<xsl:value-of select=\"|\"/>");
  templates.AddTemplate("xsl:for-each", "Loop", "<xsl:for-each select=\"|\">\r</xsl:for-each>");
  w.bbFileNewXSLT->trigger();
  TqlnInkMemo* editor = w.XSLTDoc;
  ASSERT_TRUE(editor->isVisible());
  editor->SetText("<root>\r\n  \r\n</root>");
  editor->SetSelection(9, 9);
  editor->SetFocus();
  QApplication::processEvents();

  QTest::keyClicks(editor, "xsl");
  QTest::keyClick(editor, Qt::Key_J, Qt::ControlModifier);
  auto* list = dynamic_cast<TQtPickList*>(templates.PickList());
  ASSERT_NE(list, nullptr);
  TPickListBox* box = list->Box();
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(box->isVisible());
  EXPECT_EQ(box->parentWidget(), editor->viewport());
  const TPoint caret = editor->PointFromChar(editor->SelCaret());
  EXPECT_EQ(box->geometry().top(), caret.Y + editor->LineHeight());
  EXPECT_EQ(editor->GetSelText(), "xsl");

  QTest::keyClicks(box, "xsl:v");
  EXPECT_EQ(box->currentItem()->text(), "Value\txsl:value-of");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_FALSE(box->isVisible());
  EXPECT_TRUE(editor->hasFocus());
  EXPECT_EQ(editor->GetText(), "<root>\r\n  <xsl:value-of select=\"\"/>\r\n</root>");
  QTest::keyClicks(editor, "@id");
  EXPECT_EQ(editor->GetText(), "<root>\r\n  <xsl:value-of select=\"@id\"/>\r\n</root>");
}

}  // namespace
}  // namespace ql::test
