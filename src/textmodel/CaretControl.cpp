#include "textmodel/CaretControl.h"

#include "textmodel/TextControl.h"

namespace ql {

int32_t TSM_CaretControl::CaretLine() const { return control_.Store().LocateRow(control_.SelCaret()).Index + 1; }

int32_t TSM_CaretControl::CaretColumn() const {
  if (control_.BeyondEOL()) return control_.VirtualColumn() + 1;
  TTextStore& store = control_.Store();
  const TRowPos pos = store.LocateRow(control_.SelCaret());
  if (pos.Row == nullptr || pos.Index >= store.RowCount) return 1;  // empty text, or the virtual line
  return control_.ColumnOfChar(*pos.Row, control_.SelCaret() - pos.Start) + 1;
}

}  // namespace ql
