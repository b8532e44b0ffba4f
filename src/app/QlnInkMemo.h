#pragma once
// The editor of the main window's three documents, in a plain-text stand-in: a QPlainTextEdit
// that offers exactly the operations the window uses (file name, Modified, the whole text, load
// and save, Clear, an update bracket, the caret's line and column, undo and redo, the clipboard
// commands, focus and two change events). Files are read and written through the row store, so
// line ends and bytes come out as the store writes them; on screen the bytes show through the
// Windows-1252 table.
#include <QPlainTextEdit>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace ql {

class TTextControl;
class TqlnInkMemo;

// The update bracket of the editor's lines: screen updates and change events wait until the
// outermost EndUpdate.
class TqlnInkMemoLines {
public:
  explicit TqlnInkMemoLines(TqlnInkMemo& memo) : memo_(memo) {}
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

private:
  TqlnInkMemo& memo_;
  int32_t updateCount_ = 0;
};

// The caret's line and column as the user sees them, both counted from 1, TABs expanded.
class TqlnInkMemoCaret {
public:
  explicit TqlnInkMemoCaret(const TqlnInkMemo& memo) : memo_(memo) {}
  int32_t CaretLine() const;
  int32_t CaretColumn() const;

private:
  const TqlnInkMemo& memo_;
};

class TqlnInkMemo : public QPlainTextEdit {
public:
  explicit TqlnInkMemo(QWidget* parent = nullptr);
  ~TqlnInkMemo() override;

  // The file last loaded or saved; set directly for a new document.
  std::string FileName;
  // Spaces per TAB when columns are counted and drawn.
  int32_t TabDefault = 4;

  bool GetModified() const;
  // The whole text with CR LF line ends, as SaveToFile writes it.
  std::string GetText() const;
  // Replaces the whole text; the editor then reports no unsaved changes.
  void SetText(const std::string& text);
  // Raises EFOpenError "File '%s' cannot be opened for reading" for a missing file. Sets
  // FileName and leaves no unsaved changes.
  void LoadFromFile(const std::string& fileName);
  // Writes atomically (the old file stays whole when the save fails); raises EFileSaveError or
  // EFCreateError. Sets FileName and leaves no unsaved changes.
  void SaveToFile(const std::string& fileName);
  // Empties the text and forgets its changes; FileName stays.
  void Clear();
  TqlnInkMemoLines& Lines() { return lines_; }
  const TqlnInkMemoCaret& CaretControl() const { return caret_; }

  bool CanUndo() const;
  void Undo();
  bool CanRedo() const;
  void Redo();
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  void SelectAll();
  void SetFocus();

  // After caret moves, selection changes and text changes.
  std::function<void(TqlnInkMemo& sender)> OnChange;
  // After the text or its Modified state changed.
  std::function<void(TqlnInkMemo& sender)> OnTextChange;

protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

private:
  friend class TqlnInkMemoLines;
  void ShowStoredText();
  void TakeScreenText() const;
  void RaiseChange();
  void RaiseTextChange();
  void UpdateEnded();

  std::unique_ptr<TTextControl> text_;  // the row store files go through
  TqlnInkMemoLines lines_;
  TqlnInkMemoCaret caret_;
};

}  // namespace ql
