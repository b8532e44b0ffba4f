#pragma once
// The option boxes of the property pages' Options page: each box stands for one bit of the
// editor option word, which it sets or clears in the working settings and the preview.
#include <array>
#include <cstdint>

#include "services/SettingsOptions.h"

namespace ql {

struct TOptionBox {
  const char* Name;     // the box's object name
  const char* Caption;
  TInkMemoOption Option;
};

// In the order the page shows them.
const std::array<TOptionBox, 17>& OptionBoxes();

// The option word with bit set when on, cleared otherwise.
constexpr uint32_t WithOptionBit(uint32_t word, uint32_t bit, bool on) { return on ? word | bit : word & ~bit; }
// "Smart tab" can be chosen only while word wrap is off.
bool SmartTabEnabled(uint32_t optionWord);

}  // namespace ql
