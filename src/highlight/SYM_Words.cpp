// %%words (the parser's keyword table) and %%kwTables (the settings object's keyword tables).
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"

namespace ql {
namespace {

constexpr size_t kMaxWordLength = 255;

}  // namespace

// Entry: 'word' 'end character group' value [states]
void TSYM_ScriptCompiler::WordsSection() {
  GetToken();
  while (Token() == tkString) {
    const TPos at = Here();
    const std::string word = StringArg();
    // The parser's stored form keeps a word behind a one-byte length.
    if (word.size() > kMaxWordLength) ErrorAt(at, msgWordTooLong);
    const TSM_CharGroup end = SingleGroupArg();
    const uint8_t value = ByteValue();
    TByteSet states{0};
    if (Token() == tkLBracket) states = Set();

    TParserKeywords& keywords = tables_.Keywords;
    try {
      keywords.Add(word, keywords.CaseSensitive(), value, states, end);
    } catch (const EKeywords&) {
      ErrorAt(at, msgDuplicateWord);
    }
    tables_.StateRecord(value, TByteSet{0} | states).Valid |= states;
  }
}

// Entry: forstate [states] endswith 'word characters' ( value is 'word', ... value is ... )
void TSYM_ScriptCompiler::KwTablesSection() {
  GetToken();
  while (Token() == tkForState) {
    const TPos at = Here();
    GetToken();
    TByteSet states = Set();
    if (states.Empty()) states = TByteSet{0};
    Expect(tkEndsWith, msgEndsWithExpected);
    const std::string wordChars = RawStringArg();
    Expect(tkLParen, msgLParenExpected);
    std::vector<TKeywordWord> words;
    while (IsTermStart()) {
      const uint8_t value = ByteValue();
      Expect(tkIs, msgStringExpected);
      for (;;) {
        words.push_back({RawStringArg(), value});
        if (Token() != tkComma) break;
        GetToken();
        if (Token() != tkString) break;  // the comma separated this group from the next
      }
    }
    Expect(tkRParen, msgRParenExpected);
    const bool caseSensitive = tables_.Keywords.CaseSensitive();
    Service(at, [&] { settings_.AddKeywordTable(states, wordChars, caseSensitive, words); });
  }
}

}  // namespace ql
