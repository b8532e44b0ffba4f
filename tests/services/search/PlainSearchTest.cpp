// Literal search: whole words and case on small texts, and a brute-force cross-check over
// random texts whose long lines are cut into rows of 2047 characters.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "SearchTestSupport.h"
#include "services/PlainSearch.h"
#include "textmodel/CharClasses.h"

using namespace ql;
using namespace ql::test;

namespace {

std::optional<int32_t> Plain(const std::string& text, const std::string& pattern, int32_t start, bool caseSensitive,
                             bool wholeWord, bool backward) {
  auto store = StoreOf(text);
  TRowCursor cursor(*store);
  TCharClasses classes;
  TSearchTables tables;
  return PlainSearch(cursor, classes, tables, start, pattern, caseSensitive, wholeWord, backward);
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// The nearest occurrence by comparing at every position.
std::optional<int32_t> BruteForce(const std::string& text, const std::string& pattern, int32_t start,
                                  bool caseSensitive, bool wholeWord, bool backward) {
  const int32_t n = static_cast<int32_t>(pattern.size());
  const int32_t len = static_cast<int32_t>(text.size());
  auto wordAt = [&](int32_t p) {
    return p >= 0 && p < len && DefaultCharIsInWord(static_cast<uint8_t>(text[static_cast<size_t>(p)]));
  };
  auto occursAt = [&](int32_t p) {
    if (p < 0 || p + n > len || n == 0) return false;
    for (int32_t k = 0; k < n; ++k) {
      const char a = text[static_cast<size_t>(p + k)];
      const char b = pattern[static_cast<size_t>(k)];
      if (caseSensitive ? a != b : Upper(a) != Upper(b)) return false;
    }
    return !wholeWord || (!wordAt(p - 1) && !wordAt(p + n));
  };
  if (backward) {
    for (int32_t p = std::min(start, len); p >= 0; --p)
      if (occursAt(p)) return p;
  } else {
    for (int32_t p = std::max(start, 0); p < len; ++p)
      if (occursAt(p)) return p;
  }
  return std::nullopt;
}

}  // namespace

TEST(PlainSearch, WholeWordsAndCase) {
  struct Case {
    std::string text;
    std::string pattern;
    int32_t start;
    bool caseSensitive, wholeWord, backward;
    std::optional<int32_t> expected;
  };
  const Case cases[] = {
      {"foobar xfoo foo", "foo", 0, true, true, false, 12},   // passes over foobar and xfoo
      {"foobar xfoo foo", "foo", 15, true, true, true, 12},
      {"foobar x foo", "foo", 0, true, true, false, 9},       // at the very end of the text
      {"a-foo foo", "foo", 0, true, true, false, 6},          // "-" is a word character
      {"xa a a", "a a", 0, true, true, false, 3},             // found inside a passed-over occurrence
      {"foo\rfoo", "foo", 1, true, true, false, 4},
      {"FOO Foo foo", "foo", 0, false, false, false, 0},
      {"FOO Foo foo", "foo", 0, true, false, false, 8},
      {"a[b{", "[B{", 0, false, false, false, 1},            // only letters fold
      {"\xe4\xc4", "\xc4", 0, false, false, false, 1},        // bytes above 127 keep their case
      {"abc", "", 0, true, false, false, std::nullopt},
      {"ab", "abc", 0, true, false, false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.pattern);
    EXPECT_EQ(Plain(c.text, c.pattern, c.start, c.caseSensitive, c.wholeWord, c.backward), c.expected);
  }
}

TEST(PlainSearch, LiteralsLongerThanARowAndThanTheStepLimit) {
  std::string line(5000, 'x');
  const std::string needle = "needle" + std::string(300, 'q') + "end";
  line.replace(2000, needle.size(), needle);  // spans the rows cut at 2047
  EXPECT_EQ(Plain(line, needle, 0, true, false, false), 2000);
  EXPECT_EQ(Plain(line, needle, 4999, false, false, true), 2000);
}

TEST(PlainSearch, AgreesWithBruteForceOnRandomTextsCutIntoRows) {
  std::mt19937 rng(17);
  const std::string alphabet = "aAbB -_\r";
  auto pick = [&](int n) { return static_cast<int32_t>(rng() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 40; ++round) {
    // Mostly long lines, so that most of the text lies in continuation rows of 2047 characters.
    std::string text;
    const int32_t length = 3000 + pick(6000);
    for (int32_t i = 0; i < length; ++i) {
      char c = alphabet[static_cast<size_t>(pick(7))];
      if (i > 2100 && pick(3000) == 0) c = '\r';  // the first line is always cut
      text.push_back(c);
    }
    auto store = StoreOf(text);
    bool cut = false;
    for (const TTextRow* r = store->FirstRow; r != nullptr; r = r->Next) cut = cut || (r->MarkBits & mbContinuation);
    ASSERT_TRUE(cut) << "some line is cut into rows of 2047";
    TRowCursor cursor(*store);
    TCharClasses classes;
    TSearchTables tables;
    for (int q = 0; q < 15; ++q) {
      std::string pattern;
      if (pick(4) == 0) {
        for (int32_t k = 1 + pick(4); k > 0; --k) pattern.push_back(alphabet[static_cast<size_t>(pick(8))]);
      } else {
        // A piece of the text, often one across a row end.
        const int32_t at = pick(3) == 0 ? 2047 - pick(6) : pick(length);
        pattern = text.substr(static_cast<size_t>(at), static_cast<size_t>(1 + pick(8)));
        if (pick(2) == 0)
          for (char& c : pattern) c = pick(2) ? Upper(c) : static_cast<char>(std::tolower(c));
      }
      for (int32_t start : {-1, pick(length + 2), 2047 - pick(8), length}) {
        for (int mode = 0; mode < 8; ++mode) {
          const bool caseSensitive = mode & 1, wholeWord = mode & 2, backward = mode & 4;
          ASSERT_EQ(PlainSearch(cursor, classes, tables, start, pattern, caseSensitive, wholeWord, backward),
                    BruteForce(text, pattern, start, caseSensitive, wholeWord, backward))
              << "pattern \"" << pattern << "\" from " << start << " mode " << mode << " round " << round;
        }
      }
    }
  }
}
