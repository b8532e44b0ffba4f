// Compiling highlighting scripts: the shipped XML script, and a synthetic script of 2000 words
// with handlers, token entries, states, styles and a keyword table.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "highlight/CompiledTables.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"
#include "toolkit/MemoryStream.h"

using namespace ql;

namespace {

const std::string& XmlScript() {
  static const std::string text = [] {
    std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "../resources/xml/xml.hls", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }();
  return text;
}

// 2000 distinct words of 3 to 12 letters over 200 token values, each in its own state set
// so that words of equal spelling never clash; rules and styles for the token values.
const std::string& Script2000Words() {
  static const std::string text = [] {
    std::mt19937 rng(2000);
    std::string s = "%%language\r\nname = 'Synthetic'\r\ncase = __insensitive\r\n%%words\r\n";
    for (int i = 0; i < 2000; ++i) {
      std::string word;
      const int length = 3 + static_cast<int>(rng() % 10);
      for (int j = 0; j < length; ++j) word += static_cast<char>('a' + rng() % 26);
      word += std::to_string(i);  // distinct
      s += "'" + word + "' '[^a-z0-9_]' " + std::to_string(1 + i % 200) + " [" + std::to_string(i % 4) + "]\r\n";
    }
    s += "%%handlers\r\n";
    for (int v = 1; v <= 200; v += 7) s += std::to_string(v) + " '[\\000-\\377]' * '\\-\\->' _use_\r\n";
    s += "%%tokens\r\n201 __STD_NUMBER_OR_FP\r\n202 '\\x22' '[^\\x22]' * '\\x22' _use_\r\n";
    s += "InState 1 ( 203 '[a-z]' '[a-z0-9]' * '[^a-z0-9]' _discard_ )\r\n";
    s += "%%states\r\n";
    for (int v = 1; v <= 200; v += 11) s += std::to_string(v) + " ( +1 -0 )\r\n";
    s += "%%effects\r\n";
    for (int v = 1; v <= 20; ++v) s += std::to_string(v) + " [fsBold] " + std::to_string(v * 1000) + " clWhite *\r\n";
    s += "%%map\r\n";
    for (int v = 1; v <= 200; ++v) s += std::to_string(v) + " " + std::to_string(1 + v % 20) + "\r\n";
    s += "%%kwTables forstate [2] endswith '[^a-z]' (\r\n";
    for (int v = 1; v <= 100; ++v) s += std::to_string(v) + " is 'kw" + std::to_string(v) + "'\r\n";
    s += ")\r\n";
    return s;
  }();
  return text;
}

void Compile(benchmark::State& state, const std::string& script) {
  auto tables = std::make_unique<TCompiledTables>();
  TSM_Settings settings;
  for (auto _ : state) {
    TMemoryView in(script);
    CompileScript(in, "", *tables, settings);
    benchmark::DoNotOptimize(tables->Keywords.EntryCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(script.size()));
}

void BM_CompileXmlScript(benchmark::State& state) { Compile(state, XmlScript()); }
void BM_CompileScript2000Words(benchmark::State& state) { Compile(state, Script2000Words()); }

BENCHMARK(BM_CompileXmlScript)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompileScript2000Words)->Unit(benchmark::kMillisecond);

}  // namespace
