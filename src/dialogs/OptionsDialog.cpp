#include "dialogs/OptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/ColorDropButton.h"
#include "dialogs/FontCharsets.h"
#include "dialogs/HotKeyBox.h"
#include "dialogs/SpinButton.h"
#include "editor/PropertyOptions.h"
#include "editor/PropertySession.h"
#include "editor/qt/QtInkMemo.h"
#include "services/SM_Settings.h"
#include "toolkit/FontFactory.h"

namespace ql {

namespace {
const char* const kFontSizes[] = {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "30"};

QLineEdit* NumberBox(const char* name, QWidget* parent, int width = 60) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setFixedWidth(width);
  return box;
}
}  // namespace

TOptionsDialog::TOptionsDialog(QWidget* parent) : QDialog(parent) {
  RunModal = [](QDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
  ShowError = [this](const QString& message) { QMessageBox::critical(this, windowTitle(), message, QMessageBox::Ok); };
  FormCreate();
}

TOptionsDialog::~TOptionsDialog() {
  // QDialog's destructor hides the dialog, which takes the focus from the box that has it; the
  // box's signals must not reach this half-destroyed dialog then.
  for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
}

TSM_Settings* TOptionsDialog::Working() const { return session_ != nullptr ? &session_->Working() : nullptr; }

bool TOptionsDialog::Guarded(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    ShowError(QString::fromUtf8(e.what()));
  } catch (...) {
    ShowError(QStringLiteral("Unknown error"));
  }
  return false;
}

void TOptionsDialog::FormCreate() {
  setObjectName("OptionsDialog");
  setWindowTitle("Editor Options");
  auto* layout = new QVBoxLayout(this);
  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  layout->addWidget(PageControl);
  OptionsPage = CreateOptionsPage();
  HighlightingPage = CreateHighlightingPage();
  KeysPage = CreateKeysPage();
  AutoCorrectPage = CreateAutoCorrectPage();
  TemplatesPage = CreateTemplatesPage();
  auto* buttons = new QDialogButtonBox(this);
  OKButton = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);
  CancelButton = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  CancelButton->setObjectName("CancelButton");
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(buttons);
  // The pages are shown by Execute, as asked for.
  for (QWidget* page : {OptionsPage, HighlightingPage, KeysPage, AutoCorrectPage, TemplatesPage}) page->hide();
  keyCommitFailed_ = false;
}

