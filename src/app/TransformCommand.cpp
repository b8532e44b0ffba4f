// The Transform command: hands the XML document and the stylesheet to the outside processor and
// shows what comes back in Results. The processor runs while the window stays live; Transform is
// disabled until it ends, and the Stop button ends it early.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QToolButton>
#include <filesystem>
#include <system_error>

#include "app/CapturedProcess.h"
#include "app/CommandLine.h"
#include "app/FileNames.h"
#include "app/MainForm.h"
#include "app/QlnInkMemo.h"
#include "app/TempCopies.h"
#include "toolkit/Exception.h"
#include "toolkit/FileStream.h"

namespace ql {
namespace {

// What Results shows when the run failed: the captured messages and, where they do not speak
// for themselves, how the run ended.
std::string FailureText(const TCapturedRun& run) {
  std::string note;
  if (run.Stopped) {
    note = "Transformation stopped.";
  } else if (run.Crashed) {
    note = "The Saxon processor ended abnormally.";
  } else if (run.Output.empty()) {
    note = Format("The Saxon processor ended with exit status %d.", run.ExitStatus);
  }
  std::string text = run.Output;
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

std::string CapturedText(const TCapturedRun& run) {
  if (!run.Truncated) return run.Output;
  return run.Output + "\n[The processor's output was cut off here.]\n";
}

}  // namespace

void TMainForm::FlatButton1Click() {
  if (XMLOpen && XSLTOpen && !TransformRunning()) Guard([this] { RunTransform(); });
}

bool TMainForm::TransformRunning() const { return processor_->Running(); }

void TMainForm::StopTransform() { processor_->Stop(); }

void TMainForm::RunTransform() {
  if (TransformRunning()) return;  // one run at a time
  const std::string processor = places_.ProcessorName();
  if (!EntryExists(processor)) {
    dialogs_.ShowMessage(QStringLiteral("Unable to locate Saxon processor. Cannot continue."));
    return;
  }

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

  const std::string commandLine = BuildTransformCommandLine(processor, results, source, stylesheet);
  std::string reason;
  if (!processor_->Start(SplitCommandLine(commandLine), places_.ProgramDir, reason)) {
    dialogs_.ShowMessage(QStringLiteral("The Saxon processor could not be started: %1").arg(QString::fromLocal8Bit(reason.c_str())));
    return;
  }
  runCopies_ = std::move(copies);
  runResults_ = results;
  SetTransformBusy(true);
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
  runCopies_.reset();
  SetTransformBusy(false);
  const std::string results = runResults_;
  const bool succeeded = !run.Stopped && !run.Crashed && run.ExitStatus == 0;
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
    if (succeeded && FileExists(results)) {
      try {
        ResultsDoc->LoadFromFile(results);
      } catch (const Exception&) {
        ResultsDoc->SetText(CapturedText(run));
        throw;
      }
    } else {
      ResultsDoc->SetText(succeeded ? CapturedText(run) : FailureText(run));
    }
  });
}

void TMainForm::AbandonTransform() {
  if (!processor_ || !processor_->Running()) return;
  processor_->Abandon();
  runCopies_.reset();
  SetTransformBusy(false);
}

}  // namespace ql
