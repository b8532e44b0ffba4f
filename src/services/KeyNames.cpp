#include "services/KeyNames.h"

#include <algorithm>

#include "toolkit/VirtualKeys.h"

namespace ql {

const std::vector<TKeyNameEntry>& KeyNames() {
  static const std::vector<TKeyNameEntry> names = [] {
    std::vector<TKeyNameEntry> n = {
        {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"down", VK_DOWN},       {"end", VK_END},
        {"home", VK_HOME},      {"insert", VK_INSERT}, {"left", VK_LEFT},       {"pagedown", VK_NEXT},
        {"pageup", VK_PRIOR},   {"return", VK_RETURN}, {"right", VK_RIGHT},     {"space", VK_SPACE},
        {"up", VK_UP},          {"tab", VK_TAB},
    };
    for (int i = 0; i < 12; ++i) {
      std::string name = std::to_string(i + 1);
      name.insert(name.begin(), 'f');
      n.push_back({std::move(name), static_cast<uint16_t>(VK_F1 + i)});
    }
    std::sort(n.begin(), n.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    return n;
  }();
  return names;
}

uint16_t KeyNameToVirtualKey(const std::string& name) {
  std::string lower = name;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  const auto& names = KeyNames();
  auto it = std::lower_bound(names.begin(), names.end(), lower,
                             [](const TKeyNameEntry& e, const std::string& n) { return e.Name < n; });
  return it != names.end() && it->Name == lower ? it->Key : 0;
}

}  // namespace ql
