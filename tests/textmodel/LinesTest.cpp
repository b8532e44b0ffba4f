#include <gtest/gtest.h>

#include "textmodel/CaretControl.h"
#include "textmodel/InkMemoStrings.h"
#include "textmodel/TextControl.h"

using namespace ql;

TEST(Lines, EmptyText) {
  TTextControl c;
  EXPECT_EQ(c.Lines().Count(), 0);
  EXPECT_EQ(c.Store().LineCount(), 1);
  EXPECT_EQ(c.Lines().Get(0), "");
  EXPECT_EQ(c.CaretControl().CaretLine(), 1);
  EXPECT_EQ(c.CaretControl().CaretColumn(), 1);
}

TEST(Lines, ReadRowsAndDelete) {
  TTextControl c;
  c.SetText("a\rb");
  ASSERT_EQ(c.Lines().Count(), 2);
  EXPECT_EQ(c.Lines().Get(0), "a");
  EXPECT_EQ(c.Lines().Get(1), "b");
  EXPECT_EQ(c.Lines().Get(7), "");
  c.Lines().Delete(0);
  EXPECT_EQ(c.GetText(), "b");
  c.SetText("a\rb");
  c.Lines().Delete(1);
  EXPECT_EQ(c.GetText(), "a\r\n");
  EXPECT_EQ(c.Lines().Count(), 1);
  c.Lines().Delete(5);
  EXPECT_EQ(c.GetText(), "a\r\n");
  EXPECT_TRUE(c.GetModified());
}

TEST(Lines, PutAndInsertAreEdits) {
  TTextControl c;
  c.SetText("one\rtwo\r");
  c.Lines().Put(1, "TWO");
  EXPECT_EQ(c.GetText(), "one\r\nTWO\r\n");
  c.Lines().Insert(0, "zero");
  EXPECT_EQ(c.GetText(), "zero\r\none\r\nTWO\r\n");
  c.Lines().Insert(10, "end");
  EXPECT_EQ(c.GetText(), "zero\r\none\r\nTWO\r\nend\r\n");
  c.SetText("last");
  c.Lines().Insert(1, "next");
  EXPECT_EQ(c.GetText(), "last\r\nnext\r\n");
  c.Lines().Put(9, "tail");
  EXPECT_EQ(c.GetText(), "last\r\nnext\r\ntail");
  c.Lines().Insert(-1, "ignored");
  EXPECT_EQ(c.Lines().Count(), 3);
}

TEST(Lines, AddStringsReplacesTheText) {
  TTextControl c;
  c.SetText("old\rstuff");
  TStringList list{"x", "y"};
  c.Lines().AddStrings(list);
  EXPECT_EQ(c.GetText(), "x\r\ny\r\n");
  c.Lines().Assign(list);
  EXPECT_EQ(c.GetText(), "x\r\ny\r\n");
}

TEST(Lines, SetTextStrWithTheSameTextKeepsTheHistory) {
  struct Counting : TTextControl {
    int notified = 0;
    void NotifyTextChanged() override { ++notified; }
  } c;
  c.SetText("a\rb");
  c.SetSelection(3, 3);
  c.ReplaceSelection("c");
  ASSERT_TRUE(c.GetModified());
  c.Lines().SetTextStr("a\nbc");
  EXPECT_TRUE(c.GetModified());
  EXPECT_EQ(c.notified, 0);
  c.Lines().SetTextStr("a\nbd");
  EXPECT_FALSE(c.GetModified());
  EXPECT_EQ(c.GetText(), "a\r\nbd");
  EXPECT_EQ(c.notified, 1);
}

TEST(CaretControl, LineAndColumnCountFromOne) {
  TTextControl c;
  c.SetText("a\r\nb\r\n");
  c.SetSelection(4, 4);
  EXPECT_EQ(c.CaretControl().CaretLine(), 3);
  EXPECT_EQ(c.CaretControl().CaretColumn(), 1);
  c.SetText("\tab\rxy");
  c.SetSelection(2, 2);
  EXPECT_EQ(c.CaretControl().CaretLine(), 1);
  EXPECT_EQ(c.CaretControl().CaretColumn(), 10);
  c.SetSelection(6, 6);
  EXPECT_EQ(c.CaretControl().CaretLine(), 2);
  EXPECT_EQ(c.CaretControl().CaretColumn(), 3);
}
