#include "textmodel/EdStream.h"

#include <algorithm>
#include <cstring>

#include "textmodel/TextStore.h"

namespace ql {

TEdStream::TEdStream(TTextStore* store) : store_(store) {
  if (store_ != nullptr) {
    textLength_ = store_->TextLength;
    SetRow(store_->FirstRow);
  }
}

void TEdStream::SkipRowEnd() {
  if (row_ != nullptr && offset_ >= row_->Length && row_->Next != nullptr) {
    SetRow(row_->Next);
    offset_ = 0;
  }
}

void TEdStream::SetRow(TTextRow* row) {
  row_ = row;
  text_ = row != nullptr ? row->Text.get() : nullptr;
}

void TEdStream::StartAt(TTextRow* row, int32_t offsetInRow, int32_t rowStart) {
  SetRow(row);
  offset_ = row_ != nullptr ? std::clamp<int32_t>(offsetInRow, 0, row_->Length) : 0;
  position_ = rowStart + offset_;
  textLength_ = store_ != nullptr ? store_->TextLength : 0;
  SkipRowEnd();
}

void TEdStream::StartAt(int32_t position) {
  if (store_ == nullptr) {
    StartAt(nullptr, 0, 0);
    return;
  }
  position = std::clamp(position, 0, store_->TextLength);
  const TRowPos pos = store_->LocateRow(position);
  StartAt(pos.Row, position - pos.Start, pos.Start);
}

uint8_t TEdStream::PeekChar() const {
  // A row's text is followed by a NUL, so the end of the last row reads as 0.
  return text_ != nullptr ? static_cast<uint8_t>(text_[offset_]) : 0;
}

void TEdStream::NextChar() {
  if (row_ == nullptr || offset_ >= row_->Length) return;
  ++offset_;
  ++position_;
  SkipRowEnd();
}

void TEdStream::PrevChar() {
  if (row_ == nullptr) return;
  if (offset_ == 0) {
    if (row_->Prev == nullptr) return;
    SetRow(row_->Prev);
    offset_ = row_->Length;
  }
  --offset_;
  --position_;
}

void TEdStream::SetCharPos(int32_t p) {
  if (row_ == nullptr) return;
  int64_t d = static_cast<int64_t>(p) - position_;
  if (d < 0) {
    d = -d;
    while (d > 0) {
      if (d <= offset_) {
        offset_ -= static_cast<int32_t>(d);
        d = 0;
      } else if (row_->Prev == nullptr) {
        d -= offset_;
        offset_ = 0;
        break;
      } else {
        d -= offset_ + 1;
        SetRow(row_->Prev);
        offset_ = row_->Length - 1;
      }
    }
    position_ = static_cast<int32_t>(p + d);
  } else if (d > 0) {
    while (d > 0) {
      const int32_t rest = row_->Length - offset_;
      if (d < rest) {
        offset_ += static_cast<int32_t>(d);
        d = 0;
      } else if (row_->Next == nullptr) {
        d -= rest;
        offset_ = row_->Length;
        break;
      } else {
        d -= rest;
        SetRow(row_->Next);
        offset_ = 0;
      }
    }
    position_ = static_cast<int32_t>(p - d);
  }
}

int32_t TEdStream::Read(void* buffer, int32_t count) {
  char* out = static_cast<char*>(buffer);
  int32_t copied = 0;
  while (count > 0 && position_ < textLength_ && row_ != nullptr) {
    const int32_t rest = row_->Length - offset_;
    const int32_t n = std::min({count, rest, textLength_ - position_});
    if (n <= 0) break;
    std::memcpy(out + copied, text_ + offset_, static_cast<size_t>(n));
    copied += n;
    count -= n;
    offset_ += n;
    position_ += n;
    SkipRowEnd();
  }
  return copied;
}

int32_t TEdStream::Write(const void*, int32_t) { throw EStreamError("Cannot write to a read-only stream"); }

int64_t TEdStream::Seek(int64_t offset, int32_t origin) {
  // Any offset beyond the 32-bit range lands at an end of the text; keep the sums below exact.
  offset = std::clamp<int64_t>(offset, -(int64_t{1} << 40), int64_t{1} << 40);
  int64_t target;
  switch (origin) {
    case soFromBeginning: target = offset; break;
    case soFromCurrent:
      if (offset == 0) return position_;
      target = position_ + offset;
      break;
    case soFromEnd:
      if (store_ == nullptr) return position_;
      target = textLength_ - offset;
      break;
    default: return position_;
  }
  SetCharPos(static_cast<int32_t>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX)));
  return position_;
}

}  // namespace ql
