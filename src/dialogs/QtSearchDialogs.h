#pragma once
// The find and replace dialogs of a window's editors, in Qt: one find and one replace dialog
// for the whole window, each acting for the editor that showed it last; the question of replace
// with confirmation placed beside the replace dialog; the pattern error box in a fixed-pitch
// font, so that its caret stands under the error; the not-found message; the wait cursor.
// Texts cross between the dialogs and an editor in the editor's display encoding.
#include <QPointer>
#include <QString>
#include <memory>

#include "dialogs/FindReplaceDialog.h"
#include "editor/SearchDialogs.h"

class QWidget;

namespace ql {

class TCustomInkMemo;

// Held through std::shared_ptr: each editor's view of the dialogs keeps them alive.
class TQtSearchDialogs : public std::enable_shared_from_this<TQtSearchDialogs> {
public:
  // The dialogs are made on first use, as children of parent.
  static std::shared_ptr<TQtSearchDialogs> Create(QWidget* parent);
  ~TQtSearchDialogs();
  TQtSearchDialogs(const TQtSearchDialogs&) = delete;
  TQtSearchDialogs& operator=(const TQtSearchDialogs&) = delete;

  // What an editor's OnCreateSearchDialogs returns: the dialogs as that editor uses them.
  std::unique_ptr<TSearchDialogs> For(TCustomInkMemo& editor);

  // The editor view that presented each dialog last (its buttons go there), and its end.
  void Bind(TFindReplaceDialog& dialog, const void* owner);
  void Unbind(const void* owner);

  // Made on first use.
  TFindReplaceDialog& FindDialog();
  TFindReplaceDialog& ReplaceDialog();
  // The dialog shown last, if it is still shown.
  TFindReplaceDialog* VisibleDialog() const;

  // The message boxes (texts as the user reads them).
  TReplaceAnswer AskReplace(const QString& question);
  void ShowPatternError(const QString& text);
  void ShowNotFound(const QString& text);
  void SetWaitCursor(bool on);

private:
  explicit TQtSearchDialogs(QWidget* parent) : parent_(parent) {}

  QWidget* parent_;
  const void* findOwner_ = nullptr;
  const void* replaceOwner_ = nullptr;
  QPointer<TFindReplaceDialog> find_;
  QPointer<TFindReplaceDialog> replace_;
  TFindReplaceDialog* last_ = nullptr;
  int waitCursors_ = 0;
};

}  // namespace ql
