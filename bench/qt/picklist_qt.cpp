// The templates' pick list in the Qt editor (offscreen): Ctrl+J with 500 templates and no name
// before the caret, from the key press until the list is filled, placed, shown and focused, and
// then painted. Escape, untimed, closes it again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "editor/qt/PickListBox.h"
#include "editor/qt/QtInkMemo.h"
#include "services/CodeTemplates.h"
#include "services/SM_Settings.h"

using namespace ql;

namespace {

using Clock = std::chrono::steady_clock;

void SendKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &release);
}

void BM_QtPickListOpen(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto memo = std::make_unique<TQtInkMemo>();
  TCodeTemplates& templates = memo->Settings().Templates();
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    templates.AddTemplate("template" + n, "Description of template " + n, "<t" + n + ">|</t" + n + ">");
  }
  memo->resize(800, 600);
  memo->show();
  memo->activateWindow();
  memo->SetFocus();
  QApplication::processEvents();
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    SendKey(memo.get(), Qt::Key_J, Qt::ControlModifier, QStringLiteral("\n"));
    auto* list = dynamic_cast<TQtPickList*>(templates.PickList());
    if (list == nullptr || list->Box() == nullptr || !list->Box()->isVisible()) {
      state.SkipWithError("the pick list did not open");
      break;
    }
    list->Box()->repaint();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    samples.push_back(seconds * 1e3);
    SendKey(list->Box(), Qt::Key_Escape, Qt::NoModifier, QString());
    QApplication::processEvents();
  }
  if (!samples.empty()) {
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2];
  }
}
BENCHMARK(BM_QtPickListOpen)->Arg(500)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
