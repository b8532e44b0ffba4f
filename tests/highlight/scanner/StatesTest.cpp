// State records (entered and left states, push and pop), containers with their rescan, the
// busy flag, ResetContext and the editor list.
#include "ScannerTesting.h"
#include "highlight/ParserClient.h"

using namespace ql;
using namespace ql::test;

namespace {

std::string SetText(const TByteSet& set) {
  std::string s;
  for (int v = 0; v < 256; ++v)
    if (set.Contains(static_cast<uint8_t>(v))) s += (s.empty() ? "" : ",") + std::to_string(v);
  return "{" + s + "}";
}

// Each piece's value and the active states after it.
std::string Trace(TCustomInkMemoParser& parser, const std::string& text) {
  auto store = StoreOf(text);
  TEdStream stream(store.get());
  parser.ResetContext(0);
  std::string out;
  while (!stream.AtEnd()) {
    int32_t length = 0;
    const int value = parser.ScanToken(nullptr, stream, length);
    out += std::to_string(value) + SetText(parser.ActiveStates()) + " ";
  }
  return out;
}

const char* const PushPopScript =
    "%%words\r\n"
    "'(' '' 1 [0, 1, 2]\r\n"
    "')' '' 2 [0, 1, 2]\r\n"
    "'[' '' 3 [0, 1, 2]\r\n"
    "']' '' 4 [0, 1, 2]\r\n"
    "'a' '' 5 [1]\r\n"
    "%%states\r\n"
    "1 push ( +1 -0 )\r\n"  // push before, then enter 1 and leave 0
    "2 pop ( )\r\n"         // pop before
    "3 ( +2 ) push\r\n"     // add 2, then push
    "4 ( ) pop\r\n";        // pop after

TEST(StateRecords, PushAndPopSaveAndRestoreExactSets) {
  TScriptParser p(PushPopScript);
  const struct {
    const char* text;
    const char* trace;
  } cases[] = {
      {"((a))a", "1{1} 1{1} 5{1} 2{1} 2{0} 0{0} "},
      {"[(a)]", "3{0,2} 1{1,2} 5{1,2} 2{0,2} 4{0,2} "},
      {"a", "0{0} "},  // "a" is a word of state 1 only
  };
  for (const auto& c : cases) EXPECT_EQ(Trace(p, c.text), c.trace) << c.text;

  // ResetContext replaces the stack: what was pushed before is gone.
  Trace(p, "((");
  EXPECT_EQ(p.StackDepth(), 2);
  p.ResetContext(0);
  EXPECT_EQ(p.StackDepth(), 0);
}

TEST(StateRecords, PopFromAnEmptyStackRaises) {
  TScriptParser p(PushPopScript);
  for (const char* text : {")", "]", "()]"}) {
    try {
      Trace(p, text);
      ADD_FAILURE() << text;
    } catch (const EInkMemo& e) {
      EXPECT_EQ(e.Message, "Stack underflow") << text;
    }
  }
}

TEST(StateRecords, AStackThatOnlyGrowsIsBounded) {
  TScriptParser p("%%words '(' '' 1 %%states 1 push ( )");
  auto store = StoreOf(std::string(TRTStack::MaxDepth + 10, '('));
  TEdStream stream(store.get());
  p.ResetContext(0);
  int32_t length = 0;
  try {
    while (!stream.AtEnd()) p.ScanToken(nullptr, stream, length);
    ADD_FAILURE();
  } catch (const EInkMemo& e) {
    EXPECT_EQ(e.Message, "Stack overflow");
  }
  EXPECT_EQ(p.StackDepth(), TRTStack::MaxDepth);
}

// A stored form carries the state records apart from the words, so a word may meet a record
// that does not accept it in the active states.
TEST(StateRecords, ATokenNotValidInTheActiveStatesIsOneCharacterOfValueZero) {
  TScriptParser p("%%language contextstates = (7 [2]) %%words 'ab' '' 6 [0, 2]");
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Pieces(p, "ab", 7), (P{{6, 2}}));
  p.Tables().StateRecords[6]->Valid = TByteSet{0};
  EXPECT_EQ(Pieces(p, "ab", 7), (P{{0, 1}, {0, 1}}));
  EXPECT_EQ(Pieces(p, "ab", 0), (P{{6, 2}}));
}

const char* const ContainerScript =
    "%%words\r\n"
    "'<' '[a-zA-Z]' 1\r\n"
    "%%handlers\r\n"
    "1 '[\\000-\\377]' * '>' _use_\r\n"
    "%%containers\r\n"
    "1 ( +1 -0 )\r\n"
    "%%tokens\r\n"
    "InState 1 ( 2 '\\x22' '[^\\x22]' * '\\x22' _use_ )\r\n";

