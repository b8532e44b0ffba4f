// The transform loop with the real processors: messages that lead to their place, xsl:message
// output, parameters, well-formedness checks, the choice of processor and documents with a
// DOCTYPE transformed offline.
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

#include "WorkbenchFixture.h"
#include "app/BrowserWindow.h"
#include "app/ParametersDialog.h"
#include "app/Processors.h"

namespace ql::test {
namespace {

const std::string kBooks = "<?xml version=\"1.0\"?>\n<books><book>XSLT</book><book>XPath</book></books>\n";
// Line 4 carries an XPath error once "1 + " is typed in front of "name(" (see BreakStylesheet).
const std::string kGreeting =
    "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\n"
    "<xsl:output method=\"text\"/>\n"
    "<xsl:param name=\"who\" select=\"'nobody'\"/>\n"
    "<xsl:template match=\"/\"><xsl:message>greeting <xsl:value-of select=\"$who\"/></xsl:message>"
    "<xsl:for-each select=\"books/book\">[<xsl:value-of select=\"name(.)\"/>:<xsl:value-of select=\".\"/>]</xsl:for-each>"
    "<xsl:value-of select=\"concat(' for ', $who)\"/></xsl:template>\n"
    "</xsl:stylesheet>\n";

class TransformLoop : public WorkbenchTest {
protected:
  void SetUp() override {
    WorkbenchTest::SetUp();
    fs::copy_file(QUILLON_XSLTPROC_LAUNCHER, Program / "xsltproc");
  }

  void OpenPair(const std::string& xml = kBooks, const std::string& xsl = kGreeting) {
    WriteFile(Docs / "books.xml", xml);
    WriteFile(Docs / "greeting.xsl", xsl);
    W().OpenDocument((Docs / "books.xml").string());
    W().OpenDocument((Docs / "greeting.xsl").string());
  }

  void Transform(qint64 limitMs = 60000) {
    W().FlatButton1->click();
    WaitForTransform(limitMs);
  }

  std::string Results() { return Text(W().ResultsDoc); }
  QString Note() { return W().StatusNote->text(); }

  // Double-clicks line (from 1) of an editor, as the user does on a link.
  void DoubleClickLine(TqlnInkMemo* editor, int line) {
    editor->ShowCaretAt(line, 4);
    const TPoint at = editor->PointFromChar(editor->SelCaret());
    QTest::mouseDClick(editor->viewport(), Qt::LeftButton, {}, QPoint(at.X + 1, at.Y + editor->LineHeight() / 2));
  }
  // The text as the editor keeps it: each line break one CR.
  std::string Stored(TqlnInkMemo* editor) { return editor->Store().GetRange(0, editor->Store().TextLength); }

