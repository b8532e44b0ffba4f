// %%autoreplace and %%templates: the settings' auto-replace table and code templates.
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"

namespace ql {

// Entries: 'typed' = 'replacement'   or   actionkeys = 'trigger text'
void TSYM_ScriptCompiler::AutoReplaceSection() {
  GetToken();
  TAutoReplace& table = settings_.AutoReplace();
  table.Reset();  // empty, with the default triggers
  for (;;) {
    const TPos at = Here();
    if (Token() == tkString) {
      const std::string name = StringArg();
      Expect(tkEquals, msgEqualsExpected);
      const std::string replacement = StringArg();
      Service(at, [&] { table.AddReplacement(name, replacement); });
    } else if (Token() == tkActionKeys) {
      GetToken();
      Expect(tkEquals, msgEqualsExpected);
      const std::string triggers = RawStringArg();
      Service(at, [&] { table.SetTriggers(triggers); });
    } else {
      return;
    }
  }
}

// Entries: 'name' [( 'description' )] = 'text'   or   hotkey = ( [modifiers] key )
void TSYM_ScriptCompiler::TemplatesSection() {
  GetToken();
  TCodeTemplates& table = settings_.Templates();
  table.Clear();
  for (;;) {
    const TPos at = Here();
    if (Token() == tkString) {
      const std::string name = StringArg();
      std::string description;
      if (Token() == tkLParen) {
        GetToken();
        description = StringArg();
        Expect(tkRParen, msgRParenExpected);
      }
      Expect(tkEquals, msgEqualsExpected);
      const std::string text = StringArg();
      Service(at, [&] { table.AddEntry(name, description, false, text); });
    } else if (Token() == tkHotkey) {
      GetToken();
      Expect(tkEquals, msgEqualsExpected);
      Expect(tkLParen, msgLParenExpected);
      const ShortCutCode modifiers = Modifiers();
      const ShortCutCode key = Key();
      Expect(tkRParen, msgRParenExpected);
      table.HotKey = static_cast<ShortCutCode>(modifiers | key);
    } else {
      return;
    }
  }
}

}  // namespace ql
