#include "toolkit/qt/QtKeys.h"

#include <QList>

#include "toolkit/VirtualKeys.h"

namespace ql {

namespace {

struct TKeyEntry {
  int Key;
  uint16_t Vk;
};

// Keys whose virtual key is not their own code.
constexpr TKeyEntry kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE}, {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME}, {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN}, {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Clear, VK_CLEAR}, {Qt::Key_Help, VK_HELP},
    {Qt::Key_Select, VK_SELECT}, {Qt::Key_Print, VK_SNAPSHOT}, {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_Shift, VK_SHIFT}, {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU}, {Qt::Key_Meta, VK_LWIN}, {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN}, {Qt::Key_Menu, VK_APPS}, {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    // Punctuation, unshifted and shifted, where it lies in the US layout.
    {Qt::Key_Semicolon, VK_OEM_1}, {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS}, {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS}, {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2}, {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3}, {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5}, {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_QuoteDbl, VK_OEM_7},
    // Shifted digits.
    {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'},
};

// Keypad keys with the keypad modifier.
constexpr TKeyEntry kKeypad[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD}, {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL}, {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

// X11 key codes (evdev code + 8) of the main block, in the order of their virtual keys.
constexpr TKeyEntry kX11Codes[] = {
    {10, '1'}, {11, '2'}, {12, '3'}, {13, '4'}, {14, '5'}, {15, '6'}, {16, '7'}, {17, '8'}, {18, '9'},
    {19, '0'}, {20, VK_OEM_MINUS}, {21, VK_OEM_PLUS}, {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'},
    {28, 'T'}, {29, 'Y'}, {30, 'U'}, {31, 'I'}, {32, 'O'}, {33, 'P'}, {34, VK_OEM_4}, {35, VK_OEM_6},
    {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'}, {46, 'L'},
    {47, VK_OEM_1}, {48, VK_OEM_7}, {49, VK_OEM_3}, {51, VK_OEM_5}, {52, 'Z'}, {53, 'X'}, {54, 'C'},
    {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'}, {59, VK_OEM_COMMA}, {60, VK_OEM_PERIOD}, {61, VK_OEM_2},
};

template <size_t N>
uint16_t Lookup(const TKeyEntry (&table)[N], int key) {
  for (const TKeyEntry& e : table) {
    if (e.Key == key) return e.Vk;
  }
  return 0;
}

}  // namespace

uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::KeypadModifier) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<uint16_t>(VK_NUMPAD0 + (qtKey - Qt::Key_0));
    if (const uint16_t vk = Lookup(kKeypad, qtKey)) return vk;
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return static_cast<uint16_t>(qtKey);  // the same codes
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<uint16_t>(VK_F1 + (qtKey - Qt::Key_F1));
  return Lookup(kKeys, qtKey);
}

uint16_t VirtualKeyOfX11KeyCode(uint32_t keyCode) { return Lookup(kX11Codes, static_cast<int>(keyCode)); }

namespace {
uint16_t WithModifiers(uint16_t vk, Qt::KeyboardModifiers modifiers) {
  if (vk == 0) return 0;
  uint16_t code = vk;
  if (modifiers & Qt::ShiftModifier) code |= scShift;
  if (modifiers & Qt::ControlModifier) code |= scCtrl;
  if (modifiers & Qt::AltModifier) code |= scAlt;
  return code;
}
}  // namespace

uint16_t ShortCutCodeOf(int qtKey, Qt::KeyboardModifiers modifiers) {
  return WithModifiers(VirtualKeyOf(qtKey, modifiers), modifiers);
}

uint16_t ShortCutCodeOf(int qtKey, Qt::KeyboardModifiers modifiers, uint32_t x11KeyCode) {
  uint16_t vk = VirtualKeyOf(qtKey, modifiers);
  if (vk == 0) vk = VirtualKeyOfX11KeyCode(x11KeyCode);
  return WithModifiers(vk, modifiers);
}

std::u32string TypedCharacters(int qtKey, uint16_t vk, Qt::KeyboardModifiers modifiers, const QString& text) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool alt = modifiers & Qt::AltModifier;
  const bool meta = modifiers & Qt::MetaModifier;
  if (meta) return {};
  if (alt && !ctrl) return {};  // Alt+key belongs to menus
  if (!alt) {
    switch (qtKey) {
      case Qt::Key_Backspace: return {ctrl ? U'\x7F' : U'\b'};
      case Qt::Key_Tab: case Qt::Key_Backtab: return ctrl ? std::u32string() : std::u32string(1, U'\t');
      case Qt::Key_Return: case Qt::Key_Enter: return {ctrl ? U'\n' : U'\r'};
      case Qt::Key_Escape: return {U'\x1B'};
      default: break;
    }
    if (ctrl) {
      if (vk >= 'A' && vk <= 'Z') return {static_cast<char32_t>(vk - 'A' + 1)};
      if (vk == VK_OEM_4) return {U'\x1B'};
      if (vk == VK_OEM_5) return {U'\x1C'};
      if (vk == VK_OEM_6) return {U'\x1D'};
      return {};
    }
  }
  // Plain text, or Ctrl+Alt (AltGr) text.
  std::u32string typed;
  for (const char32_t c : text.toUcs4()) {
    if (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0)) typed.push_back(c);
  }
  return typed;
}

}  // namespace ql
