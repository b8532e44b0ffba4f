// The templates' pick list in the Qt editor: it opens under the caret with the typed word's
// template preselected, searches as the user types, expands on Return, closes on Escape, stays
// inside the editor, follows the focused editor of a shared parser, and is deleted exactly once
// whether the editor or the table goes first.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "editor/qt/PickListBox.h"
#include "editor/qt/QtInkMemo.h"
#include "highlight/InkMemoParser.h"
#include "services/CodeTemplates.h"
#include "services/SM_Settings.h"
#include "toolkit/qt/QtFontFactory.h"

namespace ql::test {
namespace {

void AddTemplates(TCodeTemplates& templates) {
  templates.AddTemplate("begin", "Block", "begin\r  |\rend");
  templates.AddTemplate("beep", "Sound", "beep;");
  templates.AddTemplate("case", "Choice", "case | of\rend");
}

std::unique_ptr<TQtInkMemo> ShownEditor(int width = 400, int height = 200) {
  auto memo = std::make_unique<TQtInkMemo>();
  memo->resize(width, height);
  memo->show();
  memo->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(memo.get()));
  memo->SetFocus();
  QApplication::processEvents();
  return memo;
}

TPickListBox* Box(TQtInkMemo& memo) {
  auto* list = dynamic_cast<TQtPickList*>(memo.Settings().Templates().PickList());
  return list != nullptr ? list->Box() : nullptr;
}

class PickList : public ::testing::Test {
protected:
  void SetUp() override {
    InstallQtFontFactory();
    Memo = ShownEditor();
    AddTemplates(Memo->Settings().Templates());
  }
  void Type(QWidget* target, const QString& text) {
    for (const QChar c : text) QTest::keyClick(target, c.toLatin1());
  }

  std::unique_ptr<TQtInkMemo> Memo;
};

TEST_F(PickList, OpensUnderTheCaretSearchesAndExpandsOnReturn) {
  Type(Memo.get(), "x be");
  QTest::keyClick(Memo.get(), Qt::Key_J, Qt::ControlModifier);
  TPickListBox* box = Box(*Memo);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(box->isVisible());
  EXPECT_EQ(box->parentWidget(), Memo->viewport());
  EXPECT_TRUE(box->hasFocus());
  EXPECT_EQ(box->count(), 3);
  EXPECT_EQ(box->currentItem()->text(), "Sound\tbeep");  // the first name holding "be"
  EXPECT_EQ(Memo->GetSelText(), "be");
  const TPoint caret = Memo->PointFromChar(Memo->SelCaret());
  EXPECT_EQ(box->geometry().left(), caret.X);
  EXPECT_EQ(box->geometry().top(), caret.Y + Memo->LineHeight());

  Type(box, "beg");  // the incremental search
  EXPECT_EQ(box->currentItem()->text(), "Block\tbegin");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_FALSE(box->isVisible());
  EXPECT_TRUE(Memo->hasFocus());
  EXPECT_EQ(Memo->GetText(), "x begin\r\n    \r\n  end");
  EXPECT_EQ(Memo->SelCaret(), 12);  // at the template's marker
}

TEST_F(PickList, EscapeClosesAndLeavesTheCaretAfterTheTypedWord) {
  Type(Memo.get(), "be");
  QTest::keyClick(Memo.get(), Qt::Key_J, Qt::ControlModifier);
  TPickListBox* box = Box(*Memo);
  ASSERT_NE(box, nullptr);
  QTest::keyClick(box, Qt::Key_Down);
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_FALSE(box->isVisible());
  EXPECT_TRUE(Memo->hasFocus());
  EXPECT_EQ(Memo->GetText(), "be");
  EXPECT_EQ(Memo->SelAnchor(), 2);
  EXPECT_EQ(Memo->SelCaret(), 2);
  // A double click chooses too.
  QTest::keyClick(Memo.get(), Qt::Key_J, Qt::ControlModifier);
  ASSERT_TRUE(box->isVisible());
  const QRect second = box->visualItemRect(box->item(1));
  QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, second.center());
  QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(Memo->GetText(), "begin\r\n  \r\nend");
}

TEST_F(PickList, StaysInsideANarrowEditorAndAboveTheCaretAtTheBottom) {
  Memo->Settings().Templates().AddTemplate("long", std::string(120, 'D'), "x");
  Memo->resize(200, 120);
  QApplication::processEvents();
  for (int i = 0; i < 5; ++i) QTest::keyClick(Memo.get(), Qt::Key_Return);
  QTest::keyClick(Memo.get(), Qt::Key_J, Qt::ControlModifier);
  TPickListBox* box = Box(*Memo);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(box->isVisible());
  const QRect area = Memo->viewport()->rect();
  EXPECT_TRUE(area.contains(box->geometry())) << box->geometry().x() << "," << box->geometry().y() << " "
                                              << box->geometry().width() << "x" << box->geometry().height();
  const TPoint caret = Memo->PointFromChar(Memo->SelCaret());
  EXPECT_LE(box->geometry().bottom(), caret.Y);  // no room below: above the caret's row
}

TEST_F(PickList, IsDeletedOnceWhicheverGoesFirst) {
  // The editor goes first: its table forgets the list and deletes the box with it.
  auto parser = std::make_unique<TInkMemoParser>();
  AddTemplates(parser->Settings().Templates());
  auto first = ShownEditor();
  first->SetParser1(parser.get());
  first->SetFocus();
  QTest::keyClick(first.get(), Qt::Key_J, Qt::ControlModifier);
  QPointer<TPickListBox> box = Box(*first);
  ASSERT_FALSE(box.isNull());
  ASSERT_TRUE(box->isVisible());
  first.reset();
  EXPECT_TRUE(box.isNull());
  EXPECT_EQ(parser->Settings().Templates().PickList(), nullptr);

  // A second editor of the parser makes a new list; the focused editor takes it over.
  auto second = ShownEditor();
  auto third = ShownEditor();
  second->SetParser1(parser.get());
  third->SetParser1(parser.get());
  second->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(second.get()));
  second->SetFocus();
  QApplication::processEvents();
  QTest::keyClick(second.get(), Qt::Key_J, Qt::ControlModifier);
  box = Box(*second);
  ASSERT_FALSE(box.isNull());
  EXPECT_EQ(box->parentWidget(), second->viewport());
  EXPECT_TRUE(box->isVisible());
  third->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(third.get()));
  third->SetFocus();
  QApplication::processEvents();
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(box->parentWidget(), third->viewport());
  second.reset();  // not the list's editor any more: the box lives on in the third
  ASSERT_FALSE(box.isNull());

  // The table goes first: the box goes with it, and the editor lives on.
  parser.reset();
  EXPECT_TRUE(box.isNull());
  QTest::keyClick(third.get(), Qt::Key_A);
  EXPECT_EQ(third->GetText(), "a");
}

}  // namespace
}  // namespace ql::test
