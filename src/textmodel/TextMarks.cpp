#include "textmodel/TextMarks.h"

#include <algorithm>
#include <climits>
#include <exception>

#include "textmodel/InkMemoErrors.h"

namespace ql {
namespace {

constexpr int32_t SlotBits = 22;
constexpr int32_t SlotMask = (1 << SlotBits) - 1;
constexpr uint16_t GenerationMask = 0x1FF;  // keeps handles positive
// A block is split when it grows past this many marks.
constexpr size_t BlockLimit = 128;

}  // namespace

TObjectList::~TObjectList() {
  for (auto b = blocks_.rbegin(); b != blocks_.rend(); ++b) {
    for (auto s = (*b)->Slots.rbegin(); s != (*b)->Slots.rend(); ++s) {
      try {
        if (OnMarkFree) OnMarkFree(HandleOf(*s));
      } catch (...) {
        // A failing handler cannot stop the marks from going.
      }
    }
  }
}

TMarkHandle TObjectList::HandleOf(int32_t slot) const {
  return static_cast<TMarkHandle>((records_[static_cast<size_t>(slot)].Generation & GenerationMask) << SlotBits) | (slot + 1);
}

const TObjectList::TRecord* TObjectList::RecordOf(TMarkHandle mark) const {
  if (mark <= 0) return nullptr;
  const int32_t slot = (mark & SlotMask) - 1;
  if (slot < 0 || static_cast<size_t>(slot) >= records_.size()) return nullptr;
  const TRecord& r = records_[static_cast<size_t>(slot)];
  if (!r.Live || HandleOf(slot) != mark) return nullptr;
  return &r;
}

bool TObjectList::IsMark(TMarkHandle mark) const { return RecordOf(mark) != nullptr; }

int32_t TObjectList::Start(TMarkHandle mark) const {
  const TRecord* r = RecordOf(mark);
  return r != nullptr ? r->Start + r->Block->Delta : -1;
}

int32_t TObjectList::End(TMarkHandle mark) const {
  const TRecord* r = RecordOf(mark);
  return r != nullptr ? r->End + r->Block->Delta : -1;
}

int32_t TObjectList::Value(TMarkHandle mark) const {
  const TRecord* r = RecordOf(mark);
  return r != nullptr ? r->Value : 0;
}

uint8_t TObjectList::Flags(TMarkHandle mark) const {
  const TRecord* r = RecordOf(mark);
  return r != nullptr ? r->Flags : 0;
}

size_t TObjectList::BlockIndex(const TBlock* block) const {
  // Blocks are few (a hundred for ten thousand marks); their first Starts are ordered.
  for (size_t i = 0; i < blocks_.size(); ++i) {
    if (blocks_[i].get() == block) return i;
  }
  return blocks_.size();
}

void TObjectList::Summarise(TBlock& block, const std::vector<TRecord>& records) {
  int32_t maxEnd = INT32_MIN;
  for (const int32_t s : block.Slots) maxEnd = std::max(maxEnd, records[static_cast<size_t>(s)].End);
  block.MaxEnd = maxEnd;
}

void TObjectList::Place(int32_t slot, int32_t start, int32_t end) {
  if (blocks_.empty()) blocks_.push_back(std::make_unique<TBlock>());
  // The last block whose first mark starts at or before start (or the first block).
  auto after = blocks_.front()->Slots.empty()
                   ? blocks_.begin() + 1
                   : std::upper_bound(blocks_.begin(), blocks_.end(), start, [&](int32_t s, const std::unique_ptr<TBlock>& b) {
                       return s < StartOf(b->Slots.front());
                     });
  TBlock& block = after == blocks_.begin() ? *blocks_.front() : **(after - 1);
  TRecord& r = records_[static_cast<size_t>(slot)];
  r.Start = start - block.Delta;
  r.End = end - block.Delta;
  r.Block = &block;
  const auto at = std::upper_bound(block.Slots.begin(), block.Slots.end(), start,
                                   [&](int32_t s, int32_t other) { return s < StartOf(other); });
  block.Slots.insert(at, slot);
  block.MaxEnd = block.Slots.size() == 1 ? r.End : std::max(block.MaxEnd, r.End);
  if (block.Slots.size() > BlockLimit) {
    // Split in halves; the new block takes the later half with the same shift.
    auto later = std::make_unique<TBlock>();
    later->Delta = block.Delta;
    const auto half = block.Slots.begin() + static_cast<ptrdiff_t>(block.Slots.size() / 2);
    later->Slots.assign(half, block.Slots.end());
    block.Slots.erase(half, block.Slots.end());
    for (const int32_t s : later->Slots) records_[static_cast<size_t>(s)].Block = later.get();
    Summarise(block, records_);
    Summarise(*later, records_);
    blocks_.insert(blocks_.begin() + static_cast<ptrdiff_t>(BlockIndex(&block) + 1), std::move(later));
  }
}

void TObjectList::Unplace(int32_t slot) {
  TRecord& r = records_[static_cast<size_t>(slot)];
  TBlock* block = r.Block;
  block->Slots.erase(std::find(block->Slots.begin(), block->Slots.end(), slot));
  r.Block = nullptr;
  if (block->Slots.empty()) {
    blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(BlockIndex(block)));
  } else {
    Summarise(*block, records_);
  }
}

