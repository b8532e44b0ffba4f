// The search dialect: what each construct matches, the steps a match records and the
// replacements built from them, pattern errors with their positions, and backward search.
#include <gtest/gtest.h>

#include <string>

#include "SearchTestSupport.h"
#include "services/ExpandReplacement.h"
#include "toolkit/StringTable.h"

using namespace ql;
using namespace ql::test;

namespace {

std::string Show(const TBounds& b) {
  return b ? "[" + std::to_string(b->first) + "," + std::to_string(b->second) + ")" : "none";
}

}  // namespace

TEST(SearchDialect, EachConstructMatchesWhatItShould) {
  struct Case {
    const char* pattern;
    std::string text;
    TBounds expected;
  };
  const Case cases[] = {
      {"abc", "xxabcx", At(2, 5)},
      {"a.c", "abc", At(0, 3)},
      {"a.c", "a\rc", None},                   // . is not CR
      {"b.", "ab", None},                      // . is not the end of the text
      {"[b-d]+", "xaxcdby", At(3, 6)},
      {"[^a]", "aab", At(2, 3)},
      {"[^a]", "a\r", At(1, 2)},               // a negated set takes CR
      {"[\\x41-\\x43]+", "zABCD", At(1, 4)},   // escapes in sets
      {"[a\\-]+", "x-a-", At(1, 4)},
      {"\\d+", "ab123c", At(2, 5)},
      {"\\w+", "  foo_1 ", At(2, 7)},
      {"\\s", "ab\rc", At(2, 3)},               // CR is white space
      {"\\D\\W\\S", "1-1 ", None},
      {"\\D\\W\\S", "a-x", At(0, 3)},
      {"\\W", "ab\r", At(2, 3)},                // CR is outside the word class
      {"\\x41\\101\\t\\.\\ ", "zAA\t. ", At(1, 6)},
      {"\\X4a", "J", At(0, 1)},                // escape letters without regard to case
      {"\\n", "a\rb", At(1, 2)},                // the stored line break
      {"\\r", "a\rb", None},                    // LF is never stored
      {"\\N", "a\rb", At(1, 2)},
      {"\"a+b\"", "aab a+b", At(4, 7)},          // a quoted literal
      {"\"a\\\"b\"", "a\"b", At(0, 3)},
      {"\"ab\"+", "xababab", At(1, 7)},
      {"^a", "a\ra", At(2, 3)},                 // ^ consumes the CR; the match leaves it out
      {"^a", "a", None},                        // never at the start of the text
      {"^\\n", "x\r\r", At(2, 3)},
      {"b$", "ab\r", At(1, 2)},
      {"b$", "ab", None},                       // no CR at the end
      {"$", "ab\r", At(2, 2)},
      {"ab|cd", "xcd", At(1, 3)},
      {"x|ab|cd", "abcd", At(0, 2)},
      {"(a|ab)c", "abc", At(0, 3)},             // backtracking into an alternative
      {"(a|ab)(c|bcd)", "abcd", At(0, 4)},
      {"a*b", "aaab", At(0, 4)},
      {"a+", "baaa", At(1, 4)},
      {"a?b", "b", At(0, 1)},
      {"x*", "abc", At(0, 0)},                   // an empty match where the search starts
      {".*b", "abab\rb", At(0, 4)},              // greedy, then back to the last b
      {"[a-c]{2,3}d", "abcabd", At(2, 6)},
      {"a{2}", "aaa", At(0, 2)},
      {"a{2,}", "baaaa", At(1, 5)},
      {"a{,2}b", "aaab", At(1, 4)},
      {"a{1,2}", "aaa", At(0, 2)},
      {"a{0}b", "ab", At(1, 2)},                 // x{0}: no repetition at all
      {"(ab){2}", "abababx", At(0, 4)},
      {"(ab){2,3}", "abababab", At(0, 6)},
      {"(ab|a){2,}c", "aababc", At(0, 6)},
      {"((a|b){2}c){2}", "xabcbacx", At(1, 7)},
      {"(a(b(c(d(e(f(g(h(i)))))))))", "abcdefghi", At(0, 9)},  // nine deep
      {"(x)?y", "y", At(0, 1)},
      {"$?a", "a", At(0, 1)},
      {"^+a", "x\r\ra", At(3, 4)},               // a repeated ^ takes several CRs
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Show(Find(c.pattern, c.text)), Show(c.expected)) << "text: " << c.text;
  }
}

