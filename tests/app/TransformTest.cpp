// Transformations: the real launcher with Saxon-HE for the main paths, small shell scripts in its
// place for the failures.
#include <QLabel>
#include <algorithm>
#include <QTest>
#include <QToolButton>

#include "WorkbenchFixture.h"

namespace ql::test {
namespace {

const std::string kBooks = "<?xml version=\"1.0\"?>\r\n<books><book>XSLT</book><book>XPath</book></books>\r\n";
const std::string kTitles =
    "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\r\n"
    "<xsl:output method=\"text\"/>\r\n"
    "<xsl:template match=\"/\"><xsl:for-each select=\"books/book\">[<xsl:value-of select=\".\"/>]</xsl:for-each>"
    "</xsl:template>\r\n"
    "</xsl:stylesheet>\r\n";

class Transform : public WorkbenchTest {
protected:
  // Opens the pair from files in Docs.
  void OpenPair(const std::string& xml = kBooks, const std::string& xsl = kTitles) {
    WriteFile(Docs / "books.xml", xml);
    WriteFile(Docs / "titles.xsl", xsl);
    W().OpenDocument((Docs / "books.xml").string());
    W().OpenDocument((Docs / "titles.xsl").string());
  }
  std::string Results() { return Text(W().ResultsDoc); }
};

TEST_F(Transform, ASavedPairIsTransformedFromItsFilesWithoutCopies) {
  OpenPair();
  const auto before = Listing(Docs);
  W().FlatButton1->click();
  ASSERT_TRUE(W().TransformRunning());
  EXPECT_EQ(Listing(Docs), before);
  WaitForTransform();
  EXPECT_EQ(Results(), "[XSLT][XPath]");
  EXPECT_TRUE(W().ResultsOpen);
  EXPECT_EQ(W().CurrentKind, dkResults);
  EXPECT_EQ(W().CurrentEditor, W().ResultsDoc);
  EXPECT_FALSE(W().ResultsDoc->GetModified());
  EXPECT_EQ(W().ResultsDoc->FileName, (Program / "results.txt").string());
  EXPECT_EQ(W().ResultsCaption->text().toStdString(), (Program / "results.txt").string());
  EXPECT_EQ(Listing(Docs), before);
  EXPECT_TRUE(Dialogs.Messages.empty() && Dialogs.Errors.empty());
}

TEST_F(Transform, AnUnsavedStylesheetGoesThroughACopyBesideItThatIsRemovedAfterwards) {
  OpenPair();
  // A file of the user's already has the copy's first name: it must survive untouched.
  WriteFile(Docs / "titles__~tmp.xsl", "mine");
  std::string edited = W().XSLTDoc->GetText();
  std::replace(edited.begin(), edited.end(), '[', '{');
  W().XSLTDoc->SelectAll();
  W().XSLTDoc->SetSelText(edited);
  ASSERT_TRUE(W().XSLTDoc->GetModified());

  W().FlatButton1->click();
  ASSERT_TRUE(W().TransformRunning());
  EXPECT_EQ(ReadFile(Docs / "titles__~tmp1.xsl"), W().XSLTDoc->GetText());
  WaitForTransform();
  EXPECT_EQ(Results(), "{XSLT]{XPath]");
  EXPECT_FALSE(fs::exists(Docs / "titles__~tmp1.xsl"));
  EXPECT_EQ(ReadFile(Docs / "titles__~tmp.xsl"), "mine");
  EXPECT_EQ(ReadFile(Docs / "titles.xsl"), kTitles);
  EXPECT_TRUE(W().XSLTDoc->GetModified());
}

TEST_F(Transform, NewUntouchedDocumentsAreTransformedAsShown) {
  W().bbFileNewXML->trigger();
  W().XMLDoc->SetText("<?xml version=\"1.0\"?>\n<a>new</a>");  // as if untouched: the file still does not exist
  W().bbFileNewXSLT->trigger();
  W().FlatButton1->click();
  WaitForTransform();
  EXPECT_EQ(Results(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>new");
  EXPECT_EQ(Listing(Docs), std::vector<std::string>{});
}

TEST_F(Transform, ASyntaxErrorShowsTheProcessorsMessageAndNoOldResult) {
  WriteFile(Program / "results.txt", "stale result of an earlier run");
  OpenPair(kBooks,
           "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\n"
           "<xsl:template match=\"/\">\n"
           "<xsl:value-of select=\".\"/>\n"
           "</xsl:template><xsl:template/>\n"
           "</xsl:stylesheet>\n");
  W().ResultsDoc->FileName = "earlier name";
  W().FlatButton1->click();
  WaitForTransform();
  const std::string shown = Results();
  EXPECT_NE(shown.find("line 4"), std::string::npos) << shown;
  EXPECT_NE(shown.find("xsl:template"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("stale"), std::string::npos);
  EXPECT_FALSE(fs::exists(Program / "results.txt"));
  EXPECT_EQ(W().ResultsDoc->FileName, "earlier name");
  EXPECT_EQ(W().ResultsCaption->text(), "Messages of the processor: no result file was written");
}

TEST_F(Transform, PathsWithBlanksQuotesAndEqualsSignsReachTheProcessorWhole) {
  Program = Program.parent_path() / "my \"program\" $dir";
  fs::create_directories(Program);
  fs::copy_file(QUILLON_LAUNCHER, Program / "saxon");
  Places.ProgramDir = Program.string();
  fs::create_directories(Docs / "a b=c");
  WriteFile(Docs / "a b=c" / "my books.xml", kBooks);
  WriteFile(Docs / "a b=c" / "x=1.xsl", kTitles);
  W().OpenDocument((Docs / "a b=c" / "my books.xml").string());
  W().OpenDocument((Docs / "a b=c" / "x=1.xsl").string());
  W().FlatButton1->click();
  WaitForTransform();
  EXPECT_EQ(Results(), "[XSLT][XPath]");
  EXPECT_EQ(W().ResultsDoc->FileName, (Program / "results.txt").string());
}

TEST_F(Transform, NeedsBothDocumentsOpen) {
  WriteFile(Docs / "books.xml", kBooks);
  W().OpenDocument((Docs / "books.xml").string());
  W().FlatButton1->click();
  EXPECT_FALSE(W().TransformRunning());
  EXPECT_FALSE(W().ResultsOpen);
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(Transform, AMissingLauncherIsReportedAndNothingIsTouched) {
  fs::remove(Program / "saxon");
  OpenPair();
  QTest::keyClicks(W().XMLDoc, " ");
  W().ResultsOpen = true;
  W().ResultsDoc->SetText("before");
  W().FlatButton1->click();
  ASSERT_EQ(Dialogs.Messages.size(), 1u);
  EXPECT_EQ(Dialogs.Messages[0], "Unable to locate Saxon processor. Cannot continue.");
  EXPECT_EQ(Results(), "before");
  EXPECT_EQ(Listing(Docs), (std::vector<std::string>{"books.xml", "titles.xsl"}));
}

TEST_F(Transform, AProcessorThatCannotStartIsReportedAndItsCopiesRemoved) {
  fs::permissions(Program / "saxon", fs::perms::owner_read | fs::perms::owner_write);  // not executable
  OpenPair();
  QTest::keyClicks(W().XMLDoc, " ");
  W().ResultsOpen = true;
  W().ResultsDoc->SetText("before");
  W().FlatButton1->click();
  EXPECT_FALSE(W().TransformRunning());
  ASSERT_EQ(Dialogs.Messages.size(), 1u);
  EXPECT_TRUE(Dialogs.Messages[0].startsWith("The Saxon processor could not be started: ")) << Dialogs.Messages[0].toStdString();
  EXPECT_EQ(Results(), "before");
  EXPECT_EQ(Listing(Docs), (std::vector<std::string>{"books.xml", "titles.xsl"}));
  EXPECT_TRUE(W().FlatButton1->isEnabled());
}

TEST_F(Transform, AFailedRunShowsItsMessagesEvenWhenItWroteAResultsFile) {
  FakeProcessor("echo partial > \"$2\"; echo 'out line'; echo 'error line' >&2; exit 3");
  OpenPair();
  W().FlatButton1->click();
  WaitForTransform();
  EXPECT_EQ(Results(), "out line\r\nerror line\r\n");
  EXPECT_NE(W().ResultsDoc->FileName, (Program / "results.txt").string());

  FakeProcessor("exit 4");  // no messages at all: say how it ended
  W().FlatButton1->click();
  WaitForTransform();
  EXPECT_EQ(Results(), "The Saxon processor ended with exit status 4.");
}

TEST_F(Transform, TheProcessorGetsTheCommandLineInTheProgramsFolder) {
  FakeProcessor("pwd > \"$2\"; for a in \"$@\"; do echo \"<$a>\" >> \"$2\"; done; read line; echo \"stdin:$?\" >> \"$2\"");
  OpenPair();
  W().FlatButton1->click();
  WaitForTransform();
  EXPECT_EQ(Results(), fs::canonical(Program).string() + "\r\n<-o>\r\n<" + (Program / "results.txt").string() +
                           ">\r\n<" + (Docs / "books.xml").string() + ">\r\n<" + (Docs / "titles.xsl").string() +
                           ">\r\nstdin:1\r\n");
}

TEST_F(Transform, WhileTheProcessorRunsTheWindowStaysLiveAndStopEndsIt) {
  FakeProcessor("echo started; : > started.flag; sleep 600 & wait");
  OpenPair();
  QTest::keyClicks(W().XSLTDoc, " ");
  W().FlatButton1->click();
  ASSERT_TRUE(W().TransformRunning());
  EXPECT_FALSE(W().FlatButton1->isEnabled());
  EXPECT_TRUE(W().StopButton->isVisible());
  W().FlatButton1Click();  // a second run does not start
  W().RunTransform();
  // The documents can still be edited meanwhile.
  QTest::keyClicks(W().XMLDoc, "Z");
  EXPECT_EQ(Text(W().XMLDoc).substr(0, 1), "Z");
  EXPECT_EQ(Listing(Docs).size(), 3u);  // the stylesheet's copy

  QElapsedTimer clock;
  clock.start();
  while (!fs::exists(Program / "started.flag") && clock.elapsed() < 30000) QApplication::processEvents();
  W().StopButton->click();
  WaitForTransform();
  EXPECT_EQ(Results(), "started\r\nTransformation stopped.");
  EXPECT_TRUE(W().FlatButton1->isEnabled());
  EXPECT_FALSE(W().StopButton->isVisible());
  EXPECT_EQ(Listing(Docs), (std::vector<std::string>{"books.xml", "titles.xsl"}));
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(Transform, ClosingTheWindowEndsARunAndRemovesItsCopies) {
  FakeProcessor("sleep 600");
  OpenPair();
  QTest::keyClicks(W().XSLTDoc, " ");
  W().FlatButton1->click();
  ASSERT_TRUE(W().TransformRunning());
  Dialogs.Answers = {TAnswer::No};
  W().close();
  EXPECT_FALSE(W().TransformRunning());
  EXPECT_EQ(Listing(Docs), (std::vector<std::string>{"books.xml", "titles.xsl"}));
}

TEST_F(Transform, AResultsFileThatCannotBeDeletedIsReportedAndTheRunDoesNotStart) {
  fs::create_directories(Program / "results.txt" / "inside");  // a folder that is not empty
  OpenPair();
  QTest::keyClicks(W().XMLDoc, " ");
  W().FlatButton1->click();
  EXPECT_FALSE(W().TransformRunning());
  ASSERT_EQ(Dialogs.Errors.size(), 1u);
  EXPECT_TRUE(Dialogs.Errors[0].startsWith(QString::fromStdString("The results file " + (Program / "results.txt").string())))
      << Dialogs.Errors[0].toStdString();
  EXPECT_FALSE(W().ResultsOpen);
  EXPECT_EQ(Listing(Docs), (std::vector<std::string>{"books.xml", "titles.xsl"}));
}

TEST_F(Transform, AReadOnlyProgramFolderPutsTheResultsInTheUsersDataFolder) {
  ProgramWritable = false;
  OpenPair();
  W().FlatButton1->click();
  WaitForTransform();
  EXPECT_EQ(Results(), "[XSLT][XPath]");
  EXPECT_EQ(W().ResultsDoc->FileName, (Data / "results.txt").string());
  EXPECT_FALSE(fs::exists(Program / "results.txt"));
}

TEST_F(Transform, ACopyThatCannotBeWrittenStopsTheRunAndLeavesNoCopies) {
  OpenPair();
  fs::create_directories(Docs / "gone");
  WriteFile(Docs / "gone" / "s.xsl", kTitles);
  W().OpenDocument((Docs / "gone" / "s.xsl").string());
  QTest::keyClicks(W().XMLDoc, " ");
  QTest::keyClicks(W().XSLTDoc, " ");
  fs::remove_all(Docs / "gone");
  W().FlatButton1->click();
  EXPECT_FALSE(W().TransformRunning());
  ASSERT_EQ(Dialogs.Errors.size(), 1u);
  EXPECT_TRUE(Dialogs.Errors[0].contains("s__~tmp.xsl")) << Dialogs.Errors[0].toStdString();
  EXPECT_EQ(Listing(Docs), (std::vector<std::string>{"books.xml", "titles.xsl"}));
}

}  // namespace
}  // namespace ql::test
