#include "editor/CustomInkMemo.h"

#include "editor/EditorSearch.h"
#include "editor/GutterWidth.h"
#include "editor/NullPickList.h"
#include "highlight/CustomInkMemoParser.h"
#include "highlight/Rescan.h"
#include "services/SM_Settings.h"
#include "textmodel/InkMemoErrors.h"

namespace ql {

TCustomInkMemo::TCustomInkMemo(THostWindow* host)
    : host_(host),
      ownSettings_(std::make_unique<TSM_Settings>()),
      settings_(ownSettings_.get()),
      history_(std::make_shared<TUndoStack>()) {
  if (host_ == nullptr) {
    ownHost_ = std::make_unique<THostWindow>();
    host_ = ownHost_.get();
  }
  settings_->Attach(*this);
  lastClickTime_ = host_->TickCount();
  ApplySettings(true);
  BindAnnotations(true);
  changeFlags_ = 0;
}

TCustomInkMemo::~TCustomInkMemo() {
  // A store that goes with this editor reports its annotations' end while the editor exists.
  try {
    if (SharedStore().use_count() == 1) Store().FreeAnnotations();
  } catch (...) {
  }
  FreeLineTracks();
  BindAnnotations(false);
  host_->KillTimer(tmAutoScroll);
  FreeGutterFont();
  settings_->Templates().EditorDestroying(*this);
  settings_->AutoReplace().EditorDestroying(*this);
  rescanner_.reset();
  if (parser_ != nullptr) parser_->RemoveEditor(*this);
  parser_ = nullptr;
  ownSettings_->Detach(*this);
  settings_ = ownSettings_.get();
}

void TCustomInkMemo::SetHost(THostWindow* host) {
  if (host == nullptr) {
    if (!ownHost_) ownHost_ = std::make_unique<THostWindow>();
    host = ownHost_.get();
  }
  host_ = host;
  caretCreated_ = false;
  fullRepaint_ = true;
  scrollBarsDirty_ = true;
}

LRESULT TCustomInkMemo::Perform(TMsgNum msg, WPARAM wParam, LPARAM lParam) { return Dispatch(msg, wParam, lParam); }

// --- Selection wrappers ---

void TCustomInkMemo::SetSelection(int32_t anchor, int32_t caret) {
  TSelectionEnds ends{anchor, caret};
  Perform(SMM_SELECTION, smmSet, reinterpret_cast<LPARAM>(&ends));
}

void TCustomInkMemo::SetSelStart(int32_t value) { SetSelection(value, value); }

void TCustomInkMemo::SetSelLength(int32_t value) {
  const int32_t start = GetSelStart();
  SetSelection(start, start + value);
}

int32_t TCustomInkMemo::GetSelLength() const {
  const int32_t start = GetSelStart();
  const int32_t end = std::max(SelAnchor(), SelCaret());
  if (start == end) return 0;
  int32_t length = end - start;
  if (Store().LineStyle == lsCRLF) {
    // Every line break inside the selection is written as two characters.
    auto& store = const_cast<TTextStore&>(Store());
    TRowPos pos = store.LocateRow(start);
    for (const TTextRow* row = pos.Row; row != nullptr && pos.Start < end; row = row->Next) {
      const int32_t crAt = pos.Start + row->Length - 1;
      if (row->EndsWithCR() && crAt >= start && crAt < end) ++length;
      pos.Start += row->Length;
    }
  }
  return length;
}

std::string TCustomInkMemo::GetSelText() {
  const TLineBreakForm form = Store().LineStyle == lsCRLF ? TLineBreakForm::CRLF : TLineBreakForm::CR;
  return SelectionBytes(form);
}

void TCustomInkMemo::SetSelText(const std::string& text) {
  Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomInkMemo::SelectAll() {
  TSelectionEnds ends{-1, 0};
  Perform(SMM_SELECTION, smmSet, reinterpret_cast<LPARAM>(&ends));
}

// --- Editing wrappers ---

void TCustomInkMemo::ReplaceSelection(const char* text, int32_t len) {
  TTextSpan span{text, text != nullptr ? len : 0};
  Perform(SMM_REPLACETEXT, 0, reinterpret_cast<LPARAM>(&span));
}

bool TCustomInkMemo::CanUndo() const { return history_->CanUndo(); }
bool TCustomInkMemo::CanRedo() const { return history_->CanRedo(); }
void TCustomInkMemo::Undo() { Perform(EM_UNDO); }
void TCustomInkMemo::Redo() { Perform(SMM_REDO); }
void TCustomInkMemo::ClearUndo() { Perform(EM_EMPTYUNDOBUFFER); }
void TCustomInkMemo::CutToClipboard() { Perform(WM_CUT); }
void TCustomInkMemo::CopyToClipboard() { Perform(WM_COPY); }
void TCustomInkMemo::PasteFromClipboard() { Perform(WM_PASTE); }
void TCustomInkMemo::ExecuteAction(int32_t code, bool extend) { Perform(SMM_EXECUTEACTION, static_cast<WPARAM>(code), extend ? 1 : 0); }
void TCustomInkMemo::LoadFromStream(TStream& stream) { Perform(SMM_LOADSTREAM, 0, reinterpret_cast<LPARAM>(&stream)); }
void TCustomInkMemo::SaveToStream(TStream* stream) { Perform(SMM_SAVESTREAM, 0, reinterpret_cast<LPARAM>(stream)); }
void TCustomInkMemo::Clear() { Perform(SMM_CLEAR); }

void TCustomInkMemo::SetDisplayEncoding(TTextEncoding encoding) {
  Perform(SMM_ENCODING, smmSet, static_cast<LPARAM>(encoding));
}

// --- Settings-held properties ---

TInkMemoOptions TCustomInkMemo::GetOptions() const { return settings_->GetInkMemoOptions(); }

void TCustomInkMemo::SetOptions(TInkMemoOptions options) {
  Perform(SMM_OPTIONS, smmSet, static_cast<LPARAM>(OptionsToWord(options)));
}

bool TCustomInkMemo::HasOption(TInkMemoOption option) const { return (settings_->Options & OptionWordBit(option)) != 0; }

int32_t TCustomInkMemo::GetGutter() const { return settings_->Gutter; }

void TCustomInkMemo::SetGutter(int32_t value) {
  if (value == settings_->Gutter || !GutterWidthAccepted(value, clientWidth_)) return;
  settings_->Gutter = value;
  SettingsWritten();
}

int32_t TCustomInkMemo::GetRightMargin() const { return settings_->RightMargin; }

void TCustomInkMemo::SetRightMargin(int32_t value) {
  settings_->RightMargin = value;
  SettingsWritten();
}

int32_t TCustomInkMemo::GetTabDefault() const { return settings_->TabDefault; }

void TCustomInkMemo::SetTabDefault(int32_t value) {
  if (value == 0) throw EInkMemo("=Illegal default tab stop value, must be > 0");
  settings_->TabDefault = value;
  SettingsWritten();
}

std::string TCustomInkMemo::GetWrapOverride() const { return settings_->WrapOverride; }
int32_t TCustomInkMemo::GetWrapAtColumn() const { return settings_->WrapAtColumn; }
TColor TCustomInkMemo::GetGutterColor() const { return settings_->GutterColor; }
const TFontSpec& TCustomInkMemo::GetGutterFont() const { return settings_->GutterFont(); }
int32_t TCustomInkMemo::GetMargin() const { return settings_->Margin; }
TColor TCustomInkMemo::GetMarginColor() const { return settings_->MarginColor; }
TColor TCustomInkMemo::GetSelTextColor() const { return settings_->SelTextColor; }
TColor TCustomInkMemo::GetSelTextBack() const { return settings_->SelTextBack; }
int32_t TCustomInkMemo::GetIndentStep() const { return settings_->IndentStep; }

int32_t TCustomInkMemo::NextTabStop(int32_t column) const { return settings_->NextTabStop(column); }

int32_t TCustomInkMemo::TopRowIndex() const { return Store().TopRowIndex; }

int32_t TCustomInkMemo::TextLeft() const {
  return settings_->Margin + (HasOption(smoShowGutter) ? settings_->Gutter : 0);
}

// --- Parsers and settings ---

void TCustomInkMemo::SelectParser(TCustomInkMemoParser* parser) {
  if (parser == parser_) return;
  rescanner_.reset();
  FreeGutterFont();
  settings_->Templates().EditorDestroying(*this);
  settings_->AutoReplace().EditorDestroying(*this);
  // The parser left stays told of this editor (a slot may still hold it); the one taken joins.
  parser_ = parser;
  if (parser_ != nullptr) {
    parser_->AddEditor(*this);
    settings_ = &parser_->Settings();
  } else {
    settings_ = ownSettings_.get();
  }
  RecreateRescanner();
  ApplySettings(false);
}

void TCustomInkMemo::ParserChanged(TCustomInkMemoParser& parser) {
  if (&parser != parser_) return;
  Perform(SMM_APPLYSETTINGS);
}

void TCustomInkMemo::ParserDestroyed(TCustomInkMemoParser& parser) {
  if (&parser != parser_) return;
  // The parser has taken this editor off its list already.
  rescanner_.reset();
  FreeGutterFont();
  parser_ = nullptr;
  settings_ = ownSettings_.get();
  ApplySettings(false);
}

void TCustomInkMemo::SettingsGutterFontChanged(TSM_Settings&) {
  FreeGutterFont();
  InvalidateAll();
  if (depth_ == 0) EndOfMessage();
}

// --- Templates and auto-replace ---

void TCustomInkMemo::MacroSetSelection(int32_t anchor, int32_t caret, bool repaint) {
  TSelectionEnds ends{anchor, caret};
  Perform(SMM_SELECTION, repaint ? smmSet : smmSet | smmNoRedraw, reinterpret_cast<LPARAM>(&ends));
}

TCustomEdStream& TCustomInkMemo::MacroStreamAt(int32_t position) {
  macroStream_ = std::make_unique<TEdStream>(&Store());
  macroStream_->StartAt(position);
  return *macroStream_;
}

void TCustomInkMemo::MacroReplaceSelection(const std::string& text) { ReplaceSelection(text); }

std::unique_ptr<TMacroPickList> TCustomInkMemo::CreatePickList(TMacroKeywords& table) {
  if (OnCreatePickList) return OnCreatePickList(*this, table);
  return std::make_unique<TNullPickList>();
}

}  // namespace ql