  int CaretLine(TqlnInkMemo* editor) { return editor->CaretControl().CaretLine(); }
  int CaretColumn(TqlnInkMemo* editor) { return editor->CaretControl().CaretColumn(); }
};

// The same pair through both processors: the same result, and what xsl:message said under it.
TEST_F(TransformLoop, BothProcessorsGiveTheSameResultAndShowTheirMessagesUnderIt) {
  OpenPair();
  for (const char* processor : {"xsltproc", "saxon"}) {
    W().SetProcessor(processor);
    Transform();
    EXPECT_EQ(Results(), "[book:XSLT][book:XPath] for nobody") << processor;
    EXPECT_EQ(W().ResultsShow(), rsResultFile);
    EXPECT_EQ(W().ResultsCaption->text().toStdString(), (Program / "results.txt").string());
    EXPECT_TRUE(W().pnlMessages->isVisible()) << processor;
    EXPECT_NE(Text(W().MessagesDoc).find("greeting nobody"), std::string::npos) << Text(W().MessagesDoc);
    EXPECT_TRUE(Note().startsWith("Transformed in ")) << Note().toStdString();
    EXPECT_TRUE(Note().endsWith(QString(" s with %1.").arg(ProcessorById(processor).Name))) << Note().toStdString();
  }
  // A run whose processor says nothing collapses the pane.
  FakeProcessor("echo quiet > \"$2\"");
  W().SetProcessor("saxon");
  Transform();
  EXPECT_EQ(Results(), "quiet\r\n");
  EXPECT_FALSE(W().pnlMessages->isVisible());
}

TEST_F(TransformLoop, AnErrorInAnUnsavedStylesheetLeadsToItsLineAndColumn) {
  OpenPair();
  // Typed, not saved, so the processor reads a temporary copy: "((name(.)" does not parse.
  W().XSLTDoc->SetSelStart(static_cast<int32_t>(Stored(W().XSLTDoc).find("name(.)")));
  QTest::keyClicks(W().XSLTDoc, "((");
  ASSERT_TRUE(W().XSLTDoc->GetModified());

  for (const char* processor : {"saxon", "xsltproc"}) {
    W().SetProcessor(processor);
    Transform();
    const std::string shown = Results();
    EXPECT_EQ(W().ResultsShow(), rsRunMessages) << shown;
    EXPECT_EQ(W().ResultsCaption->text(), "Messages of the processor: no result file was written");
    EXPECT_EQ(shown.find("__~tmp"), std::string::npos) << shown;  // the user's name, not the copy's
    EXPECT_NE(shown.find("greeting.xsl"), std::string::npos) << shown;
    ASSERT_GE(W().MessageCount(), 1) << shown;
    EXPECT_EQ(W().MessageView(), W().ResultsDoc);

    // A double click on the message goes to its line (and column, where it names one).
    const QStringList lines = QString::fromStdString(Stored(W().ResultsDoc)).split(QLatin1Char('\r'));
    int messageLine = 0;
    while (messageLine < lines.size() && !lines[messageLine].contains(" line 4")) ++messageLine;
    ASSERT_LT(messageLine, lines.size()) << shown;
    const QString message = lines[messageLine];
    DoubleClickLine(W().ResultsDoc, messageLine + 1);
    EXPECT_EQ(W().CurrentKind, dkXSLT) << processor;
    EXPECT_EQ(CaretLine(W().XSLTDoc), 4) << processor;
    const QRegularExpressionMatch column = QRegularExpression("column (\\d+)").match(message);
    EXPECT_EQ(CaretColumn(W().XSLTDoc), column.hasMatch() ? column.captured(1).toInt() : 1) << message.toStdString();
  }

  // Enter on a message goes there too, and F4 steps through the messages from any page.
  W().ShowPage(dkResults);
  W().ResultsDoc->ShowCaretAt(1, 1);
  while (W().ResultsDoc->LinkAtCaret() < 0 && CaretLine(W().ResultsDoc) < W().ResultsDoc->Store().LineCount()) {
    QTest::keyClick(W().ResultsDoc, Qt::Key_Down);
  }
  const std::string before = Results();
  W().XSLTDoc->ShowCaretAt(1, 1);
  QTest::keyClick(W().ResultsDoc, Qt::Key_Return);
  EXPECT_EQ(W().CurrentKind, dkXSLT);
  EXPECT_EQ(CaretLine(W().XSLTDoc), 4);
  EXPECT_EQ(Results(), before);  // Enter on a link breaks no line
  W().ShowPage(dkXML);
  W().bbTransformNextMessage->trigger();
  EXPECT_EQ(W().CurrentKind, dkXSLT);
  EXPECT_TRUE(Note().startsWith("Message ")) << Note().toStdString();
}

TEST_F(TransformLoop, AParameterChangesTheOutputAndIsKeptPerStylesheet) {
  OpenPair();
  const QString value = "it's \"a b\" = c";
  std::vector<QString> shownNames;
  Dialogs.OnModal = [&](QDialog& dialog) {
    auto* params = dynamic_cast<TParametersDialog*>(&dialog);
    ASSERT_NE(params, nullptr);
    for (QLineEdit* box : params->Boxes()) shownNames.push_back(box->objectName() + "=" + box->text());
    if (!params->Boxes().isEmpty()) params->Boxes()[0]->setText(value);
    dialog.accept();
  };
  W().bbTransformParameters->trigger();
  ASSERT_EQ(shownNames, std::vector<QString>{"who="});
  for (const char* processor : {"saxon", "xsltproc"}) {
    W().SetProcessor(processor);
    Transform();
    EXPECT_EQ(Results(), "[book:XSLT][book:XPath] for " + value.toStdString()) << processor;
  }
  // Shown again next time for this stylesheet; another stylesheet has its own values.
  shownNames.clear();
  Dialogs.OnModal = [&](QDialog& dialog) {
    for (QLineEdit* box : static_cast<TParametersDialog&>(dialog).Boxes()) shownNames.push_back(box->objectName() + "=" + box->text());
    dialog.reject();
  };
  W().bbTransformParameters->trigger();
  EXPECT_EQ(shownNames, std::vector<QString>{"who=" + value});
  WriteFile(Docs / "other.xslt", kGreeting);
  W().OpenDocument((Docs / "other.xslt").string());
  shownNames.clear();
  W().bbTransformParameters->trigger();
  EXPECT_EQ(shownNames, std::vector<QString>{"who="});
}

TEST_F(TransformLoop, CheckReportsTheFirstErrorAsALinkAndARunSaysSoFirst) {
  OpenPair("<?xml version=\"1.0\"?>\n<books>\n  <book>XSLT</boo>\n</books>\n");
  W().ShowPage(dkXSLT);
  W().bbTransformCheck->trigger();
  EXPECT_EQ(Note(), "greeting.xsl is well-formed.");
  EXPECT_FALSE(W().ResultsOpen);

  W().ShowPage(dkXML);
  W().bbTransformCheck->trigger();
  EXPECT_EQ(W().CurrentKind, dkResults);
  EXPECT_EQ(W().ResultsShow(), rsCheckReport);
  const std::string report = Results();
  EXPECT_NE(report.find("Error on line 3 column 19 of " + (Docs / "books.xml").string() + ":"), std::string::npos) << report;
  EXPECT_NE(report.find("mismatch"), std::string::npos) << report;
  ASSERT_EQ(W().MessageCount(), 1);
  W().bbTransformNextMessage->trigger();
  EXPECT_EQ(W().CurrentKind, dkXML);
  EXPECT_EQ(CaretLine(W().XMLDoc), 3);
  EXPECT_EQ(CaretColumn(W().XMLDoc), 19);

  // A run checks first, and starts nothing when a document is not well-formed.
  FakeProcessor("touch \"$2.ran\"");
  W().ResultsDoc->SetText("before");
  Transform();
  EXPECT_FALSE(fs::exists(Program / "results.txt.ran"));
  EXPECT_NE(Results().find("books.xml is not well-formed XML."), std::string::npos) << Results();
  EXPECT_EQ(W().ResultsCaption->text(), "Well-formedness check: not well-formed");
}

TEST_F(TransformLoop, ADocBookArticleWithItsDoctypeTransformsOffline) {
  const fs::path docbook = "/usr/share/xml/docbook/stylesheet/docbook-xsl/html/docbook.xsl";
  if (!fs::exists(docbook) || !fs::exists("/usr/share/xml/docbook/schema/dtd/4.5/docbookx.dtd")) {
    GTEST_SKIP() << "docbook-xsl and docbook-xml are not installed";
  }
  WriteFile(Docs / "article.xml",
            "<?xml version=\"1.0\"?>\n"
            "<!DOCTYPE article PUBLIC \"-//OASIS//DTD DocBook XML V4.5//EN\"\n"
            "  \"http://www.oasis-open.org/docbook/xml/4.5/docbookx.dtd\">\n"
            "<article><title>Offline&nbsp;Article</title><para>Entities from the DTD: &copy;.</para></article>\n");
  W().OpenDocument((Docs / "article.xml").string());
  W().OpenDocument(docbook.string());
  for (const char* processor : {"xsltproc", "saxon"}) {
    W().SetProcessor(processor);
    Transform(240000);
    const std::string shown = Results();
    EXPECT_EQ(W().ResultsShow(), rsResultFile) << processor << ": " << shown.substr(0, 2000);
    EXPECT_NE(shown.find("class=\"title\""), std::string::npos) << processor;
    EXPECT_NE(shown.find("Article</h2>"), std::string::npos) << processor;
    EXPECT_EQ(Text(W().MessagesDoc).find("oasis-open"), std::string::npos) << Text(W().MessagesDoc);
  }
}

TEST_F(TransformLoop, TheProcessorIsRememberedAndAMissingOneIsNamed) {
  OpenPair();
  W().ProcessorActions[1]->trigger();
  EXPECT_EQ(W().Processor().Id, std::string("xsltproc"));
  Form.reset();
  EXPECT_TRUE(W().ProcessorActions[1]->isChecked());
  EXPECT_FALSE(W().ProcessorActions[0]->isChecked());

  fs::remove(Program / "xsltproc");
  OpenPair();
  W().ResultsOpen = true;
  W().ResultsDoc->SetText("before");
  W().FlatButton1->click();
  ASSERT_EQ(Dialogs.Messages.size(), 1u);
  EXPECT_EQ(Dialogs.Messages[0], "Unable to locate xsltproc processor. Cannot continue.");
  EXPECT_EQ(Results(), "before");
  EXPECT_FALSE(W().TransformRunning());
}

TEST_F(TransformLoop, AnHtmlResultOpensInTheBrowserOrInAWindowOfOurOwn) {
  FakeProcessor("printf '<?xml version=\"1.0\"?>\\n<!-- made -->\\n<html><body>Page</body></html>' > \"$2\"");
  OpenPair();
  EXPECT_FALSE(W().bbViewResultInBrowser->isEnabled());
  Transform();
  EXPECT_TRUE(W().ResultIsHtml());
  W().bbViewResultInBrowser->trigger();
  ASSERT_EQ(Dialogs.Opened.size(), 1u);
  EXPECT_EQ(Dialogs.Opened[0].toStdString(), (Program / "results.html").string());
  EXPECT_EQ(ReadFile(Program / "results.html"), Text(W().ResultsDoc));

  Dialogs.Browser = false;
  W().bbViewResultInBrowser->trigger();
  EXPECT_EQ(Dialogs.Opened.size(), 1u);
  auto* window = W().findChild<TBrowserWindow*>();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->Browser()->toPlainText().contains("Page"));

