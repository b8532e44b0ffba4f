// A window of 45 rows x 110 columns full of annotations painted through Qt (offscreen): every
// row with a bookmark glyph or a breakpoint glyph and colour, the execution point, two red
// wavy marks a row, show-all-characters and the focus line, over the highlighted peers' 10 MB
// XML. Timed: one repaint of the whole window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "EditorBench.h"
#include "editor/qt/QtInkMemo.h"
#include "services/SM_Settings.h"

using namespace ql;
using namespace ql::bench;

namespace {

using Clock = std::chrono::steady_clock;

void BM_QtPaintAnnotatedWindow(benchmark::State& state) {
  if (!PeerXmlExists(10)) {
    state.SkipWithError(("missing " + PeerXmlPath(10)).c_str());
    return;
  }
  auto parser = std::make_unique<TInkMemoParser>();
  parser->LoadFromBytes(XmlDefinitionStoredForm());
  auto memo = std::make_unique<TQtInkMemo>();
  memo->SetParser1(parser.get());
  TInkMemoOptions options = memo->GetOptions();
  options.Include(smoLineNumbers);
  if (state.range(0) != 0) options.Include(smoShowAllChars);
  memo->SetOptions(options);
  memo->LoadFromFile(PeerXmlPath(10));
  memo->show();
  const QSize client(memo->TextLeft() + BenchColumns * memo->CharWidth(), BenchRows * memo->LineHeight());
  for (int i = 0; i < 3; ++i) {
    memo->resize(memo->size() + client - memo->viewport()->size());
    QApplication::processEvents();
  }
  TTextStore& store = memo->Store();
  const int32_t top = store.RowCount / 2;
  // Annotations all over the text (10 000 breakpoints, two marks on every row of the window).
  for (int32_t i = 0; i < 10000; ++i) memo->AddBreakpoint(store.RowStart(static_cast<int32_t>(static_cast<int64_t>(i) * store.RowCount / 10000)));
  for (int32_t row = top; row < top + BenchRows; ++row) {
    const int32_t start = store.RowStart(row);
    if (row % 2 == 0) {
      memo->AddBreakpoint(start);
    } else {
      memo->SetBookmark((row - top) / 2 % 10, row, 1);
    }
    memo->AddMark(start + 2, 5, 0);
    memo->AddMark(start + 12, 8, 1);
  }
  memo->SetExecPoint(store.RowStart(top + 7));
  memo->SetShowFocusLine(true);
  memo->Perform(SMM_TOPROW, smmSet, top);
  memo->SetSelection(store.RowStart(top + 20) + 4, store.RowStart(top + 20) + 4);
  QApplication::processEvents();
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    memo->viewport()->repaint();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    samples.push_back(seconds * 1e6);
  }
  std::sort(samples.begin(), samples.end());
  state.counters["median_us"] = samples[samples.size() / 2];
  state.counters["p99_us"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
}
BENCHMARK(BM_QtPaintAnnotatedWindow)->ArgName("show_all")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);

}  // namespace
