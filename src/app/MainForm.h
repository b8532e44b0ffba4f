#pragma once
// The main window: three documents (XML source, XSLT stylesheet, Results) in stacked pages chosen
// by a side bar, the file and edit commands in menus, a tool bar and a context menu, the
// Transform button and a status bar with the caret position and the Modified mark.
//
// Invariant after every command: CurrentEditor is the editor of CurrentKind when that document is
// open, else null. Every command runs inside Guard, so a failure shows its message and returns
// to the event loop; what the command had changed before stays changed.
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/DocKind.h"
#include "app/TransformPlaces.h"
#include "app/WorkbenchDialogs.h"

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QToolButton;

namespace ql {

class TCapturedProcess;
class TFileDrag;
class TInkMemoParser;
class TRegistry;
class TTempCopies;
class TqlnInkMemo;
struct TCapturedRun;

class TMainForm : public QMainWindow {
public:
  TMainForm(TWorkbenchDialogs& dialogs, TTransformPlaces places, QWidget* parent = nullptr);
  ~TMainForm() override;

  // --- State ---
  bool XMLOpen = false;
  bool XSLTOpen = false;
  bool ResultsOpen = false;
  TDocKind CurrentKind = dkXML;
  TqlnInkMemo* CurrentEditor = nullptr;

  // --- Components ---
  TqlnInkMemo* XMLDoc = nullptr;
  TqlnInkMemo* XSLTDoc = nullptr;
  TqlnInkMemo* ResultsDoc = nullptr;
  QWidget* pnlXML = nullptr;
  QWidget* pnlXSLT = nullptr;
  QWidget* pnlResults = nullptr;
  QLabel* XMLCaption = nullptr;
  QLabel* XSLTCaption = nullptr;
  QLabel* ResultsCaption = nullptr;
  QListWidget* SideBar = nullptr;
  QToolButton* FlatButton1 = nullptr;
  QToolButton* StopButton = nullptr;
  std::array<QLabel*, 2> StatusPanels{};
  QLabel* EncodingPanel = nullptr;  // the display encoding of CurrentEditor
  QMenu* BarPopupMenu1 = nullptr;
  TFileDrag* FileDrag = nullptr;
  // The highlighting parser of the three editors (their Parser1), loaded with the shipped XML
  // definition; it keeps the user's styles, keys, auto-replace entries and templates in the
  // registry. It is made before the editors; freeing it empties their parser slots.
  std::unique_ptr<TInkMemoParser> XMLParser;
  TFileDialog OpenDialog;
  TFileDialog SaveDialog;

  QAction* bbFileNewXML = nullptr;
  QAction* bbFileNewXSLT = nullptr;
  QAction* bbFileOpen = nullptr;
  QAction* bbFileClose = nullptr;
  QAction* bbFileSave = nullptr;
  QAction* bbFileSaveAs = nullptr;
  QAction* bbFileExit = nullptr;
  QAction* bbEditUndo = nullptr;
  QAction* bbEditRedo = nullptr;
  QAction* bbEditCut = nullptr;
  QAction* bbEditCopy = nullptr;
  QAction* bbEditPaste = nullptr;
  QAction* bbEditSelectAll = nullptr;
  QAction* bbEditorProperities = nullptr;
  QAction* bbHelpHelp = nullptr;
  QAction* bbHelpAbout = nullptr;

  TqlnInkMemo* EditorOf(TDocKind kind) const;
  bool& OpenFlag(TDocKind kind);
  QWidget* PanelOf(TDocKind kind) const;
  QLabel* CaptionOf(TDocKind kind) const;
  const TTransformPlaces& Places() const { return places_; }

  // --- Pages, status bar and edit commands ---
  void ShowPage(TDocKind kind);
  void SideBarItemClick(QListWidgetItem* item);
  void InkMemoChange();
  void InkMemoTextChange();
  void bbEditUndoClick();
  void bbEditRedoClick();
  void bbEditCutClick();
  void bbEditCopyClick();
  void bbEditPasteClick();
  void bbEditSelectAllClick();
  void bbEditorProperitiesClick();
  void bbHelpHelpClick();
  void bbHelpAboutClick();

  // --- Document commands ---
  void bbFileNewXMLClick();
  void bbFileNewXSLTClick();
  void bbFileOpenClick();
  void bbFileCloseClick();
  void bbFileSaveClick();
  void bbFileSaveAsClick();
  void bbFileExitClick();
  void NewDocument(TDocKind kind);
  void OpenCommand();
  void OpenDocument(const std::string& fileName);
  // True when the caller may go on (the document is closed, or was not open).
  bool CloseDocument(TDocKind kind);
  void ClearDocument(TDocKind kind);
  void SaveDocument(TDocKind kind);
  // True when the document was written.
  bool SaveDocumentAs(TDocKind kind);
  // False refuses to close the window.
  bool FormCloseQuery();
  void FileDragDrop(TFileDrag& sender, int32_t x, int32_t y);

  // --- Transformation ---
  void FlatButton1Click();
  void RunTransform();
  bool TransformRunning() const;
  void StopTransform();

  // Runs a command; a failure shows its message in the error box. False when it failed.
  bool Guard(const std::function<void()>& command);

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  QWidget* CreateLeftColumn();
  QWidget* CreatePage(TDocKind kind, const QString& picture, TqlnInkMemo*& editor, QLabel*& caption);
  void CreateStatusBar();
  void FormCreate();
  void FormClose();
  // The parser's settings kept per user: read at start (a malformed entry is reported and the
  // shipped settings stay), written at every close.
  void CreateParser();
  void LoadParserSettings();
  void SaveParserSettings();

  void ShowModifiedPanel();
  // The name a document needs before Save can write it: never saved, no name at all, or (for
  // Results) the results file that the next run deletes.
  bool NeedsName(TDocKind kind) const;
  // Saves through Save or Save As as the document needs; false when the user cancelled.
  bool WriteDocument(TDocKind kind);

  void SetTransformBusy(bool busy);
  void TransformFinished(const TCapturedRun& run);
  void AbandonTransform();

  TWorkbenchDialogs& dialogs_;
  TTransformPlaces places_;
  std::unique_ptr<TRegistry> registry_;  // where XMLParser keeps the user's settings
  std::unique_ptr<TCapturedProcess> processor_;
  std::unique_ptr<TTempCopies> runCopies_;  // the copies of the run under way
  std::string runResults_;                  // the results file of the run under way
  QLabel* transformState_ = nullptr;
};

}  // namespace ql
