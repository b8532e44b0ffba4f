// Handler runs, token-table entries, keyword tables and `match` rules, each on small scripts.
#include "ScannerTesting.h"

using namespace ql;
using namespace ql::test;

namespace {

struct TCase {
  const char* script;
  const char* text;
  const char* values;
};

void ExpectValues(const std::vector<TCase>& cases) {
  for (const auto& c : cases) {
    TScriptParser parser(c.script);
    EXPECT_EQ(Values(parser, c.text), c.values) << c.script << "\n on " << c.text;
  }
}

TEST(HandlerRuns, EndSequencesAndRounds) {
  ExpectValues({
      // Without an end sequence: one unit.
      {"%%words 'x' '' 1 %%handlers 1 'a'", "xaa", "110"},
      // Without the repeat flag the end is looked for from the second round.
      {"%%words 'x' '' 1 %%handlers 1 '[a-z]' 'q' _use_", "xqzq!", "11110"},
      {"%%words 'x' '' 1 %%handlers 1 '[a-z]' * 'q' _use_", "xqzq!", "11000"},
      // _discard_ ends the piece before the end sequence.
      {"%%words 'x' '' 1 %%handlers 1 'a' * 'b' _discard_", "xaab", "1110"},
      // A first unit that fails arms the end check; a failure once armed fails the run.
      {"%%words 'x' '' 1 %%handlers 1 'a' 'b' _use_", "xb", "11"},
      {"%%words 'x' '' 1 %%handlers 1 'a' 'b' _use_", "xc", "00"},
      {"%%words 'x' '' 1 %%handlers 1 'a' * 'b' _use_", "xaac", "0000"},
      // Several end groups: a partial match goes back and the unit takes the character.
      {"%%words 'x' '' 1 %%handlers 1 '[a-z-]' * '\\-\\->' _use_", "x-a--a-->b", "111111111" "0"},
      // A handler code as the end: what it consumed stays, whatever the use value.
      {"%%tokens 1 'x' 'a' * __STD_NUMBER _discard_", "xaa12b", "111110"},
      // The run stops at the end of the text with the piece as far as it got.
      {"%%words 'x' '' 1 %%handlers 1 'a' * 'b' _use_", "xaa", "111"},
      // A standard handler as the start unit is applied once.
      {"%%words '$' '' 1 %%handlers 1 __STD_IDENTIFIER", "$ab1 c", "111100"},
      {"%%words '$' '' 1 %%handlers 1 __STD_IDENTIFIER", "$1", "00"},
      // A character handler with an end sequence repeats.
      {"%%words '<' '' 1 %%handlers 1 _WEB_CHAR * '>' _use_", "<a.b/c>d", "11111110"},
      // A handler for value 0 handles every character no keyword claims.
      {"%%words 'k' '' 2 %%handlers 0 '[a-z]' * ' ' _discard_", "abk cd", "000000"},
  });
  // Where the handler for 0 fails, single characters; a keyword keeps its own value.
  TScriptParser zero("%%words 'k' '' 2 %%handlers 0 '[a-j]' * ' ' _discard_");
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Pieces(zero, "abk cd"), (P{{0, 1}, {0, 1}, {2, 1}, {0, 3}}));
}

TEST(TokenTables, EntriesOfEachKind) {
  ExpectValues({
      // A continuation that fails before the end leaves the start character alone.
      {"%%tokens 3 '&' '[a-z]' * ';' _use_", "&lt;&lt x", "333300000"},
      {"%%tokens 3 '&' '[a-z]' * ';' _use_", "&lt", "333"},
      // Without an end sequence: one continuation unit.
      {"%%tokens 3 '&' '[a-z]' '' 1", "&ab", "330"},
      // A standard handler entry starts on its start set.
      {"%%tokens 7 __STD_NUMBER_OR_FP", "12.5e3 .5 . 1.", "77777707700070"},
      {"%%tokens 7 __STD_C_STRING", "\"a\\\"b\" x", "7777770" "0"},
      // An entry whose states do not meet the active ones is not used.
      {"%%tokens 3 '&' '[a-z]' * ';' _use_ [4]", "&a;", "333"},
      {"%%language startstate = [4] %%tokens 3 '&' '[a-z]' * ';' _use_ [5]", "&a;", "000"},
      // A keyword that stands keeps the table out.
      {"%%words '&' '' 5 %%tokens 3 '&' '[a-z]' * ';' _use_", "&a;", "500"},
  });
}

// A table entry that applies decides the piece, also over what the handler for value 0 made.
TEST(TokenTables, AnEntryTakesOverFromTheHandlerForZero) {
  using P = std::vector<std::pair<int, int>>;
  TScriptParser applies("%%handlers 0 '[^ ]' * ' ' _discard_ %%tokens 3 '&' '[a-z]' * ';' _use_");
  EXPECT_EQ(Pieces(applies, "&lt; x"), (P{{3, 4}, {0, 2}}));
  EXPECT_EQ(Pieces(applies, "a&lt; x"), (P{{0, 5}, {0, 2}}));  // not the first character
  TScriptParser other("%%language startstate = [4] %%handlers 0 '[^ ]' * ' ' _discard_ %%tokens 3 '&' '[a-z]' * ';' _use_ [5]");
  EXPECT_EQ(Pieces(other, "&lt; x"), (P{{0, 4}, {0, 2}}));
}

