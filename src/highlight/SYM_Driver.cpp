// The compile driver: section dispatch, and the entry point that clears a parser's tables and
// settings and compiles a script into them.
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"

namespace ql {

TSYM_ScriptCompiler::TSYM_ScriptCompiler(TStream& script, std::string includeDir, TCompiledTables& tables,
                                         TSM_Settings& settings)
    : TSYM_Compiler(script, std::move(includeDir)), tables_(tables), settings_(settings) {}

void TSYM_ScriptCompiler::Compile() {
  GetToken();
  while (Token() != tkEndOfInput) {
    switch (Token()) {
      case tkSecLanguage: LanguageSection(); break;
      case tkSecWords: WordsSection(); break;
      case tkSecKwTables: KwTablesSection(); break;
      case tkSecEffects: EffectsSection(); break;
      case tkSecMap: MapSection(); break;
      case tkSecHandlers: HandlersSection(); break;
      case tkSecTokens: TokensSection(); break;
      case tkSecStates: StatesSection(false); break;
      case tkSecContainers: StatesSection(true); break;
      case tkSecKeys: KeysSection(); break;
      case tkSecAutoReplace: AutoReplaceSection(); break;
      case tkSecTemplates: TemplatesSection(); break;
      default: CompileError(msgScriptSyntaxError);
    }
  }
  tables_.FillContextSets();
}

void TSYM_ScriptCompiler::Service(TPos at, const std::function<void()>& call) const {
  try {
    call();
  } catch (const ESYM_COMP_ERROR&) {
    throw;
  } catch (const Exception& e) {
    ErrorAt(at, e.Message);
  }
}

void CompileScript(TStream& script, const std::string& includeDir, TCompiledTables& tables, TSM_Settings& settings,
                   int32_t& line, int32_t& column) {
  line = 0;
  column = 0;
  tables.Clear();
  settings.Reset();
  TSYM_ScriptCompiler compiler(script, includeDir, tables, settings);
  try {
    compiler.Compile();
  } catch (...) {
    line = compiler.Line();
    column = compiler.Column();
    throw;
  }
  line = compiler.Line();
  column = compiler.Column();
}

void CompileScript(TStream& script, const std::string& includeDir, TCompiledTables& tables, TSM_Settings& settings) {
  int32_t line, column;
  CompileScript(script, includeDir, tables, settings, line, column);
}

}  // namespace ql
