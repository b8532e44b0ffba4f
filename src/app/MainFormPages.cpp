// The main window's pages, status bar, edit commands and help.
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

#include "app/AboutForm.h"
#include "app/BrowserWindow.h"
#include "app/FileNames.h"
#include "app/MainForm.h"
#include "app/QlnInkMemo.h"
#include "highlight/InkMemoParser.h"
#include "toolkit/FileStream.h"

namespace ql {

void TMainForm::ShowPage(TDocKind kind) {
  QWidget* panel = PanelOf(kind);
  panel->raise();
  for (const TDocKind k : {dkXML, dkXSLT, dkResults}) PanelOf(k)->setVisible(k == kind && OpenFlag(k));
  CurrentEditor = OpenFlag(kind) ? EditorOf(kind) : nullptr;
  CurrentKind = kind;
  ShowCaption(kind);
  {
    const QSignalBlocker quiet(SideBar);
    SideBar->setCurrentRow(kind);
  }
  if (CurrentEditor) {
    CurrentEditor->SetFocus();
    InkMemoChange();
    ShowModifiedPanel();
  } else {
    StatusPanels[0]->clear();
    StatusPanels[1]->clear();
    EncodingPanel->clear();
    UpdateTitle();
  }
  UpdateCommands();
}

void TMainForm::ShowCaption(TDocKind kind) {
  QString caption = QFile::decodeName(EditorOf(kind)->FileName.c_str());
  // Results says what it holds when that is not a result file.
  if (kind == dkResults && resultsShow_ == rsRunMessages) {
    caption = QStringLiteral("Messages of the processor: no result file was written");
  } else if (kind == dkResults && resultsShow_ == rsCheckReport) {
    caption = QStringLiteral("Well-formedness check: not well-formed");
  }
  CaptionOf(kind)->setText(caption);
}

void TMainForm::UpdateTitle() {
  // The current document's name with a modified mark, then the program's name.
  if (!CurrentEditor) {
    setWindowTitle(QStringLiteral("Quillon"));
    setWindowModified(false);
    return;
  }
  const std::string& fileName = CurrentEditor->FileName;
  const size_t slash = fileName.rfind('/');
  QString name = QFile::decodeName(fileName.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
  if (CurrentKind == dkResults && (resultsShow_ != rsResultFile || name.isEmpty())) name = QStringLiteral("Results");
  setWindowTitle(name + QStringLiteral("[*] - Quillon"));
  setWindowModified(CurrentEditor->GetModified());
}

void TMainForm::UpdateCommands() {
  bbViewResultInBrowser->setEnabled(ResultsOpen && resultsShow_ == rsResultFile);
}

void TMainForm::Note(const QString& text) { StatusNote->setText(text); }

void TMainForm::SideBarItemClick(QListWidgetItem* item) {
  const QString caption = item->text();
  if (caption == QLatin1String("XML Source")) {
    ShowPage(dkXML);
  } else if (caption == QLatin1String("XSLT Stylesheet")) {
    ShowPage(dkXSLT);
  } else if (caption == QLatin1String("Results")) {
    ShowPage(dkResults);
  }
}

void TMainForm::InkMemoChange() {
  if (!CurrentEditor) return;
  const TqlnInkMemoCaret& caret = CurrentEditor->CaretControl();
  StatusPanels[0]->setText(QStringLiteral("Ln %1     Col %2").arg(caret.CaretLine()).arg(caret.CaretColumn()));
  EncodingPanel->setText(QString::fromLatin1(EncodingName(CurrentEditor->DisplayEncoding())));
}

void TMainForm::InkMemoTextChange() {
  if (CurrentEditor) ShowModifiedPanel();
}

void TMainForm::ShowModifiedPanel() {
  StatusPanels[1]->setText(CurrentEditor && CurrentEditor->GetModified() ? QStringLiteral("Modified") : QString());
  UpdateTitle();
}

// --- Edit commands: they act on the shown page's editor only ---

void TMainForm::bbEditUndoClick() {
  if (CurrentEditor && CurrentEditor->CanUndo()) CurrentEditor->Undo();
}

void TMainForm::bbEditRedoClick() {
  if (CurrentEditor && CurrentEditor->CanRedo()) CurrentEditor->Redo();
}

void TMainForm::bbEditCutClick() {
  if (CurrentEditor) CurrentEditor->CutToClipboard();
}

void TMainForm::bbEditCopyClick() {
  if (CurrentEditor) CurrentEditor->CopyToClipboard();
}

void TMainForm::bbEditPasteClick() {
  if (CurrentEditor) CurrentEditor->PasteFromClipboard();
}

void TMainForm::bbEditSelectAllClick() {
  if (CurrentEditor) CurrentEditor->SelectAll();
}

void TMainForm::bbEditorProperitiesClick() {
  // On OK the parser applies the settings to all three editors and writes them to the registry.
  // A failure (the registry cannot be written) is shown; the settings in force stay applied.
  Guard([this] { XMLParser->EditProperties(TSM_PropEdPages::All()); });
}

// --- Help ---

void TMainForm::bbHelpHelpClick() {
  // A missing help page shows nothing, as a failed shell open would. Without a browser the page
  // shows in a window of the program's own.
  const std::string help = places_.HelpFileName();
  if (!FileExists(help)) return;
  const QString page = QFile::decodeName(help.c_str());
  if (dialogs_.CanShellOpen(page)) {
    dialogs_.ShellOpen(page);
  } else {
    ShowHtml(helpWindow_, page, QStringLiteral("Quillon Help"));
  }
}

void TMainForm::bbHelpAboutClick() {
  TAboutDialog about(this, dialogs_);
  dialogs_.ShowModal(about);
}

}  // namespace ql
