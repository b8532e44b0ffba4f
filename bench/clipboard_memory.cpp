// Memory of a paste of the peers' 10 MB XML (QUILLON_XML_10M) into an empty editor with the XML
// parser: the heap added while WM_PASTE runs at its peak and when it is done, per pasted byte
// (style values, undo history and every copy made on the way; the clipboard's own copy exists
// before and is not counted), and the peak of resident memory, which counts the text store (kept
// outside the heap) too. A separate program, because counting replaces operator new.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "EditorBench.h"
#include "MemoryCounter.h"

using namespace ql;
using namespace ql::bench;

namespace {

// The resident set's size, and its peak since the last reset (VmHWM), in bytes.
double StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::strlen(field))) * 1024.0;
  }
  return 0;
}

void ResetResidentPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void BM_PasteMemory(benchmark::State& state) {
  if (!PeerXmlExists(10)) {
    state.SkipWithError(("missing " + PeerXmlPath(10)).c_str());
    return;
  }
  std::ifstream in(PeerXmlPath(10), std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();
  const double bytes = static_cast<double>(text.size());
  for (auto _ : state) {
    TBenchEditor editor;
    editor.Host.Clipboard().SetText(text);
    const long long before = HeapNow();
    ResetPeak();
    const double residentBefore = StatusBytes("VmRSS:");
    ResetResidentPeak();
    editor.Memo->Perform(WM_PASTE);
    // Resident memory counts the text store too, which lives outside the heap.
    state.counters["peak_resident_per_byte"] = (StatusBytes("VmHWM:") - residentBefore) / bytes;
    state.counters["resident_per_byte"] = (StatusBytes("VmRSS:") - residentBefore) / bytes;
    state.counters["rows_per_byte"] = static_cast<double>(editor.Memo->Store().RowBytes()) / bytes;
    state.counters["peak_heap_per_byte"] = static_cast<double>(HeapPeak() - before) / bytes;
    state.counters["heap_per_byte"] = static_cast<double>(HeapNow() - before) / bytes;
    state.counters["history_per_byte"] = static_cast<double>(editor.Memo->History().MemoryBytes()) / bytes;
  }
}
BENCHMARK(BM_PasteMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
