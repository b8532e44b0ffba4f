// Keyword tables: forward matching at every position of a 10 MB XML text through the row
// store's character stream, as the scanner does, with a 500-word table.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "XmlGenerator.h"
#include "services/CharGroupParser.h"
#include "services/SyntaxKeywords.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"

using namespace ql;

namespace {

const std::string& Xml10MB() {
  static const std::string text = bench::GenerateXml(10u << 20);
  return text;
}

// 500 words: the names, attributes and words the generator writes, markup openers, and
// made-up identifiers; each must be followed by a character that cannot continue it.
void Fill(TSyntaxKeywords& kw, bool caseSensitive) {
  int32_t pos = 1;
  const TSM_CharGroup notWord = ParseCharGroup("[^a-zA-Z0-9_:-]", pos);
  const char* const known[] = {"xsl:template", "xsl:value-of", "item", "record", "name", "description", "price",
                               "catalog", "entry", "title", "author", "xsl:apply-templates", "id", "match",
                               "select", "type", "lang", "href", "mode", "alpha", "beta", "gamma", "value",
                               "the", "quick", "brown", "fox", "data", "text", "node", "version", "encoding"};
  int value = 1;
  for (const char* w : known) kw.Add(w, caseSensitive, value++ % 200 + 1, TByteSet{0}, notWord);
  kw.Add("<", caseSensitive, 201, TByteSet{0}, TSM_CharGroup());
  kw.Add("</", caseSensitive, 202, TByteSet{0}, TSM_CharGroup());
  kw.Add("<?", caseSensitive, 203, TByteSet{0}, TSM_CharGroup());
  kw.Add("<!--", caseSensitive, 204, TByteSet{0}, TSM_CharGroup());
  kw.Add("&amp;", caseSensitive, 205, TByteSet{0}, TSM_CharGroup());
  kw.Add("&lt;", caseSensitive, 206, TByteSet{0}, TSM_CharGroup());
  std::mt19937 rng(5);
  while (kw.Words().size() < 500) {
    std::string w;
    const int len = 3 + static_cast<int>(rng() % 8);
    for (int i = 0; i < len; ++i) w.push_back(static_cast<char>('a' + rng() % 26));
    if (kw.FindWord(w, caseSensitive) == nullptr) kw.Add(w, caseSensitive, value++ % 200 + 1, TByteSet{0}, notWord);
  }
}

void BM_MatchForward(benchmark::State& state) {
  const bool caseSensitive = state.range(0) != 0;
  const std::string& text = Xml10MB();
  TTextStore store;
  store.InsertText(0, text);
  TSyntaxKeywords kw;
  Fill(kw, caseSensitive);
  TEdStream stream(&store);
  int64_t matches = 0;
  for (auto _ : state) {
    stream.StartAt(0);
    int32_t length = 0;
    while (!stream.AtEnd()) {
      if (kw.Match(stream, caseSensitive, length) != nullptr) ++matches;
    }
    benchmark::DoNotOptimize(matches);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * store.TextLength);
  state.counters["matches/pass"] = static_cast<double>(matches) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_MatchForward)->ArgName("case_sensitive")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
