// The Transform and View menus around a run: the processor, checking well-formedness, the
// stylesheet's parameters, and the result in a browser.
#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <fstream>

#include "app/BrowserWindow.h"
#include "app/FileNames.h"
#include "app/MainForm.h"
#include "app/ParametersDialog.h"
#include "app/Processors.h"
#include "app/QlnInkMemo.h"
#include "app/StylesheetParams.h"
#include "app/WellFormedness.h"
#include "app/WorkbenchSettings.h"
#include "toolkit/Exception.h"
#include "toolkit/Stream.h"

namespace ql {
namespace {

QString Shown(const std::string& fileName) { return QFile::decodeName(fileName.c_str()); }

QString BareName(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  return Shown(slash == std::string::npos ? fileName : fileName.substr(slash + 1));
}

// True when text begins like an HTML page: "<html" or "<!DOCTYPE html" before any other
// element, after an XML declaration, comments and blanks.
bool LooksLikeHtml(const std::string& text) {
  const std::string head = LowerCase(text.substr(0, 4096));
  for (const char* start : {"<html", "<!doctype html"}) {
    const size_t at = head.find(start);
    if (at == std::string::npos) continue;
    const size_t firstElement = head.find_first_of('<');
    size_t other = firstElement;
    // Skip what may come before the root: declarations, comments, processing instructions.
    while (other != std::string::npos && other < at &&
           (head.compare(other, 2, "<?") == 0 || head.compare(other, 4, "<!--") == 0)) {
      const size_t end = head.compare(other, 4, "<!--") == 0 ? head.find("-->", other) : head.find("?>", other);
      if (end == std::string::npos) return false;
      other = head.find('<', end);
    }
    if (other == at) return true;
  }
  return false;
}

}  // namespace

void TMainForm::CreateTransformMenu(QMenu* view, QMenu* transform) {
  view->addAction(bbViewResultInBrowser);
  transform->addAction(bbTransformRun);
  transform->addAction(bbTransformCheck);
  transform->addAction(bbTransformParameters);
  transform->addSeparator();
  transform->addAction(bbTransformNextMessage);
  transform->addSeparator();
  auto* group = new QActionGroup(this);
  processorId_ = ProcessorById(TWorkbenchSettings().ProcessorId().toStdString()).Id;
  for (const TProcessor& processor : Processors()) {
    auto* action = new QAction(QString::fromUtf8(processor.Caption), group);
    action->setObjectName(QStringLiteral("bbProcessor_%1").arg(QString::fromUtf8(processor.Id)));
    action->setCheckable(true);
    action->setChecked(processorId_ == processor.Id);
    action->setToolTip(QStringLiteral("Transform with %1").arg(QString::fromUtf8(processor.Name)));
    connect(action, &QAction::triggered, this, [this, id = std::string(processor.Id)] { SetProcessor(id); });
    transform->addAction(action);
    ProcessorActions.push_back(action);
  }
}

const TProcessor& TMainForm::Processor() const { return ProcessorById(processorId_); }

void TMainForm::SetProcessor(const std::string& id) {
  processorId_ = ProcessorById(id).Id;
  for (size_t i = 0; i < ProcessorActions.size(); ++i) ProcessorActions[i]->setChecked(Processors()[i].Id == processorId_);
  TWorkbenchSettings().SetProcessorId(QString::fromUtf8(processorId_.c_str()));
}

// --- Handlers ---

void TMainForm::bbTransformCheckClick() {
  Guard([this] { CheckCommand(); });
}

void TMainForm::bbTransformParametersClick() {
  Guard([this] { ParametersCommand(); });
}

void TMainForm::bbTransformNextMessageClick() {
  Guard([this] { NextMessage(); });
}

void TMainForm::bbViewResultInBrowserClick() {
  Guard([this] { OpenResultInBrowser(); });
}

// --- Check ---

void TMainForm::CheckCommand() {
  if (!CurrentEditor || CurrentKind == dkResults) {
    Note(QStringLiteral("Check works on the XML source and the stylesheet: show one of them first."));
    return;
  }
  const TDocKind kind = CurrentKind;
  const TWellFormedness result = CheckWellFormed(CurrentEditor->GetText());
  if (result.WellFormed) {
    Note(QStringLiteral("%1 is well-formed.").arg(BareName(CurrentEditor->FileName)));
    return;
  }
  ShowCheckReport({{kind, result}});
}

bool TMainForm::CheckBeforeRun() {
  std::vector<std::pair<TDocKind, TWellFormedness>> failures;
  for (const TDocKind kind : {dkXML, dkXSLT}) {
    TWellFormedness result = CheckWellFormed(EditorOf(kind)->GetText());
    if (!result.WellFormed) failures.emplace_back(kind, std::move(result));
  }
  if (failures.empty()) return true;
  ShowCheckReport(failures);
  return false;
}

void TMainForm::ShowCheckReport(const std::vector<std::pair<TDocKind, TWellFormedness>>& failures) {
  std::string report;
  std::vector<TDocKind> kinds;
  for (const auto& [kind, result] : failures) {
    const std::string& name = EditorOf(kind)->FileName;
    report += name + " is not well-formed XML.\n";
    report += Format("Error on line %d", result.Line);
    if (result.Column > 0) report += Format(" column %d", result.Column);
    report += " of " + name + ":\n  " + result.Message + "\n";
    kinds.push_back(kind);
  }
  if (failures.size() == 1) report += "Double-click the error, or press F4, to go to its place.\n";
  ResultsDoc->Clear();
  ResultsDoc->SetText(report);
  ResultsDoc->SetLineBreakStyle(TLineBreakStyle::LF);
  resultsShow_ = rsCheckReport;
  pnlMessages->hide();
  MessagesDoc->Clear();
  ShowMessages(*ResultsDoc, report, kinds);
  ResultsOpen = true;
  ShowPage(dkResults);
  Note(failures.size() == 1 ? QStringLiteral("%1 is not well-formed.").arg(BareName(EditorOf(failures[0].first)->FileName))
                            : QStringLiteral("Neither document is well-formed."));
}

// --- Parameters ---

void TMainForm::ParametersCommand() {
  if (!XSLTOpen) {
    Note(QStringLiteral("Parameters belong to a stylesheet: open or create one first."));
    return;
  }
  const std::string text = XSLTDoc->GetText();
  const TStylesheetParams params = ReadStylesheetParams(QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())));
  const QString stylesheet = Shown(XSLTDoc->FileName);
  TWorkbenchSettings settings;
  TParametersDialog dialog(this, stylesheet, params, settings.ParamValues(stylesheet));
  dialogs_.ShowModal(dialog);
  if (dialog.result() == QDialog::Accepted && !params.Params.isEmpty()) settings.SetParamValues(stylesheet, dialog.Values());
}

