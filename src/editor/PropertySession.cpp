#include "editor/PropertySession.h"

#include "editor/InkMemo.h"
#include "services/SM_Settings.h"

namespace ql {

TPropertySession::TPropertySession(TCustomInkMemoParser& parser, const std::vector<TInkMemo*>& previews)
    : parser_(parser), working_(std::make_unique<TSM_Settings>()) {
  working_->Assign(parser.Settings());
  swap_.emplace(parser, *working_);
  try {
    for (TInkMemo* preview : previews) {
      previews_.push_back(preview);
      preview->SetParser1(&parser);
      preview->SetActiveParser(1);
    }
  } catch (...) {
    for (TInkMemo* preview : previews_) preview->SetParser1(nullptr);
    throw;
  }
}

TPropertySession::~TPropertySession() {
  for (TInkMemo* preview : previews_) {
    try {
      preview->SetParser1(nullptr);
    } catch (...) {
      // The preview has left the parser before it re-applied its own settings; nothing to undo.
    }
  }
  swap_.reset();
}

void TPropertySession::Accept() { swap_->OwnSettings().Assign(*working_); }

bool ExecutePropertyPages(TCustomInkMemoParser& parser, TSM_PropEdPages pages, const std::vector<TInkMemo*>& previews,
                          const std::function<bool(TPropertySession& session)>& show) {
  if (pages == TSM_PropEdPages()) return false;
  TPropertySession session(parser, previews);
  const bool ok = show(session);
  if (ok) session.Accept();
  return ok;
}

}  // namespace ql
