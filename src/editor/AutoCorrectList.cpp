#include "editor/AutoCorrectList.h"

#include "services/AutoReplace.h"
#include "toolkit/Exception.h"

namespace ql {

TMacroList AutoReplaceList(const TAutoReplace& table) {
  TMacroList list;
  for (int32_t i = 0; i < table.Count(); ++i) list.Add(table.Name(i), table.Entry(i).Expansion());
  return list;
}

TEntryButtons AutoReplaceButtons(const TMacroList& list, const std::string& r, const std::string& w) {
  TEntryButtons b;
  if (r.empty()) return b;
  const int32_t at = list.IndexOfName(r);
  if (at < 0) {
    b.AddEnabled = true;
    return b;
  }
  b.SecondEnabled = true;
  b.SecondChanges = true;
  if (!w.empty()) {
    b.Second = list[at].Second == w ? TSecondAction::Delete : TSecondAction::Replace;
  } else {
    b.Select = at;
    b.Second = list[at].Second.empty() ? TSecondAction::Delete : TSecondAction::Replace;
  }
  return b;
}

int32_t AddAutoReplaceEntry(TMacroList& list, const std::string& r, const std::string& w) {
  CheckEntryFields(r, w, "replacement");
  if (list.HasName(r)) throw Exception(Format("There is an entry called '%s' already.", r.c_str()));
  return list.Add(r, w);
}

int32_t ReplaceAutoReplaceEntry(TMacroList& list, const std::string& r, const std::string& w) {
  CheckEntryFields(r, w, "replacement");
  list.Remove(r);
  return list.Add(r, w);
}

void RebuildAutoReplace(TAutoReplace& table, const TMacroList& list, const std::string& triggers) {
  table.Clear();
  for (const TMacroListEntry& e : list.Entries()) table.AddReplacement(e.Name, e.Second);
  table.SetTriggers(triggers);
}

}  // namespace ql
