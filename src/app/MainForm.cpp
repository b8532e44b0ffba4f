#include "app/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QSessionManager>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/CapturedProcess.h"
#include "app/FileDrag.h"
#include "app/QlnInkMemo.h"
#include "app/TempCopies.h"
#include "dialogs/OptionsDialog.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "toolkit/Exception.h"
#include "toolkit/qt/QSettingsRegistry.h"
#include "toolkit/qt/QtFontFactory.h"
#include "toolkit/qt/QtPrinter.h"

static void InitQuillonResources() { Q_INIT_RESOURCE(quillon); }

namespace ql {
namespace {

QFont TahomaFont(bool bold = false) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  font.setBold(bold);
  return font;
}

// A menu item's hint is its caption without the accelerator and without a trailing "...".
QString HintOf(QString caption) {
  caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
  if (caption.endsWith(QStringLiteral("..."))) caption.chop(3);
  return caption;
}

// Draws a side bar item as a large icon above its caption, both centred in the column.
class TSideBarDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), 72};
  }

protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->decorationPosition = QStyleOptionViewItem::Top;
    option->decorationAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
    option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
  }
};

// The options of the three editors (kept in the parser's settings, which they share): those the
// window was designed with, and line numbers in the gutter.
constexpr TInkMemoOptions kEditorOptions{
    smoSyntaxHighlight, smoPrintWrap,    smoPrintLineNos,         smoPrintFilename, smoPrintDate,
    smoPrintPageNos,    smoAutoIndent,   smoTabToColumn,          smoWordSelect,    smoShowRMargin,
    smoShowGutter,      smoShowWrapColumn, smoTitleAsFilename,    smoBlockOverwriteCursor,
    smoShowWrapGlyph,   smoColumnTrack,  smoUseTAB,               smoSmartFill,     smoLineNumbers};

}  // namespace

TMainForm::TMainForm(TWorkbenchDialogs& dialogs, TTransformPlaces places, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), places_(std::move(places)),
      processor_(std::make_unique<TCapturedProcess>()) {
  InitQuillonResources();
  InstallQtFontFactory();  // the parser's and the editors' fonts are Qt fonts
  InstallQtPrinter();
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Quillon"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/quillon.png")));
  setFont(TahomaFont());

  CreateActions();
  CreateMenus();
  CreateToolBar();

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setHandleWidth(3);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(CreateLeftColumn());

  // Where no page is visible the user sees the workspace colour.
  auto* pageArea = new QWidget(splitter);
  pageArea->setBackgroundRole(QPalette::Dark);
  pageArea->setAutoFillBackground(true);
  auto* pages = new QGridLayout(pageArea);
  pages->setContentsMargins(0, 0, 0, 0);
  CreateParser();  // before the editors, which highlight with it
  pnlXML = CreatePage(dkXML, QStringLiteral(":/icons/xml32.png"), XMLDoc, XMLCaption);
  pnlXSLT = CreatePage(dkXSLT, QStringLiteral(":/icons/xslt32.png"), XSLTDoc, XSLTCaption);
  pnlResults = CreatePage(dkResults, QStringLiteral(":/icons/results32.png"), ResultsDoc, ResultsCaption);
  for (QWidget* panel : {pnlXML, pnlXSLT, pnlResults}) pages->addWidget(panel, 0, 0);
  splitter->addWidget(pageArea);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({129, 818 - 129 - 3});
  setCentralWidget(splitter);

  CreateStatusBar();
  CreateMessagesPane();

  FileDrag = new TFileDrag(this);
  FileDrag->OnDrop = [this](TFileDrag& sender, int32_t x, int32_t y) { FileDragDrop(sender, x, y); };
  processor_->OnFinished = [this](const TCapturedRun& run) { TransformFinished(run); };
