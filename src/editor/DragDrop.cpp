// Drag and drop: dragging the selection out of the editor, and text, HTML and files dragged over
// and dropped onto it, from this editor, another one or another program.
//
// A drag out runs the window's drag loop (THostWindow::DoDragDrop) inside the mouse message that
// started it, with undo group 13 open around it: a drop back onto this editor arrives as a
// message meanwhile and records its delete and insert inside that group, so one Undo reverts the
// move. A drop that came from elsewhere opens and closes the group itself.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "editor/DropData.h"
#include "services/HtmlFragment.h"
#include "services/SM_Settings.h"

namespace ql {
namespace {

constexpr TSourceTypes TextKinds = srcText | srcUnicodeText | srcHTML;
constexpr TSourceTypes KindBits = TextKinds | srcFiles;
constexpr TSourceTypes OptionBits = srcAsIs | srcNotifyFiles | srcHandled | srcHTMLFragment | srcHTMLFromTag;

// Messages handled while the drag loop runs count as outermost: each reports its changes and
// repaints on its own, as it would outside the drag.
class TOutermostScope {
public:
  explicit TOutermostScope(int32_t& depth) : depth_(depth), saved_(depth) { depth_ = 0; }
  ~TOutermostScope() { depth_ = saved_; }
  TOutermostScope(const TOutermostScope&) = delete;
  TOutermostScope& operator=(const TOutermostScope&) = delete;

private:
  int32_t& depth_;
  int32_t saved_;
};

bool IsPlainText(TSourceTypes types) { return (types & (srcText | srcUnicodeText)) != 0; }

std::string JoinLines(const TStringList& lines) {
  std::string text;
  for (int32_t i = 0; i < lines.Count(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace

// --- Dragging out ---

void TCustomInkMemo::DragOut() {
  const int32_t start = std::min(SelAnchor(), SelCaret());
  const int32_t end = std::max(SelAnchor(), SelCaret());
  if (start == end) return;
  mouseSelecting_ = false;
  dragOut_ = true;
  ownDrop_ = TOwnDrop::None;
  dropFeedback_ = true;
  dropPosition_ = -1;
  ownDragBytes_ = Store().GetRange(start, end);
  const TDropEffect allowed = DROPEFFECT_COPY | (readOnly_ ? 0 : DROPEFFECT_MOVE);
  const std::string utf8 = BytesToUtf8(DisplayEncoding(), GetSelText());
  try {
    TUndoGroup<TCustomInkMemo> group(*this, ugDragDrop);
    TDropEffect effect;
    {
      TOutermostScope outermost(depth_);
      effect = host_->DoDragDrop(utf8, allowed);
    }
    dropFeedback_ = false;
    if (ownDrop_ == TOwnDrop::Done && dropPosition_ >= 0) {
      // Moved or copied inside this editor: the text stands selected where it went.
      SetSelectionMsg({dropPosition_, SelCaret()}, false);
    } else if (ownDrop_ == TOwnDrop::None && (effect & DROPEFFECT_MOVE) != 0 && !readOnly_) {
      // Moved to another window: it goes from here, if it is still where it was.
      if (Store().TextLength >= end && Store().GetRange(start, end) == ownDragBytes_) {
        SetSelectionEnds(start, end);
        ReplaceSel({}, false);
      }
    }
    if (effect != DROPEFFECT_NONE && ownDrop_ != TOwnDrop::Rejected) changeFlags_ |= cfCommand | cfText | cfCaret;
  } catch (...) {
    EndDragOut();
    throw;
  }
  EndDragOut();
}

void TCustomInkMemo::EndDragOut() {
  dragOut_ = false;
  dropFeedback_ = false;
  dropPosition_ = -1;
  ownDragBytes_.clear();
  ownDragBytes_.shrink_to_fit();
  host_->KillTimer(tmAutoScroll);
  host_->ReleaseCapture();  // the drag took the button's release
  fullRepaint_ = true;
}

// --- Dropping in ---

TDropEffect TCustomInkMemo::DropEffectFor(const TDropRequest& request) const {
  if (!dropAccepted_) return DROPEFFECT_NONE;
  TDropEffect effect = request.CopyKey || (dropKinds_ & TextKinds) == 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  if ((effect & request.Allowed) == 0) effect = request.Allowed & DROPEFFECT_COPY;
  return effect;
}

void TCustomInkMemo::DragEnter(TDropRequest& request) {
  dropAccepted_ = false;
  dropKinds_ = request.Data != nullptr ? static_cast<TSourceTypes>(request.Data->Kinds() & KindBits) : 0;
  if (!HasOption(smoProcessDroppedFiles)) dropKinds_ &= static_cast<TSourceTypes>(~srcFiles);
  // A read-only editor takes no text: a source that moves would lose it.
  if (readOnly_) dropKinds_ &= static_cast<TSourceTypes>(~TextKinds);
  if (dropKinds_ == 0) {
    request.Effect = DROPEFFECT_NONE;
    return;
  }
  dropAccepted_ = true;
  dropFeedback_ = true;
  DragOver(request);
}

void TCustomInkMemo::DragOver(TDropRequest& request) {
  request.Effect = DROPEFFECT_NONE;
  if (!dropAccepted_) return;
  const int32_t x = std::max(request.At.X, TextLeft());
  dropFeedback_ = true;
  mousePos_ = request.At;
  if (WantsAutoScroll(request.At.X, request.At.Y)) {
    host_->SetTimer(tmAutoScroll, 60);
  } else {
    host_->KillTimer(tmAutoScroll);
  }
  TrackMouse(x, request.At.Y);
  request.Effect = DropEffectFor(request);
  if (OnOLEDragOver && request.Data != nullptr) OnOLEDragOver(*this, *request.Data, request.At, request.Effect);
  request.Effect &= request.Allowed;
}

void TCustomInkMemo::DragLeave() {
  host_->KillTimer(tmAutoScroll);
  dropAccepted_ = false;
  // A drag out of this editor keeps its feedback state until it ends; the caret shows no drop.
  dropFeedback_ = dragOut_;
  dropPosition_ = -1;
  changeFlags_ |= cfCaret;
}

void TCustomInkMemo::Drop(TDropRequest& request) {
  host_->KillTimer(tmAutoScroll);
  DragOver(request);
  if (!dropAccepted_ || request.Data == nullptr) {
    request.Effect = DROPEFFECT_NONE;
    EndDrop();
    return;
  }
  dropAccepted_ = false;
  TSourceTypes types = dropKinds_ | srcAsIs | srcNotifyFiles;
  if (OnDataDrop) OnDataDrop(*this, types);
  const TSourceTypes kinds = types & dropKinds_;
  const TSourceTypes options = types & OptionBits;
  if (kinds == 0 || (options & srcHandled) != 0) {
    if (kinds == 0) request.Effect = DROPEFFECT_NONE;
    EndDrop();
    return;
  }
  // Text before HTML: a source offering both means its text to be inserted.
  TSourceTypes kind = srcFiles;
  for (const TSourceTypes k : {srcText, srcUnicodeText, srcHTML}) {
    if ((kinds & k) != 0) {
      kind = k;
      break;
    }
  }
  std::string text;
  if (kind != srcFiles) text = request.Data->Text(kind);
  DropText(std::move(text), request, static_cast<TSourceTypes>(kind | options));
}

void TCustomInkMemo::DropText(std::string text, TDropRequest& request, TSourceTypes types) {
  CutHtmlFragment(text, types);
  if ((types & srcFiles) != 0) {
    TStringList files;
    for (const std::string& name : request.Data->Files()) files.Add(name);
    if ((types & srcNotifyFiles) != 0 && HasOption(smoProcessDroppedFiles) && OnFilesDropped) {
      OnFilesDropped(*this, files, request.At);
    }
    text = JoinLines(files);
    if ((types & srcAsIs) == 0) {
      request.Effect = DROPEFFECT_NONE;
      EndDrop();
      host_->SetFocus();
      return;
    }
  }
  const bool own = dragOut_;
  const int32_t selStart = std::min(SelAnchor(), SelCaret());
  const int32_t selEnd = std::max(SelAnchor(), SelCaret());
  int32_t at = dropPosition_ >= 0 ? dropPosition_ : SelCaret();
  if (own && selStart < selEnd && at >= selStart && at <= selEnd) {
    // Onto its own selection: nothing happens, here or in the drag-out code.
    ownDrop_ = TOwnDrop::Rejected;
    request.Effect = DROPEFFECT_NONE;
    EndDrop();
    return;
  }
  EndDrop();
  if (readOnly_ || request.Effect == DROPEFFECT_NONE) {
    request.Effect = DROPEFFECT_NONE;
    return;
  }
  // This editor's own text goes back as its bytes; other data comes as UTF-8.
  const std::string bytes = own && IsPlainText(types) ? ownDragBytes_ : Utf8ToBytes(DisplayEncoding(), text);
  if (bytes.empty()) {
    request.Effect = DROPEFFECT_NONE;
    return;
  }
  const bool move = (request.Effect & DROPEFFECT_MOVE) != 0;
  const auto insert = [&] {
    if (own && move) {
      // The drag-out code's group records the delete and the insert together.
      if (at > selEnd) at -= selEnd - selStart;
      SetSelectionEnds(selStart, selEnd);
      ReplaceSel({}, true);
    }
    SetSelectionEnds(at, at);
    SetBeyondEOL(false);
    ReplaceSel(bytes, false);
  };
  if (own) {
    insert();
    ownDrop_ = TOwnDrop::Done;
    dropPosition_ = at;
  } else {
    TUndoGroup<TCustomInkMemo> group(*this, ugDragDrop);
    insert();
    // The inserted text stands selected.
    SetSelectionMsg({at, SelCaret()}, false);
  }
  changeFlags_ |= cfText | cfCaret | cfCommand;
  host_->SetFocus();
}

void TCustomInkMemo::EndDrop() {
  dropFeedback_ = dragOut_;
  mouseSelecting_ = false;
  if (!dragOut_) dropPosition_ = -1;
  fullRepaint_ = true;
}

void TCustomInkMemo::FilesDropped(const TFileDrop& drop) {
  if (!HasOption(smoProcessDroppedFiles) || !OnFilesDropped) return;
  TStringList files;
  for (const std::string& name : drop.Files) files.Add(name);
  OnFilesDropped(*this, files, drop.At);
}

}  // namespace ql
