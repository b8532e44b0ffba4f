// The mouse: clicks counted one to four (a double click selects a word, a triple click a row),
// Shift+click, the gutter and the margin strip, hyperlink text, dragging the right-margin and
// wrap-column lines, selecting by dragging with scrolling on a timer while the mouse is outside
// the window, the cursor shapes, and the wheel.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "services/SM_Settings.h"

namespace ql {
namespace {

constexpr uint32_t AutoScrollInterval = 30;  // milliseconds
constexpr int32_t WheelRows = 3;             // rows per wheel notch
constexpr int32_t DropScrollRows = 2;        // a drag scrolls within this many rows of an edge
constexpr int32_t DropScrollColumns = 2;     // and within this many character widths

}  // namespace

// --- What lies under the mouse ---

bool TCustomInkMemo::LineUnder(int32_t x, int32_t y, TLineDrag& line) {
  if (x < TextLeft()) return false;
  const int32_t column = ColumnOfPixel(x);
  const TSM_Settings& s = *settings_;
  const bool margin = HasOption(smoShowRMargin) && column == s.RightMargin;
  const bool wrap = HasOption(smoWordWrap) && HasOption(smoShowWrapColumn) && s.WrapAtColumn > 0 && column == s.WrapAtColumn;
  if (!margin && !wrap) return false;
  // Only in empty space: the row there (if any) ends before the line.
  const TRowPos row = RowAtY(y);
  if (row.Row != nullptr && LayoutOf(*row.Row).Width() >= column) return false;
  line.RightMargin = margin;
  line.Column = column;
  return true;
}

int32_t TCustomInkMemo::HyperlinkStyleAt(int32_t x, int32_t y) {
  if (x < TextLeft() || !settings_->AnyHotspot()) return -1;
  const TRowPos row = RowAtY(y);
  if (row.Row == nullptr || !row.Row->Styles) return -1;
  const TRowLayout& layout = LayoutOf(*row.Row);
  const int32_t column = leftColumn_ + (x - TextLeft()) / charWidth_;
  if (column >= layout.Width()) return -1;
  const int32_t k = layout.ByteNearColumn(column);
  if (k >= row.Row->Length || row.Row->Text[k] == '\r') return -1;
  const uint8_t value = row.Row->Styles[k];
  return settings_->GetStyle(settings_->GetMap(value)).Hotspot ? value : -1;
}

// --- Buttons ---

void TCustomInkMemo::MouseDown(int32_t x, int32_t y, WPARAM keys, bool doubleClick) {
  if (!Enabled || !TabStop) return;
  BindSettings();
  host_->SetFocus();
  const uint32_t now = host_->TickCount();
  const bool quick = now - lastClickTime_ <= host_->DoubleClickTime();
  switch (clickCount_) {
    case 1: clickCount_ = quick || doubleClick ? 2 : 1; break;
    case 2: clickCount_ = quick || doubleClick ? 3 : 1; break;
    case 3: clickCount_ = 4; break;
    default: clickCount_ = 1; break;
  }
  lastClickTime_ = now;
  mousePos_ = {x, y};

  TRowPos row = RowAtY(y);
  const int32_t rowIndex = row.Row != nullptr ? row.Index : -1;
  const int32_t textLeft = TextLeft();
  if (x < textLeft - settings_->Margin) {
    // The gutter: the line number goes to the owner; the caret stays. A wrapped line answers
    // for its first row.
    if (row.Row != nullptr && OnGutterClick) {
      if (HasOption(smoWordWrap)) {
        while ((row.Row->MarkBits & mbContinuation) != 0 && row.Row->Prev != nullptr) {
          row.Row = row.Row->Prev;
          --row.Index;
        }
      }
      OnGutterClick(*this, row.Index + 1);
    }
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
  TLineDrag line;
  if (LineUnder(x, y, line)) {
    lineDrag_ = line;
    lineDrag_.Active = true;
    InvalidateLineDrag();
    return;
  }
  const int32_t f = CharFromPoint(x, y);
  preferredX_ = ColumnOfOffset(f);
  const int32_t selStart = std::min(SelAnchor(), SelCaret());
  const int32_t selEnd = std::max(SelAnchor(), SelCaret());
  if ((keys & MK_SHIFT) != 0) {
    // Shift+click widens the selection to the click.
    SetSelectionMsg(f < selStart ? TSelectionEnds{selEnd, f} : TSelectionEnds{selStart, f}, false);
    changeFlags_ |= cfCaret;
    mouseSelecting_ = true;
  } else if (clickCount_ == 2) {
    MoveCaret(f, false);
    // The double click itself selects the word (a second press within the time counts too).
    if (HasOption(smoWordSelect)) SelectWordAt(f);
    dragPending_ = false;
    mouseSelecting_ = true;
  } else if (clickCount_ == 3 && rowIndex == lastClickRow_ && row.Row != nullptr) {
    if (OnTripleClick) {
      OnTripleClick(*this, TPoint{x, y}, f);
    } else {
      SetSelectionMsg({row.Start, row.Start + row.Row->Length}, false);
      changeFlags_ |= cfCaret;
      mouseSelecting_ = true;
    }
  } else if (clickCount_ != 3 && selStart < selEnd && f >= selStart && f < selEnd) {
    // A press inside the selection arms a drag; releasing without moving places the caret.
    dragPending_ = true;
    pressOffset_ = f;
  } else {
    SingleClick(x, y, f);
  }
  lastClickRow_ = rowIndex;
}

void TCustomInkMemo::SingleClick(int32_t x, int32_t y, int32_t f) {
  MoveCaret(f, false);
  const TRowPos row = RowAtY(y);
  if (CaretAfterEOL() && row.Row != nullptr) PlaceAtColumn(row.Start, *row.Row, ColumnOfPixel(x), false);
  mouseSelecting_ = true;
  const int32_t hyperType = HyperlinkStyleAt(x, y);
  if (hyperType >= 0 && OnHyperlinkClick) OnHyperlinkClick(*this, HyperlinkText(f, static_cast<uint8_t>(hyperType)), hyperType);
}

std::string TCustomInkMemo::HyperlinkText(int32_t offset, uint8_t value) {
  // The run of equal style bytes around offset, across rows that have style bytes.
  TTextStore& store = Store();
  const TRowPos pos = store.LocateRow(offset);
  if (pos.Row == nullptr || !pos.Row->Styles) return {};
  const TTextRow* first = pos.Row;
  int32_t from = offset - pos.Start;
  int32_t firstStart = pos.Start;
  for (;;) {
    while (from > 0 && first->Styles[from - 1] == value) --from;
    const TTextRow* prev = first->Prev;
    if (from > 0 || prev == nullptr || !prev->Styles || prev->Length == 0 || prev->Styles[prev->Length - 1] != value) break;
    first = prev;
    firstStart -= prev->Length;
    from = prev->Length - 1;
  }
  const TTextRow* last = pos.Row;
  int32_t to = offset - pos.Start;
  int32_t lastStart = pos.Start;
  for (;;) {
    while (to < last->Length && last->Styles[to] == value) ++to;
    const TTextRow* next = last->Next;
    if (to < last->Length || next == nullptr || !next->Styles || next->Length == 0 || next->Styles[0] != value) break;
    lastStart += last->Length;
    last = next;
    to = 0;
  }
  return store.GetRange(firstStart + from, lastStart + to);
}

void TCustomInkMemo::MouseMove(int32_t x, int32_t y) {
  mousePos_ = {x, y};
  if (dragPending_ && !dropFeedback_) {
    dragPending_ = false;
    if (HasOption(smoOLEDragSource)) {
      DragOut();
      return;
    }
    // Without dragging text out, moving from inside the selection starts a new one there.
    mouseSelecting_ = true;
    SetSelectionMsg({pressOffset_, pressOffset_}, false);
  }
  if (mouseSelecting_ || lineDrag_.Active || dropFeedback_) {
    if (WantsAutoScroll(x, y)) {
      host_->SetTimer(tmAutoScroll, AutoScrollInterval);
    } else {
      host_->KillTimer(tmAutoScroll);
    }
    TrackMouse(x, y);
  }
  UpdateCursor(x, y);
}

void TCustomInkMemo::TrackMouse(int32_t x, int32_t y) {
  const int32_t textLeft = TextLeft();
  x = std::max(x, textLeft);
  const int32_t yIn = std::clamp(y, 0, std::max(clientHeight_ - 1, 0));
  if (lineDrag_.Active) {
    const int32_t column = ColumnOfPixel(x);
    if (column != lineDrag_.Column && column > leftColumn_ && column < leftColumn_ + visibleColumns_) {
      InvalidateLineDrag();
      lineDrag_.Column = column;
      InvalidateLineDrag();
    }
    return;
  }
  const int32_t f = CharFromPoint(x, yIn);
  if (dropFeedback_) {
    if (f != dropPosition_) {
      dropPosition_ = f;
      changeFlags_ |= cfCaret;
    }
    return;
  }
  if (mouseSelecting_) {
    const TRowPos row = RowAtY(yIn);
    if (CaretAfterEOL() && row.Row != nullptr) {
      PlaceAtColumn(row.Start, *row.Row, ColumnOfPixel(x), true);
    } else {
      MoveCaret(f, true);
    }
  }
}

bool TCustomInkMemo::WantsAutoScroll(int32_t x, int32_t y) const {
  if (dropFeedback_) {
    // A drag scrolls near the edges: it cannot leave the window and still drop here.
    return y < DropScrollRows * lineHeight_ || y >= clientHeight_ - DropScrollRows * lineHeight_ ||
           x < TextLeft() + DropScrollColumns * charWidth_ - settings_->Margin ||
           x >= clientWidth_ - DropScrollColumns * charWidth_;
  }
  if (lineDrag_.Active) return x >= clientWidth_ - DropScrollColumns * charWidth_ || x < TextLeft();
  return y < 0 || y >= clientHeight_ || x < TextLeft() - settings_->Margin || x >= clientWidth_;
}

void TCustomInkMemo::MouseUp(int32_t x, int32_t y) {
  if (dragPending_) {
    dragPending_ = false;
    SingleClick(std::max(x, TextLeft()), y, CharFromPoint(std::max(x, TextLeft()), y));
  }
  mouseSelecting_ = false;
  host_->KillTimer(tmAutoScroll);
  host_->ReleaseCapture();
  if (lineDrag_.Active) {
    InvalidateLineDrag();
    lineDrag_.Active = false;
    if (lineDrag_.RightMargin) {
      SetRightMargin(lineDrag_.Column);
    } else {
      SetWrapAtColumn(lineDrag_.Column);
    }
    fullRepaint_ = true;
  }
  UpdateCursor(x, y);
}

void TCustomInkMemo::AutoScrollStep() {
  if (!mouseSelecting_ && !lineDrag_.Active && !dropFeedback_) {
    host_->KillTimer(tmAutoScroll);
    return;
  }
  const TPoint p = mousePos_;
  if (!WantsAutoScroll(p.X, p.Y)) {
    host_->KillTimer(tmAutoScroll);
    return;
  }
  const bool drop = dropFeedback_;
  const int32_t top = TopRowIndex();
  const int32_t left = leftColumn_;
  int32_t newTop = top;
  int32_t newLeft = left;
  if (!lineDrag_.Active) {
    if (p.Y < (drop ? DropScrollRows * lineHeight_ : 0)) --newTop;
    if (p.Y >= clientHeight_ - (drop ? DropScrollRows * lineHeight_ : 0)) ++newTop;
  }
  const int32_t leftEdge = drop ? TextLeft() + DropScrollColumns * charWidth_ - settings_->Margin : TextLeft();
  const int32_t rightEdge = drop || lineDrag_.Active ? clientWidth_ - DropScrollColumns * charWidth_ : clientWidth_;
  if (p.X < leftEdge) --newLeft;
  if (p.X >= rightEdge) ++newLeft;
  if (lineDrag_.Active) InvalidateLineDrag();  // the line is drawn again where the view puts it
  ScrollTo(newLeft, newTop, true);
  if (TopRowIndex() == top && leftColumn_ == left) {
    host_->KillTimer(tmAutoScroll);  // the view cannot move further
    return;
  }
  const int32_t x = std::clamp(p.X, TextLeft(), std::max(clientWidth_ - 1, TextLeft()));
  TrackMouse(x, p.Y);
}

// --- Shapes and paint state ---

void TCustomInkMemo::UpdateCursor(int32_t x, int32_t y) {
  const TCursor current = cursor_;
  const bool ours = current == crDefault || current == crIBeam || current == crHSplit || current == crVSplit ||
                    (current >= 22 && current <= 30) || current == HyperCursor;
  TCursor shape;
  TLineDrag line;
  const int32_t hyperType = dropFeedback_ || lineDrag_.Active ? -1 : HyperlinkStyleAt(x, y);
  overHyperlink_ = hyperType >= 0;
  if (x < TextLeft()) {
    shape = crDefault;
  } else if (lineDrag_.Active || LineUnder(x, y, line)) {
    shape = crHSplit;
  } else if (overHyperlink_) {
    shape = HyperCursor;
    if (OnHyperlinkHover) OnHyperlinkHover(*this);
  } else if (SelAnchor() != SelCaret() && HasOption(smoOLEDragSource) && InsideSelection(CharFromPoint(x, y))) {
    shape = crDefault;
  } else {
    shape = crIBeam;
  }
  if (!ours || shape == current) return;
  cursor_ = shape;
  host_->SetCursor(shape);
}

bool TCustomInkMemo::InsideSelection(int32_t offset) const {
  return offset >= std::min(SelAnchor(), SelCaret()) && offset < std::max(SelAnchor(), SelCaret());
}

int32_t TCustomInkMemo::LineDragX() const { return TextLeft() + (lineDrag_.Column - leftColumn_) * charWidth_; }

void TCustomInkMemo::InvalidateLineDrag() {
  const int32_t x = LineDragX();
  const TRect strip{x - 1, 0, x + 2, clientHeight_};
  host_->InvalidateRect(&strip);
}

// --- Double click and wheel ---

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
  SetBeyondEOL(false);
  changeFlags_ |= cfCaret;
}

}  // namespace ql
