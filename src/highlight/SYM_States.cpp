// %%states and %%containers: the state changes a token causes.
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"

namespace ql {

// %%states entry:     value [push|pop] ( {+states | -states} ) [push|pop]
// %%containers entry: value ( {+states | -states} )
void TSYM_ScriptCompiler::StatesSection(bool containers) {
  GetToken();
  while (IsTermStart()) {
    const uint8_t value = ByteValue();
    uint8_t pushPop = 0;
    if (!containers && (Token() == tkPush || Token() == tkPop)) {
      pushPop = Token() == tkPush ? TStateRecord::PushBefore : TStateRecord::PopBefore;
      GetToken();
    }
    Expect(tkLParen, msgLParenExpected);
    TByteSet entered, left;
    StateItems(entered, left);
    Expect(tkRParen, msgRParenExpected);
    // A word after the items replaces one before them.
    if (!containers && (Token() == tkPush || Token() == tkPop)) {
      pushPop = Token() == tkPush ? TStateRecord::PushAfter : TStateRecord::PopAfter;
      GetToken();
    }

    TStateRecord& record = tables_.StateRecord(value, TByteSet{0});
    record.Entered |= entered;
    record.Left |= left;
    if (pushPop != 0) record.PushPop = pushPop;
    if (containers) record.Container = true;
    // After a pop the states come from the stack alone.
    if (record.PushPop == TStateRecord::PopAfter) {
      record.Entered.Clear();
      record.Left.Clear();
    }
    record.NoChange = record.Entered.Empty() && record.Left.Empty();
  }
}

// A single value after a sign is one term, not a whole expression, so that "+1 -0" enters
// state 1 and leaves state 0 rather than entering state 1 - 0.
void TSYM_ScriptCompiler::StateItems(TByteSet& entered, TByteSet& left) {
  while (Token() == tkPlus || Token() == tkMinus) {
    TByteSet& target = Token() == tkPlus ? entered : left;
    GetToken();
    if (Token() == tkLBracket) {
      target |= Set();
    } else {
      const int32_t state = Term(msgExpressionExpected);
      if (state < 0 || state > 255) throw EInkMemo(Format(msgRangeError, 0, 255));
      target.Include(static_cast<uint8_t>(state));
    }
  }
}

}  // namespace ql
