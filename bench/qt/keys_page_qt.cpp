// The Key assignments page on the shipped XML definition, on Qt's offscreen platform:
//   - OkClick: the OK button of a dialog showing the page: every command's pairs committed to a
//     new controller that the working copy takes over, and the dialog closed. Opening the dialog
//     is not timed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include "dialogs/OptionsDialog.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"

using namespace ql;

namespace {

void BM_OkClick(benchmark::State& state) {
  TInkMemoParser parser;
  parser.Name = "XMLParser";
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  for (auto _ : state) {
    state.PauseTiming();
    TOptionsDialog dialog;
    bool accepted = false;
    dialog.RunModal = [&](QDialog& d) {
      d.show();
      QApplication::processEvents();
      state.ResumeTiming();
      dialog.findChild<QPushButton*>("OKButton")->click();
      state.PauseTiming();
      accepted = d.result() == QDialog::Accepted;
      return accepted;
    };
    dialog.Execute(parser, {ppKEYS});
    if (!accepted) state.SkipWithError("OK refused");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OkClick)->Unit(benchmark::kMillisecond);

}  // namespace
