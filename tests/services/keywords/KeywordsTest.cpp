#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "services/CharGroupParser.h"
#include "services/Keywords.h"
#include "textmodel/CharClasses.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"

using namespace ql;

namespace {

TSM_CharGroup Group(const std::string& groupText) {
  int32_t pos = 1;
  return ParseCharGroup(groupText, pos);
}

// A text in a row store with a stream over it.
struct Text {
  explicit Text(const std::string& text) : stream(&store) {
    store.InsertText(0, text);
    stream.StartAt(0);
  }
  TTextStore store;
  TEdStream stream;
};

struct Found {
  TKeywordValue value;  // -1 for no match
  int32_t length;
  int32_t after;  // stream position afterwards
};

Found MatchAt(const TKeywords& kw, const std::string& text, int32_t at, bool caseSensitive = false) {
  Text t(text);
  t.stream.StartAt(at);
  int32_t length = -1;
  const TKeywordEntry* e = kw.Match(t.stream, caseSensitive, length);
  return {e != nullptr ? e->Value : -1, length, t.stream.CharPos()};
}

Found MatchBackAt(const TKeywords& kw, const std::string& text, int32_t at) {
  Text t(text);
  t.stream.StartAt(at);
  int32_t length = -1;
  const TKeywordEntry* e = kw.MatchBackward(t.stream, false, length);
  return {e != nullptr ? e->Value : -1, length, t.stream.CharPos()};
}

void ExpectFound(const Found& f, TKeywordValue value, int32_t length, int32_t after, const std::string& what) {
  EXPECT_EQ(f.value, value) << what;
  EXPECT_EQ(f.length, length) << what;
  EXPECT_EQ(f.after, after) << what;
}

}  // namespace

TEST(Keywords, SameWordInDisjointStatesSharesOnePath) {
  TKeywords kw;
  kw.Add("end", false, 1, TByteSet{0}, TSM_CharGroup());
  kw.Add("END", false, 2, TByteSet{1}, TSM_CharGroup());
  const TKeywordNode* node = kw.FindWord("End", false);
  ASSERT_NE(node, nullptr);
  ASSERT_NE(node->Entries, nullptr);
  ASSERT_NE(node->Entries->Next, nullptr);
  EXPECT_EQ(node->Entries->Value, 1);
  EXPECT_EQ(node->Entries->Next->Value, 2);
  EXPECT_EQ(kw.Root()->Char, 'e');
  EXPECT_EQ(kw.Root()->Sibling, nullptr);

  try {
    kw.Add("end", false, 3, TByteSet{0, 2}, TSM_CharGroup());
    FAIL() << "no exception";
  } catch (const EKeywords& e) {
    EXPECT_EQ(e.Message, "Duplicate keyword - 'end'");
  }
  EXPECT_EQ(kw.EntryCount(), 2) << "the table is unchanged";

  // The entry of the active state decides the value.
  ExpectFound(MatchAt(kw, "END;", 0), 1, 3, 3, "state 0");
  kw.ActiveStates = TByteSet{1};
  ExpectFound(MatchAt(kw, "end;", 0), 2, 3, 3, "state 1");
  kw.ActiveStates = TByteSet{2};
  ExpectFound(MatchAt(kw, "end;", 0), -1, 1, 1, "no state of the word is active");
}

TEST(Keywords, EndGroupsAndLongestMatch) {
  TKeywords kw;
  kw.Add("<", true, 1, TByteSet{0}, Group("[/a-zA-Z]"));
  kw.Add("<!--", true, 4, TByteSet{0}, TSM_CharGroup());
  kw.Add("<?", true, 2, TByteSet{0}, TSM_CharGroup());
  ExpectFound(MatchAt(kw, "<!-- x", 0, true), 4, 4, 4, "comment opener");
  ExpectFound(MatchAt(kw, "< x", 0, true), -1, 1, 1, "a blank after <");
  ExpectFound(MatchAt(kw, "<a>", 0, true), 1, 1, 1, "a tag");
  ExpectFound(MatchAt(kw, "</a>", 0, true), 1, 1, 1, "an end tag");
  ExpectFound(MatchAt(kw, "<!-x", 0, true), -1, 1, 1, "walked three characters, found nothing");
  ExpectFound(MatchAt(kw, "x<", 1, true), -1, 1, 2, "nothing follows at the end of the text");
  ExpectFound(MatchAt(kw, "x<?", 1, true), 2, 2, 3, "a word at the very end");

  TKeywords longest;
  longest.Add("ab", false, 1, TByteSet{0}, TSM_CharGroup());
  longest.Add("abcd", false, 2, TByteSet{0}, TSM_CharGroup());
  longest.Add("abcdef", false, 3, TByteSet{0}, Group("[^x]"));
  ExpectFound(MatchAt(longest, "abcx", 0), 1, 2, 2, "back to the shorter word");
  ExpectFound(MatchAt(longest, "abcde", 0), 2, 4, 4, "");
  ExpectFound(MatchAt(longest, "abcdefx", 0), 2, 4, 4, "the longer word's end group refuses x");
  ExpectFound(MatchAt(longest, "abcdef", 0), 3, 6, 6, "0 after the end of the text is no x");
  ExpectFound(MatchAt(longest, "", 0), -1, 1, 0, "empty text");
}

