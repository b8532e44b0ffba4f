// Copy and paste on the peers' generated XML (QUILLON_XML_10M, default /tmp/peers/xml_10M.xml),
// headless, through the process's own clipboard:
//   - Copy: a 1 MB selection from the middle of the highlighted 10 MB text, as plain text and
//     RTF (ClipCopyFormats' default), through WM_COPY.
//   - Paste: the whole 10 MB text pasted into an empty editor with the XML parser, with the
//     highlighting of what came in that ends the message; the store's and the history's bytes
//     per pasted byte are reported as counters.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "EditorBench.h"

using namespace ql;
using namespace ql::bench;

namespace {

std::string PeerText() {
  std::ifstream in(PeerXmlPath(10), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void BM_Copy1MBTextAndRtf(benchmark::State& state) {
  if (!PeerXmlExists(10)) {
    state.SkipWithError(("missing " + PeerXmlPath(10)).c_str());
    return;
  }
  TBenchEditor editor;
  editor.Memo->LoadFromFile(PeerXmlPath(10));
  const int32_t start = editor.Memo->Store().TextLength / 2;
  editor.Memo->SetSelection(start, start + 1000000);
  int64_t rtf = 0;
  for (auto _ : state) {
    editor.Memo->Perform(WM_COPY);
    rtf = static_cast<int64_t>(editor.Host.Clipboard().GetFormat(mimeRtf).size());
  }
  state.counters["rtf_MB"] = static_cast<double>(rtf) / 1e6;
  state.SetBytesProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_Copy1MBTextAndRtf)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_Paste10MB(benchmark::State& state) {
  if (!PeerXmlExists(10)) {
    state.SkipWithError(("missing " + PeerXmlPath(10)).c_str());
    return;
  }
  const std::string text = PeerText();
  double storeBytes = 0;
  double historyBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto editor = std::make_unique<TBenchEditor>();
    editor->Host.Clipboard().SetText(text);
    state.ResumeTiming();
    editor->Memo->Perform(WM_PASTE);
    state.PauseTiming();
    storeBytes = static_cast<double>(editor->Memo->Store().TextLength);
    historyBytes = static_cast<double>(editor->Memo->History().MemoryBytes());
    editor.reset();
    state.ResumeTiming();
  }
  state.counters["text_MB"] = storeBytes / 1e6;
  state.counters["history_per_byte"] = historyBytes / static_cast<double>(text.size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Paste10MB)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
