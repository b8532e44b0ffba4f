// The editor engine on the peers' generated XML (10 and 50 MB), headless: a recording canvas with
// fixed metrics and a host that only counts repaint requests.
//   - Open: LoadFromFile plus highlighting of the whole text, as the end of that message does it.
//   - Keystroke: one character typed (WM_CHAR) in the middle and at the end of the text, through
//     the undo record, the re-highlighting and the rows it marks for repainting; median and p99
//     of single keystrokes (a Backspace after each, untimed, keeps the text as it was; it comes
//     as the window system sends it, a key press and its character).
//   - Paint: a full window of 45 rows x 110 columns, highlighted, with the gutter.
//   - Scrolling: a line and a page down with the repaint; the thumb to the middle; Ctrl+End and
//     Ctrl+Home.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <vector>

#include "EditorBench.h"
#include "toolkit/RecordingCanvas.h"
#include "toolkit/VirtualKeys.h"

using namespace ql;
using namespace ql::bench;

namespace {

using Clock = std::chrono::steady_clock;

// One loaded and highlighted editor per file, kept for the whole program (and never freed: the
// default font factory its fonts came from may be gone by the time statics are destroyed).
TBenchEditor& Loaded(int megabytes) {
  static auto* editors = new std::map<int, std::unique_ptr<TBenchEditor>>;
  auto& editor = (*editors)[megabytes];
  if (!editor) {
    editor = std::make_unique<TBenchEditor>();
    editor->Memo->LoadFromFile(PeerXmlPath(megabytes));
  }
  return *editor;
}

bool Skip(benchmark::State& state, int megabytes) {
  if (PeerXmlExists(megabytes)) return false;
  state.SkipWithError(("missing " + PeerXmlPath(megabytes)).c_str());
  return true;
}

void PaintWindow(TInkMemo& memo, TRecordingCanvas& canvas) {
  TPaintRequest request{&canvas, {0, 0, memo.ClientWidth(), memo.ClientHeight()}};
  memo.Perform(WM_PAINT, 0, reinterpret_cast<LPARAM>(&request));
}

void BM_Open(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  for (auto _ : state) {
    TBenchEditor editor;
    editor.Memo->LoadFromFile(PeerXmlPath(megabytes));
    benchmark::DoNotOptimize(editor.Memo->Store().TextLength);
    state.PauseTiming();  // freeing the text is not part of opening it
    editor.Memo.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(megabytes) * 1000000);
}
BENCHMARK(BM_Open)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

// The two halves of opening: the load alone (no parser), and highlighting the loaded text.
void BM_OpenLoadOnly(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  for (auto _ : state) {
    TCountingHost host;
    auto memo = std::make_unique<TInkMemo>(&host);
    memo->LoadFromFile(PeerXmlPath(megabytes));
    state.PauseTiming();
    memo.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(megabytes) * 1000000);
}
BENCHMARK(BM_OpenLoadOnly)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_HighlightWhole(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TBenchEditor& editor = Loaded(megabytes);
  for (auto _ : state) editor.Memo->Perform(SMM_APPLYSETTINGS);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(megabytes) * 1000000);
}
BENCHMARK(BM_HighlightWhole)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keystrokes at a fraction of the text (0.5: the middle, 1: the end).
void Keystrokes(benchmark::State& state, double where) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TBenchEditor& editor = Loaded(megabytes);
  TInkMemo& memo = *editor.Memo;
  TRecordingCanvas canvas(memo.Settings().FontFactory());
  canvas.Record = false;
  const int32_t at = static_cast<int32_t>(memo.Store().TextLength * where);
  memo.SetSelection(at, at);
  PaintWindow(memo, canvas);
  std::vector<double> samples;
  int64_t rows = 0;
  for (auto _ : state) {
    editor.Host.Reset();
    const auto start = Clock::now();
    memo.Perform(WM_CHAR, 'x');
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    samples.push_back(seconds * 1e6);
    rows += editor.Host.Rows + editor.Host.WholeWindow * BenchRows;
    memo.Perform(WM_KEYDOWN, VK_BACK);
    memo.Perform(WM_CHAR, '\b');
  }
  std::sort(samples.begin(), samples.end());
  state.counters["median_us"] = samples[samples.size() / 2];
  state.counters["p99_us"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
  state.counters["dirty_rows"] = static_cast<double>(rows) / static_cast<double>(samples.size());
  state.counters["undo_bytes"] = static_cast<double>(memo.History().MemoryBytes());
  memo.Perform(EM_EMPTYUNDOBUFFER);
}
void BM_KeystrokeMiddle(benchmark::State& state) { Keystrokes(state, 0.5); }
void BM_KeystrokeEnd(benchmark::State& state) { Keystrokes(state, 1.0); }
BENCHMARK(BM_KeystrokeMiddle)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_KeystrokeEnd)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);

