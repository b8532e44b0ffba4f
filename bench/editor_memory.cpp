// Memory of the editor engine on the peers' generated XML: the heap (allocator overhead
// included) and the resident size per byte of text after opening and highlighting it, the peak
// during the open, and the history's bytes per typed character. A separate program, because
// counting replaces operator new.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include "EditorBench.h"
#include "MemoryCounter.h"

using namespace ql;
using namespace ql::bench;

namespace {

double ResidentBytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

void BM_OpenMemory(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (!PeerXmlExists(megabytes)) {
    state.SkipWithError(("missing " + PeerXmlPath(megabytes)).c_str());
    return;
  }
  const double textBytes = megabytes * 1e6;
  for (auto _ : state) {
    const long long heapBefore = HeapNow();
    const double residentBefore = ResidentBytes();
    ResetPeak();
    TBenchEditor editor;
    editor.Memo->LoadFromFile(PeerXmlPath(megabytes));
    state.counters["heap_per_byte"] = static_cast<double>(HeapNow() - heapBefore) / textBytes;
    state.counters["peak_heap_per_byte"] = static_cast<double>(HeapPeak() - heapBefore) / textBytes;
    state.counters["resident_per_byte"] = (ResidentBytes() - residentBefore) / textBytes;

    // The history's cost of typing: 1000 characters, one at a time, in the middle.
    TInkMemo& memo = *editor.Memo;
    const int32_t at = memo.Store().TextLength / 2;
    memo.SetSelection(at, at);
    const long long heapTyping = HeapNow();
    const size_t historyBefore = memo.History().MemoryBytes();
    for (int i = 0; i < 1000; ++i) memo.Perform(WM_CHAR, 'a' + i % 26);
    state.counters["undo_bytes_per_char"] = static_cast<double>(memo.History().MemoryBytes() - historyBefore) / 1000.0;
    state.counters["heap_per_typed_char"] = static_cast<double>(HeapNow() - heapTyping) / 1000.0;
  }
}
BENCHMARK(BM_OpenMemory)->Arg(10)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
