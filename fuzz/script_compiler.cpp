// Feeds arbitrary bytes to the highlighting-script compiler. Any input must end in compiled
// tables that keep their invariants or in a compile error (ESYM_COMP_ERROR, or EInkMemo for
// the errors reported without position); anything else (a crash, a sanitizer report, another
// exception, a broken invariant, a hang) is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "highlight/CompiledTables.h"
#include "highlight/HandlerCodes.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"
#include "toolkit/MemoryStream.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckUnit(const ql::TCompiledTables& t, const ql::TScanUnit& u) {
  Check(u.Group >= 0 && u.Group < t.Groups.Count());
  if (u.Kind == ql::ukHandler) Check(ql::IsHandlerCode(u.Code));
}

void CheckEnd(const ql::TCompiledTables& t, const ql::TEndSequence& e) {
  Check((e.Kind == ql::ekGroups) == (e.GroupCount > 0) && e.GroupCount <= ql::TEndSequence::MaxGroups);
  for (int i = 0; i < e.GroupCount; ++i) Check(e.Groups[i] >= 0 && e.Groups[i] < t.Groups.Count());
  if (e.Kind == ql::ekHandler) Check(ql::IsHandlerCode(e.Code));
  if (e.Kind == ql::ekMatch) Check(t.UsesMatch);
}

void CheckTable(const ql::TCompiledTables& t, const ql::TTokenTable& table) {
  for (const auto& entry : table.Entries) {
    if (!entry) continue;
    CheckUnit(t, entry->Start);
    CheckUnit(t, entry->Continuation);
    CheckEnd(t, entry->End);
    Check(!entry->States.Empty());
    if (entry->Start.Kind == ql::ukHandler) Check(ql::IsStandardHandlerCode(entry->Start.Code));
    Check(t.StateRecords[entry->Value].has_value());
  }
  Check(table.Ranges.empty());
}

void CheckTables(const ql::TCompiledTables& t) {
  Check(t.Groups.Count() >= 1 && t.Group(0).IsEmpty());
  for (const auto& h : t.Handlers) {
    if (!h) continue;
    CheckUnit(t, h->Start);
    CheckEnd(t, h->End);
    if (h->Start.Kind == ql::ukMatch) Check(h->End.Kind == ql::ekNone);
  }
  CheckTable(t, t.DefaultTokens);
  for (int s = 0; s < 256; ++s) {
    Check((t.StateTokens[s] != nullptr) == t.StatesWithTables.Contains(static_cast<uint8_t>(s)));
    if (t.StateTokens[s]) CheckTable(t, *t.StateTokens[s]);
  }
  for (const auto& r : t.StateRecords) {
    if (!r) continue;
    Check(r->NoChange == (r->Entered.Empty() && r->Left.Empty()));
    if (r->PushPop == ql::TStateRecord::PopAfter) Check(r->NoChange);
  }
  for (const auto& context : t.ContextSets) Check(!context.Empty() || t.StartStates.Empty());
  Check(!t.Anchor.Empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  ql::TMemoryView in(script);
  ql::TCompiledTables tables;
  ql::TSM_Settings settings;
  try {
    ql::CompileScript(in, "/nonexistent-include-folder", tables, settings);
  } catch (const ql::EInkMemo&) {  // ESYM_COMP_ERROR included
    return 0;
  }
  CheckTables(tables);
  return 0;
}
