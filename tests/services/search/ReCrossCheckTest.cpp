// Random patterns of the constructs the search dialect shares with ECMAScript expressions
// (characters, sets, ., groups, alternatives, greedy repetitions), searched forwards and
// backwards on random texts with line breaks: every match must be the one std::regex finds
// at the nearest start.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "SearchTestSupport.h"
#include "toolkit/StringTable.h"

using namespace ql;
using namespace ql::test;

namespace {

class TPatternMaker {
public:
  explicit TPatternMaker(unsigned seed) : rng_(seed) {}

  std::string Alternation(int depth) {
    std::string out = Sequence(depth);
    while (Pick(4) == 0) out += "|" + Sequence(depth);
    return out;
  }

  int Pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

private:
  std::string Sequence(int depth) {
    std::string out;
    for (int n = 1 + Pick(3); n > 0; --n) out += Piece(depth);
    return out;
  }

  std::string Piece(int depth) {
    static const char* const kAtoms[] = {"a", "b", "c", "[ab]", "[^a]", "[b-c]", "."};
    std::string atom = depth < 3 && Pick(4) == 0 ? "(" + Alternation(depth + 1) + ")" : kAtoms[Pick(7)];
    switch (Pick(10)) {
      case 0: return atom + "*";
      case 1: return atom + "+";
      case 2: return atom + "?";
      case 3: return atom + "{" + std::to_string(Pick(3)) + "}";
      case 4: return atom + "{" + std::to_string(Pick(3)) + ",}";
      case 5: {
        const int n = Pick(3);
        return atom + "{" + std::to_string(n) + "," + std::to_string(n + Pick(3)) + "}";
      }
      default: return atom;
    }
  }

  std::mt19937 rng_;
};

// The match of re at exactly p, as (start, end), or none.
TBounds ReferenceAt(const std::regex& re, const std::string& text, int32_t p) {
  std::smatch m;
  if (!std::regex_search(text.begin() + p, text.end(), m, re, std::regex_constants::match_continuous)) return None;
  return At(p, p + static_cast<int32_t>(m.length(0)));
}

}  // namespace

TEST(SearchCrossCheck, MatchesAgreeWithStdRegex) {
  TPatternMaker maker(4303);
  int compared = 0;
  for (int round = 0; round < 800; ++round) {
    const std::string pattern = maker.Alternation(0);
    TREParser re;
    re.PerAttemptBudget = 100'000;  // the texts are short: only runaway patterns need more
    if (!re.SetPattern(pattern)) continue;  // a repeated operand that can be empty: refused here
    const std::regex reference(pattern, std::regex::ECMAScript);
    for (int t = 0; t < 5; ++t) {
      std::string text;
      for (int n = maker.Pick(40); n > 0; --n) text.push_back("abcab\r"[maker.Pick(6)]);
      auto store = StoreOf(text);
      TRowCursor cursor(*store);
      const int32_t len = static_cast<int32_t>(text.size());
      const int32_t from = maker.Pick(len + 1);
      for (bool forward : {true, false}) {
        TBounds found;
        try {
          if (re.Search(cursor, from, forward)) found = At(re.MatchStart(), re.MatchEnd());
        } catch (const EREParserError& e) {
          ASSERT_EQ(e.Code, sReTooComplex);
          continue;  // nested repetitions that take exponential time: no comparison
        }
        TBounds expected;
        if (forward) {
          for (int32_t p = from; p < len && !expected; ++p) expected = ReferenceAt(reference, text, p);
        } else {
          for (int32_t p = from - 1; p >= 0 && !expected; --p) expected = ReferenceAt(reference, text, p);
        }
        ASSERT_EQ(found, expected) << "pattern " << pattern << " text \"" << text << "\" from " << from
                                   << (forward ? " forward" : " backward");
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 3000) << "too few patterns compiled";
}
