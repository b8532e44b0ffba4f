#pragma once
// TInkMemoParser: the parser component editors name as their parser. It owns the compiled
// tables and the settings object (through TCustomInkMemoParser, which scans with them), compiles
// its script, stores the result as the stored form (ParserStoredForm.h) and reads it back, and
// keeps the user's changes in the registry (ParserRegistry.h).
//
// Component state: while Loading the component is being read from a window's stored
// properties (Loaded ends it); Designing is the design mode, in which setting Script compiles at
// once and OnCustomParse is not called.
//
// After every compile, stored-form read, registry load or accepted property edit the editors
// of the list re-apply the parser (TParserClient::ParserChanged).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "highlight/CustomInkMemoParser.h"
#include "highlight/PropEdPages.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/Object.h"

namespace ql {

class TRegistry;
class TStream;
class TInkMemoParser;

// Failures of the parser component's stored form.
class EInkMemoParserError : public EInkMemo {
public:
  using EInkMemo::EInkMemo;
};

inline constexpr const char* msgParserVersion =
    "%s: DFM file saved by different version of TInkMemoParser.\n\rRecompile script to update DFM file.\n\r"
    "Expected version was %d read version was %d";
inline constexpr const char* msgRegistryDisabled = "Registry interface disabled in: ";

// A stored form of the wrong version was read outside loading.
using TVersionErrorEvent =
    std::function<void(TInkMemoParser& sender, uint16_t versionEncountered, uint16_t versionExpected)>;
using TParserNotifyEvent = std::function<void(TInkMemoParser& sender)>;

// What the parser asks of the user interface. The GUI installs these; without them the
// property pages do not open (EditProperties reports not accepted) and information goes to
// standard error.
struct TParserUi {
  // Opens the property pages on parser; true when the user accepted the changes.
  std::function<bool(TInkMemoParser& parser, TSM_PropEdPages pages)> EditProperties;
  // An information box with an OK button.
  std::function<void(const std::string& text)> ShowInformation;
};
TParserUi& ParserUi();

class TInkMemoParser : public TCustomInkMemoParser {
public:
  // Empty tables (start and anchor sets {0}) and a default settings object.
  TInkMemoParser() = default;
  const char* ClassName() const override { return "TInkMemoParser"; }

  // --- Properties ---
  std::string Name;             // the component name, used in messages
  bool AutoScriptUpdate = false;
  std::string Compile;          // stored with the window; no behaviour
  std::string RegistryKey;      // under the current user, e.g. "Software\Brevant\Quillon"
  bool UseRegistry = false;
  const std::string& Script() const { return script_; }
  // The script file; in design mode (and not loading) it is compiled at once.
  void SetScript(const std::string& path);
  // The registry SaveToRegistry and LoadFromRegistry use; null: DefaultRegistry().
  TRegistry* Registry = nullptr;

  TVersionErrorEvent OnParserVersionError;
  // Replaces the built-in property pages.
  TParserNotifyEvent OnModifyProperties;

  // --- Component state ---
  bool Loading() const { return loading_; }
  void BeginLoading() { loading_ = true; }
  // The component has been read: compiles the script when AutoScriptUpdate, then refreshes
  // the editors.
  void Loaded();
  bool InDesignMode() const override { return designing_; }
  void SetDesigning(bool designing) { designing_ = designing; }

  // --- Compiling ---

  // Compiles the Script file when it exists (a missing file does nothing), with its folder as
  // the include folder, then refreshes the editors. A compile error is raised; the tables keep
  // what was filled up to it.
  void CompileScript();
  // The 0-based line and column where the last compile stopped.
  int32_t CompiledLine() const { return line_; }
  int32_t CompiledColumn() const { return column_; }

  // --- Stored form ---

  // Writes the stored form (version 51). Errors come as EInkMemoParserError "Name: message".
  void SaveToStream(TStream& stream) const;
  // Reads a stored form. A version below 50 leaves the parser empty and raises
  // EInkMemoParserError while Loading; otherwise it calls OnParserVersionError or shows the
  // message. Any other failure empties the tables and raises EInkMemoParserError
  // "Name: message"; the settings object then keeps what it had.
  void LoadFromStream(TStream& stream);
  void LoadFromBytes(std::string_view bytes);

  // Copies another TInkMemoParser through its stored form; raises EInkMemo "Cannot assign a %s
  // to %s" for any other class.
  void Assign(const TObject& source);

  // --- Editors ---

  // Every editor of the list re-applies the parser (with settingsOnly, only the settings
  // object's contents changed: TParserClient::ParserSettingsChanged); an exception from one is
  // swallowed and its message noted in LastRefreshError.
  void RefreshEditors(bool settingsOnly = false);
  std::string LastRefreshError;

  // --- Property pages ---

  // OnModifyProperties when assigned; otherwise the property pages. When the user accepts, the
  // editors are refreshed and, with the registry in use, the settings saved to it.
  virtual void EditProperties(TSM_PropEdPages pages = TSM_PropEdPages::All());

  // --- Registry ---

  // Both need UseRegistry and a RegistryKey, else EInkMemo "Registry interface disabled in: Name".
  void SaveToRegistry();
  // Overlays the user's settings from RegistryKey (see LoadSettingsFromRegistry); true when the
  // key held them. The editors are refreshed after a load.
  bool LoadFromRegistry();
  // The same from another key; needs no UseRegistry.
  bool LoadFromRegistry(const std::string& key);

private:
  void CheckRegistryEnabled() const;
  TRegistry& UsedRegistry() const;
  void VersionError(uint16_t version);

  std::string script_;
  bool loading_ = false;
  bool designing_ = false;
  int32_t line_ = 0;
  int32_t column_ = 0;
};

}  // namespace ql
