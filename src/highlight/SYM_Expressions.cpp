// The syntax every section shares: expressions, byte values, sets, default markers, font
// style sets, strings and character groups.
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/CharGroupParser.h"
#include "textmodel/InkMemoErrors.h"

namespace ql {

void TSYM_ScriptCompiler::Expect(TTokenCode token, const char* message) {
  if (Token() != token) CompileError(message);
  GetToken();
}

int32_t TSYM_ScriptCompiler::Expression() { return Expression(msgExpressionExpected); }

int32_t TSYM_ScriptCompiler::Expression(const char* message) {
  // Unsigned arithmetic wraps where 32-bit signed arithmetic would overflow.
  uint32_t value = static_cast<uint32_t>(Term(message));
  for (;;) {
    const TTokenCode op = Token();
    if (op != tkPlus && op != tkMinus && op != tkOr) break;
    GetToken();
    const uint32_t rhs = static_cast<uint32_t>(Term(message));
    if (op == tkPlus) value += rhs;
    else if (op == tkMinus) value -= rhs;
    else value |= rhs;
  }
  return static_cast<int32_t>(value);
}

int32_t TSYM_ScriptCompiler::Term(const char* message) {
  if (Token() == tkNumber) {
    const uint32_t value = NumberValue();
    GetToken();
    return static_cast<int32_t>(value);
  }
  if (Token() != tkLParen) CompileError(message);
  TNestingGuard guard(*this, msgExpressionTooDeep);
  GetToken();
  const int32_t value = Expression(message);
  if (Token() != tkRParen) CompileError(message);
  GetToken();
  return value;
}

int32_t TSYM_ScriptCompiler::RangedValue(int32_t low, int32_t high) {
  const int32_t value = Expression();
  if (value < low || value > high) throw EInkMemo(Format(msgRangeError, low, high));
  return value;
}

uint8_t TSYM_ScriptCompiler::ByteValue() { return static_cast<uint8_t>(RangedValue(0, 255)); }

TByteSet TSYM_ScriptCompiler::Set(bool bracketSeen) {
  if (!bracketSeen) Expect(tkLBracket, msgLBracketExpected);
  TByteSet set;
  while (IsTermStart()) {
    set.Include(ByteValue());
    if (Token() == tkComma) GetToken();
  }
  Expect(tkRBracket, msgRBracketExpected);
  return set;
}

TByteSet TSYM_ScriptCompiler::StateSet(bool& bracketed) {
  bracketed = Token() == tkLBracket;
  if (bracketed) return Set();
  return TByteSet{ByteValue()};
}

bool TSYM_ScriptCompiler::DefaultMarker() {
  if (Token() != tkLBracket) return false;
  GetToken();
  bool marker = false;
  if (Token() == tkStar) {
    marker = true;
    GetToken();
  }
  Expect(tkRBracket, msgRBracketExpected);
  return marker;
}

uint8_t TSYM_ScriptCompiler::FontStyleSet() {
  Expect(tkLBracket, msgLBracketExpected);
  uint8_t style = 0;
  if (Token() != tkRBracket) {
    for (;;) {
      const TPos at = Here();
      const int32_t bit = Expression(msgBadFontStyle);
      if (bit < 0 || bit > 255) ErrorAt(at, msgBadFontStyle);
      if (bit <= 7) style = static_cast<uint8_t>(style | (1u << bit));
      if (Token() != tkComma) break;
      GetToken();
    }
  }
  Expect(tkRBracket, msgRBracketExpected);
  return style;
}

std::string TSYM_ScriptCompiler::StringArg() {
  if (Token() != tkString) CompileError(msgStringExpected);
  std::string value = StringValue();
  GetToken();
  return value;
}

std::string TSYM_ScriptCompiler::RawStringArg() {
  if (Token() != tkString) CompileError(msgStringExpected);
  std::string value = RawString();
  GetToken();
  return value;
}

TSM_CharGroup TSYM_ScriptCompiler::SingleGroupArg() {
  if (Token() != tkString) CompileError(msgStringExpected);
  const std::string& raw = RawString();
  int32_t position = 1;
  TSM_CharGroup group;
  Service(Here(), [&] { group = ParseCharGroup(raw, position); });
  if (static_cast<size_t>(position) <= raw.size()) CompileError(msgSingleCharSpec);
  GetToken();
  return group;
}

}  // namespace ql
