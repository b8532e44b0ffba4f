// Re-highlighting: one TRescanner per editor, fed by the store's change notifications and run
// once after each outermost message. Editors sharing a parser never scan inside one another:
// the parser records whose scan is running, and an editor that finds another's running leaves
// its own for its next message instead of waiting.
#include "editor/CustomInkMemo.h"
#include "highlight/CustomInkMemoParser.h"
#include "highlight/Rescan.h"
#include "textmodel/InkMemoErrors.h"

namespace ql {
namespace {

// The scanner's state-stack errors end a scan run; the row they stop in keeps its values.
bool IsScanStackError(const EInkMemo& e) { return e.Message == "Stack underflow" || e.Message == "Stack overflow"; }

class TScanOwnership {
public:
  TScanOwnership(TCustomInkMemoParser& parser, const TParserClient& editor) : parser_(parser) {
    parser_.ScanOwner = &editor;
  }
  ~TScanOwnership() { parser_.ScanOwner = nullptr; }
  TScanOwnership(const TScanOwnership&) = delete;
  TScanOwnership& operator=(const TScanOwnership&) = delete;

private:
  TCustomInkMemoParser& parser_;
};

}  // namespace

void TCustomInkMemo::RecreateRescanner() {
  rescanner_.reset();
  if (parser_ == nullptr) return;
  rescanner_ = std::make_unique<TRescanner>(Store(), *parser_, this);
  rescanner_->OnTokenSeen = [this](int32_t& value, int32_t start, int32_t end) {
    if (OnTokenSeen) OnTokenSeen(value, start, end);
  };
  highlightAll_ = true;
}

void TCustomInkMemo::ReattachParser() {
  parserDetached_ = false;
  if (parser_ != nullptr) highlightAll_ = true;
}

void TCustomInkMemo::WholeTextChanged() {
  if (parser_ != nullptr) highlightAll_ = true;
  UpdateWrapLayout(true);
  leftColumn_ = 0;
  fullRepaint_ = true;
  scrollBarsDirty_ = true;
  changeFlags_ |= cfText;
}

void TCustomInkMemo::TextChanged(int32_t offset, int32_t delta) {
  if (rescanner_ && !parserDetached_) rescanner_->TextChanged(offset, delta);
  changeFlags_ |= cfText;
  scrollBarsDirty_ = true;
  // Pieces that continue one another (a load, a paste in pieces) are reported as one.
  if (!textChanges_.empty() && delta > 0) {
    auto& last = textChanges_.back();
    if (last.second > 0 && last.first + last.second == offset) {
      last.second += delta;
      return;
    }
  }
  textChanges_.emplace_back(offset, delta);
}

void TCustomInkMemo::TextEmptied() {
  TTextControl::TextEmptied();
  leftColumn_ = 0;
  fullRepaint_ = true;
}

void TCustomInkMemo::RunRescan() {
  if (!rescanner_ || parserDetached_) return;
  if (!highlightAll_ && !rescanner_->HasPending()) return;
  if (parser_->ScanOwner != nullptr) return;  // inside another editor's scan: ours runs later
  TScanOwnership owner(*parser_, *this);
  try {
    if (highlightAll_) {
      highlightAll_ = false;
      rescanner_->HighlightAll();
      fullRepaint_ = true;
    } else {
      rescanner_->Rescan();
    }
  } catch (const EInkMemo& e) {
    if (!IsScanStackError(e)) throw;
    parser_->ResetContext(0);
  }
}

}  // namespace ql
