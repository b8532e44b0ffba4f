// Row store on the peers' generated XML files (EditorBench.h): loading, freeing and saving, row
// lookups far from the top row, and the store's work for one character typed at the row limit.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

#include "PeerFiles.h"
#include "textmodel/TextControl.h"
#include "toolkit/MemoryStream.h"

using namespace ql;
using bench::PeerXmlOrSkip;

namespace {

// A control holding the peers' file of the benchmark's size, loaded once per size.
TTextControl* Loaded(benchmark::State& state, int64_t mb) {
  static std::vector<std::pair<int64_t, std::unique_ptr<TTextControl>>> loaded;
  for (auto& [size, control] : loaded) {
    if (size == mb) return control.get();
  }
  const std::string* text = PeerXmlOrSkip(state, static_cast<int>(mb));
  if (text == nullptr) return nullptr;
  auto control = std::make_unique<TTextControl>();
  control->SetText(*text);
  loaded.emplace_back(mb, std::move(control));
  return loaded.back().second.get();
}

// Loads the file into a fresh control. Freeing it, and the allocator's tidying of what was
// freed (malloc_trim), are not timed here but in BM_Free.
void BM_Load(benchmark::State& state) {
  const std::string* text = PeerXmlOrSkip(state, static_cast<int>(state.range(0)));
  if (text == nullptr) return;
  for (auto _ : state) {
    {
      TTextControl c;
      TMemoryView stream(*text);
      c.LoadFromStream(stream);
      benchmark::DoNotOptimize(c.Store().RowCount);
      state.PauseTiming();
    }
    malloc_trim(0);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}
BENCHMARK(BM_Load)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

// Closing a document: freeing every row, with the allocator's tidying afterwards.
void BM_Free(benchmark::State& state) {
  const std::string* text = PeerXmlOrSkip(state, static_cast<int>(state.range(0)));
  if (text == nullptr) return;
  for (auto _ : state) {
    state.PauseTiming();
    auto c = std::make_unique<TTextControl>();
    TMemoryView stream(*text);
    c->LoadFromStream(stream);
    state.ResumeTiming();
    c.reset();
    malloc_trim(0);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}
BENCHMARK(BM_Free)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
  TTextControl* c = Loaded(state, state.range(0));
  if (c == nullptr) return;
  for (auto _ : state) {
    TMemoryStream out;
    out.SetSize(c->Store().TextLength + c->Store().RowCount);
    out.SetPosition(0);
    c->SaveToStream(&out);
    benchmark::DoNotOptimize(out.Size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * c->Store().TextLength);
}
BENCHMARK(BM_Save)->Arg(50)->Unit(benchmark::kMillisecond);

// Lookups at random offsets with the top row at the start of the text.
void BM_LocateRowRandom(benchmark::State& state) {
  TTextControl* c = Loaded(state, state.range(0));
  if (c == nullptr) return;
  TTextStore& store = c->Store();
  store.SetTopRowIndex(0);
  std::mt19937 rng(7);
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.LocateRow(static_cast<int32_t>(rng() % static_cast<uint32_t>(store.TextLength))));
  }
}
BENCHMARK(BM_LocateRowRandom)->Arg(50)->Unit(benchmark::kMicrosecond);

// The far end of the text from a top row at its start: the longest walk there was.
void BM_LocateRowFarEnd(benchmark::State& state) {
  TTextControl* c = Loaded(state, state.range(0));
  if (c == nullptr) return;
  TTextStore& store = c->Store();
  store.SetTopRowIndex(0);
  for (auto _ : state) benchmark::DoNotOptimize(store.LocateRow(store.TextLength - 1));
}
BENCHMARK(BM_LocateRowFarEnd)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

// Go to line: the middle row by its number.
void BM_RowByIndexMiddle(benchmark::State& state) {
  TTextControl* c = Loaded(state, state.range(0));
  if (c == nullptr) return;
  TTextStore& store = c->Store();
  for (auto _ : state) benchmark::DoNotOptimize(store.RowByIndex(store.RowCount / 2));
}
BENCHMARK(BM_RowByIndexMiddle)->Arg(50)->Unit(benchmark::kMicrosecond);

// A row's own number and offset (a bookmark's or the top row's line).
void BM_RowPosition(benchmark::State& state) {
  TTextControl* c = Loaded(state, state.range(0));
  if (c == nullptr) return;
  TTextStore& store = c->Store();
  std::mt19937 rng(3);
  std::vector<TTextRow*> rows;
  for (int i = 0; i < 1024; ++i) rows.push_back(store.RowByIndex(static_cast<int32_t>(rng() % store.RowCount)).Row);
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(store.RowPosition(rows[i++ % rows.size()]));
}
BENCHMARK(BM_RowPosition)->Arg(50)->Unit(benchmark::kMicrosecond);

// One character typed into a full continuation row of a 10 000-character line in the middle of
// the text: the row grows past the limit and is split. Only InsertText is timed; between
// keystrokes the line is put back as it was.
void BM_TypeAtRowLimit(benchmark::State& state) {
  const std::string* text = PeerXmlOrSkip(state, static_cast<int>(state.range(0)));
  if (text == nullptr) return;
  TTextControl c;
  c.SetText(*text);
  TTextStore& store = c.Store();
  const int32_t lineStart = store.RowStart(store.RowCount / 2);
  const std::string line = std::string(10000, 'a') + "\r";
  store.InsertText(lineStart, line);
  const TRowPos lineRow = store.LocateRow(lineStart);
  // Near the screen the user types on.
  store.SetTopRowIndex(lineRow.Index);
  const int32_t at = store.RowStart(lineRow.Index + 2) + 100;  // the second continuation row
  std::vector<double> micros;
  for (auto _ : state) {
    if (store.LocateRow(at).Row->Length != MaxRowLength) state.SkipWithError("the row is not full");
    const auto t0 = std::chrono::steady_clock::now();
    store.InsertText(at, "x", 1);
    const auto t1 = std::chrono::steady_clock::now();
    const double us = std::chrono::duration<double, std::micro>(t1 - t0).count();
    state.SetIterationTime(us / 1e6);
    micros.push_back(us);
    store.DeleteText(lineStart, lineStart + static_cast<int32_t>(line.size()) + 1);
    store.InsertText(lineStart, line);
  }
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros.empty() ? 0 : micros[micros.size() / 2];
  state.counters["p99_us"] = micros.empty() ? 0 : micros[micros.size() * 99 / 100];
}
BENCHMARK(BM_TypeAtRowLimit)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(20000);

}  // namespace
