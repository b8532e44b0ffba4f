#pragma once
// The common part of the code-template and auto-replace tables: named entries, matched
// backwards from the caret through the keyword trie (each name is in the trie reversed), the
// trigger-key handling and the pick list of the templates.
//
// Key handling (HandleMacroKey) runs on a key press in an editor: when the key is the table's
// trigger, the longest name that ends at the caret is looked up; a match fires OnMacro (bound
// by the focused editor to ApplyMacro), otherwise the pick list of all entries may open.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/Keywords.h"
#include "services/MacroEditor.h"
#include "services/MacroEntry.h"
#include "toolkit/ShiftState.h"
#include "toolkit/ShortCut.h"
#include "toolkit/VirtualKeys.h"

namespace ql {

// OnMacro (Sender, Name, var Expansion): Name is the matched name as it stands in the text,
// or empty when an item of the pick list was chosen (the selection is then what is replaced).
using TMacroEvent = std::function<void(TMacroKeywords& sender, const std::string& name, std::string& expansion)>;

class TMacroKeywords : public TKeywords {
public:
  TMacroKeywords() = default;
  ~TMacroKeywords() override;
  const char* ClassName() const override { return "TMacroKeywords"; }

  // The longest name an entry can have (the stored forms hold it in a length byte).
  static constexpr size_t MaxName = 255;
  static constexpr ShortCutCode DefaultHotKey = scCtrl | 'J';

  // Adds an entry; the name is lower-cased unless caseSensitive. Raises EKeywords "Duplicate
  // keyword - '%s'" (naming the entry as given) when the name is already listed (compared
  // without regard to case), and EKeywords for a name longer than MaxName; the table is then
  // unchanged.
  void AddEntry(const std::string& name, const std::string& description, bool caseSensitive, const std::string& expansion);
  // Empties the trie and the entry list.
  void Clear() override;
  // Empties the trie and adds every listed name again, reversed, case-insensitive.
  void Rebuild();

  // Entries in list order (sorted by name without regard to case).
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  const std::string& Name(int32_t index) const { return items_.at(static_cast<size_t>(index)).Name; }
  const TMacroEntry& Entry(int32_t index) const { return *items_.at(static_cast<size_t>(index)).Entry; }
  // The index of the entry whose name equals name without regard to case; -1 when none.
  int32_t IndexOf(const std::string& name) const;

  // True when a press of key with shift should be handled by the table. For templates: the
  // table is enabled and the press is HotKey.
  virtual bool IsTrigger(uint16_t key, TShiftState shift) const;

  // See the top of this file. Returns true when OnMacro fired; handled tells the editor that
  // the key is consumed (ReportHandled).
  bool HandleMacroKey(TMacroEditor& editor, uint16_t& key, bool& handled, TShiftState shift);

  // --- The pick list (templates) ---

  // Called by the pick list for a character typed into it; true when the character was
  // consumed by the incremental search (an item whose name starts with the typed text was
  // selected).
  bool PickListKeyChar(uint8_t c);
  // Called by the pick list when item index is chosen: the entry's expansion replaces the
  // selection (through OnMacro, with an empty name) and the list closes.
  void PickListChoose(int32_t index);
  // Called by the pick list after it lost the focus and hid itself: the editor's HideSelection
  // is restored and its selection collapsed to its end.
  void PickListClosed();
  bool PickListOpen() const { return pickListOpen_; }
  TMacroPickList* PickList() const { return pickList_.get(); }
  // The editor that has the focus takes the pick list over (an open list closes first).
  void HandPickListTo(TMacroEditor& editor);
  // An editor is going away: a pick list that belongs to it is freed now, and the list is made
  // anew next time.
  void EditorDestroying(TMacroEditor& editor);

  // Characters typed into the open pick list.
  const std::string& PickListText() const { return pickListText_; }
  // The partial word before the caret when the pick list opened, or the matched name.
  std::string TypedPrefix;

  ShortCutCode HotKey = DefaultHotKey;
  TMacroEvent OnMacro;
  bool MacroEnabled = true;
  bool ReportHandled = true;
  bool IndentLines = true;
  bool CaretMarker = true;
  bool ShowPickList = true;

protected:
  // The entry list and trie are emptied and refilled from entries (name, entry) in one step
  // that cannot fail halfway; used by the stream readers after everything was read.
  struct TLoadedEntry {
    std::string Name;
    std::string Description;
    std::string Expansion;
  };
  void ReplaceEntries(const std::vector<TLoadedEntry>& entries);
  // Removes the entry at index and rebuilds the trie.
  void DeleteEntry(int32_t index);

private:
  struct TItem {
    std::string Name;                    // lower-cased unless added case-sensitive
    std::unique_ptr<TMacroEntry> Entry;  // never null; its address is the trie value of Name
  };
  void OpenPickList(TMacroEditor& editor);
  // Selects the first item whose name starts with the pick-list text; false when none does.
  bool SearchPickList();
  // The word before the caret, lower-cased.
  static std::string WordBeforeCaret(TMacroEditor& editor);

  std::vector<TItem> items_;  // sorted by lower-cased name; no two equal without regard to case

  std::unique_ptr<TMacroPickList> pickList_;
  TMacroEditor* pickListEditor_ = nullptr;  // the editor the open list works on
  bool pickListOpen_ = false;
  bool recreatePickList_ = true;  // make the list anew before it is next shown
  bool savedHideSelection_ = false;
  std::string pickListText_;
};

}  // namespace ql
