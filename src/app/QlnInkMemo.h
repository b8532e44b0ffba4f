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
#include <vector>

#include "app/LineBreakStyle.h"

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

// A span of one line drawn as a link: line from 1, start and length in characters of that line.
struct TqlnInkMemoLink {
  int32_t Line = 1;
  int32_t Start = 0;
  int32_t Length = 0;
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
  // The whole text with CR LF line ends (CR alone for a file with CR breaks).
  std::string GetText() const;
  // Replaces the whole text; the editor then reports no unsaved changes.
  void SetText(const std::string& text);
  // Raises EFOpenError "File '%s' cannot be opened for reading" for a missing file. Sets
  // FileName, takes the file's line-break style and leaves no unsaved changes.
  void LoadFromFile(const std::string& fileName);
  // Writes atomically (the old file stays whole when the save fails) with the line breaks of
  // LineBreakStyle; raises EFileSaveError or EFCreateError. Sets FileName and leaves no
  // unsaved changes.
  void SaveToFile(const std::string& fileName);
  // The line breaks SaveToFile writes, kept in the row store's line style and save format.
  TLineBreakStyle LineBreakStyle() const;
  void SetLineBreakStyle(TLineBreakStyle style);
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
  void SetReadOnly(bool readOnly);

  // Puts the caret on line (from 1) before its character-th character (from 1), both clamped
  // to the text, and scrolls it into view.
  void ShowCaretAt(int32_t line, int32_t character);
  // Draws these spans as links, replacing the ones before. Links move with edits and are
  // dropped when the whole text is replaced (SetText, LoadFromFile, Clear).
  void SetLinks(const std::vector<TqlnInkMemoLink>& links);
  // The link on the caret's line, as an index into the SetLinks list; -1 when there is none.
  int32_t LinkAtCaret() const;
  // A double click on a link's line, or Enter with the caret on it: the link's index.
  std::function<void(TqlnInkMemo& sender, int32_t link)> OnLinkActivated;

  // After caret moves, selection changes and text changes.
  std::function<void(TqlnInkMemo& sender)> OnChange;
  // After the text or its Modified state changed.
  std::function<void(TqlnInkMemo& sender)> OnTextChange;

protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
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
  void DropLinks();
  int32_t LinkAtBlock(int block) const;

  std::unique_ptr<TTextControl> text_;  // the row store files go through
  TqlnInkMemoLines lines_;
  TqlnInkMemoCaret caret_;
  QList<QTextEdit::ExtraSelection> links_;  // one per SetLinks entry, moving with the text
};

}  // namespace ql
