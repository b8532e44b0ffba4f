#include "services/CharGroupManager.h"

#include "textmodel/InkMemoErrors.h"

namespace ql {

int32_t TSM_CharGroupManager::Add(const TSM_CharGroup& group) {
  for (size_t i = 0; i < groups_.size(); ++i) {
    if (groups_[i]->Equals(group)) return static_cast<int32_t>(i);
  }
  groups_.push_back(std::make_unique<TSM_CharGroup>(group));
  return static_cast<int32_t>(groups_.size() - 1);
}

const TSM_CharGroup& TSM_CharGroupManager::Get(int32_t index) const {
  if (index < 0 || index >= Count()) throw EInkMemo(Format("Invalid Set ID (%d)", index));
  return *groups_[static_cast<size_t>(index)];
}

}  // namespace ql
