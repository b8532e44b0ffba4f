#pragma once
// The key assignments of the property pages: every command of a keyboard controller with the
// key pairs it is bound to, edited in records of their own and committed all at once.
//
// A command's pairs are read from the controller the first time they are asked for; a command
// never looked at keeps the pairs it has. Commit builds a new controller from all records; a
// conflict leaves the controller and the records as they were, so a later commit starts over.
//
// The keys list shows a pair as one line: "[" first "]  [" second "]", with "<none>" for no
// second key. A key whose text ends in "]" stands before its closing bracket as "]]"; the line
// reads back to the pair.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/ShortCut.h"

namespace ql {

class TKeyboardActionContoller;

struct TKeyPair {
  ShortCutCode First = 0;
  ShortCutCode Second = 0;  // 0 for a one-key sequence
  bool operator==(const TKeyPair&) const = default;
};

std::string FormatKeyLine(const TKeyPair& pair);
// Reads a line made by FormatKeyLine; false, leaving pair alone, for any other text.
bool ParseKeyLine(const std::string& line, TKeyPair& pair);

struct TCommandKeys {
  std::string Description;
  int32_t Action = 0;
  bool Changed = false;
  bool Loaded = false;
  std::vector<TKeyPair> Pairs;  // meaningful once Loaded
};

class TKeyAssignments {
public:
  // The controller's commands, sorted by description; none of their pairs is read yet.
  explicit TKeyAssignments(TKeyboardActionContoller& working);

  const std::vector<TCommandKeys>& Commands() const { return commands_; }
  // The pairs of a command, read from the controller on first use.
  const std::vector<TKeyPair>& Pairs(size_t command);
  // The keys list's lines of a command.
  std::vector<std::string> KeyLines(size_t command);

  // Edits of one command's pairs; each marks the command changed. Replace and Delete act on the
  // first pair equal to the one given and return false, changing nothing, when there is none.
  void Add(size_t command, const TKeyPair& pair);
  bool Replace(size_t command, const TKeyPair& old, const TKeyPair& pair);
  bool Delete(size_t command, const TKeyPair& pair);
  // Removes the pairs whose first key is none.
  void DropPairsWithoutFirstKey(size_t command);

  // Makes a new controller of every command's name and pairs, in list order, and of the keys of
  // actions without a name (which are not listed), and has the working controller take it over.
  // A pair that conflicts with one added before (EAmbigiousKeyPair) stops it: its message is
  // returned and nothing is changed.
  std::optional<std::string> Commit();

private:
  TCommandKeys& Loaded(size_t command);

  TKeyboardActionContoller& working_;
  std::vector<TCommandKeys> commands_;
};

}  // namespace ql
