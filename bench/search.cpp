// Search on the peers' generated XML files: the literal word planted near the end of 50 MB
// (case-sensitive, without case, as a whole word), the regular expression [yz]ymurgy[a-z]+ near
// the end of 50 MB, and counting every &#[0-9]+; and <name>[^<]*</name> in 10 MB. Rates are
// over the text read up to the match.
#include <benchmark/benchmark.h>

#include <string>

#include "PeerFiles.h"
#include "services/PlainSearch.h"
#include "services/REParser.h"
#include "services/RowCursor.h"
#include "textmodel/CharClasses.h"

using namespace ql;

namespace {

const std::string kWord = "zymurgyquokka";

void BM_LiteralFindNearEnd(benchmark::State& state) {
  TTextStore* store = bench::PeerXml50M();
  if (store == nullptr) return state.SkipWithError("peer file xml_50M.xml is missing");
  const bool caseSensitive = state.range(0) != 0;
  const bool wholeWord = state.range(1) != 0;
  TCharClasses classes;
  TSearchTables tables;
  int32_t found = -1;
  for (auto _ : state) {
    TRowCursor text(*store);
    found = PlainSearch(text, classes, tables, 0, kWord, caseSensitive, wholeWord, false).value_or(-1);
    benchmark::DoNotOptimize(found);
  }
  if (found < 0) return state.SkipWithError("the word was not found");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * found);
  state.counters["at"] = found;
}
BENCHMARK(BM_LiteralFindNearEnd)
    ->ArgNames({"case", "word"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// The same word searched backwards from the end to the start of the text, where it is not.
void BM_LiteralFindBackwardMissing(benchmark::State& state) {
  TTextStore* store = bench::PeerXml50M();
  if (store == nullptr) return state.SkipWithError("peer file xml_50M.xml is missing");
  TCharClasses classes;
  TSearchTables tables;
  for (auto _ : state) {
    TRowCursor text(*store);
    benchmark::DoNotOptimize(PlainSearch(text, classes, tables, store->TextLength, "zymurgyquokkas", true, false, true));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * store->TextLength);
}
BENCHMARK(BM_LiteralFindBackwardMissing)->Unit(benchmark::kMillisecond);

void BM_RegexFindNearEnd(benchmark::State& state) {
  TTextStore* store = bench::PeerXml50M();
  if (store == nullptr) return state.SkipWithError("peer file xml_50M.xml is missing");
  TREParser re;
  re.SetPattern("[yz]ymurgy[a-z]+");
  int32_t found = -1;
  for (auto _ : state) {
    TRowCursor text(*store);
    found = re.Search(text, 0, true) ? re.MatchStart() : -1;
    benchmark::DoNotOptimize(found);
  }
  if (found < 0) return state.SkipWithError("the word was not found");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * found);
  state.counters["at"] = found;
}
BENCHMARK(BM_RegexFindNearEnd)->Unit(benchmark::kMillisecond);

// Every match from the start, each search going on from the end of the one before.
void CountAll(benchmark::State& state, const char* pattern) {
  TTextStore* store = bench::PeerXml10M();
  if (store == nullptr) return state.SkipWithError("peer file xml_10M.xml is missing");
  TREParser re;
  re.SetPattern(pattern);
  int64_t count = 0;
  for (auto _ : state) {
    TRowCursor text(*store);
    count = 0;
    for (int32_t from = 0; re.Search(text, from, true); from = re.MatchEnd()) ++count;
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * store->TextLength);
  state.counters["matches"] = static_cast<double>(count);
}

void BM_RegexCountEntities(benchmark::State& state) { CountAll(state, "&#[0-9]+;"); }
BENCHMARK(BM_RegexCountEntities)->Unit(benchmark::kMillisecond);

void BM_RegexCountNames(benchmark::State& state) { CountAll(state, "<name>[^<]*</name>"); }
BENCHMARK(BM_RegexCountNames)->Unit(benchmark::kMillisecond);

}  // namespace
