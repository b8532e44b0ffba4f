// The well-formedness check of the peers' generated XML (50 MB by default; the path comes from
// QUILLON_XML_50M, default /tmp/peers/xml_50M.xml). Skips when the file is missing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/WellFormedness.h"

namespace {

std::string ReadWhole(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void BM_CheckWellFormed(benchmark::State& state) {
  const char* path = std::getenv("QUILLON_XML_50M");
  if (!path || !*path) path = "/tmp/peers/xml_50M.xml";
  static const std::string text = ReadWhole(path);
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
