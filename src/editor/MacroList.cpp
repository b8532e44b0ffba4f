#include "editor/MacroList.h"

#include <algorithm>

#include "services/MacroKeywords.h"
#include "textmodel/CharClasses.h"
#include "toolkit/Exception.h"

namespace ql {

size_t TMacroList::LowerBound(const std::string& name) const {
  const std::string key = LowerText(name);
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), key, [](const TMacroListEntry& e, const std::string& k) {
    return LowerText(e.Name) < k;
  });
  return static_cast<size_t>(at - entries_.begin());
}

int32_t TMacroList::IndexOfName(const std::string& name) const {
  const size_t at = LowerBound(name);
  return at < entries_.size() && LowerText(entries_[at].Name) == LowerText(name) ? static_cast<int32_t>(at) : -1;
}

bool TMacroList::HoldsEntry(const std::string& name, const std::string& second) const {
  const int32_t at = IndexOfName(name);
  return at >= 0 && (*this)[at].Second == second;
}

int32_t TMacroList::Add(const std::string& name, const std::string& second) {
  const size_t at = LowerBound(name);
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), TMacroListEntry{name, second});
  return static_cast<int32_t>(at);
}

int32_t TMacroList::Remove(const std::string& name) {
  const int32_t at = IndexOfName(name);
  if (at >= 0) entries_.erase(entries_.begin() + at);
  return at;
}

int32_t SelectionAfterRemoval(const TMacroList& list, int32_t removed) {
  if (list.Count() == 0) return -1;
  return std::clamp(removed, 0, list.Count() - 1);
}

int32_t DeleteListEntry(TMacroList& list, const std::string& name, int32_t selected) {
  const int32_t at = list.Remove(name);
  return at < 0 ? selected : SelectionAfterRemoval(list, at);
}

const char* SecondCaption(TSecondAction action) { return action == TSecondAction::Delete ? "Delete" : "Replace"; }

void CheckEntryFields(const std::string& name, const std::string& second, const char* secondWhat) {
  if (name.empty()) throw Exception("The name cannot be empty.");
  if (name.size() > TMacroKeywords::MaxName)
    throw Exception(Format("The name cannot be longer than %d characters.", static_cast<int>(TMacroKeywords::MaxName)));
  if (name.find('\t') != std::string::npos) throw Exception("The name cannot contain a TAB character.");
  if (second.find('\t') != std::string::npos) throw Exception(Format("The %s cannot contain a TAB character.", secondWhat));
}

}  // namespace ql