// The same keystroke with the repaint of what it asked for (the changed row) on the canvas.
void BM_KeystrokeWithRepaint(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TInkMemo& memo = *Loaded(megabytes).Memo;
  TRecordingCanvas canvas(memo.Settings().FontFactory());
  canvas.Record = false;
  const int32_t at = memo.Store().TextLength / 2;
  memo.SetSelection(at, at);
  const TPoint caret = memo.PointFromChar(at);
  const TRect row{0, caret.Y, memo.ClientWidth(), caret.Y + memo.LineHeight()};
  for (auto _ : state) {
    memo.Perform(WM_CHAR, 'x');
    TPaintRequest request{&canvas, row};
    memo.Perform(WM_PAINT, 0, reinterpret_cast<LPARAM>(&request));
    state.PauseTiming();
    memo.Perform(WM_KEYDOWN, VK_BACK);
    memo.Perform(WM_CHAR, '\b');
    state.ResumeTiming();
  }
  memo.Perform(EM_EMPTYUNDOBUFFER);
}
BENCHMARK(BM_KeystrokeWithRepaint)->Arg(50)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_PaintFullWindow(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TInkMemo& memo = *Loaded(megabytes).Memo;
  memo.Perform(SMM_TOPROW, smmSet, memo.Store().RowCount / 2);
  TRecordingCanvas canvas(memo.Settings().FontFactory());
  canvas.Record = false;
  for (auto _ : state) {
    canvas.Calls = 0;
    PaintWindow(memo, canvas);
  }
  state.counters["canvas_calls"] = canvas.Calls;
}
BENCHMARK(BM_PaintFullWindow)->Arg(50)->Unit(benchmark::kMicrosecond);

// A scroll-bar message and the repaint of the whole window.
void ScrollAndPaint(benchmark::State& state, uint16_t code) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TInkMemo& memo = *Loaded(megabytes).Memo;
  memo.Perform(SMM_TOPROW, smmSet, memo.Store().RowCount / 4);
  TRecordingCanvas canvas(memo.Settings().FontFactory());
  canvas.Record = false;
  for (auto _ : state) {
    memo.Perform(WM_VSCROLL, code);
    PaintWindow(memo, canvas);
  }
}
void BM_ScrollLine(benchmark::State& state) { ScrollAndPaint(state, SB_LINEDOWN); }
void BM_ScrollPage(benchmark::State& state) { ScrollAndPaint(state, SB_PAGEDOWN); }
BENCHMARK(BM_ScrollLine)->Arg(50)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(BM_ScrollPage)->Arg(50)->Unit(benchmark::kMicrosecond)->Iterations(1000);

// The thumb dragged from the top to the middle (and, untimed, back), with the repaint.
void BM_ThumbToMiddle(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TBenchEditor& editor = Loaded(megabytes);
  TInkMemo& memo = *editor.Memo;
  TRecordingCanvas canvas(memo.Settings().FontFactory());
  canvas.Record = false;
  const int32_t scale = memo.Store().RowCount / 32000 + 1;
  const int32_t middle = memo.Store().RowCount / 2 / scale;
  for (auto _ : state) {
    memo.Perform(WM_VSCROLL, MAKELPARAM(SB_THUMBTRACK, middle));
    PaintWindow(memo, canvas);
    state.PauseTiming();
    memo.Perform(WM_VSCROLL, MAKELPARAM(SB_THUMBTRACK, 0));
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ThumbToMiddle)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(20);

// Ctrl+End from the start and Ctrl+Home from the end, each with the repaint.
void CtrlJump(benchmark::State& state, uint16_t key, uint16_t back) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TBenchEditor& editor = Loaded(megabytes);
  TInkMemo& memo = *editor.Memo;
  TRecordingCanvas canvas(memo.Settings().FontFactory());
  canvas.Record = false;
  editor.Host.Held = VK_CONTROL;
  memo.Perform(WM_KEYDOWN, back);
  for (auto _ : state) {
    memo.Perform(WM_KEYDOWN, key);
    PaintWindow(memo, canvas);
    state.PauseTiming();
    memo.Perform(WM_KEYDOWN, back);
    state.ResumeTiming();
  }
  editor.Host.Held = 0;
}
void BM_CtrlEnd(benchmark::State& state) { CtrlJump(state, VK_END, VK_HOME); }
void BM_CtrlHome(benchmark::State& state) { CtrlJump(state, VK_HOME, VK_END); }
BENCHMARK(BM_CtrlEnd)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_CtrlHome)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
