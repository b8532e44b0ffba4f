#pragma once
// The scanner's keyword table: a TKeywords that also keeps its words in insertion order, so
// that it can be stored with the parser.
#include <cstdint>
#include <string>
#include <vector>

#include "services/Keywords.h"

namespace ql {

// What one word was added with: its own copy of the end group, the value and the states.
struct TEndStyleObject {
  TSM_CharGroup EndGroup;
  TKeywordValue Value = 0;
  TByteSet States;
};

struct TSyntaxWord {
  std::string Word;  // as it was added, before any lower-casing
  TEndStyleObject Style;
};

class TSyntaxKeywords : public TKeywords {
public:
  const char* ClassName() const override { return "TSyntaxKeywords"; }

  // TKeywords::Add, then records the word (only when it was added).
  void Add(const std::string& word, bool caseSensitive, TKeywordValue value, const TByteSet& states,
           const TSM_CharGroup& endGroup) override;
  void Clear() override;

  const std::vector<TSyntaxWord>& Words() const { return words_; }

  // Stream form, integers 32-bit little-endian: the case rule (1 or 0), the word count, then
  // per word its text as a short name (length byte + characters), its end group in group
  // stream form, its 32-byte state set and its value; then an empty short name. Values are
  // stored as 32-bit integers. Raises EWriteError for a word longer than 255 characters.
  void SaveToStream(TStream& stream) const override;
  // Clears the table, takes the case rule and adds words until the empty short name (the
  // count only tells whether words follow). A truncated or inconsistent stream (a duplicate
  // word among them) raises EReadError; the words read before it stay.
  void LoadFromStream(TStream& stream) override;

private:
  std::vector<TSyntaxWord> words_;  // one per successful Add, in insertion order
};

}  // namespace ql
