// Row store: loading and saving large texts, and row lookups far from the top row.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <random>

#include "XmlGenerator.h"
#include "textmodel/TextControl.h"
#include "toolkit/MemoryStream.h"

using namespace ql;

namespace {

const std::string& Xml(size_t mb) {
  static std::string texts[64];
  std::string& t = texts[mb];
  if (t.empty()) t = bench::GenerateXml(mb << 20);
  return t;
}

// Loads the text into a fresh control. Freeing it, and the allocator's tidying of what was freed
// (malloc_trim), are not timed here but in BM_Free.
void BM_Load(benchmark::State& state) {
  const std::string& text = Xml(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    {
      TTextControl c;
      TMemoryView stream(text);
      c.LoadFromStream(stream);
      benchmark::DoNotOptimize(c.Store().RowCount);
      state.PauseTiming();
    }
    malloc_trim(0);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Load)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

// Closing a document: freeing every row, with the allocator's tidying afterwards.
void BM_Free(benchmark::State& state) {
  const std::string& text = Xml(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto c = std::make_unique<TTextControl>();
    TMemoryView stream(text);
    c->LoadFromStream(stream);
    state.ResumeTiming();
    c.reset();
    malloc_trim(0);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Free)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
  const std::string& text = Xml(static_cast<size_t>(state.range(0)));
  TTextControl c;
  TMemoryView in(text);
  c.LoadFromStream(in);
  for (auto _ : state) {
    TMemoryStream out;
    out.SetSize(static_cast<int64_t>(text.size()));
    out.SetPosition(0);
    c.SaveToStream(&out);
    benchmark::DoNotOptimize(out.Size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Save)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);

// Lookups at random offsets with the top row at the start of the text.
void BM_LocateRowRandom(benchmark::State& state) {
  TTextControl c;
  c.SetText(Xml(50));
  TTextStore& store = c.Store();
  store.SetTopRowIndex(0);
  std::mt19937 rng(7);
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.LocateRow(static_cast<int32_t>(rng() % static_cast<uint32_t>(store.TextLength))));
  }
}
BENCHMARK(BM_LocateRowRandom)->Unit(benchmark::kMicrosecond);

// The far end of the text from a top row at its start: the longest walk there is.
void BM_LocateRowFarEnd(benchmark::State& state) {
  TTextControl c;
  c.SetText(Xml(50));
  TTextStore& store = c.Store();
  store.SetTopRowIndex(0);
  for (auto _ : state) benchmark::DoNotOptimize(store.LocateRow(store.TextLength - 1));
}
BENCHMARK(BM_LocateRowFarEnd)->Unit(benchmark::kMicrosecond);

}  // namespace
