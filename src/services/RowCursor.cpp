#include "services/RowCursor.h"

#include <algorithm>

#include "textmodel/TextStore.h"

namespace ql {
namespace {

// Moves over this many characters or fewer go along the links; longer ones ask the store.
constexpr int32_t kWalkLimit = 1 << 16;

}  // namespace

TRowCursor::TRowCursor(TTextStore& store) : store_(&store), length_(store.TextLength) {
  if (length_ > 0 && store.FirstRow != nullptr) SetRow(store.FirstRow, 0);
}

void TRowCursor::SetRow(TTextRow* row, int32_t rowStart) {
  row_ = row;
  const std::string_view text = row->All();
  data_ = reinterpret_cast<const uint8_t*>(text.data());
  rowLength_ = static_cast<uint32_t>(text.size());
  start_ = rowStart;
}

void TRowCursor::Place(TTextRow* row, int32_t rowStart) { SetRow(row, rowStart); }

bool TRowCursor::Seek(int32_t pos) {
  if (row_ == nullptr) return false;
  pos = std::clamp(pos, 0, length_ - 1);
  if (pos >= start_ && pos < RowEnd()) return true;
  if (pos < start_ - kWalkLimit || pos >= RowEnd() + kWalkLimit) {
    const TRowPos found = store_->LocateRow(pos);
    SetRow(found.Row, found.Start);
    return true;
  }
  while (pos >= RowEnd() && NextRow()) {
  }
  while (pos < start_ && PrevRow()) {
  }
  return true;
}

bool TRowCursor::NextRow() {
  if (row_ == nullptr || row_->Next == nullptr) return false;
  SetRow(row_->Next, RowEnd());
  return true;
}

bool TRowCursor::PrevRow() {
  if (row_ == nullptr || row_->Prev == nullptr) return false;
  TTextRow* prev = row_->Prev;
  SetRow(prev, start_ - static_cast<int32_t>(prev->All().size()));
  return true;
}

void TRowCursor::Append(int32_t start, int32_t end, std::string& out) {
  start = std::max(start, 0);
  end = std::min(end, length_);
  if (start >= end || !Seek(start)) return;
  for (;;) {
    const int32_t take = std::min(end, RowEnd()) - start;
    out.append(reinterpret_cast<const char*>(data_) + (start - start_), static_cast<size_t>(take));
    start += take;
    if (start >= end || !NextRow()) return;
  }
}

}  // namespace ql
