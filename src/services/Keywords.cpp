#include "services/Keywords.h"

#include <cstring>

#include "textmodel/CharClasses.h"

namespace ql {
namespace {

bool Overlaps(const TByteSet& a, const TByteSet& b) {
  uint64_t x[4];
  uint64_t y[4];
  std::memcpy(x, a.Bytes().data(), 32);
  std::memcpy(y, b.Bytes().data(), 32);
  return ((x[0] & y[0]) | (x[1] & y[1]) | (x[2] & y[2]) | (x[3] & y[3])) != 0;
}

uint8_t Fold(uint8_t c, bool caseSensitive) { return caseSensitive ? c : LowerChar(c); }

// The node of c among first and its siblings (which ascend by Char), or null.
const TKeywordNode* FindSibling(const TKeywordNode* first, uint8_t c) {
  for (const TKeywordNode* n = first; n != nullptr && n->Char <= c; n = n->Sibling) {
    if (n->Char == c) return n;
  }
  return nullptr;
}

// The first entry of node that meets the active states and accepts next after the word.
const TKeywordEntry* QualifyingEntry(const TKeywordNode* node, const TByteSet& active, uint8_t next) {
  for (const TKeywordEntry* e = node->Entries; e != nullptr; e = e->Next) {
    if (Overlaps(e->States, active) && (e->EndCondition == nullptr || e->EndCondition->Contains(next))) return e;
  }
  return nullptr;
}

}  // namespace

TKeywords::TKeywords() { groups_.Add(TSM_CharGroup()); }

TKeywords::~TKeywords() { TKeywords::Clear(); }

void TKeywords::Add(const std::string& word, bool caseSensitive, TKeywordValue value, const TByteSet& states,
                    const TSM_CharGroup& endGroup) {
  if (word.empty()) return;
  const std::string key = caseSensitive ? word : LowerText(word);

  if (const TKeywordNode* existing = FindWord(key, true)) {
    for (const TKeywordEntry* e = existing->Entries; e != nullptr; e = e->Next) {
      if (Overlaps(e->States, states)) throw EKeywords(Format("Duplicate keyword - '%s'", word.c_str()));
    }
  }

  const int32_t groupIndex = groups_.Add(endGroup);
  const TSM_CharGroup& group = groups_.Get(groupIndex);
  caseSensitive_ = caseSensitive;

  TKeywordNode** link = &root_;
  TKeywordNode* node = nullptr;
  bool topLevel = true;
  for (const char ch : key) {
    const uint8_t c = static_cast<uint8_t>(ch);
    while (*link != nullptr && (*link)->Char < c) link = &(*link)->Sibling;
    if (*link != nullptr && (*link)->Char == c) {
      node = *link;
    } else {
      node = &nodes_.emplace_back();
      node->Char = c;
      node->Sibling = *link;
      *link = node;
      if (topLevel) firstNode_[c] = node;
    }
    node->States |= states;
    link = &node->Child;
    topLevel = false;
  }

  TKeywordEntry& entry = entries_.emplace_back();
  entry.States = states;
  entry.EndGroup = groupIndex;
  entry.EndCondition = group.IsEmpty() ? nullptr : &group;
  entry.Value = value;
  TKeywordEntry** tail = &node->Entries;
  while (*tail != nullptr) tail = &(*tail)->Next;
  *tail = &entry;
}

const TKeywordEntry* TKeywords::Match(TCustomEdStream& stream, bool caseSensitive, int32_t& length) const {
  const int32_t start = stream.CharPos();
  uint8_t c = Fold(stream.PeekChar(), caseSensitive);
  const TKeywordNode* node = firstNode_[c];
  const TKeywordEntry* best = nullptr;
  int32_t bestLength = 0;
  int32_t depth = 0;
  while (node != nullptr && Overlaps(node->States, ActiveStates) && !stream.AtEnd()) {
    stream.NextChar();
    ++depth;
    const uint8_t next = stream.PeekChar();
    if (const TKeywordEntry* e = QualifyingEntry(node, ActiveStates, next)) {
      best = e;
      bestLength = depth;
    }
    c = Fold(next, caseSensitive);
    node = FindSibling(node->Child, c);
  }
  if (best != nullptr) {
    if (depth != bestLength) stream.SetCharPos(start + bestLength);
    length = bestLength;
    return best;
  }
  if (depth == 0) {
    stream.NextChar();
  } else {
    stream.SetCharPos(start + 1);
  }
  length = 1;
  return nullptr;
}

const TKeywordEntry* TKeywords::MatchBackward(TCustomEdStream& stream, bool caseSensitive, int32_t& length) const {
  const int32_t start = stream.CharPos();
  uint8_t c = Fold(stream.PeekChar(), caseSensitive);
  const TKeywordNode* node = firstNode_[c];
  const TKeywordEntry* best = nullptr;
  int32_t bestLength = 0;
  int32_t depth = 0;
  while (node != nullptr && Overlaps(node->States, ActiveStates) && !stream.AtEnd()) {
    ++depth;
    // The character just matched stands at start - depth + 1; the one to its left is next.
    const bool atTextStart = start - depth + 1 <= 0;
    if (!atTextStart) stream.PrevChar();
    const uint8_t next = atTextStart ? 0 : stream.PeekChar();
    if (const TKeywordEntry* e = QualifyingEntry(node, ActiveStates, next)) {
      best = e;
      bestLength = depth;
    }
    if (atTextStart) break;
    c = Fold(next, caseSensitive);
    node = FindSibling(node->Child, c);
  }
  if (best != nullptr) {
    stream.SetCharPos(start - bestLength + 1);
    length = bestLength;
    return best;
  }
  stream.SetCharPos(start > 0 ? start - 1 : 0);
  length = 1;
  return nullptr;
}

const TKeywordNode* TKeywords::FindWord(const std::string& word, bool caseSensitive) const {
  if (word.empty()) return nullptr;
  const TKeywordNode* node = firstNode_[Fold(static_cast<uint8_t>(word[0]), caseSensitive)];
  for (size_t i = 1; node != nullptr && i < word.size(); ++i) {
    node = FindSibling(node->Child, Fold(static_cast<uint8_t>(word[i]), caseSensitive));
  }
  return node != nullptr && node->Entries != nullptr ? node : nullptr;
}

void TKeywords::Clear() {
  if (OnReleaseValue) {
    for (const TKeywordEntry& e : entries_) OnReleaseValue(e.Value);
  }
  entries_.clear();
  nodes_.clear();
  root_ = nullptr;
  std::memset(firstNode_, 0, sizeof firstNode_);
  groups_.Clear();
}

}  // namespace ql