QWidget* TOptionsDialog::CreateOptionsPage() {
  auto* page = new QWidget(this);
  page->setObjectName("OptionsPage");
  auto* layout = new QVBoxLayout(page);
  auto* group = new QGroupBox("Options", page);
  group->setObjectName("OptionsGroup");
  auto* grid = new QGridLayout(group);
  const auto& boxes = OptionBoxes();
  const int rows = static_cast<int>((boxes.size() + 1) / 2);
  for (size_t i = 0; i < boxes.size(); ++i) {
    auto* box = new QCheckBox(boxes[i].Caption, group);
    box->setObjectName(boxes[i].Name);
    // The box's bit of the option word.
    box->setProperty("tag", static_cast<uint>(OptionWordBit(boxes[i].Option)));
    connect(box, &QCheckBox::clicked, this, [this, box] { Guarded([&] { SHIFTSelectBoxClick(box); }); });
    grid->addWidget(box, static_cast<int>(i) % rows, static_cast<int>(i) / rows);
    optionBoxes_.push_back(box);
  }
  layout->addWidget(group);

  auto* numbers = new QGridLayout();
  IndentStepBox = NumberBox("IndentStepBox", page);
  WrapColumnBox = NumberBox("WrapColumnBox", page);
  TabColumnsBox = NumberBox("TabColumnsBox", page, 140);
  DeftabBox = NumberBox("DeftabBox", page);
  RightMarginBox = NumberBox("RightMarginBox", page);
  GutterWidthBox = NumberBox("GutterWidthBox", page);
  const auto row = [&](int r, int c, const char* label, QLineEdit* box) {
    auto* text = new QLabel(label, page);
    text->setBuddy(box);
    numbers->addWidget(text, r, c * 2);
    numbers->addWidget(box, r, c * 2 + 1, Qt::AlignLeft);
  };
  row(0, 0, "Block indent step size", IndentStepBox);
  row(1, 0, "Word wrap column", WrapColumnBox);
  row(2, 0, "Right margin", RightMarginBox);
  row(0, 1, "Tab Columns", TabColumnsBox);
  row(1, 1, "Tab stop", DeftabBox);
  row(2, 1, "Gutter width", GutterWidthBox);
  numbers->setColumnStretch(1, 1);
  numbers->setColumnStretch(3, 1);
  numbers->setHorizontalSpacing(12);
  layout->addLayout(numbers);
  layout->addStretch(1);

  connect(IndentStepBox, &QLineEdit::editingFinished, this, [this] { Guarded([this] { IndentStepBoxExit(); }); });
  connect(WrapColumnBox, &QLineEdit::editingFinished, this, [this] { Guarded([this] { WrapColumnBoxExit(); }); });
  connect(TabColumnsBox, &QLineEdit::editingFinished, this, [this] { Guarded([this] { TabColumnsBoxExit(); }); });
  connect(DeftabBox, &QLineEdit::editingFinished, this, [this] { Guarded([this] { DeftabBoxExit(); }); });

  // The spin buttons sit inside the right end of their box, in front of it.
  int tag = 1;
  for (QLineEdit* box : {GutterWidthBox, RightMarginBox}) {
    auto* spin = new TSpinButton(box);
    spin->setObjectName(tag == 1 ? "GutterSpinButton" : "MarginSpinButton");
    spin->Tag = tag++;
    spin->FocusControl = box;
    spin->setFocusPolicy(Qt::NoFocus);
    spin->OnUpClick = [this](TSpinButton& s) { Guarded([&] { ParaSpinButtonClick(s, +1); }); };
    spin->OnDownClick = [this](TSpinButton& s) { Guarded([&] { ParaSpinButtonClick(s, -1); }); };
    box->setTextMargins(0, 0, 17, 0);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this, [this, box] { Guarded([&] { LeftBorderWidthBoxChange(box); }); });
    connect(box, &QLineEdit::editingFinished, this, [this, box] { LeftBorderWidthBoxExit(box); });
    (spin->Tag == 1 ? gutterSpin_ : marginSpin_) = spin;
  }
  return page;
}

