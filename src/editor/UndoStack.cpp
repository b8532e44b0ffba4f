#include "editor/UndoStack.h"

#include <algorithm>
#include <utility>

namespace ql {
namespace {

// Makes room for needed elements, growing by a quarter rather than doubling: a long history's
// spare room stays small next to what it holds.
template <typename Container>
void GrowFor(Container& c, size_t needed) {
  if (needed <= c.capacity()) return;
  c.reserve(std::max(needed, c.capacity() + c.capacity() / 4 + 64));
}

}  // namespace

void TUndoStack::BeginGroup(int32_t id, TSelectionEnds selection) {
  if (groupOpen_) return;
  groupOpen_ = true;
  groupRecorded_ = false;
  groupId_ = id;
  groupStart_ = selection;
  groupFirstEntry_ = entries_.size();
  groupFirstPayload_ = payload_.size();
}

void TUndoStack::EndGroup(int32_t id, TSelectionEnds selection) {
  if (!groupOpen_ || id != groupId_) return;
  groupOpen_ = false;
  if (!groupRecorded_ || cursor_ == 0) return;
  TEntry& last = entries_[cursor_ - 1];
  if (cursor_ == entries_.size() && last.Kind == ekText && last.After == selection) {
    last.Flags |= efEndsGroup;
  } else {
    Truncate();
    TEntry marker;
    marker.Kind = ekGroupEnd;
    marker.Before = marker.After = selection;
    Append(marker);
  }
  Compact();
}

void TUndoStack::Compact() {
  // Only a group that made up a quarter of the history is worth the copy; typing never is.
  if (entries_.size() - std::min(groupFirstEntry_, entries_.size()) >= entries_.size() / 4) entries_.shrink_to_fit();
  if (payload_.size() - std::min(groupFirstPayload_, payload_.size()) >= payload_.size() / 4) payload_.shrink_to_fit();
}

size_t TUndoStack::PayloadOffset(size_t index) const {
  if (index >= entries_.size()) return payload_.size();
  const size_t first = index / kCheckpointEvery * kCheckpointEvery;
  size_t offset = checkpoints_[index / kCheckpointEvery];
  for (size_t j = first; j < index; ++j) offset += InlineBytes(entries_[j]);
  return offset;
}

void TUndoStack::Append(const TEntry& entry, std::string_view removed, std::string_view inserted) {
  if (entries_.size() % kCheckpointEvery == 0) {
    GrowFor(checkpoints_, checkpoints_.size() + 1);
    checkpoints_.push_back(payload_.size());
  }
  GrowFor(entries_, entries_.size() + 1);
  GrowFor(payload_, payload_.size() + removed.size() + inserted.size());
  entries_.push_back(entry);
  payload_.append(removed);
  payload_.append(inserted);
  cursor_ = entries_.size();
}

void TUndoStack::Truncate() {
  if (cursor_ == entries_.size()) return;
  payload_.resize(PayloadOffset(cursor_));
  while (!blocks_.empty() && blocks_.back().Entry >= cursor_) {
    blockBytes_ -= blocks_.back().Absent.capacity();
    blocks_.pop_back();
  }
  checkpoints_.resize((cursor_ + kCheckpointEvery - 1) / kCheckpointEvery);
  entries_.resize(cursor_);
}

bool TUndoStack::RecordGroupBegin(TSelectionEnds before) {
  if (!groupOpen_ || groupRecorded_) return false;
  groupRecorded_ = true;
  if (before == groupStart_) return true;
  TEntry marker;
  marker.Kind = ekGroupBegin;
  marker.Before = marker.After = groupStart_;
  Append(marker);
  return false;
}

void TUndoStack::Push(const TUndoStep& step) {
  if (step.Removed.size() < kInlineLimit && step.Inserted.size() < kInlineLimit) {
    Truncate();
    TEntry entry;
    if (RecordGroupBegin(step.Before)) entry.Flags |= efBeginsGroup;
    entry.Before = step.Before;
    entry.After = step.After;
    entry.RemovedLength = static_cast<uint16_t>(step.Removed.size());
    entry.InsertedLength = static_cast<uint16_t>(step.Inserted.size());
    Append(entry, step.Removed, step.Inserted);
    return;
  }
  PushBlock(step.Before, step.After, std::string(step.Removed), DigestOf(step.Inserted));
}

void TUndoStack::Push(TSelectionEnds before, TSelectionEnds after, std::string removed, std::string_view inserted) {
  if (removed.size() < kInlineLimit && inserted.size() < kInlineLimit) {
    Push(TUndoStep{before, after, removed, inserted});
  } else {
    PushBlock(before, after, std::move(removed), DigestOf(inserted));
  }
}

void TUndoStack::Push(TSelectionEnds before, TSelectionEnds after, std::string removed, TTextDigest inserted) {
  PushBlock(before, after, std::move(removed), inserted);
}

void TUndoStack::PushBlock(TSelectionEnds before, TSelectionEnds after, std::string removed, TTextDigest inserted) {
  Truncate();
  TEntry entry;
  if (RecordGroupBegin(before)) entry.Flags |= efBeginsGroup;
  entry.Flags |= efOwnBlock;
  entry.Before = before;
  entry.After = after;
  blockBytes_ += removed.capacity();
  blocks_.push_back({entries_.size(), std::move(removed), inserted});
  Append(entry);
}

void TUndoStack::Clear() {
  std::vector<TEntry>().swap(entries_);
  std::string().swap(payload_);
  std::vector<size_t>().swap(checkpoints_);
  std::vector<TBlock>().swap(blocks_);
  blockBytes_ = 0;
  cursor_ = 0;
  groupRecorded_ = false;
  groupFirstEntry_ = groupFirstPayload_ = 0;
}

size_t TUndoStack::MemoryBytes() const {
  return entries_.capacity() * sizeof(TEntry) + payload_.capacity() + checkpoints_.capacity() * sizeof(size_t) +
         blocks_.capacity() * sizeof(TBlock) + blockBytes_;
}

const TUndoStack::TBlock& TUndoStack::BlockOf(size_t index) const {
  return *std::lower_bound(blocks_.begin(), blocks_.end(), index, [](const TBlock& b, size_t entry) { return b.Entry < entry; });
}

TUndoStack::TBlock& TUndoStack::BlockOf(size_t index) { return const_cast<TBlock&>(std::as_const(*this).BlockOf(index)); }

void TUndoStack::Swap(size_t index, std::string taken) {
  if (entries_[index].Kind != ekText || (entries_[index].Flags & efOwnBlock) == 0) return;
  TBlock& block = BlockOf(index);
  block.Present = DigestOf(block.Absent);
  blockBytes_ -= block.Absent.capacity();
  block.Absent = std::move(taken);
  blockBytes_ += block.Absent.capacity();
}

TUndoStep TUndoStack::StepAt(size_t index, size_t offset) const {
  const TEntry& e = entries_[index];
  if ((e.Flags & efOwnBlock) != 0) {
    const TBlock& block = BlockOf(index);
    TUndoStep step{e.Before, e.After, {}, {}, true, block.Present};
    (index < cursor_ ? step.Removed : step.Inserted) = block.Absent;
    return step;
  }
  const std::string_view all(payload_);
  return {e.Before, e.After, all.substr(offset, e.RemovedLength), all.substr(offset + e.RemovedLength, e.InsertedLength)};
}

std::vector<TUndoStep> TUndoStack::StepsBetween(size_t first, size_t end) const {
  std::vector<TUndoStep> steps;
  size_t offset = PayloadOffset(first);
  for (size_t j = first; j < end; ++j) {
    if (entries_[j].Kind == ekText) steps.push_back(StepAt(j, offset));
    offset += InlineBytes(entries_[j]);
  }
  return steps;
}

size_t TUndoStack::UnitStart(size_t end) const {
  if (end == 0) return 0;
  for (size_t j = end; j-- > 0;) {
    const TEntry& e = entries_[j];
    if (BeginsGroup(e)) return j;
    if (j + 1 < end && EndsGroup(e)) break;  // an earlier group: the step at end - 1 stands alone
  }
  return end - 1;
}

size_t TUndoStack::UnitEnd(size_t start) const {
  for (size_t j = start; j < entries_.size(); ++j) {
    const TEntry& e = entries_[j];
    if (EndsGroup(e)) return j + 1;
    if (j > start && BeginsGroup(e)) break;  // a later group: the step at start stands alone
  }
  return start + 1;
}

std::vector<TUndoStep> TUndoStack::UndoUnit() const {
  if (cursor_ == 0) return {};
  std::vector<TUndoStep> steps = StepsBetween(UnitStart(cursor_), cursor_);
  std::reverse(steps.begin(), steps.end());
  return steps;
}

std::vector<TUndoStep> TUndoStack::RedoUnit() const {
  if (cursor_ >= entries_.size()) return {};
  return StepsBetween(cursor_, UnitEnd(cursor_));
}

TSelectionEnds TUndoStack::UndoSelection() const {
  if (cursor_ == 0) return {};
  return entries_[UnitStart(cursor_)].Before;
}

TSelectionEnds TUndoStack::RedoSelection() const {
  if (cursor_ >= entries_.size()) return {};
  const TEntry& e = entries_[UnitEnd(cursor_) - 1];
  return e.Kind == ekGroupEnd ? e.Before : e.After;
}

void TUndoStack::StepBack(std::string taken) {
  while (cursor_ > 0 && entries_[cursor_ - 1].Kind == ekGroupEnd) --cursor_;
  if (cursor_ > 0) Swap(--cursor_, std::move(taken));
  if (cursor_ > 0 && entries_[cursor_ - 1].Kind == ekGroupBegin) --cursor_;
}

void TUndoStack::StepForward(std::string taken) {
  while (cursor_ < entries_.size() && entries_[cursor_].Kind == ekGroupBegin) ++cursor_;
  if (cursor_ < entries_.size()) Swap(cursor_++, std::move(taken));
  if (cursor_ < entries_.size() && entries_[cursor_].Kind == ekGroupEnd) ++cursor_;
}

}  // namespace ql
