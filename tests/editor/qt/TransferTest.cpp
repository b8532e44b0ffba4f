// Text leaving and entering the editor in its Qt window: Copy, Cut and Paste through the real
// clipboard with the formats other programs read, and dragging text between two editors.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QStyleHints>
#include <QTest>
#include <QUrl>
#include <memory>

#include "editor/qt/QtInkMemo.h"
#include "toolkit/qt/QtFontFactory.h"

namespace ql::test {
namespace {

// An editor whose drags out are carried by the test: the drag's data enters another editor's
// window as Qt's drag events at a given point, and the drop's answer ends the drag.
class TDraggingMemo : public TQtInkMemo {
public:
  QWidget* DropTarget = nullptr;
  QPoint DropAt;
  Qt::KeyboardModifiers Modifiers = Qt::NoModifier;

protected:
  Qt::DropAction ExecDrag(QDrag& drag, Qt::DropActions actions, Qt::DropAction) override {
    if (DropTarget == nullptr) return Qt::IgnoreAction;
    QDragEnterEvent enter(DropAt, actions, drag.mimeData(), Qt::LeftButton, Modifiers);
    QApplication::sendEvent(DropTarget, &enter);
    if (!enter.isAccepted()) return Qt::IgnoreAction;
    QDragMoveEvent move(DropAt, actions, drag.mimeData(), Qt::LeftButton, Modifiers);
    QApplication::sendEvent(DropTarget, &move);
    QDropEvent drop(DropAt, actions, drag.mimeData(), Qt::NoButton, Modifiers);
    QApplication::sendEvent(DropTarget, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
  }
};

class Transfer : public ::testing::Test {
protected:
  void SetUp() override {
    InstallQtFontFactory();
    for (auto* memo : {&A, &B}) {
      *memo = std::make_unique<TDraggingMemo>();
      (*memo)->resize(400, 200);
      (*memo)->show();
      TInkMemoOptions options = (*memo)->GetOptions();
      options.Include(smoOLEDragSource);
      (*memo)->SetOptions(options);
    }
    QApplication::processEvents();
    // Each drag's press is a first click, however soon it follows the last one.
    doubleClickInterval_ = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
  }
  void TearDown() override { QGuiApplication::styleHints()->setMouseDoubleClickInterval(doubleClickInterval_); }

  // Just right of the boundary before character column of row in memo's window.
  QPoint At(TQtInkMemo& memo, int32_t column, int32_t row) {
    return {memo.TextLeft() + column * memo.CharWidth() + 1, row * memo.LineHeight() + memo.LineHeight() / 2};
  }
  // Presses inside A's selection and moves: the drag goes to target at column, row.
  void DragFromA(TQtInkMemo& target, int32_t column, int32_t row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    A->DropTarget = target.viewport();
    A->DropAt = At(target, column, row);
    A->Modifiers = modifiers;
    QTest::qWait(5);  // past the (zero) double-click time since the last press
    const QPoint press = At(*A, std::min(A->SelAnchor(), A->SelCaret()), 0);
    QTest::mousePress(A->viewport(), Qt::LeftButton, {}, press);
    QMouseEvent move(QEvent::MouseMove, press + QPoint(20, 0), A->viewport()->mapToGlobal(press + QPoint(20, 0)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(A->viewport(), &move);
    QTest::mouseRelease(A->viewport(), Qt::LeftButton, {}, press);
    QApplication::processEvents();
  }

  std::unique_ptr<TDraggingMemo> A, B;
  int doubleClickInterval_ = 400;
};

TEST_F(Transfer, CopyAndPasteCarryTextAndRichTextThroughTheClipboard) {
  A->SetText("<a>\xC3\xA9</a>");
  A->SetSelection(0, 5);
  A->CopyToClipboard();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), QString::fromUtf8("<a>\u00E9"));
  for (const char* rich : {"text/rtf", "application/rtf"}) {
    const QByteArray rtf = data->data(rich);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1")) << rich;
    EXPECT_TRUE(rtf.contains("<a>\\u233")) << rtf.toStdString();
  }
  B->PasteFromClipboard();
  EXPECT_EQ(B->GetText(), "<a>\xC3\xA9");