// --- The result in a browser ---

bool TMainForm::ResultIsHtml() const {
  if (!ResultsOpen || resultsShow_ != rsResultFile || ResultsDoc->FileName.empty()) return false;
  return LooksLikeHtml(ResultsDoc->GetText());
}

void TMainForm::OpenResultInBrowser() {
  if (!ResultIsHtml()) {
    Note(QStringLiteral("The result is not an HTML page."));
    return;
  }
  // Browsers go by the file's extension: the page is handed over as results.html beside the
  // result, with the text as Results shows it now.
  const std::string page = IncludeTrailingSlash(ExtractFileDir(ResultsDoc->FileName)) + "results.html";
  {
    std::ofstream out(page, std::ios::binary | std::ios::trunc);
    const std::string text = ResultsDoc->GetText();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.flush()) throw EFCreateError(Format("Cannot create file \"%s\".", page.c_str()));
  }
  const QString target = Shown(page);
  if (dialogs_.CanShellOpen(target)) {
    dialogs_.ShellOpen(target);
  } else {
    ShowHtml(resultWindow_, target, QStringLiteral("Result - Quillon"));
  }
}

void TMainForm::ShowHtml(QPointer<TBrowserWindow>& window, const QString& fileName, const QString& title) {
  if (!window) window = new TBrowserWindow(this, title);
  window->ShowFile(fileName);
}

}  // namespace ql
