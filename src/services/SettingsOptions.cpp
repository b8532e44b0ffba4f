#include "services/SettingsOptions.h"

namespace ql {
namespace {

// Bit numbers of the option word, in member order.
constexpr uint8_t kWordBits[InkMemoOptionCount] = {4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                                   17, 18, 19, 20, 21, 22, 23, 24, 25, 27, 0,  26, 29};

}  // namespace

uint32_t OptionWordBit(TInkMemoOption m) { return 1u << kWordBits[m]; }

TInkMemoOptions OptionsFromWord(uint32_t word) {
  TInkMemoOptions options;
  for (int32_t i = 0; i < InkMemoOptionCount; ++i) {
    const auto m = static_cast<TInkMemoOption>(i);
    if (word & OptionWordBit(m)) options.Include(m);
  }
  return options;
}

uint32_t OptionsToWord(TInkMemoOptions options) {
  uint32_t word = 0;
  for (int32_t i = 0; i < InkMemoOptionCount; ++i) {
    const auto m = static_cast<TInkMemoOption>(i);
    if (options.Contains(m)) word |= OptionWordBit(m);
  }
  return word;
}

}  // namespace ql