TMarkHandle TObjectList::Add(int32_t start, int32_t end, int32_t value) {
  if (start > end) std::swap(start, end);
  int32_t slot;
  if (!freeSlots_.empty()) {
    slot = freeSlots_.back();
    freeSlots_.pop_back();
  } else {
    if (records_.size() >= static_cast<size_t>(SlotMask)) throw EInkMemo("Not enough memory for operation");
    slot = static_cast<int32_t>(records_.size());
    records_.emplace_back();
  }
  TRecord& r = records_[static_cast<size_t>(slot)];
  r.Value = value;
  r.Flags = 0;
  r.Live = true;
  Place(slot, start, end);
  ++count_;
  return HandleOf(slot);
}

void TObjectList::Release(int32_t slot) {
  TRecord& r = records_[static_cast<size_t>(slot)];
  r.Live = false;
  r.Block = nullptr;
  r.Generation = static_cast<uint16_t>((r.Generation + 1) & GenerationMask);
  freeSlots_.push_back(slot);
  --count_;
}

bool TObjectList::Remove(TMarkHandle mark) {
  if (RecordOf(mark) == nullptr) return false;
  const int32_t slot = (mark & SlotMask) - 1;
  const int32_t start = StartOf(slot);
  const int32_t end = EndOf(slot);
  Unplace(slot);
  // While OnMarkFree runs the mark can still be read; it belongs to no block any more.
  TBlock detached;
  TRecord& r = records_[static_cast<size_t>(slot)];
  r.Start = start;
  r.End = end;
  r.Block = &detached;
  try {
    if (OnMarkFree) OnMarkFree(mark);
  } catch (...) {
    Release(slot);
    throw;
  }
  Release(slot);
  return true;
}

bool TObjectList::SetStart(TMarkHandle mark, int32_t value) {
  if (RecordOf(mark) == nullptr) return false;
  const int32_t slot = (mark & SlotMask) - 1;
  int32_t start = value;
  int32_t end = EndOf(slot);
  if (start > end) std::swap(start, end);
  Unplace(slot);
  Place(slot, start, end);
  return true;
}

bool TObjectList::SetEnd(TMarkHandle mark, int32_t value) {
  if (RecordOf(mark) == nullptr) return false;
  const int32_t slot = (mark & SlotMask) - 1;
  int32_t start = StartOf(slot);
  int32_t end = value;
  if (start > end) std::swap(start, end);
  Unplace(slot);
  Place(slot, start, end);
  return true;
}

