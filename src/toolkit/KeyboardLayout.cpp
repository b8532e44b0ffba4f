#include "toolkit/KeyboardLayout.h"

#include <array>

#include "toolkit/VirtualKeys.h"

namespace ql {
namespace {

// Punctuation of the US layout: the character typed without Shift and with Shift, and the key.
struct TPunctuationKey {
  char plain, shifted;
  uint16_t key;
};
constexpr TPunctuationKey kPunctuation[] = {
    {';', ':', VK_OEM_1},      {'=', '+', VK_OEM_PLUS}, {',', '<', VK_OEM_COMMA}, {'-', '_', VK_OEM_MINUS},
    {'.', '>', VK_OEM_PERIOD}, {'/', '?', VK_OEM_2},    {'`', '~', VK_OEM_3},     {'[', '{', VK_OEM_4},
    {'\\', '|', VK_OEM_5},     {']', '}', VK_OEM_6},    {'\'', '"', VK_OEM_7},
};
// The shifted characters of the digit keys 0..9.
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

std::array<int16_t, 256> BuildTable() {
  std::array<int16_t, 256> t;
  t.fill(-1);
  auto set = [&t](int c, int code) { t[static_cast<uint8_t>(c)] = static_cast<int16_t>(code); };
  for (int c = 'a'; c <= 'z'; ++c) set(c, c - 'a' + 'A');
  for (int c = 'A'; c <= 'Z'; ++c) set(c, c | kksShift);
  for (int d = 0; d < 10; ++d) {
    set('0' + d, '0' + d);
    set(kShiftedDigits[d], ('0' + d) | kksShift);
  }
  for (const auto& p : kPunctuation) {
    set(p.plain, p.key);
    set(p.shifted, p.key | kksShift);
  }
  // Control characters are typed with Ctrl and a letter, except those with keys of their own.
  for (int c = 1; c <= 26; ++c) set(c, ('A' + c - 1) | kksCtrl);
  set(28, VK_OEM_5 | kksCtrl);
  set(29, VK_OEM_6 | kksCtrl);
  set(30, '6' | kksShift | kksCtrl);
  set(31, VK_OEM_MINUS | kksShift | kksCtrl);
  set(8, VK_BACK);
  set(9, VK_TAB);
  set(10, VK_RETURN | kksCtrl);
  set(13, VK_RETURN);
  set(27, VK_ESCAPE);
  set(' ', VK_SPACE);
  set(127, VK_BACK | kksCtrl);
  return t;
}

}  // namespace

int16_t VkKeyScan(char c) {
  static const std::array<int16_t, 256> table = BuildTable();
  return table[static_cast<uint8_t>(c)];
}

uint16_t KeyScanCode(uint16_t key, TShiftState shift) {
  uint16_t code = key & 0xFF;
  if (shift & ssShift) code |= kksShift;
  if (shift & ssCtrl) code |= kksCtrl;
  if (shift & ssAlt) code |= kksAlt;
  return code;
}

}  // namespace ql
