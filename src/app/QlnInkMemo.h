#pragma once
// The editor of the main window's documents: the editor control as it is, with what the window
// adds to it:
//   - the window's change events (sender only): OnChange after caret moves, selection changes
//     and text changes, OnTextChange once after the text changed;
//   - the line-break style a file had, kept for saving it (LoadFromFile takes it);
//   - going to a line and character, and message lines drawn as links that a double click or
//     Enter follows.
// The update bracket is the control's Lines().BeginUpdate / EndUpdate; the caret's line and
// column are its CaretControl().
#include <functional>
#include <string>
#include <vector>

#include "app/LineBreakStyle.h"
#include "editor/qt/QtInkMemo.h"
#include "textmodel/CaretControl.h"

namespace ql {

class TqlnInkMemo;
using TqlnInkMemoCaret = TSM_CaretControl;

// A span of one line drawn as a link: line from 1, start and length in bytes of that line.
struct TqlnInkMemoLink {
  int32_t Line = 1;
  int32_t Start = 0;
  int32_t Length = 0;
};

class TqlnInkMemo : public TQtInkMemo {
public:
  explicit TqlnInkMemo(QWidget* parent = nullptr);

  // Sets FileName, takes the file's line-break style and leaves no unsaved changes; raises
  // EFOpenError "File '%s' cannot be opened for reading" for a missing file.
  void LoadFromFile(const std::string& fileName);
  // Replaces the whole text; the editor then reports no unsaved changes.
  void SetText(const std::string& text);
  void Clear() override;
  // The line breaks SaveToFile writes, kept in the row store's line style and save format.
  TLineBreakStyle LineBreakStyle() const;
  void SetLineBreakStyle(TLineBreakStyle style);

  // Puts the caret on line (from 1) before its character-th character (from 1), both clamped
  // to the text, and scrolls it into the middle of the view.
  void ShowCaretAt(int32_t line, int32_t character);
  // The text of line (from 1) without its line break; empty past the last line.
  std::string LineAt(int32_t line);
  // Draws these spans as links, replacing the ones before. Links move with edits and are
  // dropped when the whole text is replaced (SetText, LoadFromFile, Clear).
  void SetLinks(const std::vector<TqlnInkMemoLink>& links);
  // The link on the caret's line, as an index into the SetLinks list; -1 when there is none.
  int32_t LinkAtCaret();
  // A double click on a link's line, or Enter with the caret on it: the link's index.
  std::function<void(TqlnInkMemo& sender, int32_t link)> OnLinkActivated;

  std::function<void(TqlnInkMemo& sender)> OnChange;
  std::function<void(TqlnInkMemo& sender)> OnTextChange;

protected:
  void PaintOver(TCanvas& canvas, const TRect& area) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
  // A link as a span of the text: [Start, End) in bytes.
  struct TLinkSpan {
    int32_t Start = 0;
    int32_t End = 0;
  };
  // The offset where line (from 1) starts, clamped to the text's lines.
  int32_t LineStart(int32_t line);
  // The line that starts at offset start, without its line break.
  std::string LineText(int32_t start);
  // The link whose line holds offset; -1 when none.
  int32_t LinkOnLineOf(int32_t offset);
  void MoveLinks(int32_t start, int32_t extent);

  bool textChanged_ = false;  // a text change awaits the OnChange that reports it
  std::vector<TLinkSpan> links_;
};

}  // namespace ql
