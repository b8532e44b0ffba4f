// Files dropped on the window: the drop component and the window's handling of the names.
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "WorkbenchFixture.h"
#include "app/FileDrag.h"

namespace ql::test {
namespace {

QMimeData* FilesData(const std::vector<fs::path>& files) {
  auto* data = new QMimeData;
  QList<QUrl> urls;
  for (const fs::path& file : files) urls << QUrl::fromLocalFile(QString::fromStdString(file.string()));
  urls << QUrl(QStringLiteral("https://example.com/remote.xml"));  // not a local file: ignored
  data->setUrls(urls);
  return data;
}

// Drags data over target and drops it at point, as the desktop does; true when it was taken.
bool DropOn(QWidget* target, QMimeData* data, QPoint point) {
  QDragEnterEvent enter(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(point), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

using FileDrops = WorkbenchTest;

TEST_F(FileDrops, DeliversLocalNamesInOrderWithTheDropPoint) {
  QWidget owner;
  TFileDrag drag(&owner);
  EXPECT_TRUE(drag.EnableDrop());
  EXPECT_TRUE(owner.acceptDrops());
  int x = -1, y = -1;
  drag.OnDrop = [&](TFileDrag& sender, int32_t dx, int32_t dy) {
    EXPECT_EQ(&sender, &drag);
    x = dx;
    y = dy;
  };
  std::unique_ptr<QMimeData> data(FilesData({"/b/2.xml", "/a/1.xsl"}));
  ASSERT_TRUE(DropOn(&owner, data.get(), QPoint(17, 23)));
  ASSERT_EQ(drag.FileCount(), 2);
  EXPECT_EQ(drag.Files()[0], "/b/2.xml");
  EXPECT_EQ(drag.Files()[1], "/a/1.xsl");
  EXPECT_EQ(x, 17);
  EXPECT_EQ(y, 23);

  // Text without files is not a file drop; a disabled component takes nothing.
  QMimeData text;
  text.setText(QStringLiteral("just text"));
  EXPECT_FALSE(DropOn(&owner, &text, QPoint(1, 1)));
  drag.SetEnableDrop(false);
  EXPECT_FALSE(owner.acceptDrops());
  EXPECT_FALSE(DropOn(&owner, data.get(), QPoint(1, 1)));
  EXPECT_EQ(drag.FileCount(), 2);

  TFileDrag orphan(nullptr);
  EXPECT_FALSE(orphan.EnableDrop());
}

TEST_F(FileDrops, OpensEachFileInTurnAndShowsTheLastOnesPage) {
  WriteFile(Docs / "first.xml", "<first/>");
  WriteFile(Docs / "second.xml", "<second/>");
  WriteFile(Docs / "style.xsl", "<style/>");
  WriteFile(Docs / "notes.txt", "notes");
  std::unique_ptr<QMimeData> data(
      FilesData({Docs / "first.xml", Docs / "style.xsl", Docs / "notes.txt", Docs / "missing.xml", Docs / "second.xml"}));
  ASSERT_TRUE(DropOn(&W(), data.get(), QPoint(300, 200)));
  EXPECT_TRUE(W().XMLOpen && W().XSLTOpen);
  EXPECT_EQ(W().XMLDoc->FileName, (Docs / "second.xml").string());
  EXPECT_EQ(Text(W().XMLDoc), "<second/>");
  EXPECT_EQ(W().XSLTDoc->FileName, (Docs / "style.xsl").string());
  EXPECT_EQ(W().CurrentKind, dkXML);
  // The missing file is reported and the drop goes on with the next one.
  ASSERT_EQ(Dialogs.Errors.size(), 1u);
  EXPECT_TRUE(Dialogs.Errors[0].contains("missing.xml"));
}

TEST_F(FileDrops, AFileDroppedOnAnEditorReachesTheWindow) {
  WriteFile(Docs / "a.xml", "<a/>");
  WriteFile(Docs / "b.xml", "<b/>");
  W().OpenDocument((Docs / "a.xml").string());
  QTest::keyClicks(W().XMLDoc, "X");
  Dialogs.Answers = {TAnswer::Cancel};  // the drop asks about the unsaved change first
  std::unique_ptr<QMimeData> data(FilesData({Docs / "b.xml"}));
  QWidget* viewport = W().XMLDoc->viewport();
  ASSERT_TRUE(DropOn(viewport, data.get(), QPoint(10, 10)));
  EXPECT_EQ(Dialogs.Questions.size(), 1u);
  EXPECT_EQ(Text(W().XMLDoc), "X<a/>");
}

// Text is not a file drop: an editor of the window takes it itself, as one undoable step.
TEST_F(FileDrops, TextDroppedOnAnEditorGoesIntoIt) {
  WriteFile(Docs / "a.xml", "<a/>");
  W().OpenDocument((Docs / "a.xml").string());
  QMimeData data;
  data.setText(QStringLiteral("<b/>"));
  ASSERT_TRUE(DropOn(W().XMLDoc->viewport(), &data, QPoint(10, 10)));
  EXPECT_TRUE(Dialogs.Questions.empty());
  const std::string text = Text(W().XMLDoc);
  EXPECT_EQ(text.size(), 8u);
  EXPECT_NE(text.find("<b/>"), std::string::npos);
  EXPECT_NE(text.find("<a/>"), std::string::npos);
  W().XMLDoc->Undo();
  EXPECT_EQ(Text(W().XMLDoc), "<a/>");
}

}  // namespace
}  // namespace ql::test
