// The matcher is bounded: runaway patterns end with an error, deep nesting is refused, long
// literals still match, and long texts are read row by row.
#include <gtest/gtest.h>

#include <string>

#include "SearchTestSupport.h"
#include "services/ExpandReplacement.h"
#include "textmodel/EdStream.h"
#include "toolkit/StringTable.h"

using namespace ql;
using namespace ql::test;

namespace {

// The message id a search raised, or sReNoErrors.
int32_t SearchError(TREParser& re, const std::string& pattern, const std::string& text) {
  try {
    Find(re, pattern, text);
  } catch (const EREParserError& e) {
    EXPECT_EQ(re.ErrorCode, e.Code);
    return e.Code;
  }
  return sReNoErrors;
}

}  // namespace

TEST(SearchLimits, RunawayPatternsEndWithAnError) {
  struct Case {
    const char* pattern;
    std::string text;
  };
  const Case cases[] = {
      {"(a|aa)+b", std::string(60, 'a')},           // exponential in one attempt
      {"(a|aa)+b", std::string(100000, 'a')},
      {"([ab]+)+c", std::string(3000, 'a') + "\r" + std::string(3000, 'b')},
      {"a*b", std::string(300000, 'a')},            // quadratic over the attempts of one long line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    TREParser re;
    EXPECT_EQ(SearchError(re, c.pattern, c.text), sReTooComplex);
  }
}

TEST(SearchLimits, TooManyChoicesAtOnceIsOutOfMemory) {
  TREParser re;
  re.MaxChoices = 1000;
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "ab";
  EXPECT_EQ(SearchError(re, "(ab)*c", text), sReOutOfMemory);
  re.MaxChoices = size_t{1} << 21;
  EXPECT_EQ(Find(re, "(ab)*", text), At(0, 10000)) << "the default holds a long run of choices";
}

TEST(SearchLimits, DeepNestingIsRefusedWithoutRecursingIntoIt) {
  TREParser re;
  EXPECT_FALSE(re.SetPattern(std::string(100000, '(')));
  EXPECT_EQ(re.ErrorCode, sReTooManySubExpressions);
  std::string chain = "a";
  for (int i = 0; i < 20000; ++i) chain += "||a";
  EXPECT_FALSE(re.SetPattern(chain));
  EXPECT_EQ(re.ErrorCode, sReTooManySubExpressions);
  std::string alternatives = "x";
  for (int i = 0; i < 20000; ++i) alternatives += "|b" + std::to_string(i) + "z";
  ASSERT_TRUE(re.SetPattern(alternatives));
  EXPECT_EQ(Find(re, alternatives, "zzb19999z"), At(2, 9));
}

TEST(SearchLimits, LiteralsLongerThanTheStepRecordStillMatch) {
  std::string literal;
  for (int i = 0; i < 300; ++i) literal.push_back(static_cast<char>('a' + i % 26));
  const std::string text = "zz" + literal + "zz";
  TREParser re;
  ASSERT_EQ(Find(re, literal, text), At(2, 302));
  EXPECT_EQ(re.StepCount(), 300);
  EXPECT_EQ(re.StepPosition(255), 257);
  auto store = StoreOf(text);
  TRowCursor cursor(*store);
  EXPECT_EQ(ExpandReplacement("%1%255%256%300", re, cursor), "a" + std::string(1, literal[254]));
}

TEST(SearchLimits, LongLinesAreReadAcrossTheirRows) {
  const std::string line = std::string(1'000'000, 'a') + "x";
  EXPECT_EQ(Find(".*x", line), At(0, 1'000'001));
  EXPECT_EQ(Find("a{3000}x", line), At(997'000, 1'000'001));
  EXPECT_EQ(Find("ax", line, 1'000'001, false), At(999'999, 1'000'001));
}

TEST(SearchLimits, SearchStreamSearchesFromTheStreamsPlace) {
  auto store = StoreOf("ab\rab\rab");
  TEdStream stream(store.get());
  stream.StartAt(4);
  TREParser re;
  EXPECT_THROW(re.SearchStream(stream, true), EREParserError) << "no pattern yet";
  ASSERT_TRUE(re.SetPattern("ab"));
  ASSERT_TRUE(re.SearchStream(stream, true));
  EXPECT_EQ(re.MatchStart(), 6);
  ASSERT_TRUE(re.SearchStream(stream, false));
  EXPECT_EQ(re.MatchStart(), 3);
  EXPECT_EQ(stream.CharPos(), 4);
}
