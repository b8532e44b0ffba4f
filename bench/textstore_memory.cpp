// Heap the row store needs per byte of loaded text, at its peak during the load (allocator
// overhead included). A separate program, because counting replaces operator new.
#include <benchmark/benchmark.h>

#include "MemoryCounter.h"
#include "XmlGenerator.h"
#include "textmodel/TextControl.h"
#include "toolkit/MemoryStream.h"

using namespace ql;

namespace {

void BM_LoadPeakHeap(benchmark::State& state) {
  const std::string text = bench::GenerateXml(static_cast<size_t>(state.range(0)) << 20);
  double perByte = 0;
  for (auto _ : state) {
    const long long before = bench::HeapNow();
    bench::ResetPeak();
    TTextControl c;
    TMemoryView stream(text);
    c.LoadFromStream(stream);
    perByte = static_cast<double>(bench::HeapPeak() - before) / static_cast<double>(text.size());
  }
  state.counters["peak_heap_per_byte"] = perByte;
  state.counters["rows"] = 0;
  TTextControl c;
  TMemoryView stream(text);
  c.LoadFromStream(stream);
  state.counters["rows"] = c.Store().RowCount;
  state.counters["avg_row_length"] = static_cast<double>(text.size()) / c.Store().RowCount;
}
BENCHMARK(BM_LoadPeakHeap)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
