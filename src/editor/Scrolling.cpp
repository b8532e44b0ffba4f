// Scrolling: the first visible row and column, keeping the caret in view, and the scroll bars.
// The top row moves by walking from where it is for short moves and by index for far ones, and
// the caret is brought into view from its own row, so no move walks rows across the text.
#include <algorithm>
#include <cstdlib>

#include "editor/CustomInkMemo.h"
#include "toolkit/VirtualKeys.h"

namespace ql {
namespace {

// Moves the store's top row by delta rows from where it is.
void WalkTopRow(TTextStore& store, int32_t delta) {
  while (delta > 0 && store.TopRow->Next != nullptr) {
    store.TopOffset += store.TopRow->Length;
    store.TopRow = store.TopRow->Next;
    ++store.TopRowIndex;
    --delta;
  }
  while (delta < 0 && store.TopRow->Prev != nullptr) {
    store.TopRow = store.TopRow->Prev;
    store.TopOffset -= store.TopRow->Length;
    --store.TopRowIndex;
    ++delta;
  }
}

}  // namespace

void TCustomInkMemo::SetTopRow(int32_t index) {
  TTextStore& store = Store();
  index = std::clamp(index, 0, std::max(store.RowCount - 1, 0));
  store.EnsureTopRow();
  if (store.TopRow == nullptr) return;
  if (index == store.TopRowIndex) return;
  const int32_t delta = index - store.TopRowIndex;
  if (std::abs(delta) <= 4 * std::max(visibleRows_, 16)) {
    WalkTopRow(store, delta);
  } else {
    store.SetTopRowIndex(index);
  }
  changeFlags_ |= cfScroll;
  fullRepaint_ = true;
  scrollBarsDirty_ = true;
}

void TCustomInkMemo::ScrollTo(int32_t left, int32_t top, bool repaint) {
  TTextStore& store = Store();
  left = std::clamp(left, 0, std::max(store.LongestRow - 1, 0));
  SetTopRow(top);
  if (left != leftColumn_) {
    leftColumn_ = left;
    changeFlags_ |= cfScroll;
    fullRepaint_ = true;
    scrollBarsDirty_ = true;
  }
  if (repaint) {
    fullRepaint_ = true;
    scrollBarsDirty_ = true;
  }
}

void TCustomInkMemo::EnsureCaretVisible() {
  if (TextLeft() >= clientWidth_ || clientHeight_ == 0) return;
  TTextStore& store = Store();
  store.EnsureTopRow();
  if (store.TopRow == nullptr) {
    if (leftColumn_ != 0) ScrollTo(0, 0, true);
    return;
  }
  const TRowPos caret = store.LocateRow(SelCaret());
  // The line after a final line break has no row: the last row stands for it.
  const int32_t index = std::min(caret.Index, store.RowCount - 1);
  const int32_t rows = std::max(visibleRows_, 1);
  int32_t top = store.TopRowIndex;
  if (index < top) top = index;
  if (caret.Index >= top + rows) top = caret.Index - rows + 1;
  if (top != store.TopRowIndex) {
    if (std::abs(top - store.TopRowIndex) > 4 * std::max(rows, 16)) {
      // Far away: start at the caret's row and walk back to the wanted top.
      store.TopRow = caret.Row;
      store.TopOffset = caret.Start;
      store.TopRowIndex = index;
      WalkTopRow(store, top - index);
    } else {
      WalkTopRow(store, top - store.TopRowIndex);
    }
    changeFlags_ |= cfScroll;
    fullRepaint_ = true;
    scrollBarsDirty_ = true;
  }

  const int32_t column = BeyondEOL() ? virtualColumn_ : ColumnOfOffset(SelCaret());
  int32_t left = leftColumn_;
  while (left > 0 && column < left) left = std::max(left - 8, 0);
  while (column >= left + visibleColumns_) left += 8;
  if (left != leftColumn_) {
    leftColumn_ = left;
    changeFlags_ |= cfScroll;
    fullRepaint_ = true;
    scrollBarsDirty_ = true;
  }
}

int32_t TCustomInkMemo::ScrollScale() const { return Store().RowCount / 32000 + 1; }

void TCustomInkMemo::UpdateScrollBars() {
  if (paintLocked_ || !redrawEnabled_ || Loading() || printing_) return;
  scrollBarsDirty_ = false;
  const TTextStore& store = Store();
  const int32_t scale = ScrollScale();
  int32_t page = visibleRows_;
  if (store.TopRowIndex > 0 && store.RowCount < visibleRows_) page = store.RowCount - store.TopRowIndex;
  const bool vertical = ScrollBars == ssVertical || ScrollBars == ssBoth;
  const bool horizontal = (ScrollBars == ssHorizontal || ScrollBars == ssBoth) && !HasOption(smoWordWrap);
  const TScrollInfo vbar = vertical ? TScrollInfo{0, store.RowCount / scale, page / scale, store.TopRowIndex / scale}
                                    : TScrollInfo{};
  const TScrollInfo hbar = horizontal ? TScrollInfo{0, store.LongestRow, visibleColumns_, leftColumn_} : TScrollInfo{};
  if (!(vbar == lastVBar_)) host_->SetScrollInfo(TScrollBarKind::Vertical, vbar);
  if (!(hbar == lastHBar_)) host_->SetScrollInfo(TScrollBarKind::Horizontal, hbar);
  lastVBar_ = vbar;
  lastHBar_ = hbar;
}

void TCustomInkMemo::ScrollBarMessage(TScrollBarKind bar, WPARAM wParam) {
  const uint16_t code = LOWORD(wParam);
  const int32_t thumb = HIWORD(wParam);
  if (bar == TScrollBarKind::Vertical) {
    const int32_t top = TopRowIndex();
    const int32_t page = std::max(clientHeight_ / lineHeight_, 1);
    switch (code) {
      case SB_LINEUP: ScrollTo(leftColumn_, top - 1, true); break;
      case SB_LINEDOWN: ScrollTo(leftColumn_, top + 1, true); break;
      case SB_PAGEUP: ScrollTo(leftColumn_, top - page, true); break;
      case SB_PAGEDOWN: ScrollTo(leftColumn_, top + page, true); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: ScrollTo(leftColumn_, thumb * ScrollScale(), true); break;
      case SB_TOP: ScrollTo(leftColumn_, 0, true); break;
      case SB_BOTTOM: ScrollTo(leftColumn_, Store().RowCount - visibleRows_, true); break;
      default: break;
    }
    return;
  }
  const int32_t page = std::max((clientWidth_ - TextLeft()) / charWidth_, 1);
  switch (code) {
    case SB_LINELEFT: ScrollTo(leftColumn_ - 1, TopRowIndex(), true); break;
    case SB_LINERIGHT: ScrollTo(leftColumn_ + 1, TopRowIndex(), true); break;
    case SB_PAGELEFT: ScrollTo(leftColumn_ - page, TopRowIndex(), true); break;
    case SB_PAGERIGHT: ScrollTo(leftColumn_ + page, TopRowIndex(), true); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(thumb, TopRowIndex(), true); break;
    case SB_LEFT: ScrollTo(0, TopRowIndex(), true); break;
    case SB_RIGHT: ScrollTo(Store().LongestRow, TopRowIndex(), true); break;
    default: break;
  }
}

}  // namespace ql
