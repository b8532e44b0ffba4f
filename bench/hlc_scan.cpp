// What quillon-hlc --scan does with a text: load it through the store's bulk path, scan it whole
// with the XML definition and turn the values into token runs. The text is real stylesheets
// (Debian's docbook-xsl, or the folder in $QUILLON_STYLESHEETS) concatenated to 4 and 32 MB;
// the time should grow with the size, not faster.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "XmlDefinitionParser.h"
#include "highlight/ScanText.h"
#include "textmodel/TextStore.h"

using namespace ql;
namespace fs = std::filesystem;

namespace {

// The stylesheets under the folder, in name order, repeated until the text has bytes bytes.
std::string Stylesheets(size_t bytes) {
  const char* env = std::getenv("QUILLON_STYLESHEETS");
  const fs::path dir = env != nullptr && *env != '\0' ? env : "/usr/share/xml/docbook/stylesheet/docbook-xsl";
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file() && it->path().extension() == ".xsl") files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  std::string text;
  while (!files.empty() && text.size() < bytes) {
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      std::ostringstream read;
      read << in.rdbuf();
      text += read.str();
      if (text.size() >= bytes) break;
    }
  }
  text.resize(std::min(text.size(), bytes));
  return text;
}

void BM_HlcScan(benchmark::State& state) {
  const std::string text = Stylesheets(static_cast<size_t>(state.range(0)) << 20);
  if (text.empty()) {
    state.SkipWithError("no stylesheets (install docbook-xsl or set QUILLON_STYLESHEETS)");
    return;
  }
  bench::TXmlParser parser;
  for (auto _ : state) {
    TTextStore store;
    store.AppendText(text);
    const std::vector<TTokenRun> runs = TokenRuns(ScanText(parser, store));
    benchmark::DoNotOptimize(runs.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_HlcScan)->Arg(4)->Arg(32)->Unit(benchmark::kMillisecond);

}  // namespace