#ifndef QT_NO_SESSIONMANAGER
  // Logging off asks about unsaved changes as closing the window does, and may be cancelled.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    if (!manager.allowsInteraction()) return;
    bool mayClose = false;
    if (!Guard([&] { mayClose = FormCloseQuery(); }) || !mayClose) manager.cancel();
    manager.release();
  });
#endif

  OpenDialog.Title = QStringLiteral("Open");
  SaveDialog.Title = QStringLiteral("Save");
  SaveDialog.SaveMode = true;

  resize(818, 625);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  FormCreate();
}

TMainForm::~TMainForm() {
  AbandonTransform();
  ParserUi().ShowInformation = nullptr;
  ParserUi().EditProperties = nullptr;
  // The editors are child widgets and outlive this destructor; a focus change while Qt
  // deletes them must not call back into the part of the window already destroyed.
  for (TqlnInkMemo* editor : {XMLDoc, XSLTDoc, ResultsDoc, MessagesDoc}) {
    if (!editor) continue;
    editor->OnChange = nullptr;
    editor->OnTextChange = nullptr;
    editor->OnLinkActivated = nullptr;
  }
}

void TMainForm::CreateActions() {
  struct TItem {
    QAction*& action;
    const char* name;
    const char* caption;
    const char* icon;
    QKeySequence shortcut;
    void (TMainForm::*handler)();
  };
  const TItem items[] = {
      {bbFileNewXML, "bbFileNewXML", "New &XML Document", "newxml", {}, &TMainForm::bbFileNewXMLClick},
      {bbFileNewXSLT, "bbFileNewXSLT", "New XSLT &Stylesheet", "newxslt", {}, &TMainForm::bbFileNewXSLTClick},
      {bbFileOpen, "bbFileOpen", "&Open...", "open", QKeySequence(Qt::CTRL | Qt::Key_O), &TMainForm::bbFileOpenClick},
      {bbFileClose, "bbFileClose", "&Close", nullptr, {}, &TMainForm::bbFileCloseClick},
      {bbFileSave, "bbFileSave", "&Save", "save", QKeySequence(Qt::CTRL | Qt::Key_S), &TMainForm::bbFileSaveClick},
      {bbFileSaveAs, "bbFileSaveAs", "Save &As...", nullptr, {}, &TMainForm::bbFileSaveAsClick},
      {bbFilePrint, "bbFilePrint", "&Print...", nullptr, QKeySequence(Qt::CTRL | Qt::Key_P),
       &TMainForm::bbFilePrintClick},
      {bbFileExit, "bbFileExit", "&Exit", nullptr, {}, &TMainForm::bbFileExitClick},
      {bbEditUndo, "bbEditUndo", "&Undo", "undo", QKeySequence(Qt::CTRL | Qt::Key_Z), &TMainForm::bbEditUndoClick},
      {bbEditRedo, "bbEditRedo", "&Redo", "redo", QKeySequence(Qt::CTRL | Qt::Key_Y), &TMainForm::bbEditRedoClick},
      {bbEditCut, "bbEditCut", "C&ut", "cut", QKeySequence(Qt::CTRL | Qt::Key_X), &TMainForm::bbEditCutClick},
      {bbEditCopy, "bbEditCopy", "&Copy", "copy", QKeySequence(Qt::CTRL | Qt::Key_C), &TMainForm::bbEditCopyClick},
      {bbEditPaste, "bbEditPaste", "&Paste", "paste", QKeySequence(Qt::CTRL | Qt::Key_V),
       &TMainForm::bbEditPasteClick},
      {bbEditSelectAll, "bbEditSelectAll", "Select &All", nullptr, QKeySequence(Qt::CTRL | Qt::Key_A),
       &TMainForm::bbEditSelectAllClick},
      {bbEditFind, "bbEditFind", "&Find...", nullptr, QKeySequence(Qt::CTRL | Qt::Key_F), &TMainForm::bbEditFindClick},
      {bbEditFindNext, "bbEditFindNext", "Find &Next", nullptr, QKeySequence(Qt::Key_F3),
       &TMainForm::bbEditFindNextClick},
      {bbEditReplace, "bbEditReplace", "R&eplace...", nullptr, QKeySequence(Qt::CTRL | Qt::Key_H),
       &TMainForm::bbEditReplaceClick},
      {bbEditorProperities, "bbEditorProperities", "&Preferences...", nullptr, {},
       &TMainForm::bbEditorProperitiesClick},
      {bbHelpHelp, "bbHelpHelp", "&Help", "help", {}, &TMainForm::bbHelpHelpClick},
      {bbHelpAbout, "bbHelpAbout", "About &Quillon...", nullptr, {}, &TMainForm::bbHelpAboutClick},
      {bbViewResultInBrowser, "bbViewResultInBrowser", "Open Result in &Browser", nullptr, {},
       &TMainForm::bbViewResultInBrowserClick},
      {bbTransformRun, "bbTransformRun", "&Transform", "transform", QKeySequence(Qt::Key_F9),
       &TMainForm::FlatButton1Click},
      {bbTransformCheck, "bbTransformCheck", "&Check Well-Formedness", nullptr,
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9), &TMainForm::bbTransformCheckClick},
      {bbTransformParameters, "bbTransformParameters", "&Parameters...", nullptr, {},
       &TMainForm::bbTransformParametersClick},
      {bbTransformNextMessage, "bbTransformNextMessage", "&Next Message", nullptr, QKeySequence(Qt::Key_F4),
       &TMainForm::bbTransformNextMessageClick},
  };
  for (const TItem& item : items) {
    const QString caption = QString::fromUtf8(item.caption);
    item.action = new QAction(caption, this);
    item.action->setObjectName(QString::fromUtf8(item.name));
    item.action->setToolTip(HintOf(caption));
    if (item.icon) item.action->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromUtf8(item.icon))));
    if (!item.shortcut.isEmpty()) item.action->setShortcut(item.shortcut);
    connect(item.action, &QAction::triggered, this, [this, handler = item.handler] { (this->*handler)(); });
  }
}

