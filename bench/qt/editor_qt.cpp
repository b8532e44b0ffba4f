// The editor control in its Qt window on the peers' generated XML (10 and 50 MB), painting on
// Qt's offscreen platform (into the window's backing store, a QImage), as the peers' figures
// were taken:
//   - Keystroke: a key press ('x') sent to the window in the middle and at the end of the text,
//     then Qt's pending repaints done at once: only the changed row. Median and p99; a Backspace
//     after each, untimed, keeps the text as it was. The same with the whole window repainted
//     (viewport()->repaint()), the peers' method.
//   - Paint: the whole window of 45 rows x 110 columns, highlighted, with the gutter.
//   - Scrolling: a line and a page down through the scroll bar, with the repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include "EditorBench.h"
#include "editor/qt/QtInkMemo.h"

using namespace ql;
using namespace ql::bench;

namespace {

using Clock = std::chrono::steady_clock;

// A control with the shipped XML definition and line numbers, its client area 110 x 45 cells,
// shown offscreen, with a file loaded and highlighted.
struct TQtBenchEditor {
  explicit TQtBenchEditor(int megabytes) : Parser(std::make_unique<TInkMemoParser>()), Memo(std::make_unique<TQtInkMemo>()) {
    Parser->LoadFromBytes(XmlDefinitionStoredForm());
    Memo->SetParser1(Parser.get());
    TInkMemoOptions options = Memo->GetOptions();
    options.Include(smoLineNumbers);
    Memo->SetOptions(options);
    Memo->LoadFromFile(PeerXmlPath(megabytes));
    Memo->show();
    // The frame and scroll bars around the client area come on top of the cells.
    const QSize client(Memo->TextLeft() + BenchColumns * Memo->CharWidth(), BenchRows * Memo->LineHeight());
    for (int i = 0; i < 3; ++i) {
      Memo->resize(Memo->size() + client - Memo->viewport()->size());
      QApplication::processEvents();
    }
    Memo->activateWindow();
    Memo->SetFocus();
    QApplication::processEvents();
  }
  std::unique_ptr<TInkMemoParser> Parser;
  std::unique_ptr<TQtInkMemo> Memo;
};

// One per file, kept for the whole program and never freed (fonts and widgets outlive main's
// statics otherwise).
TQtBenchEditor& Loaded(int megabytes) {
  static auto* editors = new std::map<int, std::unique_ptr<TQtBenchEditor>>;
  auto& editor = (*editors)[megabytes];
  if (!editor) editor = std::make_unique<TQtBenchEditor>(megabytes);
  return *editor;
}

bool Skip(benchmark::State& state, int megabytes) {
  if (PeerXmlExists(megabytes)) return false;
  state.SkipWithError(("missing " + PeerXmlPath(megabytes)).c_str());
  return true;
}

void Press(QWidget* widget, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

// The repaints Qt has been asked for, done now (the changed rows only).
void PaintPending() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

void Report(benchmark::State& state, std::vector<double>& samples) {
  std::sort(samples.begin(), samples.end());
  state.counters["median_us"] = samples[samples.size() / 2];
  state.counters["p99_us"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
}

// Keystrokes at a fraction of the text (0.5: the middle, 1: the end); wholeWindow repaints the
// whole client area instead of what the keystroke asked for.
void Keystrokes(benchmark::State& state, double where, bool wholeWindow) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TQtInkMemo& memo = *Loaded(megabytes).Memo;
  const int32_t at = static_cast<int32_t>(memo.Store().TextLength * where);
  memo.SetSelection(at, at);
  memo.viewport()->repaint();
  PaintPending();
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    Press(&memo, Qt::Key_X, QStringLiteral("x"));
    if (wholeWindow) {
      memo.viewport()->repaint();
    } else {
      PaintPending();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    samples.push_back(seconds * 1e6);
    Press(&memo, Qt::Key_Backspace, QStringLiteral("\b"));
    PaintPending();
  }
  Report(state, samples);
  memo.Perform(EM_EMPTYUNDOBUFFER);
}
void BM_QtKeystrokeMiddle(benchmark::State& state) { Keystrokes(state, 0.5, false); }
void BM_QtKeystrokeEnd(benchmark::State& state) { Keystrokes(state, 1.0, false); }
void BM_QtKeystrokeMiddleWholeWindow(benchmark::State& state) { Keystrokes(state, 0.5, true); }
BENCHMARK(BM_QtKeystrokeMiddle)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(BM_QtKeystrokeEnd)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(BM_QtKeystrokeMiddleWholeWindow)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);

void BM_QtPaintFullWindow(benchmark::State& state) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TQtInkMemo& memo = *Loaded(megabytes).Memo;
  memo.Perform(SMM_TOPROW, smmSet, memo.Store().RowCount / 2);
  PaintPending();
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    memo.viewport()->repaint();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    samples.push_back(seconds * 1e6);
  }
  Report(state, samples);
}
BENCHMARK(BM_QtPaintFullWindow)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);

// A scroll-bar step down and the repaint it asks for.
void ScrollAndPaint(benchmark::State& state, QAbstractSlider::SliderAction action) {
  const int megabytes = static_cast<int>(state.range(0));
  if (Skip(state, megabytes)) return;
  TQtInkMemo& memo = *Loaded(megabytes).Memo;
  memo.Perform(SMM_TOPROW, smmSet, memo.Store().RowCount / 4);
  PaintPending();
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    memo.verticalScrollBar()->triggerAction(action);
    PaintPending();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    samples.push_back(seconds * 1e6);
  }
  Report(state, samples);
}
void BM_QtScrollLine(benchmark::State& state) { ScrollAndPaint(state, QAbstractSlider::SliderSingleStepAdd); }
void BM_QtScrollPage(benchmark::State& state) { ScrollAndPaint(state, QAbstractSlider::SliderPageStepAdd); }
BENCHMARK(BM_QtScrollLine)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);
BENCHMARK(BM_QtScrollPage)->Arg(50)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);

}  // namespace