  // HTML-only data: the fragment, when the editor's handler asks for it.
  auto* html = new QMimeData;
  html->setHtml("<html><body><!--StartFragment--><b>x</b><!--EndFragment--></body></html>");
  QApplication::clipboard()->setMimeData(html);
  B->OnDataDrop = [](TCustomInkMemo&, TSourceTypes& types) { types |= srcHTMLFragment; };
  B->SetText("");
  B->PasteFromClipboard();
  EXPECT_EQ(B->GetText(), "<b>x</b>");

  A->CutToClipboard();
  EXPECT_EQ(A->GetText(), "</a>");
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("<a>\u00E9"));
}

TEST_F(Transfer, DraggingMovesOrCopiesTextBetweenEditorsAndWithinOne) {
  A->SetText("one two");
  B->SetText("xy");
  A->SetSelection(0, 4);  // "one "
  DragFromA(*B, 1, 0);
  EXPECT_EQ(B->GetText(), "xone y");
  EXPECT_EQ(B->GetSelText(), "one ");
  EXPECT_EQ(A->GetText(), "two");
  B->Undo();  // the drop is one step in the receiving editor
  EXPECT_EQ(B->GetText(), "xy");

  // With Ctrl the text is copied; a read-only source only ever copies.
  A->SetSelection(0, 3);
  DragFromA(*B, 2, 0, Qt::ControlModifier);
  EXPECT_EQ(B->GetText(), "xytwo");
  EXPECT_EQ(A->GetText(), "two");
  A->SetReadOnly(true);
  A->SetSelection(0, 1);
  DragFromA(*B, 0, 0);
  EXPECT_EQ(B->GetText(), "txytwo");
  EXPECT_EQ(A->GetText(), "two");
  A->SetReadOnly(false);

  // A read-only target refuses the drop: the source keeps its text.
  B->SetReadOnly(true);
  A->SetSelection(0, 1);
  DragFromA(*B, 0, 0);
  EXPECT_EQ(A->GetText(), "two");
  EXPECT_EQ(B->GetText(), "txytwo");
  B->SetReadOnly(false);

  // Within one editor: moved after itself, in one undo step; dropped onto itself, nothing.
  A->SetText("ab cd");
  A->SetSelection(0, 2);
  DragFromA(*A, 5, 0);
  EXPECT_EQ(A->GetText(), " cdab");
  EXPECT_EQ(A->GetSelText(), "ab");
  A->Undo();
  EXPECT_EQ(A->GetText(), "ab cd");
  A->SetSelection(0, 2);
  DragFromA(*A, 1, 0);
  EXPECT_EQ(A->GetText(), "ab cd");
  EXPECT_FALSE(A->CanUndo());
}

TEST_F(Transfer, DroppedFilesGoToWhoeverTakesThem) {
  auto* data = new QMimeData;
  data->setUrls({QUrl::fromLocalFile("/tmp/a.xml")});
  data->setText("/tmp/a.xml");
  std::unique_ptr<QMimeData> owner(data);
  const auto dropOn = [&](TQtInkMemo& memo) {
    QDragEnterEvent enter(QPoint(50, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo.viewport(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPoint(50, 5), Qt::CopyAction, data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(memo.viewport(), &drop);
    return drop.isAccepted();
  };
  // Without smoProcessDroppedFiles the editor refuses them, so they reach the window around it;
  // the file's name offered as text too is not inserted.
  TInkMemoOptions options = B->GetOptions();
  options.Exclude(smoProcessDroppedFiles);
  B->SetOptions(options);
  B->SetText("");
  EXPECT_FALSE(dropOn(*B));
  EXPECT_EQ(B->GetText(), "");
  options.Include(smoProcessDroppedFiles);
  B->SetOptions(options);
  std::vector<std::string> names;
  B->OnFilesDropped = [&](TCustomInkMemo&, TStringList& files, TPoint) {
    for (int32_t i = 0; i < files.Count(); ++i) names.push_back(files[i]);
  };
  B->OnDataDrop = [](TCustomInkMemo&, TSourceTypes& types) { types &= static_cast<TSourceTypes>(~srcAsIs); };
  dropOn(*B);
  EXPECT_EQ(names, std::vector<std::string>{"/tmp/a.xml"});
  EXPECT_EQ(B->GetText(), "");
}

}  // namespace
}  // namespace ql::test