void TMainForm::CreateMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("Main Menu"));
  bar->setFont(TahomaFont());

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("bsiFileMenu"));
  QMenu* fileNew = file->addMenu(QIcon(QStringLiteral(":/icons/new.png")), QStringLiteral("&New"));
  fileNew->setObjectName(QStringLiteral("bsiFileNew"));
  fileNew->addAction(bbFileNewXML);
  fileNew->addAction(bbFileNewXSLT);
  file->addAction(bbFileOpen);
  file->addAction(bbFileClose);
  file->addSeparator();
  file->addAction(bbFileSave);
  file->addAction(bbFileSaveAs);
  file->addSeparator();
  file->addAction(bbFilePrint);
  file->addSeparator();
  file->addAction(bbFileExit);

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("bsiEdit"));
  edit->addAction(bbEditUndo);
  edit->addAction(bbEditRedo);
  edit->addSeparator();
  edit->addAction(bbEditCut);
  edit->addAction(bbEditCopy);
  edit->addAction(bbEditPaste);
  edit->addSeparator();
  edit->addAction(bbEditSelectAll);
  edit->addSeparator();
  edit->addAction(bbEditFind);
  edit->addAction(bbEditFindNext);
  edit->addAction(bbEditReplace);
  edit->addSeparator();
  edit->addAction(bbEditorProperities);

  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("bsiView"));
  QMenu* transform = bar->addMenu(QStringLiteral("&Transform"));
  transform->setObjectName(QStringLiteral("bsiTransform"));
  CreateTransformMenu(view, transform);

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("bsiHelp"));
  help->addAction(bbHelpHelp);
  help->addSeparator();
  help->addAction(bbHelpAbout);

  for (QMenu* menu : {file, fileNew, edit, view, transform, help}) menu->setToolTipsVisible(true);

  BarPopupMenu1 = new QMenu(this);
  BarPopupMenu1->setObjectName(QStringLiteral("BarPopupMenu1"));
  BarPopupMenu1->addAction(bbEditUndo);
  BarPopupMenu1->addAction(bbEditRedo);
  BarPopupMenu1->addSeparator();
  BarPopupMenu1->addAction(bbEditCut);
  BarPopupMenu1->addAction(bbEditCopy);
  BarPopupMenu1->addAction(bbEditPaste);
  BarPopupMenu1->addSeparator();
  BarPopupMenu1->addAction(bbEditSelectAll);
  BarPopupMenu1->addSeparator();
  BarPopupMenu1->addAction(bbFileClose);
}

