#pragma once
// The table of key sequences of a keyboard action controller: sequences of one key, or of a first
// key (with its modifiers) and a second key (whose modifiers do not count), each bound to an
// action code. It also holds the matcher that follows the keys as they are typed.
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "services/KeyNode.h"

namespace ql {

class TKeyboardActionContoller;

// A key sequence as enumerated and stored: Second is 0 for a one-key sequence.
struct TKeySequence {
  ShortCutCode First = 0;
  ShortCutCode Second = 0;
  int32_t Action = -1;
  bool operator==(const TKeySequence&) const = default;
};

// What a key did to the matcher.
enum class TKeyMatch {
  kNone,      // the key ends no sequence and starts none; a pending first key was dropped
  kPending,   // the key is the first key of two-key sequences; the matcher waits for the second
  kComplete,  // the key completed a sequence; LastAction() is its action
};

class TKeyStore {
public:
  // controller supplies the action names of error messages; it may be null.
  explicit TKeyStore(const TKeyboardActionContoller* controller = nullptr) : controller_(controller) {}
  TKeyStore(const TKeyStore&) = delete;
  TKeyStore& operator=(const TKeyStore&) = delete;

  // Binds first (and second, unless it is 0 once its modifiers are removed) to action. Raises
  // EAmbigiousKeyPair when the keys are bound already, when a one-key sequence would end on a
  // key that starts two-key sequences, or when a two-key sequence would start on a key that is
  // a one-key sequence.
  void AddKeySequence(ShortCutCode first, ShortCutCode second, int32_t action);
  // Adds sequences given in enumeration order (as Sequences() lists them) so that the store
  // enumerates them in that same order; adding them one by one would reverse the order of the
  // second-key groups. Raises as AddKeySequence does.
  void AddSequences(const std::vector<TKeySequence>& sequences);

  // The first (next) sequence bound to action in enumeration order: the first-level sequences
  // in the order they were added, then the second keys of each first key, taking the first keys
  // from the last added to the first. Returns {0, 0, -1} when there is none.
  TKeySequence FindFirstKeys(int32_t action);
  TKeySequence FindNextKeys(int32_t action);
  // Every sequence, in enumeration order.
  std::vector<TKeySequence> Sequences() const;

  // Offers the next typed key (its full shortcut code) to the matcher.
  TKeyMatch Match(ShortCutCode code);
  // Forgets a partly typed sequence.
  void ResetMatch() { pending_ = nullptr; }
  bool Pending() const { return pending_ != nullptr; }
  // The action of the last completed match; -1 before the first.
  int32_t LastAction() const { return lastAction_; }

  // Frees every node and resets the matcher.
  void Clear();
  // The number of sequences.
  int32_t Count() const { return count_; }

  void SetController(const TKeyboardActionContoller* controller) { controller_ = controller; }

private:
  struct TLevelKey {
    const KeyNode* parent;
    ShortCutCode shortcut;
    bool operator==(const TLevelKey&) const = default;
  };
  struct TLevelKeyHash {
    size_t operator()(const TLevelKey& k) const {
      return std::hash<const void*>()(k.parent) * 31 + k.shortcut;
    }
  };

  KeyNode* Find(const KeyNode* parent, ShortCutCode shortcut) const;
  KeyNode* FindOrAppend(KeyNode* parent, ShortCutCode shortcut);
  [[noreturn]] void RaiseDuplicate(int32_t action, int32_t existing) const;
  const std::vector<const KeyNode*>& Order() const;

  const TKeyboardActionContoller* controller_;
  std::vector<std::unique_ptr<KeyNode>> nodes_;  // owns every node of the tree
  // (parent, shortcut) -> node: each shortcut occurs at most once among the children of a parent.
  std::unordered_map<TLevelKey, KeyNode*, TLevelKeyHash> index_;
  KeyNode* first_ = nullptr;      // the first-level list
  KeyNode* last_ = nullptr;       // its end
  KeyNode* pending_ = nullptr;    // the typed first key whose second keys are awaited; null when idle
  int32_t lastAction_ = -1;
  int32_t count_ = 0;             // terminal nodes
  int32_t position_ = -1;         // index in Order() of the sequence FindFirst/NextKeys returned last
  mutable std::vector<const KeyNode*> order_;  // terminal nodes in enumeration order, when valid
  mutable bool orderValid_ = false;
};

}  // namespace ql
