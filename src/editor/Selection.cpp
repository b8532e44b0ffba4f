// The selection: its two ends, the preferred column of vertical moves, and its text.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "toolkit/MemoryStream.h"

namespace ql {
namespace {

// Rows of the visible part that overlap [from, to] get rfRepaint.
void MarkVisibleRange(TTextStore& store, int32_t rows, int32_t from, int32_t to) {
  store.EnsureTopRow();
  int32_t start = store.TopOffset;
  for (TTextRow* row = store.TopRow; row != nullptr && rows >= 0; row = row->Next, --rows) {
    if (start > to) break;
    if (start + row->Length > from || (row->Next == nullptr && start + row->Length >= from)) row->Flags |= rfRepaint;
    start += row->Length;
  }
}

}  // namespace

void TCustomInkMemo::SetSelectionMsg(TSelectionEnds ends, bool quiet) {
  TTextStore& store = Store();
  const TSelectionEnds old{SelAnchor(), SelCaret()};
  if (ends.Anchor == -1) ends = {0, store.TextLength};
  SetSelectionEnds(ends.Anchor, ends.Caret);
  SetBeyondEOL(false);  // a caret placed by its offset stands on a character
  store.EnsureTopRow();

  // A vertical move keeps the column it aims for; any other change takes the caret's.
  if (!keepPreferredX_) preferredX_ = ColumnOfOffset(SelCaret());
  keepPreferredX_ = false;

  if (old.Anchor != old.Caret) {
    MarkVisibleRange(store, visibleRows_, std::min(old.Anchor, old.Caret), std::max(old.Anchor, old.Caret));
  }
  if (SelAnchor() != SelCaret()) {
    MarkVisibleRange(store, visibleRows_, std::min(SelAnchor(), SelCaret()), std::max(SelAnchor(), SelCaret()));
  }
  if (quiet || !redrawEnabled_) return;
  if (old.Anchor != SelAnchor() || old.Caret != SelCaret()) changeFlags_ |= cfCaret;
  if (!BeyondEOL()) EnsureCaretVisible();
}

void TCustomInkMemo::MoveCaret(int32_t caret, bool extend) {
  SetSelectionMsg({extend ? SelAnchor() : caret, caret}, false);
  changeFlags_ |= cfCaret;
}

std::string TCustomInkMemo::SelectionBytes(TLineBreakForm form) {
  if (SelAnchor() == SelCaret()) return {};
  TMemoryStream stream;
  Store().WritePlainText(SelAnchor(), SelCaret(), form, stream);
  return stream.Bytes();
}

}  // namespace ql
