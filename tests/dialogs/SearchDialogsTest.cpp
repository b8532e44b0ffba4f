// The find and replace dialogs on an editor: what they start with, their buttons, the question
// of replace with confirmation beside the dialog, the pattern error and not-found boxes, and
// an editor that goes away while its dialog is open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "dialogs/QtSearchDialogs.h"
#include "editor/EditorSearch.h"
#include "editor/InkMemo.h"
#include "services/SearchFlags.h"

namespace ql::test {
namespace {

class SearchDialogs : public ::testing::Test {
protected:
  void SetUp() override {
    window.resize(500, 300);
    window.show();
    dialogs = TQtSearchDialogs::Create(&window);
    Attach(memo);
  }
  void Attach(TInkMemo& editor) {
    editor.Search().OnCreateSearchDialogs = [this](TCustomInkMemo& e) { return dialogs->For(e); };
  }
  std::string Text() { return memo.Store().GetRange(0, memo.Store().TextLength); }
  TSelectionEnds Sel() const { return {memo.SelAnchor(), memo.SelCaret()}; }

  // Answers the next message box with the button whose text contains answer, and returns
  // the box's text (or runs body, which opens it, first).
  QString Answer(const QString& answer, const std::function<void()>& body, QPoint* where = nullptr) {
    QString text;
    bool answered = false;
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      text = box->text();
      if (where != nullptr) *where = box->pos();
      for (QAbstractButton* b : box->buttons()) {
        if (b->text().remove('&').contains(answer)) {
          answered = true;
          b->click();
          break;
        }
      }
      poll->stop();
    });
    poll->start(10);
    body();
    poll->stop();
    poll->deleteLater();
    EXPECT_TRUE(answered) << "no box answered with " << answer.toStdString();
    return text;
  }

  QWidget window;
  std::shared_ptr<TQtSearchDialogs> dialogs;
  TInkMemo memo;
};

TEST_F(SearchDialogs, FindStartsWithTheSelectionAndItsButtonFindsBothWays) {
  memo.SetText("one two three two");
  memo.SetSelection(4, 7);
  memo.Search().FindText(srMatchCase, {});
  TFindReplaceDialog& find = dialogs->FindDialog();
  ASSERT_TRUE(find.isVisible());
  EXPECT_EQ(find.FindBox()->currentText(), "two");
  EXPECT_TRUE(find.MatchCaseBox()->isChecked());
  find.FindNextButton()->click();
  EXPECT_EQ(Sel(), (TSelectionEnds{14, 17}));
  find.UpButton()->setChecked(true);
  find.FindNextButton()->click();
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 7}));
  const QString box = Answer("OK", [&] { find.FindNextButton()->click(); });
  EXPECT_EQ(box, "Search string \"two\" not found.");
  EXPECT_EQ(Sel(), (TSelectionEnds{4, 7}));

  find.FindBox()->setEditText("t(w");
  find.RegexBox()->setChecked(true);
  EXPECT_FALSE(find.WholeWordBox()->isEnabled());
  const QString error = Answer("OK", [&] { find.FindNextButton()->click(); });
  EXPECT_TRUE(error.contains("Unmatched parenthesis\nt(w\n   ^")) << error.toStdString();
}

TEST_F(SearchDialogs, ReplaceAsksBesideTheDialogAndReplaceAllIsOneStep) {
  memo.SetText("foo foo foo");
  memo.Search().ShowReplaceDialog(0);
  TFindReplaceDialog& replace = dialogs->ReplaceDialog();
  ASSERT_TRUE(replace.isVisible());
  EXPECT_FALSE(dialogs->FindDialog().isVisible());
  replace.FindBox()->setEditText("foo");
  replace.ReplaceBox()->setEditText("foobar");
  QPoint where;
  const QString question = Answer("All", [&] { replace.ReplaceButton()->click(); }, &where);
  EXPECT_EQ(question, "Replace this occurence of 'foo' with 'foobar' ?");
  EXPECT_EQ(Text(), "foobar foobar foobar");
  const QRect dialog = replace.frameGeometry();
  EXPECT_LE(std::abs(where.x() - dialog.left()), 40);
  EXPECT_TRUE(where.y() > dialog.bottom() || where.y() < dialog.top()) << "not over the dialog";

  memo.SetText("a1 a22 a333");
  memo.SetSelection(0, 0);
  replace.RegexBox()->setChecked(true);
  replace.FindBox()->setEditText("a(\\d+)");
  replace.ReplaceBox()->setEditText("%2:");
  replace.ReplaceAllButton()->click();
  EXPECT_EQ(Text(), "1: 22: 333:");
  memo.Undo();
  EXPECT_EQ(Text(), "a1 a22 a333");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is gone";
}

TEST_F(SearchDialogs, AnEditorThatGoesAwayLeavesItsDialogActingForNobody) {
  auto other = std::make_unique<TInkMemo>();
  Attach(*other);
  other->SetText("abc");
  other->Search().FindText(0, {});
  TFindReplaceDialog& find = dialogs->FindDialog();
  ASSERT_TRUE(find.isVisible());
  other.reset();
  EXPECT_FALSE(find.isVisible());
  find.FindBox()->setEditText("b");
  find.FindNextButton()->click();  // nothing happens, nothing crashes

  memo.SetText("abc");
  memo.Search().FindText(0, "b");
  find.FindNextButton()->click();
  EXPECT_EQ(Sel(), (TSelectionEnds{1, 2}));
}

}  // namespace
}  // namespace ql::test