bool TObjectList::Locate(int32_t start, int32_t length, size_t& block, size_t& index) const {
  const int64_t rangeEnd = static_cast<int64_t>(start) + length;
  for (size_t b = 0; b < blocks_.size(); ++b) {
    const TBlock& blk = *blocks_[b];
    // A block can hold a qualifying mark only when one of its marks ends after start or its
    // last mark starts at or after start.
    if (blk.MaxEnd + blk.Delta <= start && StartOf(blk.Slots.back()) < start) continue;
    for (size_t i = 0; i < blk.Slots.size(); ++i) {
      const int32_t s = StartOf(blk.Slots[i]);
      const int32_t e = EndOf(blk.Slots[i]);
      if ((s <= rangeEnd && e > start) || s >= start) {
        block = b;
        index = i;
        return true;
      }
    }
  }
  return false;
}

TMarkHandle TObjectList::FindFirst(int32_t start, int32_t length) const {
  if (blocks_.empty()) return 0;
  size_t b, i;
  if (Locate(start, length, b, i)) return HandleOf(blocks_[b]->Slots[i]);
  return HandleOf(blocks_.back()->Slots.back());
}

bool TObjectList::Find(int32_t start, int32_t length, TMarkHandle& found) const {
  if (blocks_.empty()) return false;
  found = FindFirst(start, length);
  const int32_t s = Start(found);
  const int32_t e = End(found);
  return (s <= start && start <= e) || (start <= s && static_cast<int64_t>(s) <= static_cast<int64_t>(start) + length);
}

TMarkHandle TObjectList::First() const { return blocks_.empty() ? 0 : HandleOf(blocks_.front()->Slots.front()); }

TMarkHandle TObjectList::Next(TMarkHandle mark) const {
  const TRecord* r = RecordOf(mark);
  if (r == nullptr || r->Block == nullptr) return 0;
  const int32_t slot = (mark & SlotMask) - 1;
  const size_t b = BlockIndex(r->Block);
  if (b == blocks_.size()) return 0;
  const std::vector<int32_t>& slots = r->Block->Slots;
  const size_t i = static_cast<size_t>(std::find(slots.begin(), slots.end(), slot) - slots.begin());
  if (i + 1 < slots.size()) return HandleOf(slots[i + 1]);
  return b + 1 < blocks_.size() ? HandleOf(blocks_[b + 1]->Slots.front()) : 0;
}

TMarkHandle TObjectList::NextInRange(int32_t from, int32_t to, TMarkHandle after) const {
  TMarkHandle mark = after != 0 ? Next(after) : FindFirst(from, to - from);
  for (; mark != 0; mark = Next(mark)) {
    const int32_t s = Start(mark);
    // Later marks start later still: none of them can start inside the range or cover from.
    if (s >= to && s > from) return 0;
    const int32_t e = End(mark);
    if ((s <= from && from < e) || (from <= s && s < to)) return mark;
  }
  return 0;
}

void TObjectList::ShiftForInsert(int32_t offset, int32_t n) {
  std::vector<TMarkHandle> changed;
  const bool reportMoves = WantsChanges && WantsChanges();
  for (const std::unique_ptr<TBlock>& owned : blocks_) {
    TBlock& block = *owned;
    if (StartOf(block.Slots.front()) >= offset) {
      block.Delta += n;
      if (reportMoves && OnMarkChange) {
        for (const int32_t s : block.Slots) changed.push_back(HandleOf(s));
      }
      continue;
    }
    if (block.MaxEnd + block.Delta < offset) continue;
    for (const int32_t s : block.Slots) {
      TRecord& r = records_[static_cast<size_t>(s)];
      if (r.Start + block.Delta >= offset) {
        r.Start += n;
        r.End += n;
      } else if (r.End + block.Delta >= offset) {
        r.End += n;
      } else {
        continue;
      }
      if (OnMarkChange) changed.push_back(HandleOf(s));
    }
    Summarise(block, records_);
  }
  if (OnMarkChange) {
    for (const TMarkHandle mark : changed) OnMarkChange(mark);
  }
}

