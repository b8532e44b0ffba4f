#pragma once
// The find and replace dialogs and the search's messages, as an editor uses them. The program
// supplies them (our own Qt dialogs); an editor without them searches only directly and shows
// its messages through its host window.
#include <cstdint>
#include <string>

namespace ql {

// What the find and replace dialogs hold.
struct TSearchOptions {
  std::string FindText;
  std::string ReplaceText;
  bool MatchCase = false;
  bool WholeWord = false;
  bool Down = true;
  bool Regex = false;  // the text is a regular expression
};

enum class TReplaceAnswer : uint8_t { Yes, No, Cancel, All };

// The buttons of the dialogs, as the editor that shows them handles them.
class TSearchDialogEvents {
public:
  virtual ~TSearchDialogEvents() = default;
  // Find Next (both dialogs).
  virtual void FindNext(const TSearchOptions& options) = 0;
  // Replace (one match after the other, each confirmed) or Replace All.
  virtual void Replace(const TSearchOptions& options, bool all) = 0;
};

// Every operation is called outside the editor's window procedure, so a modal one may run the
// event loop.
class TSearchDialogs {
public:
  virtual ~TSearchDialogs() = default;
  // Shows the (modeless) dialog with the options; its buttons go to events.
  virtual void ShowFind(const TSearchOptions& options, TSearchDialogEvents& events) = 0;
  virtual void ShowReplace(const TSearchOptions& options, TSearchDialogEvents& events) = 0;
  virtual void CloseFind() = 0;
  virtual void CloseReplace() = 0;
  // The question of replace with confirmation, near the dialog.
  virtual TReplaceAnswer AskReplace(const std::string& question) = 0;
  // The error box of a pattern: the message, the pattern, and a caret under the error position
  // (lines separated by CR LF; the last two are meant for a fixed-pitch font).
  virtual void ShowPatternError(const std::string& text) = 0;
  // The information that a search found nothing.
  virtual void ShowNotFound(const std::string& text) = 0;
  // The wait cursor, during long runs.
  virtual void SetWaitCursor(bool on) = 0;
};

}  // namespace ql
