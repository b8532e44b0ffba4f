#pragma once
// The Auto correct page without a toolkit: its entry list (name, TAB, replacement), the state of
// its two buttons for the texts of the Replace box (R) and the With box (W), what the buttons do
// to the list, and the rebuilding of the working auto-replace table from the list.
#include <string>

#include "editor/MacroList.h"

namespace ql {

class TAutoReplace;

// One line per entry of the table, in the table's order.
TMacroList AutoReplaceList(const TAutoReplace& table);

// The buttons for R and W (names compared without regard to case):
//   - R empty: neither button (an entry needs a name);
//   - R not listed: "Add" only;
//   - R listed, W not empty: the second button, "Delete" when the list holds exactly R, TAB, W,
//     "Replace" otherwise;
//   - R listed, W empty: the entry R is selected; the second button, "Delete" when its
//     replacement is empty, "Replace" otherwise.
TEntryButtons AutoReplaceButtons(const TMacroList& list, const std::string& r, const std::string& w);

// "Add": lists R, TAB, W and returns its position (to select). Raises, changing nothing, for
// fields the list cannot hold (CheckEntryFields) and for an R that is listed already.
int32_t AddAutoReplaceEntry(TMacroList& list, const std::string& r, const std::string& w);
// "Replace": the entry called R gives way to R, TAB, W; returns the new entry's position.
// Raises, changing nothing, as AddAutoReplaceEntry does.
int32_t ReplaceAutoReplaceEntry(TMacroList& list, const std::string& r, const std::string& w);
// "Delete" is DeleteListEntry (MacroList.h).

// Empties the table, adds every entry of the list in list order, then sets the trigger text.
// A trigger text that does not parse raises its error after the entries are in, and leaves the
// triggers in force as they were.
void RebuildAutoReplace(TAutoReplace& table, const TMacroList& list, const std::string& triggers);

}  // namespace ql