void TMainForm::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Toolbar"));
  bar->setObjectName(QStringLiteral("Toolbar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(16, 16));
  bar->toggleViewAction()->setEnabled(false);

  auto* newButton = new QToolButton(bar);
  newButton->setIcon(QIcon(QStringLiteral(":/icons/new.png")));
  newButton->setToolTip(QStringLiteral("New"));
  newButton->setPopupMode(QToolButton::InstantPopup);
  auto* newMenu = new QMenu(newButton);
  newMenu->addAction(bbFileNewXML);
  newMenu->addAction(bbFileNewXSLT);
  newButton->setMenu(newMenu);
  bar->addWidget(newButton);
  bar->addAction(bbFileOpen);
  bar->addAction(bbFileSave);
  bar->addSeparator();
  bar->addAction(bbEditCut);
  bar->addAction(bbEditCopy);
  bar->addAction(bbEditPaste);
  bar->addSeparator();
  bar->addAction(bbEditUndo);
  bar->addAction(bbEditRedo);
}

QWidget* TMainForm::CreateLeftColumn() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  SideBar = new QListWidget(column);
  SideBar->setObjectName(QStringLiteral("SideBar"));
  SideBar->setViewMode(QListView::ListMode);
  SideBar->setItemDelegate(new TSideBarDelegate(SideBar));
  SideBar->setIconSize(QSize(32, 32));
  SideBar->setSpacing(2);
  SideBar->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SideBar->setSelectionMode(QAbstractItemView::SingleSelection);
  SideBar->setMinimumWidth(60);
  const struct {
    const char* caption;
    const char* icon;
  } items[] = {{"XML Source", "xml32"}, {"XSLT Stylesheet", "xslt32"}, {"Results", "results32"}};
  for (const auto& item : items) {
    new QListWidgetItem(QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromUtf8(item.icon))),
                        QString::fromUtf8(item.caption), SideBar);
  }
  connect(SideBar, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { SideBarItemClick(item); });
  // Choosing an item with the keyboard shows its page too; ShowPage's own selection is silent.
  connect(SideBar, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) SideBarItemClick(item);
  });
  layout->addWidget(SideBar, 1);

  auto* bottom = new QFrame(column);
  bottom->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bottom->setFixedHeight(63);
  FlatButton1 = new QToolButton(bottom);
  FlatButton1->setObjectName(QStringLiteral("FlatButton1"));
  FlatButton1->setText(QStringLiteral("Transform"));
  FlatButton1->setToolTip(QStringLiteral("Transform"));
  FlatButton1->setIcon(QIcon(QStringLiteral(":/icons/transform.png")));
  FlatButton1->setIconSize(QSize(24, 24));
  FlatButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  FlatButton1->setLayoutDirection(Qt::RightToLeft);  // the glyph to the right of the caption
  FlatButton1->setAutoRaise(true);
  FlatButton1->setGeometry(12, 9, 103, 42);
  connect(FlatButton1, &QToolButton::clicked, this, [this] { FlatButton1Click(); });
  layout->addWidget(bottom);
  return column;
}

