// The window's document states and file commands, driven through the real main window.
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "WorkbenchFixture.h"

namespace ql::test {
namespace {

const std::string kStylesheet =
    "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\r\n\r\n\r\n</xsl:stylesheet>";

// New documents are saved with LF line ends.
const std::string kStylesheetLF =
    "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\n\n\n</xsl:stylesheet>";

using DocumentCommands = WorkbenchTest;

TEST_F(DocumentCommands, StartsWithAnEmptyWorkspaceWhereCommandsDoNothing) {
  TMainForm& w = W();
  EXPECT_FALSE(w.XMLOpen || w.XSLTOpen || w.ResultsOpen);
  EXPECT_EQ(w.CurrentKind, dkXML);
  EXPECT_EQ(w.CurrentEditor, nullptr);
  EXPECT_EQ(w.SideBar->currentRow(), 0);
  for (QWidget* panel : {w.pnlXML, w.pnlXSLT, w.pnlResults}) EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(Panel(0), "");
  EXPECT_EQ(Panel(1), "");
  // Nothing to act on: no question, no dialog, no message.
  for (QAction* a : {w.bbEditUndo, w.bbEditCut, w.bbEditPaste, w.bbFileSave, w.bbFileSaveAs, w.bbFileClose}) a->trigger();
  w.FlatButton1->click();
  EXPECT_TRUE(Dialogs.Questions.empty() && Dialogs.FileDialogs.empty() && Dialogs.Messages.empty());
  EXPECT_EQ(w.windowTitle(), "Quillon");
}

TEST_F(DocumentCommands, NewDocumentsGetTheirTemplateAndAnUntitledNameInTheCurrentFolder) {
  TMainForm& w = W();
  w.bbFileNewXSLT->trigger();
  EXPECT_TRUE(w.XSLTOpen);
  EXPECT_EQ(w.CurrentKind, dkXSLT);
  EXPECT_EQ(w.CurrentEditor, w.XSLTDoc);
  EXPECT_EQ(w.XSLTDoc->FileName, (Docs / "Untitled.xsl").string());
  EXPECT_EQ(Text(w.XSLTDoc), kStylesheet);
  EXPECT_FALSE(w.XSLTDoc->GetModified());
  EXPECT_TRUE(w.pnlXSLT->isVisible());
  EXPECT_EQ(w.XSLTCaption->text().toStdString(), (Docs / "Untitled.xsl").string());
  EXPECT_EQ(w.SideBar->currentRow(), 1);
  EXPECT_EQ(Panel(0), "Ln 1     Col 1");
  EXPECT_EQ(Panel(1), "");

  // The folder is the one current at the time of the command.
  fs::current_path("/");
  w.bbFileNewXML->trigger();
  EXPECT_EQ(w.XMLDoc->FileName, "/Untitled.xml");
  EXPECT_EQ(Text(w.XMLDoc), "<?xml version=\"1.0\"?>\r\n\r\n");
  EXPECT_EQ(w.CurrentEditor, w.XMLDoc);
}

TEST_F(DocumentCommands, NewAsksBeforeReplacingUnsavedChanges) {
  TMainForm& w = W();
  w.bbFileNewXML->trigger();
  QTest::keyClicks(w.XMLDoc, "typed");
  ASSERT_TRUE(w.XMLDoc->GetModified());
  EXPECT_EQ(Panel(1), "Modified");

  Dialogs.Answers = {TAnswer::Cancel};
  w.bbFileNewXML->trigger();
  ASSERT_EQ(Dialogs.Questions.size(), 1u);
  EXPECT_EQ(Dialogs.Questions[0].Title, "Information");
  EXPECT_EQ(Dialogs.Questions[0].Text.toStdString(),
            (Docs / "Untitled.xml").string() + " has been modified. Do you wish to save changes?");
  EXPECT_NE(Text(w.XMLDoc).find("typed"), std::string::npos);
  EXPECT_TRUE(w.XMLDoc->GetModified());

  Dialogs.Answers = {TAnswer::No};
  w.bbFileNewXML->trigger();
  EXPECT_EQ(Text(w.XMLDoc), "<?xml version=\"1.0\"?>\r\n\r\n");
  EXPECT_FALSE(w.XMLDoc->GetModified());
  EXPECT_EQ(Dialogs.Questions.size(), 2u);

  // An untouched document is replaced without a question.
  w.bbFileNewXML->trigger();
  EXPECT_EQ(Dialogs.Questions.size(), 2u);
}

TEST_F(DocumentCommands, OpenChoosesTheDocumentByExtension) {
  WriteFile(Docs / "Sample.XSL", "<s/>\n");
  WriteFile(Docs / "data.xml", "<d/>\n");
  WriteFile(Docs / "sample.xslt", "<t/>\n");
  for (const char* ignored : {"notes.txt", "noext", "dir.xml/file"}) {
    fs::create_directories((Docs / ignored).parent_path());
    WriteFile(Docs / ignored, "x");
  }
  TMainForm& w = W();
  for (const char* ignored : {"notes.txt", "noext", "dir.xml/file"}) {
    w.OpenDocument((Docs / ignored).string());
  }
  EXPECT_FALSE(w.XMLOpen || w.XSLTOpen);
  EXPECT_TRUE(Dialogs.Errors.empty());

  w.OpenDocument((Docs / "sample.xslt").string());
  EXPECT_TRUE(w.XSLTOpen);
  EXPECT_EQ(Text(w.XSLTDoc), "<t/>\r\n");

  w.OpenDocument((Docs / "Sample.XSL").string());
  EXPECT_TRUE(w.XSLTOpen);
  EXPECT_EQ(w.XSLTDoc->FileName, (Docs / "Sample.XSL").string());
  EXPECT_EQ(Text(w.XSLTDoc), "<s/>\r\n");
  EXPECT_FALSE(w.XSLTDoc->GetModified());
  EXPECT_EQ(w.CurrentKind, dkXSLT);
  w.OpenDocument((Docs / "data.xml").string());
  EXPECT_TRUE(w.XMLOpen);
  EXPECT_EQ(w.CurrentEditor, w.XMLDoc);
}

TEST_F(DocumentCommands, OpenDialogFilterFollowsThePageAndForgetsTheName) {
  WriteFile(Docs / "a.xml", "<a/>");
  TMainForm& w = W();
  Dialogs.FileNames = {std::nullopt, QString::fromStdString((Docs / "a.xml").string()), std::nullopt, std::nullopt};
  w.bbFileOpen->trigger();  // on the XML page, cancelled
  w.ShowPage(dkXSLT);
  w.bbFileOpen->trigger();  // on the XSLT page: opens a.xml all the same
  EXPECT_TRUE(w.XMLOpen);
  w.OpenDialog.FilterIndex = 3;  // the user picked "All Files" last time
  w.ShowPage(dkResults);
  w.bbFileOpen->trigger();
  w.ShowPage(dkXML);
  w.bbFileOpen->trigger();
  ASSERT_EQ(Dialogs.FileDialogs.size(), 4u);
  const int expected[] = {1, 2, 3, 1};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(Dialogs.FileDialogs[i].Title, "Open");
    EXPECT_EQ(Dialogs.FileDialogs[i].FilterIndex, expected[i]) << i;
    EXPECT_EQ(Dialogs.FileDialogs[i].FileName, "") << i;
    EXPECT_EQ(Dialogs.FileDialogs[i].Filter,
              "XML Files (*.xml)|*.xml|XSLT Files (*.xsl;*.xslt)|*.xsl;*.xslt|All Files (*.*)|*.*");
  }
}

TEST_F(DocumentCommands, OpeningOverUnsavedChangesAsksAndCancelKeepsThem) {
  WriteFile(Docs / "one.xml", "<one/>");
  WriteFile(Docs / "two.xml", "<two/>");
  TMainForm& w = W();
  w.OpenDocument((Docs / "one.xml").string());
  QTest::keyClicks(w.XMLDoc, "X");
  Dialogs.Answers = {TAnswer::Cancel};
  w.OpenDocument((Docs / "two.xml").string());
  EXPECT_EQ(w.XMLDoc->FileName, (Docs / "one.xml").string());
  EXPECT_EQ(Text(w.XMLDoc), "X<one/>");
  EXPECT_TRUE(w.XMLDoc->GetModified());

  Dialogs.Answers = {TAnswer::Yes};  // saves one.xml, then opens two.xml
  w.OpenDocument((Docs / "two.xml").string());
  EXPECT_EQ(ReadFile(Docs / "one.xml"), "X<one/>");
  EXPECT_EQ(w.XMLDoc->FileName, (Docs / "two.xml").string());
  EXPECT_EQ(Text(w.XMLDoc), "<two/>");
}

TEST_F(DocumentCommands, AFailedOpenLeavesTheDocumentClosedSoSaveCannotOverwriteTheOldFile) {
  WriteFile(Docs / "keep.xml", "<keep/>");
  TMainForm& w = W();
  w.OpenDocument((Docs / "keep.xml").string());
  Dialogs.FileNames = {QString::fromStdString((Docs / "missing.xml").string())};
  w.bbFileOpen->trigger();
  ASSERT_EQ(Dialogs.Errors.size(), 1u);
  EXPECT_EQ(Dialogs.Errors[0].toStdString(),
            "File '" + (Docs / "missing.xml").string() + "' cannot be opened for reading");
  EXPECT_FALSE(w.XMLOpen);
  EXPECT_EQ(w.CurrentEditor, nullptr);
  w.bbFileSave->trigger();
  w.ShowPage(dkXML);
  EXPECT_FALSE(w.pnlXML->isVisible());
  EXPECT_EQ(ReadFile(Docs / "keep.xml"), "<keep/>");
}

TEST_F(DocumentCommands, SaveWritesOnlyWhatNeedsWritingAndNamesNewDocumentsFirst) {
  WriteFile(Docs / "a.xml", "<a/>\n");
  TMainForm& w = W();
  w.OpenDocument((Docs / "a.xml").string());
  fs::last_write_time(Docs / "a.xml", fs::file_time_type{});
  w.bbFileSave->trigger();  // unchanged: nothing happens
  EXPECT_EQ(fs::last_write_time(Docs / "a.xml"), fs::file_time_type{});
  QTest::keyClicks(w.XMLDoc, "<b/>");
  w.bbFileSave->trigger();
  EXPECT_EQ(ReadFile(Docs / "a.xml"), "<b/><a/>\n");  // the file's LF line ends
  EXPECT_FALSE(w.XMLDoc->GetModified());
  EXPECT_EQ(Panel(1), "");

  // A new, untouched document goes through the save dialog with an empty name.
  w.bbFileNewXSLT->trigger();
  Dialogs.FileNames = {std::nullopt};
  w.bbFileSave->trigger();
  ASSERT_EQ(Dialogs.FileDialogs.size(), 1u);
  EXPECT_EQ(Dialogs.FileDialogs[0].Title, "Save");
  EXPECT_TRUE(Dialogs.FileDialogs[0].SaveMode);
  EXPECT_EQ(Dialogs.FileDialogs[0].FileName, "");
  EXPECT_EQ(Dialogs.FileDialogs[0].FilterIndex, 2);

  // So does a document in a folder whose name contains "Untitled".
  fs::create_directories(Docs / "Untitled stuff");
  WriteFile(Docs / "Untitled stuff" / "b.xml", "<b/>");
  w.OpenDocument((Docs / "Untitled stuff" / "b.xml").string());
  Dialogs.FileNames = {QString::fromStdString((Docs / "b2.xml").string())};
  w.bbFileSave->trigger();
  EXPECT_EQ(w.XMLDoc->FileName, (Docs / "b2.xml").string());
  EXPECT_EQ(ReadFile(Docs / "b2.xml"), "<b/>");
}

TEST_F(DocumentCommands, SaveAsAddsTheKindsExtensionAndAsksBeforeReplacingThatFile) {
  TMainForm& w = W();
  w.bbFileNewXSLT->trigger();
  struct TCase {
    const char* typed;
    const char* written;
  } const cases[] = {{"style", "style.xsl"}, {"style.txt", "style.txt"}, {"dotted.dir/plain", "dotted.dir/plain.xsl"}};
  fs::create_directories(Docs / "dotted.dir");
  for (const TCase& c : cases) {
    Dialogs.FileNames = {QString::fromStdString((Docs / c.typed).string())};
    EXPECT_TRUE(w.SaveDocumentAs(dkXSLT)) << c.typed;
    EXPECT_EQ(w.XSLTDoc->FileName, (Docs / c.written).string());
    EXPECT_EQ(ReadFile(Docs / c.written), kStylesheetLF);
  }
  EXPECT_TRUE(Dialogs.Questions.empty());

  // "style" again: style.xsl exists now, and the dialog never asked about that name.
  QTest::keyClicks(w.XSLTDoc, "changed");
  Dialogs.FileNames = {QString::fromStdString((Docs / "style").string())};
  Dialogs.Answers = {TAnswer::No};
  EXPECT_FALSE(w.SaveDocumentAs(dkXSLT));
  ASSERT_EQ(Dialogs.Questions.size(), 1u);
  EXPECT_EQ(Dialogs.Questions[0].Text.toStdString(),
            (Docs / "style.xsl").string() + " already exists.\nDo you want to replace it?");
  EXPECT_FALSE(Dialogs.Questions[0].WithCancel);
  EXPECT_EQ(ReadFile(Docs / "style.xsl"), kStylesheetLF);
  EXPECT_TRUE(w.XSLTDoc->GetModified());

  Dialogs.FileNames = {QString::fromStdString((Docs / "style").string())};
  Dialogs.Answers = {TAnswer::Yes};
  EXPECT_TRUE(w.SaveDocumentAs(dkXSLT));
  EXPECT_EQ(ReadFile(Docs / "style.xsl").substr(0, 7), "changed");
  EXPECT_FALSE(w.XSLTDoc->GetModified());
}

TEST_F(DocumentCommands, AFailedSaveKeepsTheChangesAndStopsTheClose) {
  fs::create_directories(Docs / "sub");
  WriteFile(Docs / "sub" / "a.xml", "<a/>");
  TMainForm& w = W();
  w.OpenDocument((Docs / "sub" / "a.xml").string());
  QTest::keyClicks(w.XMLDoc, "X");
  fs::remove_all(Docs / "sub");  // the folder is gone: the save cannot write
  Dialogs.Answers = {TAnswer::Yes};
  w.bbFileClose->trigger();
  EXPECT_EQ(Dialogs.Errors.size(), 1u);
  EXPECT_TRUE(w.XMLOpen);
  EXPECT_TRUE(w.XMLDoc->GetModified());
  EXPECT_EQ(Text(w.XMLDoc), "X<a/>");

  Dialogs.Answers = {TAnswer::Yes};
  w.close();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(Text(w.XMLDoc), "X<a/>");
}

TEST_F(DocumentCommands, CloseAsksOnlyAboutUnsavedChanges) {
  TMainForm& w = W();
  w.bbFileNewXML->trigger();
  w.bbFileClose->trigger();  // untouched: no question
  EXPECT_FALSE(w.XMLOpen);
  EXPECT_EQ(w.CurrentEditor, nullptr);
  EXPECT_EQ(w.CurrentKind, dkXML);
  EXPECT_FALSE(w.pnlXML->isVisible());

  w.ResultsOpen = true;
  w.ResultsDoc->SetText("result");
  w.ShowPage(dkResults);
  w.bbFileClose->trigger();  // a run's Results is not modified: no question
  EXPECT_FALSE(w.ResultsOpen);
  EXPECT_TRUE(Dialogs.Questions.empty());

  // Text typed into Results is asked about like any other; Cancel keeps it.
  w.ResultsOpen = true;
  w.ResultsDoc->SetText("result");
  w.ShowPage(dkResults);
  QTest::keyClicks(w.ResultsDoc, "edited");
  Dialogs.Answers = {TAnswer::Cancel};
  w.bbFileClose->trigger();
  EXPECT_TRUE(w.ResultsOpen);
  ASSERT_EQ(Dialogs.Questions.size(), 1u);
  Dialogs.Answers = {TAnswer::No};
  w.bbFileClose->trigger();
  EXPECT_FALSE(w.ResultsOpen);
  Dialogs.Questions.clear();

  // Yes on a never-saved document runs Save As; cancelling it keeps the document open.
  w.bbFileNewXSLT->trigger();
  QTest::keyClicks(w.XSLTDoc, "X");
  Dialogs.Answers = {TAnswer::Yes};
  Dialogs.FileNames = {std::nullopt};
  w.bbFileClose->trigger();
  EXPECT_TRUE(w.XSLTOpen);
  EXPECT_EQ(w.CurrentEditor, w.XSLTDoc);
  EXPECT_TRUE(w.XSLTDoc->GetModified());

  Dialogs.Answers = {TAnswer::Yes};
  Dialogs.FileNames = {QString::fromStdString((Docs / "kept.xsl").string())};
  w.bbFileClose->trigger();
  EXPECT_FALSE(w.XSLTOpen);
  EXPECT_EQ(ReadFile(Docs / "kept.xsl").substr(0, 1), "X");
}

TEST_F(DocumentCommands, ClosingTheWindowAsksAboutXMLThenXSLT) {
  TMainForm& w = W();
  w.bbFileNewXML->trigger();
  QTest::keyClicks(w.XMLDoc, "x");
  w.bbFileNewXSLT->trigger();
  QTest::keyClicks(w.XSLTDoc, "s");
  w.ShowPage(dkResults);  // the shown page does not matter

  Dialogs.Answers = {TAnswer::No, TAnswer::Cancel};
  w.bbFileExit->trigger();
  ASSERT_EQ(Dialogs.Questions.size(), 2u);
  EXPECT_TRUE(Dialogs.Questions[0].Text.contains("Untitled.xml"));
  EXPECT_TRUE(Dialogs.Questions[1].Text.contains("Untitled.xsl"));
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.XMLOpen);  // answered No before the Cancel
  EXPECT_TRUE(w.XSLTOpen);
  EXPECT_EQ(Text(w.XSLTDoc).substr(0, 1), "s");

