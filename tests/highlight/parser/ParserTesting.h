#pragma once
// Helpers of the parser tests: compiled scripts, the shipped XML script, stored-form bytes.
#include <memory>
#include <string>

#include "highlight/CompiledTables.h"
#include "highlight/ParserStoredForm.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"
#include "toolkit/FileStream.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {

struct TCompiled {
  std::unique_ptr<TCompiledTables> Tables = std::make_unique<TCompiledTables>();
  std::unique_ptr<TSM_Settings> Settings = std::make_unique<TSM_Settings>();
};

inline TCompiled Compile(const std::string& script) {
  TCompiled c;
  TMemoryView in(script);
  CompileScript(in, "", *c.Tables, *c.Settings);
  return c;
}

inline const char* XmlScriptPath() { return QUILLON_XML_SCRIPT; }

inline TCompiled CompileXmlScript() {
  TCompiled c;
  TFileStream file(XmlScriptPath(), fmOpenRead);
  CompileScript(file, "", *c.Tables, *c.Settings);
  return c;
}

inline std::string InnerBytes(const TCompiledTables& tables, TSM_Settings& settings, int32_t version = ParserStreamVersion) {
  TMemoryStream s;
  WriteParserInner(s, tables, settings, version);
  return s.Bytes();
}

inline std::string InnerBytes(TCompiled& c, int32_t version = ParserStreamVersion) {
  return InnerBytes(*c.Tables, *c.Settings, version);
}

inline std::string StoredForm(TCompiled& c) {
  TMemoryStream s;
  WriteParserForm(s, *c.Tables, *c.Settings);
  return s.Bytes();
}

inline std::string SettingsBytes(TSM_Settings& settings) {
  TMemoryStream s;
  settings.SaveToStream(s);
  return s.Bytes();
}

}  // namespace ql::test
