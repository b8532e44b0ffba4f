// %%tokens: the first-character tables, the default one and one per state (InState blocks).
#include "highlight/HandlerCodes.h"
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"

namespace ql {

void TSYM_ScriptCompiler::TokensSection() {
  GetToken();
  for (;;) {
    if (Token() == tkInState) {
      GetToken();
      const uint8_t state = ByteValue();
      Expect(tkLParen, msgLParenExpected);
      while (IsTermStart()) TokenEntry(state, true);
      Expect(tkRParen, msgRParenExpected);
    } else if (IsTermStart()) {
      TokenEntry(0, false);
    } else {
      return;
    }
  }
}

// Entry: value standard-handler-code [states]
//    or: value 'start group' continuation [[*] end-sequence use] [states]
// (no end sequence after a match continuation).
void TSYM_ScriptCompiler::TokenEntry(uint8_t state, bool inStateBlock) {
  const TPos at = Here();
  TTokenEntry entry;
  entry.Value = ByteValue();
  entry.States = TByteSet{state};
  TSM_CharGroup start;
  if (Token() == tkString) {
    start = SingleGroupArg();
    entry.Start.Kind = ukGroup;
    entry.Start.Group = tables_.AddGroup(start);
    entry.Continuation = Unit();
    if (entry.Continuation.Kind != ukMatch) {
      if (Token() == tkStar) {
        entry.Repeat = true;
        GetToken();
      }
      entry.End = EndSequence(true);
    }
  } else {
    if (!IsTermStart()) CompileError(msgScriptSyntaxError);
    const TPos codeAt = Here();
    const int32_t code = Expression();
    if (!IsStandardHandlerCode(code)) ErrorAt(codeAt, msgScriptSyntaxError);
    start.AddSet(StandardHandlerStartSet(code));
    entry.Start.Kind = ukHandler;
    entry.Start.Code = code;
    entry.Start.Group = tables_.AddGroup(start);
  }
  if (Token() == tkLBracket) entry.States |= Set();

  TByteSet chars;
  for (int c = 0; c < 256; ++c)
    if (start.Contains(static_cast<uint8_t>(c))) chars.Include(static_cast<uint8_t>(c));

  // A first character has one entry per table, whatever the states of the entries.
  TTokenTable* table = inStateBlock ? tables_.StateTokens[state].get() : &tables_.DefaultTokens;
  if (table != nullptr) {
    for (int c = 0; c < 256; ++c)
      if (chars.Contains(static_cast<uint8_t>(c)) && table->Entries[static_cast<size_t>(c)])
        ErrorAt(at, msgAmbiguousStartSet);
  }
  tables_.StateRecord(entry.Value, entry.States).Valid |= entry.States;
  if (chars.Empty()) return;  // a start group without characters stores nothing
  if (table == nullptr) table = &tables_.StateTable(state);
  for (int c = 0; c < 256; ++c)
    if (chars.Contains(static_cast<uint8_t>(c))) table->Entries[static_cast<size_t>(c)] = entry;
}

}  // namespace ql
