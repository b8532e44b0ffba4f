// The program's own time around a transformation: from the Transform button to Results filled,
// less the processor's time. The processor is a launcher that copies the source to the result,
// timed alone (started and waited for by a bare QProcess) for the difference.
//   Cases: a small saved pair; the same pair unsaved (temporary copies); the peers' 1 MB XML
//   unsaved (well-formedness check, copy, and a 1 MB result loaded into Results).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/MainForm.h"
#include "app/QlnInkMemo.h"
#include "app/WorkbenchDialogs.h"

namespace {

namespace fs = std::filesystem;

class TQuietDialogs : public ql::TWorkbenchDialogs {
public:
  ql::TAnswer Ask(const QString&, const QString&, bool) override { return ql::TAnswer::No; }
  void ShowMessage(const QString&) override {}
  void ShowError(const QString&) override {}
  bool Execute(ql::TFileDialog&) override { return false; }
  void ShowModal(QDialog&) override {}
  void ShellOpen(const QString&) override {}
};

const char* const kLauncher = "#!/bin/sh\nexec cp \"$3\" \"$2\"\n";
const std::string kBooks = "<?xml version=\"1.0\"?>\n<books><book>XSLT</book><book>XPath</book></books>\n";
const std::string kTitles =
    "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\n"
    "<xsl:template match=\"/\"><xsl:value-of select=\".\"/></xsl:template>\n</xsl:stylesheet>\n";

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadWhole(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

QApplication& App() {
  static int argc = 1;
  static char name[] = "transform_overhead";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  static QApplication app(argc, argv);
  return app;
}

struct TWorld {
  QTemporaryDir root;
  fs::path program, docs;
  TQuietDialogs dialogs;
  std::unique_ptr<ql::TMainForm> form;

  explicit TWorld(const std::string& xml) {
    program = fs::path(root.path().toStdString()) / "prog";
    docs = fs::path(root.path().toStdString()) / "docs";
    fs::create_directories(program);
    fs::create_directories(docs);
    Write(program / "saxon", kLauncher);
    fs::permissions(program / "saxon", fs::perms::owner_all);
    Write(docs / "books.xml", xml);
    Write(docs / "titles.xsl", kTitles);
    ql::TTransformPlaces places;
    places.ProgramDir = program.string();
    form = std::make_unique<ql::TMainForm>(dialogs, places);
    form->OpenDocument((docs / "books.xml").string());
    form->OpenDocument((docs / "titles.xsl").string());
  }

  // One run from the button to Results filled; false when it failed.
  bool Run() {
    form->FlatButton1->click();
    while (form->TransformRunning()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return form->ResultsShow() == ql::rsResultFile;
  }
};

// The processor alone: the launcher started and waited for by a bare QProcess.
void BM_ProcessorAlone(benchmark::State& state) {
  App();
  TWorld world(kBooks);
  const QString launcher = QString::fromStdString((world.program / "saxon").string());
  const QStringList arguments = {"-o", QString::fromStdString((world.program / "out.txt").string()),
                                 QString::fromStdString((world.docs / "books.xml").string()),
                                 QString::fromStdString((world.docs / "titles.xsl").string())};
  for (auto _ : state) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(launcher, arguments);
    process.waitForFinished(-1);
  }
}
BENCHMARK(BM_ProcessorAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

void RunCase(benchmark::State& state, const std::string& xml, bool unsaved) {
  App();
  TWorld world(xml);
  if (unsaved) {
    // Typed at the end of both: each goes through a temporary copy.
    for (ql::TqlnInkMemo* editor : {world.form->XMLDoc, world.form->XSLTDoc}) {
      QTextCursor end = editor->textCursor();
      end.movePosition(QTextCursor::End);
      end.insertText("\n");
    }
  }
  for (auto _ : state) {
    if (!world.Run()) {
      state.SkipWithError("the run did not give a result file");
      return;
    }
  }
}

void BM_RunSmallSavedPair(benchmark::State& state) { RunCase(state, kBooks, false); }
BENCHMARK(BM_RunSmallSavedPair)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RunSmallUnsavedPair(benchmark::State& state) { RunCase(state, "<books><book>XSLT</book></books>\n", true); }
BENCHMARK(BM_RunSmallUnsavedPair)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RunUnsaved1MB(benchmark::State& state) {
  const char* path = std::getenv("QUILLON_XML_1M");
  if (!path || !*path) path = "/tmp/peers/xml_1M.xml";
  const std::string xml = ReadWhole(path);
  if (xml.empty()) {
    state.SkipWithError("the peers' 1 MB XML file is missing");
    return;
  }
  RunCase(state, xml, true);
}
BENCHMARK(BM_RunUnsaved1MB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
