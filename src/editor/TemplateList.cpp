#include "editor/TemplateList.h"

#include "services/CodeTemplates.h"
#include "services/MacroEntry.h"
#include "toolkit/Exception.h"

namespace ql {

TMacroList TemplateList(const TCodeTemplates& table) {
  TMacroList list;
  for (int32_t i = 0; i < table.Count(); ++i) list.Add(table.Name(i), table.Entry(i).Description());
  return list;
}

TEntryButtons TemplateButtons(const TMacroList& list, const TCodeTemplates& table, const std::string& n,
                              const std::string& d, const std::string& text) {
  TEntryButtons b;
  if (n.empty()) return b;
  if (!list.HasName(n)) {
    b.AddEnabled = true;
    return b;
  }
  b.SecondEnabled = true;
  b.SecondChanges = true;
  b.Second = TSecondAction::Replace;
  std::string stored;
  if (list.HoldsEntry(n, d) && table.LookupTemplate(n, stored) && stored == NormaliseText(text))
    b.Second = TSecondAction::Delete;
  return b;
}

int32_t AddTemplateEntry(TMacroList& list, TCodeTemplates& table, const std::string& n, const std::string& d,
                         const std::string& text) {
  CheckEntryFields(n, d, "description");
  if (list.HasName(n)) throw Exception(Format("There is a template called '%s' already.", n.c_str()));
  table.AddTemplate(n, d, text);
  return list.Add(n, d);
}

int32_t ReplaceTemplateEntry(TMacroList& list, TCodeTemplates& table, const std::string& n, const std::string& d,
                             const std::string& text) {
  CheckEntryFields(n, d, "description");
  table.AddTemplate(n, d, text);
  list.Remove(n);
  return list.Add(n, d);
}

int32_t DeleteTemplateEntry(TMacroList& list, TCodeTemplates& table, const std::string& n, int32_t selected) {
  table.RemoveEntry(n);
  return DeleteListEntry(list, n, selected);
}

TSourceTypes NarrowTemplateDrop(TSourceTypes offered) {
  if (offered & srcHTML) return static_cast<TSourceTypes>((offered & ~srcAsIs) | srcHTMLFragment);
  if (offered & srcFiles) return static_cast<TSourceTypes>((offered & ~srcAsIs) | srcNotifyFiles);
  return offered;
}

}  // namespace ql
