#include "highlight/WordStore.h"

namespace ql {

TWordStore::TWordStore() { Clear(); }

void TWordStore::Clear() {
  nodes_.clear();
  for (int32_t& i : index_) i = -1;
  count_ = 0;
}

int32_t TWordStore::Child(int32_t node, uint8_t ch) const {
  const uint8_t c = Lower(ch);
  for (int32_t n = Node(node).Child; n >= 0; n = Node(n).Sibling)
    if (Node(n).Char == c) return n;
  return -1;
}

int32_t TWordStore::FindOrAdd(int32_t& first, uint8_t ch) {
  int32_t last = -1;
  for (int32_t n = first; n >= 0; n = nodes_[static_cast<size_t>(n)].Sibling) {
    if (nodes_[static_cast<size_t>(n)].Char == ch) return n;
    last = n;
  }
  // `first` may refer into nodes_, so take the new index before growing the vector.
  const int32_t added = static_cast<int32_t>(nodes_.size());
  if (last < 0)
    first = added;
  else
    nodes_[static_cast<size_t>(last)].Sibling = added;
  TWordNode node;
  node.Char = ch;
  nodes_.push_back(std::move(node));
  return added;
}

int32_t TWordStore::Insert(std::string_view word) {
  if (word.empty()) return -1;
  int32_t n = index_[Lower(static_cast<uint8_t>(word[0]))];
  if (n < 0) {
    n = static_cast<int32_t>(nodes_.size());
    index_[Lower(static_cast<uint8_t>(word[0]))] = n;
    TWordNode node;
    node.Char = Lower(static_cast<uint8_t>(word[0]));
    nodes_.push_back(std::move(node));
  }
  for (size_t i = 1; i < word.size(); ++i) {
    int32_t child = nodes_[static_cast<size_t>(n)].Child;
    const int32_t next = FindOrAdd(child, Lower(static_cast<uint8_t>(word[i])));
    nodes_[static_cast<size_t>(n)].Child = child;
    n = next;
  }
  TWordNode& end = nodes_[static_cast<size_t>(n)];
  if (!end.EndOfWord) {
    end.EndOfWord = true;
    ++count_;
  }
  return n;
}

void TWordStore::Add(std::string_view word, int32_t code) {
  const int32_t n = Insert(word);
  if (n >= 0) nodes_[static_cast<size_t>(n)].Code = code;
}

void TWordStore::Define(std::string_view word, std::string value) {
  const int32_t n = Insert(word);
  if (n >= 0) nodes_[static_cast<size_t>(n)].Value = std::make_shared<const std::string>(std::move(value));
}

int32_t TWordStore::FindIndex(std::string_view word) const {
  if (word.empty()) return -1;
  int32_t n = Root(static_cast<uint8_t>(word[0]));
  for (size_t i = 1; i < word.size() && n >= 0; ++i) n = Child(n, static_cast<uint8_t>(word[i]));
  return n >= 0 && Node(n).EndOfWord ? n : -1;
}

const TWordNode* TWordStore::Find(std::string_view word) const {
  const int32_t n = FindIndex(word);
  return n < 0 ? nullptr : &Node(n);
}

}  // namespace ql
