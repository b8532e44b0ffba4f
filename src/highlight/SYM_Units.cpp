// The parts of scanner rules: units (a character group, a handler code or match) and end
// sequences.
#include "highlight/HandlerCodes.h"
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/CharGroupParser.h"

namespace ql {

int32_t TSYM_ScriptCompiler::MatchId() {
  GetToken();  // match
  Expect(tkLParen, msgLParenExpected);
  const int32_t id = Expression();
  Expect(tkRParen, msgRParenExpected);
  tables_.UsesMatch = true;
  return id;
}

int32_t TSYM_ScriptCompiler::HandlerCode() {
  const TPos at = Here();
  const int32_t code = Expression();
  // The scanner has no handler for any other code.
  if (!IsHandlerCode(code)) ErrorAt(at, msgScriptSyntaxError);
  return code;
}

TScanUnit TSYM_ScriptCompiler::Unit() {
  TScanUnit unit;
  if (Token() == tkMatch) {
    unit.Kind = ukMatch;
    unit.Code = MatchId();
  } else if (Token() == tkString) {
    unit.Kind = ukGroup;
    unit.Group = tables_.AddGroup(SingleGroupArg());
  } else {
    unit.Kind = ukHandler;
    unit.Code = HandlerCode();
  }
  return unit;
}

TEndSequence TSYM_ScriptCompiler::EndSequence(bool allowHandler) {
  TEndSequence end;
  if (Token() == tkMatch) {
    end.Kind = ekMatch;
    end.Code = MatchId();
  } else if (Token() == tkString) {
    // One group per character position; an empty string is no end sequence.
    const std::string& raw = RawString();
    int32_t position = 1;
    while (static_cast<size_t>(position) <= raw.size()) {
      if (end.GroupCount == TEndSequence::MaxGroups) CompileError(msgTooManyEndGroups);
      TSM_CharGroup group;
      Service(Here(), [&] { group = ParseCharGroup(raw, position); });
      end.Groups[end.GroupCount++] = tables_.AddGroup(group);
    }
    end.Kind = end.GroupCount > 0 ? ekGroups : ekNone;
    GetToken();
  } else if (allowHandler) {
    end.Kind = ekHandler;
    end.Code = HandlerCode();
  } else {
    CompileError(msgScriptSyntaxError);
  }
  end.Use = Expression() != 0;
  return end;
}

}  // namespace ql
