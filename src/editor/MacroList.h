#pragma once
// The entry lists of the Auto correct and Code templates pages. Each line of such a list is an
// entry's name, a TAB and a second text (the replacement, or the template's description; it may
// be empty, the TAB is always there). The list is kept sorted by name without regard to case,
// which is also the order of the tables themselves, and no two entries share a name.
#include <cstdint>
#include <string>
#include <vector>

namespace ql {

struct TMacroListEntry {
  std::string Name;
  std::string Second;
  // The line the page shows: name, TAB, second text.
  std::string Line() const { return Name + '\t' + Second; }
};

class TMacroList {
public:
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  const TMacroListEntry& operator[](int32_t index) const { return entries_.at(static_cast<size_t>(index)); }
  const std::vector<TMacroListEntry>& Entries() const { return entries_; }

  // The position of the entry called name (without regard to case); -1 when there is none.
  int32_t IndexOfName(const std::string& name) const;
  bool HasName(const std::string& name) const { return IndexOfName(name) >= 0; }
  // True when the list holds the entry name, TAB, second: the name without regard to case, the
  // second text as it stands.
  bool HoldsEntry(const std::string& name, const std::string& second) const;

  // Puts the entry at its sorted place and returns that position. The caller makes sure that
  // no entry of that name is listed yet (a second one would be a duplicate).
  int32_t Add(const std::string& name, const std::string& second);
  // Removes the entry called name and returns the position it had; -1 when there is none.
  int32_t Remove(const std::string& name);
  void Clear() { entries_.clear(); }

private:
  // The first position whose name is not below name (without regard to case).
  size_t LowerBound(const std::string& name) const;

  std::vector<TMacroListEntry> entries_;
};

// The entry to select after the one at position removed has gone: the one now at that
// position, the last one when the removed entry was last, none (-1) when the list is empty.
int32_t SelectionAfterRemoval(const TMacroList& list, int32_t removed);
// "Delete": removes the entry called name and returns the entry to select then
// (SelectionAfterRemoval); selected when there is no such entry.
int32_t DeleteListEntry(TMacroList& list, const std::string& name, int32_t selected);

// What the two buttons of a page show after its boxes changed. The second button acts on the
// entry named in the name box: it replaces or deletes it.
enum class TSecondAction : uint8_t { Replace, Delete };
const char* SecondCaption(TSecondAction action);  // "Replace" or "Delete"

struct TEntryButtons {
  bool AddEnabled = false;
  bool SecondEnabled = false;
  // The second button's action (and caption); unchanged when the table leaves it open.
  bool SecondChanges = false;
  TSecondAction Second = TSecondAction::Replace;
  // An entry to select in the list; -1: the selection stays.
  int32_t Select = -1;
  bool operator==(const TEntryButtons&) const = default;
};

// Refuses, with an Exception that says why, an entry name or second text that the list cannot
// hold: an empty name, a name longer than the tables store, and a TAB in either field (TAB
// separates the fields of a list line, so the entry would come back cut in two). secondWhat
// names the second field in the message ("replacement", "description").
void CheckEntryFields(const std::string& name, const std::string& second, const char* secondWhat);

}  // namespace ql