QWidget* TOptionsDialog::CreateHighlightingPage() {
  auto* page = new QWidget(this);
  page->setObjectName("HighlightingPage");
  auto* layout = new QVBoxLayout(page);

  auto* language = new QHBoxLayout();
  LangNameBox = new QLineEdit(page);
  LangNameBox->setObjectName("LangNameBox");
  LangNameBox->setEnabled(false);
  language->addWidget(new QLabel("Current language style", page));
  language->addWidget(LangNameBox, 1);
  layout->addLayout(language);

  auto* middle = new QHBoxLayout();
  auto* left = new QVBoxLayout();
  SynElementsBox = new QListWidget(page);
  SynElementsBox->setObjectName("SynElementsBox");
  SynElementsBox->setMinimumWidth(170);
  auto* elementLabel = new QLabel("Element", page);
  elementLabel->setBuddy(SynElementsBox);
  left->addWidget(elementLabel);
  left->addWidget(SynElementsBox, 1);
  middle->addLayout(left);

  auto* right = new QGridLayout();
  FontNameBox = new QComboBox(page);
  FontNameBox->setObjectName("FontNameBox");
  FontNameBox->setMinimumWidth(170);
  FontSizeBox = new QComboBox(page);
  FontSizeBox->setObjectName("FontSizeBox");
  for (const char* size : kFontSizes) FontSizeBox->addItem(size);
  FontFamilyBox = new QComboBox(page);
  FontFamilyBox->setObjectName("FontFamilyBox");
  const auto labelled = [&](int r, int c, const char* label, QWidget* w, int span = 1) {
    auto* text = new QLabel(label, page);
    text->setBuddy(w);
    right->addWidget(text, r, c, 1, span);
    right->addWidget(w, r + 1, c, 1, span, Qt::AlignLeft);
  };
  labelled(0, 0, "Font", FontNameBox);
  labelled(0, 1, "Size", FontSizeBox);
  labelled(2, 0, "Charset", FontFamilyBox);

  foreButton_ = new TColorDropButton(page);
  foreButton_->setObjectName("ForegroundButton");
  backButton_ = new TColorDropButton(page);
  backButton_->setObjectName("BackgroundButton");
  for (TColorDropButton* button : {foreButton_, backButton_}) {
    button->setFixedSize(124, 22);
    button->OnColorChange = [this](TColorDropButton&) { Guarded([this] { ApplyColour(); }); };
  }
  labelled(4, 0, "Foreground", foreButton_);
  labelled(4, 1, "Background", backButton_);

  auto* attributes = new QGroupBox("Text attributes", page);
  attributes->setObjectName("TextAttributesGroup");
  auto* attributeBoxes = new QVBoxLayout(attributes);
  int tag = 1;
  for (QCheckBox** box : {&UseBoldBox, &UseItalicBox, &UseUnderlineBox}) {
    static const char* const names[] = {"UseBoldBox", "UseItalicBox", "UseUnderlineBox"};
    static const char* const captions[] = {"Bold", "Italic", "Underline"};
    *box = new QCheckBox(captions[tag - 1], attributes);
    (*box)->setObjectName(names[tag - 1]);
    QCheckBox* b = *box;
    connect(b, &QCheckBox::clicked, this, [this, b, tag](bool on) { Guarded([&] { UseBoldBoxClick(tag, on); }); });
    attributeBoxes->addWidget(b);
    ++tag;
  }
  auto* defaults = new QGroupBox("Use defaults for", page);
  defaults->setObjectName("UseDefaultsGroup");
  auto* defaultBoxes = new QVBoxLayout(defaults);
  UseDefForeBox = new QCheckBox("Foreground", defaults);
  UseDefForeBox->setObjectName("UseDefForeBox");
  UseDefBackBox = new QCheckBox("Background", defaults);
  UseDefBackBox->setObjectName("UseDefBackBox");
  connect(UseDefForeBox, &QCheckBox::clicked, this, [this] { Guarded([this] { UseDefForeBoxClick(true); }); });
  connect(UseDefBackBox, &QCheckBox::clicked, this, [this] { Guarded([this] { UseDefForeBoxClick(false); }); });
  defaultBoxes->addWidget(UseDefForeBox);
  defaultBoxes->addWidget(UseDefBackBox);
  defaultBoxes->addStretch(1);
  right->addWidget(attributes, 6, 0);
  right->addWidget(defaults, 6, 1);
  right->setRowStretch(7, 1);
  middle->addLayout(right, 1);
  layout->addLayout(middle);

  FEditor = new TQtInkMemo(page);
  FEditor->setObjectName("FEditor");
  FEditor->SetReadOnly(true);
  FEditor->SetSelLineStyle(lsLF);
  FEditor->setMinimumHeight(150);
  FEditor->viewport()->installEventFilter(this);
  FEditor->installEventFilter(this);
  layout->addWidget(FEditor, 1);

  connect(SynElementsBox, &QListWidget::currentRowChanged, this, [this] {
    if (!updating_) Guarded([this] { SynElementsBoxClick(); });
  });
  connect(FontFamilyBox, &QComboBox::activated, this, [this] { Guarded([this] { FontFamilyBoxChange(); }); });
  connect(FontNameBox, &QComboBox::activated, this, [this] { Guarded([this] { FontNameBoxChange(); }); });
  connect(FontSizeBox, &QComboBox::activated, this, [this] { Guarded([this] { FontSizeBoxChange(); }); });
  return page;
}

bool TOptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && (watched == GutterWidthBox || watched == RightMarginBox)) {
    auto* box = static_cast<QLineEdit*>(watched);
    TSpinButton* spin = box == GutterWidthBox ? gutterSpin_ : marginSpin_;
    spin->setGeometry(box->width() - 15 - 2, 2, 15, box->height() - 4);
  } else if (event->type() == QEvent::MouseButtonPress && FEditor != nullptr && watched == FEditor->viewport()) {
    const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
    Guarded([&] { EditorMouseDown(point); });
  } else if (event->type() == QEvent::KeyPress && (watched == FEditor || watched == InkMemo1)) {
    // The editors take Tab as a character; Ctrl+Tab and Ctrl+Shift+Tab leave them, so the
    // rest of the dialog stays reachable from the keyboard.
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (key->modifiers() & Qt::ControlModifier)) {
      focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
      return true;
    }
  } else if (event->type() == QEvent::FocusOut && watched == CommandKeysListBox) {
    Guarded([this] { CommandKeysListBoxExit(); });
  } else if (event->type() == QEvent::FocusOut && watched == cteHotkey) {
    Guarded([this] { cteHotkeyExit(); });
  }
  return QDialog::eventFilter(watched, event);
}

