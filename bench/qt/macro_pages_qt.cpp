// The Auto correct and Code templates pages with 500 auto-replace entries and 500 templates, on
// Qt's offscreen platform:
//   - FillLists: both entry lists built from the tables, put into their list boxes and painted
//     (what showing the two pages costs beyond the dialog itself).
//   - OpenMacroPages: the whole dialog on those two pages, run to its first paint and cancelled
//     (the settings copied, both pages filled).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <memory>

#include "dialogs/MacroListBox.h"
#include "dialogs/OptionsDialog.h"
#include "editor/AutoCorrectList.h"
#include "editor/TemplateList.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "services/SM_Settings.h"

using namespace ql;

namespace {

constexpr int kEntries = 500;

std::string Name(const char* stem, int i) { return stem + std::to_string(i * 7919 % 100000); }

std::unique_ptr<TInkMemoParser> ParserWithTables() {
  auto parser = std::make_unique<TInkMemoParser>();
  parser->Name = "XMLParser";
  parser->LoadFromBytes(XmlDefinitionStoredForm());
  TSM_Settings& settings = parser->Settings();
  settings.AutoReplace().Clear();
  settings.Templates().Clear();
  for (int i = 0; i < kEntries; ++i) {
    settings.AutoReplace().AddReplacement(Name("word", i), "replacement text " + std::to_string(i));
    settings.Templates().AddTemplate(Name("tmpl", i), "description of template " + std::to_string(i),
                                     "<xsl:template match=\"|\">\r</xsl:template>");
  }
  return parser;
}

void BM_FillLists(benchmark::State& state) {
  auto parser = ParserWithTables();
  const TSM_Settings& settings = parser->Settings();
  QWidget window;
  window.resize(600, 700);
  QListWidget* replace = NewMacroListBox("AutoReplBox", &window);
  QListWidget* templates = NewMacroListBox("cteListBox", &window);
  replace->setGeometry(0, 0, 600, 340);
  templates->setGeometry(0, 350, 600, 340);
  window.show();
  for (auto _ : state) {
    const TMacroList replaceList = AutoReplaceList(settings.AutoReplace());
    const TMacroList templateList = TemplateList(settings.Templates());
    ShowMacroList(*replace, replaceList, -1, TTextEncoding::Utf8);
    ShowMacroList(*templates, templateList, -1, TTextEncoding::Utf8);
    replace->viewport()->repaint();
    templates->viewport()->repaint();
    benchmark::DoNotOptimize(replace->count() + templates->count());
  }
}
BENCHMARK(BM_FillLists)->Unit(benchmark::kMillisecond);

void BM_OpenMacroPages(benchmark::State& state) {
  auto parser = ParserWithTables();
  const auto open = [&] {
    TOptionsDialog dialog;
    dialog.RunModal = [](QDialog& d) {
      d.resize(640, 520);
      d.show();
      d.repaint();
      d.hide();
      return false;
    };
    dialog.Execute(*parser, {ppAUTOCORRECT, ppTEMPLATES});
  };
  open();  // fonts and styles warmed once
  for (auto _ : state) open();
}
BENCHMARK(BM_OpenMacroPages)->Unit(benchmark::kMillisecond);

}  // namespace
