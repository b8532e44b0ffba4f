#pragma once
// The modifier keys held with a key press, as the key events of the platform layer report them.
#include <cstdint>

namespace ql {

using TShiftState = uint8_t;
constexpr TShiftState ssShift = 0x01, ssAlt = 0x02, ssCtrl = 0x04;

}  // namespace ql