TEST(Containers, TheTokenTextIsCutAgainWithTheStatesItEntered) {
  TScriptParser p(ContainerScript);
  const struct {
    const char* text;
    const char* values;
  } cases[] = {
      {"<a href=\"x\">", "111111112221"},
      {"<a href=\"x\">\"y\"", "111111112221000"},  // the states before the tag come back
      {"<a \"x>y\" b>", "11122222000"},            // the rescan's last piece may run past the tag
      {"<a\r\"x\r\">", "11122221"},                 // across lines
      {"<a \"x", "11122"},                         // to the end of the text
  };
  for (const auto& c : cases) EXPECT_EQ(Values(p, c.text), c.values) << c.text;
}

class TClient : public TParserClient {
public:
  void SettingsGutterFontChanged(TSM_Settings&) override {}
  void ParserDestroyed(TCustomInkMemoParser&) override { ++destroyed; }
  int destroyed = 0;
};

TEST(Containers, TheParserIsBusyUntilTheRescanReachesTheTokensEnd) {
  TScriptParser p(ContainerScript);
  TClient owner;
  TClient other;
  auto store = StoreOf("<a \"x\">b");
  TEdStream stream(store.get());
  p.ResetContext(0);
  int32_t length = 0;
  EXPECT_EQ(p.ScanToken(&owner, stream, length), 1);
  EXPECT_EQ(length, 7);
  EXPECT_TRUE(p.Busy());
  EXPECT_FALSE(p.BusyFor(&owner));
  EXPECT_TRUE(p.BusyFor(&other));
  EXPECT_EQ(p.ContainerValue(), 1);
  EXPECT_EQ(p.ContainerEnd(), 7);
  EXPECT_EQ(p.ActiveStates(), TByteSet{1});

  // The rescan: "<", "a", " " of value 0, then the quoted piece, then ">" ends it.
  stream.SetCharPos(0);
  std::vector<std::pair<int, int>> pieces;
  while (p.Busy()) {
    length = 0;
    const int value = p.ScanToken(&owner, stream, length);
    pieces.emplace_back(value, length);
  }
  EXPECT_EQ(pieces, (std::vector<std::pair<int, int>>{{0, 1}, {0, 1}, {0, 1}, {2, 3}, {0, 1}}));
  EXPECT_EQ(p.ActiveStates(), TByteSet{0});
  length = 0;
  EXPECT_EQ(p.ScanToken(&owner, stream, length), 0);  // "b", outside the tag
  EXPECT_FALSE(p.Busy());

  // ResetContext ends container mode.
  stream.SetCharPos(0);
  p.ScanToken(&owner, stream, length);
  EXPECT_TRUE(p.Busy());
  p.ResetContext(0);
  EXPECT_FALSE(p.Busy());
}

TEST(Editors, JoinOnTheirFirstScanAndLeave) {
  TClient a;
  TClient b;
  {
    TScriptParser p("%%words 'x' '' 1");
    auto store = StoreOf("xx");
    TEdStream stream(store.get());
    int32_t length = 0;
    p.ScanToken(&a, stream, length);
    p.ScanToken(&a, stream, length);
    stream.SetCharPos(0);
    p.ScanToken(&b, stream, length);
    EXPECT_EQ(p.Editors(), (std::vector<TParserClient*>{&a, &b}));
    EXPECT_EQ(p.Settings().UseCount(), 2);
    p.RemoveEditor(a);
    EXPECT_EQ(p.Editors(), (std::vector<TParserClient*>{&b}));
    EXPECT_EQ(p.Settings().UseCount(), 1);
    EXPECT_EQ(a.destroyed, 0);
  }
  EXPECT_EQ(a.destroyed, 0);
  EXPECT_EQ(b.destroyed, 1);
}

TEST(Editors, AnEditorDestroyedFirstLeavesTheParser) {
  TScriptParser p("%%words 'x' '' 1");
  auto store = StoreOf("x");
  TEdStream stream(store.get());
  int32_t length = 0;
  {
    TClient gone;
    p.ScanToken(&gone, stream, length);
    EXPECT_EQ(p.Editors().size(), 1u);
  }
  EXPECT_TRUE(p.Editors().empty());
  EXPECT_EQ(p.Settings().UseCount(), 0);
}

TEST(ResetContext, TakesTheContextSetOfTheValue) {
  TScriptParser p("%%language startstate = [5] contextstates = (3 [7, 8]) %%states 3 ( +1 )");
  p.ResetContext(3);
  EXPECT_EQ(p.ActiveStates(), (TByteSet{7, 8}));
  p.ResetContext(4);
  EXPECT_EQ(p.ActiveStates(), TByteSet{5});
}

}  // namespace
