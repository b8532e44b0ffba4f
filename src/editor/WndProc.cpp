// The window procedure: message dispatch, the change reporting after the outermost message, and
// the decoding of every message into the editor's typed operations. Pointer parameters are
// checked here and nowhere else.
#include <algorithm>
#include <cstring>

#include "editor/CustomInkMemo.h"
#include "editor/EditorSearch.h"
#include "highlight/CustomInkMemoParser.h"
#include "highlight/Rescan.h"
#include "services/SM_Settings.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/Canvas.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/Stream.h"

namespace ql {
namespace {

constexpr const char* VersionText = "<TInkMemo>:3.00.39";
constexpr LRESULT DLGC_WANTARROWS = 0x01, DLGC_WANTTAB = 0x02, DLGC_WANTCHARS = 0x80;

int32_t SignedParam(uintptr_t v) { return static_cast<int32_t>(static_cast<intptr_t>(v)); }
int32_t SignedParam(intptr_t v) { return static_cast<int32_t>(v); }

template <class T>
T* Pointer(LPARAM l) {
  return reinterpret_cast<T*>(l);
}
template <class T>
T* Pointer(WPARAM w) {
  return reinterpret_cast<T*>(w);
}

TLineBreakForm FormOf(WPARAM format) {
  switch (format) {
    case smfPlainCRLF: return TLineBreakForm::CRLF;
    case smfPlainLF: return TLineBreakForm::LF;
    default: return TLineBreakForm::CR;
  }
}

bool KnownWriteFormat(WPARAM format) {
  return format == smfPlainCR || format == smfPlainCRLF || format == smfPlainLF || format == smfRTF || format == smfHTML;
}

// Copies bytes into a caller's buffer, NUL-terminated; returns the bytes copied.
int32_t CopyOut(std::string_view bytes, char* data, int32_t size) {
  if (data == nullptr || size <= 0) return 0;
  const int32_t n = std::min(static_cast<int32_t>(bytes.size()), size - 1);
  std::memcpy(data, bytes.data(), static_cast<size_t>(n));
  data[n] = '\0';
  return n;
}

}  // namespace

void TCustomInkMemo::WriteSelection(WPARAM format, TStream& stream) {
  if (format == smfRTF || format == smfHTML) {
    ExportRange(format == smfRTF ? sfRTF : sfHTML, SelAnchor(), SelCaret(), stream);
  } else {
    Store().WritePlainText(SelAnchor(), SelCaret(), FormOf(format), stream);
  }
}

// --- Dispatch ---

LRESULT TCustomInkMemo::Dispatch(TMsgNum msg, WPARAM wParam, LPARAM lParam) {
  if (depth_ == 0) rowCountAtStart_ = Store().RowCount;
  ++depth_;
  LRESULT result = 0;
  try {
    result = WndProc(msg, wParam, lParam);
  } catch (...) {
    // What the message changed before the error is still reported; the error passes on.
    --depth_;
    if (depth_ == 0 && msg != WM_PAINT) {
      try {
        EndOfMessage();
      } catch (...) {
      }
    }
    throw;
  }
  --depth_;
  if (depth_ == 0 && msg != WM_PAINT) EndOfMessage();
  return result;
}

void TCustomInkMemo::EndOfMessage() {
  if (paintLocked_ || !redrawEnabled_ || Loading()) return;
  RunRescan();
  if (Store().RowCount != rowCountAtStart_) {
    fullRepaint_ = true;
    scrollBarsDirty_ = true;
    rowCountAtStart_ = Store().RowCount;
  }
  InvalidateFocusLine();
  InvalidateChangedRows();
  if (scrollBarsDirty_) UpdateScrollBars();
  UpdateCaret();
  DoChange();
}

void TCustomInkMemo::DoChange() {
  if (paintLocked_ || !redrawEnabled_ || Loading()) return;
  RunRescan();
  if (changeFlags_ == 0 && textChanges_.empty()) return;
  const std::vector<std::pair<int32_t, int32_t>> pieces = std::move(textChanges_);
  textChanges_.clear();
  reportedFlags_ = changeFlags_;
  changeFlags_ = 0;
  if (OnTextChange) {
    for (const auto& [start, extent] : pieces) OnTextChange(*this, start, extent);
  }
  if (reportedFlags_ != 0 && OnChange) OnChange(*this);
  reportedFlags_ = 0;
}

void TCustomInkMemo::SetRedraw(bool on) {
  if (on == redrawEnabled_) return;
  redrawEnabled_ = on;
  if (on) {
    // Everything that happened meanwhile is shown and reported now.
    fullRepaint_ = true;
    scrollBarsDirty_ = true;
    changeFlags_ |= cfSize;
    EnsureCaretVisible();
  }
}

void TCustomInkMemo::SetUpdateState(bool updating) { Perform(WM_SETREDRAW, updating ? 0 : 1); }

// --- The message table ---

LRESULT TCustomInkMemo::WndProc(TMsgNum msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      clientWidth_ = LOWORD(static_cast<uintptr_t>(lParam));
      clientHeight_ = HIWORD(static_cast<uintptr_t>(lParam));
      UpdateVisibleSize();
      UpdateWrapLayout();
      fullRepaint_ = true;
      scrollBarsDirty_ = true;
      changeFlags_ |= cfSize;
      return 0;
    case WM_SETFOCUS:
      BindSettings();
      fullRepaint_ = true;
      return 0;
    case WM_KILLFOCUS:
      host_->DestroyCaret();
      caretCreated_ = false;
      clickCount_ = 4;
      mouseSelecting_ = false;
      dragPending_ = false;
      host_->KillTimer(tmAutoScroll);
      fullRepaint_ = true;
      return 0;
    case WM_SETREDRAW: SetRedraw(wParam != 0); return 0;
    case WM_SETTEXT:
      SetText(lParam != 0 ? std::string(Pointer<const char>(lParam)) : std::string());
      return 1;
    case WM_GETTEXT: {
      // wParam: the buffer's size in bytes, NUL included.
      const std::string text = GetText();
      return CopyOut(text, Pointer<char>(lParam), SignedParam(wParam));
    }
    case WM_GETTEXTLENGTH: return GetTextLength();
    case WM_PAINT: {
      const auto* request = Pointer<const TPaintRequest>(lParam);
      if (request != nullptr && request->Canvas != nullptr) Paint(*request->Canvas, request->Rect);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (WantTab ? DLGC_WANTTAB : 0);
    case WM_KEYDOWN: KeyDown(static_cast<uint16_t>(wParam)); return 0;
    case WM_CHAR: KeyPress(static_cast<char32_t>(wParam)); return 0;
    case WM_KEYUP: keyConsumed_ = false; return 0;  // a key that typed nothing took nothing from the next
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam, msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE: MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP: MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSEWHEEL: MouseWheel(static_cast<int16_t>(HIWORD(wParam))); return 0;
    case SMM_DRAGENTER:
    case SMM_DRAGOVER:
    case SMM_DROP: {
      auto* request = Pointer<TDropRequest>(lParam);
      if (request == nullptr) return DROPEFFECT_NONE;
      if (msg == SMM_DRAGENTER) DragEnter(*request);
      else if (msg == SMM_DRAGOVER) DragOver(*request);
      else Drop(*request);
      return static_cast<LRESULT>(request->Effect);
    }
    case SMM_DRAGLEAVE: DragLeave(); return 0;
    case WM_DROPFILES:
      if (const auto* drop = Pointer<const TFileDrop>(lParam)) FilesDropped(*drop);
      return 0;
    case WM_TIMER:
      if (wParam == tmAutoScroll) AutoScrollStep();
      return 0;
    case WM_CAPTURECHANGED:
      mouseSelecting_ = false;
      host_->KillTimer(tmAutoScroll);
      if (lineDrag_.Active) {
        // The line drag is cancelled: the line goes back where it was.
        InvalidateLineDrag();
        lineDrag_.Active = false;
      }
      return 0;
    case WM_HSCROLL: ScrollBarMessage(TScrollBarKind::Horizontal, wParam); return 0;
    case WM_VSCROLL: ScrollBarMessage(TScrollBarKind::Vertical, wParam); return 0;
    case WM_CUT:
      if (readOnly_) return 0;
      {
        TUndoGroup<TCustomInkMemo> group(*this, ugCut);
        CopySelection();
        ReplaceSel({}, false);
      }
      changeFlags_ |= cfText | cfCommand;
      return 0;
    case WM_COPY: CopySelection(); return 0;
    case WM_PASTE:
      if (readOnly_) return 0;
      PasteClipboard();
      changeFlags_ |= cfText | cfCommand;
      return 0;
    case WM_CLEAR:
      if (!readOnly_) ReplaceSel({}, false);
      return 0;
    case WM_UNDO:
      if (!readOnly_) PlayBack(true);
      return 0;
    case CM_COLORCHANGED:
      fullRepaint_ = true;
      changeFlags_ |= cfSize;
      return 0;
    case CM_FONTCHANGED:
      MeasureFont();
      settings_->MakeFonts();
      FreeGutterFont();
      UpdateWrapLayout();
      EnsureCaretVisible();
      fullRepaint_ = true;
      scrollBarsDirty_ = true;
      changeFlags_ |= cfSize;
      return 0;
    default: break;
  }
  bool handled = false;
  LRESULT result = EditMessage(msg, wParam, lParam, handled);
  if (handled) return result;
  result = OwnMessage(msg, wParam, lParam, handled);
  return handled ? result : 0;
}

LRESULT TCustomInkMemo::EditMessage(TMsgNum msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  TTextStore& store = Store();
  switch (msg) {
    case EM_GETSEL: {
      // Either pointer may be null: nothing is written through it.
      if (int32_t* anchor = Pointer<int32_t>(wParam)) *anchor = SelAnchor();
      if (int32_t* caret = Pointer<int32_t>(lParam)) *caret = SelCaret();
      return 0;
    }
    case EM_SETSEL: {
      int32_t anchor = SignedParam(wParam);
      int32_t caret = SignedParam(lParam);
      if (anchor == -1 || (anchor == 0 && caret == -1)) anchor = -1;
      SetSelectionMsg({anchor, caret}, false);
      return 0;
    }
    case EM_LINESCROLL:
      ScrollTo(leftColumn_ + SignedParam(wParam), TopRowIndex() + SignedParam(lParam), true);
      return 1;
    case EM_SCROLLCARET: SetSelectionMsg({SelAnchor(), SelCaret()}, false); return 1;
    case EM_GETMODIFY: return CanUndo() ? 1 : 0;
    case EM_SETMODIFY:
      if (wParam == 0) ClearHistory();
      return 0;
    case EM_GETLINECOUNT: return store.LineCount();
    case EM_LINEINDEX: {
      const int32_t line = SignedParam(wParam);
      if (line == -1) return store.LocateRow(SelCaret()).Start;
      return store.RowStart(line);
    }
    case EM_LINELENGTH: return store.RowLengthAt(std::clamp(SignedParam(wParam), 0, store.TextLength));
    case EM_GETLINE: {
      auto* buffer = Pointer<TTextBuffer>(lParam);
      if (buffer == nullptr) return 0;
      return CopyOut(store.RowText(SignedParam(wParam)), buffer->Data, buffer->Size);
    }
    case EM_REPLACESEL:
      ReplaceSel(lParam != 0 ? std::string_view(Pointer<const char>(lParam)) : std::string_view(), false);
      return 0;
    case EM_CANUNDO: return CanUndo() ? 1 : 0;
    case EM_UNDO:
      if (!readOnly_) PlayBack(true);
      return 1;
    case EM_CANREDO: return CanRedo() ? 1 : 0;
    case EM_REDO:
      if (!readOnly_) PlayBack(false);
      return 1;
    case EM_LINEFROMCHAR: {
      const int32_t offset = SignedParam(wParam);
      return store.LocateRow(offset == -1 ? SelCaret() : std::clamp(offset, 0, store.TextLength)).Index;
    }
    case EM_EMPTYUNDOBUFFER: ClearHistory(); return 0;
    case EM_GETFIRSTVISIBLELINE: return TopRowIndex();
    case EM_POSFROMCHAR: {
      if (auto* point = Pointer<TPoint>(wParam)) *point = PointFromChar(SignedParam(lParam));
      return 0;
    }
    case EM_CHARFROMPOS: {
      const auto* point = Pointer<const TPoint>(lParam);
      if (point == nullptr) return -1;
      if (point->X >= clientWidth_ || point->X < TextLeft() || point->Y >= clientHeight_) return -1;
      return CharFromPoint(point->X, point->Y);
    }
    case EM_CANPASTE: return (wParam == 0 || wParam == 1) && host_->Clipboard().HasText() ? 1 : 0;
    case EM_SETREADONLY: readOnly_ = wParam != 0; return 1;
    default: handled = false; return 0;
  }
}

LRESULT TCustomInkMemo::OwnMessage(TMsgNum msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  const bool set = (wParam & smmSet) != 0;
  const bool quiet = (wParam & smmNoRedraw) != 0;
  switch (msg) {
    case SMM_SELECTION: {
      auto* ends = Pointer<TSelectionEnds>(lParam);
      if (ends == nullptr) return 0;
      if (set) {
        SetSelectionMsg(*ends, quiet);
      } else {
        *ends = {SelAnchor(), SelCaret()};
      }
      return 1;
    }
    case SMM_OPTIONS:
      if (set) SetOptionsWord(static_cast<uint32_t>(lParam), quiet);
      return static_cast<LRESULT>(settings_->Options);
    case SMM_REPLACESEL:
      ReplaceSel(lParam != 0 ? std::string_view(Pointer<const char>(lParam)) : std::string_view(), quiet);
      return 1;
    case SMM_REPLACETEXT: {
      const auto* span = Pointer<const TTextSpan>(lParam);
      const bool any = span != nullptr && span->Data != nullptr && span->Length > 0;
      ReplaceSel(any ? std::string_view(span->Data, static_cast<size_t>(span->Length)) : std::string_view(), quiet);
      return 1;
    }
    case SMM_LOCKPAINT:
      if (set) {
        const bool unlocking = paintLocked_ && lParam == 0;
        paintLocked_ = lParam != 0;
        if (unlocking && !quiet) {
          EnsureCaretVisible();
          fullRepaint_ = true;
          changeFlags_ |= cfSize;
        }
      }
      return paintLocked_ ? 1 : 0;
    case SMM_INSERTSTREAM: {
      auto* stream = Pointer<TStream>(lParam);
      if (stream != nullptr) InsertStream(*stream, quiet);
      return 1;
    }
    case SMM_WRITESEL: {
      auto* stream = Pointer<TStream>(lParam);
      if (stream == nullptr || !KnownWriteFormat(wParam)) return 0;
      WriteSelection(wParam, *stream);
      return 1;
    }
    case SMM_GETSELTEXT: {
      if (!KnownWriteFormat(wParam)) return 0;
      TMemoryStream stream;
      WriteSelection(wParam, stream);
      const std::string bytes = stream.Bytes();
      if (auto* buffer = Pointer<TTextBuffer>(lParam)) CopyOut(bytes, buffer->Data, buffer->Size);
      return static_cast<LRESULT>(bytes.size());
    }
    case SMM_MODIFIED:
      if (set && lParam == 0) ClearHistory();
      return CanUndo() ? 1 : 0;
    case SMM_TOPROW:
      if (set) ScrollTo(leftColumn_, static_cast<int32_t>(lParam), !quiet);
      return TopRowIndex();
    case SMM_LEFTCOLUMN:
      if (set) ScrollTo(static_cast<int32_t>(lParam), TopRowIndex(), !quiet);
      return leftColumn_;
    case SMM_FIND: case SMM_REPLACEDIALOG: case SMM_SEARCHSTEP: return Search().Message(msg, wParam, lParam);
    case SMM_CANREDO: return CanRedo() ? 1 : 0;
    case SMM_REDO:
      if (!readOnly_) PlayBack(false);
      return 1;
    case SMM_APPLYSETTINGS: ApplySettings(wParam == 1); return 1;
    case SMM_SETSTYLES:
    case SMM_GETSTYLES: {
      const auto* range = Pointer<const TRowRange>(wParam);
      auto* buffer = Pointer<TByteBuffer>(lParam);
      if (buffer == nullptr || buffer->Data == nullptr || buffer->Size < 0) return 0;
      TTextStore& store = Store();
      const int32_t first = range != nullptr ? std::max(range->First, 0) : 0;
      const int32_t last = range != nullptr ? std::min(range->Last, store.RowCount - 1) : store.RowCount - 1;
      if (first > last) return 0;
      TRowPos pos = store.RowByIndex(first);
      int32_t done = 0;
      bool toEnd = false;
      for (int32_t i = first; i <= last && pos.Row != nullptr; ++i, pos.Row = pos.Row->Next) {
        TTextRow& row = *pos.Row;
        const int32_t n = std::min<int32_t>(row.Length, buffer->Size - done);
        if (msg == SMM_SETSTYLES) {
          if (!row.Styles) row.Styles = std::make_unique<uint8_t[]>(row.Length);
          std::memcpy(row.Styles.get(), buffer->Data + done, static_cast<size_t>(n));
          row.Flags |= rfRescan;
        } else if (row.Styles) {
          std::memcpy(buffer->Data + done, row.Styles.get(), static_cast<size_t>(n));
        } else {
          std::memset(buffer->Data + done, 0, static_cast<size_t>(n));
        }
        done += n;
        toEnd = row.Next == nullptr;
        if (done >= buffer->Size) break;
      }
      if (msg == SMM_SETSTYLES) {
        fullRepaint_ = true;
        if (toEnd && rescanner_) {
          rescanner_->ClearPending();
          highlightAll_ = false;
        }
      }
      return done;
    }
    case SMM_UNDOSTACK: {
      auto* shared = Pointer<std::shared_ptr<TUndoStack>>(lParam);
      if (shared == nullptr) return 0;
      if (!set) {
        *shared = history_;
        return 1;
      }
      if (!*shared) return 0;
      if (history_->GroupOpen() || transactionOpen_ || playback_) {
        throw EInkMemo("The undo history cannot be replaced while an edit is recorded");
      }
      history_ = *shared;
      changeFlags_ |= cfText;
      return 1;
    }
    case SMM_TEXTSTORE: {
      auto* shared = Pointer<std::shared_ptr<TTextStore>>(lParam);
      if (shared == nullptr) return 0;
      if (wParam == 0) {
        *shared = SharedStore();
        return 1;
      }
      if (!*shared) return 0;
      if (history_->GroupOpen() || transactionOpen_ || playback_) {
        throw EInkMemo("The text cannot be replaced while an edit is recorded");
      }
      BindAnnotations(false);
      UseStore(*shared);
      BindAnnotations(true);
      // The history belongs to the text it was recorded on.
      history_ = std::make_shared<TUndoStack>();
      SetSelectionEnds(0, 0);
      leftColumn_ = 0;
      RecreateRescanner();
      fullRepaint_ = true;
      scrollBarsDirty_ = true;
      changeFlags_ |= cfText | cfCaret | cfSize;
      return 1;
    }
    case SMM_RESCANFROM:
      if (rescanner_) rescanner_->TextChanged(Store().RowStart(static_cast<int32_t>(lParam)));
      if (TTextRow* row = Store().RowByIndex(static_cast<int32_t>(lParam)).Row) row->Flags |= rfForceScan;
      return 1;
    case SMM_VERSION: return reinterpret_cast<LRESULT>(VersionText);
    case SMM_PRINT: PrintRows(wParam == 1); return 1;
    case SMM_ENCODING:
      if (set && static_cast<TTextEncoding>(lParam) != DisplayEncoding()) {
        SetDisplayEncodingValue(static_cast<TTextEncoding>(lParam) == TTextEncoding::Cp1252 ? TTextEncoding::Cp1252
                                                                                            : TTextEncoding::Utf8);
        UpdateWrapLayout();
        fullRepaint_ = true;
        changeFlags_ |= cfStyle;
      }
      return static_cast<LRESULT>(DisplayEncoding());
    case SMM_LOADSTREAM: {
      auto* stream = Pointer<TStream>(lParam);
      if (stream == nullptr) throw EInkMemo("Bad TStream instance");
      TTextControl::LoadFromStream(*stream);
      changeFlags_ |= cfText | cfCaret;
      return 1;
    }
    case SMM_SAVESTREAM: TTextControl::SaveToStream(Pointer<TStream>(lParam)); return 1;
    case SMM_ANNOTATE: {
      auto* request = Pointer<TAnnotationRequest>(lParam);
      return request != nullptr ? Annotate(static_cast<TAnnotationOp>(wParam), *request) : 0;
    }
    case SMM_INDENT: IndentLines(static_cast<int32_t>(wParam & 0xFFFF), (lParam & 1) != 0); return 1;
    case SMM_UNINDENT: UnindentLines(static_cast<int32_t>(wParam & 0xFFFF)); return 1;
    case SMM_EXECUTEACTION: ExecuteActionCode(static_cast<int32_t>(wParam), (lParam & 1) != 0); return 1;
    case SMM_CLEAR: {
      // The history is cleared anyway: the deleted text is not copied into it first.
      ClearHistory();
      recording_ = false;
      try {
        TTextControl::Clear();
      } catch (...) {
        recording_ = true;
        throw;
      }
      recording_ = true;
      changeFlags_ |= cfText | cfCaret;
      return 1;
    }
    default: handled = false; return 0;
  }
}

}  // namespace ql
