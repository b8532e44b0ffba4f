// Annotations of the row store: a keystroke with 10 000 marks and 1000 named bookmarks near the
// start and near the end of the text, the breakpoint lookup of a painted row among 10 000
// breakpoints, and the heap each mark, named bookmark and breakpoint takes (with the heap left
// after 10 000 add-and-delete cycles).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "MemoryCounter.h"
#include "textmodel/TextStore.h"

using namespace ql;

namespace {

constexpr int32_t Rows = 20000;
constexpr int32_t RowLength = 40;  // with its line break

std::unique_ptr<TTextStore> AnnotatedStore(int32_t marks, int32_t named, int32_t breakpoints) {
  auto store = std::make_unique<TTextStore>();
  std::string row(RowLength - 1, 'x');
  row += '\r';
  std::string text;
  for (int32_t i = 0; i < Rows; ++i) text += row;
  store->AppendText(text);
  TObjectList& list = store->EnsureMarks();
  for (int32_t i = 0; i < marks; ++i) {
    const int32_t at = static_cast<int32_t>(static_cast<int64_t>(i) * store->TextLength / marks);
    list.Add(at, at + 5, i);
  }
  for (int32_t i = 0; i < named; ++i) {
    store->CustomBookmarks.Add("bookmark " + std::to_string(i), static_cast<int32_t>(static_cast<int64_t>(i) * store->TextLength / named));
  }
  for (int32_t i = 0; i < breakpoints; ++i) store->Breakpoints.Add((i * 2 % Rows) * RowLength);
  return store;
}

// One character typed and taken back again, at the given row.
void Keystroke(benchmark::State& state, int32_t row) {
  auto store = AnnotatedStore(10000, 1000, 0);
  const int32_t at = row * RowLength + 7;
  for (auto _ : state) {
    store->InsertText(at, "a", 1);
    store->DeleteText(at, at + 1);
  }
  state.SetItemsProcessed(state.iterations() * 2);
}

void BM_KeystrokeNearTheStart(benchmark::State& state) { Keystroke(state, 3); }
void BM_KeystrokeNearTheEnd(benchmark::State& state) { Keystroke(state, Rows - 3); }

void BM_BreakpointOfAPaintedRow(benchmark::State& state) {
  auto store = AnnotatedStore(0, 0, 10000);
  std::mt19937 rng(7);
  int32_t glyph = 0;
  TColor back = 0, text = 0;
  store->Breakpoints.FindAt(0);  // sorted once, as the first paint after a change does
  for (auto _ : state) {
    const int32_t rowStart = static_cast<int32_t>(rng() % Rows) * RowLength;
    benchmark::DoNotOptimize(store->Breakpoints.GetRowMarker(rowStart, glyph, back, text));
  }
}

void BM_BytesPerAnnotation(benchmark::State& state) {
  for (auto _ : state) {
    auto store = AnnotatedStore(0, 0, 0);
    long long before = bench::HeapNow();
    TObjectList& marks = store->EnsureMarks();
    for (int32_t i = 0; i < 10000; ++i) marks.Add(i * 40, i * 40 + 5, i);
    state.counters["bytes_per_mark"] = static_cast<double>(bench::HeapNow() - before) / 10000;
    before = bench::HeapNow();
    for (int32_t i = 0; i < 1000; ++i) store->CustomBookmarks.Add("bookmark " + std::to_string(i), i * 400);
    state.counters["bytes_per_named_bookmark"] = static_cast<double>(bench::HeapNow() - before) / 1000;
    before = bench::HeapNow();
    for (int32_t i = 0; i < 10000; ++i) store->Breakpoints.Add(i * RowLength);
    state.counters["bytes_per_breakpoint"] = static_cast<double>(bench::HeapNow() - before) / 10000;
    // Add-and-delete cycles: a mark, a named bookmark and a breakpoint each time; the first
    // cycles may settle a container's capacity, the next 10 000 must leave nothing behind.
    const auto cycles = [&](int32_t n) {
      for (int32_t i = 0; i < n; ++i) {
        const TMarkHandle m = marks.Add(100, 105, i);
        marks.Remove(m);
        store->CustomBookmarks.Add("cycle", 77);
        store->CustomBookmarks.Remove("cycle");
        store->Breakpoints.Remove(&store->Breakpoints.Add(1 * RowLength + 3));
        store->Breakpoints.Add(1 * RowLength);
      }
    };
    const long long before_cycles = bench::HeapNow();
    cycles(10);
    state.counters["growth_first_10_cycles_bytes"] = static_cast<double>(bench::HeapNow() - before_cycles);
    const long long settled = bench::HeapNow();
    cycles(10000);
    state.counters["growth_after_cycles_bytes"] = static_cast<double>(bench::HeapNow() - settled);
  }
}

}  // namespace

BENCHMARK(BM_KeystrokeNearTheStart);
BENCHMARK(BM_KeystrokeNearTheEnd);
BENCHMARK(BM_BreakpointOfAPaintedRow);
BENCHMARK(BM_BytesPerAnnotation)->Iterations(1);