  Dialogs.Answers = {TAnswer::No};
  w.close();
  EXPECT_FALSE(w.isVisible());
}

TEST_F(DocumentCommands, SavingResultsUnderTheResultsFileNameAsksForANewName) {
  TMainForm& w = W();
  const std::string results = (Program / "results.txt").string();
  WriteFile(results, "out");
  w.ResultsDoc->LoadFromFile(results);
  w.ResultsOpen = true;
  w.ShowPage(dkResults);
  QTest::keyClicks(w.ResultsDoc, "kept ");
  Dialogs.FileNames = {QString::fromStdString((Docs / "mine").string())};
  w.bbFileSave->trigger();
  ASSERT_EQ(Dialogs.FileDialogs.size(), 1u);
  EXPECT_EQ(Dialogs.FileDialogs[0].FileName, "results.txt");
  EXPECT_EQ(Dialogs.FileDialogs[0].FilterIndex, 3);
  EXPECT_EQ(ReadFile(Docs / "mine.txt"), "kept out");
  EXPECT_EQ(ReadFile(results), "out");

  // Results that came from messages has no file name of its own: Save asks too.
  w.ResultsDoc->FileName.clear();
  QTest::keyClicks(w.ResultsDoc, "more ");
  Dialogs.FileNames = {std::nullopt};
  w.bbFileSave->trigger();
  EXPECT_EQ(Dialogs.FileDialogs.size(), 2u);
  EXPECT_TRUE(Dialogs.Errors.empty());
}

