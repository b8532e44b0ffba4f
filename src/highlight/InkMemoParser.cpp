#include "highlight/InkMemoParser.h"

#include <filesystem>
#include <iostream>

#include "highlight/ParserClient.h"
#include "highlight/ParserRegistry.h"
#include "highlight/ParserStoredForm.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "toolkit/FileStream.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/Registry.h"
#include "toolkit/StreamCopy.h"

namespace ql {

TParserUi& ParserUi() {
  static TParserUi ui;
  return ui;
}

void TInkMemoParser::SetScript(const std::string& path) {
  script_ = path;
  if (designing_ && !loading_) CompileScript();
}

void TInkMemoParser::Loaded() {
  loading_ = false;
  if (AutoScriptUpdate) CompileScript();
  RefreshEditors();
}

void TInkMemoParser::CompileScript() {
  std::error_code error;
  if (script_.empty() || !std::filesystem::is_regular_file(script_, error)) return;
  TFileStream file(script_, fmOpenRead);
  const std::string includeDir = std::filesystem::path(script_).parent_path().string();
  try {
    ql::CompileScript(file, includeDir, Tables(), Settings(), line_, column_);
  } catch (...) {
    TablesChanged();
    RefreshEditors();
    throw;
  }
  TablesChanged();
  RefreshEditors();
}

void TInkMemoParser::SaveToStream(TStream& stream) const {
  try {
    WriteParserForm(stream, Tables(), Settings());
  } catch (const Exception& e) {
    throw EInkMemoParserError(Name + ": " + e.Message);
  }
}

void TInkMemoParser::VersionError(uint16_t version) {
  const std::string message = Format(msgParserVersion, Name.c_str(), ParserStreamVersion, version);
  if (loading_) throw EInkMemoParserError(message);
  if (OnParserVersionError) {
    OnParserVersionError(*this, version, ParserStreamVersion);
  } else if (ParserUi().ShowInformation) {
    ParserUi().ShowInformation(message);
  } else {
    std::cerr << message << "\n";
  }
}

void TInkMemoParser::LoadFromStream(TStream& stream) {
  Tables().Clear();
  TablesChanged();
  uint16_t version = 0;
  try {
    version = ReadParserFormVersion(stream);
    if (version >= OldestParserStreamVersion) ReadParserFormBody(stream, version, Tables(), Settings());
  } catch (const Exception& e) {
    Tables().Clear();
    TablesChanged();
    throw EInkMemoParserError(Name + ": " + e.Message);
  }
  TablesChanged();
  if (version < OldestParserStreamVersion) {
    VersionError(version);
    return;
  }
  if (!loading_) RefreshEditors();
}

void TInkMemoParser::LoadFromBytes(std::string_view bytes) {
  TMemoryView stream(bytes.data(), static_cast<int64_t>(bytes.size()));
  LoadFromStream(stream);
}

void TInkMemoParser::Assign(const TObject& source) {
  auto* parser = dynamic_cast<const TInkMemoParser*>(&source);
  if (parser == nullptr) throw EInkMemo(Format("Cannot assign a %s to %s", source.ClassName(), ClassName()));
  if (parser == this) return;
  CopyThroughStream(*parser, *this);
}

void TInkMemoParser::RefreshEditors(bool settingsOnly) {
  // A copy: an editor may leave the list while it re-applies the parser.
  const std::vector<TParserClient*> editors = Editors();
  for (TParserClient* editor : editors) {
    try {
      settingsOnly ? editor->ParserSettingsChanged(*this) : editor->ParserChanged(*this);
    } catch (const std::exception& e) {
      LastRefreshError = e.what();
    }
  }
}

void TInkMemoParser::EditProperties(TSM_PropEdPages pages) {
  if (OnModifyProperties) {
    OnModifyProperties(*this);
    return;
  }
  if (!ParserUi().EditProperties || !ParserUi().EditProperties(*this, pages)) return;
  RefreshEditors(true);
  if (UseRegistry && !RegistryKey.empty()) SaveToRegistry();
}

void TInkMemoParser::CheckRegistryEnabled() const {
  if (!UseRegistry || RegistryKey.empty()) throw EInkMemo(msgRegistryDisabled + Name);
}

TRegistry& TInkMemoParser::UsedRegistry() const { return Registry != nullptr ? *Registry : DefaultRegistry(); }

void TInkMemoParser::SaveToRegistry() {
  CheckRegistryEnabled();
  SaveSettingsToRegistry(UsedRegistry(), RegistryKey, Settings());
}

bool TInkMemoParser::LoadFromRegistry() {
  CheckRegistryEnabled();
  return LoadFromRegistry(RegistryKey);
}

bool TInkMemoParser::LoadFromRegistry(const std::string& key) {
  if (!LoadSettingsFromRegistry(UsedRegistry(), key, Settings())) return false;
  RefreshEditors();
  return true;
}

}  // namespace ql
