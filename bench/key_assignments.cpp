// The Key assignments page's OK: every command of the shipped key table, its pairs read from the
// working controller, added to a new controller and taken over by the working one.
//   - CommitUnread: no command was looked at (every list is read during the commit).
//   - CommitRead: every command's list was read before (as after showing each command).
#include <benchmark/benchmark.h>

#include "editor/KeyAssignments.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "services/SM_Settings.h"

using namespace ql;

namespace {

TKeyboardActionContoller& ShippedKeys() {
  static TInkMemoParser parser;
  static bool loaded = false;
  if (!loaded) {
    parser.Name = "XMLParser";
    parser.LoadFromBytes(XmlDefinitionStoredForm());
    loaded = true;
  }
  return parser.Settings().KeyController();
}

void BM_CommitUnread(benchmark::State& state) {
  TKeyboardActionContoller working;
  working.Assign(ShippedKeys());
  for (auto _ : state) {
    TKeyAssignments keys(working);
    if (keys.Commit()) state.SkipWithError("conflict");
  }
  state.counters["sequences"] = working.KeyStore().Count();
  state.counters["commands"] = static_cast<double>(working.ActionNames().size());
}
BENCHMARK(BM_CommitUnread)->Unit(benchmark::kMicrosecond);

void BM_CommitRead(benchmark::State& state) {
  TKeyboardActionContoller working;
  working.Assign(ShippedKeys());
  for (auto _ : state) {
    state.PauseTiming();
    TKeyAssignments keys(working);
    for (size_t i = 0; i < keys.Commands().size(); ++i) keys.Pairs(i);
    state.ResumeTiming();
    if (keys.Commit()) state.SkipWithError("conflict");
  }
}
BENCHMARK(BM_CommitRead)->Unit(benchmark::kMicrosecond);

}  // namespace