TEST_F(DocumentCommands, EditCommandsActOnTheShownPageOnly) {
  TMainForm& w = W();
  w.bbFileNewXML->trigger();
  w.bbFileNewXSLT->trigger();  // XSLT shown
  w.bbEditSelectAll->trigger();
  w.bbEditCut->trigger();
  EXPECT_EQ(Text(w.XSLTDoc), "");
  EXPECT_EQ(Text(w.XMLDoc), "<?xml version=\"1.0\"?>\r\n\r\n");
  w.bbEditUndo->trigger();
  EXPECT_EQ(Text(w.XSLTDoc), kStylesheet);
  w.bbEditRedo->trigger();
  EXPECT_EQ(Text(w.XSLTDoc), "");
  w.bbEditPaste->trigger();
  EXPECT_EQ(Text(w.XSLTDoc), kStylesheet);

  // Selecting Results before any transformation: an empty page, and the commands do nothing.
  QTest::mouseClick(w.SideBar->viewport(), Qt::LeftButton, {},
                    w.SideBar->visualItemRect(w.SideBar->item(2)).center());
  EXPECT_EQ(w.CurrentKind, dkResults);
  EXPECT_EQ(w.CurrentEditor, nullptr);
  w.bbEditSelectAll->trigger();
  w.bbEditCut->trigger();
  EXPECT_EQ(Text(w.XMLDoc), "<?xml version=\"1.0\"?>\r\n\r\n");
  EXPECT_EQ(Text(w.XSLTDoc), kStylesheet);
}

