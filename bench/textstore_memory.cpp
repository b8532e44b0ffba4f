// Resident memory of a control per byte of the peers' XML file (EditorBench.h), measured as the
// peers are: the process's resident set before, during and after loading the file, and after
// highlighting all of it with the shipped XML definition. A program of its own, so that nothing
// else has touched its memory.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "EditorBench.h"
#include "XmlDefinitionParser.h"
#include "highlight/Rescan.h"
#include "textmodel/TextControl.h"

using namespace ql;

namespace {

// The resident set now, in bytes.
double Resident() {
  long pages = 0;
  long resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

// The largest resident set since the last ResetPeak, in bytes.
double PeakResident() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024;
  }
  return 0;
}

bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  return static_cast<bool>(clear.flush());
}

void BM_ResidentPerByte(benchmark::State& state) {
  const std::string path = bench::PeerXmlPath(static_cast<int>(state.range(0)));
  if (!std::filesystem::exists(path)) {
    state.SkipWithError(("missing " + path).c_str());
    return;
  }
  const auto bytes = static_cast<double>(std::filesystem::file_size(path));
  bench::TXmlParser parser;
  for (auto _ : state) {
    malloc_trim(0);
    const double base = Resident();
    if (!ResetPeak()) state.SkipWithError("the peak resident set cannot be reset");
    auto c = std::make_unique<TTextControl>();
    c->LoadFromFile(path);
    state.counters["load_peak_per_byte"] = (PeakResident() - base) / bytes;
    state.counters["after_load_per_byte"] = (Resident() - base) / bytes;
    TRescanner rescanner(c->Store(), parser);
    rescanner.HighlightAll();
    state.counters["after_highlight_per_byte"] = (Resident() - base) / bytes;
    state.counters["peak_per_byte"] = (PeakResident() - base) / bytes;
    state.counters["rows_per_byte"] = static_cast<double>(c->Store().RowBytes()) / bytes;
    state.counters["index_per_byte"] = static_cast<double>(c->Store().IndexBytes()) / bytes;
    state.counters["rows"] = c->Store().RowCount;
    c.reset();
  }
}
BENCHMARK(BM_ResidentPerByte)->Arg(10)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
