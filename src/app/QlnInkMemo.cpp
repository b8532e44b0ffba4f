#include "app/QlnInkMemo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

#include "textmodel/TextControl.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/qt/Cp1252String.h"

namespace ql {

// --- Lines and caret ---

void TqlnInkMemoLines::BeginUpdate() {
  if (updateCount_++ == 0) memo_.setUpdatesEnabled(false);
}

void TqlnInkMemoLines::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) memo_.UpdateEnded();
}

int32_t TqlnInkMemoCaret::CaretLine() const { return memo_.textCursor().blockNumber() + 1; }

int32_t TqlnInkMemoCaret::CaretColumn() const {
  const QTextCursor cursor = memo_.textCursor();
  const QString row = cursor.block().text();
  const int32_t tab = memo_.TabDefault > 0 ? memo_.TabDefault : 1;
  int32_t column = 0;
  for (int i = 0; i < cursor.positionInBlock() && i < row.size(); ++i) {
    column = row[i] == '\t' ? (column / tab + 1) * tab : column + 1;
  }
  return column + 1;
}

// --- The editor ---

TqlnInkMemo::TqlnInkMemo(QWidget* parent)
    : QPlainTextEdit(parent), text_(std::make_unique<TTextControl>()), lines_(*this), caret_(*this) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(13);
  setFont(font);
  setFrameShape(QFrame::NoFrame);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * TabDefault);
  QPalette colours = palette();
  colours.setColor(QPalette::Highlight, QColor(178, 180, 191));
  colours.setColor(QPalette::HighlightedText, Qt::black);
  setPalette(colours);

  connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { RaiseChange(); });
  connect(this, &QPlainTextEdit::selectionChanged, this, [this] { RaiseChange(); });
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    RaiseChange();
    RaiseTextChange();
  });
  connect(this, &QPlainTextEdit::modificationChanged, this, [this] { RaiseTextChange(); });
}

TqlnInkMemo::~TqlnInkMemo() = default;

void TqlnInkMemo::ShowStoredText() {
  TTextStore& store = text_->Store();
  TMemoryStream bytes;
  store.WritePlainText(0, store.TextLength, TLineBreakForm::LF, bytes);
  const std::string stored = bytes.Bytes();
  setPlainText(Cp1252ToQString(stored));
  document()->setModified(false);
}

void TqlnInkMemo::TakeScreenText() const {
  QString screen = document()->toRawText();
  // Blocks are separated by paragraph separators; the store's line break is CR.
  screen.replace(QChar::ParagraphSeparator, QLatin1Char('\r'));
  screen.replace(QChar::LineSeparator, QLatin1Char('\r'));
  text_->SetText(QStringToCp1252(screen));
}

bool TqlnInkMemo::GetModified() const { return document()->isModified(); }

std::string TqlnInkMemo::GetText() const {
  TakeScreenText();
  return text_->GetText();
}

void TqlnInkMemo::SetText(const std::string& text) {
  text_->SetText(text);
  ShowStoredText();
}

void TqlnInkMemo::LoadFromFile(const std::string& fileName) {
  text_->LoadFromFile(fileName);
  ShowStoredText();
  FileName = fileName;
}

void TqlnInkMemo::SaveToFile(const std::string& fileName) {
  TakeScreenText();
  text_->SaveToFile(fileName);
  FileName = fileName;
  document()->setModified(false);
}

void TqlnInkMemo::Clear() {
  clear();
  document()->setModified(false);
}

bool TqlnInkMemo::CanUndo() const { return document()->isUndoAvailable(); }
void TqlnInkMemo::Undo() { undo(); }
bool TqlnInkMemo::CanRedo() const { return document()->isRedoAvailable(); }
void TqlnInkMemo::Redo() { redo(); }
void TqlnInkMemo::CutToClipboard() { cut(); }
void TqlnInkMemo::CopyToClipboard() { copy(); }
void TqlnInkMemo::PasteFromClipboard() { paste(); }
void TqlnInkMemo::SelectAll() { selectAll(); }
void TqlnInkMemo::SetFocus() { setFocus(Qt::OtherFocusReason); }

void TqlnInkMemo::RaiseChange() {
  if (!lines_.Updating() && OnChange) OnChange(*this);
}

void TqlnInkMemo::RaiseTextChange() {
  if (!lines_.Updating() && OnTextChange) OnTextChange(*this);
}

void TqlnInkMemo::UpdateEnded() {
  setUpdatesEnabled(true);
  RaiseChange();
  RaiseTextChange();
}

bool TqlnInkMemo::event(QEvent* e) {
  // Ctrl+letter belongs to the window's menu commands when they have it (Ctrl+Y is the menu's
  // Redo): not claiming the shortcut lets the menu's shortcut run; keys no menu command has
  // still arrive here as ordinary key presses.
  if (e->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(e);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if ((mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier)) &&
        key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) {
      e->ignore();
      return true;
    }
  }
  return QPlainTextEdit::event(e);
}

void TqlnInkMemo::keyPressEvent(QKeyEvent* e) {
  // Typed characters the 8-bit text cannot hold are dropped.
  const QString typed = e->text();
  if (!typed.isEmpty() && typed.at(0).isPrint()) {
    const QString kept = Cp1252ToQString(QStringToCp1252(typed));
    if (kept != typed) {
      if (!kept.isEmpty()) insertPlainText(kept);
      e->accept();
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(e);
}

bool TqlnInkMemo::canInsertFromMimeData(const QMimeData* source) const { return source->hasText(); }

void TqlnInkMemo::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  insertPlainText(Cp1252ToQString(QStringToCp1252(source->text())));
}

// Dropped files are the window's affair: the editor lets them pass to it.
void TqlnInkMemo::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) {
    e->ignore();
    return;
  }
  QPlainTextEdit::dragEnterEvent(e);
}

void TqlnInkMemo::dragMoveEvent(QDragMoveEvent* e) {
  if (e->mimeData()->hasUrls()) {
    e->ignore();
    return;
  }
  QPlainTextEdit::dragMoveEvent(e);
}

void TqlnInkMemo::dropEvent(QDropEvent* e) {
  if (e->mimeData()->hasUrls()) {
    e->ignore();
    return;
  }
  QPlainTextEdit::dropEvent(e);
}

}  // namespace ql
