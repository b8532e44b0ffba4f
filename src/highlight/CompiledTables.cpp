#include "highlight/CompiledTables.h"

namespace ql {

TCompiledTables::TCompiledTables() { Clear(); }

void TCompiledTables::Clear() {
  Keywords.Clear();
  Keywords.ActiveStates = TByteSet{0};
  Groups.Clear();
  Groups.Add(TSM_CharGroup{});
  Handlers.fill(std::nullopt);
  DefaultTokens = TTokenTable{};
  for (auto& table : StateTokens) table.reset();
  StatesWithTables.Clear();
  StateRecords.fill(std::nullopt);
  ContextSets.fill(TByteSet{});
  Anchor = TByteSet{0};
  Bound.Clear();
  StartStates = TByteSet{0};
  UsesMatch = false;
}

TTokenTable& TCompiledTables::StateTable(uint8_t state) {
  if (!StateTokens[state]) {
    StateTokens[state] = std::make_unique<TTokenTable>();
    StatesWithTables.Include(state);
  }
  return *StateTokens[state];
}

TStateRecord& TCompiledTables::StateRecord(uint8_t value, const TByteSet& validWhenNew) {
  if (!StateRecords[value]) {
    TStateRecord record;
    record.Valid = validWhenNew;
    StateRecords[value] = record;
  }
  return *StateRecords[value];
}

void TCompiledTables::FillContextSets() {
  for (TByteSet& set : ContextSets)
    if (set.Empty()) set = StartStates;
}

}  // namespace ql
