#pragma once
// A character trie of words compared without regard to (ASCII) case. The script reader keeps
// two of them: its symbol table (macro name -> text value) and its keyword table
// (keyword -> token code).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "textmodel/CharClasses.h"

namespace ql {

// One node of a TWordStore: one character of one or more words.
struct TWordNode {
  uint8_t Char = 0;          // stored in lower case
  bool EndOfWord = false;    // a stored word ends at this node
  int32_t Sibling = -1;      // next node with the same parent, -1 at the end of the chain
  int32_t Child = -1;        // first node of the next character, -1 for none
  int32_t Code = -1;         // keyword code of the word ending here; -1 when unused
  // Text value of the word ending here. Shared so that a reader still reading an earlier value
  // (an open macro expansion) keeps it alive when the word is redefined.
  std::shared_ptr<const std::string> Value;
};

class TWordStore {
public:
  TWordStore();

  // Adds word with a keyword code; a word already present gets the new code.
  void Add(std::string_view word, int32_t code);
  // Adds word with a text value; a word already present gets the new value.
  void Define(std::string_view word, std::string value);

  // The node at which word ends, or nullptr when word is not stored.
  const TWordNode* Find(std::string_view word) const;
  // The index of that node (stable while the store lives), or -1.
  int32_t FindIndex(std::string_view word) const;

  // Walking the trie one character at a time (both return -1 when there is no such node):
  // the node of a word's first character, and the child of node for the next character.
  int32_t Root(uint8_t ch) const { return index_[Lower(ch)]; }
  int32_t Child(int32_t node, uint8_t ch) const;
  const TWordNode& Node(int32_t node) const { return nodes_[static_cast<size_t>(node)]; }

  // Number of stored words.
  int32_t Count() const { return count_; }
  void Clear();

  static uint8_t Lower(uint8_t ch) { return LowerChar(ch); }

private:
  // The node where word ends, created with its path when missing; -1 for the empty word.
  int32_t Insert(std::string_view word);
  // Finds or appends the node for ch among the children chain starting at first.
  int32_t FindOrAdd(int32_t& first, uint8_t ch);

  std::vector<TWordNode> nodes_;  // all nodes; links are indexes into this vector
  int32_t index_[256];            // first-character node of each (lower-case) byte, or -1
  int32_t count_ = 0;
};

}  // namespace ql
