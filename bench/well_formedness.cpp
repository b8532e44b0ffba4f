// The well-formedness check of the peers' generated 50 MB XML (path as EditorBench.h takes it).
// Skips when the file is missing.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "EditorBench.h"
#include "app/WellFormedness.h"

namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void BM_CheckWellFormed(benchmark::State& state) {
  static const std::string text = ReadWhole(ql::bench::PeerXmlPath(50));
  if (text.empty()) {
    state.SkipWithError("the peers' XML file is missing (run ../shared/peers/run_all.sh)");
    return;
  }
  for (auto _ : state) {
    const ql::TWellFormedness result = ql::CheckWellFormed(text);
    if (!result.WellFormed) {
      state.SkipWithError(("not well-formed: " + result.Message).c_str());
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CheckWellFormed)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