TEST(SearchDialect, EitherOrderFindsBothSidesInEitherOrderTheSecondOptional) {
  const struct {
    const char* pattern;
    std::string text;
    TBounds expected;
  } cases[] = {
      {"a||b", "xab", At(1, 3)}, {"a||b", "xba", At(1, 3)}, {"a||b", "xa", At(1, 2)},
      {"a||b", "xb", At(1, 2)},  {"a||b", "xc", None},      {"x(a||b)y", "xbay", At(0, 4)},
      {"a||b||c", "cab", At(0, 3)},  // (a||b)||c
      {"q|a||b", "ba", At(0, 2)},    // || binds before |
      {"(a)b||c", "ca", At(0, 1)},   // the side (a)b is enclosed whole: its b is not optional
      {"(a)b||c", "cab", At(0, 3)},
      {"a||", "a", At(0, 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Show(Find(c.pattern, c.text)), Show(c.expected)) << "text: " << c.text;
  }
}

TEST(SearchDialect, MatchesRecordStepsThatReplacementsRefer) {
  struct Case {
    const char* pattern;
    std::string text;
    const char* templ;
    std::string expected;
  };
  const Case cases[] = {
      {"(x+)(y+)", "xxyy", "%2%1", "yyxx"},
      {"(x+)(y+)", "xxyy", "%%-%", "%-%"},
      {"(x+)(y+)", "xxyy", "a\\nb\\t\\s\\\\", "a\rb\t \\"},
      {"(x+)(y+)", "xxyy", "<%3><%0><%256><%9999999999>", "<><><><>"},  // past the steps: nothing
      {"(x+)(y+)", "xxyy", "%01%q", "xxq"},
      {"abc", "abc", "%3%2%1", "cba"},                    // each ordinary character is a step
      {"a*b", "aab", "%1|%2", "aa|b"},                    // a repetition is one step
      {"\"ab\"+c", "ababc", "%1-%2", "abab-c"},
      {"(ab)+", "ababab", "%2|%3|%4", "ab|ab|"},           // a group: a step each time it is entered
      {"(a(b)c)d", "abcd", "%1/%2", "abc/d"},             // steps inside a group are not kept
      {"a||b", "ba", "%1", "ba"},                         // either-order is one group
      {"x$", "x\ry", "%1[%2]", "x[]"},                     // $ is a step of no length
      {"^(a)", "x\ra", "%1", "a"},
      {"a", "a", "\\x41\\101\\x", "AA"},                  // \x without a digit ends the expansion
      {"a", "a", "1\\4002", "1"},                         // so does an octal code above 255
      {"a", "a", "z\\", "z\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " / " + c.templ);
    TREParser re;
    ASSERT_TRUE(re.SetPattern(c.pattern));
    auto store = StoreOf(c.text);
    TRowCursor cursor(*store);
    ASSERT_TRUE(re.Search(cursor, 0, true));
    EXPECT_EQ(ExpandReplacement(c.templ, re, cursor), c.expected);
  }
}

TEST(SearchDialect, StepPositionsOfAMatch) {
  TREParser re;
  auto store = StoreOf("zzxxyy");
  TRowCursor cursor(*store);
  EXPECT_EQ(re.StepPosition(0), -1) << "no match yet";
  ASSERT_TRUE(re.SetPattern("(x+)(y+)"));
  ASSERT_TRUE(re.Search(cursor, 0, true));
  EXPECT_EQ(re.StepCount(), 2);
  EXPECT_EQ(re.StepPosition(0), 2);
  EXPECT_EQ(re.StepPosition(1), 4);
  EXPECT_EQ(re.StepPosition(2), 6);
  EXPECT_EQ(re.StepPosition(3), -1);
  EXPECT_EQ(re.StepPosition(255), -1);
  EXPECT_THROW(re.StepPosition(256), EREParserError);
  EXPECT_THROW(re.StepPosition(-1), EREParserError);
}

TEST(SearchDialect, PatternErrorsTellWhatAndWhere) {
  struct Case {
    std::string pattern;
    int32_t code;
    int32_t pos;  // 1-based; one past the end when the pattern ends too soon
  };
  const Case cases[] = {
      {"", sReInvalidParameter, 0},
      {"*a", sReInvalidRepeat, 1},
      {"a|*", sReInvalidRepeat, 3},
      {"(+a)", sReInvalidRepeat, 2},
      {"{2}", sReInvalidRepeat, 1},
      {"(a*)*", sReInvalidRepeat, 5},   // a repeated operand that can match nothing
      {"$*", sReInvalidRepeat, 2},
      {"a{0}+", sReNestedRepeat, 5},
      {"a**", sReNestedRepeat, 3},
      {"a+?", sReNestedRepeat, 3},
      {"a{2}{3}", sReNestedRepeat, 5},
      {"(ab", sReUnmatchedParenthesis, 4},
      {"ab)", sReUnmatchedParenthesis, 3},
      {"[a-]", sReInvalidRange, 4},
      {"[z-a]", sReInvalidRange, 4},
      {"[]", sReUnmatchedBracket, 2},
      {"[^]", sReUnmatchedBracket, 3},
      {"[ab", sReUnmatchedBracket, 4},
      {"[a-", sReUnmatchedBracket, 4},
      {"a{}", sReInvalidRange, 3},
      {"a{,}", sReInvalidRange, 4},
      {"a{3,2}", sReInvalidRange, 6},
      {"a{2", sReInvalidRange, 4},
      {"a{2x}", sReInvalidRange, 4},
      {"a{99999}", sReInvalidRange, 7},
      {"\\x", sReHexDigitExpected, 3},
      {"ab\\xg", sReHexDigitExpected, 5},
      {"[\\x]", sReHexDigitExpected, 4},
      {"a\\", sReUnexpectedEnd, 3},
      {"\"abc", sReQuoteExpected, 5},
      {"((((((((((a))))))))))", sReTooManySubExpressions, 10},
      {"(((((((a||b)))))))", sReTooManySubExpressions, 9},  // the either-order form nests three deeper
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    TREParser re;
    EXPECT_FALSE(re.SetPattern(c.pattern));
    EXPECT_EQ(LoadStr(re.ErrorCode), LoadStr(c.code));
    EXPECT_EQ(re.ErrorPos, c.pos);
    EXPECT_EQ(re.LastPattern(), "");
  }
  TREParser re;
  EXPECT_TRUE(re.SetPattern("((((((a||b))))))")) << "six groups and the either-order form: nine deep";
}

TEST(SearchDialect, AFailedPatternLeavesNothingToSearchWith) {
  TREParser re;
  auto store = StoreOf("abc");
  TRowCursor cursor(*store);
  ASSERT_TRUE(re.SetPattern("b"));
  EXPECT_TRUE(re.SetPattern("b")) << "the same pattern again";
  EXPECT_FALSE(re.SetPattern("b("));
  try {
    re.Search(cursor, 0, true);
    FAIL() << "searched without a pattern";
  } catch (const EREParserError& e) {
    EXPECT_EQ(e.Message, "Invalid parameter");
    EXPECT_EQ(re.ErrorCode, sReInvalidParameter);
  }
}

TEST(SearchDialect, BackwardSearchTakesTheNearestStartBeforeThePosition) {
  struct Case {
    const char* pattern;
    std::string text;
    int32_t from;
    TBounds expected;
  };
  const std::string tail = "zymurgyquokka <a>yymurgyx</a> zymurgy";
  const Case cases[] = {
      {"ab", "ab ab ab", 8, At(6, 8)},
      {"ab", "ab ab ab", 6, At(3, 5)},  // a match at the position itself is not taken
      {"ab", "ab ab ab", 1, At(0, 2)},  // but one that runs past it is
      {"ab", "ab ab ab", 0, None},
      {"a+", "aaa", 3, At(2, 3)},       // attempts go backwards, each match forwards
      {"^x", "x\rx\rx", 5, At(4, 5)},
      {"^x", "x\rx\rx", 3, At(2, 3)},
      {"[yz]ymurgy[a-z]+", tail, 100, At(17, 25)},
      {"[yz]ymurgy[a-z]+", tail, 17, At(0, 13)},
      {"\\d", "1a2b", 4, At(2, 3)},
      {"[0-5]x", "1x2x9x", 6, At(2, 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " from " + std::to_string(c.from));
    EXPECT_EQ(Show(Find(c.pattern, c.text, c.from, false)), Show(c.expected));
  }
}

TEST(SearchDialect, ForwardSearchStartsAtThePositionAndNeverAtTheEnd) {
  EXPECT_EQ(Show(Find("ab", "ab ab", 1)), Show(At(3, 5)));
  EXPECT_EQ(Show(Find("ab", "ab ab", 3)), Show(At(3, 5)));
  EXPECT_EQ(Show(Find("x*", "ab", 2)), "none");
  EXPECT_EQ(Show(Find("x*", "", 0)), "none");
  EXPECT_EQ(Show(Find("b", "ab", -5)), Show(At(1, 2)));
}
