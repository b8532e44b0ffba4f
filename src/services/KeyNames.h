#pragma once
// The names by which auto-replace and template triggers name keys ("\{Return}"), with their
// virtual keys. Process-wide, sorted by name.
#include <cstdint>
#include <string>
#include <vector>

namespace ql {

struct TKeyNameEntry {
  std::string Name;  // lower case
  uint16_t Key = 0;
};

// The whole list, sorted by name.
const std::vector<TKeyNameEntry>& KeyNames();
// The virtual key of name (compared without regard to case); 0 for a name the list lacks.
uint16_t KeyNameToVirtualKey(const std::string& name);

}  // namespace ql
