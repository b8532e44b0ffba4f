// Changes of the text: the one primitive that replaces the selection (and records it), typing,
// deleting, pasting, and undo and redo replaying the history.
#include <algorithm>
#include <cstring>
#include <utility>

#include "editor/CustomInkMemo.h"
#include "services/KeyActions.h"
#include "services/SM_Settings.h"
#include "textmodel/InkMemoErrors.h"
#include "textmodel/LineBreaks.h"
#include "toolkit/Stream.h"

namespace ql {
namespace {

// Whether the store would store text differently from how it is given (line breaks other than
// a lone CR, control characters).
bool NeedsNormalising(std::string_view text) {
  for (const char c : text) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x20 && b != '\t' && b != '\r') return true;
  }
  return false;
}

// Whether the stored bytes from start on are exactly bytes.
bool RangeEquals(TTextStore& store, int32_t start, std::string_view bytes) {
  if (start < 0 || start + static_cast<int64_t>(bytes.size()) > store.TextLength) return false;
  if (bytes.empty()) return true;
  TRowPos pos = store.LocateRow(start);
  int32_t k = start - pos.Start;
  size_t done = 0;
  for (const TTextRow* row = pos.Row; row != nullptr && done < bytes.size(); row = row->Next) {
    const size_t n = std::min(static_cast<size_t>(row->Length - k), bytes.size() - done);
    if (std::memcmp(row->Text.get() + k, bytes.data() + done, n) != 0) return false;
    done += n;
    k = 0;
  }
  return done == bytes.size();
}

