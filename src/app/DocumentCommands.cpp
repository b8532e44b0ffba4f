// The main window's file commands: New, Open, Close, Save, Save As, the question about unsaved
// changes, closing the window and dropped files.
#include <unistd.h>

#include <QFile>
#include <vector>

#include "app/FileDrag.h"
#include "app/FileNames.h"
#include "app/MainForm.h"
#include "app/QlnInkMemo.h"

namespace ql {
namespace {

const QString kFileFilter =
    QStringLiteral("XML Files (*.xml)|*.xml|XSLT Files (*.xsl;*.xslt)|*.xsl;*.xslt|All Files (*.*)|*.*");

const char* const kXMLTemplate = "<?xml version=\"1.0\"?>\r\n\r\n";
const char* const kXSLTTemplate =
    "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\r\n"
    "\r\n"
    "\r\n"
    "</xsl:stylesheet>";

QString Shown(const std::string& fileName) { return QFile::decodeName(fileName.c_str()); }
std::string Stored(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }

// The process's current folder; the home folder when it no longer exists.
std::string CurrentFolder() {
  std::string folder(4096, '\0');
  if (::getcwd(folder.data(), folder.size()) != nullptr) return folder.c_str();
  const char* home = ::getenv("HOME");
  return home && *home ? home : "/";
}

// Brackets an editor's lines in an update, however the block ends.
class TLinesUpdate {
public:
  explicit TLinesUpdate(TqlnInkMemo& editor) : editor_(editor) { editor_.Lines().BeginUpdate(); }
  ~TLinesUpdate() { editor_.Lines().EndUpdate(); }
  TLinesUpdate(const TLinesUpdate&) = delete;
  TLinesUpdate& operator=(const TLinesUpdate&) = delete;

private:
  TqlnInkMemo& editor_;
};

}  // namespace

// --- Menu handlers ---

void TMainForm::bbFileNewXMLClick() {
  Guard([this] { NewDocument(dkXML); });
}

void TMainForm::bbFileNewXSLTClick() {
  Guard([this] { NewDocument(dkXSLT); });
}

void TMainForm::bbFileOpenClick() {
  Guard([this] { OpenCommand(); });
}

void TMainForm::bbFileCloseClick() {
  if (CurrentEditor) Guard([this] { CloseDocument(CurrentKind); });
}

void TMainForm::bbFileSaveClick() {
  if (CurrentEditor) Guard([this] { SaveDocument(CurrentKind); });
}

void TMainForm::bbFileSaveAsClick() {
  if (CurrentEditor) Guard([this] { SaveDocumentAs(CurrentKind); });
}

void TMainForm::bbFileExitClick() { close(); }

// --- Operations ---

void TMainForm::NewDocument(TDocKind kind) {
  if (kind == dkResults) return;
  // Unsaved changes of the document being replaced are asked about, as Open does.
  if (OpenFlag(kind) && !CloseDocument(kind)) return;
  const bool xml = kind == dkXML;
  OpenFlag(kind) = true;
  CurrentKind = kind;
  TqlnInkMemo& editor = *EditorOf(kind);
  {
    TLinesUpdate update(editor);
    editor.Clear();
    editor.FileName = IncludeTrailingSlash(CurrentFolder()) + "Untitled" + (xml ? ".xml" : ".xsl");
    editor.SetText(xml ? kXMLTemplate : kXSLTTemplate);
    editor.SetLineBreakStyle(TLineBreakStyle::LF);
  }
  ShowPage(kind);
}

void TMainForm::OpenCommand() {
  if (CurrentKind == dkXML) OpenDialog.FilterIndex = 1;
  if (CurrentKind == dkXSLT) OpenDialog.FilterIndex = 2;
  OpenDialog.Filter = kFileFilter;
  OpenDialog.SaveMode = false;
  const bool confirmed = dialogs_.Execute(OpenDialog);
  const std::string fileName = Stored(OpenDialog.FileName);
  // The next Open starts without a name, whatever happens to this one.
  OpenDialog.FileName.clear();
  if (confirmed) OpenDocument(fileName);
}

void TMainForm::OpenDocument(const std::string& fileName) {
  const std::string ext = LowerCase(ExtractFileExt(fileName));
  TDocKind kind;
  if (ext == ".xml") {
    kind = dkXML;
  } else if (ext == ".xsl" || ext == ".xslt") {
    kind = dkXSLT;
  } else {
    // Not opened, but not without a word either.
    Note(QStringLiteral("%1 was not opened: Quillon opens .xml documents and .xsl or .xslt stylesheets.")
             .arg(Shown(fileName.substr(fileName.rfind('/') + 1))));
    return;
  }
  if (OpenFlag(kind) && !CloseDocument(kind)) return;
  // Marked open only once the file was read: a failed load leaves the document closed, so no
  // later Save can write an empty text over the file of the old name.
  EditorOf(kind)->LoadFromFile(fileName);
  OpenFlag(kind) = true;
  ShowPage(kind);
}

bool TMainForm::CloseDocument(TDocKind kind) {
  if (!OpenFlag(kind)) return true;
  TqlnInkMemo& editor = *EditorOf(kind);
  // Results as the processor left it is never modified; once the user edited it, it is asked
  // about like the other documents, so typed text is not thrown away unasked.
  if (!editor.GetModified()) {
    ClearDocument(kind);
    return true;
  }
  const QString name = editor.FileName.empty() ? QStringLiteral("Results") : Shown(editor.FileName);
  const QString question = name + QStringLiteral(" has been modified. Do you wish to save changes?");
  switch (dialogs_.Ask(QStringLiteral("Information"), question, true)) {
    case TAnswer::Cancel:
      return false;
    case TAnswer::No:
      break;
    case TAnswer::Yes:
      if (!WriteDocument(kind)) return false;
      break;
  }
  ClearDocument(kind);
  return true;
}

void TMainForm::ClearDocument(TDocKind kind) {
  EditorOf(kind)->Clear();
  OpenFlag(kind) = false;
  if (kind == dkResults) {
    // The messages went with the text they were in.
    ForgetMessages();
    MessagesDoc->Clear();
    pnlMessages->hide();
    resultsShow_ = rsResultFile;
  }
  ShowPage(kind);
}

bool TMainForm::NeedsName(TDocKind kind) const {
  const std::string& name = EditorOf(kind)->FileName;
  return name.empty() || IsUntitled(name) || (kind == dkResults && places_.IsResultsFile(name));
}

bool TMainForm::WriteDocument(TDocKind kind) {
  if (NeedsName(kind)) return SaveDocumentAs(kind);
  TqlnInkMemo& editor = *EditorOf(kind);
  if (editor.GetModified()) editor.SaveToFile(editor.FileName);
  return true;
}

void TMainForm::SaveDocument(TDocKind kind) {
  if (!OpenFlag(kind)) return;
  WriteDocument(kind);
  ShowModifiedPanel();
}

bool TMainForm::SaveDocumentAs(TDocKind kind) {
  if (!OpenFlag(kind)) return false;
  TqlnInkMemo& editor = *EditorOf(kind);
  const std::string& current = editor.FileName;
  std::string defaultExt;
  switch (kind) {
    case dkXML:
      SaveDialog.FileName = IsUntitled(current) ? QString() : Shown(current);
      SaveDialog.FilterIndex = 1;
      defaultExt = ".xml";
      break;
    case dkXSLT:
      SaveDialog.FileName = IsUntitled(current) ? QString() : Shown(current);
      SaveDialog.FilterIndex = 2;
      defaultExt = ".xsl";
      break;
    case dkResults:
      SaveDialog.FileName = QStringLiteral("results.txt");
      SaveDialog.FilterIndex = 3;
      defaultExt = ".txt";
      break;
  }
  SaveDialog.Filter = kFileFilter;
  SaveDialog.SaveMode = true;
  bool saved = false;
  if (dialogs_.Execute(SaveDialog)) {
    std::string fileName = Stored(SaveDialog.FileName);
    bool write = true;
    // The extension follows the document's kind, not the filter the user picked. The dialog's
    // own overwrite question did not cover the name with the extension added.
    if (ExtractFileExt(fileName).empty()) {
      fileName += defaultExt;
      if (EntryExists(fileName)) {
        const QString question = Shown(fileName) + QStringLiteral(" already exists.\nDo you want to replace it?");
        write = dialogs_.Ask(QStringLiteral("Confirm Save As"), question, false) == TAnswer::Yes;
      }
    }
    if (write) {
      editor.SaveToFile(fileName);
      saved = true;
      // The page's header and the window's title show the new name at once.
      if (kind == dkResults) resultsShow_ = rsResultFile;
      ShowCaption(kind);
    }
  }
  ShowModifiedPanel();
  return saved;
}

bool TMainForm::FormCloseQuery() {
  if (XMLOpen && !CloseDocument(dkXML)) return false;
  if (XSLTOpen && !CloseDocument(dkXSLT)) return false;
  if (ResultsOpen && !CloseDocument(dkResults)) return false;
  return true;
}

void TMainForm::FileDragDrop(TFileDrag& sender, int32_t, int32_t) {
  std::vector<std::string> files;
  for (int32_t i = 0; i < sender.FileCount(); ++i) files.push_back(sender.Files().Get(i));
  OpenFiles(files);
}

void TMainForm::OpenFiles(const std::vector<std::string>& fileNames) {
  // Each file is opened on its own: one that fails is reported and the rest still open.
  for (const std::string& file : fileNames) Guard([&] { OpenDocument(file); });
}

}  // namespace ql
