#include "highlight/ParserRegistry.h"

#include "highlight/HarlixText.h"
#include "services/SM_Settings.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/Registry.h"
#include "toolkit/StreamEncoding.h"

namespace ql {
namespace {

const std::string kMarker = "Harlix6:";

std::string HighlightingName(const TSM_Settings& s) { return "Highlighting - " + s.LanguageName; }
std::string KeysName(const TSM_Settings& s) { return "Key Assignments - " + s.LanguageName; }
std::string AutoReplaceName(const TSM_Settings& s) { return "AutoReplace - " + s.LanguageName; }
std::string TemplatesName(const TSM_Settings& s) { return "Code Templates - " + s.LanguageName; }

std::string MarkedStreamForm(const TSM_Base& object) {
  TMemoryStream stream;
  WriteShortName(stream, kMarker);
  object.SaveToStream(stream);
  return stream.Bytes();
}

// Reads a binary value into object when it exists and starts with the marker.
void ReadMarkedValue(TRegistry& registry, const std::string& name, TSM_Base& object) {
  if (!registry.ValueExists(name)) return;
  const std::string bytes = registry.ReadBinaryData(name);
  if (bytes.size() < 1 + kMarker.size() || static_cast<uint8_t>(bytes[0]) != kMarker.size() ||
      bytes.compare(1, kMarker.size(), kMarker) != 0) {
    return;
  }
  TMemoryView stream(bytes.data() + 1 + kMarker.size(), static_cast<int64_t>(bytes.size() - 1 - kMarker.size()));
  object.LoadFromStream(stream);
}

// Closes the registry key on every way out.
class TOpenKey {
public:
  explicit TOpenKey(TRegistry& registry) : registry_(registry) {}
  ~TOpenKey() { registry_.CloseKey(); }
  TOpenKey(const TOpenKey&) = delete;
  TOpenKey& operator=(const TOpenKey&) = delete;

private:
  TRegistry& registry_;
};

}  // namespace

void SaveSettingsToRegistry(TRegistry& registry, const std::string& key, const TSM_Settings& settings) {
  // Everything is prepared before the first value is written.
  const std::string text = DisplaySettingsText(settings);
  const std::string keys = MarkedStreamForm(settings.KeyController());
  const std::string autoReplace = MarkedStreamForm(settings.AutoReplace());
  const std::string templates = MarkedStreamForm(settings.Templates());
  TOpenKey closer(registry);
  if (!registry.OpenKey(key, true)) throw ERegistryException("Failed to create registry key " + key);
  registry.WriteString(HighlightingName(settings), text);
  registry.WriteBinaryData(KeysName(settings), keys);
  registry.WriteBinaryData(AutoReplaceName(settings), autoReplace);
  registry.WriteBinaryData(TemplatesName(settings), templates);
}

bool LoadSettingsFromRegistry(TRegistry& registry, const std::string& key, TSM_Settings& settings) {
  const std::string valueName = HighlightingName(settings);
  try {
    TOpenKey closer(registry);
    if (!registry.KeyExists(key) || !registry.OpenKey(key, false) || !registry.ValueExists(valueName)) return false;
    TSM_Settings scratch;
    scratch.Assign(settings);
    ApplyDisplaySettingsText(scratch, registry.ReadString(valueName));
    ReadMarkedValue(registry, KeysName(settings), scratch.KeyController());
    ReadMarkedValue(registry, AutoReplaceName(settings), scratch.AutoReplace());
    ReadMarkedValue(registry, TemplatesName(settings), scratch.Templates());
    settings.Assign(scratch);
    return true;
  } catch (const std::exception&) {
    throw EInkMemo("Invalid data in registry entry \"" + key + "\\" + valueName + "\"");
  }
}

}  // namespace ql
