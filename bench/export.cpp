// HTML and RTF export of the 10 MB peer text (QUILLON_XML_10M, default /tmp/peers/xml_10M.xml),
// highlighted first with the shipped XML definition: the writers alone, over the whole text,
// into a stream that only counts (MB/s of text written). Skipped when the file is missing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "XmlDefinitionParser.h"
#include "highlight/Rescan.h"
#include "services/HtmlExport.h"
#include "services/RtfExport.h"
#include "services/StyleRuns.h"
#include "textmodel/TextStore.h"
#include "toolkit/Stream.h"
#include "toolkit/TextEncoding.h"

using namespace ql;

namespace {

class TCountingStream : public TStream {
public:
  int32_t Read(void*, int32_t) override { return 0; }
  int32_t Write(const void*, int32_t count) override {
    written += count;
    return count;
  }
  int64_t Seek(int64_t, int32_t) override { return written; }
  int64_t written = 0;
};

struct THighlightedText {
  bench::TXmlParser parser;
  TTextStore store;
  TTextEncoding encoding = TTextEncoding::Utf8;
  bool loaded = false;
};

// The peer text in a row store, highlighted, built once; not loaded when the file is missing.
THighlightedText& PeerText() {
  static THighlightedText* text = [] {
    auto* t = new THighlightedText;
    const char* path = std::getenv("QUILLON_XML_10M");
    std::ifstream in(path != nullptr ? path : "/tmp/peers/xml_10M.xml", std::ios::binary);
    if (!in) return t;
    std::ostringstream read;
    read << in.rdbuf();
    const std::string bytes = read.str();
    TEncodingDetector detector;
    detector.Feed(bytes.data(), bytes.size());
    t->encoding = detector.Result();
    t->store.BeginBulkAppend();
    t->store.InsertText(0, bytes);
    t->store.EndBulkAppend();
    TRescanner(t->store, t->parser).HighlightAll();
    t->loaded = true;
    return t;
  }();
  return *text;
}

template <void (*Writer)(const TExportInput&, TStream&)>
void BM_Export(benchmark::State& state) {
  THighlightedText& text = PeerText();
  if (!text.loaded) {
    state.SkipWithError("no peer text: set QUILLON_XML_10M or run the peers' gen_xml.py");
    return;
  }
  TExportInput input = WholeTextExport(text.store, text.parser.Settings());
  input.Encoding = text.encoding;
  int64_t written = 0;
  for (auto _ : state) {
    TCountingStream out;
    Writer(input, out);
    written = out.written;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.store.TextLength);
  state.counters["output_MB"] = static_cast<double>(written) / 1e6;
}
BENCHMARK(BM_Export<ExportHTML>)->Name("BM_ExportHTML")->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Export<ExportRTF>)->Name("BM_ExportRTF")->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
