#pragma once
// One node of the key store's two-level tree: a first key, or a second key below its first key.
#include <cstdint>

#include "toolkit/ShortCut.h"

namespace ql {

struct KeyNode {
  ShortCutCode Shortcut = 0;
  KeyNode* Parent = nullptr;    // the first key's node for a second key; null on the first level
  KeyNode* Next = nullptr;      // next node on the same level, in the order nodes were added
  KeyNode* Children = nullptr;  // first of the second keys that may follow this first key
  KeyNode* LastChild = nullptr; // end of the Children list, where new second keys are appended
  bool Terminal = false;        // a sequence ends here; never true of a node that has Children
  int32_t Action = -1;          // action of the sequence ending here; -1 for none
};

}  // namespace ql
