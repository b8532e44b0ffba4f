#pragma once
// Shortcut codes and their text form. A ShortCutCode holds the virtual key in its low byte plus
// scShift, scCtrl and scAlt (VirtualKeys.h); 0 means no key. The text form is the one menus and
// stored hotkeys use: "Shift+", "Ctrl+", "Alt+" in that order, then the key's name ("Ctrl+J",
// "BkSp", "PgUp", "Ins", "Del"). Every code the writer produces reads back to the same code.
#include <cstdint>
#include <string>

#include "toolkit/ShiftState.h"

namespace ql {

using ShortCutCode = uint16_t;

// The code of key with the modifiers of shift; 0 for a key outside 1..255.
ShortCutCode ShortCut(uint16_t key, TShiftState shift);
// Splits a code into its virtual key and modifiers.
void ShortCutToKey(ShortCutCode code, uint16_t& key, TShiftState& shift);

// The name of a virtual key as it appears in shortcut text; every key 1..255 has one.
std::string KeyName(uint8_t key);
// The text of a code; the empty string when it names no key.
std::string ShortCutToText(ShortCutCode code);
// Reads a text made by ShortCutToText (letters in either case, modifiers in any order).
// Returns false, leaving code alone, for text that names no key; the empty text gives 0.
bool TryTextToShortCut(const std::string& text, ShortCutCode& code);
// As TryTextToShortCut, with 0 for text that names no key.
ShortCutCode TextToShortCut(const std::string& text);

}  // namespace ql
