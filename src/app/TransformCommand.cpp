// The Transform command: hands the XML document and the stylesheet to the outside processor and
// shows what comes back in Results. The processor runs while the window stays live; Transform is
// disabled until it ends, and the Stop button ends it early.
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QToolButton>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/CapturedProcess.h"
#include "app/CommandLine.h"
#include "app/FileNames.h"
#include "app/MainForm.h"
#include "app/ProcessorMessages.h"
#include "app/Processors.h"
#include "app/QlnInkMemo.h"
#include "app/TempCopies.h"
#include "app/WorkbenchSettings.h"
#include "toolkit/Exception.h"
#include "toolkit/FileStream.h"

namespace ql {
namespace {

// What Results shows when the run failed: the captured messages and, where they do not speak
// for themselves, how the run ended.
std::string FailureText(const TCapturedRun& run, const std::string& output, const char* processor) {
  std::string note;
  if (run.Stopped) {
    note = "Transformation stopped.";
  } else if (run.Crashed) {
    note = Format("The %s processor ended abnormally.", processor);
  } else if (run.Output.empty()) {
    note = Format("The %s processor ended with exit status %d.", processor, run.ExitStatus);
  }
  std::string text = output;
  if (run.Truncated) {
    if (!text.empty() && text.back() != '\n') text += '\n';
    text += "[The processor's output was cut off here.]\n";
  }
  if (!note.empty()) {
    if (!text.empty() && text.back() != '\n') text += '\n';
    text += note;
  }
  return text;
}

std::string CapturedText(const TCapturedRun& run, const std::string& output) {
  if (!run.Truncated) return output;
  return output + "\n[The processor's output was cut off here.]\n";
}

QString Seconds(qint64 ms) { return QString::number(static_cast<double>(ms) / 1000.0, 'f', ms < 10000 ? 2 : 1); }

}  // namespace

void TMainForm::FlatButton1Click() {
  if (TransformRunning()) return;
  if (!XMLOpen || !XSLTOpen) {
    // Say what is missing rather than nothing at all.
    Note(!XMLOpen && !XSLTOpen ? QStringLiteral("Transform needs an XML document and an XSLT stylesheet: open or create both first.")
         : !XMLOpen            ? QStringLiteral("Transform needs an XML document too: open one, or create one with File > New.")
                               : QStringLiteral("Transform needs an XSLT stylesheet too: open one, or create one with File > New."));
    return;
  }
  Guard([this] { RunTransform(); });
}

bool TMainForm::TransformRunning() const { return processor_->Running(); }

void TMainForm::StopTransform() { processor_->Stop(); }

void TMainForm::RunTransform() {
  if (TransformRunning()) return;  // one run at a time
  const TProcessor& chosen = Processor();
  const std::string processor = places_.LauncherName(chosen.Launcher);
  if (!EntryExists(processor)) {
    dialogs_.ShowMessage(QStringLiteral("Unable to locate %1 processor. Cannot continue.").arg(QString::fromUtf8(chosen.Name)));
    return;
  }
  // A launcher that cannot run is reported before the documents are looked at.
  if (::access(processor.c_str(), X_OK) != 0) {
    ShowStartFailure(chosen, std::strerror(errno));
    return;
  }
  runClock_.start();

  // Copies of documents whose text differs from their file (or that have no file yet); they are
  // removed however the run ends, from here on.
  auto copies = std::make_unique<TTempCopies>();
  auto input = [&copies](TqlnInkMemo& editor) {
    if (editor.GetModified() || !FileExists(editor.FileName)) return copies->Make(editor.FileName, editor.GetText());
    return editor.FileName;
  };
  const std::string source = input(*XMLDoc);
  const std::string stylesheet = input(*XSLTDoc);

  // A results file left from an earlier run must go, or it would pass for this run's result.
  const std::string results = places_.ResultsFileName();
  std::error_code error;
  std::filesystem::create_directories(ExtractFileDir(results), error);
  if (EntryExists(results)) {
    std::filesystem::remove(results, error);
    if (error || EntryExists(results)) {
      throw Exception(Format("The results file %s of an earlier run cannot be deleted: %s", results.c_str(),
                             (error ? error.message() : std::string("it is still there")).c_str()));
    }
  }

  // A document that is not well-formed is reported in the same form as the processor's errors,
  // before anything is started.
  if (!CheckBeforeRun()) return;

  std::vector<std::pair<std::string, std::string>> parameters;
  for (const auto& [name, value] : TWorkbenchSettings().ParamValues(QFile::decodeName(XSLTDoc->FileName.c_str()))) {
    parameters.emplace_back(name.toStdString(), value.toStdString());
  }
  const std::string commandLine = BuildTransformCommandLine(processor, results, source, stylesheet, parameters);
  std::string reason;
  if (!processor_->Start(SplitCommandLine(commandLine), places_.ProgramDir, reason)) {
    ShowStartFailure(chosen, reason);
    return;
  }
  runCopies_ = std::move(copies);
  runResults_ = results;
  runProcessor_ = &chosen;
  Note(QStringLiteral("Transforming with %1...").arg(QString::fromUtf8(chosen.Name)));
  SetTransformBusy(true);
}

void TMainForm::ShowStartFailure(const TProcessor& processor, const std::string& reason) {
  dialogs_.ShowMessage(QStringLiteral("The %1 processor could not be started: %2")
                           .arg(QString::fromUtf8(processor.Name), QString::fromLocal8Bit(reason.c_str())));
}

void TMainForm::SetTransformBusy(bool busy) {
  FlatButton1->setEnabled(!busy);
  transformState_->setVisible(busy);
  StopButton->setVisible(busy);
  if (busy) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TMainForm::TransformFinished(const TCapturedRun& run) {
  // The processor named the copies it was given; the user knows the documents by their own names.
  std::vector<TCopyName> copies;
  if (runCopies_) {
    const std::vector<std::string> made = runCopies_->Names();
    const std::vector<std::string> originals = runCopies_->OriginalNames();
    for (size_t i = 0; i < made.size(); ++i) copies.push_back({made[i], originals[i]});
  }
  const std::string output = NameOriginals(run.Output, copies);
  runCopies_.reset();
  SetTransformBusy(false);
  const std::string results = runResults_;
  const char* processor = runProcessor_ ? runProcessor_->Name : Processor().Name;
  const bool succeeded = !run.Stopped && !run.Crashed && run.ExitStatus == 0;
  const QString took = Seconds(runClock_.elapsed());
  Note(run.Stopped ? QStringLiteral("Transformation stopped after %1 s.").arg(took)
       : succeeded ? QStringLiteral("Transformed in %1 s with %2.").arg(took, QString::fromUtf8(processor))
                   : QStringLiteral("The transformation failed after %1 s (%2).").arg(took, QString::fromUtf8(processor)));
  ForgetMessages();
  MessagesDoc->Clear();
  pnlMessages->hide();
  Guard([&] {
    ResultsDoc->Clear();
    // Results is shown whatever happens below, even when the results file cannot be read.
    struct TShowResults {
      TMainForm& form;
      ~TShowResults() {
        form.ResultsOpen = true;
        form.ShowPage(dkResults);
      }
    } show{*this};
    const std::vector<TDocKind> documents = {dkXML, dkXSLT};
    if (succeeded && FileExists(results)) {
      resultsShow_ = rsResultFile;
      // What the processor said on the way (xsl:message, warnings) shows under the result.
      if (!output.empty()) {
        const std::string said = CapturedText(run, output);
        MessagesDoc->SetText(said);
        ShowMessages(*MessagesDoc, said, documents);
        pnlMessages->show();
      }
      try {
        ResultsDoc->LoadFromFile(results);
      } catch (const Exception&) {
        resultsShow_ = rsRunMessages;
        ResultsDoc->SetText(CapturedText(run, output));
        throw;
      }
    } else {
      resultsShow_ = rsRunMessages;
      const std::string text = succeeded ? CapturedText(run, output) : FailureText(run, output, processor);
      ResultsDoc->SetText(text);
      ResultsDoc->SetLineBreakStyle(TLineBreakStyle::LF);
      ShowMessages(*ResultsDoc, text, documents);
    }
  });
  if (MessageCount() > 0) {
    Note(StatusNote->text() + QStringLiteral(" Double-click an underlined message, or press F4, to go to its place."));
  }
  UpdateCommands();
}

void TMainForm::AbandonTransform() {
  if (!processor_ || !processor_->Running()) return;
  processor_->Abandon();
  runCopies_.reset();
  SetTransformBusy(false);
}

}  // namespace ql
