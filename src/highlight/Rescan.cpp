#include "highlight/Rescan.h"

#include <algorithm>
#include <cstring>

#include "highlight/CustomInkMemoParser.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"

namespace ql {

TRescanner::TRescanner(TTextStore& store, TCustomInkMemoParser& parser, TParserClient* editor)
    : store_(store), parser_(parser), editor_(editor) {}

void TRescanner::TextChanged(int32_t offset, int32_t delta) {
  offset = std::max(offset, 0);
  if (pending_ < 0) {
    pending_ = offset;
    changedEnd_ = offset;
  } else {
    pending_ = std::min(pending_, offset);
    // Move the end of the earlier changes with this one.
    if (delta > 0 && changedEnd_ >= offset) changedEnd_ += delta;
    if (delta < 0 && changedEnd_ > offset) changedEnd_ = std::max(offset, changedEnd_ + delta);
  }
  changedEnd_ = std::max(changedEnd_, offset + std::max(delta, 0));
}

void TRescanner::RescanVisible(int32_t offset) {
  const TRowPos pos = store_.LocateRow(std::clamp(offset, 0, store_.TextLength));
  if (pos.Row == nullptr) return;
  pos.Row->Flags |= rfForceScan;
  TextChanged(pos.Start);
  Rescan();
}

void TRescanner::HighlightAll() {
  if (store_.FirstRow == nullptr) return;
  if (parser_.CanScan()) {
    // The run starts at the text's start and, with the whole text changed, never stops before
    // its end: the values stored before are overwritten in place, never trusted.
    store_.FirstRow->Styles.reset();
  } else {
    for (TTextRow* row = store_.FirstRow; row != nullptr; row = row->Next) row->Styles.reset();
  }
  store_.FirstRow->Flags |= rfRescan;
  pending_ = 0;
  changedEnd_ = store_.TextLength;
  Rescan();
}

TRescanner::TRestart TRescanner::FindRestart(TTextRow* row, int32_t rowStart, int32_t counter) const {
  const TByteSet& anchor = parser_.Anchor();
  if (row->Styles == nullptr || (anchor.Contains(0) && row->Styles[0] == 0)) return {row, rowStart, 0, counter, 0};

  // Back from the row's last character to the nearest anchor value.
  TTextRow* r = row;
  int32_t start = rowStart;
  int32_t k = r->Length - 1;
  for (;;) {
    if (k < 0) {
      if (r->Prev == nullptr || r->Prev->Styles == nullptr) {
        // No anchor among the rows with values: the start of the text.
        for (; r->Prev != nullptr; r = r->Prev) --counter;
        return {r, 0, 0, counter, 0};
      }
      r = r->Prev;
      start -= r->Length;
      --counter;
      k = r->Length - 1;
      continue;
    }
    if (anchor.Contains(r->Styles[k])) break;
    --k;
  }
  // Back to the first character of the run of that value.
  const uint8_t value = r->Styles[k];
  for (;;) {
    if (k > 0) {
      if (r->Styles[k - 1] != value) break;
      --k;
      continue;
    }
    TTextRow* prev = r->Prev;
    if (prev == nullptr || prev->Styles == nullptr || prev->Styles[prev->Length - 1] != value) break;
    r = prev;
    start -= r->Length;
    --counter;
    k = r->Length - 1;
  }
  return {r, start, k, counter, value};
}

void TRescanner::BeginRow(TTextRow* row, int32_t rowStart, int32_t counter, int32_t fill) {
  row_ = row;
  rowStart_ = rowStart;
  counter_ = counter;
  fill_ = fill;
  buffer_.resize(row->Length);
  if (fill > 0 && row->Styles != nullptr) std::memcpy(buffer_.data(), row->Styles.get(), static_cast<size_t>(fill));
  if (fill > 0 && row->Styles == nullptr) std::fill(buffer_.begin(), buffer_.begin() + fill, uint8_t{0});
}

bool TRescanner::Commit(bool continues) {
  TTextRow* row = row_;
  const size_t n = row->Length;
  ++rowsScanned_;
  const bool equal = row->Styles != nullptr && std::memcmp(row->Styles.get(), buffer_.data(), n) == 0;
  if (equal && (row->Flags & rfForceScan) == 0 && counter_ > 0 && rowStart_ >= changedEnd_ && !continues &&
      (row->Next == nullptr || row->Next->Styles != nullptr) && !parser_.InOpenConstruct()) {
    return false;
  }
  // Only a row whose values changed needs drawing again for them.
  if (!equal) std::memcpy(row->Styles.Ensure(), buffer_.data(), n);
  row->Flags = (row->Flags & ~(rfRescan | rfForceScan)) | (equal ? 0 : rfRepaint);
  if (row->Next == nullptr) return false;
  BeginRow(row->Next, rowStart_ + static_cast<int32_t>(n), counter_ + 1, 0);
  return true;
}

bool TRescanner::Put(uint8_t value, int32_t count, bool continues) {
  while (count > 0) {
    const int32_t take = std::min(count, static_cast<int32_t>(row_->Length) - fill_);
    std::memset(buffer_.data() + fill_, value, static_cast<size_t>(take));
    fill_ += take;
    count -= take;
    if (fill_ == row_->Length && !Commit(continues || count > 0)) return false;
  }
  return true;
}

void TRescanner::Rescan() {
  rowsScanned_ = 0;
  if (pending_ < 0) return;
  const int32_t changed = std::min(pending_, store_.TextLength);
  pending_ = -1;
  const TRowPos pos = store_.LocateRow(changed);
  if (pos.Row == nullptr || (pos.Row->Flags & (rfRescan | rfForceScan)) == 0) return;

  // One row before the pending row, and further back past rows without values.
  TTextRow* row = pos.Row;
  int32_t rowStart = pos.Start;
  int32_t counter = 0;
  do {
    if (row->Prev == nullptr) break;
    row = row->Prev;
    rowStart -= row->Length;
    --counter;
  } while (row->Styles == nullptr);

  const TRestart restart = FindRestart(row, rowStart, counter);
  restartOffset_ = restart.RowStart + restart.Offset;
  restartValue_ = restart.Value;

  TEdStream stream(&store_);
  stream.StartAt(restart.Row, restart.Offset, restart.RowStart);
  parser_.ResetContext(restart.Value);
  int32_t marker = -1;
  if (OnTokenSeen) OnTokenSeen(marker, -1, -1);
  BeginRow(restart.Row, restart.RowStart, restart.Counter, restart.Offset);

  if (parser_.CanScan()) {
    while (!stream.AtEnd()) {
      int32_t start = 0;
      int32_t end = 0;
      const int32_t value = ScanOnePiece(parser_, editor_, stream, start, end, OnTokenSeen);
      bool going;
      if (!parser_.Busy()) {
        going = Put(static_cast<uint8_t>(value), end - start, false);
      } else {
        // A container token: its rescan is written with it, runs of equal value at once.
        RescanContainer(parser_, editor_, stream, start, end, value, piece_, OnTokenSeen);
        going = true;
        for (size_t i = 0; going && i < piece_.size();) {
          size_t j = i + 1;
          while (j < piece_.size() && piece_[j] == piece_[i]) ++j;
          going = Put(piece_[i], static_cast<int32_t>(j - i), j < piece_.size());
          i = j;
        }
      }
      if (!going) break;
    }
  }

  parser_.ResetContext(restart.Value);
  marker = -2;
  if (OnTokenSeen) OnTokenSeen(marker, -2, -2);
}

}  // namespace ql