bool TOptionsDialog::Execute(TCustomInkMemoParser& parser, TSM_PropEdPages pages) {
  struct TPage {
    TSM_PropEdPage Page;
    QWidget* Widget;
    const char* Caption;
  };
  // The pages built, in tab order.
  const TPage built[] = {
      {ppOPTIONS, OptionsPage, "Options"},
      {ppHIGHLIGHTING, HighlightingPage, "Highlighting"},
      {ppKEYS, KeysPage, "Key assignments"},
      {ppAUTOCORRECT, AutoCorrectPage, "Auto correct"},
      {ppTEMPLATES, TemplatesPage, "Code templates"},
  };
  PageControl->clear();
  for (const TPage& page : built) {
    if (pages.Contains(page.Page)) PageControl->addTab(page.Widget, page.Caption);
  }
  if (PageControl->count() == 0) return false;
  // The active page: Highlighting when shown, otherwise the first one.
  if (pages.Contains(ppHIGHLIGHTING)) PageControl->setCurrentWidget(HighlightingPage);
  else PageControl->setCurrentIndex(0);
  parser_ = &parser;
  pages_ = pages;
  struct TEnd {
    TOptionsDialog& dialog;
    ~TEnd() {
      dialog.parser_ = nullptr;
      dialog.keyAssignments_.reset();
    }
  } end{*this};
  return ExecutePropertyPages(parser, pages, {FEditor, InkMemo1}, [this](TPropertySession& session) {
    session_ = &session;
    struct TEnd {
      TPropertySession*& session;
      ~TEnd() { session = nullptr; }
    } end{session_};
    FormShow();
    return RunModal(*this);
  });
}

void TOptionsDialog::FormShow() {
  TSM_Settings& working = *Working();
  TQtInkMemo& preview = *FEditor;
  updating_ = true;
  LangNameBox->setText(QString::fromUtf8(working.LanguageName.c_str()));
  GutterWidthBox->setText(QString::number(working.Gutter));
  RightMarginBox->setText(QString::number(working.RightMargin));
  preview.Perform(SMM_OPTIONS, smmSet, static_cast<LPARAM>(working.Options));
  preview.SetText(working.ExampleText);
  preview.SetSelection(0, 0);
  FillElements();
  UpdateOptionBoxStates();
  IndentStepBox->setText(QString::number(preview.GetIndentStep()));
  WrapColumnBox->setText(QString::number(preview.GetWrapAtColumn()));
  SynElementsBox->setCurrentRow(0);
  updating_ = false;
  SynElementsBoxClick();
  preview.Perform(SMM_APPLYSETTINGS);

  updating_ = true;
  FontFamilyBox->clear();
  int charset = -1;
  for (const TFontCharset& set : FontCharsets()) {
    FontFamilyBox->addItem(set.Name, set.Number);
    if (set.Number == working.FontCharSet) charset = FontFamilyBox->count() - 1;
  }
  FontFamilyBox->setCurrentIndex(charset);
  updating_ = false;
  FontFamilyBoxChange();
  const QString size = QString::number(preview.GetFont().Size);
  if (FontSizeBox->findText(size) < 0) FontSizeBox->addItem(size);
  FontSizeBox->setCurrentIndex(FontSizeBox->findText(size));
  TabColumnsBox->setText(QString::fromUtf8(preview.GetTabColumns().c_str()));
  DeftabBox->setText(QString::number(preview.GetTabDefault()));
  for (QLineEdit* box : {IndentStepBox, WrapColumnBox, TabColumnsBox, DeftabBox, GutterWidthBox, RightMarginBox})
    box->setModified(false);
  lastPreviewClick_ = {0, 0};
  FillKeysPage();
  FillAutoCorrectPage();
  FillTemplatesPage();
}

void TOptionsDialog::OKButtonClick() {
  if (!CommitEditedBoxes() || !CommitMacroBoxes()) return;
  if (!CommitKeys()) return;
  accept();
}

}  // namespace ql
