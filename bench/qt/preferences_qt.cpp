// The property pages on the shipped XML definition, on Qt's offscreen platform:
//   - Open: a dialog made and run to its first paint (the settings copied, the preview filled,
//     highlighted and painted), then closed with Cancel.
//   - PreviewRepaint: a colour button changes the selected style's colour and the preview is
//     repainted at once.
//   - OkThreeEditors: OK with three editors of the 10 MB peer file: the settings copied back,
//     every editor re-applying them, and their windows repainted.
//   - OpenCancelHeap: the heap after 100 open-and-cancel cycles, against before them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <vector>

#include "EditorBench.h"
#include "MemoryCounter.h"
#include "dialogs/ColorDropButton.h"
#include "dialogs/OptionsDialog.h"
#include "editor/qt/QtInkMemo.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "services/SM_Settings.h"

using namespace ql;
using namespace ql::bench;

namespace {

std::unique_ptr<TInkMemoParser> ShippedParser() {
  auto parser = std::make_unique<TInkMemoParser>();
  parser->Name = "XMLParser";
  parser->LoadFromBytes(XmlDefinitionStoredForm());
  return parser;
}

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Runs a dialog on parser until its first paint; act (may be empty) runs while it is open.
bool OpenDialog(TInkMemoParser& parser, const std::function<bool(TOptionsDialog&)>& act) {
  TOptionsDialog dialog;
  dialog.RunModal = [&](QDialog& d) {
    d.resize(640, 520);
    d.show();
    dialog.Preview()->viewport()->repaint();
    const bool ok = act ? act(dialog) : false;
    d.hide();
    return ok;
  };
  return dialog.Execute(parser, TSM_PropEdPages::All());
}

void BM_Open(benchmark::State& state) {
  auto parser = ShippedParser();
  OpenDialog(*parser, nullptr);  // fonts and styles warmed once
  for (auto _ : state) OpenDialog(*parser, nullptr);
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_PreviewRepaint(benchmark::State& state) {
  auto parser = ShippedParser();
  OpenDialog(*parser, [&](TOptionsDialog& dialog) {
    TSM_Settings& working = *dialog.Working();
    TStyleEffect style = working.GetStyle(working.GetEditableStyle(2).Style);
    style.DefaultText = false;
    working.SetStyle(working.GetEditableStyle(2).Style, style);
    Settle();
    TColor colour = 0;
    for (auto _ : state) {
      colour = colour == 0x0000FF ? 0x00FF00 : 0x0000FF;
      dialog.ForegroundButton()->SetColor(colour);
      dialog.Preview()->viewport()->repaint();
    }
    return false;
  });
}
BENCHMARK(BM_PreviewRepaint)->Unit(benchmark::kMillisecond);

void BM_OkThreeEditors(benchmark::State& state) {
  if (!PeerXmlExists(10)) {
    state.SkipWithError(("missing " + PeerXmlPath(10)).c_str());
    return;
  }
  auto parser = ShippedParser();
  std::vector<std::unique_ptr<TQtInkMemo>> editors;
  for (int i = 0; i < 3; ++i) {
    auto memo = std::make_unique<TQtInkMemo>();
    memo->SetParser1(parser.get());
    memo->LoadFromFile(PeerXmlPath(10));
    memo->resize(900, 700);
    memo->show();
    editors.push_back(std::move(memo));
  }
  Settle();
  ParserUi().EditProperties = [](TInkMemoParser& p, TSM_PropEdPages) {
    return OpenDialog(p, [](TOptionsDialog& dialog) {
      dialog.ForegroundButton()->SetColor(dialog.ForegroundButton()->Color() ^ 0x00FFFFFF);
      return true;
    });
  };
  for (auto _ : state) {
    parser->EditProperties(TSM_PropEdPages::All());
    for (auto& memo : editors) memo->viewport()->repaint();
  }
  ParserUi().EditProperties = nullptr;
}
BENCHMARK(BM_OkThreeEditors)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenCancelHeap(benchmark::State& state) {
  auto parser = ShippedParser();
  for (int i = 0; i < 5; ++i) OpenDialog(*parser, nullptr);  // caches of Qt and fonts filled
  Settle();
  for (auto _ : state) {
    const long long before = HeapNow();
    for (int i = 0; i < 100; ++i) OpenDialog(*parser, nullptr);
    Settle();
    state.counters["heap_growth_bytes"] = static_cast<double>(HeapNow() - before);
  }
}
BENCHMARK(BM_OpenCancelHeap)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
