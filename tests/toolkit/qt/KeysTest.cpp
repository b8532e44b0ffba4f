// Qt keys as virtual keys and shortcut codes, and the characters a key press types.
#include <gtest/gtest.h>

#include "toolkit/VirtualKeys.h"
#include "toolkit/qt/QtKeys.h"

namespace ql {
namespace {

struct TKeyCase {
  int Key;
  Qt::KeyboardModifiers Modifiers;
  uint16_t Vk;
};

TEST(QtKeys, EveryKeyOfTheStoredTablesHasItsVirtualKey) {
  const TKeyCase cases[] = {
      {Qt::Key_A, {}, 'A'}, {Qt::Key_Z, Qt::ShiftModifier, 'Z'}, {Qt::Key_0, {}, '0'}, {Qt::Key_9, {}, '9'},
      {Qt::Key_F1, {}, VK_F1}, {Qt::Key_F12, {}, VK_F12}, {Qt::Key_Backspace, {}, VK_BACK},
      {Qt::Key_Tab, {}, VK_TAB}, {Qt::Key_Backtab, Qt::ShiftModifier, VK_TAB}, {Qt::Key_Return, {}, VK_RETURN},
      {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN}, {Qt::Key_Escape, {}, VK_ESCAPE}, {Qt::Key_Space, {}, VK_SPACE},
      {Qt::Key_PageUp, {}, VK_PRIOR}, {Qt::Key_PageDown, {}, VK_NEXT}, {Qt::Key_End, {}, VK_END},
      {Qt::Key_Home, {}, VK_HOME}, {Qt::Key_Left, {}, VK_LEFT}, {Qt::Key_Up, {}, VK_UP}, {Qt::Key_Right, {}, VK_RIGHT},
      {Qt::Key_Down, {}, VK_DOWN}, {Qt::Key_Insert, {}, VK_INSERT}, {Qt::Key_Delete, {}, VK_DELETE},
      {Qt::Key_Home, Qt::KeypadModifier, VK_HOME},  // the keypad's movement keys are the same keys
      {Qt::Key_Semicolon, {}, VK_OEM_1}, {Qt::Key_Colon, Qt::ShiftModifier, VK_OEM_1},
      {Qt::Key_Equal, {}, VK_OEM_PLUS}, {Qt::Key_Comma, {}, VK_OEM_COMMA}, {Qt::Key_Underscore, {}, VK_OEM_MINUS},
      {Qt::Key_Period, {}, VK_OEM_PERIOD}, {Qt::Key_Question, {}, VK_OEM_2}, {Qt::Key_QuoteLeft, {}, VK_OEM_3},
      {Qt::Key_BraceLeft, {}, VK_OEM_4}, {Qt::Key_Backslash, {}, VK_OEM_5}, {Qt::Key_BracketRight, {}, VK_OEM_6},
      {Qt::Key_QuoteDbl, {}, VK_OEM_7},
      {Qt::Key_Exclam, Qt::ShiftModifier, '1'}, {Qt::Key_ParenRight, Qt::ShiftModifier, '0'},
      {Qt::Key_5, Qt::KeypadModifier, VK_NUMPAD5}, {Qt::Key_Plus, Qt::KeypadModifier, VK_ADD},
      {Qt::Key_Slash, Qt::KeypadModifier, VK_DIVIDE},
      {Qt::Key_Shift, {}, VK_SHIFT}, {Qt::Key_Control, {}, VK_CONTROL}, {Qt::Key_Alt, {}, VK_MENU},
      {Qt::Key_Adiaeresis, {}, 0}, {Qt::Key_unknown, {}, 0},
  };
  for (const TKeyCase& c : cases) EXPECT_EQ(VirtualKeyOf(c.Key, c.Modifiers), c.Vk) << std::hex << c.Key;
}

TEST(QtKeys, KeysOfOtherLayoutsAreFoundByPositionAndShortcutsCarryTheModifiers) {
  EXPECT_EQ(VirtualKeyOfX11KeyCode(54), 'C');  // where C is in every layout
  EXPECT_EQ(VirtualKeyOfX11KeyCode(10), '1');
  EXPECT_EQ(VirtualKeyOfX11KeyCode(0), 0);
  EXPECT_EQ(ShortCutCodeOf(Qt::Key_J, Qt::ControlModifier), 0x4000 | 'J');
  EXPECT_EQ(ShortCutCodeOf(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 0xE000 | VK_LEFT);
  EXPECT_EQ(ShortCutCodeOf(Qt::Key_Adiaeresis, Qt::ControlModifier), 0);
}

struct TTypedCase {
  int Key;
  Qt::KeyboardModifiers Modifiers;
  const char16_t* Text;
  std::u32string Typed;
};

TEST(QtKeys, KeyPressesTypeWhatTheWindowSystemWouldReport) {
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, alt = Qt::AltModifier, shift = Qt::ShiftModifier;
  const TTypedCase cases[] = {
      {Qt::Key_A, {}, u"a", U"a"},
      {Qt::Key_Exclam, shift, u"!", U"!"},
      {Qt::Key_Eacute, {}, u"\u00E9", U"\u00E9"},
      {Qt::Key_unknown, {}, u"\U0001F600", U"\U0001F600"},  // beyond 16 bits: one character
      {Qt::Key_Backspace, {}, u"\b", U"\b"},
      {Qt::Key_Backspace, ctrl, u"", U"\x7F"},
      {Qt::Key_Tab, {}, u"\t", U"\t"},
      {Qt::Key_Tab, ctrl, u"\t", U""},
      {Qt::Key_Return, {}, u"\r", U"\r"},
      {Qt::Key_Return, ctrl, u"\r", U"\n"},
      {Qt::Key_Escape, {}, u"\x1B", U"\x1B"},
      {Qt::Key_J, ctrl, u"\n", U"\n"},            // Ctrl+letter: its control code
      {Qt::Key_A, ctrl | shift, u"\x01", U"\x01"},
      {Qt::Key_BracketLeft, ctrl, u"\x1B", U"\x1B"},
      {Qt::Key_1, ctrl, u"1", U""},
      {Qt::Key_X, alt, u"x", U""},                 // Alt+key is a menu key
      {Qt::Key_E, ctrl | alt, u"\u20AC", U"\u20AC"},  // AltGr types
      {Qt::Key_Left, {}, u"", U""},
      {Qt::Key_Delete, {}, u"\x7F", U""},
  };
  for (const TTypedCase& c : cases) {
    const uint16_t vk = VirtualKeyOf(c.Key, c.Modifiers);
    EXPECT_EQ(TypedCharacters(c.Key, vk, c.Modifiers, QString::fromUtf16(c.Text)), c.Typed) << std::hex << c.Key;
  }
}

}  // namespace
}  // namespace ql
