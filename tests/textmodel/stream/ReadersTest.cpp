#include <gtest/gtest.h>

#include <string>

#include "textmodel/CharClasses.h"
#include "textmodel/FastMemoryStream.h"
#include "textmodel/StringScanner.h"

using namespace ql;

TEST(StringScanner, WalksOneBasedAndStopsOnePastTheEnd) {
  TStringScanner empty("");
  EXPECT_TRUE(empty.AtEnd());
  EXPECT_EQ(empty.Current(), 0);
  EXPECT_EQ(empty.Position(), 0);
  empty.Advance();
  EXPECT_EQ(empty.Current(), 0);

  TStringScanner s("ab");
  EXPECT_EQ(s.Position(), 1);
  EXPECT_EQ(s.Current(), 'a');
  s.Advance();
  EXPECT_EQ(s.Current(), 'b');
  EXPECT_FALSE(s.AtEnd());
  s.Advance();
  s.Advance();
  EXPECT_EQ(s.Position(), 3);
  EXPECT_TRUE(s.AtEnd());
  EXPECT_EQ(s.Current(), 0);

  s.SetPosition(0);
  EXPECT_EQ(s.Current(), 0) << "before the first character nothing is read";
  s.SetPosition(99);
  EXPECT_TRUE(s.AtEnd());
  EXPECT_EQ(s.Current(), 0);

  s.Set("\xe9");
  EXPECT_EQ(s.Position(), 1);
  EXPECT_EQ(s.Current(), 0xE9);
}

TEST(CharClasses, DefaultsAndHooks) {
  struct Case {
    uint8_t c;
    bool starts;
    bool inWord;
  };
  const Case cases[] = {
      {'a', true, true}, {'Z', true, true}, {'_', true, true},  {'0', false, true}, {'9', false, true},
      {'-', false, true}, {'\'', false, true}, {' ', false, false}, {'\r', false, false}, {0xE9, false, false},
      {'@', false, false}, {'[', false, false}, {'{', false, false},
  };
  TCharClasses classes;
  for (const Case& c : cases) {
    EXPECT_EQ(classes.CharStartsWord(c.c), c.starts) << int(c.c);
    EXPECT_EQ(classes.CharIsInWord(c.c), c.inWord) << int(c.c);
  }
  classes.fn_CharStartsWord = [](uint8_t c) { return c == '$'; };
  classes.fn_CharIsInWord = [](uint8_t c) { return c >= 0x80; };
  EXPECT_TRUE(classes.CharStartsWord('$'));
  EXPECT_FALSE(classes.CharStartsWord('a'));
  EXPECT_TRUE(classes.CharIsInWord(0xE9));
  EXPECT_FALSE(classes.CharIsInWord('a'));
}

TEST(CharClasses, LowerCasingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(LowerText("AbZ_\xC9\xE9@["), "abz_\xC9\xE9@[");
  for (int c = 0; c < 256; ++c) {
    const bool upper = c >= 'A' && c <= 'Z';
    EXPECT_EQ(LowerChar(static_cast<uint8_t>(c)), upper ? c + 32 : c);
  }
}

TEST(FastMemoryStream, ReadsUpToTheFirstNulWithoutCopying) {
  const std::string text("ab\0cd", 5);
  TFastMemoryStream s(text);
  EXPECT_EQ(s.Size(), 2);
  EXPECT_EQ(s.Memory(), text.data());
  char buf[8];
  EXPECT_EQ(s.Read(buf, 8), 2);
  EXPECT_EQ(std::string(buf, 2), "ab");
  try {
    s.Write("x", 1);
    FAIL() << "no exception";
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message, "Cannot write to a read-only stream");
  }

  TFastMemoryStream c("xyz");
  EXPECT_EQ(c.Size(), 3);
  TFastMemoryStream none(static_cast<const char*>(nullptr));
  EXPECT_EQ(none.Size(), 0);
}
