#include "textmodel/TextStore.h"

#include <algorithm>
#include <climits>
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
    : host_(host), annotations_(std::make_unique<TTextAnnotations>()), arena_(std::make_unique<TRowArena>()),
      normalised_(ChunkSize + 1) {
  if (host_ == nullptr) {
    ownHost_ = std::make_unique<TTextStoreHost>();
    host_ = ownHost_.get();
  }
}

TTextStore::~TTextStore() { FreeAllRows(); }

TObjectList& TTextStore::EnsureMarks() {
  if (!Marks) Marks = std::make_unique<TObjectList>();
  return *Marks;
}

void TTextStore::FreeAnnotations() {
  CustomBookmarks.Clear();
  Marks.reset();
  Breakpoints.Clear();
  CodeBreak.ExecPoint->SetEnabled(false);
}

// --- Annotations ---

namespace {

// Marks the store as being edited for the lifetime of the guard.
class TEditGuard {
public:
  explicit TEditGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TEditGuard() { flag_ = false; }
  TEditGuard(const TEditGuard&) = delete;
  TEditGuard& operator=(const TEditGuard&) = delete;

private:
  bool& flag_;
};

}  // namespace

void TTextStore::EnterEdit() {
  if (editing_) throw EInkMemo("The text cannot be changed while it is being changed");
}

template <typename F>
void TTextStore::Notifying(F f) noexcept {
  try {
    f();
  } catch (...) {
    if (!notifyFailure_) notifyFailure_ = std::current_exception();
  }
}

void TTextStore::RethrowNotifyFailure() {
  if (!notifyFailure_) return;
  std::exception_ptr failure = notifyFailure_;
  notifyFailure_ = nullptr;
  std::rethrow_exception(failure);
}

void TTextStore::BeforeInsert(int32_t offset, int32_t n) {
  Notifying([&] { CustomBookmarks.ShiftForInsert(offset, n); });
  if (Marks) Notifying([&] { Marks->ShiftForInsert(offset, n); });
}

void TTextStore::AfterInsert(int32_t offset, int32_t n) {
  Notifying([&] { Breakpoints.AdjustForEdit(offset, n); });
  Notifying([&] { CodeBreak.AdjustForEdit(offset, n); });
}

void TTextStore::BeforeDelete(int32_t start, int32_t end) {
  Breakpoints.PrepareDelete(start, end);
  CodeBreak.PrepareDelete(start, end);
  Notifying([&] { CustomBookmarks.AdjustForDelete(start, end - start); });
  if (Marks) Notifying([&] { Marks->AdjustForDelete(start, end); });
}

void TTextStore::AfterDelete(int32_t start, int32_t end) {
  Notifying([&] { Breakpoints.AdjustForEdit(start, -(end - start)); });
  Notifying([&] { CodeBreak.AdjustForEdit(start, -(end - start)); });
}

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
  // Rows are plain memory of the arena: it is given back whole, attachments with it.
  index_.Clear();
  arena_->Reset();
  std::fill(rowsOfLength_.begin(), rowsOfLength_.end(), 0);
  FirstRow = nullptr;
  TopRow = nullptr;
  lastRow_ = nullptr;
  overlong_ = nullptr;
  TopOffset = 0;
  TopRowIndex = 0;
  RowCount = 0;
  TextLength = 0;
  LongestRow = 0;
}

int64_t TTextStore::RowBytes() const { return arena_->BytesUsed(); }

std::string TTextStore::CheckIndex() const { return index_.Check(FirstRow); }

// --- Queries ---

namespace {

// Walks pos forward to the row holding offset, taking at most maxSteps steps (false when they
// did not suffice). Past the last row it stops on it; the index then counts the virtual line
// when that row ends with CR.
bool WalkTo(TRowPos& pos, int32_t offset, int32_t maxSteps) {
  for (int32_t steps = 0; offset - pos.Start >= pos.Row->Length; ++steps) {
    if (steps == maxSteps) return false;
    pos.Index += 1;
    if (pos.Row->Next == nullptr) {
      if (!pos.Row->EndsWithCR()) pos.Index -= 1;
      return true;
    }
    pos.Start += pos.Row->Length;
    pos.Row = pos.Row->Next;
  }
  return true;
}

// Rows walked from the top row before the index is asked instead.
constexpr int32_t ShortMove = 8;

// A walk inside a block goes from row to row through dependent loads. The rows of a block were
// mostly built one after another and lie one after another in memory, each taking its header
// and about two bytes a character: fetching that stretch ahead lets the walk's loads overlap.
void PrefetchWalk(const TTextRow* head, int64_t characters, int64_t rows) {
  const int64_t bytes = std::min<int64_t>(2 * characters + static_cast<int64_t>(sizeof(TTextRow) + 2) * rows + 64, 16384);
  const char* p = reinterpret_cast<const char*>(head);
  for (int64_t at = 64; at < bytes; at += 64) __builtin_prefetch(p + at);
}

}  // namespace

