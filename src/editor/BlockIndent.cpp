// Block indent and unindent: every line the selection touches gets blanks (or TABs) put in
// front, or loses up to a step of leading blanks. Each line's change is recorded as a step of
// its own, carrying exactly the characters inserted or removed at that line's start, inside one
// undo group, so that one Undo puts the whole block back as it was.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "services/SM_Settings.h"

namespace ql {
namespace {

// The bytes of a leading non-breaking space at text's start in the given encoding; 0 for none.
size_t NonBreakingSpaceAt(std::string_view text, TTextEncoding encoding) {
  if (encoding == TTextEncoding::Utf8) {
    return text.size() >= 2 && static_cast<uint8_t>(text[0]) == 0xC2 && static_cast<uint8_t>(text[1]) == 0xA0 ? 2 : 0;
  }
  return !text.empty() && static_cast<uint8_t>(text[0]) == 0xA0 ? 1 : 0;
}

}  // namespace

std::vector<int32_t> TCustomInkMemo::SelectedLineStarts() {
  std::vector<int32_t> starts;
  TTextStore& store = Store();
  const int32_t start = std::min(SelAnchor(), SelCaret());
  const int32_t end = std::max(SelAnchor(), SelCaret());
  if (start == end) return starts;
  TRowPos pos = store.LocateRow(start);
  if (pos.Row == nullptr || pos.Index >= store.RowCount) return starts;  // the line after a final break
  // A line continued over several rows is handled from its first row.
  TTextRow* row = pos.Row;
  int32_t rowStart = pos.Start;
  while ((row->MarkBits & mbContinuation) != 0 && row->Prev != nullptr) {
    row = row->Prev;
    rowStart -= row->Length;
  }
  // The row the selection ends on is left out when the selection ends at its first character.
  for (; row != nullptr && rowStart < end; row = row->Next) {
    if ((row->MarkBits & mbContinuation) == 0) starts.push_back(rowStart);
    rowStart += row->Length;
  }
  return starts;
}

void TCustomInkMemo::BlockIndent(int32_t count, bool tabs) { Perform(SMM_INDENT, static_cast<WPARAM>(std::max(count, 0)), tabs ? 1 : 0); }
void TCustomInkMemo::BlockUnindent(int32_t count) { Perform(SMM_UNINDENT, static_cast<WPARAM>(std::max(count, 0))); }

void TCustomInkMemo::RecordLineStep(int32_t at, std::string_view removed, std::string_view inserted) {
  if (!recording_ || playback_ || Loading()) return;
  const int32_t removedEnd = at + static_cast<int32_t>(removed.size());
  const int32_t insertedEnd = at + static_cast<int32_t>(inserted.size());
  history_->Push({{at, removedEnd}, {at, insertedEnd}, removed, inserted});
}

void TCustomInkMemo::BlockChanged(int32_t selStart, int32_t selEnd) {
  changeFlags_ |= cfText | cfCaret | cfCommand;
  fullRepaint_ = true;
  scrollBarsDirty_ = true;
  // The block stays selected, the caret at its end.
  SetSelectionEnds(selStart, selEnd);
  SetBeyondEOL(false);
  preferredX_ = ColumnOfOffset(selEnd);
  EnsureCaretVisible();
}

void TCustomInkMemo::IndentLines(int32_t count, bool tabs) {
  if (readOnly_) return;
  if (count <= 0) count = settings_->IndentStep;
  const std::vector<int32_t> starts = SelectedLineStarts();
  if (starts.empty() || count <= 0) return;
  const std::string indent(static_cast<size_t>(count), tabs && HasOption(smoUseTAB) ? '\t' : ' ');
  const int32_t anchor = SelAnchor();
  const int32_t caret = SelCaret();
  int32_t selStart = std::min(anchor, caret);
  int32_t selEnd = std::max(anchor, caret);

  TUndoGroup<TCustomInkMemo> group(*this, ugIndent);
  TTextStore& store = Store();
  int32_t shift = 0;  // characters inserted so far, all before the next line's start
  for (const int32_t lineStart : starts) {
    const int32_t at = lineStart + shift;
    // The store splits a row the indent makes longer than the row limit, as for any insertion.
    const int32_t n = store.InsertText(at, indent);
    RecordLineStep(at, {}, std::string_view(indent).substr(0, static_cast<size_t>(n)));
    if (at < selStart) selStart += n;  // the selection keeps the text it held
    selEnd += n;
    shift += n;
  }
  BlockChanged(selStart, selEnd);
}

void TCustomInkMemo::UnindentLines(int32_t count) {
  if (readOnly_) return;
  if (count <= 0) count = settings_->IndentStep;
  const std::vector<int32_t> starts = SelectedLineStarts();
  if (starts.empty() || count <= 0) return;
  const int32_t anchor = SelAnchor();
  const int32_t caret = SelCaret();
  int32_t selStart = std::min(anchor, caret);
  int32_t selEnd = std::max(anchor, caret);

  TUndoGroup<TCustomInkMemo> group(*this, ugUnindent);
  TTextStore& store = Store();
  int32_t shift = 0;  // characters removed so far, all before the next line's start
  bool changed = false;
  for (const int32_t lineStart : starts) {
    const int32_t at = lineStart - shift;
    const TRowPos pos = store.LocateRow(at);
    if (pos.Row == nullptr || pos.Start != at) continue;
    const std::string_view text = pos.Row->Content();
    // Up to count leading blanks, TABs and non-breaking spaces; nothing after another character.
    size_t bytes = 0;
    for (int32_t removed = 0; removed < count && bytes < text.size(); ++removed) {
      if (text[bytes] == ' ' || text[bytes] == '\t') {
        ++bytes;
      } else if (const size_t nbsp = NonBreakingSpaceAt(text.substr(bytes), DisplayEncoding()); nbsp > 0) {
        bytes += nbsp;
      } else {
        break;
      }
    }
    if (bytes == 0) continue;
    const int32_t n = static_cast<int32_t>(bytes);
    const std::string removed(text.substr(0, bytes));  // the exact characters, for undo
    store.DeleteText(at, at + n);
    RecordLineStep(at, removed, {});
    // Ends inside the removed characters go to the line's start.
    if (selStart > at) selStart = std::max(at, selStart - n);
    selEnd = std::max(at, selEnd - n);
    shift += n;
    changed = true;
  }
  if (!changed) return;
  BlockChanged(selStart, selEnd);
}

}  // namespace ql
