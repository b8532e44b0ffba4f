#pragma once
// Keeps each distinct character group once and hands out indexes to it, so that keyword
// entries and scanner rules can refer to groups by number.
#include <cstdint>
#include <memory>
#include <vector>

#include "services/CharGroup.h"

namespace ql {

class TSM_CharGroupManager {
public:
  // The index of a group equal to group (Equals) already held; otherwise a copy of group is
  // appended and its index returned.
  int32_t Add(const TSM_CharGroup& group);
  // Raises EInkMemo "Invalid Set ID (%d)" for an index outside 0 .. Count - 1. The reference
  // stays valid until Clear.
  const TSM_CharGroup& Get(int32_t index) const;
  int32_t Count() const { return static_cast<int32_t>(groups_.size()); }
  // Frees every group; indexes are handed out again from 0.
  void Clear() { groups_.clear(); }

private:
  std::vector<std::unique_ptr<TSM_CharGroup>> groups_;  // no two are Equal; never null
};

}  // namespace ql