TEST(Keywords, NodeStatesPruneTheWalk) {
  TKeywords kw;
  kw.Add("ab", false, 1, TByteSet{0}, TSM_CharGroup());
  kw.Add("abc", false, 2, TByteSet{1}, TSM_CharGroup());
  kw.Add("xyz", false, 3, TByteSet{1}, TSM_CharGroup());
  ExpectFound(MatchAt(kw, "abc", 0), 1, 2, 2, "abc is a state-1 word");
  ExpectFound(MatchAt(kw, "xyz", 0), -1, 1, 1, "");
  kw.ActiveStates = TByteSet{0, 1};
  ExpectFound(MatchAt(kw, "abc", 0), 2, 3, 3, "");
  kw.ActiveStates = TByteSet{};
  ExpectFound(MatchAt(kw, "abc", 0), -1, 1, 1, "no active state");
}

TEST(Keywords, CaseRules) {
  TKeywords insensitive;
  insensitive.Add("Begin\xC9", false, 1, TByteSet{0}, TSM_CharGroup());
  EXPECT_FALSE(insensitive.CaseSensitive());
  ExpectFound(MatchAt(insensitive, "BEGIN\xC9", 0), 1, 6, 6, "A to Z fold");
  ExpectFound(MatchAt(insensitive, "begin\xE9", 0), -1, 1, 1, "other characters do not");
  ExpectFound(MatchAt(insensitive, "BEGIN\xC9", 0, true), -1, 1, 1, "stored lower case, matched exactly");

  TKeywords sensitive;
  sensitive.Add("If", true, 1, TByteSet{0}, TSM_CharGroup());
  EXPECT_TRUE(sensitive.CaseSensitive());
  ExpectFound(MatchAt(sensitive, "If", 0, true), 1, 2, 2, "");
  ExpectFound(MatchAt(sensitive, "if", 0, true), -1, 1, 1, "");
  EXPECT_NE(sensitive.FindWord("If", true), nullptr);
  EXPECT_EQ(sensitive.FindWord("if", true), nullptr);
  EXPECT_EQ(sensitive.FindWord("I", true), nullptr) << "a prefix is no word";
  EXPECT_EQ(sensitive.FindWord("", true), nullptr);
}

TEST(Keywords, WordsSpanRowsAndMatchMidText) {
  TKeywords kw;
  kw.Add("a\rb", false, 7, TByteSet{0}, TSM_CharGroup());
  ExpectFound(MatchAt(kw, "xa\rbc", 1), 7, 3, 4, "a line break inside a word");
  std::string longRow(3000, 'q');
  longRow += "a\rb";
  ExpectFound(MatchAt(kw, longRow, 3000), 7, 3, 3003, "from a continuation row");
}

TEST(Keywords, BackwardMatchOfReversedNames) {
  TKeywords kw;
  kw.Add("nigeb", false, 1, TByteSet{0}, TSM_CharGroup());   // begin
  kw.Add("ni", false, 2, TByteSet{0}, TSM_CharGroup());      // in
  kw.Add("het", false, 3, TByteSet{0}, Group("[^a-z]"));     // teh, not after a letter
  // The stream starts on the last character of the name, before the caret.
  ExpectFound(MatchBackAt(kw, "x begin", 6), 1, 5, 2, "longest name");
  ExpectFound(MatchBackAt(kw, "BEGIN", 4), 1, 5, 0, "at the start of the text");
  ExpectFound(MatchBackAt(kw, "gin", 2), 2, 2, 1, "the shorter name");
  ExpectFound(MatchBackAt(kw, "teh", 2), 3, 3, 0, "0 before the start of the text");
  ExpectFound(MatchBackAt(kw, " teh", 3), 3, 3, 1, "");
  ExpectFound(MatchBackAt(kw, "xteh", 3), -1, 1, 2, "a letter before the name");
  ExpectFound(MatchBackAt(kw, "q", 0), -1, 1, 0, "no match at position 0 stays there");
}

