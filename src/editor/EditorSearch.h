#pragma once
// An editor's search: the last search and its engines, LastFoundPos, the find and replace
// dialogs, FindText, and the buttons of the dialogs. The editor changes only in its window
// procedure, so each step that selects or replaces runs as a message (SMM_FIND, SMM_SEARCHSTEP);
// questions and message boxes, which may run the event loop, are shown between the messages.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/SearchDialogs.h"
#include "services/FindResult.h"
#include "services/PlainSearch.h"
#include "services/REParser.h"
#include "toolkit/Messages.h"

namespace ql {

class TCustomInkMemo;
class TRowCursor;

// SMM_FIND: wParam the search flags (SearchFlags.h), lParam a TFindRequest*; the result is 1
// when something was found.
struct TFindRequest {
  std::string Text;
  TFindResult Result;
};

// SMM_SEARCHSTEP: lParam a TSearchStep*; one step of the dialogs' find and replace.
struct TSearchStep {
  enum TKind : uint8_t {
    ssFind,            // the next match from the selection, selected
    ssReplaceFrom,     // replace with confirmation starts at the selection
    ssReplaceNext,     // the next match from there, selected, with its replacement
    ssReplaceCurrent,  // that match replaced
    ssSkipCurrent,     // that match left as it is
    ssReplaceAll,      // every match from the selection replaced, in one undo step
    ssReplaceRest,     // every match from where replace with confirmation stands replaced
  };
  TKind Kind = ssFind;
  TSearchOptions Options;
  TFindResult Result;       // what was found (ssReplaceAll: the last match replaced)
  std::string Replacement;  // ssReplaceNext: what the match would be replaced with
  int32_t Replaced = 0;     // ssReplaceAll, ssReplaceRest: how many matches were replaced
};

class TEditorSearch final : public TSearchDialogEvents {
public:
  explicit TEditorSearch(TCustomInkMemo& editor);
  ~TEditorSearch() override;
  TEditorSearch(const TEditorSearch&) = delete;
  TEditorSearch& operator=(const TEditorSearch&) = delete;

  // The window procedure's part: SMM_FIND, SMM_REPLACEDIALOG and SMM_SEARCHSTEP.
  LRESULT Message(TMsgNum msg, WPARAM wParam, LPARAM lParam);

  // With srDirect, searches at once from the selection: a regular expression's match is
  // selected, a literal's position only reported; a pattern error shows the error box. Without
  // srDirect, shows the find dialog (SearchFlags.h).
  TFindResult FindText(uint32_t flags, const std::string& text);
  void ShowReplaceDialog(uint32_t flags);
  // Find Next without the dialog: the last search again, or the find dialog when there was none.
  void FindAgain();
  // Tells that text was not found: OnSearchFail when assigned, otherwise a message.
  void SearchFailed(const std::string& text);

  // The dialogs' buttons.
  void FindNext(const TSearchOptions& options) override;
  void Replace(const TSearchOptions& options, bool all) override;

  // Raised instead of the message of SearchFailed.
  std::function<void(TCustomInkMemo& sender, const std::string& searchString)> OnSearchFail;
  // Makes the dialogs, on first use; without it there are none.
  std::function<std::unique_ptr<TSearchDialogs>(TCustomInkMemo& sender)> OnCreateSearchDialogs;

  int32_t LastFoundPos() const { return lastFoundPos_; }
  const std::string& LastSearchText() const { return lastSearchText_; }
  uint32_t LastFlags() const { return lastFlags_; }
  bool RegexMode() const { return regexMode_; }
  const TREParser& Engine() const { return engine_; }
  TREParser& Engine() { return engine_; }

private:
  struct TMatch {
    int32_t Start = -1;
    int32_t Length = 0;
  };

  TSearchDialogs* Dialogs();
  TSearchOptions OptionsFromFlags(uint32_t flags, const std::string& text) const;
  void TakeOptions(const TSearchOptions& options);
  LRESULT Step(TSearchStep& step);
  TFindResult FindDirect(uint32_t flags, const std::string& text);
  void ShowDialog(uint32_t flags, const std::string& text, bool replace);
  TFindResult FindStep();
  // The nearest match in the direction: forward from from on; backward before from.
  TFindResult Search(TRowCursor& text, int32_t from, bool forward, bool nonEmpty);
  void Select(int32_t start, int32_t length);
  void ReplaceCurrent();
  void ReplaceAll(TSearchStep& step, int32_t from);
  // Shows the pattern error box for the last pattern that failed.
  void ShowPatternError();
  // Runs a step as a message and shows what it failed with; false when it found nothing.
  bool RunStep(TSearchStep& step);

  TCustomInkMemo& editor_;
  TREParser engine_;
  TSearchTables tables_;
  std::unique_ptr<TSearchDialogs> dialogs_;
  int32_t lastFoundPos_ = -1;   // start of the last match found through the dialogs
  std::string lastSearchText_;
  uint32_t lastFlags_ = 0;
  bool regexMode_ = false;
  std::string replaceText_;
  std::string failedPattern_;   // the pattern the error box shows
  bool findShown_ = false;      // which dialog was shown last
  bool replaceShown_ = false;
  // Replace with confirmation: where the next search starts, and the match offered.
  int32_t replaceFrom_ = 0;
  TMatch current_;
  std::string currentReplacement_;
};

}  // namespace ql
