// %%keys: the key sequences and action names of the settings' keyboard action controller, and
// the key syntax %%templates shares.
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"
#include "toolkit/VirtualKeys.h"

namespace ql {

// Entry: action [( pair | pair ... )] ['description']
// Pair:  [modifiers] key [, second key]; the modifiers belong to the first key.
void TSYM_ScriptCompiler::KeysSection() {
  GetToken();
  TKeyboardActionContoller& keys = settings_.KeyController();
  keys.ClearKeys();
  while (IsTermStart()) {
    const int32_t action = Expression();
    if (Token() == tkLParen) {
      GetToken();
      for (;;) {
        const TPos at = Here();
        const ShortCutCode modifiers = Modifiers();
        const ShortCutCode first = static_cast<ShortCutCode>(modifiers | Key());
        ShortCutCode second = 0;
        if (Token() == tkComma) {
          GetToken();
          second = Key();
        }
        Service(at, [&] { keys.AddKeySequence(first, second, action); });
        if (Token() != tkBar) break;
        GetToken();
      }
      Expect(tkRParen, msgRParenExpected);
    }
    if (Token() == tkString) {
      const TPos at = Here();
      const std::string name = StringArg();
      if (name.empty()) ErrorAt(at, msgBlankKeyName);
      Service(at, [&] { keys.SetActionName(action, name); });
    }
  }
}

ShortCutCode TSYM_ScriptCompiler::Modifiers() {
  if (Token() != tkLBracket) return 0;
  GetToken();
  ShortCutCode modifiers = 0;
  for (;;) {
    if (Token() == tkShift) modifiers |= scShift;
    else if (Token() == tkCtrl) modifiers |= scCtrl;
    else if (Token() == tkAlt) modifiers |= scAlt;
    else break;
    GetToken();
    if (Token() == tkComma) GetToken();
  }
  Expect(tkRBracket, msgRBracketExpected);
  return modifiers;
}

ShortCutCode TSYM_ScriptCompiler::Key() {
  if (Token() == tkString) {
    const std::string text = StringValue();
    if (text.size() != 1) CompileError(msgSingleCharSpec);
    GetToken();
    // A character names its key: 'j' and 'J' are both the J key.
    const uint8_t c = static_cast<uint8_t>(text[0]);
    return c >= 'a' && c <= 'z' ? static_cast<ShortCutCode>(c - ('a' - 'A')) : c;
  }
  if (!IsTermStart()) CompileError(msgKeyRequired);
  return ByteValue();
}

}  // namespace ql
