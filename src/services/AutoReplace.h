#pragma once
// The auto-replace table: entries that replace their name by themselves when one of the
// trigger keys is pressed right after it. Unlike templates it reports no key as handled (the
// trigger key still types), does not indent, has no caret marker and no pick list.
#include <cstdint>
#include <string>
#include <vector>

#include "services/CodeTemplates.h"

namespace ql {

class TAutoReplace : public TCodeTemplates {
public:
  // The trigger text of a new table: the keys of ";,:.=()[]", Return, Tab and Space.
  static constexpr const char* DefaultTriggers = ";,:.=()[]\\{Return}\\{Tab}\\{Space}";
  static constexpr size_t MaxTriggers = 255;

  TAutoReplace();
  const char* ClassName() const override { return "TAutoReplace"; }

  void AddReplacement(const std::string& name, const std::string& expansion) { AddEntry(name, "", false, expansion); }

  // Reads a trigger text into TriggerKeys (emptied first; each code once). Elements:
  //   \n \r (either case): Return; \s: Space; \t: Tab;
  //   \{name}: the name's letters and digits looked up in KeyNames (unknown: 0);
  //   \c: the key of c when it is typed without modifiers, else 0;
  //   any other c: the key-scan code of c on the keyboard layout (0 when no key types it).
  // A "\{" without "}" raises EInkMemo "Bad key specifier", and a text over MaxTriggers
  // characters EInkMemo too; either way TriggerKeys and Triggers stay as they were. On success
  // Triggers becomes text.
  void SetTriggers(const std::string& text);
  const std::string& Triggers() const { return triggers_; }
  const std::vector<uint16_t>& TriggerKeys() const { return triggerKeys_; }

  // The table is enabled, Triggers is not empty and the key-scan code of the press is a
  // trigger key.
  bool IsTrigger(uint16_t key, TShiftState shift) const override;
  // Empties the table and restores the default triggers.
  void Reset() override;

  // The template stream form followed by Triggers as a short name.
  void SaveToStream(TStream& stream) const override;
  // Reads what SaveToStream writes; the table changes only when all of it was read and is
  // consistent (a bad trigger text raises EReadError too).
  void LoadFromStream(TStream& stream) override;

private:
  // Appends the key codes of text to keys; raises "Bad key specifier" as SetTriggers does.
  static void ParseTriggers(const std::string& text, std::vector<uint16_t>& keys);

  std::string triggers_;
  std::vector<uint16_t> triggerKeys_;  // no duplicates
};

}  // namespace ql
