#include <gtest/gtest.h>

#include "toolkit/ByteSet.h"
#include "toolkit/Color.h"
#include "toolkit/Exception.h"
#include "toolkit/IntegerText.h"
#include "toolkit/StringTable.h"
#include "toolkit/Strings.h"

using namespace ql;

TEST(ByteSet, StoresBitIOfByteIDiv8) {
  TByteSet s{0, 9, 255};
  EXPECT_EQ(s.Bytes()[0], 0x01);
  EXPECT_EQ(s.Bytes()[1], 0x02);
  EXPECT_EQ(s.Bytes()[31], 0x80);
  EXPECT_TRUE(s.Contains(9));
  EXPECT_FALSE(s.Contains(8));
  EXPECT_EQ(s.Count(), 3);
  EXPECT_EQ((~s).Count(), 253);
  EXPECT_EQ((s | TByteSet{1}).Count(), 4);
  EXPECT_EQ((s & TByteSet::Range(5, 20)), TByteSet{9});
  EXPECT_EQ(TByteSet::All() - s, ~s);
}

TEST(Color, KeepsRedInTheLowByte) {
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412u);
  EXPECT_TRUE(IsSystemColor(clWindow));
  EXPECT_EQ(SystemColorIndex(clHighlight), 13);
  EXPECT_FALSE(IsSystemColor(clRed));
}

TEST(Format, FormatsPrintfStyle) {
  EXPECT_EQ(Format("** ERROR near line %d, Column %d: %s", 3, 14, "x"), "** ERROR near line 3, Column 14: x");
  EXPECT_EQ(Format("%s", std::string(1000, 'a').c_str()).size(), 1000u);
}

TEST(StringTable, HoldsTheActionNames) {
  EXPECT_EQ(LoadStr(sActionNameBase + 0), "Cursor left");
  EXPECT_EQ(LoadStr(sActionNameBase + 46), "Scroll display up one line");
  EXPECT_EQ(LoadStr(-12345), "");
}

TEST(StringList, SplitsTextAtEveryLineBreakForm) {
  TStringList list;
  list.SetTextStr("a\r\nb\nc\rd");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[3], "d");
  EXPECT_EQ(list.GetTextStr(), "a\r\nb\r\nc\r\nd\r\n");
  EXPECT_THROW(list.Get(4), EListError);
  list.Delete(0);
  list.Insert(1, "x");
  EXPECT_EQ(list.IndexOf("x"), 1);
}

TEST(IntegerText, OnlyASignedRunOfDigitsInRangeIsANumber) {
  const std::pair<const char*, std::optional<int32_t>> cases[] = {
      {"24", 24},        {" -7 ", -7},       {"+5", 5},       {"0", 0},          {"2147483647", INT32_MAX},
      {"", std::nullopt}, {" ", std::nullopt}, {"1x", std::nullopt}, {"x1", std::nullopt}, {"1 2", std::nullopt},
      {"+-1", std::nullopt}, {"++1", std::nullopt}, {"2147483648", std::nullopt}, {"0x10", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(TryStrToInt(text), value) << '"' << text << '"';
  EXPECT_EQ(StrToInt("12"), 12);
  try {
    StrToInt("1x");
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1x' is not a valid integer value");
  }
}
