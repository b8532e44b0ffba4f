#pragma once
// The editor control on Qt: the engine (TInkMemo) in its Qt window (TInkMemoHost). The window
// passes Qt's events to the engine's window procedure and serves the engine's window calls; the
// engine keeps the text, the selection, the view and the highlighting and paints onto the
// window's canvas. A program puts it in a layout like any widget and drives it through the
// engine's properties and messages.
#include "editor/InkMemo.h"
#include "editor/qt/InkMemoHost.h"

namespace ql {

class TQtInkMemo : public TInkMemoHost, public TInkMemo {
public:
  explicit TQtInkMemo(QWidget* parent = nullptr);
  ~TQtInkMemo() override;

  // Takes the keyboard focus (the engine's and the window's call are the same).
  void SetFocus() override { TInkMemoHost::SetFocus(); }

protected:
  void changeEvent(QEvent* e) override;
};

}  // namespace ql