TEST(StateTables, TheLowestActiveStateWithATableChooses) {
  TScriptParser p(
      "%%language contextstates = (1 [1, 2]), (2 [2]), (3 [3]), (4 [3, 1])\r\n"
      "%%tokens\r\n"
      "InState 1 ( 5 'x' '[a-z]' * ';' _use_ )\r\n"
      "InState 2 ( 6 'x' '[a-z]' * ';' _use_ )\r\n"
      "7 'x' '[a-z]' * ';' _use_\r\n");
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Pieces(p, "xab;", 0), (P{{7, 4}}));  // no state owning a table: the default table
  EXPECT_EQ(Pieces(p, "xab;", 1), (P{{5, 4}}));
  EXPECT_EQ(Pieces(p, "xab;", 2), (P{{6, 4}}));
  EXPECT_EQ(Pieces(p, "xab;", 4), (P{{5, 4}}));
  // State 3 owns no table and the default entry is for state 0 only.
  EXPECT_EQ(Pieces(p, "xa", 3), (P{{0, 1}, {0, 1}}));
}

TEST(KeywordTables, TheSettingsTableComesAfterTheParsersOwn) {
  const char* script =
      "%%language case = __insensitive contextstates = (9 [1])\r\n"
      "%%words 'be' '[^a-zA-Z]' 2\r\n"
      "%%states 7 ( +1 -0 )\r\n"
      "%%kwTables forstate [0, 1] endswith '[^a-zA-Z]' ( 7 is 'begin', 'be' 8 is 'END' )\r\n";
  TScriptParser p(script);
  // "be" is the parser's own; "BEGIN" and "end" come from the settings' table, matched with
  // the parser's case rule; 7 enters state 1.
  EXPECT_EQ(Values(p, "be BEGIN end x"), "22077777088800");
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Pieces(p, "BEGIN x"), (P{{7, 5}, {0, 1}, {0, 1}}));
  EXPECT_EQ(p.ActiveStates(), TByteSet{1});
  // The state record of 7 is valid in state 0 only; a word of the settings' table skips that test.
  EXPECT_EQ(Pieces(p, "begin", 9), (P{{7, 5}}));
  EXPECT_EQ(p.ActiveStates(), TByteSet{1});
}

// `match` rules through OnCustomParse: an event that takes a run of digits.
TEST(MatchRules, CallTheEventWithIdLengthAndValue) {
  TScriptParser p(
      "%%language startstate = [3]\r\n"
      "%%words '#' '' 4 [3]\r\n"
      "%%handlers 4 match (9)\r\n"
      "%%tokens 1 '@' match (2) [3]\r\n"
      "%%tokens 5 '$' '[a-z]' * match (7) _discard_ [3]\r\n"
      "%%states 6 ( +2 )\r\n");
  std::vector<std::tuple<int, int, int>> calls;  // id, length, value
  p.OnCustomParse = [&](TCustomInkMemoParser& sender, int32_t id, TEdStream& s, int32_t& length, int32_t& value) {
    EXPECT_EQ(&sender, &p);
    calls.emplace_back(id, length, value);
    const int32_t from = s.CharPos();
    while (!s.AtEnd() && s.PeekChar() >= '0' && s.PeekChar() <= '9') s.NextChar();
    if (id == 9) value = 11;                       // the handler's piece takes the new value
    if (id == 2) value = s.PeekChar() == 'v' ? 6 : 1;  // 6 is valid in state 0 only
    length += s.CharPos() - from;
    if (id == 7) return s.CharPos() > from && s.CharPos() - from < 3;
    return s.CharPos() > from;
  };
  EXPECT_TRUE(p.CanScan());
  EXPECT_EQ(Values(p, "#12 @34 @5v #x"), "bbb01110000000");
  EXPECT_EQ(calls, (std::vector<std::tuple<int, int, int>>{{9, 1, 4}, {2, 1, 0}, {2, 1, 0}, {9, 1, 4}}));
  // What a match end sequence accepted stays in the piece even with _discard_; an event that
  // returns false has the stream put back where it was.
  EXPECT_EQ(Values(p, "$ab12x"), "555550");
  EXPECT_EQ(Values(p, "$ab123x"), "0000000");

  // Not called in design mode or without a handler; the editor then does not scan at all.
  calls.clear();
  p.Designing = true;
  EXPECT_FALSE(p.CanScan());
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Pieces(p, "#1"), (P{{0, 1}, {0, 1}}));
  EXPECT_TRUE(calls.empty());
  p.Designing = false;
  p.OnCustomParse = nullptr;
  EXPECT_FALSE(p.CanScan());
  TScriptParser plain("%%words 'x' '' 1");
  EXPECT_TRUE(plain.CanScan());
}

}  // namespace
