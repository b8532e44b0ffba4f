// Replace All through the editor on the peers' 10 MB XML file, with the shipped XML definition:
// every closing tag </name> (about 110 000) becomes </x-name>, as the replace dialog's Replace
// All does it (one message: the matches collected, replaced from the end in one undo group, the
// text re-highlighted once at the end). Counters: the matches, the bytes the undo history grew
// by, and that growth over the changed text (the bytes the matches held plus the bytes put in).
#include <benchmark/benchmark.h>

#include "EditorBench.h"
#include "editor/EditorSearch.h"
#include "services/REParser.h"
#include "services/RowCursor.h"

using namespace ql;
using namespace ql::bench;

namespace {

// The bytes every match of pattern holds.
int64_t MatchedBytes(TTextStore& store, const std::string& pattern) {
  TREParser re;
  re.SetPattern(pattern);
  TRowCursor text(store);
  int64_t bytes = 0;
  for (int32_t from = 0; re.Search(text, from, true, false); from = re.MatchEnd()) bytes += re.MatchEnd() - re.MatchStart();
  return bytes;
}

void BM_ReplaceAllClosingTags(benchmark::State& state) {
  if (!PeerXmlExists(10)) return state.SkipWithError(("missing " + PeerXmlPath(10)).c_str());
  TBenchEditor editor;
  editor.Memo->LoadFromFile(PeerXmlPath(10));
  TSearchStep step;
  step.Kind = TSearchStep::ssReplaceAll;
  step.Options.FindText = "</([a-z]+)>";
  step.Options.ReplaceText = "</x-%3>";
  step.Options.Regex = true;
  const int64_t removed = MatchedBytes(editor.Memo->Store(), step.Options.FindText);
  int64_t inserted = 0;
  size_t history = 0;
  for (auto _ : state) {
    state.PauseTiming();
    editor.Memo->SetSelection(0, 0);
    const int32_t lengthBefore = editor.Memo->Store().TextLength;
    const size_t historyBefore = editor.Memo->History().MemoryBytes();
    state.ResumeTiming();
    editor.Memo->Perform(SMM_SEARCHSTEP, 0, reinterpret_cast<LPARAM>(&step));
    state.PauseTiming();
    history = editor.Memo->History().MemoryBytes() - historyBefore;
    inserted = removed + editor.Memo->Store().TextLength - lengthBefore;
    editor.Memo->Undo();
    editor.Memo->ClearUndo();
    state.ResumeTiming();
  }
  state.counters["matches"] = step.Replaced;
  state.counters["history_bytes"] = static_cast<double>(history);
  state.counters["history_per_changed"] = static_cast<double>(history) / static_cast<double>(removed + inserted);
}
BENCHMARK(BM_ReplaceAllClosingTags)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
