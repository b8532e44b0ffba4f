#include "textmodel/Breakpoints.h"

#include <algorithm>

#include "textmodel/TextStore.h"

namespace ql {

int32_t LineStartOf(const TTextStore& store, int32_t offset) {
  const TRowPos pos = store.LocateRow(offset);
  if (pos.Row == nullptr || offset >= store.TextLength) return std::max(offset, 0);
  int32_t start = pos.Start;
  const TTextRow* row = pos.Row;
  while (row->Prev != nullptr && !row->Prev->EndsWithCR()) {
    row = row->Prev;
    start -= row->Length;
  }
  return start;
}

// --- TSM_BreakpointData ---

TSM_BreakpointData::TSM_BreakpointData(int32_t tag, bool enabled, std::string text, int32_t userData)
    : UserData(userData), Tag(tag), Text(std::move(text)), enabled_(enabled) {}

TSM_BreakpointData::~TSM_BreakpointData() {
  Valid = false;
  try {
    if (OnFreed) OnFreed(*this, *this);
  } catch (...) {
    // A destructor cannot pass the handler's failure on.
  }
}

void TSM_BreakpointData::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (Owner == nullptr) return;
  if (Owner->Memo) Owner->Memo();
  Owner->Changed = true;
  if (OnStateChange) OnStateChange(*this, *this);
}

// --- TSM_Breakpoints ---

TSM_Breakpoints::TSM_Breakpoints(const TTextStore& store) : store_(store) {}

TSM_Breakpoints::~TSM_Breakpoints() {
  // Each breakpoint leaves the list before it is freed, whatever its handlers do.
  while (!items_.empty()) FreeAt(0);
}

void TSM_Breakpoints::FreeAt(size_t index) {
  std::unique_ptr<TSM_BreakpointData> data = std::move(items_[index]);
  items_.erase(items_.begin() + static_cast<ptrdiff_t>(index));
  data.reset();  // its OnFreed reports it through this list's OnFreed
}

void TSM_Breakpoints::EnsureSorted() const {
  if (!SortPending) return;
  std::stable_sort(items_.begin(), items_.end(), [](const auto& a, const auto& b) { return a->Offset < b->Offset; });
  SortPending = false;
}

