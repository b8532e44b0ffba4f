#include "editor/qt/QtInkMemo.h"

#include <QEvent>

namespace ql {

TQtInkMemo::TQtInkMemo(QWidget* parent) : TInkMemoHost(parent), TInkMemo(this) {
  Enabled = isEnabled();
  SetTarget(this);
}

// The engine goes first; the window must not send it anything meanwhile.
TQtInkMemo::~TQtInkMemo() { SetTarget(nullptr); }

void TQtInkMemo::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) Enabled = isEnabled();  // typed characters are ignored while disabled
  TInkMemoHost::changeEvent(e);
}

}  // namespace ql
