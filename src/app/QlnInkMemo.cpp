#include "app/QlnInkMemo.h"

namespace ql {

TqlnInkMemo::TqlnInkMemo(QWidget* parent) : TQtInkMemo(parent) {
  // The control reports each changed piece and then one change; the window wants one of each.
  TCustomInkMemo::OnTextChange = [this](TCustomInkMemo&, int32_t, int32_t) { textChanged_ = true; };
  TCustomInkMemo::OnChange = [this](TCustomInkMemo&) {
    const bool text = textChanged_;
    textChanged_ = false;
    if (OnChange) OnChange(*this);
    if (text && OnTextChange) OnTextChange(*this);
  };
}

}  // namespace ql