void TObjectList::AdjustForDelete(int32_t start, int32_t end) {
  const int32_t n = end - start;
  if (n <= 0) return;
  std::vector<TMarkHandle> changed;
  std::vector<int32_t> freed;
  const bool reportMoves = WantsChanges && WantsChanges();
  for (size_t b = 0; b < blocks_.size();) {
    TBlock& block = *blocks_[b];
    if (block.MaxEnd + block.Delta <= start) {
      ++b;
      continue;
    }
    // Marks that start after the deletion just move back; an empty mark right at its end is
    // inside it and goes, so a block starting there is walked mark by mark.
    if (StartOf(block.Slots.front()) > end) {
      block.Delta -= n;
      if (reportMoves && OnMarkChange) {
        for (const int32_t s : block.Slots) changed.push_back(HandleOf(s));
      }
      ++b;
      continue;
    }
    std::vector<int32_t> kept;
    kept.reserve(block.Slots.size());
    for (const int32_t s : block.Slots) {
      TRecord& r = records_[static_cast<size_t>(s)];
      const int32_t ms = r.Start + block.Delta;
      const int32_t me = r.End + block.Delta;
      if (me <= start) {
        kept.push_back(s);
      } else if (start <= ms && me <= end) {
        r.Start = ms;
        r.End = me;
        freed.push_back(s);
      } else {
        const int32_t ns = ms >= start ? std::max(ms - n, start) : ms;
        const int32_t ne = me >= start ? std::max(me - n, start) : me;
        r.Start = ns - block.Delta;
        r.End = ne - block.Delta;
        kept.push_back(s);
        if (OnMarkChange) changed.push_back(HandleOf(s));
      }
    }
    if (kept.empty()) {
      blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(b));
      continue;
    }
    block.Slots = std::move(kept);
    Summarise(block, records_);
    ++b;
  }
  // The freed marks can still be read while OnMarkFree runs: they keep a block of their own.
  TBlock detached;
  for (const int32_t s : freed) records_[static_cast<size_t>(s)].Block = &detached;
  std::exception_ptr failure;
  for (const int32_t s : freed) {
    try {
      if (OnMarkFree) OnMarkFree(HandleOf(s));
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  for (const int32_t s : freed) Release(s);
  if (OnMarkChange) {
    for (const TMarkHandle mark : changed) {
      if (IsMark(mark)) OnMarkChange(mark);
    }
  }
  if (failure) std::rethrow_exception(failure);
}

int64_t TObjectList::Bytes() const {
  int64_t bytes = static_cast<int64_t>(records_.capacity() * sizeof(TRecord) + freeSlots_.capacity() * sizeof(int32_t) +
                                       blocks_.capacity() * sizeof(void*));
  for (const auto& block : blocks_) bytes += static_cast<int64_t>(sizeof(TBlock) + block->Slots.capacity() * sizeof(int32_t));
  return bytes;
}

std::string TObjectList::Check() const {
  int32_t seen = 0;
  int32_t previous = INT32_MIN;
  for (const auto& block : blocks_) {
    if (block->Slots.empty()) return "an empty block";
    int32_t maxEnd = INT32_MIN;
    for (const int32_t s : block->Slots) {
      const TRecord& r = records_[static_cast<size_t>(s)];
      if (!r.Live || r.Block != block.get()) return "a mark's record does not name its block";
      if (r.Start > r.End) return "a mark ends before it starts";
      if (r.Start + block->Delta < previous) return "marks are out of order";
      previous = r.Start + block->Delta;
      maxEnd = std::max(maxEnd, r.End);
      ++seen;
    }
    if (maxEnd != block->MaxEnd) return "a block's largest end is stale";
  }
  if (seen != count_) return "the count differs from the marks";
  return {};
}

}  // namespace ql
