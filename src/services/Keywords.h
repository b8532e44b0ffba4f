#pragma once
// A keyword table: a character trie that recognises words at the current position of a
// character stream, honouring the states in which each word is valid and an optional
// condition on the character that follows the word.
//
// Words are added with a case rule: a case-insensitive word is stored lower-cased (A to Z
// only, see LowerChar), and the table remembers the rule of the word added last. Each word
// may be added several times with disjoint state sets; every addition is one entry at the
// word's last node, with its own value and end group.
//
// Users:
//   - the scanner's table (TSyntaxKeywords, which adds a stream form) matches forward, with
//     ActiveStates kept equal to the scanner's active states;
//   - the settings object's combined table of keyword lists matches forward the same way;
//   - the code-template and auto-replace tables derive from TKeywords, add their names
//     reversed and match backward from the character before the caret.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "services/CharGroup.h"
#include "services/CharGroupManager.h"
#include "textmodel/CustomEdStream.h"
#include "textmodel/InkMemoErrors.h"
#include "textmodel/SM_Base.h"
#include "toolkit/ByteSet.h"

namespace ql {

// Failures of keyword tables: "Duplicate keyword - '%s'" and the settings object's table
// errors.
class EKeywords : public EInkMemo {
public:
  using EInkMemo::EInkMemo;
};

// What a word stands for: a token value for the scanner's table, an integer for the keyword
// lists, or a pointer (cast to intptr_t) to data its adder owns.
using TKeywordValue = intptr_t;

// One addition of a word.
struct TKeywordEntry {
  TByteSet States;                              // the states in which the word is recognised
  int32_t EndGroup = 0;                         // index in the table's group manager
  const TSM_CharGroup* EndCondition = nullptr;  // that group; null when it is empty (no condition)
  TKeywordValue Value = 0;
  TKeywordEntry* Next = nullptr;                // next entry of the same word, in insertion order
};

// One character of the trie.
struct TKeywordNode {
  uint8_t Char = 0;                  // lower case when its word was added case-insensitively
  TByteSet States;                   // union of the state sets of every word through this node
  TKeywordNode* Sibling = nullptr;   // next node of the same level; siblings ascend by Char
  TKeywordNode* Child = nullptr;     // first node of the next level
  TKeywordEntry* Entries = nullptr;  // words that end here; null for a node inside words only
};

class TKeywords : public TSM_Base {
public:
  // The group manager receives the empty group first (index 0).
  TKeywords();
  // Releases every value through OnReleaseValue, as Clear does. A hook that refers to a
  // derived object should be reset (or the table cleared) by that object's destructor.
  ~TKeywords() override;
  TKeywords(const TKeywords&) = delete;
  TKeywords& operator=(const TKeywords&) = delete;
  const char* ClassName() const override { return "TKeywords"; }

  // Adds word, recognised in the given states when the character after it belongs to
  // endGroup (an empty group: whatever follows). Raises EKeywords "Duplicate keyword - '%s'"
  // (naming word as given) when the word already has an entry whose state set overlaps
  // states; the table is then unchanged. An empty word is ignored.
  virtual void Add(const std::string& word, bool caseSensitive, TKeywordValue value, const TByteSet& states,
                   const TSM_CharGroup& endGroup);

  // Forward match at the stream's position. The longest word whose nodes and entry meet
  // ActiveStates and whose end group accepts the next character (0 at the end of the text)
  // wins: the stream is left after it, length is its length and its first qualifying entry
  // is returned. Without a match the stream stands one character after the start (the start
  // character is a piece of length 1) and the result is null.
  const TKeywordEntry* Match(TCustomEdStream& stream, bool caseSensitive, int32_t& length) const;
  // Backward match for words added reversed: the stream stands on the last character of the
  // text to match; each step moves one character left, stopping at the start of the text
  // (where the "next" character is 0). On success the stream is left at the leftmost
  // character of the word; without a match it stands one character left of the start
  // (at 0 at most) with length 1.
  const TKeywordEntry* MatchBackward(TCustomEdStream& stream, bool caseSensitive, int32_t& length) const;
  // The last node of exactly word (lower-cased unless caseSensitive), or null when word was
  // never added. States are not considered.
  const TKeywordNode* FindWord(const std::string& word, bool caseSensitive) const;

  // Empties the trie: OnReleaseValue is called with every entry's value, and the group
  // manager is cleared (its indexes start again from 0, without the empty group).
  virtual void Clear();

  // The case rule of the word added last (false for a new table).
  bool CaseSensitive() const { return caseSensitive_; }
  // Number of entries (additions) in the table.
  int32_t EntryCount() const { return static_cast<int32_t>(entries_.size()); }
  // The first node of the top level, and the top-level node for a first character.
  const TKeywordNode* Root() const { return root_; }
  const TKeywordNode* FirstNode(uint8_t c) const { return firstNode_[c]; }
  const TSM_CharGroupManager& Groups() const { return groups_; }

  // The states in which words are recognised now; the scanner keeps this equal to its own
  // active states. A new table recognises words of state 0.
  TByteSet ActiveStates{0};
  // Called with each entry's value when the table is cleared or destroyed.
  std::function<void(TKeywordValue)> OnReleaseValue;

protected:
  void SetCaseSensitive(bool on) { caseSensitive_ = on; }

private:
  TSM_CharGroupManager groups_;
  TKeywordNode* root_ = nullptr;        // first top-level node; top-level siblings ascend by Char
  TKeywordNode* firstNode_[256] = {};   // firstNode_[c]: the top-level node of c, or null
  std::deque<TKeywordNode> nodes_;      // owns every node; a deque keeps their addresses
  std::deque<TKeywordEntry> entries_;   // owns every entry
  bool caseSensitive_ = false;
};

}  // namespace ql
