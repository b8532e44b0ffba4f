// Word wrap on the peers' generated XML: typing into a long wrapped line, laying the whole text
// out again when the window's width changes (fixed pitch, and a font that is not fixed pitch),
// and the memory wrapped rows take; printing rows to a recording printer.
#include <benchmark/benchmark.h>

#include "EditorBench.h"
#include "toolkit/RecordingPrinter.h"
#include "toolkit/VirtualKeys.h"

using namespace ql;
using namespace ql::bench;

namespace {

// The recording factory's metrics, but not fixed pitch: widths come through the font measure.
class TProportionalFonts : public TRecordingFontFactory {
public:
  TTextMetrics Metrics(TFontHandle font) override {
    TTextMetrics m = TRecordingFontFactory::Metrics(font);
    m.FixedPitch = false;
    return m;
  }
};

void WrapAtWindow(TBenchEditor& editor, int32_t columns) {
  editor.Memo->SetWordWrap(true);
  editor.Memo->Perform(WM_SIZE, 0,
                       MAKELPARAM(editor.Memo->TextLeft() + columns * editor.Memo->CharWidth(),
                                  BenchRows * editor.Memo->LineHeight()));
}

// One character typed into the middle of a wrapped line of 2000 characters and taken out again
// (two edits an iteration); the rows of the other lines keep their identity.
void BM_TypeInWrappedLine(benchmark::State& state) {
  TBenchEditor editor;
  std::string line;
  while (line.size() < 2000) line += "word" + std::to_string(line.size() % 97) + " ";
  line.resize(2000);
  std::string text;
  for (int i = 0; i < 200; ++i) text += "<item id='" + std::to_string(i) + "'>text</item>\r";
  editor.Memo->SetText(text + line + "\r" + text);
  WrapAtWindow(editor, 80);
  const int32_t at = static_cast<int32_t>(text.size()) + 1000;
  editor.Memo->SetSelection(at, at);
  // The last row of the line before and the first row of the line after.
  TTextStore& store = editor.Memo->Store();
  const TTextRow* above = store.LocateRow(static_cast<int32_t>(text.size()) - 1).Row;
  const TTextRow* below = store.LocateRow(static_cast<int32_t>(text.size() + line.size()) + 1).Row;
  const int32_t length = store.TextLength;
  for (auto _ : state) {
    editor.Memo->Perform(WM_CHAR, 'x');
    editor.Memo->Perform(WM_KEYDOWN, VK_BACK);
    editor.Memo->Perform(WM_KEYUP, VK_BACK);
  }
  if (store.TextLength != length) state.SkipWithError("the text changed");
  if (store.LocateRow(static_cast<int32_t>(text.size()) - 1).Row != above ||
      store.LocateRow(static_cast<int32_t>(text.size() + line.size()) + 1).Row != below) {
    state.SkipWithError("rows of other lines were rebuilt");
  }
  state.counters["rows"] = store.RowCount;
  state.counters["edits"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TypeInWrappedLine)->Unit(benchmark::kMicrosecond);

// A change of the window's width lays every line out again (wrapping at the window edge).
void Resize(benchmark::State& state, bool proportional) {
  const int megabytes = static_cast<int>(state.range(0));
  if (!PeerXmlExists(megabytes)) {
    state.SkipWithError(("missing " + PeerXmlPath(megabytes)).c_str());
    return;
  }
  TProportionalFonts fonts;
  TFontFactory& before = DefaultFontFactory();
  if (proportional) SetDefaultFontFactory(&fonts);
  {
    TBenchEditor editor;
    editor.Memo->LoadFromFile(PeerXmlPath(megabytes));
    WrapAtWindow(editor, 80);
    int32_t columns = 80;
    for (auto _ : state) {
      columns = columns == 80 ? 72 : 80;
      WrapAtWindow(editor, columns);
    }
    state.counters["rows"] = editor.Memo->Store().RowCount;
  }
  SetDefaultFontFactory(&before);
}
void BM_ResizeFixedPitch(benchmark::State& state) { Resize(state, false); }
void BM_ResizeProportional(benchmark::State& state) { Resize(state, true); }
BENCHMARK(BM_ResizeFixedPitch)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_ResizeProportional)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(4);

// The rows' and the index's memory wrapped at 80 columns, against the same text unwrapped.
void BM_WrappedMemory(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (!PeerXmlExists(megabytes)) {
    state.SkipWithError(("missing " + PeerXmlPath(megabytes)).c_str());
    return;
  }
  for (auto _ : state) {
    TBenchEditor plain;
    plain.Memo->LoadFromFile(PeerXmlPath(megabytes));
    const TTextStore& p = plain.Memo->Store();
    const double unwrapped = static_cast<double>(p.RowBytes() + p.IndexBytes());
    TBenchEditor wrapped;
    wrapped.Memo->SetWrapAtColumn(80);
    wrapped.Memo->SetWordWrap(true);
    wrapped.Memo->LoadFromFile(PeerXmlPath(megabytes));
    const TTextStore& w = wrapped.Memo->Store();
    state.counters["extra_percent"] = 100.0 * (static_cast<double>(w.RowBytes() + w.IndexBytes()) - unwrapped) / unwrapped;
    state.counters["rows_plain"] = p.RowCount;
    state.counters["rows_wrapped"] = w.RowCount;
  }
}
BENCHMARK(BM_WrappedMemory)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(1);

// 1000 rows printed with line numbers, header and footer on a recording printer (pages a second).
void BM_PrintRows(benchmark::State& state) {
  TBenchEditor editor;
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "  <xsl:template match='item" + std::to_string(i) + "'><b>text</b></xsl:template>\r";
  editor.Memo->SetText(text);
  TInkMemoOptions options = editor.Memo->GetOptions();
  for (const TInkMemoOption o : {smoPrintFilename, smoPrintDate, smoPrintPageNos, smoPrintLineNos, smoPrintWrap}) options.Include(o);
  editor.Memo->SetOptions(options);
  editor.Memo->MonoPrint = false;
  TRecordingPrinter printer(editor.Memo->Settings().FontFactory(), 4960, 7016);  // A4 at 600 dpi
  printer.Record = false;
  editor.Memo->PrinterObject = &printer;
  int64_t pages = 0;
  for (auto _ : state) {
    editor.Memo->PrintDocument();
    pages += static_cast<int64_t>(printer.Pages.size());
  }
  state.counters["pages"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintRows)->Unit(benchmark::kMillisecond);

}  // namespace
