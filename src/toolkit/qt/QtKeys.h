#pragma once
// Qt keys as the program's stored key tables know them: Windows virtual-key codes (letters 65-90,
// digits 48-57, F1-F12 112-123, the editing and movement keys, the US-layout punctuation codes
// 0xBA-0xC0 and 0xDB-0xDE), and the characters a key press types as Windows reports them.
// This is the one table from Qt::Key to virtual keys.
#include <QString>
#include <Qt>
#include <cstdint>
#include <string>

namespace ql {

// The virtual key of a Qt key; 0 for keys without one. A shifted symbol gives the key it is
// on in the US layout (Shift+1 types "!", whose key is "1"); keypad digits and operators give
// the keypad's own codes when the keypad modifier is set.
uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The virtual key of a key of the main block found by its X11 key code (the key's position):
// what a layout whose letters are not Latin still presses for Ctrl+C. 0 when there is none.
uint16_t VirtualKeyOfX11KeyCode(uint32_t keyCode);
// The ShortCutCode of a key with its modifiers: the virtual key plus 0x2000 for Shift, 0x4000
// for Ctrl, 0x8000 for Alt; 0 when the key has no virtual key.
uint16_t ShortCutCodeOf(int qtKey, Qt::KeyboardModifiers modifiers);
// As above; a key without a virtual key of its own (a letter of a non-Latin layout) is found by
// its X11 key code, as the editor finds it.
uint16_t ShortCutCodeOf(int qtKey, Qt::KeyboardModifiers modifiers, uint32_t x11KeyCode);

// The characters (code points) a key press types, as a WM_CHAR per character: printable text as
// it is; Backspace 8 (Ctrl+Backspace 127), Tab 9, Enter 13 (Ctrl+Enter 10), Escape 27; Ctrl with
// a letter its control code 1-26, with "[", "\" or "]" 27-29. Nothing for keys held with Alt or
// with Ctrl alone otherwise (menu keys), and nothing for other control characters.
// vk is the key's virtual key (VirtualKeyOf, or found by position).
std::u32string TypedCharacters(int qtKey, uint16_t vk, Qt::KeyboardModifiers modifiers, const QString& text);

}  // namespace ql
