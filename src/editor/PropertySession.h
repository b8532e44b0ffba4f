#pragma once
// One run of the property pages on a parser component. The pages never edit the parser's
// settings object: they edit a working copy, which the parser lends for the run (its own
// editors are held aside meanwhile and keep showing the settings in force), previewed in the
// dialog's own editors. OK copies the working copy back.
//
// The order of the end matters, whatever ends the run (OK, Cancel, an error):
//   1. the previews leave the parser, and so the working copy; the working copy's template and
//      auto-replace tables are told while the previews still exist;
//   2. the parser gets its own settings object and its own editors back;
//   3. the working copy is freed.
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "highlight/CustomInkMemoParser.h"
#include "highlight/PropEdPages.h"

namespace ql {

class TInkMemo;
class TSM_Settings;

class TPropertySession {
public:
  // Copies the parser's settings, lends the copy to the parser and makes each preview use the
  // parser (Parser1, active slot 1). Raises EInkMemo when the parser lends its settings already.
  TPropertySession(TCustomInkMemoParser& parser, const std::vector<TInkMemo*>& previews);
  ~TPropertySession();
  TPropertySession(const TPropertySession&) = delete;
  TPropertySession& operator=(const TPropertySession&) = delete;

  TCustomInkMemoParser& Parser() const { return parser_; }
  // The copy the pages edit; the previews use it.
  TSM_Settings& Working() const { return *working_; }
  // The parser's own settings object takes over the working copy's contents.
  void Accept();

private:
  TCustomInkMemoParser& parser_;
  std::unique_ptr<TSM_Settings> working_;                   // outlives the swap: freed last
  std::optional<TCustomInkMemoParser::TSettingsSwap> swap_;
  std::vector<TInkMemo*> previews_;
};

// Runs the property pages on parser: nothing for an empty page set (false); otherwise show (the
// modal dialog) runs within a session, and when it returns true the parser's own settings take
// over the working copy. Returns show's result. An error from show ends the session as well and
// is passed on.
bool ExecutePropertyPages(TCustomInkMemoParser& parser, TSM_PropEdPages pages, const std::vector<TInkMemo*>& previews,
                          const std::function<bool(TPropertySession& session)>& show);

}  // namespace ql
