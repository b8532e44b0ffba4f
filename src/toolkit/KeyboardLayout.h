#pragma once
// The keyboard layout lookup of a character: which virtual key, with which modifiers, types it.
// The layout is a fixed US keyboard, so the stored key tables mean the same on every machine.
#include <cstdint>

#include "toolkit/ShiftState.h"

namespace ql {

// Modifier bits of a key-scan code; the virtual key is in the low byte.
constexpr uint16_t kksShift = 0x100, kksCtrl = 0x200, kksAlt = 0x400;

// The key-scan code of c (virtual key | kksShift/kksCtrl/kksAlt); -1 when no key types c.
int16_t VkKeyScan(char c);

// The key-scan code of a key press: key in the low byte and the modifiers of shift.
uint16_t KeyScanCode(uint16_t key, TShiftState shift);

}  // namespace ql