// The digest of length stored bytes from start on.
TTextDigest StoredDigest(TTextStore& store, int32_t start, int32_t length) {
  TTextHasher hasher;
  TRowPos pos = store.LocateRow(start);
  int32_t k = start - pos.Start;
  int32_t left = length;
  for (const TTextRow* row = pos.Row; row != nullptr && left > 0; row = row->Next) {
    const int32_t n = std::min(row->Length - k, left);
    hasher.Add(std::string_view(row->Text.get() + k, static_cast<size_t>(n)));
    left -= n;
    k = 0;
  }
  return hasher.Digest();
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    uint64_t word = 0;
    if (i + 8 <= text.size() && (std::memcpy(&word, text.data() + i, 8), (word & 0x8080808080808080ull) == 0)) {
      i += 8;  // eight ASCII characters at once: a long text is mostly ASCII
      continue;
    }
    const auto b = static_cast<uint8_t>(text[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    const int32_t n = Utf8SequenceLength(text.data() + i, text.size() - i);
    if (n <= 0) return false;
    i += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

// --- Transactions and groups ---

TTransaction::TTransaction(TCustomInkMemo& editor)
    : editor_(editor), active_(editor.recording_ && !editor.playback_ && !editor.Loading()) {
  if (!active_) return;
  if (editor_.transactionOpen_) throw EInkMemo("Bad transaction log entry");
  editor_.transactionOpen_ = true;
  before_ = {editor_.SelAnchor(), editor_.SelCaret()};
  removed_ = editor_.Store().GetRange(before_.Anchor, before_.Caret);
}

TTransaction::~TTransaction() {
  if (active_) editor_.transactionOpen_ = false;
}

void TTransaction::Commit(std::string_view inserted) {
  if (!active_) return;
  editor_.history_->Push(before_, {editor_.SelAnchor(), editor_.SelCaret()}, std::move(removed_), inserted);
  editor_.transactionOpen_ = false;
  active_ = false;
}

void TTransaction::Commit(TTextDigest inserted) {
  if (!active_) return;
  editor_.history_->Push(before_, {editor_.SelAnchor(), editor_.SelCaret()}, std::move(removed_), inserted);
  editor_.transactionOpen_ = false;
  active_ = false;
}

void TCustomInkMemo::BeginUndoGroup(int32_t group) {
  if (playback_) return;
  history_->BeginGroup(group, {SelAnchor(), SelCaret()});
}

void TCustomInkMemo::EndUndoGroup(int32_t group) {
  if (playback_) return;
  history_->EndGroup(group, {SelAnchor(), SelCaret()});
}

void TCustomInkMemo::ClearHistory() { history_->Clear(); }

// --- The primitive ---

void TCustomInkMemo::ReplaceSel(std::string_view text, bool quiet) {
  TTextStore& store = Store();
  const int32_t start = std::min(SelAnchor(), SelCaret());
  const int32_t end = std::max(SelAnchor(), SelCaret());
  if (Loading()) {
    // A load: its first block replaces the old text, every later one is appended.
    store.DeleteText(start, end);
    const int32_t inserted = store.InsertText(start, text.data(), static_cast<int32_t>(text.size()));
    SetSelectionEnds(start + inserted, start + inserted);
    return;
  }
  std::string filled;
  if (BeyondEOL() && start == end) {
    // Typing beyond the end of a row first fills the gap up to the caret's column.
    filled = FillText(ColumnOfOffset(start), virtualColumn_);
    filled.append(text);
    text = filled;
    SetBeyondEOL(false);
  }
  if (start == end && text.empty()) return;
  TUndoGroup<TCustomInkMemo> group(*this, ugReplaceSel);
  TTransaction transaction(*this);
  store.DeleteText(start, end);
  SetSelectionEnds(start, start);
  const int32_t inserted = store.InsertText(start, text.data(), static_cast<int32_t>(text.size()));
  SetSelectionEnds(start + inserted, start + inserted);
  if (!transaction.Active()) {
  } else if (static_cast<size_t>(inserted) >= TUndoStack::kInlineLimit) {
    // The history keeps no copy of a long text while the document holds it.
    transaction.Commit(StoredDigest(store, start, inserted));
  } else if (NeedsNormalising(text)) {
    transaction.Commit(store.GetRange(start, start + inserted));
  } else {
    transaction.Commit(text);
  }
  preferredX_ = ColumnOfOffset(SelCaret());
  virtualColumn_ = preferredX_;
  SetBeyondEOL(false);
  changeFlags_ |= cfText | cfCaret;
  if (!quiet && redrawEnabled_) EnsureCaretVisible();
}

// --- Typing ---

void TCustomInkMemo::InsertTyped(std::string_view bytes) {
  if (readOnly_) return;
  TUndoGroup<TCustomInkMemo> group(*this, ugTyping);
  changeFlags_ |= cfCaret | cfCommand | cfText;
  TTextStore& store = Store();
  const bool lineBreak = bytes == "\r";
  int32_t indent = -1;  // -1: no auto-indent
  if (lineBreak && HasOption(smoAutoIndent)) {
    // The blanks and TABs at the start of the caret's row, not beyond the caret.
    const TRowPos pos = store.LocateRow(SelCaret());
    if (pos.Row == nullptr || pos.Index >= store.RowCount) {
      indent = 0;  // the empty line after a final line break
    } else {
      const std::string_view text = pos.Row->All();
      const int32_t limit = SelCaret() - pos.Start;
      int32_t n = 0;
      while (n < limit && (text[static_cast<size_t>(n)] == ' ' || text[static_cast<size_t>(n)] == '\t')) ++n;
      if (n > 0 || pos.Row->Content().empty()) indent = DisplayColumn(text, n, DisplayEncoding(), *this);
    }
  }
  if (!insertMode_ && !lineBreak && SelAnchor() == SelCaret() && SelCaret() < store.TextLength) {
    // Overwrite: the character at the caret goes, unless it is the line break.
    const TRowPos pos = store.LocateRow(SelCaret());
    if (pos.Row != nullptr && pos.Row->Text[SelCaret() - pos.Start] != '\r') {
      SetSelectionEnds(SelCaret(), NextCharOffset(SelCaret()));
    }
  }
  ReplaceSel(bytes, false);
  if (indent == 0) {
    // The row held only a line break: the nearest row above with text gives the indentation.
    const TRowPos pos = store.LocateRow(SelCaret());
    const TTextRow* row = pos.Row != nullptr ? pos.Row->Prev.get() : nullptr;
    if (pos.Index >= store.RowCount && pos.Row != nullptr) row = pos.Row;
    for (int32_t guard = 0; row != nullptr && guard < 10000; row = row->Prev, ++guard) {
      const std::string_view text = row->All();
      const size_t n = text.find_first_not_of(" \t");
      if (n == std::string_view::npos || text[n] == '\r') continue;
      indent = DisplayColumn(text, static_cast<int32_t>(n), DisplayEncoding(), *this);
      break;
    }
  }
  if (indent > 0) InsertFill(0, indent);
}

std::string TCustomInkMemo::FillText(int32_t from, int32_t to) const {
  std::string fill;
  int32_t column = from;
  if (HasOption(smoUseTAB) && HasOption(smoSmartFill)) {
    for (int32_t next = NextTabStop(column); next <= to; next = NextTabStop(column)) {
      fill += '\t';
      column = next;
    }
  }
  if (to > column) fill.append(static_cast<size_t>(to - column), ' ');
  return fill;
}

void TCustomInkMemo::InsertFill(int32_t from, int32_t to) {
  const std::string fill = FillText(from, to);
  if (!fill.empty()) ReplaceSel(fill, false);
}

void TCustomInkMemo::SmartTab() {
  if (readOnly_) return;
  TUndoGroup<TCustomInkMemo> group(*this, ugTyping);
  changeFlags_ |= cfCaret | cfCommand | cfText;
  TTextStore& store = Store();
  const int32_t column = ColumnOfOffset(SelCaret());
  int32_t target = NextTabStop(column);
  const TRowPos pos = store.LocateRow(SelCaret());
  if (HasOption(smoTabToColumn) && pos.Row != nullptr) {
    // Under the next word of the nearest row above that reaches past the caret's column.
    const TTextRow* above = pos.Index < store.RowCount ? pos.Row->Prev : pos.Row;
    for (int32_t guard = 0; above != nullptr && guard < 1000; above = above->Prev, ++guard) {
      const TRowLayout& layout = LayoutOf(*above);
      if (layout.Width() <= column) continue;
      const auto& chars = layout.Chars();
      size_t i = layout.CharAtColumn(column);
      auto blank = [&](size_t k) { return chars[k].Code == ' ' || chars[k].Code == '\t'; };
      while (i < chars.size() && chars[i].Kind != TCharKind::Break && !blank(i)) ++i;
      while (i < chars.size() && chars[i].Kind != TCharKind::Break && blank(i)) ++i;
      target = i < chars.size() ? chars[i].Column : layout.Width();
      break;
    }
  }
  if (target > column) InsertFill(column, target);
}

void TCustomInkMemo::TypeChar(char32_t code) {
  switch (code) {
    case '\t':
      if (HasOption(smoTabToColumn) && !HasOption(smoWordWrap)) {
        SmartTab();
      } else if (HasOption(smoUseTAB)) {
        InsertTyped("\t");
      } else {
        SmartTab();
      }
      return;
    case '\r':
      if (WantReturns) InsertTyped("\r");
      return;
    case '\n':
      if (!WantReturns) InsertTyped("\r");
      return;
    default: break;
  }
  if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) return;
  std::string bytes;
  if (EncodeChar(DisplayEncoding(), code, bytes)) InsertTyped(bytes);
}

// --- Deleting ---

void TCustomInkMemo::DeleteChar(bool before) {
  if (readOnly_) return;
  if (before && BeyondEOL()) {
    ExecuteActionCode(caLEFT, false);
    return;
  }
  TUndoGroup<TCustomInkMemo> group(*this, ugDelete);
  if (BeyondEOL() && SelAnchor() == SelCaret()) ReplaceSel({}, true);  // fills the gap first
  const int32_t caret = SelCaret();
  if (SelAnchor() == caret) {
    if (before ? caret == 0 : caret >= Store().TextLength) return;
    if (before) {
      SetSelectionEnds(caret, PrevCharOffset(caret));
    } else {
      SetSelectionEnds(caret, NextCharOffset(caret));
    }
  }
  keepPreferredX_ = false;
  changeFlags_ |= cfText | cfCaret | cfCommand;
  ReplaceSel({}, false);
}

void TCustomInkMemo::DeleteWord(bool before) {
  if (readOnly_) return;
  const int32_t caret = SelCaret();
  const int32_t target = before ? WordLeft(caret) : WordRight(caret);
  if (target == caret) return;
  TUndoGroup<TCustomInkMemo> group(*this, before ? ugDelPrevWord : ugDelNextWord);
  changeFlags_ |= cfText | cfCaret | cfCommand;
  SetSelectionEnds(caret, target);
  ReplaceSel({}, false);
}

void TCustomInkMemo::DeleteLine() {
  if (readOnly_ || SelAnchor() != SelCaret()) return;
  TTextStore& store = Store();
  const TRowPos pos = store.LocateRow(SelCaret());
  if (pos.Row == nullptr || pos.Index >= store.RowCount) return;
  changeFlags_ |= cfText | cfCaret | cfCommand;
  SetSelectionEnds(pos.Start, pos.Start + pos.Row->Length);
  ReplaceSel({}, false);
}

// --- Clipboard and streams ---

void TCustomInkMemo::Paste(std::string_view utf8, int32_t group) {
  if (readOnly_) return;
  // UTF-8 goes in as it is given (the store stores its line breaks as it takes it in): a long
  // paste makes no copy of the text.
  std::string converted;
  if (DisplayEncoding() != TTextEncoding::Utf8 || !IsValidUtf8(utf8)) {
    converted = Utf8ToBytes(DisplayEncoding(), utf8);
    utf8 = converted;
  }
  TUndoGroup<TCustomInkMemo> undoGroup(*this, group);
  keepPreferredX_ = false;
  ReplaceSel(utf8, false);
}

void TCustomInkMemo::InsertStream(TStream& stream, bool quiet) {
  const int64_t size = stream.Size() - stream.Position();
  std::string bytes(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
  if (size > 0) stream.ReadBuffer(bytes.data(), static_cast<int32_t>(size));
  ReplaceSel(bytes, quiet);
}

// --- Undo and redo ---

std::string TCustomInkMemo::ApplyStep(const TUndoStep& step, bool undo) {
  TTextStore& store = Store();
  const std::string_view replacement = undo ? step.Removed : step.Inserted;
  const int32_t start = std::min(step.Before.Anchor, step.Before.Caret);
  std::string taken;  // a long step's text that only the document holds, for the history
  int64_t presentLength = 0;
  bool matches = false;
  if (step.InDocument) {
    presentLength = step.Present.Length;
    if (start >= 0 && start + presentLength <= store.TextLength) {
      taken = store.GetRange(start, start + static_cast<int32_t>(presentLength));
      matches = DigestOf(taken) == step.Present;
    }
  } else {
    const std::string_view present = undo ? step.Inserted : step.Removed;
    presentLength = static_cast<int64_t>(present.size());
    matches = RangeEquals(store, start, present);
  }
  if (!matches) {
    throw EInkMemo(undo ? "Cannot undo: the text no longer matches the undo history"
                        : "Cannot redo: the text no longer matches the undo history");
  }
  SetSelectionEnds(start, start + static_cast<int32_t>(presentLength));
  SetBeyondEOL(false);  // a replayed step puts back exactly its bytes, no fill before them
  ReplaceSel(replacement, true);
  const TSelectionEnds after = undo ? step.Before : step.After;
  SetSelectionEnds(after.Anchor, after.Caret);
  return taken;
}

void TCustomInkMemo::PlayBack(bool undo) {
  const std::vector<TUndoStep> steps = undo ? history_->UndoUnit() : history_->RedoUnit();
  if (steps.empty()) return;
  const TSelectionEnds selection = undo ? history_->UndoSelection() : history_->RedoSelection();
  playback_ = true;
  try {
    // Each applied step moves the history's cursor with it, so a unit that stops halfway leaves
    // the history describing the text as it now is.
    for (const TUndoStep& step : steps) {
      std::string taken = ApplyStep(step, undo);
      if (undo) {
        history_->StepBack(std::move(taken));
      } else {
        history_->StepForward(std::move(taken));
      }
    }
  } catch (...) {
    playback_ = false;
    host_->Beep();
    changeFlags_ |= cfText | cfCaret;
    EnsureCaretVisible();
    throw;
  }
  playback_ = false;
  SetSelectionMsg(selection, false);
  changeFlags_ |= cfText | cfCaret;
}

}  // namespace ql
