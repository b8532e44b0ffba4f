#include "toolkit/SystemColors.h"

#include <array>
#include <cstddef>

namespace ql {
namespace {

// Indexes 0 (scroll bar) to 30 (menu bar).
constexpr std::array<TColor, 31> kStandard = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),    RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),        RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128),  RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128),  RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200),  RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240),  RGB(192, 192, 192), RGB(10, 36, 106),
    RGB(212, 208, 200),
};

}  // namespace

TColor ResolveStandardColor(TColor color) {
  if (IsSystemColor(color)) {
    const auto index = static_cast<std::size_t>(SystemColorIndex(color));
    return index < kStandard.size() ? kStandard[index] : clBlack;
  }
  if (color == clNone || color == clDefault) return kStandard[5];
  return color & 0xFFFFFFu;
}

}  // namespace ql