TEST_F(DocumentCommands, MenuShortcutsWinOverTheEditorsOwnKeys) {
  TMainForm& w = W();
  w.bbFileNewXML->trigger();
  w.activateWindow();
  QApplication::setActiveWindow(&w);
  w.XMLDoc->setFocus();
  QTest::keyClicks(w.XMLDoc, "ab");
  QTest::keyClick(w.XMLDoc, Qt::Key_Z, Qt::ControlModifier);  // each typed character is one step
  EXPECT_EQ(Text(w.XMLDoc), "a<?xml version=\"1.0\"?>\r\n\r\n");
  QTest::keyClick(w.XMLDoc, Qt::Key_Y, Qt::ControlModifier);  // the menu's Redo
  EXPECT_EQ(Text(w.XMLDoc), "ab<?xml version=\"1.0\"?>\r\n\r\n");
}

TEST_F(DocumentCommands, StatusBarFollowsTheShownEditor) {
  WriteFile(Docs / "t.xml", "a\tb\r\nsecond");
  TMainForm& w = W();
  w.OpenDocument((Docs / "t.xml").string());
  w.XMLDoc->SetSelStart(3);  // after "a", TAB, "b"
  EXPECT_EQ(Panel(0), "Ln 1     Col 6");
  w.XMLDoc->SetSelStart(9);
  EXPECT_EQ(Panel(0), "Ln 2     Col 6");
  QTest::keyClicks(w.XMLDoc, "!");
  EXPECT_EQ(Panel(1), "Modified");
  w.ShowPage(dkXSLT);
  EXPECT_EQ(Panel(0), "");
  EXPECT_EQ(Panel(1), "");
  // Events of an editor that is not shown leave the panels alone.
  QTest::keyClicks(w.XMLDoc, "?");
  EXPECT_EQ(Panel(1), "");
  w.ShowPage(dkXML);
  EXPECT_EQ(Panel(0), "Ln 2     Col 8");
  EXPECT_EQ(Panel(1), "Modified");
}

TEST_F(DocumentCommands, StatusBarShowsTheDisplayEncodingOfTheShownDocument) {
  WriteFile(Docs / "utf8.xml", "<a>caf\xC3\xA9</a>");
  WriteFile(Docs / "latin.xsl", "<a>caf\xE9</a>");
  TMainForm& w = W();
  w.OpenDocument((Docs / "utf8.xml").string());
  EXPECT_EQ(w.EncodingPanel->text(), "UTF-8");
  w.OpenDocument((Docs / "latin.xsl").string());
  EXPECT_EQ(w.EncodingPanel->text(), "Windows-1252");
  w.ShowPage(dkResults);  // nothing shown
  EXPECT_EQ(w.EncodingPanel->text(), "");
  w.ShowPage(dkXML);
  EXPECT_EQ(w.EncodingPanel->text(), "UTF-8");
}

}  // namespace
}  // namespace ql::test
