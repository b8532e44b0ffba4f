#pragma once
// Helpers of the script compiler tests: compile a script into fresh tables and settings, or
// get the message of the error it stops with.
#include <memory>
#include <string>

#include "highlight/CompiledTables.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {

struct TCompiled {
  std::unique_ptr<TCompiledTables> Tables = std::make_unique<TCompiledTables>();
  std::unique_ptr<TSM_Settings> Settings = std::make_unique<TSM_Settings>();
  int32_t Line = 0;
  int32_t Column = 0;
};

// Compiles script; a compile error fails the test through the exception.
inline TCompiled Compile(const std::string& script, const std::string& includeDir = "") {
  TCompiled c;
  TMemoryView in(script);
  CompileScript(in, includeDir, *c.Tables, *c.Settings, c.Line, c.Column);
  return c;
}

// The message of the error script stops with: a compile error's full text, or for the errors
// raised without position "bare: " and the message. "" when the script compiles.
inline std::string ErrorOf(const std::string& script, TCompiled* out = nullptr) {
  TCompiled local;
  TCompiled& c = out ? *out : local;
  TMemoryView in(script);
  try {
    CompileScript(in, "", *c.Tables, *c.Settings, c.Line, c.Column);
  } catch (const ESYM_COMP_ERROR& e) {
    return e.Message;
  } catch (const Exception& e) {
    return "bare: " + e.Message;
  }
  return "";
}

// The full text of a compile error at 1-based line and column.
inline std::string At(int line, int column, const std::string& reason) {
  return "** ERROR near line " + std::to_string(line) + ", Column " + std::to_string(column) + ": " + reason;
}

}  // namespace ql::test
