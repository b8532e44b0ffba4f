// The scanner with the shipped XML definition on a generated 50 MB XML text: the whole text cut
// into pieces through the row store's character stream (MB/s), the whole text highlighted into
// the rows, and re-highlighting after one character typed near the middle (median time per
// edit and rows rescanned).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "XmlDefinitionParser.h"
#include "XmlGenerator.h"
#include "highlight/Rescan.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"

using namespace ql;

namespace {

constexpr size_t TextBytes = 50u << 20;

using bench::TXmlParser;

// The generated text in a row store, built once.
TTextStore& XmlStore() {
  static TTextStore* store = [] {
    auto* s = new TTextStore;
    const std::string text = bench::GenerateXml(TextBytes);
    s->AppendText(text);
    return s;
  }();
  return *store;
}

void BM_ScanWholeText(benchmark::State& state) {
  TXmlParser parser;
  TTextStore& store = XmlStore();
  TEdStream stream(&store);
  int64_t pieces = 0;
  for (auto _ : state) {
    stream.StartAt(0);
    parser.ResetContext(0);
    int32_t length = 0;
    while (!stream.AtEnd()) {
      benchmark::DoNotOptimize(parser.ScanToken(nullptr, stream, length));
      ++pieces;
    }
    if (length != store.TextLength) state.SkipWithError("the pieces do not cover the text");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * store.TextLength);
  state.counters["pieces"] = static_cast<double>(pieces) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ScanWholeText)->Unit(benchmark::kMillisecond)->MinTime(3);

// The same text highlighted into the rows' values (what an editor does after loading).
void BM_HighlightAllRows(benchmark::State& state) {
  TXmlParser parser;
  TTextStore& store = XmlStore();
  TRescanner rescanner(store, parser);
  for (auto _ : state) rescanner.HighlightAll();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * store.TextLength);
}
BENCHMARK(BM_HighlightAllRows)->Unit(benchmark::kMillisecond)->MinTime(3);

// One character typed at a random place of a screen (4 KB) in the middle of the highlighted
// text, then re-highlighted from the nearest restart point until the values agree again. Only
// the re-highlighting is timed; the character is deleted again (and re-highlighted) untimed.
// The store's top row stands at the screen's start, as in an editor showing the place.
void BM_RescanAfterTyping(benchmark::State& state) {
  TXmlParser parser;
  TTextStore& store = XmlStore();
  TRescanner rescanner(store, parser);
  rescanner.HighlightAll();
  // An editor shows the place it edits: row lookups start from the top row.
  store.SetTopRowIndex(store.RowCount / 2);
  std::mt19937 rng(7);
  std::vector<double> micros;
  int64_t rows = 0;
  int32_t maxRows = 0;
  const int32_t screen = store.TopOffset;
  for (auto _ : state) {
    const int32_t at = screen + static_cast<int32_t>(rng() % 4096u);
    store.InsertText(at, "x", 1);
    rescanner.TextChanged(at, 1);
    const auto t0 = std::chrono::steady_clock::now();
    rescanner.Rescan();
    const auto t1 = std::chrono::steady_clock::now();
    const double us = std::chrono::duration<double, std::micro>(t1 - t0).count();
    state.SetIterationTime(us / 1e6);
    micros.push_back(us);
    rows += rescanner.RowsScanned();
    maxRows = std::max(maxRows, rescanner.RowsScanned());
    store.DeleteText(at, at + 1);
    rescanner.TextChanged(at, -1);
    rescanner.Rescan();
  }
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros.empty() ? 0 : micros[micros.size() / 2];
  state.counters["p99_us"] = micros.empty() ? 0 : micros[micros.size() * 99 / 100];
  state.counters["rows_mean"] = static_cast<double>(rows) / static_cast<double>(state.iterations());
  state.counters["rows_max"] = maxRows;
}
BENCHMARK(BM_RescanAfterTyping)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(20000);

}  // namespace