  FakeProcessor("echo 'plain text' > \"$2\"");
  Transform();
  EXPECT_FALSE(W().ResultIsHtml());
  W().bbViewResultInBrowser->trigger();
  EXPECT_EQ(Note(), "The result is not an HTML page.");
}

TEST_F(TransformLoop, WhatANewUserMeetsIsSaidPlainly) {
  // Transform with a document missing says which.
  W().FlatButton1->click();
  EXPECT_TRUE(Note().contains("an XML document and an XSLT stylesheet")) << Note().toStdString();
  WriteFile(Docs / "books.xml", kBooks);
  W().OpenDocument((Docs / "books.xml").string());
  W().FlatButton1->click();
  EXPECT_TRUE(Note().contains("XSLT stylesheet too")) << Note().toStdString();
  EXPECT_TRUE(Dialogs.Messages.empty());

  // The title names the shown document and marks changes; Save As renames header and title.
  EXPECT_EQ(W().windowTitle(), "books.xml[*] - Quillon");
  EXPECT_FALSE(W().isWindowModified());
  QTest::keyClicks(W().XMLDoc, "x");
  EXPECT_TRUE(W().isWindowModified());
  Dialogs.FileNames = {QString::fromStdString((Docs / "renamed.xml").string())};
  W().bbFileSaveAs->trigger();
  EXPECT_EQ(W().XMLCaption->text().toStdString(), (Docs / "renamed.xml").string());
  EXPECT_EQ(W().windowTitle(), "renamed.xml[*] - Quillon");
  EXPECT_FALSE(W().isWindowModified());

  // The Modified panel holds its word in the font the desktop gives it (Tahoma or a wider stand-in).
  QTest::keyClicks(W().XMLDoc, "y");
  QLabel* modified = W().StatusPanels[1];
  EXPECT_EQ(modified->text(), "Modified");
  EXPECT_GE(modified->contentsRect().width(), modified->fontMetrics().horizontalAdvance("Modified"));

  // Help without a browser shows the page in a window of the program's own.
  fs::copy_file(QUILLON_HELP_PAGE, Program / "readme.htm");
  Dialogs.Browser = false;
  W().bbHelpHelp->trigger();
  EXPECT_TRUE(Dialogs.Opened.empty());
  auto* help = W().findChild<TBrowserWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->windowTitle(), "Quillon Help");
  EXPECT_FALSE(help->Browser()->toPlainText().isEmpty());
}

}  // namespace
}  // namespace ql::test
