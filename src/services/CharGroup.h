#pragma once
// A character group: a set of byte values, optionally inverted. Highlighting scripts write
// groups in a small bracket notation (CharGroupParser.h); keyword tables use them as the
// condition on the character after a word, the scanner as the units of its rules.
#include <cstdint>
#include <vector>

#include "textmodel/SM_Base.h"
#include "toolkit/ByteSet.h"

namespace ql {

struct TCharRange {
  uint16_t Low = 0;
  uint16_t High = 0;
  bool operator==(const TCharRange&) const = default;
};

class TSM_CharGroup : public TSM_Base {
public:
  const char* ClassName() const override { return "TSM_CharGroup"; }

  void Clear();
  // Adds low..high (nothing when low > high) and widens Lowest..Highest.
  void AddRange(uint8_t low, uint8_t high);
  void AddChar(uint8_t c) { AddRange(c, c); }
  // Adds every member of set; Lowest and Highest become 0 and 255.
  void AddSet(const TByteSet& set);

  // (c in Members) xor Negated.
  bool Contains(uint8_t c) const { return Members.Contains(c) != Negated; }
  // No members and no extra ranges; the negated flag is not considered. An empty group used
  // as a condition means that there is no condition.
  bool IsEmpty() const { return Members.Empty() && ExtraRanges.empty(); }
  // Same members, negated flag and extra ranges (Lowest and Highest are not compared).
  bool Equals(const TSM_CharGroup& other) const {
    return Members == other.Members && Negated == other.Negated && ExtraRanges == other.ExtraRanges;
  }

  // Stream form: the 32 member bytes (bit i of byte i/8 for value i), a 32-bit count of extra
  // ranges, each range as two 16-bit words (low, high), and one byte for the negated flag.
  // Groups from scripts never have extra ranges, so their form is always 37 bytes.
  void SaveToStream(TStream& stream) const override;
  // Reads the stream form; on a read error the group is unchanged. Lowest and Highest are
  // recomputed from the members.
  void LoadFromStream(TStream& stream) override;

  TByteSet Members;
  bool Negated = false;
  uint8_t Lowest = 255;  // lowest value added; 255 while nothing was added
  uint8_t Highest = 0;   // highest value added; 0 while nothing was added
  // Ranges beyond the 8-bit members; nothing fills them yet, and membership ignores them.
  std::vector<TCharRange> ExtraRanges;
};

}  // namespace ql
