// The mouse: clicks (one to four in quick succession), Shift+click, selecting by dragging with
// scrolling on a timer while the mouse is outside the window, and the wheel.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "services/SM_Settings.h"

namespace ql {
namespace {

constexpr uint32_t AutoScrollInterval = 30;  // milliseconds
constexpr int32_t WheelRows = 3;             // rows per wheel notch

}  // namespace

void TCustomInkMemo::MouseDown(int32_t x, int32_t y, WPARAM keys, bool doubleClick) {
  if (!Enabled || !TabStop) return;
  BindSettings();
  host_->SetFocus();
  const uint32_t now = host_->TickCount();
  const bool quick = now - lastClickTime_ <= host_->DoubleClickTime();
  clickCount_ = quick || doubleClick ? clickCount_ % 4 + 1 : 1;
  if (doubleClick && clickCount_ < 2) clickCount_ = 2;
  lastClickTime_ = now;
  mousePos_ = {x, y};

  const TRowPos row = RowAtY(y);
  const int32_t rowIndex = row.Row != nullptr ? row.Index : -1;
  const int32_t textLeft = TextLeft();
  if (x < textLeft - settings_->Margin) {
    // The gutter: the row's line number goes to the owner; the caret stays.
    if (row.Row != nullptr && OnGutterClick) OnGutterClick(*this, row.Index + 1);
    return;
  }
  host_->SetCapture();
  if (x < textLeft) {
    // The margin strip selects the whole row, its line break included.
    if (row.Row != nullptr) SetSelectionMsg({row.Start, row.Start + row.Row->Length}, false);
    changeFlags_ |= cfCaret;
    mouseSelecting_ = true;
    lastClickRow_ = rowIndex;
    return;
  }
  const int32_t f = CharFromPoint(x, y);
  const int32_t selStart = std::min(SelAnchor(), SelCaret());
  const int32_t selEnd = std::max(SelAnchor(), SelCaret());
  if ((keys & MK_SHIFT) != 0) {
    // Shift+click widens the selection to the click.
    SetSelectionMsg(f < selStart ? TSelectionEnds{selEnd, f} : TSelectionEnds{selStart, f}, false);
    changeFlags_ |= cfCaret;
    mouseSelecting_ = true;
  } else if (clickCount_ == 2) {
    MoveCaret(f, false);
    if (HasOption(smoWordSelect)) SelectWordAt(f);
    mouseSelecting_ = true;
  } else if (clickCount_ == 3 && rowIndex == lastClickRow_ && row.Row != nullptr) {
    SetSelectionMsg({row.Start, row.Start + row.Row->Length}, false);
    changeFlags_ |= cfCaret;
    mouseSelecting_ = true;
  } else if (selStart < selEnd && f >= selStart && f < selEnd) {
    // A press inside the selection arms a drag; releasing without moving places the caret.
    dragPending_ = true;
    pressOffset_ = f;
  } else {
    MoveCaret(f, false);
    if (CaretAfterEOL() && row.Row != nullptr) PlaceAtColumn(row.Start, *row.Row, ColumnOfPixel(x), false);
    mouseSelecting_ = true;
  }
  lastClickRow_ = rowIndex;
}

void TCustomInkMemo::MouseMove(int32_t x, int32_t y) {
  mousePos_ = {x, y};
  const int32_t textLeft = TextLeft();
  host_->SetCursor(x < textLeft ? crDefault : crIBeam);
  if (dragPending_) {
    // Moving text by dragging it is not offered: the press starts a new selection instead.
    dragPending_ = false;
    mouseSelecting_ = true;
    SetSelectionMsg({pressOffset_, pressOffset_}, false);
  }
  if (!mouseSelecting_) return;
  const bool outside = y < 0 || y >= clientHeight_ || x < textLeft - settings_->Margin || x >= clientWidth_;
  if (outside) {
    host_->SetTimer(tmAutoScroll, AutoScrollInterval);
  } else {
    host_->KillTimer(tmAutoScroll);
  }
  const int32_t f = CharFromPoint(std::max(x, textLeft), std::clamp(y, 0, std::max(clientHeight_ - 1, 0)));
  MoveCaret(f, true);
}

void TCustomInkMemo::MouseUp(int32_t x, int32_t y) {
  if (dragPending_) {
    dragPending_ = false;
    MoveCaret(CharFromPoint(std::max(x, TextLeft()), y), false);
  }
  mouseSelecting_ = false;
  host_->KillTimer(tmAutoScroll);
  host_->ReleaseCapture();
}

void TCustomInkMemo::AutoScrollStep() {
  if (!mouseSelecting_) {
    host_->KillTimer(tmAutoScroll);
    return;
  }
  const TPoint p = mousePos_;
  int32_t top = TopRowIndex();
  int32_t left = leftColumn_;
  if (p.Y < 0) --top;
  if (p.Y >= clientHeight_) ++top;
  if (p.X < TextLeft()) --left;
  if (p.X >= clientWidth_) ++left;
  ScrollTo(left, top, true);
  const int32_t x = std::clamp(p.X, TextLeft(), std::max(clientWidth_ - 1, TextLeft()));
  const int32_t y = std::clamp(p.Y, 0, std::max(clientHeight_ - 1, 0));
  MoveCaret(CharFromPoint(x, y), true);
}

void TCustomInkMemo::MouseWheel(int32_t delta) {
  const int32_t notches = delta / WHEEL_DELTA;
  if (notches == 0) return;
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(*this, notches, handled);
  if (handled) return;
  // A notch away from the user shows earlier rows; the caret stays where it is.
  ScrollTo(leftColumn_, TopRowIndex() - notches * WheelRows, true);
}

void TCustomInkMemo::SelectWordAt(int32_t offset) {
  TTextStore& store = Store();
  const TRowPos pos = store.LocateRow(offset);
  if (pos.Row == nullptr || pos.Index >= store.RowCount) return;
  const std::string_view text = pos.Row->Content();
  const auto in = [&](size_t k) { return WordTests.CharIsInWord(static_cast<uint8_t>(text[k])); };
  size_t k = std::min(static_cast<size_t>(offset - pos.Start), text.size());
  // The word at the caret, else the nearest one before it on the row, else the first after.
  if (k >= text.size() || !in(k)) {
    size_t back = k;
    while (back > 0 && !in(back - 1)) --back;
    if (back > 0) {
      k = back - 1;
    } else {
      while (k < text.size() && !in(k)) ++k;
      if (k >= text.size()) {
        SetSelectionMsg({pos.Start, pos.Start}, false);
        return;
      }
    }
  }
  size_t first = k;
  size_t last = k;
  while (first > 0 && in(first - 1)) --first;
  while (last < text.size() && in(last)) ++last;
  SetSelectionMsg({pos.Start + static_cast<int32_t>(first), pos.Start + static_cast<int32_t>(last)}, false);
  changeFlags_ |= cfCaret;
}

}  // namespace ql
