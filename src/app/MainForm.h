#pragma once
// The main window: three documents (XML source, XSLT stylesheet, Results) in stacked pages chosen
// by a side bar, the file and edit commands in menus, a tool bar and a context menu, the
// Transform button and a status bar with the caret position and the Modified mark.
//
// Invariant after every command: CurrentEditor is the editor of CurrentKind when that document is
// open, else null. Every command runs inside Guard, so a failure shows its message and returns
// to the event loop; what the command had changed before stays changed.
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/DocKind.h"
#include "app/ProcessorMessages.h"
#include "app/TransformPlaces.h"
#include "app/WorkbenchDialogs.h"

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QToolButton;

namespace ql {

class TQtSearchDialogs;
class TBrowserWindow;
class TCapturedProcess;
class TFileDrag;
class TInkMemoParser;
class TRegistry;
class TTempCopies;
class TqlnInkMemo;
struct TCapturedRun;
struct TProcessor;
struct TWellFormedness;

// What the Results page holds: a result file, or messages (a run's, or a well-formedness check's).
enum TResultsShow { rsResultFile, rsRunMessages, rsCheckReport };

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
  // Notes to the user that need no answer: what is missing, how long the run took, a check's outcome.
  QLabel* StatusNote = nullptr;
  // Under the result: what the processor said while the run succeeded; hidden while empty.
  QWidget* pnlMessages = nullptr;
  TqlnInkMemo* MessagesDoc = nullptr;
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
  QAction* bbFilePrint = nullptr;
  QAction* bbFileExit = nullptr;
  QAction* bbEditUndo = nullptr;
  QAction* bbEditRedo = nullptr;
  QAction* bbEditCut = nullptr;
  QAction* bbEditCopy = nullptr;
  QAction* bbEditPaste = nullptr;
  QAction* bbEditSelectAll = nullptr;
  QAction* bbEditFind = nullptr;
  QAction* bbEditFindNext = nullptr;
  QAction* bbEditReplace = nullptr;
  QAction* bbEditorProperities = nullptr;
  QAction* bbHelpHelp = nullptr;
  QAction* bbHelpAbout = nullptr;
  QAction* bbViewResultInBrowser = nullptr;
  QAction* bbTransformRun = nullptr;
  QAction* bbTransformCheck = nullptr;
  QAction* bbTransformParameters = nullptr;
  QAction* bbTransformNextMessage = nullptr;
  std::vector<QAction*> ProcessorActions;  // one per processor, in the Transform menu

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
  void bbEditFindClick();
  void bbEditFindNextClick();
  void bbEditReplaceClick();
  // The editor's find and replace dialogs are the window's (made on first use).
  void GiveSearchDialogs(TqlnInkMemo& editor);
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
  void bbFilePrintClick();
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

  // --- Files named on the command line or dropped: each opened on its own, by extension ---
  void OpenFiles(const std::vector<std::string>& fileNames);

  // --- The transform loop ---
  void bbTransformCheckClick();
  void bbTransformParametersClick();
  void bbTransformNextMessageClick();
  void bbViewResultInBrowserClick();
  const TProcessor& Processor() const;
  void SetProcessor(const std::string& id);
  // Checks the shown document; the first error goes to Results as a link.
  void CheckCommand();
  void ParametersCommand();
  // Goes to the place that the next message of the last run or check names.
  void NextMessage();
  // Goes to the place that message names, switching to its page.
  void FollowMessage(int32_t index);
  int32_t MessageCount() const;
  // The editor holding the messages of the last run or check, or null.
  TqlnInkMemo* MessageView() const { return messageView_; }
  TResultsShow ResultsShow() const { return resultsShow_; }
  bool ResultIsHtml() const;
  void OpenResultInBrowser();

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

  void CreateTransformMenu(QMenu* view, QMenu* transform);
  void CreateMessagesPane();
  void ShowModifiedPanel();
  void ShowCaption(TDocKind kind);
  void UpdateTitle();
  void UpdateCommands();
  void Note(const QString& text);
  // Shows an HTML file in the program's own window (made on first use) when no browser can.
  void ShowHtml(QPointer<TBrowserWindow>& window, const QString& fileName, const QString& title);
  // The name a document needs before Save can write it: never saved, no name at all, or (for
  // Results) the results file that the next run deletes.
  bool NeedsName(TDocKind kind) const;
  // Saves through Save or Save As as the document needs; false when the user cancelled.
  bool WriteDocument(TDocKind kind);

  // Checks the documents a run would hand over; false (and the report in Results) when one is
  // not well-formed.
  bool CheckBeforeRun();
  // Shows a report of documents that are not well-formed in Results, each error as a link.
  void ShowCheckReport(const std::vector<std::pair<TDocKind, TWellFormedness>>& failures);
  // Puts messages into view with links to the places they name in the documents of kinds.
  void ShowMessages(TqlnInkMemo& view, const std::string& text, const std::vector<TDocKind>& kinds);
  void ForgetMessages();
  // What a message says, for the status bar.
  QString MessageText(const TMessagePlace& place) const;
  void ShowStartFailure(const TProcessor& processor, const std::string& reason);
  void SetTransformBusy(bool busy);
  void TransformFinished(const TCapturedRun& run);
  void AbandonTransform();

  TWorkbenchDialogs& dialogs_;
  std::shared_ptr<TQtSearchDialogs> searchDialogs_;
  TTransformPlaces places_;
  std::unique_ptr<TRegistry> registry_;  // where XMLParser keeps the user's settings
  std::unique_ptr<TCapturedProcess> processor_;
  std::unique_ptr<TTempCopies> runCopies_;  // the copies of the run under way
  std::string runResults_;                  // the results file of the run under way
  const TProcessor* runProcessor_ = nullptr;  // the processor of the run under way
  QElapsedTimer runClock_;
  QLabel* transformState_ = nullptr;
  std::string processorId_;

  TResultsShow resultsShow_ = rsResultFile;
  // The places named by the messages in messageView_, and the page each one's document is on.
  TqlnInkMemo* messageView_ = nullptr;
  std::vector<TMessagePlace> messagePlaces_;
  std::vector<TDocKind> messageKinds_;
  std::vector<std::string> messageNames_;  // the documents' names when the messages came
  int32_t currentMessage_ = -1;
  QPointer<TBrowserWindow> helpWindow_;
  QPointer<TBrowserWindow> resultWindow_;
};

}  // namespace ql
