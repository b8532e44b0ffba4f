// HTML and RTF export of the 10 MB peer text (QUILLON_XML_10M, default /tmp/peers/xml_10M.xml),
// highlighted first with the shipped XML definition: the writers alone, over the whole text,
// into a stream that only counts (MB/s of text written). Skipped when the file is missing.
#include <benchmark/benchmark.h>

#include "PeerFiles.h"
#include "XmlDefinitionParser.h"
#include "highlight/Rescan.h"
#include "services/ExportInput.h"
#include "services/HtmlExport.h"
#include "services/RtfExport.h"
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
  TTextStore* store = nullptr;  // null when the file is missing
  TTextEncoding encoding = TTextEncoding::Utf8;
};

// The peer text, highlighted, and the encoding it is shown in; built once.
THighlightedText& PeerText() {
  static THighlightedText* text = [] {
    auto* t = new THighlightedText;
    t->store = bench::PeerXml10M();
    if (t->store == nullptr) return t;
    TEncodingDetector detector;
    for (const TTextRow* row = t->store->FirstRow; row != nullptr; row = row->Next) detector.Feed(row->Text.get(), row->Length);
    t->encoding = detector.Result();
    TRescanner(*t->store, t->parser).HighlightAll();
    return t;
  }();
  return *text;
}

template <void (*Writer)(const TExportInput&, TStream&)>
void BM_Export(benchmark::State& state) {
  THighlightedText& text = PeerText();
  if (text.store == nullptr) {
    state.SkipWithError("no peer text: set QUILLON_XML_10M or run the peers' gen_xml.py");
    return;
  }
  TExportInput input = WholeTextExport(*text.store, text.parser.Settings());
  input.Encoding = text.encoding;
  int64_t written = 0;
  for (auto _ : state) {
    TCountingStream out;
    Writer(input, out);
    written = out.written;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.store->TextLength);
  state.counters["output_MB"] = static_cast<double>(written) / 1e6;
}
BENCHMARK(BM_Export<ExportHTML>)->Name("BM_ExportHTML")->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Export<ExportRTF>)->Name("BM_ExportRTF")->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
