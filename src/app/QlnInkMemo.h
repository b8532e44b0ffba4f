#pragma once
// The editor of the main window's three documents: the editor control as it is, with the
// window's change events (sender first, no change details): OnChange after caret moves,
// selection changes and text changes, OnTextChange once after the text changed. The update
// bracket is the control's Lines().BeginUpdate / EndUpdate; the caret's line and column are
// its CaretControl().
#include <functional>

#include "editor/qt/QtInkMemo.h"
#include "textmodel/CaretControl.h"

namespace ql {

class TqlnInkMemo;
using TqlnInkMemoCaret = TSM_CaretControl;

class TqlnInkMemo : public TQtInkMemo {
public:
  explicit TqlnInkMemo(QWidget* parent = nullptr);

  std::function<void(TqlnInkMemo& sender)> OnChange;
  std::function<void(TqlnInkMemo& sender)> OnTextChange;

private:
  bool textChanged_ = false;  // a text change awaits the OnChange that reports it
};

}  // namespace ql