QWidget* TMainForm::CreatePage(TDocKind kind, const QString& picture, TqlnInkMemo*& editor, QLabel*& caption) {
  static const char* const names[] = {"pnlXML", "pnlXSLT", "pnlResults"};
  static const char* const captions[] = {"XMLCaption", "XSLTCaption", "ResultsCaption"};
  static const char* const editors[] = {"XMLDoc", "XSLTDoc", "ResultsDoc"};

  auto* panel = new QWidget(this);
  panel->setObjectName(QString::fromUtf8(names[kind]));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* header = new QWidget(panel);
  header->setFixedHeight(43);
  header->setBackgroundRole(QPalette::Window);  // the panel colour, not the workspace's
  header->setAutoFillBackground(true);
  header->setFont(TahomaFont(true));
  QPalette headerColours = header->palette();
  headerColours.setColor(QPalette::WindowText, Qt::white);
  header->setPalette(headerColours);
  auto* row = new QHBoxLayout(header);
  row->setContentsMargins(5, 5, 5, 6);
  row->setSpacing(9);
  auto* image = new QLabel(header);
  image->setFixedSize(32, 32);
  image->setPixmap(QPixmap(picture));
  row->addWidget(image);
  caption = new QLabel(header);
  caption->setObjectName(QString::fromUtf8(captions[kind]));
  QFont captionFont = TahomaFont();
  captionFont.setUnderline(true);
  caption->setFont(captionFont);
  QPalette captionColours = caption->palette();
  captionColours.setColor(QPalette::WindowText, QColor(0, 0, 128));
  caption->setPalette(captionColours);
  caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
  row->addWidget(caption, 1);
  layout->addWidget(header);

  editor = new TqlnInkMemo(panel);
  editor->setObjectName(QString::fromUtf8(editors[kind]));
  editor->SetParser1(XMLParser.get());
  editor->SetOptions(kEditorOptions);
  if (kind == dkXML) editor->SetHideSelection(false);
  editor->OnChange = [this](TqlnInkMemo&) { InkMemoChange(); };
  editor->OnTextChange = [this](TqlnInkMemo&) { InkMemoTextChange(); };
  GiveSearchDialogs(*editor);
  editor->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(editor, &QWidget::customContextMenuRequested, this,
          [this, editor](const QPoint& at) { BarPopupMenu1->popup(editor->mapToGlobal(at)); });
  layout->addWidget(editor, 1);
  panel->hide();
  return panel;
}

void TMainForm::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  const int widths[] = {200, 50};
  const QString widest[] = {QStringLiteral("Ln 8888888     Col 8888"), QStringLiteral("Modified")};
  for (size_t i = 0; i < StatusPanels.size(); ++i) {
    StatusPanels[i] = new QLabel(bar);
    StatusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // At least the designed width, and wide enough for its longest text in the font in use.
    const int needed = StatusPanels[i]->fontMetrics().horizontalAdvance(widest[i]) + 2 * StatusPanels[i]->frameWidth() +
                       StatusPanels[i]->fontMetrics().averageCharWidth() * 2;
    StatusPanels[i]->setFixedWidth(std::max(widths[i], needed));
    bar->addWidget(StatusPanels[i]);
  }
  EncodingPanel = new QLabel(bar);
  EncodingPanel->setObjectName(QStringLiteral("EncodingPanel"));
  EncodingPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  EncodingPanel->setFixedWidth(EncodingPanel->fontMetrics().horizontalAdvance(QStringLiteral("Windows-1252")) +
                               2 * EncodingPanel->frameWidth() + EncodingPanel->fontMetrics().averageCharWidth() * 2);
  bar->addWidget(EncodingPanel);
  StatusNote = new QLabel(bar);
  StatusNote->setObjectName(QStringLiteral("StatusNote"));
  StatusNote->setTextFormat(Qt::PlainText);
  StatusNote->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bar->addWidget(StatusNote, 1);
  transformState_ = new QLabel(QStringLiteral("Transforming..."), bar);
  transformState_->hide();
  bar->addPermanentWidget(transformState_);
  StopButton = new QToolButton(bar);
  StopButton->setObjectName(QStringLiteral("StopButton"));
  StopButton->setText(QStringLiteral("Stop"));
  StopButton->setToolTip(QStringLiteral("Stop the transformation"));
  StopButton->setIcon(QIcon(QStringLiteral(":/icons/stop.png")));
  StopButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  StopButton->setAutoRaise(true);
  StopButton->hide();
  connect(StopButton, &QToolButton::clicked, this, [this] { StopTransform(); });
  bar->addPermanentWidget(StopButton);
}

