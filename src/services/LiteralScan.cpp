#include "services/LiteralScan.h"

#include <algorithm>
#include <cstring>

#include "services/ByteScan.h"
#include "services/RowCursor.h"
#include "textmodel/CharClasses.h"
#include "textmodel/TextRow.h"

namespace ql {
namespace {

constexpr uint8_t UpperChar(uint8_t c) { return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - ('a' - 'A')) : c; }
constexpr bool IsLetter(uint8_t c) { return UpperChar(c) >= 'A' && UpperChar(c) <= 'Z'; }

}  // namespace

void TLiteral::Prepare(std::string_view text, bool caseSensitive) {
  text_.assign(text);
  caseSensitive_ = caseSensitive;
  folded_.clear();
  if (!caseSensitive)
    for (char c : text_) folded_.push_back(static_cast<char>(UpperChar(static_cast<uint8_t>(c))));

  // The rarest byte; a letter without case costs the ranks of both its cases.
  int best = 0;
  anchor_ = 0;
  for (int32_t i = 0; i < Length(); ++i) {
    const uint8_t c = static_cast<uint8_t>(text_[static_cast<size_t>(i)]);
    int rank = ByteCommonness(c);
    if (!caseSensitive && IsLetter(c)) rank = ByteCommonness(UpperChar(c)) + ByteCommonness(LowerChar(c));
    if (i == 0 || rank < best) {
      best = rank;
      anchor_ = i;
    }
  }
  const uint8_t a = text_.empty() ? 0 : static_cast<uint8_t>(text_[static_cast<size_t>(anchor_)]);
  anchorA_ = caseSensitive ? a : UpperChar(a);
  anchorB_ = caseSensitive ? a : LowerChar(a);
}

bool TLiteral::EqualsChars(const uint8_t* p) const {
  if (caseSensitive_) return std::memcmp(p, text_.data(), text_.size()) == 0;
  for (size_t i = 0; i < folded_.size(); ++i)
    if (UpperChar(p[i]) != static_cast<uint8_t>(folded_[i])) return false;
  return true;
}

bool TLiteral::OccursAt(TRowCursor& text, int32_t pos) const {
  if (pos < 0 || text_.empty() || pos > text.TextLength() - Length()) return false;
  for (int32_t i = 0; i < Length(); ++i) {
    const uint8_t c = text.At(pos + i);
    const uint8_t want = static_cast<uint8_t>(caseSensitive_ ? text_[static_cast<size_t>(i)] : folded_[static_cast<size_t>(i)]);
    if ((caseSensitive_ ? c : UpperChar(c)) != want) return false;
  }
  return true;
}

TLiteralScan::TLiteralScan(const TLiteral& literal, TRowCursor& text) : literal_(literal), text_(text) {}

bool TLiteralScan::SetRowHolding(int32_t pos) {
  if (!text_.Seek(pos)) return false;
  row_ = text_.Row();
  data_ = text_.Data();
  rowStart_ = text_.RowStart();
  rowEnd_ = text_.RowEnd();
  return true;
}

void TLiteralScan::Start(int32_t from, bool forward) {
  forward_ = forward;
  const int32_t n = literal_.Length();
  firstAnchor_ = literal_.anchor_;
  lastAnchor_ = text_.TextLength() - n + literal_.anchor_;
  done_ = n == 0 || firstAnchor_ > lastAnchor_;
  if (done_) return;
  // In 64 bits: from may be anywhere.
  const int64_t at = int64_t{from} + literal_.anchor_;
  if (forward ? at > lastAnchor_ : at < firstAnchor_) {
    done_ = true;
    return;
  }
  scan_ = static_cast<int32_t>(std::clamp<int64_t>(at, firstAnchor_, lastAnchor_));
  done_ = !SetRowHolding(scan_);
}

bool TLiteralScan::Confirm(int32_t cand) {
  if (cand >= rowStart_ && cand + literal_.Length() <= rowEnd_) return literal_.EqualsChars(data_ + (cand - rowStart_));
  text_.Place(row_, rowStart_);
  return literal_.OccursAt(text_, cand);
}

void TLiteralScan::PlaceCursor() {
  if (row_ != nullptr) text_.Place(row_, rowStart_);
}

int32_t TLiteralScan::Next() {
  if (done_) return -1;
  const int32_t found = forward_ ? NextForward() : NextBackward();
  if (found < 0) done_ = true;
  return found;
}

int32_t TLiteralScan::NextForward() {
  for (;;) {
    if (scan_ > lastAnchor_) return -1;
    if (scan_ >= rowEnd_) {
      if (row_->Next == nullptr) return -1;
      row_ = row_->Next;
      rowStart_ = rowEnd_;
      const std::string_view all = row_->All();
      data_ = reinterpret_cast<const uint8_t*>(all.data());
      rowEnd_ = rowStart_ + static_cast<int32_t>(all.size());
      continue;
    }
    const int32_t hi = std::min(rowEnd_, lastAnchor_ + 1);
    const ptrdiff_t k = FindEitherByte(data_ + (scan_ - rowStart_), static_cast<size_t>(hi - scan_), literal_.anchorA_,
                                       literal_.anchorB_);
    if (k < 0) {
      scan_ = hi;
      continue;
    }
    const int32_t q = scan_ + static_cast<int32_t>(k);
    scan_ = q + 1;
    const int32_t cand = q - literal_.anchor_;
    if (Confirm(cand)) return cand;
  }
}

int32_t TLiteralScan::NextBackward() {
  for (;;) {
    if (scan_ < firstAnchor_) return -1;
    if (scan_ < rowStart_) {
      if (row_->Prev == nullptr) return -1;
      row_ = row_->Prev;
      const std::string_view all = row_->All();
      data_ = reinterpret_cast<const uint8_t*>(all.data());
      rowEnd_ = rowStart_;
      rowStart_ = rowEnd_ - static_cast<int32_t>(all.size());
      continue;
    }
    const int32_t lo = std::max(rowStart_, firstAnchor_);
    const ptrdiff_t k = FindEitherByteBack(data_ + (lo - rowStart_), static_cast<size_t>(scan_ + 1 - lo),
                                           literal_.anchorA_, literal_.anchorB_);
    if (k < 0) {
      scan_ = lo - 1;
      continue;
    }
    const int32_t q = lo + static_cast<int32_t>(k);
    scan_ = q - 1;
    const int32_t cand = q - literal_.anchor_;
    if (Confirm(cand)) return cand;
  }
}

}  // namespace ql