TSM_BreakpointData* TSM_Breakpoints::FindAt(int32_t offset) const {
  EnsureSorted();
  size_t low = 0;
  size_t high = items_.size();
  while (low < high) {
    const size_t middle = (low + high) / 2;
    const int32_t at = items_[middle]->Offset;
    if (at == offset) return items_[middle].get();
    if (at < offset) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return nullptr;
}

TSM_BreakpointData* TSM_Breakpoints::LastAtOrBefore(int32_t offset) const {
  EnsureSorted();
  const auto after = std::upper_bound(items_.begin(), items_.end(), offset,
                                      [](int32_t at, const auto& item) { return at < item->Offset; });
  return after == items_.begin() ? nullptr : std::prev(after)->get();
}

TSM_BreakpointData& TSM_Breakpoints::Add(int32_t offset, int32_t tag, bool enabled, const std::string& text,
                                         int32_t userData) {
  const int32_t start = LineStartOf(store_, std::clamp(offset, 0, store_.TextLength));
  if (TSM_BreakpointData* existing = FindAt(start)) return *existing;
  auto data = std::make_unique<TSM_BreakpointData>(tag, enabled, text, userData);
  data->Offset = start;
  data->Owner = this;
  data->OnFreed = [this](TSM_BreakpointData&, TSM_BreakpointData& freed) {
    if (OnFreed) OnFreed(*this, freed);
  };
  data->OnStateChange = [this](TSM_BreakpointData&, TSM_BreakpointData& changed) { StateChanged(changed); };
  TSM_BreakpointData& added = *data;
  items_.push_back(std::move(data));
  SortPending = true;
  Changed = true;
  Repaint();
  return added;
}

bool TSM_Breakpoints::Remove(const TSM_BreakpointData* data) {
  const auto at = std::find_if(items_.begin(), items_.end(), [&](const auto& item) { return item.get() == data; });
  if (at == items_.end()) return false;
  FreeAt(static_cast<size_t>(at - items_.begin()));
  Changed = true;
  Repaint();
  return true;
}

bool TSM_Breakpoints::Toggle(int32_t offset) {
  const int32_t start = LineStartOf(store_, std::clamp(offset, 0, store_.TextLength));
  if (TSM_BreakpointData* existing = FindAt(start)) {
    Remove(existing);
    return false;
  }
  Add(start);
  return true;
}

void TSM_Breakpoints::Clear() {
  if (items_.empty()) return;
  while (!items_.empty()) FreeAt(0);
  Changed = true;
  Repaint();
}

bool TSM_Breakpoints::GetRowMarker(int32_t offset, int32_t& glyph, TColor& back, TColor& text) const {
  const TSM_BreakpointData* b = FindAt(offset);
  if (b == nullptr) return false;
  glyph = b->Enabled() ? EnabledGlyph : DisabledGlyph;
  back = b->Enabled() ? EnabledBackColor : DisabledBackColor;
  text = b->Enabled() ? EnabledTextColor : DisabledTextColor;
  return true;
}

void TSM_Breakpoints::StateChanged(TSM_BreakpointData& data) {
  if (OnStateChange) OnStateChange(*this, data);
  Changed = false;
}

bool TSM_Breakpoints::LineLost(int32_t lineStart, int32_t start, int32_t end) const {
  if (start > lineStart) return false;
  // The line runs from its start through its line break, or to the end of the text.
  TRowPos pos = store_.LocateRow(lineStart);
  if (pos.Row == nullptr) return true;
  int32_t lineEnd = pos.Start + pos.Row->Length;
  for (const TTextRow* row = pos.Row; !row->EndsWithCR() && row->Next != nullptr;) {
    row = row->Next;
    lineEnd += row->Length;
  }
  return end >= lineEnd;
}

int32_t TSM_Breakpoints::FollowEdit(int32_t lineStart, int32_t offset, int32_t delta, bool lost) const {
  if (delta > 0) {
    if (lineStart > offset) return lineStart + delta;
    if (lineStart < offset) return lineStart;
    // Inserted at the line's start: the line follows when the insertion ends with a line break,
    // otherwise the inserted text begins the line.
    const std::string last = store_.GetRange(offset + delta - 1, offset + delta);
    return last == "\r" ? lineStart + delta : lineStart;
  }
  if (lost) return -1;
  const int32_t end = offset - delta;
  int32_t moved = lineStart < offset ? lineStart : (lineStart >= end ? lineStart + delta : offset);
  // A deletion that took the line break before the line joined it to the line above.
  moved = LineStartOf(store_, moved);
  if (store_.RowCount == 0 || moved >= store_.TextLength) return -1;
  return moved;
}

void TSM_Breakpoints::PrepareDelete(int32_t start, int32_t end) {
  lost_.clear();
  for (const auto& item : items_) {
    // Only a line that starts inside the deletion can go whole.
    if (item->Offset >= start && item->Offset < end && LineLost(item->Offset, start, end)) lost_.push_back(item.get());
  }
}

void TSM_Breakpoints::AdjustForEdit(int32_t offset, int32_t delta) {
  if (delta == 0) return;
  EnsureSorted();
  bool changed = false;
  // Walked by index; a breakpoint that is freed leaves its index to the next one.
  for (size_t i = 0; i < items_.size();) {
    TSM_BreakpointData& b = *items_[i];
    if (b.Offset < offset) {
      ++i;
      continue;
    }
    const bool lost = delta < 0 && std::find(lost_.begin(), lost_.end(), &b) != lost_.end();
    const int32_t moved = FollowEdit(b.Offset, offset, delta, lost);
    // Two breakpoints whose lines were joined: the first one stays.
    if (moved < 0 || (i > 0 && items_[i - 1]->Offset == moved)) {
      FreeAt(i);
      changed = true;
      continue;
    }
    changed = changed || moved != b.Offset;
    b.Offset = moved;
    ++i;
  }
  lost_.clear();
  if (changed) Repaint();
}

int64_t TSM_Breakpoints::Bytes() const {
  int64_t bytes = static_cast<int64_t>(items_.capacity() * sizeof(void*));
  for (const auto& item : items_) {
    bytes += static_cast<int64_t>(sizeof(TSM_BreakpointData));
    if (item->Text.capacity() > 15) bytes += static_cast<int64_t>(item->Text.capacity() + 1);
  }
  return bytes;
}

// --- TSM_CodeBreak ---

TSM_CodeBreak::TSM_CodeBreak(const TTextStore& store)
    : TSM_Breakpoints(store), ExecPoint(std::make_unique<TSM_BreakpointData>(0, false, std::string(), 0)) {
  ExecPoint->Owner = this;
}

void TSM_CodeBreak::SetExecPoint(int32_t offset) {
  const int32_t start = LineStartOf(store_, std::clamp(offset, 0, store_.TextLength));
  if (start != ExecPoint->Offset) {
    ExecPoint->Offset = start;
    Repaint();
  }
  ExecPoint->SetEnabled(true);
}

bool TSM_CodeBreak::GetRowMarker(int32_t offset, int32_t& glyph, TColor& back, TColor& text) const {
  if (!ExecPoint->Enabled() || ExecPoint->Offset != offset) return false;
  glyph = Glyph;
  back = BackColor;
  text = TextColor;
  return true;
}

void TSM_CodeBreak::PrepareDelete(int32_t start, int32_t end) {
  lost_ = ExecPoint->Enabled() && LineLost(ExecPoint->Offset, start, end);
}

void TSM_CodeBreak::AdjustForEdit(int32_t offset, int32_t delta) {
  const bool lost = lost_;
  lost_ = false;
  if (delta == 0 || !ExecPoint->Enabled() || ExecPoint->Offset < offset) return;
  const int32_t moved = FollowEdit(ExecPoint->Offset, offset, delta, lost);
  if (moved < 0) {
    ExecPoint->SetEnabled(false);
  } else {
    ExecPoint->Offset = moved;
  }
}

}  // namespace ql
