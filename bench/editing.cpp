// Editing commands of the engine on the peers' 50 MB XML, headless, each timed through its
// message and the re-highlighting that ends it; an untimed Undo puts the text back after each.
//   - Enter with auto-indent at the end of an indented row in the middle of the text.
//   - Ctrl+J expanding a four-line template after its typed name, in the middle of the text.
//   - Block indent and unindent of 10 000 rows in the middle, with the parser (re-highlighting
//     included) and without it (the edit alone), and the undo memory one indent takes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <vector>

#include "EditorBench.h"
#include "services/CodeTemplates.h"
#include "services/SM_Settings.h"
#include "toolkit/VirtualKeys.h"

using namespace ql;
using namespace ql::bench;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kMegabytes = 50;

// The loaded 50 MB editor, with or without the parser; kept for the whole program.
TBenchEditor& Loaded(bool parser) {
  static auto* editors = new std::map<bool, std::unique_ptr<TBenchEditor>>;
  auto& editor = (*editors)[parser];
  if (!editor) {
    editor = std::make_unique<TBenchEditor>();
    if (!parser) editor->Memo->SetParser1(nullptr);
    TInkMemoOptions options = editor->Memo->GetOptions();
    options.Include(smoAutoIndent);
    editor->Memo->SetOptions(options);
    editor->Memo->LoadFromFile(PeerXmlPath(kMegabytes));
  }
  return *editor;
}

bool Skip(benchmark::State& state) {
  if (PeerXmlExists(kMegabytes)) return false;
  state.SkipWithError(("missing " + PeerXmlPath(kMegabytes)).c_str());
  return true;
}

// The end of the text of the first row at or after the middle that starts with blanks.
int32_t IndentedRowEnd(TInkMemo& memo) {
  TTextStore& store = memo.Store();
  TRowPos pos = store.LocateRow(store.TextLength / 2);
  for (TTextRow* row = pos.Row; row != nullptr; pos.Start += row->Length, row = row->Next) {
    const std::string_view text = row->Content();
    if (!text.empty() && (text[0] == ' ' || text[0] == '\t')) return pos.Start + static_cast<int32_t>(text.size());
  }
  return store.TextLength / 2;
}

void Report(benchmark::State& state, std::vector<double>& samples) {
  std::sort(samples.begin(), samples.end());
  state.counters["median_us"] = samples[samples.size() / 2];
  state.counters["p99_us"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
}

void BM_EnterAutoIndentMiddle(benchmark::State& state) {
  if (Skip(state)) return;
  TBenchEditor& editor = Loaded(true);
  TInkMemo& memo = *editor.Memo;
  const int32_t at = IndentedRowEnd(memo);
  std::vector<double> samples;
  int32_t inserted = 0;
  for (auto _ : state) {
    memo.SetSelection(at, at);
    const int32_t before = memo.Store().TextLength;
    const auto start = Clock::now();
    memo.Perform(WM_KEYDOWN, VK_RETURN);
    memo.Perform(WM_CHAR, '\r');
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    samples.push_back(seconds * 1e6);
    inserted = memo.Store().TextLength - before;
    memo.Perform(EM_UNDO);
  }
  // The line break and the indentation of the row it was typed in.
  if (inserted < 2) state.SkipWithError("Enter did not indent the new row");
  state.counters["chars_inserted"] = inserted;
  Report(state, samples);
  memo.Perform(EM_EMPTYUNDOBUFFER);
}
BENCHMARK(BM_EnterAutoIndentMiddle)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_TemplateCtrlJMiddle(benchmark::State& state) {
  if (Skip(state)) return;
  TBenchEditor& editor = Loaded(true);
  TInkMemo& memo = *editor.Memo;
  memo.Settings().Templates().AddTemplate("loop", "Four lines",
                                         "<xsl:for-each select=\"|\">\r  <xsl:value-of select=\".\"/>\r"
                                         "  <xsl:text> </xsl:text>\r</xsl:for-each>");
  const int32_t at = IndentedRowEnd(memo);
  std::vector<double> samples;
  int32_t inserted = 0;
  for (auto _ : state) {
    memo.SetSelection(at, at);
    memo.SetSelText(" loop");
    const int32_t before = memo.Store().TextLength;
    editor.Host.Held = VK_CONTROL;
    const auto start = Clock::now();
    memo.Perform(WM_KEYDOWN, 'J');
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    editor.Host.Held = 0;
    memo.Perform(WM_KEYUP, 'J');
    state.SetIterationTime(seconds);
    samples.push_back(seconds * 1e6);
    inserted = memo.Store().TextLength - before;
    memo.Perform(EM_UNDO);  // the expansion
    memo.Perform(EM_UNDO);  // the typed name
  }
  // Four rows of template (and their indentation) in place of the four-letter name.
  if (inserted < 60) state.SkipWithError("Ctrl+J did not expand the template");
  state.counters["chars_inserted"] = inserted;
  Report(state, samples);
  memo.Perform(EM_EMPTYUNDOBUFFER);
  memo.Settings().Templates().RemoveEntry("loop");
}
BENCHMARK(BM_TemplateCtrlJMiddle)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);

// Block indent (arg 1) or unindent (arg 0) of 10 000 rows from the middle; arg 2: with the parser.
void BM_Block10000Rows(benchmark::State& state) {
  if (Skip(state)) return;
  const bool indent = state.range(0) != 0;
  TInkMemo& memo = *Loaded(state.range(1) != 0).Memo;
  TTextStore& store = memo.Store();
  const int32_t first = store.RowCount / 2;
  const int32_t from = store.RowStart(first);
  const int32_t to = store.RowStart(first + 10000);
  size_t undoBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    memo.SetSelection(from, to);
    if (!indent) memo.BlockIndent(2, false);  // something to take off
    // A fresh history, so that its size is what this one command recorded.
    auto history = std::make_shared<TUndoStack>();
    memo.Perform(SMM_UNDOSTACK, smmSet, reinterpret_cast<LPARAM>(&history));
    state.ResumeTiming();
    if (indent) {
      memo.BlockIndent(2, false);
    } else {
      memo.BlockUnindent(2);
    }
    state.PauseTiming();
    undoBytes = history->MemoryBytes();
    memo.Perform(EM_UNDO);
    if (!indent) memo.BlockUnindent(2);  // the undo left the indented block selected
    state.ResumeTiming();
  }
  state.counters["undo_bytes"] = static_cast<double>(undoBytes);
  memo.Perform(EM_EMPTYUNDOBUFFER);
}
BENCHMARK(BM_Block10000Rows)
    ->ArgNames({"indent", "parser"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
