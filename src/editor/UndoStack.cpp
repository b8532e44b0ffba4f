#include "editor/UndoStack.h"

namespace ql {

void TUndoStack::BeginGroup(int32_t id, TSelectionEnds selection) {
  if (groupOpen_) return;
  groupOpen_ = true;
  groupRecorded_ = false;
  groupId_ = id;
  groupStart_ = selection;
}

void TUndoStack::EndGroup(int32_t id, TSelectionEnds selection) {
  if (!groupOpen_ || id != groupId_) return;
  groupOpen_ = false;
  if (!groupRecorded_ || cursor_ == 0) return;
  TEntry& last = entries_[cursor_ - 1];
  if (cursor_ == entries_.size() && last.Kind == ekText && last.After == selection) {
    last.Flags |= efEndsGroup;
    return;
  }
  Truncate();
  TEntry marker;
  marker.Kind = ekGroupEnd;
  marker.Group = static_cast<uint16_t>(id);
  marker.Before = marker.After = selection;
  marker.Payload = payload_.size();
  entries_.push_back(marker);
  cursor_ = entries_.size();
}

void TUndoStack::Truncate() {
  if (cursor_ == entries_.size()) return;
  payload_.resize(entries_[cursor_].Payload);
  entries_.resize(cursor_);
}

void TUndoStack::Push(const TUndoStep& step) {
  Truncate();
  TEntry entry;
  if (groupOpen_ && !groupRecorded_) {
    groupRecorded_ = true;
    if (step.Before == groupStart_) {
      entry.Flags |= efBeginsGroup;
    } else {
      TEntry marker;
      marker.Kind = ekGroupBegin;
      marker.Group = static_cast<uint16_t>(groupId_);
      marker.Before = marker.After = groupStart_;
      marker.Payload = payload_.size();
      entries_.push_back(marker);
    }
  }
  entry.Group = groupOpen_ ? static_cast<uint16_t>(groupId_) : 0;
  entry.Before = step.Before;
  entry.After = step.After;
  entry.RemovedLength = static_cast<uint32_t>(step.Removed.size());
  entry.InsertedLength = static_cast<uint32_t>(step.Inserted.size());
  entry.Payload = payload_.size();
  payload_.append(step.Removed);
  payload_.append(step.Inserted);
  entries_.push_back(entry);
  cursor_ = entries_.size();
}

void TUndoStack::Clear() {
  std::vector<TEntry>().swap(entries_);
  std::string().swap(payload_);
  cursor_ = 0;
  groupRecorded_ = false;
}

TUndoStep TUndoStack::StepOf(const TEntry& e) const {
  const std::string_view all(payload_);
  return {e.Before, e.After, all.substr(e.Payload, e.RemovedLength), all.substr(e.Payload + e.RemovedLength, e.InsertedLength)};
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
  std::vector<TUndoStep> steps;
  if (cursor_ == 0) return steps;
  const size_t start = UnitStart(cursor_);
  for (size_t j = cursor_; j-- > start;) {
    if (entries_[j].Kind == ekText) steps.push_back(StepOf(entries_[j]));
  }
  return steps;
}

std::vector<TUndoStep> TUndoStack::RedoUnit() const {
  std::vector<TUndoStep> steps;
  if (cursor_ >= entries_.size()) return steps;
  const size_t end = UnitEnd(cursor_);
  for (size_t j = cursor_; j < end; ++j) {
    if (entries_[j].Kind == ekText) steps.push_back(StepOf(entries_[j]));
  }
  return steps;
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

void TUndoStack::StepBack() {
  while (cursor_ > 0 && entries_[cursor_ - 1].Kind == ekGroupEnd) --cursor_;
  if (cursor_ > 0) --cursor_;
  if (cursor_ > 0 && entries_[cursor_ - 1].Kind == ekGroupBegin) --cursor_;
}

void TUndoStack::StepForward() {
  while (cursor_ < entries_.size() && entries_[cursor_].Kind == ekGroupBegin) ++cursor_;
  if (cursor_ < entries_.size()) ++cursor_;
  if (cursor_ < entries_.size() && entries_[cursor_].Kind == ekGroupEnd) ++cursor_;
}

}  // namespace ql
