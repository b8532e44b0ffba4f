// Conversions between offsets, display columns and pixels, and the font metrics they use.
// Every character stands in a grid of CharWidth columns (DisplayColumns.h gives each its
// columns), so conversions measure one row at most and multiply.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "services/SM_Settings.h"

namespace ql {

const TRowLayout& TCustomInkMemo::LayoutOf(const TTextRow& row) {
  layout_.Build(row.All(), DisplayEncoding(), *this);
  return layout_;
}

int32_t TCustomInkMemo::CharOfColumn(const TTextRow& row, int32_t column) {
  return LayoutOf(row).ByteNearColumn(column);
}

int32_t TCustomInkMemo::ColumnOfOffset(int32_t offset) {
  TTextStore& store = Store();
  const TRowPos pos = store.LocateRow(std::clamp(offset, 0, store.TextLength));
  if (pos.Row == nullptr || pos.Index >= store.RowCount) return 0;
  return LayoutOf(*pos.Row).ColumnOfByte(offset - pos.Start);
}

int32_t TCustomInkMemo::ColumnOfPixel(int32_t x) const {
  const int32_t dx = x - TextLeft();
  const int32_t columns = dx >= 0 ? (dx + charWidth_ / 2) / charWidth_ : -((-dx + charWidth_ / 2) / charWidth_);
  return std::max(leftColumn_ + columns, 0);
}

TRowPos TCustomInkMemo::RowAtY(int32_t y) {
  TTextStore& store = Store();
  store.EnsureTopRow();
  TRowPos pos{store.TopRow, store.TopRowIndex, store.TopOffset};
  for (int32_t n = std::max(y, 0) / lineHeight_; n > 0 && pos.Row != nullptr; --n) {
    pos.Start += pos.Row->Length;
    pos.Row = pos.Row->Next;
    ++pos.Index;
  }
  return pos;
}

TPoint TCustomInkMemo::PointFromChar(int32_t offset) {
  TTextStore& store = Store();
  store.EnsureTopRow();
  offset = std::clamp(offset, 0, store.TextLength);
  if (offset < store.TopOffset) return {-1, -1};
  // Rows are walked from the top row down to the window's bottom, no further: an offset below
  // the window stands at the window's bottom edge.
  const TTextRow* row = store.TopRow;
  int32_t start = store.TopOffset;
  int32_t y = 0;
  while (row != nullptr && offset - start >= row->Length && (row->Next != nullptr || row->EndsWithCR())) {
    start += row->Length;
    row = row->Next;
    y += lineHeight_;
    if (y >= clientHeight_ && offset - start >= 0 && row != nullptr) return {TextLeft(), std::max(y, clientHeight_)};
  }
  const int32_t column = row == nullptr ? 0 : LayoutOf(*row).ColumnOfByte(offset - start);
  return {TextLeft() + (column - leftColumn_) * charWidth_, y};
}

int32_t TCustomInkMemo::CharFromPoint(int32_t x, int32_t y) {
  const TRowPos pos = RowAtY(y);
  if (pos.Row == nullptr) return Store().TextLength;
  return pos.Start + CharOfColumn(*pos.Row, ColumnOfPixel(x));
}

void TCustomInkMemo::MeasureFont() {
  TFontFactory& fonts = settings_->FontFactory();
  const TFontHandle font = StyleFontOf(0);
  if (font == 0) return;
  const TTextMetrics m = fonts.Metrics(font);
  lineHeight_ = (m.Height > 0 ? m.Height : 16) + m.ExternalLeading + 1;
  charWidth_ = m.AveCharWidth > 0 ? m.AveCharWidth : 7;
  fixedPitch_ = m.FixedPitch;
  fixedWidth_ = fixedPitch_ ? fonts.TextWidth(font, "W") : 8;
  if (fixedPitch_ && fixedWidth_ > 0) charWidth_ = fixedWidth_;
  measured_ = true;
  UpdateVisibleSize();
}

void TCustomInkMemo::UpdateVisibleSize() {
  visibleColumns_ = std::max((clientWidth_ - TextLeft()) / charWidth_, 1);
  visibleRows_ = std::max(clientHeight_ / lineHeight_, 1);
}

}  // namespace ql
