#include "services/KeyStore.h"

#include "services/KeyErrors.h"
#include "services/KeyboardActionContoller.h"
#include "toolkit/VirtualKeys.h"

namespace ql {
namespace {

constexpr ShortCutCode kModifiers = scShift | scCtrl | scAlt;

ShortCutCode WithoutModifiers(ShortCutCode code) { return code & ~kModifiers; }

// Keys that only change the modifiers of the next key.
bool IsModifierKey(ShortCutCode code) {
  const uint16_t key = code & 0xFF;
  return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU;
}

}  // namespace

KeyNode* TKeyStore::Find(const KeyNode* parent, ShortCutCode shortcut) const {
  auto it = index_.find({parent, shortcut});
  return it == index_.end() ? nullptr : it->second;
}

KeyNode* TKeyStore::FindOrAppend(KeyNode* parent, ShortCutCode shortcut) {
  if (KeyNode* found = Find(parent, shortcut)) return found;
  nodes_.push_back(std::make_unique<KeyNode>());
  KeyNode* node = nodes_.back().get();
  node->Shortcut = shortcut;
  node->Parent = parent;
  KeyNode*& head = parent ? parent->Children : first_;
  KeyNode*& tail = parent ? parent->LastChild : last_;
  if (tail) tail->Next = node;
  else head = node;
  tail = node;
  index_.emplace(TLevelKey{parent, shortcut}, node);
  orderValid_ = false;
  return node;
}

void TKeyStore::RaiseDuplicate(int32_t action, int32_t existing) const {
  const std::string newName = controller_ ? controller_->GetActionName(action) : std::string();
  const std::string oldName = controller_ ? controller_->GetActionName(existing) : std::string();
  throw EAmbigiousKeyPair(
      Format("Duplicate key sequence definition for\r\n\"%s\" and \"%s\"", newName.c_str(), oldName.c_str()));
}

void TKeyStore::AddKeySequence(ShortCutCode first, ShortCutCode second, int32_t action) {
  KeyNode* firstNode = FindOrAppend(nullptr, first);
  second = WithoutModifiers(second);
  KeyNode* target;
  if (second == 0) {
    if (firstNode->Children) RaiseDuplicate(action, firstNode->Children->Action);
    target = firstNode;
  } else {
    // A key that ends a one-key sequence cannot also start two-key sequences.
    if (firstNode->Terminal) RaiseDuplicate(action, firstNode->Action);
    target = FindOrAppend(firstNode, second);
  }
  if (target->Action != -1) RaiseDuplicate(action, target->Action);
  if (!target->Terminal) {
    target->Terminal = true;
    ++count_;
    orderValid_ = false;
  }
  target->Action = action;
}

void TKeyStore::AddSequences(const std::vector<TKeySequence>& sequences) {
  // Enumeration lists the one-key sequences in list order, then the second keys of each first
  // key taking the first keys from the end of the list. So the one-key sequences go first, in
  // order, and then the groups of second keys, the group listed last first.
  std::unordered_map<ShortCutCode, size_t> groupOf;
  std::vector<std::vector<const TKeySequence*>> groups;
  for (const auto& s : sequences) {
    if (WithoutModifiers(s.Second) == 0) {
      AddKeySequence(s.First, s.Second, s.Action);
      continue;
    }
    auto [it, added] = groupOf.emplace(s.First, groups.size());
    if (added) groups.emplace_back();
    groups[it->second].push_back(&s);
  }
  for (auto g = groups.rbegin(); g != groups.rend(); ++g)
    for (const TKeySequence* s : *g) AddKeySequence(s->First, s->Second, s->Action);
}

const std::vector<const KeyNode*>& TKeyStore::Order() const {
  if (orderValid_) return order_;
  // A node comes before its following siblings and their subtrees, and those before the node's
  // own children: so the first level comes first, then the second keys of its nodes from the
  // last first key to the first.
  order_.clear();
  std::vector<const KeyNode*> firstLevel;
  for (const KeyNode* n = first_; n; n = n->Next) {
    firstLevel.push_back(n);
    if (n->Terminal) order_.push_back(n);
  }
  for (auto it = firstLevel.rbegin(); it != firstLevel.rend(); ++it)
    for (const KeyNode* c = (*it)->Children; c; c = c->Next)
      if (c->Terminal) order_.push_back(c);
  orderValid_ = true;
  return order_;
}

TKeySequence TKeyStore::FindFirstKeys(int32_t action) {
  position_ = -1;
  return FindNextKeys(action);
}

TKeySequence TKeyStore::FindNextKeys(int32_t action) {
  const auto& order = Order();
  for (int32_t i = position_ + 1; i < static_cast<int32_t>(order.size()); ++i) {
    const KeyNode* n = order[i];
    if (n->Action != action) continue;
    position_ = i;
    if (n->Parent) return {n->Parent->Shortcut, n->Shortcut, n->Action};
    return {n->Shortcut, 0, n->Action};
  }
  position_ = static_cast<int32_t>(order.size());
  return {0, 0, -1};
}

std::vector<TKeySequence> TKeyStore::Sequences() const {
  std::vector<TKeySequence> out;
  out.reserve(Order().size());
  for (const KeyNode* n : Order()) {
    if (n->Parent) out.push_back({n->Parent->Shortcut, n->Shortcut, n->Action});
    else out.push_back({n->Shortcut, 0, n->Action});
  }
  return out;
}

TKeyMatch TKeyStore::Match(ShortCutCode code) {
  KeyNode* level = pending_;
  KeyNode* found = level ? Find(level, WithoutModifiers(code)) : Find(nullptr, code);
  if (!found) {
    // Pressing Shift, Ctrl or Alt on the way to the second key keeps the first key pending.
    if (level && IsModifierKey(code)) return TKeyMatch::kNone;
    pending_ = nullptr;
    return TKeyMatch::kNone;
  }
  if (found->Children) {
    pending_ = found;
    return TKeyMatch::kPending;
  }
  pending_ = nullptr;
  lastAction_ = found->Action;
  return TKeyMatch::kComplete;
}

void TKeyStore::Clear() {
  index_.clear();
  nodes_.clear();
  first_ = last_ = pending_ = nullptr;
  count_ = 0;
  position_ = -1;
  order_.clear();
  orderValid_ = false;
}

}  // namespace ql
