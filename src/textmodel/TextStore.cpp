#include "textmodel/TextStore.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "textmodel/InkMemoErrors.h"
#include "toolkit/Stream.h"

namespace ql {
namespace {

constexpr int32_t ChunkSize = 8192;

bool HasTab(const char* text, int32_t len) { return std::memchr(text, '\t', static_cast<size_t>(len)) != nullptr; }

}  // namespace

void TTextStoreHost::LayoutRows(TTextStore& store, TTextRow* first, TTextRow* last) {
  store.SplitLongRows(first, last);
}

TTextStore::TTextStore(TTextStoreHost* host)
    : host_(host), annotations_(std::make_unique<TTextAnnotations>()), normalised_(ChunkSize + 1) {
  if (host_ == nullptr) {
    ownHost_ = std::make_unique<TTextStoreHost>();
    host_ = ownHost_.get();
  }
}

TTextStore::~TTextStore() { FreeAllRows(); }

void TTextStore::SetHost(TTextStoreHost* host) {
  if (host != nullptr) {
    host_ = host;
  } else {
    if (!ownHost_) ownHost_ = std::make_unique<TTextStoreHost>();
    host_ = ownHost_.get();
  }
}

void TTextStore::SetAnnotations(std::unique_ptr<TTextAnnotations> annotations) {
  annotations_ = annotations ? std::move(annotations) : std::make_unique<TTextAnnotations>();
}

void TTextStore::FreeAllRows() {
  TTextRow* row = FirstRow;
  while (row != nullptr) {
    TTextRow* next = row->Next;
    delete row;
    row = next;
  }
  FirstRow = nullptr;
  TopRow = nullptr;
  lastBuilt_ = nullptr;
  TopOffset = 0;
  TopRowIndex = 0;
  RowCount = 0;
  TextLength = 0;
  LongestRow = 0;
}

// --- Queries ---

void TTextStore::EnsureTopRow() {
  if (TopRow != nullptr) return;
  TopRowIndex = std::clamp(TopRowIndex, 0, std::max(RowCount - 1, 0));
  const TRowPos pos = RowByIndex(TopRowIndex);
  TopRow = pos.Row;
  TopOffset = pos.Start;
  TopRowIndex = pos.Index;
}

void TTextStore::SetTopRowIndex(int32_t index) {
  TopRowIndex = index;
  TopRow = nullptr;
  EnsureTopRow();
}

TRowPos TTextStore::LocateRow(int32_t offset) {
  EnsureTopRow();
  TRowPos pos;
  if (TopRow == nullptr) return pos;
  const int32_t t = TopOffset;
  if (offset >= t) {
    pos = {TopRow, TopRowIndex, t};
  } else if (offset < t / 2) {
    // The head is nearer than the top row.
    pos = {FirstRow, 0, 0};
  } else {
    pos = {TopRow, TopRowIndex, t};
    while (pos.Row->Prev != nullptr && offset < pos.Start) {
      pos.Row = pos.Row->Prev;
      pos.Start -= pos.Row->Length;
      pos.Index -= 1;
    }
  }
  while (pos.Row != nullptr && offset - pos.Start >= pos.Row->Length) {
    pos.Index += 1;
    if (pos.Row->Next == nullptr) {
      if (!pos.Row->EndsWithCR()) pos.Index -= 1;
      break;
    }
    pos.Start += pos.Row->Length;
    pos.Row = pos.Row->Next;
  }
  return pos;
}

TRowPos TTextStore::RowByIndex(int32_t index) const {
  TRowPos pos{FirstRow, 0, 0};
  if (pos.Row == nullptr) return pos;
  while (pos.Index < index && pos.Row->Next != nullptr) {
    pos.Start += pos.Row->Length;
    pos.Row = pos.Row->Next;
    pos.Index += 1;
  }
  return pos;
}

int32_t TTextStore::RowStart(int32_t index) const {
  if (index >= RowCount) return TextLength;
  return RowByIndex(std::max(index, 0)).Start;
}

int32_t TTextStore::RowLengthAt(int32_t offset) {
  const TRowPos pos = LocateRow(offset);
  if (pos.Row == nullptr) return 0;
  return static_cast<int32_t>(pos.Row->Content().size());
}

std::string TTextStore::RowText(int32_t index) const {
  if (index < 0 || index >= RowCount) return {};
  return std::string(RowByIndex(index).Row->Content());
}

int32_t TTextStore::ScanLongestRow() const {
  int32_t longest = 0;
  for (const TTextRow* row = FirstRow; row != nullptr; row = row->Next) longest = std::max<int32_t>(longest, row->Length);
  return longest;
}

TTextRow* TTextStore::LastRow() const {
  if (lastBuilt_ != nullptr && lastBuilt_->Next == nullptr) return lastBuilt_;
  TTextRow* row = FirstRow;
  while (row != nullptr && row->Next != nullptr) row = row->Next;
  return row;
}

std::string TTextStore::GetRange(int32_t start, int32_t end) {
  if (start > end) std::swap(start, end);
  start = std::clamp(start, 0, TextLength);
  end = std::clamp(end, 0, TextLength);
  std::string out;
  out.reserve(static_cast<size_t>(end - start));
  TRowPos pos = LocateRow(start);
  int32_t k = start - pos.Start;
  for (TTextRow* row = pos.Row; row != nullptr && pos.Start + k < end; row = row->Next) {
    const int32_t take = std::min<int32_t>(row->Length, end - pos.Start) - k;
    if (take > 0) out.append(row->Text.get() + k, static_cast<size_t>(take));
    pos.Start += row->Length;
    k = 0;
  }
  return out;
}

// --- Row list primitives ---

TTextRow* TTextStore::NewRow(const char* text, int32_t len) {
  auto* row = new (std::nothrow) TTextRow;
  char* buffer = row != nullptr ? new (std::nothrow) char[static_cast<size_t>(len) + 1] : nullptr;
  if (buffer == nullptr) {
    delete row;
    throw EInkMemo("Not enough memory for operation");
  }
  std::memcpy(buffer, text, static_cast<size_t>(len));
  buffer[len] = '\0';
  row->Text.reset(buffer);
  row->Length = static_cast<uint16_t>(len);
  row->Flags = rfRepaint | rfRescan | (HasTab(text, len) ? rfHasTab : 0);
  return row;
}

void TTextStore::LinkAfter(TTextRow* row, TTextRow* after) {
  row->Prev = after;
  if (after != nullptr) {
    row->Next = after->Next;
    after->Next = row;
  } else {
    row->Next = FirstRow;
    FirstRow = row;
  }
  if (row->Next != nullptr) row->Next->Prev = row;
  RowCount += 1;
}

void TTextStore::RemoveRow(TTextRow* row, bool mayShortenLongest) {
  if (row->Prev != nullptr) row->Prev->Next = row->Next;
  if (row->Next != nullptr) row->Next->Prev = row->Prev;
  if (FirstRow == row) FirstRow = row->Next;
  if (TopRow == row) TopRow = nullptr;
  if (lastBuilt_ == row) lastBuilt_ = row->Prev;
  if (mayShortenLongest && row->Length >= LongestRow) longestMayChange_ = true;
  RowCount = std::max(RowCount - 1, 0);
  delete row;
}

TTextStore::TBuiltRows TTextStore::BuildRows(const char* text, int32_t len, TTextRow* after, uint16_t markBits,
                                             uint16_t gutterMarks, std::unique_ptr<TRowAttachment> attachment) {
  TBuiltRows built;
  int32_t pos = 0;
  while (pos < len) {
    // A row ends after its CR, or after MaxRowLength characters of a longer line.
    const int32_t window = std::min(len - pos, MaxRowLength - 1);
    const void* cr = std::memchr(text + pos, '\r', static_cast<size_t>(window));
    int32_t end = cr != nullptr ? static_cast<int32_t>(static_cast<const char*>(cr) - text) : pos + window;
    if (end < len) ++end;
    TTextRow* row = NewRow(text + pos, end - pos);
    if (built.First == nullptr) {
      row->MarkBits = markBits;
      row->GutterMarks = gutterMarks;
      row->Attachment = std::move(attachment);
      if (row->Attachment) row->Attachment->SetRow(row);
      built.First = row;
    } else if (!built.Last->EndsWithCR()) {
      row->MarkBits = mbContinuation;
    }
    LinkAfter(row, built.Last != nullptr ? built.Last : after);
    LongestRow = std::max<int32_t>(LongestRow, row->Length);
    built.Last = row;
    pos = end;
  }
  return built;
}

void TTextStore::MarkRescan(TTextRow* from) {
  int32_t n = host_->VisibleRowCount() + 2;
  for (TTextRow* row = from; row != nullptr && n > 0; row = row->Next, --n) row->Flags |= rfRescan;
}

void TTextStore::RelayoutAll() { host_->LayoutRows(*this, nullptr, nullptr); }

void TTextStore::SplitLongRows(TTextRow* first, TTextRow* last) {
  TTextRow* row = first != nullptr ? first : FirstRow;
  while (row != nullptr) {
    TTextRow* next = row->Next;
    const bool atLast = row == last;
    if (row->Length > MaxRowLength) {
      const std::string text(row->All());
      TTextRow* prev = row->Prev;
      const uint16_t markBits = row->MarkBits;
      const uint16_t gutterMarks = row->GutterMarks;
      std::unique_ptr<TRowAttachment> attachment = std::move(row->Attachment);
      const bool wasTop = TopRow == row;
      RemoveRow(row);
      const TBuiltRows built = BuildRows(text.data(), static_cast<int32_t>(text.size()), prev, markBits, gutterMarks,
                                         std::move(attachment));
      if (wasTop) TopRow = nullptr;
      if (lastBuilt_ == prev && bulkAppend_) lastBuilt_ = built.Last;
    }
    if (atLast) break;
    row = next;
  }
  LongestRow = ScanLongestRow();
  longestMayChange_ = false;
  EnsureTopRow();
}

// --- InsertText ---

int32_t TTextStore::InsertText(int32_t offset, const char* text, int32_t len) {
  if (text == nullptr || len <= 0) return 0;
  offset = std::clamp(offset, 0, TextLength);
  longestMayChange_ = false;
  if (!bulkAppend_) normaliser_.Reset();
  int32_t inserted = 0;
  int32_t left = len;
  const char* src = text;
  while (left > 0) {
    int32_t n = left;
    if (left > ChunkSize - 1) {
      // A CR is never separated from an LF that follows it.
      n = src[ChunkSize - 1] == '\r' ? ChunkSize - 1 : ChunkSize;
    }
    const int32_t stored = normaliser_.NormaliseChunk(src, n, normalised_.data());
    src += n;
    left -= n;
    if (stored == 0) continue;
    const int32_t at = bulkAppend_ ? TextLength : offset;
    InsertPiece(at, normalised_.data(), stored);
    host_->TextChanged(at, stored);
    annotations_->BreakpointsInserted(at, stored);
    offset = at + stored;
    inserted += stored;
  }
  // Built rows raise LongestRow as they are made; only a freed row can lower it.
  if (longestMayChange_) LongestRow = ScanLongestRow();
  longestMayChange_ = false;
  if (LongestRow > MaxRowLength) RelayoutAll();
  return inserted;
}

int32_t TTextStore::InsertPiece(int32_t o, const char* p, int32_t n) {
  TextLength += n;
  annotations_->BookmarksInserted(o, n);

  TRowPos pos;
  if (bulkAppend_) {
    TTextRow* last = lastBuilt_ != nullptr ? lastBuilt_ : LastRow();
    if (last != nullptr) pos = {last, RowCount - 1, o - last->Length};
  } else {
    pos = LocateRow(o);
  }
  TTextRow* r = pos.Row;

  if (n == 1 && p[0] != '\r' && r != nullptr && o - pos.Start != r->Length) {
    // A single character goes into its row in place.
    const int32_t k = std::clamp(o - pos.Start, 0, static_cast<int32_t>(r->Length));
    auto buffer = std::make_unique<char[]>(static_cast<size_t>(r->Length) + 2);
    std::memcpy(buffer.get(), r->Text.get(), static_cast<size_t>(k));
    buffer[k] = p[0];
    std::memcpy(buffer.get() + k + 1, r->Text.get() + k, static_cast<size_t>(r->Length - k));
    buffer[r->Length + 1] = '\0';
    r->Text = std::move(buffer);
    r->Length = static_cast<uint16_t>(r->Length + 1);
    r->Styles.reset();
    r->Flags |= rfRepaint | rfRescan | (p[0] == '\t' ? rfHasTab : 0);
    LongestRow = std::max<int32_t>(LongestRow, r->Length);
    if (r != TopRow && o < TopOffset) TopRow = nullptr;
    if (host_->WordWrapOn()) host_->LayoutRows(*this, r, r);
    return n;
  }

  TTextRow* after = nullptr;
  uint16_t markBits = 0;
  uint16_t gutterMarks = 0;
  std::unique_ptr<TRowAttachment> attachment;
  const char* text = p;
  int32_t len = n;
  int32_t freedLength = 0;
  if (r != nullptr && o - pos.Start >= r->Length && r->EndsWithCR()) {
    // Appending after the final line break: that row stays as it is.
    after = r;
  } else if (r != nullptr) {
    const int32_t k = std::clamp(o - pos.Start, 0, static_cast<int32_t>(r->Length));
    combined_.clear();
    combined_.append(r->Text.get(), static_cast<size_t>(k));
    combined_.append(p, static_cast<size_t>(n));
    combined_.append(r->Text.get() + k, static_cast<size_t>(r->Length - k));
    text = combined_.data();
    len = static_cast<int32_t>(combined_.size());
    markBits = r->MarkBits;
    gutterMarks = r->GutterMarks;
    attachment = std::move(r->Attachment);
    after = r->Prev;
    if (o < TopOffset) TopRow = nullptr;
    freedLength = r->Length;
    RemoveRow(r, false);
  }
  const int32_t longestBefore = LongestRow;
  const TBuiltRows built = BuildRows(text, len, after, markBits, gutterMarks, std::move(attachment));
  // The rebuilt rows hold every character of the freed row; the longest row can only have
  // become shorter when a line break was inserted into it.
  if (freedLength >= longestBefore) {
    int32_t builtLongest = 0;
    for (TTextRow* row = built.First; row != nullptr; row = row == built.Last ? nullptr : row->Next) {
      builtLongest = std::max<int32_t>(builtLongest, row->Length);
    }
    if (builtLongest < freedLength) longestMayChange_ = true;
  }
  if (bulkAppend_) lastBuilt_ = built.Last;
  MarkRescan(built.First);
  if (host_->WordWrapOn()) host_->LayoutRows(*this, built.First, built.Last);
  return n;
}

// --- DeleteText ---

void TTextStore::DeleteText(int32_t start, int32_t end) {
  if (start > end) std::swap(start, end);
  start = std::clamp(start, 0, TextLength);
  end = std::clamp(end, 0, TextLength);
  if (start == end || FirstRow == nullptr) return;
  longestMayChange_ = false;
  TextLength -= end - start;
  annotations_->BookmarksDeleted(start, end);

  const TRowPos pos = LocateRow(start);
  TTextRow* r = pos.Row;
  TTextRow* before = r->Prev;
  const uint16_t markBits = r->MarkBits;
  const uint16_t gutterMarks = r->GutterMarks;
  std::unique_ptr<TRowAttachment> attachment = std::move(r->Attachment);
  std::string joined(r->Text.get(), static_cast<size_t>(std::clamp(start - pos.Start, 0, static_cast<int32_t>(r->Length))));
  if (r != TopRow && start < TopOffset) TopRow = nullptr;

  int32_t e = end - pos.Start;
  while (r != nullptr && e >= r->Length) {
    TTextRow* next = r->Next;
    e -= r->Length;
    RemoveRow(r);
    r = next;
  }
  TTextRow* next = nullptr;
  if (r != nullptr) {
    joined.append(r->Text.get() + e, static_cast<size_t>(r->Length - e));
    next = r->Next;
    RemoveRow(r);
  }

  if (!joined.empty()) {
    TTextRow* row = NewRow(joined.data(), static_cast<int32_t>(joined.size()));
    row->Flags = rfRescan | (HasTab(joined.data(), static_cast<int32_t>(joined.size())) ? rfHasTab : 0);
    row->MarkBits = markBits;
    row->GutterMarks = gutterMarks;
    row->Attachment = std::move(attachment);
    if (row->Attachment) row->Attachment->SetRow(row);
    LinkAfter(row, before);
    if (bulkAppend_ && row->Next == nullptr) lastBuilt_ = row;
    LongestRow = std::max<int32_t>(LongestRow, row->Length);
  }

  if (FirstRow != nullptr) {
    if (longestMayChange_) LongestRow = ScanLongestRow();
    longestMayChange_ = false;
    EnsureTopRow();
    if (LongestRow > MaxRowLength) {
      RelayoutAll();
    } else if (host_->WordWrapOn()) {
      host_->LayoutRows(*this, before != nullptr ? before : FirstRow, next);
    }
    host_->TextChanged(start, -(end - start));
    annotations_->BreakpointsDeleted(start, end);
    return;
  }

  FreeAllRows();
  host_->TextEmptied();
  host_->TextChanged(0, 0);
  annotations_->TextEmptied();
}

// --- Bulk append ---

void TTextStore::BeginBulkAppend() {
  bulkAppend_ = true;
  lastBuilt_ = LastRow();
  normaliser_.Reset();
}

void TTextStore::EndBulkAppend() {
  bulkAppend_ = false;
  lastBuilt_ = nullptr;
  normaliser_.Reset();
}

// --- Writers ---

namespace {

// Calls emit(pointer, length, ranThroughCR) for each row part of start..end.
template <typename Emit>
void ForEachPart(TTextStore& store, int32_t start, int32_t end, Emit emit) {
  if (start > end) std::swap(start, end);
  start = std::clamp(start, 0, store.TextLength);
  end = std::clamp(end, 0, store.TextLength);
  if (start == end) return;
  TRowPos pos = store.LocateRow(start);
  int32_t k = start - pos.Start;
  for (TTextRow* row = pos.Row; row != nullptr && pos.Start + k < end; row = row->Next) {
    const int32_t stop = std::min<int32_t>(row->Length, end - pos.Start);
    if (stop > k) {
      const bool throughCR = stop == row->Length && row->EndsWithCR();
      emit(row->Text.get() + k, stop - k, throughCR);
    }
    pos.Start += row->Length;
    k = 0;
  }
}

}  // namespace

void TTextStore::WritePlainText(int32_t start, int32_t end, TLineBreakForm form, TStream& stream) {
  ForEachPart(*this, start, end, [&](const char* text, int32_t len, bool throughCR) {
    switch (form) {
      case TLineBreakForm::CR: stream.WriteBuffer(text, len); break;
      case TLineBreakForm::CRLF:
        stream.WriteBuffer(text, len);
        if (throughCR) stream.WriteBuffer("\n", 1);
        break;
      case TLineBreakForm::LF:
        stream.WriteBuffer(text, throughCR ? len - 1 : len);
        if (throughCR) stream.WriteBuffer("\n", 1);
        break;
    }
  });
}

int32_t TTextStore::PlainTextLength(int32_t start, int32_t end, TLineBreakForm form) {
  int32_t total = 0;
  ForEachPart(*this, start, end, [&](const char*, int32_t len, bool throughCR) {
    total += len + (form == TLineBreakForm::CRLF && throughCR ? 1 : 0);
  });
  return total;
}

}  // namespace ql
