#include "app/QlnInkMemo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <algorithm>

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
  DropLinks();
  text_->SetText(text);
  ShowStoredText();
}

void TqlnInkMemo::LoadFromFile(const std::string& fileName) {
  text_->LoadFromFile(fileName);
  DropLinks();
  ShowStoredText();
  FileName = fileName;
  SetLineBreakStyle(FileLineBreakStyle(fileName));
}

TLineBreakStyle TqlnInkMemo::LineBreakStyle() const {
  if (text_->SaveFormat == sfUNIX) return TLineBreakStyle::LF;
  return text_->Store().LineStyle == lsLF ? TLineBreakStyle::CR : TLineBreakStyle::CRLF;
}

void TqlnInkMemo::SetLineBreakStyle(TLineBreakStyle style) {
  // The store writes CR for its LF line style; LF alone is the Unix save format.
  text_->Store().LineStyle = style == TLineBreakStyle::CR ? lsLF : lsCRLF;
  text_->SaveFormat = style == TLineBreakStyle::LF ? sfUNIX : sfTEXT;
}

void TqlnInkMemo::SaveToFile(const std::string& fileName) {
  TakeScreenText();
  text_->SaveToFile(fileName);
  FileName = fileName;
  document()->setModified(false);
}

void TqlnInkMemo::Clear() {
  DropLinks();
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
void TqlnInkMemo::SetReadOnly(bool readOnly) { setReadOnly(readOnly); }

// --- Places and links ---

void TqlnInkMemo::ShowCaretAt(int32_t line, int32_t character) {
  QTextDocument* doc = document();
  const int blockNumber = std::clamp(line, 1, std::max(doc->blockCount(), 1)) - 1;
  const QTextBlock block = doc->findBlockByNumber(blockNumber);
  QTextCursor cursor(block);
  cursor.setPosition(block.position() + std::clamp(character - 1, 0, std::max(block.length() - 1, 0)));
  setTextCursor(cursor);
  centerCursor();
}

void TqlnInkMemo::SetLinks(const std::vector<TqlnInkMemoLink>& links) {
  links_.clear();
  QTextCharFormat look;
  look.setForeground(QColor(0, 0, 192));
  look.setFontUnderline(true);
  look.setAnchor(true);
  for (const TqlnInkMemoLink& link : links) {
    const QTextBlock block = document()->findBlockByNumber(link.Line - 1);
    QTextEdit::ExtraSelection span;
    span.format = look;
    span.cursor = QTextCursor(document());
    if (block.isValid()) {
      const int start = std::clamp(link.Start, 0, std::max(block.length() - 1, 0));
      const int end = std::clamp(link.Start + link.Length, start, std::max(block.length() - 1, 0));
      span.cursor.setPosition(block.position() + start);
      span.cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
    }
    links_.append(span);
  }
  setExtraSelections(links_);
}

void TqlnInkMemo::DropLinks() {
  if (links_.isEmpty()) return;
  links_.clear();
  setExtraSelections(links_);
}

int32_t TqlnInkMemo::LinkAtBlock(int block) const {
  for (qsizetype i = 0; i < links_.size(); ++i) {
    const QTextCursor& span = links_[i].cursor;
    if (span.hasSelection() && span.document()->findBlock(span.selectionStart()).blockNumber() == block) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

int32_t TqlnInkMemo::LinkAtCaret() const { return LinkAtBlock(textCursor().blockNumber()); }

void TqlnInkMemo::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    const int32_t link = LinkAtBlock(cursorForPosition(e->position().toPoint()).blockNumber());
    if (link >= 0 && OnLinkActivated) {
      setTextCursor(cursorForPosition(e->position().toPoint()));
      e->accept();
      OnLinkActivated(*this, link);
      return;
    }
  }
  QPlainTextEdit::mouseDoubleClickEvent(e);
}

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
  // Enter on a link follows it rather than breaking the line.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
      (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && OnLinkActivated) {
    const int32_t link = LinkAtCaret();
    if (link >= 0) {
      e->accept();
      OnLinkActivated(*this, link);
      return;
    }
  }
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
