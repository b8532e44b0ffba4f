// The action executor: caret moves, deleting, the clipboard, insert mode, undo and redo. Codes
// of commands that are not built yet do nothing.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "services/KeyActions.h"
#include "textmodel/EdStream.h"

namespace ql {

// --- Character and word steps ---

int32_t TCustomInkMemo::NextCharOffset(int32_t offset) {
  TTextStore& store = Store();
  if (offset >= store.TextLength) return store.TextLength;
  const TRowPos pos = store.LocateRow(offset);
  const int32_t k = offset - pos.Start;
  return offset + CharLength(DisplayEncoding(), pos.Row->Text.get() + k, static_cast<size_t>(pos.Row->Length - k));
}

int32_t TCustomInkMemo::PrevCharOffset(int32_t offset) {
  if (offset <= 0) return 0;
  TTextStore& store = Store();
  const TRowPos pos = store.LocateRow(offset - 1);
  const int32_t k = offset - pos.Start;  // 1 .. Length: a character never spans two rows
  return pos.Start + static_cast<int32_t>(PrevCharStart(DisplayEncoding(), pos.Row->Text.get(), static_cast<size_t>(k)));
}

int32_t TCustomInkMemo::WordLeft(int32_t offset) {
  TEdStream s(&Store());
  auto at = [&](int32_t p) {
    s.SetCharPos(p);
    return s.PeekChar();
  };
  int32_t p = offset;
  while (p > 0 && !WordTests.CharIsInWord(at(p - 1))) --p;
  const int32_t wordEnd = p;
  while (p > 0 && WordTests.CharIsInWord(at(p - 1))) --p;
  // On the first character of the word that may start one.
  int32_t q = p;
  while (q < wordEnd && !WordTests.CharStartsWord(at(q))) ++q;
  return q < wordEnd ? q : p;
}

int32_t TCustomInkMemo::WordRight(int32_t offset) {
  TEdStream s(&Store());
  const int32_t length = Store().TextLength;
  s.StartAt(offset);
  int32_t p = offset;
  while (p < length && WordTests.CharIsInWord(s.PeekChar())) {
    s.NextChar();
    ++p;
  }
  while (p < length && !WordTests.CharStartsWord(s.PeekChar())) {
    s.NextChar();
    ++p;
  }
  return p;
}

int32_t TCustomInkMemo::LineEnd(int32_t offset) {
  TTextStore& store = Store();
  const TRowPos pos = store.LocateRow(offset);
  if (pos.Row == nullptr || pos.Index >= store.RowCount) return offset;
  const std::string_view text = pos.Row->Content();
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return pos.Start + static_cast<int32_t>(end);
}

int32_t TCustomInkMemo::RowContentEnd(int32_t offset) {
  TTextStore& store = Store();
  const TRowPos pos = store.LocateRow(offset);
  if (pos.Row == nullptr || pos.Index >= store.RowCount) return offset;
  return pos.Start + static_cast<int32_t>(pos.Row->Content().size());
}

void TCustomInkMemo::PlaceAtColumn(int32_t rowStart, const TTextRow& row, int32_t column, bool extend) {
  const TRowLayout& layout = LayoutOf(row);
  const bool beyond = CaretAfterEOL() && column > layout.Width();
  const int32_t wanted = column;
  MoveCaret(rowStart + layout.ByteNearColumn(column), extend);
  if (beyond) {
    SetBeyondEOL(true);
    virtualColumn_ = wanted;
    EnsureCaretVisible();
  }
}

// --- Vertical moves ---

void TCustomInkMemo::MoveVertically(int32_t rows, bool extend, bool page) {
  TTextStore& store = Store();
  const TRowPos pos = store.LocateRow(SelCaret());
  if (pos.Row == nullptr) return;
  // The line after a final line break is index RowCount and has no row of its own.
  const bool onVirtualLine = pos.Index >= store.RowCount;
  const int32_t lastIndex = store.LastRow()->EndsWithCR() ? store.RowCount : store.RowCount - 1;
  const int32_t target = std::clamp(pos.Index + rows, 0, lastIndex);
  if (target == pos.Index) return;
  int32_t caret;
  if (target >= store.RowCount) {
    caret = store.TextLength;
  } else {
    TTextRow* row = pos.Row;
    int32_t start = pos.Start;
    int32_t index = onVirtualLine ? store.RowCount - 1 : pos.Index;
    while (index < target && row->Next != nullptr) {
      start += row->Length;
      row = row->Next;
      ++index;
    }
    while (index > target && row->Prev != nullptr) {
      row = row->Prev;
      start -= row->Length;
      --index;
    }
    if (CaretAfterEOL()) {
      if (page) SetTopRow(TopRowIndex() + rows);
      // The caret keeps its display column, beyond the end of a shorter row.
      const int32_t column = BeyondEOL() ? virtualColumn_ : ColumnOfOffset(SelCaret());
      keepPreferredX_ = true;
      PlaceAtColumn(start, *row, column, extend);
      return;
    }
    caret = start + CharOfColumn(*row, preferredX_);
  }
  if (page) {
    SetTopRow(TopRowIndex() + rows);
    fullRepaint_ = true;
  }
  keepPreferredX_ = true;
  MoveCaret(caret, extend);
}

// --- The executor ---

void TCustomInkMemo::ExecuteActionCode(int32_t code, bool extend) {
  TTextStore& store = Store();
  const int32_t caret = SelCaret();
  switch (code) {
    case caLEFT:
      if (BeyondEOL()) {
        // In the free space after the row: back one column, onto the row's end once there.
        changeFlags_ |= cfCaret;
        if (--virtualColumn_ <= ColumnOfOffset(RowContentEnd(caret))) {
          SetBeyondEOL(false);
          MoveCaret(RowContentEnd(caret), extend);
        } else {
          EnsureCaretVisible();
        }
        return;
      }
      MoveCaret(PrevCharOffset(caret), extend);
      break;
    case caRIGHT:
      if (BeyondEOL() || (CaretAfterEOL() && caret == RowContentEnd(caret))) {
        // Past the row's end the caret goes on into the free space.
        const int32_t column = BeyondEOL() ? virtualColumn_ : ColumnOfOffset(caret);
        virtualColumn_ = std::min(column + 1, MaxRowLength);
        SetBeyondEOL(true);
        changeFlags_ |= cfCaret;
        EnsureCaretVisible();
        return;
      }
      MoveCaret(NextCharOffset(caret), extend);
      break;
    case caLINEHOME: {
      const TRowPos pos = store.LocateRow(caret);
      if (pos.Index < store.RowCount) MoveCaret(pos.Start, extend);
      break;
    }
    case caLINEEND: MoveCaret(LineEnd(caret), extend); break;
    case caUP: MoveVertically(-1, extend, false); break;
    case caDOWN: MoveVertically(1, extend, false); break;
    case caPAGEUP: MoveVertically(-visibleRows_, extend, true); break;
    case caPAGEDOWN: MoveVertically(visibleRows_, extend, true); break;
    case caWORDLEFT: MoveCaret(WordLeft(caret), extend); break;
    case caWORDRIGHT: MoveCaret(WordRight(caret), extend); break;
    case caDOCSTART: MoveCaret(0, extend); break;
    case caDOCEND:
      if (caret != store.TextLength) MoveCaret(store.TextLength, extend);
      break;
    case caCUT:
      if (!readOnly_) WndProc(WM_CUT, 0, 0);
      break;
    case caCOPY: WndProc(WM_COPY, 0, 0); break;
    case caPASTE:
      if (!readOnly_) WndProc(WM_PASTE, 0, 0);
      break;
    case caDELETE: DeleteChar(false); break;
    case caBACKSPACE: DeleteChar(true); break;
    case caBLOCKIND: IndentLines(0, false); break;
    case caBLOCKUND: UnindentLines(0); break;
    case caINSTOGGLE:
      insertMode_ = !insertMode_;
      changeFlags_ |= cfInsertMode;
      caretCreated_ = false;
      break;
    case caDELETELINE: DeleteLine(); break;
    case caUNDO:
      if (!readOnly_) PlayBack(true);
      break;
    case caREDO:
      if (!readOnly_) PlayBack(false);
      break;
    case caDELPREVWORD: DeleteWord(true); break;
    case caPRINTSEL: PrintRows(false); break;
    case caDELNEXTWORD: DeleteWord(false); break;
    case caSCROLLLINEUP:
      if (TopRowIndex() > 0) {
        SetTopRow(TopRowIndex() - 1);
        if (store.LocateRow(caret).Index >= TopRowIndex() + visibleRows_) MoveVertically(-1, false, false);
      }
      break;
    case caSCROLLLINEDOWN:
      if (TopRowIndex() < store.RowCount - 1) {
        if (store.LocateRow(caret).Index <= TopRowIndex()) MoveVertically(1, false, false);
        SetTopRow(TopRowIndex() + 1);
      }
      break;
    default:
      if (code >= caSETBOOKMARK0 && code <= caSETBOOKMARK9) {
        DoSetBookmark(code - caSETBOOKMARK0, -1, 0);
      } else if (code >= caGOTOBOOKMARK0 && code <= caGOTOBOOKMARK9) {
        DoGotoBookmark(code - caGOTOBOOKMARK0);
      }
      // Block indent and printing come with their own commands.
      break;
  }
  if (!BeyondEOL()) virtualColumn_ = ColumnOfOffset(SelCaret());
}

}  // namespace ql
