#pragma once
// Windows-1252: how the 8-bit text of the documents is shown on screen, and how characters typed
// or pasted map back to bytes. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) show as the control code points of the same value, so every byte value maps to one
// character and back and files round-trip byte for byte.
#include <cstdint>

namespace ql {

// The character shown for a byte.
char32_t Cp1252ToUnicode(uint8_t byte);
// The byte for a character; false when the table cannot hold it.
bool UnicodeToCp1252(char32_t ch, uint8_t& byte);

}  // namespace ql