TEST(Keywords, ClearReleasesValuesAndRestartsGroupIndexes) {
  TKeywords kw;
  std::vector<TKeywordValue> released;
  kw.OnReleaseValue = [&](TKeywordValue v) { released.push_back(v); };
  EXPECT_EQ(kw.Groups().Count(), 1) << "the empty group comes first";
  kw.Add("a", false, 10, TByteSet{0}, Group("x"));
  kw.Add("b", false, 20, TByteSet{0}, TSM_CharGroup());
  EXPECT_EQ(kw.FindWord("a", false)->Entries->EndGroup, 1);
  EXPECT_EQ(kw.FindWord("b", false)->Entries->EndGroup, 0);
  kw.Clear();
  std::sort(released.begin(), released.end());
  EXPECT_EQ(released, (std::vector<TKeywordValue>{10, 20}));
  EXPECT_EQ(kw.Root(), nullptr);
  EXPECT_EQ(kw.FindWord("a", false), nullptr);
  EXPECT_EQ(kw.Groups().Count(), 0);
  kw.Add("a", false, 30, TByteSet{0}, Group("x"));
  EXPECT_EQ(kw.FindWord("a", false)->Entries->EndGroup, 0);
  ExpectFound(MatchAt(kw, "ax", 0), 30, 1, 1, "");
  kw.OnReleaseValue = nullptr;
}

// Forward matching against a brute-force search over the words, on random tables and texts.
TEST(Keywords, ForwardMatchAgreesWithBruteForce) {
  struct Word {
    std::string text;  // as stored (lower-cased for case-insensitive tables)
    TByteSet states;
    TSM_CharGroup end;
    TKeywordValue value;
  };
  std::mt19937 rng(77);
  const std::string alphabet = "abAB\r-";
  const std::vector<std::string> ends = {"", "a", "[^b]", "[\r-]", "[aA]"};
  for (int round = 0; round < 150; ++round) {
    const bool caseSensitive = round % 2 == 0;
    TKeywords kw;
    std::vector<Word> words;
    const int count = std::uniform_int_distribution<int>(1, 25)(rng);
    for (int i = 0; i < count; ++i) {
      std::string w;
      const int len = std::uniform_int_distribution<int>(1, 4)(rng);
      for (int k = 0; k < len; ++k) w.push_back(alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)]);
      TByteSet states;
      for (uint8_t s = 0; s < 3; ++s)
        if (std::uniform_int_distribution<int>(0, 2)(rng) == 0) states.Include(s);
      const TSM_CharGroup end = Group(ends[std::uniform_int_distribution<size_t>(0, ends.size() - 1)(rng)]);
      try {
        kw.Add(w, caseSensitive, i, states, end);
      } catch (const EKeywords&) {
        continue;
      }
      words.push_back({caseSensitive ? w : LowerText(w), states, end, i});
    }
    kw.ActiveStates = TByteSet{};
    for (uint8_t s = 0; s < 3; ++s)
      if (std::uniform_int_distribution<int>(0, 1)(rng) == 0) kw.ActiveStates.Include(s);

    std::string text;
    const int textLen = std::uniform_int_distribution<int>(0, 30)(rng);
    for (int k = 0; k < textLen; ++k) text.push_back(alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)]);
    Text t(text);
    const std::string folded = caseSensitive ? text : LowerText(text);
    for (int32_t at = 0; at <= textLen; ++at) {
      // Brute force: the longest word at `at`; among entries of that word, the first added.
      TKeywordValue want = -1;
      int32_t wantLen = 0;
      for (const Word& w : words) {
        const int32_t n = static_cast<int32_t>(w.text.size());
        if (at + n > textLen || folded.compare(static_cast<size_t>(at), static_cast<size_t>(n), w.text) != 0) continue;
        if ((w.states & kw.ActiveStates).Empty()) continue;
        const uint8_t next = at + n < textLen ? static_cast<uint8_t>(text[static_cast<size_t>(at + n)]) : 0;
        if (!w.end.IsEmpty() && !w.end.Contains(next)) continue;
        if (n > wantLen) {
          wantLen = n;
          want = w.value;
        }
      }
      t.stream.StartAt(at);
      int32_t length = -1;
      const TKeywordEntry* e = kw.Match(t.stream, caseSensitive, length);
      const TKeywordValue got = e != nullptr ? e->Value : -1;
      ASSERT_EQ(got, want) << "round " << round << " at " << at;
      ASSERT_EQ(length, want >= 0 ? wantLen : 1);
      ASSERT_EQ(t.stream.CharPos(), want >= 0 ? at + wantLen : std::min(at + 1, textLen));
    }
  }
}
