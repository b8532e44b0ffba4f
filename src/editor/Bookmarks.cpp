// Numbered and named bookmarks, text marks, breakpoints, the execution point, gutter marks and
// line tracks: the editor's operations on the annotations of its store, and the binding of the
// store's notifications to the editor's events.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "textmodel/InkMemoErrors.h"

namespace ql {
namespace {

constexpr int32_t BookmarkCount = 10;

void CheckBookmarkIndex(int32_t index) {
  if (index < 0 || index >= BookmarkCount) throw EInkMemo("Bookmark index range error");
}

uint16_t BookmarkBit(int32_t index) { return static_cast<uint16_t>(1u << index); }

}  // namespace

// --- Wrappers ---

void TCustomInkMemo::SetBookmark(int32_t index, int32_t line, int32_t column) {
  TAnnotationRequest r;
  r.A = index;
  r.B = line;
  r.C = column;
  Perform(SMM_ANNOTATE, aoSetBookmark, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::GotoBookmark(int32_t index) {
  TAnnotationRequest r;
  r.A = index;
  Perform(SMM_ANNOTATE, aoGotoBookmark, reinterpret_cast<LPARAM>(&r));
}

int32_t TCustomInkMemo::BookmarkLine(int32_t index) const {
  CheckBookmarkIndex(index);
  int32_t line = 1;
  for (const TTextRow* row = Store().FirstRow; row != nullptr; row = row->Next, ++line) {
    if ((row->MarkBits & BookmarkBit(index)) != 0) return line;
  }
  return 0;
}

TMarkHandle TCustomInkMemo::AddMark(int32_t start, int32_t length, int32_t value) {
  TAnnotationRequest r;
  r.A = start;
  r.B = length;
  r.C = value;
  Perform(SMM_ANNOTATE, aoAddMark, reinterpret_cast<LPARAM>(&r));
  return r.Result;
}

bool TCustomInkMemo::FindMark(int32_t start, int32_t length, TMarkHandle& mark) const {
  return Store().Marks && Store().Marks->Find(start, length, mark);
}

int32_t TCustomInkMemo::MarkStart(TMarkHandle mark) const { return Store().Marks ? Store().Marks->Start(mark) : -1; }
int32_t TCustomInkMemo::MarkEnd(TMarkHandle mark) const { return Store().Marks ? Store().Marks->End(mark) : -1; }

void TCustomInkMemo::SetMarkStart(TMarkHandle mark, int32_t value) {
  TAnnotationRequest r;
  r.A = mark;
  r.B = value;
  Perform(SMM_ANNOTATE, aoSetMarkStart, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::SetMarkEnd(TMarkHandle mark, int32_t value) {
  TAnnotationRequest r;
  r.A = mark;
  r.B = value;
  Perform(SMM_ANNOTATE, aoSetMarkEnd, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::RemoveMark(TMarkHandle mark) {
  TAnnotationRequest r;
  r.A = mark;
  Perform(SMM_ANNOTATE, aoRemoveMark, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::AddCustomBookmark(const std::string& name, int32_t position) {
  TAnnotationRequest r;
  r.Name = name;
  r.A = position;
  Perform(SMM_ANNOTATE, aoAddCustomBookmark, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::RemoveCustomBookmark(const std::string& name) {
  TAnnotationRequest r;
  r.Name = name;
  Perform(SMM_ANNOTATE, aoRemoveCustomBookmark, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::GotoCustomBookmark(const std::string& name) {
  TAnnotationRequest r;
  r.Name = name;
  Perform(SMM_ANNOTATE, aoGotoCustomBookmark, reinterpret_cast<LPARAM>(&r));
}

bool TCustomInkMemo::ToggleBreakpoint(int32_t offset) {
  TAnnotationRequest r;
  r.A = offset;
  Perform(SMM_ANNOTATE, aoToggleBreakpoint, reinterpret_cast<LPARAM>(&r));
  return r.Result != 0;
}

TSM_BreakpointData* TCustomInkMemo::AddBreakpoint(int32_t offset, int32_t tag, bool enabled, const std::string& text,
                                                  int32_t userData) {
  TAnnotationRequest r;
  r.A = offset;
  r.B = tag;
  r.C = enabled ? 1 : 0;
  r.D = userData;
  r.Name = text;
  Perform(SMM_ANNOTATE, aoAddBreakpoint, reinterpret_cast<LPARAM>(&r));
  return r.Breakpoint;
}

void TCustomInkMemo::RemoveBreakpoint(TSM_BreakpointData* breakpoint) {
  TAnnotationRequest r;
  r.Breakpoint = breakpoint;
  Perform(SMM_ANNOTATE, aoRemoveBreakpoint, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::SetExecPoint(int32_t offset, bool on) {
  TAnnotationRequest r;
  r.A = offset;
  r.B = on ? 1 : 0;
  Perform(SMM_ANNOTATE, aoSetExecPoint, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::SetGutterMarks(int32_t rowIndex, uint16_t flags) {
  TAnnotationRequest r;
  r.A = rowIndex;
  r.B = flags;
  Perform(SMM_ANNOTATE, aoSetGutterMarks, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::AddTrack(int32_t trackId) {
  TAnnotationRequest r;
  r.A = trackId;
  Perform(SMM_ANNOTATE, aoAddTrack, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::RemoveTrack(int32_t trackId) {
  TAnnotationRequest r;
  r.A = trackId;
  Perform(SMM_ANNOTATE, aoRemoveTrack, reinterpret_cast<LPARAM>(&r));
}

void TCustomInkMemo::FreeLineTracks() noexcept {
  // Each track is reported once, whatever a handler does.
  std::vector<int32_t> tracks;
  tracks.swap(lineTracks_);
  for (const int32_t id : tracks) {
    try {
      if (OnTrackFree) OnTrackFree(*this, id);
    } catch (...) {
    }
  }
}

void TCustomInkMemo::SetShowFocusLine(bool on) {
  if (on == showFocusLine_) return;
  showFocusLine_ = on;
  RepaintAnnotations();
}

// --- Inside the window procedure ---

LRESULT TCustomInkMemo::Annotate(TAnnotationOp op, TAnnotationRequest& r) {
  TTextStore& store = Store();
  const int32_t caret = SelCaret();
  switch (op) {
    case aoSetBookmark: DoSetBookmark(r.A, r.B, r.C); return 1;
    case aoGotoBookmark: DoGotoBookmark(r.A); return 1;
    case aoAddMark:
      store.EnsureMarks();
      BindMarks();
      r.Result = store.Marks->Add(r.A, r.A + r.B, r.C);
      fullRepaint_ = true;
      return 1;
    case aoSetMarkStart:
    case aoSetMarkEnd:
      if (store.Marks && (op == aoSetMarkStart ? store.Marks->SetStart(r.A, r.B) : store.Marks->SetEnd(r.A, r.B))) {
        fullRepaint_ = true;
      }
      return 1;
    case aoRemoveMark:
      if (store.Marks && store.Marks->Remove(r.A)) fullRepaint_ = true;
      return 1;
    case aoAddCustomBookmark:
      store.CustomBookmarks.Add(r.Name, std::clamp(r.A < 0 ? caret : r.A, 0, store.TextLength));
      return 1;
    case aoRemoveCustomBookmark: store.CustomBookmarks.Remove(r.Name); return 1;
    case aoGotoCustomBookmark: {
      const int32_t at = store.CustomBookmarks.Find(r.Name);
      if (at >= 0) SetSelectionMsg({at, at}, false);
      return 1;
    }
    case aoToggleBreakpoint:
      r.Result = store.Breakpoints.Toggle(r.A < 0 ? caret : r.A) ? 1 : 0;
      return 1;
    case aoAddBreakpoint:
      r.Breakpoint = &store.Breakpoints.Add(r.A < 0 ? caret : r.A, r.B, r.C != 0, r.Name, r.D);
      return 1;
    case aoRemoveBreakpoint: store.Breakpoints.Remove(r.Breakpoint); return 1;
    case aoSetExecPoint:
      if (r.B != 0) {
        store.CodeBreak.SetExecPoint(r.A < 0 ? caret : r.A);
      } else {
        store.CodeBreak.ExecPoint->SetEnabled(false);
      }
      return 1;
    case aoSetGutterMarks:
      if (r.A >= 0 && r.A < store.RowCount) {
        TTextRow* row = store.RowByIndex(r.A).Row;
        row->GutterMarks = static_cast<uint16_t>(r.B);
        row->Flags |= rfRepaint;
      }
      return 1;
    case aoAddTrack:
      if (std::find(lineTracks_.begin(), lineTracks_.end(), r.A) == lineTracks_.end()) {
        lineTracks_.push_back(r.A);
        if (OnTrackAdd) OnTrackAdd(*this, r.A);
      }
      return 1;
    case aoRemoveTrack: {
      const auto at = std::find(lineTracks_.begin(), lineTracks_.end(), r.A);
      if (at != lineTracks_.end()) {
        lineTracks_.erase(at);
        if (OnTrackFree) OnTrackFree(*this, r.A);
      }
      return 1;
    }
  }
  return 0;
}

void TCustomInkMemo::DoSetBookmark(int32_t index, int32_t line, int32_t column) {
  CheckBookmarkIndex(index);
  TTextStore& store = Store();
  const uint16_t bit = BookmarkBit(index);
  TTextRow* oldRow = nullptr;
  int32_t oldLine = 0;
  if (store.BookmarkColumns[index] != 0) {
    int32_t n = 1;
    for (TTextRow* row = store.FirstRow; row != nullptr; row = row->Next, ++n) {
      if ((row->MarkBits & bit) != 0) {
        oldRow = row;
        oldLine = n;
        row->MarkBits &= static_cast<uint16_t>(~mbBookmarkMask);
        row->Flags |= rfRepaint;
        break;
      }
    }
  }
  TTextRow* target = nullptr;
  if (line == -1) {
    const TRowPos pos = store.LocateRow(SelCaret());
    target = pos.Row;
    line = pos.Index + 1;
    column = SelCaret() - pos.Start + 1;
  } else {
    line = std::max(line, 1);
    target = store.RowByIndex(line - 1).Row;
    column = std::max(column, 1);
  }
  if (oldRow != nullptr && oldLine == line) {
    // The same row again: the bookmark is switched off.
    RepaintAnnotations();
    if (OnBookmarkClear) OnBookmarkClear(*this, index);
    return;
  }
  if (HasOption(smoWordWrap)) {
    // A bookmark belongs to the first row of its logical line.
    while (target != nullptr && (target->MarkBits & mbContinuation) != 0 && target->Prev != nullptr) target = target->Prev;
  }
  if (target == nullptr || target == oldRow) {
    store.BookmarkColumns[index] = 0;
  } else {
    target->MarkBits = static_cast<uint16_t>((target->MarkBits & ~mbBookmarkMask) | bit);
    target->Flags |= rfRepaint;
    store.BookmarkColumns[index] = static_cast<int16_t>(std::min(column, 32767));
  }
  if (OnBookmarkSet) OnBookmarkSet(*this, index);
  RepaintAnnotations();
}

void TCustomInkMemo::DoGotoBookmark(int32_t index) {
  CheckBookmarkIndex(index);
  TTextStore& store = Store();
  int32_t start = 0;
  const TTextRow* row = store.FirstRow;
  while (row != nullptr && (row->MarkBits & BookmarkBit(index)) == 0) {
    start += row->Length;
    row = row->Next;
  }
  if (row == nullptr) return;
  const int32_t column = std::clamp<int32_t>(store.BookmarkColumns[index], 1, row->Length);
  const int32_t position = start + column - 1;
  SetSelectionMsg({position, position}, true);
  const int32_t r = store.LocateRow(position).Index;
  const int32_t v = lineHeight_ > 0 ? clientHeight_ / lineHeight_ : 0;
  ScrollTo(leftColumn_, r - v / 2, true);
  EnsureCaretVisible();
}

// --- Binding ---

void TCustomInkMemo::RepaintAnnotations() {
  fullRepaint_ = true;
  // Outside a message nothing else would pass the request on.
  if (depth_ == 0) host_->InvalidateRect(nullptr);
}

void TCustomInkMemo::BindMarks() {
  TTextStore& store = Store();
  if (!store.Marks) return;
  store.Marks->OnMarkChange = [this](TMarkHandle mark) {
    if (OnMarkChange) OnMarkChange(*this, mark);
  };
  store.Marks->WantsChanges = [this] { return static_cast<bool>(OnMarkChange); };
  store.Marks->OnMarkFree = [this](TMarkHandle mark) {
    if (OnMarkFree) OnMarkFree(*this, mark);
  };
}

void TCustomInkMemo::BindAnnotations(bool bind) {
  TTextStore& store = Store();
  if (!bind) {
    store.CustomBookmarks.OnFree = nullptr;
    store.Breakpoints.OnFreed = nullptr;
    store.Breakpoints.OnStateChange = nullptr;
    store.Breakpoints.Memo = nullptr;
    store.CodeBreak.Memo = nullptr;
    if (store.Marks) {
      store.Marks->OnMarkChange = nullptr;
      store.Marks->WantsChanges = nullptr;
      store.Marks->OnMarkFree = nullptr;
    }
    return;
  }
  store.CustomBookmarks.OnFree = [this](TCustomBookmarks&, const std::string& name) {
    if (OnCustomBookmarkFree) OnCustomBookmarkFree(*this, name);
  };
  store.Breakpoints.OnFreed = [this](TSM_Breakpoints&, TSM_BreakpointData& data) {
    if (OnBreakpointFree) OnBreakpointFree(*this, data);
  };
  store.Breakpoints.OnStateChange = [this](TSM_Breakpoints&, TSM_BreakpointData& data) {
    if (OnBreakpointStateChange) OnBreakpointStateChange(*this, data);
  };
  store.Breakpoints.Memo = [this] { RepaintAnnotations(); };
  store.CodeBreak.Memo = [this] { RepaintAnnotations(); };
  BindMarks();
}

}  // namespace ql
