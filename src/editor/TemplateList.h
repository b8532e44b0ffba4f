#pragma once
// The Code templates page without a toolkit: its entry list (name, TAB, description), the state
// of its two buttons for the Name box (N), the Description box (D) and the text of the template
// editor, what the buttons do to the list and the working template table, and what the template
// editor accepts from a paste or a drop.
#include <string>

#include "editor/MacroList.h"
#include "services/SourceTypes.h"

namespace ql {

class TCodeTemplates;

// One line per template of the table, in the table's order.
TMacroList TemplateList(const TCodeTemplates& table);

// The buttons for N, D and the editor's text (names compared without regard to case):
//   - N empty: neither button;
//   - N not listed: "Add" only;
//   - N listed but the list does not hold exactly N, TAB, D: "Replace";
//   - otherwise, when the template N exists: "Delete" while its stored expansion equals the
//     editor's text (line breaks compared in the stored form), "Replace" when they differ.
TEntryButtons TemplateButtons(const TMacroList& list, const TCodeTemplates& table, const std::string& n,
                              const std::string& d, const std::string& text);

// "Add": stores the template N (description D, expansion text) and lists N, TAB, D; returns the
// entry's position. Raises, changing nothing, for fields the list cannot hold (CheckEntryFields)
// and for an N that is listed already.
int32_t AddTemplateEntry(TMacroList& list, TCodeTemplates& table, const std::string& n, const std::string& d,
                         const std::string& text);
// "Replace": stores the template N anew and puts N, TAB, D in the place of N's entry; returns
// its position. Raises, changing nothing, for fields the list cannot hold.
int32_t ReplaceTemplateEntry(TMacroList& list, TCodeTemplates& table, const std::string& n, const std::string& d,
                             const std::string& text);
// "Delete": removes the entry and the template N; returns the entry to select then
// (SelectionAfterRemoval), or selected when N is not listed.
int32_t DeleteTemplateEntry(TMacroList& list, TCodeTemplates& table, const std::string& n, int32_t selected);

// The template editor takes HTML as its fragment and a list of files as a notification, never
// as the data as it is: with srcHTML offered, srcAsIs is cleared and srcHTMLFragment set;
// otherwise with srcFiles offered, srcAsIs is cleared and srcNotifyFiles set.
TSourceTypes NarrowTemplateDrop(TSourceTypes offered);

}  // namespace ql
