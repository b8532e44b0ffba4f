// Sets up what a screenshot of the editor needs, for a look under a real X server:
//   quillon_shots settings [wrap]
//       writes the XML parser's settings to the registry under $HOME, as the program keeps them,
//       with a few XSLT templates for the pick list and a few auto-replace entries; with "wrap"
//       also word wrap at column 60 with the wrap glyphs and the wrap-column line. The program reads them when it starts.
//   quillon_shots annotations FILE [SECONDS] [wrap]
//       shows FILE in an editor window (line numbers, show-all-characters, the focus line) with
//       bookmarks, breakpoints (one disabled), the execution point and red wavy marks, for
//       SECONDS (default 60); with "wrap", word wrapped at column 60 and with a breakpoint on
//       the first wrapped line.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "editor/qt/QtInkMemo.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "services/CodeTemplates.h"
#include "services/SM_Settings.h"
#include "textmodel/Breakpoints.h"
#include "toolkit/qt/QSettingsRegistry.h"
#include "toolkit/qt/QtFontFactory.h"

using namespace ql;

namespace {

void AddTemplates(TSM_Settings& settings) {
  TCodeTemplates& t = settings.Templates();
  t.AddTemplate("xsl:template", "Template rule", "<xsl:template match=\"|\">\r</xsl:template>");
  t.AddTemplate("xsl:call-template", "Call a named template", "<xsl:call-template name=\"|\"/>");
  t.AddTemplate("xsl:value-of", "Value of an expression", "<xsl:value-of select=\"|\"/>");
  t.AddTemplate("xsl:for-each", "Loop over nodes", "<xsl:for-each select=\"|\">\r</xsl:for-each>");
  t.AddTemplate("xsl:choose", "Choice", "<xsl:choose>\r  <xsl:when test=\"|\"></xsl:when>\r  <xsl:otherwise></xsl:otherwise>\r</xsl:choose>");
  t.AddTemplate("xsl:if", "Condition", "<xsl:if test=\"|\">\r</xsl:if>");
  t.AddTemplate("xsl:apply-templates", "Apply templates", "<xsl:apply-templates select=\"|\"/>");
  t.AddTemplate("xsl:variable", "Variable", "<xsl:variable name=\"|\" select=\"\"/>");
  TAutoReplace& r = settings.AutoReplace();
  for (const auto& [name, with] : {std::pair{"teh", "the"}, {"recieve", "receive"}, {"seperate", "separate"},
                                   {"xsln", "http://www.w3.org/1999/XSL/Transform"}, {"nbsp", "&#160;"}, {"tbd", ""}})
    r.AddReplacement(name, with);
}

int WriteSettings(bool wrap) {
  TQSettingsRegistry registry;
  TInkMemoParser parser;
  parser.Name = "XMLParser";
  parser.RegistryKey = "Software\\Brevant\\Quillon";
  parser.UseRegistry = true;
  parser.Compile = "Compiled";
  parser.Registry = &registry;
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  TSM_Settings& s = parser.Settings();
  AddTemplates(s);
  if (wrap) {
    TInkMemoOptions o = s.GetInkMemoOptions();
    for (const TInkMemoOption on : {smoWordWrap, smoShowWrapColumn, smoShowWrapGlyph, smoLineNumbers}) o.Include(on);
    s.SetInkMemoOptions(o);
    s.WrapAtColumn = 60;
  }
  parser.SaveToRegistry();
  std::printf("settings written\n");
  return 0;
}

int ShowAnnotations(const char* file, int seconds, bool wrap) {
  InstallQtFontFactory();
  TInkMemoParser parser;
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  TQtInkMemo memo;
  memo.SetParser1(&parser);
  TInkMemoOptions o = memo.GetOptions();
  for (const TInkMemoOption on : {smoLineNumbers, smoShowAllChars}) o.Include(on);
  if (wrap) {
    for (const TInkMemoOption on : {smoWordWrap, smoShowWrapColumn, smoShowWrapGlyph}) o.Include(on);
    memo.SetWrapAtColumn(60);
  }
  memo.SetOptions(o);
  memo.LoadFromFile(file);
  memo.setWindowTitle(QString::fromLocal8Bit(file));
  memo.resize(1000, 620);
  memo.move(20, 20);
  memo.show();
  TTextStore& store = memo.Store();
  const auto row = [&](int32_t index) { return store.RowStart(index); };
  memo.SetBookmark(1, 2, 1);
  memo.SetBookmark(2, 9, 1);
  memo.SetBookmark(3, 21, 1);
  memo.AddBreakpoint(row(5));
  memo.AddBreakpoint(row(14), 0, false);  // disabled
  memo.AddBreakpoint(row(24));
  memo.SetExecPoint(row(17));
  // The first line wrapped over several rows.
  for (const TTextRow* r = store.FirstRow; wrap && r != nullptr && r->Next != nullptr; r = r->Next) {
    if (!r->EndsWithCR()) {
      memo.AddBreakpoint(store.RowPosition(r).Start);
      break;
    }
  }
  memo.AddMark(row(11) + 4, 12, 0);
  memo.AddMark(row(19) + 2, 25, 0);
  memo.SetShowFocusLine(true);
  memo.SetSelection(row(8) + 6, row(8) + 6);
  memo.SetFocus();
  QTimer::singleShot(seconds * 1000, qApp, &QApplication::quit);
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::string mode = argc > 1 ? argv[1] : "";
  try {
    if (mode == "settings") return WriteSettings(argc > 2 && std::string(argv[2]) == "wrap");
    if (mode == "annotations" && argc > 2) return ShowAnnotations(argv[2], argc > 3 ? std::atoi(argv[3]) : 60, argc > 4 && std::string(argv[4]) == "wrap");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: quillon_shots settings [wrap] | annotations FILE [SECONDS] [wrap]\n");
  return 2;
}
