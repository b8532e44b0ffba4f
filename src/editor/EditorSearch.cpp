#include "editor/EditorSearch.h"

#include <algorithm>
#include <vector>

#include "editor/CustomInkMemo.h"
#include "services/ExpandReplacement.h"
#include "services/RowCursor.h"
#include "services/SearchErrors.h"
#include "services/SearchFlags.h"
#include "toolkit/Exception.h"
#include "toolkit/StringTable.h"

namespace ql {

TEditorSearch& TCustomInkMemo::Search() {
  if (!search_) search_ = std::make_unique<TEditorSearch>(*this);
  return *search_;
}

TEditorSearch::TEditorSearch(TCustomInkMemo& editor) : editor_(editor) {}
TEditorSearch::~TEditorSearch() = default;

TSearchDialogs* TEditorSearch::Dialogs() {
  if (!dialogs_ && OnCreateSearchDialogs) dialogs_ = OnCreateSearchDialogs(editor_);
  return dialogs_.get();
}

TSearchOptions TEditorSearch::OptionsFromFlags(uint32_t flags, const std::string& text) const {
  TSearchOptions o;
  o.FindText = text;
  o.ReplaceText = replaceText_;
  o.MatchCase = (flags & srMatchCase) != 0;
  o.WholeWord = (flags & srWholeWord) != 0;
  o.Down = (flags & srBackward) == 0;
  o.Regex = (flags & srRegex) != 0;
  return o;
}

void TEditorSearch::TakeOptions(const TSearchOptions& o) {
  lastSearchText_ = o.FindText;
  replaceText_ = o.ReplaceText;
  regexMode_ = o.Regex;
  lastFlags_ = (o.MatchCase ? srMatchCase : 0) | (o.WholeWord ? srWholeWord : 0) | (o.Down ? 0 : srBackward) |
               (o.Regex ? srRegex : 0);
}

// --- Messages ---

LRESULT TEditorSearch::Message(TMsgNum msg, WPARAM wParam, LPARAM lParam) {
  const uint32_t flags = static_cast<uint32_t>(wParam);
  switch (msg) {
    case SMM_FIND: {
      auto* request = reinterpret_cast<TFindRequest*>(lParam);
      if (request == nullptr) return 0;
      if ((flags & srDirect) != 0) {
        request->Result = FindDirect(flags, request->Text);
      } else {
        ShowDialog(flags, request->Text, false);
        request->Result = {};
      }
      return request->Result ? 1 : 0;
    }
    case SMM_REPLACEDIALOG: ShowDialog(flags, {}, true); return 1;
    case SMM_SEARCHSTEP: {
      auto* step = reinterpret_cast<TSearchStep*>(lParam);
      return step != nullptr ? Step(*step) : 0;
    }
    default: return 0;
  }
}

TFindResult TEditorSearch::FindDirect(uint32_t flags, const std::string& text) {
  lastFlags_ = flags & ~srDirect;
  regexMode_ = (flags & srRegex) != 0;
  const TTextStore& store = editor_.Store();
  const int32_t selStart = editor_.GetSelStart();
  const int32_t selEnd = std::max(editor_.SelAnchor(), editor_.SelCaret());
  const bool backward = (flags & srBackward) != 0;
  if (text.empty() || (backward && selStart == 0) || (!backward && selEnd >= store.TextLength)) return {};
  lastSearchText_ = text;
  TRowCursor cursor(editor_.Store());
  if (regexMode_) {
    const TFindResult found = Search(cursor, backward && selStart != selEnd ? selStart : selEnd, !backward, false);
    if (found) {
      Select(found.Start, found.Length);
      lastFoundPos_ = found.Start;
    }
    return found;
  }
  // A literal is only reported, from the selection's start; the selection stays.
  const auto at = PlainSearch(cursor, editor_.WordTests, tables_, selStart, text, (flags & srMatchCase) != 0,
                              (flags & srWholeWord) != 0, backward);
  return at ? TFindResult::Found(*at, static_cast<int32_t>(text.size())) : TFindResult{};
}

void TEditorSearch::ShowDialog(uint32_t flags, const std::string& text, bool replace) {
  TSearchDialogs* dialogs = Dialogs();
  regexMode_ = (flags & srRegex) != 0;
  std::string preset = text;
  const int32_t selStart = editor_.GetSelStart();
  const int32_t selEnd = std::max(editor_.SelAnchor(), editor_.SelCaret());
  if (preset.empty() && selStart != selEnd && !regexMode_) preset = editor_.Store().GetRange(selStart, selEnd);
  lastFoundPos_ = -1;
  editor_.SetHideSelection(false);
  if (dialogs == nullptr) return;
  const TSearchOptions options = OptionsFromFlags(flags & ~srDirect, preset);
  if (replace) {
    if (findShown_) dialogs->CloseFind();
    dialogs->ShowReplace(options, *this);
  } else {
    if (replaceShown_) dialogs->CloseReplace();
    dialogs->ShowFind(options, *this);
  }
  findShown_ = !replace;
  replaceShown_ = replace;
}

LRESULT TEditorSearch::Step(TSearchStep& step) {
  const int32_t selStart = editor_.GetSelStart();
  const int32_t selEnd = std::max(editor_.SelAnchor(), editor_.SelCaret());
  switch (step.Kind) {
    case TSearchStep::ssFind:
      TakeOptions(step.Options);
      step.Result = FindStep();
      break;
    case TSearchStep::ssReplaceFrom:
      TakeOptions(step.Options);
      replaceFrom_ = step.Options.Down ? selStart : selEnd;
      current_ = {};
      break;
    case TSearchStep::ssReplaceNext: {
      const bool down = (lastFlags_ & srBackward) == 0;
      TRowCursor cursor(editor_.Store());
      step.Result = Search(cursor, replaceFrom_, down, true);
      if (!step.Result) {
        current_ = {};
        break;
      }
      current_ = {step.Result.Start, step.Result.Length};
      currentReplacement_ = regexMode_ ? ExpandReplacement(replaceText_, engine_, cursor) : replaceText_;
      step.Replacement = currentReplacement_;
      Select(current_.Start, current_.Length);
      lastFoundPos_ = current_.Start;
      break;
    }
    case TSearchStep::ssReplaceCurrent: ReplaceCurrent(); break;
    case TSearchStep::ssSkipCurrent:
      if (current_.Start >= 0)
        replaceFrom_ = (lastFlags_ & srBackward) == 0 ? current_.Start + current_.Length : current_.Start;
      current_ = {};
      break;
    case TSearchStep::ssReplaceAll:
      TakeOptions(step.Options);
      ReplaceAll(step, step.Options.Down ? selStart : selEnd);
      break;
    case TSearchStep::ssReplaceRest: ReplaceAll(step, replaceFrom_); break;
  }
  return step.Result ? 1 : 0;
}

// --- Finding ---

TFindResult TEditorSearch::Search(TRowCursor& text, int32_t from, bool forward, bool nonEmpty) {
  if (lastSearchText_.empty()) return {};
  if (!regexMode_) {
    // Backward, occurrences that start before from.
    const auto at = PlainSearch(text, editor_.WordTests, tables_, forward ? from : from - 1, lastSearchText_,
                                (lastFlags_ & srMatchCase) != 0, (lastFlags_ & srWholeWord) != 0, !forward);
    return at ? TFindResult::Found(*at, static_cast<int32_t>(lastSearchText_.size())) : TFindResult{};
  }
  failedPattern_ = lastSearchText_;
  if (!engine_.SetPattern(lastSearchText_)) return TFindResult::PatternError(&engine_);
  try {
    if (!engine_.Search(text, from, forward, !nonEmpty)) return {};
  } catch (const EREParserError&) {
    return TFindResult::PatternError(&engine_);
  }
  return TFindResult::Found(engine_.MatchStart(), engine_.MatchEnd() - engine_.MatchStart(), &engine_);
}

TFindResult TEditorSearch::FindStep() {
  const int32_t selStart = editor_.GetSelStart();
  const int32_t selEnd = std::max(editor_.SelAnchor(), editor_.SelCaret());
  const bool down = (lastFlags_ & srBackward) == 0;
  if (lastSearchText_.empty() || (!down && selStart == 0) || (down && selEnd >= editor_.Store().TextLength)) return {};
  // Down: from the selection's end; up: matches that start before the selection. No match is
  // empty, so the last match, selected, is never found again.
  const int32_t from = down ? selEnd : selStart;
  TRowCursor cursor(editor_.Store());
  const TFindResult found = Search(cursor, from, down, true);
  if (found) {
    Select(found.Start, found.Length);
    lastFoundPos_ = found.Start;
  }
  return found;
}

void TEditorSearch::Select(int32_t start, int32_t length) { editor_.SetSelection(start, start + length); }

// --- Replacing ---

void TEditorSearch::ReplaceCurrent() {
  if (current_.Start < 0 || editor_.GetReadOnly()) return;
  const bool down = (lastFlags_ & srBackward) == 0;
  {
    TUndoGroup<TCustomInkMemo> group(editor_, ugReplace);
    editor_.SetSelection(current_.Start, current_.Start + current_.Length);
    editor_.ReplaceSelection(currentReplacement_);
  }
  // Down, the next search starts after the replacement, so that it is never offered again.
  replaceFrom_ = down ? editor_.SelCaret() : current_.Start;
  current_ = {};
}

void TEditorSearch::ReplaceAll(TSearchStep& step, int32_t from) {
  step.Result = {};
  step.Replaced = 0;
  current_ = {};
  if (lastSearchText_.empty() || editor_.GetReadOnly()) return;
  const bool down = (lastFlags_ & srBackward) == 0;

  // Every match first, none overlapping another, in the order found; regular-expression
  // replacements are built while the text is as it was.
  std::vector<TMatch> matches;
  std::vector<uint32_t> ends;  // where each match's replacement ends in replacements
  std::string replacements;
  TRowCursor cursor(editor_.Store());
  for (int32_t at = from;;) {
    const TFindResult found = Search(cursor, at, down, true);
    if (found.Status == TFindResult::fsPatternError) {
      step.Result = found;
      return;
    }
    if (!found) break;
    if (!down && !matches.empty() && found.Start + found.Length > matches.back().Start) {
      at = found.Start;  // runs into the match after it: passed over
      continue;
    }
    matches.push_back({found.Start, found.Length});
    if (regexMode_) {
      replacements += ExpandReplacement(replaceText_, engine_, cursor);
      ends.push_back(static_cast<uint32_t>(replacements.size()));
    }
    at = down ? found.Start + found.Length : found.Start;
  }
  if (matches.empty()) return;

  // Replaced from the end of the text backwards, so that no match moves before it is replaced.
  std::vector<size_t> order(matches.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = down ? order.size() - 1 - i : i;
  int64_t shiftBelowLast = 0;  // length change of the replacements before the last match found
  int32_t lastInserted = 0;
  const size_t last = matches.size() - 1;
  {
    TUndoGroup<TCustomInkMemo> group(editor_, ugReplace);
    for (size_t k : order) {
      const TMatch& m = matches[k];
      std::string_view with = replaceText_;
      if (regexMode_) {
        const uint32_t begin = k == 0 ? 0 : ends[k - 1];
        with = std::string_view(replacements).substr(begin, ends[k] - begin);
      }
      TSelectionEnds selection{m.Start, m.Start + m.Length};
      editor_.Perform(SMM_SELECTION, smmSet | smmNoRedraw, reinterpret_cast<LPARAM>(&selection));
      TTextSpan span{with.data(), static_cast<int32_t>(with.size())};
      editor_.Perform(SMM_REPLACETEXT, smmNoRedraw, reinterpret_cast<LPARAM>(&span));
      const int32_t inserted = editor_.SelCaret() - m.Start;
      if (k == last) lastInserted = inserted;
      else if (m.Start < matches[last].Start) shiftBelowLast += inserted - m.Length;
    }
  }
  // The caret after the last replacement (a literal's: at its start).
  const int32_t lastStart = static_cast<int32_t>(matches[last].Start + shiftBelowLast);
  const int32_t caret = regexMode_ ? lastStart + lastInserted : lastStart;
  editor_.SetSelection(caret, caret);
  lastFoundPos_ = -1;
  step.Replaced = static_cast<int32_t>(matches.size());
  step.Result = TFindResult::Found(lastStart, lastInserted);
}

// --- Between messages: the dialogs' buttons and the messages shown ---

bool TEditorSearch::RunStep(TSearchStep& step) {
  editor_.Perform(SMM_SEARCHSTEP, 0, reinterpret_cast<LPARAM>(&step));
  if (step.Result.Status == TFindResult::fsPatternError) {
    ShowPatternError();
    return false;
  }
  return static_cast<bool>(step.Result);
}

TFindResult TEditorSearch::FindText(uint32_t flags, const std::string& text) {
  TFindRequest request{text, {}};
  editor_.Perform(SMM_FIND, flags, reinterpret_cast<LPARAM>(&request));
  if (request.Result.Status == TFindResult::fsPatternError) ShowPatternError();
  return request.Result;
}

void TEditorSearch::ShowReplaceDialog(uint32_t flags) { editor_.Perform(SMM_REPLACEDIALOG, flags); }

void TEditorSearch::FindAgain() {
  if (lastSearchText_.empty()) {
    FindText(lastFlags_ & ~srDirect, {});
    return;
  }
  FindNext(OptionsFromFlags(lastFlags_, lastSearchText_));
}

void TEditorSearch::FindNext(const TSearchOptions& options) {
  TSearchStep step;
  step.Kind = TSearchStep::ssFind;
  step.Options = options;
  if (!RunStep(step) && step.Result.Status == TFindResult::fsNotFound) SearchFailed(options.FindText);
}

void TEditorSearch::Replace(const TSearchOptions& options, bool all) {
  TSearchDialogs* dialogs = Dialogs();
  auto replaceAll = [&](TSearchStep::TKind kind) {
    TSearchStep step;
    step.Kind = kind;
    step.Options = options;
    if (dialogs != nullptr) dialogs->SetWaitCursor(true);
    try {
      RunStep(step);
    } catch (...) {
      if (dialogs != nullptr) dialogs->SetWaitCursor(false);
      throw;
    }
    if (dialogs != nullptr) dialogs->SetWaitCursor(false);
    return step;
  };
  if (all) {
    const TSearchStep step = replaceAll(TSearchStep::ssReplaceAll);
    if (step.Result.Status == TFindResult::fsNotFound) SearchFailed(options.FindText);
    return;
  }
  TSearchStep start;
  start.Kind = TSearchStep::ssReplaceFrom;
  start.Options = options;
  RunStep(start);
  for (;;) {
    TSearchStep next;
    next.Kind = TSearchStep::ssReplaceNext;
    if (!RunStep(next)) {
      if (next.Result.Status == TFindResult::fsNotFound) SearchFailed(options.FindText);
      return;
    }
    const TReplaceAnswer answer =
        dialogs != nullptr
            ? dialogs->AskReplace(Format(LoadStr(sReplaceThisOccurence).c_str(), options.FindText.c_str(),
                                         next.Replacement.c_str()))
            : TReplaceAnswer::All;
    TSearchStep then;
    switch (answer) {
      case TReplaceAnswer::Cancel: return;
      case TReplaceAnswer::No: then.Kind = TSearchStep::ssSkipCurrent; break;
      case TReplaceAnswer::Yes: then.Kind = TSearchStep::ssReplaceCurrent; break;
      case TReplaceAnswer::All:
        then.Kind = TSearchStep::ssReplaceCurrent;
        RunStep(then);
        replaceAll(TSearchStep::ssReplaceRest);
        return;
    }
    RunStep(then);
  }
}

void TEditorSearch::SearchFailed(const std::string& text) {
  if (OnSearchFail) {
    OnSearchFail(editor_, text);
    return;
  }
  const std::string message = LoadStr(sSearchString) + " \"" + text + "\" " + LoadStr(sSearchNotFound);
  if (TSearchDialogs* dialogs = Dialogs()) dialogs->ShowNotFound(message);
  else editor_.Host().ShowMessage(message);
}

void TEditorSearch::ShowPatternError() {
  const std::string text = LoadStr(engine_.ErrorCode) + "\r\n" + failedPattern_ + "\r\n" +
                           std::string(static_cast<size_t>(std::max(engine_.ErrorPos - 1, 0)), ' ') + "^";
  if (TSearchDialogs* dialogs = Dialogs()) dialogs->ShowPatternError(text);
  else editor_.Host().ShowMessage(text);
}

}  // namespace ql
