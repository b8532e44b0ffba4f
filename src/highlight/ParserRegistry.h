#pragma once
// A language's user settings in the registry, under a key, in four values named after the
// language (TSM_Settings::LanguageName):
//   "Highlighting - " + name     string  the display settings (HarlixText.h)
//   "Key Assignments - " + name  binary  marker, then the key controller's stream form
//   "AutoReplace - " + name      binary  marker, then the auto-replace stream form
//   "Code Templates - " + name   binary  marker, then the template stream form
// The marker is "Harlix6:" as a short name (a length byte 8 and the eight characters).
#include <string>

namespace ql {

class TRegistry;
class TSM_Settings;

// Opens or creates key and writes the four values.
void SaveSettingsToRegistry(TRegistry& registry, const std::string& key, const TSM_Settings& settings);

// When key and its "Highlighting - " value exist: applies that value, then every binary value
// that exists and starts with the marker, and returns true. Everything is read into a scratch
// copy first, so settings change only when all of it was read; any failure raises EInkMemo
// "Invalid data in registry entry "key\Highlighting - name"" and leaves settings as they were.
// Returns false, changing nothing, when the key or the value does not exist.
bool LoadSettingsFromRegistry(TRegistry& registry, const std::string& key, TSM_Settings& settings);

}  // namespace ql
