// Printing through QPrinter to a PDF file (no printer needed): 1000 highlighted rows of a
// stylesheet with the file name, date, page numbers, line numbers and print wrap, in colour.
// Reported as pages a second; the file is written in the system's temporary folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "EditorBench.h"
#include "editor/qt/QtInkMemo.h"
#include "services/SM_Settings.h"
#include "toolkit/qt/QtPrinter.h"

using namespace ql;
using namespace ql::bench;

namespace {

// The Qt printer, counting the pages it is given.
class TPageCounter : public TPrinter {
public:
  explicit TPageCounter(TPrinter& printer) : printer_(printer) {}
  void SetTitle(const std::string& title) override { printer_.SetTitle(title); }
  void BeginDoc() override {
    printer_.BeginDoc();
    ++Pages;
  }
  void EndDoc() override { printer_.EndDoc(); }
  void NewPage() override {
    printer_.NewPage();
    ++Pages;
  }
  bool Printing() const override { return printer_.Printing(); }
  int32_t PageNumber() const override { return printer_.PageNumber(); }
  int32_t PageWidth() const override { return printer_.PageWidth(); }
  int32_t PageHeight() const override { return printer_.PageHeight(); }
  TCanvas& Canvas() override { return printer_.Canvas(); }
  int64_t Pages = 0;

private:
  TPrinter& printer_;
};

void BM_QtPrintToPdf(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  auto parser = std::make_unique<TInkMemoParser>();
  parser->LoadFromBytes(XmlDefinitionStoredForm());
  auto memo = std::make_unique<TQtInkMemo>();
  memo->SetParser1(parser.get());
  std::string text;
  for (int i = 0; i < rows; ++i) {
    text += "  <xsl:template match='item" + std::to_string(i) + "'><b class=\"x\">text &amp; more</b></xsl:template>\r";
  }
  memo->SetText(text);
  TInkMemoOptions options = memo->GetOptions();
  for (const TInkMemoOption o : {smoPrintFilename, smoPrintDate, smoPrintPageNos, smoPrintLineNos, smoPrintWrap}) options.Include(o);
  memo->SetOptions(options);
  memo->MonoPrint = false;
  const std::string pdf = (std::filesystem::temp_directory_path() / "quillon_print_bench.pdf").string();
  QtPrinter().SetPdfFile(pdf);
  TPageCounter printer(QtPrinter());
  memo->PrinterObject = &printer;
  for (auto _ : state) memo->PrintDocument();
  memo->PrinterObject = nullptr;
  QtPrinter().SetPdfFile({});
  state.counters["pages_per_job"] = static_cast<double>(printer.Pages) / static_cast<double>(state.iterations());
  state.counters["pages"] = benchmark::Counter(static_cast<double>(printer.Pages), benchmark::Counter::kIsRate);
  std::error_code error;
  std::filesystem::remove(pdf, error);
}
BENCHMARK(BM_QtPrintToPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