void TMainForm::FormCreate() {
  XMLOpen = false;
  XSLTOpen = false;
  ResultsOpen = false;
  LoadParserSettings();
  ShowPage(dkXML);
}

void TMainForm::CreateParser() {
  registry_ = std::make_unique<TQSettingsRegistry>();
  XMLParser = std::make_unique<TInkMemoParser>();
  XMLParser->Name = "XMLParser";
  XMLParser->RegistryKey = "Software\\Brevant\\Quillon";
  XMLParser->UseRegistry = true;
  XMLParser->Compile = "Compiled";
  XMLParser->Registry = registry_.get();
  ParserUi().ShowInformation = [this](const std::string& text) { dialogs_.ShowMessage(QString::fromUtf8(text.c_str())); };
  ParserUi().EditProperties = [this](TInkMemoParser& parser, TSM_PropEdPages pages) {
    TOptionsDialog dialog(this);
    dialog.RunModal = [this](QDialog& shown) {
      dialogs_.ShowModal(shown);
      return shown.result() == QDialog::Accepted;
    };
    dialog.ShowError = [this](const QString& message) { dialogs_.ShowError(message); };
    return dialog.Execute(parser, pages);
  };
  XMLParser->BeginLoading();
  XMLParser->LoadFromBytes(XmlDefinitionStoredForm());
  XMLParser->Loaded();
}

void TMainForm::LoadParserSettings() {
  Guard([this] { XMLParser->LoadFromRegistry(); });
}

void TMainForm::SaveParserSettings() { XMLParser->SaveToRegistry(); }

void TMainForm::FormClose() { SaveParserSettings(); }

void TMainForm::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  if (!Guard([&] { mayClose = FormCloseQuery(); }) || !mayClose) {
    event->ignore();
    return;
  }
  AbandonTransform();
  Guard([this] { FormClose(); });
  event->accept();
}

bool TMainForm::Guard(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const Exception& e) {
    dialogs_.ShowError(QString::fromUtf8(e.Message.c_str()));
  } catch (const std::exception& e) {
    dialogs_.ShowError(QString::fromLocal8Bit(e.what()));
  }
  return false;
}

// --- Document and page lookups ---

TqlnInkMemo* TMainForm::EditorOf(TDocKind kind) const {
  switch (kind) {
    case dkXML: return XMLDoc;
    case dkXSLT: return XSLTDoc;
    case dkResults: return ResultsDoc;
  }
  return nullptr;
}

bool& TMainForm::OpenFlag(TDocKind kind) {
  switch (kind) {
    case dkXML: return XMLOpen;
    case dkXSLT: return XSLTOpen;
    case dkResults: break;
  }
  return ResultsOpen;
}

QWidget* TMainForm::PanelOf(TDocKind kind) const {
  switch (kind) {
    case dkXML: return pnlXML;
    case dkXSLT: return pnlXSLT;
    case dkResults: return pnlResults;
  }
  return nullptr;
}

QLabel* TMainForm::CaptionOf(TDocKind kind) const {
  switch (kind) {
    case dkXML: return XMLCaption;
    case dkXSLT: return XSLTCaption;
    case dkResults: return ResultsCaption;
  }
  return nullptr;
}

}  // namespace ql
