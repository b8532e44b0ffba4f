#include "editor/qt/QtInkMemo.h"

#include <QEvent>

#include "editor/qt/PickListBox.h"

namespace ql {

TQtInkMemo::TQtInkMemo(QWidget* parent) : TInkMemoHost(parent), TInkMemo(this) {
  Enabled = isEnabled();
  SetTarget(this);
  OnCreatePickList = [this](TCustomInkMemo&, TMacroKeywords& table) -> std::unique_ptr<TMacroPickList> {
    return std::make_unique<TQtPickList>(table, *this);
  };
}

// The engine goes first; the window must not send it anything meanwhile. The engine tells the
// template table before Qt deletes this window's children, so the pick list goes with the table's
// record of it.
TQtInkMemo::~TQtInkMemo() { SetTarget(nullptr); }

void TQtInkMemo::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) Enabled = isEnabled();  // typed characters are ignored while disabled
  TInkMemoHost::changeEvent(e);
}

}  // namespace ql