void TTextStore::EnsureTopRow() const {
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

TTextStore::TFound TTextStore::Find(int32_t offset) const {
  EnsureTopRow();
  TFound pos;
  if (FirstRow == nullptr) return pos;
  if (TopRow != nullptr && offset >= TopOffset) {
    pos.Row = TopRow;
    pos.Index = TopRowIndex;
    pos.Start = TopOffset;
    if (WalkTo(pos, offset, ShortMove)) return pos;
  }
  const TBlockPos block = index_.BlockAtOffset(offset);
  const int64_t ahead = std::clamp<int64_t>(offset - block.Start, 0, TextLength - block.Start);
  PrefetchWalk(block.Head, ahead, ahead / std::max<int64_t>(1, TextLength / std::max(RowCount, 1)) + 1);
  pos.Row = block.Head;
  pos.Index = block.Index;
  pos.Start = block.Start;
  pos.Block = block.Block;
  WalkTo(pos, offset, INT32_MAX);
  return pos;
}

TRowPos TTextStore::LocateRow(int32_t offset) const { return Find(offset); }

TRowPos TTextStore::RowByIndex(int32_t index) const {
  if (FirstRow == nullptr) return {};
  const TBlockPos block = index_.BlockAtRow(index);
  TRowPos pos{block.Head, block.Index, block.Start};
  const int32_t target = std::clamp(index, 0, RowCount - 1);
  PrefetchWalk(block.Head, static_cast<int64_t>(target - block.Index) * (TextLength / std::max(RowCount, 1)),
               target - block.Index + 1);
  while (pos.Index < target) {
    pos.Start += pos.Row->Length;
    pos.Row = pos.Row->Next;
    pos.Index += 1;
  }
  return pos;
}

TRowPos TTextStore::RowPosition(const TTextRow* row) const {
  if (row == nullptr) return {};
  const TBlockPos pos = index_.PositionOf(row);
  return {const_cast<TTextRow*>(row), pos.Index, pos.Start};
}

int32_t TTextStore::RowStart(int32_t index) const {
  if (index >= RowCount) return TextLength;
  return RowByIndex(std::max(index, 0)).Start;
}

int32_t TTextStore::RowLengthAt(int32_t offset) const {
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

std::string TTextStore::GetRange(int32_t start, int32_t end) const {
  if (start > end) std::swap(start, end);
  start = std::clamp(start, 0, TextLength);
  end = std::clamp(end, 0, TextLength);
  std::string out;
  out.reserve(static_cast<size_t>(end - start));
  TRowPos pos = LocateRow(start);
  int32_t k = start - pos.Start;
  for (const TTextRow* row = pos.Row; row != nullptr && pos.Start + k < end; row = row->Next) {
    const int32_t take = std::min<int32_t>(row->Length, end - pos.Start) - k;
    if (take > 0) out.append(row->Text.get() + k, static_cast<size_t>(take));
    pos.Start += row->Length;
    k = 0;
  }
  return out;
}

// --- Row list primitives ---

TTextRow* TTextStore::NewRow(const TSplicedText& text, int32_t from, int32_t len) {
  void* block = arena_->Allocate(sizeof(TTextRow) + rowstorage::RowAreaBytes(static_cast<uint32_t>(len)));
  auto* row = new (block) TTextRow;
  char* chars = rowstorage::Area(row);
  text.CopyTo(chars, from, len);
  chars[len] = '\0';
  row->Length = static_cast<uint16_t>(len);
  row->Flags = rfRepaint | rfRescan | (HasTab(chars, len) ? rfHasTab : 0);
  return row;
}

void TTextStore::FreeRow(TTextRow* row) {
  if ((row->StoreBits & rsAttached) != 0) row->Attachment.reset();
  uint32_t area = rowstorage::RowAreaBytes(row->Length);
  if ((row->StoreBits & rsMoved) != 0) {
    rowstorage::TMovedHeader* moved = rowstorage::MovedBlock(row);
    area = moved->RowAreaBytes;
    arena_->Free(moved, rowstorage::MovedHeaderBytes + moved->AreaBytes);
  }
  row->~TTextRow();
  arena_->Free(row, sizeof(TTextRow) + area);
}

void TTextStore::CountLength(int32_t length, int32_t delta) {
  if (rowsOfLength_.empty()) rowsOfLength_.assign(TRowArena::MaxBlockBytes / 2, 0);
  rowsOfLength_[static_cast<size_t>(length)] += delta;
  if (delta > 0) {
    LongestRow = std::max(LongestRow, length);
  } else if (length >= LongestRow) {
    while (LongestRow > 0 && rowsOfLength_[static_cast<size_t>(LongestRow)] == 0) --LongestRow;
  }
}

void TTextStore::LinkAfter(TTextRow* row, TTextRow* after, TRowBlock*& cursor) {
  row->Prev = after;
  if (after != nullptr) {
    row->Next = after->Next;
    after->Next = row;
  } else {
    row->Next = FirstRow;
    FirstRow = row;
  }
  if (row->Next != nullptr) {
    row->Next->Prev = row;
  } else {
    lastRow_ = row;
  }
  RowCount += 1;
  CountLength(row->Length, 1);
  index_.Linked(row, cursor);
}

void TTextStore::UnlinkRow(TTextRow* row, TRowBlock*& cursor) {
  index_.Unlinking(row, cursor);
  CountLength(row->Length, -1);
  TTextRow* prev = row->Prev;
  TTextRow* next = row->Next;
  if (prev != nullptr) prev->Next = next;
  if (next != nullptr) next->Prev = prev;
  if (FirstRow == row) FirstRow = next;
  if (lastRow_ == row) lastRow_ = prev;
  if (TopRow == row) TopRow = nullptr;
  if (overlong_ == row) overlong_ = nullptr;
  RowCount = std::max(RowCount - 1, 0);
}

TTextStore::TBuiltRows TTextStore::BuildRows(const TSplicedText& text, TTextRow* after, uint16_t markBits,
                                             uint16_t gutterMarks, std::unique_ptr<TRowAttachment> attachment,
                                             TRowBlock* cursor) {
  TBuiltRows built;
  const int32_t len = text.Length();
  int32_t pos = 0;
  while (pos < len) {
    // A row ends after its CR, or after MaxRowLength characters of a longer line.
    const int32_t window = std::min(len - pos, MaxRowLength - 1);
    const int32_t cr = text.FindCR(pos, window);
    int32_t end = cr >= 0 ? cr : pos + window;
    if (end < len) ++end;
    TTextRow* row = NewRow(text, pos, end - pos);
    if (built.First == nullptr) {
      row->MarkBits = markBits;
      row->GutterMarks = gutterMarks;
      built.First = row;
    } else if (!built.Last->EndsWithCR()) {
      row->MarkBits = mbContinuation;
    }
    LinkAfter(row, built.Last != nullptr ? built.Last : after, cursor);
    if (row == built.First && attachment != nullptr) {
      row->Attachment = std::move(attachment);
      row->Attachment->SetRow(row);
    }
    built.Last = row;
    pos = end;
  }
  return built;
}

void TTextStore::MarkRescan(TTextRow* from) {
  int32_t n = host_->VisibleRowCount() + 2;
  for (TTextRow* row = from; row != nullptr && n > 0; row = row->Next, --n) row->Flags |= rfRescan;
}

void TTextStore::SplitLongRows(TTextRow* first, TTextRow* last) {
  TTextRow* row = first != nullptr ? first : FirstRow;
  std::vector<int32_t> lengths;
  while (row != nullptr) {
    TTextRow* next = row->Next;
    const bool atLast = row == last;
    if (row->Length > MaxRowLength) {
      lengths.clear();
      int32_t rest = row->Length;
      for (; rest > MaxRowLength; rest -= MaxRowLength) lengths.push_back(MaxRowLength);
      lengths.push_back(rest);
      ReplaceRows(row, row, lengths);
    }
    if (atLast) break;
    row = next;
  }
}

TRowSpan TTextStore::ReplaceRows(TTextRow* first, TTextRow* last, const std::vector<int32_t>& lengths) {
  std::vector<TTextRow*> olds;
  for (TTextRow* r = first;; r = r->Next) {
    olds.push_back(r);
    if (r == last) break;
  }
  // Rows at either end that keep their length hold the same characters: they stay as they are.
  size_t head = 0;
  while (head < olds.size() && head < lengths.size() && olds[head]->Length == lengths[head]) ++head;
  size_t tail = 0;
  while (tail < olds.size() - head && tail < lengths.size() - head &&
         olds[olds.size() - 1 - tail]->Length == lengths[lengths.size() - 1 - tail]) {
    ++tail;
  }
  if (head + tail == olds.size() && head + tail == lengths.size()) return {first, last};

  std::string text;
  std::string values;
  bool styled = true;
  uint16_t bookmarks = 0;
  uint16_t gutterMarks = 0;
  for (size_t i = head; i < olds.size() - tail; ++i) {
    const TTextRow* r = olds[i];
    text.append(r->All());
    if (styled && r->Styles) {
      values.append(reinterpret_cast<const char*>(r->Styles.get()), r->Length);
    } else {
      styled = false;
    }
    bookmarks |= r->MarkBits & mbBookmarkMask;
    gutterMarks |= r->GutterMarks;
  }
  const auto total = static_cast<int32_t>(text.size());

  // Every new row is made before an old one goes, so a failure leaves the rows as they were.
  std::vector<TTextRow*> made;
  made.reserve(lengths.size() - head - tail);
  const TSplicedText source = TSplicedText().Add(text.data(), total);
  try {
    int32_t at = 0;
    for (size_t i = head; i < lengths.size() - tail; ++i) {
      const int32_t len = lengths[i];
      if (len < 1 || len > MaxRowLength || at + len > total) throw EInkMemo("Invalid row lengths");
      TTextRow* row = NewRow(source, at, len);
      if (styled) std::memcpy(row->Styles.Ensure(), values.data() + at, static_cast<size_t>(len));
      row->GutterMarks = gutterMarks;
      made.push_back(row);
      at += len;
    }
    if (at != total || made.empty()) throw EInkMemo("Invalid row lengths");
  } catch (...) {
    for (TTextRow* row : made) FreeRow(row);
    throw;
  }

  TTextRow* from = olds[head];
  TTextRow* to = olds[olds.size() - 1 - tail];
  EnsureTopRow();
  const TRowPos fromPos = RowPosition(from);
  const bool topInside = TopRow != nullptr && TopOffset >= fromPos.Start && TopOffset < fromPos.Start + total;
  const bool topAfter = TopRow != nullptr && TopOffset >= fromPos.Start + total;
  const int32_t topOffset = TopOffset;

  // Bookmarks and the attachment of replaced rows go to the range's first row.
  std::unique_ptr<TRowAttachment> attachment;
  const uint16_t fromMarks = from->MarkBits;
  TTextRow* before = from->Prev;
  TRowBlock* cursor = nullptr;
  for (TTextRow* r = from;;) {
    TTextRow* next = r->Next;
    const bool atEnd = r == to;
    if (attachment == nullptr && r->Attachment) attachment = r->Attachment.Take();
    RemoveRow(r, cursor);
    if (atEnd) break;
    r = next;
  }

  TTextRow* prev = before;
  int32_t start = fromPos.Start;
  for (size_t k = 0; k < made.size(); ++k) {
    TTextRow* row = made[k];
    const bool continues = prev != nullptr && !prev->EndsWithCR();
    row->MarkBits = k == 0 ? static_cast<uint16_t>(fromMarks & ~mbBookmarkMask) : (continues ? mbContinuation : 0);
    LinkAfter(row, prev, cursor);
    if (topInside && topOffset >= start && topOffset < start + row->Length) {
      TopRow = row;
      TopOffset = start;
      TopRowIndex = fromPos.Index + static_cast<int32_t>(k);
    }
    start += row->Length;
    prev = row;
  }
  TTextRow* keeper = head > 0 ? first : made.front();
  keeper->MarkBits = static_cast<uint16_t>(keeper->MarkBits | bookmarks);
  if (attachment != nullptr) {
    TTextRow* holder = keeper->Attachment ? made.front() : keeper;
    holder->Attachment = std::move(attachment);
    holder->Attachment->SetRow(holder);
  }
  // The top row below the rebuilt rows keeps its offset and moves by the rows gained or lost.
  if (topAfter) TopRowIndex += static_cast<int32_t>(made.size()) - static_cast<int32_t>(olds.size() - head - tail);
  index_.Settle();
  EnsureTopRow();
  return {head > 0 ? first : made.front(), tail > 0 ? last : made.back()};
}

// --- InsertText ---

int32_t TTextStore::InsertText(int32_t offset, const char* text, int32_t len) {
  if (text == nullptr || len <= 0) return 0;
  // Offsets are 32-bit: a text can never grow past that.
  if (len > INT32_MAX - TextLength) throw EInkMemo("Not enough memory for operation");
  EnterEdit();
  TEditGuard guard(editing_);
  offset = std::clamp(offset, 0, TextLength);
  overlong_ = nullptr;
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
    AfterInsert(at, stored);
    annotations_->BreakpointsInserted(at, stored);
    offset = at + stored;
    inserted += stored;
  }
  // A character typed into a full row left it one too long: only that row is laid out again.
  if (TTextRow* row = overlong_; row != nullptr) {
    overlong_ = nullptr;
    host_->LayoutRows(*this, row, row);
  }
  RethrowNotifyFailure();
  return inserted;
}

void TTextStore::InsertIntoRow(TTextRow* r, TRowBlock* block, int32_t k, char c) {
  using namespace rowstorage;
  const int32_t len = r->Length;
  const bool moved = (r->StoreBits & rsMoved) != 0;
  char* text = r->Text.get();
  if (AreaCapacity(moved ? MovedBlock(r)->AreaBytes : RowAreaBytes(static_cast<uint32_t>(len))) > len) {
    std::memmove(text + k + 1, text + k, static_cast<size_t>(len - k));
    text[k] = c;
    text[len + 1] = '\0';
  } else {
    // The row's block is full: its characters move to a block of their own with room to grow,
    // and the row stays where it is.
    const uint32_t area = RowAreaBytes(static_cast<uint32_t>(len + 1 + 8 + len / 8));
    auto* header = static_cast<TMovedHeader*>(arena_->Allocate(MovedHeaderBytes + area));
    header->AreaBytes = static_cast<uint16_t>(area);
    char* chars = reinterpret_cast<char*>(header) + MovedHeaderBytes;
    std::memcpy(chars, text, static_cast<size_t>(k));
    chars[k] = c;
    std::memcpy(chars + k + 1, text + k, static_cast<size_t>(len - k));
    chars[len + 1] = '\0';
    if (moved) {
      TMovedHeader* old = MovedBlock(r);
      header->RowAreaBytes = old->RowAreaBytes;
      arena_->Free(old, MovedHeaderBytes + old->AreaBytes);
    } else {
      header->RowAreaBytes = static_cast<uint16_t>(RowAreaBytes(static_cast<uint32_t>(len)));
    }
    const auto units = static_cast<int32_t>((reinterpret_cast<intptr_t>(header) - reinterpret_cast<intptr_t>(Area(r))) / 4);
    std::memcpy(Area(r), &units, sizeof units);
    r->StoreBits |= rsMoved;
  }
  CountLength(len, -1);
  r->Length = static_cast<uint16_t>(len + 1);
  CountLength(len + 1, 1);
  r->Styles.reset();
  index_.Resized(r, block, 1);
}

int32_t TTextStore::InsertPiece(int32_t o, const char* p, int32_t n) {
  TextLength += n;
  BeforeInsert(o, n);
  annotations_->BookmarksInserted(o, n);

  TFound pos;
  if (bulkAppend_) {
    if (lastRow_ != nullptr) {
      pos.Row = lastRow_;
      pos.Index = RowCount - 1;
      pos.Start = o - lastRow_->Length;
    }
  } else {
    pos = Find(o);
  }
  TTextRow* r = pos.Row;

  if (n == 1 && p[0] != '\r' && r != nullptr && o - pos.Start != r->Length) {
    // A single character goes into its row in place.
    InsertIntoRow(r, pos.Block, std::clamp(o - pos.Start, 0, static_cast<int32_t>(r->Length)), p[0]);
    r->Flags |= rfRepaint | rfRescan | (p[0] == '\t' ? rfHasTab : 0);
    if (r != TopRow && o < TopOffset) TopRow = nullptr;
    index_.Settle();
    if (host_->WordWrapOn()) {
      host_->LayoutRows(*this, r, r);
    } else if (r->Length > MaxRowLength) {
      overlong_ = r;
    }
    return n;
  }

  TTextRow* after = nullptr;
  TRowBlock* cursor = pos.Block;
  uint16_t markBits = 0;
  uint16_t gutterMarks = 0;
  std::unique_ptr<TRowAttachment> attachment;
  TSplicedText text;
  TTextRow* replaced = nullptr;  // unlinked, freed once its characters are in the new rows
  if (r != nullptr && o - pos.Start >= r->Length && r->EndsWithCR()) {
    // Appending after the final line break: that row stays as it is.
    after = r;
    text.Add(p, n);
  } else if (r != nullptr) {
    const int32_t k = std::clamp(o - pos.Start, 0, static_cast<int32_t>(r->Length));
    text.Add(r->Text.get(), k).Add(p, n).Add(r->Text.get() + k, r->Length - k);
    markBits = r->MarkBits;
    gutterMarks = r->GutterMarks;
    attachment = r->Attachment.Take();
    after = r->Prev;
    if (o < TopOffset) TopRow = nullptr;
    UnlinkRow(r, cursor);
    replaced = r;
  } else {
    text.Add(p, n);
  }
  TBuiltRows built;
  try {
    built = BuildRows(text, after, markBits, gutterMarks, std::move(attachment), cursor);
  } catch (...) {
    // Out of memory: the rows built so far stay, and the counters follow them.
    if (replaced != nullptr) FreeRow(replaced);
    index_.Settle();
    TextLength = RowCount > 0 ? RowPosition(lastRow_).Start + lastRow_->Length : 0;
    throw;
  }
  if (replaced != nullptr) FreeRow(replaced);
  if (replaced != nullptr && o == pos.Start) MoveMarksToOldStart(built, std::string_view(p, static_cast<size_t>(n)));
  MarkRescan(built.First);
  index_.Settle();
  if (host_->WordWrapOn()) host_->LayoutRows(*this, built.First, built.Last);
  return n;
}

void TTextStore::MoveMarksToOldStart(const TBuiltRows& built, std::string_view inserted) {
  // Inserted at the very start of a row: the row's bookmarks, gutter marks and attachment stay
  // with its old first character, on the row after the inserted line breaks.
  const size_t cr = inserted.rfind('\r');
  if (cr == std::string_view::npos) return;
  TTextRow* first = built.First;
  auto at = static_cast<int32_t>(cr + 1);
  TTextRow* row = first;
  while (row != nullptr && at >= row->Length) {
    at -= row->Length;
    row = row == built.Last ? nullptr : static_cast<TTextRow*>(row->Next);
  }
  if (row == nullptr || row == first || at != 0) return;
  row->MarkBits = static_cast<uint16_t>((row->MarkBits & mbContinuation) | (first->MarkBits & ~mbContinuation));
  first->MarkBits &= mbContinuation;
  row->GutterMarks = first->GutterMarks;
  first->GutterMarks = 0;
  if (std::unique_ptr<TRowAttachment> attachment = first->Attachment.Take()) {
    row->Attachment = std::move(attachment);
    row->Attachment->SetRow(row);
  }
}

// --- DeleteText ---

void TTextStore::DeleteText(int32_t start, int32_t end) {
  if (start > end) std::swap(start, end);
  start = std::clamp(start, 0, TextLength);
  end = std::clamp(end, 0, TextLength);
  if (start == end || FirstRow == nullptr) return;
  EnterEdit();
  TEditGuard guard(editing_);
  const bool everything = start == 0 && end == TextLength;
  BeforeDelete(start, end);
  TextLength -= end - start;
  annotations_->BookmarksDeleted(start, end);
  if (everything) {
    DeleteAll();
    RethrowNotifyFailure();
    return;
  }

  const TFound pos = Find(start);
  TTextRow* r = pos.Row;
  TTextRow* before = r->Prev;
  uint16_t markBits = r->MarkBits;
  uint16_t gutterMarks = r->GutterMarks;
  const bool headEmpty = start == pos.Start;
  std::unique_ptr<TRowAttachment> attachment = r->Attachment.Take();
  std::string joined(r->Text.get(), static_cast<size_t>(std::clamp(start - pos.Start, 0, static_cast<int32_t>(r->Length))));
  if (r != TopRow && start < TopOffset) TopRow = nullptr;

  TRowBlock* cursor = pos.Block;
  int32_t e = end - pos.Start;
  while (r != nullptr && e >= r->Length) {
    TTextRow* next = r->Next;
    e -= r->Length;
    RemoveRow(r, cursor);
    r = next;
  }
  TTextRow* next = nullptr;
  if (r != nullptr && headEmpty) {
    // The row holding start went whole: the joined row is what is left of the row holding end,
    // and keeps that row's bookmarks, gutter marks and attachment.
    markBits = static_cast<uint16_t>((markBits & mbContinuation) | (r->MarkBits & ~mbContinuation));
    gutterMarks = r->GutterMarks;
    attachment = r->Attachment.Take();
  }
  if (r != nullptr) {
    joined.append(r->Text.get() + e, static_cast<size_t>(r->Length - e));
    next = r->Next;
    RemoveRow(r, cursor);
  }

  bool overlong = false;
  if (!joined.empty()) {
    TTextRow* row = NewRow(TSplicedText().Add(joined.data(), static_cast<int32_t>(joined.size())), 0,
                           static_cast<int32_t>(joined.size()));
    row->Flags &= ~rfRepaint;
    row->MarkBits = markBits;
    row->GutterMarks = gutterMarks;
    // The block the last removed row left, if any, lies next to where the joined row goes.
    LinkAfter(row, before, cursor);
    if (attachment != nullptr) {
      row->Attachment = std::move(attachment);
      row->Attachment->SetRow(row);
    }
    overlong = row->Length > MaxRowLength;
  }
  index_.Settle();

  EnsureTopRow();
  // A joined row longer than the limit is split again: only the rows around the deletion.
  if (overlong || host_->WordWrapOn()) host_->LayoutRows(*this, before != nullptr ? before : FirstRow, next);
  host_->TextChanged(start, -(end - start));
  AfterDelete(start, end);
  annotations_->BreakpointsDeleted(start, end);
  RethrowNotifyFailure();
}

void TTextStore::DeleteAll() {
  FreeAllRows();
  host_->TextEmptied();
  host_->TextChanged(0, 0);
  Notifying([&] { CustomBookmarks.Clear(); });
  Notifying([&] { Breakpoints.TextEmptied(); });
  Notifying([&] { CodeBreak.TextEmptied(); });
  annotations_->TextEmptied();
}

// --- Bulk append ---

void TTextStore::BeginBulkAppend() {
  bulkAppend_ = true;
  normaliser_.Reset();
}

void TTextStore::EndBulkAppend() {
  bulkAppend_ = false;
  normaliser_.Reset();
}

int32_t TTextStore::AppendText(const char* text, int32_t len) {
  if (bulkAppend_) return InsertText(TextLength, text, len);
  BeginBulkAppend();
  try {
    const int32_t n = InsertText(TextLength, text, len);
    EndBulkAppend();
    return n;
  } catch (...) {
    EndBulkAppend();
    throw;
  }
}

// --- Writers ---

namespace {

// Calls emit(pointer, length, ranThroughCR) for each row part of start..end.
template <typename Emit>
void ForEachPart(const TTextStore& store, int32_t start, int32_t end, Emit emit) {
  if (start > end) std::swap(start, end);
  start = std::clamp(start, 0, store.TextLength);
  end = std::clamp(end, 0, store.TextLength);
  if (start == end) return;
  TRowPos pos = store.LocateRow(start);
  int32_t k = start - pos.Start;
  for (const TTextRow* row = pos.Row; row != nullptr && pos.Start + k < end; row = row->Next) {
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

void TTextStore::WritePlainText(int32_t start, int32_t end, TLineBreakForm form, TStream& stream) const {
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

int32_t TTextStore::PlainTextLength(int32_t start, int32_t end, TLineBreakForm form) const {
  int32_t total = 0;
  ForEachPart(*this, start, end, [&](const char*, int32_t len, bool throughCR) {
    total += len + (form == TLineBreakForm::CRLF && throughCR ? 1 : 0);
  });
  return total;
}

}  // namespace ql
